// The Settings tab's alert options write themselves to the settings the moment the user changes them.
#pragma once

#include <QObject>
#include <functional>

class QComboBox;
class SettingsTab;

class AlertOptionEvents final : public QObject
{
    Q_OBJECT
public:
    using SettingWriter = std::function<void(const QString& name, const QString& value)>;

    /// Lives as long as `settings`, which becomes its parent.
    AlertOptionEvents(SettingsTab& settings, SettingWriter write);

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

    SettingsTab& m_settings;
    // Kept apart from the tab: the box still sends events while the tab is being destroyed.
    QComboBox* m_positionBox;
    SettingWriter m_write;
};
