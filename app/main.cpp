// Program entry.
#include "app/DisplayPlatform.h"
#include "app/HeadlessLaunch.h"
#include "app/PlatformFactory.h"
#include "app/Program.h"
#include "app/ToolkitWarmUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const std::optional<int> code = HeadlessLaunch::handle(argc, argv))
        return *code;
    DisplayPlatform::chooseForThisProcess();
    ToolkitWarmUp::start();
    QApplication app(argc, argv);
    ToolkitWarmUp::toolkitMade();
    // No display name: the toolkit would append it to every window title, and the titles are the captions.
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    QApplication::setDesktopFileName(QStringLiteral("net.qov.Ruvela"));
    Platform platform = PlatformFactory::make();
    const int code = Program::run(platform);
    ToolkitWarmUp::finish();
    return code;
}
