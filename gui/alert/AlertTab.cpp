// The Alert tab's controls and the little they do.
#include "gui/alert/AlertTab.h"

#include "gui/widgets/Named.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

AlertTab::AlertTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabAlert"));
    seAlertMin = named(new QSpinBox(this), "seAlertMin");
    seAlertMin->setRange(0, 1440);
    lblAlertMin = named(new QLabel(QStringLiteral("1-1440 min(s) / time to alert"), this), "lblAlertMin");
    lblAlertMin->setBuddy(seAlertMin);
    chkKeepAlertSet = named(new QCheckBox(QStringLiteral("Keep this setting"), this), "chkKeepAlertSet");
    lblAlertStatus = named(new QLabel(this), "lblAlertStatus");
    btnApply = named(new QPushButton(QStringLiteral("&Apply"), this), "btnApply");
    btnApply->setDefault(true);
    btnNoAlert = named(new QPushButton(QStringLiteral("&No Alert"), this), "btnNoAlert");
    auto* page = new QGridLayout(this);
    page->addWidget(seAlertMin, 0, 0);
    page->addWidget(lblAlertMin, 0, 1);
    page->addWidget(chkKeepAlertSet, 1, 0, 1, 2);
    page->addWidget(lblAlertStatus, 2, 0, 1, 2);
    page->addWidget(btnApply, 3, 0);
    page->addWidget(btnNoAlert, 3, 1);
    page->setRowStretch(4, 1);
    connectEvents();
}

void AlertTab::connectEvents()
{
    connect(seAlertMin, &QSpinBox::valueChanged, this, &AlertTab::seAlertMinChange);
    chkKeepAlertSet->installEventFilter(this);
}

void AlertTab::clearStatus()
{
    lblAlertStatus->clear();
}

void AlertTab::LoadSettings(bool keepAlertSet, const std::optional<int>& alertMin)
{
    chkKeepAlertSet->setChecked(keepAlertSet);
    if (keepAlertSet && alertMin) {
        // Loading is no change by the user: the stored value counts as applied.
        const QSignalBlocker quiet(seAlertMin);
        seAlertMin->setValue(*alertMin);
    }
    m_minuteAlert.LoadSettings(keepAlertSet, alertMin);
}

bool AlertTab::eventFilter(QObject* watched, QEvent* event)
{
    const bool released = event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease;
    if (watched == chkKeepAlertSet && released)
        // The box takes its new state while it handles this very event: read it afterwards.
        QMetaObject::invokeMethod(this, &AlertTab::chkKeepAlertSetMouseUp, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void AlertTab::chkKeepAlertSetMouseUp()
{
    if (m_settings)
        m_settings->setKeepAlertSet(chkKeepAlertSet->isChecked());
}

void AlertTab::seAlertMinChange()
{
    lblAlertStatus->setText(m_minuteAlert.minutesChanged());
}

void AlertTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    lblAlertStatus->setText(m_minuteAlert.statusText());
}
