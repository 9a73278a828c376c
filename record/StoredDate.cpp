// Stored date texts are formed by hand so that neither the locale nor Qt's format letters can change them.
#include "record/StoredDate.h"

namespace StoredDate {

namespace {

QString digits(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

int number(const QString& text, int from, int count, bool* ok)
{
    const QString part = text.mid(from, count);
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            *ok = false;
            return 0;
        }
    }
    return part.toInt(ok);
}

} // namespace

QString dateText(const QDate& date)
{
    return digits(date.year(), 4) + QLatin1Char('/') + digits(date.month(), 2) + QLatin1Char('/') +
           digits(date.day(), 2);
}

QString timeText(const QTime& time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return digits(hour12, 2) + QLatin1Char(':') + digits(time.minute(), 2) + QLatin1Char(':') +
           digits(time.second(), 2) + (time.hour() < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

QString dateTimeText(const QDateTime& moment)
{
    return dateText(moment.date()) + QStringLiteral(", ") + timeText(moment.time());
}

QDate parseDate(const QString& text)
{
    if (text.size() < 10)
        return {};
    bool ok = true;
    const int year = number(text, 0, 4, &ok);
    const int month = ok ? number(text, 5, 2, &ok) : 0;
    const int day = ok ? number(text, 8, 2, &ok) : 0;
    return ok ? QDate(year, month, day) : QDate();
}

QString YMD_To_ShortDate(const QString& text, const QLocale& locale)
{
    const QDate date = parseDate(text);
    return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : text;
}

QString displayedForm(const QString& text, const QLocale& locale)
{
    return YMD_To_ShortDate(text.left(10), locale) + text.mid(10);
}

} // namespace StoredDate
