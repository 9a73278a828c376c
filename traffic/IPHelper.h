// Copies of the interface and address tables owned by the caller, and the texts of physical and IPv4
// addresses.
#pragma once

#include "platform/InterfaceTable.h"

#include <QString>

#include <array>
#include <vector>

using TMIBIfArray = std::vector<InterfaceRow>;
using TMibIPAddrArray = std::vector<IpAddressRow>;

namespace IPHelper {

/// Fills `rows` with the current interface table in the kernel's order; empty on any failure.
void ReadIfTable(InterfaceTable& table, TMIBIfArray& rows);
/// Fills `rows` with the current IPv4 addresses, ascending by address; empty on any failure.
void ReadIpAddrTable(InterfaceTable& table, TMibIPAddrArray& rows);

/// "00-50-BA-12-34-AB": the valid bytes (at most 8) as upper-case hex pairs joined by "-";
/// "00-00-00-00-00-00" when there are none.
QString MacAddressToText(const std::array<quint8, 8>& address, quint32 length);

/// The dotted address with every part right-aligned in three places: " 10.  0.  0.  1" (15 characters).
QString IpAddressToText(quint32 address);

} // namespace IPHelper
