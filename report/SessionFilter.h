// The sessions a report keeps: those that began on or after one date and on or before another.
#pragma once

#include <QDate>

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
