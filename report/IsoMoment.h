// Moments of a personal data file in ISO 8601 with their offset from UTC, for scripts: the wall-clock time
// as stored, followed by the offset the local time zone had at that moment.
#pragma once

#include "report/CalendarMoment.h"

#include <QLatin1StringView>
#include <QString>

class IsoMoment
{
public:
    /// "2024-03-05T22:00:50+01:00"; "2024-03-05" when the time cannot be read. The text lives until the
    /// next call.
    QLatin1StringView text(const CalendarMoment& moment);

    /// "2024-03-05".
    static QString dateText(qint64 julianDay);

private:
    /// Seconds east of UTC; a day without a change of offset is looked up once.
    int offsetAt(qint64 day, qint32 second);

    struct Day
    {
        qint64 day = -1;
        bool uniform = false;
        int offset = 0;
    };

    char m_text[25] = {};
    /// The last two days asked for: sessions around midnight alternate between two days.
    Day m_days[2];
};
