// The session tracker driven tick by tick with a test clock against a real personal file: minute counting,
// the quarter-minute saves, Reset and Stop, the scale and tray images, the roll-over and the status texts.
#include "TrackerFixture.h"

namespace {

TEST_F(SessionTrackerTest, MinutesCountClockMinuteChangesAndTheNextSessionAppends)
{
    startFile();
    tickAt(9, 0, 5);
    ASSERT_TRUE(tracker.SessionOpen());
    EXPECT_EQ(tracker.NextFilePointer(), 1);
    tickEverySecondUntil(9, 0, 55);
    window.connected = false;
    tracker.tick();
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(tracker.NextFilePointer(), 2);

    window.connected = true;
    tickAt(10, 0, 30);
    EXPECT_EQ(tracker.NextFilePointer(), 2);
    tickEverySecondUntil(10, 5, 10);
    EXPECT_EQ(tracker.view().testUsedTimeState, TrackerView::UsedTimeLabel::Figures);
    EXPECT_EQ(tracker.view().testUsedTime, 5);
    EXPECT_EQ(tracker.view().testPrevMin, 5);
    window.connected = false;
    tracker.tick();
    EXPECT_EQ(tracker.view().endTime, StoredDate::displayedForm(stored(10, 5, 10)));

    const QList<ProfileRecord> all = records();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1].StartText, stored(9, 0, 5));
    EXPECT_EQ(all[1].EndText, stored(9, 0, 55));
    EXPECT_EQ(all[1].UsedMinutes, 0);
    EXPECT_EQ(all[2].StartText, stored(10, 0, 30));
    EXPECT_EQ(all[2].EndText, stored(10, 5, 10));
    EXPECT_EQ(all[2].UsedMinutes, 5);
    EXPECT_EQ(tracker.NextFilePointer(), 3);
}

// The connection found gone on the first tick of a new minute: that change counts, and the record's duration
// is the time between its texts (65 s and 5 s here), not a minute less.
TEST_F(SessionTrackerTest, ASessionEndingOnTheFirstTickOfAMinuteKeepsThatMinute)
{
    startFile();
    tickAt(9, 0, 55);
    tickEverySecondUntil(9, 1, 59);
    window.connected = false;
    tickAt(9, 2, 0);
    window.connected = true;
    tickAt(9, 2, 55);
    tickEverySecondUntil(9, 2, 59);
    window.connected = false;
    tickAt(9, 3, 0);

    const QList<ProfileRecord> all = records();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1].EndText, stored(9, 2, 0));
    EXPECT_EQ(all[1].UsedMinutes, 2);
    EXPECT_EQ(SessionDuration::fromParts(all[1].UsedMinutes, 5, 0, false), (SessionDuration::Duration{1, 5}));
    EXPECT_EQ(all[2].EndText, stored(9, 3, 0));
    EXPECT_EQ(all[2].UsedMinutes, 1);
    EXPECT_EQ(SessionDuration::fromParts(all[2].UsedMinutes, 5, 0, false), (SessionDuration::Duration{0, 5}));
}

TEST_F(SessionTrackerTest, TheFirstTickOfEachQuarterMinuteSaves)
{
    startFile();
    tickAt(10, 0, 1);
    QList<int> savedOn;
    for (int i = 0; i < 119; ++i) {
        if (tickSaves(clock.now().addSecs(1)))
            savedOn.append(clock.now().time().second());
    }
    EXPECT_EQ(savedOn, (QList<int>{15, 30, 45, 0, 15, 30, 45, 0}));
    EXPECT_EQ(record(1).EndText, stored(10, 2, 0));
    EXPECT_EQ(record(1).UsedMinutes, 2);

    // A timer that skips second 15, or a busy machine that stalls for a while, saves on the first tick after.
    const QDate today = clock.now().date();
    EXPECT_FALSE(tickSaves(QDateTime(today, QTime(10, 2, 14))));
    EXPECT_TRUE(tickSaves(QDateTime(today, QTime(10, 2, 16))));
    EXPECT_EQ(record(1).EndText, stored(10, 2, 16));
    EXPECT_FALSE(tickSaves(QDateTime(today, QTime(10, 2, 29))));
    EXPECT_TRUE(tickSaves(QDateTime(today, QTime(10, 2, 47))));
    EXPECT_EQ(record(1).EndText, stored(10, 2, 47));

    // A second seen twice saves once.
    window.sent = 7;
    EXPECT_TRUE(tickSaves(QDateTime(today, QTime(10, 3, 0))));
    EXPECT_FALSE(tickSaves(QDateTime(today, QTime(10, 3, 0))));
    EXPECT_EQ(record(1).EndText, stored(10, 3, 0));
    EXPECT_EQ(record(1).BytesSent(), 7U);
    EXPECT_EQ(record(1).UsedMinutes, 3);
}

TEST_F(SessionTrackerTest, ResetWhileRecordingRestartsTheSameRecord)
{
    startFile();
    window.trayOn = true;
    tickAt(10, 0, 10);
    tickEverySecondUntil(10, 3, 14);
    window.received = 5000;
    tickAt(10, 3, 15);
    ASSERT_EQ(record(1).UsedMinutes, 3);
    ASSERT_EQ(record(1).BytesReceived(), 5000U);
    window.trayImages.clear();

    clock.set(QDateTime(clock.now().date(), QTime(10, 3, 22)));
    tracker.resetData();
    EXPECT_TRUE(tracker.SessionOpen());
    EXPECT_EQ(tracker.NextFilePointer(), 1);
    EXPECT_EQ(tracker.UsedMinutes(), 0);
    EXPECT_EQ(records().size(), 2);
    EXPECT_EQ(record(1).StartText, stored(10, 3, 22));
    EXPECT_EQ(record(1).EndText, stored(10, 3, 22));
    EXPECT_EQ(record(1).UsedMinutes, 0);
    EXPECT_EQ(record(1).BytesReceived(), 0U);
    EXPECT_EQ(window.trayImages, (QList<int>{0, 1}));
    EXPECT_EQ(tracker.view().startTime, StoredDate::displayedForm(stored(10, 3, 22)));
    EXPECT_EQ(tracker.view().spendingHour, 0);
    EXPECT_EQ(tracker.view().pointerMinute, 0);
    EXPECT_TRUE(tracker.view().scaleVisible);
    // Reset writes the minute without the leading zero a tick gives it.
    EXPECT_FALSE(tracker.view().testCurMinPadded);

    // Counting starts again from the minute of the reset.
    tickEverySecondUntil(10, 4, 15);
    EXPECT_EQ(record(1).UsedMinutes, 1);
    EXPECT_TRUE(tracker.view().testCurMinPadded);
    EXPECT_EQ(tracker.view().pointerMinute, 1) << "one minute along the scale";
    EXPECT_EQ(record(1).StartText, stored(10, 3, 22));
}

TEST_F(SessionTrackerTest, StopDownAddsAtMostOneMinuteAndADropIsStillClosed)
{
    startFile();
    window.trayOn = true;
    tickAt(10, 0, 30);
    tickEverySecondUntil(10, 0, 50);

    // Stopped from 10:00:50 to 10:01:20: no ticks, and the minute is still counted.
    window.stopped = true;
    clock.set(QDateTime(clock.now().date(), QTime(10, 1, 20)));
    window.stopped = false;
    tickEverySecondUntil(10, 1, 40);
    EXPECT_EQ(tracker.UsedMinutes(), 1);

    // Stopped for five and a half minutes: one more.
    window.stopped = true;
    clock.set(QDateTime(clock.now().date(), QTime(10, 7, 10)));
    window.stopped = false;
    tickEverySecondUntil(10, 7, 30);
    EXPECT_EQ(tracker.UsedMinutes(), 2);
    EXPECT_EQ(record(1).UsedMinutes, 2);

    // The line drops while Stop is down; the monitor runs one tick itself.
    window.stopped = true;
    window.trayImages.clear();
    window.connected = false;
    tickAt(10, 9, 4);
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(record(1).EndText, stored(10, 9, 4));
    EXPECT_EQ(record(1).UsedMinutes, 2);
    EXPECT_EQ(tracker.NextFilePointer(), 2);
    EXPECT_TRUE(window.trayImages.isEmpty()) << "the stopped image stays";
}

TEST_F(SessionTrackerTest, ScalePointerAndTrayImageFollowTheMinutesOfTheHour)
{
    startFile();
    window.trayOn = true;
    tickAt(10, 0, 30);
    EXPECT_EQ(window.trayImages, (QList<int>{0, 1}));
    for (int minutes = 1; minutes <= 65; ++minutes) {
        clock.advance(60);
        tracker.tick();
        if (minutes == 59) {
            EXPECT_EQ(tracker.view().pointerMinute, 59);
        }
        if (minutes == 60) {
            EXPECT_EQ(tracker.view().pointerMinute, 0);
            EXPECT_EQ(window.trayImages.last(), 1);
            EXPECT_EQ(tracker.view().spendingHour, 1);
        }
        if (minutes % 5 == 0) {
            EXPECT_EQ(window.trayImages.last(), tracker.minutesImage()) << minutes;
        }
    }
    EXPECT_EQ(window.trayImages, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
    EXPECT_EQ(tracker.UsedMinutes(), 65);

    window.connected = false;
    tracker.tick();
    EXPECT_EQ(window.trayImages.last(), 0);
    EXPECT_EQ(record(1).UsedMinutes, 65);
}

TEST_F(SessionTrackerTest, EntryNotSelectedIsNotRecordedAndEndsAnOpenSession)
{
    startFile();
    window.checked = false;
    tickAt(10, 0, 0);
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(window.statusLine, SessionTracker::entryNotRecordedText);
    EXPECT_EQ(records().size(), 1);

    // Traffic seen before recording began is not the session's.
    window.received = 777;
    window.always = true;
    tickAt(10, 0, 1);
    EXPECT_TRUE(tracker.SessionOpen());
    EXPECT_EQ(window.statusLine, QString());
    EXPECT_EQ(record(1).BytesReceived(), 0U);
    tickEverySecondUntil(10, 2, 20);

    window.always = false;
    tickAt(10, 2, 22);
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(record(1).EndText, stored(10, 2, 22));
    EXPECT_EQ(record(1).UsedMinutes, 2);
    tickAt(10, 2, 23);
    EXPECT_EQ(window.statusLine, SessionTracker::entryNotRecordedText);
    EXPECT_EQ(records().size(), 2);
}

TEST_F(SessionTrackerTest, ThreeHourSessionTickedEverySecondCountsOneHundredEighty)
{
    startFile();
    tickAt(10, 0, 0);
    for (int i = 0; i < 3 * 3600; ++i) {
        clock.advance(1);
        tracker.tick();
    }
    EXPECT_EQ(tracker.UsedMinutes(), 180);
    EXPECT_EQ(tracker.view().spendingHour, 3);
    EXPECT_EQ(tracker.view().elapsed, QStringLiteral("3:0:0"));
    EXPECT_EQ(record(1).UsedMinutes, 180);
    EXPECT_EQ(record(1).EndText, stored(13, 0, 0));
}

TEST_F(SessionTrackerTest, ElapsedTextHasNoLeadingZeros)
{
    startFile();
    tickAt(10, 0, 30);
    tickAt(10, 0, 35);
    EXPECT_EQ(tracker.view().elapsed, QStringLiteral("0:0:5"));
    tickAt(11, 0, 30);
    EXPECT_EQ(tracker.view().elapsed, QStringLiteral("1:0:0"));
    tickAt(11, 2, 5);
    EXPECT_EQ(tracker.view().elapsed, QStringLiteral("1:1:35"));
}

TEST_F(SessionTrackerTest, RollOverClosesTheFinishedRecordAtItsMomentAndGoesOnInRecordOneOfTheNewFile)
{
    startFile();
    tickAt(QDateTime(QDate(2024, 3, 31), QTime(23, 58, 10)));
    tickEverySecondUntil(23, 59, 59);
    tickAt(QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0)));
    tickEverySecondUntil(0, 0, 20);

    const QList<ProfileRecord> finished = records(file.backupDirPath() + QStringLiteral("1.rvl"));
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished[1].StartText, stored(23, 58, 10, 31));
    // Not the last quarter-minute save: nothing of the session is lost to the roll-over.
    EXPECT_EQ(finished[1].EndText, QStringLiteral("2024/04/01, 12:00:00 am"));
    EXPECT_EQ(finished[1].UsedMinutes, 2);

    const QList<ProfileRecord> current = records();
    ASSERT_EQ(current.size(), 2);
    EXPECT_EQ(current[0].CreatedDate, QStringLiteral("2024/04/01"));
    EXPECT_EQ(current[1].StartText, QStringLiteral("2024/04/01, 12:00:00 am"));
    EXPECT_EQ(current[1].EndText, QStringLiteral("2024/04/01, 12:00:15 am"));
    EXPECT_EQ(current[1].UsedMinutes, 0);
    EXPECT_EQ(tracker.NextFilePointer(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SessionTrackerTest, ClockJumpsCountAtMostOneMinute)
{
    startFile();
    tickAt(10, 5, 20);
    tickAt(10, 5, 40);
    tickAt(9, 30, 10);
    EXPECT_EQ(tracker.UsedMinutes(), 1);
    tickAt(9, 30, 11);
    tickAt(14, 30, 12);
    EXPECT_EQ(tracker.UsedMinutes(), 1) << "the minute value did not change";
    tickAt(18, 45, 13);
    EXPECT_EQ(tracker.UsedMinutes(), 2);
    tickAt(18, 45, 15);
    EXPECT_EQ(record(1).UsedMinutes, 2);
}

TEST_F(SessionTrackerTest, OutsideTheRecordingDaysNothingIsRecorded)
{
    clock.set(QDateTime(QDate(2024, 3, 25), QTime(10, 0, 0)));
    startFile(10, 20);
    ASSERT_FALSE(period.TodayInPeriod());
    window.connected = false;
    tracker.tick();
    EXPECT_EQ(tracker.view().link, TrackerView::Link::Offline);
    EXPECT_EQ(window.statusLine, SessionTracker::notRecordingDayText);

    window.statusLine.clear();
    window.connected = true;
    tickAt(10, 0, 15);
    EXPECT_EQ(window.statusLine, SessionTracker::notRecordingDayText);
    EXPECT_FALSE(tracker.SessionOpen());
    EXPECT_EQ(records().size(), 1);
}

TEST_F(SessionTrackerTest, OnlineWordCyclesThroughItsDotsWithOrWithoutAFile)
{
    QList<int> dots;
    for (int i = 0; i < 10; ++i) {
        clock.advance(1);
        tracker.tick();
        EXPECT_EQ(tracker.view().link, TrackerView::Link::Online);
        dots.append(tracker.view().onlineDots);
    }
    EXPECT_EQ(dots, (QList<int>{0, 1, 2, 3, 3, 1, 2, 3, 3, 1}));
    EXPECT_EQ(window.statusLine, SessionTracker::noPersonalFileText);
    EXPECT_FALSE(file.exists());

    // Loading a file starts the animation again from the bare word.
    startFile();
    clock.advance(1);
    tracker.tick();
    EXPECT_EQ(tracker.view().link, TrackerView::Link::Online);
    EXPECT_EQ(tracker.view().onlineDots, 0);
}

} // namespace

TEST_F(SessionTrackerTest, ANoticeLeftOpenStopsNothing)
{
    // A file "created" tomorrow: the clock notice opens at the load and is never answered.
    ProfileRecord head;
    head.Tag = ProfileRecord::UserProfileTag;
    head.CreatedDate = QStringLiteral("2024/03/21");
    head.NextPeriodDate = QStringLiteral("2024/04/01");
    head.StartingDay = 1;
    head.EndingDay = 31;
    QFile out(file.filePath());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(head.toBytes());
    out.close();
    window.connected = false;
    tracker.followReload(period.UserProfileInitial());
    ASSERT_EQ(dialogs.openBoxes.size(), 1);
    ASSERT_TRUE(period.PersonalFileActive());

    // Two sessions come and go under the open box; the header is read again after each, without a new box.
    for (const int hour : {9, 10}) {
        window.connected = true;
        tickAt(hour, 0, 3);
        tickEverySecondUntil(hour, 0, 23);
        window.connected = false;
        tracker.tick();
    }
    const QList<ProfileRecord> all = records();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1].StartText, stored(9, 0, 3));
    EXPECT_EQ(all[1].EndText, stored(9, 0, 23));
    EXPECT_EQ(all[2].StartText, stored(10, 0, 3));
    EXPECT_EQ(all[2].EndText, stored(10, 0, 23));
    EXPECT_EQ(dialogs.openBoxes.size(), 1);
    EXPECT_TRUE(period.DateNoticeShowing());
    dialogs.closeAllBoxes();
    EXPECT_FALSE(period.DateNoticeShowing());
}
