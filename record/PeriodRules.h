// The rules of an accounting period: its recording days, its next starting date and the day numbers.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace PeriodRules {

constexpr int maxStartingDay = 28;
constexpr int maxEndingDay = 31;

inline bool isStartingDay(qint64 day)
{
    return day >= 1 && day <= maxStartingDay;
}

inline bool isEndingDay(qint64 day)
{
    return day >= 1 && day <= maxEndingDay;
}

/// Day `day` of the month records when it lies in S..E, or, for a period running into the next month
/// (E < S), from S on or up to E. A period whose two days are equal records on no day.
bool isRecordingDay(int startingDay, int endingDay, int day);

/// Day S of the month after `today`'s month, as "yyyy/mm/dd".
QString nextPeriodDate(const QDate& today, int startingDay);

/// "05" for 5, "15" for 15.
QString twoDigitDay(int day);

/// A day typed by the user: digits only (leading zeros allowed, spaces around ignored); nothing otherwise.
std::optional<int> parseDay(const QString& text);

} // namespace PeriodRules
