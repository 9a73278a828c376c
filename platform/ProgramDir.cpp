// Choosing the folder of the personal data files.
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace ProgramDir {

static QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

Choice choose(const QString& executableDir, const QString& userDataDir,
              const std::function<bool(const QString&)>& canWrite, const QString& personalFileName)
{
    // root can write in /usr/bin, but personal files there would outlive the package that installed them.
    const bool installed = isInstalledCopy(executableDir);
    if (!installed && canWrite(executableDir))
        return {withSlash(executableDir), QString()};
    if (!installed && !personalFileName.isEmpty() && QFileInfo(withSlash(executableDir) + personalFileName).isFile())
        return {withSlash(executableDir), QString()};
    if (!userDataDir.isEmpty() && canWrite(userDataDir))
        return {withSlash(userDataDir), QString()};
    if (installed)
        return {QString(), QStringLiteral("The data folder %1 cannot be written. "
                                          "No personal file can be kept until it can.")
                               .arg(QDir::toNativeSeparators(userDataDir))};
    return {QString(), QStringLiteral("Neither the program folder %1 nor the data folder %2 can be written. "
                                      "No personal file can be kept until one of them can.")
                           .arg(QDir::toNativeSeparators(executableDir), QDir::toNativeSeparators(userDataDir))};
}

bool isInstalledCopy(const QString& executableDir)
{
    return QFileInfo(QDir(executableDir).filePath(QStringLiteral("../share/qovruvela"))).isDir();
}

bool canWriteIn(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder))
            return false;
        // Made here, it holds the user's personal files alone.
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".qovruvela-probe-XXXXXX")));
    return probe.open();
}

Choice forThisProcess(const QString& personalFileName)
{
    const QString dataDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/QovRuvela");
    return choose(QCoreApplication::applicationDirPath(), dataDir, canWriteIn, personalFileName);
}

} // namespace ProgramDir
