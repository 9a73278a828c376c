// The dialer window: dialling with progress, the error relay, hang-up and the automatic redial.
#include "core/Recorder.h"
#include "dialup/RedialCounter.h"
#include "dialup/ui/TDial.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QString home = QStringLiteral("Home ISP");

class DialerTest : public ::testing::Test
{
protected:
    DialerTest() : service(*tp.dialUp), dialogs(*tp.dialogs)
    {
        service.system().entries = {home, QStringLiteral("Work")};
        recorder.load();
        dial = std::make_unique<TDial>(service, dialogs, recorder);
        dial->txtPassword->setText(QStringLiteral("secret"));
    }

    // Delivers the progress notifications, which reach the window through its event queue.
    void deliver() { QCoreApplication::processEvents(); }

    QStringList log() const
    {
        QStringList lines;
        for (int i = 0; i < dial->lstErrMsg->count(); ++i)
            lines.append(dial->lstErrMsg->item(i)->text());
        return lines;
    }

    TestPlatform tp;
    InMemoryDialUp& service;
    ScriptedDialogs& dialogs;
    Recorder recorder{tp.platform, tp.programDir(), QStringList()};
    std::unique_ptr<TDial> dial;
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

TEST_F(DialerTest, ASuccessfulDialHidesTheDialerAndKeepsTheUserNameButNoPassword)
{
    dial->show();
    dial->txtUserName->setText(QStringLiteral("jane"));
    dial->btnDialEntryClick();
    EXPECT_EQ(dial->btnExit->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(dial->btnDialEntry->isEnabled());
    EXPECT_FALSE(recorder.ActiveTimer->isActive());
    deliver();
    EXPECT_EQ(dial->lblStatus->text(), QStringLiteral("Connected"));
    EXPECT_TRUE(dial->txtPassword->text().isEmpty());
    EXPECT_EQ(dial->btnExit->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(recorder.ActiveTimer->isActive());
    EXPECT_FALSE(dial->isVisible());

    DialParams stored;
    stored.entryName = home;
    ASSERT_EQ(service.getEntryDialParams(stored), 0u);
    EXPECT_EQ(stored.userName, QStringLiteral("jane"));
    EXPECT_FALSE(stored.passwordSaved);
}

TEST_F(DialerTest, ConnectingDeviceShowsTheDiallingImageInTrayMode)
{
    recorder.setTrayShown(true);
    QSignalSpy images(&recorder, &Recorder::trayImageChanged);
    dial->btnDialEntryClick();
    deliver();
    ASSERT_FALSE(images.isEmpty());
    EXPECT_EQ(images.first().first().toInt(), 14);
}

TEST_F(DialerTest, RefusesWithoutEntryOrPasswordAndKeepsWatching)
{
    dial->txtPassword->clear();
    dial->btnDialEntryClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Please enter password"));
    EXPECT_TRUE(recorder.ActiveTimer->isActive());

    dial->lstentries->clear();
    dial->txtPassword->setText(QStringLiteral("secret"));
    dial->btnDialEntryClick();
    EXPECT_EQ(dialogs.messages.last().text, QStringLiteral("No phone book entry"));
    EXPECT_TRUE(service.system().connections.isEmpty());
}

TEST_F(DialerTest, EnterInThePasswordBoxDialsOnlyWithAPassword)
{
    dial->txtPassword->clear();
    QTest::keyClick(dial->txtPassword, Qt::Key_Return);
    deliver();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(service.system().connections.isEmpty());

    dial->txtPassword->setText(QStringLiteral("secret"));
    QTest::keyClick(dial->txtPassword, Qt::Key_Return);
    deliver();
    EXPECT_EQ(service.system().connections.size(), 1);
}

TEST_F(DialerTest, ABusyLineIsLoggedHungUpAndRedialledAfterTheCountdown)
{
    service.dialOutcomes = {676, 0};
    dial->btnDialEntryClick();
    deliver();
    EXPECT_EQ(dial->lblStatus->text(), QStringLiteral("The line is busy."));
    EXPECT_TRUE(log().contains(QStringLiteral("The line is busy.  Error code = 676")));
    EXPECT_EQ(service.hangUps.size(), 1);
    EXPECT_TRUE(dial->btnDialEntry->isEnabled());
    EXPECT_EQ(dial->btnExit->text(), QStringLiteral("Exit"));
    ASSERT_TRUE(dial->RedialTimer->isActive());

    QStringList captions;
    for (int i = 0; i < 5; ++i) {
        dial->RedialTimerTimer();
        captions.append(dial->btnDialEntry->text());
    }
    EXPECT_EQ(captions, QStringList({"Redial 5", "Redial 4", "Redial 3", "Redial 2", "Redial 1"}));
    dial->RedialTimerTimer();
    EXPECT_EQ(dial->btnDialEntry->text(), QStringLiteral("Connect"));
    EXPECT_EQ(dial->RedialCount(), 1);
    EXPECT_TRUE(log().contains(QStringLiteral("Times of redialing = 1")));
    deliver();
    EXPECT_EQ(dial->lblStatus->text(), QStringLiteral("Connected"));
    EXPECT_EQ(dial->RedialCount(), 0);
}

TEST_F(DialerTest, AfterFiveRedialsTheLineIsStillBusy)
{
    service.dialOutcomes = {676, 676, 676, 676, 676, 676};
    dial->btnDialEntryClick();
    deliver();
    for (int redial = 0; redial < 5; ++redial) {
        for (int tick = 0; tick < 6; ++tick)
            dial->RedialTimerTimer();
        deliver();
    }
    EXPECT_EQ(dial->RedialCount(), 5);
    dial->RedialTimerTimer();
    EXPECT_FALSE(dial->RedialTimer->isActive());
    EXPECT_EQ(dial->btnDialEntry->text(), QStringLiteral("Connect"));
    EXPECT_EQ(log().last(), QStringLiteral("The line is still busy"));
    EXPECT_EQ(dial->RedialCount(), 0);
}

TEST_F(DialerTest, AMousePressOnConnectStartsANewCountTheKeyboardKeepsIt)
{
    service.dialOutcomes = {678, 678, 678};
    dial->btnDialEntryClick();
    deliver();
    for (int tick = 0; tick < 6; ++tick)
        dial->RedialTimerTimer();
    deliver();
    ASSERT_EQ(dial->RedialCount(), 1);
    dial->RedialTimerTimer(); // counting down again
    ASSERT_TRUE(dial->RedialTimer->isActive());

    dial->btnDialEntry->setFocus();
    QTest::keyClick(dial->btnDialEntry, Qt::Key_Space);
    EXPECT_EQ(dial->RedialCount(), 1);
    deliver();

    QTest::mouseClick(dial->btnDialEntry, Qt::LeftButton);
    EXPECT_EQ(dial->RedialCount(), 0);
}

TEST_F(DialerTest, ErrorTextsAndWhichErrorsHangUp)
{
    service.dialOutcomes = {631};
    dial->btnDialEntryClick();
    deliver();
    EXPECT_TRUE(service.hangUps.isEmpty()); // the user cancelled: no second hang-up
    EXPECT_FALSE(dial->RedialTimer->isActive());

    service.dialOutcomes = {797};
    dial->btnDialEntryClick();
    deliver();
    EXPECT_EQ(dial->lblStatus->text(), QStringLiteral("Modem or other connecting device not found"));
    EXPECT_TRUE(log().filter(QStringLiteral("Error code")).isEmpty());
    EXPECT_EQ(service.hangUps.size(), 1);

    service.dialOutcomes = {900};
    dial->btnDialEntryClick();
    deliver();
    EXPECT_EQ(dial->lblStatus->text(), QStringLiteral("Error, code = 900"));
    EXPECT_FALSE(dial->RedialTimer->isActive());
}

TEST_F(DialerTest, CancelWhileDiallingHangsUp)
{
    service.dialOutcomes = {0};
    dial->btnDialEntryClick();
    EXPECT_EQ(dial->btnExit->text(), QStringLiteral("Cancel"));
    dial->btnExit->click();
    EXPECT_TRUE(log().contains(QStringLiteral("Received cancel command")));
    EXPECT_EQ(service.hangUps.size(), 1);
    EXPECT_EQ(dial->btnExit->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(recorder.ActiveTimer->isActive());
    deliver();
}
} // namespace
