// The report command: its JSON and CSV for a small file, and its refusals, run as the built program.
#include "ReportFixture.h"
#include "report/RecordFileCalculator.h"
#include "report/ReportExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CommandRun runCommand(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QOVRUVELA_REPORT_COMMAND), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class ReportCommand : public ReportFixture
{
protected:
    QString smallFile()
    {
        return writeFile(QStringLiteral("small.rvl"),
                         {headerRecord(QStringLiteral("2024/03/01"), 1, 31),
                          sessionRecord(QStringLiteral("2024/03/05, 10:00:50 pm"),
                                        QStringLiteral("2024/03/05, 10:02:20 pm"), 2, 1536, 1023),
                          sessionRecord(QStringLiteral("2024/03/06, 10:05:10 am"),
                                        QStringLiteral("2024/03/06, 10:00:40 am"), 0, 4294967295u, 2)});
    }
};

} // namespace

TEST_F(ReportCommand, JsonHoldsPeriodSessionsAndTotals)
{
    const QString path = smallFile();
    const CommandRun run = runCommand({QStringLiteral("--json"), path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray files = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(files.size(), 1);
    const QJsonObject file = files[0].toObject();
    EXPECT_EQ(file[QStringLiteral("file")].toString(), path);
    EXPECT_EQ(file[QStringLiteral("record_count")].toInt(), 3);
    const QJsonObject period = file[QStringLiteral("period")].toObject();
    EXPECT_EQ(period[QStringLiteral("created")].toString(), QStringLiteral("2024/03/01"));
    EXPECT_EQ(period[QStringLiteral("from")].toInt(), 1);
    EXPECT_EQ(period[QStringLiteral("to")].toInt(), 31);
    const QJsonArray sessions = file[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 2);
    const QJsonObject first = sessions[0].toObject();
    EXPECT_EQ(first[QStringLiteral("start")].toString(), QStringLiteral("2024/03/05, 10:00:50 pm"));
    EXPECT_EQ(first[QStringLiteral("end")].toString(), QStringLiteral("2024/03/05, 10:02:20 pm"));
    EXPECT_EQ(first[QStringLiteral("minutes")].toInt(), 1);
    EXPECT_EQ(first[QStringLiteral("seconds")].toInt(), 30);
    EXPECT_EQ(first[QStringLiteral("bytes_down")].toInteger(), 1536);
    EXPECT_EQ(first[QStringLiteral("bytes_up")].toInteger(), 1023);
    EXPECT_FALSE(first[QStringLiteral("start_after_end")].toBool());
    EXPECT_TRUE(sessions[1].toObject()[QStringLiteral("start_after_end")].toBool());
    const QJsonObject totals = file[QStringLiteral("totals")].toObject();
    EXPECT_EQ(totals[QStringLiteral("time")].toString(), QStringLiteral("00:02:00"));
    EXPECT_EQ(totals[QStringLiteral("bytes_down")].toInteger(), 1535); // wrapped past 2^32
    EXPECT_TRUE(file[QStringLiteral("error")].isNull());
}

TEST_F(ReportCommand, CsvHasAPeriodRowSessionRowsAndATotalRow)
{
    const auto result = RecordFileCalculator().CalculateRecordFile(smallFile());
    QString text;
    QTextStream out(&text);
    ReportExport::writeCsvHeader(out);
    ReportExport::writeCsvRows(out, *result);
    out.flush();
    const QString p = result->path;
    EXPECT_EQ(text.split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("kind,file,index,start,end,minutes,seconds,bytes_down,bytes_up,"
                                          "start_after_end,created,next_period,from_day,to_day"),
                           QStringLiteral("period,%1,0,,,,,,,,2024/03/01,2024/04/01,1,31").arg(p),
                           QStringLiteral("session,%1,1,\"2024/03/05, 10:00:50 pm\",\"2024/03/05, 10:02:20 pm\","
                                          "1,30,1536,1023,0,,,,")
                               .arg(p),
                           QStringLiteral("session,%1,2,\"2024/03/06, 10:05:10 am\",\"2024/03/06, 10:00:40 am\","
                                          "0,30,4294967295,2,1,,,,")
                               .arg(p),
                           QStringLiteral("total,%1,,,,2,0,1535,1025,,,,,").arg(p), QString()}));
}

TEST_F(ReportCommand, TextIsWhatTheWindowsShow)
{
    const CommandRun run = runCommand({smallFile()});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nFrom : 1\nTo : 31\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\ntime: 00:01:30\ndownloaded bytes: 1.50 KB\n"
                                                "uploaded bytes: 1,023.00 B\n \n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nTotal time: 00:02:00\n")));
}

TEST_F(ReportCommand, RefusesMissingShortAndUntaggedFiles)
{
    ProfileRecord untagged = headerRecord();
    untagged.Tag = QStringLiteral("[Other]");
    const QString good = smallFile();
    const QString shortFile = writeFile(QStringLiteral("short.rvl"), {}, headerRecord().toBytes().left(103));
    const QString wrongTag = writeFile(QStringLiteral("wrong.rvl"), {untagged});
    const QString missing = temp.filePath(QStringLiteral("missing.rvl"));

    for (const QString& bad : {missing, shortFile, wrongTag}) {
        const CommandRun run = runCommand({QStringLiteral("--json"), bad, good});
        EXPECT_EQ(run.exitCode, 1) << bad.toStdString();
        EXPECT_TRUE(run.err.contains(bad)) << run.err.toStdString();
        // The good file is still reported.
        EXPECT_EQ(QJsonDocument::fromJson(run.out.toUtf8()).array().size(), 1);
    }
    EXPECT_TRUE(runCommand({missing}).err.contains(QStringLiteral("no such file")));
    EXPECT_TRUE(runCommand({shortFile}).err.contains(QStringLiteral("too short")));
    EXPECT_TRUE(runCommand({wrongTag}).err.contains(QStringLiteral("not a personal data file")));
    EXPECT_EQ(runCommand({}).exitCode, 2);
}
