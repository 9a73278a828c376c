// Keyboard access to a window's menu bar as desktops offer it: Alt alone or F10 puts the keyboard on the
// bar's first item (the arrows move, Enter opens, Esc leaves); Alt and an underlined letter opens that item.
#pragma once

class QMainWindow;

namespace MenuBarKeys {
/// Turns it on for `window`'s menu bar, whatever the widget style's own habit.
void enable(QMainWindow& window);
} // namespace MenuBarKeys
