// The sampling pass: tabs in order of discovery, the choice of the dial-up interface by "PPP" in the
// description, the byte counters it feeds, disconnection, failed reads, clearing and the start-up probe.
#include "StringPrinter.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "tests/support/TestClock.h"
#include "traffic/TrafficMonitor.h"

#include <gtest/gtest.h>

namespace {

class TrafficMonitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        monitor.setDialUpShown([this](const QString& adapter, const QString& ip) {
            edAdapter = adapter;
            edIP = ip;
            ++dialUpPicks;
        });
    }

    SimulatedInterfaceTable table;
    TestClock clock;
    TrafficMonitor monitor{table, clock, QLocale(QLocale::English, QLocale::UnitedStates)};
    QString edAdapter;
    QString edIP;
    int dialUpPicks = 0;
};

TEST_F(TrafficMonitorTest, FirstPassAddsATabPerInterfaceAndSelectsTheLast)
{
    table.addInterface(1, QStringLiteral("lo - Loopback"));
    table.addInterface(4, QStringLiteral("eth0 - Ethernet"));
    table.addInterface(9, QStringLiteral("eth1 - Ethernet"));
    table.addresses = {{4, ipv4Address(192, 168, 1, 20)}, {1, ipv4Address(127, 0, 0, 1)}};
    monitor.primeTrafficMonitor();
    ASSERT_EQ(monitor.tabCount(), 3);
    EXPECT_EQ(monitor.tabCaption(0), QStringLiteral("127.  0.  0.  1"));
    EXPECT_EQ(monitor.tabCaption(1), QStringLiteral("192.168.  1. 20"));
    EXPECT_EQ(monitor.tabCaption(2), QStringLiteral("!not_found!"));
    EXPECT_EQ(monitor.tabIndex(), 2);
    EXPECT_EQ(monitor.SelectedTraffic(), &monitor.tabTraffic(2));
    EXPECT_EQ(monitor.page().ledAdapterDescription, QStringLiteral("eth1 - Ethernet"));
    EXPECT_EQ(monitor.page().StatusText, QStringLiteral("Connected, Running"));
    EXPECT_EQ(monitor.page().ledActiveFor, QStringLiteral("00:00:00"));

    monitor.selectTab(0);
    EXPECT_EQ(monitor.page().ledAdapterDescription, QStringLiteral("lo - Loopback"));
    EXPECT_EQ(monitor.page().ledMACAddress, QStringLiteral("00-50-BA-12-34-01"));
    EXPECT_EQ(monitor.page().ledStartedAt, QStringLiteral("3/20/24 10:00:00 AM"));

    // An object made at exactly midnight shows the date alone.
    clock.set(QDateTime(QDate(2024, 3, 21), QTime(0, 0)));
    monitor.ClearTrafficMonitor();
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.page().ledStartedAt, QStringLiteral("3/21/24"));
}

TEST_F(TrafficMonitorTest, RatesArePerSecondAndTotalsAreBytes)
{
    table.addInterface(4, QStringLiteral("eth0 - Ethernet"));
    monitor.primeTrafficMonitor();
    table.move(4, 3072, 100);
    monitor.UpdateTrafficMonitor();
    table.move(4, 1024, 0);
    monitor.UpdateTrafficMonitor();
    const TrafficPage& p = monitor.page();
    EXPECT_EQ(p.ledOctInSec, QStringLiteral("1.00 KB/s"));
    EXPECT_EQ(p.ledPeakINSec, QStringLiteral("3.00 KB/s"));
    EXPECT_EQ(p.ledAvgINSec, QStringLiteral("2.00 KB/s"));
    EXPECT_EQ(p.ledTotalIN, QStringLiteral("4.00 KB"));
    EXPECT_EQ(p.ledOctOUTSec, QStringLiteral("0.00 B/s"));
    EXPECT_EQ(p.ledPeakOUTSec, QStringLiteral("100.00 B/s"));
    EXPECT_EQ(p.ledAvgOUTSec, QStringLiteral("100.00 B/s"));
    EXPECT_EQ(p.ledTotalOUT, QStringLiteral("100.00 B"));
}

TEST_F(TrafficMonitorTest, ANewDialUpInterfaceFeedsTheCountersFromTheNextPass)
{
    table.addInterface(2, QStringLiteral("eth0 - Ethernet"), 5000, 5000);
    table.addInterface(6, QStringLiteral("ppp0 - PPP link"), 1000, 2000);
    table.addresses = {{6, ipv4Address(10, 64, 0, 7)}};
    monitor.UpdateTrafficMonitor();
    table.move(6, 1500, 300);
    table.move(2, 99, 99);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.DialUpBytesReceived(), 1500u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 300u);
    EXPECT_EQ(edAdapter, QStringLiteral("ppp0 - PPP link"));
    EXPECT_EQ(edIP, QStringLiteral(" 10. 64.  0.  7"));

    // A recording starts afresh: the new objects take the counters as their base and give nothing yet.
    monitor.ClearTrafficMonitor();
    table.move(6, 700, 70);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.DialUpBytesReceived(), 1500u);
    EXPECT_EQ(dialUpPicks, 1);
    table.move(6, 40, 4);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.DialUpBytesReceived(), 40u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 4u);
    EXPECT_EQ(dialUpPicks, 2);
}

TEST_F(TrafficMonitorTest, OnlyTheFirstKnownUpperCasePppInterfaceCounts)
{
    table.addInterface(3, QStringLiteral("ppp link of the modem"), 0, 0);
    table.addInterface(5, QStringLiteral("ppp0 - PPP link"), 0, 0);
    table.addInterface(8, QStringLiteral("ppp1 - PPP link"), 0, 0);
    monitor.UpdateTrafficMonitor();
    for (quint32 index : {3u, 5u, 8u})
        table.move(index, index * 100, index * 10);
    // A dial-up interface that appears before the known one in table order is new, so it takes no part.
    table.rows.insert(table.rows.begin(), InterfaceRow{11, QStringLiteral("ppp2 - PPP link"), 0, {}, 0, 0, 0});
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(edAdapter, QStringLiteral("ppp0 - PPP link"));
    EXPECT_EQ(monitor.DialUpBytesReceived(), 500u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 50u);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(edAdapter, QStringLiteral("ppp2 - PPP link"));
    EXPECT_EQ(monitor.DialUpBytesReceived(), 0u);
}

TEST_F(TrafficMonitorTest, TheNamedInterfaceIsTakenOverAnyPppLinkFromItsSecondPass)
{
    table.addInterface(5, QStringLiteral("ppp0 - PPP link"), 0, 0);
    monitor.setDialUpInterface(QStringLiteral("wwan0"));
    monitor.UpdateTrafficMonitor();
    table.move(5, 40, 4);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(edAdapter, QStringLiteral("ppp0 - PPP link")); // the named link is not there yet
    EXPECT_EQ(monitor.DialUpBytesReceived(), 40u);

    // In the pass that finds it, the named link has nothing to give; the PPP link does not stand in.
    table.addInterface(9, QStringLiteral("wwan0 - Raw IP"), 7000, 7000);
    table.move(5, 60, 6);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.DialUpBytesReceived(), 40u);
    EXPECT_EQ(dialUpPicks, 1);
    table.move(9, 300, 30);
    table.move(5, 1, 1);
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(edAdapter, QStringLiteral("wwan0 - Raw IP"));
    EXPECT_EQ(monitor.DialUpBytesReceived(), 300u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 30u);
}

TEST_F(TrafficMonitorTest, AnInterfaceThatLeavesFreezesAndStaysFrozenWhenItReturns)
{
    table.addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    table.addInterface(2, QStringLiteral("eth0 - Ethernet"));
    monitor.UpdateTrafficMonitor();
    table.move(6, 800, 80);
    monitor.UpdateTrafficMonitor();
    const InterfaceRow ppp = table.rows.front();
    table.rows.erase(table.rows.begin());
    monitor.UpdateTrafficMonitor();
    const TTraffic& gone = monitor.tabTraffic(0);
    EXPECT_EQ(gone.GetStatusText(), QStringLiteral("NOT connected, NOT running"));
    EXPECT_EQ(monitor.DialUpBytesReceived(), 800u);

    table.rows.push_back(ppp);
    table.move(6, 5000, 5000);
    monitor.UpdateTrafficMonitor();
    ASSERT_EQ(monitor.tabCount(), 2);
    EXPECT_FALSE(gone.Running());
    EXPECT_EQ(gone.TotalIn(), 800u);
    EXPECT_EQ(gone.SampleCount(), 2u);
    // It still has "PPP" in its description, so its frozen totals are what the counters show.
    EXPECT_EQ(monitor.DialUpBytesReceived(), 800u);
}

TEST_F(TrafficMonitorTest, AFailedReadDisconnectsEveryInterfaceAndKeepsTheCounters)
{
    table.addInterface(6, QStringLiteral("ppp0 - PPP link"));
    monitor.UpdateTrafficMonitor();
    table.move(6, 10, 20);
    monitor.UpdateTrafficMonitor();
    table.failReads = true;
    monitor.UpdateTrafficMonitor();
    EXPECT_EQ(monitor.page().StatusText, QStringLiteral("NOT connected, NOT running"));
    EXPECT_EQ(monitor.DialUpBytesReceived(), 10u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 20u);
}

TEST_F(TrafficMonitorTest, ClearingEmptiesThePanelFieldsButNotTheGroups)
{
    table.addInterface(6, QStringLiteral("ppp0 - PPP link"));
    monitor.UpdateTrafficMonitor();
    table.move(6, 2048, 1024);
    monitor.UpdateTrafficMonitor();
    monitor.ClearTrafficMonitor();
    const TrafficPage& p = monitor.page();
    EXPECT_EQ(monitor.tabCount(), 0);
    EXPECT_EQ(monitor.tabIndex(), -1);
    EXPECT_EQ(monitor.SelectedTraffic(), nullptr);
    EXPECT_TRUE(p.ledAdapterDescription.isEmpty() && p.ledMACAddress.isEmpty() && p.ledSpeed.isEmpty());
    EXPECT_TRUE(p.StatusText.isEmpty());
    EXPECT_EQ(p.ledTotalIN, QStringLiteral("2.00 KB"));
    EXPECT_EQ(p.ledTotalOUT, QStringLiteral("1.00 KB"));
    EXPECT_EQ(p.ledActiveFor, QStringLiteral("00:00:01"));
    // Clearing leaves the counters to the session's own reset.
    EXPECT_EQ(monitor.DialUpBytesReceived(), 2048u);
    monitor.zeroByteCounters();
    EXPECT_EQ(monitor.DialUpBytesReceived(), 0u);
    EXPECT_EQ(monitor.DialUpBytesSent(), 0u);
}

TEST_F(TrafficMonitorTest, AnUnreadableTableSwitchesTheMonitorOffForGood)
{
    table.addInterface(6, QStringLiteral("ppp0 - PPP link"));
    table.readable = false;
    monitor.primeTrafficMonitor();
    table.readable = true;
    monitor.UpdateTrafficMonitor();
    EXPECT_FALSE(monitor.TrafficMonitorEnabled());
    EXPECT_EQ(table.interfaceReads, 0);
    EXPECT_EQ(monitor.tabCount(), 0);
    EXPECT_EQ(dialUpPicks, 0);
}

} // namespace
