// The alert sound and its two warnings.
#include "alert/AlertSound.h"

#include "platform/Sound.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString extension = QStringLiteral(".wav");

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
} // namespace

AlertSound::AlertSound(Sound& sound, QStringList folders, ShowWarning showWarning)
    : m_sound(sound), m_folders(std::move(folders)), m_showWarning(std::move(showWarning))
{}

QString AlertSound::find(const QString& name) const
{
    for (const QString& folder : m_folders) {
        const QString path = folder + name + extension;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void AlertSound::PlaySound(const QString& name)
{
    const QString path = find(name);
    if (path.isEmpty()) {
        m_showWarning(notFoundText(name));
        return;
    }
    if (!m_sound.play(path))
        m_showWarning(cannotPlayText);
}

QStringList AlertSound::soundFolders(const QString& programDir, const QString& executableDir)
{
    QStringList folders;
    if (!programDir.isEmpty())
        folders.append(withSlash(programDir));
    const QString installed =
        withSlash(QDir::cleanPath(withSlash(executableDir) + QStringLiteral("../share/qovruvela")));
    if (!folders.contains(installed))
        folders.append(installed);
    return folders;
}

QString AlertSound::notFoundText(const QString& name)
{
    return name + extension + QStringLiteral(" not found. Play no sound.");
}
