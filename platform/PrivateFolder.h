// A folder of the user's own that no one else may write in: the only kind of folder where a file of the
// program's may be made, locked or swapped for a new one without another user planting something there.
#pragma once

#include <QString>

namespace PrivateFolder {

/// Made 0700 when missing; an existing one must be a folder, not a link to one, of this user's that no one
/// else may write in. Empty when it is usable, otherwise why not ("others may write in it").
QString problem(const QString& folder);

} // namespace PrivateFolder
