// Moments of a personal data file in ISO 8601 with their offset from UTC, for scripts: the wall-clock time
// as stored, followed by the offset the local time zone had at that moment.
#pragma once

#include "report/CalendarMoment.h"

#include <QLatin1StringView>
#include <QString>
#include <limits>
#include <optional>

class IsoMoment
{
public:
    /// "2024-03-05T22:00:50+01:00"; "2024-03-05" when the time cannot be read. The text lives until the
    /// next call.
    QLatin1StringView text(const CalendarMoment& moment);
    /// The same of a moment read in the stored form.
    QLatin1StringView text(const StoredMoment& moment);

    /// "2024-03-05".
    static QString dateText(qint64 julianDay);
    /// The same ten bytes written at `at`.
    static void putDateText(char* at, qint64 julianDay);

private:
    /// The time and offset after the date in m_text: `second` of `day`, also as its hours, minutes and seconds.
    QLatin1StringView withTime(qint64 day, qint32 second, int hours, int minutes, int seconds);
    /// Seconds east of UTC; a day without a change of offset is looked up once.
    int offsetAt(qint64 day, qint32 second);

    struct Day
    {
        qint64 day = -1;
        bool uniform = false;
        int offset = 0;
    };

    /// The local zone's offset at midnight UTC of `utcDay` (days since 1970-01-01), or nothing.
    std::optional<long> probe(qint64 utcDay);

    struct Probe
    {
        qint64 utcDay = std::numeric_limits<qint64>::min();
        std::optional<long> offset;
    };

    char m_text[25] = {};
    /// The date of the stored moment whose date m_text holds (year, month and day in bits), and its day
    /// number; 0 when m_text holds another.
    quint32 m_storedDate = 0;
    qint64 m_storedDay = 0;
    /// The offset m_text holds after its time.
    int m_shownOffset = std::numeric_limits<int>::min();
    /// The last two days asked for: sessions around midnight alternate between two days.
    Day m_days[2];
    /// The latest probes, by day: consecutive days share three of their four.
    Probe m_probes[8];
};
