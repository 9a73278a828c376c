// The Settings tab's metered-links option: whether connections the network manager marks as metered (a
// tethered phone, a mobile hotspot) are recorded beside dial-up. A click is told at once; the window answers
// with what is stored.
#pragma once

#include <QGroupBox>

class QCheckBox;

class MeteredLinksGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit MeteredLinksGroup(QWidget* parent = nullptr);

    void render(bool on);
    /// Greys the option out when the dial-up system cannot tell metered links apart, `reason` in its tooltip.
    void renderUnavailable(const QString& reason);

signals:
    void recordMeteredToggled(bool on);

private:
    QCheckBox* chkRecordMetered;
};
