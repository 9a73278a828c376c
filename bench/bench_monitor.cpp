// Cost of one connection-monitor poll, against the in-memory system and the file-driven one.
#include "dialup/ConnectionMonitor.h"
#include "dialup/RecordingFilter.h"
#include "platform/sim/FileDialUp.h"
#include "platform/sim/SimulatedDialUp.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
class QuietHost final : public ConnectionMonitorHost
{
public:
    void showStatus(const QString& text) override { benchmark::DoNotOptimize(text.size()); }
    void showLineInUse() override {}
    void showIdle() override {}
    void hangUp() override {}
    void connectionFirstSeen(const QString&) override {}
    void removeDisconnectItem() override {}
    bool recordingStopped() const override { return false; }
    void runTrackerTick() override {}
};

void pollConnected(benchmark::State& state, DialUpService& service)
{
    RecordingFilter filter;
    QuietHost host;
    ConnectionMonitor monitor(service, filter, host);
    for (auto _ : state)
        monitor.PollConnections();
    if (!monitor.IsConnected())
        state.SkipWithError("not connected");
}
} // namespace

static void BM_PollInMemory(benchmark::State& state)
{
    InMemoryDialUp service;
    service.system().entries = {QStringLiteral("Home")};
    service.system().connections = {{7, QStringLiteral("Home"), RasState::Connected, 0}};
    pollConnected(state, service);
}
BENCHMARK(BM_PollInMemory);

static void BM_PollSimulationFile(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QLatin1String(FileDialUp::fileName)));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the simulation file");
        return;
    }
    file.write("entry Home\nentry Work\nconnection 8192 0 Home\n");
    file.close();
    FileDialUp service(dir.path());
    pollConnected(state, service);
}
BENCHMARK(BM_PollSimulationFile);
