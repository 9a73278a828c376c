// The directory chooser's history: at most ten folders, newest first. The settings keep the list; this
// decides what it becomes.
#pragma once

#include <QString>
#include <QStringList>

class DirHistory
{
public:
    static constexpr int capacity = 10;

    /// Starts from the stored list, keeping its non-empty values in their order.
    void load(const QStringList& stored);

    /// Puts `dir` on top, unless a folder equal to it when letter case is ignored is already there: then
    /// nothing changes, and that entry is not moved either. True when the list changed and is to be stored.
    bool AddToHistory(const QString& dir);

    /// Drops one entry; true when there was one to drop and the rest is to be stored.
    bool removeAt(int index);

    const QStringList& entries() const { return m_entries; }

private:
    QStringList m_entries;
};
