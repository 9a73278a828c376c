// Where the settings live: the key paths and the names of the stored values.
#pragma once

#include <QString>

namespace SettingNames {

/// The key of all settings; the sub-keys are appended to it.
inline const QString settingsKeyPath = QStringLiteral("Ruvela");
inline const QString phoneBooksKey = QStringLiteral("\\PhoneBooks");
inline const QString historyDirKey = QStringLiteral("\\HistoryDir");

inline const QString mainTop = QStringLiteral("MainTop");
inline const QString mainLeft = QStringLiteral("MainLeft");
inline const QString runWhenWinStarts = QStringLiteral("CheckRunWhenWinStarts");
inline const QString alwaysRecord = QStringLiteral("Check Always Record");
inline const QString keepAlertSet = QStringLiteral("Check Keep Alert Set");
inline const QString alertMin = QStringLiteral("SpinEd AlertMin");
inline const QString sixtyMinsToAlert = QStringLiteral("CheckSixtyMinsToAlert");
inline const QString autoClose60MinsForm = QStringLiteral("CheckAutoClose_60MinsForm");
inline const QString afterDisconnection = QStringLiteral("CheckAfterDisconnection");
inline const QString alertPos = QStringLiteral("ComboBoxAlertPos");
inline const QString alertNoSound = QStringLiteral("CheckAlertNoSound");
inline const QString basicFee = QStringLiteral("edBasicFee");
inline const QString aMinFee = QStringLiteral("edAMinFee");
inline const QString personalAccount = QStringLiteral("Personal Account");
inline const QString inTray = QStringLiteral("Check In Tray");
/// Whether metered links (a tethered phone, a mobile hotspot) are recorded beside dial-up.
inline const QString recordMetered = QStringLiteral("CheckRecordMetered");
inline const QString msgOutTop = QStringLiteral("MsgOutTop");
inline const QString msgOutLeft = QStringLiteral("MsgOutLeft");
inline const QString lastDirectory = QStringLiteral("Last Directory");
inline const QString dirWidthOfShellTree = QStringLiteral("DirWidthOfShellTree");
// The allowance per period.
inline const QString allowanceHours = QStringLiteral("AllowanceHours");
inline const QString allowanceBytes = QStringLiteral("AllowanceBytes");
inline const QString allowanceThresholds = QStringLiteral("AllowanceThresholds");
inline const QString allowanceNotifyDesktop = QStringLiteral("AllowanceNotifyDesktop");
/// The period's start and the thresholds already warned of in it.
inline const QString allowanceWarned = QStringLiteral("AllowanceWarned");

} // namespace SettingNames
