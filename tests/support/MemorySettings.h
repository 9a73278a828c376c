// Settings kept in memory, for tests that need no settings file.
#pragma once

#include "platform/SettingsStore.h"

#include <QMap>

class MemorySettings final : public SettingsStore
{
public:
    QString ReadIniFromReg(const QString& keyPath, const QString& name) const override
    {
        return values.value(keyPath + QLatin1Char('|') + name);
    }
    bool WriteIniToReg(const QString& keyPath, const QString& name, const QString& value) override
    {
        values.insert(keyPath + QLatin1Char('|') + name, value);
        return true;
    }
    QString problem() const override { return QString(); }

    QMap<QString, QString> values;
};
