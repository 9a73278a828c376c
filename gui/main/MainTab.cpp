// Builds the Main tab's controls; the tracker fills them.
#include "gui/main/MainTab.h"

#include "gui/widgets/Named.h"
#include "gui/widgets/QuietGroupBox.h"
#include "gui/widgets/SerifFont.h"
#include "gui/widgets/SteadyBackground.h"
#include "gui/widgets/SteadySlot.h"
#include "gui/widgets/TLabel3D.h"
#include "record/SessionTracker.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace {
constexpr int pointerWidth = 9;

QPixmap drawScale()
{
    QPixmap pix(MainTab::scaleWidth + 1, 14);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setPen(Qt::darkBlue);
    p.drawLine(0, 0, MainTab::scaleWidth, 0);
    for (int minute = 0; minute <= 60; ++minute) {
        const int x = minute * MainTab::scaleWidth / 60;
        p.drawLine(x, 0, x, minute % 15 == 0 ? 13 : minute % 5 == 0 ? 8 : 4);
    }
    return pix;
}

QPixmap drawPointer()
{
    QPixmap pix(pointerWidth, 8);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::red);
    p.setPen(Qt::darkRed);
    const QPointF tip[] = {{pointerWidth / 2.0, 0}, {pointerWidth - 0.5, 7.5}, {0.5, 7.5}};
    p.drawPolygon(tip, 3);
    return pix;
}
} // namespace

QLineEdit* MainTab::field(const char* name)
{
    auto* edit = named(new QLineEdit(this), name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

MainTab::MainTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabMain"));
    btnCreateModify = named(new QPushButton(QStringLiteral("Create / Modify"), this), "btnCreateModify");
    lblDayPeriod = named(new QLabel(this), "lblDayPeriod");

    gbStatus = named(new QuietGroupBox(QStringLiteral(" Current Status "), this), "gbStatus");
    btnDisabled = named(new QToolButton(gbStatus), "btnDisabled");
    btnDisabled->setText(QStringLiteral("Sto&p"));
    btnDisabled->setToolTip(QStringLiteral("Disabled record"));
    btnDisabled->setCheckable(true);
    btnDisabled->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnResetData = named(new QPushButton(QStringLiteral("&Reset"), gbStatus), "btnResetData");
    lblOnlineStatus = named(new QLabel(statusCaption, gbStatus), "lblOnlineStatus");
    QFont bold = lblOnlineStatus->font();
    bold.setBold(true);
    lblOnlineStatus->setFont(bold);
    // Its text changes every second while online ("Online", "Online.", ... "Online..."): with a size of its
    // own a change repaints the label alone instead of laying out and repainting the whole window.
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (const QString& text : {lblOnlineStatus->text(), QLatin1Char(' ') + offlineWord,
                                QLatin1Char(' ') + onlineWord + QStringLiteral("..."), QLatin1Char(' ') + pausedWord})
        widest = qMax(widest, metrics.horizontalAdvance(text));
    lblOnlineStatus->setFixedSize(widest + 2 * lblOnlineStatus->margin() + 4, lblOnlineStatus->sizeHint().height());
    lblAdapter = named(new QLabel(QStringLiteral("Adapter"), gbStatus), "lblAdapter");
    edAdapter = field("edAdapter");
    lblStartTime = named(new QLabel(QStringLiteral("Start"), gbStatus), "lblStartTime");
    edStartTime = field("edStartTime");
    lblEndTime = named(new QLabel(QStringLiteral("End"), gbStatus), "lblEndTime");
    edEndTime = field("edEndTime");
    auto* status = new QGridLayout(gbStatus);
    status->addWidget(btnDisabled, 0, 0);
    status->addWidget(btnResetData, 0, 1);
    status->addWidget(lblOnlineStatus, 0, 2);
    status->addWidget(lblAdapter, 1, 0, 1, 2);
    status->addWidget(lblStartTime, 1, 2);
    status->addWidget(lblEndTime, 1, 3);
    status->addWidget(edAdapter, 2, 0, 1, 2);
    status->addWidget(edStartTime, 2, 2);
    status->addWidget(edEndTime, 2, 3);
    edStartTime->setMinimumWidth(170);
    edEndTime->setMinimumWidth(170);

    gbOther = named(new QuietGroupBox(QStringLiteral(" Other "), this), "gbOther");
    lbl_IPis = named(new QLabel(QStringLiteral("IP Address"), gbOther), "lbl_IPis");
    edIP = field("edIP");
    lblElapsed = named(new QLabel(QStringLiteral("Time"), gbOther), "lblElapsed");
    edElapsed = field("edElapsed");
    lblReceived = named(new QLabel(QStringLiteral("Downloaded"), gbOther), "lblReceived");
    edReceived = field("edReceived");
    lblSent = named(new QLabel(QStringLiteral("Uploaded"), gbOther), "lblSent");
    edSent = field("edSent");
    auto* other = new QGridLayout(gbOther);
    other->addWidget(lbl_IPis, 0, 0);
    other->addWidget(lblElapsed, 0, 1);
    other->addWidget(lblReceived, 0, 2);
    other->addWidget(lblSent, 0, 3);
    other->addWidget(edIP, 1, 0);
    other->addWidget(edElapsed, 1, 1);
    other->addWidget(edReceived, 1, 2);
    other->addWidget(edSent, 1, 3);
    // These change every second while online: each repaints its own rectangle, not the group box beneath.
    for (QWidget* changing : std::initializer_list<QWidget*>{lblOnlineStatus, edEndTime, edElapsed, edReceived, edSent})
        SteadyBackground::keep(changing);

    // The scale: the pointer's left edge stands at the home position for minute 0 and moves one
    // sixtieth of the scale's width per minute.
    scalePanel = named(new QWidget(this), "scalePanel");
    scalePanel->setFixedSize(pointerHomeLeft + scaleWidth + 60, 26);
    imgScale = named(new QLabel(scalePanel), "imgScale");
    imgScale->setPixmap(drawScale());
    imgScale->setGeometry(pointerHomeLeft + pointerWidth / 2, 2, scaleWidth + 1, 14);
    imgPointer = named(new QLabel(scalePanel), "imgPointer");
    imgPointer->setPixmap(drawPointer());
    imgPointer->setGeometry(pointerHomeLeft, 16, pointerWidth, 8);
    lblSpendingHour = named(new QLabel(QStringLiteral("0"), scalePanel), "lblSpendingHour");
    lblSpendingHour->setToolTip(QStringLiteral("hour(s)"));
    lblSpendingHour->setGeometry(pointerHomeLeft + scaleWidth + 14, 2, 40, 20);
    imgScale->setVisible(false);
    imgPointer->setVisible(false);
    lblSpendingHour->setVisible(false);

    lblAllowance = named(new QLabel(this), "lblAllowance");
    // Its text never widens the window, whose size is fixed at start.
    lblAllowance->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblAllowance->setMinimumHeight(lblAllowance->fontMetrics().height());
    pbAllowance = named(new QProgressBar(this), "pbAllowance");
    pbAllowance->setRange(0, 100);
    pbAllowance->setMaximumWidth(120);
    pbAllowance->setVisible(false);

    lblStatusBar = named(new TLabel3D(this), "lblStatusBar");
    lblStatusBar->setToolTip(statusLineHint);
    lblStatusBar->setMinimumHeight(22);
    lblStatusBar->setAutoSize(false);
    // A long message is shortened with "…" and told whole in the tooltip; it never widens the window.
    lblStatusBar->setEllipsesStyle(esEnd);
    lblStatusBar->setShowAccelChar(false);
    lblStatusBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    tmStatusLine = named(new QTimer(this), "tmStatusLine");
    tmStatusLine->setSingleShot(true);
    lblStatusBar->setBorder(true);
    lblStatusBar->setBorderType(btRecessed);
    lblStatusBar->setBorderColor(Qt::red);
    lblStatusBar->setTextStyle(tsNone);
    lblStatusBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblStatusBar->setContentsMargins(4, 1, 4, 1);
    lblStatusBar->setFont(SerifFont::font());

    Button1 = named(new QPushButton(QStringLiteral("Set Online"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("XiUsedTime ++"), this), "Button2");
    Button3 = named(new QPushButton(QStringLiteral("Auto-Plus Time"), this), "Button3");
    lblTest_CurMin = named(new QLabel(this), "lblTest_CurMin");
    lblTest_FilePointer = named(new QLabel(this), "lblTest_FilePointer");
    lblTest_UsedTimeNPrevMin = named(new QLabel(this), "lblTest_UsedTimeNPrevMin");
    for (QWidget* hidden :
         {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2), static_cast<QWidget*>(Button3),
          static_cast<QWidget*>(lblTest_CurMin), static_cast<QWidget*>(lblTest_FilePointer),
          static_cast<QWidget*>(lblTest_UsedTimeNPrevMin)})
        hidden->setVisible(false);
    tmAutoPlusTime = named(new QTimer(this), "tmAutoPlusTime");
    tmAutoPlusTime->setInterval(200);

    auto* top = new QHBoxLayout;
    top->addWidget(btnCreateModify);
    top->addWidget(lblDayPeriod, 1);
    // The tab is as tall as the tallest tab; the room it does not need is shared between its parts rather
    // than left as one empty block above the status line.
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addStretch(1);
    page->addWidget(gbStatus);
    page->addStretch(1);
    page->addWidget(gbOther);
    page->addStretch(1);
    page->addWidget(scalePanel, 0, Qt::AlignHCenter);
    page->addStretch(1);
    auto* allowance = new QHBoxLayout;
    // The allowance line's figures and the status line's messages change while the window is at rest: each
    // stands in a slot of its own, so that a new text does not lay the page out again.
    allowance->addWidget(SteadySlot::around(lblAllowance), 1);
    allowance->addWidget(pbAllowance);
    page->addLayout(allowance);
    page->addWidget(SteadySlot::around(lblStatusBar));
    connectEvents();
}

void MainTab::connectEvents()
{
    connect(btnDisabled, &QToolButton::toggled, this, &MainTab::stopToggled);
    connect(btnResetData, &QPushButton::clicked, this, &MainTab::resetClicked);
    connect(btnCreateModify, &QPushButton::clicked, this, &MainTab::createModifyClicked);
    connect(Button1, &QPushButton::clicked, this, &MainTab::setOnlineClicked);
    connect(Button2, &QPushButton::clicked, this, &MainTab::plusMinuteClicked);
    connect(Button3, &QPushButton::clicked, this, [this] {
        if (tmAutoPlusTime->isActive())
            tmAutoPlusTime->stop();
        else
            tmAutoPlusTime->start();
    });
    connect(tmAutoPlusTime, &QTimer::timeout, Button2, &QPushButton::click);
    connect(tmStatusLine, &QTimer::timeout, this, &MainTab::advanceStatusLine);
}

void MainTab::setChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void MainTab::startEmpty()
{
    for (QLineEdit* edit : {edAdapter, edStartTime, edEndTime, edElapsed, edReceived, edSent, edIP})
        edit->clear();
    lblElapsed->setVisible(false);
    edElapsed->setVisible(false);
}

void MainTab::render(const TrackerView& v)
{
    m_onlineStatus = onlineStatusText(v);
    m_online = v.link == TrackerView::Link::Online;
    showOnlineStatus();
    advanceStatusLine();
    setChanged(edStartTime, v.startTime);
    setChanged(edEndTime, v.endTime);
    setChanged(edElapsed, v.elapsed);
    setChanged(edReceived, v.received);
    setChanged(edSent, v.sent);
    imgScale->setVisible(v.scaleVisible);
    imgPointer->setVisible(v.scaleVisible);
    lblSpendingHour->setVisible(v.scaleVisible);
    imgPointer->move(pointerLeft(v.pointerMinute), imgPointer->y());
    if (v.spendingHour != m_spendingHour) {
        m_spendingHour = v.spendingHour;
        lblSpendingHour->setText(QString::number(v.spendingHour));
    }
    showTestLabels(v);
}

const QString& MainTab::onlineStatusText(const TrackerView& view)
{
    // Made once: the window traces this text every second, also while it is hidden in the tray.
    static const QString offline = QLatin1Char(' ') + offlineWord;
    static const std::array<QString, 4> online = [] {
        std::array<QString, 4> texts;
        for (int dots = 0; dots < int(texts.size()); ++dots)
            texts[dots] = QLatin1Char(' ') + onlineWord + QString(dots, QLatin1Char('.'));
        return texts;
    }();
    switch (view.link) {
    case TrackerView::Link::Offline:
        return offline;
    case TrackerView::Link::Online:
        return online[std::clamp(view.onlineDots, 0, int(online.size()) - 1)];
    case TrackerView::Link::None:
        break;
    }
    return statusCaption;
}

void MainTab::showTestLabels(const TrackerView& v)
{
    // Their figures change once a minute at most: the texts are made again only then.
    const TestFigures figures{v.testCurMin,        v.testCurMinPadded, v.testFilePointer,
                              v.testUsedTimeState, v.testUsedTime,     v.testPrevMin};
    if (figures == m_testShown)
        return;
    m_testShown = figures;
    QString curMin;
    if (v.testCurMin)
        curMin = v.testCurMinPadded ? QStringLiteral("Current minute : %1").arg(*v.testCurMin, 2, 10, QLatin1Char('0'))
                                    : QStringLiteral("Current minute : %1").arg(*v.testCurMin);
    lblTest_CurMin->setText(curMin);
    lblTest_FilePointer->setText(v.testFilePointer ? QStringLiteral("Next file pointer : %1").arg(*v.testFilePointer)
                                                   : QString());
    QString usedTime;
    if (v.testUsedTimeState != TrackerView::UsedTimeLabel::Unset)
        usedTime = QStringLiteral("Used Time , Previous Min : ");
    if (v.testUsedTimeState == TrackerView::UsedTimeLabel::Figures)
        usedTime += QStringLiteral("%1,%2").arg(v.testUsedTime).arg(v.testPrevMin);
    lblTest_UsedTimeNPrevMin->setText(usedTime);
}

void MainTab::renderStopped(bool stopped)
{
    const QSignalBlocker quiet(btnDisabled);
    btnDisabled->setChecked(stopped);
    // Nothing ticks while Stop is down, so the last second's "Online.." would stand as if it were counted.
    m_stopped = stopped;
    showOnlineStatus();
    showStatusLine();
}

void MainTab::showOnlineStatus()
{
    lblOnlineStatus->setText(m_stopped && m_online ? QLatin1Char(' ') + pausedWord : m_onlineStatus);
}

void MainTab::renderDialUp(const QString& adapter, const QString& ip)
{
    setChanged(edAdapter, adapter);
    setChanged(edIP, ip);
}

void MainTab::renderDayPeriod(const QString& text)
{
    lblDayPeriod->setText(text);
}

void MainTab::renderStatusLine(const QString& text)
{
    if (m_statusLine.post(text, now()))
        showStatusLine();
    advanceStatusLine();
}

void MainTab::advanceStatusLine()
{
    // Most seconds nothing waits, and the clock is not asked.
    if (!m_statusLine.waiting()) {
        tmStatusLine->stop();
        return;
    }
    const QDateTime at = now();
    if (m_statusLine.advance(at))
        showStatusLine();
    const QDateTime next = m_statusLine.nextChange();
    if (!next.isValid())
        tmStatusLine->stop();
    else if (!tmStatusLine->isActive())
        tmStatusLine->start(int(std::clamp<qint64>(at.msecsTo(next), 250, StatusLineQueue::holdMsecs)));
}

void MainTab::showStatusLine()
{
    const QString text = m_stopped ? pausedText : m_statusLine.shown();
    lblStatusBar->setText(text);
    lblStatusBar->setToolTip(text.isEmpty() ? statusLineHint : text);
}

void MainTab::renderAllowance(const QString& line, const QString& forecast, bool barShown, int percent)
{
    lblAllowance->setText(line);
    lblAllowance->setToolTip(forecast);
    pbAllowance->setVisible(barShown);
    pbAllowance->setValue(percent);
    pbAllowance->setToolTip(forecast);
}
