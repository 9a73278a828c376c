// The tracker while the personal file cannot take its records: a roll-over that keeps failing, and a
// file out of reach, whose sessions are kept in memory with their true start and written when it comes back.
#include "TrackerFixture.h"

namespace {

using TrackerFaultsTest = SessionTrackerTest;

TEST_F(TrackerFaultsTest, ARollOverThatKeepsFailingCountsEachMinuteOnceAndSavesOnQuarterMinutes)
{
    startFile();
    // A plain file where the backup folder belongs: every roll-over attempt fails.
    ASSERT_TRUE(QDir(file.backupDirPath()).removeRecursively());
    QFile blocker(temp.path() + QStringLiteral("/alice"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QDate first(2024, 4, 1);
    tickAt(QDateTime(first, QTime(10, 0, 5)));
    ASSERT_TRUE(tracker.SessionOpen());
    dialogs.closeAllBoxes(); // the user reads the backup error; the same failure opens no second box

    QList<int> savedOn;
    while (clock.now().time() < QTime(10, 3, 0)) {
        if (tickSaves(clock.now().addSecs(1)))
            savedOn.append(clock.now().time().minute() * 60 + clock.now().time().second());
    }
    EXPECT_EQ(savedOn, (QList<int>{15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 180}));
    EXPECT_EQ(record(1).UsedMinutes, 3);
    window.connected = false;
    tickAt(QDateTime(first, QTime(10, 3, 0)));
    EXPECT_EQ(record(1).EndText, StoredDate::dateTimeText(QDateTime(first, QTime(10, 3, 0))));
    EXPECT_EQ(record(1).UsedMinutes, 3);
    EXPECT_EQ(SessionDuration::fromParts(3, 55, 0, false), (SessionDuration::Duration{2, 55}));

    // The way cleared during the next session: it goes into the finished file up to the roll-over's tick,
    // and on in record 1 of the new file.
    window.connected = true;
    tickAt(QDateTime(first, QTime(11, 0, 50)));
    tickEverySecondUntil(11, 1, 10);
    ASSERT_TRUE(blocker.remove());
    tickAt(QDateTime(first, QTime(11, 1, 11)));
    tickEverySecondUntil(11, 1, 20);
    const QList<ProfileRecord> finished = records(file.backupDirPath() + QStringLiteral("1.rvl"));
    ASSERT_EQ(finished.size(), 3);
    EXPECT_EQ(finished[2].EndText, StoredDate::dateTimeText(QDateTime(first, QTime(11, 1, 11))));
    EXPECT_EQ(finished[2].UsedMinutes, 1);
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(record(1).StartText, StoredDate::dateTimeText(QDateTime(first, QTime(11, 1, 11))));
}

TEST_F(TrackerFaultsTest, ASessionBegunWhileTheFileIsOutOfReachKeepsItsStart)
{
    startFile();
    tickAt(10, 0, 0);
    tickEverySecondUntil(10, 0, 30);
    // The file cannot be opened (a folder in its place stands in for a read-only one) when the session ends.
    const QString aside = temp.path() + QStringLiteral("/aside.rvl");
    ASSERT_TRUE(QFile::rename(file.filePath(), aside));
    ASSERT_TRUE(QDir().mkdir(file.filePath()));
    window.connected = false;
    tickAt(10, 0, 31);
    EXPECT_TRUE(period.KeepsSessionsWhileWaiting());

    // The next session begins while it still cannot be written.
    window.connected = true;
    tickAt(10, 0, 50);
    ASSERT_TRUE(tracker.SessionOpen());
    EXPECT_EQ(tracker.NextFilePointer(), 2);
    tickEverySecondUntil(10, 1, 20);
    ASSERT_TRUE(QDir().rmdir(file.filePath()));
    ASSERT_TRUE(QFile::rename(aside, file.filePath()));
    tickAt(10, 1, 21);
    EXPECT_TRUE(period.PersonalFileActive());
    ASSERT_EQ(records().size(), 3) << "written as soon as the file came back";
    EXPECT_EQ(record(2).StartText, stored(10, 0, 50));
    tickEverySecondUntil(10, 1, 40);
    window.connected = false;
    tickAt(10, 1, 41);

    ASSERT_EQ(records().size(), 3);
    EXPECT_EQ(record(1).StartText, stored(10, 0, 0));
    EXPECT_EQ(record(1).EndText, stored(10, 0, 31));
    EXPECT_EQ(record(2).StartText, stored(10, 0, 50));
    EXPECT_EQ(record(2).EndText, stored(10, 1, 41));
    EXPECT_EQ(record(2).UsedMinutes, 1);
    EXPECT_EQ(tracker.NextFilePointer(), 3);
}

TEST_F(TrackerFaultsTest, ANewPeriodsFileThatCannotBeWrittenKeepsTheSessionFromTheRollOver)
{
    startFile();
    tickAt(QDateTime(QDate(2024, 3, 31), QTime(23, 59, 50)));
    // Something in the way of the new file: it cannot be made until the way is clear.
    ASSERT_TRUE(QDir().mkdir(file.filePath() + QStringLiteral(".new")));
    tickAt(QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0)));
    EXPECT_FALSE(QFileInfo::exists(file.filePath()));
    EXPECT_TRUE(period.KeepsSessionsWhileWaiting());
    ASSERT_TRUE(tracker.SessionOpen());
    tickEverySecondUntil(0, 0, 30);
    ASSERT_TRUE(QDir().rmdir(file.filePath() + QStringLiteral(".new")));
    tickEverySecondUntil(0, 0, 44);
    window.connected = false;
    tickAt(0, 0, 45);

    const QList<ProfileRecord> finished = records(file.backupDirPath() + QStringLiteral("1.rvl"));
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished[1].EndText, QStringLiteral("2024/04/01, 12:00:00 am"));
    ASSERT_EQ(records().size(), 2);
    EXPECT_EQ(record(0).CreatedDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(record(1).StartText, QStringLiteral("2024/04/01, 12:00:00 am"));
    EXPECT_EQ(record(1).EndText, QStringLiteral("2024/04/01, 12:00:45 am"));
    EXPECT_FALSE(file.rollOverUnderWay());
}

TEST_F(TrackerFaultsTest, AFileMerelyMissingRecordsNoNewSession)
{
    startFile();
    tickAt(10, 0, 0);
    ASSERT_TRUE(QFile::remove(file.filePath()));
    window.connected = false;
    tickAt(10, 0, 10);
    EXPECT_TRUE(period.WaitingForFile());
    EXPECT_FALSE(period.KeepsSessionsWhileWaiting());
    window.connected = true;
    tickAt(10, 0, 11);
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(file.pendingWrites(), 1) << "only the closed session's record waits";
}

} // namespace
