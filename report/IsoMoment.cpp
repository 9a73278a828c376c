// Written by hand: a million sessions give two million of these texts. The time zone is read once and asked
// about a day once, and through the local-time conversion only near a change of offset.
#include "report/IsoMoment.h"

#include "report/ReportOutput.h"

#include <QDateTime>
#include <cstring>
#include <ctime>
#include <utility>

namespace {

void put(char* at, int value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        at[i] = char('0' + value % 10);
        value /= 10;
    }
}

// A value of 0..99 as two digits.
void put2(char* at, int value)
{
    std::memcpy(at, PlacedText::digitPairs.data() + 2 * value, 2);
}

void putYearMonthDay(char* at, int year, int month, int day)
{
    if (year >= 0 && year <= 9999) {
        put2(at, year / 100);
        put2(at + 2, year % 100);
    } else {
        put(at, year, 4);
    }
    at[4] = '-';
    put2(at + 5, month);
    at[7] = '-';
    put2(at + 8, day);
}

int localOffset(qint64 day, qint32 second)
{
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(second * 1000), Qt::LocalTime)
        .offsetFromUtc();
}

// The calendar date of a day number, as QDate gives it.
void civilDate(qint64 julianDay, int* year, int* month, int* day)
{
    if (julianDay < CalendarMoment::dayNumber(1, 1, 1)) {
        QDate::fromJulianDay(julianDay).getDate(year, month, day);
        return;
    }
    // Counted in 400-year eras from 1 March of year 0, so that the leap day ends the year.
    const qint64 days = julianDay - 1721120;
    const qint64 era = days / 146097;
    const auto dayOfEra = int(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shifted = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    *month = shifted < 10 ? shifted + 3 : shifted - 9;
    *year = int(era * 400 + yearOfEra) + (*month <= 2 ? 1 : 0);
}

void putDate(char* at, qint64 julianDay)
{
    int year = 0;
    int month = 0;
    int day = 0;
    civilDate(julianDay, &year, &month, &day);
    putYearMonthDay(at, year, month, day);
}

} // namespace

QString IsoMoment::dateText(qint64 julianDay)
{
    char text[10];
    putDate(text, julianDay);
    return QString::fromLatin1(text, 10);
}

void IsoMoment::putDateText(char* at, qint64 julianDay)
{
    putDate(at, julianDay);
}

std::optional<long> IsoMoment::probe(qint64 utcDay)
{
    Probe& slot = m_probes[utcDay & 7];
    if (slot.utcDay != utcDay) {
        slot.utcDay = utcDay;
        const time_t at = time_t(utcDay * 86400);
        tm parts{};
        slot.offset = localtime_r(&at, &parts) ? std::optional<long>(parts.tm_gmtoff) : std::nullopt;
    }
    return slot.offset;
}

int IsoMoment::offsetAt(qint64 day, qint32 second)
{
    if (m_days[0].day != day) {
        std::swap(m_days[0], m_days[1]);
        if (m_days[0].day != day) {
            m_days[0].day = day;
            // The zone is read once: localtime_r, unlike the conversion from local time, does not look at the
            // zone's file again on each call. No offset reaches a whole day, so the day's local hours lie
            // within the UTC days before, of and after it; the same offset at the midnights around them
            // means no change all day, as a zone changes its offset at most once a day.
            const qint64 utcDay = day - 2440588;
            const std::optional<long> offset = probe(utcDay - 1);
            bool steady =
                offset && probe(utcDay) == offset && probe(utcDay + 1) == offset && probe(utcDay + 2) == offset;
            if (steady) {
                m_days[0].offset = int(*offset);
                m_days[0].uniform = true;
            } else {
                // A zone changes its offset at most once a day: equal at both ends means equal all day.
                m_days[0].offset = localOffset(day, 0);
                m_days[0].uniform = m_days[0].offset == localOffset(day, 86399);
            }
        }
    }
    return m_days[0].uniform ? m_days[0].offset : localOffset(day, second);
}

QLatin1StringView IsoMoment::text(const CalendarMoment& moment)
{
    putDate(m_text, moment.day);
    m_storedDate = 0;
    if (!moment.hasTime())
        return QLatin1StringView(m_text, 10);
    return withTime(moment.day, moment.second, moment.second / 3600, moment.second / 60 % 60, moment.second % 60);
}

QLatin1StringView IsoMoment::text(const StoredMoment& moment)
{
    // A session's start and end mostly share their day, and sessions of one day follow one another: the
    // date's text and day number are kept from the moment before.
    const quint32 date = quint32(moment.year) << 9 | quint32(moment.month) << 5 | moment.day;
    if (date != m_storedDate) {
        // The stored form's date is a calendar date of year 1 or later.
        putYearMonthDay(m_text, moment.year, moment.month, moment.day);
        m_storedDay = CalendarMoment::dayNumber(moment.year, moment.month, moment.day);
        m_storedDate = date;
    }
    const int hour = moment.hour % 12 + (moment.half == 'p' ? 12 : 0);
    return withTime(m_storedDay, hour * 3600 + moment.minute * 60 + moment.second, hour, moment.minute, moment.second);
}

QLatin1StringView IsoMoment::withTime(qint64 day, qint32 second, int hours, int minutes, int seconds)
{
    const int offset = offsetAt(day, second);
    m_text[10] = 'T';
    put2(m_text + 11, hours);
    m_text[13] = ':';
    put2(m_text + 14, minutes);
    m_text[16] = ':';
    put2(m_text + 17, seconds);
    if (offset != m_shownOffset) {
        const int east = offset < 0 ? -offset : offset;
        m_text[19] = offset < 0 ? '-' : '+';
        put2(m_text + 20, east / 3600);
        m_text[22] = ':';
        put2(m_text + 23, east / 60 % 60);
        m_shownOffset = offset;
    }
    return QLatin1StringView(m_text, 25);
}
