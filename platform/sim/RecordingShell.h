// An opener for tests: it records every request and answers with the result the test chose, at once or,
// as the desktop's opener does, later when the test says so.
#pragma once

#include "platform/Shell.h"

#include <QList>
#include <utility>

class RecordingShell final : public Shell
{
public:
    struct Call
    {
        QString verb;
        QString target;
    };

    void open(const QString& verb, const QString& target, Done done) override
    {
        calls.append({verb, target});
        if (answerLater)
            m_pending.append(std::move(done));
        else if (done)
            done(result);
    }

    /// Answers the requests held back while `answerLater` was set, with the current `result`.
    void answer()
    {
        const QList<Done> pending = std::exchange(m_pending, {});
        for (const Done& done : pending)
            if (done)
                done(result);
    }

    QList<Call> calls;
    int result = Opened;
    bool answerLater = false;

private:
    QList<Done> m_pending;
};
