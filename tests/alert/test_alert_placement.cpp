// The alert window's slide: every corner ends flush with the edges of the whole screen.
#include "alert/AlertPlacement.h"

#include <gtest/gtest.h>

namespace {

const QSize window(215, 193);

struct CornerCase
{
    const char* text;
    QPoint start;
    int direction;
    QPoint end;
};

TEST(AlertPlacementTest, EachCornerStartsOffScreenAndEndsFlushWithTwoEdges)
{
    // A 1024 x 768 screen whose panel may cover any edge: the alert still goes to the very edge.
    const QRect screen(0, 0, 1024, 768);
    const CornerCase cases[] = {
        {"Upper Left", {0, -193}, 1, {0, 0}},
        {"Upper Right", {809, -193}, 1, {809, 0}},
        {"Lower Left", {0, 768}, -1, {0, 575}},
        {"Lower Right", {809, 768}, -1, {809, 575}},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE(c.text);
        const AlertSlide slide =
            AlertPlacement::slideIn(AlertPlacement::cornerFromText(QString::fromLatin1(c.text)), screen, window);
        EXPECT_EQ(slide.start, c.start);
        EXPECT_EQ(slide.direction, c.direction);
        EXPECT_EQ(slide.steps, window.height());
        EXPECT_EQ(slide.end(), c.end);
    }
}

TEST(AlertPlacementTest, ASecondScreenBesideTheFirstKeepsTheCornerOnItsOwnEdges)
{
    const QRect screen(1920, 0, 1280, 1024);
    const AlertSlide lowerRight = AlertPlacement::slideIn(AlertCorner::LowerRight, screen, window);
    EXPECT_EQ(lowerRight.end() + QPoint(window.width(), window.height()), QPoint(1920 + 1280, 1024));
    const AlertSlide upperLeft = AlertPlacement::slideIn(AlertCorner::UpperLeft, screen, window);
    EXPECT_EQ(upperLeft.end(), QPoint(1920, 0));
}

TEST(AlertPlacementTest, AnyOtherTextMeansLowerRight)
{
    for (const QString& text : {QString(), QStringLiteral("upper left"), QStringLiteral("Centre")})
        EXPECT_EQ(AlertPlacement::cornerFromText(text), AlertCorner::LowerRight) << text.toStdString();
}

} // namespace
