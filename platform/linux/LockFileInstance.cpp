// The kernel drops the lock when its holder dies, so a crashed copy never blocks the next start.
#include "platform/linux/LockFileInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

LockFileInstance::LockFileInstance(QString folder) : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

LockFileInstance::~LockFileInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LockFileInstance::IsAlreadyRunning()
{
    if (m_fd >= 0)
        return false;
    QDir().mkpath(m_folder);
    const QByteArray path = QFile::encodeName(m_folder + QLatin1Char('/') + QLatin1String(lockName));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false; // No place for the mark: better a second copy than no copy at all.
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    m_fd = fd;
    return false;
}
