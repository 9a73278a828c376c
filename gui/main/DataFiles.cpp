// Looking up the program's data files in a portable copy, the build tree and an install alike.
#include "gui/main/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace DataFiles {

QString find(const QString& programDir, const QString& name)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QDir(programDir).filePath(name),
        QDir(exeDir).filePath(name),
        QDir(exeDir).filePath(QStringLiteral("../share/qovruvela/") + name),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    return candidates.first();
}

} // namespace DataFiles
