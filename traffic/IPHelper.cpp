// Table copies and address texts.
#include "traffic/IPHelper.h"

#include <algorithm>
#include <cstring>

namespace IPHelper {

void ReadIfTable(InterfaceTable& table, TMIBIfArray& rows)
{
    if (!table.readInterfaces(rows))
        rows.clear();
}

void ReadIpAddrTable(InterfaceTable& table, TMibIPAddrArray& rows)
{
    if (!table.readAddresses(rows))
        rows.clear();
}

QString MacAddressToText(const std::array<quint8, 8>& address, quint32 length)
{
    if (length == 0)
        return QStringLiteral("00-00-00-00-00-00");
    const auto valid = std::min<std::size_t>(length, address.size());
    QString text;
    text.reserve(int(valid) * 3);
    for (std::size_t i = 0; i < valid; ++i) {
        if (i > 0)
            text += QLatin1Char('-');
        text += QStringLiteral("%1").arg(address[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

QString IpAddressToText(quint32 address)
{
    quint8 parts[4];
    std::memcpy(parts, &address, sizeof parts);
    QString text;
    text.reserve(15);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            text += QLatin1Char('.');
        text += QStringLiteral("%1").arg(parts[i], 3, 10, QLatin1Char(' '));
    }
    return text;
}

} // namespace IPHelper
