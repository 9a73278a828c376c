// The notification-area icon of the window toolkit.
#pragma once

#include "platform/TrayIconService.h"

#include <memory>

class QDBusServiceWatcher;
class QSystemTrayIcon;

class QtTrayIcon final : public TrayIconService
{
public:
    QtTrayIcon();
    ~QtTrayIcon() override;

    bool available() const override;
    void watchAvailability(std::function<void()> changed) override;
    bool add(const QIcon& icon, const QString& tip, QMenu* menu, std::function<void()> leftClicked) override;
    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& tip) override;
    void remove() override;

    /// A StatusNotifier watcher on the session bus with a host registered (the notification areas of
    /// today's panels).
    static bool statusNotifierHostRegistered();
    /// An XEmbed tray on the X display (the older panels' and standalone trays).
    static bool xembedTrayPresent();

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
};
