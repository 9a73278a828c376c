// A session's texts written straight to the report output, without a string of their own: the same as
// CalculationResult::shownText and SessionDuration::timeText give.
#pragma once

#include "report/LocaleTexts.h"
#include "report/ReportOutput.h"
#include "report/StoredMoment.h"

namespace SessionText {

/// A moment in the stored form as the user reads it: the locale's short date, then the stored time part
/// (", hh:nn:ss am").
inline void writeShown(ReportOutput& out, const StoredMoment& moment, LocaleTexts& texts)
{
    char text[23];
    moment.writeText(text);
    out << texts.shortDate(moment.year, moment.month, moment.day) << std::string_view(text + 10, 13);
}

/// "hh:nn:ss" of a duration; each part has at least two digits.
inline void writeTime(ReportOutput& out, qint64 minutes, qint64 seconds)
{
    const auto padded = [&out](qint64 value) {
        if (value >= 0 && value < 10)
            out << '0';
        out << value;
    };
    padded(minutes / 60);
    out << ':';
    padded(minutes % 60);
    out << ':';
    padded(seconds);
}

/// The same two texts formed in place.
inline void placeTime(PlacedText& into, qint64 minutes, qint64 seconds)
{
    if (minutes >= 0 && minutes < 6000 && seconds >= 0 && seconds < 60) {
        const auto whole = static_cast<unsigned>(minutes);
        into.twoDigits(whole / 60) << ':';
        into.twoDigits(whole % 60) << ':';
        into.twoDigits(static_cast<unsigned>(seconds));
        return;
    }
    into.padded(minutes / 60) << ':';
    into.padded(minutes % 60) << ':';
    into.padded(seconds);
}
/// ", hh:nn:ss am": the time part of the stored form.
inline void placeStoredTime(PlacedText& into, const StoredMoment& moment)
{
    // Read only in the stored form: the hour up to 12, minutes and seconds up to 59.
    into << ", ";
    into.twoDigits(moment.hour) << ':';
    into.twoDigits(moment.minute) << ':';
    into.twoDigits(moment.second) << ' ' << moment.half << 'm';
}

} // namespace SessionText
