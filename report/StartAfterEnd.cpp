// The comparison a clock put back during a session shows up in: the texts themselves sort by time only once
// the twelve-hour clock's "12 am" is turned into "00".
#include "report/StartAfterEnd.h"

#include <QDate>

namespace StartAfterEnd {

namespace {

bool digitsAt(std::string_view text, std::size_t from, std::size_t count, int* value)
{
    int result = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

bool equalsIgnoringCase(std::string_view text, const char* lower)
{
    const std::string_view want(lower);
    if (text.size() != want.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] - 'A' + 'a') : text[i];
        if (c != want[i])
            return false;
    }
    return true;
}

struct Parts
{
    std::string_view date; ///< the first ten characters
    std::string_view time; ///< eleven characters after the date's ", "
};

Parts split(std::string_view text)
{
    const std::string_view rest = text.substr(qMin<std::size_t>(10, text.size()));
    return {text.substr(0, 10), rest.substr(qMin<std::size_t>(2, rest.size()), 11)};
}

} // namespace

bool isStoredDate(std::string_view text)
{
    int year = 0;
    int month = 0;
    int day = 0;
    return digitsAt(text, 0, 4, &year) && digitsAt(text, 5, 2, &month) && digitsAt(text, 8, 2, &day) &&
           QDate::isValid(year, month, day);
}

std::optional<std::array<char, 8>> to24Hour(std::string_view time)
{
    const std::size_t colon = time.find(':');
    if (colon != 1 && colon != 2)
        return std::nullopt;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!digitsAt(time, 0, colon, &hour) || !digitsAt(time, colon + 1, 2, &minute) || time.size() < colon + 6 ||
        time[colon + 3] != ':' || !digitsAt(time, colon + 4, 2, &second))
        return std::nullopt;
    const std::string_view suffix = time.substr(colon + 6);
    if (suffix.empty()) {
        if (hour > 23)
            return std::nullopt;
    } else {
        const std::size_t letters = suffix.find_first_not_of(' ');
        if (letters == 0 || letters == std::string_view::npos || hour > 12)
            return std::nullopt;
        const std::string_view half = suffix.substr(letters);
        const bool am = equalsIgnoringCase(half, "am");
        if (!am && !equalsIgnoringCase(half, "pm"))
            return std::nullopt;
        hour = hour % 12 + (am ? 0 : 12);
    }
    if (minute > 59 || second > 59)
        return std::nullopt;
    std::array<char, 8> out{};
    const int parts[3] = {hour, minute, second};
    for (std::size_t i = 0; i < 3; ++i) {
        out[i * 3] = char('0' + parts[i] / 10);
        out[i * 3 + 1] = char('0' + parts[i] % 10);
        if (i < 2)
            out[i * 3 + 2] = ':';
    }
    return out;
}

bool isStartAfterEnd(std::string_view startText, std::string_view endText)
{
    const Parts start = split(startText);
    const Parts end = split(endText);
    std::string_view startTime = start.time;
    std::string_view endTime = end.time;
    std::optional<std::array<char, 8>> start24;
    std::optional<std::array<char, 8>> end24;
    if (!startTime.empty() && !endTime.empty()) {
        start24 = to24Hour(startTime);
        if (start24) {
            startTime = std::string_view(start24->data(), start24->size());
            end24 = to24Hour(endTime);
            if (end24)
                endTime = std::string_view(end24->data(), end24->size());
        }
    }
    // Ordinal comparison of date + time; the parts are at most 10 and 11 characters long.
    std::array<char, 24> left{};
    std::array<char, 24> right{};
    start.date.copy(left.data(), start.date.size());
    startTime.copy(left.data() + start.date.size(), startTime.size());
    end.date.copy(right.data(), end.date.size());
    endTime.copy(right.data() + end.date.size(), endTime.size());
    return std::string_view(left.data(), start.date.size() + startTime.size()) >
           std::string_view(right.data(), end.date.size() + endTime.size());
}

} // namespace StartAfterEnd
