// Times are given as the stored wall-clock time with the local zone's offset, and also as the stored text,
// so that a text the program cannot read as a time is still there to see.
#include "report/ReportJson.h"

#include "record/StoredDate.h"
#include "report/DailyHistory.h"
#include "report/IsoMoment.h"
#include "report/SessionText.h"

namespace ReportJson {

namespace {

bool needsEscape(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\\') || c.unicode() < 0x20;
}

// Calls `run` for every stretch of characters that need no escape and `escape` for each one that does.
template <typename Run, typename Escape> void splitAtEscapes(QStringView text, Run run, Escape escape)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!needsEscape(text[i]))
            continue;
        if (i > from)
            run(text.sliced(from, i - from));
        escape(text[i]);
        from = i + 1;
    }
    if (from < text.size())
        run(text.sliced(from));
}

QString escapeOf(QChar c)
{
    if (c.unicode() >= 0x20)
        return QStringLiteral("\\") + c;
    return QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

void writeIsoOrNull(ReportOutput& out, IsoMoment& iso, const std::optional<CalendarMoment>& moment)
{
    if (moment && moment->hasTime())
        out << '"' << iso.text(*moment) << '"';
    else
        out << "null";
}

void writeIsoOrNull(ReportOutput& out, IsoMoment& iso, const std::optional<StoredText>& text)
{
    writeIsoOrNull(out, iso, text ? CalendarMoment::fromText(text->view()) : std::nullopt);
}

// A session's start or end text as stored, without a copy for the usual text in the stored form.
void writeStoredText(ReportOutput& out, const CalculationResult& result, std::size_t row, bool start)
{
    const SessionRow& session = result.sessions[row];
    if (session.isRegular()) {
        char text[23];
        (start ? session.start() : session.end()).writeText(text);
        out << '"' << std::string_view(text, 23) << '"';
        return;
    }
    writeQuoted(out, start ? result.startText(row) : result.endText(row));
}

void writeDateOrNull(ReportOutput& out, const QDate& date)
{
    if (date.isValid())
        out << '"' << IsoMoment::dateText(date.toJulianDay()) << '"';
    else
        out << "null";
}

void writeDuration(ReportOutput& out, qint64 minutes, qint64 seconds)
{
    out << ",\"time\":\"";
    SessionText::writeTime(out, minutes, seconds);
    out << "\",\"duration_seconds\":" << minutes * 60 + seconds;
}

// An undamaged session in the stored form, formed in place: the same members as writeSessions() writes.
void placeSession(ReportOutput& out, const CalculationResult& result, std::size_t i, IsoMoment& iso)
{
    const SessionRow& row = result.sessions[i];
    const StoredMoment start = row.start();
    const StoredMoment end = row.end();
    const auto iso8601 = [&iso](const StoredMoment& moment) {
        const QLatin1StringView text = iso.text(moment);
        return std::string_view(text.data(), static_cast<std::size_t>(text.size()));
    };
    PlacedText line(out.room(512));
    line << (i ? ",\n" : "\n") << "{\"index\":" << result.recordNumber(i) << ",\"start\":\"" << iso8601(start)
         << "\",\"end\":\"" << iso8601(end) << "\",\"start_text\":\"";
    start.writeText(line.skip(23));
    line << "\",\"end_text\":\"";
    end.writeText(line.skip(23));
    line << "\",\"minutes\":" << row.minutes << ",\"seconds\":" << int(row.seconds) << ",\"time\":\"";
    SessionText::placeTime(line, row.minutes, row.seconds);
    line << "\",\"duration_seconds\":" << qint64(row.minutes) * 60 + row.seconds
         << ",\"bytes_down\":" << row.BytesReceived << ",\"bytes_up\":" << row.BytesSent
         << ",\"start_after_end\":" << (row.startAfterEnd() ? std::string_view("true") : std::string_view("false"))
         << ",\"damaged\":null}";
    out.commit(line.end());
}

void writeSession(ReportOutput& out, const CalculationResult& result, std::size_t i, IsoMoment& iso)
{
    const SessionRow& row = result.sessions[i];
    if (row.isRegular() && !row.damaged()) {
        placeSession(out, result, i, iso);
        return;
    }
    out << (i ? ",\n" : "\n") << "{\"index\":" << result.recordNumber(i) << ",\"start\":";
    writeIsoOrNull(out, iso, result.startMoment(i));
    out << ",\"end\":";
    writeIsoOrNull(out, iso, result.endMoment(i));
    out << ",\"start_text\":";
    writeStoredText(out, result, i, true);
    out << ",\"end_text\":";
    writeStoredText(out, result, i, false);
    out << ",\"minutes\":" << row.minutes << ",\"seconds\":" << int(row.seconds);
    if (Q_UNLIKELY(row.damaged())) {
        // Counted as no time, as the totals count it, but no duration is known.
        out << ",\"time\":\"";
        SessionText::writeTime(out, row.minutes, row.seconds);
        out << "\",\"duration_seconds\":null";
    } else {
        writeDuration(out, row.minutes, row.seconds);
    }
    out << ",\"bytes_down\":" << row.BytesReceived << ",\"bytes_up\":" << row.BytesSent
        << ",\"start_after_end\":" << (row.startAfterEnd() ? "true" : "false") << ",\"damaged\":";
    if (Q_UNLIKELY(row.damaged()))
        writeQuoted(out, CalculationResult::damagedRowNote());
    else
        out << "null";
    out << '}';
}

void writeSessions(ReportOutput& out, const CalculationResult& result, const IsoMoment& iso)
{
    out << ",\"sessions\":[";
    // Each thread its own offsets.
    IsoMoment isos[2] = {iso, iso};
    out.formRows(result.sessions.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int worker) {
        for (std::size_t i = begin; i < end; ++i)
            writeSession(part, result, i, isos[worker]);
    });
    out << ']';
}

void writeDamaged(ReportOutput& out, const CalculationResult& result)
{
    out << ",\"damaged_records\":[";
    for (std::size_t i = 0; i < result.damagedRecords.size(); ++i) {
        const CalculationResult::DamagedRecord& d = result.damagedRecords[i];
        out << (i ? ",\n" : "\n") << "{\"record\":" << d.record << ",\"message\":";
        writeQuoted(out, d.message);
        out << ",\"skipped\":" << (d.skipped ? "true" : "false") << '}';
    }
    out << "],\"error\":";
    if (result.damagedCount == 0) {
        out << "null";
        return;
    }
    out << "{\"kind\":\"damaged_records\",\"count\":" << result.damagedCount << ",\"message\":";
    writeQuoted(out, result.damagedCount == 1
                         ? QStringLiteral("%1: 1 damaged record").arg(result.path)
                         : QStringLiteral("%1: %2 damaged records").arg(result.path).arg(result.damagedCount));
    out << '}';
}

// One member of "days", formed in place: a file of centuries has some 300,000.
void placeDay(ReportOutput& out, const DayFigures& d, bool first)
{
    PlacedText line(out.room(320));
    line << (first ? std::string_view("\n") : std::string_view(",\n")) << "{\"date\":";
    if (d.date.isValid()) {
        line << '"';
        IsoMoment::putDateText(line.skip(10), d.date.toJulianDay());
        line << '"';
    } else {
        line << "null";
    }
    const qint64 minutes = d.seconds / 60;
    const qint64 seconds = d.seconds % 60;
    line << ",\"sessions\":" << d.sessions << ",\"time\":\"";
    SessionText::placeTime(line, minutes, seconds);
    line << "\",\"duration_seconds\":" << minutes * 60 + seconds << ",\"bytes_down\":" << d.bytesReceived
         << ",\"bytes_up\":" << d.bytesSent << '}';
    out.commit(line.end());
}

void writeDays(ReportOutput& out, const DailyHistory& days)
{
    out << ",\"days\":[";
    // Asked once: while the figures are worked out on a thread of their own, each asking waits on them.
    const std::vector<DayFigures>& all = days.days();
    out.formRows(all.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int) {
        for (std::size_t i = begin; i < end; ++i)
            placeDay(part, all[i], i == 0);
    });
    out << ']';
}

} // namespace

QString quoted(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    splitAtEscapes(
        text, [&out](QStringView run) { out += run; }, [&out](QChar c) { out += escapeOf(c); });
    out += QLatin1Char('"');
    return out;
}

void writeQuoted(ReportOutput& out, QStringView text)
{
    out << '"';
    splitAtEscapes(
        text, [&out](QStringView run) { out << run; }, [&out](QChar c) { out << escapeOf(c); });
    out << '"';
}

void writeFile(ReportOutput& out, const CalculationResult& result, const DailyHistory* days,
               const QString& extraMembers)
{
    IsoMoment iso;
    out << "{\"file\":";
    writeQuoted(out, result.path);
    out << ",\"record_count\":" << result.recordCount << ",\"partial_record_bytes\":" << result.tailBytes
        << ",\"period\":";
    if (result.headerRead) {
        out << "{\"created\":";
        writeDateOrNull(out, StoredDate::parseDate(result.createdDate));
        out << ",\"next_period\":";
        writeDateOrNull(out, StoredDate::parseDate(result.nextPeriodDate));
        out << ",\"created_text\":";
        writeQuoted(out, result.createdDate);
        out << ",\"next_period_text\":";
        writeQuoted(out, result.nextPeriodDate);
        out << ",\"from\":" << result.startingDay << ",\"to\":" << result.endingDay << '}';
    } else {
        out << "null";
    }
    out << ",\"selection\":";
    if (result.selection.isOpen()) {
        out << "null";
    } else {
        out << "{\"since\":";
        writeDateOrNull(out, result.selection.since);
        out << ",\"until\":";
        writeDateOrNull(out, result.selection.until);
        out << '}';
    }
    out << ",\"first_record\":";
    writeIsoOrNull(out, iso, result.firstRecord);
    out << ",\"last_record\":";
    writeIsoOrNull(out, iso, result.lastRecord);
    writeSessions(out, result, iso);
    out << ",\"totals\":{\"minutes\":" << result.totalMinutes << ",\"seconds\":" << result.totalSeconds;
    writeDuration(out, result.totalMinutes, result.totalSeconds);
    out << ",\"bytes_down\":" << result.totalDownloaded << ",\"bytes_up\":" << result.totalUploaded << '}';
    if (days)
        writeDays(out, *days);
    out << extraMembers;
    writeDamaged(out, result);
    out << '}';
}

void writeFailure(ReportOutput& out, const QString& file, const ReportExport::FileProblem& problem)
{
    out << "{\"file\":";
    if (file.isNull())
        out << "null";
    else
        writeQuoted(out, file);
    out << ",\"error\":{\"kind\":";
    writeQuoted(out, problem.kind);
    out << ",\"message\":";
    writeQuoted(out, problem.message);
    out << "}}";
}

} // namespace ReportJson
