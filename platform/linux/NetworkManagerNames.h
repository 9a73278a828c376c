// The network manager's D-Bus names and the settings type its profiles travel in.
#pragma once

#include <QMap>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace NetworkManagerNames {

inline const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
inline const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
inline const QString ManagerInterface = QStringLiteral("org.freedesktop.NetworkManager");
inline const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
inline const QString SettingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
inline const QString ProfileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
inline const QString ActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
inline const QString DeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
inline const QString AgentManagerPath = QStringLiteral("/org/freedesktop/NetworkManager/AgentManager");
inline const QString AgentManagerInterface = QStringLiteral("org.freedesktop.NetworkManager.AgentManager");
inline const QString SecretAgentPath = QStringLiteral("/org/freedesktop/NetworkManager/SecretAgent");
inline const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

} // namespace NetworkManagerNames

/// A connection profile: setting name → (key → value), D-Bus type a{sa{sv}}.
using NmSettings = QMap<QString, QVariantMap>;

/// Makes NmSettings known to Qt D-Bus; safe to call more than once.
void registerNmSettingsType();
