// The thresholds warned of, and the next use at which one falls due.
#include "allowance/AllowanceWarnings.h"

#include "record/StoredDate.h"

#include <QStringList>

namespace {

QString kindName(AllowanceKind kind)
{
    return kind == AllowanceKind::Time ? QStringLiteral("time") : QStringLiteral("data");
}

} // namespace

void AllowanceWarnings::arm(const AllowanceSettings& settings, const QDate& periodStart, const QString& record)
{
    m_settings = settings;
    m_periodStart = periodStart;
    m_warned.clear();
    const QStringList parts = record.split(QLatin1Char(';'));
    if (periodStart.isValid() && StoredDate::parseDate(parts.value(0)) == periodStart) {
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QStringList words = parts[i].split(QLatin1Char(' '));
            if (words.size() != 3)
                continue;
            bool percentOk = false;
            bool amountOk = false;
            const int percent = words[1].toInt(&percentOk);
            const qint64 amount = words[2].toLongLong(&amountOk);
            if (!percentOk || !amountOk ||
                (words[0] != kindName(AllowanceKind::Time) && words[0] != kindName(AllowanceKind::Data)))
                continue;
            m_warned.append({words[0] == kindName(AllowanceKind::Time) ? AllowanceKind::Time : AllowanceKind::Data,
                             percent, amount});
        }
    }
    findNextLimits();
}

void AllowanceWarnings::findNextLimits()
{
    m_nextSeconds = std::numeric_limits<qint64>::max();
    m_nextBytes = std::numeric_limits<quint64>::max();
    if (!m_periodStart.isValid())
        return;
    for (const int percent : m_settings.thresholds) {
        if (m_settings.hours && !m_warned.contains(Warned{AllowanceKind::Time, percent, m_settings.seconds()}))
            m_nextSeconds = std::min(m_nextSeconds, limit(percent, m_settings.seconds()));
        if (m_settings.bytes && !m_warned.contains(Warned{AllowanceKind::Data, percent, *m_settings.bytes}))
            m_nextBytes = std::min(m_nextBytes, quint64(limit(percent, *m_settings.bytes)));
    }
}

bool AllowanceWarnings::cross(qint64 seconds, quint64 bytes, QList<AllowanceCrossing>* crossed)
{
    const auto reach = [&](AllowanceKind kind, qint64 amount, quint64 used) {
        // Several thresholds passed at once (a lowered allowance) give one warning, of the highest.
        int highest = 0;
        for (const int percent : m_settings.thresholds) {
            const Warned warned{kind, percent, amount};
            if (used < quint64(limit(percent, amount)) || m_warned.contains(warned))
                continue;
            m_warned.append(warned);
            highest = std::max(highest, percent);
        }
        if (highest > 0 && crossed)
            crossed->append({kind, highest});
        return highest > 0;
    };
    bool any = false;
    if (m_settings.hours && seconds >= 0)
        any = reach(AllowanceKind::Time, m_settings.seconds(), quint64(seconds));
    if (m_settings.bytes)
        any = reach(AllowanceKind::Data, *m_settings.bytes, bytes) || any;
    findNextLimits();
    return any;
}

QString AllowanceWarnings::record() const
{
    QStringList parts{StoredDate::dateText(m_periodStart)};
    for (const Warned& w : m_warned)
        parts.append(QStringLiteral("%1 %2 %3").arg(kindName(w.kind)).arg(w.percent).arg(w.amount));
    return parts.join(QLatin1Char(';'));
}
