// How long one session lasted: whole minutes from its minute counter, seconds from its start and end texts.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <string_view>

namespace SessionDuration {

/// The two characters that hold the seconds in "yyyy/mm/dd, hh:nn:ss am/pm", taken from the end of the text
/// so that a converted date in front of them does not matter. For s = 1..59 the result is 60 - s (the
/// seconds left in the start minute), otherwise 0. Nothing when those characters are not a number.
std::optional<quint8> GetStartSeconds(std::string_view startText);

/// The seconds of an end text, 1..59, or 0. Nothing when they are not a number.
std::optional<quint8> GetEndSeconds(std::string_view endText);

/// True when the two texts are equal once their ":ss" is removed: same day, same clock minute.
bool StartAndEnd_DateTime_Records_AreSame(std::string_view startText, std::string_view endText);

struct Duration
{
    qint32 minutes = 0;
    quint8 seconds = 0; ///< 0..59
    bool operator==(const Duration&) const = default;
};

/// A minute counter no recording writes: the session's time is unknown and counts as nothing.
constexpr bool isDamagedCount(qint32 usedMinutes)
{
    return usedMinutes < 0;
}

/// The duration from the minute counter `usedMinutes`, `GetStartSeconds` (`startComplement`),
/// `GetEndSeconds` (`endSeconds`) and whether start and end lie in the same minute. The minute counter
/// counts changes of the clock minute, so the first and the last partial minute are made up from the
/// seconds in the texts instead. Texts of one minute give the seconds between them whatever the counter
/// says: a Stop released late or a clock set back leaves a count of 1 there. A negative counter is damage
/// and gives nothing (see `isDamagedCount`). Inline: the totalling pass calls it for every session.
inline Duration fromParts(qint32 usedMinutes, quint8 startComplement, quint8 endSeconds, bool sameMinute)
{
    const int c = startComplement;
    const int s = c != 0 ? 60 - c : 0;
    const int e = endSeconds;
    if (Q_UNLIKELY(isDamagedCount(usedMinutes)))
        return {};
    if (sameMinute)
        return {0, static_cast<quint8>(e < s ? 60 - s + e : e - s)};
    if (usedMinutes >= 1) {
        // U changes of the minute: the rest of the start minute (a whole one from second 00), U - 1 whole
        // minutes in between and the seconds of the end minute. At most 119 seconds, so at most one carry.
        const int a = (60 - s) + e;
        return {usedMinutes - 1 + a / 60, static_cast<quint8>(a % 60)};
    }
    // No change counted although the minutes differ: only the end seconds count, or the rest of the start
    // minute when the session ended on a full minute.
    const int a = (e == 0 ? c : 0) + (e < s ? e : e - s);
    return {a / 60, static_cast<quint8>(a % 60)};
}

/// "H:MM:SS" for a number of minutes and seconds; each part is written in decimal and a single digit gets
/// a leading "0", so hours may have more than two digits.
QString timeText(qint64 minutes, qint64 seconds);

} // namespace SessionDuration
