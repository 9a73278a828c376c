// Written straight to the stream, session by session, so a large file never needs a second copy in memory.
#include "report/ReportExport.h"

namespace ReportExport {

namespace {

QString jsonString(const QString& text)
{
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

QString jsonText(const std::optional<StoredText>& text)
{
    return text ? jsonString(text->toString()) : QStringLiteral("null");
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void csvRow(QTextStream& out, const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        out << (i ? "," : "") << csvField(fields[i]);
    out << '\n';
}

} // namespace

QString fileProblem(const CalculationResult& result)
{
    switch (result.outcome) {
    case CalculationResult::Outcome::NotFound:
        return QStringLiteral("%1: no such file").arg(result.path);
    case CalculationResult::Outcome::OpenFailed:
        return QStringLiteral("%1: cannot be opened: %2").arg(result.path, result.problem);
    case CalculationResult::Outcome::TooLarge:
        return result.problem;
    default:
        break;
    }
    if (result.RecordCount == 0)
        return QStringLiteral("%1: too short for a personal data file (%2 bytes, a record has %3)")
            .arg(result.path)
            .arg(result.tailBytes)
            .arg(ProfileRecord::Size);
    if (result.headerRead && !result.headerTagged)
        return QStringLiteral("%1: not a personal data file (record 0 is not tagged %2)")
            .arg(result.path, ProfileRecord::UserProfileTag);
    return {};
}

void writeText(QTextStream& out, const CalculationResult& result, const QLocale& locale)
{
    out << result.path << '\n'
        << result.fileCreatedText(locale) << '\n'
        << result.fromText() << '\n'
        << result.toText() << '\n'
        << result.firstRecordText(locale) << '\n'
        << result.lastRecordText(locale) << '\n'
        << "Total Time : " << result.usedTimeText() << '\n'
        << "Downloaded : " << result.receivedText(locale) << '\n'
        << "Uploaded : " << result.sentText(locale) << "\n\n";
    for (qint64 line = 0; line < result.lineCount(); ++line)
        out << result.sessionLine(line, locale) << '\n';
    out << "Total time: " << result.usedTimeText() << '\n'
        << "Downloaded: " << result.receivedText(locale) << '\n'
        << "Uploaded: " << result.sentText(locale) << '\n';
}

void writeJsonObject(QTextStream& out, const CalculationResult& result)
{
    out << "{\"file\":" << jsonString(result.path) << ",\"record_count\":" << result.RecordCount
        << ",\"partial_record_bytes\":" << result.tailBytes << ",\"period\":";
    if (result.headerRead)
        out << "{\"created\":" << jsonString(result.CreatedDate)
            << ",\"next_period\":" << jsonString(result.NextPeriodDate) << ",\"from\":" << result.StartingDay
            << ",\"to\":" << result.EndingDay << '}';
    else
        out << "null";
    out << ",\"first_record\":" << jsonText(result.firstRecord) << ",\"last_record\":" << jsonText(result.lastRecord)
        << ",\"sessions\":[";
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionRow& row = result.sessions[i];
        out << (i ? ",\n" : "\n") << "{\"index\":" << i + 1 << ",\"start\":" << jsonString(result.startText(i))
            << ",\"end\":" << jsonString(result.endText(i)) << ",\"minutes\":" << row.minutes
            << ",\"seconds\":" << int(row.seconds) << ",\"bytes_down\":" << row.BytesReceived
            << ",\"bytes_up\":" << row.BytesSent << ",\"start_after_end\":" << (row.startAfterEnd() ? "true" : "false")
            << '}';
    }
    out << "],\"totals\":{\"minutes\":" << result.TotalMinutes << ",\"seconds\":" << result.TotalSeconds
        << ",\"time\":" << jsonString(SessionDuration::timeText(result.TotalMinutes, result.TotalSeconds))
        << ",\"bytes_down\":" << result.TotalDownloaded << ",\"bytes_up\":" << result.TotalUploaded << "},\"error\":"
        << (result.outcome == CalculationResult::Outcome::RecordError ? jsonString(result.problem)
                                                                      : QStringLiteral("null"))
        << '}';
}

void writeCsvHeader(QTextStream& out)
{
    out << "kind,file,index,start,end,minutes,seconds,bytes_down,bytes_up,start_after_end,"
           "created,next_period,from_day,to_day\n";
}

void writeCsvRows(QTextStream& out, const CalculationResult& result)
{
    const QString none;
    if (result.headerRead)
        csvRow(out, {QStringLiteral("period"), result.path, QStringLiteral("0"), none, none, none, none, none, none,
                     none, result.CreatedDate, result.NextPeriodDate, QString::number(result.StartingDay),
                     QString::number(result.EndingDay)});
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionRow& row = result.sessions[i];
        csvRow(out, {QStringLiteral("session"), result.path, QString::number(i + 1), result.startText(i),
                     result.endText(i), QString::number(row.minutes), QString::number(row.seconds),
                     QString::number(row.BytesReceived), QString::number(row.BytesSent),
                     row.startAfterEnd() ? QStringLiteral("1") : QStringLiteral("0"), none, none, none, none});
    }
    csvRow(out, {QStringLiteral("total"), result.path, none, none, none, QString::number(result.TotalMinutes),
                 QString::number(result.TotalSeconds), QString::number(result.TotalDownloaded),
                 QString::number(result.TotalUploaded), none, none, none, none, none});
}

} // namespace ReportExport
