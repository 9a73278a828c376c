// A missing file is a system with nothing in it; a malformed one cannot be read.
#include "platform/sim/FileDialUp.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

FileDialUp::FileDialUp(const QString& folder) : m_path(QDir(folder).filePath(QLatin1String(fileName))) {}

bool FileDialUp::load()
{
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
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(SimulationFile::format(m_system).toUtf8());
        file.commit();
    }
}
