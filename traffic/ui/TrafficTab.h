// The Traffic Monitor tab: the figures of one network interface at a time, one tab per interface, as the
// recording core's traffic monitor has them.
#pragma once

#include "traffic/TrafficMonitor.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QTabBar;

class TrafficTab final : public QWidget
{
    Q_OBJECT
public:
    /// `monitor` must outlive the tab.
    explicit TrafficTab(TrafficMonitor& monitor, QWidget* parent = nullptr);

    /// Shows the monitor's figures as they are now.
    void render();

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

protected:
    /// The main window leaves a hidden tab unfilled; it catches up here.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void TrafficTabsChange(int newTabIndex);
    void ledAdapterDescriptionChange();
    void renderTabs();

    TrafficMonitor& m_monitor;
    quint64 m_shownGeneration = 0;
};
