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
// another (a clock set back) is a second entry of the same day, merged at the end. A file of many days is
// given room for them at once, so that its figures are neither copied as the table grows nor again at the end.
class DayTable
{
public:
    explicit DayTable(std::size_t expectedDays) { m_days.reserve(expectedDays); }

    /// Valid until the next call. The last few days are looked through: sessions that run past midnight
    /// send the next day's share ahead of the sessions still beginning before it, and each of those would
    /// otherwise open a second entry of its day (some 40 a midnight when sessions overlap), all to be sorted.
    DayFigures& at(qint64 day)
    {
        const std::size_t stop = m_days.size() > lookBack ? m_days.size() - lookBack : 0;
        for (std::size_t i = m_days.size(); i > stop;) {
            if (m_days[--i].date.toJulianDay() == day)
                return m_days[i];
        }
        m_days.emplace_back();
        m_days.back().date = QDate::fromJulianDay(day);
        return m_days.back();
    }

    /// Every day in date order, with `alsoDays` (in order) among them, listed even when empty.
    std::vector<DayFigures> sorted(const std::vector<qint64>& alsoDays)
    {
        const auto byDay = [](const DayFigures& a, const DayFigures& b) { return a.date < b.date; };
        // The sessions' days come in order; only a clock set back leaves something to sort.
        if (!std::is_sorted(m_days.begin(), m_days.end(), byDay))
            std::stable_sort(m_days.begin(), m_days.end(), byDay);
        if (eachDayOnce() && listsAll(alsoDays))
            return std::move(m_days);
        std::vector<DayFigures> out;
        out.reserve(m_days.size() + alsoDays.size());
        const auto addTo = [&out](const DayFigures& figures) {
            if (!out.empty() && out.back().date == figures.date) {
                DayFigures& merged = out.back();
                merged.seconds += figures.seconds;
                merged.sessions += figures.sessions;
                merged.bytesReceived += figures.bytesReceived;
                merged.bytesSent += figures.bytesSent;
                return;
            }
            out.push_back(figures);
        };
        const auto empty = [](qint64 day) {
            DayFigures figures;
            figures.date = QDate::fromJulianDay(day);
            return figures;
        };
        auto also = alsoDays.begin();
        for (const DayFigures& figures : m_days) {
            for (; also != alsoDays.end() && *also <= figures.date.toJulianDay(); ++also)
                addTo(empty(*also));
            addTo(figures);
        }
        for (; also != alsoDays.end(); ++also)
            addTo(empty(*also));
        return out;
    }

private:
    static constexpr std::size_t lookBack = 4;

    bool eachDayOnce() const
    {
        return std::adjacent_find(m_days.begin(), m_days.end(), [](const DayFigures& a, const DayFigures& b) {
                   return a.date == b.date;
               }) == m_days.end();
    }
    /// Every one of `days` (in order) has its entry.
    bool listsAll(const std::vector<qint64>& days) const
    {
        auto entry = m_days.begin();
        for (const qint64 day : days) {
            while (entry != m_days.end() && entry->date.toJulianDay() < day)
                ++entry;
            if (entry == m_days.end() || entry->date.toJulianDay() != day)
                return false;
        }
        return true;
    }

    std::vector<DayFigures> m_days;
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

// The part of `amount` that falls into the first `done` of `whole` wall-clock seconds, rounded down: the
// pieces between two such parts add up to `amount` exactly.
qint64 partUpTo(qint64 amount, qint64 done, qint64 whole)
{
    return done == whole ? amount : amount * done / whole;
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
    qint64 seconds = 0; // the parts given to the days before
    qint64 received = 0;
    qint64 sent = 0;
    for (qint64 day = s.start.day; day <= s.end.day; ++day) {
        const qint64 from = day == s.start.day ? s.start.second : 0;
        const qint64 to = day == s.end.day ? s.end.second : secondsPerDay;
        done += to - from;
        DayFigures& figures = table.at(day);
        const qint64 secondsUpTo = partUpTo(s.seconds, done, wall);
        const qint64 receivedUpTo = partUpTo(s.received, done, wall);
        const qint64 sentUpTo = partUpTo(s.sent, done, wall);
        figures.seconds += secondsUpTo - seconds;
        figures.bytesReceived += static_cast<quint64>(receivedUpTo - received);
        figures.bytesSent += static_cast<quint64>(sentUpTo - sent);
        seconds = secondsUpTo;
        received = receivedUpTo;
        sent = sentUpTo;
    }
}

// A session that is not of one day in the stored form: split at midnight, or counted whole on its start day.
void addSession(DayTable& table, const CalculationResult& result, std::size_t i)
{
    const SessionRow& row = result.sessions[i];
    Session s;
    s.seconds = qint64(row.minutes) * 60 + row.seconds;
    s.received = row.BytesReceived;
    s.sent = row.BytesSent;
    if (row.isRegular()) {
        s.start = CalendarMoment::fromStored(row.start());
        s.end = CalendarMoment::fromStored(row.end());
        s.endKnown = true;
    } else {
        const std::optional<CalendarMoment> start = result.startMoment(i);
        if (!start)
            return; // the pass accepts no session without a start date
        const std::optional<CalendarMoment> end = result.endMoment(i);
        s.start = *start;
        s.endKnown = end.has_value();
        s.end = end.value_or(CalendarMoment{});
    }
    add(table, s);
}

// The sessions of rows [begin, end) into `table`.
void gather(DayTable& table, const CalculationResult& result, std::size_t begin, std::size_t end)
{
    // Most sessions begin and end on the day of the session before: that day's figures are kept at hand,
    // found by the packed date of the rows. The rows of one block lie side by side and are walked as such.
    quint64 lastDate = ~quint64(0);
    DayFigures* lastDay = nullptr;
    for (std::size_t i = begin; i < end;) {
        const std::size_t blockEnd = std::min(end, (i | (SessionRows::blockRows - 1)) + 1);
        for (const SessionRow* row = &result.sessions[i]; i < blockEnd; ++i, ++row) {
            if (row->isRegular()) {
                const quint64 startBits = row->startBits();
                const quint64 date = StoredMoment::packedDate(startBits);
                if (date == StoredMoment::packedDate(row->endBits())) {
                    if (date != lastDate) {
                        lastDate = date;
                        lastDay = &table.at(CalendarMoment::fromStored(StoredMoment::fromPacked(startBits)).day);
                    }
                    ++lastDay->sessions;
                    lastDay->seconds += qint64(row->minutes) * 60 + row->seconds;
                    lastDay->bytesReceived += row->BytesReceived;
                    lastDay->bytesSent += row->BytesSent;
                    continue;
                }
            }
            addSession(table, result, i);
            lastDate = ~quint64(0); // the day at hand may have moved
        }
    }
}

// The days from the first session's start to the last one's end, as far as the rows tell and the sessions
// can fill them; a few when they do not tell.
std::size_t expectedDays(const CalculationResult& result)
{
    const SessionRows& rows = result.sessions;
    if (rows.empty() || !rows[0].isRegular() || !rows[rows.size() - 1].isRegular())
        return 16;
    const qint64 first = CalendarMoment::fromStored(rows[0].start()).day;
    const qint64 last = CalendarMoment::fromStored(rows[rows.size() - 1].end()).day;
    const qint64 span = last - first + 1;
    return span > 0 ? static_cast<std::size_t>(std::min<qint64>(span, 2 * qint64(rows.size()) + 16)) : 16;
}

} // namespace

DailyHistory DailyHistory::fromResult(const CalculationResult& result)
{
    DayTable table(expectedDays(result));
    gather(table, result, 0, result.sessions.size());

    std::vector<qint64> periodDays;
    const QDate created = StoredDate::parseDate(result.createdDate);
    const QDate next = StoredDate::parseDate(result.nextPeriodDate);
    if (result.headerRead && created.isValid() && next.isValid() && created < next &&
        created.daysTo(next) <= maxPeriodDays) {
        for (qint64 day = created.toJulianDay(); day < next.toJulianDay(); ++day) {
            if (result.selection.accepts(day))
                periodDays.push_back(day);
        }
    }

    DailyHistory history;
    history.m_days = table.sorted(periodDays);
    return history;
}

DailyHistory DailyHistory::fromResultMeanwhile(const CalculationResult& result)
{
    DailyHistory history;
    history.m_pending =
        std::async(std::launch::async, [&result] { return std::move(fromResult(result).m_days); }).share();
    return history;
}
