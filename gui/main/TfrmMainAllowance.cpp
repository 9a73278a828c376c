// The main window's side of the allowance: the Main tab's line and bar, and the tray icon's tooltip.
#include "gui/main/TfrmMain.h"

#include "allowance/AllowanceText.h"
#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/tray/TForm2.h"

#include <QLabel>
#include <QProgressBar>

void TfrmMain::renderAllowance()
{
    const AllowanceStatus status = m_recorder.allowanceStatus();
    const QString forecast = AllowanceText::forecastLines(status).join(QLatin1Char('\n'));
    tabMain->lblAllowance->setText(AllowanceText::mainLine(status));
    tabMain->lblAllowance->setToolTip(forecast);
    tabMain->pbAllowance->setVisible(status.active && status.settings.isSet());
    tabMain->pbAllowance->setValue(std::min(status.sharePercent(), 100));
    tabMain->pbAllowance->setToolTip(forecast);
    if (m_tray)
        m_tray->setHintLines(AllowanceText::tooltipLines(status));
}
