// Where windows may go: a window stays where it was stored when it shows whole there, and otherwise moves
// in as little as it must to show whole on the screen of its corner, or the nearest one; a window asks for
// no more than the screen leaves it.
#include "gui/widgets/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

using WindowPlacement::fitWithin;
using WindowPlacement::keepOnScreen;

// Two screens side by side, each with a panel: the left one's at the top, the right one's at the bottom.
const QList<QRect> screens = {QRect(0, 30, 1280, 994), QRect(1280, 0, 1920, 1040)};
const QSize window(560, 480);

TEST(WindowPlacement, AWindowThatShowsWholeStays)
{
    EXPECT_EQ(keepOnScreen(QRect(QPoint(227, 60), window), screens), QPoint(227, 60));
    EXPECT_EQ(keepOnScreen(QRect(QPoint(1500, 0), window), screens), QPoint(1500, 0));
    EXPECT_EQ(keepOnScreen(QRect(QPoint(720, 544), window), screens), QPoint(720, 544));
}

TEST(WindowPlacement, AWindowPartlyOffItsScreenMovesInAsLittleAsItMust)
{
    // Stored on a larger screen, or grown with a larger font: its corner is on the screen, its edge is not.
    EXPECT_EQ(keepOnScreen(QRect(QPoint(3000, 700), window), screens), QPoint(3200 - 560, 1040 - 480));
    EXPECT_EQ(keepOnScreen(QRect(QPoint(900, 100), window), screens), QPoint(1280 - 560, 100));
}

TEST(WindowPlacement, ACornerOffEveryScreenComesBackIntoTheNearest)
{
    // Crept up above the left screen's panel.
    EXPECT_EQ(keepOnScreen(QRect(QPoint(227, -20), window), screens), QPoint(227, 30));
    // Stored on a third screen that is gone, beyond the right one.
    EXPECT_EQ(keepOnScreen(QRect(QPoint(3400, 200), window), screens), QPoint(3200 - 560, 200));
    // Below the left screen: as far down as the whole window still fits.
    EXPECT_EQ(keepOnScreen(QRect(QPoint(100, 5000), window), screens), QPoint(100, 1024 - 480));
    // Far off to the upper left.
    EXPECT_EQ(keepOnScreen(QRect(QPoint(-900, -900), window), screens), QPoint(0, 30));
}

TEST(WindowPlacement, AWindowLargerThanTheScreenStartsAtItsCorner)
{
    EXPECT_EQ(keepOnScreen(QRect(QPoint(50, -300), QSize(2000, 1500)), {QRect(0, 0, 800, 600)}), QPoint(0, 0));
}

TEST(WindowPlacement, WithoutScreensTheCornerStays)
{
    EXPECT_EQ(keepOnScreen(QRect(QPoint(-50, -60), window), {}), QPoint(-50, -60));
    EXPECT_EQ(keepOnScreen(QRect(QPoint(-50, -60), window), {QRect()}), QPoint(-50, -60));
}

TEST(WindowPlacement, AWindowAsksForNoMoreThanTheScreenLeavesIt)
{
    const QRect area(0, 0, 1280, 770); // an 800-pixel screen less a panel
    const QMargins frame(1, 24, 1, 1);
    EXPECT_EQ(fitWithin(QSize(560, 480), area, frame), QSize(560, 480));
    EXPECT_EQ(fitWithin(QSize(840, 900), area, frame), QSize(840, 770 - 25));
    EXPECT_EQ(fitWithin(QSize(1400, 900), QRect(0, 0, 1024, 600), QMargins()), QSize(1024, 600));
}

} // namespace
