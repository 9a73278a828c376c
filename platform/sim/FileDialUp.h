// The simulated dial-up system kept in a text file that is read again at every call, so that another
// process (a test script, a person trying the program) can connect and disconnect.
#pragma once

#include "platform/sim/SimulatedDialUp.h"

class FileDialUp final : public SimulatedDialUp
{
public:
    explicit FileDialUp(const QString& folder);

    static constexpr const char* fileName = "dialup.txt";
    QString filePath() const { return m_path; }
    /// Why the file could not be read at the last call; empty when it could.
    QString lastError() const { return m_error; }

protected:
    bool load() override;
    void store() override;

private:
    QString m_path;
    QString m_error;
};
