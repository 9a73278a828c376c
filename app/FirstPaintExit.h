// For start-up benchmarks: with QOVRUVELA_EXIT_AT_FIRST_PAINT set, the process ends the moment the main
// window has been exposed and painted for the first time, so "start to window on screen" can be timed from
// outside (bench/compare.sh) without waiting for anything else.
#pragma once

class QWidget;

namespace FirstPaintExit {

/// Arms the exit for `window` when the variable is set; does nothing otherwise.
void armIfAsked(QWidget& window);

} // namespace FirstPaintExit
