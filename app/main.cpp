// Program entry.
#include "app/DisplayPlatform.h"
#include "app/FontWarmUp.h"
#include "app/PlatformFactory.h"
#include "app/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    DisplayPlatform::chooseForThisProcess();
    FontWarmUp::start();
    QApplication app(argc, argv);
    FontWarmUp::toolkitMade();
    // No display name: the toolkit would append it to every window title, and the titles are the captions.
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    QApplication::setDesktopFileName(QStringLiteral("net.qov.Ruvela"));
    Platform platform = PlatformFactory::make();
    const int code = Program::run(platform);
    FontWarmUp::finish();
    return code;
}
