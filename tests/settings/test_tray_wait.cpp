// The wait for a notification area: it ends when one is there or when a minute has passed on the clock,
// however many looks that took, and a clock set back does not make it endless.
#include "settings/TrayWait.h"
#include "tests/support/TestClock.h"

#include <gtest/gtest.h>

namespace {

using Step = TrayWait::Step;

TEST(TrayWait, NotWaitingUntilStarted)
{
    TestClock clock;
    TrayWait wait(clock);
    EXPECT_EQ(wait.check(true), Step::Idle);
    EXPECT_FALSE(wait.waiting());
}

TEST(TrayWait, ANotificationAreaWithinTheMinuteEndsTheWait)
{
    TestClock clock;
    TrayWait wait(clock);
    wait.start();
    for (int second = 1; second < 45; ++second) {
        clock.advance(1);
        ASSERT_EQ(wait.check(false), Step::Waiting) << second;
    }
    EXPECT_EQ(wait.check(true), Step::Arrived);
    EXPECT_FALSE(wait.waiting());
    EXPECT_EQ(wait.check(true), Step::Idle); // answered once
}

TEST(TrayWait, AMinuteWithoutOneEndsTheWaitWhateverTheNumberOfLooks)
{
    TestClock clock;
    TrayWait wait(clock);
    wait.start();
    clock.advance(59);
    EXPECT_EQ(wait.check(false), Step::Waiting);
    clock.advance(1);
    EXPECT_EQ(wait.check(false), Step::GaveUp);
    EXPECT_EQ(wait.check(false), Step::Idle);

    // A machine that slept through the minute gives up at its first look, unless the area is there by then.
    wait.start();
    clock.advance(3600);
    EXPECT_EQ(wait.check(true), Step::Arrived);
    wait.start();
    clock.advance(3600);
    EXPECT_EQ(wait.check(false), Step::GaveUp);
}

TEST(TrayWait, AClockSetBackRestartsTheMinuteInsteadOfWaitingForever)
{
    TestClock clock;
    TrayWait wait(clock);
    wait.start();
    clock.advance(30);
    EXPECT_EQ(wait.check(false), Step::Waiting);
    clock.advance(-3600);
    EXPECT_EQ(wait.check(false), Step::Waiting);
    clock.advance(59);
    EXPECT_EQ(wait.check(false), Step::Waiting);
    clock.advance(1);
    EXPECT_EQ(wait.check(false), Step::GaveUp);
}

} // namespace
