// Waiting for a notification area that comes after the program: started at log-in, the program is often
// up before the panel that holds the tray. It looks again every second for a minute.
#pragma once

#include <QDateTime>

class Clock;

class TrayWait
{
public:
    enum class Step
    {
        Idle,    ///< not waiting
        Waiting, ///< no notification area yet; look again later
        Arrived, ///< one is there: make the icon now
        GaveUp,  ///< none came within the wait
    };

    static constexpr qint64 waitSeconds = 60;

    explicit TrayWait(const Clock& clock) : m_clock(clock) {}

    /// Starts the wait from now.
    void start();
    /// One look at the desktop, `available` telling whether it has a notification area now. Arrived or
    /// GaveUp end the wait; either is answered once.
    Step check(bool available);
    bool waiting() const { return m_waiting; }

private:
    const Clock& m_clock;
    QDateTime m_started;
    bool m_waiting = false;
};
