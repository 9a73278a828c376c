// The kernel's table of network interfaces with their octet counters, and the table of IPv4 addresses.
#pragma once

#include <QString>
#include <QtEndian>

#include <array>
#include <vector>

/// One network interface as the traffic monitor sees it.
struct InterfaceRow
{
    quint32 index = 0;
    /// Names the link type; a PPP link's description contains "PPP" and no other link's does.
    QString description;
    /// Bits per second; 0 when the kernel gives none.
    quint64 speed = 0;
    std::array<quint8, 8> physAddr{};
    /// Valid bytes of physAddr, at most 8.
    quint32 physAddrLen = 0;
    /// Low 32 bits of the kernel's running counters of octets received and sent.
    quint32 inOctets = 0;
    quint32 outOctets = 0;
    /// The kernel's name of the interface ("ppp0", "wwan0"); empty when the table knows none.
    QString name = {};
    /// Switched on (administratively up): a PPP link is up once its network protocol has come up.
    bool up = true;
};

/// One IPv4 address of an interface.
struct IpAddressRow
{
    quint32 index = 0;
    /// In network byte order: the lowest-addressed byte is the first part of the dotted text.
    quint32 address = 0;
};

/// The address a.b.c.d in network byte order.
constexpr quint32 ipv4Address(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return qToBigEndian((quint32(a) << 24) | (quint32(b) << 16) | (quint32(c) << 8) | quint32(d));
}

class InterfaceTable
{
public:
    virtual ~InterfaceTable() = default;

    /// Whether the table can be read at all; decides at start-up if the traffic monitor runs.
    virtual bool available() = 0;
    /// Replaces `rows` with every interface in the kernel's order; false, with `rows` empty, on failure.
    virtual bool readInterfaces(std::vector<InterfaceRow>& rows) = 0;
    /// Replaces `rows` with every IPv4 address, sorted ascending by address; false, with `rows` empty, on failure.
    virtual bool readAddresses(std::vector<IpAddressRow>& rows) = 0;
};
