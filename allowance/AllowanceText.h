// The allowance in words: the warning, the tray icon's tooltip lines, the Main tab's line and the forecast.
#pragma once

#include "allowance/AllowanceStatus.h"
#include "allowance/AllowanceWarnings.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace AllowanceText {

/// Hours and minutes of time online: "24:05 h".
QString hoursText(qint64 seconds);
/// A byte count of any size in steps of 1024: "8.00 GB".
QString bytesText(quint64 bytes, const QLocale& locale = QLocale());

/// The lines below the program's title in the tray icon's tooltip: today's time online, the period's time
/// and bytes, and the share of the allowance when there is one. None without a loaded period.
QStringList tooltipLines(const AllowanceStatus& status);
/// The same in one line, for the Main tab.
QString mainLine(const AllowanceStatus& status);
/// The estimate at the period's end and what is left per remaining day, a line for each kind of allowance.
QStringList forecastLines(const AllowanceStatus& status);

struct Warning
{
    QString message; ///< for the alert window: the headline, then a block for each kind reached
    QString summary; ///< the desktop notification's summary: the headline
    QString body;    ///< and its body: used, of what and what is left, and the pace
};
Warning warning(const QList<AllowanceCrossing>& crossed, const AllowanceStatus& status);

} // namespace AllowanceText
