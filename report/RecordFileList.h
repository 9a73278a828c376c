// The personal data files the Calculation tab offers: the active file from the program's folder, then the
// files of the folder listed last.
#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <functional>

class RecordFileList
{
public:
    /// `programDir` holds the active file, whose bare name `personalFileName` tells at the moment of asking.
    RecordFileList(QString programDir, std::function<QString()> personalFileName);

    /// The names to list for `dir`: the active file's name first when that file exists, then every file of
    /// `dir` that is listable and ends in ".rvl" in any letter case, in the order the file system gives them.
    /// An existing `dir` becomes LastListedDir; for any other text only the active file is listed.
    QStringList ReadFilesToList(const QString& dir);

    /// The folder listed last, ending in "/"; empty until a folder was listed.
    QString LastListedDir() const { return m_lastListedDir; }

    /// On Linux an ordinary file stands for one with nothing but the archive attribute: a regular file that
    /// is not hidden (no leading dot), not a link, and whose owner may write it.
    static bool isListable(const QFileInfo& entry);

    struct Choice
    {
        QString path;   ///< the file to total
        QString folder; ///< the folder shown under the list
    };
    /// Where a listed name lives: the active file's name always means the program's folder.
    Choice choiceOf(const QString& name) const;

private:
    QString m_programDir;
    std::function<QString()> m_personalFileName;
    QString m_lastListedDir;
};
