// The notification-area icon of the window toolkit.
#pragma once

#include "platform/TrayIconService.h"

#include <memory>

class QSystemTrayIcon;

class QtTrayIcon final : public TrayIconService
{
public:
    QtTrayIcon();
    ~QtTrayIcon() override;

    bool available() const override;
    bool add(const QIcon& icon, const QString& tip, QMenu* menu) override;
    void setIcon(const QIcon& icon) override;
    void remove() override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};
