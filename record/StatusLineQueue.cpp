// Holding a status-line message for its time, on the program's clock.
#include "record/StatusLineQueue.h"

bool StatusLineQueue::post(const QString& text, const QDateTime& now)
{
    const QString& last = m_waiting.isEmpty() ? m_shown : m_waiting.constLast();
    if (text == last)
        return false;
    // An empty line is nothing to read: a message replaces it at once, and a clearing that waits gives way
    // to a message that comes after it.
    if (!m_waiting.isEmpty() && m_waiting.constLast().isEmpty())
        m_waiting.removeLast();
    m_waiting.removeAll(text);
    m_waiting.append(text);
    while (m_waiting.size() > maxWaiting)
        m_waiting.removeFirst();
    return advance(now);
}

bool StatusLineQueue::advance(const QDateTime& now)
{
    if (m_waiting.isEmpty())
        return false;
    const QDateTime due = nextChange();
    // A clock set back shows the next message rather than holding the line until it catches up.
    if (now < due && now >= m_shownSince)
        return false;
    show(m_waiting.takeFirst(), now);
    return true;
}

QDateTime StatusLineQueue::nextChange() const
{
    if (m_waiting.isEmpty())
        return {};
    if (m_shown.isEmpty())
        return m_shownSince.isValid() ? m_shownSince : QDateTime::fromMSecsSinceEpoch(0);
    return m_shownSince.addMSecs(holdMsecs);
}

void StatusLineQueue::show(const QString& text, const QDateTime& now)
{
    m_shown = text;
    m_shownSince = now;
}
