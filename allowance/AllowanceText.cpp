// The texts of the allowance, built only when a figure the user can see has changed.
#include "allowance/AllowanceText.h"

#include <algorithm>

namespace AllowanceText {

namespace {

QString allowanceText(AllowanceKind kind, const AllowanceSettings& settings)
{
    return kind == AllowanceKind::Time ? QStringLiteral("%1 h").arg(settings.hours.value_or(0))
                                       : bytesText(quint64(settings.bytes.value_or(0)));
}

QString amountText(AllowanceKind kind, qint64 amount)
{
    return kind == AllowanceKind::Time ? hoursText(amount) : bytesText(quint64(amount));
}

enum class Rounding
{
    Down,
    Up
};

// Bytes in hundredths of their unit, rounded in whole numbers as asked.
QString bytesRounded(quint64 bytes, Rounding rounding)
{
    static const char* const units[] = {"B", "KB", "MB", "GB", "TB"};
    quint64 unitSize = 1;
    int unit = 0;
    while (bytes / unitSize >= 1024 && unit < 4) {
        unitSize *= 1024;
        ++unit;
    }
    const quint64 rest = bytes % unitSize * 100;
    quint64 hundredths = bytes / unitSize * 100 + rest / unitSize;
    if (rounding == Rounding::Up && rest % unitSize != 0)
        ++hundredths;
    return QLocale().toString(double(hundredths) / 100.0, 'f', 2) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString amountRounded(AllowanceKind kind, qint64 amount, Rounding rounding)
{
    amount = std::max<qint64>(amount, 0);
    if (kind == AllowanceKind::Data)
        return bytesRounded(quint64(amount), rounding);
    return hoursText(rounding == Rounding::Up ? (amount + 59) / 60 * 60 : amount);
}

// "24:00 h of 30 h used, 6:00 h left", or "... 1:00 h over" once the allowance is overrun. The use is rounded
// down and what is left up, so the two figures always add up to the allowance.
QString usedOf(AllowanceKind kind, const AllowanceForecast& f, const AllowanceSettings& settings)
{
    const QString rest = f.left >= 0 ? QStringLiteral("%1 left").arg(amountRounded(kind, f.left, Rounding::Up))
                                     : QStringLiteral("%1 over").arg(amountRounded(kind, -f.left, Rounding::Down));
    return QStringLiteral("%1 of %2 used, %3")
        .arg(amountRounded(kind, f.used, Rounding::Down), allowanceText(kind, settings), rest);
}

QString kindLabel(AllowanceKind kind)
{
    return kind == AllowanceKind::Time ? QStringLiteral("Time online") : QStringLiteral("Data");
}

QString shares(const AllowanceStatus& status)
{
    QStringList parts;
    if (status.time)
        parts.append(QStringLiteral("%1 % of %2")
                         .arg(status.time->percent())
                         .arg(allowanceText(AllowanceKind::Time, status.settings)));
    if (status.data)
        parts.append(QStringLiteral("%1 % of %2")
                         .arg(status.data->percent())
                         .arg(allowanceText(AllowanceKind::Data, status.settings)));
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString hoursText(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(seconds, 0) / 60;
    return QStringLiteral("%1:%2 h").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString bytesText(quint64 bytes, const QLocale& locale)
{
    static const char* const units[] = {"B", "KB", "MB", "GB", "TB"};
    double value = double(bytes);
    int unit = 0;
    while (value >= 1024.0 && unit < 4) {
        value /= 1024.0;
        ++unit;
    }
    return locale.toString(value, 'f', 2) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QStringList tooltipLines(const AllowanceStatus& status)
{
    if (!status.active)
        return {};
    QStringList lines{
        QStringLiteral("Today: %1 online").arg(hoursText(status.usage.todaySeconds)),
        QStringLiteral("Period: %1 online, %2").arg(hoursText(status.usage.seconds), bytesText(status.usage.bytes()))};
    if (status.settings.isSet())
        lines.append(QStringLiteral("Allowance: ") + shares(status));
    return lines;
}

QString mainLine(const AllowanceStatus& status)
{
    if (!status.active)
        return {};
    QString line = QStringLiteral("Today %1  ·  Period %2, %3")
                       .arg(hoursText(status.usage.todaySeconds), hoursText(status.usage.seconds),
                            bytesText(status.usage.bytes()));
    if (status.settings.isSet())
        line += QStringLiteral("  ·  ") + shares(status);
    return line;
}

QStringList forecastLines(const AllowanceStatus& status)
{
    QStringList lines;
    const auto add = [&](AllowanceKind kind, const std::optional<AllowanceForecast>& f) {
        if (!f)
            return;
        QString line = QStringLiteral("%1: %2 at the period's end at this pace")
                           .arg(kindLabel(kind), amountText(kind, f->estimate));
        if (f->leftPerDay)
            line += QStringLiteral("; %1 a day left for %2 %3")
                        .arg(amountText(kind, *f->leftPerDay))
                        .arg(f->daysLeft)
                        .arg(f->daysLeft == 1 ? QStringLiteral("day") : QStringLiteral("days"));
        lines.append(line);
    };
    add(AllowanceKind::Time, status.time);
    add(AllowanceKind::Data, status.data);
    return lines;
}

Warning warning(const QList<AllowanceCrossing>& crossed, const AllowanceStatus& status)
{
    Warning w;
    // The headline tells the share used, as the Main tab shows it, not the threshold that was passed: a
    // period that starts with more used than the lowest threshold warns once, of what is really used.
    QList<int> percents;
    QStringList lines;
    for (const AllowanceCrossing& c : crossed) {
        const std::optional<AllowanceForecast>& f = c.kind == AllowanceKind::Time ? status.time : status.data;
        percents.append(f ? std::max(f->percent(), c.percent) : c.percent);
        if (f)
            lines.append(kindLabel(c.kind) + QStringLiteral(": ") + usedOf(c.kind, *f, status.settings));
    }
    const bool samePercent = !percents.isEmpty() && percents.count(percents.constFirst()) == percents.size();
    w.summary = samePercent ? QStringLiteral("%1 % of the allowance used").arg(percents.constFirst())
                            : QStringLiteral("Allowance thresholds reached");
    const QString blocks = QStringLiteral("\r\n\r\n");
    w.message = w.summary + blocks + lines.join(blocks);
    w.body = (lines + forecastLines(status)).join(QLatin1Char('\n'));
    return w;
}

} // namespace AllowanceText
