// The dialer window: phone-book entry, user name and password, connect and hang up. Made when first opened,
// it then lives for the rest of the run, mostly hidden, and shows the recording core's dialer, to which it
// forwards clicks and keys.
#pragma once

#include "platform/DialUpService.h"

#include <QWidget>

class Dialer;
class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Recorder;

class TDial final : public QWidget
{
    Q_OBJECT
public:
    TDial(DialUpService& service, Dialogs& dialogs, Recorder& recorder, QWidget* parent = nullptr);

    QStringList entryNames() const;

    /// Opens the window from the main menu or the tray.
    void openDialer();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void FormCreate();
    void LoadEntryList();
    void GetParams();
    void btnDialEntryClick();
    void btnHangupClick();
    void btnExitClick();
    void ResetRedial();
    void txtUserNameChange();
    void logAndScroll(const QString& line);
    void hideDialer();
    void render();

    DialUpService& m_service;
    Dialogs& m_dialogs;
    Recorder& m_recorder;
    const Dialer& m_dialer;

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
};
