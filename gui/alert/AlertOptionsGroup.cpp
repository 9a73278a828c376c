// Builds the alert options and tells their clicks.
#include "gui/alert/AlertOptionsGroup.h"

#include "gui/widgets/Named.h"
#include "settings/StoredSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

AlertOptionsGroup::AlertOptionsGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Alert "), parent)
{
    setObjectName(QStringLiteral("gbEveryHourAlert"));
    chkSixtyMinsToAlert = named(new QCheckBox(QStringLiteral("Every 60 mins "), this), "chkSixtyMinsToAlert");
    chkAutoClose_60MinsForm =
        named(new QCheckBox(QStringLiteral("Automatically close window"), this), "chkAutoClose_60MinsForm");
    chkAlertNoSound = named(new QCheckBox(QStringLiteral("Do not play sound"), this), "chkAlertNoSound");
    lblAlertPos = named(new QLabel(QStringLiteral("Position:"), this), "lblAlertPos");
    cbAlertPos = named(new QComboBox(this), "cbAlertPos");
    cbAlertPos->addItems({QStringLiteral("Upper Left"), QStringLiteral("Upper Right"), QStringLiteral("Lower Left"),
                          QStringLiteral("Lower Right")});
    cbAlertPos->setCurrentIndex(3);
    chkAfterDisconnection = named(new QCheckBox(QStringLiteral("After disconnection"), this), "chkAfterDisconnection");
    auto* alert = new QGridLayout(this);
    alert->addWidget(chkSixtyMinsToAlert, 0, 0, 1, 2);
    alert->addWidget(chkAutoClose_60MinsForm, 1, 0, 1, 2);
    alert->addWidget(chkAlertNoSound, 2, 0, 1, 2);
    alert->addWidget(lblAlertPos, 3, 0);
    alert->addWidget(cbAlertPos, 3, 1);
    alert->addWidget(chkAfterDisconnection, 4, 0, 1, 2);
    connectEvents();
}

void AlertOptionsGroup::connectEvents()
{
    // Clicks by the user only: the start-up load sets the boxes without writing them back.
    connect(chkSixtyMinsToAlert, &QCheckBox::clicked, this, &AlertOptionsGroup::sixtyMinsToAlertClicked);
    connect(chkAutoClose_60MinsForm, &QCheckBox::clicked, this, &AlertOptionsGroup::autoCloseClicked);
    connect(chkAlertNoSound, &QCheckBox::clicked, this, &AlertOptionsGroup::noSoundClicked);
    connect(chkAfterDisconnection, &QCheckBox::clicked, this, &AlertOptionsGroup::afterDisconnectionClicked);
    connect(cbAlertPos, &QComboBox::activated, this, [this] { emit positionChosen(cbAlertPos->currentText()); });
    cbAlertPos->installEventFilter(this);
}

void AlertOptionsGroup::render(const StoredSettings& stored)
{
    chkSixtyMinsToAlert->setChecked(stored.sixtyMinsToAlert);
    chkAutoClose_60MinsForm->setChecked(stored.autoClose60MinsForm);
    chkAfterDisconnection->setChecked(stored.afterDisconnection);
    if (stored.alertPos)
        cbAlertPos->setCurrentIndex(cbAlertPos->findText(*stored.alertPos));
    chkAlertNoSound->setChecked(stored.alertNoSound);
}

void AlertOptionsGroup::hideAfterDisconnection()
{
    chkAfterDisconnection->setVisible(false);
}

bool AlertOptionsGroup::cbAlertPosKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString text = cbAlertPos->currentText();
    if (text.isEmpty())
        return false;
    emit positionChosen(text);
    return true;
}

bool AlertOptionsGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cbAlertPos && event->type() == QEvent::KeyPress)
        return cbAlertPosKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QGroupBox::eventFilter(watched, event);
}
