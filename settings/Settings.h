// The program's settings as one object: read once at start, each change written through the settings store
// the moment it is made. The one writer of the "Ruvela" values; windows show these values and never read
// a setting back from a control.
#pragma once

#include "settings/StoredSettings.h"

#include <QString>
#include <functional>

class SettingsStore;

class Settings
{
public:
    explicit Settings(SettingsStore& store);

    /// Reads every value; until then the values are the defaults.
    void load();
    /// Where a failed write is reported, with the store's description of it.
    void setProblemReporter(std::function<void(const QString&)> report) { m_report = std::move(report); }

    const StoredSettings& values() const { return m_values; }
    SettingsStore& store() { return m_store; }
    QString keyPath() const;
    QString phoneBookKeyPath() const;

    bool alwaysRecord() const { return m_values.alwaysRecord; }
    bool sixtyMinsToAlert() const { return m_values.sixtyMinsToAlert; }
    bool autoClose60MinsForm() const { return m_values.autoClose60MinsForm; }
    bool alertNoSound() const { return m_values.alertNoSound; }
    /// The alert position's text; empty when none was chosen.
    QString alertPos() const { return m_values.alertPos.value_or(QString()); }
    const AllowanceSettings& allowance() const { return m_values.allowance; }
    QString allowanceWarned() const { return m_values.allowanceWarned; }

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
    /// Writes every allowance value; an allowance that is off is stored as an empty text.
    bool setAllowance(const AllowanceSettings& allowance);
    /// The period and the thresholds already warned of in it.
    bool setAllowanceWarned(const QString& text);

private:
    bool write(const QString& name, const QString& value);
    bool writeFlag(const QString& name, bool on);

    SettingsStore& m_store;
    StoredSettings m_values;
    std::function<void(const QString&)> m_report;
};
