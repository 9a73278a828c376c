// The allowance per accounting period as the user sets it: hours and bytes (either may be off), the
// percentages to warn at and whether warnings also go to the desktop's notification service. How each value
// typed in the window or found in the settings file is checked, and the texts that say why one is refused.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class SettingsStore;

struct AllowanceSettings
{
    /// A value as the user typed it: `value` when it is one (none for an empty field, which switches that
    /// allowance off), or `problem`, a sentence saying why it is refused.
    template <typename T> struct Checked
    {
        std::optional<T> value;
        QString problem;
        bool ok() const { return problem.isEmpty(); }
    };

    enum class DataUnit
    {
        MB,
        GB
    };

    std::optional<int> hours;          ///< time online per period; none: no time allowance
    std::optional<qint64> bytes;       ///< bytes downloaded and uploaded together per period; none: no data allowance
    QList<int> thresholds = {80, 100}; ///< percentages, ascending, each once
    bool notifyDesktop = false;

    bool isSet() const { return hours.has_value() || bytes.has_value(); }
    qint64 seconds() const { return hours ? qint64(*hours) * 3600 : 0; }
    bool operator==(const AllowanceSettings&) const = default;

    /// No period is longer than 31 days of 24 hours.
    static constexpr int maxHours = 744;
    static constexpr qint64 bytesPerMB = 1024LL * 1024;
    static constexpr qint64 bytesPerGB = 1024LL * bytesPerMB;
    static constexpr qint64 maxBytes = 100000LL * bytesPerGB;
    static constexpr int maxThresholds = 5;

    static Checked<int> checkHours(const QString& text);
    /// An amount such as "2.5" in the unit chosen beside it, as bytes.
    static Checked<qint64> checkData(const QString& text, DataUnit unit);
    /// Whole percentages from 1 to 100, separated by commas or spaces ("80, 100"); at least one.
    static Checked<QList<int>> checkThresholds(const QString& text);

    /// The amount and unit the window shows for a data allowance: GB from 1 GB on, else MB.
    static std::pair<QString, DataUnit> dataForEntry(qint64 bytes);
    /// "80, 100".
    static QString thresholdsText(const QList<int>& thresholds);

    /// Reads the stored values. A value that cannot be used leaves its default, and `notes` gets a
    /// sentence for the status line naming it.
    static AllowanceSettings read(const SettingsStore& store, const QString& keyPath, QStringList* notes);
};
