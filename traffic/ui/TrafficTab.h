// The Traffic Monitor tab: one page of live figures per network interface.
#pragma once

#include <QWidget>

class QTabWidget;

class TrafficTab final : public QWidget
{
    Q_OBJECT
public:
    explicit TrafficTab(QWidget* parent = nullptr);

    QTabWidget* TrafficTabs;
};
