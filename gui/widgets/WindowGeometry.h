// A window's place and size on the screens: its frame's top-left corner is what is stored and restored, and
// its size is what its layout asks for, never more than its screen's available area.
#pragma once

#include <QPoint>

class QWidget;

namespace WindowGeometry {

/// The corner to store: the frame's top-left, as `pos()` reads it.
QPoint framePosition(const QWidget& window);

/// Puts a window's frame at `framePos` when it is first shown, moved in as far as it must to show whole on a
/// screen. Call `fixSizeWithinScreen` first: a size that changes afterwards makes the toolkit put the
/// content there instead of the frame, one title bar lower than it was stored.
void restoreFramePosition(QWidget& window, QPoint framePos);

/// Fixes the window's size at what its layout asks for, capped at its screen's available area less the
/// frame. Before the first show too: the layouts take in what changed while the window was hidden.
void fixSizeWithinScreen(QWidget& window);

} // namespace WindowGeometry
