// The main window's start-up, menu and timer; the tabs' own work lives with their subsystems.
#include "app/TfrmMain.h"

#include "alert/AlertSound.h"
#include "alert/ui/AlertOptionEvents.h"
#include "alert/ui/AlertTab.h"
#include "alert/ui/HourlyAlert.h"
#include "app/AppInfo.h"
#include "dialup/ui/TDial.h"
#include "platform/Platform.h"
#include "platform/Trace.h"
#include "record/ui/MainTab.h"
#include "report/ui/CalculationTab.h"
#include "report/ui/FeeKeyFilter.h"
#include "report/ui/TMessageOut.h"
#include "shell/SettingNames.h"
#include "shell/StoredSettings.h"
#include "shell/ui/SettingsTab.h"
#include "traffic/ui/TrafficTab.h"
#include "ui/Named.h"
#include "ui/TLabel3D.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int designLeft = 227;
constexpr int designTop = 60;
} // namespace

TfrmMain::TfrmMain(Platform& platform, QString programDir, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_programDir(std::move(programDir)),
      m_personalFile(m_programDir, *platform.clock, *platform.dialogs),
      m_period(m_personalFile, *platform.clock, *platform.dialogs, *this),
      m_prompt(m_personalFile, *platform.dialogs, *platform.settings, SettingNames::settingsKeyPath),
      m_profileSetup(m_personalFile, *platform.dialogs, m_prompt, m_period),
      m_tracker(*platform.clock, m_personalFile, m_period, *this)
{
    setObjectName(QStringLiteral("TfrmMain"));
    // Minimise and the system menu only: the close box does nothing, "Close" in the menu ends the program.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    tabMain = new MainTab(PageControl1);
    tabTrafficMon = new TrafficTab(*platform.interfaces, *platform.clock, PageControl1);
    tabCalculation = new CalculationTab(PageControl1);
    tabSettings = new SettingsTab(PageControl1);
    tabAlert = new AlertTab(PageControl1);
    PageControl1->addTab(tabMain, QStringLiteral("Main"));
    PageControl1->addTab(tabTrafficMon, QStringLiteral("Traffic Monitor"));
    PageControl1->addTab(tabCalculation, QStringLiteral("Calculation"));
    PageControl1->addTab(tabSettings, QStringLiteral("Settings"));
    PageControl1->addTab(tabAlert, QStringLiteral("Alert"));
    setCentralWidget(PageControl1);
    MainTimer = named(new QTimer(this), "MainTimer");
    MainTimer->setInterval(1000);
    m_hourlyAlert = std::make_unique<HourlyAlert>(
        *tabSettings,
        HourlyAlert::ByteTexts{[this] { return m_tracker.view().received; }, [this] { return m_tracker.view().sent; }},
        *platform.sound, *platform.clock,
        AlertSound::soundFolders(m_programDir, QCoreApplication::applicationDirPath()));
    buildMenu();
    connectEvents();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    destroyTray();
}

void TfrmMain::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    mnuMainClose = named(bar->addAction(QStringLiteral("Close")), "mnuMainClose");
    mmDial = named(bar->addAction(QStringLiteral("Dial")), "mmDial");
    mmView = named(bar->addMenu(QStringLiteral("View")), "mmView");
    mmTrafficMonitor = named(mmView->addAction(QStringLiteral("Traffic Monitor")), "mmTrafficMonitor");
    mmTrafficMonitor->setCheckable(true);
    mmHelp = named(bar->addMenu(QStringLiteral("Help")), "mmHelp");
    smHelp = named(mmHelp->addAction(QStringLiteral("Ruvela Help")), "smHelp");
    N1 = named(mmHelp->addSeparator(), "N1");
    mmHomePage = named(mmHelp->addAction(QStringLiteral("Qov's Home Page")), "mmHomePage");
    smAbout = named(mmHelp->addAction(QStringLiteral("About")), "smAbout");
}

void TfrmMain::connectEvents()
{
    connect(MainTimer, &QTimer::timeout, this, &TfrmMain::MainTimerTimer);
    connect(tabMain->btnDisabled, &QToolButton::toggled, this, &TfrmMain::btnDisabledClick);
    connect(tabMain->btnResetData, &QPushButton::clicked, this, &TfrmMain::btnResetDataClick);
    connect(tabMain->btnCreateModify, &QPushButton::clicked, this, &TfrmMain::btnCreateModifyClick);
    connect(tabMain->Button1, &QPushButton::clicked, this, [this] {
        m_tracker.Button1Click();
        renderTracker();
    });
    connect(tabMain->Button2, &QPushButton::clicked, this, [this] { m_tracker.Button2Click(); });
    connect(tabMain->Button3, &QPushButton::clicked, this, [this] {
        if (tabMain->tmAutoPlusTime->isActive())
            tabMain->tmAutoPlusTime->stop();
        else
            tabMain->tmAutoPlusTime->start();
    });
    connect(tabMain->tmAutoPlusTime, &QTimer::timeout, tabMain->Button2, &QPushButton::click);
    const auto write = [this](const QString& name, const QString& value) { writeSetting(name, value); };
    new AlertOptionEvents(*tabSettings, write);
    tabAlert->setSettingWriter(write);
    connect(mnuMainClose, &QAction::triggered, this, &TfrmMain::mnuMainCloseClick);
    connect(mmDial, &QAction::triggered, this, &TfrmMain::mmDialClick);
    // The traffic figures are live behind the hidden page; the View menu shows it.
    connect(mmTrafficMonitor, &QAction::toggled, this, [this](bool shown) {
        PageControl1->setTabVisible(PageControl1->indexOf(tabTrafficMon), shown);
        if (shown)
            PageControl1->setCurrentWidget(tabTrafficMon);
    });
    connect(tabTrafficMon, &TrafficTab::dialUpShown, this, [this](const QString& adapter, const QString& ip) {
        tabMain->edAdapter->setText(adapter);
        tabMain->edIP->setText(ip);
    });
    connect(smHelp, &QAction::triggered, this, &TfrmMain::smHelpClick);
    connect(mmHomePage, &QAction::triggered, this, &TfrmMain::mmHomePageClick);
    connect(smAbout, &QAction::triggered, this, &TfrmMain::smAboutClick);
    connect(tabSettings->chkInTray, &QCheckBox::clicked, this, &TfrmMain::ApplyTrayOption);
    connect(tabSettings->chkRunMe, &QCheckBox::clicked, this, &TfrmMain::ApplyRunAtStartup);
    // The end of the desktop session removes the icon and ends the program.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfrmMain::endProgram);
    connect(tabSettings->btnSavePB_Act, &QPushButton::clicked, this, &TfrmMain::btnSavePB_ActClick);
    connect(tabSettings->btnRefreshPBLst, &QPushButton::clicked, this, &TfrmMain::btnRefreshPBLstClick);
    connect(tabSettings->lstPhoneBook, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_filter.setChecked(tabSettings->lstPhoneBook->row(item), item->checkState() == Qt::Checked);
    });
}

void TfrmMain::FormCreate()
{
    m_settingsKeyPath = SettingNames::settingsKeyPath;
    m_phoneBookKeyPath = m_settingsKeyPath + SettingNames::phoneBooksKey;

    PageControl1->setCurrentWidget(tabMain);
    for (QLabel* label : {tabCalculation->lblUsedTime, tabCalculation->lblReceivedBytes, tabCalculation->lblSentBytes,
                          tabAlert->lblAlertStatus, tabCalculation->lblResultedFee})
        label->clear();
    for (QLineEdit* edit : {tabMain->edAdapter, tabMain->edStartTime, tabMain->edEndTime, tabMain->edElapsed,
                            tabMain->edReceived, tabMain->edSent, tabMain->edIP})
        edit->clear();

    // The traffic monitor runs when the interface table can be read: an empty tab list, then one pass.
    tabTrafficMon->primeTrafficMonitor();

    setWindowIcon(QApplication::windowIcon());
    setWindowTitle(AppInfo::ProgramTitle);
    move(designLeft, designTop);

    tabMain->lblElapsed->setVisible(false);
    tabMain->edElapsed->setVisible(false);
    tabSettings->gbFee->setVisible(false);
    tabSettings->gbRecordEntries->setVisible(false);
    PageControl1->setTabVisible(PageControl1->indexOf(tabTrafficMon), false);
    PageControl1->setTabVisible(PageControl1->indexOf(tabAlert), false);
    tabSettings->chkAfterDisconnection->setVisible(false);

    m_personalFile.setStatusLine([this](const QString& text) { showStatusLine(text); });
    tabCalculation->attach(*m_platform.settings, *m_platform.dialogs, m_settingsKeyPath, m_programDir,
                           [this] { return m_personalFile.PersonalFileName(); });
    FeeKeyFilter::installOn(*m_platform.dialogs, {tabSettings->edBasicFee, tabSettings->edAMinFee});
    LoadSettings();
    m_period.UserProfileInitial();
    if (m_programDir.isEmpty())
        showStatusLine(QStringLiteral("No folder for the personal file can be written."));
    if (const QString problem = m_platform.settings->problem(); !problem.isEmpty())
        showStatusLine(problem);
    renderTracker();
    MainTimer->start();
}

void TfrmMain::LoadSettings()
{
    const StoredSettings s = StoredSettings::LoadSettings(*m_platform.settings, m_settingsKeyPath);
    move(s.mainLeft.value_or(x()), s.mainTop.value_or(y()));
    tabSettings->chkRunMe->setChecked(s.runWhenWinStarts);
    tabSettings->chkAlwaysRecord->setChecked(s.alwaysRecord);
    tabAlert->LoadSettings(s.keepAlertSet, s.alertMin);
    tabSettings->chkSixtyMinsToAlert->setChecked(s.sixtyMinsToAlert);
    tabSettings->chkAutoClose_60MinsForm->setChecked(s.autoClose60MinsForm);
    tabSettings->chkAfterDisconnection->setChecked(s.afterDisconnection);
    if (s.alertPos)
        tabSettings->cbAlertPos->setCurrentIndex(tabSettings->cbAlertPos->findText(*s.alertPos));
    tabSettings->chkAlertNoSound->setChecked(s.alertNoSound);
    if (s.basicFee)
        tabSettings->edBasicFee->setText(*s.basicFee);
    if (s.aMinFee)
        tabSettings->edAMinFee->setText(*s.aMinFee);
    m_personalFile.setPersonalFileName(s.personalAccount);
    tabSettings->chkInTray->setChecked(s.inTray);

    m_trayIconOn = s.startsInTray() && createTray();
    if (m_trayIconOn) {
        Trace::line(QStringLiteral("main-window hidden (tray)"));
    } else {
        showMainWindow();
    }
}

void TfrmMain::showMainWindow()
{
    showNormal();
    setFixedSize(sizeHint());
    raise();
    activateWindow();
    Trace::line(QStringLiteral("main-window shown"));
}

void TfrmMain::setDialer(TDial* dialer)
{
    m_dialer = dialer;
}

void TfrmMain::setPhoneBookEntries(const QStringList& names)
{
    if (names.isEmpty())
        return;
    m_filter.setEntries(names);
    m_filter.PhoneBookEntries_Are_Checked_OrNot(*m_platform.settings, m_phoneBookKeyPath);
    renderPhoneBook();
}

void TfrmMain::renderPhoneBook()
{
    QListWidget* list = tabSettings->lstPhoneBook;
    const QSignalBlocker quiet(list);
    list->clear();
    for (const RecordingFilter::Item& item : m_filter.items()) {
        auto* row = new QListWidgetItem(item.name, list);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TfrmMain::btnSavePB_ActClick()
{
    if (!m_filter.saveChecked(*m_platform.settings, m_phoneBookKeyPath))
        showStatusLine(m_platform.settings->problem());
}

void TfrmMain::btnRefreshPBLstClick()
{
    QStringList names;
    if (!m_platform.dialUp->enumEntries(names)) {
        showStatusLine(QStringLiteral("The phone book cannot be read."));
        return;
    }
    m_filter.refresh(names);
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
    writeSetting(SettingNames::mainTop, QString::number(y()));
    writeSetting(SettingNames::mainLeft, QString::number(x()));
    if (m_trayIconOn) {
        hide();
        return;
    }
    endProgram();
}

void TfrmMain::mmDialClick()
{
    if (m_dialer)
        m_dialer->openDialer();
}

void TfrmMain::writeSetting(const QString& name, const QString& value)
{
    if (!m_platform.settings->WriteIniToReg(m_settingsKeyPath, name, value))
        showStatusLine(m_platform.settings->problem());
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // The title bar's close box and Alt+F4 do nothing; "Close" in the menu ends the program.
    if (!m_closing)
        event->ignore();
}
