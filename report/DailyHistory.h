// Time online, sessions and bytes per calendar day of one totalled file: the figures of the history chart
// and of the report command's per-day output.
#pragma once

#include <QDate>
#include <QtGlobal>
#include <future>
#include <vector>

struct CalculationResult;

struct DayFigures
{
    QDate date;
    qint64 seconds = 0;        ///< time online that fell on this day
    qint64 sessions = 0;       ///< sessions that began on this day
    quint64 bytesReceived = 0; ///< summed without the file totals' wrap at 2^32
    quint64 bytesSent = 0;

    bool operator==(const DayFigures&) const = default;
};

class DailyHistory
{
public:
    /// A session whose texts lie further apart is not believed: it counts whole on its start day.
    static constexpr qint64 maxSplitDays = 366;
    /// A header whose period spans more days is taken as damaged: its days are not listed when empty.
    static constexpr qint64 maxPeriodDays = 400;

    /// Every day of the file's period (from its creation date up to the day before the next period, within
    /// the result's selection of dates), and every other day a session touched, in date order. A session's
    /// duration and bytes go to the days it covered in proportion to the wall-clock time it spent in each
    /// (split at midnight); the session itself counts on the day it began. A session whose times cannot be
    /// read, or whose start lies after its end, counts whole on its start day.
    static DailyHistory fromResult(const CalculationResult& result);
    /// The same, worked out on a thread of its own while the caller goes on (writing the sessions before the
    /// days); days() waits for it. `result` must stay as it is until then.
    static DailyHistory fromResultMeanwhile(const CalculationResult& result);

    const std::vector<DayFigures>& days() const { return m_pending.valid() ? m_pending.get() : m_days; }

private:
    std::vector<DayFigures> m_days;
    std::shared_future<std::vector<DayFigures>> m_pending;
};
