// The main window's side of the allowance: the Main tab's line and bar, and the tray icon's tooltip.
#include "gui/main/TfrmMain.h"

#include "allowance/AllowanceText.h"
#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/tray/TForm2.h"

#include <algorithm>

void TfrmMain::renderAllowance()
{
    const AllowanceStatus status = m_recorder.allowanceStatus();
    const QString forecast = AllowanceText::forecastLines(status).join(QLatin1Char('\n'));
    tabMain->renderAllowance(AllowanceText::mainLine(status), forecast, status.active && status.settings.isSet(),
                             std::min(status.sharePercent(), 100));
    if (m_tray)
        m_tray->setHintLines(AllowanceText::tooltipLines(status));
}
