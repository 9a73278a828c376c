// Sets up the namespace with plain system calls and the `ip` command, and moves datagrams through its link.
#include "KernelNamespace.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {
int tunFd = -1;
constexpr quint16 localPort = 5077;
constexpr int headerOctets = 28; // IPv4 and UDP headers

quint16 headerChecksum(const quint8* header, int length)
{
    quint32 sum = 0;
    for (int i = 0; i < length; i += 2)
        sum += quint32(header[i] << 8 | header[i + 1]);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

/// An IPv4/UDP datagram from 10.77.0.2 to 10.77.0.1:localPort, as it comes off a point-to-point line.
std::vector<quint8> inboundDatagram(int payload, quint16 id)
{
    const int total = headerOctets + payload;
    std::vector<quint8> p(std::size_t(total), 0x5A);
    const quint8 header[20] = {0x45,
                               0,
                               quint8(total >> 8),
                               quint8(total),
                               quint8(id >> 8),
                               quint8(id),
                               0x40,
                               0,
                               64,
                               17,
                               0,
                               0,
                               10,
                               77,
                               0,
                               2,
                               10,
                               77,
                               0,
                               1};
    std::memcpy(p.data(), header, sizeof header);
    const quint16 sum = headerChecksum(p.data(), 20);
    p[10] = quint8(sum >> 8);
    p[11] = quint8(sum);
    const int udp = 8 + payload;
    const quint8 udpHeader[8] = {0x0F, 0xA0, quint8(localPort >> 8), quint8(localPort), quint8(udp >> 8), quint8(udp),
                                 0,    0};
    std::memcpy(p.data() + 20, udpHeader, sizeof udpHeader);
    return p;
}

sockaddr_in address(const char* dotted, quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, dotted, &a.sin_addr);
    return a;
}

bool writeFile(const char* path, const char* text)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::WriteOnly) && f.write(text) > 0;
}
} // namespace

QString KernelNamespace::enter()
{
    static bool entered = false;
    if (entered)
        return QString();
    if (::unshare(CLONE_NEWNET) != 0)
        return QStringLiteral("cannot make a network namespace: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    entered = true;
    // No IPv6 on the new links: no router or listener messages of the kernel's own mix with the test's octets.
    writeFile("/proc/sys/net/ipv6/conf/default/disable_ipv6", "1");
    writeFile("/proc/sys/net/ipv6/conf/all/disable_ipv6", "1");
    if (!ip(QStringLiteral("link set lo up")))
        return QStringLiteral("the ip command cannot set lo up");
    return QString();
}

QString KernelNamespace::make(const QString& link)
{
    if (tunFd >= 0)
        return QString();
    if (const QString problem = enter(); !problem.isEmpty())
        return problem;
    tunFd = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (tunFd < 0)
        return QStringLiteral("no /dev/net/tun: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, link.toLatin1().constData(), IFNAMSIZ - 1);
    if (::ioctl(tunFd, TUNSETIFF, &request) != 0)
        return QStringLiteral("cannot make the tun device: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    if (!ip(QStringLiteral("addr add 10.77.0.1 peer 10.77.0.2/32 dev ") + link) ||
        !ip(QStringLiteral("link set up dev ") + link))
        return QStringLiteral("the ip command cannot set %1 up").arg(link);
    return QString();
}

bool KernelNamespace::ip(const QString& arguments)
{
    return QProcess::execute(QStringLiteral("ip"), arguments.split(QLatin1Char(' '))) == 0;
}

quint64 KernelNamespace::sendOut(int datagrams, int payload)
{
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const sockaddr_in from = address("10.77.0.1", 0);
    const sockaddr_in to = address("10.77.0.2", 9);
    ::bind(s, reinterpret_cast<const sockaddr*>(&from), sizeof from);
    const std::vector<char> data(std::size_t(payload), 'o');
    for (int i = 0; i < datagrams; ++i)
        ::sendto(s, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    ::close(s);
    // The device counts an octet as sent when its reader takes the packet.
    quint64 taken = 0;
    char packet[65536];
    for (ssize_t n; (n = ::read(tunFd, packet, sizeof packet)) > 0;)
        taken += quint64(n);
    return taken;
}

quint64 KernelNamespace::receiveIn(int datagrams, int payload)
{
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const sockaddr_in local = address("10.77.0.1", localPort);
    ::bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    quint64 written = 0;
    for (int i = 0; i < datagrams; ++i) {
        const std::vector<quint8> p = inboundDatagram(payload, quint16(i + 1));
        if (::write(tunFd, p.data(), p.size()) == ssize_t(p.size()))
            written += p.size();
    }
    int arrived = 0;
    std::vector<char> buffer(std::size_t(payload) + 1);
    while (::recv(s, buffer.data(), buffer.size(), 0) == payload)
        ++arrived;
    ::close(s);
    return arrived == datagrams ? written : 0;
}

LinkOctets KernelNamespace::octets(const QString& link)
{
    QProcess p;
    p.start(QStringLiteral("ip"), QStringLiteral("-j -s link show dev %1").arg(link).split(QLatin1Char(' ')));
    p.waitForFinished();
    const QJsonObject stats = QJsonDocument::fromJson(p.readAllStandardOutput())
                                  .array()
                                  .at(0)
                                  .toObject()
                                  .value(QLatin1String("stats64"))
                                  .toObject();
    const auto bytes = [&](const char* direction) {
        return quint64(stats.value(QLatin1String(direction)).toObject().value(QLatin1String("bytes")).toDouble());
    };
    return {bytes("rx"), bytes("tx")};
}
