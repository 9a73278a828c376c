// The chart module's entry point, looked up by name when the module is loaded.
#include "gui/report/DayChartPanel.h"
#include "gui/report/DayChartView.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT DayChartPanel* qovruvela_create_day_chart(QWidget* parent)
{
    return new DayChartView(parent);
}

// The loader calls it through a DayChartFactory: keep the two in step.
static_assert(std::is_same_v<decltype(&qovruvela_create_day_chart), DayChartFactory>);
