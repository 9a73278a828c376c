// The pace is the use per second of the period that has gone by, so an estimate early in the period moves
// a lot and settles as the period goes on.
#include "allowance/AllowanceForecast.h"

#include <algorithm>
#include <cmath>

AllowanceForecast AllowanceForecast::of(qint64 used, qint64 allowance, const QDate& start, const QDate& next,
                                        const QDateTime& now)
{
    AllowanceForecast f;
    f.used = used;
    f.allowance = allowance;
    f.left = allowance - used;
    f.share = allowance > 0 ? double(used) / double(allowance) : 0.0;
    f.estimate = used;
    if (!start.isValid() || !next.isValid() || next <= start)
        return f;
    const QDateTime from = start.startOfDay();
    const QDateTime to = next.startOfDay();
    const qint64 whole = from.secsTo(to);
    const qint64 gone = std::clamp<qint64>(from.secsTo(now), 0, whole);
    if (gone > 0 && gone < whole)
        f.estimate = qint64(std::llround(double(used) * double(whole) / double(gone)));
    f.daysLeft = int(std::clamp<qint64>(std::max(now.date(), start).daysTo(next), 0, start.daysTo(next)));
    if (f.daysLeft > 0)
        f.leftPerDay = std::max<qint64>(f.left, 0) / f.daysLeft;
    return f;
}
