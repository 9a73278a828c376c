// The report command's output of a totalled file: the window's texts, or the data as JSON or CSV.
#pragma once

#include "report/CalculationResult.h"

#include <QLocale>
#include <QTextStream>

namespace ReportExport {

/// Why a result cannot be reported as a personal data file: missing, unreadable, shorter than one record
/// or not tagged "[UserProfile]"; empty when it can.
QString fileProblem(const CalculationResult& result);

/// The Calculation tab's labels followed by the Message Output window's lines and totals.
void writeText(QTextStream& out, const CalculationResult& result, const QLocale& locale = QLocale());

/// One JSON object: the file, its period, first and last record, every session and the totals, and the
/// reason when the pass stopped early. Texts are the stored ones, independent of the locale.
void writeJsonObject(QTextStream& out, const CalculationResult& result);

/// The CSV column names; every row after them has a kind: "period", "session" or "total".
void writeCsvHeader(QTextStream& out);
void writeCsvRows(QTextStream& out, const CalculationResult& result);

} // namespace ReportExport
