// The allowance's figures in the report command's JSON.
#pragma once

#include <QDateTime>
#include <QString>

struct AllowanceSettings;
struct CalculationResult;

namespace AllowanceJson {

/// `,"allowance":{...}`: the allowance, and for each of its kinds the use of the file's period, the share,
/// what is left, the estimate at the period's end at the pace so far and what is left per remaining day,
/// as of `now`. Empty when the settings have no allowance or the file's period cannot be read.
QString members(const AllowanceSettings& settings, const CalculationResult& result, const QDateTime& now);

} // namespace AllowanceJson
