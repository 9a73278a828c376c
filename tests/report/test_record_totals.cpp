// Totalling whole files: labels, session lines, running totals, marks and the ways a pass can end early.
#include "TotalsFixture.h"
#include "record/PersonalFile.h"
#include "report/MessageOutModel.h"
#include "report/RecordView.h"
#include "report/ReportExport.h"
#include "report/StartAfterEnd.h"
#include "report/StoredMoment.h"

#include <sys/stat.h>

TEST_F(RecordTotals, SmallFileFillsLabelsAndSixLinesPerSession)
{
    const auto r = total({headerRecord(QStringLiteral("2024/03/01"), 15, 14),
                          sessionRecord(QStringLiteral("2024/03/05, 10:00:50 pm"),
                                        QStringLiteral("2024/03/05, 10:02:20 pm"), 2, 1536, 1023),
                          sessionRecord(QStringLiteral("2024/03/06, 10:00:10 am"),
                                        QStringLiteral("2024/03/06, 10:00:40 am"), 0, 1048576, 1024)});
    ASSERT_EQ(r->outcome, CalculationResult::Outcome::Totalled);
    EXPECT_EQ(r->recordCount, 3);
    EXPECT_EQ(r->fileCreatedText(en), QStringLiteral("File created : 3/1/24"));
    EXPECT_EQ(r->fromText(), QStringLiteral("From : 15"));
    EXPECT_EQ(r->toText(), QStringLiteral("To : 14"));
    EXPECT_EQ(r->firstRecordText(en), QStringLiteral("first record : 3/5/24, 10:00:50 pm"));
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/6/24, 10:00:40 am"));
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:02:00"));
    EXPECT_EQ(r->receivedText(en), QStringLiteral("1.00 MB"));
    EXPECT_EQ(r->sentText(en), QStringLiteral("2.00 KB"));
    EXPECT_EQ(linesOf(*r),
              (QStringList{QStringLiteral("start: 3/5/24, 10:00:50 pm"), QStringLiteral("_end: 3/5/24, 10:02:20 pm"),
                           QStringLiteral("time: 00:01:30"), QStringLiteral("downloaded bytes: 1.50 KB"),
                           QStringLiteral("uploaded bytes: 1,023.00 B"), QStringLiteral(" "),
                           QStringLiteral("start: 3/6/24, 10:00:10 am"), QStringLiteral("_end: 3/6/24, 10:00:40 am"),
                           QStringLiteral("time: 00:00:30"), QStringLiteral("downloaded bytes: 1.00 MB"),
                           QStringLiteral("uploaded bytes: 1.00 KB"), QStringLiteral(" ")}));
}

TEST_F(RecordTotals, ModelHasOneRowPerLine)
{
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 7; ++i)
        records.append(sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"),
                                     QStringLiteral("2024/03/05, 10:00:%1 am").arg(20 + i), 0, 100u * i));
    const auto r = total(records);
    MessageOutModel model;
    EXPECT_EQ(model.rowCount(), 0);
    model.setResult(r);
    EXPECT_EQ(model.rowCount(), 6 * 7);
    EXPECT_EQ(model.data(model.index(6 * 3 + 2)).toString(), QStringLiteral("time: 00:00:13"));
    EXPECT_EQ(model.data(model.index(6 * 7 - 1)).toString(), QStringLiteral(" "));
    EXPECT_FALSE(model.data(model.index(6 * 7)).isValid());
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(RecordTotals, FilesWithoutSessionsOrWithOne)
{
    const auto headerOnly = total({headerRecord()});
    EXPECT_EQ(headerOnly->fileCreatedText(en), QStringLiteral("File created : 3/1/24"));
    EXPECT_EQ(headerOnly->fromText(), QStringLiteral("From : 1"));
    EXPECT_TRUE(headerOnly->usedTimeText().isEmpty());
    EXPECT_TRUE(headerOnly->receivedText(en).isEmpty());
    EXPECT_EQ(headerOnly->lineCount(), 0);
    EXPECT_EQ(headerOnly->firstRecordText(en), QStringLiteral("first record :"));

    const auto one = total({headerRecord(), sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"),
                                                          QStringLiteral("2024/03/05, 10:00:40 am"), 0)});
    EXPECT_EQ(one->firstRecordText(en), QStringLiteral("first record : 3/5/24, 10:00:10 am"));
    EXPECT_EQ(one->lastRecordText(en), QStringLiteral("last record :"));

    const auto empty = total({});
    EXPECT_EQ(empty->recordCount, 0);
    EXPECT_EQ(empty->fileCreatedText(en), QStringLiteral("File created : "));
    EXPECT_EQ(empty->fromText(), QStringLiteral("From : "));
}

TEST_F(RecordTotals, PartialLastRecordIsLeftOut)
{
    const ProfileRecord s =
        sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0, 10, 20);
    const auto r = total({headerRecord(), s, s}, s.toBytes().left(50));
    EXPECT_EQ(r->outcome, CalculationResult::Outcome::Totalled);
    EXPECT_EQ(r->recordCount, 3);
    EXPECT_EQ(r->tailBytes, 50);
    EXPECT_EQ(r->sessions.size(), 2u);
    EXPECT_EQ(r->totalDownloaded, 20u);
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/5/24, 10:00:40 am"));
}

TEST_F(RecordTotals, RunningTotalsCarrySecondsAndWrapBytes)
{
    const auto r = total({headerRecord(),
                          sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"),
                                        QStringLiteral("2024/03/05, 10:00:50 am"), 0, 0xFFFFFFF0u, 0xFFFFFFFFu),
                          sessionRecord(QStringLiteral("2024/03/05, 11:00:10 am"),
                                        QStringLiteral("2024/03/05, 11:00:50 am"), 0, 0x20u, 2u),
                          sessionRecord(QStringLiteral("2024/03/05, 12:00:10 pm"),
                                        QStringLiteral("2024/03/05, 01:00:10 pm"), 60, 0u, 0u)});
    EXPECT_EQ(r->totalDownloaded, 0x10u);
    EXPECT_EQ(r->totalUploaded, 1u);
    EXPECT_EQ(r->receivedText(en), QStringLiteral("16.00 B"));
    // 40 s + 40 s + 60 min: the seconds carry into a minute.
    EXPECT_EQ(r->totalMinutes, 61);
    EXPECT_EQ(r->totalSeconds, 20);
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("01:01:20"));
}

TEST_F(RecordTotals, StartAfterEndIsMarkedOnBothTextLines)
{
    const auto r =
        total({headerRecord(),
               sessionRecord(QStringLiteral("2024/03/05, 10:05:10 pm"), QStringLiteral("2024/03/05, 10:00:40 pm"), 0),
               sessionRecord(QStringLiteral("2024/03/07, 12:59:30 am"), QStringLiteral("2024/03/07, 01:00:10 am"), 1)});
    const QStringList lines = linesOf(*r);
    EXPECT_EQ(lines[0], QStringLiteral("start: 3/5/24, 10:05:10 pm *"));
    EXPECT_EQ(lines[1], QStringLiteral("_end: 3/5/24, 10:00:40 pm *"));
    EXPECT_EQ(lines[2], QStringLiteral("time: 00:00:30"));
    // On the twelve-hour clock the texts would sort the wrong way round; on the 24-hour clock they do not.
    EXPECT_EQ(lines[6], QStringLiteral("start: 3/7/24, 12:59:30 am"));
    EXPECT_EQ(lines[7], QStringLiteral("_end: 3/7/24, 01:00:10 am"));
}

TEST_F(RecordTotals, ASessionAfterOthersOfItsDaysGivesTheRowItGivesAlone)
{
    // A session whose dates the records before it already had is totalled from its times alone; the row must
    // be the one the same session gives as the file's first, whatever its days and clocks.
    const QList<std::tuple<const char*, const char*, qint32>> sessions{
        {"2024/03/05, 11:59:30 pm", "2024/03/06, 12:00:20 am", 1},
        {"2024/03/06, 12:00:20 am", "2024/03/05, 11:59:30 pm", 0},
        {"2024/03/05, 10:00:50 pm", "2024/03/06, 10:00:10 pm", 0},
        {"2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:50 pm", 0},
        {"2024/03/05, 12:30:00 pm", "2024/03/05, 00:40:00 pm", 9},
        {"2024/03/05, 00:30:59 am", "2024/03/05, 12:30:01 am", 2},
        {"2024/03/05, 11:00:00 am", "2024/03/05, 12:00:00 pm", 60},
        {"2024/03/06, 01:00:00 am", "2024/03/05, 01:00:00 am", 0}};
    for (const auto& [start, end, used] : sessions) {
        const ProfileRecord session = sessionRecord(QLatin1String(start), QLatin1String(end), used, 1234, 56);
        const auto alone = total({headerRecord(), session});
        // The record before it sets both dates; the one after it keeps it from being the file's last.
        const auto after = total({headerRecord(),
                                  sessionRecord(QLatin1String(start).left(12) + QStringLiteral("01:00:00 am"),
                                                QLatin1String(end).left(12) + QStringLiteral("01:00:01 am"), 0),
                                  session, headerRecord()});
        ASSERT_EQ(alone->sessions.size(), 1u);
        ASSERT_GE(after->sessions.size(), 2u);
        const SessionRow& a = alone->sessions[0];
        const SessionRow& b = after->sessions[1];
        EXPECT_EQ(b.startBits(), a.startBits()) << start << " / " << end;
        EXPECT_EQ(b.endBits(), a.endBits()) << start << " / " << end;
        EXPECT_EQ(b.startAfterEnd(), a.startAfterEnd()) << start << " / " << end;
        EXPECT_EQ(b.minutes, a.minutes) << start << " / " << end;
        EXPECT_EQ(b.seconds, a.seconds) << start << " / " << end;
        EXPECT_EQ(b.isRegular(), a.isRegular());
        EXPECT_EQ(b.BytesReceived, a.BytesReceived);
        EXPECT_EQ(b.BytesSent, a.BytesSent);
    }
}

TEST(StartAfterEnd, TimesOnTheTwentyFourHourClock)
{
    const auto text = [](std::string_view time) {
        const auto t = StartAfterEnd::to24Hour(time);
        return t ? std::string(t->data(), t->size()) : std::string("-");
    };
    EXPECT_EQ(text("12:05:00 am"), "00:05:00");
    EXPECT_EQ(text("12:05:00 pm"), "12:05:00");
    EXPECT_EQ(text("01:00:10 pm"), "13:00:10");
    EXPECT_EQ(text("23:00:10"), "23:00:10");
    EXPECT_EQ(text("13:00:10 pm"), "-");
    EXPECT_EQ(text("10:61:00 am"), "-");
    EXPECT_EQ(text("10:00:00 xm"), "-");
    // A day later always sorts later, whatever the time.
    EXPECT_FALSE(StartAfterEnd::isStartAfterEnd("2024/03/05, 11:00:00 pm", "2024/03/06, 01:00:00 am"));
    EXPECT_TRUE(StartAfterEnd::isStartAfterEnd("2024/03/05, 01:00:00 pm", "2024/03/05, 11:00:00 am"));
    EXPECT_FALSE(StartAfterEnd::isStartAfterEnd("2024/03/05, 10:00:00 am", "2024/03/05, 10:00:00 am"));
}

TEST_F(RecordTotals, DamagedRecordIsLeftOutAndThePassGoesOn)
{
    const auto r = total(
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0, 7, 8),
         sessionRecord(QStringLiteral("2024/13/05, 10:00:10 am"), QStringLiteral("2024/13/05, 10:00:40 am"), 0, 100,
                       100),
         sessionRecord(QStringLiteral("2024/03/07, 10:00:10 am"), QStringLiteral("2024/03/07, 10:00:40 am"), 0, 100,
                       100)});
    EXPECT_EQ(r->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(r->damagedRecords.at(0).message,
              QStringLiteral("Record 2: '2024/13/05, 10:00:10 am' is not a valid date; the record is left out."));
    EXPECT_EQ(r->sessions.size(), 2u);
    EXPECT_EQ(r->totalDownloaded, 107u);
    EXPECT_EQ(r->usedTimeText(), QStringLiteral("00:01:00"));
    EXPECT_EQ(r->lastRecordText(en), QStringLiteral("last record : 3/7/24, 10:00:40 am"));

    // The only session damaged: nothing counts, not even for the first-record label.
    const auto noSeconds = total({headerRecord(), sessionRecord(QStringLiteral("2024/03/05, 10:00:1x am"),
                                                                QStringLiteral("2024/03/05, 10:00:40 am"), 0)});
    EXPECT_EQ(noSeconds->damagedRecords.at(0).record, 1);
    EXPECT_EQ(noSeconds->firstRecordText(en), QStringLiteral("first record :"));
    EXPECT_TRUE(noSeconds->usedTimeText().isEmpty());
    EXPECT_EQ(noSeconds->totalDownloaded, 0u);
}

TEST_F(RecordTotals, FilesThatCannotBeOpened)
{
    const QString missing = temp.filePath(QStringLiteral("missing.rvl"));
    const auto notFound = RecordFileCalculator().CalculateRecordFile(missing);
    EXPECT_EQ(notFound->outcome, CalculationResult::Outcome::NotFound);
    EXPECT_EQ(notFound->openFailureMessage(), QStringLiteral("File not found. Filename : ") + missing);

    // A folder, and a named pipe no one writes to (reading it would wait for ever), are refused unread.
    const QString pipe = temp.filePath(QStringLiteral("pipe.rvl"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {temp.path(), pipe}) {
        const auto refused = RecordFileCalculator().CalculateRecordFile(path);
        EXPECT_EQ(refused->outcome, CalculationResult::Outcome::NotRegular);
        EXPECT_EQ(refused->openFailureMessage(), path + QStringLiteral(" is not a regular file."));
        EXPECT_EQ(ReportExport::fileProblem(*refused).kind, QStringLiteral("not_regular_file"));
    }
    EXPECT_FALSE(PersonalFile::readHeaderOf(pipe));
    EXPECT_FALSE(PersonalFile::readRecords(pipe));
}

TEST_F(RecordTotals, ProgressIsToldAfterEveryChunk)
{
    QList<ProfileRecord> records{headerRecord()};
    const ProfileRecord s =
        sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"), QStringLiteral("2024/03/05, 10:00:40 am"), 0, 1, 1);
    for (qint64 i = 0; i < RecordFileCalculator::recordsPerChunk + 10; ++i)
        records.append(s);
    QList<qint64> told;
    const auto r = RecordFileCalculator([&](qint64 done, qint64 total) {
                       EXPECT_EQ(total, RecordFileCalculator::recordsPerChunk + 11);
                       told.append(done);
                   }).CalculateRecordFile(writeFile(QStringLiteral("big.rvl"), records));
    EXPECT_EQ(told, (QList<qint64>{RecordFileCalculator::recordsPerChunk, RecordFileCalculator::recordsPerChunk + 11}));
    EXPECT_EQ(r->totalDownloaded, quint32(RecordFileCalculator::recordsPerChunk + 10));
}

TEST(RecordView, ReadsWhatTheRecordWriterStores)
{
    ProfileRecord r = sessionRecord(QStringLiteral("2024/03/05, 10:00:10 am"),
                                    QStringLiteral("2024/03/05, 11:00:40 am"), -3, 0xFFFFFFFEu, 12345u);
    r.CreatedDate = QStringLiteral("2024/03/01");
    r.NextPeriodDate = QStringLiteral("2024/04/01");
    QByteArray bytes = r.toBytes();
    const RecordView view(bytes.constData());
    EXPECT_TRUE(view.hasUserProfileTag());
    EXPECT_EQ(view.CreatedDate(), "2024/03/01");
    EXPECT_EQ(view.NextPeriodDate(), "2024/04/01");
    EXPECT_EQ(view.StartText(), "2024/03/05, 10:00:10 am");
    EXPECT_EQ(view.EndText(), "2024/03/05, 11:00:40 am");
    EXPECT_EQ(view.BytesReceived(), 0xFFFFFFFEu);
    EXPECT_EQ(view.BytesSent(), 12345u);
    EXPECT_EQ(view.UsedMinutes(), -3);
    // A damaged length byte never reaches into the next field.
    bytes[48] = char(200);
    EXPECT_EQ(RecordView(bytes.constData()).StartText().size(), std::size_t(ProfileRecord::TextCapacity));
    bytes[0] = char(12);
    EXPECT_FALSE(RecordView(bytes.constData()).hasUserProfileTag());
}

TEST(StoredMoment, AgreesWithTheTextFunctionsOnEveryStoredForm)
{
    // The pass reads stored-form texts field by field; the text functions must give the same answers.
    QList<QString> texts;
    for (const char* date : {"2024/02/29", "2024/03/05", "2023/12/31", "0001/01/01"})
        for (int hour : {0, 1, 9, 11, 12})
            for (int minute : {0, 1, 59})
                for (int second : {0, 1, 30, 59})
                    for (const char* half : {"am", "pm"})
                        texts.append(QStringLiteral("%1, %2:%3:%4 %5")
                                         .arg(QLatin1String(date))
                                         .arg(hour, 2, 10, QLatin1Char('0'))
                                         .arg(minute, 2, 10, QLatin1Char('0'))
                                         .arg(second, 2, 10, QLatin1Char('0'))
                                         .arg(QLatin1String(half)));
    std::vector<QByteArray> bytes;
    for (const QString& t : texts)
        bytes.push_back(t.toLatin1());
    for (std::size_t i = 0; i < bytes.size(); i += 7) {
        const std::string_view a(bytes[i].constData(), bytes[i].size());
        StoredMoment ma;
        ASSERT_TRUE(StoredMoment::read(a, &ma)) << a;
        EXPECT_EQ(ma.toText(), texts[qsizetype(i)]);
        EXPECT_EQ(StoredMoment::fromPacked(ma.packed()).toText(), texts[qsizetype(i)]);
        EXPECT_EQ(ma.second == 0 ? 0 : 60 - ma.second, SessionDuration::GetStartSeconds(a).value());
        EXPECT_EQ(ma.second, SessionDuration::GetEndSeconds(a).value());
        for (std::size_t j = 0; j < bytes.size(); j += 5) {
            const std::string_view b(bytes[j].constData(), bytes[j].size());
            StoredMoment mb;
            ASSERT_TRUE(StoredMoment::read(b, &mb));
            ASSERT_EQ(ma.sortKey() > mb.sortKey(), StartAfterEnd::isStartAfterEnd(a, b)) << a << " / " << b;
            ASSERT_EQ(ma.minuteKey() == mb.minuteKey(), SessionDuration::StartAndEnd_DateTime_Records_AreSame(a, b))
                << a << " / " << b;
        }
    }
    StoredMoment m;
    for (const char* other :
         {"2023/02/29, 10:00:00 am", "2024/03/05, 10:00:00 AM", "2024/03/05, 13:00:00 pm", "2024/03/05, 10:60:00 am",
          "2024-03-05, 10:00:00 am", "2024/03/05,10:00:00 am", "0000/03/05, 10:00:00 am", "2024/03/05, 10:00:00 am "})
        EXPECT_FALSE(StoredMoment::read(other, &m)) << other;
}

TEST(StoredMoment, ADateReadBeforeGivesTheSameAnswersAsReadingAfresh)
{
    // The pass keeps the last date it read; a text of that day with a bad time, or of another day, must
    // still be told apart, and a refused text must not leave its date behind as a good one.
    StoredMoment::DateCache cache;
    for (const char* text :
         {"2024/03/05, 10:00:00 am", "2024/03/05, 11:59:59 pm", "2024/03/05, 13:00:00 pm", "2024/03/05, 10:60:00 am",
          "2024/03/05, 10:00:60 am", "2024/03/05, 10:00:00 AM", "2024/03/05, 10:00:00 xm", "2024/03/05; 10:00:00 am",
          "2024/03/05, 1a:00:00 am", "2023/02/29, 10:00:00 am", "2023/02/29, 10:00:01 am", "2024/02/29, 12:00:00 pm",
          "2024/03/05, 10:00:00 am", "2024/03/06, 00:00:01 am", "2024/03/05, 10:00:00 am "}) {
        StoredMoment fresh;
        StoredMoment cached;
        const bool freshOk = StoredMoment::read(text, &fresh);
        ASSERT_EQ(StoredMoment::read(text, &cached, cache), freshOk) << text;
        if (freshOk) {
            EXPECT_EQ(cached.sortKey(), fresh.sortKey()) << text;
        }
    }
}

TEST(StoredMoment, TheTimeReadInOneGoAgreesWithReadingTheWholeText)
{
    // The pass takes a text of the cached date from its time alone: any change to characters 10-22 must be
    // refused exactly when read() refuses it, and an accepted time must pack and order as read() does.
    std::vector<QByteArray> times;
    for (int hour : {0, 1, 9, 10, 11, 12})
        for (int minute : {0, 9, 10, 59})
            for (int second : {0, 1, 30, 59})
                for (const char* half : {"am", "pm"})
                    times.push_back(QStringLiteral("2024/03/05, %1:%2:%3 %4")
                                        .arg(hour, 2, 10, QLatin1Char('0'))
                                        .arg(minute, 2, 10, QLatin1Char('0'))
                                        .arg(second, 2, 10, QLatin1Char('0'))
                                        .arg(QLatin1String(half))
                                        .toLatin1());
    StoredMoment::DateCache cache;
    StoredMoment date;
    ASSERT_TRUE(StoredMoment::read(times[0].constData(), &date, cache));
    const auto oneGo = [&cache](const QByteArray& text, StoredMomentForm::Time* time) {
        return cache.holds(text.constData()) && StoredMomentForm::readTime(text.constData(), time);
    };
    for (const QByteArray& a : times) {
        StoredMoment ma;
        StoredMomentForm::Time ta{};
        ASSERT_TRUE(StoredMoment::read(std::string_view(a.constData(), 23), &ma));
        ASSERT_TRUE(oneGo(a, &ta)) << a.constData();
        EXPECT_EQ(cache.packedDate | ta.packed, ma.packed()) << a.constData();
        EXPECT_EQ(ta.second, ma.second);
        for (const QByteArray& b : times) {
            StoredMoment mb;
            StoredMomentForm::Time tb{};
            ASSERT_TRUE(StoredMoment::read(std::string_view(b.constData(), 23), &mb) && oneGo(b, &tb));
            ASSERT_EQ(ta.order > tb.order, ma.sortKey() > mb.sortKey()) << a.constData() << " / " << b.constData();
        }
        if (&a != &times.front() && &a != &times.back())
            continue;
        for (int at = 10; at < 23; ++at) {
            for (int value = 0; value < 256; ++value) {
                QByteArray changed = a;
                changed[at] = char(value);
                StoredMoment m;
                StoredMomentForm::Time t{};
                ASSERT_EQ(oneGo(changed, &t), StoredMoment::read(std::string_view(changed.constData(), 23), &m))
                    << changed.constData();
            }
        }
    }
}

TEST(SessionRows, TheRowsOfALargeFileDroppedGoToOneLaterFileOnly)
{
    // The block dropped last is handed to the next rows of its size; two files totalled at once must still
    // never share one, and a file of another size must get its own.
    {
        SessionRows dropped;
        dropped.setCapacity(100000);
        for (std::size_t i = 0; i < 100000; ++i)
            dropped.slot(i).BytesReceived = 7;
    }
    SessionRows shown;
    SessionRows next;
    SessionRows larger;
    shown.setCapacity(70000);
    next.setCapacity(70000);
    larger.setCapacity(300000);
    for (std::size_t i = 0; i < 300000; ++i) {
        if (i < 70000) {
            shown.slot(i).BytesReceived = 1;
            next.slot(i).BytesReceived = 2;
        }
        larger.slot(i).BytesReceived = 3;
    }
    shown.setSize(70000);
    next.setSize(70000);
    for (std::size_t i = 0; i < 70000; ++i)
        ASSERT_TRUE(shown[i].BytesReceived == 1 && next[i].BytesReceived == 2) << i;
}

TEST_F(RecordTotals, TextsInAnotherFormAreTotalledAndShownAsWritten)
{
    const auto r = total(
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/05, 10:00:50 PM"), QStringLiteral("2024/03/05, 10:02:20 pm"), 2, 1, 1),
         sessionRecord(QStringLiteral("2024/03/05, 11:00:50 pm"), QStringLiteral("2024/03/05, 11:02:20 pm"), 2, 1, 1),
         sessionRecord(QStringLiteral("2024-03-06 10:00:10"), QStringLiteral("2024-03-06 10:00:40"), 0, 1, 1)});
    ASSERT_EQ(r->outcome, CalculationResult::Outcome::Totalled);
    EXPECT_EQ(r->irregularTexts.size(), 2u);
    const QStringList lines = linesOf(*r);
    EXPECT_EQ(lines[0], QStringLiteral("start: 3/5/24, 10:00:50 PM"));
    EXPECT_EQ(lines[2], QStringLiteral("time: 00:01:30"));
    EXPECT_EQ(lines[6], QStringLiteral("start: 3/5/24, 11:00:50 pm"));
    EXPECT_EQ(lines[12], QStringLiteral("start: 3/6/24 10:00:10"));
    // The seconds are read where the stored form has them, which in this form is the minutes.
    EXPECT_EQ(lines[14], QStringLiteral("time: 00:00:00"));
    EXPECT_EQ(r->startText(2), QStringLiteral("2024-03-06 10:00:10"));
    EXPECT_EQ(r->endText(1), QStringLiteral("2024/03/05, 11:02:20 pm"));
}

TEST_F(RecordTotals, HalvesAtOnceAgreeWhereverARecordIsDamaged)
{
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 9; ++i)
        records.append(sessionRecord(QStringLiteral("2024/03/%1, 10:00:10 pm").arg(5 + i, 2, 10, QLatin1Char('0')),
                                     QStringLiteral("2024/03/%1, 10:%2:45 pm")
                                         .arg(5 + i, 2, 10, QLatin1Char('0'))
                                         .arg(i, 2, 10, QLatin1Char('0')),
                                     i, 1000u * (i + 1), 0xFFFFFF00u));
    records[2].StartText = QStringLiteral("2024/03/06, 10:00:10 PM");
    records[8].EndText = QStringLiteral("2024/03/12 22:08:45");
    const auto whole = total(records);
    EXPECT_EQ(whole->outcome, CalculationResult::Outcome::Totalled);
    EXPECT_EQ(whole->sessions.size(), 9u);
    EXPECT_EQ(whole->irregularTexts.size(), 2u);

    // A damaged record anywhere, even beside a text in another form, leaves the file as if it were not there.
    for (int damaged : {1, 2, 3, 5, 6, 8, 9}) {
        QList<ProfileRecord> without = records;
        without.removeAt(damaged);
        const auto expected = total(without);
        std::vector<quint32> numbers{1, 2, 3, 4, 5, 6, 7, 8, 9};
        numbers.erase(numbers.begin() + damaged - 1);
        for (const char* end : {"2024/03/32, 10:00:00 pm", "2024/03/05, 10:00:xx pm"}) {
            QList<ProfileRecord> copy = records;
            copy[damaged].EndText = QLatin1String(end);
            const auto r = total(copy);
            EXPECT_EQ(r->damagedRecords.at(0).record, damaged);
            EXPECT_EQ(r->recordNumbers, numbers);
            EXPECT_EQ(linesOf(*r), linesOf(*expected)) << damaged;
            EXPECT_EQ(r->firstRecordText(en) + r->lastRecordText(en),
                      expected->firstRecordText(en) + expected->lastRecordText(en));
            EXPECT_EQ(r->usedTimeText() + r->receivedText(en), expected->usedTimeText() + expected->receivedText(en));
        }
    }
}

TEST_F(RecordTotals, LabelsShowTheWholeDateInAnyLocale)
{
    const auto r =
        total({headerRecord(QStringLiteral("2024/03/20")),
               sessionRecord(QStringLiteral("2024/03/20, 10:00:50 pm"), QStringLiteral("2024/03/20, 10:02:20 pm"), 2),
               sessionRecord(QStringLiteral("2024/03/21, 10:00:10 am"), QStringLiteral("2024/03/21, 10:00:40 am"), 0)});
    const QLocale c = QLocale::c();
    EXPECT_EQ(r->fileCreatedText(c),
              QStringLiteral("File created : ") + c.toString(QDate(2024, 3, 20), QLocale::ShortFormat));
    EXPECT_TRUE(r->fileCreatedText(c).contains(QStringLiteral("2024")));
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    const QString huDate = hu.toString(QDate(2024, 3, 20), QLocale::ShortFormat);
    ASSERT_GT(huDate.size(), 10); // longer than the stored date: it used to lose its end
    EXPECT_EQ(r->fileCreatedText(hu), QStringLiteral("File created : ") + huDate);
    const QString huLast = hu.toString(QDate(2024, 3, 21), QLocale::ShortFormat) + QStringLiteral(", 10:00:40 am");
    ASSERT_GT(huLast.size(), int(ProfileRecord::TextCapacity));
    EXPECT_EQ(r->lastRecordText(hu), QStringLiteral("last record : ") + huLast);
    EXPECT_EQ(r->sessionLine(7, hu), QStringLiteral("_end: ") + huLast);
}

TEST_F(RecordTotals, HugeOrSparseFilesAreRefusedUnreadAndTheLimitItselfIsRead)
{
    const auto sparse = [this](const QString& name, qint64 size) {
        const QString path = writeFile(name, {headerRecord()});
        QFile file(path);
        EXPECT_TRUE(file.resize(size));
        return path;
    };
    // 200 GB of nothing after the header: refused at once, nothing kept.
    const QString huge = sparse(QStringLiteral("huge.rvl"), 200'000'000'000);
    const auto refused = RecordFileCalculator().CalculateRecordFile(huge);
    EXPECT_EQ(refused->outcome, CalculationResult::Outcome::TooLarge);
    EXPECT_FALSE(refused->opened());
    EXPECT_EQ(refused->openFailureMessage(), refused->problem);
    EXPECT_TRUE(refused->problem.startsWith(QStringLiteral("The file ") + huge + QStringLiteral(" is too large")));
    EXPECT_TRUE(refused->problem.contains(QStringLiteral("At most 10,000,000 sessions")));
    EXPECT_TRUE(refused->sessions.empty());

    // One session more than the limit is refused; the limit itself is read, here up to the first empty record.
    const qint64 limitBytes = (RecordFileCalculator::maxSessions + 1) * ProfileRecord::Size;
    EXPECT_EQ(RecordFileCalculator().CalculateRecordFile(sparse(QStringLiteral("over.rvl"), limitBytes + 104))->outcome,
              CalculationResult::Outcome::TooLarge);
    // Every empty record is damaged: all are counted, the first few listed.
    const auto atLimit = RecordFileCalculator().CalculateRecordFile(sparse(QStringLiteral("limit.rvl"), limitBytes));
    EXPECT_EQ(atLimit->outcome, CalculationResult::Outcome::DamagedRecords);
    EXPECT_EQ(atLimit->recordCount, RecordFileCalculator::maxSessions + 1);
    EXPECT_EQ(atLimit->damagedCount, RecordFileCalculator::maxSessions);
    EXPECT_EQ(atLimit->damagedRecords.size(), CalculationResult::maxDamagedListed);
}
