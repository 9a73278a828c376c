// The alert window's rules: the automatic close, the reminder's minute counting, the topmost position.
#include "alert/AlertWindowState.h"

#include <gtest/gtest.h>

namespace {

TEST(AlertWindowStateTest, AutomaticCloseFallsOnTheEighthTickAndEndsAWaitingReminder)
{
    AlertWindowState state(0);
    state.setAutoClose(true);
    ASSERT_EQ(state.btnOKClick(5, 10), AlertWindowState::OkOutcome::HideUntilReminder);
    for (int tick = 1; tick <= 7; ++tick)
        EXPECT_FALSE(state.Timer1Timer(true, 10 + tick).close) << "tick " << tick;
    const AlertTick eighth = state.Timer1Timer(true, 18);
    EXPECT_TRUE(eighth.close);
    EXPECT_FALSE(eighth.remind);
    EXPECT_FALSE(state.RemindAgain());
}

TEST(AlertWindowStateTest, ReminderCountsChangesOfTheMinuteValueAlsoAcrossTheHour)
{
    AlertWindowState state(0);
    state.btnOKClick(2, 58);
    EXPECT_FALSE(state.Timer1Timer(true, 58).remind);
    EXPECT_FALSE(state.Timer1Timer(true, 59).remind);
    EXPECT_EQ(state.RemindMinutesLeft(), 1);
    EXPECT_FALSE(state.Timer1Timer(true, 59).remind);
    // 59 to 00 is a change like any other.
    EXPECT_TRUE(state.Timer1Timer(true, 0).remind);
    EXPECT_FALSE(state.RemindAgain());
    EXPECT_FALSE(state.Timer1Timer(true, 1).remind);
}

TEST(AlertWindowStateTest, AClockJumpCountsAsOneMinute)
{
    AlertWindowState state(0);
    state.btnOKClick(3, 10);
    state.Timer1Timer(true, 40);
    EXPECT_EQ(state.RemindMinutesLeft(), 2);
    EXPECT_EQ(state.OldMinute(), 40);
    EXPECT_EQ(state.CurrentMinute(), 40);
}

TEST(AlertWindowStateTest, OkWithoutMinutesCloses)
{
    AlertWindowState state(0);
    EXPECT_EQ(state.btnOKClick(0, 10), AlertWindowState::OkOutcome::Close);
    EXPECT_FALSE(state.RemindAgain());
}

TEST(AlertWindowStateTest, StopsPushingToTheTopFromTheTickAfterItLostTheFocus)
{
    AlertWindowState state(0);
    EXPECT_TRUE(state.Timer1Timer(true, 0).reassertTopmost);
    EXPECT_TRUE(state.Timer1Timer(false, 0).reassertTopmost);
    EXPECT_TRUE(state.LostFocus());
    EXPECT_FALSE(state.Timer1Timer(true, 0).reassertTopmost);

    // A reminder that falls due starts pushing again.
    state.btnOKClick(1, 0);
    EXPECT_TRUE(state.Timer1Timer(false, 1).remind);
    EXPECT_TRUE(state.Timer1Timer(false, 1).reassertTopmost);

    AlertWindowState touched(0);
    touched.SpinEdit1Change();
    EXPECT_FALSE(touched.Timer1Timer(true, 0).reassertTopmost);
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
