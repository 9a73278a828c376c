// The settings store has no way to delete a value, so a place that no longer holds a folder is stored empty,
// which every reader takes as absent.
#include "report/DirHistory.h"

#include "platform/SettingsStore.h"

DirHistory::DirHistory(SettingsStore& settings, QString keyPath) : m_settings(settings), m_keyPath(std::move(keyPath))
{}

void DirHistory::load()
{
    m_entries.clear();
    for (int i = 0; i < capacity; ++i) {
        const QString dir = m_settings.ReadIniFromReg(m_keyPath, QString::number(i));
        if (!dir.isEmpty())
            m_entries.append(dir);
    }
}

void DirHistory::AddToHistory(const QString& dir)
{
    while (m_entries.size() > capacity)
        m_entries.removeLast();
    for (const QString& entry : std::as_const(m_entries)) {
        if (entry.compare(dir, Qt::CaseInsensitive) == 0)
            return;
    }
    if (m_entries.size() == capacity)
        m_entries.removeLast();
    m_entries.prepend(dir);
    store();
}

void DirHistory::removeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    store();
}

void DirHistory::store()
{
    for (int i = 0; i < capacity; ++i)
        m_settings.WriteIniToReg(m_keyPath, QString::number(i), i < m_entries.size() ? m_entries.at(i) : QString());
}
