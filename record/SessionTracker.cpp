// The tracker's tick, the session's start, minute counting, saves and end.
#include "record/SessionTracker.h"

#include "common/ByteText.h"
#include "platform/Clock.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"

SessionTracker::SessionTracker(Clock& clock, PersonalFile& file, AccountingPeriod& period, TrackerHost& host)
    : m_clock(clock), m_file(file), m_period(period), m_host(host)
{}

SessionReload SessionTracker::tick()
{
    SessionReload reload;
    if (m_period.PersonalFileActive()) {
        // The open session's last seconds go into the finished file just before it moves. Only when the move
        // can go ahead: a roll-over that keeps waiting (a full disk, a backup folder that cannot be made)
        // leaves the session to the usual minute counting and quarter-minute saves below.
        if (m_sessionOpen && m_period.RollOverReady()) {
            const Clock::Reading moment = m_clock.read();
            countMinute(moment.local);
            m_sessionEndText = StoredDate::dateTimeText(moment.local);
            saveSession(moment);
        }
        reload = m_period.CheckPeriodEnd();
    } else {
        reload = m_period.RetryLoad(m_sessionOpen ? std::optional<qint64>(m_nextFilePointer) : std::nullopt);
    }
    followReload(reload);
    // Records a full disk held back are tried again between sessions too.
    if (!m_sessionOpen && m_file.pendingWrites() > 0)
        m_file.retryPendingWrites();
    m_tickTime = m_clock.read();
    m_view.testCurMin = m_tickTime.local.time().minute();
    m_view.testCurMinPadded = true;

    if (!m_host.IsConnected()) {
        m_view.link = TrackerView::Link::Offline;
        if (m_period.PersonalFileActive()) {
            if (!m_period.TodayInPeriod())
                m_host.showStatusLine(notRecordingDayText);
        } else {
            showNoFile();
        }
        // Also a session kept in memory while its file is out of reach.
        if (m_sessionOpen)
            reload.then(EndSession());
        return reload;
    }

    // The online word with one, two, three and again three dots, one step a second.
    if (m_statusDotCount >= 4) {
        m_statusDotCount = 0;
    } else {
        m_view.link = TrackerView::Link::Online;
        m_view.onlineDots = m_statusDotCount;
    }
    ++m_statusDotCount;

    // A file out of reach that will come back still records: in memory, written as soon as it can be.
    const bool keptInMemory = !m_period.PersonalFileActive() && m_period.KeepsSessionsWhileWaiting();
    if (!m_period.PersonalFileActive() && !keptInMemory) {
        showNoFile();
        if (m_sessionOpen)
            reload.then(EndSession());
        return reload;
    }
    if (!m_host.Checked_PhoneBook_IsOn() && !m_host.alwaysRecord()) {
        m_host.showStatusLine(entryNotRecordedText);
        if (m_sessionOpen)
            reload.then(EndSession());
        return reload;
    }
    if (!m_period.RecordsToday()) {
        m_host.showStatusLine(notRecordingDayText);
        return reload;
    }
    if (m_sessionOpen) {
        ShowElapsed(m_tickTime);
        m_host.UpdateTrafficMonitor();
        m_view.received = m_receivedText.of(m_host.DialUpBytesReceived());
        m_view.sent = m_sentText.of(m_host.DialUpBytesSent());
    }
    m_host.CheckHourlyAlert(m_usedMinutes);

    if (!m_sessionOpen) {
        startSession();
        m_sessionOpen = true;
        if (keptInMemory && m_file.pendingWrites() == 0)
            showNoFile();
        return reload;
    }
    // Minute and second of the tick's one reading, so a tick never mixes two.
    countMinute(m_tickTime.local);
    // The first tick at or after each quarter-minute mark saves, so a tick that comes late or a busy second
    // that skips the mark's own second never stretches the time a kill could lose.
    if (quarterOf(m_tickTime) != m_lastSaveQuarter) {
        m_sessionEndText = StoredDate::dateTimeText(m_tickTime.local);
        saveSession(m_tickTime);
    }
    return reload;
}

void SessionTracker::countMinute(const QDateTime& moment)
{
    // Counts changes of the minute value, so a clock jump or a stretch without ticks adds at most one minute.
    const int minute = moment.time().minute();
    if (minute == m_prevMinute)
        return;
    ++m_usedMinutes;
    m_prevMinute = minute;
    MoveimgPointer();
    m_view.spendingHour = m_usedMinutes / 60;
    showUsedTimeTestLabel();
}

qint64 SessionTracker::quarterOf(const Clock::Reading& moment)
{
    // Quarter-minute marks fall on the same seconds in local time as in UTC.
    return moment.msecs / 1000 / 15;
}

void SessionTracker::showNoFile()
{
    m_host.showStatusLine(m_period.WaitingForFile() ? m_period.waitingText() : noPersonalFileText);
}

void SessionTracker::startSession()
{
    if (m_host.TrayIconOn())
        m_host.ChangeSysTrayIcon(0);
    m_host.showStatusLine(QString());
    m_view.scaleVisible = true;
    m_view.pointerMinute = 0;
    const Clock::Reading now = m_clock.read();
    m_prevMinute = now.local.time().minute();
    m_view.endTime.clear();
    m_host.ClearTrafficMonitor();
    m_sessionStartTime = now.local;
    m_sessionStartMSecs = now.msecs;
    m_sessionStartText = StoredDate::dateTimeText(now.local);
    m_sessionEndText = m_sessionStartText;
    saveSession(now);
    m_view.startTime = StoredDate::displayedForm(m_sessionStartText);
    m_view.spendingHour = m_usedMinutes / 60;
    if (m_host.TrayIconOn())
        m_host.ChangeSysTrayIcon(1);
}

void SessionTracker::saveSession(const Clock::Reading& moment)
{
    m_lastSaveQuarter = quarterOf(moment);
    m_file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(),
                           static_cast<qint32>(m_host.DialUpBytesReceived()),
                           static_cast<qint32>(m_host.DialUpBytesSent()), m_sessionStartText, m_sessionEndText,
                           m_usedMinutes, m_nextFilePointer);
}

SessionReload SessionTracker::EndSession()
{
    closeRecord();
    const SessionReload reload = m_period.UserProfileInitial();
    followReload(reload);
    if (!m_host.recordingStopped() && m_host.TrayIconOn())
        m_host.ChangeSysTrayIcon(0);
    return reload;
}

void SessionTracker::finish()
{
    if (m_sessionOpen)
        closeRecord();
}

void SessionTracker::closeRecord()
{
    const Clock::Reading now = m_clock.read();
    ShowElapsed(now);
    // The tick that finds the connection gone (or the program's end) may be the first of a new minute: its
    // change is counted too, or the end text would lie a minute further than the counter and the session
    // would lose that minute. While Stop is down nothing is counted, as on the ticks before.
    if (!m_host.recordingStopped() && now.local.time().minute() != m_prevMinute) {
        ++m_usedMinutes;
        m_prevMinute = now.local.time().minute();
    }
    m_sessionEndText = StoredDate::dateTimeText(now.local);
    saveSession(now);
    m_view.endTime = StoredDate::displayedForm(m_sessionEndText);
    m_view.spendingHour = m_usedMinutes / 60;
    m_sessionOpen = false;
    m_host.sessionClosed(m_sessionStartTime.secsTo(now.local), m_host.DialUpBytesReceived(), m_host.DialUpBytesSent());
}

void SessionTracker::MoveimgPointer()
{
    if (m_pointerMinute >= 60)
        m_pointerMinute = 0;
    m_view.pointerMinute = m_pointerMinute;
    if (m_pointerMinute % 5 == 0 && m_host.TrayIconOn())
        m_host.ChangeSysTrayIcon(m_pointerMinute / 5 + 1);
    ++m_pointerMinute;
}

void SessionTracker::ShowElapsed(const Clock::Reading& now)
{
    // As m_sessionStartTime.secsTo(now), without working out either offset from UTC again every second.
    const qint64 seconds = (now.msecs - m_sessionStartMSecs) / 1000;
    const qint64 hours = seconds / 3600;
    qint64 minutes = seconds / 60;
    if (minutes > 59)
        minutes %= 60;
    int secs = now.local.time().second() - m_sessionStartTime.time().second();
    if (secs < 0)
        secs += 60;
    // As "%1:%2:%3" with the three numbers, at a fraction of what QString::arg costs.
    m_view.elapsed =
        QString::number(hours) + QLatin1Char(':') + QString::number(minutes) + QLatin1Char(':') + QString::number(secs);
}

const QString& SessionTracker::ByteTextMemo::of(quint32 count)
{
    if (text.isEmpty() || count != bytes) {
        bytes = count;
        text = ByteText::BytesToFriendlyString(count);
    }
    return text;
}

void SessionTracker::resetData()
{
    m_view = TrackerView();
    m_host.showStatusLine(QString());
    m_usedMinutes = 0;
    m_host.zeroByteCounters();
    m_pointerMinute = 1;
    m_host.resetHourlyAlert();
    if (m_host.IsConnected() && m_sessionOpen)
        startSession();
    m_view.testFilePointer = m_nextFilePointer;
    showUsedTimeTestLabel();
    m_view.testCurMin = m_clock.now().time().minute();
    m_view.testCurMinPadded = false;
}

void SessionTracker::clearUsedTimeTestLabel()
{
    if (!m_sessionOpen)
        m_view.testUsedTimeState = TrackerView::UsedTimeLabel::Cleared;
}

void SessionTracker::advancePreviousMinute()
{
    ++m_prevMinute;
    if (m_prevMinute > 60)
        m_prevMinute = 0;
}

void SessionTracker::followReload(const SessionReload& reload)
{
    if (reload.startAfresh)
        startAfresh();
    if (reload.nextFilePointer)
        setNextFilePointer(*reload.nextFilePointer);
}

void SessionTracker::startAfresh()
{
    m_sessionStartText.clear();
    m_sessionEndText.clear();
    m_sessionOpen = false;
    m_usedMinutes = 0;
    m_statusDotCount = 0;
    m_pointerMinute = 1;
    m_host.zeroByteCounters();
    m_host.resetHourlyAlert();
}

void SessionTracker::setNextFilePointer(qint64 pointer)
{
    m_nextFilePointer = pointer;
    m_view.testFilePointer = pointer;
}

void SessionTracker::showUsedTimeTestLabel()
{
    m_view.testUsedTimeState = TrackerView::UsedTimeLabel::Figures;
    m_view.testUsedTime = m_usedMinutes;
    m_view.testPrevMin = m_prevMinute;
}
