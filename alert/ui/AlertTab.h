// The Alert tab: an alert after a chosen number of minutes. Hidden; its options are only kept.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class AlertTab final : public QWidget
{
    Q_OBJECT
public:
    explicit AlertTab(QWidget* parent = nullptr);

    QSpinBox* seAlertMin;
    QLabel* lblAlertMin;
    QCheckBox* chkKeepAlertSet;
    QLabel* lblAlertStatus;
    QPushButton* btnApply;
    QPushButton* btnNoAlert;
};
