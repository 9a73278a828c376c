// The tray form and its part in the main window: the menu, the images, the disconnect item, tray mode.
#include "core/Recorder.h"
#include "gui/dialup/TDial.h"
#include "gui/main/MainTab.h"
#include "gui/main/TfrmMain.h"
#include "gui/settings/SettingsTab.h"
#include "gui/tray/TForm2.h"
#include "gui/widgets/TLabel3D.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
const QString home = QStringLiteral("Home ISP");

class TrayTest : public ::testing::Test
{
protected:
    void start(bool trayMode)
    {
        if (trayMode)
            tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::inTray,
                                                QStringLiteral("1"));
        tp.dialUp->system().entries = {home};
        settings = std::make_unique<Settings>(*tp.platform.settings);
        recorder = std::make_unique<Recorder>(tp.platform, *settings, tp.programDir(), QStringList());
        recorder->load();
        window = std::make_unique<TfrmMain>(tp.platform, *recorder, *settings);
        dial = std::make_unique<TDial>(*tp.platform.dialUp, *tp.platform.dialogs, *recorder);
        window->setDialer(dial.get());
        recorder->start();
    }

    void connect()
    {
        tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0}};
        recorder->PollConnections();
    }

    QStringList menuTexts() const
    {
        QStringList texts;
        for (const QAction* a : child<QMenu>(window->trayForm(), "PopupMenu1")->actions())
            texts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }

    // Ticks the check box the way a click does: its state changes, then the handler runs.
    void clickInTray() { child<QCheckBox>(*window, "chkInTray")->click(); }

    TestPlatform tp;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<TfrmMain> window;
    std::unique_ptr<TDial> dial;
};

TEST_F(TrayTest, MenuItemsInOrderWithTheDisconnectItemLast)
{
    start(true);
    ASSERT_NE(window->trayForm(), nullptr);
    EXPECT_TRUE(tp.tray->shown);
    EXPECT_EQ(tp.tray->tooltip, QStringLiteral("Qov Ruvela v2.2.1"));
    EXPECT_EQ(menuTexts(), QStringList({"About", "Help", "-", "Dial Up", "Open", "-", "Disabled", "Remove"}));
    EXPECT_FALSE(window->isVisible());

    connect();
    EXPECT_EQ(menuTexts().size(), 9);
    EXPECT_EQ(menuTexts().last(), QStringLiteral("Disconnect ") + home);
    // Later polls of the same connection add nothing.
    recorder->PollConnections();
    EXPECT_EQ(menuTexts().size(), 9);

    tp.dialUp->system().connections.clear();
    recorder->PollConnections();
    EXPECT_EQ(menuTexts().size(), 8);
}

TEST_F(TrayTest, SwitchingTheTrayOnWhileConnectedShowsTheMinutesImageAndOneDisconnectItem)
{
    start(false);
    connect();
    EXPECT_EQ(window->trayForm(), nullptr);
    clickInTray();
    ASSERT_NE(window->trayForm(), nullptr);
    EXPECT_EQ(window->trayForm()->imageIndex(), 1);
    EXPECT_EQ(menuTexts().size(), 9);
    EXPECT_EQ(menuTexts().last(), QStringLiteral("Disconnect ") + home);
    EXPECT_EQ(tp.platform.settings->ReadIniFromReg(SettingNames::settingsKeyPath, SettingNames::inTray),
              QStringLiteral("1"));
    EXPECT_TRUE(recorder->trayShown());

    clickInTray();
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_FALSE(tp.tray->shown);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(recorder->trayShown());
}

TEST_F(TrayTest, SwitchingTheTrayOnOfflineWithRecordingStoppedShowsImageOne)
{
    start(false);
    child<QToolButton>(*window, "btnDisabled")->setChecked(true);
    clickInTray();
    ASSERT_NE(window->trayForm(), nullptr);
    EXPECT_EQ(window->trayForm()->imageIndex(), 1);
    EXPECT_EQ(menuTexts().size(), 8);
}

TEST_F(TrayTest, TheDisconnectItemHangsUpAndGoes)
{
    start(true);
    connect();
    child<QAction>(window->trayForm(), "disconnectItem")->trigger();
    EXPECT_EQ(tp.dialUp->hangUps, QList<DialUpService::Handle>{SimulationFile::handleOf(home)});
    EXPECT_EQ(menuTexts().size(), 8);
    recorder->PollConnections();
    EXPECT_FALSE(recorder->monitor().IsConnected());
}

TEST_F(TrayTest, StopAndDisabledMirrorEachOther)
{
    start(true);
    TForm2* tray = window->trayForm();
    child<QToolButton>(*window, "btnDisabled")->setChecked(true);
    EXPECT_TRUE(child<QAction>(tray, "mnuDisabled")->isChecked());
    EXPECT_EQ(tray->imageIndex(), 13);
    EXPECT_FALSE(recorder->MainTimer->isActive());

    child<QAction>(tray, "mnuDisabled")->trigger(); // unchecks
    EXPECT_FALSE(child<QToolButton>(*window, "btnDisabled")->isChecked());
    EXPECT_EQ(tray->imageIndex(), 0); // offline
    EXPECT_TRUE(recorder->MainTimer->isActive());

    child<QAction>(tray, "mnuDisabled")->trigger(); // checks
    EXPECT_TRUE(child<QToolButton>(*window, "btnDisabled")->isChecked());
    EXPECT_EQ(tray->imageIndex(), 13);
}

// Started at log-in before the panel: the program waits for the notification area with its window hidden,
// and takes it when it comes, without a box.
TEST_F(TrayTest, ANotificationAreaThatComesLateGetsTheIcon)
{
    tp.tray->isAvailable = false;
    start(true);
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_TRUE(window->isVisible()) << "the window shows while the program waits";
    EXPECT_TRUE(child<QTimer>(*window, "TrayWaitTimer")->isActive());
    tp.clock->advance(20);
    window->TrayWaitTimerTimer();
    EXPECT_EQ(window->trayForm(), nullptr);
    connect();

    tp.clock->advance(10);
    tp.tray->arrive(); // the panel's watcher appears on the bus
    ASSERT_NE(window->trayForm(), nullptr);
    EXPECT_TRUE(tp.tray->shown);
    EXPECT_TRUE(recorder->trayShown());
    EXPECT_EQ(menuTexts().last(), QStringLiteral("Disconnect ") + home);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(child<QTimer>(*window, "TrayWaitTimer")->isActive());
    EXPECT_TRUE(tp.dialogs->messages.isEmpty());
    EXPECT_TRUE(child<TLabel3D>(*window, "lblStatusBar")->text().isEmpty());
}

// Without a notification area for a minute the main window opens and the status line says why; no box.
TEST_F(TrayTest, NoNotificationAreaWithinAMinuteShowsTheWindowAndSaysSoOnTheStatusLine)
{
    tp.tray->isAvailable = false;
    start(true);
    tp.clock->advance(59);
    window->TrayWaitTimerTimer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<TLabel3D>(*window, "lblStatusBar")->text().isEmpty());
    tp.clock->advance(1);
    window->TrayWaitTimerTimer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_FALSE(recorder->trayShown());
    EXPECT_FALSE(child<QTimer>(*window, "TrayWaitTimer")->isActive());
    EXPECT_TRUE(tp.dialogs->messages.isEmpty());
    EXPECT_EQ(child<TLabel3D>(*window, "lblStatusBar")->text(), TfrmMain::noTrayText);
    EXPECT_TRUE(TfrmMain::noTrayText.startsWith(TForm2::cannotCreateText));

    // A notification area that comes after the wait is not taken by surprise.
    tp.tray->arrive();
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

// Ticking the tray option where there is no notification area is answered at once, in a box, once.
TEST_F(TrayTest, TheTrayOptionClickedWithoutANotificationAreaIsAnsweredOnce)
{
    tp.tray->isAvailable = false;
    start(false);
    clickInTray();
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(tp.dialogs->messages.size(), 1);
    EXPECT_EQ(tp.dialogs->messages[0].text, TfrmMain::noTrayText);

    clickInTray();
    clickInTray();
    EXPECT_EQ(tp.dialogs->messages.size(), 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TrayTest, CloseHidesTheWindowInTrayModeAndRemoveEndsTheProgram)
{
    start(true);
    child<QAction>(window->trayForm(), "Open1")->trigger();
    EXPECT_TRUE(window->isVisible());
    child<QAction>(*window, "mnuMainClose")->trigger();
    EXPECT_FALSE(window->isVisible());
    // A left click on the icon opens the window as "Open" does.
    tp.tray->leftClick();
    EXPECT_TRUE(window->isVisible());
    child<QAction>(*window, "mnuMainClose")->trigger();

    bool ended = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { ended = true; });
    QTimer::singleShot(0, child<QAction>(window->trayForm(), "Remove1"), &QAction::trigger);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(ended);
    EXPECT_EQ(window->trayForm(), nullptr);
    EXPECT_FALSE(tp.tray->shown);
}
} // namespace
