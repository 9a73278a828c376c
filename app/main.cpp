// Program entry.
#include "app/DisplayPlatform.h"
#include "app/PlatformFactory.h"
#include "app/Program.h"
#include "shell/ui/TrayImages.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char* argv[])
{
    DisplayPlatform::chooseForThisProcess();
    QApplication app(argc, argv);
    // No display name: the toolkit would append it to every window title, and the titles are the captions.
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    QApplication::setDesktopFileName(QStringLiteral("net.qov.Ruvela"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(TrayImages::appIcon(size)));
    QApplication::setWindowIcon(icon);
    Platform platform = PlatformFactory::make();
    return Program::run(platform);
}
