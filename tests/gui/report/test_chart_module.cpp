// The history window with the chart's real module: found beside the test program as beside the program in
// the build tree, it draws the file's days; where it is missing or broken, a label in its place says why and
// the session table, its copying and its CSV export work as ever.
#include "gui/report/ChartModule.h"
#include "gui/report/DayChartPanel.h"
#include "gui/report/HistoryWindow.h"
#include "report/DailyHistory.h"
#include "report/DayChart.h"
#include "report/RecordFileCalculator.h"
#include "report/SessionTableModel.h"
#include "tests/gui/FindChild.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class ChartModuleTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        result = RecordFileCalculator().CalculateRecordFile(writeFile(
            QStringLiteral("march.rvl"), {headerRecord(QStringLiteral("2024/03/01"), 1, 31),
                                          sessionRecord(QStringLiteral("2024/03/05, 11:30:00 pm"),
                                                        QStringLiteral("2024/03/06, 12:30:00 am"), 60, 4096, 100),
                                          sessionRecord(QStringLiteral("2024/03/07, 09:00:00 am"),
                                                        QStringLiteral("2024/03/07, 09:10:00 am"), 10, 2048, 30)}));
        ASSERT_NE(result, nullptr);
    }

    void TearDown() override { ChartModule::setFolders(ChartModule::defaultFolders()); }

    std::shared_ptr<const CalculationResult> result;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(ChartModuleTest, TheModuleBesideTheProgramDrawsTheDays)
{
    ChartModule::setFolders(ChartModule::defaultFolders());
    HistoryWindow history(dialogs);
    history.setToday([] { return QDate(2024, 3, 6); });
    history.showResult(result);
    history.show();

    const auto* noChart = history.findChild<QLabel*>(QStringLiteral("lblNoChart"));
    ASSERT_EQ(noChart, nullptr) << qPrintable(noChart->text());
    auto* view = history.findChild<QChartView*>(QStringLiteral("chvDays"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->metaObject()->className(), QByteArrayLiteral("DayChartView"));
    EXPECT_EQ(view->objectName(), QStringLiteral("chvDays"));
    EXPECT_TRUE(view->isVisible());

    // The file's days reach the module's chart as bars: minutes per day, then bytes down and up.
    auto* bars = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 1);
    EXPECT_EQ(bars->barSets()[0]->count(), 31);
    EXPECT_EQ(bars->barSets()[0]->at(4), 30);
    EXPECT_EQ(bars->barSets()[0]->at(5), 30);
    EXPECT_EQ(bars->barSets()[0]->at(6), 10);
    child<QComboBox>(history, "cbMeasure")->setCurrentIndex(1);
    EXPECT_EQ(bars->count(), 2);
    EXPECT_EQ(view->chart()->title(),
              DayChart::fromHistory(DailyHistory::fromResult(*result), QDate(2024, 3, 6)).title());
}

TEST_F(ChartModuleTest, WithoutTheModuleALabelSaysWhyAndTheTableStillWorks)
{
    QTemporaryDir programDir;
    QTemporaryDir installDir;
    ChartModule::setFolders({programDir.path(), installDir.path()});
    HistoryWindow history(dialogs);
    history.showResult(result);
    history.show();

    EXPECT_EQ(history.findChild<QWidget*>(QStringLiteral("chvDays")), nullptr);
    const QLabel* noChart = child<QLabel>(history, "lblNoChart");
    EXPECT_TRUE(noChart->isVisible());
    const QString text = noChart->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("The chart cannot be shown: "))) << qPrintable(text);
    // The loader's reason names the install's folder, the last looked in.
    EXPECT_TRUE(text.contains(installDir.path())) << qPrintable(text);
    EXPECT_FALSE(child<QComboBox>(history, "cbMeasure")->isEnabled());

    EXPECT_EQ(child<QTableView>(history, "tvSessions")->model()->rowCount(), 2);
    EXPECT_EQ(history.model()->text(1, SessionTableModel::Time), QStringLiteral("00:10:00"));
    const QString saved = temp.filePath(QStringLiteral("out.csv"));
    history.setSaveFileChooser([&](const QString&) { return std::optional<QString>(saved); });
    auto* save = child<QPushButton>(history, "btnSaveCsv");
    ASSERT_TRUE(save->isEnabled());
    save->click();
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ChartModuleTest, AModuleThatWillNotLoadIsNamedOverAFolderWithoutOne)
{
    QTemporaryDir programDir;
    QTemporaryDir installDir;
    QFile broken(QDir(programDir.path()).filePath(QStringLiteral(QOVRUVELA_CHART_MODULE)));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a library");
    broken.close();
    ChartModule::setFolders({programDir.path(), installDir.path()});
    HistoryWindow history(dialogs);

    EXPECT_EQ(history.findChild<QWidget*>(QStringLiteral("chvDays")), nullptr);
    const QString text = child<QLabel>(history, "lblNoChart")->text();
    EXPECT_TRUE(text.contains(broken.fileName())) << qPrintable(text);
    EXPECT_FALSE(text.contains(installDir.path()));
}
