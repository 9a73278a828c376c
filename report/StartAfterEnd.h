// Whether a session record's start lies after its end: the stored date and the time on the 24-hour clock
// of the start, compared as text with those of the end.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace StartAfterEnd {

/// True when the text begins with a calendar date in the stored form: year in characters 1-4, month in 6-7,
/// day in 9-10 (the separators are not examined).
bool isStoredDate(std::string_view text);

/// "hh:nn:ss am" or "hh:nn:ss pm" (or a 24-hour "hh:nn:ss") as "HH:NN:SS" on the 24-hour clock; nothing
/// when it is not a time of day.
std::optional<std::array<char, 8>> to24Hour(std::string_view time);

/// Date part "yyyy/mm/dd" and time part "hh:nn:ss am" of each text; when both times can be read they are
/// compared on the 24-hour clock, so 12:59:30 am comes before 01:00:10 am. A time that cannot be read is
/// compared as it is written (and then so is the end's).
bool isStartAfterEnd(std::string_view startText, std::string_view endText);

} // namespace StartAfterEnd
