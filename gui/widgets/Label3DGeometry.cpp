// Angle normalising, rotated-text placement, text-style copies and text-format flags of TLabel3D.
#include "gui/widgets/Label3DGeometry.h"

#include <cmath>
#include <cstdlib>

namespace Label3DGeometry {

namespace {

constexpr double Pi = 3.1415926535897932385;

// Sine and cosine of whole degrees; quarter turns are exact so that 90°, 180°, 270° and 360° do not
// lose a pixel to the rounding noise of the library functions.
double sinDeg(int degrees)
{
    switch (((degrees % 360) + 360) % 360) {
    case 0:
    case 180:
        return 0.0;
    case 90:
        return 1.0;
    case 270:
        return -1.0;
    default:
        return std::sin(degrees * Pi / 180.0);
    }
}

double cosDeg(int degrees)
{
    return sinDeg(degrees + 90);
}

// Rounds toward zero; a product that is a whole number up to rounding noise (sin 30° × 10) counts as
// that whole number.
int trunc(double value)
{
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) < 1e-9)
        return static_cast<int>(nearest);
    return static_cast<int>(std::trunc(value));
}

} // namespace

int normaliseEscapement(int degrees)
{
    if (degrees < 0) {
        degrees %= 360;
        if (degrees < 0)
            degrees += 360;
    } else if (degrees > 360) {
        degrees %= 360;
        if (degrees == 0)
            degrees = 360;
    }
    return degrees;
}

RotatedPlacement placeRotatedText(int angle, QSize text, bool autoSize, Qt::Alignment horizontal, int controlWidth)
{
    const double w = text.width();
    const double h = text.height();
    const double sinA = sinDeg(angle);
    const double cosA = cosDeg(angle);

    RotatedPlacement placement{};
    // The text turns about its top-left corner; move that corner so the turned text stays inside.
    if (angle <= 90)
        placement.offset = QPoint(0, trunc(sinA * w));
    else if (angle <= 180)
        placement.offset = QPoint(trunc(-cosA * w), trunc(cosDeg(180 - angle) * h + sinA * w));
    else if (angle <= 270)
        placement.offset = QPoint(trunc(sinDeg(angle - 180) * h - cosA * w), trunc(sinDeg(270 - angle) * h));
    else
        placement.offset = QPoint(trunc(sinDeg(360 - angle) * h), 0);

    placement.box = QSize(std::abs(trunc(cosA * w)) + std::abs(trunc(sinA * h)),
                          std::abs(trunc(sinA * w)) + std::abs(trunc(cosA * h)));

    if (autoSize) {
        placement.resize = true;
    } else if (horizontal & Qt::AlignHCenter) {
        placement.offset.rx() += (controlWidth - placement.box.width()) / 2;
    } else if (horizontal & Qt::AlignRight) {
        placement.offset.rx() += controlWidth - placement.box.width();
    }
    return placement;
}

QList<TextCopy> textStyleCopies(TTextStyle style, int shift)
{
    switch (style) {
    case tsRaised:
        return {{QPoint(1, 1), CopyColour::Shadow}};
    case tsLightRaised:
        return {{QPoint(1, 1), CopyColour::Shadow}, {QPoint(-1, -1), CopyColour::Highlight}};
    case tsRecessed:
        return {{QPoint(1, 1), CopyColour::Highlight}};
    case tsHeavyRecessed:
        return {{QPoint(1, 1), CopyColour::Highlight}, {QPoint(-1, -1), CopyColour::Shadow}};
    case tsShadow:
        return {{QPoint(shift, shift), CopyColour::Shadow}};
    case tsNone:
        break;
    }
    return {};
}

int labelTextFlags(Qt::Alignment alignment, bool wordWrap, bool showAccelChar, bool rotated)
{
    int flags = Qt::TextExpandTabs;
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    if (alignment & Qt::AlignRight)
        flags |= Qt::AlignRight;
    else if (alignment & Qt::AlignHCenter)
        flags |= Qt::AlignHCenter;
    else
        flags |= Qt::AlignLeft;
    // Without the mnemonic flag an ampersand is drawn as it stands.
    if (showAccelChar)
        flags |= Qt::TextShowMnemonic;
    if (rotated)
        return flags;
    if (alignment & Qt::AlignVCenter)
        flags |= Qt::AlignVCenter | Qt::TextSingleLine;
    else if (alignment & Qt::AlignBottom)
        flags |= Qt::AlignBottom | Qt::TextSingleLine;
    else
        flags |= Qt::AlignTop;
    return flags;
}

Qt::TextElideMode elideMode(TEllipsesStyle style)
{
    switch (style) {
    case esEnd:
        return Qt::ElideRight;
    case esPath:
        return Qt::ElideMiddle;
    case esNone:
        break;
    }
    return Qt::ElideNone;
}

} // namespace Label3DGeometry
