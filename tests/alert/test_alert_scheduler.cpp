// The hourly alert decision: when it fires, what it says, and what it plays.
#include "alert/AlertScheduler.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

class FakeAlertHost final : public AlertHost
{
public:
    AlertOptions alertOptions() const override { return options; }
    QString receivedText() const override { return received; }
    QString sentText() const override { return sent; }
    void PlaySound(const QString& name) override { events.append(QStringLiteral("sound ") + name); }
    void showAlert(const QString& message, bool autoClose, AlertCorner corner) override
    {
        events.append(QStringLiteral("alert"));
        messages.append(message);
        autoCloses.append(autoClose);
        corners.append(corner);
    }

    AlertOptions options;
    QString received = QStringLiteral("1.50 MB");
    QString sent = QStringLiteral("200.00 KB");
    QStringList events;
    QStringList messages;
    QList<bool> autoCloses;
    QList<AlertCorner> corners;
};

class AlertSchedulerTest : public ::testing::Test
{
protected:
    AlertSchedulerTest() { host.options.sixtyMinsToAlert = true; }

    // A session seen by a one-second tick: each minute value is checked sixty times.
    void runMinutes(qint32 from, qint32 to)
    {
        for (qint32 minutes = from; minutes <= to; ++minutes)
            for (int second = 0; second < 60; ++second)
                scheduler.CheckHourlyAlert(minutes);
    }

    FakeAlertHost host;
    AlertScheduler scheduler{host};
};

TEST_F(AlertSchedulerTest, AnnouncesEachFullHourOnceWithTheHoursAndTheByteTexts)
{
    runMinutes(0, 59);
    EXPECT_TRUE(host.messages.isEmpty());
    runMinutes(60, 60);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0],
              QStringLiteral("1 hour\r\n\r\nDownloaded Bytes: 1.50 MB\r\n\r\nUploaded Bytes: 200.00 KB"));
    host.received = QStringLiteral("3.00 MB");
    runMinutes(61, 179);
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_TRUE(host.messages[1].startsWith(QStringLiteral("2 hours\r\n\r\nDownloaded Bytes: 3.00 MB")));
    EXPECT_EQ(scheduler.NextAlertHour(), 3);
    runMinutes(180, 180);
    EXPECT_TRUE(host.messages[2].startsWith(QStringLiteral("3 hours\r\n")));
}

TEST_F(AlertSchedulerTest, AnHourReachedWhileSwitchedOffIsNeverCaughtUpInThatSession)
{
    host.options.sixtyMinsToAlert = false;
    runMinutes(0, 61);
    host.options.sixtyMinsToAlert = true;
    runMinutes(62, 300);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(scheduler.NextAlertHour(), 1);

    // The next session starts counting from the first hour again.
    scheduler.resetHourlyAlert();
    runMinutes(0, 60);
    EXPECT_EQ(host.messages.size(), 1);
}

TEST_F(AlertSchedulerTest, AnHourIsAnnouncedOnceTheSessionHasLastedItByTheClock)
{
    // Started at 10:00:59: the 60th minute change comes at 11:00:00, after 59:01; "1 hour" waits for 11:00:59,
    // and a tick lost on that second is made up by the next.
    for (qint64 seconds = 3541; seconds < 3600; ++seconds)
        scheduler.CheckHourlyAlert(60, seconds);
    EXPECT_TRUE(host.messages.isEmpty());
    scheduler.CheckHourlyAlert(61, 3601);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].startsWith(QStringLiteral("1 hour\r\n")));
}

TEST_F(AlertSchedulerTest, SoundComesBeforeTheWindowUnlessSwitchedOff)
{
    runMinutes(60, 60);
    EXPECT_EQ(host.events, QStringList({QStringLiteral("sound alertB"), QStringLiteral("alert")}));

    host.events.clear();
    host.options.noSound = true;
    runMinutes(61, 120);
    EXPECT_EQ(host.events, QStringList({QStringLiteral("alert")}));
}

TEST_F(AlertSchedulerTest, PassesTheAutoCloseOptionAndTheCornerOfThePositionText)
{
    host.options.autoClose = true;
    host.options.position = QStringLiteral("Upper Left");
    runMinutes(60, 60);
    host.options.autoClose = false;
    host.options.position = QStringLiteral("Somewhere");
    runMinutes(61, 120);
    EXPECT_EQ(host.autoCloses, QList<bool>({true, false}));
    EXPECT_EQ(host.corners, QList<AlertCorner>({AlertCorner::UpperLeft, AlertCorner::LowerRight}));
}

} // namespace
