// A dial through the network manager, step by step without waiting: the user name into the profile, the
// secret agent, the activation; then the device's states until it is activated or gives up; and hanging up.
#include "platform/Trace.h"
#include "platform/linux/NetworkManagerCodes.h"
#include "platform/linux/NetworkManagerDBus.h"
#include "platform/linux/NetworkManagerDialUp.h"
#include "platform/linux/NetworkManagerSecretAgent.h"

namespace N = NetworkManagerNames;
using namespace NetworkManagerDBus;

void NetworkManagerDialUp::rememberUserName(const Profile& profile, const QString& userName, std::function<void()> then)
{
    // Ours first: the dialer shows it at once, and keeps it when the profile may not be changed.
    m_userNames.insert(profile.path, userName);
    NmSettings settings = profile.settings;
    QVariantMap& setting = settings[profile.secretSetting];
    if (setting.value(UserNameKey).toString() == userName) {
        if (then)
            then();
        return;
    }
    // The service refuses an empty user name: no user name is no key.
    if (userName.isEmpty())
        setting.remove(UserNameKey);
    else
        setting.insert(UserNameKey, userName);
    // Into the service's memory of the profile only, never its file. The settings carry no secrets (the
    // service gives none out), so the ones it keeps stay as they are.
    request(profile.path, N::ProfileInterface, QStringLiteral("UpdateUnsaved"), {QVariant::fromValue(settings)},
            [then = std::move(then)](const QDBusMessage&) {
                if (then)
                    then(); // refused or not, the dial goes on with the profile as it stands
            });
}

QString NetworkManagerDialUp::deviceFor(const QString& profilePath) const
{
    const QDBusMessage reply =
        call(N::ManagerPath, N::ManagerInterface, QStringLiteral("GetDevices"), {}, ReadTimeoutMs);
    if (!answered(reply))
        return {};
    for (const QDBusObjectPath& device : pathsOf(reply.arguments().constFirst())) {
        const auto available =
            property(device.path(), N::DeviceInterface, QStringLiteral("AvailableConnections"), ReadTimeoutMs);
        if (available && pathsOf(*available).contains(QDBusObjectPath(profilePath)))
            return device.path();
    }
    return {};
}

void NetworkManagerDialUp::registerAgent(std::function<void()> then)
{
    if (m_agentRegistered || !m_agentExported) {
        then();
        return;
    }
    request(N::AgentManagerPath, N::AgentManagerInterface, QStringLiteral("Register"), {AgentIdentifier},
            [this, then = std::move(then)](const QDBusMessage& reply) {
                m_agentRegistered = succeeded(reply);
                then();
            });
}

quint32 NetworkManagerDialUp::dial(const DialParams& params, Progress progress, Handle& handle)
{
    handle = 0;
    Profile profile;
    if (const quint32 error = findProfile(params.entryName, profile))
        return error;
    endDial();
    handle = ++m_lastHandle;
    m_agent->offer(profile.path, params.password);
    m_dial.emplace();
    m_dial->progress = std::move(progress);
    m_dial->profilePath = profile.path;
    m_dial->devicePath = deviceFor(profile.path);
    m_dial->handle = handle;
    // The user name first, so that the activation uses it; then the agent that hands over the password;
    // then the activation. A step whose dial has been hung up or replaced meanwhile goes no further.
    rememberUserName(profile, params.userName, [this, handle] {
        if (dialling(handle))
            registerAgent([this, handle] {
                if (dialling(handle))
                    activate(handle);
            });
    });
    return 0;
}

void NetworkManagerDialUp::activate(Handle handle)
{
    const QString device = m_dial->devicePath.isEmpty() ? QStringLiteral("/") : m_dial->devicePath;
    request(N::ManagerPath, N::ManagerInterface, QStringLiteral("ActivateConnection"),
            {QVariant::fromValue(QDBusObjectPath(m_dial->profilePath)), QVariant::fromValue(QDBusObjectPath(device)),
             QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))},
            [this, handle](const QDBusMessage& reply) {
                if (!answered(reply)) {
                    if (dialling(handle))
                        finishDial(m_dial->lastState, NetworkManagerCodes::errorOfRefusal(QDBusError(reply)));
                    return;
                }
                const QString activePath = qdbus_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
                m_handles.insert(activePath, handle); // perhaps already, by a poll that listed it
                if (!dialling(handle) || m_dial->hangUpAsked) {
                    deactivate(activePath); // hung up, or replaced by another dial, meanwhile
                    return;
                }
                m_dial->activePath = activePath;
                // The device the service chose, as it announced the connection; if it has not yet, it is taken
                // when it does.
                if (m_dial->devicePath.isEmpty())
                    m_dial->devicePath = m_actives.value(activePath).devicePath;
            });
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
    if (handle == 0 || handle > m_lastHandle)
        return false;
    if (dialling(handle)) {
        // The dial ends here, whatever the device has got to: reported after this call, as a dial's
        // progress always is.
        QMetaObject::invokeMethod(
            this,
            [this, handle] {
                if (dialling(handle))
                    finishDial(m_dial->lastState, RasError::UserDisconnection);
            },
            Qt::QueuedConnection);
        if (m_dial->activePath.isEmpty()) {
            m_dial->hangUpAsked = true; // deactivated as soon as the service names the activation
            return true;
        }
    }
    const QString path = m_handles.key(handle);
    if (!path.isEmpty())
        deactivate(path);
    return true; // a dial the service refused has nothing to hang up
}

void NetworkManagerDialUp::deactivate(const QString& activePath)
{
    request(N::ManagerPath, N::ManagerInterface, QStringLiteral("DeactivateConnection"),
            {QVariant::fromValue(QDBusObjectPath(activePath))}, [](const QDBusMessage& reply) {
                // A failed dial or a dropped line has nothing left to hang up; a refusal leaves the
                // connection listed, and the user can try again.
                const QDBusError error(reply);
                if (error.isValid() &&
                    error.name() != QLatin1String("org.freedesktop.NetworkManager.ConnectionNotActive"))
                    Trace::line(QStringLiteral("network manager refused to hang up: ") + error.message());
            });
}
