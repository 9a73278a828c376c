// Settings kept as an INI file; a key path such as "Ruvela\PhoneBooks" becomes a group of the file.
#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

class IniSettingsStore final : public SettingsStore
{
public:
    explicit IniSettingsStore(const QString& filePath);

    /// The settings file under the user's configuration folder (XDG_CONFIG_HOME).
    static QString defaultFilePath();

    QString ReadIniFromReg(const QString& keyPath, const QString& name) const override;
    bool WriteIniToReg(const QString& keyPath, const QString& name, const QString& value) override;
    QString problem() const override { return m_problem; }

private:
    static QString keyOf(const QString& keyPath, const QString& name);

    QString m_filePath;
    mutable QSettings m_settings;
    QString m_problem;
};
