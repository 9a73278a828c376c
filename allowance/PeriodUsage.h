// The period's running totals: what the personal file held when it was loaded, plus the open session,
// brought up to date on every tick without reading the file again.
#pragma once

#include <QDate>
#include <QtGlobal>

struct UsageFigures
{
    qint64 seconds = 0; ///< time online in the period
    quint64 bytesReceived = 0;
    quint64 bytesSent = 0;
    qint64 todaySeconds = 0; ///< the part of `seconds` that fell on today's date

    quint64 bytes() const { return bytesReceived + bytesSent; }
    bool operator==(const UsageFigures&) const = default;
};

class PeriodUsage
{
public:
    /// A period from the day `start` up to the day before `next`, whose closed sessions add up to `closed`
    /// (its `todaySeconds` those of `today`).
    void load(const QDate& start, const QDate& next, const UsageFigures& closed, const QDate& today);
    /// No personal file: nothing to count.
    void clear() { *this = PeriodUsage(); }

    bool loaded() const { return m_loaded; }
    QDate start() const { return m_start; }
    QDate next() const { return m_next; }

    /// One tick. While a session is open: it has lasted `sessionSeconds`, of which `secondsSinceMidnight` at
    /// most fall on `today`, with the byte counts of its interface so far.
    void tick(const QDate& today, qint64 secondsSinceMidnight, qint64 sessionSeconds, quint32 received, quint32 sent);
    /// One tick with no session open.
    void tick(const QDate& today);
    /// The open session ended with these figures: they join the closed sessions.
    void closeSession(const QDate& today, qint64 secondsSinceMidnight, qint64 sessionSeconds, quint32 received,
                      quint32 sent);

    /// The closed sessions and the open one together.
    const UsageFigures& figures() const { return m_figures; }

private:
    void newDay(const QDate& today);

    bool m_loaded = false;
    QDate m_start;
    QDate m_next;
    QDate m_today;
    UsageFigures m_closed;
    UsageFigures m_figures;
};
