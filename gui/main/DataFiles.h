// Where the program's own data files (the manual, the sound, the logo) are found.
#pragma once

#include <QString>

namespace DataFiles {

/// The first of: the personal files' folder, the executable's folder, the install's data folder
/// (share/qovruvela beside the executable's bin folder) that holds `name`; the first of them when none does.
QString find(const QString& programDir, const QString& name);

} // namespace DataFiles
