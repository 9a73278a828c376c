// The recording core's events as lines of the event log: what the main window, the status line and the
// alert windows would show where there are none. An hourly alert also goes to the desktop's notifications
// when there are some.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class Clock;
class DesktopNotifications;
class EventLog;
class Recorder;

class RecorderEvents final : public QObject
{
public:
    /// `notifications` may be missing.
    RecorderEvents(Recorder& recorder, const Clock& clock, EventLog& log, DesktopNotifications* notifications);

    /// After the core's finish: a session the end closed is said as any other.
    void finished() { followView(); }

private:
    void followView();
    void sessionEnded();

    Recorder& m_recorder;
    const Clock& m_clock;
    EventLog& m_log;
    DesktopNotifications* m_notifications;
    QString m_period;

    // The open session as last seen: a reload of the file clears the tracker's own figures as it closes.
    bool m_open = false;
    QDateTime m_start;
    QString m_entry;
    qint32 m_minutes = 0;
    QString m_received;
    QString m_sent;
};
