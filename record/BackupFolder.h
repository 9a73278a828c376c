// The folder of finished personal files: slots 1 ... 24, then numbered sub-folders for each full set.
#pragma once

#include <QString>

class BackupFolder
{
public:
    static constexpr int slotCount = 24;

    /// `folder` is ProgramDir + BackupDirName and ends in "/".
    explicit BackupFolder(QString folder);

    QString folder() const { return m_folder; }
    /// The file of slot n (1 ... 24): "<folder>n.rvl".
    QString slotPath(int n) const;

    struct Outcome
    {
        bool moved = false;
        QString target; ///< where the file went
        QString error;  ///< a sentence for the user when it did not move
    };

    /// Moves `activeFile` into the first free slot. When all slots are taken, they first move into the first
    /// free numbered sub-folder and the file becomes slot 1. Files are only ever renamed, never copied, so at
    /// every moment each finished file exists exactly once; on any failure the active file stays where it is.
    Outcome moveIn(const QString& activeFile) const;

    /// Makes `folder` (and any missing parent) when it is not there; a folder made here is the user's alone
    /// (0700). An existing folder keeps its mode. True when the folder is there.
    static bool makePrivate(const QString& folder);

    /// Renames `from` to `to` without ever replacing an existing `to` and without copying.
    static bool renameFile(const QString& from, const QString& to, QString* error);

private:
    QString overflowFolder(int k) const;

    QString m_folder;
};
