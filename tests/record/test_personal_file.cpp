// The 104-byte record on disk, and writing, counting and reading records of the personal file.
#include "RecordFixture.h"

namespace {

// The record laid out by hand, one field at a time, as the file format defines it.
QByteArray handBuiltSession()
{
    QByteArray r(104, '\0');
    auto counted = [&r](int offset, const char* text) {
        const int length = int(qstrlen(text));
        r[offset] = char(length);
        for (int i = 0; i < length; ++i)
            r[offset + 1 + i] = text[i];
    };
    auto int32 = [&r](int offset, quint32 value) {
        r[offset] = char(value & 0xFF);
        r[offset + 1] = char((value >> 8) & 0xFF);
        r[offset + 2] = char((value >> 16) & 0xFF);
        r[offset + 3] = char((value >> 24) & 0xFF);
    };
    counted(0, "[UserProfile]");
    int32(40, 0xFFFFFFF0u); // bytes received near the 32-bit limit
    int32(44, 0x01020304u);
    counted(48, "2024/03/05, 09:07:41 pm");
    counted(74, "2024/03/05, 11:59:59 pm");
    int32(100, 172);
    return r;
}

using PersonalFileTest = RecordFixture;

TEST_F(PersonalFileTest, SessionRecordIsWrittenByteForByteAsLaidOutAndReadsBack)
{
    const QByteArray head = writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31));
    ASSERT_TRUE(file.SaveProfileInfo(
        ProfileRecord::UserProfileTag, false, QString(), QString(), static_cast<qint32>(0xFFFFFFF0u), 0x01020304,
        QStringLiteral("2024/03/05, 09:07:41 pm"), QStringLiteral("2024/03/05, 11:59:59 pm"), 172, 1));

    const QByteArray onDisk = readBytes(file.filePath());
    ASSERT_EQ(onDisk.size(), 208);
    EXPECT_EQ(onDisk.left(104), head);
    EXPECT_EQ(onDisk.mid(104), handBuiltSession());

    const auto records = PersonalFile::readRecords(file.filePath());
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2);
    const ProfileRecord& s = records->at(1);
    EXPECT_TRUE(s.hasUserProfileTag());
    EXPECT_EQ(s.BytesReceived(), 0xFFFFFFF0u);
    EXPECT_EQ(s.BytesSent(), 0x01020304u);
    EXPECT_EQ(s.StartText, QStringLiteral("2024/03/05, 09:07:41 pm"));
    EXPECT_EQ(s.EndText, QStringLiteral("2024/03/05, 11:59:59 pm"));
    EXPECT_EQ(s.UsedMinutes, 172);
    EXPECT_EQ(records->at(0).NextPeriodDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(ProfileRecord::fromBytes(handBuiltSession()), s);
}

TEST_F(PersonalFileTest, CountedStringsAreCutWhenWrittenAndNeverReadPastTheirField)
{
    ProfileRecord r = header(QStringLiteral("2024/03/01xyz"), QStringLiteral("2024/04/01"), 1, 31);
    r.Tag = QStringLiteral("[UserProfile]-and-more");
    const QByteArray bytes = r.toBytes();
    EXPECT_EQ(quint8(bytes[0]), 17);
    EXPECT_EQ(quint8(bytes[18]), 10);
    const ProfileRecord back = *ProfileRecord::fromBytes(bytes);
    EXPECT_EQ(back.Tag, QStringLiteral("[UserProfile]-and"));
    EXPECT_FALSE(back.hasUserProfileTag());
    EXPECT_EQ(back.CreatedDate, QStringLiteral("2024/03/01"));

    // A damaged length byte: read as the field's capacity, the next field is untouched.
    QByteArray damaged = r.toBytes();
    damaged[18] = char(200);
    damaged[48] = char(255);
    const ProfileRecord mended = *ProfileRecord::fromBytes(damaged);
    EXPECT_EQ(mended.CreatedDate, QStringLiteral("2024/03/01"));
    EXPECT_EQ(mended.NextPeriodDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(mended.StartText.size(), 25);
    EXPECT_FALSE(ProfileRecord::fromBytes(damaged.left(103)));
}

TEST_F(PersonalFileTest, OnlyWholeRecordsCountAndTheNextWriteReplacesAPartialTail)
{
    const QByteArray head = writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31));
    writeBytes(file.filePath(), head + QByteArray(50, 'x'));
    EXPECT_EQ(file.GetNextPointerOnmrLogFile(), 1);

    ASSERT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(), 1, 2,
                                     QStringLiteral("2024/03/05, 09:00:00 am"),
                                     QStringLiteral("2024/03/05, 09:00:00 am"), 0, 1));
    const QByteArray onDisk = readBytes(file.filePath());
    EXPECT_EQ(onDisk.size(), 208);
    EXPECT_EQ(onDisk.left(104), head);
    EXPECT_EQ(file.GetNextPointerOnmrLogFile(), 2);
    EXPECT_EQ(PersonalFile::readRecords(file.filePath())->size(), 2);
}

TEST_F(PersonalFileTest, RewritingARecordKeepsTheRestOfTheFile)
{
    const QByteArray before = writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 3);
    ASSERT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(), 9, 9,
                                     QStringLiteral("x"), QStringLiteral("y"), 5, 2));
    const QByteArray after = readBytes(file.filePath());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(208), before.left(208));
    EXPECT_EQ(after.mid(312), before.mid(312));
    EXPECT_EQ(ProfileRecord::fromBytes(after.mid(208))->UsedMinutes, 5);
}

TEST_F(PersonalFileTest, AMissingFileIsReportedOnTheStatusLineAndNotCreatedBySessionWrites)
{
    at(2024, 3, 5, 0, 5, 9);
    EXPECT_FALSE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, false, QString(), QString(), 0, 0,
                                      QStringLiteral("a"), QStringLiteral("b"), 0, 1));
    EXPECT_FALSE(QFileInfo::exists(file.filePath()));
    EXPECT_EQ(host.statusLine, QStringLiteral("Could not open the personal file alice.rvl; 1 session record is "
                                              "waiting to be written. 12:05:09 am"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(PersonalFileTest, AFailedCreationIsShownInAnErrorBoxWhileFileErrorShowingIsSet)
{
    writeBytes(programDir + QStringLiteral("blocked"), "not a folder");
    PersonalFile blocked(programDir + QStringLiteral("blocked/"), clock, dialogs);
    blocked.setPersonalFileName(QStringLiteral("alice.rvl"));

    EXPECT_FALSE(blocked.SaveProfileInfo(ProfileRecord::UserProfileTag, true, QStringLiteral("2024/03/20"),
                                         QStringLiteral("2024/04/01"), 1, 31, QString(), QString(), 0, 0));
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(
        dialogs.messages[0].text.startsWith(QStringLiteral("Could not write the personal file alice.rvl.\nError # ")));
    EXPECT_TRUE(blocked.FileErrorShowing());
    // A second failure while the box is open opens no second box.
    EXPECT_FALSE(blocked.SaveProfileInfo(ProfileRecord::UserProfileTag, true, QStringLiteral("2024/03/20"),
                                         QStringLiteral("2024/04/01"), 1, 31, QString(), QString(), 0, 0));
    EXPECT_EQ(dialogs.messages.size(), 1);
    dialogs.closeAllBoxes();
    EXPECT_FALSE(blocked.FileErrorShowing());

    // With the create flag and a missing file the file is made.
    EXPECT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, QStringLiteral("2024/03/20"),
                                     QStringLiteral("2024/04/01"), 1, 31, QString(), QString(), 0, 0));
    EXPECT_EQ(readBytes(file.filePath()).size(), 104);
}

TEST_F(PersonalFileTest, HeaderReadTellsMissingShortAndForeignFilesApart)
{
    using Status = PersonalFile::HeaderRead::Status;
    EXPECT_EQ(file.readHeader().status, Status::Missing);
    writeBytes(file.filePath(), QByteArray());
    EXPECT_EQ(file.readHeader().status, Status::TooShort);
    writeBytes(file.filePath(), QByteArray(60, 'a'));
    EXPECT_EQ(file.readHeader().status, Status::TooShort);

    ProfileRecord foreign = header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31);
    foreign.Tag = QStringLiteral("[UserProfile ");
    writeBytes(file.filePath(), foreign.toBytes());
    EXPECT_EQ(file.readHeader().status, Status::WrongTag);
    foreign.Tag = QStringLiteral("[UserProfile]x");
    writeBytes(file.filePath(), foreign.toBytes());
    EXPECT_EQ(file.readHeader().status, Status::WrongTag);

    const ProfileRecord good = header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 10, 20);
    writeBytes(file.filePath(), good.toBytes());
    const PersonalFile::HeaderRead read = file.readHeader();
    EXPECT_EQ(read.status, Status::Ok);
    EXPECT_EQ(read.record, good);
}

} // namespace
