// The settings read once at start-up, in the form the windows apply them.
#pragma once

#include "settings/AllowanceSettings.h"

#include <QString>
#include <QStringList>
#include <optional>

class SettingsStore;

struct StoredSettings
{
    std::optional<int> mainTop;
    std::optional<int> mainLeft;
    bool runWhenWinStarts = false;
    bool alwaysRecord = true;
    bool keepAlertSet = false;
    std::optional<int> alertMin; ///< only when "keep alert set"; switches the minute alert on
    bool sixtyMinsToAlert = false;
    bool autoClose60MinsForm = false;
    bool afterDisconnection = false;
    std::optional<QString> alertPos; ///< the stored text, which may name no item
    bool alertNoSound = false;
    std::optional<QString> basicFee;
    std::optional<QString> aMinFee;
    QString personalAccount;
    bool inTray = false;
    bool recordMetered = false;
    AllowanceSettings allowance;
    QString allowanceWarned;    ///< as stored; the allowance's warnings read it
    QStringList phoneBookMarks; ///< "0", "1", … under the phone-book key, up to the first empty value
    std::optional<int> msgOutTop;
    std::optional<int> msgOutLeft;
    QString lastDirectory;
    std::optional<int> dirWidthOfShellTree;
    QStringList dirHistory; ///< the non-empty values of "0" … "9" under the history key, in that order
    /// Sentences for the status line about stored values that cannot be used and were ignored.
    QStringList notes;

    /// The program starts with only its tray icon when it starts at log-in or the tray box is checked.
    bool startsInTray() const { return runWhenWinStarts || inTray; }

    static constexpr int dirHistoryPlaces = 10;

    /// Reads every setting; a missing value or a number that is not a decimal integer leaves the design state.
    static StoredSettings LoadSettings(const SettingsStore& store, const QString& keyPath);
};
