// What the dialer window and its connection monitor reach in the main window and the tray.
#pragma once

#include <QString>

class DialerLink
{
public:
    virtual ~DialerLink() = default;
    virtual bool trayIconOn() const = 0;
    virtual bool mainWindowShowing() const = 0;
    virtual void addDisconnectItem(const QString& caption) = 0;
    virtual void removeDisconnectItem() = 0;
    virtual void changeTrayIcon(int imageIndex) = 0;
    /// True while the Stop button is down.
    virtual bool recordingStopped() const = 0;
    virtual void runTrackerTick() = 0;
};
