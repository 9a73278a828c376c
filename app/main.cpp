// Program entry.
#include "app/AppInfo.h"
#include "app/PlatformFactory.h"
#include "app/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    QApplication::setApplicationDisplayName(AppInfo::ProgramTitle);
    Platform platform = PlatformFactory::make();
    return Program::run(platform);
}
