// The wait is measured on the clock, not by counting looks: a look may come early (the desktop announced
// a notification area) or late (a busy or suspended machine).
#include "settings/TrayWait.h"

#include "platform/Clock.h"

void TrayWait::start()
{
    m_started = m_clock.now();
    m_waiting = true;
}

TrayWait::Step TrayWait::check(bool available)
{
    if (!m_waiting)
        return Step::Idle;
    if (available) {
        m_waiting = false;
        return Step::Arrived;
    }
    // A clock set back during the wait counts as no time passed, never as a wait without end.
    const qint64 waited = m_started.secsTo(m_clock.now());
    if (waited < 0)
        m_started = m_clock.now();
    if (waited >= waitSeconds) {
        m_waiting = false;
        return Step::GaveUp;
    }
    return Step::Waiting;
}
