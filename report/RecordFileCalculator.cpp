// The pass keeps nothing of a record but a compact row, so its memory grows with the sessions' count only.
// A large file is totalled in two halves at once: every row has its fixed place, the running totals of the
// halves simply add up (the seconds carry the same either way), and the damaged records of both are listed in
// file order, exactly as when the records are handled one after the other. A damaged record leaves a hole
// among the rows, closed once both halves are done; a file without one is never walked again.
#include "report/RecordFileCalculator.h"

#include "record/RecordLayout.h"
#include "record/RegularFile.h"
#include "report/RecordView.h"
#include "report/StartAfterEnd.h"
#include "report/StoredMoment.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThread>
#include <atomic>
#include <chrono>
#include <future>
#include <limits>
#include <vector>

/// The records [first, end) totalled by one thread, with their own running totals.
struct RecordFileCalculator::Range
{
    qint64 first = 0;
    qint64 end = 0;
    qint64 totalMinutes = 0;
    qint64 totalSeconds = 0; ///< not yet carried into the minutes: finish() does that once
    quint32 totalDownloaded = 0;
    quint32 totalUploaded = 0;
    std::vector<CalculationResult::IrregularTexts> irregularTexts;
    std::optional<StoredText> lastRecord;
    qint64 stoppedAt = -1; ///< the record that stopped the range, or -1
    QString problem;
    std::vector<CalculationResult::DamagedRecord> damaged; ///< the first CalculationResult::maxDamagedListed
    qint64 damagedCount = 0;
    std::vector<std::pair<qint64, qint64>> skipped; ///< records [first, end) left out, in file order
    std::atomic<qint64> done{0};
    // The dates of the last start and end texts read by this range: kept apart, so that sessions that run past
    // midnight, one after the other, still find both their dates.
    StoredMoment::DateCache startDates;
    StoredMoment::DateCache endDates;

    void add(quint32 received, quint32 sent, const SessionDuration::Duration& duration)
    {
        totalDownloaded += received;
        totalUploaded += sent;
        totalSeconds += duration.seconds;
        totalMinutes += duration.minutes;
    }

    /// Lists the damaged record `index`; `why()` gives its message, asked only while the list has room, so a
    /// file of nothing but damaged records costs no more than its count.
    template <typename Why> void damage(qint64 index, bool skip, const Why& why)
    {
        ++damagedCount;
        if (damaged.size() < CalculationResult::maxDamagedListed)
            damaged.push_back({index, why(), skip});
        if (!skip || index == 0)
            return;
        if (!skipped.empty() && skipped.back().second == index)
            ++skipped.back().second;
        else
            skipped.emplace_back(index, index + 1);
    }

    bool stop(qint64 index, const QString& why)
    {
        stoppedAt = index;
        problem = why;
        return false;
    }
};

qint64 RecordFileCalculator::defaultParallelFrom()
{
    return QThread::idealThreadCount() > 1 ? 100000 : std::numeric_limits<qint64>::max();
}

std::shared_ptr<CalculationResult> RecordFileCalculator::CalculateRecordFile(const QString& path)
{
    return CalculateRecordFile(path, QFile::encodeName(path));
}

std::shared_ptr<CalculationResult> RecordFileCalculator::CalculateRecordFile(const QString& path,
                                                                             const QByteArray& nativePath)
{
    m_nativePath = nativePath;
    QFile file;
    QString problem;
    const RegularFile::Opened opened = RegularFile::openForReading(file, nativePath, &problem);
    if (opened != RegularFile::Opened::Ok) {
        m_result = std::make_shared<CalculationResult>();
        m_result->path = path;
        m_result->outcome = opened == RegularFile::Opened::Missing      ? CalculationResult::Outcome::NotFound
                            : opened == RegularFile::Opened::NotRegular ? CalculationResult::Outcome::NotRegular
                                                                        : CalculationResult::Outcome::OpenFailed;
        m_result->problem = problem;
        return std::move(m_result);
    }
    return total(file, path, true);
}

std::shared_ptr<CalculationResult> RecordFileCalculator::CalculateRecords(QIODevice& device, const QString& name)
{
    return total(device, name, false);
}

std::shared_ptr<CalculationResult> RecordFileCalculator::total(QIODevice& device, const QString& path, bool mayReopen)
{
    m_result = std::make_shared<CalculationResult>();
    m_result->path = path;
    const qint64 size = device.size();
    RecordCount = size / ProfileRecord::Size;
    m_result->recordCount = RecordCount;
    m_result->tailBytes = size % ProfileRecord::Size;
    if (RecordCount - 1 > maxSessions) {
        // Refused before a single record is read: a huge or sparse file would take minutes and its rows
        // more memory than the machine has.
        m_result->outcome = CalculationResult::Outcome::TooLarge;
        m_result->problem = tooLargeMessage(path, size);
        RecordCount = 0;
        return std::move(m_result);
    }
    m_result->sessions.setCapacity(static_cast<std::size_t>(qMax<qint64>(0, RecordCount - 1)));

    try {
        if (!mayReopen || RecordCount < qMax<qint64>(m_parallelFrom, 4)) {
            Range whole;
            whole.end = RecordCount;
            totalRange(device, whole, [] { return qint64(0); });
            finish(whole, nullptr);
        } else {
            totalInHalves(device);
        }
    } catch (const std::bad_alloc&) {
        // Rows and texts of at most maxSessions sessions normally fit; when they do not, the user is told
        // instead of the program ending.
        m_result->sessions.clear();
        m_result->irregularTexts.clear();
        m_result->outcome = CalculationResult::Outcome::TooLarge;
        m_result->problem = QStringLiteral("There is not enough memory to total the file %1.").arg(path);
    }
    RecordCount = 0;
    return std::move(m_result);
}

void RecordFileCalculator::totalInHalves(QIODevice& device)
{
    Range head;
    Range tail;
    head.end = tail.first = RecordCount / 2;
    tail.end = RecordCount;
    auto second = std::async(std::launch::async, [&] {
        QFile own;
        QString problem;
        if (RegularFile::openForReading(own, m_nativePath, &problem) == RegularFile::Opened::Ok)
            totalRange(own, tail, {});
        else
            tail.stop(tail.first,
                      QStringLiteral("The file could not be read from record %1 on. %2").arg(tail.first).arg(problem));
    });
    // The second half must end before its ranges go out of scope, also when the first one throws.
    try {
        totalRange(device, head, [&] { return tail.done.load(); });
    } catch (...) {
        second.wait();
        throw;
    }
    while (second.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (m_progress)
            m_progress(head.done + tail.done.load(), RecordCount);
    }
    second.get();
    finish(head, &tail);
}

QString RecordFileCalculator::tooLargeMessage(const QString& path, qint64 size)
{
    const QLocale english(QLocale::English);
    return QStringLiteral("The file %1 is too large to total: %2 bytes, room for %3 sessions. At most %4 sessions "
                          "(a file of %5 bytes) are totalled.")
        .arg(path, english.toString(size), english.toString(size / ProfileRecord::Size - 1),
             english.toString(maxSessions), english.toString((maxSessions + 1) * ProfileRecord::Size));
}

void RecordFileCalculator::totalRange(QIODevice& file, Range& range, const std::function<qint64()>& doneElsewhere)
{
    if (!file.seek(range.first * ProfileRecord::Size)) {
        range.stop(range.first, file.errorString());
        return;
    }
    // No larger than the range: a small file does not pay for a whole chunk's buffer.
    std::vector<char> chunk(static_cast<std::size_t>(qMax<qint64>(1, qMin(recordsPerChunk, range.end - range.first)) *
                                                     ProfileRecord::Size));
    for (qint64 first = range.first; first < range.end; first += recordsPerChunk) {
        const qint64 wanted = qMin(recordsPerChunk, range.end - first);
        const qint64 got = file.read(chunk.data(), wanted * ProfileRecord::Size);
        const qint64 whole = got < 0 ? 0 : got / ProfileRecord::Size;
        bool going = true;
        for (qint64 k = 0; going && k < whole; ++k) {
            const char* bytes = chunk.data() + k * ProfileRecord::Size;
            going = addUsualSession(range, bytes, first + k) || handleRecord(range, RecordView(bytes), first + k);
        }
        if (going && whole < wanted)
            going = range.stop(first + whole, QStringLiteral("The file ended before record %1 could be read. %2")
                                                  .arg(first + whole)
                                                  .arg(file.errorString()));
        range.done = first + wanted - range.first;
        if (!going)
            return;
        // Only the calling thread reports progress: it is the one that may handle the window's events.
        if (m_progress && doneElsewhere)
            m_progress(range.done + doneElsewhere(), RecordCount);
    }
}

// Nearly every record of a file is a session with both texts in the stored form, most of them on the days of
// the record before it. Such a record is totalled here in one go: a date is read once a day, then the texts'
// time fields alone; it gives the same row and totals as handleRecord(), which takes every other record (and
// this one, when false).
// Inlined into the pass's loop, which it is nearly all of.
Q_ALWAYS_INLINE bool RecordFileCalculator::addUsualSession(Range& range, const char* bytes, qint64 index)
{
    constexpr int createdAt = RecordLayout::CreatedDateOffset;
    constexpr int startAt = RecordLayout::StartTextOffset;
    constexpr int endAt = RecordLayout::EndTextOffset;
    const char* start = bytes + startAt + 1;
    const char* end = bytes + endAt + 1;
    // The compiler is told which way these go: it would otherwise take the checks for the usual case and build
    // the rest of this function for size.
    if (Q_UNLIKELY(index <= 1 || index >= RecordCount - 1 || bytes[createdAt] != 0 || bytes[startAt] != 23 ||
                   bytes[endAt] != 23 || !range.startDates.take(start) || !range.endDates.take(end)))
        return false;
    StoredMomentForm::Time first;
    StoredMomentForm::Time last;
    if (Q_UNLIKELY(!StoredMomentForm::readTime(start, &first) || !StoredMomentForm::readTime(end, &last)))
        return false;

    const quint64 startDate = range.startDates.packedDate;
    const quint64 endDate = range.endDates.packedDate;
    // The same day, "hh:nn" alike and the same half of the day.
    const bool sameMinute = startDate == endDate && ((first.chars ^ last.chars) & 0xFFFFFFFFFFull) == 0 &&
                            (first.packed & 1) == (last.packed & 1);
    const RecordView record(bytes);
    const qint32 used = record.UsedMinutes();
    // A damaged counter is listed and its row marked by handleRecord().
    if (Q_UNLIKELY(SessionDuration::isDamagedCount(used)))
        return false;
    const SessionDuration::Duration duration = SessionDuration::fromParts(
        used, static_cast<quint8>(first.second ? 60 - first.second : 0), last.second, sameMinute);

    range.add(record.BytesReceived(), record.BytesSent(), duration);

    m_result->sessions.slot(static_cast<std::size_t>(index - 1))
        .setAll(record.BytesReceived(), record.BytesSent(), duration, startDate | first.packed, endDate | last.packed,
                startDate != endDate ? startDate > endDate : first.order > last.order);
    return true;
}

namespace {

QString notADate(qint64 index, std::string_view text, const char* consequence)
{
    return QStringLiteral("Record %1: '%2' is not a valid date; %3.")
        .arg(index)
        .arg(QLatin1StringView(text), QLatin1StringView(consequence));
}

} // namespace

bool RecordFileCalculator::handleRecord(Range& range, const RecordView& record, qint64 index)
{
    if (index == 0) {
        CalculationResult& r = *m_result;
        r.headerRead = true;
        r.headerTagged = record.hasUserProfileTag();
        if (!r.headerTagged)
            return range.stop(0, QStringLiteral("%1: not a personal data file (record 0 is not tagged %2)")
                                     .arg(r.path, ProfileRecord::UserProfileTag));
        r.createdDate = QString::fromLatin1(record.CreatedDate().data(), qsizetype(record.CreatedDate().size()));
        r.nextPeriodDate =
            QString::fromLatin1(record.NextPeriodDate().data(), qsizetype(record.NextPeriodDate().size()));
        r.startingDay = record.StartingDay();
        r.endingDay = record.EndingDay();
        if (!record.CreatedDate().empty() && !StartAfterEnd::isStoredDate(record.CreatedDate()))
            range.damage(0, false, [&] { return notADate(0, record.CreatedDate(), "the period's start is unknown"); });
        return true;
    }
    if (!record.CreatedDate().empty() && !StartAfterEnd::isStoredDate(record.CreatedDate())) {
        range.damage(index, true, [&] { return notADate(index, record.CreatedDate(), "the record is left out"); });
        return true;
    }
    // Quickly, as a file that was made longer without being written holds nothing else.
    if (record.StartText().empty() && record.EndText().empty()) {
        range.damage(index, true, [&] {
            return QStringLiteral("Record %1 has no start or end time; the record is left out.").arg(index);
        });
        return true;
    }
    SessionParts parts;
    if (readSession(range, record, index, &parts))
        AddRecordToTotal(range, record, index, parts);
    return true;
}

bool RecordFileCalculator::readSession(Range& range, const RecordView& record, qint64 index, SessionParts* parts)
{
    const std::string_view start = record.StartText();
    const std::string_view end = record.EndText();
    // Texts in the stored form give every answer from their fields; the text functions below give the same
    // answers for them, and also handle any other text.
    StoredMoment first;
    StoredMoment last;
    if (StoredMoment::read(start, &first, range.startDates) && StoredMoment::read(end, &last, range.endDates)) {
        // Worked out from the local copies, which stay in registers.
        parts->startAfterEnd = first.sortKey() > last.sortKey();
        parts->sameMinute = first.minuteKey() == last.minuteKey();
        parts->startComplement = static_cast<quint8>(first.second == 0 ? 0 : 60 - first.second);
        parts->endSeconds = last.second;
        parts->start = first;
        parts->end = last;
        return true;
    }
    for (const std::string_view text : {start, end}) {
        if (!text.empty() && !StartAfterEnd::isStoredDate(text)) {
            range.damage(index, true, [&] { return notADate(index, text, "the record is left out"); });
            return false;
        }
    }
    parts->startAfterEnd = StartAfterEnd::isStartAfterEnd(start, end);
    parts->sameMinute = SessionDuration::StartAndEnd_DateTime_Records_AreSame(start, end);
    parts->startComplement = SessionDuration::GetStartSeconds(start);
    parts->endSeconds = SessionDuration::GetEndSeconds(end);
    return true;
}

void RecordFileCalculator::AddRecordToTotal(Range& range, const RecordView& record, qint64 index,
                                            const SessionParts& parts)
{
    if (!parts.startComplement || !parts.endSeconds) {
        range.damage(index, true, [&] {
            const bool start = !parts.startComplement;
            const std::string_view text = start ? record.StartText() : record.EndText();
            if (text.empty())
                return QStringLiteral("Record %1: the %2 time is missing; the record is left out.")
                    .arg(index)
                    .arg(start ? QStringLiteral("start") : QStringLiteral("end"));
            return QStringLiteral("Record %1: '%2' has no valid seconds; the record is left out.")
                .arg(index)
                .arg(QLatin1StringView(text));
        });
        return;
    }
    if (index == 1)
        m_result->firstRecord = StoredText(record.StartText());
    else if (index == RecordCount - 1)
        range.lastRecord = StoredText(record.EndText());

    const qint32 used = record.UsedMinutes();
    const SessionDuration::Duration duration =
        SessionDuration::fromParts(used, *parts.startComplement, *parts.endSeconds, parts.sameMinute);
    range.add(record.BytesReceived(), record.BytesSent(), duration);

    const auto place = static_cast<std::size_t>(index - 1);
    SessionRow& row = m_result->sessions.slot(place);
    row = SessionRow{};
    row.BytesReceived = record.BytesReceived();
    row.BytesSent = record.BytesSent();
    row.minutes = duration.minutes;
    row.seconds = duration.seconds;
    row.setStartAfterEnd(parts.startAfterEnd);
    if (parts.start.half && parts.end.half) {
        row.setMoments(parts.start, parts.end);
    } else {
        row.setIrregular();
        range.irregularTexts.push_back({place, StoredText(record.StartText()), StoredText(record.EndText())});
    }
    if (SessionDuration::isDamagedCount(used)) {
        row.setDamaged();
        range.damage(index, false, [&] {
            return QStringLiteral("Record %1: the minute count is negative (%2); its time counts as 00:00:00.")
                .arg(index)
                .arg(used);
        });
    }
}

void RecordFileCalculator::finish(Range& head, Range* tail)
{
    CalculationResult& r = *m_result;
    if (r.headerRead && !r.headerTagged) {
        // Whatever the records after it hold, they are not sessions to total.
        r.outcome = CalculationResult::Outcome::NotPersonalFile;
        r.problem = head.problem;
        r.sessions.clear();
        return;
    }
    // The tail counts only when the head went through to its end.
    const bool withTail = tail && head.stoppedAt < 0;
    const Range& stopper = withTail && tail->stoppedAt >= 0 ? *tail : head;
    const qint64 handledUpTo = stopper.stoppedAt >= 0 ? stopper.stoppedAt : RecordCount;
    r.sessions.setSize(static_cast<std::size_t>(qMax<qint64>(0, handledUpTo - 1)));
    qint64 minutes = head.totalMinutes;
    qint64 seconds = head.totalSeconds;
    r.totalDownloaded = head.totalDownloaded;
    r.totalUploaded = head.totalUploaded;
    r.irregularTexts = std::move(head.irregularTexts);
    r.lastRecord = head.lastRecord;
    r.damagedRecords = std::move(head.damaged);
    r.damagedCount = head.damagedCount;
    std::vector<std::pair<qint64, qint64>> skipped = std::move(head.skipped);
    if (withTail) {
        minutes += tail->totalMinutes;
        seconds += tail->totalSeconds;
        r.totalDownloaded += tail->totalDownloaded;
        r.totalUploaded += tail->totalUploaded;
        r.irregularTexts.insert(r.irregularTexts.end(), tail->irregularTexts.begin(), tail->irregularTexts.end());
        r.lastRecord = tail->lastRecord;
        for (CalculationResult::DamagedRecord& d : tail->damaged) {
            if (r.damagedRecords.size() < CalculationResult::maxDamagedListed)
                r.damagedRecords.push_back(std::move(d));
        }
        r.damagedCount += tail->damagedCount;
        skipped.insert(skipped.end(), tail->skipped.begin(), tail->skipped.end());
    }
    if (stopper.stoppedAt >= 0) {
        ++r.damagedCount;
        if (r.damagedRecords.size() < CalculationResult::maxDamagedListed)
            r.damagedRecords.push_back({stopper.stoppedAt, stopper.problem, true});
    }
    r.totalMinutes = minutes + seconds / 60;
    r.totalSeconds = static_cast<qint32>(seconds % 60);
    if (r.damagedCount == 0)
        return;
    r.outcome = CalculationResult::Outcome::DamagedRecords;
    if (!skipped.empty())
        r.closeHoles(skipped);
    // The labels name the first and the last session that counts.
    const std::size_t rows = r.sessions.size();
    r.firstRecord = rows ? std::optional(StoredText::of(r.startText(0))) : std::nullopt;
    r.lastRecord = rows > 1 ? std::optional(StoredText::of(r.endText(rows - 1))) : std::nullopt;
}
