// The kernel drops the lock when its holder dies, so a crashed copy never blocks the next start. A path is
// never built from an empty folder: a lock in "/" would be no lock at all.
#include "platform/linux/LockFileInstance.h"

#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

LockFileInstance::LockFileInstance() : LockFileInstance(defaultFolders()) {}

QStringList LockFileInstance::defaultFolders()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return {QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
            cache.isEmpty() ? QString() : cache + QStringLiteral("/QovRuvela")};
}

LockFileInstance::LockFileInstance(QStringList folders) : m_folders(std::move(folders)) {}

LockFileInstance::~LockFileInstance()
{
    for (const int fd : m_fds)
        ::close(fd);
}

QString LockFileInstance::folderProblem(const QString& folder)
{
    return PrivateFolder::problem(folder);
}

bool LockFileInstance::IsAlreadyRunning()
{
    if (!m_fds.isEmpty())
        return false;
    QStringList problems;
    QList<int> held;
    bool another = false;
    for (const QString& folder : m_folders) {
        if (folder.isEmpty())
            continue;
        if (const QString why = folderProblem(folder); !why.isEmpty()) {
            problems.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(folder), why));
            continue;
        }
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(lockName));
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            problems.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(folder),
                                                         QString::fromLocal8Bit(std::strerror(errno))));
            continue;
        }
        int rc = 0;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            another = another || errno == EWOULDBLOCK;
            if (errno != EWOULDBLOCK)
                problems.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(folder),
                                                             QString::fromLocal8Bit(std::strerror(errno))));
            ::close(fd);
            continue;
        }
        held.append(fd);
    }
    if (another) {
        for (const int fd : held)
            ::close(fd);
        return true;
    }
    m_fds = held;
    m_problem = held.isEmpty() ? QStringLiteral("No running-copy lock can be taken (%1).")
                                     .arg(problems.isEmpty() ? QStringLiteral("no folder for it")
                                                             : problems.join(QStringLiteral("; ")))
                               : QString();
    return false;
}
