// The program's name and version as the user sees them.
#pragma once

#include <QString>

namespace AppInfo {
inline const QString ProgramTitle = QStringLiteral("Qov Ruvela v2.2.1");
inline const QString ExecutableName = QStringLiteral("qovruvela");
} // namespace AppInfo
