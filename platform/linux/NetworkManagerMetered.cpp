// Metered links beside dial-up: which devices and profiles the network manager marks as metered (a tethered
// phone, a mobile hotspot). The poll only looks their marks up: the devices' come with the rest of what the
// backend follows, the profiles' are read without waiting and kept up to date by the service's signals.
#include "platform/linux/NetworkManagerCodes.h"
#include "platform/linux/NetworkManagerDBus.h"
#include "platform/linux/NetworkManagerDialUp.h"

#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace N = NetworkManagerNames;
using namespace NetworkManagerDBus;

namespace {

// NMMetered: what the service knows or guesses of a device's or a profile's metering.
namespace NmMetered {
enum : quint32
{
    Unknown = 0,
    Yes = 1,
    No = 2,
    GuessYes = 3,
    GuessNo = 4,
};
}

bool isMetered(quint32 metered)
{
    return metered == NmMetered::Yes || metered == NmMetered::GuessYes;
}

bool isMetered(const NmSettings& settings)
{
    return isMetered(settings.value(QStringLiteral("connection")).value(QStringLiteral("metered")).toUInt());
}

} // namespace

void NetworkManagerDialUp::setRecordMetered(bool on)
{
    if (on == m_recordMetered)
        return;
    m_recordMetered = on;
    const QString updated = QStringLiteral("Updated");
    if (!on) {
        m_bus.disconnect(N::Service, QString(), N::ProfileInterface, updated, this,
                         SLOT(onProfileUpdated(QDBusMessage)));
        m_meteredProfiles.clear();
        return;
    }
    // The devices' metering is followed all along with their other properties; the profiles' marks from now
    // on, subscribed before the first reads so that no change falls between a read and its signal.
    m_bus.connect(N::Service, QString(), N::ProfileInterface, updated, this, SLOT(onProfileUpdated(QDBusMessage)));
    readProfiles();
}

void NetworkManagerDialUp::readProfiles()
{
    // Every profile read ahead: a link that comes up later is known by the time it is activated.
    readLater(N::SettingsPath, N::SettingsInterface, QStringLiteral("ListConnections"), {},
              [this](const QDBusMessage& reply) {
                  if (answered(reply))
                      for (const QDBusObjectPath& profile : pathsOf(reply.arguments().constFirst()))
                          readProfile(profile.path());
              });
}

void NetworkManagerDialUp::readLater(const QString& path, const QString& interface, const QString& method,
                                     const QVariantList& args, Answer then)
{
    QDBusMessage message = QDBusMessage::createMethodCall(N::Service, path, interface, method);
    message.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, ReadTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [then = std::move(then)](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        then(w->reply());
    });
}

void NetworkManagerDialUp::readProfile(const QString& profilePath)
{
    if (profilePath.isEmpty() || m_reading.contains(profilePath))
        return;
    m_reading.insert(profilePath);
    readLater(profilePath, N::ProfileInterface, QStringLiteral("GetSettings"), {},
              [this, profilePath](const QDBusMessage& reply) {
                  m_reading.remove(profilePath);
                  if (!answered(reply))
                      return; // asked again when it is next needed
                  const NmSettings settings = qdbus_cast<NmSettings>(reply.arguments().constFirst());
                  if (settings.value(QStringLiteral("connection")).value(QStringLiteral("type")).toString() ==
                      QLatin1String("bluetooth"))
                      m_bluetoothDun.insert(profilePath, secretSettingOf(settings).has_value());
                  if (m_recordMetered)
                      m_meteredProfiles.insert(profilePath, isMetered(settings));
              });
}

void NetworkManagerDialUp::onProfileUpdated(const QDBusMessage& message)
{
    // The user may have marked it metered, or unmarked it: read again.
    if (m_meteredProfiles.contains(message.path()))
        readProfile(message.path());
}

std::optional<RasConnection> NetworkManagerDialUp::meteredConnection(const QString& activePath,
                                                                     const ActiveConnection& active)
{
    // Asked for while the link is still coming up, so that its mark is known once it is activated.
    const auto profile = m_meteredProfiles.constFind(active.profilePath);
    if (profile == m_meteredProfiles.constEnd())
        readProfile(active.profilePath);
    if (active.state != NmActiveState::Activated)
        return std::nullopt;
    const auto device = m_devices.constFind(active.devicePath);
    const bool deviceKnown = device != m_devices.constEnd();
    const bool metered =
        (deviceKnown && isMetered(device->metered)) || (profile != m_meteredProfiles.constEnd() && profile.value());
    if (!metered)
        return std::nullopt;
    RasConnection connection;
    connection.handle = handleOf(activePath);
    connection.entryName = active.id;
    connection.state = RasState::Connected;
    if (deviceKnown)
        connection.interfaceName = device->ipInterface;
    return connection;
}

bool NetworkManagerDialUp::enumRecordable(QStringList& out)
{
    if (!m_recordMetered)
        return enumEntries(out);
    // What the user asked to see: these reads may wait, as the phone book's do.
    QDBusError error;
    const auto dialUp = dialUpProfiles(error);
    if (!dialUp)
        return false;
    QSet<QString> offered;
    for (const Profile& profile : *dialUp)
        offered.insert(profile.path);
    // The profiles a metered device offers: a tethered phone's is rarely marked itself.
    const QDBusMessage devices =
        call(N::ManagerPath, N::ManagerInterface, QStringLiteral("GetDevices"), {}, ReadTimeoutMs);
    if (answered(devices)) {
        for (const QDBusObjectPath& device : pathsOf(devices.arguments().constFirst())) {
            const auto metered = property(device.path(), N::DeviceInterface, QStringLiteral("Metered"), ReadTimeoutMs);
            if (!metered || !isMetered(metered->toUInt()))
                continue;
            if (const auto available =
                    property(device.path(), N::DeviceInterface, QStringLiteral("AvailableConnections"), ReadTimeoutMs))
                for (const QDBusObjectPath& profile : pathsOf(*available))
                    offered.insert(profile.path());
        }
    }
    const QDBusMessage profiles =
        call(N::SettingsPath, N::SettingsInterface, QStringLiteral("ListConnections"), {}, ReadTimeoutMs);
    if (!answered(profiles))
        return false;
    out.clear();
    for (const QDBusObjectPath& path : pathsOf(profiles.arguments().constFirst())) {
        NmSettings settings;
        if (!profileSettings(path.path(), settings, ReadTimeoutMs))
            continue;
        if (offered.contains(path.path()) || isMetered(settings))
            out.append(settings.value(QStringLiteral("connection")).value(QStringLiteral("id")).toString());
    }
    return true;
}
