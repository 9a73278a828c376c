// A missing file is a system with nothing in it; a malformed one cannot be read. A change is written to a
// temporary file of the program's own in the folder and renamed over the file, so a reader never sees half
// of it and a link at the file's name is replaced, never written through.
#include "platform/sim/FileDialUp.h"

#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

FileDialUp::FileDialUp(const QString& folder) : m_folder(folder), m_path(QDir(folder).filePath(QLatin1String(fileName)))
{}

QString FileDialUp::folderProblem() const
{
    const QString why = PrivateFolder::problem(m_folder);
    return why.isEmpty() ? QString()
                         : QStringLiteral("The simulation folder %1 is not used: %2. Use a folder of your own that "
                                          "only you may write in, such as one made by mktemp -d.")
                               .arg(QDir::toNativeSeparators(m_folder), why);
}

QString FileDialUp::unavailableReason() const
{
    return folderProblem();
}

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
    // The folder is looked at every time: it may be opened to others while the file stays the same.
    if (const QString problem = folderProblem(); !problem.isEmpty()) {
        if (problem != m_error)
            std::fprintf(stderr, "qovruvela: %s\n", qPrintable(problem));
        m_error = problem;
        m_loaded.reset();
        m_system = SimulatedSystem();
        return false;
    }
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
    if (!folderProblem().isEmpty())
        return;
    QTemporaryFile file(QDir(m_folder).filePath(QStringLiteral(".dialup.XXXXXX")));
    if (!file.open())
        return;
    const QByteArray text = SimulationFile::format(m_system).toUtf8();
    if (file.write(text) != text.size() || !file.flush())
        return;
    // rename(2) replaces whatever has the name, a link included, and never follows it.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(m_path).constData()) == 0)
        file.setAutoRemove(false);
    else
        std::fprintf(stderr, "qovruvela: %s: %s\n", qPrintable(QDir::toNativeSeparators(m_path)), std::strerror(errno));
}
