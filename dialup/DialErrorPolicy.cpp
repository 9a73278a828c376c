// The dialer's reaction to dial errors.
#include "dialup/DialErrorPolicy.h"

#include "dialup/ConnStateText.h"
#include "platform/DialUpService.h"

namespace DialErrorPolicy {

DialErrorAction onDialError(quint32 code, const DialUpService& service)
{
    DialErrorAction action;
    action.status = ConnStateText::ofError(code, service);
    if (code <= RasError::LastWithServiceText)
        action.logLine = action.status + QStringLiteral("  Error code = ") + QString::number(code);
    action.hangUp = code != RasError::UserDisconnection;
    action.redial = code == RasError::LineBusy || code == RasError::NoAnswer;
    return action;
}

} // namespace DialErrorPolicy
