// The network manager's states and failure reasons as dial-up states and error codes.
//
// States (device state while a connection activates, or the active connection's own state):
//
//   network manager                                   dial-up state
//   device unknown / unmanaged / unavailable /
//     disconnected (10-30) while activating           OpenPort        "Opening port"
//   device prepare (40): the modem dials              ConnectDevice   "Connecting device"
//   device config (50)                                DeviceConnected "Device connected"
//   device need-auth (60): the password is asked for  Authenticate    "Authenticating"
//   device ip-config (70): PPP negotiates             AuthProject     "Authentication: projecting"
//   device ip-check (80)                              Authenticated   "Authenticated. Logging on network"
//   device secondaries (90)                           LogonNetwork    "Logging on network"
//   device activated (100)                            Connected
//   device deactivating (110) / failed (120)          Disconnected
//   active connection unknown (0)                     OpenPort
//   active connection activating (1)                  by its device as above; ConnectDevice without one
//   active connection activated (2)                   Connected
//   active connection deactivating (3) / deactivated (4)  Disconnected
//
// Errors (the reason a device gives when it fails or stops before it is activated):
//
//   reason                                            error
//   0 none, 1 unknown                                 628 the port was disconnected
//   5 IP configuration unavailable                    738 the server did not assign an address
//   7 no secrets (password missing or refused)        691 access denied: user name or password
//   12 PPP start failed, 14 PPP failed                718 the remote computer did not answer in time
//   13 PPP disconnected                               629 disconnected by the remote machine
//   23 modem busy                                     676 the line is busy
//   24 modem no dial tone                             680 no dial tone
//   25 modem no carrier                               679 no carrier
//   26 modem dial timeout                             678 no answer
//   27 modem dial failed, and any other reason        651 the modem (or other device) reported an error
//   36 device removed, 43 modem not found,
//     52 modem manager unavailable                    797 modem or other connecting device not found
//   39 user requested (hung up while dialling)        631 disconnected by the user
//   40 carrier lost                                   679 no carrier
//
// A refused request: the service not running or not answering → 711 (the remote access service could not
// start), an unknown profile → 623 (entry not found), no device for it → 797, anything else → 635.
#include "platform/linux/NetworkManagerCodes.h"

#include "platform/DialUpService.h"

namespace NetworkManagerCodes {

quint32 stateOfDevice(quint32 deviceState)
{
    switch (deviceState) {
    case NmDeviceState::Prepare:
        return RasState::ConnectDevice;
    case NmDeviceState::Config:
        return RasState::DeviceConnected;
    case NmDeviceState::NeedAuth:
        return RasState::Authenticate;
    case NmDeviceState::IpConfig:
        return RasState::AuthProject;
    case NmDeviceState::IpCheck:
        return RasState::Authenticated;
    case NmDeviceState::Secondaries:
        return RasState::LogonNetwork;
    case NmDeviceState::Activated:
        return RasState::Connected;
    case NmDeviceState::Deactivating:
    case NmDeviceState::Failed:
        return RasState::Disconnected;
    default:
        return RasState::OpenPort;
    }
}

quint32 stateOfActive(quint32 activeState, std::optional<quint32> deviceState)
{
    switch (activeState) {
    case NmActiveState::Activating:
        // A device that already reads activated or failed is a step ahead of its connection.
        if (deviceState && *deviceState < NmDeviceState::Activated)
            return stateOfDevice(*deviceState);
        return RasState::ConnectDevice;
    case NmActiveState::Activated:
        return RasState::Connected;
    case NmActiveState::Deactivating:
    case NmActiveState::Deactivated:
        return RasState::Disconnected;
    default:
        return RasState::OpenPort;
    }
}

quint32 errorOfReason(quint32 reason)
{
    switch (reason) {
    case 0:
    case 1:
        return 628;
    case 5:
        return 738;
    case 7:
        return 691;
    case 12:
    case 14:
        return 718;
    case 13:
        return 629;
    case 23:
        return RasError::LineBusy;
    case 24:
        return 680;
    case 25:
    case 40:
        return 679;
    case 26:
        return RasError::NoAnswer;
    case 36:
    case 43:
    case 52:
        return RasError::ConnectingDeviceNotFound;
    case NmReason::UserRequested:
        return RasError::UserDisconnection;
    default:
        return 651;
    }
}

bool isUnreachable(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
    case QDBusError::NoNetwork:
        return true;
    default:
        return false;
    }
}

quint32 errorOfRefusal(const QDBusError& error)
{
    if (isUnreachable(error))
        return ServiceUnreachable;
    if (error.name() == QLatin1String("org.freedesktop.NetworkManager.UnknownConnection"))
        return 623;
    if (error.name() == QLatin1String("org.freedesktop.NetworkManager.UnknownDevice"))
        return RasError::ConnectingDeviceNotFound;
    return 635;
}

} // namespace NetworkManagerCodes
