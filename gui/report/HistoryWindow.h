// The history of the file last totalled: time online (or bytes) per day as a bar chart above a sortable
// table of its sessions, which can be copied or saved as CSV. Opened from the Calculation tab; it redraws
// only while it is shown, so totalling a file costs nothing more while it is closed. Where the chart's module
// cannot be loaded, a label in the chart's place says why and the table works as ever.
#pragma once

#include "report/DayChart.h"

#include <QDate>
#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class DayChartPanel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class SessionTableModel;
struct CalculationResult;

class HistoryWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    /// The date whose bar is marked as today; without it no bar is.
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    /// How "Save as CSV…" asks for the file, given a suggested path; nothing when the user cancels. By
    /// default the save dialog.
    using ChooseSaveFile = std::function<std::optional<QString>(const QString& suggested)>;
    void setSaveFileChooser(ChooseSaveFile choose) { m_chooseSaveFile = std::move(choose); }

    /// The file to show; nothing for a null result.
    void showResult(std::shared_ptr<const CalculationResult> result);

    SessionTableModel* model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void render();
    /// Each column as wide as its contents, and the table's spare width shared among them all.
    void shareWidth();
    void copySelection();
    void saveCsv();
    std::optional<QString> chooseWithDialog(const QString& suggested);

    Dialogs& m_dialogs;
    std::function<QDate()> m_today;
    ChooseSaveFile m_chooseSaveFile;
    std::shared_ptr<const CalculationResult> m_result;
    bool m_stale = false;
    QList<int> m_contentWidths;
    SessionTableModel* m_model;

    QLabel* lblFile;
    QComboBox* cbMeasure;
    /// The chart; nullptr when its module cannot be loaded, and then lblNoChart stands in its place.
    DayChartPanel* chvDays;
    QLabel* lblNoChart = nullptr;
    QTableView* tvSessions;
    QPushButton* btnSaveCsv;
    QPushButton* btnClose;
};
