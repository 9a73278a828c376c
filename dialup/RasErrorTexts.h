// Texts for dial-up error codes, for dial-up systems that have none of their own.
#pragma once

#include <QString>
#include <optional>

namespace RasErrorTexts {

/// Our text for a code from 600 to 800, or nothing for a code we do not know.
std::optional<QString> text(quint32 code);

} // namespace RasErrorTexts
