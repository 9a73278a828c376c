// String values under key paths with sub-keys: the program's only way to keep settings.
#pragma once

#include <QString>

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    /// The value, or the empty string when the key or the value does not exist or cannot be read.
    virtual QString ReadIniFromReg(const QString& keyPath, const QString& name) const = 0;

    /// Writes one value, durable when the call returns. False when it could not be stored.
    virtual bool WriteIniToReg(const QString& keyPath, const QString& name, const QString& value) = 0;

    /// A sentence for the user when the store cannot be read or written; empty when all is well.
    virtual QString problem() const = 0;

    /// Whether changes wait to be stored (the store was busy); they are kept meanwhile.
    virtual bool hasPendingWrites() const { return false; }
    /// Stores the waiting changes if it can now, without waiting; true when none waits any more.
    virtual bool retryPendingWrites() { return true; }
};
