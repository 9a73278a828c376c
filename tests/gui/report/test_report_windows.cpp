// The report windows on the offscreen platform: the directory chooser's OK, Cancel and history, the session
// list's stored position, the Calculation tab's listing and totalling, and the fee edits' key rule.
#include "gui/report/CalculationTab.h"
#include "gui/report/FeeKeyFilter.h"
#include "gui/report/TMessageOut.h"
#include "gui/report/TfrmDir.h"
#include "gui/report/UniformListView.h"
#include "report/CalculationResult.h"
#include "report/MessageOutModel.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/report/ReportFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <memory>

namespace {

const QString key = QStringLiteral("Ruvela");
const QString historyKey = QStringLiteral("Ruvela\\HistoryDir");

class ReportWindows : public ReportFixture
{
protected:
    QString folder(const QString& name)
    {
        EXPECT_TRUE(QDir(temp.path()).mkpath(name));
        return QDir(temp.filePath(name)).absolutePath();
    }

    /// The settings as the program reads them at its start, from what the test stored.
    Settings& loaded()
    {
        stored.load();
        return stored;
    }

    MemorySettings settings;
    Settings stored{settings};
    ScriptedDialogs dialogs;
};

// What the user reads: a label's text, the Calculation tab's status line, the session list's line count.
QString textOf(const QObject& window, const char* name)
{
    return child<QLabel>(window, name)->text();
}

QString statusOf(const CalculationTab& tab)
{
    return child<QStatusBar>(tab, "stbOnCal")->currentMessage();
}

int rowsOf(const TMessageOut& out)
{
    return child<UniformListView>(out, "lbMessage")->model()->rowCount();
}

} // namespace

TEST_F(ReportWindows, DirOkConfirmsAnExistingFolderOnly)
{
    const QString chosen = folder(QStringLiteral("chosen"));
    TfrmDir dir(loaded(), dialogs);
    dir.show();
    child<QLineEdit>(dir, "edToPath")->setText(temp.filePath(QStringLiteral("not-there")));
    child<QPushButton>(dir, "btnOK")->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.value(0).text, QStringLiteral("Failing to get folder name."));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_TRUE(dir.isVisible());
    EXPECT_EQ(dir.Tag(), 0);
    EXPECT_FALSE(settings.values.contains(key + QStringLiteral("|Last Directory")));

    child<QLineEdit>(dir, "edToPath")->setText(chosen);
    child<QPushButton>(dir, "btnOK")->click();
    EXPECT_FALSE(dir.isVisible());
    EXPECT_EQ(dir.Tag(), 1);
    EXPECT_EQ(dir.result(), QDialog::Accepted);
    EXPECT_EQ(settings.ReadIniFromReg(key, QStringLiteral("Last Directory")), chosen);
    EXPECT_EQ(settings.ReadIniFromReg(historyKey, QStringLiteral("0")), chosen);
    EXPECT_FALSE(settings.ReadIniFromReg(key, QStringLiteral("DirWidthOfShellTree")).isEmpty());
}

TEST_F(ReportWindows, DirCancelStoresOnlyTheTreeWidth)
{
    settings.WriteIniToReg(key, QStringLiteral("DirWidthOfShellTree"), QStringLiteral("250"));
    TfrmDir dir(loaded(), dialogs);
    dir.show();
    child<QLineEdit>(dir, "edToPath")->setText(folder(QStringLiteral("chosen")));
    child<QPushButton>(dir, "btnCancel")->click();
    EXPECT_FALSE(dir.isVisible());
    EXPECT_EQ(dir.Tag(), 0);
    EXPECT_FALSE(settings.values.contains(key + QStringLiteral("|Last Directory")));
    EXPECT_TRUE(settings.ReadIniFromReg(historyKey, QStringLiteral("0")).isEmpty());
    EXPECT_EQ(settings.ReadIniFromReg(key, QStringLiteral("DirWidthOfShellTree")), QStringLiteral("250"));
}

TEST_F(ReportWindows, DirTreeWidthOutsideItsRangeIsIgnored)
{
    for (const auto& [stored, applied] : {std::pair{10, TfrmDir::designTreeWidth}, std::pair{11, 11},
                                          std::pair{349, 349}, std::pair{350, TfrmDir::designTreeWidth}}) {
        settings.WriteIniToReg(key, QStringLiteral("DirWidthOfShellTree"), QString::number(stored));
        TfrmDir dir(loaded(), dialogs);
        dir.show();
        EXPECT_EQ(child<QWidget>(dir, "pnTree")->width(), applied) << stored;
        child<QPushButton>(dir, "btnCancel")->click();
    }
}

TEST_F(ReportWindows, DirOpensAtTheLastDirectoryWithItsHistory)
{
    const QString last = folder(QStringLiteral("last/inner"));
    settings.WriteIniToReg(key, QStringLiteral("Last Directory"), last);
    settings.WriteIniToReg(historyKey, QStringLiteral("0"), last);
    settings.WriteIniToReg(historyKey, QStringLiteral("1"), QStringLiteral("/elsewhere"));
    TfrmDir dir(loaded(), dialogs);
    QLineEdit* path = child<QLineEdit>(dir, "edToPath");
    QTreeView* tree = child<QTreeView>(dir, "DriveView1");
    EXPECT_EQ(child<QComboBox>(dir, "cbHistoryPath")->count(), 2);
    EXPECT_EQ(dir.currentDirectory(), last);
    EXPECT_EQ(path->text(), last);

    // Ctrl+U goes up one folder.
    QTest::keyRelease(tree, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(dir.currentDirectory(), QFileInfo(last).absolutePath());
    EXPECT_EQ(path->text(), QFileInfo(last).absolutePath());
    QTest::keyRelease(tree, Qt::Key_U);
    EXPECT_EQ(dir.currentDirectory(), QFileInfo(last).absolutePath());
}

TEST_F(ReportWindows, DirHistoryChoices)
{
    const QString there = folder(QStringLiteral("there"));
    const QString typed = folder(QStringLiteral("typed"));
    settings.WriteIniToReg(historyKey, QStringLiteral("0"), temp.filePath(QStringLiteral("gone")));
    settings.WriteIniToReg(historyKey, QStringLiteral("1"), there);
    TfrmDir dir(loaded(), dialogs);
    dir.show();
    QComboBox* history = child<QComboBox>(dir, "cbHistoryPath");

    // A folder that no longer exists is reported and dropped from the list and the settings.
    emit history->activated(0);
    EXPECT_EQ(dialogs.messages.value(0).text, QStringLiteral("Directory does not exist."));
    EXPECT_EQ(settings.ReadIniFromReg(historyKey, QStringLiteral("0")), there);
    EXPECT_TRUE(settings.ReadIniFromReg(historyKey, QStringLiteral("1")).isEmpty());
    ASSERT_EQ(history->count(), 1);

    emit history->activated(0);
    EXPECT_EQ(dir.currentDirectory(), there);

    // Enter on a typed folder adds it on top.
    history->setEditText(typed);
    QTest::keyClick(history->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dir.currentDirectory(), typed);
    EXPECT_EQ(dir.history().entries(), (QStringList{typed, there}));
    // Enter belongs to the box: it neither confirms nor closes the chooser.
    EXPECT_TRUE(dir.isVisible());
    EXPECT_EQ(dir.Tag(), 0);
}

// Keys as the window system delivers them, to the focused control of the active window: Enter in the history
// box and in the path field, for a folder that is there and one that is not.
TEST_F(ReportWindows, DirEnterThroughTheWindowSystem)
{
    const QString there = folder(QStringLiteral("there"));
    const QString other = folder(QStringLiteral("other"));
    TfrmDir dir(loaded(), dialogs);
    dir.show();
    dir.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dir));
    QComboBox* history = child<QComboBox>(dir, "cbHistoryPath");
    history->setFocus();
    history->setEditText(temp.filePath(QStringLiteral("gone")));
    QTest::keyClick(dir.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(dialogs.messages.value(0).text, QStringLiteral("Directory does not exist."));
    history->setEditText(there);
    QTest::keyClick(dir.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(dir.currentDirectory(), there);

    QLineEdit* path = child<QLineEdit>(dir, "edToPath");
    path->setFocus();
    path->setText(temp.filePath(QStringLiteral("missing")));
    QTest::keyClick(dir.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages.value(1).text, QStringLiteral("Directory does not exist."));
    path->setText(QDir::toNativeSeparators(other));
    QTest::keyClick(dir.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(dir.currentDirectory(), other);
    EXPECT_TRUE(dir.isVisible()) << "Enter neither confirms nor closes the chooser";
}

// The files from A to Z, with room for their date and time.
TEST_F(ReportWindows, DirListsFilesInOrderWithTheirDates)
{
    const QString files = folder(QStringLiteral("files"));
    for (const char* name : {"b.rvl", "c.rvl", "a.rvl"})
        writeFile(QStringLiteral("files/") + QLatin1String(name), {headerRecord()});
    settings.WriteIniToReg(key, QStringLiteral("Last Directory"), files);
    TfrmDir dir(loaded(), dialogs);
    dir.show();
    QTreeView* list = child<QTreeView>(dir, "DirView1");
    EXPECT_EQ(list->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    const QString date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    EXPECT_GT(list->columnWidth(3), list->fontMetrics().horizontalAdvance(date) + 8);
    EXPECT_LE(list->header()->sectionViewportPosition(3) + list->columnWidth(3), list->viewport()->width());
}

TEST_F(ReportWindows, MessageOutStoresItsPositionOnEveryClose)
{
    {
        TMessageOut out(loaded());
        EXPECT_EQ(out.pos(), QPoint(276, 21));
        out.show();
        out.move(300, 200);
        child<QPushButton>(out, "btnOK")->click();
        EXPECT_FALSE(out.isVisible());
        EXPECT_EQ(settings.ReadIniFromReg(key, QStringLiteral("MsgOutTop")), QStringLiteral("200"));
        EXPECT_EQ(settings.ReadIniFromReg(key, QStringLiteral("MsgOutLeft")), QStringLiteral("300"));
        out.show();
        out.move(310, 210);
        out.close();
        EXPECT_EQ(settings.ReadIniFromReg(key, QStringLiteral("MsgOutLeft")), QStringLiteral("310"));
    }
    TMessageOut again(loaded());
    EXPECT_EQ(again.pos(), QPoint(310, 210));
}

TEST_F(ReportWindows, CalculationTabListsTotalsAndFillsTheSessionList)
{
    const QString program = folder(QStringLiteral("program"));
    const QString backups = folder(QStringLiteral("backups"));
    writeFile(QStringLiteral("program/me.rvl"), {headerRecord()});
    writeFile(QStringLiteral("backups/1.rvl"), {headerRecord(QStringLiteral("2024/02/01"), 1, 29),
                                                sessionRecord(QStringLiteral("2024/02/05, 10:00:50 pm"),
                                                              QStringLiteral("2024/02/05, 10:02:20 pm"), 2, 2048, 1024),
                                                sessionRecord(QStringLiteral("2024/02/06, 10:00:10 am"),
                                                              QStringLiteral("2024/02/06, 10:00:40 am"), 0, 1024, 0)});
    TMessageOut out(loaded());
    CalculationTab tab;
    tab.attach(
        loaded(), dialogs, program, [] { return QStringLiteral("me.rvl"); }, &out);
    QListWidget* files = child<QListWidget>(tab, "ListBox1");

    child<QToolButton>(tab, "btnRefresh")->click();
    EXPECT_EQ(files->count(), 1);
    tab.setDirectoryChooser([&] { return std::optional<QString>(backups); });
    child<QToolButton>(tab, "btnSearchDir")->click();
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(1)->text(), QStringLiteral("1.rvl"));

    files->setCurrentRow(1);
    EXPECT_EQ(textOf(tab, "lblFrom"), QStringLiteral("From : 1"));
    EXPECT_EQ(textOf(tab, "lblTo"), QStringLiteral("To : 29"));
    EXPECT_EQ(textOf(tab, "lblUsedTime"), QStringLiteral("00:02:00"));
    EXPECT_EQ(statusOf(tab), backups + QLatin1Char('/'));
    EXPECT_EQ(rowsOf(out), 12);
    EXPECT_EQ(textOf(out, "lblTotalTime"), QStringLiteral("00:02:00"));
    EXPECT_EQ(textOf(out, "lblTotalReceived"), textOf(tab, "lblReceivedBytes"));

    // The active file is read from the program folder and has no sessions: the session list empties.
    files->setCurrentRow(0);
    EXPECT_EQ(statusOf(tab), program + QLatin1Char('/'));
    EXPECT_EQ(textOf(tab, "lblTo"), QStringLiteral("To : 31"));
    EXPECT_TRUE(textOf(tab, "lblUsedTime").isEmpty());
    EXPECT_EQ(rowsOf(out), 0);

    child<QPushButton>(tab, "btnDetail")->click();
    EXPECT_TRUE(out.isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The program makes the session list window only when "Show detail" first asks for it: it must then show
// the file totalled before it existed, and later totals go to the same window.
TEST_F(ReportWindows, SessionListMadeOnFirstShowDetailShowsTheFileTotalledBefore)
{
    const QString program = folder(QStringLiteral("program"));
    writeFile(QStringLiteral("program/me.rvl"),
              {headerRecord(QStringLiteral("2024/02/01"), 1, 29),
               sessionRecord(QStringLiteral("2024/02/05, 10:00:50 pm"), QStringLiteral("2024/02/05, 10:02:20 pm"), 2,
                             2048, 1024)});
    writeFile(QStringLiteral("program/empty.rvl"), {headerRecord()});
    std::unique_ptr<TMessageOut> out;
    int made = 0;
    CalculationTab tab;
    tab.attach(loaded(), dialogs, program, [] { return QStringLiteral("me.rvl"); });
    tab.setMessageOut([&]() -> TMessageOut* {
        ++made;
        out = std::make_unique<TMessageOut>(loaded());
        return out.get();
    });

    tab.CalculateRecordFile(program + QStringLiteral("/me.rvl"));
    EXPECT_EQ(made, 0);
    child<QPushButton>(tab, "btnDetail")->click();
    ASSERT_EQ(made, 1);
    EXPECT_TRUE(out->isVisible());
    EXPECT_EQ(rowsOf(*out), 6);
    EXPECT_EQ(textOf(*out, "lblTotalTime"), QStringLiteral("00:01:30"));

    tab.CalculateRecordFile(program + QStringLiteral("/empty.rvl"));
    child<QPushButton>(tab, "btnDetail")->click();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(rowsOf(*out), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The totals' box keeps the widest room its texts have needed: wider totals are shown whole, and narrower
// ones after them leave the file list beside them as wide as it was.
TEST_F(ReportWindows, CalculationTabShowsWideTotalsWholeAndKeepsItsListSteady)
{
    const QString program = folder(QStringLiteral("program"));
    writeFile(QStringLiteral("program/small.rvl"), {headerRecord()});
    QList<ProfileRecord> wide{headerRecord()};
    for (int day = 1; day <= 28; ++day)
        wide.append(sessionRecord(QStringLiteral("2024/03/%1, 01:00:00 am").arg(day, 2, 10, QLatin1Char('0')),
                                  QStringLiteral("2024/03/%1, 11:59:59 pm").arg(day, 2, 10, QLatin1Char('0')), 1379,
                                  4000000000u, 4000000000u));
    writeFile(QStringLiteral("program/wide.rvl"), wide);
    CalculationTab tab;
    tab.attach(loaded(), dialogs, program, [] { return QString(); });
    tab.ReadFilesToList(program);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    auto* files = child<QListWidget>(tab, "ListBox1");
    const auto shownWhole = [&tab] {
        QCoreApplication::sendPostedEvents();
        for (const char* name : {"lblLastRecord", "lblUsedTime", "lblReceivedBytes", "lblSentBytes"}) {
            const auto* label = child<QLabel>(tab, name);
            if (label->width() < label->sizeHint().width())
                return false;
        }
        return true;
    };
    const auto choose = [files](const char* name) {
        files->setCurrentItem(files->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
    };
    choose("small.rvl");
    EXPECT_TRUE(shownWhole());
    choose("wide.rvl");
    EXPECT_TRUE(shownWhole());
    const int listWidth = files->width();
    choose("small.rvl");
    EXPECT_TRUE(shownWhole());
    EXPECT_EQ(files->width(), listWidth);
}

// Walking a long list of files with the keys keeps the chosen file in sight.
TEST_F(ReportWindows, CalculationTabKeepsTheChosenFileInSight)
{
    const QString backups = folder(QStringLiteral("backups"));
    for (int i = 0; i < 40; ++i)
        writeFile(QStringLiteral("backups/%1.rvl").arg(i), {headerRecord()});
    CalculationTab tab;
    tab.attach(loaded(), dialogs, folder(QStringLiteral("program")), [] { return QString(); });
    tab.ReadFilesToList(backups);
    tab.resize(500, 300);
    tab.show();
    QListWidget* files = child<QListWidget>(tab, "ListBox1");
    files->setCurrentRow(0);
    for (int row = 1; row < files->count(); ++row)
        QTest::keyClick(files, Qt::Key_Down);
    ASSERT_EQ(files->currentRow(), 39);
    EXPECT_TRUE(files->viewport()->rect().contains(files->visualItemRect(files->currentItem())));
}

TEST_F(ReportWindows, CalculationTabReportsAFileThatIsGone)
{
    const QString backups = folder(QStringLiteral("backups"));
    const QString path = writeFile(QStringLiteral("backups/1.rvl"), {headerRecord()});
    CalculationTab tab;
    tab.attach(loaded(), dialogs, folder(QStringLiteral("program")), [] { return QString(); });
    QListWidget* files = child<QListWidget>(tab, "ListBox1");
    tab.ReadFilesToList(backups);
    files->setCurrentRow(0);
    ASSERT_EQ(textOf(tab, "lblFrom"), QStringLiteral("From : 1"));
    QFile::remove(path);
    files->clearSelection();
    files->setCurrentRow(0);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("File not found. Filename : ") + path);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(textOf(tab, "lblFrom"), QStringLiteral("From : 1"));
}

TEST_F(ReportWindows, CalculationTabRefusesAHugeSparseFileWithAMessage)
{
    const QString backups = folder(QStringLiteral("backups"));
    writeFile(QStringLiteral("backups/1.rvl"), {headerRecord(QStringLiteral("2024/02/01"), 1, 29)});
    const QString huge = writeFile(QStringLiteral("backups/2.rvl"), {headerRecord()});
    QFile file(huge);
    ASSERT_TRUE(file.resize(200'000'000'000));
    CalculationTab tab;
    tab.attach(loaded(), dialogs, folder(QStringLiteral("program")), [] { return QString(); });
    QListWidget* files = child<QListWidget>(tab, "ListBox1");
    tab.ReadFilesToList(backups);
    files->setCurrentItem(files->findItems(QStringLiteral("1.rvl"), Qt::MatchExactly).value(0));
    ASSERT_EQ(textOf(tab, "lblTo"), QStringLiteral("To : 29"));
    files->setCurrentItem(files->findItems(QStringLiteral("2.rvl"), Qt::MatchExactly).value(0));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("is too large to total")));
    EXPECT_EQ(dialogs.beeps, 1);
    // The last file's figures stay.
    EXPECT_EQ(textOf(tab, "lblTo"), QStringLiteral("To : 29"));
}

TEST_F(ReportWindows, CalculationTabTotalsAroundDamagedRecordsAndTellsThemWithoutABox)
{
    const QString backups = folder(QStringLiteral("backups"));
    writeFile(QStringLiteral("backups/1.rvl"),
              {headerRecord(),
               sessionRecord(QStringLiteral("2024/13/05, 10:00:10 pm"), QStringLiteral("2024/03/05, 10:00:40 pm"), 0),
               sessionRecord(QStringLiteral("2024/03/06, 10:00:00 pm"), QStringLiteral("2024/03/06, 10:02:00 pm"), 2)});
    ProfileRecord untagged = headerRecord(QStringLiteral("garbage!"));
    untagged.Tag = QStringLiteral("[Other]");
    const QString notPersonal = writeFile(QStringLiteral("backups/2.rvl"), {untagged});
    CalculationTab tab;
    tab.attach(loaded(), dialogs, folder(QStringLiteral("program")), [] { return QString(); });
    QListWidget* files = child<QListWidget>(tab, "ListBox1");
    tab.ReadFilesToList(backups);
    const QString badDate =
        QStringLiteral("Record 1: '2024/13/05, 10:00:10 pm' is not a valid date; the record is left out.");
    QListWidgetItem* first = files->findItems(QStringLiteral("1.rvl"), Qt::MatchExactly).value(0);
    files->setCurrentItem(first);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(textOf(tab, "lblUsedTime"), QStringLiteral("00:02:00"));
    EXPECT_EQ(statusOf(tab), backups + QStringLiteral("/  ") + badDate);
    EXPECT_FALSE(first->icon().isNull());
    EXPECT_EQ(first->toolTip(), badDate);

    // A file whose header is not a personal data file's is refused in a box, not totalled.
    files->setCurrentItem(files->findItems(QStringLiteral("2.rvl"), Qt::MatchExactly).value(0));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              notPersonal + QStringLiteral(": not a personal data file (record 0 is not tagged [UserProfile])"));
    EXPECT_EQ(statusOf(tab), backups + QLatin1Char('/'));
}

TEST_F(ReportWindows, FeeEditsTakeDigitsPointAndBackspaceOnly)
{
    QLineEdit basic;
    QLineEdit perMinute;
    FeeKeyFilter::installOn(dialogs, {&basic, &perMinute});
    QTest::keyClicks(&basic, QStringLiteral("12a.5 "));
    EXPECT_EQ(basic.text(), QStringLiteral("12.5"));
    EXPECT_EQ(dialogs.beeps, 2);
    QTest::keyClick(&basic, Qt::Key_Backspace);
    QTest::keyClick(&basic, Qt::Key_Left);
    EXPECT_EQ(basic.text(), QStringLiteral("12."));
    EXPECT_EQ(dialogs.beeps, 2);
    QTest::keyClick(&perMinute, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(&perMinute, QStringLiteral("x0"));
    EXPECT_EQ(perMinute.text(), QStringLiteral("0"));
    EXPECT_EQ(dialogs.beeps, 4);
}

TEST(UniformListView, AnyRowCountIsShownWithoutLayingOutRows)
{
    // Six million lines, as for a file of a million sessions; the model only tells how many there are.
    class ManyLines final : public QAbstractListModel
    {
    public:
        int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 6000000; }
        QVariant data(const QModelIndex& index, int role) const override
        {
            ++asked;
            return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
        }
        mutable int asked = 0;
    } lines;
    UniformListView view;
    view.resize(268, 351);
    view.setRowHeight(16);
    view.setModel(&lines);
    view.show();
    view.scrollToBottom();
    view.repaint();
    const int shown = view.visibleRows();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 6000000 - shown);
    EXPECT_EQ(view.indexAt(QPoint(1, 1)).row(), 6000000 - shown);
    EXPECT_EQ(view.indexAt(QPoint(1, 16 * (shown - 1) + 1)).row(), 6000000 - 1);
    EXPECT_LT(lines.asked, 50 * (shown + 1));

    view.setCurrentIndex(lines.index(10));
    view.scrollTo(lines.index(10), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(view.firstVisibleRow(), 10);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.currentIndex().row(), 6000000 - 1);
    EXPECT_EQ(view.firstVisibleRow(), 6000000 - shown);
}
