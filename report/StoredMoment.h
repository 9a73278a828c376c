// A start or end text in exactly the form the recorder writes, "yyyy/mm/dd, hh:nn:ss am", read field by field
// in one go. Almost every record holds two of these, so the totalling pass reads them this way and keeps
// the text functions for anything else.
#pragma once

#include <QString>
#include <QtEndian>
#include <QtGlobal>
#include <cstring>
#include <string_view>

struct StoredMoment
{
    quint16 year = 0;
    quint8 month = 0;
    quint8 day = 0;
    quint8 hour = 0; ///< as written, 0..12
    quint8 minute = 0;
    quint8 second = 0;
    char half = 0; ///< 'a' or 'p'

    /// True only for 23 characters in the stored form with a calendar date, an hour up to 12, minutes and
    /// seconds up to 59 and a lower-case "am" or "pm".
    static bool read(std::string_view text, StoredMoment* into);

    /// The date characters of the last text read through it, and their values. Sessions of one day follow
    /// one another in a file, so most texts repeat the date before them: a byte comparison then stands for
    /// checking and converting it again.
    struct DateCache;
    /// The same answers as read(), with the date taken from `cache` when its characters are the cached ones.
    static bool read(std::string_view text, StoredMoment* into, DateCache& cache);

    /// Orders moments as their date texts followed by their times on the 24-hour clock are ordered.
    quint64 sortKey() const
    {
        const quint64 hour24 = hour % 12 + (half == 'p' ? 12 : 0);
        return quint64(year) << 40 | quint64(month) << 32 | quint64(day) << 24 | hour24 << 16 | quint64(minute) << 8 |
               second;
    }

    /// Equal exactly when the two texts are equal without their ":ss".
    quint64 minuteKey() const
    {
        return quint64(year) << 40 | quint64(month) << 32 | quint64(day) << 24 | quint64(hour) << 16 |
               quint64(minute) << 8 | quint8(half);
    }

    /// The text it was read from.
    QString toText() const;
    /// The same 23 characters written to `into`.
    void writeText(char* into) const;

    /// The fields in 40 bits (year 14, month 4, day 5, hour 4, minute 6, second 6, pm 1), for compact rows.
    quint64 packed() const
    {
        return quint64(year) << 26 | quint64(month) << 22 | quint64(day) << 17 | quint64(hour) << 13 |
               quint64(minute) << 7 | quint64(second) << 1 | (half == 'p' ? 1 : 0);
    }
    /// The date alone out of packed(): year, month and day.
    static quint64 packedDate(quint64 bits) { return bits >> 17; }
    static StoredMoment fromPacked(quint64 bits)
    {
        StoredMoment m;
        m.year = static_cast<quint16>(bits >> 26 & 0x3FFF);
        m.month = static_cast<quint8>(bits >> 22 & 0xF);
        m.day = static_cast<quint8>(bits >> 17 & 0x1F);
        m.hour = static_cast<quint8>(bits >> 13 & 0xF);
        m.minute = static_cast<quint8>(bits >> 7 & 0x3F);
        m.second = static_cast<quint8>(bits >> 1 & 0x3F);
        m.half = bits & 1 ? 'p' : 'a';
        return m;
    }
};

struct StoredMoment::DateCache
{
    quint64 head = 0;       ///< "yyyy/mm/" as read from the text
    quint32 tail = 0;       ///< "dd, ": the day and what follows it in every stored text
    quint64 packedDate = 0; ///< the date's StoredMoment::packed(), the time's bits clear
    bool filled = false;

    /// The text's first twelve characters are the cached date's and ", ".
    bool holds(const char* text) const
    {
        quint64 front;
        quint32 day;
        std::memcpy(&front, text, sizeof front);
        std::memcpy(&day, text + 8, sizeof day);
        return filled && front == head && day == tail;
    }
    /// Whether it holds the date of the 23 characters at `text`, once it has read their date when it is
    /// another day's. Their time is not looked at.
    bool take(const char* text) { return holds(text) || takeNew(text); }

private:
    bool takeNew(const char* text);
};

// Read inline: the totalling pass calls it twice for every record.
namespace StoredMomentForm {

// The 23 characters are checked as three overlapping 8-byte words: characters 0-7, 8-15 and 15-22. In each
// pattern "D" is a digit, "?" is not checked here, anything else must be that character.
struct WordPattern
{
    quint64 digitMask = 0;
    quint64 literalMask = 0;
    quint64 literals = 0;
};

constexpr WordPattern pattern(const char (&form)[9])
{
    WordPattern p;
    for (int i = 0; i < 8; ++i) {
        const quint64 byte = quint64(0xFF) << (8 * i);
        if (form[i] == 'D')
            p.digitMask |= byte;
        else if (form[i] != '?') {
            p.literalMask |= byte;
            p.literals |= quint64(static_cast<unsigned char>(form[i])) << (8 * i);
        }
    }
    return p;
}

inline constexpr WordPattern words[3] = {pattern("DDDD/DD/"), pattern("DD, DD:D"), pattern("DD:DD ?m")};
inline constexpr int wordAt[3] = {0, 8, 15};

inline quint64 load(const char* at)
{
    quint64 word;
    std::memcpy(&word, at, sizeof word);
    return qFromLittleEndian(word);
}

// Every digit byte is 0x30-0x39: its high half is 3, and adding 6 keeps it so.
inline bool matches(quint64 word, const WordPattern& p)
{
    constexpr quint64 highHalves = 0xF0F0F0F0F0F0F0F0ull;
    constexpr quint64 threes = 0x3030303030303030ull;
    constexpr quint64 sixes = 0x0606060606060606ull;
    return (word & p.literalMask) == p.literals && (word & highHalves & p.digitMask) == (threes & p.digitMask) &&
           ((word + sixes) & highHalves & p.digitMask) == (threes & p.digitMask);
}

/// The time of a stored text, characters 12-22, "hh:nn:ss am" or "... pm".
struct Time
{
    quint64 chars;  ///< characters 12-19 with '0' taken from each digit and ':' from each colon
    quint64 packed; ///< StoredMoment::packed()'s time bits
    quint32 order;  ///< orders the times of one day as the 24-hour clock does
    quint8 second;
};

/// True, with `into` filled, exactly when characters 12-22 of the 23 at `text` are a time that read() takes.
/// Two words stand for the eleven characters, so the totalling pass can check each of its texts in a few
/// instructions.
inline bool readTime(const char* text, Time* into)
{
    // Digits become 0-9 and colons 0; then each byte must stay below 0x80 when 0x76 (a digit) or 0x7F (a
    // colon) is added to it. No byte carries into the next unless it already failed.
    const quint64 e = load(text + 12) ^ 0x30303A30303A3030ull;
    const quint64 highBits = 0x8080808080808080ull;
    // Each byte plus ten times the one before it: hours, minutes and seconds in bytes 0, 3 and 6, at most 99
    // each, so nothing carries; adding 127 less each field's limit sets a high bit only past the limit.
    const quint64 values = e * 10 + (e >> 8);
    quint32 half;
    std::memcpy(&half, text + 19, sizeof half);
    half = qFromLittleEndian(half) >> 8;
    const bool pm = half == 0x6D7020; // " pm"
    if ((((e + 0x76767F76767F7676ull) | e) & highBits) != 0 ||
        ((values + 0x0044000044000073ull) & 0x0080000080000080ull) != 0 || (!pm && half != 0x6D6120)) // " am"
        return false;
    // One product moves the hour (4 bits), the minutes and the seconds (6 bits each) side by side into the top
    // bits, in packed()'s order; what else it forms lies below bit 34 and is shifted out.
    into->chars = e;
    into->packed = ((values & 0x003F00003F00000Full) * 0x1000000040000001ull) >> 47 | (pm ? 1u : 0u);
    // Hour 12 is the first hour of its half of the day, as 0 is.
    const quint32 hour = static_cast<quint32>(values & 0xF);
    into->order = quint32(into->packed & 0x1FFE) | (hour == 12 ? 0u : hour) << 13 | (pm ? 1u : 0u) << 17;
    into->second = static_cast<quint8>(values >> 48);
    return true;
}

inline bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

inline int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

} // namespace StoredMomentForm

inline bool StoredMoment::read(std::string_view text, StoredMoment* into)
{
    if (text.size() != 23)
        return false;
    bool ok = true;
    for (int i = 0; i < 3; ++i)
        ok &= StoredMomentForm::matches(StoredMomentForm::load(text.data() + StoredMomentForm::wordAt[i]),
                                        StoredMomentForm::words[i]);
    const auto* c = reinterpret_cast<const unsigned char*>(text.data());
    if (!ok || (c[21] != 'a' && c[21] != 'p'))
        return false;
    const auto two = [c](int at) { return (c[at] - '0') * 10 + (c[at + 1] - '0'); };
    const int year = two(0) * 100 + two(2);
    const int month = two(5);
    const int day = two(8);
    const int hour = two(12);
    const int minute = two(15);
    const int second = two(18);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > StoredMomentForm::daysInMonth(year, month) ||
        hour > 12 || minute > 59 || second > 59)
        return false;
    into->year = static_cast<quint16>(year);
    into->month = static_cast<quint8>(month);
    into->day = static_cast<quint8>(day);
    into->hour = static_cast<quint8>(hour);
    into->minute = static_cast<quint8>(minute);
    into->second = static_cast<quint8>(second);
    into->half = static_cast<char>(c[21]);
    return true;
}

inline bool StoredMoment::read(std::string_view text, StoredMoment* into, DateCache& cache)
{
    if (text.size() != 23)
        return false;
    if (!cache.holds(text.data())) {
        if (!read(text, into))
            return false;
        std::memcpy(&cache.head, text.data(), sizeof cache.head);
        std::memcpy(&cache.tail, text.data() + 8, sizeof cache.tail);
        cache.packedDate = into->packed() >> 17 << 17;
        cache.filled = true;
        return true;
    }
    // The date is the cached one, already found valid: only the time is left to check.
    StoredMomentForm::Time time;
    if (!StoredMomentForm::readTime(text.data(), &time))
        return false;
    *into = fromPacked(cache.packedDate | time.packed);
    return true;
}

inline bool StoredMoment::DateCache::takeNew(const char* text)
{
    // Another day's: its date is checked as read() checks it; the time is left to the caller.
    using namespace StoredMomentForm;
    if (!matches(load(text), words[0]) || !matches(load(text + wordAt[1]), words[1]))
        return false;
    const auto* c = reinterpret_cast<const unsigned char*>(text);
    const auto two = [c](int at) { return (c[at] - '0') * 10 + (c[at + 1] - '0'); };
    StoredMoment date;
    const int year = two(0) * 100 + two(2);
    const int month = two(5);
    const int day = two(8);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return false;
    date.year = static_cast<quint16>(year);
    date.month = static_cast<quint8>(month);
    date.day = static_cast<quint8>(day);
    std::memcpy(&head, text, sizeof head);
    std::memcpy(&tail, text + 8, sizeof tail);
    packedDate = date.packed();
    filled = true;
    return true;
}
