// The network manager's profiles, active connections and device states, read and driven over D-Bus.
// How its states and failure reasons become dial-up states and error codes: NetworkManagerCodes.cpp.
#include "platform/linux/NetworkManagerDialUp.h"

#include "platform/linux/NetworkManagerCodes.h"
#include "platform/linux/NetworkManagerSecretAgent.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace N = NetworkManagerNames;

namespace {

// The poll runs every second on the program's only thread: a service that hangs must not freeze it long.
constexpr int PollTimeoutMs = 3000;
// What the user asked for may wait for an authorisation prompt: the bus's default timeout.
constexpr int RequestTimeoutMs = -1;

constexpr uint PasswordNotSaved = 0x2; // secret flag: the service keeps no copy and asks an agent each time
constexpr quint32 EntryNotFound = 623;
constexpr quint32 CannotWritePhoneBook = 624;

const QString AgentIdentifier = QStringLiteral("qovruvela.dialup");
const QString UserNameKey = QStringLiteral("username");
const QString PasswordKey = QStringLiteral("password");
const QString PasswordFlagsKey = QStringLiteral("password-flags");

bool answered(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

bool succeeded(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

QList<QDBusObjectPath> pathsOf(const QVariant& value)
{
    return qdbus_cast<QList<QDBusObjectPath>>(value);
}

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
                                        const QVariantList& args, int timeout, bool mayAskUser) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(N::Service, path, interface, method);
    message.setArguments(args);
    message.setInteractiveAuthorizationAllowed(mayAskUser);
    return m_bus.call(message, QDBus::Block, timeout);
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
        if (!isDialUpActive(props.value(QStringLiteral("Type")).toString(), profilePath))
            continue;
        const quint32 activeState = props.value(QStringLiteral("State")).toUInt();
        std::optional<quint32> deviceState;
        const QList<QDBusObjectPath> devices = pathsOf(props.value(QStringLiteral("Devices")));
        if (activeState == NmActiveState::Activating && !devices.isEmpty()) {
            if (const auto state =
                    property(devices.constFirst().path(), N::DeviceInterface, QStringLiteral("State"), PollTimeoutMs))
                deviceState = state->toUInt();
        }
        RasConnection connection;
        connection.handle = handleOf(path.path());
        connection.entryName = props.value(QStringLiteral("Id")).toString();
        connection.state = NetworkManagerCodes::stateOfActive(activeState, deviceState);
        out.append(connection);
    }
    return true;
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
        call(N::SettingsPath, N::SettingsInterface, QStringLiteral("ListConnections"), {}, RequestTimeoutMs);
    if (!answered(reply)) {
        error = QDBusError(reply);
        return std::nullopt;
    }
    QList<Profile> profiles;
    for (const QDBusObjectPath& path : pathsOf(reply.arguments().constFirst())) {
        Profile profile;
        if (!profileSettings(path.path(), profile.settings, RequestTimeoutMs))
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
    params.userName = profile.settings.value(profile.secretSetting).value(UserNameKey).toString();
    // A stored password stays with the service: it gives secrets only to privileged callers, and asking
    // could make it turn to the secret agents, ours among them, while we wait for its answer. The program
    // removes stored passwords at every dial in any case.
    params.password.clear();
    params.passwordSaved = false;
    return 0;
}

quint32 NetworkManagerDialUp::setEntryDialParams(const DialParams& params, bool removePassword)
{
    Profile profile;
    if (const quint32 error = findProfile(params.entryName, profile))
        return error;
    return writeUserName(profile, params.userName, removePassword);
}

quint32 NetworkManagerDialUp::writeUserName(const Profile& profile, const QString& userName, bool dropPassword) const
{
    NmSettings settings = profile.settings;
    QVariantMap& setting = settings[profile.secretSetting];
    bool changed = setting.value(UserNameKey).toString() != userName;
    // The service refuses an empty user name: no user name is no key.
    if (userName.isEmpty())
        setting.remove(UserNameKey);
    else
        setting.insert(UserNameKey, userName);
    if (dropPassword) {
        // Not saved: the service drops the stored password and asks an agent at every activation. No
        // password is ever sent; one sent here would be stored.
        changed =
            changed || setting.value(PasswordFlagsKey).toUInt() != PasswordNotSaved || setting.contains(PasswordKey);
        setting.insert(PasswordFlagsKey, QVariant::fromValue(PasswordNotSaved));
        setting.remove(PasswordKey);
    }
    if (!changed)
        return 0;
    const QDBusMessage reply = call(profile.path, N::ProfileInterface, QStringLiteral("Update"),
                                    {QVariant::fromValue(settings)}, RequestTimeoutMs, true);
    if (succeeded(reply))
        return 0;
    return NetworkManagerCodes::isUnreachable(QDBusError(reply)) ? NetworkManagerCodes::ServiceUnreachable
                                                                 : CannotWritePhoneBook;
}

QString NetworkManagerDialUp::deviceFor(const QString& profilePath) const
{
    const QDBusMessage reply =
        call(N::ManagerPath, N::ManagerInterface, QStringLiteral("GetDevices"), {}, RequestTimeoutMs);
    if (!answered(reply))
        return {};
    for (const QDBusObjectPath& device : pathsOf(reply.arguments().constFirst())) {
        const auto available =
            property(device.path(), N::DeviceInterface, QStringLiteral("AvailableConnections"), RequestTimeoutMs);
        if (available && pathsOf(*available).contains(QDBusObjectPath(profilePath)))
            return device.path();
    }
    return {};
}

void NetworkManagerDialUp::registerAgent()
{
    if (m_agentRegistered || !m_agentExported)
        return;
    m_agentRegistered = succeeded(call(N::AgentManagerPath, N::AgentManagerInterface, QStringLiteral("Register"),
                                       {AgentIdentifier}, RequestTimeoutMs));
}

quint32 NetworkManagerDialUp::dial(const DialParams& params, Progress progress, Handle& handle)
{
    handle = 0;
    Profile profile;
    if (const quint32 error = findProfile(params.entryName, profile))
        return error;
    // A profile we may not change is dialled as it stands.
    writeUserName(profile, params.userName, true);
    registerAgent();
    endDial();
    m_agent->offer(profile.path, params.password);
    m_dial = DialInProgress{std::move(progress), profile.path, deviceFor(profile.path)};

    const QString device = m_dial->devicePath.isEmpty() ? QStringLiteral("/") : m_dial->devicePath;
    const QDBusMessage reply =
        call(N::ManagerPath, N::ManagerInterface, QStringLiteral("ActivateConnection"),
             {QVariant::fromValue(QDBusObjectPath(profile.path)), QVariant::fromValue(QDBusObjectPath(device)),
              QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))},
             RequestTimeoutMs, true);
    if (!answered(reply)) {
        endDial();
        return NetworkManagerCodes::errorOfRefusal(QDBusError(reply));
    }
    const QString activePath = qdbus_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    handle = handleOf(activePath);
    if (m_dial->devicePath.isEmpty()) {
        // The service chose the device; its state signals wait in the event queue until we return.
        if (const auto devices = property(activePath, N::ActiveInterface, QStringLiteral("Devices"), RequestTimeoutMs);
            devices && !pathsOf(*devices).isEmpty())
            m_dial->devicePath = pathsOf(*devices).constFirst().path();
    }
    return 0;
}

void NetworkManagerDialUp::onDeviceStateChanged(uint newState, uint /*oldState*/, uint reason,
                                                const QDBusMessage& message)
{
    if (!m_dial || message.path() != m_dial->devicePath)
        return;
    if (newState == NmDeviceState::Failed) {
        finishDial(m_dial->lastState, NetworkManagerCodes::errorOfReason(reason));
        return;
    }
    if (newState == NmDeviceState::Activated) {
        finishDial(RasState::Connected, 0);
        return;
    }
    if (newState >= NmDeviceState::Prepare && newState < NmDeviceState::Activated) {
        m_dial->started = true;
        m_dial->lastState = NetworkManagerCodes::stateOfDevice(newState);
        const Progress progress = m_dial->progress;
        if (progress)
            progress(m_dial->lastState, 0);
        return;
    }
    // Deactivating or back at rest: the dial is over, unless the device is only leaving an earlier
    // connection to take up ours.
    if (!m_dial->started || reason == NmReason::NewActivation)
        return;
    finishDial(m_dial->lastState, NetworkManagerCodes::errorOfReason(reason));
}

void NetworkManagerDialUp::finishDial(quint32 state, quint32 error)
{
    const Progress progress = std::move(m_dial->progress);
    endDial();
    if (progress)
        progress(state, error);
}

void NetworkManagerDialUp::endDial()
{
    if (!m_dial)
        return;
    m_agent->withdraw(m_dial->profilePath);
    m_dial.reset();
}

bool NetworkManagerDialUp::hangUp(Handle handle)
{
    const QString path = handle == 0 ? QString() : m_handles.key(handle);
    if (path.isEmpty())
        return false;
    const QDBusMessage reply = call(N::ManagerPath, N::ManagerInterface, QStringLiteral("DeactivateConnection"),
                                    {QVariant::fromValue(QDBusObjectPath(path))}, RequestTimeoutMs, true);
    if (succeeded(reply))
        return true;
    // A failed dial or a dropped line has nothing left to hang up.
    return QDBusError(reply).name() == QLatin1String("org.freedesktop.NetworkManager.ConnectionNotActive");
}

NetworkManagerDialUp::Handle NetworkManagerDialUp::handleOf(const QString& activePath)
{
    const auto it = m_handles.constFind(activePath);
    if (it != m_handles.constEnd())
        return it.value();
    m_handles.insert(activePath, ++m_lastHandle);
    return m_lastHandle;
}
