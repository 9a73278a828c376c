// The sessions a report keeps: those that began on or after one date and on or before another.
#pragma once

#include <QDate>
#include <memory>

struct CalculationResult;

struct SessionFilter
{
    QDate since; ///< invalid: no lower bound
    QDate until; ///< invalid: no upper bound

    bool isOpen() const { return !since.isValid() && !until.isValid(); }
    bool accepts(qint64 julianDay) const
    {
        return (!since.isValid() || julianDay >= since.toJulianDay()) &&
               (!until.isValid() || julianDay <= until.toJulianDay());
    }
    bool accepts(const QDate& date) const { return accepts(date.toJulianDay()); }
};

/// The sessions of `result` that `filter` keeps, with their own totals, first and last record, as if the
/// file held only them; every session keeps its record number. The period and the outcome are copied.
/// Each session's start date decides, so one that began on the last day is kept whole.
std::shared_ptr<CalculationResult> selectSessions(const CalculationResult& result, const SessionFilter& filter);
