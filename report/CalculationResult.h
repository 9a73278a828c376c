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
        Totalled,    ///< every whole record was handled
        NotFound,    ///< no file at the path
        OpenFailed,  ///< the file exists but cannot be opened; `problem` says why
        RecordError, ///< the pass stopped at record `errorIndex`; `problem` says why
        TooLarge     ///< refused unread, or memory ran out; `problem` says why
    };

    static constexpr int linesPerSession = 6;

    QString path;
    Outcome outcome = Outcome::Totalled;
    QString problem;
    qint64 errorIndex = -1;

    qint64 RecordCount = 0; ///< whole records, header included
    qint64 tailBytes = 0;   ///< bytes of an incomplete record at the end, which the pass leaves out

    // Record 0, once it was handled.
    bool headerRead = false;
    bool headerTagged = false; ///< record 0 carries "[UserProfile]"
    QString CreatedDate;       ///< as stored, "yyyy/mm/dd"
    QString NextPeriodDate;
    qint32 StartingDay = 0;
    qint32 EndingDay = 0;

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
    qint64 TotalMinutes = 0;
    qint32 TotalSeconds = 0;
    quint32 TotalDownloaded = 0; ///< modulo 2^32, as the byte counts themselves
    quint32 TotalUploaded = 0;

    bool opened() const { return outcome == Outcome::Totalled || outcome == Outcome::RecordError; }

    /// The box shown when the file could not be opened or was refused.
    QString openFailureMessage() const;

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

    /// A stored start or end text as the user reads it: the date in the locale's short form.
    static QString shownText(const QString& stored, const QLocale& locale = QLocale());

private:
    const IrregularTexts& irregularOf(std::size_t row) const;
};
