// The texts of a totalled file, formed on request from the compact result.
#include "report/CalculationResult.h"

#include "common/ByteText.h"
#include "record/StoredDate.h"

#include <algorithm>

namespace {
const QString startAfterEndMark = QStringLiteral(" *");
} // namespace

QString CalculationResult::openFailureMessage() const
{
    if (outcome == Outcome::NotFound)
        return QStringLiteral("File not found. Filename : ") + path;
    if (outcome == Outcome::TooLarge || outcome == Outcome::NotPersonalFile)
        return problem;
    if (outcome == Outcome::NotRegular)
        return problem + QLatin1Char('.');
    return QStringLiteral("Error occurred. Failing to open ") + path + QStringLiteral(".\nError # ") + problem;
}

QString CalculationResult::moreDamagedText(qint64 more)
{
    return more == 1 ? QStringLiteral("1 more damaged record.") : QStringLiteral("%1 more damaged records.").arg(more);
}

QString CalculationResult::damageSummary() const
{
    if (damagedCount == 0)
        return {};
    if (damagedCount == 1 && !damagedRecords.empty())
        return damagedRecords.front().message;
    QStringList messages;
    for (const DamagedRecord& d : damagedRecords)
        messages.append(d.message);
    return QStringLiteral("%1 damaged records: ").arg(damagedCount) + messages.join(QLatin1Char(' '));
}

QString CalculationResult::damageDetails() const
{
    QStringList lines;
    for (const DamagedRecord& d : damagedRecords)
        lines.append(d.message);
    if (const qint64 more = damagedCount - qint64(damagedRecords.size()); more > 0)
        lines.append(moreDamagedText(more));
    return lines.join(QLatin1Char('\n'));
}

QString CalculationResult::fileCreatedText(const QLocale& locale) const
{
    const QString created = createdDate.isEmpty() ? QString() : StoredDate::YMD_To_ShortDate(createdDate, locale);
    return QStringLiteral("File created : ") + (headerRead ? created : QString());
}

QString CalculationResult::fromText() const
{
    return QStringLiteral("From : ") + (headerRead ? QString::number(startingDay) : QString());
}

QString CalculationResult::toText() const
{
    return QStringLiteral("To : ") + (headerRead ? QString::number(endingDay) : QString());
}

QString CalculationResult::firstRecordText(const QLocale& locale) const
{
    return firstRecord ? QStringLiteral("first record : ") + shownText(firstRecord->toString(), locale)
                       : QStringLiteral("first record :");
}

QString CalculationResult::lastRecordText(const QLocale& locale) const
{
    return lastRecord ? QStringLiteral("last record : ") + shownText(lastRecord->toString(), locale)
                      : QStringLiteral("last record :");
}

QString CalculationResult::usedTimeText() const
{
    return sessions.empty() ? QString() : SessionDuration::timeText(totalMinutes, totalSeconds);
}

QString CalculationResult::receivedText(const QLocale& locale) const
{
    return sessions.empty() ? QString() : ByteText::BytesToFriendlyString(totalDownloaded, locale);
}

QString CalculationResult::sentText(const QLocale& locale) const
{
    return sessions.empty() ? QString() : ByteText::BytesToFriendlyString(totalUploaded, locale);
}

QString CalculationResult::sessionLine(qint64 line, const QLocale& locale) const
{
    if (line < 0 || line >= lineCount())
        return {};
    const auto index = static_cast<std::size_t>(line / linesPerSession);
    const SessionRow& row = sessions[index];
    const QString mark = row.marked() ? startAfterEndMark : QString();
    switch (line % linesPerSession) {
    case 0:
        return QStringLiteral("start: ") + shownText(startText(index), locale) + mark;
    case 1:
        return QStringLiteral("_end: ") + shownText(endText(index), locale) + mark;
    case 2:
        return QStringLiteral("time: ") + SessionDuration::timeText(row.minutes, row.seconds);
    case 3:
        return QStringLiteral("downloaded bytes: ") + ByteText::BytesToFriendlyString(row.BytesReceived, locale);
    case 4:
        return QStringLiteral("uploaded bytes: ") + ByteText::BytesToFriendlyString(row.BytesSent, locale);
    default:
        return QStringLiteral(" ");
    }
}

const CalculationResult::IrregularTexts& CalculationResult::irregularOf(std::size_t row) const
{
    return *std::lower_bound(irregularTexts.begin(), irregularTexts.end(), row,
                             [](const IrregularTexts& texts, std::size_t wanted) { return texts.row < wanted; });
}

QString CalculationResult::startText(std::size_t row) const
{
    return sessions[row].isRegular() ? sessions[row].start().toText() : irregularOf(row).start.toString();
}

QString CalculationResult::endText(std::size_t row) const
{
    return sessions[row].isRegular() ? sessions[row].end().toText() : irregularOf(row).end.toString();
}

std::optional<CalendarMoment> CalculationResult::startMoment(std::size_t row) const
{
    if (sessions[row].isRegular())
        return CalendarMoment::fromStored(sessions[row].start());
    return CalendarMoment::fromText(irregularOf(row).start.view());
}

std::optional<CalendarMoment> CalculationResult::endMoment(std::size_t row) const
{
    if (sessions[row].isRegular())
        return CalendarMoment::fromStored(sessions[row].end());
    return CalendarMoment::fromText(irregularOf(row).end.view());
}

void CalculationResult::closeHoles(const std::vector<std::pair<qint64, qint64>>& skipped)
{
    const auto rows = static_cast<qint64>(sessions.size());
    qint64 left = 0;
    for (const auto& [first, end] : skipped)
        left += qMin(end, rows + 1) - qMin(first, rows + 1);
    recordNumbers.reserve(static_cast<std::size_t>(rows - left));
    auto irregular = irregularTexts.begin();
    std::size_t kept = 0;
    qint64 record = 1;
    // Moves the rows of records [record, end) down to the next free places.
    const auto keepUpTo = [&](qint64 end) {
        for (end = qMin(end, rows + 1); record < end; ++record) {
            const auto from = static_cast<std::size_t>(record - 1);
            if (kept != from)
                sessions.slot(kept) = sessions[from];
            if (irregular != irregularTexts.end() && irregular->row == from)
                (irregular++)->row = kept;
            recordNumbers.push_back(static_cast<quint32>(record));
            ++kept;
        }
    };
    for (const auto& [first, end] : skipped) {
        keepUpTo(first);
        record = qMax(record, end);
    }
    keepUpTo(rows + 1);
    sessions.setSize(kept);
}

QString CalculationResult::shownText(const QString& stored, const QLocale& locale)
{
    return stored.isEmpty() ? stored : StoredDate::displayedForm(stored, locale);
}
