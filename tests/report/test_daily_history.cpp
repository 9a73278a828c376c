// Per-day figures of hand-made files: the period's empty days, sessions split at midnight by the wall clock,
// sessions that cannot be split, and the selection of sessions by date.
#include "ReportFixture.h"
#include "report/CalculationResult.h"
#include "report/DailyHistory.h"
#include "report/RecordFileCalculator.h"
#include "report/SessionFilter.h"
#include "report/SessionSelection.h"

#include <numeric>

namespace {

inline void PrintTo(const DayFigures& d, std::ostream* out)
{
    *out << d.date.toString(Qt::ISODate).toStdString() << " s=" << d.seconds << " n=" << d.sessions
         << " down=" << d.bytesReceived << " up=" << d.bytesSent;
}

DayFigures day(int month, int dayOfMonth, qint64 seconds, qint64 sessions, quint64 down = 0, quint64 up = 0)
{
    return {QDate(2024, month, dayOfMonth), seconds, sessions, down, up};
}

class DailyHistoryTest : public ReportFixture
{
protected:
    std::shared_ptr<CalculationResult> total(const QList<ProfileRecord>& records)
    {
        auto r = RecordFileCalculator().CalculateRecordFile(writeFile(QStringLiteral("a.rvl"), records));
        EXPECT_EQ(r->outcome, CalculationResult::Outcome::Totalled) << r->problem.toStdString();
        return r;
    }

    /// The days that are not empty.
    static std::vector<DayFigures> busyDays(const DailyHistory& h)
    {
        std::vector<DayFigures> busy;
        for (const DayFigures& d : h.days())
            if (d.seconds || d.sessions || d.bytesReceived || d.bytesSent)
                busy.push_back(d);
        return busy;
    }

    static ProfileRecord period(const QString& created, const QString& next)
    {
        ProfileRecord h = headerRecord(created);
        h.NextPeriodDate = next;
        return h;
    }
};

} // namespace

TEST_F(DailyHistoryTest, EveryDayOfThePeriodWithTheSessionsOfEachDay)
{
    const auto r = total(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:50 am"), QStringLiteral("2024/03/05, 10:02:20 am"), 2, 1000,
                       10),
         sessionRecord(QStringLiteral("2024/03/05, 09:00:00 pm"), QStringLiteral("2024/03/05, 10:00:00 pm"), 60, 2000,
                       20),
         sessionRecord(QStringLiteral("2024/03/31, 11:00:00 am"), QStringLiteral("2024/03/31, 11:00:30 am"), 0, 5, 6)});
    const DailyHistory h = DailyHistory::fromResult(*r);
    ASSERT_EQ(h.days().size(), 31u);
    EXPECT_EQ(h.days().front(), day(3, 1, 0, 0));
    EXPECT_EQ(h.days()[4], day(3, 5, 90 + 3600, 2, 3000, 30));
    EXPECT_EQ(h.days()[5], day(3, 6, 0, 0));
    EXPECT_EQ(h.days().back(), day(3, 31, 30, 1, 5, 6));
}

TEST_F(DailyHistoryTest, SessionsAcrossMidnightAreSplitByTheWallClock)
{
    const auto r = total(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         // Two hours, half of them on each day.
         sessionRecord(QStringLiteral("2024/03/05, 11:00:00 pm"), QStringLiteral("2024/03/06, 01:00:00 am"), 120, 3000,
                       301),
         // A third before midnight, two thirds after: the bytes add up exactly.
         sessionRecord(QStringLiteral("2024/03/07, 11:30:00 pm"), QStringLiteral("2024/03/08, 01:00:00 am"), 90, 1000,
                       1),
         // Seconds on both sides of midnight.
         sessionRecord(QStringLiteral("2024/03/09, 11:59:50 pm"), QStringLiteral("2024/03/10, 12:00:20 am"), 1, 30, 0),
         // Over a whole day: 2 h, 24 h and 2 h.
         sessionRecord(QStringLiteral("2024/03/12, 10:00:00 pm"), QStringLiteral("2024/03/14, 02:00:00 am"), 28 * 60,
                       28, 7)});
    const DailyHistory h = DailyHistory::fromResult(*r);
    EXPECT_EQ(busyDays(h), (std::vector<DayFigures>{
                               day(3, 5, 3600, 1, 1500, 150),
                               day(3, 6, 3600, 0, 1500, 151),
                               day(3, 7, 1800, 1, 333, 0),
                               day(3, 8, 3600, 0, 667, 1),
                               day(3, 9, 10, 1, 10, 0),
                               day(3, 10, 20, 0, 20, 0),
                               day(3, 12, 7200, 1, 2, 0),
                               day(3, 13, 86400, 0, 24, 6),
                               day(3, 14, 7200, 0, 2, 1),
                           }));
}

TEST_F(DailyHistoryTest, DayFiguresAddUpToTheFileTotals)
{
    // The counted duration differs from the wall clock (a clock put forward by an hour at 2 am): the days
    // share the counted duration in proportion to their wall-clock time and add up to it.
    QList<ProfileRecord> records{period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
                                 sessionRecord(QStringLiteral("2024/03/30, 11:00:00 pm"),
                                               QStringLiteral("2024/03/31, 04:00:00 am"), 241, 999, 998)};
    for (int i = 0; i < 40; ++i)
        records.append(sessionRecord(
            QStringLiteral("2024/03/%1, 11:%2:17 pm").arg(2 + i % 25, 2, 10, QLatin1Char('0')).arg(i + 10),
            QStringLiteral("2024/03/%1, 12:%2:43 am")
                .arg(3 + i % 25, 2, 10, QLatin1Char('0'))
                .arg(i, 2, 10, QLatin1Char('0')),
            60 - (i + 10) + i, 12345u * i, 77u * i));
    const auto r = total(records);
    const DailyHistory h = DailyHistory::fromResult(*r);
    const auto sum = [&h](auto field) {
        return std::accumulate(h.days().begin(), h.days().end(), qint64(0),
                               [field](qint64 a, const DayFigures& d) { return a + qint64(d.*field); });
    };
    EXPECT_EQ(sum(&DayFigures::seconds), r->totalMinutes * 60 + r->totalSeconds);
    EXPECT_EQ(sum(&DayFigures::sessions), 41);
    EXPECT_EQ(sum(&DayFigures::bytesReceived), qint64(r->totalDownloaded));
    EXPECT_EQ(sum(&DayFigures::bytesSent), qint64(r->totalUploaded));
    // 241 minutes over 5 wall-clock hours: one fifth before midnight.
    EXPECT_EQ(h.days()[29], day(3, 30, 241 * 60 / 5, 1, 199, 199));
}

TEST_F(DailyHistoryTest, DaysThatComeBackAreListedOnceInDateOrder)
{
    // Sessions across midnight overlapping the ones that still begin before it, then a clock set back by a
    // week and by a day: every day once, in date order, its figures summed.
    const auto at = [](int dayOfMonth, const char* time) {
        return QStringLiteral("2024/03/%1, %2").arg(dayOfMonth, 2, 10, QLatin1Char('0')).arg(QLatin1String(time));
    };
    QList<ProfileRecord> records{period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"))};
    for (int d = 10; d <= 16; ++d) {
        records.append(sessionRecord(at(d, "11:00:00 pm"), at(d + 1, "01:00:00 am"), 120, 200));
        records.append(sessionRecord(at(d, "11:30:00 pm"), at(d, "11:40:00 pm"), 10, 10));
    }
    records.append(sessionRecord(at(11, "10:00:00 am"), at(11, "10:01:00 am"), 1, 1));
    records.append(sessionRecord(at(16, "10:00:00 am"), at(17, "10:00:00 am"), 1440, 24));
    const DailyHistory h = DailyHistory::fromResult(*total(records));
    EXPECT_EQ(busyDays(h), (std::vector<DayFigures>{
                               day(3, 10, 4200, 2, 110),
                               day(3, 11, 7800 + 60, 3, 100 + 110 + 1),
                               day(3, 12, 7800, 2, 210),
                               day(3, 13, 7800, 2, 210),
                               day(3, 14, 7800, 2, 210),
                               day(3, 15, 7800, 2, 210),
                               day(3, 16, 7800 + 14 * 3600, 3, 210 + 14),
                               day(3, 17, 3600 + 10 * 3600, 0, 100 + 10),
                           }));
}

TEST_F(DailyHistoryTest, SessionsThatCannotBeSplitCountOnTheirStartDay)
{
    const auto r = total(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         // Start after end (the clock was put back): no wall-clock time to share.
         sessionRecord(QStringLiteral("2024/03/06, 00:10:00 am"), QStringLiteral("2024/03/05, 11:50:00 pm"), 5, 50, 5),
         // A text in another form whose time can be read is split like any other.
         sessionRecord(QStringLiteral("2024/03/07, 11:00:00 PM"), QStringLiteral("2024/03/08, 01:00:00 am"), 120, 20,
                       2),
         // A time that cannot be read: the start day takes all.
         sessionRecord(QStringLiteral("2024/03/09, 11:61:00 pm"), QStringLiteral("2024/03/10, 01:61:30 am"), 0),
         // Dates years apart are not believed.
         sessionRecord(QStringLiteral("2024/03/11, 10:00:00 pm"), QStringLiteral("2026/03/11, 10:00:30 pm"), 1, 9, 9)});
    const DailyHistory h = DailyHistory::fromResult(*r);
    const std::vector<DayFigures> busy = busyDays(h);
    ASSERT_EQ(busy.size(), 5u);
    EXPECT_EQ(busy[0], day(3, 6, r->sessions[0].minutes * 60 + r->sessions[0].seconds, 1, 50, 5));
    EXPECT_EQ(busy[1], day(3, 7, 3600, 1, 10, 1));
    EXPECT_EQ(busy[2], day(3, 8, 3600, 0, 10, 1));
    EXPECT_EQ(busy[3].date, QDate(2024, 3, 9));
    EXPECT_EQ(busy[3].sessions, 1);
    EXPECT_EQ(busy[4], day(3, 11, 90, 1, 9, 9));
    // Nothing reached the years in between.
    EXPECT_EQ(h.days().back().date, QDate(2024, 3, 31));
}

TEST_F(DailyHistoryTest, DaysOutsideThePeriodAndDamagedPeriods)
{
    const ProfileRecord late =
        sessionRecord(QStringLiteral("2024/04/02, 10:00:00 am"), QStringLiteral("2024/04/02, 10:00:30 am"), 0, 1, 1);
    // A session after the period (a roll-over that did not happen) gets a day of its own after the period.
    const DailyHistory after =
        DailyHistory::fromResult(*total({period(QStringLiteral("2024/03/20"), QStringLiteral("2024/04/01")), late}));
    ASSERT_EQ(after.days().size(), 13u);
    EXPECT_EQ(after.days().front().date, QDate(2024, 3, 20));
    EXPECT_EQ(after.days()[11].date, QDate(2024, 3, 31));
    EXPECT_EQ(after.days().back(), day(4, 2, 30, 1, 1, 1));

    // A period that ends before it begins, or spans years, or has no readable date lists only busy days.
    for (const auto& [created, next] : {std::pair{"2024/03/20", "2024/03/01"}, std::pair{"2020/03/20", "2024/04/01"},
                                        std::pair{"2024/03/20", "next month"}}) {
        SCOPED_TRACE(created);
        const DailyHistory h =
            DailyHistory::fromResult(*total({period(QString::fromLatin1(created), QString::fromLatin1(next)), late}));
        EXPECT_EQ(h.days(), (std::vector<DayFigures>{day(4, 2, 30, 1, 1, 1)}));
    }
    EXPECT_TRUE(DailyHistory::fromResult(*total({})).days().empty());
}

TEST_F(DailyHistoryTest, SelectionByDateKeepsWholeSessionsAndItsOwnTotals)
{
    const auto r = total(
        {period(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01")),
         sessionRecord(QStringLiteral("2024/03/04, 10:00:00 am"), QStringLiteral("2024/03/04, 10:00:40 am"), 0,
                       0xFFFFFFF0u, 1),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:50 am"), QStringLiteral("2024/03/05, 10:02:20 am"), 2, 0x20u,
                       2),
         sessionRecord(QStringLiteral("2024/03/06 10:00:10"), QStringLiteral("2024/03/06 10:00:40"), 0, 0xFFFFFFF0u, 3),
         sessionRecord(QStringLiteral("2024/03/07, 11:00:00 pm"), QStringLiteral("2024/03/08, 01:00:00 am"), 120, 100,
                       4),
         sessionRecord(QStringLiteral("2024/03/09, 10:00:00 am"), QStringLiteral("2024/03/09, 10:00:10 am"), 0, 1, 5)});
    const QLocale en(QLocale::English, QLocale::UnitedStates);

    const auto open = selectSessions(*r, {});
    EXPECT_EQ(open->sessions.size(), 5u);
    EXPECT_EQ(open->totalMinutes, r->totalMinutes);
    EXPECT_EQ(open->totalSeconds, r->totalSeconds);
    EXPECT_EQ(open->lastRecordText(en), r->lastRecordText(en));

    const auto s = selectSessions(*r, {QDate(2024, 3, 5), QDate(2024, 3, 7)});
    ASSERT_EQ(s->sessions.size(), 3u);
    EXPECT_EQ(s->recordNumber(0), 2);
    EXPECT_EQ(s->recordNumber(2), 4);
    EXPECT_EQ(s->startText(1), QStringLiteral("2024/03/06 10:00:10"));
    EXPECT_EQ(s->firstRecordText(en), QStringLiteral("first record : 3/5/24, 10:00:50 am"));
    EXPECT_EQ(s->lastRecordText(en), QStringLiteral("last record : 3/8/24, 01:00:00 am"));
    // 1:30 + 0:00 (the seconds of a text in another form are read where the stored form has them) + 2:00.
    EXPECT_EQ(s->usedTimeText(), QStringLiteral("02:01:30"));
    EXPECT_EQ(s->totalDownloaded, 116u); // 0x20 + 0xFFFFFFF0 + 100, past 2^32
    EXPECT_EQ(s->totalUploaded, 9u);
    EXPECT_EQ(s->lineCount(), 18);
    EXPECT_EQ(s->sessionLine(13, en), QStringLiteral("_end: 3/8/24, 01:00:00 am"));

    // The period's days are cut to the selection; the session that began on its last day is kept whole.
    const DailyHistory h = DailyHistory::fromResult(*s);
    ASSERT_EQ(h.days().size(), 4u);
    EXPECT_EQ(h.days()[0], day(3, 5, 90, 1, 0x20, 2));
    EXPECT_EQ(h.days()[2], day(3, 7, 3600, 1, 50, 2));
    EXPECT_EQ(h.days()[3], day(3, 8, 3600, 0, 50, 2));

    const auto one = selectSessions(*r, {QDate(2024, 3, 9), QDate()});
    EXPECT_EQ(one->firstRecordText(en), QStringLiteral("first record : 3/9/24, 10:00:00 am"));
    EXPECT_EQ(one->lastRecordText(en), QStringLiteral("last record :"));
    EXPECT_TRUE(selectSessions(*r, {QDate(2024, 4, 1), QDate()})->sessions.empty());
    EXPECT_TRUE(selectSessions(*r, {QDate(), QDate(2024, 3, 3)})->usedTimeText().isEmpty());
}
