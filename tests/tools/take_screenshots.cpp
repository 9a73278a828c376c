// Takes the pictures of the main window, the dialer and the About window shown in the README, with a
// simulated connection and a personal file in a temporary folder. Run it under a real X server (Xvfb) with a
// window manager: each picture is the window with its frame, as the screen shows it.
//   take_screenshots DIR           the three pictures
//   take_screenshots DIR large     the main window alone, as main-window-large-font.png (run it with larger
//                                  fonts, QT_FONT_DPI=144)
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
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {
void settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

// Lets the window manager frame the window and the window paint itself.
void settleShown(QWidget& window)
{
    for (int i = 0; i < 40; ++i) {
        settle();
        if (window.frameGeometry() != window.geometry())
            break;
        QThread::msleep(25);
    }
    for (int i = 0; i < 10; ++i) {
        settle();
        QThread::msleep(20);
    }
}

bool save(QWidget& window, const QString& path)
{
    settleShown(window);
    const QRect frame = window.frameGeometry();
    const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const bool ok = shot.save(path);
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
    if (argc > 2 && qstrcmp(argv[2], "large") == 0)
        return save(main, out + QStringLiteral("/main-window-large-font.png")) ? 0 : 1;
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
