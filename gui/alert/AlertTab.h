// The Alert tab: an alert after a chosen number of minutes. Hidden; its options are only kept.
#pragma once

#include "alert/MinuteAlert.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class Settings;

class AlertTab final : public QWidget
{
    Q_OBJECT
public:
    explicit AlertTab(QWidget* parent = nullptr);

    /// Where "Keep this setting" goes; nothing is kept until this is set.
    void setSettings(Settings* settings) { m_settings = settings; }

    /// The start-up load: the kept box, the stored minutes and the "applied" mark.
    void LoadSettings(bool keepAlertSet, const std::optional<int>& alertMin);

    bool AlertApplied() const { return m_minuteAlert.AlertApplied(); }
    void clearStatus();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();
    void chkKeepAlertSetMouseUp();
    void seAlertMinChange();

    MinuteAlert m_minuteAlert;
    Settings* m_settings = nullptr;

    QSpinBox* seAlertMin;
    QLabel* lblAlertMin;
    QCheckBox* chkKeepAlertSet;
    QLabel* lblAlertStatus;
    QPushButton* btnApply;
    QPushButton* btnNoAlert;
};
