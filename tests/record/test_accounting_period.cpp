// Loading the period header, the recording days, the roll-over and its backups, and what happens when any
// of them meets a damaged file or a folder that cannot be written.
#include "RecordFixture.h"

#include "record/BackupFolder.h"

namespace {

class AccountingPeriodTest : public RecordFixture
{
protected:
    /// Starts a file the way "Create Personal File" does, on the clock's day.
    void startFile(int startingDay, int endingDay)
    {
        const NewFileOutcome created = period.StartNewFile(startingDay, endingDay);
        ASSERT_TRUE(created);
        ASSERT_TRUE(period.PersonalFileActive());
        reload = created.reload;
    }

    /// One session record appended, as the tracker writes it.
    void addSession()
    {
        ASSERT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(), 100, 200,
                                         QStringLiteral("2024/03/20, 10:00:00 am"),
                                         QStringLiteral("2024/03/20, 10:30:00 am"), 30,
                                         file.GetNextPointerOnmrLogFile()));
    }

    SessionReload reload; ///< what the last new file means for the session tracker
};

TEST_F(AccountingPeriodTest, WholeMonthPeriodRollsOverOnTheFirstOfTheNextMonth)
{
    at(2024, 3, 20);
    startFile(1, 31);
    const ProfileRecord head = headerOnDisk(file.filePath());
    EXPECT_EQ(head.CreatedDate, QStringLiteral("2024/03/20"));
    EXPECT_EQ(head.NextPeriodDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(head.StartText, QString());
    EXPECT_TRUE(period.TodayInPeriod());
    EXPECT_EQ(reload.nextFilePointer, 1);
    EXPECT_EQ(host.dayPeriod, QStringLiteral("Active user : 01 to 31 - alice - "));
    EXPECT_EQ(host.statusLine, QStringLiteral("Created a new personal file."));
    EXPECT_EQ(host.listedFolder, backupDir());
    addSession();
    const QByteArray finished = readBytes(file.filePath());

    at(2024, 3, 31, 23, 59, 59);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), finished);

    at(2024, 4, 1, 0, 0, 0);
    const SessionReload afterRollOver = period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1.rvl")), finished);
    EXPECT_EQ(readBytes(file.filePath()).size(), 104);
    const ProfileRecord rolled = headerOnDisk(file.filePath());
    EXPECT_EQ(rolled.CreatedDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(rolled.NextPeriodDate, QStringLiteral("2024/05/01"));
    EXPECT_EQ(rolled.StartingDay, 1);
    EXPECT_EQ(rolled.EndingDay, 31);
    EXPECT_TRUE(afterRollOver.startAfresh);
    EXPECT_EQ(afterRollOver.nextFilePointer, 1);
    EXPECT_EQ(host.dayPeriod, QStringLiteral("Active user : 01 to 31"));
    EXPECT_EQ(host.statusLine, QStringLiteral("A new period has begun in a new alice.rvl."));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Later ticks of the same period leave the new file alone.
    period.CheckPeriodEnd();
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("2.rvl")));
}

TEST_F(AccountingPeriodTest, PeriodIntoTheNextMonthStartedInDecemberRunsToMidJanuary)
{
    at(2024, 12, 3);
    startFile(15, 14);
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2025/01/15"));
    EXPECT_TRUE(period.TodayInPeriod());
    EXPECT_EQ(host.dayPeriod, QStringLiteral("Active user : 15 to 14 - alice - "));

    at(2025, 1, 14, 23, 0, 0);
    period.UserProfileInitial();
    EXPECT_TRUE(period.TodayInPeriod());
    period.CheckPeriodEnd();
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));

    at(2025, 1, 15);
    period.CheckPeriodEnd();
    EXPECT_TRUE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2025/02/15"));
}

TEST_F(AccountingPeriodTest, PeriodWithinTheMonthRecordsOnlyOnItsDaysAndRollsOverOnTheStartingDay)
{
    at(2024, 3, 15);
    startFile(10, 20);
    EXPECT_TRUE(period.TodayInPeriod());
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/04/10"));

    at(2024, 3, 21);
    EXPECT_TRUE(period.TodayInPeriod()) << "kept until the file is loaded again";
    period.UserProfileInitial();
    EXPECT_FALSE(period.TodayInPeriod());
    EXPECT_TRUE(period.PersonalFileActive());

    at(2024, 4, 9, 23, 59, 59);
    period.CheckPeriodEnd();
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    at(2024, 4, 10, 0, 0, 1);
    period.CheckPeriodEnd();
    EXPECT_TRUE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    EXPECT_TRUE(period.TodayInPeriod());
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/05/10"));
}

TEST_F(AccountingPeriodTest, EndingDay31SimplyEndsWithAThirtyDayMonth)
{
    at(2024, 4, 2);
    startFile(1, 31);
    at(2024, 4, 30, 23, 59, 59);
    period.UserProfileInitial();
    EXPECT_TRUE(period.TodayInPeriod());
    period.CheckPeriodEnd();
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
    at(2024, 5, 1);
    period.CheckPeriodEnd();
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/06/01"));
}

TEST_F(AccountingPeriodTest, TheTwentyFifthBackupMovesTheFullSetIntoTheNextFreeSubFolder)
{
    BackupFolder folder(backupDir());
    for (int n = 1; n <= BackupFolder::slotCount; ++n)
        writeBytes(folder.slotPath(n), QByteArray("slot ") + QByteArray::number(n));
    QDir().mkpath(backupDir() + QStringLiteral("1"));
    writeBytes(backupDir() + QStringLiteral("1/1.rvl"), "older set");
    at(2024, 3, 20);
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/03/20"), 1, 31), 2);
    const QByteArray finished = readBytes(file.filePath());
    period.UserProfileInitial();

    period.CheckPeriodEnd();
    for (int n = 1; n <= BackupFolder::slotCount; ++n)
        EXPECT_EQ(readBytes(backupDir() + QStringLiteral("2/%1.rvl").arg(n)),
                  QByteArray("slot ") + QByteArray::number(n));
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1/1.rvl")), QByteArray("older set"));
    EXPECT_EQ(readBytes(folder.slotPath(1)), finished);
    EXPECT_FALSE(QFileInfo::exists(folder.slotPath(2)));
    EXPECT_EQ(headerOnDisk(file.filePath()).NextPeriodDate, QStringLiteral("2024/04/01"));
}

TEST_F(AccountingPeriodTest, AFailedBackupKeepsTheFinishedFileWholeAndIsTriedAgainLater)
{
    at(2024, 3, 20);
    const QByteArray finished =
        writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 2);
    period.UserProfileInitial();
    writeBytes(programDir + QStringLiteral("alice"), "a file where the backup folder belongs");

    at(2024, 4, 1, 0, 0, 0);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), finished);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("could not be created")));
    // The box stays open and the call has returned: the tick goes on, guarded.
    EXPECT_TRUE(period.BackupErrorShowing());
    EXPECT_TRUE(host.statusLine.endsWith(QStringLiteral(" 12:00:00 am")));
    EXPECT_TRUE(period.PersonalFileActive());
    clock.advance(1);
    period.CheckPeriodEnd();
    EXPECT_EQ(dialogs.messages.size(), 1);
    dialogs.closeAllBoxes();
    EXPECT_FALSE(period.BackupErrorShowing());

    // The same failure a second later: still nothing written, and no second box.
    clock.advance(1);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), finished);
    EXPECT_EQ(dialogs.messages.size(), 1);

    // Once the way is clear the roll-over happens.
    QFile::remove(programDir + QStringLiteral("alice"));
    clock.advance(1);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1.rvl")), finished);
    EXPECT_EQ(headerOnDisk(file.filePath()).CreatedDate, QStringLiteral("2024/04/01"));
}

TEST_F(AccountingPeriodTest, TicksUnderAnOpenErrorBoxNeitherBackUpNorWriteAgain)
{
    at(2024, 3, 20);
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 1);
    period.UserProfileInitial();
    // A dangling link where the file was: the backup finds no file, and the new header cannot be created.
    QFile::remove(file.filePath());
    ASSERT_TRUE(QFile::link(programDir + QStringLiteral("nowhere/x"), file.filePath()));

    at(2024, 4, 1);
    period.CheckPeriodEnd();
    // Both boxes open at once, neither waits; the ticks under them touch nothing and open no more.
    EXPECT_TRUE(period.BackupErrorShowing());
    EXPECT_TRUE(file.FileErrorShowing());
    for (int tick = 0; tick < 3; ++tick) {
        clock.advance(1);
        period.CheckPeriodEnd();
    }

    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("was not found")));
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(QStringLiteral("Could not write the personal file alice.rvl.")));
    dialogs.closeOldestBox();
    EXPECT_FALSE(period.BackupErrorShowing());
    EXPECT_TRUE(file.FileErrorShowing());
    dialogs.closeOldestBox();
    EXPECT_FALSE(file.FileErrorShowing());
    EXPECT_EQ(QDir(backupDir()).entryList(QDir::Files).size(), 0);
    EXPECT_EQ(host.statusLine.left(47), QStringLiteral("Could not start the new period's personal file."));
}

TEST_F(AccountingPeriodTest, DamagedFilesAreReportedByNameAndLeftUntouched)
{
    at(2024, 3, 20);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        const char* says;
    };
    const ProfileRecord good = header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31);
    ProfileRecord wrongTag = good;
    wrongTag.Tag = QStringLiteral("[UserProfil]");
    const QList<Case> cases = {
        {"empty", QByteArray(), "too short"},
        {"truncated", good.toBytes().left(60), "too short"},
        {"wrong tag", wrongTag.toBytes(), "does not start with a period header"},
        {"starting day 0", header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 0, 31).toBytes(),
         "invalid starting day (0)"},
        {"starting day 29", header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 29, 31).toBytes(),
         "invalid starting day (29)"},
        {"ending day 32", header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 32).toBytes(),
         "invalid ending day (32)"},
        {"ending day -1", header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, -1).toBytes(),
         "invalid ending day (-1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        writeBytes(file.filePath(), c.bytes);
        period.UserProfileInitial();
        EXPECT_FALSE(period.PersonalFileActive());
        EXPECT_FALSE(period.TodayInPeriod());
        EXPECT_EQ(host.dayPeriod, AccountingPeriod::damagedHeaderText);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("alice.rvl")));
        EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromLatin1(c.says)))
            << dialogs.messages[0].text.toStdString();
        at(2024, 5, 1);
        period.CheckPeriodEnd();
        EXPECT_EQ(readBytes(file.filePath()), c.bytes);
        EXPECT_FALSE(QFileInfo::exists(backupDir()));
        at(2024, 3, 20);
    }
}

TEST_F(AccountingPeriodTest, MissingFileLoadsNothingQuietlyAndAnEarlyClockOnlyWarns)
{
    period.UserProfileInitial();
    EXPECT_FALSE(period.PersonalFileActive());
    EXPECT_EQ(host.dayPeriod, AccountingPeriod::noPersonalFileText);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    at(2024, 2, 28);
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 3);
    const SessionReload loaded = period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(loaded.nextFilePointer, 4);
    EXPECT_EQ(period.CreatedMonth(), 3);
    EXPECT_EQ(period.CreatedDay(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Information);
}

TEST_F(AccountingPeriodTest, UnreadableCreationDateStopsTheRollOver)
{
    at(2024, 3, 20);
    const QByteArray bytes = writeActive(header(QStringLiteral("2024/!!/01"), QStringLiteral("2024/04/01"), 1, 31), 1);
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(period.CreatedMonth(), AccountingPeriod::notLoaded);
    EXPECT_EQ(period.CreatedDay(), AccountingPeriod::notLoaded);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("alice.rvl")));
    at(2024, 4, 2);
    period.CheckPeriodEnd();
    EXPECT_EQ(readBytes(file.filePath()), bytes);
}

TEST_F(AccountingPeriodTest, UnreadableNextPeriodDateKeepsRecordingWithoutRollOverAndIsToldOnce)
{
    at(2024, 3, 20);
    const QByteArray bytes = writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("next month"), 1, 31), 2);
    const SessionReload loaded = period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_TRUE(period.TodayInPeriod());
    EXPECT_EQ(loaded.nextFilePointer, 3);
    EXPECT_EQ(host.dayPeriod, QStringLiteral("Active user : 01 to 31 - alice -"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("alice.rvl")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("invalid date for its next period (next month)")));

    // Reloaded after every session: not told again, and months later still no roll-over.
    period.UserProfileInitial();
    at(2024, 6, 1);
    period.CheckPeriodEnd();
    period.UserProfileInitial();
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(readBytes(file.filePath()), bytes);
    EXPECT_FALSE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));

    // Another unreadable date in the file is news again.
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/13/01"), 1, 31), 2);
    period.UserProfileInitial();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("(2024/13/01)")));
}

} // namespace
