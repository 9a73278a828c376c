// The kernel link's description: "PPP" marks a PPP link and nothing else, whatever the link's name.
#include "StringPrinter.h"
#include "platform/linux/LinkDescription.h"

#include <gtest/gtest.h>
#include <linux/if.h>
#include <linux/if_arp.h>

using LinkDescription::describe;

TEST(LinkDescription, PppLinksAndOnlyThemCarryTheWord)
{
    EXPECT_EQ(describe(ARPHRD_PPP, IFF_POINTOPOINT, QStringLiteral("dsl0"), QString()),
              QStringLiteral("dsl0 - PPP link"));
    EXPECT_EQ(describe(ARPHRD_NONE, IFF_POINTOPOINT, QStringLiteral("ppp0"), QStringLiteral("tun")),
              QStringLiteral("ppp0 - PPP link (tun)"));
    EXPECT_EQ(describe(ARPHRD_NONE, IFF_POINTOPOINT, QStringLiteral("wg0"), QStringLiteral("wireguard")),
              QStringLiteral("wg0 - Point-to-point (wireguard)"));
    // Named like a PPP link, but an Ethernet pair; or an upper-case name on a link of any other type.
    EXPECT_EQ(describe(ARPHRD_ETHER, 0, QStringLiteral("ppp0"), QStringLiteral("veth")),
              QStringLiteral("ppp0 - Ethernet (veth)"));
    EXPECT_EQ(describe(ARPHRD_ETHER, 0, QStringLiteral("toPPPoE"), QStringLiteral("PPPx")),
              QStringLiteral("topppoE - Ethernet (pppx)"));
    for (quint32 type = 0; type <= 0xFFFF; ++type) {
        for (const quint32 flags : {0u, quint32(IFF_POINTOPOINT)}) {
            const QString text = describe(quint16(type), flags, QStringLiteral("xPPP1"), QString());
            EXPECT_EQ(text.contains(QLatin1String("PPP")), type == ARPHRD_PPP) << type << " " << flags;
        }
    }
}
