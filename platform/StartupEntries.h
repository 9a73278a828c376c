// Programs started when the user logs in: one named entry per program.
#pragma once

#include <QString>

class StartupEntries
{
public:
    virtual ~StartupEntries() = default;

    /// Writes (or rewrites) the entry `name` that starts `command`, a program path. False when it could not.
    virtual bool WriteStartupEntry(const QString& name, const QString& command) = 0;

    /// Removes the entry `name`. An entry that is not there counts as removed; false only when one is left
    /// that still starts an existing program.
    virtual bool RemoveStartupEntry(const QString& name) = 0;

    /// The program path the entry starts; empty when there is no such entry.
    virtual QString readStartupEntry(const QString& name) const = 0;

    /// Whether this run was started by such an entry at log-in, rather than by the user.
    virtual bool startedAtLogin() const = 0;
};
