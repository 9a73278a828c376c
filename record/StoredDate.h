// The date and time texts kept in personal data files, and how they are shown to the user.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace StoredDate {

/// "yyyy/mm/dd", always with "/" whatever the user's regional settings.
QString dateText(const QDate& date);

/// "hh:nn:ss am/pm" on the twelve-hour clock: 00:05:00 is "12:05:00 am", 12:05:00 is "12:05:00 pm".
QString timeText(const QTime& time);

/// "yyyy/mm/dd, hh:nn:ss am/pm": always 23 characters.
QString dateTimeText(const QDateTime& moment);

/// The date in characters 1-4 (year), 6-7 (month) and 9-10 (day); invalid when they do not form a date.
QDate parseDate(const QString& text);

/// The stored date at the start of `text` in the locale's short date format; the text itself when it holds
/// no date.
QString YMD_To_ShortDate(const QString& text, const QLocale& locale = QLocale());

/// A stored start or end text as the user sees it: the date converted, the time left as it is.
QString displayedForm(const QString& text, const QLocale& locale = QLocale());

} // namespace StoredDate
