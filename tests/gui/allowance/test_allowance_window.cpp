// The allowance in the windows, on the offscreen platform: the Settings tab refuses what cannot be an
// allowance with a box and stores nothing, the Main tab's line and bar and the tray's tooltip show the
// period's figures, and a threshold slides in the program's own alert window.
#include "core/Recorder.h"
#include "gui/alert/HourlyAlert.h"
#include "gui/alert/TAlertOut.h"
#include "gui/main/MainTab.h"
#include "gui/main/TfrmMain.h"
#include "gui/settings/SettingsTab.h"
#include "record/PeriodRules.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class AllowanceWindowTest : public ::testing::Test
{
protected:
    AllowanceWindowTest()
    {
        store(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
        store(SettingNames::alertNoSound, QStringLiteral("1"));
        store(SettingNames::inTray, QStringLiteral("1"));
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        const QDate today = tp.clock->now().date();
        file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                             PeriodRules::nextPeriodDate(today, 1), 1, 31, QString(), QString(), 0, 0);
        tp.dialUp->system().entries = {home};
    }

    void store(const QString& name, const QString& value)
    {
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, name, value);
    }
    QString stored(const QString& name) const
    {
        return tp.platform.settings->ReadIniFromReg(SettingNames::settingsKeyPath, name);
    }

    void start()
    {
        settings = std::make_unique<Settings>(*tp.platform.settings);
        recorder = std::make_unique<Recorder>(tp.platform, *settings, tp.programDir(), QStringList{tp.programDir()});
        recorder->load();
        window = std::make_unique<TfrmMain>(tp.platform, *recorder, *settings);
        window->hourlyAlert().setSlidePause([] {});
        recorder->start();
    }

    // Types into the group and presses "Apply"; the text of the box it raised, if any.
    QString apply(const QString& hours, const QString& data, const QString& unit, const QString& warnAt)
    {
        SettingsTab* t = child<SettingsTab>(*window, "tabSettings");
        child<QLineEdit>(*t, "edAllowanceHours")->setText(hours);
        child<QLineEdit>(*t, "edAllowanceData")->setText(data);
        child<QComboBox>(*t, "cbAllowanceUnit")->setCurrentText(unit);
        child<QLineEdit>(*t, "edAllowanceWarnAt")->setText(warnAt);
        const qsizetype before = tp.dialogs->messages.size();
        child<QPushButton>(*t, "btnAllowanceApply")->click();
        return tp.dialogs->messages.size() > before ? tp.dialogs->messages.last().text : QString();
    }

    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder->MainTimerTimer();
        }
    }

    TestPlatform tp;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(AllowanceWindowTest, TheSettingsTabRefusesWhatCannotBeAnAllowanceAndStoresNothing)
{
    start();
    EXPECT_EQ(child<QLineEdit>(*window, "edAllowanceWarnAt")->text(), QStringLiteral("80, 100"));
    EXPECT_EQ(apply(QStringLiteral("-5"), {}, QStringLiteral("GB"), QStringLiteral("80, 100")),
              QStringLiteral("The time allowance must be at least 1 hour; leave it empty for no time allowance."));
    EXPECT_EQ(apply(QStringLiteral("ten"), {}, QStringLiteral("GB"), QStringLiteral("80")),
              QStringLiteral("\"ten\" is not a whole number of hours."));
    EXPECT_EQ(apply({}, QStringLiteral("0"), QStringLiteral("GB"), QStringLiteral("80")),
              QStringLiteral("The data allowance must be more than 0; leave it empty for no data allowance."));
    EXPECT_EQ(apply({}, QStringLiteral("5000000"), QStringLiteral("GB"), QStringLiteral("80")),
              QStringLiteral("The data allowance cannot be more than 100000 GB."));
    EXPECT_EQ(apply(QStringLiteral("30"), {}, QStringLiteral("GB"), QStringLiteral("80, 150")),
              QStringLiteral("\"150\" is not a percentage from 1 to 100."));
    EXPECT_EQ(tp.dialogs->beeps, 5);
    EXPECT_TRUE(stored(SettingNames::allowanceHours).isEmpty()) << "a refused value is not stored";
    EXPECT_FALSE(recorder->settings().allowance().isSet());

    EXPECT_EQ(apply(QStringLiteral("30"), QStringLiteral("1.5"), QStringLiteral("GB"), QStringLiteral("100 90")),
              QString());
    EXPECT_EQ(stored(SettingNames::allowanceHours), QStringLiteral("30"));
    EXPECT_EQ(stored(SettingNames::allowanceBytes), QString::number(1536LL * 1024 * 1024));
    EXPECT_EQ(stored(SettingNames::allowanceThresholds), QStringLiteral("90 100"));
    EXPECT_EQ(child<QLineEdit>(*window, "edAllowanceWarnAt")->text(), QStringLiteral("90, 100")) << "shown as stored";

    // The next start shows what was stored.
    window.reset();
    start();
    EXPECT_EQ(child<QLineEdit>(*window, "edAllowanceHours")->text(), QStringLiteral("30"));
    EXPECT_EQ(child<QLineEdit>(*window, "edAllowanceData")->text(), QStringLiteral("1.5"));
    EXPECT_EQ(child<QComboBox>(*window, "cbAllowanceUnit")->currentText(), QStringLiteral("GB"));
    EXPECT_EQ(child<QLineEdit>(*window, "edAllowanceWarnAt")->text(), QStringLiteral("90, 100"));
}

TEST_F(AllowanceWindowTest, TheMainLineTheBarAndTheTrayTooltipShowThePeriodAndTheShare)
{
    start();
    ASSERT_TRUE(tp.tray->shown);
    EXPECT_EQ(tp.tray->tooltip,
              QStringLiteral("Qov Ruvela v2.2.1\nToday: 0:00 h online\nPeriod: 0:00 h online, 0.00 B"));
    EXPECT_TRUE(child<QProgressBar>(*window, "pbAllowance")->isHidden()) << "no allowance, no bar";

    apply(QStringLiteral("2"), {}, QStringLiteral("GB"), QStringLiteral("80, 100"));
    tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0, {}}};
    recorder->PollConnections();
    tickFor(30 * 60 + 1);
    EXPECT_EQ(tp.tray->tooltip, QStringLiteral("Qov Ruvela v2.2.1\nToday: 0:30 h online\nPeriod: 0:30 h online, "
                                               "0.00 B\nAllowance: 25 % of 2 h"));
    EXPECT_EQ(child<QLabel>(*window, "lblAllowance")->text(),
              QStringLiteral("Today 0:30 h  ·  Period 0:30 h, 0.00 B  ·  25 % of 2 h"));
    EXPECT_FALSE(child<QProgressBar>(*window, "pbAllowance")->isHidden());
    EXPECT_EQ(child<QProgressBar>(*window, "pbAllowance")->value(), 25);
    EXPECT_TRUE(child<QProgressBar>(*window, "pbAllowance")->toolTip().startsWith(QStringLiteral("Time online: ")))
        << "the forecast";

    // 80 % slides in the program's own alert window, once the tick is done.
    tickFor(66 * 60);
    QApplication::processEvents();
    const QList<TAlertOut*> open = window->hourlyAlert().openAlerts();
    ASSERT_EQ(open.size(), 1);
    EXPECT_TRUE(open[0]->message().startsWith(QStringLiteral("80 % of the allowance used")))
        << qPrintable(open[0]->message());
}

} // namespace
