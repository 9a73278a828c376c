// The settings object's reads and writes.
#include "settings/Settings.h"

#include "platform/SettingsStore.h"
#include "settings/SettingNames.h"

Settings::Settings(SettingsStore& store) : m_store(store) {}

void Settings::load()
{
    m_values = StoredSettings::LoadSettings(m_store, keyPath());
}

QString Settings::keyPath() const
{
    return SettingNames::settingsKeyPath;
}

QString Settings::phoneBookKeyPath() const
{
    return SettingNames::settingsKeyPath + SettingNames::phoneBooksKey;
}

bool Settings::write(const QString& name, const QString& value)
{
    if (m_store.WriteIniToReg(keyPath(), name, value))
        return true;
    if (m_report)
        m_report(m_store.problem());
    return false;
}

bool Settings::writeFlag(const QString& name, bool on)
{
    return write(name, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Settings::setMainPosition(int left, int top)
{
    m_values.mainTop = top;
    m_values.mainLeft = left;
    const bool topWritten = write(SettingNames::mainTop, QString::number(top));
    return write(SettingNames::mainLeft, QString::number(left)) && topWritten;
}

bool Settings::setRunWhenWinStarts(bool on)
{
    m_values.runWhenWinStarts = on;
    return writeFlag(SettingNames::runWhenWinStarts, on);
}

bool Settings::setKeepAlertSet(bool on)
{
    m_values.keepAlertSet = on;
    return writeFlag(SettingNames::keepAlertSet, on);
}

bool Settings::setSixtyMinsToAlert(bool on)
{
    m_values.sixtyMinsToAlert = on;
    return writeFlag(SettingNames::sixtyMinsToAlert, on);
}

bool Settings::setAutoClose60MinsForm(bool on)
{
    m_values.autoClose60MinsForm = on;
    return writeFlag(SettingNames::autoClose60MinsForm, on);
}

bool Settings::setAfterDisconnection(bool on)
{
    m_values.afterDisconnection = on;
    return writeFlag(SettingNames::afterDisconnection, on);
}

bool Settings::setAlertPos(const QString& text)
{
    m_values.alertPos = text;
    return write(SettingNames::alertPos, text);
}

bool Settings::setAlertNoSound(bool on)
{
    m_values.alertNoSound = on;
    return writeFlag(SettingNames::alertNoSound, on);
}

bool Settings::setInTray(bool on)
{
    m_values.inTray = on;
    return writeFlag(SettingNames::inTray, on);
}

bool Settings::setAllowance(const AllowanceSettings& allowance)
{
    m_values.allowance = allowance;
    const auto number = [](const auto& value) { return value ? QString::number(*value) : QString(); };
    bool ok = write(SettingNames::allowanceHours, number(allowance.hours));
    ok = write(SettingNames::allowanceBytes, number(allowance.bytes)) && ok;
    // Apart by spaces: an INI file reads a value with commas as a list.
    ok = write(SettingNames::allowanceThresholds,
               AllowanceSettings::thresholdsText(allowance.thresholds).remove(QLatin1Char(','))) &&
         ok;
    return writeFlag(SettingNames::allowanceNotifyDesktop, allowance.notifyDesktop) && ok;
}

bool Settings::setAllowanceWarned(const QString& text)
{
    m_values.allowanceWarned = text;
    return write(SettingNames::allowanceWarned, text);
}
