// Recording recovers by itself: a file that cannot be reached for a while, session records held back by a
// full disk, a roll-over cut short, and a file made while the clock was a year ahead.
#include "RecordFixture.h"

#include "record/BackupFolder.h"

namespace {

class RecoveryTest : public RecordFixture
{
protected:
    void SetUp() override
    {
        RecordFixture::SetUp();
        at(2024, 3, 20);
        writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 1);
        period.UserProfileInitial();
        ASSERT_TRUE(period.PersonalFileActive());
    }

    bool saveSession(qint64 index, const QString& end)
    {
        return file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(), 10, 20,
                                    QStringLiteral("2024/03/20, 10:00:00 am"), end, 5, index);
    }

    QString aside() const { return programDir + QStringLiteral("aside.rvl"); }
};

TEST_F(RecoveryTest, AFileOutOfReachIsWaitedForUnderItsNameAndLoadedWhenBack)
{
    for (const bool asFolder : {false, true}) {
        SCOPED_TRACE(asFolder ? "a folder in its place" : "gone");
        ASSERT_TRUE(QFile::rename(file.filePath(), aside()));
        if (asFolder) {
            ASSERT_TRUE(QDir().mkdir(file.filePath()));
        }
        period.UserProfileInitial();
        EXPECT_FALSE(period.PersonalFileActive());
        EXPECT_TRUE(period.WaitingForFile());
        EXPECT_EQ(host.statusLine, period.waitingText());
        period.RetryLoad();
        EXPECT_TRUE(period.WaitingForFile());

        if (asFolder) {
            ASSERT_TRUE(QDir().rmdir(file.filePath()));
        }
        ASSERT_TRUE(QFile::rename(aside(), file.filePath()));
        period.RetryLoad();
        EXPECT_TRUE(period.PersonalFileActive());
        EXPECT_FALSE(period.WaitingForFile());
        EXPECT_EQ(host.nextFilePointer, 2);
    }
    // Told once in a box, not at every retry.
    EXPECT_LE(dialogs.messages.size(), 1);
}

TEST_F(RecoveryTest, RecordsAFullDiskHeldBackAreWrittenInOrderWhenThereIsRoom)
{
    // Writes into /dev/full fail the way a full disk does.
    ASSERT_TRUE(QFile::rename(file.filePath(), aside()));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), file.filePath()));
    EXPECT_FALSE(saveSession(2, QStringLiteral("2024/03/20, 10:00:15 am")));
    EXPECT_FALSE(saveSession(2, QStringLiteral("2024/03/20, 10:00:30 am")));
    EXPECT_EQ(file.pendingWrites(), 1);
    EXPECT_TRUE(host.statusLine.contains(QStringLiteral("1 session record is waiting")));
    // The next session's record waits behind it, and the count of records includes both.
    EXPECT_FALSE(saveSession(3, QStringLiteral("2024/03/20, 11:00:00 am")));
    EXPECT_TRUE(host.statusLine.contains(QStringLiteral("2 session records are waiting")));
    // No roll-over while the finished file lacks records.
    at(2024, 4, 1);
    period.CheckPeriodEnd();
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));

    QFile::remove(file.filePath());
    ASSERT_TRUE(QFile::rename(aside(), file.filePath()));
    EXPECT_TRUE(file.retryPendingWrites());
    EXPECT_EQ(file.pendingWrites(), 0);
    EXPECT_TRUE(host.statusLine.isEmpty());
    const QList<ProfileRecord> all = PersonalFile::readRecords(file.filePath()).value_or(QList<ProfileRecord>());
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[2].EndText, QStringLiteral("2024/03/20, 10:00:30 am"));
    EXPECT_EQ(all[3].EndText, QStringLiteral("2024/03/20, 11:00:00 am"));
    period.CheckPeriodEnd();
    EXPECT_EQ(PersonalFile::readRecords(backupDir() + QStringLiteral("1.rvl"))->size(), 4);
}

TEST_F(RecoveryTest, ARollOverCutShortIsFinishedFromTheNewestBackup)
{
    const QByteArray finished = readBytes(file.filePath());
    // Killed after the move, and after a half-written new file under its temporary name.
    QDir().mkpath(backupDir());
    ASSERT_TRUE(QFile::rename(file.filePath(), backupDir() + QStringLiteral("2.rvl")));
    writeBytes(backupDir() + QStringLiteral("1.rvl"),
               header(QStringLiteral("2024/02/01"), QStringLiteral("2024/03/01"), 5, 4).toBytes());
    writeBytes(file.filePath() + QStringLiteral(".new"), "half");
    at(2024, 4, 1, 0, 0, 3);
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    const ProfileRecord fresh = headerOnDisk(file.filePath());
    EXPECT_EQ(fresh.CreatedDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(fresh.NextPeriodDate, QStringLiteral("2024/05/01"));
    EXPECT_EQ(fresh.StartingDay, 1);
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("2.rvl")), finished);
    EXPECT_FALSE(QFileInfo::exists(file.filePath() + QStringLiteral(".new")));
    EXPECT_TRUE(host.statusLine.contains(QStringLiteral("after an interruption")));

    // A new file left empty by a full disk gives way the same way.
    writeBytes(file.filePath(), QByteArray());
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 1);
}

TEST_F(RecoveryTest, AFileMadeWhileTheClockWasAYearAheadRollsOverOnTheRealDay)
{
    writeActive(header(QStringLiteral("2025/03/20"), QStringLiteral("2025/04/01"), 1, 31), 1);
    period.UserProfileInitial();
    ASSERT_EQ(dialogs.messages.size(), 1); // the clock notice
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(headerOnDisk(file.filePath()).CreatedDate, QStringLiteral("2025/03/20"));
    EXPECT_TRUE(host.statusLine.contains(QStringLiteral("clock was ahead")));
    period.UserProfileInitial();
    EXPECT_FALSE(host.statusLine.contains(QStringLiteral("clock was ahead"))); // said once

    at(2024, 4, 1);
    period.CheckPeriodEnd();
    EXPECT_TRUE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/05/01"));
}

} // namespace
