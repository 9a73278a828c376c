// What the network manager has told of its active connections and devices: read once without waiting, then
// followed through its signals, so that the once-a-second poll answers without asking it anything. A service
// that leaves the bus or restarts is read afresh.
#include "platform/linux/NetworkManagerCodes.h"
#include "platform/linux/NetworkManagerDBus.h"
#include "platform/linux/NetworkManagerDialUp.h"

namespace N = NetworkManagerNames;
using namespace NetworkManagerDBus;

namespace {

// The service announces its objects, with all their properties, before it names them anywhere.
const QString ObjectManagerPath = QStringLiteral("/org/freedesktop");
const QString ObjectManagerInterface = QStringLiteral("org.freedesktop.DBus.ObjectManager");

QString firstPath(const QVariant& value)
{
    const QList<QDBusObjectPath> paths = pathsOf(value);
    return paths.isEmpty() ? QString() : paths.constFirst().path();
}

} // namespace

void NetworkManagerDialUp::followState()
{
    // Subscribed before the first read, so that no change falls between the read and its signal.
    m_bus.connect(N::Service, QString(), N::PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(onPropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    m_bus.connect(N::Service, ObjectManagerPath, ObjectManagerInterface, QStringLiteral("InterfacesAdded"), this,
                  SLOT(onInterfacesAdded(QDBusMessage)));
    m_bus.connect(N::Service, ObjectManagerPath, ObjectManagerInterface, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(onInterfacesRemoved(QDBusMessage)));
    refetch(true);
}

void NetworkManagerDialUp::refetch(bool ask)
{
    ++m_generation;
    m_known = false;
    m_activeOrder.clear();
    m_actives.clear();
    m_devices.clear();
    m_ipInterfaces.clear();
    m_reading.clear();
    if (!ask)
        return;
    const quint64 generation = m_generation;
    readLater(ObjectManagerPath, ObjectManagerInterface, QStringLiteral("GetManagedObjects"), {},
              [this, generation](const QDBusMessage& reply) {
                  if (generation != m_generation)
                      return; // the service has gone or restarted since
                  if (!answered(reply)) {
                      // A service without an object manager: its list first, then each connection and device.
                      // One that does not run is read when it appears.
                      if (!NetworkManagerCodes::isUnreachable(QDBusError(reply)))
                          readObject(N::ManagerPath, N::ManagerInterface);
                      return;
                  }
                  const auto objects = qdbus_cast<QMap<QDBusObjectPath, NmSettings>>(reply.arguments().constFirst());
                  for (auto it = objects.cbegin(); it != objects.cend(); ++it)
                      takeProperties(it.key().path(), it.value(), true);
                  m_known = true;
                  readUnknown();
              });
}

void NetworkManagerDialUp::readObject(const QString& path, const QString& interface)
{
    if (m_reading.contains(path))
        return;
    m_reading.insert(path);
    const quint64 generation = m_generation;
    readLater(path, N::PropertiesInterface, QStringLiteral("GetAll"), {interface},
              [this, path, interface, generation](const QDBusMessage& reply) {
                  if (generation != m_generation)
                      return;
                  m_reading.remove(path);
                  if (!answered(reply))
                      return; // gone meanwhile
                  takeProperties(path, {{interface, qdbus_cast<QVariantMap>(reply.arguments().constFirst())}}, true);
                  if (path == N::ManagerPath)
                      m_known = true;
                  readUnknown();
              });
}

void NetworkManagerDialUp::readUnknown()
{
    if (!m_known)
        return;
    for (const QString& path : std::as_const(m_activeOrder)) {
        const auto active = m_actives.constFind(path);
        if (active == m_actives.constEnd())
            readObject(path, N::ActiveInterface);
        else if (!active->devicePath.isEmpty() && !m_devices.contains(active->devicePath))
            readObject(active->devicePath, N::DeviceInterface);
    }
}

void NetworkManagerDialUp::takeProperties(const QString& path, const NmSettings& interfaces, bool whole)
{
    if (const auto manager = interfaces.constFind(N::ManagerInterface); manager != interfaces.constEnd()) {
        const auto listed = manager->constFind(QStringLiteral("ActiveConnections"));
        if (path != N::ManagerPath || listed == manager->constEnd())
            return;
        QList<QString> order;
        for (const QDBusObjectPath& active : pathsOf(*listed))
            order.append(active.path());
        // The connections that ended; one announced but not yet listed stays.
        for (const QString& ended : std::as_const(m_activeOrder)) {
            if (!order.contains(ended)) {
                m_actives.remove(ended);
                m_ipInterfaces.remove(ended);
            }
        }
        m_activeOrder = order;
        readUnknown();
        return;
    }
    if (const auto props = interfaces.constFind(N::ActiveInterface); props != interfaces.constEnd()) {
        if (!whole && !m_actives.contains(path))
            return; // its whole properties are on their way
        ActiveConnection& active = m_actives[path];
        if (const auto it = props->constFind(QStringLiteral("Connection")); it != props->constEnd())
            active.profilePath = qdbus_cast<QDBusObjectPath>(*it).path();
        if (const auto it = props->constFind(QStringLiteral("Type")); it != props->constEnd())
            active.type = it->toString();
        if (const auto it = props->constFind(QStringLiteral("Id")); it != props->constEnd())
            active.id = it->toString();
        if (const auto it = props->constFind(QStringLiteral("State")); it != props->constEnd())
            active.state = it->toUInt();
        if (const auto it = props->constFind(QStringLiteral("Devices")); it != props->constEnd())
            active.devicePath = firstPath(*it);
        // Asked ahead, so that a Bluetooth link's kind, or a metered link's mark, is known by the next poll.
        if (!isDialUpActive(active.type, active.profilePath) && m_recordMetered &&
            !m_meteredProfiles.contains(active.profilePath))
            readProfile(active.profilePath);
        // The device the service chose for our dial.
        if (m_dial && m_dial->activePath == path && m_dial->devicePath.isEmpty())
            m_dial->devicePath = active.devicePath;
        if (!active.devicePath.isEmpty() && !m_devices.contains(active.devicePath) && m_known)
            readObject(active.devicePath, N::DeviceInterface);
        return;
    }
    if (const auto props = interfaces.constFind(N::DeviceInterface); props != interfaces.constEnd()) {
        if (!whole && !m_devices.contains(path))
            return;
        Device& device = m_devices[path];
        if (const auto it = props->constFind(QStringLiteral("State")); it != props->constEnd())
            device.state = it->toUInt();
        if (const auto it = props->constFind(QStringLiteral("IpInterface")); it != props->constEnd())
            device.ipInterface = it->toString();
        if (const auto it = props->constFind(QStringLiteral("Metered")); it != props->constEnd())
            device.metered = it->toUInt();
    }
}

void NetworkManagerDialUp::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                               const QStringList& /*invalidated*/, const QDBusMessage& message)
{
    // Before the first answer nothing is known to change: that answer is newer than this signal.
    if (m_known)
        takeProperties(message.path(), {{interface, changed}}, false);
}

void NetworkManagerDialUp::onInterfacesAdded(const QDBusMessage& message)
{
    if (!m_known || message.arguments().size() < 2)
        return;
    takeProperties(qdbus_cast<QDBusObjectPath>(message.arguments().at(0)).path(),
                   qdbus_cast<NmSettings>(message.arguments().at(1)), true);
}

void NetworkManagerDialUp::onInterfacesRemoved(const QDBusMessage& message)
{
    if (message.arguments().size() < 2)
        return;
    const QString path = qdbus_cast<QDBusObjectPath>(message.arguments().at(0)).path();
    const QStringList interfaces = qdbus_cast<QStringList>(message.arguments().at(1));
    if (interfaces.contains(N::ActiveInterface))
        m_actives.remove(path);
    if (interfaces.contains(N::DeviceInterface))
        m_devices.remove(path);
}
