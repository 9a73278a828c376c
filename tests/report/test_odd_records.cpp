// Records a recording does not normally leave: every other session must still count, in the totals, the
// lines, the history and the allowance alike.
#include "TotalsFixture.h"
#include "allowance/UsageFromFile.h"
#include "report/DailyHistory.h"
#include "report/ReportExport.h"

namespace {

ProfileRecord session(const char* start, const char* end, qint32 used, quint32 received = 1)
{
    return sessionRecord(QLatin1String(start), QLatin1String(end), used, received);
}

using OddRecords = RecordTotals;
using Damaged = CalculationResult::DamagedRecord;

} // namespace

TEST_F(OddRecords, ASessionWithinOneMinuteCountsItsSecondsWhateverTheCount)
{
    // Records 2 to 4 go the pass's quick way, the others (and record 3, with a creation date) the long way.
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 5; ++i)
        records.append(session("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm", i % 2 ? 2 : 1));
    records[3].CreatedDate = QStringLiteral("2024/03/05");
    const auto r = total(records);
    EXPECT_EQ(r->sessionLine(8, en), QStringLiteral("time: 00:00:30"));
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:02:30"));
}

TEST_F(OddRecords, ANegativeMinuteCountCountsNoTimeAndMarksItsLines)
{
    const auto r = total({headerRecord(), session("2024/03/05, 10:00:10 pm", "2024/03/05, 10:05:40 pm", 5),
                          session("2024/03/05, 11:00:10 pm", "2024/03/05, 11:05:20 pm", -5, 200),
                          session("2024/03/05, 11:30:10 pm", "2024/03/05, 11:35:40 pm", 5)});
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:11:00"));
    EXPECT_EQ(r->totalDownloaded, 202u);
    EXPECT_EQ(linesOf(*r).mid(6, 3),
              (QStringList{QStringLiteral("start: 3/5/24, 11:00:10 pm *"),
                           QStringLiteral("_end: 3/5/24, 11:05:20 pm *"), QStringLiteral("time: 00:00:00")}));
    EXPECT_EQ(
        r->damagedRecords,
        (std::vector<Damaged>{
            {2, QStringLiteral("Record 2: the minute count is negative (-5); its time counts as 00:00:00."), false}}));
}

TEST_F(OddRecords, SessionsAfterDamagedRecordsCountEverywhere)
{
    const auto r = total({headerRecord(), session("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm", 0),
                          session("2024/13/05, 11:00:00 pm", "2024/03/05, 11:00:30 pm", 0, 1000),
                          session("2024/03/06, 10:30:1x pm", "2024/03/06, 10:31:10 pm", 1, 1000),
                          session("2024/03/07, 10:00:10 PM", "2024/03/07, 10:02:20 pm", 2),
                          session("2024/03/07, 11:00:00 pm", "2024/03/07, 11:00:20 pm", 0)});
    EXPECT_EQ(r->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(
        r->damagedRecords[1],
        (Damaged{3, QStringLiteral("Record 3: '2024/03/06, 10:30:1x pm' has no valid seconds; the record is left out."),
                 true}));
    EXPECT_EQ(r->recordNumbers, (std::vector<quint32>{1, 4, 5}));
    EXPECT_EQ(r->startText(1), QStringLiteral("2024/03/07, 10:00:10 PM"));
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:03:00"));
    EXPECT_EQ(r->totalDownloaded, 3u);
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/7/24, 11:00:20 pm"));
    EXPECT_EQ(DailyHistory::fromResult(*r).days()[6].sessions, 2);
    EXPECT_EQ(UsageFromFile::of(*r, QDate(2024, 3, 7)).seconds, 180);
}

TEST_F(OddRecords, AnUntaggedHeaderIsNoPersonalDataFileAndADamagedDateInATaggedOneIsListed)
{
    ProfileRecord untagged = headerRecord(QStringLiteral("\x7f\x01zz"));
    untagged.Tag = QStringLiteral("[Other]");
    const ProfileRecord s = session("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm", 0);
    const auto refused = total({untagged, s});
    EXPECT_EQ(refused->openFailureMessage(),
              refused->path + QStringLiteral(": not a personal data file (record 0 is not tagged [UserProfile])"));
    EXPECT_EQ(ReportExport::fileProblem(*refused).kind, QStringLiteral("not_personal_file"));

    const auto badDate = total({headerRecord(QStringLiteral("2024/02/30"), 15), s});
    EXPECT_EQ(badDate->damagedRecords.at(0).record, 0);
    EXPECT_EQ(badDate->fromText(), QStringLiteral("From : 15"));
    EXPECT_EQ(badDate->sessions.size(), 1u);
}
