// The session table sorts by the values, not by the texts the user reads: a session after midnight written
// "12:30 am", durations past 99 hours, "2.00 KB" against "512.00 B"; and copies what it shows.
#include "ReportFixture.h"
#include "report/CalculationResult.h"
#include "report/RecordFileCalculator.h"
#include "report/SessionTableModel.h"

#include <QAbstractItemModelTester>

namespace {

class SessionTableTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        result = RecordFileCalculator().CalculateRecordFile(
            writeFile(QStringLiteral("a.rvl"),
                      {headerRecord(),
                       // 1: ten minutes from 1 am.
                       sessionRecord(QStringLiteral("2024/03/05, 01:00:00 am"),
                                     QStringLiteral("2024/03/05, 01:10:00 am"), 10, 512, 5),
                       // 2: nine minutes from half past midnight, earlier than 1 am though its text sorts after it.
                       sessionRecord(QStringLiteral("2024/03/05, 12:30:00 am"),
                                     QStringLiteral("2024/03/05, 12:39:00 am"), 9, 2048, 5),
                       // 3: a hundred hours as counted.
                       sessionRecord(QStringLiteral("2024/02/09, 11:00:00 pm"),
                                     QStringLiteral("2024/02/13, 03:00:00 am"), 6000, 10, 0),
                       // 4: ninety-nine hours.
                       sessionRecord(QStringLiteral("2024/03/01, 08:00:00 am"),
                                     QStringLiteral("2024/03/05, 11:00:00 am"), 5940, 1048576, 7)}));
        ASSERT_EQ(result->outcome, CalculationResult::Outcome::Totalled);
        model.setResult(result);
    }

    /// The sessions, numbered from 1 in file order, in the order the table shows them.
    std::vector<int> shown() const
    {
        std::vector<int> order;
        for (int row = 0; row < model.rowCount(); ++row)
            order.push_back(int(model.sessionAt(row)) + 1);
        return order;
    }

    std::shared_ptr<CalculationResult> result;
    SessionTableModel model;
};

using Order = std::vector<int>;

} // namespace

TEST_F(SessionTableTest, ShowsOneRowPerSessionAsTheSessionListWritesIt)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model.rowCount(), 4);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.headerData(SessionTableModel::Downloaded, Qt::Horizontal).toString(), QStringLiteral("Downloaded"));
    EXPECT_EQ(model.text(1, SessionTableModel::Start), QStringLiteral("5 Mar 2024, 12:30:00 am"));
    EXPECT_EQ(model.text(1, SessionTableModel::End), QStringLiteral("5 Mar 2024, 12:39:00 am"));
    EXPECT_EQ(model.text(2, SessionTableModel::Time), QStringLiteral("100:00:00"));
    EXPECT_EQ(model.text(1, SessionTableModel::Downloaded), QStringLiteral("2.00 KB"));
    EXPECT_EQ(model.text(3, SessionTableModel::Uploaded), QStringLiteral("7.00 B"));
    EXPECT_EQ(model.data(model.index(0, SessionTableModel::Time)).toString(), QStringLiteral("00:10:00"));
}

TEST_F(SessionTableTest, SortsEachColumnByItsValue)
{
    model.sort(SessionTableModel::Start);
    EXPECT_EQ(shown(), (Order{3, 4, 2, 1}));
    model.sort(SessionTableModel::End);
    EXPECT_EQ(shown(), (Order{3, 2, 1, 4}));
    model.sort(SessionTableModel::Time);
    EXPECT_EQ(shown(), (Order{2, 1, 4, 3}));
    model.sort(SessionTableModel::Time, Qt::DescendingOrder);
    EXPECT_EQ(shown(), (Order{3, 4, 1, 2}));
    EXPECT_EQ(model.text(0, SessionTableModel::Time), QStringLiteral("100:00:00"));
    model.sort(SessionTableModel::Downloaded);
    EXPECT_EQ(shown(), (Order{3, 1, 2, 4}));
}

TEST_F(SessionTableTest, EqualValuesKeepTheFileOrderBothWays)
{
    model.sort(SessionTableModel::Uploaded);
    EXPECT_EQ(shown(), (Order{3, 1, 2, 4}));
    model.sort(SessionTableModel::Uploaded, Qt::DescendingOrder);
    EXPECT_EQ(shown(), (Order{4, 1, 2, 3}));
    model.sort(-1);
    EXPECT_EQ(shown(), (Order{1, 2, 3, 4}));
}

TEST_F(SessionTableTest, ANewFileIsShownInTheOrderLastChosen)
{
    model.sort(SessionTableModel::Time);
    model.setResult(RecordFileCalculator().CalculateRecordFile(writeFile(
        QStringLiteral("b.rvl"),
        {headerRecord(),
         sessionRecord(QStringLiteral("2024/03/06, 01:00:00 am"), QStringLiteral("2024/03/06, 03:00:00 am"), 120),
         sessionRecord(QStringLiteral("2024/03/07, 01:00:00 am"), QStringLiteral("2024/03/07, 01:01:00 am"), 1)})));
    EXPECT_EQ(shown(), (Order{2, 1}));
    model.setResult(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(SessionTableTest, CopiesTheChosenRowsInTableOrderAfterAHeaderLine)
{
    model.sort(SessionTableModel::Time, Qt::DescendingOrder);
    EXPECT_EQ(model.copyText({3, 0}), QStringLiteral("Start\tEnd\tTime\tDownloaded\tUploaded\n"
                                                     "9 Feb 2024, 11:00:00 pm\t13 Feb 2024, 03:00:00 am\t100:00:00\t"
                                                     "10.00 B\t0.00 B\n"
                                                     "5 Mar 2024, 12:30:00 am\t5 Mar 2024, 12:39:00 am\t00:09:00\t"
                                                     "2.00 KB\t5.00 B\n"));
    EXPECT_EQ(model.copyText({}), QStringLiteral("Start\tEnd\tTime\tDownloaded\tUploaded\n"));
}

TEST_F(SessionTableTest, SelectionFollowsItsSessionWhenSorted)
{
    const QPersistentModelIndex second(model.index(1, SessionTableModel::Start));
    model.sort(SessionTableModel::Start);
    EXPECT_EQ(second.row(), 2);
    model.sort(SessionTableModel::Downloaded, Qt::DescendingOrder);
    EXPECT_EQ(second.row(), 1);
    model.sort(-1);
    EXPECT_EQ(second.row(), 1);
    EXPECT_EQ(second.column(), int(SessionTableModel::Start));
}
