// The recording filter's list and its check marks.
#include "dialup/RecordingFilter.h"

void RecordingFilter::setEntries(const QStringList& names)
{
    m_items.clear();
    for (const QString& n : names)
        m_items.append({n, false});
}

void RecordingFilter::refresh(const QStringList& names)
{
    QList<Item> items;
    for (const QString& n : names)
        items.append({n, isChecked(n)});
    m_items = items;
}

void RecordingFilter::setChecked(qsizetype index, bool checked)
{
    if (index >= 0 && index < m_items.size())
        m_items[index].checked = checked;
}

bool RecordingFilter::isChecked(const QString& entryName) const
{
    for (const Item& item : m_items)
        if (item.checked && item.name == entryName)
            return true;
    return false;
}

void RecordingFilter::PhoneBookEntries_Are_Checked_OrNot(const QStringList& storedNames)
{
    for (const QString& name : storedNames) {
        for (Item& item : m_items) {
            if (item.name == name) {
                item.checked = true;
                break;
            }
        }
    }
}

QStringList RecordingFilter::checkedNames() const
{
    QStringList names;
    for (const Item& item : m_items)
        if (item.checked)
            names.append(item.name);
    return names;
}
