// What one totalling pass found in a personal data file, and the texts the Calculation tab, the Message
// Output window and the report command show of it.
#pragma once

#include "report/CalendarMoment.h"
#include "report/SessionFilter.h"
#include "report/SessionRows.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

struct CalculationResult
{
    enum class Outcome
    {
        Totalled,        ///< every whole record was handled
        DamagedRecords,  ///< totalled, but `damagedRecords` were left out or count no time
        NotFound,        ///< no file at the path
        OpenFailed,      ///< the file exists but cannot be opened; `problem` says why
        NotRegular,      ///< a folder, a named pipe or a device: refused unread; `problem` says so
        NotPersonalFile, ///< record 0 is not tagged as a personal data file; `problem` says so
        TooLarge         ///< refused unread, or memory ran out; `problem` says why
    };

    /// A record the pass could not take as it is.
    struct DamagedRecord
    {
        qint64 record = 0;
        QString message;      ///< "Record N: ..." saying what is wrong with it
        bool skipped = false; ///< left out of the rows and totals; otherwise its row is kept and marked
        bool operator==(const DamagedRecord&) const = default;
    };

    static constexpr int linesPerSession = 6;
    /// At most this many damaged records are kept with their messages; `damagedCount` counts them all.
    static constexpr std::size_t maxDamagedListed = 100;

    QString path;
    Outcome outcome = Outcome::Totalled;
    QString problem;
    std::vector<DamagedRecord> damagedRecords; ///< in file order, the first `maxDamagedListed`
    qint64 damagedCount = 0;

    qint64 recordCount = 0; ///< whole records, header included
    qint64 tailBytes = 0;   ///< bytes of an incomplete record at the end, which the pass leaves out

    // Record 0, once it was handled.
    bool headerRead = false;
    bool headerTagged = false; ///< record 0 carries "[UserProfile]"
    QString createdDate;       ///< as stored, "yyyy/mm/dd"
    QString nextPeriodDate;
    qint32 startingDay = 0;
    qint32 endingDay = 0;

    std::optional<StoredText> firstRecord; ///< the start of record 1
    std::optional<StoredText> lastRecord;  ///< the end of the last record, when that is not record 1
    SessionRows sessions;                  ///< records 1, 2, ... in file order
    /// Start and end of the rows whose texts are not both in the stored form, in row order.
    struct IrregularTexts
    {
        std::size_t row = 0;
        StoredText start;
        StoredText end;
    };
    std::vector<IrregularTexts> irregularTexts;
    /// The record number of each row when the rows are a selection of the file's sessions; empty when row r
    /// is record r + 1.
    std::vector<quint32> recordNumbers;
    SessionFilter selection; ///< the dates the sessions were chosen by; open for a whole file

    // The totals after the last session handled.
    qint64 totalMinutes = 0;
    qint32 totalSeconds = 0;
    quint32 totalDownloaded = 0; ///< modulo 2^32, as the byte counts themselves
    quint32 totalUploaded = 0;

    bool opened() const { return outcome == Outcome::Totalled || outcome == Outcome::DamagedRecords; }

    /// The box shown when the file could not be opened or was refused.
    QString openFailureMessage() const;
    /// One line on the damaged records: the message of the only one, or their count and messages; empty
    /// when there are none.
    QString damageSummary() const;
    /// The message of every damaged record listed, one a line, and how many more there are.
    QString damageDetails() const;
    /// "N more damaged records." for those beyond the list.
    static QString moreDamagedText(qint64 more);
    /// What the report command says of a row whose record is damaged.
    static QString damagedRowNote() { return QStringLiteral("the minute count is negative"); }

    // The Calculation tab's labels; the value labels stay empty until a session was totalled.
    QString fileCreatedText(const QLocale& locale = QLocale()) const;
    QString fromText() const;
    QString toText() const;
    QString firstRecordText(const QLocale& locale = QLocale()) const;
    QString lastRecordText(const QLocale& locale = QLocale()) const;
    QString usedTimeText() const;
    QString receivedText(const QLocale& locale = QLocale()) const;
    QString sentText(const QLocale& locale = QLocale()) const;

    /// Six lines per session: start, end, time, downloaded, uploaded and a separator.
    qint64 lineCount() const { return linesPerSession * static_cast<qint64>(sessions.size()); }
    QString sessionLine(qint64 line, const QLocale& locale = QLocale()) const;

    /// A session's start and end texts as stored in the file.
    QString startText(std::size_t row) const;
    QString endText(std::size_t row) const;
    /// The same as calendar day and time; nothing when a text holds no date.
    std::optional<CalendarMoment> startMoment(std::size_t row) const;
    std::optional<CalendarMoment> endMoment(std::size_t row) const;
    /// The record a row was read from.
    qint64 recordNumber(std::size_t row) const
    {
        return recordNumbers.empty() ? static_cast<qint64>(row) + 1 : recordNumbers[row];
    }

    /// Drops the rows of the records in `skipped`, runs of record numbers [first, end) in file order, from
    /// rows that were written at their records' places (row r for record r + 1), keeps the irregular texts
    /// with their rows and fills `recordNumbers`.
    void closeHoles(const std::vector<std::pair<qint64, qint64>>& skipped);

    /// A stored start or end text as the user reads it: the date in the locale's short form.
    static QString shownText(const QString& stored, const QLocale& locale = QLocale());

private:
    const IrregularTexts& irregularOf(std::size_t row) const;
};
