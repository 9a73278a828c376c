// State and error texts shared by the connection monitor and the dialer.
#include "dialup/ConnStateText.h"

#include "dialup/RasErrorTexts.h"
#include "platform/DialUpService.h"

namespace ConnStateText {

QString ofState(quint32 state)
{
    switch (state) {
    case RasState::OpenPort:
        return QStringLiteral("Opening port");
    case RasState::PortOpened:
        return QStringLiteral("Port opened");
    case RasState::ConnectDevice:
        return QStringLiteral("Connecting device");
    case RasState::DeviceConnected:
        return QStringLiteral("Device connected");
    case RasState::AllDevicesConnected:
        return QStringLiteral("All devices connected");
    case RasState::Authenticate:
        return QStringLiteral("Authenticating");
    case RasState::AuthNotify:
        return QStringLiteral("Authentication: notify");
    case RasState::AuthRetry:
        return QStringLiteral("Authentication: retry");
    case RasState::AuthCallback:
        return QStringLiteral("Authentication: callback");
    case RasState::AuthChangePassword:
        return QStringLiteral("Authentication: change password");
    case RasState::AuthProject:
        return QStringLiteral("Authentication: projecting");
    case RasState::AuthLinkSpeed:
        return QStringLiteral("Authentication: link speed");
    case RasState::AuthAck:
        return QStringLiteral("Authentication acknowledged");
    case RasState::ReAuthenticate:
        return QStringLiteral(" Reauthenticating");
    case RasState::Authenticated:
        return QStringLiteral("Authenticated. Logging on network");
    case RasState::PrepareForCallback:
        return QStringLiteral("Preparing for callback");
    case RasState::WaitForModemReset:
        return QStringLiteral("Waiting for modem reset");
    case RasState::WaitForCallback:
        return QStringLiteral("Waiting for callback");
    case RasState::Projected:
        return QStringLiteral("Projected");
    case RasState::StartAuthentication:
        return QStringLiteral("Authenticating");
    case RasState::CallbackComplete:
        return QStringLiteral("Callback complete");
    case RasState::LogonNetwork:
        return QStringLiteral("Logging on network");
    case RasState::Interactive:
        return QStringLiteral("Interactive");
    case RasState::RetryAuthentication:
        return QStringLiteral("Retry Authentication");
    case RasState::CallbackSetByCaller:
        return QStringLiteral("Callback set by caller");
    case RasState::PasswordExpired:
        return QStringLiteral("Password expired");
    case RasState::Connected:
        return QStringLiteral("Connected");
    case RasState::Disconnected:
        return QStringLiteral("Disconnected");
    default:
        return QString();
    }
}

QString ofError(quint32 error, const DialUpService& service)
{
    if (error <= RasError::LastWithServiceText) {
        if (const auto own = service.errorText(error))
            return *own;
        if (const auto ours = RasErrorTexts::text(error))
            return *ours;
    } else if (error == RasError::ConnectingDeviceNotFound) {
        return QStringLiteral("Modem or other connecting device not found");
    }
    return QStringLiteral("Error, code = %1").arg(error);
}

} // namespace ConnStateText
