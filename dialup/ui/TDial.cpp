// The dialer window's controls and the monitor's effects on them.
#include "dialup/ui/TDial.h"

#include "core/Recorder.h"
#include "dialup/ConnStateText.h"
#include "dialup/DialErrorPolicy.h"
#include "platform/Dialogs.h"
#include "platform/Trace.h"
#include "ui/Named.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

TDial::TDial(DialUpService& service, Dialogs& dialogs, Recorder& recorder, QWidget* parent)
    : QWidget(parent), m_service(service), m_dialogs(dialogs), m_recorder(recorder)
{
    buildControls();
    connectEvents();
    FormCreate();
}

void TDial::buildControls()
{
    setObjectName(QStringLiteral("TDial"));
    setWindowTitle(QStringLiteral("Qov Ruvela Dial-Up"));
    // Only the system menu: the title bar's close box is not offered, "Exit" hides the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);

    lblAccount = named(new QLabel(QStringLiteral("Account :"), this), "lblAccount");
    lblAccount->setToolTip(QStringLiteral("Click to set up selected Account be first priority"));
    lstentries = named(new QComboBox(this), "lstentries");
    lstentries->setEditable(false);
    lblUserName = named(new QLabel(QStringLiteral("User Name :"), this), "lblUserName");
    txtUserName = named(new QLineEdit(this), "txtUserName");
    txtUserName->setMaxLength(256);
    lblPassword = named(new QLabel(QStringLiteral("Password :"), this), "lblPassword");
    txtPassword = named(new QLineEdit(this), "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMaxLength(256);
    btnDialEntry = named(new QPushButton(QStringLiteral("Connect"), this), "btnDialEntry");
    btnDialEntry->setEnabled(false);
    btnHangup = named(new QPushButton(QStringLiteral("Hang up"), this), "btnHangup");
    btnHangup->setEnabled(false);
    btnExit = named(new QPushButton(QStringLiteral("E&xit"), this), "btnExit");
    lblStatus = named(new QLabel(this), "lblStatus");
    lblStatus->setWordWrap(true);
    lblStatus->setMinimumHeight(3 * fontMetrics().lineSpacing());
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lstErrMsg = named(new QListWidget(this), "lstErrMsg");
    edErrCode = named(new QLineEdit(this), "edErrCode");
    edErrCode->setReadOnly(true);
    edErrCode->setVisible(false);
    RedialTimer = named(new QTimer(this), "RedialTimer");
    RedialTimer->setInterval(1000);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblAccount, 0, 0);
    grid->addWidget(lstentries, 0, 1, 1, 2);
    grid->addWidget(lblUserName, 1, 0);
    grid->addWidget(txtUserName, 1, 1, 1, 2);
    grid->addWidget(lblPassword, 2, 0);
    grid->addWidget(txtPassword, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDialEntry);
    buttons->addWidget(btnHangup);
    buttons->addWidget(btnExit);
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->addWidget(lblStatus, 4, 0, 1, 3);
    grid->addWidget(lstErrMsg, 5, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    lstErrMsg->setFixedHeight(80);
    lstErrMsg->setMinimumWidth(320);
}

void TDial::connectEvents()
{
    connect(&m_recorder, &Recorder::monitorStatus, this, &TDial::showStatus);
    connect(&m_recorder, &Recorder::lineInUse, this, &TDial::showLineInUse);
    connect(&m_recorder, &Recorder::lineIdle, this, &TDial::showIdle);
    connect(&m_recorder, &Recorder::connectionSeen, this, &TDial::connectionSeen);
    connect(&m_recorder, &Recorder::hungUp, this, &TDial::hungUp);
    connect(RedialTimer, &QTimer::timeout, this, &TDial::RedialTimerTimer);
    connect(btnDialEntry, &QPushButton::clicked, this, &TDial::btnDialEntryClick);
    connect(btnHangup, &QPushButton::clicked, this, &TDial::btnHangupClick);
    connect(btnExit, &QPushButton::clicked, this, &TDial::btnExitClick);
    connect(lstentries, &QComboBox::activated, this, &TDial::GetParams);
    connect(lstentries, &QComboBox::currentIndexChanged, this, &TDial::ResetRedial);
    connect(txtUserName, &QLineEdit::textChanged, this, &TDial::txtUserNameChange);
    connect(txtPassword, &QLineEdit::textChanged, this, &TDial::ResetRedial);
    connect(txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (!txtPassword->text().isEmpty())
            btnDialEntryClick();
    });
    connect(edErrCode, &QLineEdit::textChanged, this, &TDial::edErrCodeChange);
    // A press of the mouse on "Connect" starts a new redial count; the keyboard keeps the count.
    btnDialEntry->installEventFilter(this);
}

bool TDial::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnDialEntry && event->type() == QEvent::MouseButtonPress && btnDialEntry->isEnabled())
        ResetRedial();
    return QWidget::eventFilter(watched, event);
}

void TDial::FormCreate()
{
    setWindowIcon(QApplication::windowIcon());
    lblStatus->clear();
    m_recorder.monitor().setHandle(0);
    LoadEntryList();
    GetParams();
}

QStringList TDial::entryNames() const
{
    QStringList names;
    for (int i = 0; i < lstentries->count(); ++i)
        names.append(lstentries->itemText(i));
    return names;
}

void TDial::LoadEntryList()
{
    txtUserName->clear();
    txtPassword->clear();
    QStringList names;
    if (!m_service.enumEntries(names)) {
        logAndScroll(QStringLiteral("Error : Cannot retrieve entry names"));
        return;
    }
    lstentries->addItems(names);
    if (!names.isEmpty())
        lstentries->setCurrentIndex(0);
}

void TDial::GetParams()
{
    if (lstentries->currentIndex() < 0)
        return;
    DialParams params;
    params.entryName = lstentries->currentText();
    if (const quint32 error = m_service.getEntryDialParams(params)) {
        logAndScroll(QStringLiteral("Error : ") + ConnStateText::ofError(error, m_service));
        return;
    }
    txtUserName->setText(params.userName);
    txtPassword->clear();
    if (params.passwordSaved)
        txtPassword->setText(params.password);
}

void TDial::openDialer()
{
    if (!isVisible())
        GetParams();
    showNormal();
    raise();
    activateWindow();
}

void TDial::btnDialEntryClick()
{
    m_recorder.setMonitorWatching(false);
    RedialTimer->stop();
    lblStatus->clear();
    lstErrMsg->clear();
    if (lstentries->currentText().isEmpty()) {
        m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("No phone book entry"));
        m_recorder.setMonitorWatching(true); // nothing was dialled: the monitor goes on watching
        return;
    }
    if (txtPassword->text().isEmpty()) {
        m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("Please enter password"));
        m_recorder.setMonitorWatching(true);
        return;
    }
    DialParams params;
    params.entryName = lstentries->currentText();
    params.userName = txtUserName->text();
    params.password = txtPassword->text();
    DialUpService::Handle handle = 0;
    m_recorder.monitor().setHandle(0);
    Trace::line(QStringLiteral("dialer-dial ") + params.entryName);
    // Notifications may come from another thread; they are handled on this window's thread, in order.
    const quint32 result = m_service.dial(
        params,
        [this](quint32 state, quint32 error) {
            QMetaObject::invokeMethod(
                this, [this, state, error] { DialProgressCallback(state, error); }, Qt::QueuedConnection);
        },
        handle);
    m_recorder.monitor().setHandle(handle);
    StoreUserName(params);
    if (result != 0)
        lblStatus->setText(ConnStateText::ofError(result, m_service));
    showDiallingLook();
}

void TDial::StoreUserName(const DialParams& params)
{
    DialParams userOnly = params;
    userOnly.password.clear();
    m_service.setEntryDialParams(userOnly, true);
}

void TDial::showDiallingLook()
{
    btnHangup->setEnabled(true);
    btnDialEntry->setEnabled(false);
    lstentries->setEnabled(false);
    txtUserName->setEnabled(false);
    txtPassword->setEnabled(false);
    btnExit->setText(QStringLiteral("Cancel"));
}

void TDial::DialProgressCallback(quint32 state, quint32 error)
{
    if (error != 0) {
        m_lastDialError = error;
        // The relay text always changes, so every error raises exactly one change.
        m_relay = m_relay == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
        edErrCode->setText(m_relay);
        return;
    }
    const QString text = ConnStateText::ofState(state);
    showStatus(text);
    m_lastDialError = 0;
    if (text == QLatin1String("Connecting device"))
        m_recorder.changeTrayIcon(14);
    if (text == QLatin1String("Connected")) {
        m_redial.connected();
        txtPassword->clear();
        btnExit->setText(QStringLiteral("Exit"));
        m_recorder.setMonitorWatching(true);
        hideDialer();
    }
}

void TDial::edErrCodeChange()
{
    const DialErrorAction action = DialErrorPolicy::onDialError(m_lastDialError, m_service);
    showStatus(action.status);
    if (!action.logLine.isEmpty())
        logAndScroll(action.logLine);
    if (action.hangUp)
        btnHangupClick();
    if (action.redial)
        RedialTimer->start();
}

void TDial::RedialTimerTimer()
{
    const RedialCounter::Result r = m_redial.tick();
    switch (r.step) {
    case RedialCounter::Step::GiveUp:
        RedialTimer->stop();
        btnDialEntry->setText(QStringLiteral("Connect"));
        logAndScroll(QStringLiteral("The line is still busy"));
        break;
    case RedialCounter::Step::Countdown:
        btnDialEntry->setText(QStringLiteral("Redial ") + QString::number(r.secondsLeft));
        break;
    case RedialCounter::Step::Redial:
        RedialTimer->stop();
        btnDialEntry->setText(QStringLiteral("Connect"));
        btnDialEntryClick();
        logAndScroll(QStringLiteral("Times of redialing = ") + QString::number(m_redial.count()));
        break;
    }
}

void TDial::txtUserNameChange()
{
    if (lstentries->currentIndex() < 0)
        return;
    ResetRedial();
    btnDialEntry->setEnabled(!txtUserName->text().isEmpty());
}

void TDial::btnHangupClick()
{
    m_recorder.hangUpConnection();
}

void TDial::hungUp(bool ok)
{
    if (!ok)
        logAndScroll(QStringLiteral("Error : Cannot hang up connection."));
    btnHangup->setEnabled(false);
    lstentries->setEnabled(true);
    txtUserName->setEnabled(true);
    txtPassword->setEnabled(true);
    btnDialEntry->setEnabled(true);
    btnExit->setText(QStringLiteral("Exit"));
    logAndScroll(QStringLiteral("Disconnection occurred, please wait if no mouse-click response."));
}

void TDial::btnExitClick()
{
    if (btnExit->text() == QLatin1String("Cancel")) {
        logAndScroll(QStringLiteral("Received cancel command"));
        btnHangupClick();
        return;
    }
    if (txtPassword->isEnabled())
        txtPassword->clear();
    ResetRedial();
    hideDialer();
}

void TDial::ResetRedial()
{
    btnDialEntry->setText(QStringLiteral("Connect"));
    RedialTimer->stop();
    m_redial.reset();
}

void TDial::logAndScroll(const QString& line)
{
    lstErrMsg->addItem(line);
    lstErrMsg->setCurrentRow(lstErrMsg->count() - 1);
    lstErrMsg->clearSelection();
    Trace::line(QStringLiteral("dialer-log ") + line);
}

void TDial::hideDialer()
{
    showMinimized();
    hide();
}

void TDial::showStatus(const QString& text)
{
    if (lblStatus->text() != text)
        Trace::line(QStringLiteral("dialer-status ") + text);
    lblStatus->setText(text);
}

void TDial::showLineInUse()
{
    btnDialEntry->setEnabled(false);
    btnHangup->setEnabled(true);
}

void TDial::showIdle()
{
    btnDialEntry->setEnabled(true);
    btnHangup->setEnabled(false);
    lstentries->setEnabled(true);
    txtUserName->setEnabled(true);
    txtPassword->setEnabled(true);
    btnExit->setText(QStringLiteral("Exit"));
}

void TDial::connectionSeen()
{
    if (isVisible())
        hideDialer();
}

void TDial::closeEvent(QCloseEvent* event)
{
    // The title bar cannot close the dialer; "Exit" hides it.
    event->ignore();
}
