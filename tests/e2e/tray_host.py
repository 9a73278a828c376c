#!/usr/bin/env python3
"""The notification-area host's side for the end-to-end tests: reads and clicks the program's icon through the
StatusNotifier protocol on the session bus, where status_notifier_watcher.py plays the watcher.

  tray_host.py item                 print the bus name of the registered icon, once one registered
  tray_host.py tooltip              print the icon's tooltip title
  tray_host.py menu                 print the icon menu's labels, one a line
  tray_host.py click LABEL          activate the menu item with that label, as a click does
  tray_host.py activate             a left click on the icon (the host's "Activate")
"""
import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"


def item_name(bus):
    for _ in range(100):
        try:
            obj = bus.get_object(WATCHER, "/StatusNotifierWatcher")
            items = obj.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=dbus.PROPERTIES_IFACE)
            if items:
                return str(items[-1])
        except dbus.DBusException:
            pass
        time.sleep(0.1)
    sys.exit("no icon registered")


def item_property(bus, name):
    obj = bus.get_object(item_name(bus), "/StatusNotifierItem")
    return obj.Get("org.kde.StatusNotifierItem", name, dbus_interface=dbus.PROPERTIES_IFACE)


def menu_items(bus):
    service = item_name(bus)
    path = item_property(bus, "Menu")
    menu = dbus.Interface(bus.get_object(service, path), "com.canonical.dbusmenu")
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
    items = []
    for child in layout[2]:
        ident, props = int(child[0]), child[1]
        if props.get("type") == "separator" or props.get("visible", True) is False:
            continue
        items.append((ident, str(props.get("label", "")).replace("_", "")))
    return menu, items


def main():
    command = sys.argv[1:2]
    bus = dbus.SessionBus()
    if command == ["item"]:
        print(item_name(bus))
    elif command == ["tooltip"]:
        tooltip = item_property(bus, "ToolTip")
        print(str(tooltip[2]))
    elif command == ["menu"]:
        for _, label in menu_items(bus)[1]:
            print(label)
    elif command == ["activate"]:
        item = bus.get_object(item_name(bus), "/StatusNotifierItem")
        item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface="org.kde.StatusNotifierItem")
    elif command == ["click"] and len(sys.argv) == 3:
        menu, items = menu_items(bus)
        ident = next((i for i, label in items if label == sys.argv[2]), None)
        if ident is None:
            sys.exit(f"no menu item {sys.argv[2]!r}")
        menu.Event(ident, "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
