// The hourly alert on screen: slides in the alert windows the recording core asks for, and opens the
// sound's warning window. The windows play the core's alert sound when a reminder falls due.
#pragma once

#include "alert/AlertPlacement.h"
#include "gui/alert/TAlertOut.h"

#include <QList>
#include <QPointer>
#include <functional>

class Clock;

class HourlyAlert final
{
public:
    /// The alert windows call `playSound` when a reminder falls due.
    HourlyAlert(TAlertOut::PlaySound playSound, const Clock& clock);
    /// Closes the alert windows that are still open.
    ~HourlyAlert();
    HourlyAlert(const HourlyAlert&) = delete;
    HourlyAlert& operator=(const HourlyAlert&) = delete;

    /// Creates an alert window without the reminder controls, puts `message` in it and slides it in.
    void showAlert(const QString& message, bool autoClose, AlertCorner corner);
    /// The warning of a sound that is missing or cannot be played; it does not wait.
    static void showSoundWarning(const QString& text);

    /// The pause between two pixels of the slide, 2 ms; tests take it out.
    void setSlidePause(std::function<void()> pause) { m_pause = std::move(pause); }

    /// The alert windows shown so far that are still open, oldest first.
    QList<TAlertOut*> openAlerts() const;

private:
    TAlertOut::PlaySound m_playSound;
    const Clock& m_clock;
    std::function<void()> m_pause;
    QList<QPointer<TAlertOut>> m_windows;
};
