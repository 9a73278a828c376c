// The report command's output of a totalled file: the window's texts, or the data as CSV.
#pragma once

#include "report/CalculationResult.h"
#include "report/ReportOutput.h"

#include <QLocale>

class DailyHistory;

namespace ReportExport {

/// Why a result cannot be reported as a personal data file; empty when it can.
struct FileProblem
{
    QString kind;    ///< "missing", "unreadable", "too_large" or "not_personal_file"
    QString message; ///< names the file
    bool isEmpty() const { return message.isEmpty(); }
};
FileProblem fileProblem(const CalculationResult& result);

/// `text` with every control character (C0 but those in `keep`, DEL, C1) written as "\xHH", so that a text
/// read from a file can never steer the terminal it is printed on.
QString printable(const QString& text, QStringView keep = {});

/// The Calculation tab's labels followed by the Message Output window's lines and totals.
void writeText(ReportOutput& out, const CalculationResult& result, const QLocale& locale = QLocale());
/// One line per day: date, sessions begun, time online, bytes downloaded and uploaded.
void writeDaysText(ReportOutput& out, const DailyHistory& days, const QLocale& locale = QLocale());

/// The CSV column names; every row after them has a kind: "period", "session", "damaged" or "total", and
/// "day" when the per-day rows are asked for, which adds the column "sessions". The last column, "damaged",
/// holds a damaged record's message on its row of kind "damaged", and on the row of a session whose
/// minute count is damaged (whose minutes and seconds are then empty) what is wrong with it.
void writeCsvHeader(ReportOutput& out, bool withDays = false);
/// The rows of one file; its damaged records after the sessions; with `days`, its per-day rows after those.
void writeCsvRows(ReportOutput& out, const CalculationResult& result, const DailyHistory* days = nullptr);
/// The header and the rows of one file, as the report command prints them, written to the file `path` (an
/// earlier file there is replaced only once all is written); why it could not be, or nothing.
QString saveCsv(const QString& path, const CalculationResult& result);

} // namespace ReportExport
