// The one place that chooses the headless recorder's backends.
#include "recorder/HeadlessPlatform.h"

#include "common/AppInfo.h"
#include "platform/IniSettingsStore.h"
#include "platform/linux/CanberraSound.h"
#include "platform/linux/FreedesktopNotifications.h"
#include "platform/linux/LockFileInstance.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/XdgAutostart.h"
#include "recorder/DialUpChoice.h"
#include "recorder/StderrDialogs.h"

#include <QDBusConnection>

namespace HeadlessPlatform {

Platform make(EventLog& log)
{
    Platform p;
    p.clock = std::make_unique<SystemClock>();
    p.dialogs = std::make_unique<StderrDialogs>(log);
    p.settings = std::make_unique<IniSettingsStore>(IniSettingsStore::defaultFilePath());
    p.instance = std::make_unique<LockFileInstance>();
    p.sound = std::make_unique<CanberraSound>(AppInfo::ProgramTitle);
    p.startup = std::make_unique<XdgAutostart>();
    p.interfaces = std::make_unique<NetlinkInterfaceTable>();
    // A service started at boot has no session bus; asking for one there only fails.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") || !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        if (const QDBusConnection bus = QDBusConnection::sessionBus(); bus.isConnected())
            p.notifications = std::make_unique<FreedesktopNotifications>(bus, AppInfo::ProgramTitle);
    }
    p.dialUp = DialUpChoice::make();
    return p;
}

} // namespace HeadlessPlatform
