// The Settings tab: start-up and tray options, the hourly alert, the allowance per period, the recording
// filter and the fee.
#pragma once

#include <QWidget>
#include <optional>
#include <utility>

class AlertOptionsGroup;
class AllowanceGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class MeteredLinksGroup;
class QPushButton;
class StartupGroup;

class SettingsTab final : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsTab(QWidget* parent = nullptr);

    StartupGroup& startup() { return *gbStartup; }
    AlertOptionsGroup& alertOptions() { return *gbEveryHourAlert; }
    AllowanceGroup& allowance() { return *gbAllowance; }
    MeteredLinksGroup& meteredLinks() { return *gbMeteredLinks; }

    /// Hides what this version does not offer: the fee, the recording filter, alerts after a disconnection.
    void hideUnused();
    void renderAlwaysRecord(bool on);
    /// Shows the stored fees; a fee never stored keeps what the field shows.
    void renderFees(const std::optional<QString>& basicFee, const std::optional<QString>& aMinFee);
    /// Watches the keys typed into both fee fields.
    void filterFeeKeys(QObject* filter);
    /// The phone book's entries with their marks, in the filter's order; fills the list without telling.
    void renderPhoneBook(const QList<std::pair<QString, bool>>& entries);

signals:
    /// The user checked or unchecked the entry in `row`.
    void phoneBookMarkToggled(int row, bool checked);
    void savePhoneBookClicked();
    void refreshPhoneBookClicked();

private:
    StartupGroup* gbStartup;
    AlertOptionsGroup* gbEveryHourAlert;
    QGroupBox* gbRecordEntries;
    QCheckBox* chkAlwaysRecord;
    QListWidget* lstPhoneBook;
    QPushButton* btnSavePB_Act;
    QPushButton* btnRefreshPBLst;
    AllowanceGroup* gbAllowance;
    MeteredLinksGroup* gbMeteredLinks;
    QGroupBox* gbFee;
    QLabel* lblBasicFee;
    QLineEdit* edBasicFee;
    QLabel* lblAMin;
    QLineEdit* edAMinFee;
    QPushButton* BitBtn1;
};
