// The desktop's notification service: a short message shown by the desktop itself, beside the program's
// own windows. Sending never waits; where no service answers, nothing is shown and nothing is said.
#pragma once

#include <QString>
#include <functional>

class DesktopNotifications
{
public:
    virtual ~DesktopNotifications() = default;

    /// Hands the notification to the service and returns at once. `delivered`, when given, is called later
    /// with whether the service took it.
    virtual void notify(const QString& summary, const QString& body, std::function<void(bool)> delivered = {}) = 0;
};
