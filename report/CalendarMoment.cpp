// Texts that are not in the stored form are read leniently: only their date must be right.
#include "report/CalendarMoment.h"

#include "report/StartAfterEnd.h"

std::optional<CalendarMoment> CalendarMoment::fromText(std::string_view text)
{
    StoredMoment stored;
    if (StoredMoment::read(text, &stored))
        return fromStored(stored);
    if (!StartAfterEnd::isStoredDate(text))
        return std::nullopt;
    const auto number = [text](std::size_t at, std::size_t count) {
        int value = 0;
        for (std::size_t i = at; i < at + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    CalendarMoment moment{dayNumber(number(0, 4), number(5, 2), number(8, 2)), -1};
    std::string_view rest = text.substr(10);
    while (!rest.empty() && (rest.front() == ',' || rest.front() == ' '))
        rest.remove_prefix(1);
    if (const auto time = StartAfterEnd::to24Hour(rest)) {
        const auto two = [&time](std::size_t at) { return ((*time)[at] - '0') * 10 + ((*time)[at + 1] - '0'); };
        moment.second = two(0) * 3600 + two(3) * 60 + two(6);
    }
    return moment;
}
