// The phone-book entries with their check marks: which connections the user wants recorded.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class RecordingFilter
{
public:
    struct Item
    {
        QString name;
        bool checked = false;
    };

    /// Replaces the list by these names, none checked.
    void setEntries(const QStringList& names);
    /// Replaces the list by these names, keeping the check marks of the names that stay.
    void refresh(const QStringList& names);
    const QList<Item>& items() const { return m_items; }
    void setChecked(qsizetype index, bool checked);

    /// True when some checked item's name equals `entryName` exactly.
    bool isChecked(const QString& entryName) const;

    /// Puts check marks on the entries named by the stored marks, in their stored order. A stored name that
    /// matches no item is skipped.
    void PhoneBookEntries_Are_Checked_OrNot(const QStringList& storedNames);

    /// The checked names in list order: the marks to store.
    QStringList checkedNames() const;

private:
    QList<Item> m_items;
};
