// The kernel's interface and IPv4 address tables, read over a routing netlink socket.
#pragma once

#include "platform/InterfaceTable.h"
#include "platform/linux/LinkSpeeds.h"

#include <QString>

#include <string>
#include <vector>

struct mnl_socket;
struct nlmsghdr;

class NetlinkInterfaceTable final : public InterfaceTable
{
public:
    /// Reads the tables of the network namespace that the thread is in when it first reads.
    NetlinkInterfaceTable();
    ~NetlinkInterfaceTable() override;
    NetlinkInterfaceTable(const NetlinkInterfaceTable&) = delete;
    NetlinkInterfaceTable& operator=(const NetlinkInterfaceTable&) = delete;

    bool available() override;
    bool readInterfaces(std::vector<InterfaceRow>& rows) override;
    bool readAddresses(std::vector<IpAddressRow>& rows) override;

    /// A link's name and description as last made, and what they were made of.
    struct LinkText
    {
        quint32 index = 0;
        quint16 type = 0;
        quint32 flags = 0;
        std::string rawName;
        std::string rawKind;
        QString name;
        QString description;
        bool filled = false;
        bool seen = false; ///< in the read under way
    };

private:
    using MessageHandler = int (*)(const nlmsghdr* message, void* data);
    /// Asks the kernel for a dump of one table and hands every message of the answer to `handler`.
    bool dump(quint16 request, quint8 family, MessageHandler handler, void* data);
    bool open();
    void close();

    mnl_socket* m_socket = nullptr;
    unsigned m_portId = 0;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
    LinkSpeeds m_speeds;
    std::vector<LinkText> m_texts;
};
