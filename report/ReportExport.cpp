// Written straight to the output, session by session, so a large file never needs a second copy in memory.
// A session in the stored form is written from its packed fields: the locale's date text once per day, the
// numbers in place; any other session through the window's own texts.
#include "report/ReportExport.h"

#include "common/ByteText.h"
#include "record/StoredDate.h"
#include "report/DailyHistory.h"
#include "report/LocaleTexts.h"
#include "report/SessionText.h"

#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace ReportExport {

namespace {

QString csvField(const QString& raw)
{
    // Line breaks stay, inside quotes; any other control character is written out.
    const QString text = printable(raw, u"\n\r");
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void csvRow(ReportOutput& out, const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out << ',';
        out << csvField(fields[i]);
    }
    out << '\n';
}

// The session lines of the Message Output window, as CalculationResult::sessionLine forms them.
void writeSessionLines(ReportOutput& out, const CalculationResult& result, std::size_t i, LocaleTexts& texts,
                       const QLocale& locale)
{
    const SessionRow& row = result.sessions[i];
    const std::string_view mark = row.marked() ? " *" : "";
    if (row.isRegular()) {
        // Formed in place; each text is copied before the next one is asked for.
        const StoredMoment start = row.start();
        const StoredMoment end = row.end();
        std::string_view text = texts.shortDate(start.year, start.month, start.day);
        PlacedText line(out.room(text.size() + 32));
        line << "start: " << text;
        SessionText::placeStoredTime(line, start);
        line << mark << "\n_end: ";
        out.commit(line.end());
        text = texts.shortDate(end.year, end.month, end.day);
        line = PlacedText(out.room(text.size() + 128 + 2 * LocaleTexts::maxBytesText));
        line << text;
        SessionText::placeStoredTime(line, end);
        line << mark << "\ntime: ";
        SessionText::placeTime(line, row.minutes, row.seconds);
        line << "\ndownloaded bytes: ";
        line = PlacedText(texts.putBytesText(line.end(), row.BytesReceived));
        line << "\nuploaded bytes: ";
        line = PlacedText(texts.putBytesText(line.end(), row.BytesSent));
        line << "\n \n";
        out.commit(line.end());
        return;
    }
    out << "start: " << printable(CalculationResult::shownText(result.startText(i), locale)) << mark
        << "\n_end: " << printable(CalculationResult::shownText(result.endText(i), locale)) << mark << '\n';
    out << "time: ";
    SessionText::writeTime(out, row.minutes, row.seconds);
    out << "\ndownloaded bytes: " << texts.bytesText(row.BytesReceived)
        << "\nuploaded bytes: " << texts.bytesText(row.BytesSent) << "\n \n";
}

// One session's row, formed in place.
void writeCsvSession(ReportOutput& out, const CalculationResult& result, std::size_t i, std::string_view path,
                     bool withDays)
{
    const SessionRow& session = result.sessions[i];
    PlacedText line(out.room(path.size() + 160));
    line << "session," << path << ',' << result.recordNumber(i) << ',';
    if (session.isRegular()) {
        // The stored form holds a comma, so it is always quoted.
        line << '"';
        session.start().writeText(line.skip(23));
        line << "\",\"";
        session.end().writeText(line.skip(23));
        line << '"';
    } else {
        out.commit(line.end());
        out << csvField(result.startText(i)) << ',' << csvField(result.endText(i));
        line = PlacedText(out.room(160));
    }
    const char startAfterEnd = session.startAfterEnd() ? '1' : '0';
    if (Q_UNLIKELY(session.damaged())) {
        // No duration is known; the totals count none.
        line << ",,," << session.BytesReceived << ',' << session.BytesSent << ',' << startAfterEnd
             << (withDays ? std::string_view(",,,,,,") : std::string_view(",,,,,"));
        out.commit(line.end());
        out << CalculationResult::damagedRowNote() << '\n';
        return;
    }
    line << ',' << session.minutes << ',' << int(session.seconds) << ',' << session.BytesReceived << ','
         << session.BytesSent << ',' << startAfterEnd
         << (withDays ? std::string_view(",,,,,,\n") : std::string_view(",,,,,\n"));
    out.commit(line.end());
}

// The year, month and day of the days of a run, in order: the day before's plus one where that stays in the
// month, without asking the calendar.
class DayParts
{
public:
    void take(const QDate& date)
    {
        const qint64 day = date.toJulianDay();
        if (day == m_julianDay + 1 && m_day < 28)
            ++m_day;
        else if (day != m_julianDay)
            date.getDate(&m_year, &m_month, &m_day);
        m_julianDay = day;
    }
    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }

private:
    qint64 m_julianDay = std::numeric_limits<qint64>::min();
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
};

// One day's row, formed in place: a file of centuries has some 300,000 of them.
void writeCsvDay(ReportOutput& out, const DayFigures& d, std::string_view path)
{
    PlacedText line(out.room(path.size() + 160));
    line << "day," << path << ",,";
    int year = 0;
    int month = 0;
    int day = 0;
    d.date.getDate(&year, &month, &day);
    if (year >= 1 && year <= 9999) {
        const auto pair = [](int value) { return std::string_view(PlacedText::digitPairs.data() + 2 * value, 2); };
        line << pair(year / 100) << pair(year % 100) << '/' << pair(month) << '/' << pair(day);
    } else {
        out.commit(line.end());
        out << csvField(StoredDate::dateText(d.date));
        line = PlacedText(out.room(160));
    }
    line << ",," << d.seconds / 60 << ',' << d.seconds % 60 << ',' << d.bytesReceived << ',' << d.bytesSent << ",,,,,,"
         << d.sessions << ",\n";
    out.commit(line.end());
}

// One line of the per-day figures, formed in place; `parts` has taken its date.
void writeDayLine(ReportOutput& out, const DayFigures& d, const DayParts& parts, LocaleTexts& texts)
{
    const std::string_view date = texts.shortDate(parts.year(), parts.month(), parts.day());
    PlacedText line(out.room(date.size() + 128 + 2 * LocaleTexts::maxBytesText));
    line << date << ": " << d.sessions
         << (d.sessions == 1 ? std::string_view(" session, ") : std::string_view(" sessions, "));
    SessionText::placeTime(line, d.seconds / 60, d.seconds % 60);
    const auto putBytes = [&](quint64 bytes) {
        if (bytes <= std::numeric_limits<quint32>::max()) {
            line = PlacedText(texts.putBytesText(line.end(), static_cast<quint32>(bytes)));
            return;
        }
        // Above 4 GiB the text may be longer than the room a line is given.
        out.commit(line.end());
        const std::string_view text = texts.dayBytesText(bytes);
        line = PlacedText(out.room(text.size() + 64 + LocaleTexts::maxBytesText));
        line << text;
    };
    line << ", downloaded ";
    putBytes(d.bytesReceived);
    line << ", uploaded ";
    putBytes(d.bytesSent);
    line << '\n';
    out.commit(line.end());
}

} // namespace

QString printable(const QString& text, QStringView keep)
{
    const auto control = [&](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 || (u >= 0x7F && u <= 0x9F)) && !keep.contains(c);
    };
    if (std::none_of(text.cbegin(), text.cend(), control))
        return text;
    QString shown;
    shown.reserve(text.size() + 12);
    for (const QChar c : text) {
        if (control(c))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

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
    case CalculationResult::Outcome::NotRegular:
        return {QStringLiteral("not_regular_file"), result.problem};
    case CalculationResult::Outcome::NotPersonalFile:
        return {QStringLiteral("not_personal_file"), result.problem};
    default:
        break;
    }
    if (result.recordCount == 0)
        return {QStringLiteral("not_personal_file"),
                QStringLiteral("%1: too short for a personal data file (%2 bytes, a record has %3)")
                    .arg(result.path)
                    .arg(result.tailBytes)
                    .arg(ProfileRecord::Size)};
    return {};
}

void writeText(ReportOutput& out, const CalculationResult& result, const QLocale& locale)
{
    out << printable(result.path) << '\n'
        << printable(result.fileCreatedText(locale)) << '\n'
        << result.fromText() << '\n'
        << result.toText() << '\n'
        << printable(result.firstRecordText(locale)) << '\n'
        << printable(result.lastRecordText(locale)) << '\n'
        << "Total Time : " << result.usedTimeText() << '\n'
        << "Downloaded : " << result.receivedText(locale) << '\n'
        << "Uploaded : " << result.sentText(locale) << "\n\n";
    // Each thread its own texts and locale.
    LocaleTexts texts[2] = {LocaleTexts(locale), LocaleTexts(locale)};
    const QLocale locales[2] = {locale, locale};
    out.formRows(result.sessions.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int worker) {
        for (std::size_t i = begin; i < end; ++i)
            writeSessionLines(part, result, i, texts[worker], locales[worker]);
    });
    out << "Total time: " << result.usedTimeText() << '\n'
        << "Downloaded: " << result.receivedText(locale) << '\n'
        << "Uploaded: " << result.sentText(locale) << '\n';
}

void writeDaysText(ReportOutput& out, const DailyHistory& days, const QLocale& locale)
{
    out << "\nPer day:\n";
    // Each thread its own texts.
    LocaleTexts texts[2] = {LocaleTexts(locale), LocaleTexts(locale)};
    // Asked once: while the figures are worked out on a thread of their own, each asking waits on them.
    const std::vector<DayFigures>& all = days.days();
    out.formRows(all.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int worker) {
        DayParts parts;
        for (std::size_t i = begin; i < end; ++i) {
            parts.take(all[i].date);
            writeDayLine(part, all[i], parts, texts[worker]);
        }
    });
}

void writeCsvHeader(ReportOutput& out, bool withDays)
{
    out << "kind,file,index,start,end,minutes,seconds,bytes_down,bytes_up,start_after_end,"
           "created,next_period,from_day,to_day"
        << (withDays ? ",sessions,damaged\n" : ",damaged\n");
}

void writeCsvRows(ReportOutput& out, const CalculationResult& result, const DailyHistory* days)
{
    const QString none;
    // With per-day rows every row has the column of their session count.
    const auto row = [&](QStringList fields, const QString& sessions = QString(), const QString& damaged = QString()) {
        if (days)
            fields.append(sessions);
        fields.append(damaged);
        csvRow(out, fields);
    };
    if (result.headerRead)
        row({QStringLiteral("period"), result.path, QStringLiteral("0"), none, none, none, none, none, none, none,
             result.createdDate, result.nextPeriodDate, QString::number(result.startingDay),
             QString::number(result.endingDay)});
    const QByteArray path = csvField(result.path).toUtf8();
    const std::string_view pathText(path.constData(), static_cast<std::size_t>(path.size()));
    out.formRows(result.sessions.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int) {
        for (std::size_t i = begin; i < end; ++i)
            writeCsvSession(part, result, i, pathText, days != nullptr);
    });
    for (const CalculationResult::DamagedRecord& d : result.damagedRecords)
        row({QStringLiteral("damaged"), result.path, QString::number(d.record), none, none, none, none, none, none,
             none, none, none, none, none},
            none, d.message);
    if (const qint64 more = result.damagedCount - qint64(result.damagedRecords.size()); more > 0)
        row({QStringLiteral("damaged"), result.path, none, none, none, none, none, none, none, none, none, none, none,
             none},
            none, CalculationResult::moreDamagedText(more));
    if (days) {
        // Asked once: while the figures are worked out on a thread of their own, each asking waits on them.
        const std::vector<DayFigures>& all = days->days();
        out.formRows(all.size(), [&](ReportOutput& part, std::size_t begin, std::size_t end, int) {
            for (std::size_t i = begin; i < end; ++i)
                writeCsvDay(part, all[i], pathText);
        });
    }
    row({QStringLiteral("total"), result.path, none, none, none, QString::number(result.totalMinutes),
         QString::number(result.totalSeconds), QString::number(result.totalDownloaded),
         QString::number(result.totalUploaded), none, none, none, none, none});
}

QString saveCsv(const QString& path, const CalculationResult& result)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    bool written = true;
    {
        ReportOutput out([&file, &written](std::string_view bytes) {
            written = written && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
        });
        writeCsvHeader(out);
        writeCsvRows(out, result);
    }
    if (!written || !file.commit())
        return file.errorString();
    return {};
}

} // namespace ReportExport
