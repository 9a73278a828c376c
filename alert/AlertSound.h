// The alert sound: a wave file named after the sound, looked up in the program's folders and played
// without waiting; when it is missing or cannot be played, the user is told in a warning window.
#pragma once

#include <QStringList>
#include <functional>

class Sound;

class AlertSound
{
public:
    using ShowWarning = std::function<void(const QString& text)>;

    /// `folders` are searched in order; each ends in "/".
    AlertSound(Sound& sound, QStringList folders, ShowWarning showWarning);

    /// Starts the sound `name` (a bare name, without folder or extension) and returns at once.
    void PlaySound(const QString& name);

    /// The file that `PlaySound(name)` plays; empty when no folder holds it.
    QString find(const QString& name) const;

    /// Where the sound files are: the program's folder first, then the data folder of an installed copy
    /// ("../share/qovruvela" from the executable). Both arguments may end in "/" or not.
    static QStringList soundFolders(const QString& programDir, const QString& executableDir);

    static QString notFoundText(const QString& name);
    static inline const QString cannotPlayText = QStringLiteral("Failing to play sound. MCI is busy.");

private:
    Sound& m_sound;
    QStringList m_folders;
    ShowWarning m_showWarning;
};
