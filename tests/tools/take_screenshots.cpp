// Takes the pictures of the main window, the dialer and the About window shown in the README, with a
// simulated connection and a personal file in a temporary folder. Run it under a real X server (Xvfb).
#include "app/TfrmMain.h"
#include "core/Recorder.h"
#include "dialup/ui/TDial.h"
#include "platform/sim/RecordingSound.h"
#include "record/PeriodRules.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "shell/SettingNames.h"
#include "shell/ui/TrayImages.h"
#include "tests/support/TestPlatform.h"
#include "ui/TAboutBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace {
void settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

bool save(QWidget& window, const QString& path)
{
    settle();
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(TrayImages::appIcon(size)));
    QApplication::setWindowIcon(icon);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    TestPlatform tp;
    tp.clock->set(QDateTime(QDate(2026, 12, 7), QTime(20, 14, 50)));
    tp.dialUp->system().entries = {QStringLiteral("Home ISP"), QStringLiteral("Work")};
    tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount,
                                        QStringLiteral("jane.rvl"));
    PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
    file.setPersonalFileName(QStringLiteral("jane.rvl"));
    const QDate today = tp.clock->now().date();
    file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                         PeriodRules::nextPeriodDate(today, 1), 1, 31, QString(), QString(), 0, 0);

    Recorder recorder(tp.platform, tp.programDir(), QStringList());
    recorder.load();
    TfrmMain main(tp.platform, recorder);
    TDial dial(*tp.platform.dialUp, *tp.platform.dialogs, recorder);
    main.setDialer(&dial);
    recorder.start();
    recorder.MainTimer->stop();
    recorder.ActiveTimer->stop();

    tp.dialUp->system().connections = {{7, QStringLiteral("Home ISP"), RasState::Connected, 0}};
    recorder.PollConnections();
    for (int second = 0; second < 23 * 60 + 7; ++second) {
        recorder.MainTimerTimer();
        tp.clock->advance(1);
    }
    bool ok = save(main, out + QStringLiteral("/main-window.png"));

    tp.dialUp->system().connections.clear();
    recorder.PollConnections();
    dial.openDialer();
    dial.txtUserName->setText(QStringLiteral("jane"));
    dial.txtPassword->setText(QStringLiteral("secret"));
    ok = save(dial, out + QStringLiteral("/dialer.png")) && ok;
    dial.hide();

    TAboutBox about(*tp.platform.shell, *tp.platform.dialogs, AboutTexts(), TAboutBox::logoFilePath());
    about.show();
    ok = save(about, out + QStringLiteral("/about.png")) && ok;
    return ok ? 0 : 1;
}
