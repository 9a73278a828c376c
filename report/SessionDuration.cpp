// The text functions of the duration rule: where the seconds are and whether two texts share a minute.
#include "report/SessionDuration.h"

#include <array>

namespace SessionDuration {

namespace {

// A short number as the user may have typed it: leading spaces, an optional sign, then digits only.
std::optional<int> smallNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

// The two characters from the fifth-last on; a text of four characters or fewer is read from its start.
std::optional<int> secondsField(std::string_view text)
{
    const std::size_t from = text.size() > 5 ? text.size() - 5 : 0;
    return smallNumber(text.substr(qMin(from, text.size()), 2));
}

// Where ":ss" begins: the sixth-last character; a text of five characters or fewer is kept whole.
std::string_view::size_type cutAt(std::string_view text)
{
    return text.size() >= 6 ? text.size() - 6 : std::string_view::npos;
}

bool equalWithoutSeconds(std::string_view a, std::string_view b)
{
    std::array<char, 64> left{};
    std::array<char, 64> right{};
    const auto strip = [](std::string_view text, std::array<char, 64>& into) {
        text = text.substr(0, into.size() - 3);
        const auto cut = cutAt(text);
        if (cut == std::string_view::npos) {
            text.copy(into.data(), text.size());
            return text.size();
        }
        const std::string_view head = text.substr(0, cut);
        const std::string_view tail = text.substr(qMin(cut + 3, text.size()));
        head.copy(into.data(), head.size());
        tail.copy(into.data() + head.size(), tail.size());
        return head.size() + tail.size();
    };
    const std::size_t leftSize = strip(a, left);
    const std::size_t rightSize = strip(b, right);
    return std::string_view(left.data(), leftSize) == std::string_view(right.data(), rightSize);
}

QString padded(qint64 value)
{
    const QString text = QString::number(value);
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

} // namespace

std::optional<quint8> GetStartSeconds(std::string_view startText)
{
    const std::optional<int> s = secondsField(startText);
    if (!s)
        return std::nullopt;
    return static_cast<quint8>(*s >= 1 && *s <= 59 ? 60 - *s : 0);
}

std::optional<quint8> GetEndSeconds(std::string_view endText)
{
    const std::optional<int> e = secondsField(endText);
    if (!e)
        return std::nullopt;
    return static_cast<quint8>(*e >= 1 && *e <= 59 ? *e : 0);
}

bool StartAndEnd_DateTime_Records_AreSame(std::string_view startText, std::string_view endText)
{
    return equalWithoutSeconds(startText, endText);
}

QString timeText(qint64 minutes, qint64 seconds)
{
    return padded(minutes / 60) + QLatin1Char(':') + padded(minutes % 60) + QLatin1Char(':') + padded(seconds);
}

} // namespace SessionDuration
