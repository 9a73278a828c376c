// The Notify call: application name, no notification to replace, no icon, summary, body, no actions, no
// hints, and the service's own time on screen.
#include "platform/linux/FreedesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection bus, QString appName)
    : m_bus(std::move(bus)), m_appName(std::move(appName))
{}

void FreedesktopNotifications::notify(const QString& summary, const QString& body, std::function<void(bool)> delivered)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    call << m_appName << quint32(0) << QString() << summary << body << QStringList() << QVariantMap() << qint32(-1);
    const QDBusPendingCall pending = m_bus.asyncCall(call);
    if (!delivered)
        return;
    auto* watcher = new QDBusPendingCallWatcher(pending);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, delivered = std::move(delivered)] {
        delivered(!watcher->isError());
        watcher->deleteLater();
    });
}
