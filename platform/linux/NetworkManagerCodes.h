// How the network manager's states and failure reasons read as dial-up states and error codes.
#pragma once

#include <QDBusError>
#include <QtGlobal>
#include <optional>

// Device states (NMDeviceState).
namespace NmDeviceState {
enum : quint32
{
    Unknown = 0,
    Unmanaged = 10,
    Unavailable = 20,
    Disconnected = 30,
    Prepare = 40,
    Config = 50,
    NeedAuth = 60,
    IpConfig = 70,
    IpCheck = 80,
    Secondaries = 90,
    Activated = 100,
    Deactivating = 110,
    Failed = 120,
};
}

// Active connection states (NMActiveConnectionState).
namespace NmActiveState {
enum : quint32
{
    Unknown = 0,
    Activating = 1,
    Activated = 2,
    Deactivating = 3,
    Deactivated = 4,
};
}

// The device state reasons the dial needs to tell apart (NMDeviceStateReason).
namespace NmReason {
enum : quint32
{
    None = 0,
    Unknown = 1,
    UserRequested = 39,
    NewActivation = 60,
};
}

namespace NetworkManagerCodes {

/// The dial progress state a device state stands for.
quint32 stateOfDevice(quint32 deviceState);

/// The state of an active connection; while it is activating, the state of its device (when known) tells
/// how far it has got.
quint32 stateOfActive(quint32 activeState, std::optional<quint32> deviceState);

/// The dial error for the reason a device gave when it failed or stopped during a dial.
quint32 errorOfReason(quint32 reason);

/// The error for a service that does not run or does not answer: "the remote access service could not start".
inline constexpr quint32 ServiceUnreachable = 711;

/// Whether a request failed because the service does not run or does not answer.
bool isUnreachable(const QDBusError& error);

/// The dial error for a refused or unanswered request.
quint32 errorOfRefusal(const QDBusError& error);

} // namespace NetworkManagerCodes
