// Builds the Alert tab's controls in their design state.
#include "alert/ui/AlertTab.h"

#include "ui/Named.h"

#include <QCheckBox>
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
}
