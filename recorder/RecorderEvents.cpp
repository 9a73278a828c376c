// The core's signals in words. A session's start and end are seen in the tracker's state after each tick.
#include "recorder/RecorderEvents.h"

#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "platform/Clock.h"
#include "platform/DesktopNotifications.h"
#include "recorder/EventLog.h"

#include <algorithm>

namespace {
QString timeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString bytes(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("0 B") : text.trimmed();
}

QString duration(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

RecorderEvents::RecorderEvents(Recorder& recorder, const Clock& clock, EventLog& log,
                               DesktopNotifications* notifications)
    : m_recorder(recorder), m_clock(clock), m_log(log), m_notifications(notifications)
{
    connect(&recorder, &Recorder::viewChanged, this, &RecorderEvents::followView);
    connect(&recorder, &Recorder::statusLineChanged, this, [this](const QString& text) { m_log.say(text); });
    connect(&recorder, &Recorder::connectionSeen, this,
            [this](const QString& entry) { m_log.say(QStringLiteral("Connected: \"%1\".").arg(entry)); });
    connect(&recorder, &Recorder::connectionGone, this, [this] { m_log.say(QStringLiteral("Disconnected.")); });
    connect(&recorder, &Recorder::soundWarning, this, [this](const QString& text) { m_log.say(text); });
    connect(&recorder, &Recorder::hourlyAlert, this, [this](const QString& message) {
        m_log.say(QStringLiteral("Hourly alert: ") + message);
        if (m_notifications)
            m_notifications->notify(AppInfo::ProgramTitle, message);
    });
    // The core sends the desktop notification itself when the user chose one.
    connect(&recorder, &Recorder::allowanceAlert, this,
            [this](const QString& message) { m_log.say(QStringLiteral("Allowance warning: ") + message); });
}

void RecorderEvents::followView()
{
    // The period's label as it stands after a start or a tick: a reload's passing "no file" is not news.
    if (const QString period = m_recorder.dayPeriod(); period != m_period) {
        m_period = period;
        m_log.say(period);
    }
    const SessionTracker& tracker = m_recorder.tracker();
    if (tracker.SessionOpen()) {
        if (!m_open) {
            m_open = true;
            m_start = tracker.sessionStartTime();
            m_entry = m_recorder.monitor().Get_CurEntryName();
            m_log.say(QStringLiteral("Session started on \"%1\" at %2.").arg(m_entry, timeText(m_start)));
        }
        m_minutes = tracker.UsedMinutes();
        m_received = tracker.view().received;
        m_sent = tracker.view().sent;
        return;
    }
    if (!m_open)
        return;
    // The closing tick may count one more minute; a reload for the next session sets the count to nought.
    m_minutes = std::max(m_minutes, tracker.UsedMinutes());
    sessionEnded();
}

void RecorderEvents::sessionEnded()
{
    m_open = false;
    const QDateTime end = m_clock.now();
    m_log.say(QStringLiteral("Session ended on \"%1\": %2 to %3, %4 online, %5 min counted, downloaded %6, "
                             "uploaded %7.")
                  .arg(m_entry, timeText(m_start), timeText(end), duration(m_start.secsTo(end)))
                  .arg(m_minutes)
                  .arg(bytes(m_received), bytes(m_sent)));
}
