// The locale's byte-count and short-date texts for writing many sessions: the separators are fetched once
// and checked against the locale's own formatting, and each day's date text is formed once. The texts are
// those of ByteText::BytesToFriendlyString and QLocale::toString(date, QLocale::ShortFormat), byte for byte;
// a locale whose numbers this cannot reproduce (other digits, other grouping) is simply asked every time.
#pragma once

#include "report/ReportOutput.h"

#include <QDate>
#include <QLocale>
#include <QtEndian>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class LocaleTexts
{
public:
    explicit LocaleTexts(const QLocale& locale = QLocale());

    /// ByteText::BytesToFriendlyString(bytes) in UTF-8; valid until the next call.
    std::string_view bytesText(quint32 bytes);
    /// The same written at `at`, which has room for maxBytesText bytes; returns its end.
    char* putBytesText(char* at, quint32 bytes)
    {
        return m_formsNumbers ? putFormedBytes(at, bytes) : putLocaleBytes(at, bytes);
    }
    static constexpr std::size_t maxBytesText = 64;
    /// A day's bytes, which are not wrapped at 2^32: above 4 GiB in GB.
    std::string_view dayBytesText(quint64 bytes);
    /// The locale's short date of a valid date, in UTF-8.
    std::string_view shortDate(int year, int month, int day)
    {
        // Sessions of one day follow one another.
        const quint32 key = quint32(year) << 9 | quint32(month) << 5 | quint32(day);
        if (m_formsDates && key == m_formedKey)
            return {m_date, m_dateSize};
        return newShortDate(year, month, day, key);
    }
    std::string_view shortDate(const QDate& date);

    /// Whether numbers are formed here rather than by the locale; for the tests.
    bool formsNumbers() const { return m_formsNumbers; }
    /// Whether dates are formed here from the locale's short date format rather than asked day by day.
    bool formsDates() const { return m_formsDates; }

private:
    std::string_view formBytes(quint32 bytes);
    // Inlined where a million sessions are written: two byte counts each.
    Q_ALWAYS_INLINE char* putFormedBytes(char* at, quint32 bytes) const;
    char* putLocaleBytes(char* at, quint32 bytes);
    std::string_view newShortDate(int year, int month, int day, quint32 key);
    std::string_view formDayBytes(quint64 bytes);
    /// value / 2^shift with two decimals, rounded as the locale rounds; false, writing nothing, when the
    /// integer part has more than four digits (whose grouping is not checked).
    bool appendHundredths(quint64 value, int shift);
    /// The same written at `at`, up to sizeof m_formed bytes; its end, or nothing.
    Q_ALWAYS_INLINE char* putHundredths(char* at, quint64 value, int shift) const;
    /// value / 2^shift in hundredths, rounded as the locale rounds.
    Q_ALWAYS_INLINE quint64 hundredthsOf(quint64 value, int shift) const;
    std::string_view fromLocale(const QString& text);
    void appendUnit(const char* unit);
    /// The short date format as parts; false when it holds anything but days, months, years and text.
    bool readDateFormat(const QString& format);
    std::string_view formDate(int year, int month, int day);

    /// One part of the short date format: text, or a field of the date with its width.
    struct DatePart
    {
        char field = 0; ///< 'd', 'M', 'y', or 0 for text
        int width = 0;  ///< the letter's count: d dd ddd dddd, M MM MMM MMMM, yy yyyy
        std::string text;
    };

    QLocale m_locale;
    bool m_formsNumbers = false;
    bool m_groupFourDigits = false; ///< "1,023.00" rather than "1023.00"
    bool m_halfToEven = false;      ///< how an exact half of a hundredth is rounded
    std::string m_decimal;
    std::string m_group;
    std::string m_text;
    char m_formed[32]; ///< a byte count formed here
    /// The whole part of a byte count below 4 GiB in its unit (0 to 1,024) with the decimal point after it,
    /// as putHundredths() forms it; copied whole, the byte of its size too.
    struct WholePart
    {
        char text[15];
        quint8 size;
    };
    static_assert(sizeof(WholePart) == 16);
    std::vector<WholePart> m_wholeParts;
    bool m_formsDates = false;
    std::vector<DatePart> m_dateParts;
    std::string m_monthNames[2][12]; ///< short and long, as the locale writes them in a date
    std::string m_dayNames[2][7];    ///< the same, Monday first
    char m_date[256];                ///< the last date formed
    std::size_t m_dateSize = 0;
    std::ptrdiff_t m_dayAt = -1; ///< where the day's digits are in m_date; -1 when it is formed whole each day
    int m_dayWidth = 0;          ///< "d" or "dd"
    quint32 m_formedKey = 0;     ///< the date m_date holds
    std::unordered_map<quint32, std::string> m_dates; ///< the locale's own texts, when they are not formed
    quint32 m_lastDateKey = 0;
    const std::string* m_lastDate = nullptr;
};

quint64 LocaleTexts::hundredthsOf(quint64 value, int shift) const
{
    // Byte counts below 4 GiB divided by a power of two are exact binary fractions, so the hundredths and the
    // remainder that decides the rounding are whole numbers.
    const quint64 scaled = value * 100;
    quint64 hundredths = scaled >> shift;
    if (shift > 0) {
        const quint64 rest = scaled & ((quint64(1) << shift) - 1);
        const quint64 half = quint64(1) << (shift - 1);
        if (rest > half || (rest == half && (!m_halfToEven || hundredths % 2 == 1)))
            ++hundredths;
    }
    return hundredths;
}

char* LocaleTexts::putHundredths(char* at, quint64 value, int shift) const
{
    const quint64 hundredths = hundredthsOf(value, shift);
    const auto whole = static_cast<unsigned>(hundredths / 100);
    if (whole >= 10000)
        return nullptr;
    // Byte counts of every size follow one another: the digits are chosen without a branch, all four put
    // down and the leading zeros left behind.
    const char* pairs = PlacedText::digitPairs.data();
    const auto count = static_cast<std::size_t>(1 + (whole >= 10) + (whole >= 100) + (whole >= 1000));
    if (count == 4 && m_groupFourDigits) {
        *at++ = char('0' + whole / 1000);
        std::memcpy(at, m_group.data(), m_group.size());
        at += m_group.size();
        *at++ = pairs[2 * (whole / 100 % 10) + 1];
        std::memcpy(at, pairs + 2 * (whole % 100), 2);
        at += 2;
    } else {
        const quint32 digits = qFromLittleEndian<quint16>(pairs + 2 * (whole / 100)) |
                               quint32(qFromLittleEndian<quint16>(pairs + 2 * (whole % 100))) << 16;
        qToLittleEndian<quint32>(digits >> (8 * (4 - count)), at);
        at += count;
    }
    if (m_decimal.size() == 1) {
        *at++ = m_decimal[0];
    } else {
        std::memcpy(at, m_decimal.data(), m_decimal.size());
        at += m_decimal.size();
    }
    std::memcpy(at, pairs + 2 * (hundredths % 100), 2);
    return at + 2;
}

char* LocaleTexts::putFormedBytes(char* at, quint32 bytes) const
{
    // Below 2^32 the whole part stays under 1024; each unit is copied whole, with the byte after it.
    static constexpr char units[4][4] = {" B", " KB", " MB", " GB"};
    const int step = std::min(3, (static_cast<int>(std::bit_width(bytes)) - 1) / 10);
    const quint64 hundredths = hundredthsOf(bytes, 10 * step);
    const auto whole = static_cast<std::size_t>(hundredths / 100);
    if (whole < m_wholeParts.size()) {
        // Formed once for every whole part a count can have.
        const WholePart& part = m_wholeParts[whole];
        std::memcpy(at, &part, sizeof part);
        at += part.size;
        std::memcpy(at, PlacedText::digitPairs.data() + 2 * (hundredths % 100), 2);
        at += 2;
    } else {
        at = putHundredths(at, bytes, 10 * step);
    }
    std::memcpy(at, units[step], 4);
    return at + (step == 0 ? 2 : 3);
}
