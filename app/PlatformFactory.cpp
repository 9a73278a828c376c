// The one place that chooses the backends.
#include "app/PlatformFactory.h"

#include "common/AppInfo.h"
#include "platform/IniSettingsStore.h"
#include "platform/gui/DesktopShell.h"
#include "platform/gui/QtDialogs.h"
#include "platform/gui/QtTrayIcon.h"
#include "platform/linux/CanberraSound.h"
#include "platform/linux/FreedesktopNotifications.h"
#include "platform/linux/LocalSocketShowRequests.h"
#include "platform/linux/LockFileInstance.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/XdgAutostart.h"
#include "recorder/DialUpChoice.h"

#include <QDBusConnection>

namespace PlatformFactory {

Platform make()
{
    Platform p;
    p.clock = std::make_unique<SystemClock>();
    p.dialogs = std::make_unique<QtDialogs>(AppInfo::ProgramTitle);
    p.settings = std::make_unique<IniSettingsStore>(IniSettingsStore::defaultFilePath());
    p.instance = std::make_unique<LockFileInstance>();
    p.showRequests = std::make_unique<LocalSocketShowRequests>(LockFileInstance::defaultFolders());
    p.sound = std::make_unique<CanberraSound>(AppInfo::ProgramTitle);
    p.startup = std::make_unique<XdgAutostart>();
    p.tray = std::make_unique<QtTrayIcon>();
    p.interfaces = std::make_unique<NetlinkInterfaceTable>();
    p.shell = std::make_unique<DesktopShell>();
    p.notifications = std::make_unique<FreedesktopNotifications>(QDBusConnection::sessionBus(), AppInfo::ProgramTitle);
    p.dialUp = DialUpChoice::make();
    return p;
}

} // namespace PlatformFactory
