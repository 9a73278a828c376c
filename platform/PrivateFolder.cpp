#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFolder {

QString problem(const QString& folder)
{
    if (folder.isEmpty())
        return QStringLiteral("no folder");
    const QByteArray path = QFile::encodeName(folder);
    struct stat info
    {};
    if (::lstat(path.constData(), &info) != 0) {
        if (errno != ENOENT)
            return QString::fromLocal8Bit(std::strerror(errno));
        if (!QDir().mkpath(folder))
            return QStringLiteral("it cannot be made");
        ::chmod(path.constData(), 0700);
        if (::lstat(path.constData(), &info) != 0)
            return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("it is not a folder");
    if (info.st_uid != ::geteuid())
        return QStringLiteral("it belongs to someone else");
    if (info.st_mode & (S_IWGRP | S_IWOTH))
        return QStringLiteral("others may write in it");
    return QString();
}

} // namespace PrivateFolder
