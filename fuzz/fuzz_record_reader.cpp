// Feeds arbitrary bytes to the personal data file reader alone: the totalling pass and the per-day pass,
// nothing formatted, so that nearly all of each run goes to reading records. The seeds hold enough sessions
// for the pass's quick path for usual sessions, which takes the records between the first and the last.
// Besides a crash, a leak or undefined behaviour, it stops where the passes disagree: the totals must be
// the sum of the rows (a left-out record must not count), and the days must share out exactly the rows'
// time and bytes.
#include "report/DailyHistory.h"
#include "report/RecordFileCalculator.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader sees a device of exactly the input's size, read in place.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const auto result = RecordFileCalculator().CalculateRecords(device, QStringLiteral("fuzz.rvl"));
    const std::size_t rows = result->sessions.size();
    if (rows > static_cast<std::size_t>(qMax<qint64>(0, result->recordCount - 1)))
        __builtin_trap();

    qint64 seconds = 0;
    quint32 received = 0; // modulo 2^32, as the file's totals
    quint32 sent = 0;
    quint64 allReceived = 0;
    quint64 allSent = 0;
    qint64 lastRecord = 0;
    for (std::size_t i = 0; i < rows; ++i) {
        const SessionRow& row = result->sessions[i];
        seconds += qint64(row.minutes) * 60 + row.seconds;
        received += row.BytesReceived;
        sent += row.BytesSent;
        allReceived += row.BytesReceived;
        allSent += row.BytesSent;
        // Rows stay in file order, one per record at most.
        const qint64 record = result->recordNumber(i);
        if (record <= lastRecord || record >= result->recordCount)
            __builtin_trap();
        lastRecord = record;
    }
    if (result->opened() && (seconds != result->totalMinutes * 60 + result->totalSeconds ||
                             received != result->totalDownloaded || sent != result->totalUploaded))
        __builtin_trap();

    const DailyHistory history = DailyHistory::fromResult(*result);
    qint64 daySessions = 0;
    qint64 daySeconds = 0;
    quint64 dayReceived = 0;
    quint64 daySent = 0;
    for (const DayFigures& d : history.days()) {
        daySessions += d.sessions;
        daySeconds += d.seconds;
        dayReceived += d.bytesReceived;
        daySent += d.bytesSent;
    }
    if (daySessions != static_cast<qint64>(rows) || daySeconds != seconds || dayReceived != allReceived ||
        daySent != allSent)
        __builtin_trap();
    return 0;
}
