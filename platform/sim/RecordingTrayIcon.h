// A notification area for tests: it records what the program does with its icon.
#pragma once

#include "platform/TrayIconService.h"

#include <QString>
#include <functional>

class RecordingTrayIcon final : public TrayIconService
{
public:
    bool available() const override { return isAvailable; }
    void watchAvailability(std::function<void()> changed) override { m_changed = std::move(changed); }
    /// A notification area comes, and says so as the desktop's would.
    void arrive()
    {
        isAvailable = true;
        if (m_changed)
            m_changed();
    }
    bool add(const QIcon&, const QString& tip, QMenu* menu, std::function<void()> leftClicked) override
    {
        if (!isAvailable)
            return false;
        m_leftClicked = std::move(leftClicked);
        shown = true;
        tooltip = tip;
        contextMenu = menu;
        ++adds;
        return true;
    }
    void setIcon(const QIcon&) override { ++iconChanges; }
    void setToolTip(const QString& tip) override { tooltip = tip; }
    /// The user clicks the icon with the left button.
    void leftClick()
    {
        if (shown && m_leftClicked)
            m_leftClicked();
    }
    void remove() override
    {
        m_leftClicked = nullptr;
        shown = false;
        contextMenu = nullptr;
        ++removals;
    }

    bool isAvailable = true;
    bool shown = false;
    QString tooltip;
    QMenu* contextMenu = nullptr;
    int adds = 0;
    int iconChanges = 0;
    int removals = 0;

private:
    std::function<void()> m_changed;
    std::function<void()> m_leftClicked;
};
