// The main window's side of recording: the tick, Stop and Reset, and what the tracker and the period read
// and show through the window.
#include "app/TfrmMain.h"

#include "alert/ui/HourlyAlert.h"
#include "dialup/ui/TDial.h"
#include "platform/Trace.h"
#include "record/ui/MainTab.h"
#include "record/ui/TProfile.h"
#include "report/ui/CalculationTab.h"
#include "shell/ui/SettingsTab.h"
#include "shell/ui/TForm2.h"
#include "traffic/ui/TrafficTab.h"
#include "ui/TLabel3D.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

void TfrmMain::MainTimerTimer()
{
    m_tracker.MainTimerTimer();
    renderTracker();
}

void TfrmMain::renderTracker()
{
    const TrackerView& v = m_tracker.view();
    MainTab* t = tabMain;
    if (t->lblOnlineStatus->text() != v.onlineStatus)
        Trace::line(QStringLiteral("main-status") + v.onlineStatus);
    t->lblOnlineStatus->setText(v.onlineStatus);
    t->edStartTime->setText(v.startTime);
    t->edEndTime->setText(v.endTime);
    t->edElapsed->setText(v.elapsed);
    t->edReceived->setText(v.received);
    t->edSent->setText(v.sent);
    t->imgScale->setVisible(v.scaleVisible);
    t->imgPointer->setVisible(v.scaleVisible);
    t->lblSpendingHour->setVisible(v.scaleVisible);
    t->imgPointer->move(v.pointerLeft, t->imgPointer->y());
    t->lblSpendingHour->setText(v.spendingHour);
    t->lblTest_CurMin->setText(v.testCurMin);
    t->lblTest_FilePointer->setText(v.testFilePointer);
    t->lblTest_UsedTimeNPrevMin->setText(v.testUsedTimeNPrevMin);
}

void TfrmMain::btnDisabledClick(bool down)
{
    if (m_tray) {
        const QSignalBlocker quiet(m_tray->mnuDisabled);
        m_tray->mnuDisabled->setChecked(down);
    }
    if (down) {
        if (m_trayIconOn)
            changeTrayIcon(13);
        MainTimer->stop();
        Trace::line(QStringLiteral("recording stopped"));
        return;
    }
    if (m_trayIconOn)
        changeTrayIcon(IsConnected() && m_period.PersonalFileActive() ? m_tracker.minutesImage() : 0);
    MainTimer->start();
    Trace::line(QStringLiteral("recording resumed"));
}

void TfrmMain::btnResetDataClick()
{
    tabMain->edAdapter->clear();
    tabMain->edIP->clear();
    m_tracker.btnResetDataClick();
    renderTracker();
}

void TfrmMain::btnCreateModifyClick()
{
    TProfile window(m_profileSetup, this);
    window.exec();
    renderTracker();
}

void TfrmMain::showStatusLine(const QString& text)
{
    if (tabMain->lblStatusBar->text() == text)
        return;
    tabMain->lblStatusBar->setText(text);
    Trace::line(QStringLiteral("status-line ") + text);
}

void TfrmMain::listBackupFiles(const QString& folder)
{
    tabCalculation->ReadFilesToList(folder);
}

void TfrmMain::showDayPeriod(const QString& text)
{
    tabMain->lblDayPeriod->setText(text);
}

bool TfrmMain::recordingStopped() const
{
    return tabMain->btnDisabled->isChecked();
}

bool TfrmMain::IsConnected() const
{
    return m_dialer && m_dialer->monitor().IsConnected();
}

bool TfrmMain::Checked_PhoneBook_IsOn() const
{
    return m_dialer && m_dialer->monitor().Checked_PhoneBook_IsOn();
}

bool TfrmMain::alwaysRecord() const
{
    return tabSettings->chkAlwaysRecord->isChecked();
}

void TfrmMain::UpdateTrafficMonitor()
{
    tabTrafficMon->UpdateTrafficMonitor();
}

void TfrmMain::ClearTrafficMonitor()
{
    tabTrafficMon->ClearTrafficMonitor();
}

void TfrmMain::zeroByteCounters()
{
    tabTrafficMon->zeroByteCounters();
}

quint32 TfrmMain::DialUpBytesReceived() const
{
    return tabTrafficMon->DialUpBytesReceived();
}

quint32 TfrmMain::DialUpBytesSent() const
{
    return tabTrafficMon->DialUpBytesSent();
}

void TfrmMain::CheckHourlyAlert(qint32 usedMinutes)
{
    m_hourlyAlert->CheckHourlyAlert(usedMinutes);
}

void TfrmMain::resetHourlyAlert()
{
    m_hourlyAlert->resetHourlyAlert();
}
