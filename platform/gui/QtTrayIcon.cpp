// Only the context menu is bound: clicks and double clicks on the icon do nothing.
#include "platform/gui/QtTrayIcon.h"

#include <QSystemTrayIcon>

QtTrayIcon::QtTrayIcon() = default;
QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayIcon::add(const QIcon& icon, const QString& tip, QMenu* menu)
{
    if (!available())
        return false;
    m_icon = std::make_unique<QSystemTrayIcon>(icon);
    m_icon->setToolTip(tip);
    m_icon->setContextMenu(menu);
    m_icon->show();
    return m_icon->isVisible();
}

void QtTrayIcon::setIcon(const QIcon& icon)
{
    if (m_icon)
        m_icon->setIcon(icon);
}

void QtTrayIcon::remove()
{
    if (m_icon)
        m_icon->hide();
    m_icon.reset();
}
