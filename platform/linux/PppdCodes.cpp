// pppd's lines and exit statuses as dial-up states and error codes.
//
// States, from the lines pppd writes while it is not detached:
//
//   pppd                                              dial-up state
//   started                                           OpenPort, then ConnectDevice (the connect script dials)
//   "Serial connection established."                  DeviceConnected
//   "Using interface pppN"                            AllDevicesConnected
//   "Connect: pppN <--> /dev/..."                     Authenticate
//   "... authentication succeeded"                    Authenticated
//   "local  IP address ..."                           Projected
//   "remote IP address ...", or exit status 0         Connected (with updetach pppd leaves once IP is up)
//
// Errors, from the exit status:
//
//   1 fatal error, 9 pty command failed,
//     18 init script failed                           651 the modem (or other device) reported an error
//   2 error in the options                            625 the phone book holds invalid information
//   3 not set-uid root, 4 no PPP in the kernel        711 the remote access service could not start
//   5 ended by SIGTERM, SIGINT or SIGHUP              631 disconnected by the user
//   6 the serial port is locked                       633 the port is already in use
//   7 the serial port cannot be opened                797 modem or other connecting device not found
//   8 the connect script failed                       by the modem's word the script printed: BUSY 676,
//                                                     NO ANSWER or a timeout 678, NO CARRIER 679,
//                                                     NO DIALTONE 680; otherwise 651
//   10 PPP negotiation failed                         732 the computers could not agree on PPP
//   11 the peer failed to authenticate itself         778 the identity of the server could not be verified
//   12 idle, 13 connect time, 14 callback,
//     20 traffic limit                                628 the port was disconnected
//   15 the peer stopped answering echo requests       721 the remote computer is not responding
//   16 the modem hung up                              679 no carrier
//   17 loopback                                       737 a loopback was detected
//   19 our authentication failed, 21 caller id
//     refused                                         691 access denied: user name or password
//   any other status                                  635 an unknown error
//   killed by a signal it does not catch              628
//   not installed or cannot be started                711
#include "platform/linux/PppdCodes.h"

#include "platform/DialUpService.h"

#include <QRegularExpression>

namespace PppdCodes {

namespace {

// The words a modem answers a dial with, as chat prints them when its script aborts on one of them.
quint32 modemWord(const QString& line)
{
    static const QRegularExpression busy(QStringLiteral("\\bBUSY\\b"));
    static const QRegularExpression noAnswer(QStringLiteral("\\bNO ANSWER\\b|^alarm\\b|\\btimeout\\b"));
    static const QRegularExpression noCarrier(QStringLiteral("\\bNO CARRIER\\b"));
    static const QRegularExpression noDialTone(QStringLiteral("\\bNO DIAL ?TONE\\b"));
    if (busy.match(line).hasMatch())
        return RasError::LineBusy;
    if (noCarrier.match(line).hasMatch())
        return 679;
    if (noDialTone.match(line).hasMatch())
        return 680;
    if (noAnswer.match(line).hasMatch())
        return RasError::NoAnswer;
    return 0;
}

} // namespace

LineMeaning readLine(const QString& text)
{
    const QString line = text.trimmed();
    LineMeaning meaning;
    static const QRegularExpression usingInterface(QStringLiteral("^Using interface (\\S+)$"));
    if (line == QLatin1String("Serial connection established.")) {
        meaning.state = RasState::DeviceConnected;
    } else if (const auto m = usingInterface.match(line); m.hasMatch()) {
        meaning.state = RasState::AllDevicesConnected;
        meaning.interfaceName = m.captured(1);
    } else if (line.startsWith(QLatin1String("Connect: "))) {
        meaning.state = RasState::Authenticate;
    } else if (line.endsWith(QLatin1String("authentication succeeded"))) {
        meaning.state = RasState::Authenticated;
    } else if (line.endsWith(QLatin1String("authentication failed")) ||
               line.contains(QLatin1String("peer reports authentication failure"))) {
        meaning.hint = 691;
    } else if (line.startsWith(QLatin1String("local  IP address")) ||
               line.startsWith(QLatin1String("local IP address"))) {
        meaning.state = RasState::Projected;
    } else if (line.startsWith(QLatin1String("remote IP address"))) {
        meaning.state = RasState::Connected;
    } else {
        meaning.hint = modemWord(line);
    }
    return meaning;
}

quint32 errorOfExit(int status, quint32 hint)
{
    switch (status) {
    case 1:
    case 9:
    case 18:
        return 651;
    case 2:
        return 625;
    case 3:
    case 4:
        return NotStarted;
    case 5:
        return RasError::UserDisconnection;
    case 6:
        return 633;
    case 7:
        return RasError::ConnectingDeviceNotFound;
    case 8:
        return hint == RasError::LineBusy || hint == RasError::NoAnswer || hint == 679 || hint == 680 ? hint : 651;
    case 10:
        return 732;
    case 11:
        return 778;
    case 12:
    case 13:
    case 14:
    case 20:
        return 628;
    case 15:
        return 721;
    case 16:
        return 679;
    case 17:
        return 737;
    case 19:
    case 21:
        return 691;
    default:
        return 635;
    }
}

} // namespace PppdCodes
