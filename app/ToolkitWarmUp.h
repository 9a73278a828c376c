// The toolkit's shared tables filled on a second thread while the main thread starts: first the font
// configuration, while the toolkit connects to the display and the recording core loads; then, once the
// toolkit exists, its list of the system's fonts, the fallbacks of the default font and the image format
// plugins, while the window's first widgets are made. Left to the first text measured and the first image
// read, all of it would run on the main thread, over a third of what a start costs before the window is
// painted.
#pragma once

namespace ToolkitWarmUp {

/// Starts loading the font configuration; does nothing where its library cannot be loaded. Before the
/// application object exists.
void start();
/// Lets the thread go on to the toolkit's font list and image plugins, once the application object exists.
void toolkitMade();
/// Waits for the font configuration, if its load was started: two loads at once would each do the whole
/// work. The toolkit's font list may still be filling: the toolkit's own lock makes any font asked for
/// wait for it.
void wait();
/// Ends the thread, before the application object goes.
void finish();

} // namespace ToolkitWarmUp
