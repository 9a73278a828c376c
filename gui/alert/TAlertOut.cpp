// The alert window: its controls, the 800 ms timer and the OK button.
#include "gui/alert/TAlertOut.h"

#include "common/AppInfo.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/SerifFont.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

namespace {
const QColor panelColour(255, 255, 173);
constexpr int borderWidth = 2;
constexpr int panelWidth = 211;
constexpr int panelHeight = 189;
} // namespace

TAlertOut::TAlertOut(PlaySound playSound, const Clock& clock, QWidget* parent)
    : QWidget(parent), m_playSound(std::move(playSound)), m_clock(clock), m_state(openAlertWindows())
{
    setObjectName(QStringLiteral("TAlertOut"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // Not yet counted by the next alert window: the numbered title comes with the first tick.
    setWindowTitle(QStringLiteral("Message"));
    buildControls();
    connectEvents();
    FormCreate();
}

void TAlertOut::buildControls()
{
    // A black border of two pixels around the panel.
    setAutoFillBackground(true);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, Qt::black);
    setPalette(frame);
    setFixedSize(panelWidth + 2 * borderWidth, panelHeight + 2 * borderWidth);

    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setGeometry(borderWidth, borderWidth, panelWidth, panelHeight);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    QPalette yellow = Panel1->palette();
    yellow.setColor(QPalette::Window, panelColour);
    yellow.setColor(QPalette::Base, panelColour);
    yellow.setColor(QPalette::WindowText, Qt::black);
    yellow.setColor(QPalette::Text, Qt::black);
    Panel1->setPalette(yellow);

    mMsg = named(new QTextEdit(Panel1), "mMsg");
    mMsg->setGeometry(8, 8, 193, 113);
    mMsg->setReadOnly(true);
    mMsg->setFrameShape(QFrame::NoFrame);
    mMsg->setFocusPolicy(Qt::ClickFocus);
    mMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont bold = SerifFont::font();
    bold.setBold(true);
    mMsg->setFont(bold);

    lblRemind = named(new QLabel(QStringLiteral("Remind me"), Panel1), "lblRemind");
    lblRemind->setGeometry(8, 128, 70, 16);
    SpinEdit1 = named(new QSpinBox(Panel1), "SpinEdit1");
    SpinEdit1->setGeometry(8, 145, 44, 22);
    SpinEdit1->setRange(0, 99);
    SpinEdit1->setValue(0);
    lblMins = named(new QLabel(QStringLiteral("Min(s)"), Panel1), "lblMins");
    lblMins->setGeometry(56, 149, 40, 16);

    btnOK = named(new QPushButton(QStringLiteral("&OK"), Panel1), "btnOK");
    btnOK->setGeometry(142, 136, 65, 27);
    btnOK->setDefault(true);

    lblProgramName = named(new QLabel(Panel1), "lblProgramName");
    lblProgramName->setGeometry(8, 168, 199, 18);
    lblProgramName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblProgramName->setFont(SerifFont::font());
    QPalette grey = lblProgramName->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    lblProgramName->setPalette(grey);

    imgMe = named(new QLabel(Panel1), "imgMe");
    imgMe->setGeometry(100, 132, 32, 32);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(800);
}

void TAlertOut::connectEvents()
{
    connect(Timer1, &QTimer::timeout, this, &TAlertOut::Timer1Timer);
    connect(btnOK, &QPushButton::clicked, this, &TAlertOut::btnOKClick);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TAlertOut::SpinEdit1Change);
}

void TAlertOut::FormCreate()
{
    setWindowIcon(QApplication::windowIcon());
    mMsg->clear();
    lblProgramName->setText(AppInfo::ProgramTitle);
    Timer1->start();
}

void TAlertOut::setMessage(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mMsg->setPlainText(shown);
    QTextCursor all(mMsg->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

QString TAlertOut::message() const
{
    return mMsg->toPlainText();
}

void TAlertOut::setReminderVisible(bool visible)
{
    lblRemind->setVisible(visible);
    SpinEdit1->setVisible(visible);
    lblMins->setVisible(visible);
}

void TAlertOut::slideIn(const AlertSlide& slide, const std::function<void()>& pause)
{
    move(slide.start);
    show();
    raise();
    activateWindow();
    for (int step = 0; step < slide.steps; ++step) {
        move(x(), y() + slide.direction);
        pause();
        repaint();
    }
}

void TAlertOut::Timer1Timer()
{
    const AlertTick tick = m_state.tick(isActiveWindow(), m_clock.now().time().minute());
    setWindowTitle(tick.title);
    if (tick.reassertTopmost)
        raise();
    if (tick.close) {
        close();
        return;
    }
    if (tick.remind) {
        show();
        const QSignalBlocker quiet(SpinEdit1);
        SpinEdit1->setValue(0);
        // The reminder always sounds: "Do not play sound" is about the hourly alert only.
        m_playSound();
    }
}

void TAlertOut::btnOKClick()
{
    const int minute = m_clock.now().time().minute();
    if (m_state.confirmReminder(SpinEdit1->value(), minute) == AlertWindowState::OkOutcome::Close)
        close();
    else
        hide();
}

void TAlertOut::SpinEdit1Change()
{
    m_state.stopKeepingOnTop();
}

void TAlertOut::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TAlertOut::FormResize()
{
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (m_state.FormResize(normal))
        // Changing the window's flags inside its own resize would re-create it mid-event.
        QMetaObject::invokeMethod(this, &TAlertOut::dropTopmost, Qt::QueuedConnection);
}

void TAlertOut::dropTopmost()
{
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (wasVisible)
        show();
}

void TAlertOut::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    m_closed = true;
    event->accept();
}

int TAlertOut::openAlertWindows()
{
    const QString prefix = AlertWindowState::titlePrefix();
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->windowTitle().contains(prefix))
            continue;
        // A closed window lingers until the event loop deletes it.
        if (const auto* alert = qobject_cast<const TAlertOut*>(window); alert && alert->closed())
            continue;
        ++count;
    }
    return count;
}
