// The secret agent that answers the password requests of our own dials.
#include "platform/linux/NetworkManagerSecretAgent.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace {
const QString NoSecrets = QStringLiteral("org.freedesktop.NetworkManager.SecretAgent.NoSecrets");
}

NetworkManagerSecretAgent::NetworkManagerSecretAgent(QObject* parent) : QObject(parent) {}

void NetworkManagerSecretAgent::offer(const QString& profilePath, const QString& password)
{
    m_passwords.insert(profilePath, password);
}

void NetworkManagerSecretAgent::withdraw(const QString& profilePath)
{
    m_passwords.remove(profilePath);
}

NmSettings NetworkManagerSecretAgent::GetSecrets(const NmSettings& /*connection*/,
                                                 const QDBusObjectPath& connectionPath, const QString& settingName,
                                                 const QStringList& /*hints*/, uint flags)
{
    if (!calledFromDBus())
        return {};
    // Only the network manager itself gets a password, not whoever else on the bus asks for one.
    const QDBusReply<QString> service = connection().interface()->serviceOwner(NetworkManagerNames::Service);
    const bool fromService = service.isValid() && message().service() == service.value();
    const auto it = m_passwords.constFind(connectionPath.path());
    const bool dialUpSetting = settingName == QLatin1String("gsm") || settingName == QLatin1String("cdma") ||
                               settingName == QLatin1String("pppoe");
    // A request for new secrets means the password we gave was refused: offering it again would only
    // repeat the refusal, so the dial fails instead and the user can type another one.
    if (!fromService || it == m_passwords.constEnd() || !dialUpSetting || (flags & RequestNew)) {
        sendErrorReply(NoSecrets, QStringLiteral("No password for this connection"));
        return {};
    }
    NmSettings secrets;
    secrets[settingName].insert(QStringLiteral("password"), it.value());
    return secrets;
}

void NetworkManagerSecretAgent::CancelGetSecrets(const QDBusObjectPath& /*connectionPath*/,
                                                 const QString& /*settingName*/)
{
    // Every request is answered at once: there is never one to cancel.
}

void NetworkManagerSecretAgent::SaveSecrets(const NmSettings& /*connection*/, const QDBusObjectPath& /*connectionPath*/)
{
    // Passwords are kept for one dial only, never saved.
}

void NetworkManagerSecretAgent::DeleteSecrets(const NmSettings& /*connection*/,
                                              const QDBusObjectPath& /*connectionPath*/)
{
    // Nothing is saved, so nothing is deleted.
}
