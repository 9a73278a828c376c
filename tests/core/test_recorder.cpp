// The recording core without any window: an hour online raises the alert the settings ask for, with the
// session's bytes, and a setting changed mid-session counts from the next alert on.
#include "core/Recorder.h"
#include "record/PeriodRules.h"
#include "record/StoredDate.h"
#include "shell/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class RecorderTest : public ::testing::Test
{
protected:
    RecorderTest()
    {
        QFile sound(tp.programDir() + QStringLiteral("alertB.wav"));
        sound.open(QIODevice::WriteOnly);
        sound.write("RIFF");
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount,
                                            QStringLiteral("jane.rvl"));
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        const QDate today = tp.clock->now().date();
        file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                             PeriodRules::nextPeriodDate(today, 1), 1, 31, QString(), QString(), 0, 0);
        tp.dialUp->system().entries = {home};
        recorder.load();
        recorder.start();
    }

    void online()
    {
        tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0}};
        recorder.PollConnections();
    }

    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder.MainTimerTimer();
        }
    }

    TestPlatform tp;
    Recorder recorder{tp.platform, tp.programDir(), {tp.programDir()}};
};

TEST_F(RecorderTest, TheHourlyAlertFollowsTheSettingsObjectNotTheWindows)
{
    recorder.settings().setSixtyMinsToAlert(true);
    recorder.settings().setAlertPos(QStringLiteral("Upper Left"));
    QSignalSpy alerts(&recorder, &Recorder::hourlyAlert);
    online();
    tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    tickFor(59 * 60);
    EXPECT_EQ(alerts.count(), 0);
    tp.interfaces->move(6, 3000, 1500);
    tickFor(2 * 60);
    ASSERT_EQ(alerts.count(), 1);
    const QString message = alerts[0][0].toString();
    EXPECT_TRUE(message.startsWith(QStringLiteral("1 hour")));
    EXPECT_TRUE(message.contains(QStringLiteral("Downloaded Bytes: 2.93 KB"))) << qPrintable(message);
    EXPECT_TRUE(message.endsWith(QStringLiteral("Uploaded Bytes: 1.46 KB"))) << qPrintable(message);
    EXPECT_EQ(alerts[0][2].value<AlertCorner>(), AlertCorner::UpperLeft);
    EXPECT_EQ(tp.sound->played.size(), 1);

    // Switched off mid-session: the next hour passes silently, and the choice is kept in the settings file.
    recorder.settings().setAlertNoSound(true);
    tickFor(60 * 60);
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_EQ(tp.sound->played.size(), 1);
    EXPECT_EQ(tp.platform.settings->ReadIniFromReg(SettingNames::settingsKeyPath, SettingNames::alertNoSound),
              QStringLiteral("1"));
}

} // namespace
