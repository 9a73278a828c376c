// The Settings tab's allowance group: shows the stored allowance, and on "Apply" (or Enter in a field, or a
// click on the desktop box) checks what was typed and hands it on, or tells why it is refused and puts the
// cursor on the field at fault.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AllowanceSettings;

class AllowanceGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit AllowanceGroup(QWidget* parent = nullptr);

    /// Shows the stored allowance; empty fields switch that allowance off.
    void render(const AllowanceSettings& stored);

signals:
    /// The user applied valid values; the group then shows them as they are stored.
    void applied(const AllowanceSettings& typed);
    /// A value was refused; the field at fault gets the focus once the refusal has been told.
    void refused(const QString& problem);

private:
    void btnAllowanceApplyClick();
    void refuse(QLineEdit* field, const QString& problem);

    QLabel* lblAllowanceHours;
    QLineEdit* edAllowanceHours;
    QLabel* lblAllowanceData;
    QLineEdit* edAllowanceData;
    QComboBox* cbAllowanceUnit;
    QLabel* lblAllowanceWarnAt;
    QLineEdit* edAllowanceWarnAt;
    QCheckBox* chkAllowanceNotify;
    QPushButton* btnAllowanceApply;
};
