// Builds the metered-links option and tells its clicks.
#include "gui/settings/MeteredLinksGroup.h"

#include "gui/widgets/Named.h"

#include <QCheckBox>
#include <QVBoxLayout>

MeteredLinksGroup::MeteredLinksGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Metered links "), parent)
{
    setObjectName(QStringLiteral("gbMeteredLinks"));
    chkRecordMetered =
        named(new QCheckBox(QStringLiteral("Also record metered connections"), this), "chkRecordMetered");
    chkRecordMetered->setToolTip(QStringLiteral("Tethered phones and mobile hotspots, as the network manager marks "
                                                "them, are recorded like dial-up connections."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkRecordMetered);
    connect(chkRecordMetered, &QCheckBox::clicked, this, &MeteredLinksGroup::recordMeteredToggled);
}

void MeteredLinksGroup::render(bool on)
{
    chkRecordMetered->setChecked(on);
}

void MeteredLinksGroup::renderUnavailable(const QString& reason)
{
    chkRecordMetered->setEnabled(reason.isEmpty());
    if (!reason.isEmpty())
        chkRecordMetered->setToolTip(reason);
}
