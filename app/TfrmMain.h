// The main window: the page control with its five tabs, the main menu and the one-second main timer.
#pragma once

#include "dialup/RecordingFilter.h"
#include "dialup/ui/DialerLink.h"

#include <QMainWindow>

class AlertTab;
class CalculationTab;
class MainTab;
class QAction;
class QMenu;
class QTabWidget;
class QTimer;
class SettingsTab;
class TDial;
class TrafficTab;
struct Platform;

class TfrmMain final : public QMainWindow, public DialerLink
{
    Q_OBJECT
public:
    /// Prepares the window, loads the settings (which show it or keep it in the tray) and starts the timer.
    TfrmMain(Platform& platform, QString programDir, QWidget* parent = nullptr);
    ~TfrmMain() override;

    /// Hands over the dialer, which carries the connection monitor, once it exists.
    void setDialer(TDial* dialer);
    /// Fills the recording filter with the phone-book entries and marks the stored selection.
    void setPhoneBookEntries(const QStringList& names);

    /// One tick of the main timer.
    void MainTimerTimer();

    QString programDir() const { return m_programDir; }
    QString settingsKeyPath() const { return m_settingsKeyPath; }
    QString phoneBookKeyPath() const { return m_phoneBookKeyPath; }
    bool TrayIconOn() const { return m_trayIconOn; }
    const RecordingFilter& recordingFilter() const { return m_filter; }

    QTabWidget* PageControl1;
    MainTab* tabMain;
    TrafficTab* tabTrafficMon;
    CalculationTab* tabCalculation;
    SettingsTab* tabSettings;
    AlertTab* tabAlert;
    QAction* mnuMainClose;
    QAction* mmDial;
    QMenu* mmHelp;
    QAction* smHelp;
    QAction* N1;
    QAction* mmHomePage;
    QAction* smAbout;
    QTimer* MainTimer;

    // DialerLink
    bool trayIconOn() const override { return m_trayIconOn; }
    bool mainWindowShowing() const override { return isVisible(); }
    void addDisconnectItem(const QString& caption) override;
    void removeDisconnectItem() override;
    void changeTrayIcon(int imageIndex) override;
    bool recordingStopped() const override;
    void runTrackerTick() override { MainTimerTimer(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void connectEvents();
    void FormCreate();
    void LoadSettings();
    void mnuMainCloseClick();
    void mmDialClick();
    void btnSavePB_ActClick();
    void btnRefreshPBLstClick();
    void renderPhoneBook();
    void writeSetting(const QString& name, const QString& value);
    void showStatusLine(const QString& text);

    Platform& m_platform;
    QString m_programDir;
    QString m_settingsKeyPath;
    QString m_phoneBookKeyPath;
    RecordingFilter m_filter;
    TDial* m_dialer = nullptr;
    bool m_trayIconOn = false;
    bool m_closing = false;
    QString m_personalFileName;
};
