// Where a window may go on the screens there are now: a position stored on another set-up, or by a
// program that let its windows creep, must not leave a window where nobody can reach it.
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

namespace WindowPlacement {

/// The top-left corner for a window whose frame would be `frame`, so that it shows whole on one screen: on
/// the screen whose `available` area holds its corner, or else the nearest one, moved in only as far as it
/// must (a frame larger than the area starts at the area's corner). With no areas known the corner stays.
QPoint keepOnScreen(const QRect& frame, const QList<QRect>& available);

/// The content size for a window that wants `wanted` and whose frame adds `frameMargins`: no larger than
/// lets the frame fit `available`.
QSize fitWithin(QSize wanted, const QRect& available, const QMargins& frameMargins);

} // namespace WindowPlacement
