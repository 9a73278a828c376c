// One running copy per user.
#pragma once

class SingleInstance
{
public:
    virtual ~SingleInstance() = default;

    /// Claims the running-copy mark for this process and keeps it until the process ends.
    /// True when another copy holds it already.
    virtual bool IsAlreadyRunning() = 0;
};
