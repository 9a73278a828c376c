// The friendly form of a byte count; counts of 1 GiB and more get their own step instead of an empty text.
#include "common/ByteText.h"

#include <limits>

namespace ByteText {

QString BytesToFriendlyString(quint32 bytes, const QLocale& locale)
{
    constexpr double kib = 1024.0;
    constexpr double mib = kib * 1024.0;
    constexpr double gib = mib * 1024.0;
    const double n = bytes;
    const auto text = [&](double value, const char* unit) {
        return locale.toString(value, 'f', 2) + QLatin1Char(' ') + QLatin1String(unit);
    };
    if (n < kib)
        return text(n, "B");
    if (n < mib)
        return text(n / kib, "KB");
    if (n < gib)
        return text(n / mib, "MB");
    return text(n / gib, "GB");
}

QString SumToFriendlyString(quint64 bytes, const QLocale& locale)
{
    if (bytes <= std::numeric_limits<quint32>::max())
        return BytesToFriendlyString(static_cast<quint32>(bytes), locale);
    return locale.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + QStringLiteral(" GB");
}

} // namespace ByteText
