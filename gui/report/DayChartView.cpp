// The chart's series and axes are made once; a new file or measure only replaces their values, labels and
// range. The legend explains today's colour by an empty series of that colour. The days are labelled on a
// value axis rather than a category axis, which cuts every label short once they do not all fit: here
// every second or third day is labelled instead.
#include "gui/report/DayChartView.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

const QColor DayChartView::todayColor = QColor(0xE0, 0x7B, 0x00);

DayChartView::DayChartView(QWidget* parent)
    : QChartView(new QChart, parent), m_bars(new QBarSeries), m_todayKey(new QScatterSeries),
      m_dayAxis(new QCategoryAxis), m_valueAxis(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->setAlignment(Qt::AlignBottom);
    m_bars->setBarWidth(0.8);
    m_dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_dayAxis->setGridLineVisible(false);
    m_todayKey->setName(QStringLiteral("Today"));
    m_todayKey->setColor(todayColor);
    m_todayKey->setBorderColor(todayColor);
    m_todayKey->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    c->addSeries(m_bars);
    c->addSeries(m_todayKey);
    c->addAxis(m_dayAxis, Qt::AlignBottom);
    c->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(m_bars), static_cast<QAbstractSeries*>(m_todayKey)}) {
        series->attachAxis(m_dayAxis);
        series->attachAxis(m_valueAxis);
    }
    connect(m_bars, &QBarSeries::hovered, this, [this](bool on, int bar, QBarSet*) { barHovered(on, bar); });
    rebuild();
}

void DayChartView::showChart(DayChart chart)
{
    // The same days again (the same file totalled anew) leave the chart as it is, and undrawn.
    const bool same = chart.days() == m_dayChart.days() && chart.todayIndex() == m_dayChart.todayIndex() &&
                      chart.cut() == m_dayChart.cut();
    m_dayChart = std::move(chart);
    if (!same)
        rebuild();
}

void DayChartView::setMeasure(DayChart::Measure measure)
{
    if (measure == m_measure)
        return;
    m_measure = measure;
    rebuild();
}

void DayChartView::rebuild()
{
    m_hoverText.clear();
    const DayChart::Scale scale = m_dayChart.scale(m_measure);
    const int today = m_dayChart.todayIndex();
    // The sets are made again only for another number of series: the legend keeps its markers, which would
    // otherwise be laid out again after the chart is drawn, and the chart drawn twice.
    QList<QBarSet*> sets = m_bars->barSets();
    if (sets.size() != qsizetype(scale.series.size())) {
        m_bars->clear();
        sets.clear();
        for (const DayChart::Series& series : scale.series) {
            auto* set = new QBarSet(series.name);
            m_bars->append(set);
            // The theme gives each set its colour once it is in the series.
            set->setSelectedColor(scale.series.size() == 1 ? todayColor : set->color().darker(170));
            sets.append(set);
        }
    }
    for (qsizetype i = 0; i < sets.size(); ++i) {
        const DayChart::Series& series = scale.series[std::size_t(i)];
        QBarSet* set = sets[i];
        set->setLabel(series.name);
        set->deselectAllBars();
        set->remove(0, set->count());
        set->append(QList<qreal>(series.values.begin(), series.values.end()));
        if (today >= 0)
            set->selectBar(today);
    }
    const bool onePerDay = scale.series.size() == 1;
    m_todayKey->setName(onePerDay ? QStringLiteral("Today") : QStringLiteral("Today (darker)"));
    const QColor key = onePerDay || sets.isEmpty() ? todayColor : sets.constFirst()->selectedColor();
    m_todayKey->setColor(key);
    m_todayKey->setBorderColor(key);

    m_dayAxis->setRange(-0.5, std::max(1, m_dayChart.barCount()) - 0.5);
    fitLabels();

    m_valueAxis->setRange(0, scale.axisMax);
    m_valueAxis->setTickCount(scale.tickCount);
    m_valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
    m_valueAxis->setTitleText(scale.title);

    chart()->setTitle(m_dayChart.title());
    for (QLegendMarker* marker : chart()->legend()->markers(m_todayKey))
        marker->setVisible(today >= 0);
}

void DayChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

void DayChartView::fitLabels()
{
    for (const QString& label : m_dayAxis->categoriesLabels())
        m_dayAxis->remove(label);
    const QStringList labels = m_dayChart.labels();
    if (labels.isEmpty())
        return;
    // Every `step`th day, so that the labels stand apart by two characters. The plot area is the view
    // less the value axis and the margins, about a hundred pixels.
    const QFontMetrics metrics(m_dayAxis->labelsFont());
    int widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const qint64 needed = qint64(labels.size()) * (widest + 2 * metrics.averageCharWidth());
    const qint64 room = std::max(100, width() - 100);
    const int step = static_cast<int>((needed + room - 1) / room);
    for (int bar = 0; bar < labels.size(); bar += step)
        m_dayAxis->append(labels[bar], bar);
}

bool DayChartView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_hoverText.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), m_hoverText, this);
        event->accept();
        return true;
    }
    return QChartView::viewportEvent(event);
}

void DayChartView::barHovered(bool on, int bar)
{
    m_hoverText = on ? m_dayChart.toolTip(bar) : QString();
    if (m_hoverText.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), m_hoverText, this);
}
