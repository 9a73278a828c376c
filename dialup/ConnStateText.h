// The words shown for a connection state or a dial-up error.
#pragma once

#include <QString>

class DialUpService;

namespace ConnStateText {

/// What the connection monitor shows while no connection is listed.
inline const QString notConnected = QStringLiteral("Not connected");

/// The text of a connection state; empty for a state without one.
QString ofState(quint32 state);

/// The text of a non-zero error code: the dial-up system's own up to 752 (ours where it has none),
/// a fixed text for 797, "Error, code = N" otherwise.
QString ofError(quint32 error, const DialUpService& service);

} // namespace ConnStateText
