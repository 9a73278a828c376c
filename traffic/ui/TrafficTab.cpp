// Builds the Traffic Monitor tab.
#include "traffic/ui/TrafficTab.h"

#include "ui/Named.h"

#include <QTabWidget>
#include <QVBoxLayout>

TrafficTab::TrafficTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabTrafficMon"));
    TrafficTabs = named(new QTabWidget(this), "TrafficTabs");
    auto* page = new QVBoxLayout(this);
    page->addWidget(TrafficTabs);
}
