// The report command on a file with damaged records: every form totals the same sessions, tells the
// damaged records and ends with status 1.
#include "ReportCommandRun.h"
#include "ReportFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class ReportDamaged : public ReportFixture
{
protected:
    // Record 1 lies within one minute with a minute counted, record 2 has a negative count, record 3 a
    // start that is no date, and record 4 comes after them all.
    QString damagedFile()
    {
        ProfileRecord badDate = sessionRecord(QStringLiteral("2024/13/05, 11:00:00 pm"),
                                              QStringLiteral("2024/03/05, 11:00:30 pm"), 0, 5000, 1);
        return writeFile(QStringLiteral("damaged.rvl"),
                         {headerRecord(),
                          sessionRecord(QStringLiteral("2024/03/05, 10:00:10 pm"),
                                        QStringLiteral("2024/03/05, 10:00:40 pm"), 1, 100, 1),
                          sessionRecord(QStringLiteral("2024/03/05, 10:10:00 pm"),
                                        QStringLiteral("2024/03/05, 10:15:20 pm"), -5, 200, 1),
                          badDate,
                          sessionRecord(QStringLiteral("2024/03/06, 10:00:00 am"),
                                        QStringLiteral("2024/03/06, 10:02:00 am"), 2, 300, 1)});
    }
};

const QString negative = QStringLiteral("Record 2: the minute count is negative (-5); its time counts as 00:00:00.");
const QString badDate =
    QStringLiteral("Record 3: '2024/13/05, 11:00:00 pm' is not a valid date; the record is left out.");

} // namespace

TEST_F(ReportDamaged, TextCountsTheSessionsAfterTheDamageAndTellsEachDamagedRecord)
{
    const QString path = damagedFile();
    const CommandRun run = runCommand({path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("qovruvela-report: %1: %2\nqovruvela-report: %1: %3\n").arg(path, negative, badDate));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\ntime: 00:00:30\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nstart: 5 Mar 2024, 10:10:00 pm *\n_end: 5 Mar 2024, 10:15:20 pm *\n"
                                                "time: 00:00:00\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nlast record : 6 Mar 2024, 10:02:00 am\nTotal Time : 00:02:30\n")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("Total time: 00:02:30\nDownloaded: 600.00 B\nUploaded: 3.00 B\n")));
}

TEST_F(ReportDamaged, JsonGivesNoDurationForADamagedCountAndListsTheDamagedRecords)
{
    const QString path = damagedFile();
    const CommandRun run = runCommand({QStringLiteral("--json"), QStringLiteral("--daily"), path});
    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject file = QJsonDocument::fromJson(run.out.toUtf8()).array()[0].toObject();
    const QJsonArray sessions = file[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 3);
    EXPECT_EQ(sessions[2][QStringLiteral("index")].toInt(), 4);
    EXPECT_EQ(sessions[0][QStringLiteral("duration_seconds")].toInt(), 30);
    EXPECT_TRUE(sessions[0][QStringLiteral("damaged")].isNull());
    const QJsonObject damaged = sessions[1].toObject();
    EXPECT_TRUE(damaged[QStringLiteral("duration_seconds")].isNull());
    EXPECT_EQ(damaged[QStringLiteral("time")].toString(), QStringLiteral("00:00:00"));
    EXPECT_EQ(damaged[QStringLiteral("damaged")].toString(), QStringLiteral("the minute count is negative"));
    EXPECT_FALSE(damaged[QStringLiteral("start_after_end")].toBool());
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("duration_seconds")].toInt(), 150);
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("bytes_down")].toInt(), 600);
    qint64 daySeconds = 0;
    for (const QJsonValue day : file[QStringLiteral("days")].toArray())
        daySeconds += day[QStringLiteral("duration_seconds")].toInteger();
    EXPECT_EQ(daySeconds, 150);

    const QJsonArray list = file[QStringLiteral("damaged_records")].toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toObject(), (QJsonObject{{QStringLiteral("record"), 2},
                                               {QStringLiteral("message"), negative},
                                               {QStringLiteral("skipped"), false}}));
    EXPECT_EQ(list[1][QStringLiteral("message")].toString(), badDate);
    EXPECT_TRUE(list[1][QStringLiteral("skipped")].toBool());
    const QJsonObject error = file[QStringLiteral("error")].toObject();
    EXPECT_EQ(error[QStringLiteral("kind")].toString(), QStringLiteral("damaged_records"));
    EXPECT_EQ(error[QStringLiteral("count")].toInt(), 2);
    EXPECT_EQ(error[QStringLiteral("message")].toString(), path + QStringLiteral(": 2 damaged records"));
}

TEST_F(ReportDamaged, CsvLeavesTheDamagedDurationEmptyAndHasARowPerDamagedRecord)
{
    const QString path = damagedFile();
    const CommandRun run = runCommand({QStringLiteral("--csv"), path});
    EXPECT_EQ(run.exitCode, 1);
    const QStringList rows = run.out.split(QLatin1Char('\n'));
    ASSERT_EQ(rows.size(), 9) << run.out.toStdString();
    EXPECT_EQ(rows[3], QStringLiteral("session,%1,2,\"2024/03/05, 10:10:00 pm\",\"2024/03/05, 10:15:20 pm\",,,200,1,0,"
                                      ",,,,the minute count is negative")
                           .arg(path));
    EXPECT_TRUE(rows[4].startsWith(QStringLiteral("session,%1,4,").arg(path)));
    EXPECT_EQ(rows[5], QStringLiteral("damaged,%1,2,,,,,,,,,,,,%2").arg(path, negative));
    EXPECT_EQ(rows[6], QStringLiteral("damaged,%1,3,,,,,,,,,,,,\"%2\"").arg(path, badDate));
    EXPECT_EQ(rows[7], QStringLiteral("total,%1,,,,2,30,600,3,,,,,,").arg(path));
}
