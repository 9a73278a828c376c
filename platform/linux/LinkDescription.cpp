// Link types in words, with the one rule that matters to the traffic monitor: "PPP" marks the dial-up link.
#include "platform/linux/LinkDescription.h"

#include <linux/if.h>
#include <linux/if_arp.h>

namespace LinkDescription {

namespace {
const QString pppWord = QStringLiteral("PPP");

QString typeWords(quint16 type, quint32 flags)
{
    switch (type) {
    case ARPHRD_ETHER:
        return QStringLiteral("Ethernet");
    case ARPHRD_LOOPBACK:
        return QStringLiteral("Loopback");
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_RADIOTAP:
        return QStringLiteral("Wireless");
    case ARPHRD_INFINIBAND:
        return QStringLiteral("InfiniBand");
    case ARPHRD_SLIP:
    case ARPHRD_CSLIP:
        return QStringLiteral("Serial line");
    case ARPHRD_TUNNEL:
        return QStringLiteral("IP-in-IP tunnel");
    case ARPHRD_TUNNEL6:
        return QStringLiteral("IPv6 tunnel");
    case ARPHRD_SIT:
        return QStringLiteral("IPv6-in-IPv4 tunnel");
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
        return QStringLiteral("GRE tunnel");
    case ARPHRD_CAN:
        return QStringLiteral("CAN bus");
    case ARPHRD_RAWIP:
        return QStringLiteral("Raw IP");
    case ARPHRD_VOID:
        return QStringLiteral("Void");
    default:
        break;
    }
    if (flags & IFF_POINTOPOINT)
        return QStringLiteral("Point-to-point");
    if (type == ARPHRD_NONE)
        return QStringLiteral("Raw IP");
    return QStringLiteral("Link type %1").arg(type);
}

QString withoutPppWord(QString text)
{
    return text.replace(pppWord, QStringLiteral("ppp"));
}
} // namespace

bool isPppLink(quint16 type, quint32 flags, const QString& name)
{
    return type == ARPHRD_PPP || ((flags & IFF_POINTOPOINT) && name.startsWith(QLatin1String("ppp")));
}

QString describe(quint16 type, quint32 flags, const QString& name, const QString& kind)
{
    const QString driver = kind.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(kind);
    if (isPppLink(type, flags, name))
        return name + QStringLiteral(" - PPP link") + withoutPppWord(driver);
    return withoutPppWord(name + QStringLiteral(" - ") + typeWords(type, flags) + driver);
}

} // namespace LinkDescription
