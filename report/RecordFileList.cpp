// Listing is done afresh on each search or refresh; nothing is cached between two listings.
#include "report/RecordFileList.h"

#include <QDir>
#include <QDirIterator>

namespace {

QString withSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

RecordFileList::RecordFileList(QString programDir, std::function<QString()> personalFileName)
    : m_programDir(withSlash(std::move(programDir))), m_personalFileName(std::move(personalFileName))
{}

bool RecordFileList::isListable(const QFileInfo& entry)
{
    return entry.isFile() && !entry.isSymLink() && !entry.fileName().startsWith(QLatin1Char('.')) &&
           entry.permission(QFileDevice::WriteOwner);
}

QStringList RecordFileList::ReadFilesToList(const QString& dir)
{
    QStringList names;
    const QString personalFileName = m_personalFileName ? m_personalFileName() : QString();
    if (!m_programDir.isEmpty() && !personalFileName.isEmpty() && QFileInfo(m_programDir + personalFileName).isFile())
        names.append(personalFileName);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return names;
    m_lastListedDir = withSlash(dir);

    QDirIterator entries(m_lastListedDir, QDir::Files | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString name = entry.fileName();
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (!isListable(entry) || dot < 0 || name.mid(dot).toLower() != QLatin1String(".rvl"))
            continue;
        if (name != personalFileName)
            names.append(name);
    }
    return names;
}

RecordFileList::Choice RecordFileList::choiceOf(const QString& name) const
{
    const QString personalFileName = m_personalFileName ? m_personalFileName() : QString();
    if (name != personalFileName)
        return {m_lastListedDir + name, m_lastListedDir};
    return {m_programDir + name, m_programDir};
}
