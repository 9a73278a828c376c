// The "Create Personal File" window: the two days of the period, and OK to start a new personal file.
#pragma once

#include <QDialog>

class ProfileSetup;
class QComboBox;
class QLabel;
class QPushButton;

class TProfile final : public QDialog
{
    Q_OBJECT
public:
    /// Fills the controls from the active file's header; show it with exec().
    explicit TProfile(ProfileSetup& setup, QWidget* parent = nullptr);

private:
    void connectEvents();
    void FormCreate();
    void btnOKClick();
    void btnCancelClick();

    ProfileSetup& m_setup;

    QLabel* lblInformation;
    QLabel* Label1;
    QComboBox* cbStartingDay;
    QLabel* Label2;
    QComboBox* cbEndingDay;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QLabel* lblActiveUser;
};
