// The dialer window: phone-book entry, user name and password, connect and hang up. It lives for the
// whole run, mostly hidden, and carries the connection monitor.
#pragma once

#include "dialup/ConnectionMonitor.h"
#include "dialup/RedialCounter.h"

#include <QWidget>

class DialerLink;
class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class RecordingFilter;

class TDial final : public QWidget, private ConnectionMonitorHost
{
    Q_OBJECT
public:
    TDial(DialUpService& service, Dialogs& dialogs, const RecordingFilter& filter, DialerLink& link,
          QWidget* parent = nullptr);

    ConnectionMonitor& monitor() { return m_monitor; }
    QStringList entryNames() const;

    /// Opens the window from the main menu or the tray.
    void openDialer();
    void btnDialEntryClick();
    void btnHangupClick();
    void RedialTimerTimer();
    int RedialCount() const { return m_redial.count(); }

    QLabel* lblAccount;
    QComboBox* lstentries;
    QLabel* lblUserName;
    QLineEdit* txtUserName;
    QLabel* lblPassword;
    QLineEdit* txtPassword;
    QPushButton* btnDialEntry;
    QPushButton* btnHangup;
    QPushButton* btnExit;
    QLabel* lblStatus;
    QListWidget* lstErrMsg;
    QLineEdit* edErrCode;
    QTimer* ActiveTimer;
    QTimer* RedialTimer;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void FormCreate();
    void LoadEntryList();
    void GetParams();
    void btnExitClick();
    void ResetRedial();
    void DialProgressCallback(quint32 state, quint32 error);
    void edErrCodeChange();
    void StoreUserName(const DialParams& params);
    void txtUserNameChange();
    void showDiallingLook();
    void logAndScroll(const QString& line);
    void hideDialer();

    // ConnectionMonitorHost
    void showStatus(const QString& text) override;
    void showLineInUse() override;
    void showIdle() override;
    void hangUp() override { btnHangupClick(); }
    void connectionFirstSeen(const QString& entryName) override;
    void removeDisconnectItem() override;
    bool recordingStopped() const override;
    void runTrackerTick() override;

    DialUpService& m_service;
    Dialogs& m_dialogs;
    DialerLink& m_link;
    ConnectionMonitor m_monitor;
    RedialCounter m_redial;
    quint32 m_lastDialError = 0;
    QChar m_relay = QLatin1Char('A');
};
