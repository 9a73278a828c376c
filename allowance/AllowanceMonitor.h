// The allowance as the recording core keeps it: the period's running totals, the thresholds still to warn
// of, and whether what the windows show of it has changed. Driven by the core's tick; reads no file.
#pragma once

#include "allowance/AllowanceStatus.h"
#include "allowance/AllowanceWarnings.h"
#include "allowance/PeriodUsage.h"
#include "settings/AllowanceSettings.h"

#include <QDateTime>
#include <QString>
#include <tuple>

class AllowanceMonitor
{
public:
    /// The allowance and the stored record of the thresholds already warned of.
    void setSettings(const AllowanceSettings& settings, const QString& warnedRecord);
    const AllowanceSettings& settings() const { return m_settings; }

    /// Whether the personal file at `path`, of the period from `start` to `next` and with `recordCount`
    /// records (its header included), must be totalled: it is not the one whose sessions are counted already.
    bool needsTotals(const QString& path, const QDate& start, const QDate& next, qint64 recordCount) const;
    /// The file was totalled: its sessions add up to `closed`.
    void load(const QString& path, const QDate& start, const QDate& next, qint64 recordCount,
              const UsageFigures& closed, const QDate& today);
    /// The file loaded again is the one counted already: the figures stand.
    void reloaded() { m_active = true; }
    /// No personal file is loaded: nothing is counted or warned of.
    void clear() { m_active = false; }
    bool active() const { return m_active; }

    /// One tick of the main timer: the open session (when `sessionOpen`) with its length and byte counts.
    void tick(const QDateTime& now, bool sessionOpen, qint64 sessionSeconds, quint32 received, quint32 sent)
    {
        if (!m_active)
            return;
        const QDate today = now.date();
        if (sessionOpen)
            m_usage.tick(today, now.time().msecsSinceStartOfDay() / 1000, sessionSeconds, received, sent);
        else
            m_usage.tick(today);
    }
    /// The open session was closed with these figures; its record now counts among the file's.
    void sessionClosed(const QDateTime& now, qint64 sessionSeconds, quint32 received, quint32 sent);

    /// The thresholds reached since the last look; they are warned of once. The record to store then
    /// changes (`warnedRecord`).
    bool checkWarnings(QList<AllowanceCrossing>* crossed)
    {
        if (!m_active)
            return false;
        const UsageFigures& f = m_usage.figures();
        if (!m_warnings.check(f.seconds, f.bytes(), crossed))
            return false;
        m_warnedRecord = m_warnings.record();
        return true;
    }
    QString warnedRecord() const { return m_warnedRecord; }

    /// True once each time a figure the windows show has changed since the last call.
    bool takeDisplayChange();

    const UsageFigures& figures() const { return m_usage.figures(); }
    /// What the windows show, with the forecast as of `now`.
    AllowanceStatus status(const QDateTime& now) const;

private:
    AllowanceSettings m_settings;
    QString m_warnedRecord;
    AllowanceWarnings m_warnings;
    PeriodUsage m_usage;
    bool m_active = false;
    QString m_path;
    qint64 m_sessionsCounted = 0;
    int m_settingsChanges = 0;
    std::tuple<bool, qint64, qint64, quint64, int, int, int> m_shown{false, -1, -1, 0, -1, -1, -1};
};
