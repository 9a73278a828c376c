// Settings kept as an INI file; a key path such as "Ruvela\PhoneBooks" becomes a group of the file.
#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <memory>

class IniSettingsStore final : public SettingsStore
{
public:
    explicit IniSettingsStore(const QString& filePath);
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore&) = delete;
    IniSettingsStore& operator=(const IniSettingsStore&) = delete;

    /// The settings file under the user's configuration folder (XDG_CONFIG_HOME).
    static QString defaultFilePath();

    QString ReadIniFromReg(const QString& keyPath, const QString& name) const override;
    bool WriteIniToReg(const QString& keyPath, const QString& name, const QString& value) override;
    QString problem() const override { return m_problem; }
    bool hasPendingWrites() const override { return m_pending; }
    bool retryPendingWrites() override;

    /// How long a lock file nobody holds is taken seriously: one left behind by a crash is cleared after it.
    static constexpr int staleLockMs = 2000;

private:
    static QString keyOf(const QString& keyPath, const QString& name);
    /// Writes the file if its lock can be had within `waitMs`; never waits longer.
    bool store(int waitMs);

    QString m_filePath;
    std::unique_ptr<QObject> m_noEventLoopSync;
    std::unique_ptr<QSettings> m_settings;
    QString m_problem;
    bool m_pending = false;
};
