// Every access opens the file, does one thing and closes it again, so other programs may copy it between
// ticks and nothing is lost when the program ends.
#include "record/PersonalFile.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "record/RegularFile.h"
#include "record/StoredDate.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
constexpr QIODevice::OpenMode existingForReadWrite = QIODevice::ReadWrite | QIODevice::ExistingOnly;
} // namespace

PersonalFile::PersonalFile(QString programDir, Clock& clock, Dialogs& dialogs)
    : m_programDir(std::move(programDir)), m_clock(clock), m_dialogs(dialogs)
{
    if (!m_programDir.isEmpty() && !m_programDir.endsWith(QLatin1Char('/')))
        m_programDir += QLatin1Char('/');
}

QString PersonalFile::PersonalName() const
{
    const qsizetype dot = m_personalFileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? m_personalFileName.left(dot) : m_personalFileName;
}

QString PersonalFile::BackupDirName() const
{
    return PersonalName() + QLatin1Char('/');
}

bool PersonalFile::exists() const
{
    return isNamed() && QFileInfo(filePath()).isFile();
}

bool PersonalFile::SaveProfileInfo(const QString& tag, bool createIfMissing, const QString& createdDate,
                                   const QString& nextPeriodDate, qint32 startingDayOrBytesReceived,
                                   qint32 endingDayOrBytesSent, const QString& startText, const QString& endText,
                                   qint32 usedMinutes, qint64 recordIndex)
{
    ProfileRecord record;
    record.Tag = tag;
    record.CreatedDate = createdDate;
    record.NextPeriodDate = nextPeriodDate;
    record.StartingDay = startingDayOrBytesReceived;
    record.EndingDay = endingDayOrBytesSent;
    record.StartText = startText;
    record.EndText = endText;
    record.UsedMinutes = usedMinutes;
    const QByteArray bytes = record.toBytes();

    if (!createIfMissing) {
        // Only the period logic creates personal files; a session record never does.
        if (!isNamed())
            return false;
        // Records waiting for another file (the name was changed meanwhile) go first; this one waits its turn.
        if (!m_pending.isEmpty() && m_pendingPath != filePath() && !writePending())
            return false;
        if (m_pending.isEmpty())
            m_pendingPath = filePath();
        m_pending.insert(recordIndex, bytes);
        ++m_pendingVersion;
        return writePending();
    }

    QFile file(filePath());
    if (!isNamed() || !file.open(existingForReadWrite)) {
        const bool missing = isNamed() && !QFileInfo::exists(file.fileName());
        if (!missing) {
            reportOpenFailure(file.errorString());
            return false;
        }
        // A new file holds its header only.
        return recordIndex == 0 && createWhole(bytes);
    }
    if (recordIndex < 0 || !file.seek(recordIndex * ProfileRecord::Size) || file.write(bytes) != ProfileRecord::Size ||
        !file.flush()) {
        if (m_statusLine)
            m_statusLine(QStringLiteral("Could not write to the personal file ") + m_personalFileName +
                         QStringLiteral(". ") + StoredDate::timeText(m_clock.now().time()));
        return false;
    }
    file.close();
    return true;
}

bool PersonalFile::createWhole(const QByteArray& header)
{
    const QString temporary = filePath() + QLatin1String(newFileSuffix);
    QFile::remove(temporary);
    QFile file(temporary);
    // The user's private history: readable by the user alone, whatever the umask.
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
        file.write(header) == ProfileRecord::Size && file.flush();
    const QString problem = file.errorString();
    file.close();
    if (written && m_stepHook)
        m_stepHook(QStringLiteral("new-file-written"));
    // A rename never replaces a file that appeared meanwhile.
    if (!written || !QFile::rename(temporary, filePath())) {
        QFile::remove(temporary);
        reportOpenFailure(written ? QStringLiteral("the new file could not be put in place") : problem);
        return false;
    }
    m_lastOpenFailure.clear();
    return true;
}

bool PersonalFile::writeRollOverMarker()
{
    if (!isNamed())
        return false;
    QFile marker(filePath() + QLatin1String(rollOverSuffix));
    // Empty: it needs no room on a full disk, only its name.
    return marker.exists() || marker.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void PersonalFile::removeRollOverMarker()
{
    if (isNamed())
        QFile::remove(filePath() + QLatin1String(rollOverSuffix));
}

bool PersonalFile::rollOverUnderWay() const
{
    return isNamed() && (QFileInfo::exists(filePath() + QLatin1String(rollOverSuffix)) ||
                         QFileInfo::exists(filePath() + QLatin1String(newFileSuffix)));
}

bool PersonalFile::adoptPending(const QString& path, const QMap<qint64, QByteArray>& records)
{
    if (!m_pending.isEmpty() || records.isEmpty())
        return false;
    m_pendingPath = path;
    m_pending = records;
    ++m_pendingVersion;
    return true;
}

bool PersonalFile::retryPendingWrites()
{
    return m_pending.isEmpty() || writePending();
}

bool PersonalFile::writePending()
{
    QFile file(m_pendingPath);
    // Records go into a regular file only: a pipe put in its place would swallow them.
    bool opened = file.open(existingForReadWrite) && RegularFile::isRegular(file);
    // In order: a later record never reaches the file before an earlier one.
    while (opened && !m_pending.isEmpty()) {
        const qint64 index = m_pending.firstKey();
        if (index < 0 || !file.seek(index * ProfileRecord::Size) ||
            file.write(m_pending.first()) != ProfileRecord::Size || !file.flush())
            break;
        m_pending.remove(index);
    }
    if (m_pending.isEmpty()) {
        if (m_writeFailureShown && m_statusLine)
            m_statusLine(QString());
        m_writeFailureShown = false;
        return true;
    }
    if (m_statusLine) {
        const int waiting = int(m_pending.size());
        m_statusLine(QStringLiteral("Could not %1 the personal file %2; %3 waiting to be written. %4")
                         .arg(opened ? QStringLiteral("write to") : QStringLiteral("open"), m_personalFileName,
                              waiting == 1 ? QStringLiteral("1 session record is")
                                           : QStringLiteral("%1 session records are").arg(waiting),
                              StoredDate::timeText(m_clock.now().time())));
    }
    m_writeFailureShown = true;
    return false;
}

void PersonalFile::reportOpenFailure(const QString& problem)
{
    // One box at a time, and the same failure once until a write works: a retry on every tick opens none.
    if (m_fileErrorShowing || problem == m_lastOpenFailure)
        return;
    m_lastOpenFailure = problem;
    m_dialogs.beep();
    m_fileErrorShowing = true;
    m_dialogs.notify(Dialogs::Kind::Error,
                     QStringLiteral("Could not write the personal file ") + m_personalFileName +
                         QStringLiteral(".\nError # ") + problem,
                     [this] { m_fileErrorShowing = false; });
}

qint64 PersonalFile::GetNextPointerOnmrLogFile()
{
    QFile file(filePath());
    if (!isNamed() || !file.open(existingForReadWrite)) {
        m_dialogs.beep();
        m_dialogs.notify(Dialogs::Kind::Error, QStringLiteral("Could not count the records of the personal file ") +
                                                   m_personalFileName + QStringLiteral(".\nError # ") +
                                                   file.errorString());
        return -1;
    }
    return nextPointerAfter(file.size() / ProfileRecord::Size);
}

qint64 PersonalFile::nextPointerAfter(qint64 recordCount) const
{
    return m_pending.isEmpty() || m_pendingPath != filePath() ? recordCount
                                                              : std::max(recordCount, m_pending.lastKey() + 1);
}

std::optional<ProfileRecord> PersonalFile::readHeaderOf(const QString& path)
{
    QFile file;
    QString problem;
    if (RegularFile::openForReading(file, path, &problem) != RegularFile::Opened::Ok)
        return std::nullopt;
    return ProfileRecord::fromBytes(file.read(ProfileRecord::Size));
}

PersonalFile::HeaderRead PersonalFile::readHeader() const
{
    HeaderRead result;
    if (!isNamed() || !QFileInfo::exists(filePath()))
        return result;
    QFile file(filePath());
    if (!file.open(existingForReadWrite)) {
        result.status = HeaderRead::Status::Unreadable;
        result.problem = file.errorString();
        return result;
    }
    if (!RegularFile::isRegular(file)) {
        result.status = HeaderRead::Status::Unreadable;
        result.problem = QStringLiteral("%1 is not a regular file").arg(filePath());
        return result;
    }
    const std::optional<ProfileRecord> record = ProfileRecord::fromBytes(file.read(ProfileRecord::Size));
    if (!record) {
        result.status = HeaderRead::Status::TooShort;
        return result;
    }
    result.record = *record;
    result.status = record->hasUserProfileTag() ? HeaderRead::Status::Ok : HeaderRead::Status::WrongTag;
    return result;
}

std::optional<QList<ProfileRecord>> PersonalFile::readRecords(const QString& path, QString* problem)
{
    QFile file;
    QString why;
    if (RegularFile::openForReading(file, path, &why) != RegularFile::Opened::Ok) {
        if (problem)
            *problem = why;
        return std::nullopt;
    }
    QList<ProfileRecord> records;
    const qint64 count = file.size() / ProfileRecord::Size;
    records.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const std::optional<ProfileRecord> record = ProfileRecord::fromBytes(file.read(ProfileRecord::Size));
        if (!record)
            break;
        records.append(*record);
    }
    return records;
}
