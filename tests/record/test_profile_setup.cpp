// "Create Personal File": the first-run name prompt with its refusals, and the days checked before the
// current file is touched.
#include "RecordFixture.h"

#include "record/PersonalAccountPrompt.h"
#include "record/ProfileSetup.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"

namespace {

class ProfileSetupTest : public RecordFixture
{
protected:
    void SetUp() override
    {
        RecordFixture::SetUp();
        file.setPersonalFileName(QString());
        at(2024, 3, 20);
    }

    void answers(std::initializer_list<std::optional<QString>> given)
    {
        for (const auto& answer : given)
            dialogs.inputAnswers.append(answer);
    }

    QString storedAccount() const
    {
        return settings.ReadIniFromReg(SettingNames::settingsKeyPath, SettingNames::personalAccount);
    }

    Settings storedSettings{settings};
    PersonalAccountPrompt prompt{file, dialogs, storedSettings};
    ProfileSetup setup{file, dialogs, prompt, period};
};

TEST_F(ProfileSetupTest, GivingUpOnTheNameLeavesTheWindowOpenAndCreatesNothing)
{
    for (const std::optional<QString>& answer : {std::optional<QString>(), std::optional<QString>(QString())}) {
        answers({answer});
        EXPECT_EQ(setup.confirmProfile(QStringLiteral("1"), QStringLiteral("31")).outcome,
                  ProfileSetup::Outcome::StayOpen);
    }
    EXPECT_EQ(dialogs.prompts.size(), 2);
    EXPECT_EQ(dialogs.prompts[0], QStringLiteral("For the first initial setting, Qov Ruvela v2.2.1 will create a new "
                                                 "personal file to store data.\n\nPlease input a new filename :"));
    EXPECT_TRUE(QDir(programDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    EXPECT_TRUE(settings.values.isEmpty());
    EXPECT_TRUE(file.PersonalFileName().isEmpty());
}

TEST_F(ProfileSetupTest, NamesWithForbiddenCharactersOrOfExistingFilesAreAskedAgain)
{
    writeBytes(programDir + QStringLiteral("taken.rvl"), "someone else's");
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : forbidden)
        answers({QStringLiteral("a") + c + QStringLiteral("b")});
    answers({QStringLiteral(".."), QStringLiteral("taken"), QStringLiteral("my.data")});

    QString result = QStringLiteral("unchanged");
    prompt.CreatePersonalAccount_IfNotFound(result);

    EXPECT_EQ(result, QStringLiteral("unchanged"));
    ASSERT_EQ(dialogs.messages.size(), forbidden.size() + 2);
    for (int i = 0; i < forbidden.size(); ++i) {
        EXPECT_EQ(dialogs.messages[i].kind, Dialogs::Kind::Error);
        EXPECT_EQ(dialogs.messages[i].text,
                  QStringLiteral("Filename may not include below characters.\n\\ / : * ? \" < > |"));
    }
    EXPECT_EQ(dialogs.messages.last().kind, Dialogs::Kind::Information);
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("File already exists. Please input a new filename"));
    EXPECT_EQ(dialogs.beeps, forbidden.size() + 1);
    EXPECT_EQ(file.PersonalFileName(), QStringLiteral("my.data.rvl"));
    EXPECT_EQ(file.PersonalName(), QStringLiteral("my.data"));
    EXPECT_EQ(file.BackupDirName(), QStringLiteral("my.data/"));
    EXPECT_EQ(storedAccount(), QStringLiteral("my.data.rvl"));
    EXPECT_EQ(readBytes(programDir + QStringLiteral("taken.rvl")), QByteArray("someone else's"));

    // With the file in place the prompt does not appear again.
    writeBytes(file.filePath(), "");
    prompt.CreatePersonalAccount_IfNotFound(result);
    EXPECT_EQ(dialogs.prompts.size(), forbidden.size() + 3);
}

TEST_F(ProfileSetupTest, FirstRunCreatesTheFileWithTheChosenDays)
{
    answers({QStringLiteral("alice")});
    EXPECT_EQ(setup.confirmProfile(QStringLiteral("10"), QStringLiteral("20")).outcome, ProfileSetup::Outcome::Close);
    const ProfileRecord head = headerOnDisk(file.filePath());
    EXPECT_EQ(readBytes(file.filePath()).size(), 104);
    EXPECT_EQ(head.StartingDay, 10);
    EXPECT_EQ(head.EndingDay, 20);
    EXPECT_EQ(head.CreatedDate, QStringLiteral("2024/03/20"));
    EXPECT_EQ(head.NextPeriodDate, QStringLiteral("2024/04/10"));
    EXPECT_EQ(storedAccount(), QStringLiteral("alice.rvl"));
    EXPECT_TRUE(period.PersonalFileActive());
    EXPECT_EQ(host.dayPeriod, QStringLiteral("Active user : 10 to 20 - alice - "));
    EXPECT_EQ(host.statusLine, QStringLiteral("Created a new personal file."));
    EXPECT_TRUE(QFileInfo(backupDir()).isDir());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ProfileSetupTest, DaysAreRefusedBeforeTheCurrentFileIsMoved)
{
    file.setPersonalFileName(QStringLiteral("alice.rvl"));
    const QByteArray current =
        writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 2);
    struct Case
    {
        const char* starting;
        const char* ending;
        QString says;
    };
    const QList<Case> cases = {
        {"5", "05", ProfileSetup::sameDayMessage},          {"12", "12", ProfileSetup::sameDayMessage},
        {"", "31", ProfileSetup::emptyDayMessage},          {"1", " ", ProfileSetup::emptyDayMessage},
        {"0", "31", ProfileSetup::badStartingDayMessage},   {"29", "31", ProfileSetup::badStartingDayMessage},
        {"1.5", "31", ProfileSetup::badStartingDayMessage}, {"ten", "31", ProfileSetup::badStartingDayMessage},
        {"1", "32", ProfileSetup::badEndingDayMessage},     {"1", "-31", ProfileSetup::badEndingDayMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.starting) + " / " + c.ending);
        dialogs.messages.clear();
        EXPECT_EQ(setup.confirmProfile(QString::fromLatin1(c.starting), QString::fromLatin1(c.ending)).outcome,
                  ProfileSetup::Outcome::StayOpen);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
        EXPECT_EQ(dialogs.messages[0].text, c.says);
    }
    EXPECT_EQ(readBytes(file.filePath()), current);
    EXPECT_FALSE(QFileInfo::exists(backupDir()));
    EXPECT_TRUE(dialogs.prompts.isEmpty());

    // Accepted days archive the current file with its sessions and start a new one, once the user says Yes.
    dialogs.confirmAnswers = {true};
    EXPECT_EQ(setup.confirmProfile(QStringLiteral("05"), QStringLiteral("4")).outcome, ProfileSetup::Outcome::Close);
    EXPECT_EQ(readBytes(backupDir() + QStringLiteral("1.rvl")), current);
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 5);
    EXPECT_EQ(readBytes(file.filePath()).size(), 104);
}

TEST_F(ProfileSetupTest, ArchivingAPeriodWithSessionsIsAskedFirstNoKeepingIt)
{
    file.setPersonalFileName(QStringLiteral("alice.rvl"));
    const QByteArray current =
        writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 2);
    EXPECT_EQ(setup.confirmProfile(QStringLiteral("10"), QStringLiteral("20")).outcome,
              ProfileSetup::Outcome::StayOpen);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("2 sessions recorded in alice.rvl")))
        << qPrintable(dialogs.questions[0]);
    EXPECT_EQ(readBytes(file.filePath()), current);
    EXPECT_FALSE(QFileInfo::exists(backupDir()));

    // A period without sessions has nothing to lose: no question.
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 0);
    EXPECT_EQ(setup.confirmProfile(QStringLiteral("10"), QStringLiteral("20")).outcome, ProfileSetup::Outcome::Close);
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 10);
}

TEST_F(ProfileSetupTest, AFailedArchiveKeepsTheCurrentFile)
{
    file.setPersonalFileName(QStringLiteral("alice.rvl"));
    const QByteArray current =
        writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/01"), 1, 31), 2);
    writeBytes(programDir + QStringLiteral("alice"), "in the way");
    dialogs.confirmAnswers = {true};
    EXPECT_EQ(setup.confirmProfile(QStringLiteral("10"), QStringLiteral("20")).outcome, ProfileSetup::Outcome::Close);
    EXPECT_EQ(readBytes(file.filePath()), current);
    EXPECT_EQ(host.statusLine, QStringLiteral("Failing to create a new personal file."));
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(ProfileSetupTest, TheWindowShowsTheCurrentDaysOrReportsDamagedOnes)
{
    const ProfileSetup::Shown none = setup.FormCreate();
    EXPECT_EQ(none.startingDay, QStringLiteral("1"));
    EXPECT_EQ(none.endingDay, QStringLiteral("31"));
    EXPECT_EQ(none.activeUser, QStringLiteral("Active User : none"));

    file.setPersonalFileName(QStringLiteral("alice.rvl"));
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/05"), 5, 4));
    const ProfileSetup::Shown current = setup.FormCreate();
    EXPECT_EQ(current.startingDay, QStringLiteral("5"));
    EXPECT_EQ(current.endingDay, QStringLiteral("4"));
    EXPECT_EQ(current.activeUser, QStringLiteral("Active User : 5 to 4 - alice -"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/05"), 30, 4));
    const ProfileSetup::Shown damaged = setup.FormCreate();
    EXPECT_EQ(damaged.startingDay, QStringLiteral("1"));
    EXPECT_EQ(damaged.activeUser, QStringLiteral("Active User : corrupted file found"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(
        dialogs.messages[0].text,
        QStringLiteral("Unexpected error, wrong Starting day was loaded. Please try to close the \"Create Personal "
                       "File\" screen and open it again. If the problem is still exist, alice.rvl is corrupted. "
                       "You have to create a new one."));
}

} // namespace
