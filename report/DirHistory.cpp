// The history's order and limit.
#include "report/DirHistory.h"

void DirHistory::load(const QStringList& stored)
{
    m_entries.clear();
    for (const QString& dir : stored) {
        if (!dir.isEmpty() && m_entries.size() < capacity)
            m_entries.append(dir);
    }
}

bool DirHistory::AddToHistory(const QString& dir)
{
    while (m_entries.size() > capacity)
        m_entries.removeLast();
    for (const QString& entry : std::as_const(m_entries)) {
        if (entry.compare(dir, Qt::CaseInsensitive) == 0)
            return false;
    }
    if (m_entries.size() == capacity)
        m_entries.removeLast();
    m_entries.prepend(dir);
    return true;
}

bool DirHistory::removeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    m_entries.removeAt(index);
    return true;
}
