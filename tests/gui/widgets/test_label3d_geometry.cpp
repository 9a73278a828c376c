// The three-dimensional label's arithmetic: angles, rotated placement, text-style copies, format flags.
#include "gui/widgets/Label3DGeometry.h"

#include <QtMath>
#include <gtest/gtest.h>

using namespace Label3DGeometry;

TEST(Label3DGeometry, EscapementIsBroughtIntoZeroToFullTurn)
{
    EXPECT_EQ(normaliseEscapement(-90), 270);
    EXPECT_EQ(normaliseEscapement(450), 90);
    EXPECT_EQ(normaliseEscapement(720), 360);
    EXPECT_EQ(normaliseEscapement(-360), 0);
    EXPECT_EQ(normaliseEscapement(-450), 270);
    EXPECT_EQ(normaliseEscapement(361), 1);
    for (int kept : {0, 1, 180, 359, 360})
        EXPECT_EQ(normaliseEscapement(kept), kept);
    EXPECT_EQ(normaliseEscapement(std::numeric_limits<int>::min()), 232);
    EXPECT_EQ(normaliseEscapement(std::numeric_limits<int>::max()), 127);
}

// A caption 100 × 20 pixels; sin 20° = 0.342, cos 20° = 0.940.
TEST(Label3DGeometry, RotatedTextOffsetAndBoxInEachQuadrant)
{
    const QSize text(100, 20);
    struct Case
    {
        int angle;
        QPoint offset;
        QSize box;
    };
    for (const Case& c : {Case{20, QPoint(0, 34), QSize(99, 52)},    // (0, 100 sin 20°)
                          Case{110, QPoint(34, 100), QSize(52, 99)}, // (100 sin 20°, 20 sin 20° + 100 cos 20°)
                          Case{200, QPoint(100, 18), QSize(99, 52)}, // (20 sin 20° + 100 cos 20°, 20 cos 20°)
                          Case{290, QPoint(18, 0), QSize(52, 99)},   // (20 cos 20°, 0)
                          Case{90, QPoint(0, 100), QSize(20, 100)}, Case{180, QPoint(100, 20), QSize(100, 20)},
                          Case{270, QPoint(20, 0), QSize(20, 100)}, Case{360, QPoint(0, 0), QSize(100, 20)},
                          Case{30, QPoint(0, 50), QSize(96, 67)}}) { // 100 sin 30° is exactly 50
        const RotatedPlacement p = placeRotatedText(c.angle, text, false, Qt::AlignLeft, 300);
        EXPECT_EQ(p.offset, c.offset) << c.angle;
        EXPECT_EQ(p.box, c.box) << c.angle;
        EXPECT_FALSE(p.resize);
    }
}

// Whatever the angle, the turned caption must start at the box's left and top edge and stay inside it.
TEST(Label3DGeometry, TurnedCaptionFitsItsBoxAtEveryAngle)
{
    const double w = 100, h = 20;
    for (int angle = 1; angle <= 360; ++angle) {
        const RotatedPlacement p = placeRotatedText(angle, QSize(100, 20), true, Qt::AlignLeft, 0);
        const double b = qDegreesToRadians(double(angle));
        double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
        for (const QPointF corner : {QPointF(0, 0), QPointF(w, 0), QPointF(0, h), QPointF(w, h)}) {
            // Counter-clockwise on a screen whose y axis points down.
            const double x = corner.x() * std::cos(b) + corner.y() * std::sin(b) + p.offset.x();
            const double y = -corner.x() * std::sin(b) + corner.y() * std::cos(b) + p.offset.y();
            minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
        }
        EXPECT_GT(minX, -1) << angle;
        EXPECT_LE(minX, 1) << angle;
        EXPECT_GT(minY, -1) << angle;
        EXPECT_LE(minY, 1) << angle;
        EXPECT_LE(maxX, p.box.width() + 2) << angle;
        EXPECT_LE(maxY, p.box.height() + 2) << angle;
    }
}

TEST(Label3DGeometry, AutoSizeResizesInsteadOfAligning)
{
    const QSize text(100, 20);
    const RotatedPlacement sized = placeRotatedText(20, text, true, Qt::AlignRight, 300);
    EXPECT_TRUE(sized.resize);
    EXPECT_EQ(sized.offset, QPoint(0, 34));
    EXPECT_EQ(sized.box, QSize(99, 52));

    EXPECT_EQ(placeRotatedText(20, text, false, Qt::AlignLeft, 300).offset, QPoint(0, 34));
    EXPECT_EQ(placeRotatedText(20, text, false, Qt::AlignRight, 300).offset, QPoint(201, 34));
    EXPECT_EQ(placeRotatedText(20, text, false, Qt::AlignHCenter, 300).offset, QPoint(100, 34)); // 201 / 2
    EXPECT_EQ(placeRotatedText(20, text, false, Qt::AlignHCenter, 50).offset, QPoint(-24, 34));  // -49 / 2
}

// Centre and bottom layout draw one line; a turned caption ignores the layout.
TEST(Label3DGeometry, VerticalLayoutFlags)
{
    const int base = Qt::TextExpandTabs | Qt::TextWordWrap | Qt::AlignHCenter;
    EXPECT_EQ(labelTextFlags(Qt::AlignHCenter | Qt::AlignTop, true, false, false), base | Qt::AlignTop);
    EXPECT_EQ(labelTextFlags(Qt::AlignHCenter | Qt::AlignVCenter, true, false, false),
              base | Qt::AlignVCenter | Qt::TextSingleLine);
    EXPECT_EQ(labelTextFlags(Qt::AlignHCenter | Qt::AlignBottom, true, false, false),
              base | Qt::AlignBottom | Qt::TextSingleLine);
    EXPECT_EQ(labelTextFlags(Qt::AlignHCenter | Qt::AlignBottom, true, false, true), base);
}
