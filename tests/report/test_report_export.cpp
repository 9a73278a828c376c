// The report command: its JSON and CSV for a small file, and its refusals, run as the built program.
#include "ReportFixture.h"
#include "report/RecordFileCalculator.h"
#include "report/ReportExport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cstdio>

namespace {

struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CommandRun runCommand(const QStringList& arguments, const QString& program = QStringLiteral(QOVRUVELA_REPORT_COMMAND),
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
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
    EXPECT_EQ(period[QStringLiteral("created")].toString(), QStringLiteral("2024-03-01"));
    EXPECT_EQ(period[QStringLiteral("created_text")].toString(), QStringLiteral("2024/03/01"));
    EXPECT_EQ(period[QStringLiteral("next_period")].toString(), QStringLiteral("2024-04-01"));
    EXPECT_EQ(period[QStringLiteral("from")].toInt(), 1);
    EXPECT_EQ(period[QStringLiteral("to")].toInt(), 31);
    EXPECT_TRUE(file[QStringLiteral("selection")].isNull());
    EXPECT_EQ(file[QStringLiteral("first_record")].toString(), QStringLiteral("2024-03-05T22:00:50+01:00"));
    EXPECT_EQ(file[QStringLiteral("last_record")].toString(), QStringLiteral("2024-03-06T10:00:40+01:00"));
    const QJsonArray sessions = file[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 2);
    const QJsonObject first = sessions[0].toObject();
    EXPECT_EQ(first[QStringLiteral("index")].toInt(), 1);
    EXPECT_EQ(first[QStringLiteral("start")].toString(), QStringLiteral("2024-03-05T22:00:50+01:00"));
    EXPECT_EQ(first[QStringLiteral("end")].toString(), QStringLiteral("2024-03-05T22:02:20+01:00"));
    EXPECT_EQ(first[QStringLiteral("start_text")].toString(), QStringLiteral("2024/03/05, 10:00:50 pm"));
    EXPECT_EQ(first[QStringLiteral("end_text")].toString(), QStringLiteral("2024/03/05, 10:02:20 pm"));
    EXPECT_EQ(first[QStringLiteral("minutes")].toInt(), 1);
    EXPECT_EQ(first[QStringLiteral("seconds")].toInt(), 30);
    EXPECT_EQ(first[QStringLiteral("time")].toString(), QStringLiteral("00:01:30"));
    EXPECT_EQ(first[QStringLiteral("duration_seconds")].toInt(), 90);
    EXPECT_EQ(first[QStringLiteral("bytes_down")].toInteger(), 1536);
    EXPECT_EQ(first[QStringLiteral("bytes_up")].toInteger(), 1023);
    EXPECT_FALSE(first[QStringLiteral("start_after_end")].toBool());
    EXPECT_TRUE(sessions[1].toObject()[QStringLiteral("start_after_end")].toBool());
    const QJsonObject totals = file[QStringLiteral("totals")].toObject();
    EXPECT_EQ(totals[QStringLiteral("time")].toString(), QStringLiteral("00:02:00"));
    EXPECT_EQ(totals[QStringLiteral("duration_seconds")].toInt(), 120);
    EXPECT_EQ(totals[QStringLiteral("bytes_down")].toInteger(), 1535); // wrapped past 2^32
    EXPECT_TRUE(file[QStringLiteral("error")].isNull());
    EXPECT_FALSE(file.contains(QStringLiteral("days")));
}

TEST_F(ReportCommand, TerminalCodesInAFileNeverReachTheTerminal)
{
    // A title change and a screen clear in a start text, a C1 control in an end text, a lone carriage return.
    const QString file = writeFile(
        QStringLiteral("codes.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("\x1b]0;owned\x07, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05\x9b2J\r 10:00:40 am"),
                       0)});
    for (const QStringList& form : {QStringList{}, QStringList{QStringLiteral("--csv")}}) {
        const CommandRun run = runCommand(form + QStringList{file});
        SCOPED_TRACE(form.join(QLatin1Char(' ')).toStdString());
        for (const QChar c : {QChar(0x1b), QChar(0x07), QChar(0x9b)}) {
            EXPECT_FALSE(run.out.contains(c)) << run.out.toStdString();
            EXPECT_FALSE(run.err.contains(c)) << run.err.toStdString();
        }
        EXPECT_TRUE(run.out.contains(QStringLiteral("\\x1b]0;owned\\x07")) ||
                    run.err.contains(QStringLiteral("\\x1b]0;owned\\x07")))
            << run.out.toStdString() << run.err.toStdString();
    }
    // In CSV a carriage return stays inside quotes.
    const CommandRun csv = runCommand({QStringLiteral("--csv"), file});
    EXPECT_FALSE(csv.out.contains(QStringLiteral(",2024/03/05\\x9b2J\r"))) << csv.out.toStdString();
}

TEST_F(ReportCommand, AFileNamedInAnotherEncodingIsTotalledAndShownByItsBytes)
{
    // "café.rvl" in Latin-1 on a UTF-8 system: the name is no text in the locale's encoding.
    const QString file = smallFile();
    const QByteArray latin1 = QFile::encodeName(QFileInfo(file).path()) + "/caf\xe9.rvl";
    ASSERT_EQ(::rename(QFile::encodeName(file).constData(), latin1.constData()), 0);
    const QString script =
        QStringLiteral("exec \"$0\" \"$@\" \"$(printf '%1/caf\\351.rvl')\"").arg(QFileInfo(file).path());
    for (const QString& form : {QStringLiteral("--csv"), QStringLiteral("--json")}) {
        const CommandRun run = runCommand(
            {QStringLiteral("-c"), script, QStringLiteral(QOVRUVELA_REPORT_COMMAND), form}, QStringLiteral("/bin/sh"));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("caf\\xe9.rvl")) ||
                    run.out.contains(QStringLiteral("caf\\\\xe9.rvl")))
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("1536"))) << run.out.toStdString();
    }
}

TEST_F(ReportCommand, JsonTimesCarryTheOffsetOfTheirDateAndUnreadableTimesAreNull)
{
    // The tests run in Europe/Berlin: summer time began on 31 March 2024 at 2 am.
    const QString path = writeFile(
        QStringLiteral("summer.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/31, 01:30:00 am"), QStringLiteral("2024/03/31, 03:30:00 am"), 60),
         sessionRecord(QStringLiteral("2024/07/01, 12:05:00 am"), QStringLiteral("2024/07/01, 12:05:30 pm"), 720),
         sessionRecord(QStringLiteral("2024/11/05, 10:61:00 am"), QStringLiteral("2024/11/05 11:00:30 am"), 0)});
    const CommandRun run = runCommand({QStringLiteral("--json"), path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray sessions =
        QJsonDocument::fromJson(run.out.toUtf8()).array()[0].toObject()[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 3);
    EXPECT_EQ(sessions[0][QStringLiteral("start")].toString(), QStringLiteral("2024-03-31T01:30:00+01:00"));
    EXPECT_EQ(sessions[0][QStringLiteral("end")].toString(), QStringLiteral("2024-03-31T03:30:00+02:00"));
    EXPECT_EQ(sessions[1][QStringLiteral("start")].toString(), QStringLiteral("2024-07-01T00:05:00+02:00"));
    EXPECT_EQ(sessions[1][QStringLiteral("end")].toString(), QStringLiteral("2024-07-01T12:05:30+02:00"));
    EXPECT_TRUE(sessions[2][QStringLiteral("start")].isNull());
    EXPECT_EQ(sessions[2][QStringLiteral("start_text")].toString(), QStringLiteral("2024/11/05, 10:61:00 am"));
    EXPECT_EQ(sessions[2][QStringLiteral("end")].toString(), QStringLiteral("2024-11-05T11:00:30+01:00"));
}

TEST_F(ReportCommand, DurationsOfSessionsAcrossMinuteBoundaries)
{
    // The same function totals for the Calculation tab; here through the command.
    const QString path = writeFile(
        QStringLiteral("minutes.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:20 am"), QStringLiteral("2024/03/05, 10:01:34 am"), 1),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:00 am"), QStringLiteral("2024/03/05, 10:02:20 am"), 2),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:50 am"), QStringLiteral("2024/03/05, 10:01:20 am"), 1),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:30 am"), QStringLiteral("2024/03/05, 10:01:30 am"), 1),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:50 am"), QStringLiteral("2024/03/05, 10:02:00 am"), 2),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0)});
    const CommandRun json = runCommand({QStringLiteral("--json"), path});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject file = QJsonDocument::fromJson(json.out.toUtf8()).array()[0].toObject();
    QList<int> seconds;
    for (const QJsonValue session : file[QStringLiteral("sessions")].toArray())
        seconds.append(session[QStringLiteral("duration_seconds")].toInt());
    EXPECT_EQ(seconds, (QList<int>{74, 140, 30, 60, 70, 30}));
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("duration_seconds")].toInt(), 404);

    const CommandRun text = runCommand({path});
    EXPECT_TRUE(text.out.contains(QStringLiteral("time: 00:01:14\n"))) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("time: 00:02:20\n")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("\nTotal time: 00:06:44\n")));
}

TEST_F(ReportCommand, CsvHasAPeriodRowSessionRowsAndATotalRow)
{
    const auto result = RecordFileCalculator().CalculateRecordFile(smallFile());
    QByteArray bytes;
    {
        ReportOutput out([&bytes](std::string_view block) { bytes.append(block.data(), qsizetype(block.size())); });
        ReportExport::writeCsvHeader(out);
        ReportExport::writeCsvRows(out, *result);
    }
    const QString text = QString::fromUtf8(bytes);
    const QString p = result->path;
    EXPECT_EQ(text.split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("kind,file,index,start,end,minutes,seconds,bytes_down,bytes_up,"
                                          "start_after_end,created,next_period,from_day,to_day,damaged"),
                           QStringLiteral("period,%1,0,,,,,,,,2024/03/01,2024/04/01,1,31,").arg(p),
                           QStringLiteral("session,%1,1,\"2024/03/05, 10:00:50 pm\",\"2024/03/05, 10:02:20 pm\","
                                          "1,30,1536,1023,0,,,,,")
                               .arg(p),
                           QStringLiteral("session,%1,2,\"2024/03/06, 10:05:10 am\",\"2024/03/06, 10:00:40 am\","
                                          "0,30,4294967295,2,1,,,,,")
                               .arg(p),
                           QStringLiteral("total,%1,,,,2,0,1535,1025,,,,,,").arg(p), QString()}));
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

TEST_F(ReportCommand, FilesThatCannotBeTotalledGiveAnErrorObjectAndStatusOne)
{
    ProfileRecord untagged = headerRecord();
    untagged.Tag = QStringLiteral("[Other]");
    const QString good = smallFile();
    const QString shortFile = writeFile(QStringLiteral("short.rvl"), {}, headerRecord().toBytes().left(103));
    const QString wrongTag = writeFile(QStringLiteral("wrong.rvl"), {untagged});
    const QString missing = temp.filePath(QStringLiteral("missing.rvl"));
    const QString huge = writeFile(QStringLiteral("huge.rvl"), {headerRecord()});
    ASSERT_TRUE(QFile(huge).resize(200'000'000'000));

    for (const auto& [bad, kind] : {std::pair{missing, "missing"},
                                    {shortFile, "not_personal_file"},
                                    {wrongTag, "not_personal_file"},
                                    {huge, "too_large"},
                                    {temp.path(), "not_regular_file"}}) {
        SCOPED_TRACE(kind);
        const CommandRun run = runCommand({QStringLiteral("--json"), bad, good});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(bad)) << run.err.toStdString();
        const QJsonArray files = QJsonDocument::fromJson(run.out.toUtf8()).array();
        ASSERT_EQ(files.size(), 2);
        EXPECT_EQ(files[0][QStringLiteral("file")].toString(), bad);
        EXPECT_EQ(files[0][QStringLiteral("error")][QStringLiteral("kind")].toString(), QLatin1String(kind));
        EXPECT_TRUE(files[0][QStringLiteral("error")][QStringLiteral("message")].toString().contains(bad));
        // The good file is still reported.
        EXPECT_TRUE(files[1][QStringLiteral("error")].isNull());
        EXPECT_EQ(files[1][QStringLiteral("sessions")].toArray().size(), 2);
    }
    EXPECT_TRUE(runCommand({missing}).err.contains(QStringLiteral("no such file")));
    EXPECT_TRUE(runCommand({shortFile}).err.contains(QStringLiteral("too short")));
    EXPECT_TRUE(runCommand({wrongTag}).err.contains(QStringLiteral("not a personal data file")));
    const CommandRun tooLarge = runCommand({QStringLiteral("--csv"), huge});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.err.contains(QStringLiteral("is too large to total"))) << tooLarge.err.toStdString();

    // Damaged records: the sessions around them count, each is told, and every form agrees.
    const QString damaged = writeFile(
        QStringLiteral("damaged.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0),
         sessionRecord(QStringLiteral("2024/13/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0),
         sessionRecord(QStringLiteral("2024/03/06, 10:00:10 am"), QStringLiteral("2024/03/06, 10:05:40 am"), -5, 200),
         sessionRecord(QStringLiteral("2024/03/06, 11:00:00 am"), QStringLiteral("2024/03/06, 11:02:00 am"), 2)});
    const QString badDate =
        QStringLiteral("Record 2: '2024/13/05, 10:00:10 am' is not a valid date; the record is left out.");
    const QString negative = QStringLiteral("the minute count is negative");
    const CommandRun run = runCommand({QStringLiteral("--json"), damaged});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("qovruvela-report: %1: %2\nqovruvela-report: %1: Record 3: %3 (-5); its time "
                                      "counts as 00:00:00.\n")
                           .arg(damaged, badDate, negative));
    const QJsonObject file = QJsonDocument::fromJson(run.out.toUtf8()).array()[0].toObject();
    const QJsonArray sessions = file[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 3);
    EXPECT_TRUE(sessions[1][QStringLiteral("duration_seconds")].isNull());
    EXPECT_EQ(sessions[1][QStringLiteral("damaged")].toString(), negative);
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("duration_seconds")].toInt(), 150);
    EXPECT_EQ(file[QStringLiteral("error")][QStringLiteral("count")].toInt(), 2);
    EXPECT_EQ(file[QStringLiteral("damaged_records")][0].toObject(), (QJsonObject{{QStringLiteral("record"), 2},
                                                                                  {QStringLiteral("message"), badDate},
                                                                                  {QStringLiteral("skipped"), true}}));
    const QStringList csv = runCommand({QStringLiteral("--csv"), damaged}).out.split(QLatin1Char('\n'));
    EXPECT_TRUE(csv[3].endsWith(QStringLiteral("\",,,200,0,0,,,,,") + negative)) << csv[3].toStdString();
    EXPECT_EQ(csv[5], QStringLiteral("damaged,%1,2,,,,,,,,,,,,\"%2\"").arg(damaged, badDate));
    EXPECT_EQ(csv[7], QStringLiteral("total,%1,,,,2,30,200,0,,,,,,").arg(damaged));
    EXPECT_TRUE(runCommand({damaged}).out.endsWith(QStringLiteral("\nTotal time: 00:02:30\nDownloaded: 200.00 B\n"
                                                                  "Uploaded: 0.00 B\n")));
}

TEST_F(ReportCommand, WrongUsageIsStatusTwo)
{
    const QString good = smallFile();
    for (const QStringList& arguments : {QStringList{QStringLiteral("--json"), QStringLiteral("--csv"), good},
                                         QStringList{QStringLiteral("--since"), QStringLiteral("2024-02-30"), good},
                                         QStringList{QStringLiteral("--until"), QStringLiteral("5.3.2024"), good},
                                         QStringList{QStringLiteral("--since"), QStringLiteral("2024-03-06"),
                                                     QStringLiteral("--until"), QStringLiteral("2024-03-05"), good},
                                         QStringList{QStringLiteral("--no-such-option"), good}}) {
        const CommandRun run = runCommand(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const CommandRun help = runCommand({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Exit status: 0")));
}

TEST_F(ReportCommand, DailyFiguresInEveryForm)
{
    ProfileRecord header = headerRecord(QStringLiteral("2024/03/28"));
    const QString path = writeFile(
        QStringLiteral("days.rvl"),
        {header,
         sessionRecord(QStringLiteral("2024/03/29, 11:00:00 pm"), QStringLiteral("2024/03/30, 01:00:00 am"), 120, 3000,
                       301),
         sessionRecord(QStringLiteral("2024/03/30, 10:00:00 am"), QStringLiteral("2024/03/30, 10:00:30 am"), 0, 1, 2)});

    const CommandRun json = runCommand({QStringLiteral("--json"), QStringLiteral("--daily"), path});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonArray days =
        QJsonDocument::fromJson(json.out.toUtf8()).array()[0].toObject()[QStringLiteral("days")].toArray();
    ASSERT_EQ(days.size(), 4); // 28 to 31 March
    EXPECT_EQ(days[0][QStringLiteral("date")].toString(), QStringLiteral("2024-03-28"));
    EXPECT_EQ(days[0][QStringLiteral("sessions")].toInt(), 0);
    const QJsonObject day30 = days[2].toObject();
    EXPECT_EQ(day30[QStringLiteral("date")].toString(), QStringLiteral("2024-03-30"));
    EXPECT_EQ(day30[QStringLiteral("sessions")].toInt(), 1);
    EXPECT_EQ(day30[QStringLiteral("duration_seconds")].toInt(), 3630);
    EXPECT_EQ(day30[QStringLiteral("time")].toString(), QStringLiteral("01:00:30"));
    EXPECT_EQ(day30[QStringLiteral("bytes_down")].toInteger(), 1501);
    EXPECT_EQ(day30[QStringLiteral("bytes_up")].toInteger(), 153); // 151 of the first session, 2 of the second

    const CommandRun csv = runCommand({QStringLiteral("--csv"), QStringLiteral("--daily"), path});
    ASSERT_EQ(csv.exitCode, 0);
    const QStringList rows = csv.out.split(QLatin1Char('\n'));
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral(",to_day,sessions,damaged")));
    EXPECT_TRUE(rows.contains(QStringLiteral("day,%1,,2024/03/29,,60,0,1500,150,,,,,,1,").arg(path)));
    EXPECT_TRUE(rows.contains(QStringLiteral("day,%1,,2024/03/30,,60,30,1501,153,,,,,,1,").arg(path)));
    EXPECT_TRUE(rows.contains(QStringLiteral("total,%1,,,,120,30,3001,303,,,,,,,").arg(path)));

    const CommandRun text = runCommand({QStringLiteral("--daily"), path});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("\nPer day:\n28 Mar 2024: 0 sessions, 00:00:00, downloaded 0.00 B, "
                                                 "uploaded 0.00 B\n")))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.endsWith(QStringLiteral("\n30 Mar 2024: 1 session, 01:00:30, downloaded 1.47 KB, uploaded "
                                                 "153.00 B\n31 Mar 2024: 0 sessions, 00:00:00, downloaded 0.00 B, "
                                                 "uploaded 0.00 B\n")));
    // Without --daily the output is as it was.
    EXPECT_FALSE(runCommand({path}).out.contains(QStringLiteral("Per day")));
}

TEST_F(ReportCommand, SinceAndUntilKeepTheSessionsThatBeganOnThoseDays)
{
    const QString path = writeFile(
        QStringLiteral("range.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/04, 10:00:00 am"), QStringLiteral("2024/03/04, 10:00:40 am"), 0, 1),
         sessionRecord(QStringLiteral("2024/03/05, 11:00:00 pm"), QStringLiteral("2024/03/06, 01:00:00 am"), 120, 10),
         sessionRecord(QStringLiteral("2024/03/06, 10:00:00 am"), QStringLiteral("2024/03/06, 10:00:10 am"), 0, 100)});
    const CommandRun json =
        runCommand({QStringLiteral("--json"), QStringLiteral("--daily"), QStringLiteral("--since"),
                    QStringLiteral("2024-03-05"), QStringLiteral("--until"), QStringLiteral("2024-03-05"), path});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject file = QJsonDocument::fromJson(json.out.toUtf8()).array()[0].toObject();
    EXPECT_EQ(file[QStringLiteral("selection")][QStringLiteral("since")].toString(), QStringLiteral("2024-03-05"));
    const QJsonArray sessions = file[QStringLiteral("sessions")].toArray();
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_EQ(sessions[0][QStringLiteral("index")].toInt(), 2);
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("duration_seconds")].toInt(), 7200);
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("bytes_down")].toInt(), 10);
    // The session that began on the last day is kept whole; its second hour has a day of its own.
    const QJsonArray days = file[QStringLiteral("days")].toArray();
    ASSERT_EQ(days.size(), 2);
    EXPECT_EQ(days[1][QStringLiteral("date")].toString(), QStringLiteral("2024-03-06"));
    EXPECT_EQ(days[1][QStringLiteral("duration_seconds")].toInt(), 3600);

    const CommandRun text = runCommand({QStringLiteral("--since"), QStringLiteral("2024-03-05"), path});
    EXPECT_TRUE(text.out.contains(QStringLiteral("\nfirst record : 5 Mar 2024, 11:00:00 pm\n"
                                                 "last record : 6 Mar 2024, 10:00:10 am\n"
                                                 "Total Time : 02:00:10\n")))
        << text.out.toStdString();
    const CommandRun csv =
        runCommand({QStringLiteral("--csv"), QStringLiteral("--until"), QStringLiteral("2024-03-04"), path});
    EXPECT_TRUE(csv.out.endsWith(QStringLiteral("\ntotal,%1,,,,0,40,1,0,,,,,,\n").arg(path))) << csv.out.toStdString();
}

TEST_F(ReportCommand, WithoutAFileTheActivePersonalFileIsTotalled)
{
    // A copy of the command in a folder of its own stands for a portable install: the program keeps its
    // personal files beside itself there.
    const QString bin = temp.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString command = bin + QStringLiteral("/qovruvela-report");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QOVRUVELA_REPORT_COMMAND), command));
    QFile(command).setPermissions(QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
    writeFile(QStringLiteral("bin/me.rvl"),
              {headerRecord(), sessionRecord(QStringLiteral("2024/03/05, 10:00:20 am"),
                                             QStringLiteral("2024/03/05, 10:01:34 am"), 1, 5, 6)});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), temp.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), temp.filePath(QStringLiteral("data")));

    const CommandRun none = runCommand({QStringLiteral("--json")}, command, environment);
    EXPECT_EQ(none.exitCode, 1);
    const QJsonObject failure = QJsonDocument::fromJson(none.out.toUtf8()).array()[0].toObject();
    EXPECT_TRUE(failure[QStringLiteral("file")].isNull());
    EXPECT_EQ(failure[QStringLiteral("error")][QStringLiteral("kind")].toString(), QStringLiteral("no_personal_file"));
    EXPECT_TRUE(none.err.contains(QStringLiteral("no personal file is set up")));

    ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("config/QovRuvela"))));
    QFile settings(temp.filePath(QStringLiteral("config/QovRuvela/QovRuvela.conf")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Ruvela]\nPersonal Account=me.rvl\n");
    settings.close();
    const CommandRun active = runCommand({QStringLiteral("--json")}, command, environment);
    ASSERT_EQ(active.exitCode, 0) << active.err.toStdString();
    const QJsonObject file = QJsonDocument::fromJson(active.out.toUtf8()).array()[0].toObject();
    EXPECT_EQ(file[QStringLiteral("file")].toString(), QDir(bin).filePath(QStringLiteral("me.rvl")));
    EXPECT_EQ(file[QStringLiteral("totals")][QStringLiteral("duration_seconds")].toInt(), 74);
    // Nothing was created beside it.
    EXPECT_EQ(QDir(bin).entryList(QDir::Files | QDir::Hidden).size(), 2);
}
