// Times are given as the stored wall-clock time with the local zone's offset, and also as the stored text,
// so that a text the program cannot read as a time is still there to see.
#include "report/ReportJson.h"

#include "record/StoredDate.h"
#include "report/DailyHistory.h"
#include "report/IsoMoment.h"

#include <algorithm>

namespace ReportJson {

namespace {

// Written straight into the stream: two of these for every session.
struct IsoOrNull
{
    IsoMoment& iso;
    std::optional<CalendarMoment> moment;
};

QTextStream& operator<<(QTextStream& out, const IsoOrNull& value)
{
    if (value.moment && value.moment->hasTime())
        out << '"' << value.iso.text(*value.moment) << '"';
    else
        out << "null";
    return out;
}

bool needsEscapes(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\\') || c.unicode() < 0x20; });
}

// A session's start or end text as stored, without a copy for the usual text in the stored form.
struct StoredTextOf
{
    const CalculationResult& result;
    std::size_t row;
    bool start;
};

QTextStream& operator<<(QTextStream& out, const StoredTextOf& value)
{
    const SessionRow& row = value.result.sessions[value.row];
    if (row.isRegular()) {
        char text[23];
        (value.start ? row.start() : row.end()).writeText(text);
        return out << '"' << QLatin1StringView(text, 23) << '"';
    }
    return out << quoted(value.start ? value.result.startText(value.row) : value.result.endText(value.row));
}

IsoOrNull isoOrNull(IsoMoment& iso, const std::optional<CalendarMoment>& moment)
{
    return {iso, moment};
}

IsoOrNull isoOrNull(IsoMoment& iso, const std::optional<StoredText>& text)
{
    return {iso, text ? CalendarMoment::fromText(text->view()) : std::nullopt};
}

QString dateOrNull(const QString& stored)
{
    const QDate date = StoredDate::parseDate(stored);
    return date.isValid() ? quoted(IsoMoment::dateText(date.toJulianDay())) : QStringLiteral("null");
}

QString dateOrNull(const QDate& date)
{
    return date.isValid() ? quoted(IsoMoment::dateText(date.toJulianDay())) : QStringLiteral("null");
}

void writeDuration(QTextStream& out, qint64 minutes, qint64 seconds)
{
    out << ",\"time\":" << quoted(SessionDuration::timeText(minutes, seconds))
        << ",\"duration_seconds\":" << minutes * 60 + seconds;
}

void writeSessions(QTextStream& out, const CalculationResult& result, IsoMoment& iso)
{
    out << ",\"sessions\":[";
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionRow& row = result.sessions[i];
        out << (i ? ",\n" : "\n") << "{\"index\":" << result.recordNumber(i)
            << ",\"start\":" << isoOrNull(iso, result.startMoment(i))
            << ",\"end\":" << isoOrNull(iso, result.endMoment(i)) << ",\"start_text\":" << StoredTextOf{result, i, true}
            << ",\"end_text\":" << StoredTextOf{result, i, false} << ",\"minutes\":" << row.minutes
            << ",\"seconds\":" << int(row.seconds);
        writeDuration(out, row.minutes, row.seconds);
        out << ",\"bytes_down\":" << row.BytesReceived << ",\"bytes_up\":" << row.BytesSent
            << ",\"start_after_end\":" << (row.startAfterEnd() ? "true" : "false") << '}';
    }
    out << ']';
}

void writeDays(QTextStream& out, const DailyHistory& days)
{
    out << ",\"days\":[";
    bool first = true;
    for (const DayFigures& d : days.days()) {
        out << (first ? "\n" : ",\n") << "{\"date\":" << dateOrNull(d.date) << ",\"sessions\":" << d.sessions;
        writeDuration(out, d.seconds / 60, d.seconds % 60);
        out << ",\"bytes_down\":" << d.bytesReceived << ",\"bytes_up\":" << d.bytesSent << '}';
        first = false;
    }
    out << ']';
}

} // namespace

QString quoted(const QString& text)
{
    if (!needsEscapes(text))
        return QLatin1Char('"') + text + QLatin1Char('"');
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

void writeFile(QTextStream& out, const CalculationResult& result, const DailyHistory* days, const QString& extraMembers)
{
    IsoMoment iso;
    out << "{\"file\":" << quoted(result.path) << ",\"record_count\":" << result.RecordCount
        << ",\"partial_record_bytes\":" << result.tailBytes << ",\"period\":";
    if (result.headerRead)
        out << "{\"created\":" << dateOrNull(result.CreatedDate)
            << ",\"next_period\":" << dateOrNull(result.NextPeriodDate)
            << ",\"created_text\":" << quoted(result.CreatedDate)
            << ",\"next_period_text\":" << quoted(result.NextPeriodDate) << ",\"from\":" << result.StartingDay
            << ",\"to\":" << result.EndingDay << '}';
    else
        out << "null";
    out << ",\"selection\":";
    if (result.selection.isOpen())
        out << "null";
    else
        out << "{\"since\":" << dateOrNull(result.selection.since)
            << ",\"until\":" << dateOrNull(result.selection.until) << '}';
    out << ",\"first_record\":" << isoOrNull(iso, result.firstRecord)
        << ",\"last_record\":" << isoOrNull(iso, result.lastRecord);
    writeSessions(out, result, iso);
    out << ",\"totals\":{\"minutes\":" << result.TotalMinutes << ",\"seconds\":" << result.TotalSeconds;
    writeDuration(out, result.TotalMinutes, result.TotalSeconds);
    out << ",\"bytes_down\":" << result.TotalDownloaded << ",\"bytes_up\":" << result.TotalUploaded << '}';
    if (days)
        writeDays(out, *days);
    out << extraMembers << ",\"error\":";
    if (result.outcome == CalculationResult::Outcome::RecordError)
        out << "{\"kind\":\"damaged_record\",\"record\":" << result.errorIndex
            << ",\"message\":" << quoted(result.problem) << '}';
    else
        out << "null";
    out << '}';
}

void writeFailure(QTextStream& out, const QString& file, const ReportExport::FileProblem& problem)
{
    out << "{\"file\":" << (file.isNull() ? QStringLiteral("null") : quoted(file))
        << ",\"error\":{\"kind\":" << quoted(problem.kind) << ",\"message\":" << quoted(problem.message) << "}}";
}

} // namespace ReportJson
