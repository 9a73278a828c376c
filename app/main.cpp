// Program entry.
#include "app/PlatformFactory.h"
#include "app/Program.h"
#include "common/AppInfo.h"
#include "shell/ui/TrayImages.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    QApplication::setApplicationDisplayName(AppInfo::ProgramTitle);
    QApplication::setDesktopFileName(QStringLiteral("net.qov.Ruvela"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(TrayImages::appIcon(size)));
    QApplication::setWindowIcon(icon);
    Platform platform = PlatformFactory::make();
    return Program::run(platform);
}
