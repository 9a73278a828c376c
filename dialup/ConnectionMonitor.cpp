// The connection monitor's poll and its one-time work at the start and the end of a connection.
#include "dialup/ConnectionMonitor.h"

#include "dialup/ConnStateText.h"
#include "dialup/RecordingFilter.h"

ConnectionMonitor::ConnectionMonitor(DialUpService& service, const RecordingFilter& filter, ConnectionMonitorHost& host)
    : m_service(service), m_filter(filter), m_host(host)
{}

void ConnectionMonitor::PollConnections()
{
    QList<RasConnection> connections;
    if (!m_service.enumConnections(connections)) {
        // Every flag keeps its value: the tracker goes on as before until a poll succeeds.
        m_host.showStatus(QStringLiteral("Error : Cannot retrieve connection details"));
        return;
    }
    if (connections.isEmpty()) {
        if (m_wasConnected)
            HandleDisconnection();
        ResetToNotConnected();
        return;
    }
    // Each connection overwrites the flags, so the last one listed decides.
    for (const RasConnection& c : std::as_const(connections)) {
        m_entryName = c.entryName.left(maxEntryNameLength);
        m_interfaceName = c.interfaceName;
        m_handle = c.handle;
        const QString text = DescribeConnState(c.state, c.error);
        m_host.showStatus(text);
        if (text == QLatin1String("Connected")) {
            if (!m_connected) {
                m_host.connectionFirstSeen(m_entryName);
                IsThis_DialedPhoneBook_Needed_TimerOn();
            }
            m_connected = true;
            m_wasConnected = true;
        } else {
            m_checkedEntry = false;
            m_connected = false;
            if (m_wasConnected)
                HandleDisconnection();
        }
        m_host.showLineInUse();
    }
}

QString ConnectionMonitor::DescribeConnState(quint32 state, quint32 error)
{
    if (error == 0)
        return ConnStateText::ofState(state);
    const QString text = ConnStateText::ofError(error, m_service);
    if (error != RasError::Pending)
        m_host.hangUp();
    return text;
}

void ConnectionMonitor::IsThis_DialedPhoneBook_Needed_TimerOn()
{
    m_checkedEntry = m_filter.isChecked(m_entryName);
}

void ConnectionMonitor::ResetToNotConnected()
{
    m_host.showStatus(ConnStateText::notConnected);
    m_host.showIdle();
    m_connected = false;
    m_entryName.clear();
    m_interfaceName.clear();
}

void ConnectionMonitor::HandleDisconnection()
{
    m_host.removeDisconnectItem();
    if (m_host.recordingStopped()) {
        // The tracker's timer is off: close the session with one direct tick.
        m_connected = false;
        m_host.runTrackerTick();
    }
    m_wasConnected = false;
}
