// Where the period will end at the pace so far, and how much of the allowance is left for each day that
// remains of it.
#pragma once

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <optional>

struct AllowanceForecast
{
    qint64 used = 0;
    qint64 allowance = 0;
    qint64 left = 0;     ///< the allowance less the use; below 0 once it is overrun
    qint64 estimate = 0; ///< the use at the period's end if it goes on as it went so far
    int daysLeft = 0;    ///< today and the days after it up to the period's last; 0 once the period is over
    /// What may be used each remaining day to end within the allowance; nothing once the period is over.
    std::optional<qint64> leftPerDay;
    double share = 0; ///< used / allowance, 1.0 at the full allowance

    /// The share in whole percent, rounded down: every text, the Main tab's bar and the warnings show this.
    int percent() const { return percentOf(used, allowance); }
    /// `used` of `allowance` in whole percent, rounded down in whole numbers (no floating-point error).
    static int percentOf(qint64 used, qint64 allowance)
    {
        if (used <= 0 || allowance <= 0)
            return 0;
        return int(std::min<qint64>(used / allowance * 100 + used % allowance * 100 / allowance, 1000000));
    }

    /// For a period from the day `start` up to the day before `next`, at the moment `now`.
    static AllowanceForecast of(qint64 used, qint64 allowance, const QDate& start, const QDate& next,
                                const QDateTime& now);
};
