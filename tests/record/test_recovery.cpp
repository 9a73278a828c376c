// Recording recovers by itself: a file that cannot be reached for a while, session records held back by a
// full disk, a roll-over cut short, and a file made while the clock was a year ahead.
#include "RecordFixture.h"

#include "record/BackupFolder.h"

#include <sys/stat.h>

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
        const SessionReload back = period.RetryLoad();
        EXPECT_TRUE(period.PersonalFileActive());
        EXPECT_FALSE(period.WaitingForFile());
        EXPECT_EQ(back.nextFilePointer, 2);
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

    // A new file left empty by a full disk, with the roll-over's marker beside it, gives way the same way.
    writeBytes(file.filePath(), QByteArray());
    writeBytes(file.filePath() + QStringLiteral(".rollover"), QByteArray());
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 1);
    EXPECT_FALSE(QFileInfo::exists(file.filePath() + QStringLiteral(".rollover")));
}

TEST_F(RecoveryTest, AFileTheUserRemovedStaysRemoved)
{
    // The finished period in the backup folder, the active file removed while the program was not running.
    QDir().mkpath(backupDir());
    ASSERT_TRUE(QFile::rename(file.filePath(), backupDir() + QStringLiteral("1.rvl")));
    at(2024, 4, 3);
    PersonalFile again(programDir, clock, dialogs);
    again.setPersonalFileName(QStringLiteral("alice.rvl"));
    AccountingPeriod restarted(again, clock, dialogs, host);
    restarted.UserProfileInitial();
    restarted.RetryLoad();
    EXPECT_FALSE(restarted.PersonalFileActive());
    EXPECT_FALSE(restarted.WaitingForFile());
    EXPECT_FALSE(QFileInfo::exists(file.filePath()));
    EXPECT_EQ(host.dayPeriod, AccountingPeriod::noPersonalFileText);

    // A too-short file without the marker is reported, not replaced.
    writeBytes(file.filePath(), "short");
    restarted.UserProfileInitial();
    EXPECT_FALSE(restarted.PersonalFileActive());
    EXPECT_EQ(readBytes(file.filePath()), QByteArray("short"));
}

TEST_F(RecoveryTest, ARollOverLeavesNoMarkerAndAFailedOneKeepsTheFileInUse)
{
    at(2024, 4, 1);
    // A plain file where the backup folder belongs: the move fails and the file stays as it was.
    writeBytes(programDir + QStringLiteral("alice"), "in the way");
    const QByteArray before = readBytes(file.filePath());
    EXPECT_FALSE(period.RollOverReady());
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), before);
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_FALSE(file.rollOverUnderWay());

    // The user reads the box and clears the way.
    dialogs.closeAllBoxes();
    ASSERT_TRUE(QFile::remove(programDir + QStringLiteral("alice")));
    EXPECT_TRUE(period.RollOverReady());
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1.rvl")), before);
    EXPECT_EQ(headerOnDisk(file.filePath()).CreatedDate, QStringLiteral("2024/04/01"));
    EXPECT_FALSE(file.rollOverUnderWay());
}

TEST_F(RecoveryTest, ARollOverMakesPrivateFilesAndFoldersAndKeepsTheFinishedFilesMode)
{
    const mode_t before = ::umask(022);
    const QFileDevice::Permissions finishedMode = QFile::permissions(file.filePath());
    QDir(backupDir()).removeRecursively();
    at(2024, 4, 1);
    period.CheckPeriodEnd();
    ::umask(before);
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFile::permissions(file.filePath()) & (owner | others), owner);
    EXPECT_EQ(QFile::permissions(backupDir()) & others, QFileDevice::Permissions());
    EXPECT_EQ(QFile::permissions(backupDir() + QStringLiteral("1.rvl")), finishedMode);
}

TEST_F(RecoveryTest, AClockBehindTheFileChangesNothingOnDisk)
{
    // Made on 2026/12/01 with two sessions; the program starts while a flat clock battery says June.
    const QByteArray made = writeActive(header(QStringLiteral("2026/12/01"), QStringLiteral("2027/01/01"), 1, 31), 2);
    at(2026, 6, 1);
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(period.NextPeriodDate(), QStringLiteral("2027/01/01"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("earlier")));
    // Told once, not again after every session.
    dialogs.closeAllBoxes();
    period.UserProfileInitial();
    period.CheckPeriodEnd();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(readBytes(file.filePath()), made);

    // The link sets the clock: still the file's own period, no roll-over before its next period begins.
    at(2026, 12, 20);
    period.UserProfileInitial();
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), made);
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    at(2027, 1, 1);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1.rvl")), made);
}

} // namespace
