// What the windows show of the allowance: the period's figures, the allowance and the forecast of each of
// its kinds, taken at one moment.
#pragma once

#include "allowance/AllowanceForecast.h"
#include "allowance/PeriodUsage.h"
#include "settings/AllowanceSettings.h"

#include <optional>

struct AllowanceStatus
{
    bool active = false; ///< a personal file's period is loaded; nothing else counts without one
    UsageFigures usage;
    AllowanceSettings settings;
    std::optional<AllowanceForecast> time; ///< when there is a time allowance
    std::optional<AllowanceForecast> data; ///< when there is a data allowance

    /// The figures of `usage` in the period from the day `start` up to the day before `next`, at `now`.
    static AllowanceStatus of(const UsageFigures& usage, const AllowanceSettings& settings, const QDate& start,
                              const QDate& next, const QDateTime& now);
    /// The larger share of the two kinds, in percent; 0 without an allowance.
    int sharePercent() const;
};
