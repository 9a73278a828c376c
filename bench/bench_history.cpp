// The history window on a personal data file of a million sessions: the chart and the session table filled
// and painted, and the table sorted by each column, each against the totalling pass of the same file in the
// same run (the anchor); with the memory the window adds to the totalled file's.
// Usage: bench_history [sessions] [runs]; the file is made in the temporary folder and removed afterwards.
#include "gui/report/HistoryWindow.h"
#include "platform/Dialogs.h"
#include "report/DailyHistory.h"
#include "report/DayChart.h"
#include "report/RecordFileCalculator.h"
#include "report/SessionTableModel.h"
#include "tests/support/ManySessionsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// A history window that never needs to ask anything.
class SilentDialogs final : public Dialogs
{
public:
    void beep() override {}
    void showMessage(Kind, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void notify(Kind, const QString& text, std::function<void()>) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
};

// A field of /proc/self/status in kilobytes: VmRSS now, VmHWM the peak.
long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double since(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const qint64 sessions = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 5;

    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("bench.rvl"));
    if (!temp.isValid() || !writeManySessionsFile(path, sessions)) {
        std::fprintf(stderr, "bench_history: cannot write %s\n", qPrintable(path));
        return 1;
    }

    SilentDialogs dialogs;
    HistoryWindow window(dialogs);
    const QDate today(2024, 3, 20);
    window.setToday([today] { return today; });
    // Without the chart module beside the benchmark, a label stands in its place and only the table is measured.
    const bool charted = window.findChild<QWidget*>(QStringLiteral("chvDays")) != nullptr;
    if (const auto* noChart = window.findChild<QLabel*>(QStringLiteral("lblNoChart")))
        std::fprintf(stderr, "bench_history: %s\n", qPrintable(noChart->text()));
    auto* table = window.findChild<QTableView*>(QStringLiteral("tvSessions"));
    window.show();
    QApplication::processEvents();

    constexpr int columns = SessionTableModel::ColumnCount;
    double bestTotalling = 1e12;
    double bestShown = 1e12;
    double bestSort[columns];
    std::fill(std::begin(bestSort), std::end(bestSort), 1e12);
    long withResult = 0;
    long withWindow = 0;
    int days = 0;
    for (int run = 0; run < runs; ++run) {
        window.showResult(nullptr);
        table->sortByColumn(-1, Qt::AscendingOrder);
        QElapsedTimer timer;
        timer.start();
        std::shared_ptr<const CalculationResult> result = RecordFileCalculator().CalculateRecordFile(path);
        bestTotalling = qMin(bestTotalling, since(timer));
        withResult = statusKilobytes("VmRSS:");

        timer.start();
        window.showResult(result);
        window.repaint();
        bestShown = qMin(bestShown, since(timer));
        if (charted && run == 0)
            days = DayChart::fromHistory(DailyHistory::fromResult(*result), today).barCount();

        for (int column = 0; column < columns; ++column) {
            timer.start();
            table->sortByColumn(column, Qt::DescendingOrder);
            table->repaint();
            bestSort[column] = qMin(bestSort[column], since(timer));
        }
        withWindow = statusKilobytes("VmRSS:");
    }

    std::printf("file: %lld sessions, %.1f MB; chart of %d days\n", static_cast<long long>(sessions),
                QFileInfo(path).size() / 1e6, days);
    std::printf("anchor, totalling the file (best of %d): %.1f ms\n", runs, bestTotalling);
    std::printf("history window filled and painted, table and chart (best of %d): %.1f ms, ratio %.2f\n", runs,
                bestShown, bestShown / bestTotalling);
    for (int column = 0; column < columns; ++column)
        std::printf("table sorted by %-10s and painted (best of %d): %.1f ms, ratio %.2f\n",
                    qPrintable(window.model()->headerData(column, Qt::Horizontal).toString()), runs, bestSort[column],
                    bestSort[column] / bestTotalling);
    std::printf("memory: %.1f MB with the totalled file held, %.1f MB with the window filled and sorted "
                "(+%.1f MB); peak %.1f MB\n",
                withResult * 1024 / 1e6, withWindow * 1024 / 1e6, (withWindow - withResult) * 1024 / 1e6,
                statusKilobytes("VmHWM:") * 1024 / 1e6);
    return 0;
}
