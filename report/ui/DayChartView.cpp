// The chart's series and axes are made once; a new file or measure only replaces their values, labels and
// range. The legend explains today's colour by an empty series of that colour.
#include "report/ui/DayChartView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

const QColor DayChartView::todayColor = QColor(0xE0, 0x7B, 0x00);

DayChartView::DayChartView(QWidget* parent)
    : QChartView(new QChart, parent), m_bars(new QBarSeries), m_todayKey(new QScatterSeries),
      m_dayAxis(new QBarCategoryAxis), m_valueAxis(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->setAlignment(Qt::AlignBottom);
    m_bars->setBarWidth(0.8);
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
    m_dayChart = std::move(chart);
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
    m_bars->clear();
    for (const DayChart::Series& series : scale.series) {
        auto* set = new QBarSet(series.name);
        set->append(QList<qreal>(series.values.begin(), series.values.end()));
        set->setSelectedColor(todayColor);
        if (today >= 0)
            set->selectBar(today);
        m_bars->append(set);
    }

    const QStringList labels = m_dayChart.labels();
    m_dayAxis->clear();
    m_dayAxis->append(labels);
    // Day numbers fit side by side; longer labels stand upright once there are many of them.
    const bool longLabels = std::any_of(labels.begin(), labels.end(), [](const QString& l) { return l.size() > 2; });
    m_dayAxis->setLabelsAngle(longLabels && labels.size() > 12 ? -90 : 0);

    m_valueAxis->setRange(0, scale.axisMax);
    m_valueAxis->setTickCount(scale.tickCount);
    m_valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
    m_valueAxis->setTitleText(scale.title);

    chart()->setTitle(m_dayChart.title());
    for (QLegendMarker* marker : chart()->legend()->markers(m_todayKey))
        marker->setVisible(today >= 0);
}

void DayChartView::barHovered(bool on, int bar)
{
    m_hoverText = on ? m_dayChart.toolTip(bar) : QString();
    if (m_hoverText.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), m_hoverText, this);
}
