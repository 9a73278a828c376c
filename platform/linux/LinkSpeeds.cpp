// Asks the driver of a link for its negotiated speed through the ethtool request.
#include "platform/linux/LinkSpeeds.h"

#include <algorithm>
#include <cstring>
#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

LinkSpeeds::LinkSpeeds() = default;

LinkSpeeds::~LinkSpeeds()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

quint64 LinkSpeeds::speedOf(int index, const char* name, bool carrier)
{
    const auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [index](const Entry& e) { return e.index == index; });
    if (it != m_entries.end() && it->carrier == carrier) {
        it->seen = true;
        return it->speed;
    }
    const quint64 speed = carrier ? askDriver(name) : 0;
    if (it != m_entries.end())
        *it = Entry{index, carrier, speed, true};
    else
        m_entries.push_back(Entry{index, carrier, speed, true});
    return speed;
}

void LinkSpeeds::endOfRead()
{
    std::erase_if(m_entries, [](const Entry& e) { return !e.seen; });
    for (Entry& e : m_entries)
        e.seen = false;
}

quint64 LinkSpeeds::askDriver(const char* name)
{
    if (m_socket < 0)
        m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return 0;
    ethtool_cmd command{};
    command.cmd = ETHTOOL_GSET;
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    request.ifr_data = reinterpret_cast<char*>(&command);
    if (::ioctl(m_socket, SIOCETHTOOL, &request) != 0)
        return 0;
    const quint32 megabits = ethtool_cmd_speed(&command);
    if (megabits == 0 || megabits == quint32(SPEED_UNKNOWN))
        return 0;
    return quint64(megabits) * 1000000U;
}
