// The desktop's opener through the window toolkit (xdg-open and its kin on Linux).
#pragma once

#include "platform/Shell.h"

class DesktopShell final : public Shell
{
public:
    /// The desktop knows one action per kind of file or address, so every verb runs it.
    int open(const QString& verb, const QString& target) override;
};
