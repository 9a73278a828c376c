// The journal is a few lines of text: the file's path, its header and each record, the bytes in hex.
#include "record/PendingJournal.h"

#include "record/ProfileRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace PendingJournal {

namespace {
constexpr QLatin1StringView firstLine("QovRuvela pending session records 1");
} // namespace

QString defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/QovRuvela/pending-records");
}

bool write(const QString& journal, const Contents& contents, QString* problem)
{
    const QString folder = QFileInfo(journal).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder)) {
            *problem = QStringLiteral("the folder %1 cannot be made").arg(folder);
            return false;
        }
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QSaveFile out(journal);
    if (!out.open(QIODevice::WriteOnly)) {
        *problem = out.errorString();
        return false;
    }
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QByteArray text = QByteArray(firstLine.data(), firstLine.size()) + '\n';
    text += "file " + contents.file.toUtf8() + '\n';
    text += "header " + contents.header.toHex() + '\n';
    for (auto it = contents.records.cbegin(); it != contents.records.cend(); ++it)
        text += "record " + QByteArray::number(it.key()) + ' ' + it.value().toHex() + '\n';
    if (out.write(text) != text.size() || !out.commit()) {
        *problem = out.errorString();
        return false;
    }
    return true;
}

std::optional<Contents> read(const QString& journal)
{
    QFile in(journal);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = in.readAll().split('\n');
    if (lines.size() < 3 || lines[0] != QByteArray(firstLine.data(), firstLine.size()) ||
        !lines[1].startsWith("file ") || !lines[2].startsWith("header "))
        return std::nullopt;
    Contents contents;
    contents.file = QString::fromUtf8(lines[1].mid(5));
    contents.header = QByteArray::fromHex(lines[2].mid(7));
    for (qsizetype i = 3; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split(' ');
        if (fields.size() != 3 || fields[0] != "record")
            continue;
        bool ok = false;
        const qint64 index = fields[1].toLongLong(&ok);
        const QByteArray bytes = QByteArray::fromHex(fields[2]);
        if (ok && index >= 1 && bytes.size() == ProfileRecord::Size)
            contents.records.insert(index, bytes);
    }
    if (contents.file.isEmpty() || contents.records.isEmpty())
        return std::nullopt;
    return contents;
}

QStringList describe(const QMap<qint64, QByteArray>& records)
{
    QStringList lines;
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        const std::optional<ProfileRecord> record = ProfileRecord::fromBytes(it.value());
        if (record)
            lines.append(
                QStringLiteral("record %1: from %2 to %3").arg(it.key()).arg(record->StartText, record->EndText));
    }
    return lines;
}

} // namespace PendingJournal
