// What the dialer does with an error reported while dialling.
#pragma once

#include <QString>

class DialUpService;

struct DialErrorAction
{
    QString status;  ///< the dialer's status line
    QString logLine; ///< a line for the message log, or empty for none
    bool hangUp = false;
    bool redial = false;
};

namespace DialErrorPolicy {

/// Every error but "cancelled by the user" hangs up; a busy line or no answer is redialled.
DialErrorAction onDialError(quint32 code, const DialUpService& service);

} // namespace DialErrorPolicy
