// The allowance group's events.
#include "gui/allowance/AllowanceOptionEvents.h"

#include "core/Recorder.h"
#include "gui/settings/SettingsTab.h"
#include "platform/Dialogs.h"
#include "settings/AllowanceSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

AllowanceOptionEvents::AllowanceOptionEvents(SettingsTab& tab, Recorder& recorder, Dialogs& dialogs)
    : QObject(&tab), m_tab(tab), m_recorder(recorder), m_dialogs(dialogs)
{
    connect(m_tab.btnAllowanceApply, &QPushButton::clicked, this, &AllowanceOptionEvents::btnAllowanceApplyClick);
    connect(m_tab.chkAllowanceNotify, &QCheckBox::clicked, this, &AllowanceOptionEvents::btnAllowanceApplyClick);
    for (QLineEdit* field : {m_tab.edAllowanceHours, m_tab.edAllowanceData, m_tab.edAllowanceWarnAt})
        connect(field, &QLineEdit::returnPressed, this, &AllowanceOptionEvents::btnAllowanceApplyClick);
}

void AllowanceOptionEvents::LoadSettings(const AllowanceSettings& allowance)
{
    m_tab.edAllowanceHours->setText(allowance.hours ? QString::number(*allowance.hours) : QString());
    if (allowance.bytes) {
        const auto [amount, unit] = AllowanceSettings::dataForEntry(*allowance.bytes);
        m_tab.edAllowanceData->setText(amount);
        m_tab.cbAllowanceUnit->setCurrentIndex(unit == AllowanceSettings::DataUnit::GB ? 1 : 0);
    } else {
        m_tab.edAllowanceData->clear();
    }
    m_tab.edAllowanceWarnAt->setText(AllowanceSettings::thresholdsText(allowance.thresholds));
    m_tab.chkAllowanceNotify->setChecked(allowance.notifyDesktop);
}

bool AllowanceOptionEvents::refuse(QLineEdit* field, const QString& problem)
{
    m_dialogs.beep();
    m_dialogs.showMessage(Dialogs::Kind::Error, problem);
    field->setFocus();
    field->selectAll();
    return false;
}

bool AllowanceOptionEvents::btnAllowanceApplyClick()
{
    const auto hours = AllowanceSettings::checkHours(m_tab.edAllowanceHours->text());
    if (!hours.ok())
        return refuse(m_tab.edAllowanceHours, hours.problem);
    const auto unit =
        m_tab.cbAllowanceUnit->currentIndex() == 1 ? AllowanceSettings::DataUnit::GB : AllowanceSettings::DataUnit::MB;
    const auto bytes = AllowanceSettings::checkData(m_tab.edAllowanceData->text(), unit);
    if (!bytes.ok())
        return refuse(m_tab.edAllowanceData, bytes.problem);
    const auto thresholds = AllowanceSettings::checkThresholds(m_tab.edAllowanceWarnAt->text());
    if (!thresholds.ok())
        return refuse(m_tab.edAllowanceWarnAt, thresholds.problem);
    AllowanceSettings allowance;
    allowance.hours = hours.value;
    allowance.bytes = bytes.value;
    allowance.thresholds = *thresholds.value;
    allowance.notifyDesktop = m_tab.chkAllowanceNotify->isChecked();
    m_recorder.setAllowance(allowance);
    LoadSettings(allowance);
    return true;
}
