// What the program's own command line asks before any toolkit starts: --help and --version answer without a
// display, and --headless hands the process over to the headless recorder beside the program.
#pragma once

#include <optional>
#include <string>

namespace HeadlessLaunch {

/// The recorder's path beside the program at `programPath`.
std::string recorderBeside(const std::string& programPath);

/// Answers --help and --version, or replaces this process with the recorder for --headless. An exit status
/// when the program should end now (the recorder could not be started: 1); nothing when the window program
/// starts as always.
std::optional<int> handle(int argc, char* argv[]);

} // namespace HeadlessLaunch
