// An interface table that a test fills and steers: rows, addresses, and failures on demand.
#pragma once

#include "platform/InterfaceTable.h"

#include <algorithm>

class SimulatedInterfaceTable final : public InterfaceTable
{
public:
    bool available() override { return readable; }
    bool readInterfaces(std::vector<InterfaceRow>& out) override
    {
        ++interfaceReads;
        out.clear();
        if (!readable || failReads)
            return false;
        out = rows;
        return true;
    }
    bool readAddresses(std::vector<IpAddressRow>& out) override
    {
        ++addressReads;
        out.clear();
        if (!readable || failReads)
            return false;
        out = addresses;
        std::stable_sort(out.begin(), out.end(), [](const IpAddressRow& a, const IpAddressRow& b) {
            return qFromBigEndian(a.address) < qFromBigEndian(b.address);
        });
        return true;
    }

    /// Adds an interface with a six-byte physical address and returns it for further changes. Its name is
    /// the description's first word, as the kernel's descriptions start with the interface's name.
    InterfaceRow& addInterface(quint32 index, const QString& description, quint32 inOctets = 0, quint32 outOctets = 0)
    {
        InterfaceRow row;
        row.index = index;
        row.description = description;
        row.name = description.section(QLatin1Char(' '), 0, 0);
        row.physAddr = {0x00, 0x50, 0xBA, 0x12, 0x34, quint8(index), 0, 0};
        row.physAddrLen = 6;
        row.inOctets = inOctets;
        row.outOctets = outOctets;
        rows.push_back(row);
        return rows.back();
    }
    InterfaceRow* row(quint32 index)
    {
        const auto it =
            std::find_if(rows.begin(), rows.end(), [index](const InterfaceRow& r) { return r.index == index; });
        return it == rows.end() ? nullptr : &*it;
    }
    /// Moves an interface's counters on by the given octets, wrapping as the kernel's low 32 bits do.
    void move(quint32 index, quint32 received, quint32 sent)
    {
        if (InterfaceRow* r = row(index)) {
            r->inOctets += received;
            r->outOctets += sent;
        }
    }

    std::vector<InterfaceRow> rows;
    std::vector<IpAddressRow> addresses;
    /// False: the table cannot be read at all (the start-up probe fails).
    bool readable = true;
    /// True: reads fail although the table is there.
    bool failReads = false;
    int interfaceReads = 0;
    int addressReads = 0;
};
