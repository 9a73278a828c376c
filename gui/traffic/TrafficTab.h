// The Traffic Monitor tab: the figures of one network interface at a time, one tab per interface, as the
// recording core's traffic monitor has them.
#pragma once

#include "traffic/TrafficMonitor.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTabBar;

class TrafficTab final : public QWidget
{
    Q_OBJECT
public:
    /// `monitor` must outlive the tab.
    explicit TrafficTab(const TrafficMonitor& monitor, QWidget* parent = nullptr);

    /// Shows the monitor's figures as they are now; the first call makes the controls below.
    void render();

signals:
    /// The user picked the interface tab `index`: the monitor shows its figures from now on.
    void tabChosen(int index);

protected:
    /// The main window leaves a hidden tab unfilled; it catches up here.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void TrafficTabsChange(int newTabIndex);
    void ledAdapterDescriptionChange();
    void renderTabs();

    const TrafficMonitor& m_monitor;
    quint64 m_shownGeneration = 0;

    /// Holds the panel: a window with less room than the figures need scrolls them instead of squashing them.
    QScrollArea* scrollPanel = nullptr;
    QGroupBox* GroupBox = nullptr;
    QLineEdit* ledAdapterDescription = nullptr;
    QLineEdit* ledMACAddress = nullptr;
    QLineEdit* ledSpeed = nullptr;
    QGroupBox* gbTime = nullptr;
    QLineEdit* ledStartedAt = nullptr;
    QLineEdit* ledActiveFor = nullptr;
    QGroupBox* gbIN = nullptr;
    QLineEdit* ledOctInSec = nullptr;
    QLineEdit* ledPeakINSec = nullptr;
    QLineEdit* ledAvgINSec = nullptr;
    QLineEdit* ledTotalIN = nullptr;
    QGroupBox* gbOUT = nullptr;
    QLineEdit* ledOctOUTSec = nullptr;
    QLineEdit* ledPeakOUTSec = nullptr;
    QLineEdit* ledAvgOUTSec = nullptr;
    QLineEdit* ledTotalOUT = nullptr;
    QLabel* StatusText = nullptr;
    QTabBar* TrafficTabs = nullptr;
};
