// The Alert tab: an alert after a chosen number of minutes. Hidden; its options are only kept.
#pragma once

#include "alert/MinuteAlert.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class AlertTab final : public QWidget
{
    Q_OBJECT
public:
    using SettingWriter = std::function<void(const QString& name, const QString& value)>;

    explicit AlertTab(QWidget* parent = nullptr);

    /// Where "Keep this setting" is written; nothing is written until this is set.
    void setSettingWriter(SettingWriter write) { m_write = std::move(write); }

    /// The start-up load: the kept box, the stored minutes and the "applied" mark.
    void LoadSettings(bool keepAlertSet, const std::optional<int>& alertMin);

    bool AlertApplied() const { return m_minuteAlert.AlertApplied(); }

    QSpinBox* seAlertMin;
    QLabel* lblAlertMin;
    QCheckBox* chkKeepAlertSet;
    QLabel* lblAlertStatus;
    QPushButton* btnApply;
    QPushButton* btnNoAlert;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();
    void chkKeepAlertSetMouseUp();
    void seAlertMinChange();

    MinuteAlert m_minuteAlert;
    SettingWriter m_write;
};
