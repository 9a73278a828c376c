// The Settings tab: start-up and tray options, the hourly alert, the allowance per period, the recording
// filter and the fee.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class SettingsTab final : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsTab(QWidget* parent = nullptr);

    QGroupBox* gbStartup;
    QCheckBox* chkRunMe;
    QCheckBox* chkInTray;
    QGroupBox* gbEveryHourAlert;
    QCheckBox* chkSixtyMinsToAlert;
    QCheckBox* chkAutoClose_60MinsForm;
    QCheckBox* chkAlertNoSound;
    QLabel* lblAlertPos;
    QComboBox* cbAlertPos;
    QCheckBox* chkAfterDisconnection;
    QGroupBox* gbRecordEntries;
    QCheckBox* chkAlwaysRecord;
    QListWidget* lstPhoneBook;
    QPushButton* btnSavePB_Act;
    QPushButton* btnRefreshPBLst;
    QGroupBox* gbAllowance;
    QLabel* lblAllowanceHours;
    QLineEdit* edAllowanceHours;
    QLabel* lblAllowanceData;
    QLineEdit* edAllowanceData;
    QComboBox* cbAllowanceUnit;
    QLabel* lblAllowanceWarnAt;
    QLineEdit* edAllowanceWarnAt;
    QCheckBox* chkAllowanceNotify;
    QPushButton* btnAllowanceApply;
    QGroupBox* gbFee;
    QLabel* lblBasicFee;
    QLineEdit* edBasicFee;
    QLabel* lblAMin;
    QLineEdit* edAMinFee;
    QPushButton* BitBtn1;
};
