// What the per-day chart shows of a totalled file: one bar per day, today's among them, the scale of the
// axis, the labels under the bars and the text shown when the pointer rests on a bar. The window only draws.
#pragma once

#include "report/DailyHistory.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

class DayChart
{
public:
    enum class Measure
    {
        Time, ///< time online, one series
        Bytes ///< downloaded and uploaded, two series
    };

    /// More days than this (a file with stray dates years apart) show only the latest ones, so drawing
    /// stays quick.
    static constexpr qint64 maxBars = DailyHistory::maxPeriodDays;

    struct Series
    {
        QString name;
        std::vector<double> values; ///< one per bar, in the axis's unit
    };

    /// The value axis: from 0 to `axisMax` with `tickCount` evenly spaced round values.
    struct Scale
    {
        QString title;
        double axisMax = 1;
        int tickCount = 2;
        int decimals = 0; ///< of the axis's labels
        std::vector<Series> series;
    };

    /// Every day from the first to the last of `history` (the days between without sessions included), at
    /// most the latest `maxBars` of them; `today` (the clock's date) is marked when it is among them.
    static DayChart fromHistory(const DailyHistory& history, QDate today, const QLocale& locale = QLocale());

    const std::vector<DayFigures>& days() const { return m_days; }
    int barCount() const { return static_cast<int>(m_days.size()); }
    /// The bar of today; -1 when today is not shown.
    int todayIndex() const { return m_today; }
    /// True when earlier days were left out for `maxBars`.
    bool cut() const { return m_cut; }

    /// Under the bars, all different: the day of the month when that tells the days apart, else the day and
    /// month, and the whole date when the days lie in more than one year.
    QStringList labels() const;
    /// The first and last day shown, and that earlier days were left out.
    QString title() const;
    Scale scale(Measure measure) const;
    /// The figures of one day, for the pointer resting on its bar.
    QString toolTip(int bar) const;

private:
    std::vector<DayFigures> m_days;
    int m_today = -1;
    bool m_cut = false;
    QLocale m_locale;
};
