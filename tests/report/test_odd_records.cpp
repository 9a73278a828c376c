// Records a recording does not normally leave: a session of one minute with a minute counted, a damaged
// minute count, records that cannot be read and a header that is not a personal data file's. Every other
// session must count, in the totals, the session lines, the history, a selection and the allowance alike.
#include "TotalsFixture.h"
#include "allowance/UsageFromFile.h"
#include "report/DailyHistory.h"
#include "report/ReportExport.h"
#include "report/SessionFilter.h"

namespace {

ProfileRecord session(int day, const char* start, const char* end, qint32 used, quint32 received = 0)
{
    const QString date = QStringLiteral("2024/03/%1, ").arg(day, 2, 10, QLatin1Char('0'));
    return sessionRecord(date + QLatin1String(start), date + QLatin1String(end), used, received, 1);
}

class OddRecords : public RecordTotals
{};

} // namespace

TEST_F(OddRecords, ASessionWithinOneMinuteCountsItsSecondsWhateverTheCount)
{
    // Records 1 and 5 are read the long way, 2 to 4 the quick way, and record 3 has a creation date that
    // also sends it the long way.
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 5; ++i)
        records.append(session(5, "10:00:10 pm", "10:00:40 pm", i % 2 ? 2 : 1, 10));
    records[3].CreatedDate = QStringLiteral("2024/03/05");
    const auto r = total(records);
    ASSERT_EQ(r->outcome, CalculationResult::Outcome::Totalled);
    for (qint64 line = 2; line < r->lineCount(); line += CalculationResult::linesPerSession)
        EXPECT_EQ(r->sessionLine(line, en), QStringLiteral("time: 00:00:30")) << line;
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:02:30"));
    EXPECT_EQ(DailyHistory::fromResult(*r).days()[4].seconds, 150); // 5 March
}

TEST_F(OddRecords, ANegativeMinuteCountCountsNoTimeAndMarksItsLines)
{
    // The damaged counts in the middle of the file and at its end.
    const auto r =
        total({headerRecord(), session(5, "10:00:10 pm", "10:05:40 pm", 5, 100),
               session(5, "11:00:10 pm", "11:05:20 pm", -5, 200), session(5, "11:30:10 pm", "11:35:40 pm", 5, 300),
               session(6, "01:00:00 am", "01:00:30 am", -1)});
    EXPECT_EQ(r->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:11:00"));
    EXPECT_EQ(r->TotalDownloaded, 600u); // its bytes still count
    ASSERT_EQ(r->sessions.size(), 4u);
    const QStringList lines = linesOf(*r);
    EXPECT_EQ(lines.mid(6, 3),
              (QStringList{QStringLiteral("start: 3/5/24, 11:00:10 pm *"),
                           QStringLiteral("_end: 3/5/24, 11:05:20 pm *"), QStringLiteral("time: 00:00:00")}));
    EXPECT_EQ(lines[0], QStringLiteral("start: 3/5/24, 10:00:10 pm"));
    EXPECT_EQ(lines[20], QStringLiteral("time: 00:00:00"));
    EXPECT_TRUE(r->sessions[1].damaged());
    EXPECT_FALSE(r->sessions[1].startAfterEnd());
    EXPECT_FALSE(r->sessions[2].damaged());
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/6/24, 01:00:30 am"));
    EXPECT_EQ(
        r->damagedRecords,
        (std::vector<CalculationResult::DamagedRecord>{
            {2, QStringLiteral("Record 2: the minute count is negative (-5); its time counts as 00:00:00."), false},
            {4, QStringLiteral("Record 4: the minute count is negative (-1); its time counts as 00:00:00."), false}}));
    EXPECT_EQ(DailyHistory::fromResult(*r).days()[4].seconds, 660);
}

TEST_F(OddRecords, SessionsAfterDamagedRecordsCountEverywhere)
{
    ProfileRecord badDate = session(5, "11:00:00 pm", "11:00:30 pm", 0, 1000);
    badDate.StartText = QStringLiteral("2024/13/05, 11:00:00 pm");
    ProfileRecord otherForm = session(7, "10:00:10 pm", "10:02:20 pm", 2, 5);
    otherForm.StartText = QStringLiteral("2024/03/07, 10:00:10 PM");
    const auto r =
        total({headerRecord(), session(5, "10:00:10 pm", "10:00:40 pm", 0, 7), badDate,
               session(6, "10:00:10 pm", "10:01:10 pm", 1, 9), session(6, "10:30:1x pm", "10:31:10 pm", 1, 1000),
               otherForm, session(7, "11:00:00 pm", "11:00:20 pm", 0, 11)});
    EXPECT_EQ(r->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(r->damagedCount, 2);
    ASSERT_EQ(r->damagedRecords.size(), 2u);
    EXPECT_EQ(r->damagedRecords[0].record, 2);
    EXPECT_EQ(r->damagedRecords[1].message,
              QStringLiteral("Record 4: '2024/03/06, 10:30:1x pm' has no valid seconds; the record is left out."));
    EXPECT_TRUE(r->damagedRecords[1].skipped);

    ASSERT_EQ(r->sessions.size(), 4u);
    EXPECT_EQ(r->recordNumbers, (std::vector<quint32>{1, 3, 5, 6}));
    EXPECT_EQ(r->startText(2), QStringLiteral("2024/03/07, 10:00:10 PM"));
    EXPECT_EQ(r->endText(3), QStringLiteral("2024/03/07, 11:00:20 pm"));
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:04:00")); // 30 s + 1 min + 2 min 10 s + 20 s
    EXPECT_EQ(r->TotalDownloaded, 32u);
    EXPECT_EQ(r->firstRecordText(en), QStringLiteral("first record : 3/5/24, 10:00:10 pm"));
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/7/24, 11:00:20 pm"));

    const std::vector<DayFigures>& days = DailyHistory::fromResult(*r).days();
    EXPECT_EQ(days[6].date, QDate(2024, 3, 7));
    EXPECT_EQ(days[6].sessions, 2);
    EXPECT_EQ(days[6].seconds, 150);
    EXPECT_EQ(UsageFromFile::of(*r, QDate(2024, 3, 7)).seconds, 240);
    EXPECT_EQ(UsageFromFile::of(*r, QDate(2024, 3, 7)).todaySeconds, 150);

    // A selection names the records its sessions came from.
    const auto since = selectSessions(*r, {QDate(2024, 3, 6), QDate()});
    ASSERT_EQ(since->sessions.size(), 3u);
    EXPECT_EQ(since->recordNumber(0), 3);
    EXPECT_EQ(since->recordNumber(2), 6);
    EXPECT_EQ(since->damagedCount, 2);
}

TEST_F(OddRecords, OnlyTheFirstDamagedRecordsAreListedButAllAreCounted)
{
    // Damaged records on both sides of the halves' border: the list holds the first in file order.
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 150; ++i)
        records.append(session(5, "10:00:10 pm", "10:00:xx pm", 0));
    records.append(session(6, "10:00:10 pm", "10:00:40 pm", 0, 5));
    const auto r = total(records);
    EXPECT_EQ(r->damagedCount, 150);
    ASSERT_EQ(r->damagedRecords.size(), CalculationResult::maxDamagedListed);
    EXPECT_EQ(r->damagedRecords.back().record, qint64(CalculationResult::maxDamagedListed));
    EXPECT_TRUE(r->damageSummary().startsWith(QStringLiteral("150 damaged records: Record 1: ")));
    EXPECT_TRUE(
        r->damageDetails().endsWith(QStringLiteral("\nRecord 100: '2024/03/05, 10:00:xx pm' has no valid "
                                                   "seconds; the record is left out.\n50 more damaged records.")));
    ASSERT_EQ(r->sessions.size(), 1u);
    EXPECT_EQ(r->recordNumber(0), 151);
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:00:30"));
    EXPECT_EQ(r->firstRecordText(en), QStringLiteral("first record : 3/6/24, 10:00:10 pm"));
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record :"));
}

TEST_F(OddRecords, AHeaderNotTaggedMakesNoPersonalDataFileAndADamagedDateInATaggedOneIsListed)
{
    ProfileRecord garbage = headerRecord(QStringLiteral("\x7f\x01zz"));
    garbage.Tag = QStringLiteral("[Other]");
    const QList<ProfileRecord> sessions{session(5, "10:00:10 pm", "10:00:40 pm", 0, 7),
                                        session(6, "10:00:10 pm", "10:00:40 pm", 0, 7)};
    const auto untagged = total(QList<ProfileRecord>{garbage} + sessions);
    EXPECT_EQ(untagged->outcome, CalculationResult::Outcome::NotPersonalFile);
    EXPECT_FALSE(untagged->opened());
    const QString notPersonal = untagged->path + QStringLiteral(": not a personal data file (record 0 is not tagged "
                                                                "[UserProfile])");
    EXPECT_EQ(untagged->openFailureMessage(), notPersonal);
    EXPECT_EQ(ReportExport::fileProblem(*untagged).kind, QStringLiteral("not_personal_file"));
    EXPECT_EQ(ReportExport::fileProblem(*untagged).message, notPersonal);
    EXPECT_TRUE(untagged->sessions.empty());
    EXPECT_TRUE(untagged->damagedRecords.empty());

    const auto badDate = total(QList<ProfileRecord>{headerRecord(QStringLiteral("2024/02/30"), 15, 14)} + sessions);
    EXPECT_EQ(badDate->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(
        badDate->damagedRecords,
        (std::vector<CalculationResult::DamagedRecord>{
            {0, QStringLiteral("Record 0: '2024/02/30' is not a valid date; the period's start is unknown."), false}}));
    EXPECT_EQ(badDate->fromText(), QStringLiteral("From : 15"));
    EXPECT_EQ(badDate->sessions.size(), 2u);
    EXPECT_TRUE(badDate->recordNumbers.empty());
    EXPECT_EQ(badDate->TotalDownloaded, 14u);
    EXPECT_TRUE(ReportExport::fileProblem(*badDate).isEmpty());
}
