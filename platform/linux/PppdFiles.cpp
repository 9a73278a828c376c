// Reading pppd's files. Nothing here waits: only regular files are opened, and only so much of each.
#include "platform/linux/PppdFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace PppdFiles {

namespace {

constexpr qint64 MaxRead = 64 * 1024;
constexpr qint64 MaxPid = 4194304; // the kernel's highest pid_max

/// The text of a regular file, or nothing when it is missing, not a regular file, or cannot be read.
std::optional<QByteArray> readSmallFile(const QString& path, Read* outcome = nullptr)
{
    const QFileInfo info(path);
    const auto fail = [&](Read why) -> std::optional<QByteArray> {
        if (outcome)
            *outcome = why;
        return std::nullopt;
    };
    if (!info.exists() && !info.isSymLink())
        return fail(Read::Missing);
    if (!info.isFile())
        return fail(Read::Unreadable); // a folder, a pipe that would block, a link to nowhere
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Read::Unreadable);
    if (outcome)
        *outcome = Read::Done;
    return file.read(MaxRead);
}

/// Reads /proc files, whose size reads as 0.
QByteArray readProcFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return file.read(MaxRead);
}

bool loadsPasswordFd(const QStringList& words)
{
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == QLatin1String("plugin") && QFileInfo(words[i + 1]).fileName() == QLatin1String("passwordfd.so"))
            return true;
    }
    return false;
}

/// The value after the last occurrence of an option.
QString valueOf(const QStringList& words, const QString& option)
{
    for (qsizetype i = words.size() - 2; i >= 0; --i) {
        if (words[i] == option)
            return words[i + 1];
    }
    return QString();
}

PeerOptions optionsIn(const QByteArray& text)
{
    const QStringList words = optionWords(QString::fromUtf8(text));
    PeerOptions options;
    options.user = valueOf(words, QStringLiteral("user"));
    options.loadsPasswordFd = loadsPasswordFd(words);
    options.noDetach = words.contains(QLatin1String("nodetach"));
    return options;
}

bool isLeftover(const QString& name)
{
    return name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('~')) ||
           name.contains(QLatin1String(".dpkg-")) || name.contains(QLatin1String(".ucf-")) ||
           name.endsWith(QLatin1String(".bak")) || name.endsWith(QLatin1String(".orig"));
}

/// The link name of a "ppp-LINKNAME.pid" whose second line names the interface, with its pid.
QString linkNameOf(const PppdPlaces& places, const QString& interfaceName, std::optional<qint64>* pid = nullptr)
{
    const QDir run(places.runFolder);
    const QStringList files =
        run.entryList({QStringLiteral("ppp-*.pid")}, QDir::Files | QDir::Readable | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& file : files) {
        const auto text = readSmallFile(run.filePath(file));
        if (!text)
            continue;
        const QList<QByteArray> lines = text->split('\n');
        if (lines.size() < 2 || QString::fromUtf8(lines[1].trimmed()) != interfaceName)
            continue;
        if (pid)
            *pid = pidInFile(run.filePath(file));
        return file.mid(4, file.size() - 8);
    }
    return QString();
}

} // namespace

QStringList optionWords(const QString& text)
{
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            ++i; // a line continued
            continue;
        }
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (c == QLatin1Char('\\') && i + 1 < text.size())
                word += text[++i];
            else
                word += c;
            continue;
        }
        if (c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('#') && !inWord) {
            while (i + 1 < text.size() && text[i + 1] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            inWord = true;
        } else if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            word += text[++i];
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

QStringList peerNames(const PppdPlaces& places)
{
    const QDir peers(QDir(places.pppFolder).filePath(QStringLiteral("peers")));
    QStringList names;
    for (const QFileInfo& info : peers.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        if (isLeftover(info.fileName()))
            continue;
        PeerOptions options;
        if (readPeer(places, info.fileName(), options) == Read::Done)
            names.append(info.fileName());
    }
    return names;
}

Read readPeer(const PppdPlaces& places, const QString& name, PeerOptions& out)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..") || isLeftover(name))
        return Read::Missing;
    Read outcome = Read::Missing;
    const auto text = readSmallFile(QDir(places.pppFolder).filePath(QStringLiteral("peers/") + name), &outcome);
    if (!text)
        return outcome;
    out = optionsIn(*text);
    return Read::Done;
}

PeerOptions systemOptions(const PppdPlaces& places)
{
    const auto text = readSmallFile(QDir(places.pppFolder).filePath(QStringLiteral("options")));
    return text ? optionsIn(*text) : PeerOptions();
}

bool passwordFdInstalled(const PppdPlaces& places)
{
    const QDir plugins(places.pluginFolder);
    for (const QString& version : plugins.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo(plugins.filePath(version + QStringLiteral("/passwordfd.so"))).isFile())
            return true;
    }
    return false;
}

QString findProgram(const PppdPlaces& places)
{
    if (places.program.contains(QLatin1Char('/')))
        return QFileInfo(places.program).isExecutable() ? places.program : QString();
    QString found = QStandardPaths::findExecutable(places.program);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(places.program, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return found;
}

std::optional<qint64> pidInFile(const QString& path)
{
    const auto text = readSmallFile(path);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qint64 pid = text->split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || pid <= 1 || pid > MaxPid)
        return std::nullopt;
    return pid;
}

bool isPppd(const PppdPlaces& places, qint64 pid)
{
    const QByteArray comm = readProcFile(QStringLiteral("%1/%2/comm").arg(places.procFolder).arg(pid));
    return comm.trimmed() == "pppd";
}

QStringList commandLine(const PppdPlaces& places, qint64 pid)
{
    QByteArray text = readProcFile(QStringLiteral("%1/%2/cmdline").arg(places.procFolder).arg(pid));
    if (text.endsWith('\0'))
        text.chop(1);
    QStringList words;
    if (text.isEmpty())
        return words;
    for (const QByteArray& word : text.split('\0'))
        words.append(QString::fromUtf8(word));
    return words;
}

std::optional<qint64> pppdOf(const PppdPlaces& places, const QString& interfaceName)
{
    if (interfaceName.isEmpty() || interfaceName.contains(QLatin1Char('/')))
        return std::nullopt;
    auto pid = pidInFile(QDir(places.runFolder).filePath(interfaceName + QStringLiteral(".pid")));
    if (pid && isPppd(places, *pid))
        return pid;
    pid.reset();
    if (linkNameOf(places, interfaceName, &pid).isEmpty() || !pid || !isPppd(places, *pid))
        return std::nullopt;
    return pid;
}

QString connectionName(const PppdPlaces& places, const QString& interfaceName)
{
    const auto pid = pppdOf(places, interfaceName);
    const QStringList words = pid ? commandLine(places, *pid) : QStringList();
    if (const QString peer = valueOf(words, QStringLiteral("call")); !peer.isEmpty())
        return peer;
    if (const QString link = linkNameOf(places, interfaceName); !link.isEmpty())
        return link;
    if (const QString param = valueOf(words, QStringLiteral("ipparam")); !param.isEmpty())
        return param;
    return interfaceName;
}

} // namespace PppdFiles
