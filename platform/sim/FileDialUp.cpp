// A missing file is a system with nothing in it; a malformed one cannot be read.
#include "platform/sim/FileDialUp.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

FileDialUp::FileDialUp(const QString& folder) : m_path(QDir(folder).filePath(QLatin1String(fileName))) {}

std::optional<FileDialUp::Stamp> FileDialUp::stamp() const
{
#if defined(Q_OS_UNIX)
    struct stat info;
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return errno == ENOENT ? std::optional<Stamp>(Stamp{}) : std::nullopt;
    return Stamp{true, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ino};
#else
    return std::nullopt;
#endif
}

bool FileDialUp::load()
{
    // Polled every second: the same file need not be parsed again.
    const std::optional<Stamp> now = stamp();
    if (now && m_loaded && *now == *m_loaded && m_error.isEmpty())
        return true;
    m_loaded = now;
    QFile file(m_path);
    QString error;
    if (!file.exists()) {
        m_system = SimulatedSystem();
    } else if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
    } else if (!SimulationFile::parse(QString::fromUtf8(file.readAll()), m_system, error)) {
        m_system = SimulatedSystem();
    }
    if (!error.isEmpty() && error != m_error)
        std::fprintf(stderr, "qovruvela: %s: %s\n", qPrintable(QDir::toNativeSeparators(m_path)), qPrintable(error));
    m_error = error;
    return error.isEmpty();
}

void FileDialUp::store()
{
    m_loaded.reset(); // read again next time, also when this write fails
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(SimulationFile::format(m_system).toUtf8());
        file.commit();
    }
}
