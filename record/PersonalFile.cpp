// Every access opens the file, does one thing and closes it again, so other programs may copy it between
// ticks and nothing is lost when the program ends.
#include "record/PersonalFile.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "record/StoredDate.h"

#include <QFile>
#include <QFileInfo>

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

    const QString time = StoredDate::timeText(m_clock.now().time());
    QFile file(filePath());
    if (!isNamed() || !file.open(existingForReadWrite)) {
        if (!createIfMissing) {
            // Only the period logic creates personal files; a session record never does.
            if (m_statusLine)
                m_statusLine(QStringLiteral("Could not open the personal file ") + m_personalFileName +
                             QStringLiteral(". ") + time);
            return false;
        }
        const bool missing = isNamed() && !QFileInfo::exists(file.fileName());
        if (!missing || !file.open(QIODevice::ReadWrite | QIODevice::NewOnly)) {
            reportOpenFailure(file.errorString());
            return false;
        }
    }
    if (recordIndex < 0 || !file.seek(recordIndex * ProfileRecord::Size) || file.write(bytes) != ProfileRecord::Size ||
        !file.flush()) {
        if (m_statusLine)
            m_statusLine(QStringLiteral("Could not write to the personal file ") + m_personalFileName +
                         QStringLiteral(". ") + time);
        return false;
    }
    file.close();
    return true;
}

void PersonalFile::reportOpenFailure(const QString& problem)
{
    // One box at a time; the status line of the caller keeps telling of later failures.
    if (m_fileErrorShowing)
        return;
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
    return file.size() / ProfileRecord::Size;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = file.errorString();
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
