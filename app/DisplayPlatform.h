// Which of the toolkit's display platforms the program runs on. It places its windows itself (the alert
// slides in from a screen corner, windows come back where they were, the alert stays on top), which a
// Wayland compositor does not allow a program; XWayland does.
#pragma once

#include <QByteArray>

namespace DisplayPlatform {

/// The platform to ask for: "xcb" in a Wayland session that has XWayland (`display` set) when the user
/// chose none (`userChoice` empty); empty to leave the toolkit's own choice.
QByteArray choose(const QByteArray& waylandDisplay, const QByteArray& display, const QByteArray& userChoice);

/// Applies `choose` to this process's environment; call it before the application object exists.
void chooseForThisProcess();

} // namespace DisplayPlatform
