// The main window: the page control with its five tabs, the main menu and the one-second main timer.
#pragma once

#include "dialup/RecordingFilter.h"
#include "dialup/ui/DialerLink.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalAccountPrompt.h"
#include "record/PersonalFile.h"
#include "record/ProfileSetup.h"
#include "record/SessionTracker.h"

#include <QMainWindow>
#include <memory>

class AlertTab;
class CalculationTab;
class HourlyAlert;
class MainTab;
class QAction;
class QMenu;
class QTabWidget;
class QTimer;
class SettingsTab;
class TDial;
class TForm2;
class TrafficTab;
struct Platform;

class TfrmMain final : public QMainWindow, public DialerLink, private PeriodHost, private TrackerHost
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
    void btnDisabledClick(bool down);
    void btnResetDataClick();
    void btnCreateModifyClick();
    void ApplyTrayOption();
    void ApplyRunAtStartup();
    void mnuDisabledClick(bool checked);
    void DisconnectMenuClick();
    void smHelpClick();
    void mmHomePageClick();
    void smAboutClick();

    static inline const QString helpFileName = QStringLiteral("qovruvela-help.html");
    /// The tray form while tray mode is on, else null.
    TForm2* trayForm() const { return m_tray; }

    PersonalFile& personalFile() { return m_personalFile; }
    AccountingPeriod& period() { return m_period; }
    SessionTracker& tracker() { return m_tracker; }

    QString programDir() const { return m_programDir; }
    QString settingsKeyPath() const { return m_settingsKeyPath; }
    QString phoneBookKeyPath() const { return m_phoneBookKeyPath; }
    const RecordingFilter& recordingFilter() const { return m_filter; }

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
    QTimer* MainTimer;

    // DialerLink
    bool trayIconOn() const override { return m_trayIconOn; }
    bool mainWindowShowing() const override { return isVisible(); }
    void addDisconnectItem(const QString& caption) override;
    void removeDisconnectItem() override;
    void changeTrayIcon(int imageIndex) override;
    bool recordingStopped() const override;
    void runTrackerTick() override { MainTimerTimer(); }
    void showStatusLine(const QString& text) override;

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
    void showMainWindow();
    void endProgram();
    /// Creates the tray form; false, after saying so once, when the desktop has no notification area.
    bool createTray();
    void destroyTray();
    void renderTracker();

    // PeriodHost
    void resetSession() override { m_tracker.resetSession(); }
    void setNextFilePointer(qint64 pointer) override { m_tracker.setNextFilePointer(pointer); }
    void showDayPeriod(const QString& text) override;
    void listBackupFiles(const QString& folder) override;

    // TrackerHost
public:
    bool TrayIconOn() const override { return m_trayIconOn; }

private:
    bool IsConnected() const override;
    bool Checked_PhoneBook_IsOn() const override;
    bool alwaysRecord() const override;
    void ChangeSysTrayIcon(int imageIndex) override { changeTrayIcon(imageIndex); }
    void UpdateTrafficMonitor() override;
    void ClearTrafficMonitor() override;
    void zeroByteCounters() override;
    quint32 DialUpBytesReceived() const override;
    quint32 DialUpBytesSent() const override;
    void CheckHourlyAlert(qint32 usedMinutes) override;
    void resetHourlyAlert() override;

    Platform& m_platform;
    QString m_programDir;
    QString m_settingsKeyPath;
    QString m_phoneBookKeyPath;
    RecordingFilter m_filter;
    TDial* m_dialer = nullptr;
    TForm2* m_tray = nullptr;
    bool m_noTrayReported = false;
    bool m_trayIconOn = false;
    bool m_closing = false;
    PersonalFile m_personalFile;
    AccountingPeriod m_period;
    PersonalAccountPrompt m_prompt;
    ProfileSetup m_profileSetup;
    SessionTracker m_tracker;
    std::unique_ptr<HourlyAlert> m_hourlyAlert;
};
