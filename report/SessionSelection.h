// Narrowing a file's totals to the sessions of a date range.
#pragma once

#include "report/CalculationResult.h"
#include "report/SessionFilter.h"

#include <memory>

/// The sessions of `result` that `filter` keeps, with their own totals, first and last record, as if the
/// file held only them; every session keeps its record number. The period and the outcome are copied.
/// Each session's start date decides, so one that began on the last day is kept whole.
std::shared_ptr<CalculationResult> selectSessions(const CalculationResult& result, const SessionFilter& filter);
