// How the period recovers by itself: a file that cannot be reached for a while and a roll-over cut short;
// and the notice of a file whose creation date is after today.
#include "record/AccountingPeriod.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "record/BackupFolder.h"
#include "record/PeriodRules.h"
#include "record/PersonalFile.h"
#include "record/StoredDate.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

QString AccountingPeriod::waitingText() const
{
    if (m_keepsSessions)
        return QStringLiteral("The personal file %1 cannot be written: sessions are kept and written when it can.")
            .arg(m_file.PersonalFileName());
    return QStringLiteral("The personal file %1 cannot be reached; recording goes on as soon as it can be.")
        .arg(m_file.PersonalFileName());
}

SessionReload AccountingPeriod::RetryLoad(std::optional<qint64> openSession)
{
    if (!m_waitingForFile)
        return {};
    using Status = PersonalFile::HeaderRead::Status;
    const Status status = m_file.readHeader().status;
    if (status == Status::Unreadable)
        return {};
    if ((status == Status::Missing || status == Status::TooShort) && !finishInterruptedRollOver())
        return {};
    const SessionReload reload = load(openSession);
    // What was kept meanwhile goes in now, not at the next quarter-minute.
    if (m_personalFileActive)
        m_file.retryPendingWrites();
    return reload;
}

bool AccountingPeriod::takeReadOnlyHeader()
{
    const std::optional<ProfileRecord> header = PersonalFile::readHeaderOf(m_file.filePath());
    if (!header || !header->hasUserProfileTag() || !PeriodRules::isStartingDay(header->StartingDay) ||
        !PeriodRules::isEndingDay(header->EndingDay))
        return false;
    m_startingDay = header->StartingDay;
    m_endingDay = header->EndingDay;
    m_lastRecordCount = std::max(m_lastRecordCount, QFileInfo(m_file.filePath()).size() / ProfileRecord::Size);
    return true;
}

bool AccountingPeriod::finishInterruptedRollOver()
{
    if (!m_file.isNamed() || !m_file.rollOverUnderWay())
        return false;
    // The newest finished file is the one whose period ended last.
    const BackupFolder folder(m_file.backupDirPath());
    std::optional<ProfileRecord> newest;
    QDate newestEnd;
    for (int n = 1; n <= BackupFolder::slotCount; ++n) {
        const std::optional<ProfileRecord> header = PersonalFile::readHeaderOf(folder.slotPath(n));
        if (!header || !header->hasUserProfileTag())
            continue;
        const QDate end = StoredDate::parseDate(header->NextPeriodDate);
        if (end.isValid() && (!newest || end > newestEnd)) {
            newest = header;
            newestEnd = end;
        }
    }
    const QDate today = m_clock.now().date();
    // Only a period that had ended: a file moved away by "Create / Modify" waits for the user's new days.
    if (!newest || today < newestEnd || !PeriodRules::isStartingDay(newest->StartingDay) ||
        !PeriodRules::isEndingDay(newest->EndingDay))
        return false;
    // A file too short for its header holds no record: it gives way to the new one.
    if (QFileInfo::exists(m_file.filePath()) && !QFile::remove(m_file.filePath()))
        return false;
    if (!writeHeader(today, newest->StartingDay, newest->EndingDay))
        return false;
    m_file.removeRollOverMarker();
    m_afterLoadNotice = QStringLiteral("The new period's personal file %1 was started after an interruption.")
                            .arg(m_file.PersonalFileName());
    return true;
}

void AccountingPeriod::noticeFutureFile(const ProfileRecord& header)
{
    // Once per file and creation date: the header is read again after every session.
    const QString told = m_file.PersonalFileName() + QLatin1Char('/') + header.CreatedDate;
    if (m_dateNoticeShowing || told == m_toldFutureFile)
        return;
    m_toldFutureFile = told;
    m_dialogs.beep();
    m_dateNoticeShowing = true;
    m_dialogs.notify(Dialogs::Kind::Information,
                     QStringLiteral("Today's date is earlier than the date on which the personal file "
                                    "%1 was created (%2). Please check the computer's clock.")
                         .arg(m_file.PersonalFileName(), header.CreatedDate),
                     [this] { m_dateNoticeShowing = false; });
}

void AccountingPeriod::setStepHook(std::function<void(const QString& step)> hook)
{
    m_stepHook = hook;
    m_file.setStepHook(std::move(hook));
}

void AccountingPeriod::step(const QString& name) const
{
    if (m_stepHook)
        m_stepHook(name);
}
