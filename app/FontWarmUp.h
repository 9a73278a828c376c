// The font configuration loaded on a second thread while the toolkit connects to the display and the
// recording core loads: the first text measured would otherwise load it on the main thread, a quarter of
// what a start costs before the window is painted.
#pragma once

namespace FontWarmUp {

/// Starts the load; does nothing where the font configuration library cannot be loaded.
void start();
/// Waits for the load started, if any, to end: two loads at once would each do the whole work.
void wait();

} // namespace FontWarmUp
