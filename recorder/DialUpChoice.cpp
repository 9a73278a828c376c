// The dial-up system of this machine, as the environment picks it.
#include "recorder/DialUpChoice.h"

#include "platform/CombinedDialUp.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/NetworkManagerDialUp.h"
#include "platform/linux/PppdDialUp.h"
#include "platform/sim/FileDialUp.h"

#include <QDBusConnection>

#include <unistd.h>

namespace DialUpChoice {

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

std::unique_ptr<DialUpService> make()
{
    if (const QString simulate = qEnvironmentVariable("QOVRUVELA_SIMULATE"); !simulate.isEmpty())
        return std::make_unique<FileDialUp>(simulate);
    if (NetworkManagerDialUp::isRunning(QDBusConnection::systemBus()))
        return std::make_unique<CombinedDialUp>(std::make_unique<NetworkManagerDialUp>(QDBusConnection::systemBus()),
                                                pppd());
    return pppd();
}

} // namespace DialUpChoice
