// The hourly alert on screen.
#include "alert/ui/HourlyAlert.h"

#include "alert/ui/TAlertOut.h"
#include "alert/ui/TWarning.h"
#include "shell/ui/SettingsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

HourlyAlert::HourlyAlert(const SettingsTab& settings, ByteTexts byteTexts, Sound& sound, const Clock& clock,
                         QStringList soundFolders)
    : m_settings(settings), m_byteTexts(std::move(byteTexts)), m_clock(clock),
      m_sound(sound, std::move(soundFolders), [](const QString& text) { TWarning::open(text); }), m_scheduler(*this),
      m_pause([] { QThread::msleep(2); })
{}

HourlyAlert::~HourlyAlert()
{
    // The windows play this object's sound when a reminder falls due, so they end with it.
    for (const QPointer<TAlertOut>& window : std::as_const(m_windows))
        delete window.data();
}

AlertOptions HourlyAlert::alertOptions() const
{
    AlertOptions options;
    options.sixtyMinsToAlert = m_settings.chkSixtyMinsToAlert->isChecked();
    options.autoClose = m_settings.chkAutoClose_60MinsForm->isChecked();
    options.noSound = m_settings.chkAlertNoSound->isChecked();
    options.position = m_settings.cbAlertPos->currentText();
    return options;
}

QString HourlyAlert::receivedText() const
{
    return m_byteTexts.received();
}

QString HourlyAlert::sentText() const
{
    return m_byteTexts.sent();
}

void HourlyAlert::showAlert(const QString& message, bool autoClose, AlertCorner corner)
{
    auto* window = new TAlertOut(m_sound, m_clock);
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

QList<TAlertOut*> HourlyAlert::openAlerts() const
{
    QList<TAlertOut*> open;
    for (const QPointer<TAlertOut>& window : m_windows)
        if (window && !window->closed())
            open.append(window.data());
    return open;
}
