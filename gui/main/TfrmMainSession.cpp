// The main window's side of recording: the Main tab rendered from the tracker's view, Stop, Reset, Create /
// Modify and the status line.
#include "gui/main/TfrmMain.h"

#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/main/TProfile.h"
#include "gui/tray/TForm2.h"
#include "gui/widgets/TLabel3D.h"
#include "platform/Trace.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void TfrmMain::setChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void TfrmMain::renderTracker()
{
    const TrackerView& v = m_recorder.tracker().view();
    if (m_tracedStatus.isNull())
        m_tracedStatus = tabMain->lblOnlineStatus->text(); // the label's caption until the first tick
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
    MainTab* t = tabMain;
    t->lblOnlineStatus->setText(v.onlineStatus);
    setChanged(t->edStartTime, v.startTime);
    setChanged(t->edEndTime, v.endTime);
    setChanged(t->edElapsed, v.elapsed);
    setChanged(t->edReceived, v.received);
    setChanged(t->edSent, v.sent);
    t->imgScale->setVisible(v.scaleVisible);
    t->imgPointer->setVisible(v.scaleVisible);
    t->lblSpendingHour->setVisible(v.scaleVisible);
    t->imgPointer->move(v.pointerLeft, t->imgPointer->y());
    t->lblSpendingHour->setText(v.spendingHour);
    t->lblTest_CurMin->setText(v.testCurMin);
    t->lblTest_FilePointer->setText(v.testFilePointer);
    t->lblTest_UsedTimeNPrevMin->setText(v.testUsedTimeNPrevMin);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_trackerStale)
        renderTracker();
}

void TfrmMain::btnDisabledClick(bool down)
{
    if (m_tray) {
        const QSignalBlocker quiet(m_tray->mnuDisabled);
        m_tray->mnuDisabled->setChecked(down);
    }
    m_recorder.setRecordingStopped(down);
}

void TfrmMain::btnResetDataClick()
{
    tabMain->edAdapter->clear();
    tabMain->edIP->clear();
    m_recorder.resetData();
}

void TfrmMain::btnCreateModifyClick()
{
    TProfile window(m_recorder.profileSetup(), this);
    window.exec();
    renderTracker();
}

void TfrmMain::showStatusLine(const QString& text)
{
    tabMain->lblStatusBar->setText(text);
}
