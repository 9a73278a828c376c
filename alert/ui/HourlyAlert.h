// The hourly alert on screen: reads the Settings tab's alert options and the Main tab's byte texts, plays
// the alert sound and slides alert windows in.
#pragma once

#include "alert/AlertScheduler.h"
#include "alert/AlertSound.h"

#include <QList>
#include <QPointer>
#include <functional>

class Clock;
class SettingsTab;
class Sound;
class TAlertOut;

class HourlyAlert final : private AlertHost
{
public:
    /// The "Downloaded" and "Uploaded" texts of the open session as the tick has just made them.
    struct ByteTexts
    {
        std::function<QString()> received;
        std::function<QString()> sent;
    };

    /// `soundFolders`: see AlertSound::soundFolders. The tab must outlive this object.
    HourlyAlert(const SettingsTab& settings, ByteTexts byteTexts, Sound& sound, const Clock& clock,
                QStringList soundFolders);
    /// Closes the alert windows that are still open.
    ~HourlyAlert() override;
    HourlyAlert(const HourlyAlert&) = delete;
    HourlyAlert& operator=(const HourlyAlert&) = delete;

    void CheckHourlyAlert(qint32 usedMinutes) { m_scheduler.CheckHourlyAlert(usedMinutes); }
    void resetHourlyAlert() { m_scheduler.resetHourlyAlert(); }

    const AlertScheduler& scheduler() const { return m_scheduler; }
    AlertSound& sound() { return m_sound; }

    /// The pause between two pixels of the slide, 2 ms; tests take it out.
    void setSlidePause(std::function<void()> pause) { m_pause = std::move(pause); }

    /// The alert windows shown so far that are still open, oldest first.
    QList<TAlertOut*> openAlerts() const;

private:
    AlertOptions alertOptions() const override;
    QString receivedText() const override;
    QString sentText() const override;
    void PlaySound(const QString& name) override { m_sound.PlaySound(name); }
    void showAlert(const QString& message, bool autoClose, AlertCorner corner) override;

    const SettingsTab& m_settings;
    ByteTexts m_byteTexts;
    const Clock& m_clock;
    AlertSound m_sound;
    AlertScheduler m_scheduler;
    std::function<void()> m_pause;
    QList<QPointer<TAlertOut>> m_windows;
};
