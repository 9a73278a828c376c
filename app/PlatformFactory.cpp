// The one place that chooses the backends.
#include "app/PlatformFactory.h"

#include "common/AppInfo.h"
#include "platform/CombinedDialUp.h"
#include "platform/IniSettingsStore.h"
#include "platform/gui/DesktopShell.h"
#include "platform/gui/QtDialogs.h"
#include "platform/gui/QtTrayIcon.h"
#include "platform/linux/CanberraSound.h"
#include "platform/linux/FreedesktopNotifications.h"
#include "platform/linux/LockFileInstance.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/NetworkManagerDialUp.h"
#include "platform/linux/PppdDialUp.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/sim/FileDialUp.h"

#include <QDBusConnection>

#include <unistd.h>

namespace PlatformFactory {

namespace {

/// pppd and the kernel's PPP links. QOVRUVELA_PPP_FOLDER and QOVRUVELA_PPP_RUN_FOLDER stand in for /etc/ppp
/// and /var/run, for tests that run a stand-in pppd.
std::unique_ptr<PppdDialUp> pppd()
{
    PppdPlaces places;
    places.privileged = ::geteuid() == 0;
    if (const QString folder = qEnvironmentVariable("QOVRUVELA_PPP_FOLDER"); !folder.isEmpty())
        places.pppFolder = folder;
    if (const QString folder = qEnvironmentVariable("QOVRUVELA_PPP_RUN_FOLDER"); !folder.isEmpty())
        places.runFolder = folder;
    return std::make_unique<PppdDialUp>(std::make_unique<NetlinkInterfaceTable>(), places);
}

} // namespace

Platform make()
{
    Platform p;
    p.clock = std::make_unique<SystemClock>();
    p.dialogs = std::make_unique<QtDialogs>(AppInfo::ProgramTitle);
    p.settings = std::make_unique<IniSettingsStore>(IniSettingsStore::defaultFilePath());
    p.instance = std::make_unique<LockFileInstance>();
    p.sound = std::make_unique<CanberraSound>(AppInfo::ProgramTitle);
    p.startup = std::make_unique<XdgAutostart>();
    p.tray = std::make_unique<QtTrayIcon>();
    p.interfaces = std::make_unique<NetlinkInterfaceTable>();
    p.shell = std::make_unique<DesktopShell>();
    p.notifications = std::make_unique<FreedesktopNotifications>(QDBusConnection::sessionBus(), AppInfo::ProgramTitle);
    const QString simulate = qEnvironmentVariable("QOVRUVELA_SIMULATE");
    if (!simulate.isEmpty())
        p.dialUp = std::make_unique<FileDialUp>(simulate);
    else if (NetworkManagerDialUp::isRunning(QDBusConnection::systemBus()))
        // The network manager's connections, and the PPP links it does not manage.
        p.dialUp = std::make_unique<CombinedDialUp>(
            std::make_unique<NetworkManagerDialUp>(QDBusConnection::systemBus()), pppd());
    else
        p.dialUp = pppd();
    return p;
}

} // namespace PlatformFactory
