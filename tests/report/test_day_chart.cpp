// What the per-day chart shows of hand-made files: a bar for every day of a 30- or 31-day period, empty days
// in their place, a session across midnight on both of its days, today's bar, labels that tell the days
// apart, an axis with round values in a readable unit, and the figures shown on hovering a bar.
#include "ReportFixture.h"
#include "report/CalculationResult.h"
#include "report/DailyHistory.h"
#include "report/DayChart.h"
#include "report/RecordFileCalculator.h"

namespace {

const QLocale c = QLocale::c();

class DayChartTest : public ReportFixture
{
protected:
    DayChart chart(const QList<ProfileRecord>& records, QDate today = {})
    {
        const auto r = RecordFileCalculator().CalculateRecordFile(writeFile(QStringLiteral("a.rvl"), records));
        EXPECT_EQ(r->outcome, CalculationResult::Outcome::Totalled) << r->problem.toStdString();
        return DayChart::fromHistory(DailyHistory::fromResult(*r), today, c);
    }

    static ProfileRecord period(const QString& created, const QString& next)
    {
        ProfileRecord h = headerRecord(created);
        h.NextPeriodDate = next;
        return h;
    }

    static std::vector<double> values(const DayChart& chart, DayChart::Measure measure, std::size_t series = 0)
    {
        return chart.scale(measure).series.at(series).values;
    }
};

} // namespace

TEST_F(DayChartTest, AMonthOf31DaysHasABarForEveryDayAndEmptyDaysInTheirPlace)
{
    const DayChart march = chart(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:00 am"), QStringLiteral("2024/03/05, 10:30:00 am"), 30),
         sessionRecord(QStringLiteral("2024/03/31, 11:00:00 pm"), QStringLiteral("2024/03/31, 11:45:00 pm"), 45)});
    ASSERT_EQ(march.barCount(), 31);
    EXPECT_EQ(march.labels().first(), QStringLiteral("1"));
    EXPECT_EQ(march.labels().last(), QStringLiteral("31"));
    const std::vector<double> minutes = values(march, DayChart::Measure::Time);
    ASSERT_EQ(minutes.size(), 31u);
    EXPECT_EQ(minutes[4], 30);
    EXPECT_EQ(minutes[5], 0); // 6 March: no session, still a bar
    EXPECT_EQ(minutes[30], 45);
    EXPECT_EQ(march.days()[5].date, QDate(2024, 3, 6));
    EXPECT_EQ(march.title(), QStringLiteral("1 Mar 2024 to 31 Mar 2024"));
}

TEST_F(DayChartTest, AMonthOf30DaysHasThirtyBarsEvenWithoutSessions)
{
    const DayChart april = chart({period(QStringLiteral("2024/04/01"), QStringLiteral("2024/05/01"))});
    ASSERT_EQ(april.barCount(), 30);
    EXPECT_EQ(april.labels().last(), QStringLiteral("30"));
    // Nothing online: an axis from 0 to 1, not a division by zero.
    const DayChart::Scale scale = april.scale(DayChart::Measure::Time);
    EXPECT_EQ(scale.axisMax, 1);
    EXPECT_EQ(scale.tickCount, 2);
}

TEST_F(DayChartTest, ASessionAcrossMidnightShowsOnBothDays)
{
    const DayChart days = chart({period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
                                 sessionRecord(QStringLiteral("2024/03/09, 11:30:00 pm"),
                                               QStringLiteral("2024/03/10, 12:15:00 am"), 45, 3000, 300)});
    const std::vector<double> minutes = values(days, DayChart::Measure::Time);
    EXPECT_EQ(minutes[8], 30);
    EXPECT_EQ(minutes[9], 15);
    EXPECT_EQ(days.days()[8].bytesReceived, 2000u);
    EXPECT_EQ(days.days()[9].bytesReceived, 1000u);
    EXPECT_EQ(days.days()[9].bytesSent, 100u);
    EXPECT_EQ(values(days, DayChart::Measure::Bytes, 0)[9], 1000.0 / 1024);
    // The session counts on the day it began.
    EXPECT_TRUE(days.toolTip(8).contains(QStringLiteral("Sessions begun: 1")));
    EXPECT_TRUE(days.toolTip(9).contains(QStringLiteral("Sessions begun: 0")));
}

TEST_F(DayChartTest, TodaysBarIsMarkedOnlyWhenShown)
{
    const QList<ProfileRecord> file{period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"))};
    EXPECT_EQ(chart(file, QDate(2024, 3, 1)).todayIndex(), 0);
    const DayChart mid = chart(file, QDate(2024, 3, 17));
    EXPECT_EQ(mid.todayIndex(), 16);
    EXPECT_TRUE(mid.toolTip(16).startsWith(QStringLiteral("Sunday, 17 March 2024 (today)\n")));
    EXPECT_FALSE(mid.toolTip(15).contains(QStringLiteral("today")));
    EXPECT_EQ(chart(file, QDate(2024, 3, 31)).todayIndex(), 30);
    // Looking at last month's file: no bar is today's.
    EXPECT_EQ(chart(file, QDate(2024, 4, 1)).todayIndex(), -1);
    EXPECT_EQ(chart(file, QDate()).todayIndex(), -1);
}

TEST_F(DayChartTest, HoveringABarShowsThatDaysFigures)
{
    const DayChart days = chart({period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
                                 sessionRecord(QStringLiteral("2024/03/05, 10:00:50 am"),
                                               QStringLiteral("2024/03/05, 10:02:20 am"), 2, 2048, 30),
                                 sessionRecord(QStringLiteral("2024/03/05, 09:00:00 pm"),
                                               QStringLiteral("2024/03/05, 10:31:00 pm"), 91, 1024, 0)},
                                QDate(2024, 3, 5));
    EXPECT_EQ(days.toolTip(4), QStringLiteral("Tuesday, 5 March 2024 (today)\n"
                                              "Online: 01:32:30 (92 minutes)\n"
                                              "Sessions begun: 2\n"
                                              "Downloaded: 3.00 KB\n"
                                              "Uploaded: 30.00 B"));
    EXPECT_TRUE(days.toolTip(0).contains(QStringLiteral("Online: 00:00:00 (0 minutes)")));
    EXPECT_TRUE(days.toolTip(31).isEmpty());
}

TEST_F(DayChartTest, LabelsTellEveryDayApart)
{
    // A period from the 15th: the day numbers still differ.
    const DayChart midMonth = chart({period(QStringLiteral("2024/03/15"), QStringLiteral("2024/04/15"))});
    ASSERT_EQ(midMonth.barCount(), 31);
    EXPECT_EQ(midMonth.labels().first(), QStringLiteral("15"));
    EXPECT_EQ(midMonth.labels()[17], QStringLiteral("1"));

    // February and the start of March would show "1" twice: the month is added.
    const DayChart february = chart({period(QStringLiteral("2024/02/01"), QStringLiteral("2024/03/03"))});
    ASSERT_EQ(february.barCount(), 31);
    EXPECT_EQ(february.labels().first(), QStringLiteral("1 Feb"));
    EXPECT_EQ(february.labels().last(), QStringLiteral("2 Mar"));

    // Across a new year "1 Jan" could mean either: whole dates.
    const DayChart newYear = chart({period(QStringLiteral("2023/12/20"), QStringLiteral("2024/01/25"))});
    EXPECT_EQ(newYear.labels().first(), QStringLiteral("2023-12-20"));
    EXPECT_EQ(newYear.labels().last(), QStringLiteral("2024-01-24"));
    const QStringList labels = newYear.labels();
    EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), newYear.barCount());
}

TEST_F(DayChartTest, TheAxisTakesAReadableUnitAndRoundValues)
{
    const DayChart shortDays = chart(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         sessionRecord(QStringLiteral("2024/03/02, 10:00:00 am"), QStringLiteral("2024/03/02, 11:13:00 am"), 73)});
    DayChart::Scale time = shortDays.scale(DayChart::Measure::Time);
    EXPECT_EQ(time.title, QStringLiteral("Time online (minutes)"));
    EXPECT_EQ(time.axisMax, 80);
    EXPECT_EQ(time.tickCount, 5);
    EXPECT_EQ(time.decimals, 0);

    const DayChart longDay =
        chart({period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
               sessionRecord(QStringLiteral("2024/03/02, 08:00:00 am"), QStringLiteral("2024/03/02, 03:30:00 pm"), 450,
                             3u * 1024 * 1024, 700 * 1024)});
    time = longDay.scale(DayChart::Measure::Time);
    EXPECT_EQ(time.title, QStringLiteral("Time online (hours)"));
    EXPECT_EQ(values(longDay, DayChart::Measure::Time)[1], 7.5);
    EXPECT_EQ(time.axisMax, 8);
    const DayChart::Scale bytes = longDay.scale(DayChart::Measure::Bytes);
    EXPECT_EQ(bytes.title, QStringLiteral("Bytes (MB)"));
    ASSERT_EQ(bytes.series.size(), 2u);
    EXPECT_EQ(bytes.series[0].name, QStringLiteral("Downloaded"));
    EXPECT_EQ(bytes.series[1].values[1], 700.0 / 1024);
    EXPECT_EQ(bytes.axisMax, 3);
    EXPECT_EQ(bytes.tickCount, 4);

    // Half a minute online: fractions on the axis.
    const DayChart seconds =
        chart({period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
               sessionRecord(QStringLiteral("2024/03/02, 10:00:10 am"), QStringLiteral("2024/03/02, 10:00:40 am"), 0)});
    time = seconds.scale(DayChart::Measure::Time);
    EXPECT_DOUBLE_EQ(time.axisMax, 0.5);
    EXPECT_EQ(time.decimals, 1);
}

TEST_F(DayChartTest, StrayDatesYearsApartShowOnlyTheLatestDays)
{
    // A session recorded under a wrong clock, years before the period.
    const DayChart days =
        chart({period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
               sessionRecord(QStringLiteral("2019/06/01, 10:00:00 am"), QStringLiteral("2019/06/01, 10:05:00 am"), 5),
               sessionRecord(QStringLiteral("2024/03/02, 10:00:00 am"), QStringLiteral("2024/03/02, 10:05:00 am"), 5)},
              QDate(2024, 3, 2));
    ASSERT_EQ(days.barCount(), DayChart::maxBars);
    EXPECT_TRUE(days.cut());
    EXPECT_EQ(days.days().back().date, QDate(2024, 3, 31));
    EXPECT_TRUE(days.title().endsWith(QStringLiteral("(earlier days left out)")));
    EXPECT_EQ(days.todayIndex(), DayChart::maxBars - 30);
}
