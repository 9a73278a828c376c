// The main window as a new user sees it, at the font size of the test's environment (96 DPI, and 144 DPI in
// the large-font run): the window's icon, and where the Main and Calculation tabs put their spare room.
#include "core/Recorder.h"
#include "gui/main/TfrmMain.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class MainWindowLook : public ::testing::Test
{
protected:
    MainWindowLook() { recorder.load(); }
    void start()
    {
        window = std::make_unique<TfrmMain>(tp.platform, recorder, settings);
        recorder.start();
    }

    TestPlatform tp;
    Settings settings{*tp.platform.settings};
    Recorder recorder{tp.platform, settings, tp.programDir(), QStringList()};
    std::unique_ptr<TfrmMain> window;
};

// The program sets its icon after the main window's first paint; the window shows it then all the same.
TEST_F(MainWindowLook, TheWindowShowsTheProgramsIconSetAfterIt)
{
    start();
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::darkGreen);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(picture)));
    EXPECT_EQ(window->windowIcon().pixmap(16).toImage().pixel(8, 8), QColor(Qt::darkGreen).rgba());
}

// The pages are as tall as the tallest tab: the Main tab shares the room it does not need between its parts,
// and the Calculation tab keeps its path line at the bottom edge.
TEST_F(MainWindowLook, SpareRoomIsSharedAndThePathLineKeepsToTheBottom)
{
    start();
    auto* pages = child<QTabWidget>(*window, "PageControl1");
    QWidget* main = child<QWidget>(*window, "tabMain");
    QList<QWidget*> parts{child<QWidget>(main, "btnCreateModify"), child<QWidget>(main, "gbStatus"),
                          child<QWidget>(main, "gbOther"), child<QWidget>(main, "scalePanel"),
                          child<QWidget>(main, "lblStatusBar")};
    // Where each part stands on the page (the status line stands in a slot of its own).
    const auto placed = [main](const QWidget* part) { return QRect(part->mapTo(main, QPoint(0, 0)), part->size()); };
    int widest = 0;
    for (qsizetype i = 1; i < parts.size(); ++i)
        widest = std::max(widest, placed(parts[i]).top() - placed(parts[i - 1]).bottom());
    EXPECT_LT(widest, main->height() / 6) << "no one gap holds the tab's spare room";

    QWidget* calculation = child<QWidget>(*window, "tabCalculation");
    pages->setCurrentWidget(calculation);
    QApplication::processEvents();
    const QStatusBar* path = child<QStatusBar>(calculation, "stbOnCal");
    EXPECT_GE(path->geometry().bottom(), calculation->height() - 16);
}

} // namespace
