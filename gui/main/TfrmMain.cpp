// The main window's start-up, menu and the wiring of its tabs to the recording core.
#include "gui/main/TfrmMain.h"

#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "gui/alert/AlertOptionsGroup.h"
#include "gui/alert/AlertTab.h"
#include "gui/alert/HourlyAlert.h"
#include "gui/allowance/AllowanceGroup.h"
#include "gui/dialup/TDial.h"
#include "gui/main/MainTab.h"
#include "gui/report/CalculationTab.h"
#include "gui/report/FeeKeyFilter.h"
#include "gui/settings/MeteredLinksGroup.h"
#include "gui/settings/SettingsTab.h"
#include "gui/settings/StartupGroup.h"
#include "gui/traffic/TrafficTab.h"
#include "gui/widgets/MenuBarKeys.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/WindowGeometry.h"
#include "platform/Platform.h"
#include "platform/Trace.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

namespace {
constexpr int designLeft = 227;
constexpr int designTop = 60;
} // namespace

TfrmMain::TfrmMain(Platform& platform, Recorder& recorder, Settings& settings, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_recorder(recorder), m_settings(settings),
      m_trayWait(*platform.clock),
      m_hourlyAlert(std::make_unique<HourlyAlert>([this] { m_recorder.playAlertSound(); }, *platform.clock))
{
    setObjectName(QStringLiteral("TfrmMain"));
    TrayWaitTimer = new QTimer(this);
    TrayWaitTimer->setObjectName(QStringLiteral("TrayWaitTimer"));
    TrayWaitTimer->setInterval(1000);
    connect(TrayWaitTimer, &QTimer::timeout, this, &TfrmMain::TrayWaitTimerTimer);
    // Minimise and the system menu only: the close box does nothing, "Close" in the menu ends the program.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    tabMain = new MainTab(PageControl1);
    tabTrafficMon = new TrafficTab(recorder.traffic(), PageControl1);
    tabCalculation = new CalculationTab(PageControl1);
    tabSettings = new SettingsTab(PageControl1);
    tabAlert = new AlertTab(PageControl1);
    PageControl1->addTab(tabMain, QStringLiteral("Main"));
    PageControl1->addTab(tabTrafficMon, QStringLiteral("Traffic Monitor"));
    PageControl1->addTab(tabCalculation, QStringLiteral("Calculation"));
    PageControl1->addTab(tabSettings, QStringLiteral("Settings"));
    PageControl1->addTab(tabAlert, QStringLiteral("Alert"));
    setCentralWidget(PageControl1);
    buildMenu();
    connectEvents();
    connectRecorder();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    destroyTray();
}

void TfrmMain::setMessageOut(std::function<TMessageOut*()> makeMessageOut)
{
    tabCalculation->setMessageOut(std::move(makeMessageOut));
}

void TfrmMain::showPage(QWidget* page, bool shown)
{
    // Ctrl+Tab passes over disabled tabs but not over hidden ones.
    const int index = PageControl1->indexOf(page);
    PageControl1->setTabVisible(index, shown);
    PageControl1->setTabEnabled(index, shown);
}

void TfrmMain::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // Alt and a letter open each item; Alt alone or F10 puts the keyboard on the bar (MenuBarKeys).
    mnuMainClose = named(bar->addAction(QStringLiteral("&Close")), "mnuMainClose");
    mmDial = named(bar->addAction(QStringLiteral("&Dial")), "mmDial");
    mmView = named(bar->addMenu(QStringLiteral("&View")), "mmView");
    mmTrafficMonitor = named(mmView->addAction(QStringLiteral("Traffic Monitor")), "mmTrafficMonitor");
    mmTrafficMonitor->setCheckable(true);
    mmHelp = named(bar->addMenu(QStringLiteral("&Help")), "mmHelp");
    smHelp = named(mmHelp->addAction(QStringLiteral("Ruvela Help")), "smHelp");
    N1 = named(mmHelp->addSeparator(), "N1");
    mmHomePage = named(mmHelp->addAction(QStringLiteral("Qov's Home Page")), "mmHomePage");
    smAbout = named(mmHelp->addAction(QStringLiteral("About")), "smAbout");
    MenuBarKeys::enable(*this);
}

void TfrmMain::connectEvents()
{
    connect(tabMain, &MainTab::stopToggled, this, &TfrmMain::btnDisabledClick);
    connect(tabMain, &MainTab::resetClicked, this, &TfrmMain::btnResetDataClick);
    connect(tabMain, &MainTab::createModifyClicked, this, &TfrmMain::btnCreateModifyClick);
    connect(tabMain, &MainTab::setOnlineClicked, this, [this] {
        m_recorder.clearUsedTimeTestLabel();
        renderTracker();
    });
    connect(tabMain, &MainTab::plusMinuteClicked, this, [this] { m_recorder.advancePreviousMinute(); });
    connectSettingsTab();
    tabAlert->setSettings(&m_settings);
    connect(mnuMainClose, &QAction::triggered, this, &TfrmMain::mnuMainCloseClick);
    connect(mmDial, &QAction::triggered, this, &TfrmMain::mmDialClick);
    // The traffic figures are live behind the hidden page; the View menu shows it, and while it shows, the
    // core samples every second even when no session is recorded.
    connect(mmTrafficMonitor, &QAction::toggled, this, [this](bool shown) {
        if (shown)
            tabTrafficMon->render();
        showPage(tabTrafficMon, shown);
        m_recorder.setTrafficShown(shown);
        if (shown)
            PageControl1->setCurrentWidget(tabTrafficMon);
    });
    connect(smHelp, &QAction::triggered, this, &TfrmMain::smHelpClick);
    connect(mmHomePage, &QAction::triggered, this, &TfrmMain::mmHomePageClick);
    connect(smAbout, &QAction::triggered, this, &TfrmMain::smAboutClick);
    // The end of the desktop session removes the icon and ends the program.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfrmMain::endProgram);
}

void TfrmMain::connectSettingsTab()
{
    SettingsTab* t = tabSettings;
    connect(&t->startup(), &StartupGroup::trayModeToggled, this, &TfrmMain::ApplyTrayOption);
    connect(&t->startup(), &StartupGroup::startAtLoginToggled, this, &TfrmMain::ApplyRunAtStartup);
    Settings* settings = &m_settings;
    const AlertOptionsGroup* alert = &t->alertOptions();
    connect(alert, &AlertOptionsGroup::sixtyMinsToAlertClicked, this,
            [settings](bool on) { settings->setSixtyMinsToAlert(on); });
    connect(alert, &AlertOptionsGroup::autoCloseClicked, this,
            [settings](bool on) { settings->setAutoClose60MinsForm(on); });
    connect(alert, &AlertOptionsGroup::noSoundClicked, this, [settings](bool on) { settings->setAlertNoSound(on); });
    connect(alert, &AlertOptionsGroup::afterDisconnectionClicked, this,
            [settings](bool on) { settings->setAfterDisconnection(on); });
    connect(alert, &AlertOptionsGroup::positionChosen, this,
            [settings](const QString& corner) { settings->setAlertPos(corner); });
    connect(&t->allowance(), &AllowanceGroup::applied, this,
            [this](const AllowanceSettings& typed) { m_recorder.setAllowance(typed); });
    connect(&t->allowance(), &AllowanceGroup::refused, this, [this](const QString& problem) {
        m_platform.dialogs->beep();
        m_platform.dialogs->showMessage(Dialogs::Kind::Error, problem);
    });
    connect(t, &SettingsTab::savePhoneBookClicked, this, &TfrmMain::btnSavePB_ActClick);
    connect(t, &SettingsTab::refreshPhoneBookClicked, this, &TfrmMain::btnRefreshPBLstClick);
    connect(t, &SettingsTab::phoneBookMarkToggled, this,
            [this](int row, bool checked) { m_recorder.setEntryRecorded(row, checked); });
    // The recording filter offers the metered links' profiles while they are recorded.
    connect(&t->meteredLinks(), &MeteredLinksGroup::recordMeteredToggled, this, [this](bool on) {
        m_recorder.setRecordMetered(on);
        tabSettings->meteredLinks().render(m_settings.recordMetered());
        renderPhoneBook();
    });
}

void TfrmMain::connectRecorder()
{
    Recorder* r = &m_recorder;
    connect(r, &Recorder::viewChanged, this, &TfrmMain::renderTracker);
    connect(r, &Recorder::statusLineChanged, this, &TfrmMain::showStatusLine);
    connect(r, &Recorder::dayPeriodChanged, tabMain, &MainTab::renderDayPeriod);
    connect(r, &Recorder::backupFolderChanged, tabCalculation, &CalculationTab::ReadFilesToList);
    connect(r, &Recorder::trayImageChanged, this, &TfrmMain::changeTrayIcon);
    connect(r, &Recorder::connectionSeen, this, &TfrmMain::addDisconnectItem);
    connect(r, &Recorder::connectionGone, this, &TfrmMain::removeDisconnectItem);
    connect(tabTrafficMon, &TrafficTab::tabChosen, this, [this](int index) { m_recorder.selectTrafficTab(index); });
    // A hidden Traffic Monitor is not filled every second; it fills itself when it is shown.
    connect(r, &Recorder::trafficChanged, tabTrafficMon, [this] {
        if (tabTrafficMon->isVisible())
            tabTrafficMon->render();
    });
    connect(r, &Recorder::dialUpShown, this,
            [this](const QString& adapter, const QString& ip) { tabMain->renderDialUp(adapter, ip); });
    connect(r, &Recorder::hourlyAlert, this, [this](const QString& message, bool autoClose, AlertCorner corner) {
        m_hourlyAlert->showAlert(message, autoClose, corner);
    });
    connect(r, &Recorder::soundWarning, this, &HourlyAlert::showSoundWarning);
    connect(r, &Recorder::allowanceChanged, this, &TfrmMain::renderAllowance);
    // Queued: the window slides in after the tick that found the threshold has done its work.
    connect(
        r, &Recorder::allowanceAlert, this,
        [this](const QString& message, bool autoClose, AlertCorner corner) {
            m_hourlyAlert->showAlert(message, autoClose, corner);
        },
        Qt::QueuedConnection);
}

void TfrmMain::FormCreate()
{
    PageControl1->setCurrentWidget(tabMain);
    tabCalculation->clearTotals();
    tabAlert->clearStatus();
    tabMain->startEmpty();
    tabMain->setClock([this] { return m_platform.clock->now(); });

    // No copy of the application's icon, which the program sets only after the first paint: a window without
    // an icon of its own shows the application's, and follows it when it is set.
    setWindowTitle(AppInfo::ProgramTitle);
    move(designLeft, designTop);

    tabSettings->hideUnused();
    showPage(tabTrafficMon, false);
    showPage(tabAlert, false);

    tabCalculation->attach(m_settings, *m_platform.dialogs, m_recorder.programDir(),
                           [this] { return m_recorder.file().PersonalFileName(); });
    tabCalculation->setToday([this] { return m_platform.clock->now().date(); });
    tabSettings->filterFeeKeys(new FeeKeyFilter(*m_platform.dialogs, tabSettings));
    renderPhoneBook();
    LoadSettings();
    showStatusLine(m_recorder.statusLine());
    renderTracker();
}

void TfrmMain::LoadSettings()
{
    const StoredSettings& s = m_settings.values();
    tabSettings->startup().renderStartAtLogin(s.runWhenWinStarts);
    tabSettings->renderAlwaysRecord(s.alwaysRecord);
    tabAlert->LoadSettings(s.keepAlertSet, s.alertMin);
    tabSettings->alertOptions().render(s);
    tabSettings->renderFees(s.basicFee, s.aMinFee);
    tabSettings->startup().renderTrayMode(s.inTray);
    tabSettings->meteredLinks().render(s.recordMetered);
    tabSettings->meteredLinks().renderUnavailable(m_recorder.meteredUnavailableReason());
    tabSettings->allowance().render(s.allowance);
    renderAllowance();
    // The size first, with every control filled in: the position is the frame's, and a change of size
    // before the window shows would make it the content's.
    WindowGeometry::fixSizeWithinScreen(*this);
    WindowGeometry::restoreFramePosition(*this, QPoint(s.mainLeft.value_or(x()), s.mainTop.value_or(y())));

    // The start-at-log-in entry starts the program in the tray; a start by the user shows the window unless
    // "Show icon in tray" asks for the tray.
    if (!s.inTray && !(s.runWhenWinStarts && m_platform.startup->startedAtLogin())) {
        showMainWindow();
        return;
    }
    if (m_platform.tray->available() && createTray(false)) {
        m_recorder.setTrayShown(true);
        Trace::line(QStringLiteral("main-window hidden (tray)"));
        return;
    }
    // Started at log-in the program is often up before the panel: the window shows while it waits, and
    // goes into the tray when the notification area comes.
    m_trayWait.start();
    m_platform.tray->watchAvailability([this] { TrayWaitTimerTimer(); });
    TrayWaitTimer->start();
    Trace::line(QStringLiteral("waiting for a notification area"));
    showMainWindow();
}

void TfrmMain::showMainWindow()
{
    // Its size was fixed at start (LoadSettings): a change now would move it by its title bar's height.
    showNormal();
    raise();
    activateWindow();
    Trace::line(QStringLiteral("main-window shown"));
}

void TfrmMain::renderPhoneBook()
{
    QList<std::pair<QString, bool>> entries;
    for (const RecordingFilter::Item& item : m_recorder.filter().items())
        entries.append({item.name, item.checked});
    tabSettings->renderPhoneBook(entries);
}

void TfrmMain::btnSavePB_ActClick()
{
    m_recorder.savePhoneBookMarks();
}

void TfrmMain::btnRefreshPBLstClick()
{
    if (m_recorder.refreshPhoneBook())
        renderPhoneBook();
}

void TfrmMain::endProgram()
{
    m_closing = true;
    Trace::line(QStringLiteral("main-window closed"));
    destroyTray();
    // Not quit(): that asks every open window to close first, and the dialer refuses, so the program
    // would go on running whenever the dialer is showing.
    QCoreApplication::exit(0);
}

void TfrmMain::mnuMainCloseClick()
{
    const QPoint corner = WindowGeometry::framePosition(*this);
    m_recorder.setMainPosition(corner.x(), corner.y());
    if (m_recorder.trayShown()) {
        hide();
        return;
    }
    endProgram();
}

void TfrmMain::mmDialClick()
{
    if (TDial* dialer = m_dialer ? m_dialer() : nullptr)
        dialer->openDialer();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // The title bar's close box and Alt+F4 do nothing; "Close" in the menu ends the program.
    if (!m_closing)
        event->ignore();
}
