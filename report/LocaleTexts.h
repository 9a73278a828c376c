// The locale's byte-count and short-date texts for writing many sessions: the separators are fetched once
// and checked against the locale's own formatting, and each day's date text is formed once. The texts are
// those of ByteText::BytesToFriendlyString and QLocale::toString(date, QLocale::ShortFormat), byte for byte;
// a locale whose numbers this cannot reproduce (other digits, other grouping) is simply asked every time.
#pragma once

#include <QDate>
#include <QLocale>
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
    char* putBytesText(char* at, quint32 bytes);
    static constexpr std::size_t maxBytesText = 64;
    /// A day's bytes, which are not wrapped at 2^32: above 4 GiB in GB.
    std::string_view dayBytesText(quint64 bytes);
    /// The locale's short date of a valid date, in UTF-8.
    std::string_view shortDate(int year, int month, int day);
    std::string_view shortDate(const QDate& date);

    /// Whether numbers are formed here rather than by the locale; for the tests.
    bool formsNumbers() const { return m_formsNumbers; }
    /// Whether dates are formed here from the locale's short date format rather than asked day by day.
    bool formsDates() const { return m_formsDates; }

private:
    std::string_view formBytes(quint32 bytes);
    char* putFormedBytes(char* at, quint32 bytes) const;
    std::string_view formDayBytes(quint64 bytes);
    /// value / 2^shift with two decimals, rounded as the locale rounds; false, writing nothing, when the
    /// integer part has more than four digits (whose grouping is not checked).
    bool appendHundredths(quint64 value, int shift);
    /// The same written at `at`, up to sizeof m_formed bytes; its end, or nothing.
    char* putHundredths(char* at, quint64 value, int shift) const;
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
    bool m_formsDates = false;
    std::vector<DatePart> m_dateParts;
    std::string m_monthNames[2][12]; ///< short and long, as the locale writes them in a date
    std::string m_dayNames[2][7];    ///< the same, Monday first
    std::string m_date;
    quint32 m_formedKey = 0;                          ///< the date m_date holds
    std::unordered_map<quint32, std::string> m_dates; ///< the locale's own texts, when they are not formed
    quint32 m_lastDateKey = 0;
    const std::string* m_lastDate = nullptr;
};
