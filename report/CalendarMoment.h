// A stored start or end text as a calendar day and a second of that day: the form in which sessions are
// split at midnight, filtered by date and written as ISO 8601.
#pragma once

#include "report/StoredMoment.h"

#include <QDate>
#include <QtGlobal>
#include <optional>
#include <string_view>

struct CalendarMoment
{
    qint64 day = 0;     ///< Julian day number, as QDate::toJulianDay
    qint32 second = -1; ///< of the day on the 24-hour clock, 0..86399; -1 when the time cannot be read

    bool hasTime() const { return second >= 0; }
    QDate date() const { return QDate::fromJulianDay(day); }

    /// The Julian day number of a date of the proleptic Gregorian calendar, year 1 or later.
    static constexpr qint64 dayNumber(int year, int month, int day)
    {
        // Counted from 1 March so that the leap day ends the year.
        const int y = year - (month <= 2 ? 1 : 0);
        const qint64 era = y / 400;
        const qint64 yearOfEra = y - era * 400;
        const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
        const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
        return era * 146097 + dayOfEra + 1721120;
    }

    static CalendarMoment fromStored(const StoredMoment& m)
    {
        const int hour24 = m.hour % 12 + (m.half == 'p' ? 12 : 0);
        return {dayNumber(m.year, m.month, m.day), hour24 * 3600 + m.minute * 60 + m.second};
    }

    /// A text that begins with a stored date ("yyyy/mm/dd", separators not examined), followed by an
    /// optional comma and spaces and a time as "hh:nn:ss am", "hh:nn:ss pm" or "hh:nn:ss"; the time is left
    /// unread when it is in no such form. Nothing without a valid date.
    static std::optional<CalendarMoment> fromText(std::string_view text);
};
