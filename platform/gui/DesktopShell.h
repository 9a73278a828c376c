// The desktop's opener through the window toolkit (xdg-open and its kin on Linux), after asking the desktop
// whether any program takes the target at all: the toolkit only says that the opener started.
#pragma once

#include "platform/Shell.h"

class QUrl;

class DesktopShell final : public Shell
{
public:
    /// The desktop knows one action per kind of file or address, so every verb runs it.
    void open(const QString& verb, const QString& target, Done done) override;

    /// The kind the desktop files its programs under: "x-scheme-handler/mailto" for an address, the
    /// content type ("text/html") for a local file; empty when the content types are not known here.
    static QString kindOf(const QUrl& url);
};
