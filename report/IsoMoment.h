// Moments of a personal data file in ISO 8601 with their offset from UTC, for scripts: the wall-clock time
// as stored, followed by the offset the local time zone had at that moment.
#pragma once

#include "report/CalendarMoment.h"

#include <QString>

class IsoMoment
{
public:
    /// "2024-03-05T22:00:50+01:00"; "2024-03-05" when the time cannot be read.
    QString text(const CalendarMoment& moment);

    /// "2024-03-05".
    static QString dateText(qint64 julianDay);

private:
    /// Seconds east of UTC; a day without a change of offset is looked up once.
    int offsetAt(qint64 day, qint32 second);

    qint64 m_day = -1;
    bool m_dayIsUniform = false;
    int m_dayOffset = 0;
};
