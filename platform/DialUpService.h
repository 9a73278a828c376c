// Dial-up connections: the active connections with their states, the phone book, dialling and hanging up.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <optional>

// Connection states as the dial-up service numbers them.
namespace RasState {
enum : quint32
{
    OpenPort = 0,
    PortOpened = 1,
    ConnectDevice = 2,
    DeviceConnected = 3,
    AllDevicesConnected = 4,
    Authenticate = 5,
    AuthNotify = 6,
    AuthRetry = 7,
    AuthCallback = 8,
    AuthChangePassword = 9,
    AuthProject = 10,
    AuthLinkSpeed = 11,
    AuthAck = 12,
    ReAuthenticate = 13,
    Authenticated = 14,
    PrepareForCallback = 15,
    WaitForModemReset = 16,
    WaitForCallback = 17,
    Projected = 18,
    StartAuthentication = 19,
    CallbackComplete = 20,
    LogonNetwork = 21,
    Interactive = 0x1000,
    RetryAuthentication = 0x1001,
    CallbackSetByCaller = 0x1002,
    PasswordExpired = 0x1003,
    Connected = 0x2000,
    Disconnected = 0x2001,
};
}

// Error codes the program treats specially.
namespace RasError {
enum : quint32
{
    Pending = 600,
    UserDisconnection = 631,
    LineBusy = 676,
    NoAnswer = 678,
    LastWithServiceText = 752,
    ConnectingDeviceNotFound = 797,
};
}

struct RasConnection
{
    quintptr handle = 0;
    QString entryName;
    quint32 state = 0;
    quint32 error = 0;
    /// The connection's own IP interface ("ppp0", "wwan0"), whose octets are the session's; empty when unknown.
    QString interfaceName = {};
};

struct DialParams
{
    QString entryName;
    QString userName;
    QString password;
    bool passwordSaved = false;
};

class DialUpService
{
public:
    using Handle = quintptr;
    /// Progress of a dial: a state, or an error code (non-zero). May be called on another thread.
    using Progress = std::function<void(quint32 state, quint32 error)>;

    virtual ~DialUpService() = default;

    /// The active connections in the service's order, each with its state and error. False when
    /// they cannot be listed; `out` is then unspecified.
    virtual bool enumConnections(QList<RasConnection>& out) = 0;

    /// The service's own text for an error code, or nothing when it has none.
    virtual std::optional<QString> errorText(quint32 code) const = 0;

    /// The phone-book entry names in the service's order. False when they cannot be listed.
    virtual bool enumEntries(QStringList& out) = 0;

    /// Fills user name and, when one is saved, password of `params.entryName`. 0 or an error code.
    virtual quint32 getEntryDialParams(DialParams& params) = 0;

    /// Stores the user name of an entry; with `removePassword` any saved password is dropped.
    virtual quint32 setEntryDialParams(const DialParams& params, bool removePassword) = 0;

    /// Starts dialling without waiting; `progress` reports each state. 0 or an error code.
    virtual quint32 dial(const DialParams& params, Progress progress, Handle& handle) = 0;

    /// Starts hanging up a connection without waiting for it to end. False when refused.
    virtual bool hangUp(Handle handle) = 0;

    /// A sentence for the status line when no dial-up system at all can be reached; empty when one can.
    virtual QString unavailableReason() const { return QString(); }
    /// The dial-up systems behind the service, for the About window: "network manager", "pppd", "simulated";
    /// empty when it does not say.
    virtual QString systemsInUse() const { return QString(); }

    /// Metered links (a tethered phone, a mobile hotspot): with `on`, the active connections also hold every
    /// link the system marks as metered, named by its profile and connected while it is up.
    virtual void setRecordMetered(bool /*on*/) {}
    /// Why metered links cannot be recorded here, for the option's tooltip; empty when they can.
    virtual QString meteredUnavailableReason() const
    {
        return QStringLiteral("Only the network manager tells metered links apart, and none runs.");
    }
    /// The entries the recording filter offers: the phone book, and the metered links' profiles while they
    /// are recorded. False when they cannot be listed.
    virtual bool enumRecordable(QStringList& out) { return enumEntries(out); }
};
