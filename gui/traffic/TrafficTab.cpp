// Builds the Traffic Monitor tab and renders the traffic monitor into it. The page is hidden until the View
// menu shows it, so its controls are made at its first rendering, not with the main window.
#include "gui/traffic/TrafficTab.h"

#include "gui/widgets/Named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const QColor cream(255, 251, 240);
const QColor green(0, 128, 0);
const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);

/// A read-only field with its label above it; the panel is disabled, so the colours hold for every state.
QLineEdit* labelledField(QWidget* parent, QGridLayout* grid, int row, int column, const char* name, const char* label,
                         const QColor& text)
{
    auto* edit = named(new QLineEdit(parent), name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, cream);
        palette.setColor(group, QPalette::Text, text);
    }
    edit->setPalette(palette);
    auto* caption = new QLabel(QString::fromLatin1(label), parent);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row + 1, column);
    return edit;
}

/// Room for `sample`, the widest text the field shows in practice, beside the frame and the text margins.
void roomFor(QLineEdit* edit, const QString& sample)
{
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(sample) + 2 * frame + 8);
}
} // namespace

TrafficTab::TrafficTab(const TrafficMonitor& monitor, QWidget* parent) : QWidget(parent), m_monitor(monitor)
{
    setObjectName(QStringLiteral("tabTrafficMon"));
}

void TrafficTab::buildControls()
{
    const QColor windowText = palette().color(QPalette::WindowText);
    // The page is made after the main window took its size, which did not count it: where that is less than
    // the figures need (a shorter Settings tab, larger fonts), they scroll rather than shrink below their text.
    scrollPanel = named(new QScrollArea(this), "scrollPanel");
    scrollPanel->setWidgetResizable(true);
    scrollPanel->setFrameShape(QFrame::NoFrame);
    GroupBox = named(new QGroupBox, "GroupBox");
    auto* panel = new QGridLayout(GroupBox);
    ledAdapterDescription =
        labelledField(GroupBox, panel, 0, 0, "ledAdapterDescription", "Adapter description", windowText);
    panel->removeWidget(ledAdapterDescription);
    panel->addWidget(ledAdapterDescription, 1, 0, 1, 3);
    ledMACAddress = labelledField(GroupBox, panel, 2, 0, "ledMACAddress", "MAC Address", windowText);
    ledSpeed = labelledField(GroupBox, panel, 2, 1, "ledSpeed", "Speed", windowText);
    roomFor(ledMACAddress, QStringLiteral("00-00-00-00-00-00"));
    roomFor(ledSpeed, QStringLiteral("100.00 Mbps"));

    gbTime = named(new QGroupBox(QStringLiteral("From last reset:"), GroupBox), "gbTime");
    auto* time = new QGridLayout(gbTime);
    ledStartedAt = labelledField(gbTime, time, 0, 0, "ledStartedAt", "Started at", green);
    ledActiveFor = labelledField(gbTime, time, 0, 1, "ledActiveFor", "Duration", green);
    roomFor(ledStartedAt, QStringLiteral("28 Dec 2026 20:14:51"));
    roomFor(ledActiveFor, QStringLiteral("100:00:00"));
    panel->addWidget(gbTime, 4, 0, 1, 3);

    gbIN = named(new QGroupBox(QStringLiteral("In (download)"), GroupBox), "gbIN");
    auto* in = new QGridLayout(gbIN);
    ledOctInSec = labelledField(gbIN, in, 0, 0, "ledOctInSec", "Traffic / second", red);
    ledPeakINSec = labelledField(gbIN, in, 0, 1, "ledPeakINSec", "Peak / second", red);
    ledAvgINSec = labelledField(gbIN, in, 0, 2, "ledAvgINSec", "Average / second", red);
    ledTotalIN = labelledField(gbIN, in, 0, 3, "ledTotalIN", "TOTAL", red);
    panel->addWidget(gbIN, 5, 0, 1, 3);

    gbOUT = named(new QGroupBox(QStringLiteral("Out (upload)"), GroupBox), "gbOUT");
    auto* out = new QGridLayout(gbOUT);
    ledOctOUTSec = labelledField(gbOUT, out, 0, 0, "ledOctOUTSec", "Traffic / second", blue);
    ledPeakOUTSec = labelledField(gbOUT, out, 0, 1, "ledPeakOUTSec", "Peak / second", blue);
    ledAvgOUTSec = labelledField(gbOUT, out, 0, 2, "ledAvgOUTSec", "Average / second", blue);
    ledTotalOUT = labelledField(gbOUT, out, 0, 3, "ledTotalOUT", "TOTAL", blue);
    panel->addWidget(gbOUT, 6, 0, 1, 3);
    for (QLineEdit* figure :
         {ledOctInSec, ledPeakINSec, ledAvgINSec, ledTotalIN, ledOctOUTSec, ledPeakOUTSec, ledAvgOUTSec, ledTotalOUT})
        roomFor(figure, QStringLiteral("1,023.99 KB/s"));

    StatusText = named(new QLabel(GroupBox), "StatusText");
    panel->setRowStretch(7, 1);
    panel->addWidget(StatusText, 8, 0, 1, 3);
    panel->setColumnStretch(2, 1);
    // The panel only shows: none of its fields takes input or focus. Its captions keep their colour.
    GroupBox->setEnabled(false);
    QPalette captions = GroupBox->palette();
    captions.setColor(QPalette::Disabled, QPalette::WindowText, windowText);
    GroupBox->setPalette(captions);
    scrollPanel->setWidget(GroupBox);

    TrafficTabs = named(new QTabBar(this), "TrafficTabs");
    TrafficTabs->setShape(QTabBar::RoundedSouth);
    TrafficTabs->setExpanding(false);
    TrafficTabs->setStyleSheet(QStringLiteral("QTabBar::tab { height: 18px; }"));

    auto* page = new QVBoxLayout(this);
    page->addWidget(scrollPanel, 1);
    page->addWidget(TrafficTabs);
}

void TrafficTab::showEvent(QShowEvent* event)
{
    const bool made = GroupBox != nullptr;
    render();
    // Controls made while the page is already showing would show only once the event loop gets to them.
    if (!made) {
        scrollPanel->show();
        TrafficTabs->show();
    }
    QWidget::showEvent(event);
}

void TrafficTab::connectEvents()
{
    connect(TrafficTabs, &QTabBar::currentChanged, this, &TrafficTab::TrafficTabsChange);
    connect(ledAdapterDescription, &QLineEdit::textChanged, this, &TrafficTab::ledAdapterDescriptionChange);
}

void TrafficTab::TrafficTabsChange(int newTabIndex)
{
    emit tabChosen(newTabIndex);
    render();
}

void TrafficTab::ledAdapterDescriptionChange()
{
    const QString text = ledAdapterDescription->text();
    const int frame = ledAdapterDescription->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int clientWidth = ledAdapterDescription->contentsRect().width() - 2 * frame;
    const bool clipped = window()->fontMetrics().horizontalAdvance(text) > clientWidth;
    ledAdapterDescription->setToolTip(clipped ? text : QString());
}

void TrafficTab::render()
{
    if (!GroupBox) {
        buildControls();
        connectEvents();
    }
    renderTabs();
    const TrafficPage& p = m_monitor.page();
    ledAdapterDescription->setText(p.ledAdapterDescription);
    ledMACAddress->setText(p.ledMACAddress);
    ledSpeed->setText(p.ledSpeed);
    ledOctInSec->setText(p.ledOctInSec);
    ledPeakINSec->setText(p.ledPeakINSec);
    ledAvgINSec->setText(p.ledAvgINSec);
    ledTotalIN->setText(p.ledTotalIN);
    ledOctOUTSec->setText(p.ledOctOUTSec);
    ledPeakOUTSec->setText(p.ledPeakOUTSec);
    ledAvgOUTSec->setText(p.ledAvgOUTSec);
    ledTotalOUT->setText(p.ledTotalOUT);
    ledStartedAt->setText(p.ledStartedAt);
    ledActiveFor->setText(p.ledActiveFor);
    StatusText->setText(p.StatusText);
}

void TrafficTab::renderTabs()
{
    // The list only grows between two clearings, so the bar needs new tabs appended, or rebuilding after one.
    const QSignalBlocker quiet(TrafficTabs);
    if (m_shownGeneration != m_monitor.generation()) {
        while (TrafficTabs->count() > 0)
            TrafficTabs->removeTab(TrafficTabs->count() - 1);
        m_shownGeneration = m_monitor.generation();
    }
    for (int tab = TrafficTabs->count(); tab < m_monitor.tabCount(); ++tab)
        TrafficTabs->addTab(m_monitor.tabCaption(tab));
    TrafficTabs->setCurrentIndex(m_monitor.tabIndex());
}
