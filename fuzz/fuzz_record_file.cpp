// Feeds arbitrary bytes to the personal data file reader as a file: the totalling pass, every text the
// windows show, the per-day history, a selection by date and the report command's three forms must come
// back without a crash, a leak or undefined behaviour, and agree with each other.
#include "report/DailyHistory.h"
#include "report/RecordFileCalculator.h"
#include "report/ReportExport.h"
#include "report/ReportJson.h"
#include "report/ReportOutput.h"
#include "report/SessionSelection.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

namespace {

void writeEverything(const CalculationResult& result, const QLocale& locale)
{
    QByteArray text;
    ReportOutput out([&text](std::string_view bytes) { text.append(bytes.data(), qsizetype(bytes.size())); });
    const DailyHistory days = DailyHistory::fromResult(result);
    ReportExport::writeText(out, result, locale);
    ReportExport::writeDaysText(out, days, locale);
    ReportExport::writeCsvRows(out, result, &days);
    ReportJson::writeFile(out, result, &days);
    out << result.openFailureMessage() << ReportExport::fileProblem(result).message;
    // The days hold every session once.
    qint64 sessions = 0;
    for (const DayFigures& d : days.days())
        sessions += d.sessions;
    if (sessions != static_cast<qint64>(result.sessions.size()))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const auto result = RecordFileCalculator().CalculateRecords(device, QStringLiteral("fuzz.rvl"));
    if (result->sessions.size() > static_cast<std::size_t>(qMax<qint64>(0, result->recordCount - 1)))
        __builtin_trap();
    writeEverything(*result, QLocale::c());
    writeEverything(*result, QLocale(QLocale::Hungarian, QLocale::Hungary));
    const auto selection = selectSessions(*result, {QDate(2024, 3, 5), QDate(2024, 3, 20)});
    if (selection->sessions.size() > result->sessions.size())
        __builtin_trap();
    writeEverything(*selection, QLocale::c());
    return 0;
}
