// The session tracker: once a second it turns "online through an entry we record" into a session record,
// counts the minutes by watching the clock minute change, rewrites the record every fifteen seconds and
// closes it when recording ends.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "platform/Clock.h"
#include "record/AccountingPeriod.h"

class PersonalFile;

// What the tracker reads and drives outside itself.
class TrackerHost
{
public:
    virtual ~TrackerHost() = default;
    virtual bool IsConnected() const = 0;
    virtual bool Checked_PhoneBook_IsOn() const = 0;
    /// "Always record data for all".
    virtual bool alwaysRecord() const = 0;
    virtual bool TrayIconOn() const = 0;
    virtual void ChangeSysTrayIcon(int imageIndex) = 0;
    /// True while the Stop button is down.
    virtual bool recordingStopped() const = 0;
    /// Samples the interfaces and brings the dial-up byte counters up to date.
    virtual void UpdateTrafficMonitor() = 0;
    /// Starts the traffic figures of a new session from zero.
    virtual void ClearTrafficMonitor() = 0;
    /// Sets both dial-up byte counters to zero.
    virtual void zeroByteCounters() = 0;
    virtual quint32 DialUpBytesReceived() const = 0;
    virtual quint32 DialUpBytesSent() const = 0;
    virtual void CheckHourlyAlert(qint32 usedMinutes) = 0;
    /// The next hourly alert falls due after the first hour again.
    virtual void resetHourlyAlert() = 0;
    virtual void showStatusLine(const QString& text) = 0;
    /// The open session's record was closed after `seconds` online with these byte counts.
    virtual void sessionClosed(qint64 seconds, quint32 received, quint32 sent)
    {
        Q_UNUSED(seconds);
        Q_UNUSED(received);
        Q_UNUSED(sent);
    }
};

// What the Main tab shows of the tracker.
struct TrackerView
{
    /// What the ticks have seen of the connection: nothing yet (or nothing since Reset), no link, a link.
    enum class Link
    {
        None,
        Offline,
        Online
    };
    /// The hidden used-time label: never written, cleared of its figures outside a session, or its figures.
    enum class UsedTimeLabel
    {
        Unset,
        Cleared,
        Figures
    };

    Link link = Link::None;
    int onlineDots = 0; ///< while online: 0 ... 3, one more each second
    QString startTime;
    QString endTime;
    QString elapsed;
    QString received;
    QString sent;
    bool scaleVisible = false;
    int pointerMinute = 0; ///< the pointer's place on the hour scale: minutes 0 ... 59

    int spendingHour = 0; ///< the used time's whole hours

    // What the hand-testing labels show.
    std::optional<int> testCurMin; ///< the clock's minute as last read
    bool testCurMinPadded = false; ///< a tick writes the minute with two digits, Reset as it is
    std::optional<qint64> testFilePointer;
    UsedTimeLabel testUsedTimeState = UsedTimeLabel::Unset;
    qint32 testUsedTime = 0;
    int testPrevMin = 0;
};

class SessionTracker
{
public:
    SessionTracker(Clock& clock, PersonalFile& file, AccountingPeriod& period, TrackerHost& host);

    /// One tick of the main timer. What the loads of the personal file during the tick left behind, already
    /// followed here; the caller keeps what else depends on the file in step with it.
    SessionReload tick();
    /// Closes the open session: final save, end field, and a reload of the file so the next session appends.
    SessionReload EndSession();
    /// The program ends: an open session is closed as EndSession closes it (end time now, the bytes of the
    /// latest pass), without reading the file again for a next session.
    void finish();
    /// Clears the fields and counters; an open session starts again in its own record.
    void resetData();
    /// Adds one to the remembered minute, so the next tick counts one minute more (a tool for trying by hand).
    void advancePreviousMinute();
    /// Outside a session the used-time test label loses its figures (the "Set Online" tool).
    void clearUsedTimeTestLabel();

    /// Follows a load of the personal file that someone else asked for (the start, a new file).
    void followReload(const SessionReload& reload);

    const TrackerView& view() const { return m_view; }
    bool SessionOpen() const { return m_sessionOpen; }
    qint32 UsedMinutes() const { return m_usedMinutes; }
    qint64 NextFilePointer() const { return m_nextFilePointer; }
    /// When the open session began (or began afresh after Reset).
    const QDateTime& sessionStartTime() const { return m_sessionStartTime; }
    /// The clock as the latest tick read it, once, after the period's checks: what the rest of that tick
    /// counts with (the host's hourly alert during the tick, the core's allowance right after it).
    const Clock::Reading& tickTime() const { return m_tickTime; }
    /// The tray image of the minutes of the hour: 1 for 0–4 minutes up to 12 for 55–59.
    int minutesImage() const { return (m_usedMinutes % 60) / 5 + 1; }

    static inline const QString noPersonalFileText =
        QStringLiteral("No personal file: press \"Create / Modify\" to start one.");
    static inline const QString entryNotRecordedText =
        QStringLiteral("This phone-book entry is not recorded (see Settings).");
    static inline const QString notRecordingDayText = QStringLiteral("Today is not a recording day of the period.");

private:
    /// The fresh start that reloading the personal file gives the tracker.
    void startAfresh();
    void setNextFilePointer(qint64 pointer);
    void startSession();
    void showNoFile();
    /// Writes the open session's record as it stands at `moment`.
    void saveSession(const Clock::Reading& moment);
    /// Counts the minute when `moment`'s clock minute differs from the one last seen.
    void countMinute(const QDateTime& moment);
    /// The quarter-minute `moment` falls in: its marks are the seconds 0, 15, 30 and 45.
    static qint64 quarterOf(const Clock::Reading& moment);
    /// The final save of the open session: its end time, and the session is no longer open.
    void closeRecord();
    void MoveimgPointer();
    /// The time from the open session's start to `now`, as "h:m:s".
    void ShowElapsed(const Clock::Reading& now);
    void showUsedTimeTestLabel();

    Clock& m_clock;
    PersonalFile& m_file;
    AccountingPeriod& m_period;
    TrackerHost& m_host;
    TrackerView m_view;

    bool m_sessionOpen = false;
    qint32 m_usedMinutes = 0;
    int m_prevMinute = 0;
    qint64 m_nextFilePointer = 0;
    QString m_sessionStartText;
    QString m_sessionEndText;
    QDateTime m_sessionStartTime;
    qint64 m_sessionStartMSecs = 0; ///< m_sessionStartTime since the epoch, worked out once
    qint64 m_lastSaveQuarter = 0;   ///< the quarter-minute of the open session's last save
    Clock::Reading m_tickTime;
    /// A byte count and its text as last made: most ticks see the same counts again.
    struct ByteTextMemo
    {
        quint32 bytes = 0;
        QString text;
        const QString& of(quint32 count);
    };
    ByteTextMemo m_receivedText;
    ByteTextMemo m_sentText;
    int m_statusDotCount = 0;
    int m_pointerMinute = 1;
};
