// The report command's JSON: one object per file, with its moments in ISO 8601 and its durations in
// seconds beside their texts, or an error object when the file cannot be reported.
#pragma once

#include "report/CalculationResult.h"
#include "report/ReportExport.h"
#include "report/ReportOutput.h"

class DailyHistory;

namespace ReportJson {

/// The file, its period, first and last record, every session, the totals, the per-day figures when
/// `days` is given, `extraMembers` (already JSON, each after a comma), the damaged records listed
/// ("damaged_records", each with its number, message and whether it was left out) and, when there are any,
/// an "error" of kind "damaged_records" with their count (else null).
void writeFile(ReportOutput& out, const CalculationResult& result, const DailyHistory* days = nullptr,
               const QString& extraMembers = QString());

/// {"file": ..., "error": {"kind": ..., "message": ...}}; the file is null when there is none to name.
void writeFailure(ReportOutput& out, const QString& file, const ReportExport::FileProblem& problem);

/// A JSON string literal.
QString quoted(const QString& text);
/// The same, written to the output.
void writeQuoted(ReportOutput& out, QStringView text);

} // namespace ReportJson
