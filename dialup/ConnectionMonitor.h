// Once a second: is a dial-up connection up, through which phone-book entry, and is that entry recorded.
#pragma once

#include "platform/DialUpService.h"

#include <QString>

class RecordingFilter;

// What the monitor drives outside itself: the dialer's status and buttons, the tray's disconnect item,
// and the session tracker.
class ConnectionMonitorHost
{
public:
    virtual ~ConnectionMonitorHost() = default;
    /// The dialer's status line.
    virtual void showStatus(const QString& text) = 0;
    /// A connection is listed: "Connect" disabled, "Hang up" enabled.
    virtual void showLineInUse() = 0;
    /// No connection: the dialer's idle look.
    virtual void showIdle() = 0;
    /// The dialer's "Hang up" action on the monitor's current handle.
    virtual void hangUp() = 0;
    /// A connection was seen connected for the first time: the tray's disconnect item, the dialer hides.
    virtual void connectionFirstSeen(const QString& entryName) = 0;
    /// The end of a connection: the tray's disconnect item goes.
    virtual void removeDisconnectItem() = 0;
    /// True while recording is stopped (the tracker's timer is off).
    virtual bool recordingStopped() const = 0;
    /// One tick of the session tracker, run directly.
    virtual void runTrackerTick() = 0;
};

class ConnectionMonitor
{
public:
    ConnectionMonitor(DialUpService& service, const RecordingFilter& filter, ConnectionMonitorHost& host);

    /// One poll: the work of each tick of the monitor's timer.
    void PollConnections();

    bool IsConnected() const { return m_connected; }
    QString Get_CurEntryName() const { return m_entryName; }
    /// The IP interface of the connection the last poll examined, as the dial-up system names it; empty
    /// when it names none or no connection is listed.
    QString interfaceName() const { return m_interfaceName; }
    bool Checked_PhoneBook_IsOn() const { return m_checkedEntry; }

    /// The connection the dialer's "Hang up" releases; every poll that lists a connection sets it.
    DialUpService::Handle handle() const { return m_handle; }
    void setHandle(DialUpService::Handle handle) { m_handle = handle; }

    /// The status text of a state or an error; an error other than "pending" hangs the connection up.
    QString DescribeConnState(quint32 state, quint32 error);
    void IsThis_DialedPhoneBook_Needed_TimerOn();
    void ResetToNotConnected();
    void HandleDisconnection();

    static constexpr int maxEntryNameLength = 256;

private:
    DialUpService& m_service;
    const RecordingFilter& m_filter;
    ConnectionMonitorHost& m_host;

    bool m_connected = false;
    bool m_wasConnected = false;
    bool m_checkedEntry = false;
    QString m_entryName;
    QString m_interfaceName;
    DialUpService::Handle m_handle = 0;
};
