// The "Create Personal File" window: the two days of the period, and OK to start a new personal file.
#pragma once

#include "record/ProfileSetup.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

class TProfile final : public QDialog
{
    Q_OBJECT
public:
    /// Checks the chosen days and starts the new file: whether the window closes.
    using Confirm = std::function<ProfileSetup::Outcome(const QString& startingDay, const QString& endingDay)>;

    /// Fills the controls with `shown`, the active file's days; show it with exec(). OK hands the chosen days
    /// to `confirm`.
    TProfile(const ProfileSetup::Shown& shown, Confirm confirm, QWidget* parent = nullptr);

private:
    void connectEvents();
    void FormCreate(const ProfileSetup::Shown& shown);
    void btnOKClick();
    void btnCancelClick();

    Confirm m_confirm;

    QLabel* lblInformation;
    QLabel* Label1;
    QComboBox* cbStartingDay;
    QLabel* Label2;
    QComboBox* cbEndingDay;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QLabel* lblActiveUser;
};
