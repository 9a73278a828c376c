// The rules of one alert window.
#include "alert/AlertWindowState.h"

#include "common/AppInfo.h"

QString AlertWindowState::titlePrefix()
{
    return AppInfo::ProgramTitle + QStringLiteral(" Alert ");
}

AlertTick AlertWindowState::tick(bool active, int clockMinute)
{
    AlertTick tick;
    tick.title = titlePrefix() + QString::number(m_alertIndex);
    if (!m_lostFocus) {
        // Once the user has gone elsewhere the window leaves the others alone from the next tick on.
        if (!active)
            m_lostFocus = true;
        tick.reassertTopmost = true;
    }
    if (m_autoClose) {
        --m_closeTicksLeft;
        if (m_closeTicksLeft == 0) {
            m_remindAgain = false;
            tick.close = true;
            return tick;
        }
    }
    if (m_remindAgain) {
        // Counts changes of the minute value, so a clock jump adds at most one minute.
        m_currentMinute = clockMinute;
        if (m_currentMinute != m_oldMinute) {
            --m_remindMinutesLeft;
            m_oldMinute = m_currentMinute;
            if (m_remindMinutesLeft <= 0) {
                m_lostFocus = false;
                m_remindAgain = false;
                tick.remind = true;
            }
        }
    }
    return tick;
}

AlertWindowState::OkOutcome AlertWindowState::confirmReminder(int minutes, int clockMinute)
{
    if (minutes < 1) {
        m_remindAgain = false;
        return OkOutcome::Close;
    }
    m_oldMinute = clockMinute;
    m_remindMinutesLeft = minutes;
    m_remindAgain = true;
    return OkOutcome::HideUntilReminder;
}

bool AlertWindowState::FormResize(bool normalState)
{
    if (!normalState)
        return false;
    const bool dropTopmost = m_resizeSeen;
    if (dropTopmost)
        m_lostFocus = true;
    m_resizeSeen = true;
    return dropTopmost;
}
