// Link speeds from the network drivers, asked once per link and again only when its carrier comes or goes.
#pragma once

#include <QtGlobal>

#include <vector>

class LinkSpeeds
{
public:
    LinkSpeeds();
    ~LinkSpeeds();
    LinkSpeeds(const LinkSpeeds&) = delete;
    LinkSpeeds& operator=(const LinkSpeeds&) = delete;

    /// Bits per second of an Ethernet-type link, 0 when the driver knows none. A speed is renegotiated only
    /// with a carrier change, so the driver is asked again only then.
    quint64 speedOf(int index, const char* name, bool carrier);
    /// Forgets the links not asked about since the last call, so the cache follows the table.
    void endOfRead();

private:
    struct Entry
    {
        int index;
        bool carrier;
        quint64 speed;
        bool seen;
    };
    quint64 askDriver(const char* name);

    int m_socket = -1;
    std::vector<Entry> m_entries;
};
