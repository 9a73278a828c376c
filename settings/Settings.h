// The program's settings as one object: read once at start, each change written through the settings store
// the moment it is made. The only code outside the platform layer that reads or writes the store: every
// other part gets and gives its values here, failures go to one problem reporter, and `changed` tells the
// windows what to show again.
#pragma once

#include "settings/StoredSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class SettingsStore;

class Settings final : public QObject
{
    Q_OBJECT
public:
    explicit Settings(SettingsStore& store, QObject* parent = nullptr);

    /// Reads every value; until then the values are the defaults.
    void load();
    /// Where a failed write is reported, with the store's description of it.
    void setProblemReporter(std::function<void(const QString&)> report) { m_report = std::move(report); }
    /// The store's sentence for the user when it cannot be read or written; empty when all is well.
    QString problem() const;
    /// Changes the store could not take yet (its lock was busy) are written if they can be now, without
    /// waiting; true when none waits any more.
    bool retryPendingWrites();
    bool hasPendingWrites() const;

    /// The stored "Personal Account" alone, for the start-up that needs it before the core exists.
    static QString storedPersonalAccount(const SettingsStore& store);

    const StoredSettings& values() const { return m_values; }
    QString keyPath() const;
    QString phoneBookKeyPath() const;

    bool alwaysRecord() const { return m_values.alwaysRecord; }
    /// Whether metered links are recorded beside dial-up; off unless stored as "1".
    bool recordMetered() const { return m_values.recordMetered; }
    bool sixtyMinsToAlert() const { return m_values.sixtyMinsToAlert; }
    bool autoClose60MinsForm() const { return m_values.autoClose60MinsForm; }
    bool alertNoSound() const { return m_values.alertNoSound; }
    /// The alert position's text; empty when none was chosen.
    QString alertPos() const { return m_values.alertPos.value_or(QString()); }
    const AllowanceSettings& allowance() const { return m_values.allowance; }
    QString allowanceWarned() const { return m_values.allowanceWarned; }
    QString personalAccount() const { return m_values.personalAccount; }
    /// The phone-book entries marked for recording.
    QStringList phoneBookMarks() const { return m_values.phoneBookMarks; }
    /// The session list window's position; none when not stored as a whole number.
    std::optional<int> msgOutTop() const { return m_values.msgOutTop; }
    std::optional<int> msgOutLeft() const { return m_values.msgOutLeft; }
    /// The directory chooser's last folder, its folder tree's width and its history, newest first.
    QString lastDirectory() const { return m_values.lastDirectory; }
    std::optional<int> dirWidthOfShellTree() const { return m_values.dirWidthOfShellTree; }
    QStringList dirHistory() const { return m_values.dirHistory; }

    // Each setter keeps the value and writes it; false when the write failed (reported).
    bool setMainPosition(int left, int top);
    bool setRunWhenWinStarts(bool on);
    bool setKeepAlertSet(bool on);
    bool setSixtyMinsToAlert(bool on);
    bool setAutoClose60MinsForm(bool on);
    bool setAfterDisconnection(bool on);
    bool setAlertPos(const QString& text);
    bool setAlertNoSound(bool on);
    bool setInTray(bool on);
    bool setRecordMetered(bool on);
    /// Writes every allowance value; an allowance that is off is stored as an empty text.
    bool setAllowance(const AllowanceSettings& allowance);
    /// The period and the thresholds already warned of in it.
    bool setAllowanceWarned(const QString& text);
    bool setPersonalAccount(const QString& fileName);
    /// Stored as the values "0", "1", … under the phone-book key, ended by an empty value.
    bool setPhoneBookMarks(const QStringList& names);
    bool setMsgOutPosition(int left, int top);
    bool setLastDirectory(const QString& dir);
    bool setDirWidthOfShellTree(int width);
    /// At most ten folders, stored in all ten places "0" … "9" under the history key; the places after the
    /// folders are stored empty, since the store cannot delete a value.
    bool setDirHistory(const QStringList& dirs);

signals:
    /// A stored value changed: the name of the value as SettingNames gives it; for the phone-book marks and
    /// the folder history, the name of their sub-key. Sent after a write that succeeded and changed the text.
    void changed(const QString& name);

private:
    bool write(const QString& name, const QString& value);
    bool writeFlag(const QString& name, bool on);
    /// Writes `values` as "0", "1", … under `subKey`; sends `changed(subKey)` once when any of them changed.
    bool writeList(const QString& subKey, const QStringList& values);
    /// One value; `changedText` is set when it was written and differs from what was stored.
    bool put(const QString& keyPath, const QString& name, const QString& value, bool& changedText);

    SettingsStore& m_store;
    StoredSettings m_values;
    std::function<void(const QString&)> m_report;
};
