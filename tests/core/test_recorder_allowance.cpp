// The allowance in the recording core, on the test clock: the thresholds warn once each in a session, not
// again after a restart, again in the next period and afresh for a changed allowance; time and data warn
// apart; the warning reaches the alert window, the sound and, when chosen, the desktop's notifications,
// and a bad stored value is ignored with a word on the status line.
#include "core/Recorder.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "settings/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class AllowanceRecorderTest : public ::testing::Test
{
protected:
    AllowanceRecorderTest()
    {
        QFile sound(tp.programDir() + QStringLiteral("alertB.wav"));
        sound.open(QIODevice::WriteOnly);
        sound.write("RIFF");
        store(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
        tp.dialUp->system().entries = {home};
        tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    }

    void store(const QString& name, const QString& value)
    {
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, name, value);
    }

    // A personal file for the period from `created` to the day before `next`.
    void newFile(const QDate& created, const QDate& next)
    {
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        ASSERT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(created),
                                         StoredDate::dateText(next), 1, 31, QString(), QString(), 0, 0));
    }

    // The program starts: a new core reads the settings and the file.
    void startProgram()
    {
        recorder = std::make_unique<Recorder>(tp.platform, tp.programDir(), QStringList{tp.programDir()});
        alerts = std::make_unique<QSignalSpy>(recorder.get(), &Recorder::allowanceAlert);
        recorder->load();
        recorder->start();
    }

    void online()
    {
        tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0, {}}};
        recorder->PollConnections();
    }

    void offline()
    {
        tp.dialUp->system().connections.clear();
        recorder->PollConnections();
        tickFor(1);
    }

    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder->MainTimerTimer();
        }
    }

    QStringList alertTexts() const
    {
        QStringList texts;
        for (const QList<QVariant>& alert : *alerts)
            texts.append(alert[0].toString());
        return texts;
    }

    void setHours(int hours, bool notify = false)
    {
        AllowanceSettings a;
        a.hours = hours;
        a.notifyDesktop = notify;
        recorder->setAllowance(a);
    }

    TestPlatform tp;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<QSignalSpy> alerts;
};

TEST_F(AllowanceRecorderTest, EightyAndOneHundredPercentWarnOnceEachInOneSession)
{
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    setHours(1, true);
    online();
    tickFor(47 * 60 + 58);
    EXPECT_EQ(alerts->count(), 0) << "before 48 minutes of the hour";
    tickFor(3);
    ASSERT_EQ(alerts->count(), 1);
    EXPECT_EQ(alertTexts()[0], QStringLiteral("80 % of the allowance used\r\n\r\n"
                                              "Time online: 0:48 h of 1 h used, 0:12 h left"));
    EXPECT_EQ(tp.sound->played.size(), 1) << "the alert's sound";
    tickFor(12 * 60);
    ASSERT_EQ(alerts->count(), 2);
    EXPECT_TRUE(alertTexts()[1].startsWith(QStringLiteral("100 % of the allowance used")))
        << qPrintable(alertTexts()[1]);
    EXPECT_TRUE(alertTexts()[1].endsWith(QStringLiteral("1:00 h of 1 h used, 0:00 h left")))
        << qPrintable(alertTexts()[1]);
    tickFor(60 * 60);
    EXPECT_EQ(alerts->count(), 2) << "no threshold is left to warn of, however far the use goes";

    ASSERT_EQ(tp.notifications->sent.size(), 2);
    EXPECT_EQ(tp.notifications->sent[0].summary, QStringLiteral("80 % of the allowance used"));
    EXPECT_TRUE(
        tp.notifications->sent[0].body.startsWith(QStringLiteral("Time online: 0:48 h of 1 h used, 0:12 h left\n")))
        << qPrintable(tp.notifications->sent[0].body);
}

TEST_F(AllowanceRecorderTest, ARestartDoesNotWarnAgainOfAThresholdPassedThisPeriod)
{
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    setHours(1);
    online();
    tickFor(50 * 60 + 1); // the first tick online opens the session
    ASSERT_EQ(alerts->count(), 1);
    recorder->finish();

    tp.clock->advance(3600);
    startProgram();
    EXPECT_EQ(recorder->allowance().figures().seconds, 50 * 60) << "the file's session counts at load";
    online();
    tickFor(9 * 60);
    EXPECT_EQ(alerts->count(), 0) << "80 % was warned of before the restart";
    tickFor(62);
    ASSERT_EQ(alerts->count(), 1);
    EXPECT_TRUE(alertTexts()[0].startsWith(QStringLiteral("100 %")));
}

TEST_F(AllowanceRecorderTest, TheNextPeriodArmsEveryThresholdAgain)
{
    tp.clock->set(QDateTime(QDate(2024, 3, 20), QTime(22, 0)));
    newFile(QDate(2024, 3, 20), QDate(2024, 3, 21));
    startProgram();
    setHours(1);
    online();
    tickFor(50 * 60);
    ASSERT_EQ(alerts->count(), 1);
    offline();
    EXPECT_TRUE(recorder->settings().allowanceWarned().startsWith(QStringLiteral("2024/03/20;")));

    tp.clock->set(QDateTime(QDate(2024, 3, 21), QTime(8, 0)));
    tickFor(2); // the roll-over into a new file
    EXPECT_EQ(recorder->allowance().figures().seconds, 0) << "the new period starts from nothing";
    online();
    tickFor(50 * 60);
    ASSERT_EQ(alerts->count(), 2);
    EXPECT_TRUE(alertTexts()[1].startsWith(QStringLiteral("80 %")));
    EXPECT_TRUE(recorder->settings().allowanceWarned().startsWith(QStringLiteral("2024/03/21;")));
}

TEST_F(AllowanceRecorderTest, AChangedAllowanceWarnsOfItsOwnThresholds)
{
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    setHours(1);
    online();
    tickFor(50 * 60);
    ASSERT_EQ(alerts->count(), 1);
    setHours(2);
    tickFor(45 * 60);
    EXPECT_EQ(alerts->count(), 1) << "95 minutes are less than 80 % of two hours";
    tickFor(2 * 60);
    ASSERT_EQ(alerts->count(), 2);
    EXPECT_TRUE(alertTexts()[1].contains(QStringLiteral("of 2 h used"))) << qPrintable(alertTexts()[1]);

    // Back to one hour: its 80 % was warned of already, its 100 % was not.
    setHours(1);
    tickFor(1);
    ASSERT_EQ(alerts->count(), 3);
    EXPECT_TRUE(alertTexts()[2].startsWith(QStringLiteral("161 %"))) << "the share used, as the Main tab shows it";
    EXPECT_TRUE(alertTexts()[2].contains(QStringLiteral("of 1 h used, 0:37 h over"))) << qPrintable(alertTexts()[2]);
}

TEST_F(AllowanceRecorderTest, TimeAndDataWarnEachOfTheirOwnThresholds)
{
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    AllowanceSettings a;
    a.hours = 10;
    a.bytes = 10 * AllowanceSettings::bytesPerMB;
    recorder->setAllowance(a);
    online();
    tickFor(5);
    tp.interfaces->move(6, 7 * 1024 * 1024, 1024 * 1024 / 2);
    tickFor(1);
    EXPECT_EQ(alerts->count(), 0) << "7.5 MB of 10 MB";
    tp.interfaces->move(6, 1024 * 1024 / 2, 0);
    tickFor(1);
    ASSERT_EQ(alerts->count(), 1);
    EXPECT_EQ(alertTexts()[0], QStringLiteral("80 % of the allowance used\r\n\r\n"
                                              "Data: 8.00 MB of 10.00 MB used, 2.00 MB left"));
    tickFor(8 * 3600);
    ASSERT_EQ(alerts->count(), 2) << "80 % of the time";
    EXPECT_TRUE(alertTexts()[1].contains(QStringLiteral("Time online: 8:00 h of 10 h used")))
        << qPrintable(alertTexts()[1]);
    EXPECT_EQ(recorder->allowanceStatus().sharePercent(), 80);
}

TEST_F(AllowanceRecorderTest, WithoutANotificationServiceTheAlertWindowComesAloneAndNoBox)
{
    tp.notifications->running = false;
    store(SettingNames::alertNoSound, QStringLiteral("1"));
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    setHours(1, true);
    online();
    tickFor(60 * 60 + 1);
    EXPECT_EQ(alerts->count(), 2);
    EXPECT_TRUE(tp.notifications->sent.isEmpty());
    EXPECT_TRUE(tp.dialogs->messages.isEmpty());
    EXPECT_TRUE(tp.sound->played.isEmpty()) << "\"Do not play sound\" holds for these warnings too";
}

TEST_F(AllowanceRecorderTest, BadStoredValuesAreIgnoredWithAWordOnTheStatusLine)
{
    store(SettingNames::allowanceHours, QStringLiteral("many"));
    store(SettingNames::allowanceBytes, QStringLiteral("-5"));
    store(SettingNames::allowanceThresholds, QStringLiteral("80, 900"));
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    const AllowanceSettings& a = recorder->settings().allowance();
    EXPECT_FALSE(a.isSet());
    EXPECT_EQ(a.thresholds, (QList<int>{80, 100}));
    const QString status = recorder->statusLine();
    EXPECT_TRUE(status.contains(QStringLiteral("\"AllowanceHours\" (\"many\") is ignored"))) << qPrintable(status);
    EXPECT_TRUE(status.contains(QStringLiteral("\"AllowanceBytes\""))) << qPrintable(status);
    EXPECT_TRUE(status.contains(QStringLiteral("\"900\" is not a percentage from 1 to 100"))) << qPrintable(status);
    online();
    tickFor(3 * 3600);
    EXPECT_EQ(alerts->count(), 0);
}

TEST_F(AllowanceRecorderTest, TodaysTimeStartsAfreshAtMidnightWhileThePeriodGoesOn)
{
    tp.clock->set(QDateTime(QDate(2024, 3, 20), QTime(23, 0)));
    newFile(QDate(2024, 3, 20), QDate(2024, 4, 1));
    startProgram();
    online();
    tickFor(90 * 60 + 1);
    const UsageFigures& f = recorder->allowance().figures();
    EXPECT_EQ(f.seconds, 90 * 60);
    EXPECT_EQ(f.todaySeconds, 30 * 60 + 1) << "from midnight to 00:30:01";
    offline();
    startProgram(); // the per-day history of the file gives the same split
    EXPECT_EQ(recorder->allowance().figures().todaySeconds / 60, 30);
    EXPECT_EQ(recorder->allowance().figures().seconds / 60, 90);
}

} // namespace
