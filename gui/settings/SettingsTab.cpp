// Builds the Settings tab's controls in their design state.
#include "gui/settings/SettingsTab.h"

#include "gui/widgets/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

SettingsTab::SettingsTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabSettings"));

    gbStartup = named(new QGroupBox(this), "gbStartup");
    chkRunMe =
        named(new QCheckBox(QStringLiteral("Load Ruvela when Windows starts ( in tray )"), gbStartup), "chkRunMe");
    chkInTray = named(new QCheckBox(QStringLiteral("Show icon in tray"), gbStartup), "chkInTray");
    auto* startup = new QVBoxLayout(gbStartup);
    startup->addWidget(chkRunMe);
    startup->addWidget(chkInTray);

    gbEveryHourAlert = named(new QGroupBox(QStringLiteral(" Alert "), this), "gbEveryHourAlert");
    chkSixtyMinsToAlert =
        named(new QCheckBox(QStringLiteral("Every 60 mins "), gbEveryHourAlert), "chkSixtyMinsToAlert");
    chkAutoClose_60MinsForm =
        named(new QCheckBox(QStringLiteral("Automatically close window"), gbEveryHourAlert), "chkAutoClose_60MinsForm");
    chkAlertNoSound = named(new QCheckBox(QStringLiteral("Do not play sound"), gbEveryHourAlert), "chkAlertNoSound");
    lblAlertPos = named(new QLabel(QStringLiteral("Position:"), gbEveryHourAlert), "lblAlertPos");
    cbAlertPos = named(new QComboBox(gbEveryHourAlert), "cbAlertPos");
    cbAlertPos->addItems({QStringLiteral("Upper Left"), QStringLiteral("Upper Right"), QStringLiteral("Lower Left"),
                          QStringLiteral("Lower Right")});
    cbAlertPos->setCurrentIndex(3);
    chkAfterDisconnection =
        named(new QCheckBox(QStringLiteral("After disconnection"), gbEveryHourAlert), "chkAfterDisconnection");
    auto* alert = new QGridLayout(gbEveryHourAlert);
    alert->addWidget(chkSixtyMinsToAlert, 0, 0, 1, 2);
    alert->addWidget(chkAutoClose_60MinsForm, 1, 0, 1, 2);
    alert->addWidget(chkAlertNoSound, 2, 0, 1, 2);
    alert->addWidget(lblAlertPos, 3, 0);
    alert->addWidget(cbAlertPos, 3, 1);
    alert->addWidget(chkAfterDisconnection, 4, 0, 1, 2);

    gbRecordEntries = named(new QGroupBox(QStringLiteral(" Record data for checked phone book entries only "), this),
                            "gbRecordEntries");
    chkAlwaysRecord =
        named(new QCheckBox(QStringLiteral("Always record data for all"), gbRecordEntries), "chkAlwaysRecord");
    chkAlwaysRecord->setChecked(true);
    lstPhoneBook = named(new QListWidget(gbRecordEntries), "lstPhoneBook");
    btnSavePB_Act = named(new QPushButton(QStringLiteral("&Save"), gbRecordEntries), "btnSavePB_Act");
    btnRefreshPBLst = named(new QPushButton(QStringLiteral("&Refresh"), gbRecordEntries), "btnRefreshPBLst");
    auto* filter = new QGridLayout(gbRecordEntries);
    filter->addWidget(chkAlwaysRecord, 0, 0, 1, 2);
    filter->addWidget(lstPhoneBook, 1, 0, 1, 2);
    filter->addWidget(btnSavePB_Act, 2, 0);
    filter->addWidget(btnRefreshPBLst, 2, 1);

    // Empty fields switch that allowance off.
    gbAllowance = named(new QGroupBox(QStringLiteral(" Allowance per period "), this), "gbAllowance");
    lblAllowanceHours = named(new QLabel(QStringLiteral("Hours:"), gbAllowance), "lblAllowanceHours");
    edAllowanceHours = named(new QLineEdit(gbAllowance), "edAllowanceHours");
    edAllowanceHours->setPlaceholderText(QStringLiteral("none"));
    lblAllowanceData = named(new QLabel(QStringLiteral("Data:"), gbAllowance), "lblAllowanceData");
    edAllowanceData = named(new QLineEdit(gbAllowance), "edAllowanceData");
    edAllowanceData->setPlaceholderText(QStringLiteral("none"));
    cbAllowanceUnit = named(new QComboBox(gbAllowance), "cbAllowanceUnit");
    cbAllowanceUnit->addItems({QStringLiteral("MB"), QStringLiteral("GB")});
    cbAllowanceUnit->setCurrentIndex(1);
    lblAllowanceWarnAt = named(new QLabel(QStringLiteral("Warn at (%):"), gbAllowance), "lblAllowanceWarnAt");
    edAllowanceWarnAt = named(new QLineEdit(QStringLiteral("80, 100"), gbAllowance), "edAllowanceWarnAt");
    chkAllowanceNotify =
        named(new QCheckBox(QStringLiteral("Warn on the desktop too"), gbAllowance), "chkAllowanceNotify");
    btnAllowanceApply = named(new QPushButton(QStringLiteral("&Apply"), gbAllowance), "btnAllowanceApply");
    auto* allowance = new QGridLayout(gbAllowance);
    allowance->addWidget(lblAllowanceHours, 0, 0);
    allowance->addWidget(edAllowanceHours, 0, 1, 1, 2);
    allowance->addWidget(lblAllowanceData, 1, 0);
    allowance->addWidget(edAllowanceData, 1, 1);
    allowance->addWidget(cbAllowanceUnit, 1, 2);
    allowance->addWidget(lblAllowanceWarnAt, 2, 0);
    allowance->addWidget(edAllowanceWarnAt, 2, 1, 1, 2);
    allowance->addWidget(chkAllowanceNotify, 3, 0, 1, 3);
    allowance->addWidget(btnAllowanceApply, 4, 2);

    gbFee = named(new QGroupBox(QStringLiteral(" Fee "), this), "gbFee");
    lblBasicFee = named(new QLabel(QStringLiteral("Bacic fee"), gbFee), "lblBasicFee");
    edBasicFee = named(new QLineEdit(QStringLiteral("0"), gbFee), "edBasicFee");
    edBasicFee->setMaxLength(6);
    lblAMin = named(new QLabel(QStringLiteral("1 min for"), gbFee), "lblAMin");
    edAMinFee = named(new QLineEdit(QStringLiteral("0"), gbFee), "edAMinFee");
    BitBtn1 = named(new QPushButton(QStringLiteral("&Apply"), gbFee), "BitBtn1");
    auto* fee = new QGridLayout(gbFee);
    fee->addWidget(lblBasicFee, 0, 0);
    fee->addWidget(edBasicFee, 0, 1);
    fee->addWidget(lblAMin, 1, 0);
    fee->addWidget(edAMinFee, 1, 1);
    fee->addWidget(BitBtn1, 2, 1);

    auto* page = new QGridLayout(this);
    page->addWidget(gbStartup, 0, 0);
    page->addWidget(gbEveryHourAlert, 1, 0);
    page->addWidget(gbRecordEntries, 0, 1, 2, 1);
    page->addWidget(gbAllowance, 2, 0);
    page->addWidget(gbFee, 2, 1);
    page->setRowStretch(3, 1);
}
