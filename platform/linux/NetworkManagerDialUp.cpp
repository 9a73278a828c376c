// The network manager's profiles, active connections and device states, read and driven over D-Bus.
// How its states and failure reasons become dial-up states and error codes: NetworkManagerCodes.cpp.
#include "platform/linux/NetworkManagerDialUp.h"

#include "platform/Trace.h"
#include "platform/linux/NetworkManagerCodes.h"
#include "platform/linux/NetworkManagerDBus.h"
#include "platform/linux/NetworkManagerSecretAgent.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace N = NetworkManagerNames;
using namespace NetworkManagerDBus;

void registerNmSettingsType()
{
    // The agent's exported slots name the type by its alias; Qt D-Bus looks it up by that name.
    qRegisterMetaType<NmSettings>("NmSettings");
    qDBusRegisterMetaType<NmSettings>();
}

NetworkManagerDialUp::NetworkManagerDialUp(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_agent(new NetworkManagerSecretAgent(this))
{
    registerNmSettingsType();
    m_agentExported = m_bus.registerObject(N::SecretAgentPath, m_agent, QDBusConnection::ExportAllSlots);
    // Every device's state changes, subscribed to once and for all: the first states of a dial follow the
    // activation at once and must not be missed.
    m_bus.connect(N::Service, QString(), N::DeviceInterface, QStringLiteral("StateChanged"), this,
                  SLOT(onDeviceStateChanged(uint, uint, uint, QDBusMessage)));
    // A restarted service knows neither our agent nor its former object paths: what it told is read afresh,
    // and until then the poll says the connections cannot be listed, which ends no session.
    auto* watcher = new QDBusServiceWatcher(N::Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                m_agentRegistered = false;
                m_bluetoothDun.clear();
                m_meteredProfiles.clear();
                refetch(!newOwner.isEmpty());
                if (!newOwner.isEmpty() && m_recordMetered)
                    readProfiles();
            });
    followState();
}

NetworkManagerDialUp::~NetworkManagerDialUp()
{
    if (m_agentRegistered) {
        // Without waiting for the answer: the program is on its way out.
        m_bus.send(QDBusMessage::createMethodCall(N::Service, N::AgentManagerPath, N::AgentManagerInterface,
                                                  QStringLiteral("Unregister")));
    }
    if (m_agentExported)
        m_bus.unregisterObject(N::SecretAgentPath);
}

bool NetworkManagerDialUp::isRunning(const QDBusConnection& bus)
{
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(N::Service).value();
}

QDBusMessage NetworkManagerDialUp::call(const QString& path, const QString& interface, const QString& method,
                                        const QVariantList& args, int timeout) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(N::Service, path, interface, method);
    message.setArguments(args);
    return m_bus.call(message, QDBus::Block, timeout);
}

void NetworkManagerDialUp::request(const QString& path, const QString& interface, const QString& method,
                                   const QVariantList& args, Answer then)
{
    QDBusMessage message = QDBusMessage::createMethodCall(N::Service, path, interface, method);
    message.setArguments(args);
    message.setInteractiveAuthorizationAllowed(true);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, RequestTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [then = std::move(then)](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (then)
            then(w->reply());
    });
}

std::optional<QVariant> NetworkManagerDialUp::property(const QString& path, const QString& interface,
                                                       const QString& name, int timeout) const
{
    const QDBusMessage reply = call(path, N::PropertiesInterface, QStringLiteral("Get"), {interface, name}, timeout);
    if (!answered(reply))
        return std::nullopt;
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

bool NetworkManagerDialUp::profileSettings(const QString& path, NmSettings& out, int timeout) const
{
    const QDBusMessage reply = call(path, N::ProfileInterface, QStringLiteral("GetSettings"), {}, timeout);
    if (!answered(reply))
        return false;
    out = qdbus_cast<NmSettings>(reply.arguments().constFirst());
    return true;
}

bool NetworkManagerDialUp::enumConnections(QList<RasConnection>& out)
{
    out.clear();
    if (!m_known || !m_bus.isConnected())
        return false; // gone, or its first answer since it appeared is on its way
    QList<RasConnection> metered;
    for (const QString& path : std::as_const(m_activeOrder)) {
        const auto found = m_actives.constFind(path);
        if (found == m_actives.constEnd())
            continue; // its properties are on their way
        const ActiveConnection& active = *found;
        if (!isDialUpActive(active.type, active.profilePath)) {
            if (m_recordMetered) {
                if (auto link = meteredConnection(path, active))
                    metered.append(*link);
            }
            continue;
        }
        std::optional<quint32> deviceState;
        if (active.state == NmActiveState::Activating) {
            if (const auto device = m_devices.constFind(active.devicePath); device != m_devices.constEnd())
                deviceState = device->state;
        }
        // Our own dial's activation, listed before the service's answer to it has been read: it keeps the
        // dial's handle, or the connection would be known by two.
        if (m_dial && m_dial->activePath.isEmpty() && active.profilePath == m_dial->profilePath &&
            !m_handles.contains(path)) {
            m_dial->activePath = path;
            m_handles.insert(path, m_dial->handle);
        }
        RasConnection connection;
        connection.handle = handleOf(path);
        connection.entryName = active.id;
        connection.state = NetworkManagerCodes::stateOfActive(active.state, deviceState);
        if (connection.state == RasState::Connected)
            connection.interfaceName = ipInterfaceOf(path, active.devicePath);
        out.append(connection);
    }
    // Metered links before the dial-up connections: the monitor follows the last one listed, so a dial-up
    // link that is up is the one recorded, and the one the dialer's "Hang up" ends.
    out = metered + out;
    return true;
}

QString NetworkManagerDialUp::ipInterfaceOf(const QString& activePath, const QString& devicePath)
{
    // Kept for the life of the connection: an activated device keeps its IP interface.
    if (const QString known = m_ipInterfaces.value(activePath); !known.isEmpty())
        return known;
    const QString ipInterface = m_devices.value(devicePath).ipInterface;
    if (!ipInterface.isEmpty())
        m_ipInterfaces.insert(activePath, ipInterface);
    return ipInterface;
}

bool NetworkManagerDialUp::isDialUpActive(const QString& type, const QString& profilePath)
{
    if (type == QLatin1String("gsm") || type == QLatin1String("cdma") || type == QLatin1String("pppoe"))
        return true;
    if (type != QLatin1String("bluetooth"))
        return false;
    // Bluetooth serves networks of other kinds as well; only its dial-up (DUN) profiles count.
    const auto known = m_bluetoothDun.constFind(profilePath);
    if (known != m_bluetoothDun.constEnd())
        return known.value();
    readProfile(profilePath);
    return false;
}

std::optional<QList<NetworkManagerDialUp::Profile>> NetworkManagerDialUp::dialUpProfiles(QDBusError& error) const
{
    const QDBusMessage reply =
        call(N::SettingsPath, N::SettingsInterface, QStringLiteral("ListConnections"), {}, ReadTimeoutMs);
    if (!answered(reply)) {
        error = QDBusError(reply);
        return std::nullopt;
    }
    QList<Profile> profiles;
    for (const QDBusObjectPath& path : pathsOf(reply.arguments().constFirst())) {
        Profile profile;
        if (!profileSettings(path.path(), profile.settings, ReadTimeoutMs))
            continue; // removed meanwhile, or not ours to read
        const auto secretSetting = secretSettingOf(profile.settings);
        if (!secretSetting)
            continue;
        profile.path = path.path();
        profile.name = profile.settings.value(QStringLiteral("connection")).value(QStringLiteral("id")).toString();
        profile.secretSetting = *secretSetting;
        profiles.append(profile);
    }
    return profiles;
}

quint32 NetworkManagerDialUp::findProfile(const QString& name, Profile& out) const
{
    QDBusError error;
    const auto profiles = dialUpProfiles(error);
    if (!profiles)
        return NetworkManagerCodes::errorOfRefusal(error);
    for (const Profile& profile : *profiles) {
        if (profile.name == name) {
            out = profile;
            return 0;
        }
    }
    return EntryNotFound;
}

bool NetworkManagerDialUp::enumEntries(QStringList& out)
{
    QDBusError error;
    const auto profiles = dialUpProfiles(error);
    if (!profiles)
        return false;
    out.clear();
    for (const Profile& profile : *profiles)
        out.append(profile.name);
    return true;
}

quint32 NetworkManagerDialUp::getEntryDialParams(DialParams& params)
{
    Profile profile;
    if (const quint32 error = findProfile(params.entryName, profile))
        return error;
    params.userName =
        m_userNames.value(profile.path, profile.settings.value(profile.secretSetting).value(UserNameKey).toString());
    // A stored password stays with the service: it gives secrets only to privileged callers, and asking
    // could make it turn to the secret agents, ours among them, while we wait for its answer.
    params.password.clear();
    params.passwordSaved = false;
    return 0;
}

quint32 NetworkManagerDialUp::setEntryDialParams(const DialParams& params, bool /*removePassword*/)
{
    Profile profile;
    if (const quint32 error = findProfile(params.entryName, profile))
        return error;
    rememberUserName(profile, params.userName, {});
    return 0;
}

NetworkManagerDialUp::Handle NetworkManagerDialUp::handleOf(const QString& activePath)
{
    const auto it = m_handles.constFind(activePath);
    if (it != m_handles.constEnd())
        return it.value();
    m_handles.insert(activePath, ++m_lastHandle);
    return m_lastHandle;
}
