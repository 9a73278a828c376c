// The state of one alert window and the rules of its 800 ms timer, its OK button and its reminder.
#pragma once

#include <QString>

// What one timer tick asks of the window.
struct AlertTick
{
    QString title;
    /// Put the window above all others again, without moving or resizing it.
    bool reassertTopmost = false;
    /// The automatic close is due.
    bool close = false;
    /// The reminder is due: show the window again with the minute box at 0 and play the alert sound.
    bool remind = false;
};

class AlertWindowState
{
public:
    /// `alertIndex`: how many alert windows were open when this one was created.
    explicit AlertWindowState(int alertIndex) : m_alertIndex(alertIndex) {}

    /// One tick: `active` tells whether the window is the active window, `clockMinute` is 0..59.
    AlertTick tick(bool active, int clockMinute);

    enum class OkOutcome
    {
        Close,
        HideUntilReminder
    };
    /// `minutes`: the "Remind me" box. Below 1 the window closes; otherwise it comes back at the
    /// `minutes`-th change of the clock minute after now.
    OkOutcome confirmReminder(int minutes, int clockMinute);

    /// The user works the minute box: the window stops pushing itself to the top.
    void stopKeepingOnTop() { m_lostFocus = true; }

    /// A resize; `normalState` is false while minimised or maximised. True when the window must stop
    /// being topmost. The first resize happens while the window is built and changes nothing.
    bool FormResize(bool normalState);

    void setAutoClose(bool on) { m_autoClose = on; }

    bool LostFocus() const { return m_lostFocus; }
    bool RemindAgain() const { return m_remindAgain; }
    int RemindMinutesLeft() const { return m_remindMinutesLeft; }
    int OldMinute() const { return m_oldMinute; }
    int CurrentMinute() const { return m_currentMinute; }
    bool ResizeSeen() const { return m_resizeSeen; }

    /// What every alert window's title begins with; the window's number follows.
    static QString titlePrefix();

private:
    int m_alertIndex;
    bool m_lostFocus = false;
    bool m_autoClose = false;
    int m_closeTicksLeft = 8;
    bool m_remindAgain = false;
    int m_remindMinutesLeft = 0;
    int m_oldMinute = 0;
    int m_currentMinute = 0;
    bool m_resizeSeen = false;
};
