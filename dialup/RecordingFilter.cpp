// The recording filter's list and the stored selection.
#include "dialup/RecordingFilter.h"

#include "platform/SettingsStore.h"

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

void RecordingFilter::PhoneBookEntries_Are_Checked_OrNot(const SettingsStore& store, const QString& phoneBookKeyPath)
{
    if (m_items.isEmpty())
        return;
    for (int n = 0;; ++n) {
        const QString name = store.ReadIniFromReg(phoneBookKeyPath, QString::number(n));
        if (name.isEmpty())
            return;
        for (Item& item : m_items) {
            if (item.name == name) {
                item.checked = true;
                break;
            }
        }
    }
}

bool RecordingFilter::saveChecked(SettingsStore& store, const QString& phoneBookKeyPath) const
{
    int n = 0;
    bool ok = true;
    for (const Item& item : m_items)
        if (item.checked)
            ok = store.WriteIniToReg(phoneBookKeyPath, QString::number(n++), item.name) && ok;
    // An empty value ends the list for the reader, whatever was stored after it before.
    return store.WriteIniToReg(phoneBookKeyPath, QString::number(n), QString()) && ok;
}
