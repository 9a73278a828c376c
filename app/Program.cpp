// Start-up: the single-copy check comes before any window, tray icon or timer exists; then the recording
// core, the windows that show it, and the core's start.
#include "app/Program.h"

#include "alert/AlertSound.h"
#include "app/FirstPaint.h"
#include "app/ToolkitWarmUp.h"
#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "gui/dialup/TDial.h"
#include "gui/main/TfrmMain.h"
#include "gui/report/CalculationTab.h"
#include "gui/report/TMessageOut.h"
#include "gui/tray/TrayImages.h"
#include "platform/Platform.h"
#include "platform/ProgramDir.h"
#include "platform/Trace.h"
#include "platform/linux/QuitSignals.h"
#include "record/PendingJournal.h"
#include "settings/Settings.h"

#include <QApplication>

#include <csignal>
#include <memory>

namespace Program {

int run(Platform& platform)
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (platform.instance->IsAlreadyRunning()) {
        Trace::line(QStringLiteral("refused: already running"));
        // The running copy's window comes forward behind this notice; a headless copy has none to show.
        if (platform.showRequests)
            Trace::line(platform.showRequests->askToShow() ? QStringLiteral("asked the running copy to show")
                                                           : QStringLiteral("no running window to show"));
        platform.dialogs->beep();
        platform.dialogs->showMessage(Dialogs::Kind::Information,
                                      AppInfo::ProgramTitle + QStringLiteral(" is already running."));
        return 0;
    }
    // Without any lock a second copy could record into the same file unseen: better none.
    if (const QString problem = platform.instance->problem(); !problem.isEmpty()) {
        Trace::line(QStringLiteral("refused: no lock"));
        platform.dialogs->beep();
        platform.dialogs->showMessage(Dialogs::Kind::Error,
                                      problem + QStringLiteral(" ") + AppInfo::ProgramTitle +
                                          QStringLiteral(" does not start, so that no two copies record at once."));
        return 1;
    }

    const ProgramDir::Choice dir = ProgramDir::forThisProcess(Settings::storedPersonalAccount(*platform.settings));
    // The one settings object: the recorder's, and the windows' for their own places and folders.
    Settings settings(*platform.settings);
    Recorder recorder(platform, settings, dir.folder,
                      AlertSound::soundFolders(dir.folder, QCoreApplication::applicationDirPath()));
    // A test's way of killing the program at one step of a roll-over, as a power cut would.
    if (const QString killAt = qEnvironmentVariable("QOVRUVELA_KILL_AT"); !killAt.isEmpty()) {
        recorder.setRollOverStepHook([killAt](const QString& step) {
            if (step != killAt)
                return;
            Trace::line(QStringLiteral("killed at ") + step);
            std::raise(SIGKILL);
        });
    }
    recorder.setJournalPath(PendingJournal::defaultPath());
    recorder.load();
    ToolkitWarmUp::wait();
    TfrmMain frmMain(platform, recorder, settings);
    // The program's icon at five sizes is drawn once the main window is on screen; every window takes it
    // then. Started in the tray, the icon is wanted at once.
    const auto setIcon = [] { QApplication::setWindowIcon(TrayImages::appIconSet()); };
    if (frmMain.isVisible())
        FirstPaint::after(frmMain, setIcon);
    else
        setIcon();
    // Watching for the first paint last puts its end ahead of the icon: a start-up measurement ends when the
    // window is painted, not after the work that waits for that.
    FirstPaint::exitAfterIfAsked(frmMain);
    if (platform.showRequests)
        platform.showRequests->listen([&frmMain] { frmMain.showForAnotherStart(); });
    // The dialer and the session list are made when first asked for: most runs never open them, and the
    // main window comes up sooner without them. Neither changes what is recorded; the monitor starts
    // without a connection handle, as it always has.
    recorder.clearConnectionHandle();
    std::unique_ptr<TDial> dial;
    frmMain.setDialer([&]() -> TDial* {
        if (!dial)
            dial = std::make_unique<TDial>(*platform.dialUp, *platform.dialogs, recorder);
        return dial.get();
    });
    std::unique_ptr<TMessageOut> msgOut;
    frmMain.setMessageOut([&]() -> TMessageOut* {
        if (!msgOut)
            msgOut = std::make_unique<TMessageOut>(settings);
        return msgOut.get();
    });
    // A signal to end is a normal end, as "Close" in the menu is: the open session is closed below.
    const QuitSignals quitSignals([&frmMain](int number) {
        Trace::line(QStringLiteral("signal %1: ending").arg(number));
        frmMain.endProgram();
    });
    recorder.start();
    for (const QString& problem : {dir.problem, recorder.settings().problem()}) {
        if (problem.isEmpty())
            continue;
        platform.dialogs->beep();
        platform.dialogs->notify(Dialogs::Kind::Warning, problem);
    }
    const int code = QApplication::exec();
    // Every way of ending comes here ("Close", the tray's "Remove", the desktop session's end, a signal):
    // the open session gets its end time before the windows go.
    recorder.finish();
    return code;
}

} // namespace Program
