// Where an alert window starts and how it slides in.
#include "alert/AlertPlacement.h"

namespace AlertPlacement {

AlertCorner cornerFromText(const QString& text)
{
    if (text == QLatin1String("Upper Left"))
        return AlertCorner::UpperLeft;
    if (text == QLatin1String("Upper Right"))
        return AlertCorner::UpperRight;
    if (text == QLatin1String("Lower Left"))
        return AlertCorner::LowerLeft;
    return AlertCorner::LowerRight;
}

AlertSlide slideIn(AlertCorner corner, const QRect& screen, const QSize& window)
{
    const bool left = corner == AlertCorner::UpperLeft || corner == AlertCorner::LowerLeft;
    const bool upper = corner == AlertCorner::UpperLeft || corner == AlertCorner::UpperRight;
    AlertSlide slide;
    slide.start.setX(left ? screen.x() : screen.x() + screen.width() - window.width());
    // Upper corners start just above the screen and move down; lower corners just below it and move up.
    slide.start.setY(upper ? screen.y() - window.height() : screen.y() + screen.height());
    slide.direction = upper ? 1 : -1;
    slide.steps = window.height();
    return slide;
}

} // namespace AlertPlacement
