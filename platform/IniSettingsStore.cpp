// Settings kept as an INI file through QSettings, synced on every write.
#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_filePath(filePath), m_settings(filePath, QSettings::IniFormat)
{
    const QFileInfo info(filePath);
    if (info.exists() && (!info.isFile() || !info.isReadable() || m_settings.status() != QSettings::NoError))
        m_problem = QStringLiteral("The settings file %1 cannot be read; the default settings are used.")
                        .arg(QDir::toNativeSeparators(filePath));
}

QString IniSettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QovRuvela/QovRuvela.conf");
}

QString IniSettingsStore::keyOf(const QString& keyPath, const QString& name)
{
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

QString IniSettingsStore::ReadIniFromReg(const QString& keyPath, const QString& name) const
{
    const QVariant value = m_settings.value(keyOf(keyPath, name));
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool IniSettingsStore::WriteIniToReg(const QString& keyPath, const QString& name, const QString& value)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    m_settings.setValue(keyOf(keyPath, name), value);
    m_settings.sync();
    if (m_settings.status() == QSettings::NoError)
        return true;
    m_problem = QStringLiteral("The settings could not be saved to %1.").arg(QDir::toNativeSeparators(m_filePath));
    return false;
}
