// The Settings tab's alert options go to the settings the moment the user changes them.
#pragma once

#include <QObject>

class QComboBox;
class Settings;
class SettingsTab;

class AlertOptionEvents final : public QObject
{
    Q_OBJECT
public:
    /// Lives as long as `tab`, which becomes its parent.
    AlertOptionEvents(SettingsTab& tab, Settings& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();
    void chkSixtyMinsToAlertClick();
    void chkAutoClose_60MinsFormClick();
    void chkAlertNoSoundClick();
    void chkAfterDisconnectionClick();
    void cbAlertPosClick();
    /// Enter in the position box: true when the key was used up.
    bool cbAlertPosKeyPress(int key);

    SettingsTab& m_tab;
    // Kept apart from the tab: the box still sends events while the tab is being destroyed.
    QComboBox* m_positionBox;
    Settings& m_settings;
};
