// One totalling pass over a personal data file: reads it in chunks, record by record, and builds up the
// running totals, the per-session rows and the label values. The file is only read, never changed.
#pragma once

#include "report/CalculationResult.h"

#include <functional>
#include <memory>

class QIODevice;
class RecordView;

class RecordFileCalculator
{
public:
    /// Called on the calling thread after every chunk of records with the number handled so far and the
    /// file's record count, so that a window can show progress and keep handling its events.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    static constexpr qint64 recordsPerChunk = 2048;

    /// A file with room for more sessions than this is refused before it is read. Its rows take at most
    /// 240 MB (24 bytes a session); a real period holds a few thousand sessions at most.
    static constexpr qint64 maxSessions = 10'000'000;

    /// From this many records on, the second half of the file is totalled on a second thread; without a
    /// second processor never.
    static qint64 defaultParallelFrom();

    explicit RecordFileCalculator(Progress progress = {}, qint64 parallelFrom = defaultParallelFrom())
        : m_progress(std::move(progress)), m_parallelFrom(parallelFrom)
    {}

    /// Totals the file at `path`. Opening failures and a header not tagged as a personal data file are told
    /// in the result's outcome. A record that cannot be read is listed as damaged and left out, and the pass
    /// goes on with the next; a record whose minute counter is damaged keeps its row, marked, with no time.
    /// Only the end of the readable file stops the pass early.
    std::shared_ptr<CalculationResult> CalculateRecordFile(const QString& path);
    /// The same for a file named by the file system's bytes (which need not be text in the locale's
    /// encoding); `path` is the name the result shows.
    std::shared_ptr<CalculationResult> CalculateRecordFile(const QString& path, const QByteArray& nativePath);

    /// The same pass over records that are already open for reading, from the device's start, one record
    /// after the other; `name` stands for the path in the result.
    std::shared_ptr<CalculationResult> CalculateRecords(QIODevice& device, const QString& name);

    /// Why a file of `size` bytes is refused.
    static QString tooLargeMessage(const QString& path, qint64 size);

private:
    struct Range;

    /// What the duration rule and the start-after-end mark need of a session record's two texts.
    struct SessionParts
    {
        StoredMoment start; ///< `half` 0 unless the text is in the stored form
        StoredMoment end;
        bool startAfterEnd = false;
        bool sameMinute = false;
        std::optional<quint8> startComplement; ///< GetStartSeconds; nothing when the seconds are no number
        std::optional<quint8> endSeconds;      ///< GetEndSeconds
    };

    std::shared_ptr<CalculationResult> total(QIODevice& device, const QString& path, bool mayReopen);
    void totalInHalves(QIODevice& device);
    void totalRange(QIODevice& file, Range& range, const std::function<qint64()>& doneElsewhere);
    /// False when the pass cannot go on: the header is not a personal data file's.
    bool handleRecord(Range& range, const RecordView& record, qint64 index);
    /// Totals the record at `bytes` when it is a usual session; false, having changed nothing, otherwise.
    bool addUsualSession(Range& range, const char* bytes, qint64 index);
    /// False, after listing the record as damaged, when a text does not begin with a valid date.
    bool readSession(Range& range, const RecordView& record, qint64 index, SessionParts* parts);
    void AddRecordToTotal(Range& range, const RecordView& record, qint64 index, const SessionParts& parts);
    void finish(Range& head, Range* tail);

    Progress m_progress;
    qint64 m_parallelFrom;
    std::shared_ptr<CalculationResult> m_result;
    QByteArray m_nativePath; ///< the file's name as the file system has it, for the second half's own reader
    qint64 RecordCount = 0;
};
