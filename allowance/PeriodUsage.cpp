// Adding the open session to the closed ones: a handful of additions a tick.
#include "allowance/PeriodUsage.h"

#include <algorithm>

void PeriodUsage::load(const QDate& start, const QDate& next, const UsageFigures& closed, const QDate& today)
{
    m_loaded = true;
    m_start = start;
    m_next = next;
    m_today = today;
    m_closed = closed;
    m_figures = closed;
}

void PeriodUsage::newDay(const QDate& today)
{
    // The sessions closed yesterday are no longer today's.
    if (today != m_today) {
        m_today = today;
        m_closed.todaySeconds = 0;
    }
}

void PeriodUsage::tick(const QDate& today, qint64 secondsSinceMidnight, qint64 sessionSeconds, quint32 received,
                       quint32 sent)
{
    newDay(today);
    // A clock set back before the session's start counts nothing rather than less than nothing.
    sessionSeconds = std::max<qint64>(sessionSeconds, 0);
    m_figures.seconds = m_closed.seconds + sessionSeconds;
    m_figures.bytesReceived = m_closed.bytesReceived + received;
    m_figures.bytesSent = m_closed.bytesSent + sent;
    m_figures.todaySeconds = m_closed.todaySeconds + std::min(sessionSeconds, secondsSinceMidnight);
}

void PeriodUsage::tick(const QDate& today)
{
    newDay(today);
    m_figures = m_closed;
}

void PeriodUsage::closeSession(const QDate& today, qint64 secondsSinceMidnight, qint64 sessionSeconds, quint32 received,
                               quint32 sent)
{
    tick(today, secondsSinceMidnight, sessionSeconds, received, sent);
    m_closed = m_figures;
}
