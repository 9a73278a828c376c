// Two dial-up systems seen as one: the network manager's connections first, the PPP links it does not
// report second; each entry and each hang-up reaches the system it belongs to.
#include "platform/CombinedDialUp.h"
#include "platform/sim/SimulatedDialUp.h"

#include <gtest/gtest.h>

namespace {

class CombinedDialUpTest : public ::testing::Test
{
protected:
    CombinedDialUpTest()
    {
        auto first = std::make_unique<InMemoryDialUp>();
        auto second = std::make_unique<InMemoryDialUp>();
        manager = first.get();
        pppd = second.get();
        combined = std::make_unique<CombinedDialUp>(std::move(first), std::move(second));
        manager->system().entries = {QStringLiteral("Mobile"), QStringLiteral("Shared")};
        pppd->system().entries = {QStringLiteral("provider"), QStringLiteral("Shared")};
    }

    static RasConnection link(quintptr handle, const QString& name, const QString& interface)
    {
        return {handle, name, RasState::Connected, 0, interface};
    }

    InMemoryDialUp* manager = nullptr;
    InMemoryDialUp* pppd = nullptr;
    std::unique_ptr<CombinedDialUp> combined;
};

TEST_F(CombinedDialUpTest, ManagersConnectionsFirstAndItsOwnPppLinkOnlyOnce)
{
    manager->system().connections = {link(1, QStringLiteral("Mobile"), QStringLiteral("ppp0"))};
    // pppd's view of the same ppp0, made by the manager's own pppd, and a link of a pppd started by hand.
    pppd->system().connections = {link(1, QStringLiteral("ppp0"), QStringLiteral("ppp0")),
                                  link(2, QStringLiteral("provider"), QStringLiteral("ppp1"))};
    QList<RasConnection> listed;
    ASSERT_TRUE(combined->enumConnections(listed));
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("Mobile"));
    EXPECT_EQ(listed[1].entryName, QStringLiteral("provider"));
    EXPECT_EQ(listed[1].interfaceName, QStringLiteral("ppp1"));
    // Both systems number from 1; the handles here stay apart and reach the right system.
    EXPECT_NE(listed[0].handle, listed[1].handle);
    ASSERT_TRUE(combined->hangUp(listed[1].handle));
    EXPECT_EQ(pppd->hangUps, QList<DialUpService::Handle>{2});
    EXPECT_TRUE(manager->hangUps.isEmpty());
    ASSERT_TRUE(combined->hangUp(listed[0].handle));
    EXPECT_EQ(manager->hangUps, QList<DialUpService::Handle>{1});
    EXPECT_FALSE(combined->hangUp(0));
}

TEST_F(CombinedDialUpTest, ASystemThatCannotListMakesTheWholeListUnknown)
{
    // Leaving its connections out would read as their end and close the session.
    pppd->system().connections = {link(2, QStringLiteral("provider"), QStringLiteral("ppp1"))};
    manager->system().unavailable = true;
    QList<RasConnection> listed;
    EXPECT_FALSE(combined->enumConnections(listed));
    manager->system().unavailable = false;
    pppd->system().unavailable = true;
    EXPECT_FALSE(combined->enumConnections(listed));
}

TEST_F(CombinedDialUpTest, PhoneBooksFollowEachOtherAndAnEntryGoesToTheFirstThatHasIt)
{
    QStringList entries;
    ASSERT_TRUE(combined->enumEntries(entries));
    EXPECT_EQ(entries, (QStringList{"Mobile", "Shared", "provider", "Shared"}));
    // One phone book that cannot be read leaves the other.
    manager->system().unavailable = true;
    ASSERT_TRUE(combined->enumEntries(entries));
    EXPECT_EQ(entries, (QStringList{"provider", "Shared"}));
    manager->system().unavailable = false;

    DialUpService::Handle handle = 0;
    ASSERT_EQ(combined->dial({QStringLiteral("provider"), QStringLiteral("u"), QStringLiteral("p"), false}, {}, handle),
              0u);
    ASSERT_EQ(pppd->system().connections.size(), 1);
    EXPECT_TRUE(manager->system().connections.isEmpty());
    ASSERT_TRUE(combined->hangUp(handle));
    EXPECT_TRUE(pppd->system().connections.isEmpty());

    ASSERT_EQ(combined->dial({QStringLiteral("Shared"), QStringLiteral("u"), QStringLiteral("p"), false}, {}, handle),
              0u);
    EXPECT_EQ(manager->system().connections.size(), 1);
    EXPECT_TRUE(pppd->system().connections.isEmpty());

    ASSERT_EQ(combined->setEntryDialParams({QStringLiteral("provider"), QStringLiteral("kim"), {}, false}, true), 0u);
    DialParams params{QStringLiteral("provider"), {}, {}, false};
    ASSERT_EQ(combined->getEntryDialParams(params), 0u);
    EXPECT_EQ(params.userName, QStringLiteral("kim"));
    params.entryName = QStringLiteral("nowhere");
    EXPECT_EQ(combined->getEntryDialParams(params), 623u);
    EXPECT_EQ(combined->dial(params, {}, handle), 623u);
    EXPECT_EQ(handle, 0u);
}

TEST_F(CombinedDialUpTest, UnreachableOnlyWhenBothAreAndNamesBoth)
{
    EXPECT_EQ(combined->systemsInUse(), QStringLiteral("simulated, simulated"));
    pppd->unreachable = QStringLiteral("no pppd");
    EXPECT_TRUE(combined->unavailableReason().isEmpty());
    manager->unreachable = QStringLiteral("no manager");
    EXPECT_EQ(combined->unavailableReason(), QStringLiteral("no pppd"));
    pppd->unreachable.clear();
    EXPECT_TRUE(combined->unavailableReason().isEmpty());
}

} // namespace
