// The dialer window: phone-book entry, user name and password, connect and hang up. It lives for the
// whole run, mostly hidden, and shows what the recording core's connection monitor sees.
#pragma once

#include "dialup/RedialCounter.h"
#include "platform/DialUpService.h"

#include <QWidget>

class Dialogs;
class Recorder;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class TDial final : public QWidget
{
    Q_OBJECT
public:
    TDial(DialUpService& service, Dialogs& dialogs, Recorder& recorder, QWidget* parent = nullptr);

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
    void showStatus(const QString& text);
    void showLineInUse();
    void showIdle();
    void connectionSeen();
    /// The idle look once a connection was hung up, by this window or by the monitor on an error.
    void hungUp(bool ok);

    DialUpService& m_service;
    Dialogs& m_dialogs;
    Recorder& m_recorder;
    RedialCounter m_redial;
    quint32 m_lastDialError = 0;
    QChar m_relay = QLatin1Char('A');
};
