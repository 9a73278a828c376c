// The dialer window's controls and the monitor's effects on them.
#include "gui/dialup/TDial.h"

#include "core/Recorder.h"
#include "dialup/ConnStateText.h"
#include "dialup/Dialer.h"
#include "gui/widgets/Named.h"
#include "platform/Dialogs.h"
#include "platform/Trace.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

TDial::TDial(DialUpService& service, Dialogs& dialogs, Recorder& recorder, QWidget* parent)
    : QWidget(parent), m_service(service), m_dialogs(dialogs), m_recorder(recorder), m_dialer(recorder.dialer())
{
    buildControls();
    connectEvents();
    FormCreate();
}

void TDial::buildControls()
{
    setObjectName(QStringLiteral("TDial"));
    setWindowTitle(QStringLiteral("Qov Ruvela Dial-Up"));
    // The title bar's close box, Alt+F4 and Esc do what "Exit" does: the window hides (or a dial stops).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

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
    lstErrMsg->setAccessibleName(QStringLiteral("Messages"));
    // A long line (a network manager's reason, a path) wraps instead of running off the side.
    lstErrMsg->setWordWrap(true);
    lstErrMsg->setTextElideMode(Qt::ElideNone);
    lstErrMsg->setResizeMode(QListView::Adjust);
    lstErrMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblAccount->setBuddy(lstentries);
    lblUserName->setBuddy(txtUserName);
    lblPassword->setBuddy(txtPassword);

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
    connect(&m_dialer, &Dialer::changed, this, &TDial::render);
    connect(&m_dialer, &Dialer::dialConnected, this, [this] {
        txtPassword->clear();
        hideDialer();
    });
    connect(&m_recorder, &Recorder::connectionSeen, this, [this] {
        if (isVisible())
            hideDialer();
    });
    connect(btnDialEntry, &QPushButton::clicked, this, &TDial::btnDialEntryClick);
    connect(btnHangup, &QPushButton::clicked, this, &TDial::btnHangupClick);
    connect(btnExit, &QPushButton::clicked, this, &TDial::btnExitClick);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &TDial::btnExitClick);
    connect(lstentries, &QComboBox::activated, this, &TDial::GetParams);
    connect(lstentries, &QComboBox::currentIndexChanged, this, &TDial::ResetRedial);
    connect(txtUserName, &QLineEdit::textChanged, this, &TDial::txtUserNameChange);
    connect(txtPassword, &QLineEdit::textChanged, this, &TDial::ResetRedial);
    connect(txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (!txtPassword->text().isEmpty())
            btnDialEntryClick();
    });
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
    LoadEntryList();
    GetParams();
    render();
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
        m_recorder.noteDialLine(QStringLiteral("Error : Cannot retrieve entry names"));
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
        m_recorder.noteDialLine(QStringLiteral("Error : ") + ConnStateText::ofError(error, m_service));
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
    Trace::line(QStringLiteral("dialer shown"));
}

void TDial::btnDialEntryClick()
{
    if (lstentries->currentText().isEmpty()) {
        m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("No phone book entry"));
        return;
    }
    if (txtPassword->text().isEmpty()) {
        m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("Please enter password"));
        return;
    }
    DialParams params;
    params.entryName = lstentries->currentText();
    params.userName = txtUserName->text();
    params.password = txtPassword->text();
    m_recorder.dial(params);
}

void TDial::txtUserNameChange()
{
    if (lstentries->currentIndex() < 0)
        return;
    m_recorder.dialUserNameChanged(txtUserName->text().isEmpty());
}

void TDial::btnHangupClick()
{
    m_recorder.hangUpConnection();
}

void TDial::btnExitClick()
{
    if (m_dialer.state() == Dialer::State::Dialling) {
        m_recorder.cancelDial();
        return;
    }
    if (txtPassword->isEnabled())
        txtPassword->clear();
    ResetRedial();
    hideDialer();
}

void TDial::ResetRedial()
{
    m_recorder.resetRedial();
}

void TDial::hideDialer()
{
    showMinimized();
    hide();
}

void TDial::render()
{
    const Dialer::Look& look = m_dialer.look();
    lblStatus->setText(m_dialer.status());
    btnDialEntry->setEnabled(look.connectEnabled);
    btnDialEntry->setText(look.connectCaption);
    btnHangup->setEnabled(look.hangUpEnabled);
    btnExit->setText(look.exitCaption);
    for (QWidget* field :
         {static_cast<QWidget*>(lstentries), static_cast<QWidget*>(txtUserName), static_cast<QWidget*>(txtPassword)})
        field->setEnabled(look.fieldsEnabled);
    // The dialer's log starts afresh with each dial and otherwise only grows.
    const QStringList& log = m_dialer.log();
    if (log.size() < lstErrMsg->count() || (lstErrMsg->count() > 0 && lstErrMsg->item(0)->text() != log.value(0)))
        lstErrMsg->clear();
    for (qsizetype i = lstErrMsg->count(); i < log.size(); ++i)
        lstErrMsg->addItem(log[i]);
    if (lstErrMsg->count() > 0) {
        lstErrMsg->setCurrentRow(lstErrMsg->count() - 1);
        lstErrMsg->clearSelection();
    }
}

void TDial::closeEvent(QCloseEvent* event)
{
    // The window lives for the whole run: closing it is "Exit", which hides it.
    event->ignore();
    btnExitClick();
}
