// One running copy per user.
#pragma once

#include <QString>

class SingleInstance
{
public:
    virtual ~SingleInstance() = default;

    /// Claims the running-copy mark for this process and keeps it until the process ends.
    /// True when another copy holds it already.
    virtual bool IsAlreadyRunning() = 0;
    /// Why no mark could be claimed at all, so that another copy may run unseen; empty when it was claimed.
    virtual QString problem() const { return QString(); }
};
