// The alert options' changes, handed to the settings.
#include "gui/alert/AlertOptionEvents.h"

#include "gui/settings/SettingsTab.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>

AlertOptionEvents::AlertOptionEvents(SettingsTab& tab, Settings& settings)
    : QObject(&tab), m_tab(tab), m_positionBox(tab.cbAlertPos), m_settings(settings)
{
    connectEvents();
}

void AlertOptionEvents::connectEvents()
{
    // Clicks by the user only: the start-up load sets the boxes without writing them back.
    connect(m_tab.chkSixtyMinsToAlert, &QCheckBox::clicked, this, &AlertOptionEvents::chkSixtyMinsToAlertClick);
    connect(m_tab.chkAutoClose_60MinsForm, &QCheckBox::clicked, this, &AlertOptionEvents::chkAutoClose_60MinsFormClick);
    connect(m_tab.chkAlertNoSound, &QCheckBox::clicked, this, &AlertOptionEvents::chkAlertNoSoundClick);
    connect(m_tab.chkAfterDisconnection, &QCheckBox::clicked, this, &AlertOptionEvents::chkAfterDisconnectionClick);
    connect(m_tab.cbAlertPos, &QComboBox::activated, this, &AlertOptionEvents::cbAlertPosClick);
    m_tab.cbAlertPos->installEventFilter(this);
}

void AlertOptionEvents::chkSixtyMinsToAlertClick()
{
    m_settings.setSixtyMinsToAlert(m_tab.chkSixtyMinsToAlert->isChecked());
}

void AlertOptionEvents::chkAutoClose_60MinsFormClick()
{
    m_settings.setAutoClose60MinsForm(m_tab.chkAutoClose_60MinsForm->isChecked());
}

void AlertOptionEvents::chkAlertNoSoundClick()
{
    m_settings.setAlertNoSound(m_tab.chkAlertNoSound->isChecked());
}

void AlertOptionEvents::chkAfterDisconnectionClick()
{
    m_settings.setAfterDisconnection(m_tab.chkAfterDisconnection->isChecked());
}

void AlertOptionEvents::cbAlertPosClick()
{
    m_settings.setAlertPos(m_tab.cbAlertPos->currentText());
}

bool AlertOptionEvents::cbAlertPosKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString text = m_tab.cbAlertPos->currentText();
    if (text.isEmpty())
        return false;
    m_settings.setAlertPos(text);
    return true;
}

bool AlertOptionEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_positionBox && event->type() == QEvent::KeyPress)
        return cbAlertPosKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}
