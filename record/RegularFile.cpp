// Opened without blocking, checked with fstat on the descriptor, then handed to QFile as a normal,
// blocking descriptor that it closes.
#include "record/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

bool isRegular(const QFile& file)
{
    struct stat info
    {};
    return file.handle() >= 0 && ::fstat(file.handle(), &info) == 0 && S_ISREG(info.st_mode);
}

Opened openForReading(QFile& file, const QString& path, QString* problem)
{
    return openForReading(file, QFile::encodeName(path), problem);
}

Opened openForReading(QFile& file, const QByteArray& nativePath, QString* problem)
{
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        *problem = QString::fromLocal8Bit(std::strerror(error));
        return error == ENOENT ? Opened::Missing : Opened::Failed;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *problem = QStringLiteral("%1 is not a regular file").arg(QFile::decodeName(nativePath));
        return Opened::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *problem = file.errorString();
        return Opened::Failed;
    }
    return Opened::Ok;
}

} // namespace RegularFile
