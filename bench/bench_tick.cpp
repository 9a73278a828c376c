// Cost of one session-tracker tick while recording into a real personal file: the mix the program runs (a save
// on every fifteenth second), and a saving and a non-saving tick on their own; and the same mix through the
// recording core, as the program's timer runs it (the connection monitor's answers, the traffic pass, the
// signals to the windows, with no window listening), without and with an allowance, and on a metered link.
#include "allowance/AllowanceMonitor.h"
#include "core/Recorder.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/sim/RecordingSound.h"
#include "platform/sim/SimulatedDialUp.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalFile.h"
#include "record/SessionTracker.h"
#include "record/StoredDate.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// Moves on by whole seconds and wraps within one day, so a long run never reaches the next period.
class SteppingClock final : public Clock
{
public:
    QDateTime now() const override { return m_start.addSecs(m_seconds); }
    void advance(qint64 seconds) { m_seconds = (m_seconds + seconds) % (24 * 3600); }
    int second() const { return static_cast<int>(m_seconds % 60); }

private:
    QDateTime m_start{QDate(2024, 3, 20), QTime(0, 0, 0)};
    qint64 m_seconds = 10 * 3600;
};

class NoDialogs final : public Dialogs
{
public:
    void beep() override {}
    void showMessage(Kind, const QString&) override { ++shown; }
    void notify(Kind, const QString&, std::function<void()>) override { ++shown; }
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }

    int shown = 0;
};

// Online through a recorded entry, tray icon on, traffic flowing.
class OnlineWindow final : public PeriodHost, public TrackerHost
{
public:
    void showDayPeriod(const QString&) override {}
    void showStatusLine(const QString& text) override { benchmark::DoNotOptimize(text.size()); }
    void listBackupFiles(const QString&) override {}

    bool IsConnected() const override { return true; }
    bool Checked_PhoneBook_IsOn() const override { return true; }
    bool alwaysRecord() const override { return false; }
    bool TrayIconOn() const override { return true; }
    void ChangeSysTrayIcon(int imageIndex) override { benchmark::DoNotOptimize(imageIndex); }
    bool recordingStopped() const override { return false; }
    void UpdateTrafficMonitor() override
    {
        received += 1460;
        sent += 52;
    }
    void ClearTrafficMonitor() override { zeroByteCounters(); }
    void zeroByteCounters() override { received = sent = 0; }
    quint32 DialUpBytesReceived() const override { return received; }
    quint32 DialUpBytesSent() const override { return sent; }
    void CheckHourlyAlert(qint32) override {}
    void resetHourlyAlert() override {}

    SessionTracker* tracker = nullptr;
    quint32 received = 0;
    quint32 sent = 0;
};

// A personal file in a temporary folder with a session open in it.
struct Recording
{
    Recording()
    {
        window.tracker = &tracker;
        file.setPersonalFileName(QStringLiteral("bench.rvl"));
        const NewFileOutcome created = period.StartNewFile(1, 31);
        tracker.followReload(created.reload);
        ready = dir.isValid() && created;
        tracker.tick();
        ready = ready && tracker.SessionOpen();
    }

    QTemporaryDir dir;
    SteppingClock clock;
    NoDialogs dialogs;
    OnlineWindow window;
    PersonalFile file{dir.path() + QLatin1Char('/'), clock, dialogs};
    AccountingPeriod period{file, clock, dialogs, window};
    SessionTracker tracker{clock, file, period, window};
    bool ready = false;
};

void finish(benchmark::State& state, const Recording& r)
{
    if (!r.tracker.SessionOpen() || r.tracker.NextFilePointer() != 1 || r.dialogs.shown != 0)
        state.SkipWithError("the session did not stay open in record 1");
    state.counters["minutes"] = r.tracker.UsedMinutes();
}

} // namespace

// One tick a second, as the main timer runs: one in fifteen rewrites the session record.
static void BM_TickEverySecond(benchmark::State& state)
{
    Recording r;
    if (!r.ready) {
        state.SkipWithError("could not start a recording session");
        return;
    }
    for (auto _ : state) {
        r.clock.advance(1);
        r.tracker.tick();
    }
    finish(state, r);
}
BENCHMARK(BM_TickEverySecond);

// Only ticks on seconds 0, 15, 30 and 45: every one writes the record.
static void BM_TickThatSaves(benchmark::State& state)
{
    Recording r;
    if (!r.ready) {
        state.SkipWithError("could not start a recording session");
        return;
    }
    r.clock.advance(15 - r.clock.second() % 15);
    for (auto _ : state) {
        r.clock.advance(15);
        r.tracker.tick();
    }
    finish(state, r);
}
BENCHMARK(BM_TickThatSaves);

// Every second except the quarter minutes: no tick writes.
static void BM_TickWithoutSave(benchmark::State& state)
{
    Recording r;
    if (!r.ready) {
        state.SkipWithError("could not start a recording session");
        return;
    }
    for (auto _ : state) {
        r.clock.advance(r.clock.second() % 15 == 14 ? 2 : 1);
        r.tracker.tick();
    }
    finish(state, r);
}
BENCHMARK(BM_TickWithoutSave);

namespace {

// The core on in-memory services: online through "Home ISP", bytes moving on ppp0, a personal file open. On
// a metered link: online through a phone tethered on usb0, which the dial-up service names, with metered
// links recorded and another program's ppp0 beside it.
struct CoreRecording
{
    explicit CoreRecording(bool metered = false)
    {
        // The core's timers want an application object; they are stopped before the measuring starts.
        static int argc = 1;
        static char name[] = "bench_tick";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        auto c = std::make_unique<SteppingClock>();
        auto u = std::make_unique<InMemoryDialUp>();
        auto n = std::make_unique<SimulatedInterfaceTable>();
        clock = c.get();
        dialUp = u.get();
        interfaces = n.get();
        platform.clock = std::move(c);
        platform.dialUp = std::move(u);
        platform.interfaces = std::move(n);
        platform.dialogs = std::make_unique<NoDialogs>();
        platform.settings = std::make_unique<IniSettingsStore>(dir.filePath(QStringLiteral("QovRuvela.conf")));
        platform.sound = std::make_unique<RecordingSound>();
        dialUp->system().entries = {QStringLiteral("Home ISP")};
        dialUp->system().connections = {{7, QStringLiteral("Home ISP"), RasState::Connected, 0}};
        interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
        if (metered) {
            dialUp->system().connections = {
                {7, QStringLiteral("Phone tether"), RasState::Connected, 0, QStringLiteral("usb0")}};
            interfaces->addInterface(8, QStringLiteral("usb0 - Ethernet"), 0, 0);
        }
        Settings(*platform.settings).setPersonalAccount(QStringLiteral("bench.rvl"));
        recorder = std::make_unique<Recorder>(platform, dir.path() + QLatin1Char('/'), QStringList());
        recorder->load();
        if (metered)
            recorder->setRecordMetered(true);
        ready = dir.isValid();
        movingLink = metered ? 8 : 6;
    }

    QTemporaryDir dir;
    Platform platform;
    SteppingClock* clock = nullptr;
    InMemoryDialUp* dialUp = nullptr;
    SimulatedInterfaceTable* interfaces = nullptr;
    std::unique_ptr<Recorder> recorder;
    bool ready = false;
    quint32 movingLink = 6; ///< the interface whose octets are the session's
};

} // namespace

// The core's tick once a second while recording, with the connection polled and traffic moving; with an
// allowance of time and data (`allowance`), whose running totals and thresholds the tick keeps as well.
static void coreTickEverySecond(benchmark::State& state, bool allowance, bool metered = false)
{
    CoreRecording r(metered);
    if (allowance) {
        // Far more than the run uses, so no warning falls due while it is measured.
        AllowanceSettings limits;
        limits.hours = 744;
        limits.bytes = 100000LL << 30;
        Settings(*r.platform.settings).setAllowance(limits);
        r.recorder->load();
    }
    PersonalFile file(r.dir.path() + QLatin1Char('/'), *r.clock, *r.platform.dialogs);
    file.setPersonalFileName(QStringLiteral("bench.rvl"));
    const QDate today = r.clock->now().date();
    if (!r.ready ||
        !file.SaveProfileInfo(QStringLiteral("[UserProfile]"), true, StoredDate::dateText(today),
                              StoredDate::dateText(today.addMonths(1)), 1, 31, QString(), QString(), 0, 0)) {
        state.SkipWithError("could not start a personal file");
        return;
    }
    r.recorder->start();
    r.recorder->MainTimer->stop();
    r.recorder->ActiveTimer->stop();
    r.recorder->PollConnections();
    r.recorder->MainTimerTimer();
    for (auto _ : state) {
        r.clock->advance(1);
        r.interfaces->move(r.movingLink, 1460, 52);
        r.recorder->MainTimerTimer();
    }
    if (!r.recorder->tracker().SessionOpen() || r.recorder->tracker().NextFilePointer() != 1)
        state.SkipWithError("the session did not stay open in record 1");
    if (r.recorder->traffic().DialUpBytesReceived() == 0)
        state.SkipWithError("the session's link moved no octets");
    if (allowance && (!r.recorder->allowance().active() || r.recorder->allowance().figures().seconds == 0))
        state.SkipWithError("the allowance did not count the session");
    state.counters["minutes"] = r.recorder->tracker().UsedMinutes();
}

static void BM_CoreTickEverySecond(benchmark::State& state)
{
    coreTickEverySecond(state, false);
}
// The clock stays within one day (it wraps at midnight); a fixed count of ticks, 8 hours from 10:00, keeps a
// fast run from going back in time, which an allowance counts as nothing.
constexpr int ticksWithinTheDay = 30000;
BENCHMARK(BM_CoreTickEverySecond)->Iterations(ticksWithinTheDay);

// Against the one above, measured in the same run: the allowance's share of a tick.
static void BM_CoreTickWithAllowance(benchmark::State& state)
{
    coreTickEverySecond(state, true);
}
BENCHMARK(BM_CoreTickWithAllowance)->Iterations(ticksWithinTheDay);

// Against the first one, measured in the same run: recording a metered link (a tethered phone's usb0, named
// by the dial-up service, with a PPP link beside it) instead of a dial-up one.
static void BM_CoreTickOnAMeteredLink(benchmark::State& state)
{
    coreTickEverySecond(state, false, true);
}
BENCHMARK(BM_CoreTickOnAMeteredLink)->Iterations(ticksWithinTheDay);

// What the allowance adds to every tick on its own, as the core runs it: the clock, the open session's
// length, the running totals, the thresholds and the check of what the windows show. Set against the core's
// tick above, measured in the same run.
static void BM_AllowancePartOfTick(benchmark::State& state)
{
    SteppingClock clock;
    const QDateTime start = clock.now();
    AllowanceSettings settings;
    settings.hours = 744;
    settings.bytes = 100000LL << 30;
    AllowanceMonitor monitor;
    monitor.setSettings(settings, QString());
    monitor.load(QStringLiteral("bench.rvl"), start.date(), start.date().addMonths(1), 1, UsageFigures(), start.date());
    quint32 received = 0;
    quint32 sent = 0;
    int shown = 0;
    for (auto _ : state) {
        clock.advance(1);
        received += 1460;
        sent += 52;
        const QDateTime now = clock.now();
        monitor.tick(now, true, start.secsTo(now), received, sent);
        QList<AllowanceCrossing> crossed;
        benchmark::DoNotOptimize(monitor.checkWarnings(&crossed));
        shown += monitor.takeDisplayChange() ? 1 : 0;
    }
    if (monitor.figures().seconds == 0)
        state.SkipWithError("nothing was counted");
    state.counters["shown"] = shown;
}
BENCHMARK(BM_AllowancePartOfTick)->Iterations(ticksWithinTheDay);
