// The "Create Personal File" window on the offscreen platform: its texts, and OK closing it only once a new
// file was started.
#include "tests/gui/FindChild.h"
#include "tests/record/RecordFixture.h"

#include "gui/main/TProfile.h"
#include "record/PersonalAccountPrompt.h"
#include "record/ProfileSetup.h"
#include "settings/Settings.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class TProfileTest : public RecordFixture
{
protected:
    Settings storedSettings{settings};
    PersonalAccountPrompt prompt{file, dialogs, storedSettings};
    ProfileSetup setup{file, dialogs, prompt, period};
    TProfile::Confirm confirm = [this](const QString& startingDay, const QString& endingDay) {
        return setup.confirmProfile(startingDay, endingDay).outcome;
    };
};

TEST_F(TProfileTest, OpensWithTheCurrentDaysAndClosesAfterANewFile)
{
    at(2024, 3, 20);
    writeActive(header(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/15"), 15, 14), 1);
    TProfile window(setup.FormCreate(), confirm);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Create Personal File"));
    EXPECT_TRUE(child<QLabel>(window, "lblInformation")->text().startsWith(QStringLiteral("Ruvela is a program")));
    EXPECT_EQ(child<QComboBox>(window, "cbStartingDay")->count(), 28);
    EXPECT_EQ(child<QComboBox>(window, "cbEndingDay")->count(), 31);
    EXPECT_EQ(child<QComboBox>(window, "cbStartingDay")->currentText(), QStringLiteral("15"));
    EXPECT_EQ(child<QComboBox>(window, "cbEndingDay")->currentText(), QStringLiteral("14"));
    EXPECT_EQ(child<QLabel>(window, "lblActiveUser")->text(), QStringLiteral("Active User : 15 to 14 - alice -"));

    window.show();
    child<QComboBox>(window, "cbEndingDay")->setCurrentText(QStringLiteral("015"));
    QTest::mouseClick(child<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, ProfileSetup::sameDayMessage);

    child<QComboBox>(window, "cbStartingDay")->setCurrentText(QStringLiteral("1"));
    child<QComboBox>(window, "cbEndingDay")->setCurrentText(QStringLiteral("31"));
    // The period's session would go to the backup folder: No keeps the window and the file.
    QTest::mouseClick(child<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 15);
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(child<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(headerOnDisk(file.filePath()).StartingDay, 1);
    EXPECT_TRUE(QFileInfo::exists(backupDir() + QStringLiteral("1.rvl")));
}

TEST_F(TProfileTest, CancelClosesWithoutTouchingTheFile)
{
    file.setPersonalFileName(QString());
    TProfile window(setup.FormCreate(), confirm);
    EXPECT_EQ(child<QComboBox>(window, "cbStartingDay")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(child<QComboBox>(window, "cbEndingDay")->currentText(), QStringLiteral("31"));
    EXPECT_EQ(child<QLabel>(window, "lblActiveUser")->text(), QStringLiteral("Active User : none"));
    window.show();
    QTest::mouseClick(child<QPushButton>(window, "btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_TRUE(QDir(programDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

} // namespace
