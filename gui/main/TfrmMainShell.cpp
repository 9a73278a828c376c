// The main window's side of the tray, the start-at-log-in option and the session's end.
#include "gui/main/TfrmMain.h"

#include "core/Recorder.h"
#include "gui/dialup/TDial.h"
#include "gui/main/DataFiles.h"
#include "gui/main/MainTab.h"
#include "gui/settings/SettingsTab.h"
#include "gui/settings/StartupGroup.h"
#include "gui/tray/TForm2.h"
#include "gui/tray/TrayImages.h"
#include "gui/widgets/AboutTexts.h"
#include "gui/widgets/TAboutBox.h"
#include "platform/Platform.h"
#include "platform/Trace.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

bool TfrmMain::createTray(bool sayWhy)
{
    if (m_tray)
        return true;
    auto* tray = new TForm2(*m_platform.tray, this);
    if (!tray->created()) {
        delete tray;
        if (sayWhy && !m_noTrayReported) {
            m_noTrayReported = true;
            m_platform.dialogs->beep();
            m_platform.dialogs->showMessage(Dialogs::Kind::Warning, noTrayText);
        }
        return false;
    }
    m_tray = tray;
    renderAllowance();
    connect(tray, &TForm2::aboutClicked, smAbout, &QAction::trigger);
    connect(tray, &TForm2::helpClicked, smHelp, &QAction::trigger);
    connect(tray, &TForm2::dialUpClicked, this, &TfrmMain::mmDialClick);
    connect(tray, &TForm2::openClicked, this, &TfrmMain::showMainWindow);
    connect(tray, &TForm2::disabledClicked, this, &TfrmMain::mnuDisabledClick);
    connect(tray, &TForm2::removeClicked, this, &TfrmMain::endProgram);
    connect(tray, &TForm2::disconnectClicked, this, &TfrmMain::DisconnectMenuClick);
    tray->renderStopped(m_recorder.recordingStopped());
    Trace::line(QStringLiteral("tray-icon shown"));
    return true;
}

void TfrmMain::TrayWaitTimerTimer()
{
    if (!m_trayWait.waiting()) {
        TrayWaitTimer->stop();
        return;
    }
    const bool shown = m_platform.tray->available() && createTray(false);
    switch (m_trayWait.check(shown)) {
    case TrayWait::Step::Arrived:
        TrayWaitTimer->stop();
        m_recorder.setTrayShown(true);
        showTrayState();
        Trace::line(QStringLiteral("notification area arrived"));
        hide();
        Trace::line(QStringLiteral("main-window hidden (tray)"));
        break;
    case TrayWait::Step::GaveUp:
        TrayWaitTimer->stop();
        Trace::line(QStringLiteral("no notification area came"));
        showMainWindow();
        m_recorder.showStatusLine(noTrayText);
        break;
    case TrayWait::Step::Waiting:
    case TrayWait::Step::Idle:
        break;
    }
}

void TfrmMain::showTrayState()
{
    changeTrayIcon(m_recorder.recordingStopped() ? 1 : TrayImages::offline);
    if (m_recorder.monitor().IsConnected()) {
        addDisconnectItem(m_recorder.monitor().Get_CurEntryName());
        changeTrayIcon(m_recorder.tracker().minutesImage());
    }
}

void TfrmMain::destroyTray()
{
    if (!m_tray)
        return;
    m_tray->RemoveSysTrayIcon();
    delete m_tray;
    m_tray = nullptr;
    Trace::line(QStringLiteral("tray-icon removed"));
}

void TfrmMain::changeTrayIcon(int imageIndex)
{
    if (m_tray)
        m_tray->ChangeSysTrayIcon(imageIndex);
}

void TfrmMain::addDisconnectItem(const QString& entryName)
{
    if (m_tray)
        m_tray->Create_Dynamical_DisconnectMenu(QStringLiteral("Disconnect ") + entryName);
}

void TfrmMain::removeDisconnectItem()
{
    if (m_tray)
        m_tray->Free_Dynamical_DisconnectMenu();
}

void TfrmMain::DisconnectMenuClick()
{
    m_recorder.hangUpConnection();
    removeDisconnectItem();
}

void TfrmMain::ApplyTrayOption(bool on)
{
    m_recorder.setTrayMode(on);
    if (!m_tray && on) {
        if (createTray(true)) {
            m_recorder.setTrayShown(true);
            showTrayState();
        }
    } else if (m_tray && !on) {
        destroyTray();
        showMainWindow();
    }
    m_recorder.setTrayShown(m_tray != nullptr);
}

void TfrmMain::ApplyRunAtStartup(bool on)
{
    tabSettings->startup().renderStartAtLogin(m_recorder.setStartAtLogin(on));
}

void TfrmMain::smHelpClick()
{
    const QString path = DataFiles::find(m_recorder.programDir(), helpFileName);
    if (!QFileInfo(path).isFile()) {
        m_platform.dialogs->beep();
        m_platform.dialogs->showMessage(Dialogs::Kind::Information,
                                        QStringLiteral("The help file %1 is missing.").arg(helpFileName));
        return;
    }
    // The answer may come after the window is gone; the dialogs live as long as the program.
    Dialogs* dialogs = m_platform.dialogs.get();
    m_platform.shell->open(QStringLiteral("open"), path, [dialogs](int result) {
        if (result != Shell::NoAssociation)
            return;
        dialogs->beep();
        dialogs->showMessage(Dialogs::Kind::Error, QStringLiteral("No program is associated with the help file."));
    });
}

void TfrmMain::mmHomePageClick()
{
    const QString address = AboutTexts().homePage;
    if (address.isEmpty()) {
        m_platform.dialogs->beep();
        m_platform.dialogs->showMessage(Dialogs::Kind::Information, QStringLiteral("No home page is known."));
        return;
    }
    Dialogs* dialogs = m_platform.dialogs.get();
    m_platform.shell->open(QStringLiteral("open"), address, [dialogs](int result) {
        if (result != Shell::NoAssociation)
            return;
        dialogs->beep();
        dialogs->showMessage(Dialogs::Kind::Error, QStringLiteral("The web browser could not be started."));
    });
}

void TfrmMain::smAboutClick()
{
    AboutTexts texts;
    texts.dialUpSystems = m_platform.dialUp->systemsInUse();
    TAboutBox::showAbout(*m_platform.shell, *m_platform.dialogs, texts);
}
