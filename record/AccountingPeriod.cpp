// Loading the period header, the roll-over and the backups. A finished file is only ever renamed into the
// backup folder, and a new header is only written once that move has happened, so the user always keeps
// either the active file or its backup.
#include "record/AccountingPeriod.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "record/BackupFolder.h"
#include "record/PeriodRules.h"
#include "record/PersonalFile.h"
#include "record/StoredDate.h"

#include <QDir>
#include <QFileInfo>

using PeriodRules::twoDigitDay;

AccountingPeriod::AccountingPeriod(PersonalFile& file, Clock& clock, Dialogs& dialogs, PeriodHost& host)
    : m_file(file), m_clock(clock), m_dialogs(dialogs), m_host(host)
{}

QString AccountingPeriod::today() const
{
    return StoredDate::dateText(m_clock.now().date());
}

void AccountingPeriod::reportError(const QString& text)
{
    m_dialogs.beep();
    m_dialogs.notify(Dialogs::Kind::Error, text);
}

SessionReload AccountingPeriod::UserProfileInitial()
{
    return load(std::nullopt);
}

SessionReload AccountingPeriod::load(std::optional<qint64> keptSession)
{
    // The boxes below never wait, so the tracker that hands the outcome on afterwards is reset before any
    // tick runs under them.
    SessionReload reload;
    reload.startAfresh = !keptSession;
    m_nextPeriodDate.clear();
    m_nextPeriodDay = QDate();
    // A record still waiting for the disk keeps its notice until it is written.
    if (m_file.pendingWrites() == 0)
        m_host.showStatusLine(QString());
    m_host.showDayPeriod(noPersonalFileText);
    m_todayInPeriod = false;
    m_personalFileActive = false;

    const QString name = m_file.PersonalFileName();
    PersonalFile::HeaderRead header = m_file.readHeader();
    using Status = PersonalFile::HeaderRead::Status;
    if ((header.status == Status::Missing || header.status == Status::TooShort) && finishInterruptedRollOver())
        header = m_file.readHeader();
    // A file that was in use and cannot be reached now is waited for under its name, not taken as absent;
    // so is one that can be read but not written (a read-only folder), from the start on.
    const bool wasInUse = !name.isEmpty() && name == m_lastActiveName;
    const bool readOnly = header.status == Status::Unreadable && takeReadOnlyHeader();
    if (readOnly || (wasInUse && (header.status == Status::Missing || header.status == Status::Unreadable))) {
        if (!m_waitingForFile && header.status == Status::Unreadable && !readOnly)
            reportError(QStringLiteral("The personal file %1 cannot be opened: %2.").arg(name, header.problem));
        m_waitingForFile = true;
        // A file that exists, or one a roll-over is making, will take the sessions recorded meanwhile.
        m_keepsSessions = header.status == Status::Unreadable || m_file.rollOverUnderWay();
        if (!keptSession)
            reload.nextFilePointer =
                m_file.nextPointerAfter(header.status == Status::Unreadable ? m_lastRecordCount : 1);
        m_host.showStatusLine(waitingText());
        if (m_file.isNamed())
            m_host.listBackupFiles(m_file.backupDirPath());
        return reload;
    }
    m_waitingForFile = false;
    switch (header.status) {
    case Status::Missing:
        break;
    case Status::Unreadable:
        reportError(QStringLiteral("The personal file %1 cannot be opened: %2.").arg(name, header.problem));
        m_host.showDayPeriod(damagedHeaderText);
        break;
    case Status::TooShort:
        reportError(QStringLiteral("The personal file %1 is too short to hold its period header. "
                                   "It is not used; create a new one with \"Create / Modify\".")
                        .arg(name));
        m_host.showDayPeriod(damagedHeaderText);
        break;
    case Status::WrongTag:
        reportError(QStringLiteral("The personal file %1 does not start with a period header. "
                                   "It is not used; create a new one with \"Create / Modify\".")
                        .arg(name));
        m_host.showDayPeriod(damagedHeaderText);
        break;
    case Status::Ok: {
        ProfileRecord& r = header.record;
        QString dayPeriod = dayPeriodCaption + QLatin1Char(' ');
        if (today() < r.CreatedDate)
            noticeFutureFile(r);
        // A file that records is done with any roll-over: a marker left by one that finished is stale.
        m_file.removeRollOverMarker();
        m_nextPeriodDate = r.NextPeriodDate;
        m_nextPeriodDay = StoredDate::parseDate(m_nextPeriodDate);
        bool usable = true;
        if (PeriodRules::isStartingDay(r.StartingDay)) {
            dayPeriod += twoDigitDay(r.StartingDay);
            m_startingDay = r.StartingDay;
        } else {
            reportError(QStringLiteral("The personal file %1 holds an invalid starting day (%2).")
                            .arg(name, QString::number(r.StartingDay)));
            dayPeriod = damagedHeaderText;
            usable = false;
        }
        if (PeriodRules::isEndingDay(r.EndingDay)) {
            m_endingDay = r.EndingDay;
            if (usable)
                dayPeriod += QStringLiteral(" to ") + twoDigitDay(r.EndingDay) + QStringLiteral(" - ") +
                             m_file.PersonalName() + QStringLiteral(" -");
        } else {
            reportError(QStringLiteral("The personal file %1 holds an invalid ending day (%2).")
                            .arg(name, QString::number(r.EndingDay)));
            dayPeriod = damagedHeaderText;
            usable = false;
        }
        // Without a readable next-period date the file still records; only its roll-over cannot happen.
        // Told once, not after every session.
        const QString unreadableNext =
            m_nextPeriodDay.isValid() ? QString() : name + QLatin1Char('/') + r.NextPeriodDate;
        if (usable && !unreadableNext.isEmpty() && unreadableNext != m_toldUnreadableNext)
            reportError(QStringLiteral("The personal file %1 holds an invalid date for its next period (%2). "
                                       "Recording goes on, but the file cannot move on to a new period; "
                                       "start a new one with \"Create / Modify\".")
                            .arg(name, r.NextPeriodDate));
        if (usable)
            m_toldUnreadableNext = unreadableNext;
        m_personalFileActive = usable;
        m_host.showDayPeriod(dayPeriod);
        break;
    }
    }

    if (m_personalFileActive) {
        const qint64 count = m_file.GetNextPointerOnmrLogFile();
        if (count < 1) {
            // The file went away or shrank between the two reads: nothing may be written into it.
            m_personalFileActive = false;
        } else {
            reload.nextFilePointer = keptSession ? *keptSession : count;
            m_todayInPeriod = IsTodayInPeriod();
            LoadCreationDate();
            m_lastActiveName = name;
            m_lastRecordCount = count;
        }
    }
    if (!m_afterLoadNotice.isEmpty()) {
        m_host.showStatusLine(m_afterLoadNotice);
        m_afterLoadNotice.clear();
    }
    if (m_file.isNamed())
        m_host.listBackupFiles(m_file.backupDirPath());
    return reload;
}

bool AccountingPeriod::IsTodayInPeriod()
{
    const PersonalFile::HeaderRead header = m_file.readHeader();
    if (header.status != PersonalFile::HeaderRead::Status::Ok)
        return false;
    return PeriodRules::isRecordingDay(header.record.StartingDay, header.record.EndingDay, m_clock.now().date().day());
}

bool AccountingPeriod::RecordsToday() const
{
    if (m_personalFileActive)
        return m_todayInPeriod;
    return KeepsSessionsWhileWaiting() &&
           PeriodRules::isRecordingDay(m_startingDay, m_endingDay, m_clock.now().date().day());
}

void AccountingPeriod::LoadCreationDate()
{
    m_createdMonth = notLoaded;
    m_createdDay = notLoaded;
    const QString name = m_file.PersonalFileName();
    const PersonalFile::HeaderRead header = m_file.readHeader();
    using Status = PersonalFile::HeaderRead::Status;
    if (header.status == Status::Missing || header.status == Status::Unreadable) {
        reportError(QStringLiteral("The personal file %1 cannot be opened to read its creation date.").arg(name));
        return;
    }
    if (header.status != Status::Ok)
        return;
    bool ok = false;
    const int month = header.record.CreatedDate.mid(5, 2).toInt(&ok);
    if (ok) {
        m_createdMonth = month;
        const int day = header.record.CreatedDate.mid(8, 2).toInt(&ok);
        if (ok)
            m_createdDay = day;
    }
    if (!ok)
        reportError(QStringLiteral("The creation date of the personal file %1 cannot be read (\"%2\").")
                        .arg(name, header.record.CreatedDate));
}

bool AccountingPeriod::PeriodEndDue() const
{
    // Runs every second: compares dates, not their texts. An error box of an earlier attempt that is still
    // open keeps the ticks under it away from the files.
    const QDate now = m_clock.now().date();
    return m_nextPeriodDay.isValid() && now >= m_nextPeriodDay && m_createdMonth != notLoaded &&
           m_createdDay != notLoaded && !m_backupErrorShowing && !m_file.FileErrorShowing();
}

bool AccountingPeriod::RollOverReady()
{
    if (!PeriodEndDue() || !m_file.retryPendingWrites() || !m_file.isNamed())
        return false;
    // The roll-over writes its marker beside the file and renames the file out of that folder.
    if (!QFileInfo(m_file.ProgramDir()).isWritable())
        return false;
    const QString folder = m_file.backupDirPath();
    BackupFolder::makePrivate(folder);
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

SessionReload AccountingPeriod::CheckPeriodEnd()
{
    if (!PeriodEndDue())
        return {};
    const QDate now = m_clock.now().date();
    const QString time = StoredDate::timeText(m_clock.now().time());
    // The finished file moves only with every session record in it.
    if (!m_file.retryPendingWrites()) {
        m_host.showStatusLine(QStringLiteral("The new period waits until the session records are written. ") + time);
        return {};
    }
    // Written first and removed last: the one sign, after a kill, that a missing file was being rolled over.
    if (!m_file.writeRollOverMarker()) {
        m_host.showStatusLine(QStringLiteral("The new period waits until the folder of %1 can be written. ")
                                  .arg(m_file.PersonalFileName()) +
                              time);
        return {};
    }
    step(QStringLiteral("rollover-start"));
    if (backup(false) == BackupResult::Failed) {
        // The finished file stays whole and in use, header and all; the next tick tries again.
        m_file.removeRollOverMarker();
        m_host.showStatusLine(QStringLiteral("The finished period could not be moved to the backup folder. ") + time);
        return {};
    }

    step(QStringLiteral("rollover-moved"));
    const int startingDay = m_startingDay;
    const int endingDay = m_endingDay;
    const bool written = writeHeader(now, startingDay, endingDay);
    step(QStringLiteral("rollover-done"));
    // Without the new file the marker stays, and the roll-over is finished as soon as the file can be written.
    if (written)
        m_file.removeRollOverMarker();
    const SessionReload reload = UserProfileInitial();
    if (written) {
        m_host.showDayPeriod(dayPeriodCaption + QLatin1Char(' ') + twoDigitDay(startingDay) + QStringLiteral(" to ") +
                             twoDigitDay(endingDay));
        m_host.showStatusLine(QStringLiteral("A new period has begun in a new ") + m_file.PersonalFileName() +
                              QStringLiteral("."));
    } else {
        m_host.showStatusLine(QStringLiteral("Could not start the new period's personal file. ") + time);
    }
    return reload;
}

AccountingPeriod::BackupResult AccountingPeriod::BackupFile()
{
    return backup(true);
}

AccountingPeriod::BackupResult AccountingPeriod::backup(bool reportRepeats)
{
    QString error;
    BackupResult result = BackupResult::NothingToMove;
    if (m_file.isNamed())
        BackupFolder::makePrivate(m_file.backupDirPath()); // made on the first file already, for the list of backups
    if (!m_file.isNamed()) {
        result = BackupResult::NothingToMove;
    } else if (QFileInfo::exists(m_file.filePath())) {
        const BackupFolder::Outcome outcome = BackupFolder(m_file.backupDirPath()).moveIn(m_file.filePath());
        result = outcome.moved ? BackupResult::Moved : BackupResult::Failed;
        error = outcome.error;
    } else if (m_personalFileActive) {
        // Gone already: there is nothing to keep, so the new file may still be started.
        error = QStringLiteral("The personal file %1 was not found, so it could not be moved to the backup folder.")
                    .arg(m_file.PersonalFileName());
    }

    // The same failure on every tick is shown once; the status line keeps reporting it.
    if (!error.isEmpty() && !m_backupErrorShowing && (reportRepeats || error != m_lastBackupError)) {
        m_dialogs.beep();
        m_backupErrorShowing = true;
        m_dialogs.notify(Dialogs::Kind::Error, error, [this] { m_backupErrorShowing = false; });
    }
    m_lastBackupError = error;
    return result;
}

bool AccountingPeriod::writeHeader(const QDate& today, int startingDay, int endingDay)
{
    return m_file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                                  PeriodRules::nextPeriodDate(today, startingDay), startingDay, endingDay, QString(),
                                  QString(), 0, 0);
}

NewFileOutcome AccountingPeriod::StartNewFile(int startingDay, int endingDay)
{
    bool written = false;
    if (BackupFile() != BackupResult::Failed)
        written = writeHeader(m_clock.now().date(), startingDay, endingDay);
    const SessionReload reload = UserProfileInitial();
    if (written)
        m_host.showDayPeriod(QStringLiteral("Active user : ") + twoDigitDay(startingDay) + QStringLiteral(" to ") +
                             twoDigitDay(endingDay) + QStringLiteral(" - ") + m_file.PersonalName() +
                             QStringLiteral(" - "));
    m_host.showStatusLine(written ? QStringLiteral("Created a new personal file.")
                                  : QStringLiteral("Failing to create a new personal file."));
    return {written, reload};
}
