// The alert window's rules: the automatic close, the reminder's minute counting, the topmost position.
#include "alert/AlertWindowState.h"

#include <gtest/gtest.h>

namespace {

TEST(AlertWindowStateTest, AutomaticCloseFallsOnTheEighthTickAndEndsAWaitingReminder)
{
    AlertWindowState state(0);
    state.setAutoClose(true);
    ASSERT_EQ(state.confirmReminder(5, 10), AlertWindowState::OkOutcome::HideUntilReminder);
    for (int tick = 1; tick <= 7; ++tick)
        EXPECT_FALSE(state.tick(true, 10 + tick).close) << "tick " << tick;
    const AlertTick eighth = state.tick(true, 18);
    EXPECT_TRUE(eighth.close);
    EXPECT_FALSE(eighth.remind);
    EXPECT_FALSE(state.RemindAgain());
}

TEST(AlertWindowStateTest, ReminderCountsChangesOfTheMinuteValueAlsoAcrossTheHour)
{
    AlertWindowState state(0);
    state.confirmReminder(2, 58);
    EXPECT_FALSE(state.tick(true, 58).remind);
    EXPECT_FALSE(state.tick(true, 59).remind);
    EXPECT_EQ(state.RemindMinutesLeft(), 1);
    EXPECT_FALSE(state.tick(true, 59).remind);
    // 59 to 00 is a change like any other.
    EXPECT_TRUE(state.tick(true, 0).remind);
    EXPECT_FALSE(state.RemindAgain());
    EXPECT_FALSE(state.tick(true, 1).remind);
}

TEST(AlertWindowStateTest, AClockJumpCountsAsOneMinute)
{
    AlertWindowState state(0);
    state.confirmReminder(3, 10);
    state.tick(true, 40);
    EXPECT_EQ(state.RemindMinutesLeft(), 2);
    EXPECT_EQ(state.OldMinute(), 40);
    EXPECT_EQ(state.CurrentMinute(), 40);
}

TEST(AlertWindowStateTest, OkWithoutMinutesCloses)
{
    AlertWindowState state(0);
    EXPECT_EQ(state.confirmReminder(0, 10), AlertWindowState::OkOutcome::Close);
    EXPECT_FALSE(state.RemindAgain());
}

TEST(AlertWindowStateTest, StopsPushingToTheTopFromTheTickAfterItLostTheFocus)
{
    AlertWindowState state(0);
    EXPECT_TRUE(state.tick(true, 0).reassertTopmost);
    EXPECT_TRUE(state.tick(false, 0).reassertTopmost);
    EXPECT_TRUE(state.LostFocus());
    EXPECT_FALSE(state.tick(true, 0).reassertTopmost);

    // A reminder that falls due starts pushing again.
    state.confirmReminder(1, 0);
    EXPECT_TRUE(state.tick(false, 1).remind);
    EXPECT_TRUE(state.tick(false, 1).reassertTopmost);

    AlertWindowState touched(0);
    touched.stopKeepingOnTop();
    EXPECT_FALSE(touched.tick(true, 0).reassertTopmost);
}

TEST(AlertWindowStateTest, OnlyASecondResizeInTheNormalStateDropsTheTopmostPosition)
{
    AlertWindowState state(0);
    EXPECT_FALSE(state.FormResize(false));
    EXPECT_FALSE(state.ResizeSeen());
    EXPECT_FALSE(state.FormResize(true));
    EXPECT_FALSE(state.LostFocus());
    EXPECT_TRUE(state.FormResize(true));
    EXPECT_TRUE(state.LostFocus());
}

} // namespace
