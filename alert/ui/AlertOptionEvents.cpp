// The alert options' writes to the settings.
#include "alert/ui/AlertOptionEvents.h"

#include "shell/SettingNames.h"
#include "shell/ui/SettingsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>

namespace {
QString flag(const QCheckBox* box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

AlertOptionEvents::AlertOptionEvents(SettingsTab& settings, SettingWriter write)
    : QObject(&settings), m_settings(settings), m_positionBox(settings.cbAlertPos), m_write(std::move(write))
{
    connectEvents();
}

void AlertOptionEvents::connectEvents()
{
    // Clicks by the user only: the start-up load sets the boxes without writing them back.
    connect(m_settings.chkSixtyMinsToAlert, &QCheckBox::clicked, this, &AlertOptionEvents::chkSixtyMinsToAlertClick);
    connect(m_settings.chkAutoClose_60MinsForm, &QCheckBox::clicked, this,
            &AlertOptionEvents::chkAutoClose_60MinsFormClick);
    connect(m_settings.chkAlertNoSound, &QCheckBox::clicked, this, &AlertOptionEvents::chkAlertNoSoundClick);
    connect(m_settings.chkAfterDisconnection, &QCheckBox::clicked, this,
            &AlertOptionEvents::chkAfterDisconnectionClick);
    connect(m_settings.cbAlertPos, &QComboBox::activated, this, &AlertOptionEvents::cbAlertPosClick);
    m_settings.cbAlertPos->installEventFilter(this);
}

void AlertOptionEvents::chkSixtyMinsToAlertClick()
{
    m_write(SettingNames::sixtyMinsToAlert, flag(m_settings.chkSixtyMinsToAlert));
}

void AlertOptionEvents::chkAutoClose_60MinsFormClick()
{
    m_write(SettingNames::autoClose60MinsForm, flag(m_settings.chkAutoClose_60MinsForm));
}

void AlertOptionEvents::chkAlertNoSoundClick()
{
    m_write(SettingNames::alertNoSound, flag(m_settings.chkAlertNoSound));
}

void AlertOptionEvents::chkAfterDisconnectionClick()
{
    m_write(SettingNames::afterDisconnection, flag(m_settings.chkAfterDisconnection));
}

void AlertOptionEvents::cbAlertPosClick()
{
    m_write(SettingNames::alertPos, m_settings.cbAlertPos->currentText());
}

bool AlertOptionEvents::cbAlertPosKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString text = m_settings.cbAlertPos->currentText();
    if (text.isEmpty())
        return false;
    m_write(SettingNames::alertPos, text);
    return true;
}

bool AlertOptionEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_positionBox && event->type() == QEvent::KeyPress)
        return cbAlertPosKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}
