// The history window on the offscreen platform, opened from the Calculation tab: choosing a file fills the
// chart and the table, a bar shows its day's figures under the pointer, a column click sorts by value,
// Ctrl+C copies the selected sessions and "Save as CSV…" writes what the report command prints.
#include "gui/report/CalculationTab.h"
#include "gui/report/ChartModule.h"
#include "gui/report/DayChartView.h"
#include "gui/report/HistoryWindow.h"
#include "record/StoredDate.h"
#include "report/DayChart.h"
#include "report/RecordFileCalculator.h"
#include "report/SessionTableModel.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

namespace {

class HistoryWindowTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        // The chart linked into this test rather than the module, to look into it.
        ChartModule::setFactory([](QWidget* parent) -> DayChartPanel* { return new DayChartView(parent); });
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("backups")));
        path = writeFile(QStringLiteral("backups/march.rvl"),
                         {headerRecord(QStringLiteral("2024/03/01"), 1, 31),
                          sessionRecord(QStringLiteral("2024/03/05, 11:30:00 pm"),
                                        QStringLiteral("2024/03/06, 12:30:00 am"), 60, 4096, 100),
                          sessionRecord(QStringLiteral("2024/03/06, 09:00:00 am"),
                                        QStringLiteral("2024/03/06, 09:09:00 am"), 9, 10, 20),
                          sessionRecord(QStringLiteral("2024/03/07, 09:00:00 am"),
                                        QStringLiteral("2024/03/07, 09:10:00 am"), 10, 2048, 30)});
        tab.attach(settings, dialogs, temp.filePath(QStringLiteral("program")), [] { return QString(); });
        tab.setToday([] { return QDate(2024, 3, 6); });
        tab.ReadFilesToList(temp.filePath(QStringLiteral("backups")));
    }

    HistoryWindow* openHistory()
    {
        child<QPushButton>(tab, "btnHistory")->click();
        HistoryWindow* history = tab.history();
        EXPECT_NE(history, nullptr);
        EXPECT_TRUE(history && history->isVisible());
        return history;
    }

    static DayChartView& chartOf(HistoryWindow* history) { return *child<DayChartView>(history, "chvDays"); }

    /// Chooses the file in the Calculation tab's list, as a click on it does.
    void chooseFile() { child<QListWidget>(tab, "ListBox1")->setCurrentRow(0); }

    static QList<qreal> barValues(const DayChartView& view, int set = 0)
    {
        QList<qreal> values;
        const QBarSet* bars = view.bars()->barSets().value(set);
        for (int i = 0; bars && i < bars->count(); ++i)
            values.append(bars->at(i));
        return values;
    }

    QString path;
    MemorySettings store;
    Settings settings{store};
    ScriptedDialogs dialogs;
    CalculationTab tab;
};

} // namespace

TEST_F(HistoryWindowTest, ChoosingAFileFillsTheChartAndTheTable)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->model()->rowCount(), 0);
    EXPECT_EQ(chartOf(history).dayChart().barCount(), 0);

    chooseFile();
    EXPECT_EQ(child<QTableView>(history, "tvSessions")->model()->rowCount(), 3);
    EXPECT_EQ(history->model()->text(2, SessionTableModel::Time), QStringLiteral("00:10:00"));
    const auto* file = child<QLabel>(history, "lblFile");
    EXPECT_EQ(file->text(), QDir::toNativeSeparators(path));
    // The name came after the window was laid out: it is shown whole all the same.
    QCoreApplication::sendPostedEvents();
    EXPECT_GE(file->width(), file->sizeHint().width());
    EXPECT_GE(file->height(), file->sizeHint().height());

    const DayChartView& chart = chartOf(history);
    ASSERT_EQ(chart.bars()->count(), 1);
    const QList<qreal> minutes = barValues(chart);
    ASSERT_EQ(minutes.size(), 31);
    EXPECT_EQ(minutes[3], 0);
    EXPECT_EQ(minutes[4], 30); // before midnight
    EXPECT_EQ(minutes[5], 39); // after midnight, and the morning's nine minutes
    EXPECT_EQ(minutes[6], 10);
    // The axis spans the 31 bars; each label stands under its own day's bar.
    EXPECT_EQ(chart.dayAxis()->min(), -0.5);
    EXPECT_EQ(chart.dayAxis()->max(), 30.5);
    const QStringList labelled = chart.dayAxis()->categoriesLabels();
    ASSERT_FALSE(labelled.isEmpty());
    EXPECT_EQ(labelled.first(), QStringLiteral("1"));
    for (const QString& label : labelled)
        EXPECT_EQ(QString::number(int(chart.dayAxis()->endValue(label)) + 1), label);
    EXPECT_EQ(chart.valueAxis()->max(), 40);
    // Today's bar, and only it, in today's colour.
    const QBarSet* set = chart.bars()->barSets().value(0);
    EXPECT_TRUE(set->isBarSelected(5));
    EXPECT_EQ(set->selectedBars(), QList<int>{5});
    EXPECT_EQ(set->selectedColor(), DayChartView::todayColor);

    // Bytes: downloaded and uploaded side by side, today still marked.
    child<QComboBox>(history, "cbMeasure")->setCurrentIndex(1);
    ASSERT_EQ(chart.bars()->count(), 2);
    EXPECT_EQ(barValues(chart, 0)[4], 2);
    EXPECT_EQ(barValues(chart, 0)[6], 2);
    EXPECT_EQ(chart.valueAxis()->titleText(), QStringLiteral("Bytes (KB)"));
    EXPECT_TRUE(chart.bars()->barSets().value(1)->isBarSelected(5));
}

TEST_F(HistoryWindowTest, AClosedWindowIsBroughtUpToDateWhenOpenedAgain)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    child<QPushButton>(history, "btnClose")->click();
    EXPECT_FALSE(history->isVisible());
    chooseFile();
    // Totalling leaves the closed window alone...
    EXPECT_EQ(history->model()->rowCount(), 0);
    // ...which shows that file once opened.
    EXPECT_EQ(openHistory(), history);
    EXPECT_EQ(history->model()->rowCount(), 3);
    EXPECT_EQ(chartOf(history).dayChart().barCount(), 31);
}

TEST_F(HistoryWindowTest, TheBarUnderThePointerShowsItsDaysFigures)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    chooseFile();
    DayChartView& view = chartOf(history);
    // The middle of today's bar, as the mouse reaches it.
    const QPointF inBar = view.chart()->mapToPosition(QPointF(5, 20), view.bars());
    QTest::mouseMove(view.viewport(), view.mapFromScene(inBar));
    EXPECT_EQ(view.hoverText(), view.dayChart().toolTip(5));
    EXPECT_TRUE(view.hoverText().startsWith(QStringLiteral("Wednesday, 6 March 2024 (today)\nOnline: 00:39:00")));
}

// The tooltip stays while the pointer rests on the bar (the window system's rest asks the view for its
// tooltip), bytes down and up keep their colours on today's pair, and the table's columns share its width.
TEST_F(HistoryWindowTest, TodaysBarsTheRestingTooltipAndTheColumnsWidths)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    chooseFile();
    DayChartView& view = chartOf(history);
    const QPoint inBar = view.mapFromScene(view.chart()->mapToPosition(QPointF(5, 20), view.bars()));
    QTest::mouseMove(view.viewport(), QPoint(1, 1));
    QTest::mouseMove(view.viewport(), inBar);
    ASSERT_FALSE(view.hoverText().isEmpty());
    QHelpEvent rest(QEvent::ToolTip, inBar, view.viewport()->mapToGlobal(inBar));
    QApplication::sendEvent(view.viewport(), &rest);
    EXPECT_TRUE(rest.isAccepted()) << "an unanswered rest starts the tooltip's hiding";
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), view.dayChart().toolTip(5));

    child<QComboBox>(history, "cbMeasure")->setCurrentIndex(1);
    const QList<QBarSet*> sets = view.bars()->barSets();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_NE(sets[0]->selectedColor(), sets[1]->selectedColor());
    EXPECT_NE(sets[0]->selectedColor(), sets[0]->color()) << "today is still told apart";

    const QTableView* table = child<QTableView>(history, "tvSessions");
    const int uploaded = table->columnWidth(SessionTableModel::Uploaded);
    EXPECT_LT(uploaded, 2 * table->columnWidth(SessionTableModel::Downloaded));
    int sum = 0;
    for (int column = 0; column < table->model()->columnCount(); ++column)
        sum += table->columnWidth(column);
    EXPECT_NEAR(sum, table->viewport()->width(), 2);
}

// A file totalled anew is drawn once; its columns are as wide as QTableView's own measuring makes them, with dates of
// every length, digits of another script and of uneven widths, and few wide letters past the first thousand rows.
TEST_F(HistoryWindowTest, ARefillIsDrawnOnceWithEachColumnAsWideAsItsWidestText)
{
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override { return paints += event->type() == QEvent::Paint, false; }
    };
    QList<ProfileRecord> records{headerRecord()};
    for (int i = 0; i < 2000; ++i) {
        const QDateTime start(QDate(2023, 1, 1).addDays(i * 7 % 700), QTime(i % 24, i * 7 % 60, i * 13 % 60));
        records.append(sessionRecord(StoredDate::dateTimeText(start), StoredDate::dateTimeText(start.addSecs(i * 97)),
                                     i * 97 / 60, quint32(i * 2654435761u) >> (i % 32), i * 7919u));
    }
    records[1500].StartText = QStringLiteral("2023/01/01 WWWWWWWWW11 am");
    const QLocale before;
    for (const char* locale : {"en_US", "de_DE", "ar_EG"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        HistoryWindow history(dialogs);
        history.show();
        history.showResult(RecordFileCalculator().CalculateRecordFile(path));
        QTest::qWait(50);
        QTableView* table = child<QTableView>(&history, "tvSessions");
        PaintCounter tablePaints, chartPaints;
        table->viewport()->installEventFilter(&tablePaints);
        chartOf(&history).viewport()->installEventFilter(&chartPaints);
        history.showResult(RecordFileCalculator().CalculateRecordFile(writeFile(QStringLiteral("many.rvl"), records)));
        QTest::qWait(50);
        EXPECT_EQ(std::pair(tablePaints.paints, chartPaints.paints), std::pair(1, 1)) << locale;
        QTableView plain;
        plain.setModel(history.model());
        plain.horizontalHeader()->setSortIndicatorShown(true);
        for (const char* family : {"DejaVu Sans", "D050000L"}) // the second's digits differ in width
            for (const int rows : {1000, -1}) {
                for (QTableView* view : {table, &plain}) {
                    view->setFont(QFont(QString::fromLatin1(family)));
                    view->horizontalHeader()->setResizeContentsPrecision(rows);
                    view->resizeColumnsToContents();
                }
                for (int column = 0; column < SessionTableModel::ColumnCount; ++column)
                    EXPECT_EQ(table->columnWidth(column), plain.columnWidth(column)) << locale << family << rows;
            }
    }
    QLocale::setDefault(before);
}

TEST_F(HistoryWindowTest, ColumnClicksSortByValueAndCtrlCCopiesTheSelectedRows)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    chooseFile();
    QTableView* table = child<QTableView>(history, "tvSessions");
    QHeaderView* header = table->horizontalHeader();
    const auto clickColumn = [header](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    // Downloaded: 10 B, 2.00 KB, 4.00 KB, though "10.00 B" sorts as text between the two.
    clickColumn(SessionTableModel::Downloaded);
    EXPECT_EQ(history->model()->text(0, SessionTableModel::Downloaded), QStringLiteral("10.00 B"));
    EXPECT_EQ(history->model()->text(2, SessionTableModel::Downloaded), QStringLiteral("4.00 KB"));
    clickColumn(SessionTableModel::Downloaded);
    EXPECT_EQ(history->model()->text(0, SessionTableModel::Downloaded), QStringLiteral("4.00 KB"));
    EXPECT_EQ(history->model()->text(1, SessionTableModel::Downloaded), QStringLiteral("2.00 KB"));
    // A third click gives the file's order back.
    clickColumn(SessionTableModel::Downloaded);
    EXPECT_EQ(history->model()->text(1, SessionTableModel::Downloaded), QStringLiteral("10.00 B"));
    clickColumn(SessionTableModel::Downloaded);
    clickColumn(SessionTableModel::Downloaded);

    table->selectRow(0);
    table->selectionModel()->select(history->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    history->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(history));
    table->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Start\tEnd\tTime\tDownloaded\tUploaded\n"
                                                                "5 Mar 2024, 11:30:00 pm\t6 Mar 2024, 12:30:00 am\t"
                                                                "01:00:00\t4.00 KB\t100.00 B\n"
                                                                "6 Mar 2024, 09:00:00 am\t6 Mar 2024, 09:09:00 am\t"
                                                                "00:09:00\t10.00 B\t20.00 B\n"));
}

TEST_F(HistoryWindowTest, SaveAsCsvWritesWhatTheReportCommandPrints)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    chooseFile();
    // The table's order is the user's view; the file keeps the file's order as the command does.
    child<QTableView>(history, "tvSessions")->sortByColumn(SessionTableModel::Time, Qt::AscendingOrder);
    QString suggested;
    const QString saved = temp.filePath(QStringLiteral("out.csv"));
    history->setSaveFileChooser([&](const QString& proposal) {
        suggested = proposal;
        return std::optional<QString>(saved);
    });
    child<QPushButton>(history, "btnSaveCsv")->click();
    EXPECT_EQ(suggested, temp.filePath(QStringLiteral("backups/march.csv")));

    QProcess command;
    command.start(QStringLiteral(QOVRUVELA_REPORT_COMMAND), {QStringLiteral("--csv"), path});
    ASSERT_TRUE(command.waitForFinished(60000));
    ASSERT_EQ(command.exitCode(), 0);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_EQ(written, command.readAllStandardOutput());
    EXPECT_TRUE(written.contains(",session,") || written.contains("\nsession,"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(HistoryWindowTest, AFileThatCannotBeWrittenIsReported)
{
    HistoryWindow* history = openHistory();
    ASSERT_NE(history, nullptr);
    chooseFile();
    const QString nowhere = temp.filePath(QStringLiteral("no-such-folder/out.csv"));
    history->setSaveFileChooser([&](const QString&) { return std::optional<QString>(nowhere); });
    child<QPushButton>(history, "btnSaveCsv")->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Cannot save ") + nowhere));
    EXPECT_EQ(dialogs.beeps, 1);

    // Cancelling the dialog writes nothing and says nothing.
    history->setSaveFileChooser([](const QString&) { return std::optional<QString>(); });
    child<QPushButton>(history, "btnSaveCsv")->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
}
