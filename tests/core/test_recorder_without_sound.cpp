// The recording core with the real sound backend where no sound server runs and no sound card can be used
// (the test's environment says so): every hourly alert says once, and only once, that its sound cannot play.
#include "alert/AlertSound.h"
#include "core/Recorder.h"
#include "platform/linux/CanberraSound.h"
#include "record/PeriodRules.h"
#include "record/StoredDate.h"
#include "settings/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(RecorderWithoutSound, EachHourlyAlertSaysOnceThatItsSoundCannotPlay)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER")) << "run through ctest: no sound server is set up";
    TestPlatform tp;
    tp.platform.sound = std::make_unique<CanberraSound>(QStringLiteral("Qov Ruvela test"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QOV_ALERT_SOUND), tp.programDir() + QStringLiteral("alertB.wav")));
    tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount,
                                        QStringLiteral("jane.rvl"));
    PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
    file.setPersonalFileName(QStringLiteral("jane.rvl"));
    const QDate today = tp.clock->now().date();
    file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                         PeriodRules::nextPeriodDate(today, 1), 1, 31, QString(), QString(), 0, 0);
    tp.dialUp->system().entries = {QStringLiteral("Home ISP")};

    Settings settings(*tp.platform.settings);
    Recorder recorder(tp.platform, settings, tp.programDir(), {tp.programDir()});
    recorder.load();
    recorder.start();
    settings.setSixtyMinsToAlert(true);
    QSignalSpy alerts(&recorder, &Recorder::hourlyAlert);
    QSignalSpy warnings(&recorder, &Recorder::soundWarning);
    tp.dialUp->system().connections = {
        {SimulationFile::handleOf(QStringLiteral("Home ISP")), QStringLiteral("Home ISP"), RasState::Connected, 0}};
    recorder.PollConnections();
    const auto tickFor = [&](int seconds) {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder.MainTimerTimer();
        }
    };
    tickFor(61 * 60);
    ASSERT_EQ(alerts.count(), 1);
    ASSERT_EQ(warnings.count(), 1);
    EXPECT_EQ(warnings[0][0].toString(), AlertSound::cannotPlayText);
    tickFor(60 * 60);
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_EQ(warnings.count(), 2);
}

} // namespace
