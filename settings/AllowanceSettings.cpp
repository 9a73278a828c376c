// Checking the allowance's values, as typed and as stored.
#include "settings/AllowanceSettings.h"

#include "platform/SettingsStore.h"
#include "settings/SettingNames.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

std::optional<qint64> wholeNumber(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// A decimal amount in the user's way of writing it, or with a point.
std::optional<double> amount(const QString& text)
{
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString ignored(const QString& name, const QString& value, const QString& why)
{
    return QStringLiteral("The setting \"%1\" (\"%2\") is ignored: %3").arg(name, value, why);
}

} // namespace

AllowanceSettings::Checked<int> AllowanceSettings::checkHours(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    const std::optional<qint64> hours = wholeNumber(text);
    if (!hours)
        return {std::nullopt, QStringLiteral("\"%1\" is not a whole number of hours.").arg(text.trimmed())};
    if (*hours < 1)
        return {std::nullopt,
                QStringLiteral("The time allowance must be at least 1 hour; leave it empty for no time allowance.")};
    if (*hours > maxHours)
        return {std::nullopt, QStringLiteral("The time allowance cannot be more than %1 hours, the hours of the "
                                             "longest period.")
                                  .arg(maxHours)};
    return {int(*hours), {}};
}

AllowanceSettings::Checked<qint64> AllowanceSettings::checkData(const QString& text, DataUnit unit)
{
    if (text.trimmed().isEmpty())
        return {};
    const std::optional<double> value = amount(text);
    if (!value)
        return {std::nullopt, QStringLiteral("\"%1\" is not an amount of data.").arg(text.trimmed())};
    const double bytes = std::round(*value * double(unit == DataUnit::GB ? bytesPerGB : bytesPerMB));
    if (bytes <= 0)
        return {std::nullopt,
                QStringLiteral("The data allowance must be more than 0; leave it empty for no data allowance.")};
    if (bytes < double(bytesPerMB))
        return {std::nullopt, QStringLiteral("The data allowance must be at least 1 MB.")};
    if (bytes > double(maxBytes))
        return {std::nullopt,
                QStringLiteral("The data allowance cannot be more than %1 GB.").arg(maxBytes / bytesPerGB)};
    return {qint64(bytes), {}};
}

AllowanceSettings::Checked<QList<int>> AllowanceSettings::checkThresholds(const QString& text)
{
    // "80 %" and "80%" are read as 80.
    static const QRegularExpression separators(QStringLiteral("[,;%\\s]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {std::nullopt, QStringLiteral("Give at least one percentage to warn at, such as 80, 100.")};
    if (parts.size() > maxThresholds)
        return {std::nullopt, QStringLiteral("Give at most %1 percentages to warn at.").arg(maxThresholds)};
    QList<int> percentages;
    for (const QString& part : parts) {
        const std::optional<qint64> percent = wholeNumber(part);
        if (!percent || *percent < 1 || *percent > 100)
            return {std::nullopt, QStringLiteral("\"%1\" is not a percentage from 1 to 100.").arg(part)};
        if (!percentages.contains(int(*percent)))
            percentages.append(int(*percent));
    }
    std::sort(percentages.begin(), percentages.end());
    return {percentages, {}};
}

std::pair<QString, AllowanceSettings::DataUnit> AllowanceSettings::dataForEntry(qint64 bytes)
{
    const bool gb = bytes >= bytesPerGB;
    const double value = double(bytes) / double(gb ? bytesPerGB : bytesPerMB);
    // Up to two decimals, and none that are zero.
    QString text = QLocale().toString(value, 'f', 2);
    const QChar point = QLocale().decimalPoint().at(0);
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(1);
    }
    return {text, gb ? DataUnit::GB : DataUnit::MB};
}

QString AllowanceSettings::thresholdsText(const QList<int>& thresholds)
{
    QStringList parts;
    for (const int percent : thresholds)
        parts.append(QString::number(percent));
    return parts.join(QStringLiteral(", "));
}

AllowanceSettings AllowanceSettings::read(const SettingsStore& store, const QString& keyPath, QStringList* notes)
{
    namespace N = SettingNames;
    const auto note = [&](const QString& text) {
        if (notes)
            notes->append(text);
    };
    AllowanceSettings s;
    if (const QString text = store.ReadIniFromReg(keyPath, N::allowanceHours); !text.isEmpty()) {
        const Checked<int> hours = checkHours(text);
        if (hours.ok())
            s.hours = hours.value;
        else
            note(ignored(N::allowanceHours, text, hours.problem));
    }
    if (const QString text = store.ReadIniFromReg(keyPath, N::allowanceBytes); !text.isEmpty()) {
        // Stored as a whole number of bytes.
        const std::optional<qint64> bytes = wholeNumber(text);
        if (!bytes)
            note(ignored(N::allowanceBytes, text, QStringLiteral("it is not a whole number of bytes.")));
        else if (*bytes < bytesPerMB || *bytes > maxBytes)
            note(ignored(N::allowanceBytes, text,
                         QStringLiteral("a data allowance is from 1 MB to %1 GB.").arg(maxBytes / bytesPerGB)));
        else
            s.bytes = bytes;
    }
    if (const QString text = store.ReadIniFromReg(keyPath, N::allowanceThresholds); !text.isEmpty()) {
        const Checked<QList<int>> thresholds = checkThresholds(text);
        if (thresholds.ok())
            s.thresholds = *thresholds.value;
        else
            note(ignored(N::allowanceThresholds, text, thresholds.problem));
    }
    s.notifyDesktop = store.ReadIniFromReg(keyPath, N::allowanceNotifyDesktop) == QLatin1String("1");
    return s;
}
