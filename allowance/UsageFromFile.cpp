// The file's totals are those of the Calculation tab; today's part comes from the per-day history.
#include "allowance/UsageFromFile.h"

#include "record/StoredDate.h"
#include "report/CalculationResult.h"
#include "report/DailyHistory.h"

namespace UsageFromFile {

UsageFigures of(const CalculationResult& result, const QDate& today)
{
    UsageFigures f;
    f.seconds = result.totalMinutes * 60 + result.totalSeconds;
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        f.bytesReceived += result.sessions[i].BytesReceived;
        f.bytesSent += result.sessions[i].BytesSent;
    }
    const DailyHistory history = DailyHistory::fromResult(result);
    for (const DayFigures& day : history.days()) {
        if (day.date == today)
            f.todaySeconds = day.seconds;
    }
    return f;
}

QDate periodStart(const CalculationResult& result)
{
    return result.headerRead ? StoredDate::parseDate(result.createdDate) : QDate();
}

QDate periodNext(const CalculationResult& result)
{
    return result.headerRead ? StoredDate::parseDate(result.nextPeriodDate) : QDate();
}

} // namespace UsageFromFile
