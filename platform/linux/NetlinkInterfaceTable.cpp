// One routing netlink dump per table: links with their 64-bit counters, and IPv4 addresses.
#include "platform/linux/NetlinkInterfaceTable.h"

#include "platform/linux/LinkDescription.h"

#include <algorithm>
#include <cstring>
#include <libmnl/libmnl.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace {
// Large enough for the kernel's biggest dump batch, so one receive takes a whole batch.
constexpr std::size_t receiveBufferSize = 32768;

struct LinkRead
{
    std::vector<InterfaceRow>* rows;
    LinkSpeeds* speeds;
    std::vector<NetlinkInterfaceTable::LinkText>* texts;
};

/// Keeps each attribute from `first` up to `end` whose type is at most Max in `kept`, by type, and stops at
/// one that does not fit, as mnl_attr_parse does; without two calls into the library per attribute, as a
/// link has some fifty of them and each pass reads every link.
template <int Max> void keepAttributes(const void* first, const void* end, const nlattr** kept)
{
    const auto* at = static_cast<const char*>(first);
    const auto* stop = static_cast<const char*>(end);
    while (stop - at >= std::ptrdiff_t(sizeof(nlattr))) {
        const auto* attribute = reinterpret_cast<const nlattr*>(at);
        if (attribute->nla_len < sizeof(nlattr) || attribute->nla_len > stop - at)
            break;
        if (const int type = attribute->nla_type & NLA_TYPE_MASK; type <= Max)
            kept[type] = attribute;
        at += MNL_ALIGN(attribute->nla_len);
    }
}

/// The attributes of `message` after its family header of `headerSize` bytes.
template <int Max> void keepAttributes(const nlmsghdr* message, std::size_t headerSize, const nlattr** kept)
{
    keepAttributes<Max>(mnl_nlmsg_get_payload_offset(message, headerSize), mnl_nlmsg_get_payload_tail(message), kept);
}

const char* stringAttribute(const nlattr* attribute)
{
    if (!attribute || mnl_attr_validate(attribute, MNL_TYPE_NUL_STRING) < 0)
        return "";
    return mnl_attr_get_str(attribute);
}

const char* driverKind(const nlattr* linkInfo)
{
    if (!linkInfo)
        return "";
    const nlattr* info[IFLA_INFO_MAX + 1] = {};
    const auto* nested = static_cast<const char*>(mnl_attr_get_payload(linkInfo));
    keepAttributes<IFLA_INFO_MAX>(nested, nested + mnl_attr_get_payload_len(linkInfo), info);
    return stringAttribute(info[IFLA_INFO_KIND]);
}

/// The low 32 bits of the 64-bit counters, or the kernel's 32-bit counters where the 64-bit ones are missing.
void readCounters(const nlattr* const* tb, InterfaceRow& row)
{
    if (const nlattr* s = tb[IFLA_STATS64]; s && mnl_attr_get_payload_len(s) >= sizeof(rtnl_link_stats64)) {
        rtnl_link_stats64 stats;
        std::memcpy(&stats, mnl_attr_get_payload(s), sizeof stats);
        row.inOctets = quint32(stats.rx_bytes);
        row.outOctets = quint32(stats.tx_bytes);
    } else if (const nlattr* s32 = tb[IFLA_STATS]; s32 && mnl_attr_get_payload_len(s32) >= sizeof(rtnl_link_stats)) {
        rtnl_link_stats stats;
        std::memcpy(&stats, mnl_attr_get_payload(s32), sizeof stats);
        row.inOctets = stats.rx_bytes;
        row.outOctets = stats.tx_bytes;
    }
}

int onLink(const nlmsghdr* message, void* data)
{
    auto& read = *static_cast<LinkRead*>(data);
    if (message->nlmsg_type != RTM_NEWLINK || mnl_nlmsg_get_payload_len(message) < sizeof(ifinfomsg))
        return MNL_CB_OK;
    const auto* link = static_cast<const ifinfomsg*>(mnl_nlmsg_get_payload(message));
    const nlattr* tb[IFLA_MAX + 1] = {};
    keepAttributes<IFLA_MAX>(message, sizeof(ifinfomsg), tb);

    InterfaceRow row;
    row.index = quint32(link->ifi_index);
    const char* name = stringAttribute(tb[IFLA_IFNAME]);
    const char* kind = driverKind(tb[IFLA_LINKINFO]);
    // The texts are made again only when what they are made of changed since the last read.
    auto text = std::find_if(read.texts->begin(), read.texts->end(),
                             [&](const NetlinkInterfaceTable::LinkText& t) { return t.index == row.index; });
    if (text == read.texts->end()) {
        NetlinkInterfaceTable::LinkText fresh;
        fresh.index = row.index;
        text = read.texts->insert(read.texts->end(), std::move(fresh));
    }
    text->seen = true;
    if (text->type != link->ifi_type || text->flags != link->ifi_flags || text->rawName != name ||
        text->rawKind != kind || !text->filled) {
        text->type = link->ifi_type;
        text->flags = link->ifi_flags;
        text->rawName = name;
        text->rawKind = kind;
        text->name = QString::fromUtf8(name);
        text->description =
            LinkDescription::describe(link->ifi_type, link->ifi_flags, text->name, QString::fromUtf8(kind));
        text->filled = true;
    }
    row.description = text->description;
    row.name = text->name;
    row.up = (link->ifi_flags & IFF_UP) != 0;
    if (const nlattr* a = tb[IFLA_ADDRESS]) {
        row.physAddrLen = std::min<quint32>(mnl_attr_get_payload_len(a), row.physAddr.size());
        std::memcpy(row.physAddr.data(), mnl_attr_get_payload(a), row.physAddrLen);
    }
    readCounters(tb, row);
    if (link->ifi_type == ARPHRD_ETHER)
        row.speed = read.speeds->speedOf(link->ifi_index, name, (link->ifi_flags & IFF_LOWER_UP) != 0);
    read.rows->push_back(std::move(row));
    return MNL_CB_OK;
}

int onAddress(const nlmsghdr* message, void* data)
{
    auto& rows = *static_cast<std::vector<IpAddressRow>*>(data);
    if (message->nlmsg_type != RTM_NEWADDR || mnl_nlmsg_get_payload_len(message) < sizeof(ifaddrmsg))
        return MNL_CB_OK;
    const auto* address = static_cast<const ifaddrmsg*>(mnl_nlmsg_get_payload(message));
    if (address->ifa_family != AF_INET)
        return MNL_CB_OK;
    const nlattr* tb[IFA_MAX + 1] = {};
    keepAttributes<IFA_MAX>(message, sizeof(ifaddrmsg), tb);
    // On a point-to-point link IFA_ADDRESS is the peer's address; IFA_LOCAL is always our own.
    const nlattr* own = tb[IFA_LOCAL] ? tb[IFA_LOCAL] : tb[IFA_ADDRESS];
    if (!own || mnl_attr_get_payload_len(own) < 4)
        return MNL_CB_OK;
    IpAddressRow row;
    row.index = address->ifa_index;
    std::memcpy(&row.address, mnl_attr_get_payload(own), 4);
    rows.push_back(row);
    return MNL_CB_OK;
}
} // namespace

NetlinkInterfaceTable::NetlinkInterfaceTable() : m_buffer(receiveBufferSize) {}

NetlinkInterfaceTable::~NetlinkInterfaceTable()
{
    close();
}

bool NetlinkInterfaceTable::available()
{
    std::vector<InterfaceRow> rows;
    return readInterfaces(rows);
}

bool NetlinkInterfaceTable::readInterfaces(std::vector<InterfaceRow>& rows)
{
    rows.clear();
    LinkRead read{&rows, &m_speeds, &m_texts};
    for (LinkText& text : m_texts)
        text.seen = false;
    const bool ok = dump(RTM_GETLINK, AF_UNSPEC, onLink, &read);
    m_speeds.endOfRead();
    // Links that are gone take their texts with them.
    if (ok)
        std::erase_if(m_texts, [](const LinkText& text) { return !text.seen; });
    if (!ok)
        rows.clear();
    return ok;
}

bool NetlinkInterfaceTable::readAddresses(std::vector<IpAddressRow>& rows)
{
    rows.clear();
    if (!dump(RTM_GETADDR, AF_INET, onAddress, &rows)) {
        rows.clear();
        return false;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const IpAddressRow& a, const IpAddressRow& b) {
        return qFromBigEndian(a.address) < qFromBigEndian(b.address);
    });
    return true;
}

bool NetlinkInterfaceTable::dump(quint16 request, quint8 family, MessageHandler handler, void* data)
{
    if (!m_socket && !open())
        return false;
    char* buffer = m_buffer.data();
    nlmsghdr* message = mnl_nlmsg_put_header(buffer);
    message->nlmsg_type = request;
    message->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message->nlmsg_seq = ++m_sequence;
    // Both requests start with the family byte; the link request's header is the longer of the two.
    auto* header = static_cast<ifinfomsg*>(mnl_nlmsg_put_extra_header(message, sizeof(ifinfomsg)));
    header->ifi_family = family;
    if (mnl_socket_sendto(m_socket, message, message->nlmsg_len) < 0) {
        close();
        return false;
    }
    for (;;) {
        const ssize_t received = mnl_socket_recvfrom(m_socket, buffer, m_buffer.size());
        if (received <= 0)
            break;
        const int result = mnl_cb_run(buffer, std::size_t(received), m_sequence, m_portId, handler, data);
        if (result == MNL_CB_STOP)
            return true;
        if (result < MNL_CB_STOP)
            break;
    }
    // The rest of a failed answer may still be waiting: start afresh next time.
    close();
    return false;
}

bool NetlinkInterfaceTable::open()
{
    m_socket = mnl_socket_open2(NETLINK_ROUTE, SOCK_CLOEXEC);
    if (!m_socket)
        return false;
    if (mnl_socket_bind(m_socket, 0, MNL_SOCKET_AUTOPID) < 0) {
        close();
        return false;
    }
    m_portId = mnl_socket_get_portid(m_socket);
    return true;
}

void NetlinkInterfaceTable::close()
{
    if (m_socket)
        mnl_socket_close(m_socket);
    m_socket = nullptr;
}
