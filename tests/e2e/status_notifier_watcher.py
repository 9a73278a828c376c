"""A python-dbusmock template: the notification-area host's watcher, which icons register with."""
import dbus

BUS_NAME = "org.kde.StatusNotifierWatcher"
MAIN_OBJ = "/StatusNotifierWatcher"
MAIN_IFACE = "org.kde.StatusNotifierWatcher"
SYSTEM_BUS = False


def load(mock, parameters):
    mock.AddProperties(
        MAIN_IFACE,
        {
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
            "RegisteredStatusNotifierItems": dbus.Array([], signature="s"),
        },
    )
    mock.AddMethods(
        MAIN_IFACE,
        [
            (
                "RegisterStatusNotifierItem",
                "s",
                "",
                "items = list(self.Get('org.kde.StatusNotifierWatcher', 'RegisteredStatusNotifierItems'));"
                "items.append(args[0]);"
                "self.Set('org.kde.StatusNotifierWatcher', 'RegisteredStatusNotifierItems',"
                " dbus.Array(items, signature='s'))",
            ),
            ("RegisterStatusNotifierHost", "s", "", ""),
        ],
    )
