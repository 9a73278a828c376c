// The context menu on a right click; a left click (Trigger) is the caller's, a double click does nothing.
//
// The toolkit decides once per run whether the desktop has a StatusNotifier host, at its first question,
// and keeps that answer: asked before the panel is up, it would never use the panel's notification area.
// So it is asked only once a notification area is known to be there, by the two ways the desktop offers one.
#include "platform/gui/QtTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {
const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

// The X screen the program runs on, from DISPLAY (":0.1" is screen 1); the toolkit uses the same one.
int screenNumber()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const qsizetype colon = display.lastIndexOf(':');
    return dot > colon ? display.mid(dot + 1).toInt() : 0;
}
} // namespace

QtTrayIcon::QtTrayIcon() = default;
QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::statusNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcherService))
        return false;
    QDBusMessage get =
        QDBusMessage::createMethodCall(watcherService, QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

bool QtTrayIcon::xembedTrayPresent()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr),
        &std::free);
    if (!atom)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

bool QtTrayIcon::available() const
{
    if (!statusNotifierHostRegistered() && !xembedTrayPresent())
        return false;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::watchAvailability(std::function<void()> changed)
{
    // The watcher's arrival is announced on the bus; an XEmbed tray's is not, and is found by looking again.
    m_watcher = std::make_unique<QDBusServiceWatcher>(watcherService, QDBusConnection::sessionBus(),
                                                      QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(m_watcher.get(), &QDBusServiceWatcher::serviceRegistered, m_watcher.get(),
                     [changed = std::move(changed)] {
                         if (changed)
                             changed();
                     });
}

bool QtTrayIcon::add(const QIcon& icon, const QString& tip, QMenu* menu, std::function<void()> leftClicked)
{
    if (!available())
        return false;
    m_icon = std::make_unique<QSystemTrayIcon>(icon);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                     [leftClicked = std::move(leftClicked)](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger && leftClicked)
                             leftClicked();
                     });
    m_icon->show();
    return m_icon->isVisible();
}

void QtTrayIcon::setIcon(const QIcon& icon)
{
    if (m_icon)
        m_icon->setIcon(icon);
}

void QtTrayIcon::setToolTip(const QString& tip)
{
    if (m_icon)
        m_icon->setToolTip(tip);
}

void QtTrayIcon::remove()
{
    if (m_icon)
        m_icon->hide();
    m_icon.reset();
}
