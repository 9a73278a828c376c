// The program's start-up sequence and its run.
#pragma once

struct Platform;

namespace Program {

/// Refuses a second copy, creates the main, dialer and session list windows, and runs until the end.
int run(Platform& platform);

} // namespace Program
