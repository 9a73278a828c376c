// The moment the main window is first on screen: what the first paint does not need waits for it, and start-up
// benchmarks end there.
#pragma once

#include <functional>

class QWidget;

namespace FirstPaint {

/// Runs `then` once, right after `window` was first exposed and painted (immediately when it is already
/// exposed). Callbacks run in the order they were given.
void after(QWidget& window, std::function<void()> then);

/// With QOVRUVELA_EXIT_AT_FIRST_PAINT set, ends the process right after the first paint, so that "start to
/// window on screen" can be timed from outside (bench/compare.sh); does nothing otherwise.
void exitAfterIfAsked(QWidget& window);

} // namespace FirstPaint
