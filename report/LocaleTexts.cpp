// Byte counts below 4 GiB divided by a power of two are exact binary fractions, so their two-decimal text
// can be worked out in whole numbers: the hundredths, and the remainder that decides the rounding.
#include "report/LocaleTexts.h"

#include "common/ByteText.h"
#include "report/CalendarMoment.h"
#include "report/ReportOutput.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

LocaleTexts::LocaleTexts(const QLocale& locale) : m_locale(locale)
{
    m_decimal = utf8(m_locale.decimalPoint());
    m_group = utf8(m_locale.groupSeparator());
    m_halfToEven = m_locale.toString(0.125, 'f', 2).endsWith(QLatin1String("12"));
    m_groupFourDigits = !m_group.empty() && m_locale.toString(1000.0, 'f', 2).size() > 7;
    if (m_decimal.size() + m_group.size() <= sizeof(WholePart::text) - 4) {
        m_wholeParts.resize(1025);
        for (std::size_t whole = 0; whole < m_wholeParts.size(); ++whole) {
            char text[32];
            const auto size = static_cast<std::size_t>(putHundredths(text, whole, 0) - text) - 2; // no hundredths
            WholePart& part = m_wholeParts[whole];
            std::memcpy(part.text, text, size);
            part.size = static_cast<quint8>(size);
        }
    }
    // Formed here only when every sample comes out as the locale forms it: halves, four digits, each step.
    m_formsNumbers = m_locale.zeroDigit() == QLatin1String("0") && m_decimal.size() + m_group.size() <= 16;
    for (const quint32 bytes :
         {0u, 1u, 999u, 1000u, 1023u, 1024u, 1152u, 1536u, 1048575u, 1048576u, 3u << 28, 1073741824u, 4294967295u}) {
        if (m_formsNumbers)
            m_formsNumbers = formBytes(bytes) == utf8(ByteText::BytesToFriendlyString(bytes, m_locale));
    }
    for (const quint64 bytes : {quint64(5'000'000'000), quint64(1) << 40}) {
        if (m_formsNumbers)
            m_formsNumbers =
                formDayBytes(bytes) ==
                utf8(m_locale.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + QStringLiteral(" GB"));
    }
    // A file of many days would ask the locale once a day; its format is read once instead, and used only when
    // it gives the locale's own text for every month, short and long years, one- and two-digit days and each
    // day of the week.
    m_formsDates =
        m_locale.zeroDigit() == QLatin1String("0") && readDateFormat(m_locale.dateFormat(QLocale::ShortFormat));
    for (const int year : {1, 99, 999, 1990, 2024, 9999}) {
        for (int month = 1; m_formsDates && month <= 12; ++month) {
            for (const int day : {1, 10, 28}) {
                if (m_formsDates)
                    m_formsDates = formDate(year, month, day) ==
                                   utf8(m_locale.toString(QDate(year, month, day), QLocale::ShortFormat));
            }
        }
    }
    for (int day = 1; m_formsDates && day <= 7; ++day)
        m_formsDates = formDate(2024, 1, day) == utf8(m_locale.toString(QDate(2024, 1, day), QLocale::ShortFormat));
}

bool LocaleTexts::readDateFormat(const QString& format)
{
    for (int m = 1; m <= 12; ++m) {
        m_monthNames[0][m - 1] = utf8(m_locale.monthName(m, QLocale::ShortFormat));
        m_monthNames[1][m - 1] = utf8(m_locale.monthName(m, QLocale::LongFormat));
    }
    for (int d = 1; d <= 7; ++d) {
        m_dayNames[0][d - 1] = utf8(m_locale.dayName(d, QLocale::ShortFormat));
        m_dayNames[1][d - 1] = utf8(m_locale.dayName(d, QLocale::LongFormat));
    }
    const auto addText = [this](QStringView text) {
        if (m_dateParts.empty() || m_dateParts.back().field != 0)
            m_dateParts.push_back({});
        m_dateParts.back().text += utf8(text.toString());
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // 'text' is taken as it is; '' is a quote, inside quotes or out.
            qsizetype end = i + 1;
            if (end < format.size() && format[end] == QLatin1Char('\'')) {
                addText(u"'");
                i = end + 1;
                continue;
            }
            QString quoted;
            for (; end < format.size(); ++end) {
                if (format[end] != QLatin1Char('\''))
                    quoted += format[end];
                else if (end + 1 < format.size() && format[end + 1] == QLatin1Char('\''))
                    quoted += format[++end];
                else
                    break;
            }
            addText(quoted);
            i = end + 1;
            continue;
        }
        qsizetype end = i + 1;
        while (end < format.size() && format[end] == c)
            ++end;
        const int width = int(end - i);
        if (c == QLatin1Char('d') || c == QLatin1Char('M')) {
            if (width > 4)
                return false;
            m_dateParts.push_back({char(c.unicode()), width, {}});
        } else if (c == QLatin1Char('y')) {
            if (width != 2 && width != 4)
                return false;
            m_dateParts.push_back({'y', width, {}});
        } else if (c.isLetter()) {
            return false;
        } else {
            addText(QStringView(format).sliced(i, width));
        }
        i = end;
    }
    // Each part's longest text must fit the room a date is formed in.
    const auto longestOf = [](const auto& names) {
        std::size_t size = 0;
        for (const std::string& name : names)
            size = std::max(size, name.size());
        return size;
    };
    std::size_t longest = 0;
    for (const DatePart& part : m_dateParts) {
        if (part.field == 0)
            longest += part.text.size();
        else if (part.field == 'd' && part.width > 2)
            longest += longestOf(m_dayNames[part.width - 3]);
        else if (part.field == 'M' && part.width > 2)
            longest += longestOf(m_monthNames[part.width - 3]);
        else
            longest += 16; // a number and the zeros before it
    }
    // The day's digits are written over in place when the format has them once and no weekday.
    const auto days =
        std::count_if(m_dateParts.begin(), m_dateParts.end(), [](const DatePart& p) { return p.field == 'd'; });
    const auto dayDigits = std::find_if(m_dateParts.begin(), m_dateParts.end(),
                                        [](const DatePart& p) { return p.field == 'd' && p.width <= 2; });
    m_dayAt = days == 1 && dayDigits != m_dateParts.end() ? 0 : -1;
    m_dayWidth = dayDigits != m_dateParts.end() ? dayDigits->width : 0;
    return longest <= sizeof m_date;
}

std::string_view LocaleTexts::formDate(int year, int month, int day)
{
    // Once a day for a file of many days: the parts are copied into place, numbers below 10,000 in pairs.
    char* at = m_date;
    // The parts are a few bytes each: copied byte by byte, without a call.
    const auto put = [&at](std::string_view text) {
        for (const char c : text)
            *at++ = c;
    };
    const auto pair = [&at](int value) {
        std::memcpy(at, PlacedText::digitPairs.data() + 2 * value, 2);
        at += 2;
    };
    const auto number = [&](int value, int digits) {
        if (value >= 10 && value < 100 && digits <= 2) {
            pair(value);
        } else if (value >= 0 && value < 10 && digits <= 2) {
            if (digits == 2)
                *at++ = '0';
            *at++ = char('0' + value);
        } else if (value >= 0 && value < 10000 && digits == 4) {
            pair(value / 100);
            pair(value % 100);
        } else {
            char text[16];
            const auto end = std::to_chars(text, text + sizeof text, value).ptr;
            for (auto n = end - text; n < digits; ++n)
                *at++ = '0';
            put({text, static_cast<std::size_t>(end - text)});
        }
    };
    for (const DatePart& part : m_dateParts) {
        switch (part.field) {
        case 'd':
            if (part.width <= 2) {
                if (m_dayAt >= 0)
                    m_dayAt = at - m_date;
                number(day, part.width);
            } else {
                const auto weekday = CalendarMoment::dayNumber(year, month, day) % 7; // Monday is 0
                put(m_dayNames[part.width - 3][weekday]);
            }
            break;
        case 'M':
            if (part.width <= 2)
                number(month, part.width);
            else
                put(m_monthNames[part.width - 3][month - 1]);
            break;
        case 'y':
            number(part.width == 2 ? year % 100 : year, part.width);
            break;
        default:
            put(part.text);
        }
    }
    m_dateSize = static_cast<std::size_t>(at - m_date);
    return {m_date, m_dateSize};
}

bool LocaleTexts::appendHundredths(quint64 value, int shift)
{
    char text[sizeof m_formed];
    const char* end = putHundredths(text, value, shift);
    if (!end)
        return false;
    m_text.append(text, static_cast<std::size_t>(end - text));
    return true;
}

std::string_view LocaleTexts::fromLocale(const QString& text)
{
    m_text = utf8(text);
    return m_text;
}

void LocaleTexts::appendUnit(const char* unit)
{
    m_text.push_back(' ');
    m_text.append(unit);
}

std::string_view LocaleTexts::bytesText(quint32 bytes)
{
    return m_formsNumbers ? formBytes(bytes) : fromLocale(ByteText::BytesToFriendlyString(bytes, m_locale));
}

std::string_view LocaleTexts::dayBytesText(quint64 bytes)
{
    if (bytes <= std::numeric_limits<quint32>::max())
        return bytesText(static_cast<quint32>(bytes));
    if (m_formsNumbers)
        return formDayBytes(bytes);
    return fromLocale(m_locale.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + QStringLiteral(" GB"));
}

std::string_view LocaleTexts::formBytes(quint32 bytes)
{
    return {m_formed, static_cast<std::size_t>(putFormedBytes(m_formed, bytes) - m_formed)};
}

char* LocaleTexts::putLocaleBytes(char* at, quint32 bytes)
{
    const std::string_view text = bytesText(bytes);
    const std::size_t size = std::min(text.size(), maxBytesText);
    std::memcpy(at, text.data(), size);
    return at + size;
}

std::string_view LocaleTexts::formDayBytes(quint64 bytes)
{
    m_text.clear();
    // Below 2^53 the count is exact as the double the locale would be given; hundredths must fit too.
    if (bytes >= (quint64(1) << 53) / 100 || !appendHundredths(bytes, 30)) {
        m_text = utf8(m_locale.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2));
    }
    appendUnit("GB");
    return m_text;
}

std::string_view LocaleTexts::newShortDate(int year, int month, int day, quint32 key)
{
    if (m_formsDates) {
        // Days of one month follow one another: only the day's digits change, when their count does not.
        const auto digits = [this](int d) { return m_dayWidth == 2 || d >= 10 ? 2 : 1; };
        if (m_dayAt >= 0 && (m_formedKey >> 5) == (key >> 5) && digits(int(m_formedKey & 31)) == digits(day)) {
            char* at = m_date + m_dayAt;
            if (digits(day) == 2)
                std::memcpy(at, PlacedText::digitPairs.data() + 2 * day, 2);
            else
                *at = char('0' + day);
        } else {
            formDate(year, month, day);
        }
        m_formedKey = key;
        return {m_date, m_dateSize};
    }
    if (m_lastDate && key == m_lastDateKey)
        return *m_lastDate;
    auto found = m_dates.find(key);
    if (found == m_dates.end())
        found = m_dates.emplace(key, utf8(m_locale.toString(QDate(year, month, day), QLocale::ShortFormat))).first;
    m_lastDateKey = key;
    m_lastDate = &found->second;
    return found->second;
}

std::string_view LocaleTexts::shortDate(const QDate& date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    return shortDate(year, month, day);
}
