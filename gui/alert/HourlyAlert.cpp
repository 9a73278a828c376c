// The hourly alert on screen.
#include "gui/alert/HourlyAlert.h"

#include "gui/alert/TAlertOut.h"
#include "gui/alert/TWarning.h"

#include <QGuiApplication>
#include <QScreen>
#include <QThread>

HourlyAlert::HourlyAlert(TAlertOut::PlaySound playSound, const Clock& clock)
    : m_playSound(std::move(playSound)), m_clock(clock), m_pause([] { QThread::msleep(2); })
{}

HourlyAlert::~HourlyAlert()
{
    // The windows play the sound when a reminder falls due, so they end with the one who made them.
    for (const QPointer<TAlertOut>& window : std::as_const(m_windows))
        delete window.data();
}

void HourlyAlert::showAlert(const QString& message, bool autoClose, AlertCorner corner)
{
    auto* window = new TAlertOut(m_playSound, m_clock);
    window->setMessage(message);
    window->setAutoClose(autoClose);
    window->setReminderVisible(false);
    m_windows.removeAll(nullptr);
    m_windows.append(window);
    // The whole screen, also where a panel covers its edge: the alert sits above the panel.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    window->slideIn(AlertPlacement::slideIn(corner, area, window->size()), m_pause);
}

void HourlyAlert::showSoundWarning(const QString& text)
{
    TWarning::open(text);
}

QList<TAlertOut*> HourlyAlert::openAlerts() const
{
    QList<TAlertOut*> open;
    for (const QPointer<TAlertOut>& window : m_windows)
        if (window && !window->closed())
            open.append(window.data());
    return open;
}
