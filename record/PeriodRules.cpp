// Recording days and period dates, free of files and clocks so that every case can be tried directly.
#include "record/PeriodRules.h"

#include "record/StoredDate.h"

namespace PeriodRules {

bool isRecordingDay(int startingDay, int endingDay, int day)
{
    if (endingDay > startingDay)
        return day >= startingDay && day <= endingDay;
    if (endingDay < startingDay)
        return day >= startingDay || day <= endingDay;
    return false;
}

QString nextPeriodDate(const QDate& today, int startingDay)
{
    const bool december = today.month() == 12;
    const QDate next(december ? today.year() + 1 : today.year(), december ? 1 : today.month() + 1, startingDay);
    return StoredDate::dateText(next);
}

QString twoDigitDay(int day)
{
    return day < 10 ? QStringLiteral("0") + QString::number(day) : QString::number(day);
}

std::optional<int> parseDay(const QString& text)
{
    const QString digits = text.trimmed();
    // Long runs of zeros are harmless, but a day never needs more than a handful of characters.
    if (digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toInt();
}

} // namespace PeriodRules
