// The dialer window's controls and the monitor's effects on them.
#include "dialup/ui/TDial.h"

#include "dialup/ConnStateText.h"
#include "dialup/ui/DialerLink.h"
#include "platform/Trace.h"
#include "ui/Named.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

TDial::TDial(DialUpService& service, const RecordingFilter& filter, DialerLink& link, QWidget* parent)
    : QWidget(parent), m_service(service), m_link(link), m_monitor(service, filter, *this)
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
    ActiveTimer = named(new QTimer(this), "ActiveTimer");
    ActiveTimer->setInterval(1000);
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
    connect(ActiveTimer, &QTimer::timeout, this, [this] { m_monitor.PollConnections(); });
    connect(btnHangup, &QPushButton::clicked, this, &TDial::btnHangupClick);
    connect(btnExit, &QPushButton::clicked, this, &TDial::btnExitClick);
    connect(lstentries, &QComboBox::activated, this, [this] {
        ResetRedial();
        GetParams();
    });
}

void TDial::FormCreate()
{
    setWindowIcon(QApplication::windowIcon());
    lblStatus->clear();
    m_monitor.setHandle(0);
    LoadEntryList();
    GetParams();
    ActiveTimer->start();
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

void TDial::btnHangupClick()
{
    const DialUpService::Handle handle = m_monitor.handle();
    if (handle == 0)
        return;
    if (!m_service.hangUp(handle))
        logAndScroll(QStringLiteral("Error : Cannot hang up connection."));
    btnHangup->setEnabled(false);
    lstentries->setEnabled(true);
    txtUserName->setEnabled(true);
    txtPassword->setEnabled(true);
    btnDialEntry->setEnabled(true);
    btnExit->setText(QStringLiteral("Exit"));
    logAndScroll(QStringLiteral("Disconnection occurred, please wait if no mouse-click response."));
    ActiveTimer->start();
    if (m_link.trayIconOn())
        m_link.changeTrayIcon(0);
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
    m_redialCount = 0;
    m_redialCountdown = 0;
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

void TDial::connectionFirstSeen(const QString& entryName)
{
    if (m_link.trayIconOn())
        m_link.addDisconnectItem(QStringLiteral("Disconnect ") + entryName);
    if (isVisible())
        hideDialer();
}

void TDial::removeDisconnectItem()
{
    if (m_link.trayIconOn())
        m_link.removeDisconnectItem();
}

bool TDial::recordingStopped() const
{
    return m_link.recordingStopped();
}

void TDial::runTrackerTick()
{
    m_link.runTrackerTick();
}

void TDial::closeEvent(QCloseEvent* event)
{
    // The title bar cannot close the dialer; "Exit" hides it.
    event->ignore();
}
