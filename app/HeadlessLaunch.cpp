// Plain C++ and no Qt: this runs before the toolkit, and the recorder is started with exec, so that what
// runs headless never has the widget libraries mapped, and a service manager sees one process.
#include "app/HeadlessLaunch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace HeadlessLaunch {

namespace {
std::string ownPath(const char* argv0)
{
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length > 0)
        return std::string(buffer.data(), static_cast<size_t>(length));
    return argv0 ? argv0 : "";
}

const char* const usage =
    "Usage: qovruvela [--headless]\n"
    "Records the time spent online over dial-up and point-to-point connections into a personal file.\n"
    "\n"
    "  --headless   record without a display: no window and no tray icon; what the windows would\n"
    "               show goes to standard error, one line per event (the qovruvela-recorder program)\n"
    "  --at-login   the start-at-log-in entry's start: with that option on, the program starts in the tray\n"
    "  --help       show this text and end\n"
    "  --version    show the version and end\n";
} // namespace

std::string recorderBeside(const std::string& programPath)
{
    const std::string::size_type slash = programPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : programPath.substr(0, slash);
    return folder + "/qovruvela-recorder";
}

std::optional<int> handle(int argc, char* argv[])
{
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qovruvela %s\n", QOVRUVELA_VERSION);
            return 0;
        }
        headless = headless || std::strcmp(argv[i], "--headless") == 0;
    }
    if (!headless)
        return std::nullopt;
    const std::string recorder = recorderBeside(ownPath(argc > 0 ? argv[0] : nullptr));
    // The recorder takes no arguments of its own; its name in argv keeps `ps` and the journal clear.
    char* const recorderArgv[] = {const_cast<char*>(recorder.c_str()), nullptr};
    ::execv(recorder.c_str(), recorderArgv);
    std::fprintf(stderr, "qovruvela: cannot start %s: %s\n", recorder.c_str(), std::strerror(errno));
    return 1;
}

} // namespace HeadlessLaunch
