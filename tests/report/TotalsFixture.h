// Totalling a file of hand-made records, one record after the other and in two halves at once, which must
// agree on everything a window or the report command can read of the result.
#pragma once

#include "ReportFixture.h"
#include "report/RecordFileCalculator.h"

#include <limits>

inline void PrintTo(const CalculationResult::DamagedRecord& d, std::ostream* out)
{
    *out << '{' << d.record << ", \"" << d.message.toStdString() << "\", " << (d.skipped ? "skipped" : "kept") << '}';
}

inline const QLocale en(QLocale::English, QLocale::UnitedStates);

inline QStringList linesOf(const CalculationResult& r)
{
    QStringList lines;
    for (qint64 i = 0; i < r.lineCount(); ++i)
        lines.append(r.sessionLine(i, en));
    return lines;
}

// Everything a window or the report command can read of a result.
inline void expectSameResult(const CalculationResult& a, const CalculationResult& b)
{
    EXPECT_EQ(a.outcome, b.outcome);
    EXPECT_EQ(a.damagedRecords, b.damagedRecords);
    EXPECT_EQ(a.damagedCount, b.damagedCount);
    EXPECT_EQ(a.recordNumbers, b.recordNumbers);
    EXPECT_EQ(a.problem, b.problem);
    EXPECT_EQ(a.recordCount, b.recordCount);
    EXPECT_EQ(a.headerRead, b.headerRead);
    EXPECT_EQ(a.fileCreatedText(en), b.fileCreatedText(en));
    EXPECT_EQ(a.firstRecordText(en), b.firstRecordText(en));
    EXPECT_EQ(a.lastRecordText(en), b.lastRecordText(en));
    EXPECT_EQ(a.totalMinutes, b.totalMinutes);
    EXPECT_EQ(a.totalSeconds, b.totalSeconds);
    EXPECT_EQ(a.totalDownloaded, b.totalDownloaded);
    EXPECT_EQ(a.totalUploaded, b.totalUploaded);
    EXPECT_EQ(linesOf(a), linesOf(b));
}

class RecordTotals : public ReportFixture
{
protected:
    /// Totals the records one after the other, and checks that two halves at once give the same.
    std::shared_ptr<CalculationResult> total(const QList<ProfileRecord>& records, const QByteArray& tail = {})
    {
        const QString path = writeFile(QStringLiteral("a.rvl"), records, tail);
        const auto oneByOne = RecordFileCalculator({}, std::numeric_limits<qint64>::max()).CalculateRecordFile(path);
        const auto inHalves = RecordFileCalculator({}, 0).CalculateRecordFile(path);
        expectSameResult(*oneByOne, *inHalves);
        return oneByOne;
    }
};
