// A selection is a result of its own: every window and export reads it as it reads a whole file.
#include "report/SessionSelection.h"

std::shared_ptr<CalculationResult> selectSessions(const CalculationResult& result, const SessionFilter& filter)
{
    auto out = std::make_shared<CalculationResult>();
    CalculationResult& r = *out;
    r.path = result.path;
    r.outcome = result.outcome;
    r.problem = result.problem;
    r.damagedRecords = result.damagedRecords;
    r.damagedCount = result.damagedCount;
    r.recordCount = result.recordCount;
    r.tailBytes = result.tailBytes;
    r.headerRead = result.headerRead;
    r.headerTagged = result.headerTagged;
    r.createdDate = result.createdDate;
    r.nextPeriodDate = result.nextPeriodDate;
    r.startingDay = result.startingDay;
    r.endingDay = result.endingDay;
    r.selection = filter;

    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const std::optional<CalendarMoment> start = result.startMoment(i);
        if (start ? filter.accepts(start->day) : filter.isOpen())
            kept.push_back(i);
    }
    r.sessions.setCapacity(kept.size());
    r.recordNumbers.reserve(kept.size());
    qint64 seconds = 0;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const std::size_t i = kept[k];
        const SessionRow& row = result.sessions[i];
        r.sessions.slot(k) = row;
        r.recordNumbers.push_back(static_cast<quint32>(result.recordNumber(i)));
        if (!row.isRegular())
            r.irregularTexts.push_back({k, StoredText::of(result.startText(i)), StoredText::of(result.endText(i))});
        seconds += qint64(row.minutes) * 60 + row.seconds;
        r.totalDownloaded += row.BytesReceived;
        r.totalUploaded += row.BytesSent;
    }
    r.sessions.setSize(kept.size());
    // The running totals keep the seconds in 0..59, so they end as the floor of the sum in minutes.
    r.totalMinutes = seconds >= 0 ? seconds / 60 : -((-seconds + 59) / 60);
    r.totalSeconds = static_cast<qint32>(seconds - r.totalMinutes * 60);
    if (!kept.empty())
        r.firstRecord = StoredText::of(result.startText(kept.front()));
    if (kept.size() > 1)
        r.lastRecord = StoredText::of(result.endText(kept.back()));
    return out;
}
