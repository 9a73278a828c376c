// An opener for tests: it records every request and answers with the result the test chose.
#pragma once

#include "platform/Shell.h"

#include <QList>

class RecordingShell final : public Shell
{
public:
    struct Call
    {
        QString verb;
        QString target;
    };

    int open(const QString& verb, const QString& target) override
    {
        calls.append({verb, target});
        return result;
    }

    QList<Call> calls;
    int result = Opened;
};
