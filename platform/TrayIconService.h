// The icon in the desktop's notification area, with the menu that a right click opens.
#pragma once

#include <functional>

class QIcon;
class QMenu;
class QString;

class TrayIconService
{
public:
    virtual ~TrayIconService() = default;

    /// Whether the desktop has a notification area now.
    virtual bool available() const = 0;
    /// `changed` runs when the desktop announces that a notification area may have come (or gone); ask
    /// `available` then. Not every kind of notification area announces itself, so callers look again now
    /// and then as well.
    virtual void watchAvailability(std::function<void()> changed) = 0;
    /// Shows the icon with its tooltip; a right click pops `menu` up, a left click (a StatusNotifier host's
    /// "Activate") runs `leftClicked`. False when the desktop refuses the icon.
    virtual bool add(const QIcon& icon, const QString& tip, QMenu* menu, std::function<void()> leftClicked) = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    /// The text shown while the pointer rests on the icon; lines apart by "\n".
    virtual void setToolTip(const QString& tip) = 0;
    virtual void remove() = 0;
};
