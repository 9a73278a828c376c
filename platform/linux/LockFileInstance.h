// The running-copy mark: an advisory lock on a file in the user's runtime folder and in a private folder of
// the user's own, so that copies started with and without a runtime folder (under su or sudo, some X
// log-ins) still see each other.
#pragma once

#include "platform/SingleInstance.h"

#include <QList>
#include <QString>
#include <QStringList>

class LockFileInstance final : public SingleInstance
{
public:
    /// The user's runtime folder (XDG_RUNTIME_DIR) and `$XDG_CACHE_HOME/QovRuvela`.
    LockFileInstance();
    /// The runtime folder and the private cache folder, as the default constructor locks them.
    static QStringList defaultFolders();
    /// The folders to lock in, in order; an empty one is skipped.
    explicit LockFileInstance(QStringList folders);
    ~LockFileInstance() override;
    LockFileInstance(const LockFileInstance&) = delete;
    LockFileInstance& operator=(const LockFileInstance&) = delete;

    /// Claims the mark in every usable folder; true when another copy holds it in any of them.
    bool IsAlreadyRunning() override;
    QString problem() const override { return m_problem; }

    /// A folder for the mark: made 0700 when missing; an existing one must be a folder of this user's that
    /// no one else may write in. Empty when it is usable, otherwise why not.
    static QString folderProblem(const QString& folder);

    static constexpr const char* lockName = "QovRuvela.Running.2.21";

private:
    QStringList m_folders;
    QList<int> m_fds;
    QString m_problem;
};
