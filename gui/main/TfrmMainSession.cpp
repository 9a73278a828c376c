// The main window's side of recording: the Main tab rendered from the tracker's view, Stop, Reset, Create /
// Modify and the status line.
#include "gui/main/TfrmMain.h"

#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/main/TProfile.h"
#include "gui/tray/TForm2.h"
#include "platform/Platform.h"
#include "platform/Trace.h"

void TfrmMain::renderTracker()
{
    const TrackerView& v = m_recorder.tracker().view();
    if (m_tracedStatus.isNull())
        m_tracedStatus = MainTab::statusCaption;
    const QString& status = MainTab::onlineStatusText(v);
    if (status != m_tracedStatus) {
        m_tracedStatus = status;
        Trace::line(QStringLiteral("main-status") + status);
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

namespace {
// "1:07" or "2:03:07": how long a session has run.
QString durationText(qint64 seconds)
{
    const qint64 s = qMax<qint64>(0, seconds);
    const QLatin1Char zero('0');
    if (s < 3600)
        return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3").arg(s / 3600).arg(s / 60 % 60, 2, 10, zero).arg(s % 60, 2, 10, zero);
}
} // namespace

void TfrmMain::btnResetDataClick()
{
    // Reset drops the time of the session being recorded: the user says so first.
    const SessionTracker& tracker = m_recorder.tracker();
    if (tracker.SessionOpen() && m_recorder.monitor().IsConnected()) {
        const qint64 seconds = tracker.sessionStartTime().secsTo(m_platform.clock->now());
        if (!m_platform.dialogs->confirm(
                QStringLiteral("Start this session afresh? %1 recorded so far will be dropped.")
                    .arg(durationText(seconds))))
            return;
    }
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
