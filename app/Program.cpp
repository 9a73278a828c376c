// Start-up: the single-copy check comes before any window, tray icon or timer exists.
#include "app/Program.h"

#include "app/AppInfo.h"
#include "platform/ProgramDir.h"
#include "app/TfrmMain.h"
#include "dialup/ui/TDial.h"
#include "platform/Platform.h"
#include "platform/Trace.h"
#include "report/ui/CalculationTab.h"
#include "report/ui/TMessageOut.h"

#include <QApplication>

namespace Program {

int run(Platform& platform)
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (platform.instance->IsAlreadyRunning()) {
        Trace::line(QStringLiteral("refused: already running"));
        platform.dialogs->beep();
        platform.dialogs->showMessage(Dialogs::Kind::Information,
                                      AppInfo::ProgramTitle + QStringLiteral(" is already running."));
        return 0;
    }

    const ProgramDir::Choice dir = ProgramDir::forThisProcess();
    TfrmMain frmMain(platform, dir.folder);
    TDial dial(*platform.dialUp, *platform.dialogs, frmMain.recordingFilter(), frmMain);
    frmMain.setDialer(&dial);
    TMessageOut msgOut(*platform.settings, frmMain.settingsKeyPath());
    frmMain.tabCalculation->setMessageOut(&msgOut);
    frmMain.setPhoneBookEntries(dial.entryNames());
    for (const QString& problem : {dir.problem, platform.settings->problem()}) {
        if (problem.isEmpty())
            continue;
        platform.dialogs->beep();
        platform.dialogs->showMessage(Dialogs::Kind::Warning, problem);
    }
    return QApplication::exec();
}

} // namespace Program
