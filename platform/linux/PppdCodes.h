// How pppd's report lines and exit statuses read as dial-up states and error codes.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace PppdCodes {

/// What one line of pppd's report (its log on standard output before it detaches) tells.
struct LineMeaning
{
    /// The dial-up state the dial has reached.
    std::optional<quint32> state;
    /// The interface pppd made ("Using interface ppp0").
    QString interfaceName;
    /// An error the line points to, for an exit status that cannot tell it alone (the connect script's
    /// "BUSY", a refused password); 0 for none.
    quint32 hint = 0;
};

LineMeaning readLine(const QString& line);

/// The dial error of pppd's exit status; `hint` is the last hint its lines gave.
quint32 errorOfExit(int status, quint32 hint);

/// pppd could not be started at all, or is not installed: "the remote access service could not start".
inline constexpr quint32 NotStarted = 711;
/// pppd ended by a signal it did not catch: "the port was disconnected".
inline constexpr quint32 Killed = 628;

} // namespace PppdCodes
