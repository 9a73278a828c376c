// Reading the settings table.
#include "settings/StoredSettings.h"

#include "platform/SettingsStore.h"
#include "settings/SettingNames.h"

namespace {
std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> nonEmpty(const QString& text)
{
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}
} // namespace

StoredSettings StoredSettings::LoadSettings(const SettingsStore& store, const QString& keyPath)
{
    namespace N = SettingNames;
    const auto read = [&](const QString& name) { return store.ReadIniFromReg(keyPath, name); };
    const auto isOn = [&](const QString& name) { return read(name) == QLatin1String("1"); };

    StoredSettings s;
    s.mainTop = number(read(N::mainTop));
    s.mainLeft = number(read(N::mainLeft));
    s.runWhenWinStarts = isOn(N::runWhenWinStarts);
    s.alwaysRecord = read(N::alwaysRecord) != QLatin1String("0");
    s.keepAlertSet = isOn(N::keepAlertSet);
    if (s.keepAlertSet) {
        const auto minutes = number(read(N::alertMin));
        if (minutes && *minutes >= 0 && *minutes <= 1440)
            s.alertMin = minutes;
    }
    s.sixtyMinsToAlert = isOn(N::sixtyMinsToAlert);
    s.autoClose60MinsForm = isOn(N::autoClose60MinsForm);
    s.afterDisconnection = isOn(N::afterDisconnection);
    s.alertPos = nonEmpty(read(N::alertPos));
    s.alertNoSound = isOn(N::alertNoSound);
    s.basicFee = nonEmpty(read(N::basicFee));
    s.aMinFee = nonEmpty(read(N::aMinFee));
    s.personalAccount = read(N::personalAccount);
    s.inTray = isOn(N::inTray);
    s.recordMetered = isOn(N::recordMetered);
    s.allowance = AllowanceSettings::read(store, keyPath, &s.notes);
    s.allowanceWarned = read(N::allowanceWarned);
    s.msgOutTop = number(read(N::msgOutTop));
    s.msgOutLeft = number(read(N::msgOutLeft));
    s.lastDirectory = read(N::lastDirectory);
    s.dirWidthOfShellTree = number(read(N::dirWidthOfShellTree));
    const QString phoneBooks = keyPath + N::phoneBooksKey;
    for (int n = 0;; ++n) {
        const QString name = store.ReadIniFromReg(phoneBooks, QString::number(n));
        if (name.isEmpty())
            break;
        s.phoneBookMarks.append(name);
    }
    const QString history = keyPath + N::historyDirKey;
    for (int n = 0; n < dirHistoryPlaces; ++n) {
        if (const QString dir = store.ReadIniFromReg(history, QString::number(n)); !dir.isEmpty())
            s.dirHistory.append(dir);
    }
    return s;
}
