// The main window's start-up state, its menu and close behaviour, and the dialer window's monitor wired to it.
#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "gui/alert/AlertTab.h"
#include "gui/dialup/TDial.h"
#include "gui/main/MainTab.h"
#include "gui/main/TfrmMain.h"
#include "gui/report/CalculationTab.h"
#include "gui/report/TMessageOut.h"
#include "gui/settings/SettingsTab.h"
#include "gui/traffic/TrafficTab.h"
#include "gui/widgets/TLabel3D.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/linux/LockFileInstance.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/sim/RecordingShell.h"
#include "platform/sim/RecordingSound.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "platform/sim/SimulatedDialUp.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestClock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");
const QString work = QStringLiteral("Work");

class MainWindowTest : public ::testing::Test
{
protected:
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("config/QovRuvela.conf")); }

    // A value in the settings file before the program starts.
    void preset(const QString& keyPath, const QString& name, const QString& value)
    {
        IniSettingsStore store(settingsFile());
        ASSERT_TRUE(store.WriteIniToReg(keyPath, name, value));
    }
    void preset(const QString& name, const QString& value) { preset(SettingNames::settingsKeyPath, name, value); }

    // A personal file of March 2024 with its header alone, in the program's folder.
    void writePersonalFile(const QString& name)
    {
        TestClock clock;
        ScriptedDialogs dialogs;
        PersonalFile file(m_dir.path() + QLatin1Char('/'), clock, dialogs);
        file.setPersonalFileName(name);
        ASSERT_TRUE(file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, QStringLiteral("2024/03/01"),
                                         QStringLiteral("2024/04/01"), 1, 31, QString(), QString(), 0, 0));
    }

    QString stored(const QString& name) const
    {
        return IniSettingsStore(settingsFile()).ReadIniFromReg(SettingNames::settingsKeyPath, name);
    }

    void start(bool withDialer = false)
    {
        m_dial.reset();
        m_window.reset();
        m_recorder.reset();
        auto clock = std::make_unique<TestClock>();
        auto dialogs = std::make_unique<ScriptedDialogs>();
        auto dialUp = std::make_unique<InMemoryDialUp>();
        m_dialogs = dialogs.get();
        m_dialUp = dialUp.get();
        m_dialUp->system().entries = {home, work};
        m_platform.clock = std::move(clock);
        m_platform.dialogs = std::move(dialogs);
        m_platform.settings = std::make_unique<IniSettingsStore>(settingsFile());
        m_platform.instance = std::make_unique<LockFileInstance>(QStringList{m_dir.filePath(QStringLiteral("run"))});
        m_platform.dialUp = std::move(dialUp);
        m_platform.startup = std::make_unique<XdgAutostart>(m_dir.filePath(QStringLiteral("autostart")));
        m_platform.tray = std::make_unique<RecordingTrayIcon>();
        m_platform.sound = std::make_unique<RecordingSound>();
        m_platform.shell = std::make_unique<RecordingShell>();
        m_platform.interfaces = std::make_unique<SimulatedInterfaceTable>();
        create(withDialer);
    }

    // The dialer as the program's start creates it, after the main window and before the core starts.
    void startWithDialer() { start(true); }

    void create(bool withDialer)
    {
        m_settings = std::make_unique<Settings>(*m_platform.settings);
        m_recorder =
            std::make_unique<Recorder>(m_platform, *m_settings, m_dir.path() + QLatin1Char('/'), QStringList());
        m_recorder->load();
        m_window = std::make_unique<TfrmMain>(m_platform, *m_recorder, *m_settings);
        if (withDialer) {
            m_dial = std::make_unique<TDial>(*m_platform.dialUp, *m_platform.dialogs, *m_recorder);
            m_window->setDialer(m_dial.get());
        }
        m_recorder->start();
    }

    void connectionIs(const QString& entry, quint32 state = RasState::Connected, quint32 error = 0)
    {
        m_dialUp->system().connections = {{SimulationFile::handleOf(entry), entry, state, error}};
    }
    void noConnection() { m_dialUp->system().connections.clear(); }

    QTemporaryDir m_dir;
    Platform m_platform;
    ScriptedDialogs* m_dialogs = nullptr;
    InMemoryDialUp* m_dialUp = nullptr;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<TDial> m_dial;
};

TEST_F(MainWindowTest, StartsWithItsCaptionTabsAndTimer)
{
    start();
    TfrmMain& w = *m_window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Qov Ruvela v2.2.1"));
    EXPECT_EQ(w.windowTitle(), AppInfo::ProgramTitle);

    QTabWidget* tabs = child<QTabWidget>(w, "PageControl1");
    ASSERT_EQ(tabs->count(), 5);
    const QStringList captions = {QStringLiteral("Main"), QStringLiteral("Traffic Monitor"),
                                  QStringLiteral("Calculation"), QStringLiteral("Settings"), QStringLiteral("Alert")};
    const QList<bool> visible = {true, false, true, true, false};
    for (int i = 0; i < tabs->count(); ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->isTabVisible(i), visible[i]) << qPrintable(captions[i]);
    }
    EXPECT_EQ(tabs->currentWidget(), child<MainTab>(w, "tabMain"));
    // Ctrl+Tab goes round the shown pages only.
    for (int i = 0; i < 2 * tabs->count(); ++i) {
        QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_TRUE(tabs->isTabVisible(tabs->currentIndex())) << qPrintable(tabs->tabText(tabs->currentIndex()));
    }
    tabs->setCurrentWidget(child<MainTab>(w, "tabMain"));

    ASSERT_NE(m_recorder->MainTimer, nullptr);
    EXPECT_TRUE(m_recorder->MainTimer->isActive());
    EXPECT_EQ(m_recorder->MainTimer->interval(), 1000);
    EXPECT_EQ(m_recorder->settings().keyPath(), QStringLiteral("Ruvela"));
    EXPECT_EQ(m_recorder->settings().phoneBookKeyPath(), QStringLiteral("Ruvela\\PhoneBooks"));
    EXPECT_TRUE(m_recorder->programDir().endsWith(QLatin1Char('/')));
}

TEST_F(MainWindowTest, MenuHasItsItemsInOrder)
{
    start();
    TfrmMain& w = *m_window;
    EXPECT_EQ(child<QAction>(w, "mnuMainClose")->text(), QStringLiteral("&Close"));
    EXPECT_EQ(child<QAction>(w, "mmDial")->text(), QStringLiteral("&Dial"));
    EXPECT_EQ(child<QMenu>(w, "mmHelp")->title(), QStringLiteral("&Help"));

    const QList<QAction*> bar = w.menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0], child<QAction>(w, "mnuMainClose"));
    EXPECT_EQ(bar[1], child<QAction>(w, "mmDial"));
    EXPECT_EQ(bar[2], child<QMenu>(w, "mmView")->menuAction());
    EXPECT_EQ(bar[3], child<QMenu>(w, "mmHelp")->menuAction());

    // The hidden traffic page is live behind the View menu.
    const int traffic = child<QTabWidget>(w, "PageControl1")->indexOf(child<TrafficTab>(w, "tabTrafficMon"));
    EXPECT_FALSE(child<QTabWidget>(w, "PageControl1")->isTabVisible(traffic));
    child<QAction>(w, "mmTrafficMonitor")->trigger();
    EXPECT_TRUE(child<QTabWidget>(w, "PageControl1")->isTabVisible(traffic));
    EXPECT_TRUE(m_recorder->TrafficTimer->isActive()); // the shown tab moves outside sessions too
    child<QAction>(w, "mmTrafficMonitor")->trigger();
    EXPECT_FALSE(child<QTabWidget>(w, "PageControl1")->isTabVisible(traffic));
    EXPECT_FALSE(m_recorder->TrafficTimer->isActive());

    const QList<QAction*> help = child<QMenu>(w, "mmHelp")->actions();
    ASSERT_EQ(help.size(), 4);
    EXPECT_EQ(help[0], child<QAction>(w, "smHelp"));
    EXPECT_EQ(help[0]->text(), QStringLiteral("Ruvela Help"));
    EXPECT_TRUE(help[1]->isSeparator());
    EXPECT_EQ(help[1], child<QAction>(w, "N1"));
    EXPECT_EQ(help[2], child<QAction>(w, "mmHomePage"));
    EXPECT_EQ(help[2]->text(), QStringLiteral("Qov's Home Page"));
    EXPECT_EQ(help[3], child<QAction>(w, "smAbout"));
    EXPECT_EQ(help[3]->text(), QStringLiteral("About"));
}

TEST_F(MainWindowTest, MainTabControlsHaveTheirCaptions)
{
    start();
    const MainTab& tab = *child<MainTab>(*m_window, "tabMain");
    EXPECT_EQ(child<QPushButton>(tab, "btnCreateModify")->text(), QStringLiteral("Create / Modify"));
    EXPECT_EQ(child<QToolButton>(tab, "btnDisabled")->text(), QStringLiteral("Sto&p"));
    EXPECT_EQ(child<QToolButton>(tab, "btnDisabled")->toolTip(), QStringLiteral("Disabled record"));
    EXPECT_TRUE(child<QToolButton>(tab, "btnDisabled")->isCheckable());
    EXPECT_FALSE(child<QToolButton>(tab, "btnDisabled")->isChecked());
    EXPECT_EQ(child<QPushButton>(tab, "btnResetData")->text(), QStringLiteral("&Reset"));
    EXPECT_EQ(child<QLabel>(tab, "lblOnlineStatus")->text(), QStringLiteral("Status :"));
    EXPECT_TRUE(child<QLabel>(tab, "lblOnlineStatus")->font().bold());
    EXPECT_EQ(child<QGroupBox>(tab, "gbStatus")->title(), QStringLiteral(" Current Status "));
    EXPECT_EQ(child<QGroupBox>(tab, "gbOther")->title(), QStringLiteral(" Other "));
    EXPECT_EQ(child<QLabel>(tab, "lblAdapter")->text(), QStringLiteral("Adapter"));
    EXPECT_EQ(child<QLabel>(tab, "lblStartTime")->text(), QStringLiteral("Start"));
    EXPECT_EQ(child<QLabel>(tab, "lblEndTime")->text(), QStringLiteral("End"));
    EXPECT_EQ(child<QLabel>(tab, "lbl_IPis")->text(), QStringLiteral("IP Address"));
    EXPECT_EQ(child<QLabel>(tab, "lblReceived")->text(), QStringLiteral("Downloaded"));
    EXPECT_EQ(child<QLabel>(tab, "lblSent")->text(), QStringLiteral("Uploaded"));
    EXPECT_EQ(child<QLabel>(tab, "lblSpendingHour")->toolTip(), QStringLiteral("hour(s)"));
    EXPECT_EQ(child<TLabel3D>(tab, "lblStatusBar")->toolTip(), QStringLiteral("Extra Message"));

    // Found by the names the rest of the program knows them by.
    EXPECT_EQ(m_window->findChild<QToolButton*>(QStringLiteral("btnDisabled")), child<QToolButton>(tab, "btnDisabled"));
    EXPECT_EQ(m_window->findChild<QLineEdit*>(QStringLiteral("edAdapter")), child<QLineEdit>(tab, "edAdapter"));
}

TEST_F(MainWindowTest, HiddenControlsAndReadOnlyFields)
{
    start();
    const MainTab& tab = *child<MainTab>(*m_window, "tabMain");
    const QList<QWidget*> hidden = {child<QLabel>(tab, "lblElapsed"),
                                    child<QLineEdit>(tab, "edElapsed"),
                                    child<QGroupBox>(*m_window, "gbFee"),
                                    child<QGroupBox>(*m_window, "gbRecordEntries"),
                                    child<QCheckBox>(*m_window, "chkAfterDisconnection"),
                                    child<QPushButton>(tab, "Button1"),
                                    child<QPushButton>(tab, "Button2"),
                                    child<QPushButton>(tab, "Button3"),
                                    child<QLabel>(tab, "imgScale"),
                                    child<QLabel>(tab, "imgPointer"),
                                    child<QLabel>(tab, "lblSpendingHour")};
    for (QWidget* w : hidden)
        EXPECT_TRUE(w->isHidden()) << qPrintable(w->objectName());
    for (QWidget* w : {static_cast<QWidget*>(child<QGroupBox>(tab, "gbStatus")),
                       static_cast<QWidget*>(child<QGroupBox>(tab, "gbOther")),
                       static_cast<QWidget*>(child<QLineEdit>(tab, "edAdapter")),
                       static_cast<QWidget*>(child<TLabel3D>(tab, "lblStatusBar"))})
        EXPECT_TRUE(w->isVisible()) << qPrintable(w->objectName());

    for (QLineEdit* field :
         {child<QLineEdit>(tab, "edAdapter"), child<QLineEdit>(tab, "edStartTime"), child<QLineEdit>(tab, "edEndTime"),
          child<QLineEdit>(tab, "edElapsed"), child<QLineEdit>(tab, "edIP"), child<QLineEdit>(tab, "edReceived"),
          child<QLineEdit>(tab, "edSent")}) {
        EXPECT_TRUE(field->isReadOnly()) << qPrintable(field->objectName());
        EXPECT_EQ(field->focusPolicy(), Qt::NoFocus) << qPrintable(field->objectName());
        EXPECT_TRUE(field->text().isEmpty()) << qPrintable(field->objectName());
    }
    EXPECT_TRUE(child<QLabel>(*m_window, "lblUsedTime")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(*m_window, "lblAlertStatus")->text().isEmpty());
}

TEST_F(MainWindowTest, CleanSettingsShowTheWindowWhereItWasDesigned)
{
    start();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_recorder->trayShown());
    EXPECT_TRUE(child<QCheckBox>(*m_window, "chkAlwaysRecord")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*m_window, "chkInTray")->isChecked());
    EXPECT_TRUE(child<TLabel3D>(*m_window, "lblStatusBar")->text().isEmpty());
}

TEST_F(MainWindowTest, StoredSettingsAreApplied)
{
    preset(SettingNames::mainTop, QStringLiteral("140"));
    preset(SettingNames::mainLeft, QStringLiteral("210"));
    preset(SettingNames::alwaysRecord, QStringLiteral("0"));
    preset(SettingNames::sixtyMinsToAlert, QStringLiteral("1"));
    start();
    EXPECT_EQ(m_window->pos(), QPoint(210, 140));
    EXPECT_FALSE(child<QCheckBox>(*m_window, "chkAlwaysRecord")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*m_window, "chkSixtyMinsToAlert")->isChecked());
}

TEST_F(MainWindowTest, AlertOptionsTheUserChangesAreStoredAndShownAtTheNextStart)
{
    start();
    child<QCheckBox>(*m_window, "chkAlertNoSound")->click();
    auto* corner = child<QComboBox>(*m_window, "cbAlertPos");
    corner->setCurrentIndex(0);
    emit corner->activated(0);
    EXPECT_EQ(stored(SettingNames::alertNoSound), QStringLiteral("1"));
    EXPECT_EQ(stored(SettingNames::alertPos), QStringLiteral("Upper Left"));

    start();
    EXPECT_TRUE(child<QCheckBox>(*m_window, "chkAlertNoSound")->isChecked());
    EXPECT_EQ(child<QComboBox>(*m_window, "cbAlertPos")->currentText(), QStringLiteral("Upper Left"));
}

// The offscreen screen is 800 × 800: a place stored on a larger screen shows the window whole on this one.
TEST_F(MainWindowTest, APlaceStoredOffTheScreenShowsTheWindowWhole)
{
    preset(SettingNames::mainTop, QStringLiteral("-500"));
    preset(SettingNames::mainLeft, QStringLiteral("1900"));
    start();
    const QRect screen = m_window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(m_window->frameGeometry()))
        << m_window->frameGeometry().x() << "," << m_window->frameGeometry().y();
    EXPECT_EQ(m_window->frameGeometry().top(), screen.top());
    EXPECT_EQ(m_window->size(), m_window->sizeHint());
}

// "Show icon in tray" starts in the tray; the start-at-log-in option does so only for the entry's own start.
TEST_F(MainWindowTest, EitherTrayBoxKeepsTheWindowHidden)
{
    preset(SettingNames::inTray, QStringLiteral("1"));
    start();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_recorder->trayShown());
    EXPECT_TRUE(m_recorder->MainTimer->isActive());
    m_window.reset();

    preset(SettingNames::inTray, QStringLiteral("0"));
    preset(SettingNames::runWhenWinStarts, QStringLiteral("1"));
    start();
    EXPECT_TRUE(m_window->isVisible()) << "a start by the user";
    EXPECT_FALSE(m_recorder->trayShown());
    m_window.reset();
    m_recorder.reset();
    static_cast<XdgAutostart&>(*m_platform.startup).setStartedAtLogin(true);
    create(false);
    EXPECT_FALSE(m_window->isVisible()) << "the start at log-in";
    EXPECT_TRUE(m_recorder->trayShown());
}

// Hidden behind the tray icon the window is not kept up to date every second; shown, it has the session's
// figures of that moment.
TEST_F(MainWindowTest, AWindowHiddenInTheTrayShowsTheSessionAsItIsWhenOpened)
{
    preset(SettingNames::inTray, QStringLiteral("1"));
    preset(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
    writePersonalFile(QStringLiteral("jane.rvl"));
    start();
    ASSERT_FALSE(m_window->isVisible());
    connectionIs(home);
    m_recorder->PollConnections();
    for (int second = 0; second < 3; ++second)
        m_recorder->MainTimerTimer();
    const TrackerView& view = m_recorder->tracker().view();
    ASSERT_FALSE(view.startTime.isEmpty());

    m_window->show();
    EXPECT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Online.."));
    EXPECT_EQ(child<QLineEdit>(*m_window, "edStartTime")->text(), view.startTime);
    EXPECT_EQ(child<QLineEdit>(*m_window, "edReceived")->text(), view.received);

    m_recorder->MainTimerTimer();
    EXPECT_EQ(child<QLineEdit>(*m_window, "edElapsed")->text(), m_recorder->tracker().view().elapsed);
}

// Reset drops the time of the session being recorded: the user is asked first, and No keeps it.
TEST_F(MainWindowTest, ResetAsksBeforeDroppingTheSessionsTime)
{
    preset(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
    writePersonalFile(QStringLiteral("jane.rvl"));
    start();
    auto* reset = child<QPushButton>(*m_window, "btnResetData");
    reset->click();
    EXPECT_TRUE(m_dialogs->questions.isEmpty()) << "nothing recorded, nothing to ask";

    connectionIs(home);
    m_recorder->PollConnections();
    m_recorder->MainTimerTimer();
    const QDateTime began = m_recorder->tracker().sessionStartTime();
    auto& clock = static_cast<TestClock&>(*m_platform.clock);
    clock.advance(67);
    // The question is modal; the tick runs on under it, as under the toolkit's box.
    m_dialogs->whileOpen = [this] { m_recorder->MainTimerTimer(); };
    reset->click();
    ASSERT_EQ(m_dialogs->questions.size(), 1);
    EXPECT_EQ(m_dialogs->questions[0],
              QStringLiteral("Start this session afresh? 1:07 recorded so far will be dropped."));
    EXPECT_EQ(m_recorder->tracker().sessionStartTime(), began);

    m_dialogs->confirmAnswers = {true};
    reset->click();
    EXPECT_EQ(m_recorder->tracker().sessionStartTime(), clock.now());
}

TEST_F(MainWindowTest, TheAdapterAndAddressKeepTheUsersSelectionWhileRecording)
{
    // The fields are filled every second; one whose text stays the same keeps what the user selected to copy.
    preset(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
    writePersonalFile(QStringLiteral("jane.rvl"));
    start();
    auto& table = static_cast<SimulatedInterfaceTable&>(*m_platform.interfaces);
    table.addInterface(3, QStringLiteral("ppp0 - PPP link")).up = true;
    table.addresses.push_back({3, ipv4Address(10, 64, 0, 7)});
    connectionIs(home);
    m_recorder->PollConnections();
    for (int second = 0; second < 3; ++second)
        m_recorder->MainTimerTimer();
    QLineEdit* adapter = child<QLineEdit>(*m_window, "edAdapter");
    QLineEdit* address = child<QLineEdit>(*m_window, "edIP");
    ASSERT_FALSE(adapter->text().isEmpty());
    ASSERT_FALSE(address->text().isEmpty());
    adapter->selectAll();
    address->setSelection(1, 4);
    for (int second = 0; second < 3; ++second)
        m_recorder->MainTimerTimer();
    EXPECT_EQ(adapter->selectedText(), adapter->text());
    EXPECT_EQ(address->selectionStart(), 1);
    EXPECT_EQ(address->selectionLength(), 4);
}

TEST_F(MainWindowTest, UnreadableSettingsAreShownOnTheStatusLine)
{
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    start();
    EXPECT_FALSE(child<TLabel3D>(*m_window, "lblStatusBar")->text().isEmpty());
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainWindowTest, APersonalFileIsLoadedAndListedAtStart)
{
    preset(SettingNames::personalAccount, QStringLiteral("jane.rvl"));
    writePersonalFile(QStringLiteral("jane.rvl"));
    start();
    EXPECT_TRUE(m_recorder->period().PersonalFileActive());
    EXPECT_EQ(m_recorder->tracker().NextFilePointer(), 1);
    auto* files = child<QListWidget>(child<CalculationTab>(*m_window, "tabCalculation"), "ListBox1");
    ASSERT_GE(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("jane.rvl"));
}

TEST_F(MainWindowTest, HelpAndHomePageSaySoWhenTheDesktopHasNoProgramForThem)
{
    QFile help(m_dir.filePath(TfrmMain::helpFileName));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<html></html>");
    help.close();
    start();
    auto* shell = static_cast<RecordingShell*>(m_platform.shell.get());
    shell->answerLater = true;
    child<QAction>(*m_window, "smHelp")->trigger();
    child<QAction>(*m_window, "mmHomePage")->trigger();
    ASSERT_EQ(shell->calls.size(), 2);
    EXPECT_EQ(shell->calls[0].target, help.fileName());
    shell->answer(); // programs took both
    EXPECT_TRUE(m_dialogs->messages.isEmpty());

    // The desktop's answer comes a moment later, and only then is there something to say.
    shell->result = Shell::NoAssociation;
    child<QAction>(*m_window, "smHelp")->trigger();
    child<QAction>(*m_window, "mmHomePage")->trigger();
    EXPECT_TRUE(m_dialogs->messages.isEmpty());
    shell->answer();
    ASSERT_EQ(m_dialogs->messages.size(), 2);
    EXPECT_EQ(m_dialogs->messages[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(m_dialogs->messages[0].text, QStringLiteral("No program is associated with the help file."));
    EXPECT_EQ(m_dialogs->messages[1].text, QStringLiteral("The web browser could not be started."));
    EXPECT_EQ(m_dialogs->beeps, 2);
}

TEST_F(MainWindowTest, CloseBoxDoesNothing)
{
    start();
    ASSERT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainWindowTest, CloseInTrayModeHidesTheWindowAndKeepsItsPosition)
{
    preset(SettingNames::inTray, QStringLiteral("1"));
    preset(SettingNames::mainTop, QStringLiteral("90"));
    preset(SettingNames::mainLeft, QStringLiteral("250"));
    start();
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    m_window->show(); // as the tray's "Restore" does
    m_window->move(333, 77);
    child<QAction>(*m_window, "mnuMainClose")->trigger();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(stored(SettingNames::mainTop), QStringLiteral("77"));
    EXPECT_EQ(stored(SettingNames::mainLeft), QStringLiteral("333"));
    EXPECT_TRUE(m_recorder->MainTimer->isActive());
    EXPECT_EQ(quitting.count(), 0);
}

TEST_F(MainWindowTest, DialerFollowsTheConnection)
{
    startWithDialer();
    EXPECT_EQ(m_dial->entryNames(), QStringList({home, work}));
    EXPECT_TRUE(m_recorder->ActiveTimer->isActive());

    m_recorder->PollConnections();
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("Not connected"));
    EXPECT_TRUE(child<QPushButton>(*m_dial, "btnDialEntry")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dial, "btnHangup")->isEnabled());

    connectionIs(home);
    m_recorder->PollConnections();
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("Connected"));
    EXPECT_FALSE(child<QPushButton>(*m_dial, "btnDialEntry")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*m_dial, "btnHangup")->isEnabled());
    EXPECT_TRUE(m_recorder->monitor().IsConnected());

    m_recorder->MainTimerTimer();
    EXPECT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Online"));

    noConnection();
    m_recorder->PollConnections();
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("Not connected"));
    EXPECT_TRUE(child<QPushButton>(*m_dial, "btnDialEntry")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*m_dial, "btnHangup")->isEnabled());
    m_recorder->MainTimerTimer();
    EXPECT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Offline"));
}

// The program makes the dialer when "Dial" first asks for it, in the middle of a session: it shows the
// connection as it is, and making it leaves the monitor's hold on the connection alone.
TEST_F(MainWindowTest, DialerMadeOnFirstDialShowsTheSessionUnderWay)
{
    start();
    int made = 0;
    m_window->setDialer([&]() -> TDial* {
        if (!m_dial) {
            ++made;
            m_dial = std::make_unique<TDial>(*m_platform.dialUp, *m_platform.dialogs, *m_recorder);
        }
        return m_dial.get();
    });
    connectionIs(home);
    m_recorder->PollConnections();
    const auto handle = m_recorder->monitor().handle();
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(made, 0);

    child<QAction>(*m_window, "mmDial")->trigger();
    ASSERT_EQ(made, 1);
    EXPECT_TRUE(m_dial->isVisible());
    EXPECT_EQ(m_dial->entryNames(), QStringList({home, work}));
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("Connected"));
    EXPECT_TRUE(child<QPushButton>(*m_dial, "btnHangup")->isEnabled());
    EXPECT_EQ(m_recorder->monitor().handle(), handle);
    EXPECT_TRUE(m_recorder->monitor().IsConnected());

    child<QAction>(*m_window, "mmDial")->trigger();
    EXPECT_EQ(made, 1);
}

TEST_F(MainWindowTest, ConnectedConnectionHidesTheShowingDialer)
{
    startWithDialer();
    EXPECT_FALSE(m_dial->isVisible());
    child<QAction>(*m_window, "mmDial")->trigger();
    ASSERT_TRUE(m_dial->isVisible());
    connectionIs(work, RasState::Authenticate);
    m_recorder->PollConnections();
    EXPECT_TRUE(m_dial->isVisible());
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("Authenticating"));

    connectionIs(work);
    m_recorder->PollConnections();
    EXPECT_FALSE(m_dial->isVisible());
    EXPECT_TRUE(m_window->isVisible());
    m_recorder->MainTimerTimer();
    EXPECT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Online"));
}

TEST_F(MainWindowTest, ConnectionErrorIsHungUpThroughTheDialer)
{
    startWithDialer();
    connectionIs(home, RasState::ConnectDevice, RasError::NoAnswer);
    m_recorder->PollConnections();
    EXPECT_EQ(child<QLabel>(*m_dial, "lblStatus")->text(), QStringLiteral("There was no answer."));
    EXPECT_EQ(m_dialUp->hangUps, QList<DialUpService::Handle>{SimulationFile::handleOf(home)});
    EXPECT_TRUE(m_dialUp->system().connections.isEmpty());
}

TEST_F(MainWindowTest, StoppedRecordingStillSeesTheEndOfTheConnection)
{
    startWithDialer();
    connectionIs(home);
    m_recorder->PollConnections();
    m_recorder->MainTimerTimer();
    ASSERT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Online"));

    child<QToolButton>(*m_window, "btnDisabled")->setChecked(true);
    noConnection();
    // The monitor runs the main tick itself, so the window learns of the end without its own timer.
    m_recorder->PollConnections();
    EXPECT_EQ(child<QLabel>(*m_window, "lblOnlineStatus")->text(), QStringLiteral(" Offline"));
}

TEST_F(MainWindowTest, RecordingFilterListShowsTheStoredSelection)
{
    preset(QStringLiteral("Ruvela\\PhoneBooks"), QStringLiteral("0"), work);
    startWithDialer();
    QListWidget* list = child<QListWidget>(*m_window, "lstPhoneBook");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), home);
    EXPECT_EQ(list->item(1)->text(), work);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_TRUE(list->item(i)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(m_recorder->filter().isChecked(work));
    EXPECT_FALSE(m_recorder->filter().isChecked(home));
}

TEST_F(MainWindowTest, CheckingAnEntryInTheListRecordsItsNextConnection)
{
    startWithDialer();
    QListWidget* list = child<QListWidget>(*m_window, "lstPhoneBook");
    ASSERT_EQ(list->count(), 2);
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(m_recorder->filter().isChecked(home));

    connectionIs(home);
    m_recorder->PollConnections();
    EXPECT_TRUE(m_recorder->monitor().Checked_PhoneBook_IsOn());
}

// Runs an event loop until the program asks to end; the guard only fires when it never does.
int runUntilQuit(const std::function<void()>& action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    return QApplication::exec();
}

TEST_F(MainWindowTest, CloseWritesThePositionAndEndsTheProgram)
{
    start();
    m_window->move(260, 95);
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    EXPECT_EQ(runUntilQuit([this] { child<QAction>(*m_window, "mnuMainClose")->trigger(); }), 0);
    EXPECT_EQ(quitting.count(), 1);
    EXPECT_EQ(stored(SettingNames::mainTop), QStringLiteral("95"));
    EXPECT_EQ(stored(SettingNames::mainLeft), QStringLiteral("260"));
}

TEST_F(MainWindowTest, CloseEndsTheProgramWhileTheDialerIsOpen)
{
    startWithDialer();
    m_dial->openDialer();
    EXPECT_EQ(runUntilQuit([this] { child<QAction>(*m_window, "mnuMainClose")->trigger(); }), 0);
}

} // namespace
