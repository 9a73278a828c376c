// Start-up without windows: the lock first, then the core; a signal to end closes the open session.
#include "recorder/HeadlessProgram.h"

#include "alert/AlertSound.h"
#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "platform/Platform.h"
#include "platform/ProgramDir.h"
#include "platform/Trace.h"
#include "platform/linux/QuitSignals.h"
#include "record/PendingJournal.h"
#include "recorder/EventLog.h"
#include "recorder/RecorderEvents.h"
#include "settings/Settings.h"

#include <QCoreApplication>

#include <cstdlib>

namespace HeadlessProgram {

namespace {
/// A start-up measurement's way out: QOVRUVELA_EXIT_AT names the moment ("lock-taken", "first-tick").
void exitIfAsked(const char* moment)
{
    if (qgetenv("QOVRUVELA_EXIT_AT") == moment)
        std::_Exit(0);
}
} // namespace

int run(Platform& platform, EventLog& log)
{
    if (platform.instance->IsAlreadyRunning()) {
        Trace::line(QStringLiteral("refused: already running"));
        log.say(AppInfo::ProgramTitle + QStringLiteral(" is already running."));
        return 1;
    }
    if (const QString problem = platform.instance->problem(); !problem.isEmpty()) {
        Trace::line(QStringLiteral("refused: no lock"));
        log.say(problem + QStringLiteral(" ") + AppInfo::ProgramTitle +
                QStringLiteral(" does not start, so that no two copies record at once."));
        return 1;
    }
    exitIfAsked("lock-taken");

    const ProgramDir::Choice dir = ProgramDir::forThisProcess(Settings::storedPersonalAccount(*platform.settings));
    Recorder recorder(platform, dir.folder,
                      AlertSound::soundFolders(dir.folder, QCoreApplication::applicationDirPath()));
    RecorderEvents events(recorder, *platform.clock, log, platform.notifications.get());
    recorder.setJournalPath(PendingJournal::defaultPath());
    recorder.load();
    recorder.clearConnectionHandle();
    const QuitSignals quitSignals([](int number) {
        Trace::line(QStringLiteral("signal %1: ending").arg(number));
        QCoreApplication::quit();
    });
    log.say(AppInfo::ProgramTitle + QStringLiteral(" records without windows; personal files in ") +
            (dir.folder.isEmpty() ? QStringLiteral("no folder") : dir.folder) + QLatin1Char('.'));
    log.say(dir.problem);
    recorder.start();
    // No window to wait for: the connections are asked for and the first tick runs now, not a second later.
    recorder.PollConnections();
    recorder.MainTimerTimer();
    Trace::line(QStringLiteral("headless first tick"));
    exitIfAsked("first-tick");
    const int code = QCoreApplication::exec();
    recorder.finish();
    events.finished();
    return code;
}

} // namespace HeadlessProgram
