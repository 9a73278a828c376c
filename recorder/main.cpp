// The headless recorder: the recording core on Qt Core, for boxes and servers without a desktop.
#include "common/AppInfo.h"
#include "platform/Platform.h"
#include "recorder/EventLog.h"
#include "recorder/HeadlessPlatform.h"
#include "recorder/HeadlessProgram.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::puts("Usage: qovruvela-recorder\n"
                      "Records the time spent online into the personal file, as the qovruvela window does, with no\n"
                      "display; what the windows would show goes to standard error, one line per event. SIGTERM,\n"
                      "SIGINT and SIGHUP close the open session and end it. Exits with 1 when another copy runs.");
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qovruvela-recorder %s\n", QOVRUVELA_VERSION);
            return 0;
        }
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QovRuvela"));
    Platform platform;
    EventLog log([&platform] { return platform.clock->now(); });
    platform = HeadlessPlatform::make(log);
    return HeadlessProgram::run(platform, log);
}
