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

namespace {

// The setting holding user name and password, for a dial-up profile; nothing for any other profile.
std::optional<QString> secretSettingOf(const NmSettings& settings)
{
    const QString type = settings.value(QStringLiteral("connection")).value(QStringLiteral("type")).toString();
    if (type == QLatin1String("gsm") || type == QLatin1String("cdma") || type == QLatin1String("pppoe"))
        return type;
    if (type == QLatin1String("bluetooth") &&
        settings.value(QStringLiteral("bluetooth")).value(QStringLiteral("type")).toString() == QLatin1String("dun"))
        return settings.contains(QStringLiteral("cdma")) ? QStringLiteral("cdma") : QStringLiteral("gsm");
    return std::nullopt;
}

} // namespace

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
    // A restarted service knows neither our agent nor its former object paths.
    auto* watcher = new QDBusServiceWatcher(N::Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        m_agentRegistered = false;
        m_bluetoothDun.clear();
    });
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
    QList<RasConnection> metered;
    const auto active =
        property(N::ManagerPath, N::ManagerInterface, QStringLiteral("ActiveConnections"), PollTimeoutMs);
    if (!active)
        return false;
    for (const QDBusObjectPath& path : pathsOf(*active)) {
        const QDBusMessage reply =
            call(path.path(), N::PropertiesInterface, QStringLiteral("GetAll"), {N::ActiveInterface}, PollTimeoutMs);
        if (!answered(reply))
            continue; // it ended between the two requests
        const QVariantMap props = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        const QString profilePath = qdbus_cast<QDBusObjectPath>(props.value(QStringLiteral("Connection"))).path();
        if (!isDialUpActive(props.value(QStringLiteral("Type")).toString(), profilePath)) {
            if (m_recordMetered) {
                if (auto link = meteredConnection(path.path(), props))
                    metered.append(*link);
            }
            continue;
        }
        const quint32 activeState = props.value(QStringLiteral("State")).toUInt();
        std::optional<quint32> deviceState;
        const QList<QDBusObjectPath> devices = pathsOf(props.value(QStringLiteral("Devices")));
        if (activeState == NmActiveState::Activating && !devices.isEmpty()) {
            if (const auto state =
                    property(devices.constFirst().path(), N::DeviceInterface, QStringLiteral("State"), PollTimeoutMs))
                deviceState = state->toUInt();
        }
        // Our own dial's activation, listed before the service's answer to it has been read: it keeps the
        // dial's handle, or the connection would be known by two.
        if (m_dial && m_dial->activePath.isEmpty() && profilePath == m_dial->profilePath &&
            !m_handles.contains(path.path())) {
            m_dial->activePath = path.path();
            m_handles.insert(path.path(), m_dial->handle);
        }
        RasConnection connection;
        connection.handle = handleOf(path.path());
        connection.entryName = props.value(QStringLiteral("Id")).toString();
        connection.state = NetworkManagerCodes::stateOfActive(activeState, deviceState);
        if (activeState == NmActiveState::Activated)
            connection.interfaceName = ipInterfaceOf(path.path(), devices);
        out.append(connection);
    }
    // Metered links before the dial-up connections: the monitor follows the last one listed, so a dial-up
    // link that is up is the one recorded, and the one the dialer's "Hang up" ends.
    out = metered + out;
    // Forget the interfaces of connections that have ended.
    for (auto it = m_ipInterfaces.begin(); it != m_ipInterfaces.end();) {
        if (pathsOf(*active).contains(QDBusObjectPath(it.key())))
            ++it;
        else
            it = m_ipInterfaces.erase(it);
    }
    return true;
}

QString NetworkManagerDialUp::ipInterfaceOf(const QString& activePath, const QList<QDBusObjectPath>& devices)
{
    // Kept for the life of the connection: an activated device keeps its IP interface.
    if (const QString known = m_ipInterfaces.value(activePath); !known.isEmpty() || devices.isEmpty())
        return known;
    const auto name =
        property(devices.constFirst().path(), N::DeviceInterface, QStringLiteral("IpInterface"), PollTimeoutMs);
    const QString ipInterface = name ? name->toString() : QString();
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
    NmSettings settings;
    if (!profileSettings(profilePath, settings, PollTimeoutMs))
        return false;
    const bool dun = secretSettingOf(settings).has_value();
    m_bluetoothDun.insert(profilePath, dun);
    return dun;
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
