// The days are made consecutive so that a day without a session shows as an empty bar in its place, and
// the axis takes a unit in which the highest bar reads as a number of a few digits.
#include "report/DayChart.h"

#include "common/ByteText.h"
#include "report/SessionDuration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

struct Unit
{
    double divisor;
    const char* name;
};

// Round values for an axis from 0 past `highest`: steps of 1, 2 or 5 times a power of ten, five at most.
void fitAxis(double highest, DayChart::Scale* scale)
{
    if (!(highest > 0)) {
        scale->axisMax = 1;
        scale->tickCount = 2;
        scale->decimals = 0;
        return;
    }
    const double rough = highest / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * magnitude;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= rough) {
            step = m * magnitude;
            break;
        }
    }
    // Against a quotient such as 3.0000000000000004 asking for one step more.
    const int intervals = std::max(1, static_cast<int>(std::ceil(highest / step - 1e-9)));
    scale->axisMax = intervals * step;
    scale->tickCount = intervals + 1;
    scale->decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

} // namespace

DayChart DayChart::fromHistory(const DailyHistory& history, QDate today, const QLocale& locale)
{
    DayChart chart;
    chart.m_locale = locale;
    const std::vector<DayFigures>& listed = history.days();
    if (listed.empty())
        return chart;
    const QDate last = listed.back().date;
    QDate first = listed.front().date;
    if (first.daysTo(last) + 1 > maxBars) {
        first = last.addDays(-(maxBars - 1));
        chart.m_cut = true;
    }
    const qint64 count = first.daysTo(last) + 1;
    chart.m_days.resize(static_cast<std::size_t>(count));
    for (qint64 i = 0; i < count; ++i)
        chart.m_days[static_cast<std::size_t>(i)].date = first.addDays(i);
    for (const DayFigures& day : listed) {
        if (day.date >= first)
            chart.m_days[static_cast<std::size_t>(first.daysTo(day.date))] = day;
    }
    if (today.isValid() && today >= first && today <= last)
        chart.m_today = static_cast<int>(first.daysTo(today));
    return chart;
}

QStringList DayChart::labels() const
{
    QStringList out;
    out.reserve(barCount());
    if (m_days.empty())
        return out;
    std::array<bool, 32> seen{};
    bool daysOfMonthDiffer = true;
    for (const DayFigures& d : m_days)
        daysOfMonthDiffer = daysOfMonthDiffer && !std::exchange(seen[static_cast<std::size_t>(d.date.day())], true);
    const bool oneYear = m_days.front().date.year() == m_days.back().date.year();
    for (const DayFigures& d : m_days) {
        if (daysOfMonthDiffer)
            out.append(QString::number(d.date.day()));
        else if (oneYear)
            out.append(m_locale.toString(d.date, QStringLiteral("d MMM")));
        else
            out.append(d.date.toString(Qt::ISODate));
    }
    return out;
}

QString DayChart::title() const
{
    if (m_days.empty())
        return QStringLiteral("No days to show");
    QString text = QStringLiteral("%1 to %2")
                       .arg(m_locale.toString(m_days.front().date, QLocale::ShortFormat),
                            m_locale.toString(m_days.back().date, QLocale::ShortFormat));
    if (m_cut)
        text += QStringLiteral(" (earlier days left out)");
    return text;
}

DayChart::Scale DayChart::scale(Measure measure) const
{
    Scale scale;
    double highest = 0;
    if (measure == Measure::Time) {
        qint64 most = 0;
        for (const DayFigures& d : m_days)
            most = std::max(most, d.seconds);
        // Up to two hours a day reads best in minutes.
        const Unit unit = most < 2 * 3600 ? Unit{60, "minutes"} : Unit{3600, "hours"};
        scale.title = QStringLiteral("Time online (%1)").arg(QLatin1String(unit.name));
        Series online{QStringLiteral("Time online"), {}};
        online.values.reserve(m_days.size());
        for (const DayFigures& d : m_days)
            online.values.push_back(double(d.seconds) / unit.divisor);
        highest = double(most) / unit.divisor;
        scale.series.push_back(std::move(online));
    } else {
        quint64 most = 0;
        for (const DayFigures& d : m_days)
            most = std::max({most, d.bytesReceived, d.bytesSent});
        // The steps of the byte texts elsewhere in the program.
        constexpr double kib = 1024.0;
        const Unit unit = most < kib               ? Unit{1, "B"}
                          : most < kib * kib       ? Unit{kib, "KB"}
                          : most < kib * kib * kib ? Unit{kib * kib, "MB"}
                                                   : Unit{kib * kib * kib, "GB"};
        scale.title = QStringLiteral("Bytes (%1)").arg(QLatin1String(unit.name));
        Series down{QStringLiteral("Downloaded"), {}};
        Series up{QStringLiteral("Uploaded"), {}};
        down.values.reserve(m_days.size());
        up.values.reserve(m_days.size());
        for (const DayFigures& d : m_days) {
            down.values.push_back(double(d.bytesReceived) / unit.divisor);
            up.values.push_back(double(d.bytesSent) / unit.divisor);
        }
        highest = double(most) / unit.divisor;
        scale.series.push_back(std::move(down));
        scale.series.push_back(std::move(up));
    }
    fitAxis(highest, &scale);
    return scale;
}

QString DayChart::toolTip(int bar) const
{
    if (bar < 0 || bar >= barCount())
        return {};
    const DayFigures& d = m_days[static_cast<std::size_t>(bar)];
    const qint64 minutes = d.seconds / 60;
    QString text = m_locale.toString(d.date, QLocale::LongFormat);
    if (bar == m_today)
        text += QStringLiteral(" (today)");
    text += QStringLiteral("\nOnline: %1 (%2 %3)")
                .arg(SessionDuration::timeText(minutes, d.seconds % 60))
                .arg(minutes)
                .arg(minutes == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"));
    text += QStringLiteral("\nSessions begun: %1").arg(d.sessions);
    text += QStringLiteral("\nDownloaded: ") + ByteText::SumToFriendlyString(d.bytesReceived, m_locale);
    text += QStringLiteral("\nUploaded: ") + ByteText::SumToFriendlyString(d.bytesSent, m_locale);
    return text;
}
