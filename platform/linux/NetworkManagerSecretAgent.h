// Hands the network manager the password of the dial in progress, and nothing else.
#pragma once

#include "platform/linux/NetworkManagerNames.h"

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QStringList>

// The password a user typed is meant for one dial: it is offered for that profile while the dial runs and
// never written into the profile. The network manager asks for it through this object, exported on the
// agent path of the caller's bus connection.
class NetworkManagerSecretAgent : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager.SecretAgent")

public:
    explicit NetworkManagerSecretAgent(QObject* parent = nullptr);

    /// Answers requests for `profilePath` with `password` until withdrawn.
    void offer(const QString& profilePath, const QString& password);
    void withdraw(const QString& profilePath);

    /// Request flag: the secrets given before were refused; ask the user for new ones.
    static constexpr uint RequestNew = 0x2;

public slots:
    NmSettings GetSecrets(const NmSettings& connection, const QDBusObjectPath& connectionPath,
                          const QString& settingName, const QStringList& hints, uint flags);
    void CancelGetSecrets(const QDBusObjectPath& connectionPath, const QString& settingName);
    void SaveSecrets(const NmSettings& connection, const QDBusObjectPath& connectionPath);
    void DeleteSecrets(const NmSettings& connection, const QDBusObjectPath& connectionPath);

private:
    QHash<QString, QString> m_passwords;
};
