// Loading the period's totals, counting closed sessions, and the change of what is shown.
#include "allowance/AllowanceMonitor.h"

void AllowanceMonitor::setSettings(const AllowanceSettings& settings, const QString& warnedRecord)
{
    m_settings = settings;
    m_warnedRecord = warnedRecord;
    // A changed allowance is a new amount to warn of: its thresholds are armed afresh, while those already
    // warned of for an amount stay warned if the allowance goes back to it.
    m_warnings.arm(settings, m_usage.start(), m_warnedRecord);
    ++m_settingsChanges;
}

bool AllowanceMonitor::needsTotals(const QString& path, const QDate& start, const QDate& next, qint64 recordCount) const
{
    return !m_usage.loaded() || path != m_path || start != m_usage.start() || next != m_usage.next() ||
           recordCount - 1 != m_sessionsCounted;
}

void AllowanceMonitor::load(const QString& path, const QDate& start, const QDate& next, qint64 recordCount,
                            const UsageFigures& closed, const QDate& today)
{
    const bool newPeriod = start != m_usage.start();
    m_path = path;
    m_sessionsCounted = recordCount - 1;
    m_usage.load(start, next, closed, today);
    m_active = true;
    // A new period arms every threshold again; the stored record names the period it belongs to.
    if (newPeriod)
        m_warnings.arm(m_settings, start, m_warnedRecord);
}

void AllowanceMonitor::sessionClosed(const QDateTime& now, qint64 sessionSeconds, quint32 received, quint32 sent)
{
    if (!m_active)
        return;
    m_usage.closeSession(now.date(), now.time().msecsSinceStartOfDay() / 1000, sessionSeconds, received, sent);
    ++m_sessionsCounted;
}

bool AllowanceMonitor::takeDisplayChange()
{
    const UsageFigures& f = m_usage.figures();
    // Minutes and kilobytes: finer steps than the texts show are not worth building them again. The share
    // moves in steps of its own (1 % of an hour is 36 s), so each shown percent counts too.
    const int timePercent = m_settings.hours ? AllowanceForecast::percentOf(f.seconds, m_settings.seconds()) : 0;
    const int dataPercent =
        m_settings.bytes ? AllowanceForecast::percentOf(qint64(f.bytes()), qint64(*m_settings.bytes)) : 0;
    const auto shown = std::make_tuple(m_active, f.todaySeconds / 60, f.seconds / 60, f.bytes() >> 10,
                                       m_settingsChanges, timePercent, dataPercent);
    if (shown == m_shown)
        return false;
    m_shown = shown;
    return true;
}

AllowanceStatus AllowanceMonitor::status(const QDateTime& now) const
{
    if (!m_active)
        return {};
    return AllowanceStatus::of(m_usage.figures(), m_settings, m_usage.start(), m_usage.next(), now);
}
