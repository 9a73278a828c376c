// The directory chooser's history: at most ten folders, newest first, kept as "0" ... "9" in the settings.
#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

class DirHistory
{
public:
    static constexpr int capacity = 10;

    /// `keyPath` is the history's own key: the settings key path followed by "\HistoryDir".
    DirHistory(SettingsStore& settings, QString keyPath);

    /// Reads "0" to "9" and keeps the non-empty values in that order.
    void load();

    /// Puts `dir` on top and stores the list, unless a folder equal to it when letter case is ignored is
    /// already there: then nothing changes, and that entry is not moved either.
    void AddToHistory(const QString& dir);

    /// Drops one entry and stores the rest under "0" onward; the places after them are stored empty.
    void removeAt(int index);

    const QStringList& entries() const { return m_entries; }

private:
    /// Writes all ten places: the entries, then empty values.
    void store();

    SettingsStore& m_settings;
    QString m_keyPath;
    QStringList m_entries;
};
