// The headless recorder's event lines, on the test clock: a session is said once when it starts and once
// when it ends (by the line going or by the program's end) with its true times; the hourly alert and an
// allowance threshold are said once each; a problem met every tick is one line; boxes never hold the tick.
#include "core/Recorder.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "recorder/EventLog.h"
#include "recorder/RecorderEvents.h"
#include "recorder/StderrDialogs.h"
#include "settings/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class RecorderEventsTest : public ::testing::Test
{
protected:
    RecorderEventsTest()
    {
        store(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
        tp.dialUp->system().entries = {home};
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        EXPECT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(QDate(2024, 3, 1)),
                                         StoredDate::dateText(QDate(2024, 4, 1)), 1, 31, QString(), QString(), 0, 0));
    }

    void store(const QString& name, const QString& value)
    {
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, name, value);
    }

    void start()
    {
        recorder = std::make_unique<Recorder>(tp.platform, tp.programDir(), QStringList{tp.programDir()});
        events = std::make_unique<RecorderEvents>(*recorder, *tp.clock, log, tp.notifications);
        recorder->load();
        recorder->start();
    }

    void setOnline(bool on)
    {
        tp.dialUp->system().connections.clear();
        if (on)
            tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0, {}}};
        recorder->PollConnections();
    }

    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder->MainTimerTimer();
        }
    }

    QStringList linesWith(const QString& part) const { return lines.filter(part); }

    TestPlatform tp;
    QStringList lines;
    EventLog log{[this] { return tp.clock->now(); }, [this](const QString& line) { lines.append(line); }};
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<RecorderEvents> events;
};

TEST_F(RecorderEventsTest, ASessionIsSaidOnceAtItsStartAndOnceAtItsEndWithItsTimes)
{
    start();
    setOnline(true);
    tickFor(1);
    tickFor(75);
    setOnline(false);
    tickFor(1);
    tickFor(5);
    ASSERT_EQ(linesWith(QStringLiteral("Session started")).size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_EQ(linesWith(QStringLiteral("Session started"))[0],
              QStringLiteral("2024-03-20 10:00:01 Session started on \"Home ISP\" at 2024-03-20 10:00:01."));
    const QStringList ended = linesWith(QStringLiteral("Session ended"));
    ASSERT_EQ(ended.size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(ended[0].startsWith(QStringLiteral("2024-03-20 10:01:17 Session ended on \"Home ISP\": "
                                                   "2024-03-20 10:00:01 to 2024-03-20 10:01:17, 0:01:16 online, "
                                                   "1 min counted")))
        << qPrintable(ended[0]);
}

TEST_F(RecorderEventsTest, TheProgramsEndClosesTheSessionAndSaysSo)
{
    start();
    setOnline(true);
    tickFor(40);
    recorder->finish();
    events->finished();
    const QStringList ended = linesWith(QStringLiteral("Session ended"));
    ASSERT_EQ(ended.size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(ended[0].contains(QStringLiteral("2024-03-20 10:00:01 to 2024-03-20 10:00:40, 0:00:39 online")))
        << qPrintable(ended[0]);
}

TEST_F(RecorderEventsTest, HourlyAlertAndAllowanceThresholdAreSaidOnceEach)
{
    store(SettingNames::sixtyMinsToAlert, QStringLiteral("1"));
    store(SettingNames::alertNoSound, QStringLiteral("1"));
    store(SettingNames::allowanceHours, QStringLiteral("1"));
    store(SettingNames::allowanceThresholds, QStringLiteral("1"));
    start();
    setOnline(true);
    tickFor(60 * 60 + 90);
    EXPECT_EQ(linesWith(QStringLiteral("Allowance warning: 1 % of the allowance used")).size(), 1)
        << qPrintable(lines.join('\n'));
    const QStringList hourly = linesWith(QStringLiteral("Hourly alert: "));
    ASSERT_EQ(hourly.size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(hourly[0].contains(QStringLiteral("Hourly alert: 1 hour"))) << qPrintable(hourly[0]);
    EXPECT_FALSE(hourly[0].contains(QLatin1Char('\n')));
    ASSERT_EQ(tp.notifications->sent.size(), 1) << "the hourly alert on the desktop; the allowance was not asked";
}

TEST(EventLog, StampsEachLineAndSaysAProblemMetEveryTickOnce)
{
    QDateTime now(QDate(2024, 3, 20), QTime(10, 0, 0));
    QStringList lines;
    EventLog log([&now] { return now; }, [&lines](const QString& line) { lines.append(line); });
    StderrDialogs dialogs(log);
    int closed = 0;
    for (int tick = 0; tick < 3; ++tick) {
        now = now.addSecs(1);
        dialogs.notify(Dialogs::Kind::Error, QStringLiteral("The personal file\ncannot be written."),
                       [&closed] { ++closed; });
        EXPECT_EQ(closed, tick) << "the box closes on the next turn of the event loop, after its guard is set";
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(closed, 3);
    log.say(QStringLiteral("Online"));
    dialogs.notify(Dialogs::Kind::Error, QStringLiteral("The personal file\ncannot be written."));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("2024-03-20 10:00:01 Error: The personal file cannot be written."),
                                  QStringLiteral("2024-03-20 10:00:03 Online"),
                                  QStringLiteral("2024-03-20 10:00:03 Error: The personal file cannot be written.")}));
    EXPECT_FALSE(dialogs.confirm(QStringLiteral("Replace the file?")));
    EXPECT_FALSE(dialogs.inputBox(QStringLiteral("Qov Ruvela"), QStringLiteral("Name:"), QString()).has_value());
}

} // namespace
