// The running-copy mark: an advisory lock on a file in the user's runtime folder.
#pragma once

#include "platform/SingleInstance.h"

#include <QString>

class LockFileInstance final : public SingleInstance
{
public:
    /// `folder` empty: the user's runtime folder (XDG_RUNTIME_DIR).
    explicit LockFileInstance(QString folder = QString());
    ~LockFileInstance() override;
    LockFileInstance(const LockFileInstance&) = delete;
    LockFileInstance& operator=(const LockFileInstance&) = delete;

    bool IsAlreadyRunning() override;

    static constexpr const char* lockName = "QovRuvela.Running.2.21";

private:
    QString m_folder;
    int m_fd = -1;
};
