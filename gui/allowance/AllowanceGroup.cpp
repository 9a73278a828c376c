// Builds the allowance group and checks what the user typed into it.
#include "gui/allowance/AllowanceGroup.h"

#include "gui/widgets/Named.h"
#include "settings/AllowanceSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AllowanceGroup::AllowanceGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Allowance per period "), parent)
{
    setObjectName(QStringLiteral("gbAllowance"));
    lblAllowanceHours = named(new QLabel(QStringLiteral("Hours:"), this), "lblAllowanceHours");
    edAllowanceHours = named(new QLineEdit(this), "edAllowanceHours");
    edAllowanceHours->setPlaceholderText(QStringLiteral("none"));
    lblAllowanceData = named(new QLabel(QStringLiteral("Data:"), this), "lblAllowanceData");
    edAllowanceData = named(new QLineEdit(this), "edAllowanceData");
    edAllowanceData->setPlaceholderText(QStringLiteral("none"));
    cbAllowanceUnit = named(new QComboBox(this), "cbAllowanceUnit");
    cbAllowanceUnit->addItems({QStringLiteral("MB"), QStringLiteral("GB")});
    cbAllowanceUnit->setCurrentIndex(1);
    lblAllowanceWarnAt = named(new QLabel(QStringLiteral("Warn at (%):"), this), "lblAllowanceWarnAt");
    edAllowanceWarnAt = named(new QLineEdit(QStringLiteral("80, 100"), this), "edAllowanceWarnAt");
    chkAllowanceNotify = named(new QCheckBox(QStringLiteral("Warn on the desktop too"), this), "chkAllowanceNotify");
    btnAllowanceApply = named(new QPushButton(QStringLiteral("&Apply"), this), "btnAllowanceApply");
    auto* allowance = new QGridLayout(this);
    allowance->addWidget(lblAllowanceHours, 0, 0);
    allowance->addWidget(edAllowanceHours, 0, 1, 1, 2);
    allowance->addWidget(lblAllowanceData, 1, 0);
    allowance->addWidget(edAllowanceData, 1, 1);
    allowance->addWidget(cbAllowanceUnit, 1, 2);
    allowance->addWidget(lblAllowanceWarnAt, 2, 0);
    allowance->addWidget(edAllowanceWarnAt, 2, 1, 1, 2);
    allowance->addWidget(chkAllowanceNotify, 3, 0, 1, 3);
    allowance->addWidget(btnAllowanceApply, 4, 2);

    connect(btnAllowanceApply, &QPushButton::clicked, this, &AllowanceGroup::btnAllowanceApplyClick);
    connect(chkAllowanceNotify, &QCheckBox::clicked, this, &AllowanceGroup::btnAllowanceApplyClick);
    for (QLineEdit* field : {edAllowanceHours, edAllowanceData, edAllowanceWarnAt})
        connect(field, &QLineEdit::returnPressed, this, &AllowanceGroup::btnAllowanceApplyClick);
}

void AllowanceGroup::render(const AllowanceSettings& stored)
{
    edAllowanceHours->setText(stored.hours ? QString::number(*stored.hours) : QString());
    if (stored.bytes) {
        const auto [amount, unit] = AllowanceSettings::dataForEntry(*stored.bytes);
        edAllowanceData->setText(amount);
        cbAllowanceUnit->setCurrentIndex(unit == AllowanceSettings::DataUnit::GB ? 1 : 0);
    } else {
        edAllowanceData->clear();
    }
    edAllowanceWarnAt->setText(AllowanceSettings::thresholdsText(stored.thresholds));
    chkAllowanceNotify->setChecked(stored.notifyDesktop);
}

void AllowanceGroup::refuse(QLineEdit* field, const QString& problem)
{
    emit refused(problem);
    field->setFocus();
    field->selectAll();
}

void AllowanceGroup::btnAllowanceApplyClick()
{
    const auto hours = AllowanceSettings::checkHours(edAllowanceHours->text());
    if (!hours.ok())
        return refuse(edAllowanceHours, hours.problem);
    const auto unit =
        cbAllowanceUnit->currentIndex() == 1 ? AllowanceSettings::DataUnit::GB : AllowanceSettings::DataUnit::MB;
    const auto bytes = AllowanceSettings::checkData(edAllowanceData->text(), unit);
    if (!bytes.ok())
        return refuse(edAllowanceData, bytes.problem);
    const auto thresholds = AllowanceSettings::checkThresholds(edAllowanceWarnAt->text());
    if (!thresholds.ok())
        return refuse(edAllowanceWarnAt, thresholds.problem);
    AllowanceSettings allowance;
    allowance.hours = hours.value;
    allowance.bytes = bytes.value;
    allowance.thresholds = *thresholds.value;
    allowance.notifyDesktop = chkAllowanceNotify->isChecked();
    emit applied(allowance);
    render(allowance);
}
