// Desktop entries are written whole through a temporary file, so a half-written entry never starts anything.
#include "platform/linux/XdgAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
// Characters that oblige an Exec argument to be quoted.
const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

// A value of a desktop entry: backslash and the line breaks are escaped.
QString escapeString(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else
            out += c;
    }
    return out;
}

QString unescapeString(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                   : next == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                                              : next;
        } else {
            out += text[i];
        }
    }
    return out;
}
} // namespace

XdgAutostart::XdgAutostart(QString folder)
    : m_folder(std::move(folder)), m_startedAtLogin(QCoreApplication::arguments().contains(atLoginArgument))
{
    if (m_folder.isEmpty())
        m_folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

QString XdgAutostart::filePathOf(const QString& name) const
{
    QString id = name;
    id.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("-"));
    return QDir(m_folder).filePath(id + QStringLiteral(".desktop"));
}

QString XdgAutostart::execValue(const QString& program)
{
    QString arg = program;
    arg.replace(QLatin1Char('%'), QLatin1String("%%"));
    const bool quote = std::any_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); });
    if (quote) {
        QString quoted;
        for (const QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        arg = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return escapeString(arg);
}

QString XdgAutostart::programOf(const QString& execValue)
{
    QString arg = unescapeString(execValue);
    if (arg.size() >= 2 && arg.startsWith(QLatin1Char('"')) && arg.endsWith(QLatin1Char('"'))) {
        QString plain;
        for (qsizetype i = 1; i + 1 < arg.size(); ++i) {
            if (arg[i] == QLatin1Char('\\') && i + 2 < arg.size())
                ++i;
            plain += arg[i];
        }
        arg = plain;
    }
    arg.replace(QLatin1String("%%"), QLatin1String("%"));
    return arg;
}

bool XdgAutostart::WriteStartupEntry(const QString& name, const QString& command)
{
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(filePathOf(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=%1\n"
                       "Comment=Records the time spent online\n"
                       "Exec=%2\n"
                       "TryExec=%3\n"
                       "Icon=qovruvela\n"
                       "Terminal=false\n"
                       "X-GNOME-Autostart-enabled=true\n")
            .arg(escapeString(name), execValue(command) + QLatin1Char(' ') + atLoginArgument, escapeString(command));
    file.write(text.toUtf8());
    return file.commit();
}

bool XdgAutostart::RemoveStartupEntry(const QString& name)
{
    const QString path = filePathOf(name);
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return true;
    // Not removed: it only matters while it would still start a program that exists.
    const QString program = readStartupEntry(name);
    return program.isEmpty() || !QFileInfo::exists(program);
}

QString XdgAutostart::readStartupEntry(const QString& name) const
{
    QFile file(filePathOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (line.startsWith(QLatin1String("Exec="))) {
            QString exec = line.mid(5);
            if (exec.endsWith(QLatin1Char(' ') + atLoginArgument))
                exec.chop(atLoginArgument.size() + 1);
            return programOf(exec);
        }
    return QString();
}
