// Written straight to the stream, session by session, so a large file never needs a second copy in memory.
#include "report/ReportExport.h"

#include "common/ByteText.h"
#include "record/StoredDate.h"
#include "report/DailyHistory.h"

#include <QSaveFile>

namespace ReportExport {

namespace {

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

FileProblem fileProblem(const CalculationResult& result)
{
    switch (result.outcome) {
    case CalculationResult::Outcome::NotFound:
        return {QStringLiteral("missing"), QStringLiteral("%1: no such file").arg(result.path)};
    case CalculationResult::Outcome::OpenFailed:
        return {QStringLiteral("unreadable"),
                QStringLiteral("%1: cannot be opened: %2").arg(result.path, result.problem)};
    case CalculationResult::Outcome::TooLarge:
        return {QStringLiteral("too_large"), result.problem};
    default:
        break;
    }
    if (result.RecordCount == 0)
        return {QStringLiteral("not_personal_file"),
                QStringLiteral("%1: too short for a personal data file (%2 bytes, a record has %3)")
                    .arg(result.path)
                    .arg(result.tailBytes)
                    .arg(ProfileRecord::Size)};
    if (result.headerRead && !result.headerTagged)
        return {QStringLiteral("not_personal_file"),
                QStringLiteral("%1: not a personal data file (record 0 is not tagged %2)")
                    .arg(result.path, ProfileRecord::UserProfileTag)};
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

void writeDaysText(QTextStream& out, const DailyHistory& days, const QLocale& locale)
{
    out << "\nPer day:\n";
    for (const DayFigures& d : days.days())
        out << locale.toString(d.date, QLocale::ShortFormat) << ": " << d.sessions
            << (d.sessions == 1 ? " session, " : " sessions, ")
            << SessionDuration::timeText(d.seconds / 60, d.seconds % 60) << ", downloaded "
            << ByteText::SumToFriendlyString(d.bytesReceived, locale) << ", uploaded "
            << ByteText::SumToFriendlyString(d.bytesSent, locale) << '\n';
}

void writeCsvHeader(QTextStream& out, bool withDays)
{
    out << "kind,file,index,start,end,minutes,seconds,bytes_down,bytes_up,start_after_end,"
           "created,next_period,from_day,to_day"
        << (withDays ? ",sessions\n" : "\n");
}

void writeCsvRows(QTextStream& out, const CalculationResult& result, const DailyHistory* days)
{
    const QString none;
    // With per-day rows every row has the column of their session count.
    const auto row = [&](QStringList fields, const QString& sessions = QString()) {
        if (days)
            fields.append(sessions);
        csvRow(out, fields);
    };
    if (result.headerRead)
        row({QStringLiteral("period"), result.path, QStringLiteral("0"), none, none, none, none, none, none, none,
             result.CreatedDate, result.NextPeriodDate, QString::number(result.StartingDay),
             QString::number(result.EndingDay)});
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionRow& session = result.sessions[i];
        row({QStringLiteral("session"), result.path, QString::number(result.recordNumber(i)), result.startText(i),
             result.endText(i), QString::number(session.minutes), QString::number(session.seconds),
             QString::number(session.BytesReceived), QString::number(session.BytesSent),
             session.startAfterEnd() ? QStringLiteral("1") : QStringLiteral("0"), none, none, none, none});
    }
    if (days) {
        for (const DayFigures& d : days->days())
            row({QStringLiteral("day"), result.path, none, StoredDate::dateText(d.date), none,
                 QString::number(d.seconds / 60), QString::number(d.seconds % 60), QString::number(d.bytesReceived),
                 QString::number(d.bytesSent), none, none, none, none, none},
                QString::number(d.sessions));
    }
    row({QStringLiteral("total"), result.path, none, none, none, QString::number(result.TotalMinutes),
         QString::number(result.TotalSeconds), QString::number(result.TotalDownloaded),
         QString::number(result.TotalUploaded), none, none, none, none, none});
}

QString saveCsv(const QString& path, const CalculationResult& result)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QTextStream out(&file);
    writeCsvHeader(out);
    writeCsvRows(out, result);
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit())
        return file.errorString();
    return {};
}

} // namespace ReportExport
