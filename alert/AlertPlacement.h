// Where an alert window starts and how it slides in: from off-screen to flush with a corner of the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

enum class AlertCorner
{
    UpperLeft,
    UpperRight,
    LowerLeft,
    LowerRight
};

// The window starts at `start` and moves `steps` times by `direction` pixels (+1 down, -1 up).
struct AlertSlide
{
    QPoint start;
    int direction = -1;
    int steps = 0;

    QPoint end() const { return start + QPoint(0, direction * steps); }
};

namespace AlertPlacement {

/// The corner named by the position box's text; any other text, also none, means the lower right.
AlertCorner cornerFromText(const QString& text);

/// The slide into `corner` of the whole `screen` (not only its free work area) for a window of `window` size.
AlertSlide slideIn(AlertCorner corner, const QRect& screen, const QSize& window);

} // namespace AlertPlacement
