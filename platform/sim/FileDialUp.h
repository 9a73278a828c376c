// The simulated dial-up system kept in a text file that is looked at again at every call, so that another
// process (a test script, a person trying the program) can connect and disconnect. It is parsed again only
// when it changed. The folder must be the user's alone: one that others may write in, where a link could be
// planted in the file's place, is neither read nor written.
#pragma once

#include "platform/sim/SimulatedDialUp.h"

#include <optional>

class FileDialUp final : public SimulatedDialUp
{
public:
    explicit FileDialUp(const QString& folder);

    static constexpr const char* fileName = "dialup.txt";
    QString filePath() const { return m_path; }
    /// Why the file could not be read at the last call; empty when it could.
    QString lastError() const { return m_error; }
    /// The sentence for the status line when the folder is not used; empty when it is.
    QString unavailableReason() const override;

protected:
    bool load() override;
    void store() override;

private:
    /// What tells one version of the file from another: size, modification time to the nanosecond, inode.
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        qint64 seconds = -1;
        qint64 nanoseconds = -1;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    /// The file's stamp; nothing where the system cannot tell.
    std::optional<Stamp> stamp() const;
    /// Why the folder is not used (made 0700 when missing); empty when it is.
    QString folderProblem() const;

    QString m_folder;
    QString m_path;
    QString m_error;
    std::optional<Stamp> m_loaded; ///< the version `m_system` was read from
};
