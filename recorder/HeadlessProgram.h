// The headless recorder's start and run: the same lock, settings, personal file and recording core as the
// window program, with its events on standard error instead of windows.
#pragma once

class EventLog;
struct Platform;

namespace HeadlessProgram {

/// Refuses to start beside another copy (exit status 1), then records until a signal ends it; the open
/// session is closed then, as the window program closes it.
int run(Platform& platform, EventLog& log);

} // namespace HeadlessProgram
