// The choice is made through QT_QPA_PLATFORM, the variable the user would set, so that it shows in the
// program's environment as any other choice does.
#include "app/DisplayPlatform.h"

#include <QtGlobal>

namespace DisplayPlatform {

QByteArray choose(const QByteArray& waylandDisplay, const QByteArray& display, const QByteArray& userChoice)
{
    if (!userChoice.isEmpty() || waylandDisplay.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void chooseForThisProcess()
{
    const QByteArray platform = choose(qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace DisplayPlatform
