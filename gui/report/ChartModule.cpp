// The module is looked for by its full path in each folder, so that the system's library path never
// decides which build's chart a program gets. A failed load is remembered with its reason: every history
// window of the run then says the same thing without trying again.
#include "gui/report/ChartModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

struct LoadState
{
    QStringList folders = ChartModule::defaultFolders();
    bool tried = false;
    DayChartFactory factory = nullptr;
    QString problem;
};

LoadState& state()
{
    static LoadState s;
    return s;
}

// The factory of the first folder whose module loads. The reason given is that of the first module found
// that would not load, or else the last folder's, which names the install's folder.
void load(LoadState& s)
{
    s.tried = true;
    QString foundProblem;
    QString lastProblem = QStringLiteral("no folder to look in");
    for (const QString& folder : std::as_const(s.folders)) {
        const QString path = QDir(folder).filePath(QStringLiteral(QOVRUVELA_CHART_MODULE));
        // QLibrary tries other names for a file that is not there, and would report the last of those.
        if (!QFileInfo::exists(path)) {
            lastProblem = QStringLiteral("the module %1 is missing").arg(QDir::toNativeSeparators(path));
            continue;
        }
        // Never unloaded: a QLibrary leaves its library loaded when it goes.
        QLibrary module(path);
        const auto factory = reinterpret_cast<DayChartFactory>(module.resolve(dayChartFactoryName));
        if (factory) {
            s.factory = factory;
            return;
        }
        if (foundProblem.isEmpty())
            foundProblem = module.errorString();
    }
    s.problem = foundProblem.isEmpty() ? lastProblem : foundProblem;
}

} // namespace

DayChartPanel* ChartModule::create(QWidget* parent, QString& problem)
{
    LoadState& s = state();
    if (!s.tried)
        load(s);
    if (!s.factory) {
        problem = s.problem;
        return nullptr;
    }
    return s.factory(parent);
}

QStringList ChartModule::defaultFolders()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.path(), QDir::cleanPath(programDir.filePath(QStringLiteral(QOVRUVELA_CHART_MODULE_DIR)))};
}

void ChartModule::setFolders(QStringList folders)
{
    LoadState& s = state();
    s = LoadState();
    s.folders = std::move(folders);
}

void ChartModule::setFactory(DayChartFactory factory)
{
    LoadState& s = state();
    s = LoadState();
    s.tried = true;
    s.factory = factory;
}
