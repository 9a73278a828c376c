// The serif face the status line and the alert window ask for.
#pragma once

#include <QFont>

namespace SerifFont {

/// "Times New Roman" where it is installed, else the first installed serif face that stands in for it,
/// else the application's font. Asking for a face that is not there makes fontconfig hunt through every
/// installed font for a fallback; choosing once from the installed families spares that.
QFont font();

} // namespace SerifFont
