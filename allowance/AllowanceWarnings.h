// Which warning thresholds the period's use has reached: each threshold warns once per period and per
// allowance, remembered across restarts in a short text the settings keep, and armed again when a new
// period begins or the allowance changes.
#pragma once

#include "settings/AllowanceSettings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <limits>

enum class AllowanceKind
{
    Time,
    Data
};

struct AllowanceCrossing
{
    AllowanceKind kind = AllowanceKind::Time;
    int percent = 0;
    bool operator==(const AllowanceCrossing&) const = default;
};

class AllowanceWarnings
{
public:
    /// The thresholds of `settings` in the period that begins on `periodStart`; `record` is the stored text
    /// of the thresholds already warned of. A record of another period counts for nothing.
    void arm(const AllowanceSettings& settings, const QDate& periodStart, const QString& record);

    /// The thresholds that `seconds` and `bytes` reach and that were not warned of yet, the highest of each
    /// kind first in `crossed`; from now on they count as warned. False, at the cost of two comparisons, when
    /// none is reached.
    bool check(qint64 seconds, quint64 bytes, QList<AllowanceCrossing>* crossed)
    {
        if (seconds < m_nextSeconds && bytes < m_nextBytes)
            return false;
        return cross(seconds, bytes, crossed);
    }

    /// The text to store: the period's start and every threshold warned of in it, with the allowance it was
    /// a share of ("2024/03/01;time 80 108000;data 100 1073741824").
    QString record() const;

private:
    struct Warned
    {
        AllowanceKind kind;
        int percent;
        qint64 amount;
        bool operator==(const Warned&) const = default;
    };

    bool cross(qint64 seconds, quint64 bytes, QList<AllowanceCrossing>* crossed);
    void findNextLimits();
    /// The use at which `percent` of `amount` is reached.
    static qint64 limit(int percent, qint64 amount) { return (qint64(percent) * amount + 99) / 100; }

    AllowanceSettings m_settings;
    QDate m_periodStart;
    QList<Warned> m_warned;
    qint64 m_nextSeconds = std::numeric_limits<qint64>::max();
    quint64 m_nextBytes = std::numeric_limits<quint64>::max();
};
