// Build tool: writes the program's icon as PNG files in the hicolor theme's folder layout.
#include "gui/tray/TrayImages.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qovruvela-make-icons FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !TrayImages::appIcon(size).save(folder + QStringLiteral("/qovruvela.png"))) {
            std::fprintf(stderr, "qovruvela-make-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
