// What the history window asks of its per-day bar chart. The chart lives in a module of its own, loaded the
// first time a history window opens, so that the program starts without the charting library; the window
// knows it only through this class.
#pragma once

#include "report/DayChart.h"

class QWidget;

class DayChartPanel
{
public:
    virtual ~DayChartPanel() = default;

    /// The chart's widget, to place in a layout; it belongs to the parent it was made with.
    virtual QWidget* widget() = 0;
    virtual void showChart(DayChart chart) = 0;
    virtual void setMeasure(DayChart::Measure measure) = 0;
    virtual const DayChart& dayChart() const = 0;
};

/// The module's one entry point: makes a chart as a child of `parent`.
using DayChartFactory = DayChartPanel* (*)(QWidget* parent);
inline constexpr char dayChartFactoryName[] = "qovruvela_create_day_chart";
