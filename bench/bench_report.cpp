// Totalling a personal data file of a million sessions (alone, with the per-day history, shown in the
// Message Output window, and what the user waits for after a click in the Calculation tab: totals and list
// painted) against reading the same file with cat (warm cache): prints the times, their ratios and the peak
// memory. Then the report command on a sparse file of 200 GB: its exit status, message,
// time and memory.
// Usage: bench_report [sessions] [runs]; the files are made in the temporary folder and removed afterwards.
#include "gui/report/CalculationTab.h"
#include "gui/report/TMessageOut.h"
#include "gui/report/UniformListView.h"
#include "platform/IniSettingsStore.h"
#include "platform/gui/QtDialogs.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "report/DailyHistory.h"
#include "report/RecordFileCalculator.h"
#include "settings/Settings.h"
#include "tests/support/ManySessionsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

double catMilliseconds(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), QStringLiteral("cat \"$0\" > /dev/null"), path});
    return timer.nsecsElapsed() / 1e6;
}

// Totals the file, works out its per-day history (timed on its own), and shows the totals in the session
// list, scrolled to its last line, as after "Show detail".
struct Timing
{
    double totalling = 0;
    double daily = 0;
    double shown = 0;
};

Timing totalMilliseconds(const QString& path, TMessageOut& window, qint64* lines, qint64* days)
{
    window.clear();
    QElapsedTimer timer;
    timer.start();
    auto result = RecordFileCalculator().CalculateRecordFile(path);
    const double totalling = timer.nsecsElapsed() / 1e6;
    QElapsedTimer dailyTimer;
    dailyTimer.start();
    *days = static_cast<qint64>(DailyHistory::fromResult(*result).days().size());
    const double daily = dailyTimer.nsecsElapsed() / 1e6;
    auto* list = window.findChild<UniformListView*>(QStringLiteral("lbMessage"));
    timer.start();
    window.showResult(std::move(result));
    QAbstractItemModel* model = list->model();
    list->scrollToBottom();
    list->repaint();
    const double shown = totalling + timer.nsecsElapsed() / 1e6;
    *lines = model->rowCount();
    return {totalling, daily, shown};
}

// What the user waits for after clicking a file in the Calculation tab: the totalling pass, the tab's labels
// and the Message Output window's list filled and painted (both windows shown).
double clickMilliseconds(const QString& path, CalculationTab& tab, TMessageOut& window)
{
    window.clear();
    tab.repaint();
    window.repaint();
    QElapsedTimer timer;
    timer.start();
    tab.CalculateRecordFile(path);
    tab.repaint();
    window.repaint();
    return timer.nsecsElapsed() / 1e6;
}

// The report command on a file with a header and 200 GB of nothing after it.
void sparseFileRun(const QString& path)
{
    {
        QFile file(path);
        ProfileRecord header;
        header.Tag = ProfileRecord::UserProfileTag;
        header.CreatedDate = QStringLiteral("2024/03/01");
        header.NextPeriodDate = QStringLiteral("2024/04/01");
        header.StartingDay = 1;
        header.EndingDay = 31;
        if (!file.open(QIODevice::WriteOnly) || file.write(header.toBytes()) != ProfileRecord::Size ||
            !file.resize(200'000'000'000)) {
            std::printf("sparse file: cannot be made here (%s)\n", qPrintable(file.errorString()));
            return;
        }
    }
    QProcess command;
    QElapsedTimer timer;
    timer.start();
    command.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qovruvela-report"), {path});
    command.waitForFinished(60000);
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("report command on a 200 GB sparse file: exit status %d in %.0f ms (target < 1000 ms), peak memory "
                "%.1f MB (target < 100 MB)\n  %s",
                command.exitCode(), milliseconds, children.ru_maxrss * 1024 / 1e6,
                command.readAllStandardError().constData());
    QFile::remove(path);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const qint64 sessions = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 10;

    QTemporaryDir temp;
    // First, while no other child has run, so that the children's peak memory is the command's.
    sparseFileRun(temp.filePath(QStringLiteral("sparse.rvl")));
    const QString path = temp.filePath(QStringLiteral("bench.rvl"));
    if (!temp.isValid() || !writeManySessionsFile(path, sessions)) {
        std::fprintf(stderr, "bench_report: cannot write %s\n", qPrintable(path));
        return 1;
    }
    const double fileMegabytes = QFileInfo(path).size() / 1e6;
    const long baseline = peakKilobytes();

    TMessageOut window;
    window.show();
    IniSettingsStore store(temp.filePath(QStringLiteral("settings.conf")));
    Settings settings(store);
    QtDialogs dialogs(QStringLiteral("bench"));
    CalculationTab tab;
    tab.attach(
        settings, dialogs, temp.path(), [] { return QString(); }, &window);
    tab.show();

    catMilliseconds(path); // warms the cache
    double bestCat = 1e12;
    double bestTotal = 1e12;
    double bestTotalling = 1e12;
    double bestDaily = 1e12;
    qint64 lines = 0;
    qint64 days = 0;
    std::vector<double> clicks;
    std::vector<double> cats;
    for (int run = 0; run < runs; ++run) {
        cats.push_back(catMilliseconds(path));
        clicks.push_back(clickMilliseconds(path, tab, window));
        bestCat = qMin(bestCat, cats.back());
        const Timing timing = totalMilliseconds(path, window, &lines, &days);
        bestTotal = qMin(bestTotal, timing.shown);
        bestTotalling = qMin(bestTotalling, timing.totalling);
        bestDaily = qMin(bestDaily, timing.totalling + timing.daily);
    }
    const long peak = peakKilobytes();

    std::printf("file: %lld sessions, %.1f MB\n", static_cast<long long>(sessions), fileMegabytes);
    std::printf("cat FILE > /dev/null (best of %d): %.1f ms\n", runs, bestCat);
    std::printf("totalling (best of %d): %.1f ms, ratio %.2f (target <= 2)\n", runs, bestTotalling,
                bestTotalling / bestCat);
    std::printf("totalling and the per-day history, %lld days (best of %d): %.1f ms, ratio %.2f (target <= 3)\n",
                static_cast<long long>(days), runs, bestDaily, bestDaily / bestCat);
    std::printf("totalling with the session list filled (best of %d): %.1f ms, %lld list lines, ratio %.2f\n", runs,
                bestTotal, static_cast<long long>(lines), bestTotal / bestCat);
    const double clickMedian = median(clicks);
    const double catMedian = median(cats);
    std::printf("Calculation tab, click -> totals and list painted (median of %d, interleaved with cat): %.1f ms, "
                "cat %.1f ms, ratio %.2f (target <= 2)\n",
                runs, clickMedian, catMedian, clickMedian / catMedian);
    std::printf("compare: click_ms=%.2f cat_ms=%.2f\n", clickMedian, catMedian);
    std::printf("peak memory (VmHWM): %.1f MB, %.1f MB before the first pass (target <= file + 50 MB = %.1f MB)\n",
                peak * 1024 / 1e6, baseline * 1024 / 1e6, fileMegabytes + 50);
    return 0;
}
