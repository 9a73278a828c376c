// The hourly alert decision.
#include "alert/AlertScheduler.h"

void AlertScheduler::CheckHourlyAlert(qint32 usedMinutes, qint64 sessionSeconds)
{
    const AlertOptions options = m_host.alertOptions();
    if (!options.sixtyMinsToAlert)
        return;
    // The tick runs every second while the minutes stand still for a whole minute; moving on to the next
    // hour keeps the alert from repeating. An hour reached while the option was off is never announced,
    // since the minutes have passed it before the counter can catch up.
    // The minutes count changes of the clock minute, so the 60th comes up to 59 s before the session has
    // lasted an hour; the clock's seconds reach the hour within that minute or the next.
    if (usedMinutes < 60 || usedMinutes % 60 > 1 || usedMinutes / 60 != m_nextAlertHour ||
        sessionSeconds < qint64(m_nextAlertHour) * 3600)
        return;
    const QString message = hourlyMessage(m_nextAlertHour, m_host.receivedText(), m_host.sentText());
    ++m_nextAlertHour;
    if (!options.noSound)
        m_host.PlaySound(soundName);
    m_host.showAlert(message, options.autoClose, AlertPlacement::cornerFromText(options.position));
}

QString AlertScheduler::hourlyMessage(qint32 hours, const QString& received, const QString& sent)
{
    const QString lineBreaks = QStringLiteral("\r\n\r\n");
    return QString::number(hours) + (hours == 1 ? QStringLiteral(" hour") : QStringLiteral(" hours")) + lineBreaks +
           QStringLiteral("Downloaded Bytes: ") + received + lineBreaks + QStringLiteral("Uploaded Bytes: ") + sent;
}
