// Sessions come in time order, so nearly every one lands on the day of the one before: a day's figures are
// looked up only when the day changes.
#include "report/DailyHistory.h"

#include "record/StoredDate.h"
#include "report/CalculationResult.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 secondsPerDay = 86400;

// Figures gathered in the order the sessions give their days, then sorted once: a day that comes back after
// another (a clock set back) is a second entry of the same day, merged at the end.
class DayTable
{
public:
    /// Valid until the next call.
    DayFigures& at(qint64 day)
    {
        if (m_days.empty() || m_days.back().first != day)
            m_days.emplace_back(day, DayFigures());
        return m_days.back().second;
    }

    std::vector<DayFigures> sorted()
    {
        const auto byDay = [](const auto& a, const auto& b) { return a.first < b.first; };
        // The sessions' days in order, then the period's few: two runs merged; anything else sorted whole.
        const auto second = std::is_sorted_until(m_days.begin(), m_days.end(), byDay);
        if (std::is_sorted(second, m_days.end(), byDay))
            std::inplace_merge(m_days.begin(), second, m_days.end(), byDay);
        else
            std::stable_sort(m_days.begin(), m_days.end(), byDay);
        std::vector<DayFigures> out;
        out.reserve(m_days.size());
        for (std::size_t i = 0; i < m_days.size(); ++i) {
            const qint64 day = m_days[i].first;
            if (i > 0 && m_days[i - 1].first == day) {
                DayFigures& merged = out.back();
                merged.seconds += m_days[i].second.seconds;
                merged.sessions += m_days[i].second.sessions;
                merged.bytesReceived += m_days[i].second.bytesReceived;
                merged.bytesSent += m_days[i].second.bytesSent;
                continue;
            }
            out.push_back(m_days[i].second);
            out.back().date = QDate::fromJulianDay(day);
        }
        return out;
    }

private:
    std::vector<std::pair<qint64, DayFigures>> m_days;
};

struct Session
{
    CalendarMoment start;
    CalendarMoment end;
    bool endKnown = false;
    qint64 seconds = 0;
    quint32 received = 0;
    quint32 sent = 0;
};

// The share of `amount` that falls into the wall-clock seconds (done, done + piece] of `whole`, rounded so
// that the shares of all pieces add up to `amount` exactly.
qint64 share(qint64 amount, qint64 done, qint64 piece, qint64 whole)
{
    return amount * (done + piece) / whole - amount * done / whole;
}

void add(DayTable& table, const Session& s)
{
    DayFigures& first = table.at(s.start.day);
    ++first.sessions;
    const qint64 days = s.end.day - s.start.day;
    const qint64 wall = days * secondsPerDay + s.end.second - s.start.second;
    const bool split = s.endKnown && s.start.hasTime() && s.end.hasTime() && days > 0 &&
                       days <= DailyHistory::maxSplitDays && wall > 0 && s.seconds >= 0;
    if (!split) {
        first.seconds += s.seconds;
        first.bytesReceived += s.received;
        first.bytesSent += s.sent;
        return;
    }
    qint64 done = 0;
    for (qint64 day = s.start.day; day <= s.end.day; ++day) {
        const qint64 from = day == s.start.day ? s.start.second : 0;
        const qint64 to = day == s.end.day ? s.end.second : secondsPerDay;
        const qint64 piece = to - from;
        DayFigures& figures = table.at(day);
        figures.seconds += share(s.seconds, done, piece, wall);
        figures.bytesReceived += static_cast<quint64>(share(s.received, done, piece, wall));
        figures.bytesSent += static_cast<quint64>(share(s.sent, done, piece, wall));
        done += piece;
    }
}

} // namespace

DailyHistory DailyHistory::fromResult(const CalculationResult& result)
{
    DayTable table;
    // Most sessions begin and end on the day of the session before: that day's figures are kept at hand,
    // found by the packed date of the rows.
    quint64 lastDate = ~quint64(0);
    DayFigures* lastDay = nullptr;
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionRow& row = result.sessions[i];
        Session s;
        s.seconds = qint64(row.minutes) * 60 + row.seconds;
        s.received = row.BytesReceived;
        s.sent = row.BytesSent;
        if (row.isRegular()) {
            const quint64 startBits = row.startBits();
            const quint64 date = StoredMoment::packedDate(startBits);
            if (date == StoredMoment::packedDate(row.endBits())) {
                if (date != lastDate) {
                    lastDate = date;
                    lastDay = &table.at(CalendarMoment::fromStored(StoredMoment::fromPacked(startBits)).day);
                }
                ++lastDay->sessions;
                lastDay->seconds += s.seconds;
                lastDay->bytesReceived += s.received;
                lastDay->bytesSent += s.sent;
                continue;
            }
            s.start = CalendarMoment::fromStored(row.start());
            s.end = CalendarMoment::fromStored(row.end());
            s.endKnown = true;
        } else {
            const std::optional<CalendarMoment> start = result.startMoment(i);
            if (!start)
                continue; // the pass accepts no session without a start date
            const std::optional<CalendarMoment> end = result.endMoment(i);
            s.start = *start;
            s.endKnown = end.has_value();
            s.end = end.value_or(CalendarMoment{});
        }
        add(table, s);
        lastDate = ~quint64(0); // the day at hand may have moved
    }

    const QDate created = StoredDate::parseDate(result.createdDate);
    const QDate next = StoredDate::parseDate(result.nextPeriodDate);
    if (result.headerRead && created.isValid() && next.isValid() && created < next &&
        created.daysTo(next) <= maxPeriodDays) {
        for (qint64 day = created.toJulianDay(); day < next.toJulianDay(); ++day) {
            if (result.selection.accepts(day))
                table.at(day);
        }
    }

    DailyHistory history;
    history.m_days = table.sorted();
    return history;
}
