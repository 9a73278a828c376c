// The per-day bar chart: draws a DayChart with Qt Charts, today's bars in their own colour, and shows a
// day's figures while the pointer rests on its bar.
#pragma once

#include "gui/report/DayChartPanel.h"
#include "report/DayChart.h"

#include <QChartView>

class QCategoryAxis;
class QBarSeries;
class QScatterSeries;
class QValueAxis;

class DayChartView final : public QChartView, public DayChartPanel
{
    Q_OBJECT
public:
    /// The colour of today's bar when one measure is shown; with two side by side (bytes down and up) today's
    /// pair keeps their own colours, darker.
    static const QColor todayColor;

    explicit DayChartView(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showChart(DayChart chart) override;
    void setMeasure(DayChart::Measure measure) override;
    DayChart::Measure measure() const { return m_measure; }

    const DayChart& dayChart() const override { return m_dayChart; }
    QBarSeries* bars() const { return m_bars; }
    /// Labels the bars at their indices 0, 1, …; only as many as fit side by side.
    QCategoryAxis* dayAxis() const { return m_dayAxis; }
    QValueAxis* valueAxis() const { return m_valueAxis; }
    /// The figures of the bar under the pointer, as its tooltip shows them; empty when it is on none.
    QString hoverText() const { return m_hoverText; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    /// The scene hides any tooltip its items do not have when the pointer rests: the bar's stays.
    bool viewportEvent(QEvent* event) override;

private:
    void rebuild();
    void fitLabels();
    void barHovered(bool on, int bar);

    DayChart m_dayChart;
    DayChart::Measure m_measure = DayChart::Measure::Time;
    QBarSeries* m_bars;
    QScatterSeries* m_todayKey;
    QCategoryAxis* m_dayAxis;
    QValueAxis* m_valueAxis;
    QString m_hoverText;
};
