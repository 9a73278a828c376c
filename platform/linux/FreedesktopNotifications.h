// Desktop notifications through the org.freedesktop.Notifications service on the session bus.
#pragma once

#include "platform/DesktopNotifications.h"

#include <QDBusConnection>

class FreedesktopNotifications final : public DesktopNotifications
{
public:
    /// `appName` is how the service names the sender.
    FreedesktopNotifications(QDBusConnection bus, QString appName);

    /// An asynchronous call of Notify; an error answer (no service on the bus) only reaches `delivered`.
    void notify(const QString& summary, const QString& body, std::function<void(bool)> delivered = {}) override;

    static inline const QString service = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString path = QStringLiteral("/org/freedesktop/Notifications");

private:
    QDBusConnection m_bus;
    QString m_appName;
};
