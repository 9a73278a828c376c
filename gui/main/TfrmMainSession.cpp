// The main window's side of recording: the Main tab rendered from the tracker's view, Stop, Reset, Create /
// Modify and the status line.
#include "gui/main/TfrmMain.h"

#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/main/TProfile.h"
#include "gui/tray/TForm2.h"
#include "platform/Trace.h"

void TfrmMain::renderTracker()
{
    const TrackerView& v = m_recorder.tracker().view();
    if (m_tracedStatus.isNull())
        m_tracedStatus = MainTab::statusCaption;
    if (v.onlineStatus != m_tracedStatus) {
        m_tracedStatus = v.onlineStatus;
        Trace::line(QStringLiteral("main-status") + v.onlineStatus);
    }
    // Hidden behind the tray icon, the window's fields wait until it is shown again: setting a line edit's text
    // lays it out even when nobody sees it, a fifth of what a second in the tray costs.
    if (isHidden() && m_recorder.trayShown()) {
        m_trackerStale = true;
        return;
    }
    m_trackerStale = false;
    tabMain->render(v);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_trackerStale)
        renderTracker();
}

void TfrmMain::btnDisabledClick(bool down)
{
    m_recorder.setRecordingStopped(down);
    renderStopped();
}

void TfrmMain::mnuDisabledClick(bool checked)
{
    m_recorder.setRecordingStopped(checked);
    renderStopped();
}

void TfrmMain::renderStopped()
{
    const bool stopped = m_recorder.recordingStopped();
    tabMain->renderStopped(stopped);
    if (m_tray)
        m_tray->renderStopped(stopped);
}

void TfrmMain::btnResetDataClick()
{
    tabMain->renderDialUp(QString(), QString());
    m_recorder.resetData();
}

void TfrmMain::btnCreateModifyClick()
{
    TProfile window(
        m_recorder.profileShown(),
        [this](const QString& startingDay, const QString& endingDay) {
            return m_recorder.confirmProfile(startingDay, endingDay);
        },
        this);
    window.exec();
    renderTracker();
}

void TfrmMain::showStatusLine(const QString& text)
{
    tabMain->renderStatusLine(text);
}
