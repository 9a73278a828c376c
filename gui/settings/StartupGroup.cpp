// Builds the start-up options and tells their clicks.
#include "gui/settings/StartupGroup.h"

#include "gui/widgets/Named.h"

#include <QCheckBox>
#include <QVBoxLayout>

StartupGroup::StartupGroup(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("gbStartup"));
    chkRunMe = named(new QCheckBox(QStringLiteral("Load Ruvela when Windows starts ( in tray )"), this), "chkRunMe");
    chkInTray = named(new QCheckBox(QStringLiteral("Show icon in tray"), this), "chkInTray");
    auto* startup = new QVBoxLayout(this);
    startup->addWidget(chkRunMe);
    startup->addWidget(chkInTray);
    connect(chkRunMe, &QCheckBox::clicked, this, &StartupGroup::startAtLoginToggled);
    connect(chkInTray, &QCheckBox::clicked, this, &StartupGroup::trayModeToggled);
}

void StartupGroup::renderStartAtLogin(bool on)
{
    chkRunMe->setChecked(on);
}

void StartupGroup::renderTrayMode(bool on)
{
    chkInTray->setChecked(on);
}
