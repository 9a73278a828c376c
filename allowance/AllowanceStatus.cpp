// The forecasts of the allowance's kinds.
#include "allowance/AllowanceStatus.h"

#include <algorithm>

AllowanceStatus AllowanceStatus::of(const UsageFigures& usage, const AllowanceSettings& settings, const QDate& start,
                                    const QDate& next, const QDateTime& now)
{
    AllowanceStatus s;
    s.active = true;
    s.usage = usage;
    s.settings = settings;
    if (settings.hours)
        s.time = AllowanceForecast::of(usage.seconds, settings.seconds(), start, next, now);
    if (settings.bytes)
        s.data = AllowanceForecast::of(qint64(usage.bytes()), *settings.bytes, start, next, now);
    return s;
}

int AllowanceStatus::sharePercent() const
{
    int percent = 0;
    if (time)
        percent = std::max(percent, time->percent());
    if (data)
        percent = std::max(percent, data->percent());
    return percent;
}
