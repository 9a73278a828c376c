// Where bench/click_painted.py presses in the main window: the window built as the program builds it, on the
// same display, with the same settings, personal file and backup folder (run it in the program's environment,
// before the program), and its Calculation tab shown; then the rectangles of the tab's tab, its History button
// and each entry of its file list, in the window's client area, one a line:
//   window W H
//   tab X Y W H
//   history X Y W H
//   row NAME X Y W H
// Usage: calculation_geometry PROGRAM_FOLDER (the folder the program runs from, which holds its personal file)
#include "alert/AlertSound.h"
#include "app/PlatformFactory.h"
#include "core/Recorder.h"
#include "gui/main/TfrmMain.h"
#include "gui/report/CalculationTab.h"
#include "platform/ProgramDir.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <cstdio>

namespace {

void print(const char* what, const QRect& rect)
{
    std::printf("%s %d %d %d %d\n", what, rect.x(), rect.y(), rect.width(), rect.height());
}

QRect inWindow(const QWidget& widget, const QRect& rect)
{
    return QRect(widget.mapTo(widget.window(), rect.topLeft()), rect.size());
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: calculation_geometry PROGRAM_FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QovRuvela"));
    Platform platform = PlatformFactory::make();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const ProgramDir::Choice dir = ProgramDir::choose(
        folder, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/QovRuvela"),
        ProgramDir::canWriteIn, Settings::storedPersonalAccount(*platform.settings));
    Settings settings(*platform.settings);
    Recorder recorder(platform, settings, dir.folder, AlertSound::soundFolders(dir.folder, folder));
    recorder.load();
    TfrmMain window(platform, recorder, settings);
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    auto* list = window.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    auto* history = window.findChild<QPushButton*>(QStringLiteral("btnHistory"));
    auto* page = window.findChild<QWidget*>(QStringLiteral("tabCalculation"));
    if (!tabs || !list || !history || !page) {
        std::fprintf(stderr, "calculation_geometry: the window has no Calculation tab as expected\n");
        return 1;
    }
    // The program lists the backup folder when its recording starts, which this window need not do.
    if (auto* calculation = qobject_cast<CalculationTab*>(page))
        calculation->ReadFilesToList(recorder.file().backupDirPath());
    window.show();
    tabs->setCurrentWidget(page);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300 || (!list->isVisible() && waited.elapsed() < 5000))
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    std::printf("window %d %d\n", window.width(), window.height());
    print("tab", inWindow(*tabs->tabBar(), tabs->tabBar()->tabRect(tabs->indexOf(page))));
    print("history", inWindow(*history, history->rect()));
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        const QRect rect = inWindow(*list->viewport(), list->visualItemRect(item));
        std::printf("row %s %d %d %d %d\n", qPrintable(item->text()), rect.x(), rect.y(), rect.width(), rect.height());
    }
    return 0;
}
