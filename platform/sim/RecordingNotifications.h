// A notification service for tests: keeps what it was given and answers at once, or says that none runs.
#pragma once

#include "platform/DesktopNotifications.h"

#include <QList>

class RecordingNotifications final : public DesktopNotifications
{
public:
    struct Sent
    {
        QString summary;
        QString body;
    };

    void notify(const QString& summary, const QString& body, std::function<void(bool)> delivered = {}) override
    {
        if (running)
            sent.append({summary, body});
        if (delivered)
            delivered(running);
    }

    /// When false, there is no service: nothing is kept and the answer is "not delivered".
    bool running = true;
    QList<Sent> sent;
};
