// The hourly alert: once after every full hour of a recorded session, while the user has it switched on.
#pragma once

#include "alert/AlertPlacement.h"

#include <QString>

// The alert options of the Settings tab as they stand at the moment of a check.
struct AlertOptions
{
    bool sixtyMinsToAlert = false; ///< "Every 60 mins"
    bool autoClose = false;        ///< "Automatically close window"
    bool noSound = false;          ///< "Do not play sound"
    QString position;              ///< the position box's text; may be empty
};

// What the scheduler reads and drives outside itself.
class AlertHost
{
public:
    virtual ~AlertHost() = default;
    virtual AlertOptions alertOptions() const = 0;
    /// The "Downloaded" and "Uploaded" texts as the Main tab shows them.
    virtual QString receivedText() const = 0;
    virtual QString sentText() const = 0;
    virtual void PlaySound(const QString& name) = 0;
    /// Creates an alert window without the reminder controls, puts `message` in it and slides it in.
    virtual void showAlert(const QString& message, bool autoClose, AlertCorner corner) = 0;
};

class AlertScheduler
{
public:
    explicit AlertScheduler(AlertHost& host) : m_host(host) {}

    /// Run on every main-timer tick on which the connection may be recorded.
    void CheckHourlyAlert(qint32 usedMinutes) { CheckHourlyAlert(usedMinutes, qint64(usedMinutes) * 60); }
    /// The same, with the seconds the open session has lasted by the clock: an hour is announced only once
    /// those seconds make it full, so the alert never says "1 hour" while today's time online shows 0:59 h.
    void CheckHourlyAlert(qint32 usedMinutes, qint64 sessionSeconds);
    /// A new session, or Reset: the next alert announces the first hour again.
    void resetHourlyAlert() { m_nextAlertHour = 1; }

    /// The number of hours that the next alert announces.
    qint32 NextAlertHour() const { return m_nextAlertHour; }

    /// "1 hour" or "N hours", then the byte texts, each block after two line breaks.
    static QString hourlyMessage(qint32 hours, const QString& received, const QString& sent);

    static inline const QString soundName = QStringLiteral("alertB");

private:
    AlertHost& m_host;
    qint32 m_nextAlertHour = 1;
};
