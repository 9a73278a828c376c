// Builds the Settings tab's controls in their design state.
#include "gui/settings/SettingsTab.h"

#include "gui/alert/AlertOptionsGroup.h"
#include "gui/allowance/AllowanceGroup.h"
#include "gui/settings/MeteredLinksGroup.h"
#include "gui/settings/StartupGroup.h"
#include "gui/widgets/Named.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

SettingsTab::SettingsTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabSettings"));

    gbStartup = new StartupGroup(this);
    gbEveryHourAlert = new AlertOptionsGroup(this);

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

    gbAllowance = new AllowanceGroup(this);
    gbMeteredLinks = new MeteredLinksGroup(this);

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
    page->addWidget(gbMeteredLinks, 3, 0);
    page->setRowStretch(4, 1);

    connect(btnSavePB_Act, &QPushButton::clicked, this, &SettingsTab::savePhoneBookClicked);
    connect(btnRefreshPBLst, &QPushButton::clicked, this, &SettingsTab::refreshPhoneBookClicked);
    connect(lstPhoneBook, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        emit phoneBookMarkToggled(lstPhoneBook->row(item), item->checkState() == Qt::Checked);
    });
}

void SettingsTab::hideUnused()
{
    gbFee->setVisible(false);
    gbRecordEntries->setVisible(false);
    gbEveryHourAlert->hideAfterDisconnection();
}

void SettingsTab::renderAlwaysRecord(bool on)
{
    chkAlwaysRecord->setChecked(on);
}

void SettingsTab::renderFees(const std::optional<QString>& basicFee, const std::optional<QString>& aMinFee)
{
    if (basicFee)
        edBasicFee->setText(*basicFee);
    if (aMinFee)
        edAMinFee->setText(*aMinFee);
}

void SettingsTab::filterFeeKeys(QObject* filter)
{
    edBasicFee->installEventFilter(filter);
    edAMinFee->installEventFilter(filter);
}

void SettingsTab::renderPhoneBook(const QList<std::pair<QString, bool>>& entries)
{
    const QSignalBlocker quiet(lstPhoneBook);
    lstPhoneBook->clear();
    for (const auto& [name, checked] : entries) {
        auto* row = new QListWidgetItem(name, lstPhoneBook);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}
