// A network namespace of the test's own with a tun device (ppp0 unless told otherwise; 10.77.0.1, peer
// 10.77.0.2) that the test moves octets through, and the kernel's counters of a link as `ip -s link` reports
// them.
#pragma once

#include <QString>

struct LinkOctets
{
    quint64 received = 0;
    quint64 sent = 0;
};

class KernelNamespace
{
public:
    /// Moves this thread into a new network namespace and makes the link there; the reason when it cannot.
    static QString make(const QString& link = QStringLiteral("ppp0"));
    /// Moves this thread into a new network namespace with only its loopback link, up; the reason when it cannot.
    static QString enter();
    /// Datagrams from 10.77.0.1 out through the link, read off the device again; the octets that left.
    static quint64 sendOut(int datagrams, int payload);
    /// Datagrams from the peer written into the link and received by a local socket; the octets that came in.
    static quint64 receiveIn(int datagrams, int payload);
    /// Runs `ip` with the blank-separated arguments; false when it fails.
    static bool ip(const QString& arguments);
    /// The counters of a link from `ip -j -s link show`.
    static LinkOctets octets(const QString& link);
};
