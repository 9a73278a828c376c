// Distances are measured from the window's corner to the nearest point of each area.
#include "gui/widgets/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace WindowPlacement {

namespace {
qint64 squaredDistance(const QPoint& point, const QRect& area)
{
    const qint64 dx = point.x() < area.left() ? area.left() - point.x() : std::max(0, point.x() - area.right());
    const qint64 dy = point.y() < area.top() ? area.top() - point.y() : std::max(0, point.y() - area.bottom());
    return dx * dx + dy * dy;
}

// As far towards `wanted` as the area leaves room for `length`; the area's start when it is too short.
int clampInto(int wanted, int length, int start, int areaLength)
{
    return std::max(start, std::min(wanted, start + areaLength - length));
}
} // namespace

QPoint keepOnScreen(const QRect& frame, const QList<QRect>& available)
{
    const QPoint corner = frame.topLeft();
    const QRect* chosen = nullptr;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& area : available) {
        if (area.isEmpty())
            continue;
        const qint64 distance = squaredDistance(corner, area);
        if (distance < best) {
            best = distance;
            chosen = &area;
        }
    }
    if (!chosen)
        return corner;
    return {clampInto(corner.x(), frame.width(), chosen->left(), chosen->width()),
            clampInto(corner.y(), frame.height(), chosen->top(), chosen->height())};
}

QSize fitWithin(QSize wanted, const QRect& available, const QMargins& frameMargins)
{
    const QSize room = available.size().shrunkBy(frameMargins);
    return wanted.boundedTo(room.expandedTo(QSize(1, 1)));
}

} // namespace WindowPlacement
