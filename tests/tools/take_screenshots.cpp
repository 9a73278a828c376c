// Takes the pictures of the main window, the dialer, the About window and the history window shown in the
// README, with a simulated connection and personal files in a temporary folder. Run it under a real X server (Xvfb)
// with a window manager: each picture is the window with its frame, as the screen shows it.
//   take_screenshots DIR           the pictures: main window, paused, Traffic Monitor, Settings, dialer,
//                                  About and history
//   take_screenshots DIR large     the main window alone, as main-window-large-font.png (run it with larger
//                                  fonts, QT_FONT_DPI=144)
#include "core/Recorder.h"
#include "gui/dialup/TDial.h"
#include "gui/main/TfrmMain.h"
#include "gui/report/CalculationTab.h"
#include "gui/report/HistoryWindow.h"
#include "gui/tray/TrayImages.h"
#include "gui/widgets/TAboutBox.h"
#include "platform/sim/RecordingSound.h"
#include "record/PeriodRules.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "settings/AllowanceSettings.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
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

// A month's file around `today` with an evening session on most days, some long, some crossing midnight.
QString writeMonthFile(const QString& path, const QDate& today)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const QDate created = today.addDays(-17);
    ProfileRecord header;
    header.Tag = ProfileRecord::UserProfileTag;
    header.CreatedDate = StoredDate::dateText(created);
    header.NextPeriodDate = StoredDate::dateText(created.addMonths(1));
    header.StartingDay = created.day();
    header.EndingDay = created.addMonths(1).addDays(-1).day();
    file.write(header.toBytes());
    for (int day = 0; day <= 17; ++day) {
        if (day % 6 == 4)
            continue; // a day offline
        const int minutes = 20 + (day * 37) % 110;
        const QDateTime start(created.addDays(day), QTime(20 + day % 4, (day * 13) % 60, (day * 7) % 60));
        const QDateTime end = start.addSecs(minutes * 60 + 25);
        ProfileRecord r;
        r.Tag = ProfileRecord::UserProfileTag;
        r.StartText = StoredDate::dateTimeText(start);
        r.EndText = StoredDate::dateTimeText(end);
        r.UsedMinutes = minutes;
        r.StartingDay = minutes * (40000 + (day * 7919) % 30000); // bytes downloaded
        r.EndingDay = minutes * (3000 + (day * 131) % 4000);      // bytes uploaded
        file.write(r.toBytes());
    }
    return path;
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

    Settings settings(*tp.platform.settings);
    // An allowance, so the Main tab's line has its share and the Settings tab's group its figures.
    AllowanceSettings allowance;
    allowance.hours = 30;
    allowance.bytes = 2 * AllowanceSettings::bytesPerGB;
    settings.setAllowance(allowance);
    Recorder recorder(tp.platform, settings, tp.programDir(), QStringList());
    recorder.load();
    TfrmMain main(tp.platform, recorder, settings);
    TDial dial(*tp.platform.dialUp, *tp.platform.dialogs, recorder);
    main.setDialer(&dial);
    recorder.start();
    recorder.MainTimer->stop();
    recorder.ActiveTimer->stop();

    tp.interfaces->addInterface(1, QStringLiteral("lo - Loopback"));
    tp.interfaces->addInterface(7, QStringLiteral("ppp0 - PPP link"), 0, 0).speed = 115200;
    tp.interfaces->addresses = {{1, ipv4Address(127, 0, 0, 1)}, {7, ipv4Address(10, 64, 0, 7)}};
    tp.dialUp->system().connections = {{7, QStringLiteral("Home ISP"), RasState::Connected, 0}};
    recorder.PollConnections();
    for (int second = 0; second < 23 * 60 + 7; ++second) {
        tp.interfaces->move(7, quint32(3000 + (second * 7919) % 6000), quint32(200 + (second * 131) % 400));
        tp.interfaces->move(1, 120, 120);
        recorder.MainTimerTimer();
        tp.clock->advance(1);
    }
    if (argc > 2 && qstrcmp(argv[2], "large") == 0)
        return save(main, out + QStringLiteral("/main-window-large-font.png")) ? 0 : 1;
    bool ok = save(main, out + QStringLiteral("/main-window.png"));

    auto* stop = child<QToolButton>(main, "btnDisabled");
    stop->click();
    ok = save(main, out + QStringLiteral("/main-window-paused.png")) && ok;
    stop->click();
    recorder.MainTimerTimer();

    auto* pages = child<QTabWidget>(main, "PageControl1");
    child<QAction>(main, "mmTrafficMonitor")->setChecked(true);
    ok = save(main, out + QStringLiteral("/traffic-monitor.png")) && ok;
    child<QAction>(main, "mmTrafficMonitor")->setChecked(false);
    pages->setCurrentWidget(child<QWidget>(main, "tabSettings"));
    ok = save(main, out + QStringLiteral("/settings.png")) && ok;
    pages->setCurrentWidget(child<QWidget>(main, "tabMain"));

    tp.dialUp->system().connections.clear();
    recorder.PollConnections();
    dial.openDialer();
    child<QLineEdit>(dial, "txtUserName")->setText(QStringLiteral("jane"));
    child<QLineEdit>(dial, "txtPassword")->setText(QStringLiteral("secret"));
    ok = save(dial, out + QStringLiteral("/dialer.png")) && ok;
    dial.hide();

    TAboutBox about(*tp.platform.shell, *tp.platform.dialogs, AboutTexts(), TAboutBox::logoFilePath());
    about.show();
    ok = save(about, out + QStringLiteral("/about.png")) && ok;
    about.hide();

    auto* calculation = child<CalculationTab>(main, "tabCalculation");
    pages->setCurrentWidget(calculation);
    calculation->CalculateRecordFile(writeMonthFile(tp.programDir() + QStringLiteral("november.rvl"), today));
    child<QPushButton>(calculation, "btnHistory")->click();
    ok = save(*calculation->history(), out + QStringLiteral("/history.png")) && ok;
    return ok ? 0 : 1;
}
