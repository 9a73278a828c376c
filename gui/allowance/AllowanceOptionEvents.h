// The Settings tab's allowance group: shows the stored allowance, and on "Apply" (or Enter in a field, or a
// click on the desktop box) checks what was typed and hands it to the recording core, or says in a box why
// it is refused and stores nothing.
#pragma once

#include <QObject>

class Dialogs;
class QLineEdit;
class Recorder;
class SettingsTab;
struct AllowanceSettings;

class AllowanceOptionEvents final : public QObject
{
    Q_OBJECT
public:
    /// Lives as long as `tab`, which becomes its parent.
    AllowanceOptionEvents(SettingsTab& tab, Recorder& recorder, Dialogs& dialogs);

    /// Fills the group's controls from the settings.
    void LoadSettings(const AllowanceSettings& allowance);
    /// Checks the controls and applies them; false, after a box, when a value is refused.
    bool btnAllowanceApplyClick();

private:
    bool refuse(QLineEdit* field, const QString& problem);

    SettingsTab& m_tab;
    Recorder& m_recorder;
    Dialogs& m_dialogs;
};
