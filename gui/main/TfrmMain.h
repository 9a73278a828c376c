// The main window: the page control with its five tabs and the main menu. It shows the recording core's
// state and sends it the user's commands; it keeps no recording state of its own.
#pragma once

#include "settings/TrayWait.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AlertTab;
class CalculationTab;
class HourlyAlert;
class MainTab;
class QAction;
class QMenu;
class QTabWidget;
class QTimer;
class Recorder;
class Settings;
class SettingsTab;
class TDial;
class TForm2;
class TMessageOut;
class TrafficTab;
struct Platform;

class TfrmMain final : public QMainWindow
{
    Q_OBJECT
public:
    /// Prepares the window and applies the settings, which show it or keep it in the tray. `settings` are the
    /// recorder's: the option groups write through them, and the windows keep their places and folders there.
    TfrmMain(Platform& platform, Recorder& recorder, Settings& settings, QWidget* parent = nullptr);
    ~TfrmMain() override;

    /// Hands over the dialer once it exists.
    void setDialer(TDial* dialer)
    {
        m_dialer = [dialer] { return dialer; };
    }
    /// How the dialer is made when the menu or the tray first asks for it: the program builds it then, so
    /// that start-up does not wait for a window most runs never open.
    void setDialer(std::function<TDial*()> dialer) { m_dialer = std::move(dialer); }
    /// How the session list window is made when the Calculation tab first asks for it.
    void setMessageOut(std::function<TMessageOut*()> makeMessageOut);

    /// One look for a notification area while tray mode waits for one at start: the icon once it is there,
    /// the main window and a word on the status line when none came within the wait.
    void TrayWaitTimerTimer();
    /// Removes the tray icon and leaves the event loop; the program's start-up sequence then closes the
    /// open session and ends.
    void endProgram();
    /// Another start of the program asks for the window: shown as the tray's "Open" shows it, raised and
    /// active, whether it was in the tray, minimised or behind others.
    void showForAnotherStart() { showMainWindow(); }

    static inline const QString helpFileName = QStringLiteral("qovruvela-help.html");
    /// The tray form while tray mode is on, else null.
    TForm2* trayForm() const { return m_tray; }
    HourlyAlert& hourlyAlert() { return *m_hourlyAlert; }

    static inline const QString noTrayText = QStringLiteral(
        "Cannot create shell notification icon: this desktop has no notification area, so the main window stays "
        "open.");

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    /// Shows or hides a page's tab; a hidden page is also out of Ctrl+Tab's reach.
    void showPage(QWidget* page, bool shown);
    void connectEvents();
    void connectSettingsTab();
    void connectRecorder();
    void FormCreate();
    void LoadSettings();
    void btnDisabledClick(bool down);
    void btnResetDataClick();
    void btnCreateModifyClick();
    void ApplyTrayOption(bool on);
    void ApplyRunAtStartup(bool on);
    void mnuDisabledClick(bool checked);
    /// The Stop button and the tray's check mark show whether the core records.
    void renderStopped();
    void DisconnectMenuClick();
    void smHelpClick();
    void mmHomePageClick();
    void smAboutClick();
    void mnuMainCloseClick();
    void mmDialClick();
    void btnSavePB_ActClick();
    void btnRefreshPBLstClick();
    void renderPhoneBook();
    void showMainWindow();
    /// Creates the tray form; false when the desktop has no notification area, which a click on the tray
    /// option (`sayWhy`) is told once in a box.
    bool createTray(bool sayWhy);
    /// Puts the tray's image and disconnect item in step with the recording.
    void showTrayState();
    void destroyTray();
    void renderTracker();
    void showStatusLine(const QString& text);
    void changeTrayIcon(int imageIndex);
    void addDisconnectItem(const QString& entryName);
    void removeDisconnectItem();
    /// The Main tab's line and bar of the period's figures and the allowance, and the tray's tooltip.
    void renderAllowance();

    QTabWidget* PageControl1;
    MainTab* tabMain;
    TrafficTab* tabTrafficMon;
    CalculationTab* tabCalculation;
    SettingsTab* tabSettings;
    AlertTab* tabAlert;
    QAction* mnuMainClose;
    QAction* mmDial;
    QMenu* mmView;
    QAction* mmTrafficMonitor;
    QMenu* mmHelp;
    QAction* smHelp;
    QAction* N1;
    QAction* mmHomePage;
    QAction* smAbout;
    /// Runs while tray mode waits for a notification area.
    QTimer* TrayWaitTimer;

    Platform& m_platform;
    Recorder& m_recorder;
    Settings& m_settings;
    std::function<TDial*()> m_dialer;
    TForm2* m_tray = nullptr;
    bool m_noTrayReported = false;
    TrayWait m_trayWait;
    bool m_closing = false;
    bool m_trackerStale = false; ///< the Main tab waits for the window to be shown again
    QString m_tracedStatus;
    std::unique_ptr<HourlyAlert> m_hourlyAlert;
};
