// The dialer: its state machine without a display (dial, refusal, cancel in each state, the busy line's
// redial, hang-up failure), and the window's own rules on the offscreen platform.
#include "core/Recorder.h"
#include "dialup/ConnStateText.h"
#include "dialup/ConnectionMonitor.h"
#include "dialup/Dialer.h"
#include "dialup/RecordingFilter.h"
#include "dialup/RedialCounter.h"
#include "gui/dialup/TDial.h"
#include "platform/sim/SimulatedDialUp.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QString home = QStringLiteral("Home ISP");

// The recording core's side, as the dialer sees it: the monitor's poll switch and the tray images.
class CoreDouble final : public DialerHost, public ConnectionMonitorHost
{
public:
    void setMonitorWatching(bool on) override { watching = on; }
    void changeTrayIcon(int imageIndex) override { images.append(imageIndex); }

    void showStatus(const QString& text) override { dialer->showStatus(text); }
    void showLineInUse() override { dialer->lineInUse(); }
    void showIdle() override { dialer->lineIdle(); }
    void hangUp() override { dialer->hangUp(); }
    void connectionFirstSeen(const QString&) override {}
    void removeDisconnectItem() override {}
    bool recordingStopped() const override { return false; }
    void runTrackerTick() override {}

    Dialer* dialer = nullptr;
    bool watching = true;
    QList<int> images;
};

// A system that takes the dial and then says nothing, without a handle yet.
class SilentDialUp final : public SimulatedDialUp
{
public:
    quint32 dial(const DialParams&, Progress, Handle& handle) override
    {
        handle = 0;
        return 0;
    }
};

class DialerLogic : public ::testing::Test
{
protected:
    DialerLogic() { core.dialer = &dialer; }

    static DialParams params()
    {
        DialParams p;
        p.entryName = home;
        p.userName = QStringLiteral("jane");
        p.password = QStringLiteral("secret");
        return p;
    }
    // Delivers the progress notifications, which come through the event queue.
    static void deliver() { QCoreApplication::processEvents(); }

    InMemoryDialUp service = [] {
        InMemoryDialUp s;
        s.system().entries = {home};
        return s;
    }();
    RecordingFilter filter;
    CoreDouble core;
    ConnectionMonitor monitor{service, filter, core};
    Dialer dialer{service, monitor, core};
};

TEST(RedialCounterTest, CountsDownSixSecondsAndGivesUpAfterFiveRedials)
{
    RedialCounter counter;
    for (int redial = 1; redial <= RedialCounter::maxRedials; ++redial) {
        for (int left = 5; left >= 1; --left) {
            const auto r = counter.tick();
            EXPECT_EQ(r.step, RedialCounter::Step::Countdown);
            EXPECT_EQ(r.secondsLeft, left);
        }
        EXPECT_EQ(counter.tick().step, RedialCounter::Step::Redial);
        EXPECT_EQ(counter.count(), redial);
    }
    EXPECT_EQ(counter.tick().step, RedialCounter::Step::GiveUp);
    EXPECT_EQ(counter.count(), 0);
    EXPECT_EQ(counter.countdown(), 0);
}

TEST_F(DialerLogic, ADialRefusedAtOnceReturnsToIdleWithTheMonitorWatching)
{
    service.system().refuseDial = 711;
    dialer.dial(params());
    EXPECT_EQ(dialer.state(), Dialer::State::Idle);
    EXPECT_TRUE(core.watching);
    EXPECT_TRUE(dialer.look().connectEnabled);
    EXPECT_FALSE(dialer.look().hangUpEnabled);
    EXPECT_TRUE(dialer.look().fieldsEnabled);
    EXPECT_EQ(dialer.look().exitCaption, Dialer::exitText);
    EXPECT_FALSE(dialer.status().isEmpty());
    ASSERT_EQ(dialer.log().size(), 1);
    EXPECT_TRUE(dialer.log()[0].endsWith(QStringLiteral("Error code = 711")));

    // A connection made by other means afterwards is seen.
    service.system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0}};
    monitor.PollConnections();
    EXPECT_TRUE(monitor.IsConnected());
    EXPECT_EQ(dialer.state(), Dialer::State::Connected);
}

TEST_F(DialerLogic, ADialsErrorStaysThroughTheMonitorsPollsUntilTheUserActs)
{
    service.system().refuseDial = 711;
    dialer.dial(params());
    const QString refused = dialer.status();
    monitor.PollConnections();
    monitor.PollConnections();
    EXPECT_EQ(dialer.status(), refused);
    dialer.ResetRedial();
    monitor.PollConnections();
    EXPECT_EQ(dialer.status(), ConnStateText::notConnected);

    // The redial countdown goes on showing why.
    service.system().refuseDial = 0;
    service.dialOutcomes = {676};
    dialer.dial(params());
    deliver();
    monitor.PollConnections();
    dialer.RedialTimerTimer();
    monitor.PollConnections();
    EXPECT_EQ(dialer.look().connectCaption, QStringLiteral("Redial 5"));
    EXPECT_EQ(dialer.status(), QStringLiteral("The line is busy."));
}

TEST_F(DialerLogic, ASuccessfulDialConnectsAndWatchesAgain)
{
    dialer.dial(params());
    EXPECT_EQ(dialer.state(), Dialer::State::Dialling);
    EXPECT_FALSE(core.watching);
    EXPECT_EQ(dialer.look().exitCaption, Dialer::cancelText);
    deliver();
    EXPECT_EQ(dialer.state(), Dialer::State::Connected);
    EXPECT_EQ(dialer.status(), QStringLiteral("Connected"));
    EXPECT_EQ(dialer.look().exitCaption, Dialer::exitText);
    EXPECT_TRUE(core.watching);
    EXPECT_TRUE(core.images.contains(14));

    DialParams stored;
    stored.entryName = home;
    ASSERT_EQ(service.getEntryDialParams(stored), 0u);
    EXPECT_EQ(stored.userName, QStringLiteral("jane"));
    EXPECT_FALSE(stored.passwordSaved);
}

TEST_F(DialerLogic, CancelEndsADialWithOrWithoutAHandle)
{
    dialer.dial(params());
    dialer.cancel();
    EXPECT_EQ(service.hangUps, QList<DialUpService::Handle>{SimulationFile::handleOf(home)});
    EXPECT_TRUE(core.watching);
    EXPECT_NE(dialer.state(), Dialer::State::Dialling);
    EXPECT_TRUE(dialer.log().contains(QStringLiteral("Received cancel command")));
    deliver();

    // The system took the dial but gave no handle yet: "Cancel" still ends it.
    SilentDialUp silent;
    ConnectionMonitor quiet{silent, filter, core};
    Dialer waiting{silent, quiet, core};
    waiting.dial(params());
    ASSERT_EQ(waiting.state(), Dialer::State::Dialling);
    ASSERT_FALSE(core.watching);
    waiting.cancel();
    EXPECT_EQ(waiting.state(), Dialer::State::Idle);
    EXPECT_TRUE(core.watching);
    EXPECT_TRUE(waiting.look().connectEnabled);
    EXPECT_TRUE(silent.hangUps.isEmpty());
}

TEST_F(DialerLogic, ABusyLineIsHungUpAndRedialledAfterTheCountdown)
{
    service.dialOutcomes = {676, 0};
    dialer.dial(params());
    deliver();
    EXPECT_EQ(dialer.status(), QStringLiteral("The line is busy."));
    EXPECT_TRUE(dialer.log().contains(QStringLiteral("The line is busy.  Error code = 676")));
    EXPECT_EQ(service.hangUps.size(), 1);
    EXPECT_EQ(dialer.state(), Dialer::State::WaitingToRedial);
    EXPECT_TRUE(core.watching);
    ASSERT_TRUE(dialer.RedialTimer->isActive());

    QStringList captions;
    for (int i = 0; i < 5; ++i) {
        dialer.RedialTimerTimer();
        captions.append(dialer.look().connectCaption);
    }
    EXPECT_EQ(captions, QStringList({"Redial 5", "Redial 4", "Redial 3", "Redial 2", "Redial 1"}));
    dialer.RedialTimerTimer();
    EXPECT_EQ(dialer.look().connectCaption, QStringLiteral("Connect"));
    EXPECT_EQ(dialer.RedialCount(), 1);
    EXPECT_TRUE(dialer.log().contains(QStringLiteral("Times of redialing = 1")));
    deliver();
    EXPECT_EQ(dialer.state(), Dialer::State::Connected);
    EXPECT_EQ(dialer.RedialCount(), 0);

    // Exit during a countdown stops it; the monitor keeps watching.
    service.dialOutcomes = {678};
    dialer.dial(params());
    deliver();
    ASSERT_EQ(dialer.state(), Dialer::State::WaitingToRedial);
    dialer.ResetRedial();
    EXPECT_EQ(dialer.state(), Dialer::State::Idle);
    EXPECT_FALSE(dialer.RedialTimer->isActive());
    EXPECT_TRUE(core.watching);
}

TEST_F(DialerLogic, AfterFiveRedialsTheLineIsStillBusy)
{
    service.dialOutcomes = {676, 676, 676, 676, 676, 676};
    dialer.dial(params());
    deliver();
    for (int redial = 0; redial < 5; ++redial) {
        for (int tick = 0; tick < 6; ++tick)
            dialer.RedialTimerTimer();
        deliver();
    }
    EXPECT_EQ(dialer.RedialCount(), 5);
    dialer.RedialTimerTimer();
    EXPECT_FALSE(dialer.RedialTimer->isActive());
    EXPECT_EQ(dialer.look().connectCaption, QStringLiteral("Connect"));
    EXPECT_EQ(dialer.log().last(), QStringLiteral("The line is still busy"));
    EXPECT_EQ(dialer.RedialCount(), 0);
    EXPECT_EQ(dialer.state(), Dialer::State::Idle);
    EXPECT_TRUE(core.watching);
}

TEST_F(DialerLogic, ErrorTextsWhichErrorsHangUpAndAFailedHangUp)
{
    service.dialOutcomes = {631};
    dialer.dial(params());
    deliver();
    EXPECT_TRUE(service.hangUps.isEmpty()); // the user cancelled: no second hang-up
    EXPECT_FALSE(dialer.RedialTimer->isActive());

    service.dialOutcomes = {797};
    dialer.dial(params());
    deliver();
    EXPECT_EQ(dialer.status(), QStringLiteral("Modem or other connecting device not found"));
    EXPECT_TRUE(dialer.log().filter(QStringLiteral("Error code")).isEmpty());
    EXPECT_EQ(service.hangUps.size(), 1);

    service.dialOutcomes = {900};
    service.refuseHangUp = true;
    dialer.dial(params());
    deliver();
    EXPECT_EQ(dialer.status(), QStringLiteral("Error, code = 900"));
    EXPECT_FALSE(dialer.RedialTimer->isActive());
    EXPECT_TRUE(dialer.log().contains(QStringLiteral("Error : Cannot hang up connection.")));
    EXPECT_TRUE(dialer.look().connectEnabled);
    EXPECT_TRUE(core.watching);
}

// The window on the core, as the program builds it.
class DialerWindow : public ::testing::Test
{
protected:
    DialerWindow() : service(*tp.dialUp), dialogs(*tp.dialogs)
    {
        service.system().entries = {home, QStringLiteral("Work")};
        recorder.load();
        dial = std::make_unique<TDial>(service, dialogs, recorder);
        password = child<QLineEdit>(*dial, "txtPassword");
        connectButton = child<QPushButton>(*dial, "btnDialEntry");
        exitButton = child<QPushButton>(*dial, "btnExit");
        recorder.start();
        // The monitor's first look finds no connection, which offers "Connect".
        recorder.PollConnections();
        password->setText(QStringLiteral("secret"));
    }

    static void deliver() { QCoreApplication::processEvents(); }

    TestPlatform tp;
    InMemoryDialUp& service;
    ScriptedDialogs& dialogs;
    Recorder recorder{tp.platform, tp.programDir(), QStringList()};
    std::unique_ptr<TDial> dial;
    QLineEdit* password;
    QPushButton* connectButton;
    QPushButton* exitButton;
};

TEST_F(DialerWindow, ASuccessfulDialHidesTheDialerAndForgetsThePassword)
{
    dial->show();
    connectButton->click();
    EXPECT_EQ(exitButton->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(connectButton->isEnabled());
    EXPECT_FALSE(password->isEnabled());
    EXPECT_FALSE(recorder.ActiveTimer->isActive());
    deliver();
    EXPECT_EQ(child<QLabel>(*dial, "lblStatus")->text(), QStringLiteral("Connected"));
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_EQ(exitButton->text(), QStringLiteral("E&xit"));
    EXPECT_TRUE(recorder.ActiveTimer->isActive());
    EXPECT_FALSE(dial->isVisible());
}

TEST_F(DialerWindow, ARefusedDialLeavesTheWindowUsableAndTheMonitorOn)
{
    service.system().refuseDial = 711;
    dial->show();
    connectButton->click();
    EXPECT_TRUE(recorder.ActiveTimer->isActive());
    EXPECT_TRUE(connectButton->isEnabled());
    EXPECT_EQ(exitButton->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(child<QListWidget>(*dial, "lstErrMsg")->count(), 1);
    exitButton->click();
    EXPECT_FALSE(dial->isVisible());
    EXPECT_TRUE(recorder.ActiveTimer->isActive());
}

TEST_F(DialerWindow, ALongLogLineWrapsInsteadOfBeingCutAtTheSide)
{
    service.system().refuseDial = 691; // "Access was denied: the user name or password is not valid on this domain."
    dial->show();
    connectButton->click();
    auto* log = child<QListWidget>(*dial, "lstErrMsg");
    ASSERT_EQ(log->count(), 1);
    const QRect line = log->visualItemRect(log->item(0));
    ASSERT_GT(log->fontMetrics().horizontalAdvance(log->item(0)->text()), log->viewport()->width());
    EXPECT_LE(line.right(), log->viewport()->width());
    EXPECT_GE(line.height(), 2 * log->fontMetrics().lineSpacing());
}

TEST_F(DialerWindow, RefusesWithoutEntryOrPasswordAndKeepsWatching)
{
    password->clear();
    connectButton->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Please enter password"));
    EXPECT_TRUE(recorder.ActiveTimer->isActive());

    child<QComboBox>(*dial, "lstentries")->clear();
    password->setText(QStringLiteral("secret"));
    connectButton->click();
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("No phone book entry"));
    EXPECT_TRUE(service.system().connections.isEmpty());
}

TEST_F(DialerWindow, EnterInThePasswordBoxDialsOnlyWithAPassword)
{
    password->clear();
    QTest::keyClick(password, Qt::Key_Return);
    deliver();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(service.system().connections.isEmpty());

    password->setText(QStringLiteral("secret"));
    QTest::keyClick(password, Qt::Key_Return);
    deliver();
    EXPECT_EQ(service.system().connections.size(), 1);
}

TEST_F(DialerWindow, AMousePressOnConnectStartsANewCountTheKeyboardKeepsIt)
{
    const Dialer& dialer = recorder.dialer();
    service.dialOutcomes = {678, 678, 678};
    connectButton->click();
    deliver();
    for (int tick = 0; tick < 6; ++tick)
        recorder.RedialTimerTimer();
    deliver();
    ASSERT_EQ(dialer.RedialCount(), 1);
    recorder.RedialTimerTimer(); // counting down again
    ASSERT_TRUE(dialer.RedialTimer->isActive());
    EXPECT_EQ(connectButton->text(), QStringLiteral("Redial 5"));

    connectButton->setFocus();
    QTest::keyClick(connectButton, Qt::Key_Space);
    EXPECT_EQ(dialer.RedialCount(), 1);
    deliver();

    QTest::mouseClick(connectButton, Qt::LeftButton);
    EXPECT_EQ(dialer.RedialCount(), 0);
}

} // namespace
