// Builds the "Create Personal File" window and hands its two days to the profile logic.
#include "gui/main/TProfile.h"

#include "gui/widgets/Named.h"
#include "record/ProfileSetup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int borderWidth = 10;

QLabel* boldLabel(const QString& text, QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(text, parent), name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}
} // namespace

TProfile::TProfile(const ProfileSetup::Shown& shown, Confirm confirm, QWidget* parent)
    : QDialog(parent), m_confirm(std::move(confirm))
{
    setObjectName(QStringLiteral("TProfile"));
    setWindowTitle(ProfileSetup::windowTitle);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    lblInformation = named(new QLabel(this), "lblInformation");
    lblInformation->setWordWrap(true);
    Label1 = boldLabel(QStringLiteral("Starting day :"), this, "Label1");
    cbStartingDay = named(new QComboBox(this), "cbStartingDay");
    cbStartingDay->setEditable(true);
    Label2 = boldLabel(QStringLiteral("Ending day :"), this, "Label2");
    cbEndingDay = named(new QComboBox(this), "cbEndingDay");
    cbEndingDay->setEditable(true);
    btnOK = named(new QPushButton(QStringLiteral("&OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");
    lblActiveUser = named(new QLabel(this), "lblActiveUser");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    grid->addWidget(lblInformation, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(cbStartingDay, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(cbEndingDay, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->addWidget(lblActiveUser, 4, 0, 1, 2);

    connectEvents();
    FormCreate(shown);
    // Sized to its contents once, when created; it keeps that size afterwards.
    lblInformation->setFixedWidth(lblInformation->fontMetrics().averageCharWidth() * 60);
    setFixedSize(sizeHint());
}

void TProfile::connectEvents()
{
    connect(btnOK, &QPushButton::clicked, this, &TProfile::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TProfile::btnCancelClick);
}

void TProfile::FormCreate(const ProfileSetup::Shown& shown)
{
    lblInformation->setText(ProfileSetup::information);
    cbStartingDay->addItems(ProfileSetup::startingDayItems());
    cbEndingDay->addItems(ProfileSetup::endingDayItems());
    cbStartingDay->setCurrentText(shown.startingDay);
    cbEndingDay->setCurrentText(shown.endingDay);
    lblActiveUser->setText(shown.activeUser);
}

void TProfile::btnOKClick()
{
    if (m_confirm(cbStartingDay->currentText(), cbEndingDay->currentText()) == ProfileSetup::Outcome::Close)
        accept();
}

void TProfile::btnCancelClick()
{
    reject();
}
