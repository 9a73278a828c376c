// The settings object's reads and writes.
#include "settings/Settings.h"

#include "platform/SettingsStore.h"
#include "settings/SettingNames.h"

Settings::Settings(SettingsStore& store, QObject* parent) : QObject(parent), m_store(store) {}

void Settings::load()
{
    m_values = StoredSettings::LoadSettings(m_store, keyPath());
}

QString Settings::problem() const
{
    return m_store.problem();
}

bool Settings::retryPendingWrites()
{
    return m_store.retryPendingWrites();
}

bool Settings::hasPendingWrites() const
{
    return m_store.hasPendingWrites();
}

QString Settings::storedPersonalAccount(const SettingsStore& store)
{
    return store.ReadIniFromReg(SettingNames::settingsKeyPath, SettingNames::personalAccount);
}

QString Settings::keyPath() const
{
    return SettingNames::settingsKeyPath;
}

QString Settings::phoneBookKeyPath() const
{
    return SettingNames::settingsKeyPath + SettingNames::phoneBooksKey;
}

bool Settings::put(const QString& keyPath, const QString& name, const QString& value, bool& changedText)
{
    const bool differs = m_store.ReadIniFromReg(keyPath, name) != value;
    if (m_store.WriteIniToReg(keyPath, name, value)) {
        changedText = changedText || differs;
        return true;
    }
    if (m_report)
        m_report(m_store.problem());
    return false;
}

bool Settings::write(const QString& name, const QString& value)
{
    bool changedText = false;
    const bool ok = put(keyPath(), name, value, changedText);
    if (changedText)
        emit changed(name);
    return ok;
}

bool Settings::writeList(const QString& subKey, const QStringList& values)
{
    const QString path = keyPath() + subKey;
    bool changedText = false;
    bool ok = true;
    // Every value is tried, whatever failed before it.
    for (qsizetype n = 0; n < values.size(); ++n)
        ok = put(path, QString::number(n), values.at(n), changedText) && ok;
    if (changedText)
        emit changed(subKey);
    return ok;
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

bool Settings::setRecordMetered(bool on)
{
    m_values.recordMetered = on;
    return writeFlag(SettingNames::recordMetered, on);
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

bool Settings::setPersonalAccount(const QString& fileName)
{
    m_values.personalAccount = fileName;
    return write(SettingNames::personalAccount, fileName);
}

bool Settings::setPhoneBookMarks(const QStringList& names)
{
    m_values.phoneBookMarks = names;
    // An empty value ends the list for the reader, whatever was stored after it before.
    return writeList(SettingNames::phoneBooksKey, QStringList(names) << QString());
}

bool Settings::setMsgOutPosition(int left, int top)
{
    m_values.msgOutTop = top;
    m_values.msgOutLeft = left;
    const bool topWritten = write(SettingNames::msgOutTop, QString::number(top));
    return write(SettingNames::msgOutLeft, QString::number(left)) && topWritten;
}

bool Settings::setLastDirectory(const QString& dir)
{
    m_values.lastDirectory = dir;
    return write(SettingNames::lastDirectory, dir);
}

bool Settings::setDirWidthOfShellTree(int width)
{
    m_values.dirWidthOfShellTree = width;
    return write(SettingNames::dirWidthOfShellTree, QString::number(width));
}

bool Settings::setDirHistory(const QStringList& dirs)
{
    QStringList places = dirs.mid(0, StoredSettings::dirHistoryPlaces);
    m_values.dirHistory = places;
    m_values.dirHistory.removeAll(QString());
    while (places.size() < StoredSettings::dirHistoryPlaces)
        places.append(QString());
    return writeList(SettingNames::historyDirKey, places);
}
