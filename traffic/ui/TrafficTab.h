// The Traffic Monitor tab: the figures of one network interface at a time, one tab per interface. It owns
// the traffic monitor and is what the main window forwards the tracker's traffic calls to.
#pragma once

#include "traffic/TrafficMonitor.h"

#include <QWidget>

class Clock;
class InterfaceTable;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabBar;

class TrafficTab final : public QWidget
{
    Q_OBJECT
public:
    /// A page with no interface table behind it: priming switches the monitor off.
    explicit TrafficTab(QWidget* parent = nullptr);
    TrafficTab(InterfaceTable& table, const Clock& clock, QWidget* parent = nullptr);

    /// Start-up: the monitor runs only when the interface table can be read; then an empty list and one pass.
    void primeTrafficMonitor();
    /// One pass when the monitor is on; the Main tab hears of the dial-up interface through dialUpShown.
    void UpdateTrafficMonitor();
    void ClearTrafficMonitor();
    void SetTrafficMonitorEnabled(bool enabled);
    void zeroByteCounters() { m_monitor.zeroByteCounters(); }
    quint32 DialUpBytesReceived() const { return m_monitor.DialUpBytesReceived(); }
    quint32 DialUpBytesSent() const { return m_monitor.DialUpBytesSent(); }
    const TrafficMonitor& monitor() const { return m_monitor; }

    QGroupBox* GroupBox;
    QLineEdit* ledAdapterDescription;
    QLineEdit* ledMACAddress;
    QLineEdit* ledSpeed;
    QGroupBox* gbTime;
    QLineEdit* ledStartedAt;
    QLineEdit* ledActiveFor;
    QGroupBox* gbIN;
    QLineEdit* ledOctInSec;
    QLineEdit* ledPeakINSec;
    QLineEdit* ledAvgINSec;
    QLineEdit* ledTotalIN;
    QGroupBox* gbOUT;
    QLineEdit* ledOctOUTSec;
    QLineEdit* ledPeakOUTSec;
    QLineEdit* ledAvgOUTSec;
    QLineEdit* ledTotalOUT;
    QLabel* StatusText;
    QTabBar* TrafficTabs;

signals:
    /// A pass took the dial-up interface: the Main tab's "Adapter" and "IP Address" fields show it.
    void dialUpShown(const QString& adapter, const QString& ipAddress);

private:
    void buildControls();
    void connectEvents();
    void TrafficTabsChange(int newTabIndex);
    void ledAdapterDescriptionChange();
    void render();
    void renderTabs();

    TrafficMonitor m_monitor;
    quint64 m_shownGeneration = 0;
};
