// The period's figures as a personal data file holds them: the starting point of the running totals, and
// what the report command shows.
#pragma once

#include "allowance/PeriodUsage.h"

#include <QDate>

struct CalculationResult;

namespace UsageFromFile {

/// The time and bytes of every session of a totalled file (bytes summed without the totals' wrap at 2^32),
/// and the time that fell on `today`.
UsageFigures of(const CalculationResult& result, const QDate& today);

/// The period of the file's header: its creation date and the next period's date; invalid when unreadable.
QDate periodStart(const CalculationResult& result);
QDate periodNext(const CalculationResult& result);

} // namespace UsageFromFile
