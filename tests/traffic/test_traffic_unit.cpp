// One interface's figures: counter wrap, peaks and averages over the seconds with traffic, the frozen state
// after a disconnection, the address texts taken at creation, the speed and duration texts, and the
// physical and IPv4 address texts.
#include "StringPrinter.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "tests/support/TestClock.h"
#include "traffic/IPHelper.h"
#include "traffic/TrafficUnit.h"

#include <gtest/gtest.h>

namespace {

class TrafficUnitTest : public ::testing::Test
{
protected:
    TTraffic make(quint32 in = 0, quint32 out = 0)
    {
        if (!table.row(7))
            table.addInterface(7, QStringLiteral("ppp0 - PPP link"));
        table.row(7)->inOctets = in;
        table.row(7)->outOctets = out;
        return TTraffic(*table.row(7), table, clock);
    }

    SimulatedInterfaceTable table;
    TestClock clock;
};

TEST_F(TrafficUnitTest, CounterDifferencesWrapModulo2To32)
{
    TTraffic t = make(4294967200u, 4294967295u);
    t.AddSample(100, 9, 0);
    EXPECT_EQ(t.InPerSec(), 196u);
    EXPECT_EQ(t.TotalIn(), 196u);
    EXPECT_EQ(t.OutPerSec(), 10u);
    // The totals wrap too, as the stored byte counts do.
    t.AddSample(100 + 4294967295u, 9, 0);
    EXPECT_EQ(t.TotalIn(), 195u);
}

TEST_F(TrafficUnitTest, PeakTotalAndAverageOverTheSecondsWithTraffic)
{
    TTraffic t = make(500, 20);
    const quint32 in[] = {500, 1500, 1500, 4500};
    const quint32 out[] = {21, 21, 31, 31};
    for (int i = 0; i < 4; ++i)
        t.AddSample(in[i], out[i], 56000);
    EXPECT_EQ(t.PeakInPerSec(), 3000u);
    EXPECT_EQ(t.TotalIn(), 4000u);
    EXPECT_EQ(t.ActiveInSamples(), 2u);
    EXPECT_EQ(t.AvgInPerSec(), 2000u);
    EXPECT_EQ(t.SampleCount(), 4u);
    EXPECT_EQ(t.InPerSec(), 3000u);
    // The sent direction keeps its own figures: 1 and 10 octets in two of the four seconds.
    EXPECT_EQ(t.TotalOut(), 11u);
    EXPECT_EQ(t.PeakOutPerSec(), 10u);
    EXPECT_EQ(t.ActiveOutSamples(), 2u);
    EXPECT_EQ(t.AvgOutPerSec(), 5u);
    EXPECT_EQ(t.OutPerSec(), 0u);
    EXPECT_EQ(t.Speed(), 56000u);
}

TEST_F(TrafficUnitTest, AfterDisconnectionOnlyTheSampleCountMoves)
{
    TTraffic t = make();
    t.AddSample(1000, 500, 1000);
    EXPECT_EQ(t.GetStatusText(), QStringLiteral("Connected, Running"));
    t.MarkDisconnected();
    t.AddSample(9000, 9000, 2000);
    t.AddSample(19000, 19000, 3000);
    EXPECT_EQ(t.GetStatusText(), QStringLiteral("NOT connected, NOT running"));
    EXPECT_EQ(t.SampleCount(), 3u);
    EXPECT_EQ(t.TotalIn(), 1000u);
    EXPECT_EQ(t.TotalOut(), 500u);
    EXPECT_EQ(t.InPerSec(), 1000u);
    EXPECT_EQ(t.PrevInOctets(), 1000u);
    EXPECT_EQ(t.Speed(), 1000u);
    EXPECT_EQ(t.GetDurationText(), QStringLiteral("00:00:03"));
}

TEST_F(TrafficUnitTest, CreationTakesTheRowsTextsOnceAndForAll)
{
    InterfaceRow& row = table.addInterface(3, QStringLiteral(" \t eth0 - Ethernet\x01 "));
    row.physAddrLen = 0;
    row.speed = 100000000;
    table.addresses = {{4, ipv4Address(10, 0, 0, 9)}};
    const TTraffic t(row, table, clock);
    EXPECT_EQ(t.Description(), QStringLiteral("eth0 - Ethernet"));
    EXPECT_EQ(t.MACAddress(), QStringLiteral("00-00-00-00-00-00"));
    EXPECT_EQ(t.IPAddress(), QStringLiteral("!not_found!"));
    EXPECT_EQ(t.StartedAt(), clock.now());
    EXPECT_EQ(t.Speed(), 100000000u);
    EXPECT_TRUE(t.Running() && t.Connected());

    // An address assigned later is not taken up; of several addresses the lowest is.
    table.addresses.push_back({3, ipv4Address(192, 168, 1, 20)});
    EXPECT_EQ(t.IPAddress(), QStringLiteral("!not_found!"));
    table.addresses.push_back({3, ipv4Address(10, 0, 0, 1)});
    EXPECT_EQ(TTraffic(row, table, clock).IPAddress(), QStringLiteral(" 10.  0.  0.  1"));
    table.failReads = true;
    EXPECT_EQ(LookupIPAddress(table, 3), QStringLiteral("!not_found!"));
}

TEST(SpeedToText, DecimalStepsWithTwoDecimals)
{
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const std::pair<quint64, const char*> cases[] = {
        {0, "0.00 bps"},           {999, "999.00 bps"},        {1000, "1.00 Kbps"},
        {56000, "56.00 Kbps"},     {115200, "115.20 Kbps"},    {999999, "1,000.00 Kbps"},
        {1000000, "1.00 Mbps"},    {10000000, "10.00 Mbps"},   {999999999, "1,000.00 Mbps"},
        {1000000000, "1.00 Gbps"}, {4294967295u, "4.29 Gbps"}, {25000000000u, "25.00 Gbps"},
    };
    for (const auto& [speed, text] : cases)
        EXPECT_EQ(SpeedToText(speed, en), QLatin1String(text)) << speed;
    EXPECT_EQ(SpeedToText(115200, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("115,20 Kbps"));
}

TEST_F(TrafficUnitTest, DurationIsTheSampleCountAsHoursMinutesSeconds)
{
    TTraffic t = make();
    const std::pair<quint32, const char*> cases[] = {{59, "00:00:59"}, {3661, "01:01:01"}, {360000, "100:00:00"}};
    quint32 done = 0;
    for (const auto& [samples, text] : cases) {
        for (; done < samples; ++done)
            t.AddSample(0, 0, 0);
        EXPECT_EQ(t.GetDurationText(), QLatin1String(text));
    }
}

TEST(IPHelper, PhysicalAddressTexts)
{
    const std::array<quint8, 8> bytes{0x00, 0x50, 0xBA, 0x12, 0x34, 0xAB, 0x0F, 0xF0};
    EXPECT_EQ(IPHelper::MacAddressToText(bytes, 6), QStringLiteral("00-50-BA-12-34-AB"));
    EXPECT_EQ(IPHelper::MacAddressToText(bytes, 8), QStringLiteral("00-50-BA-12-34-AB-0F-F0"));
    EXPECT_EQ(IPHelper::MacAddressToText(bytes, 20), QStringLiteral("00-50-BA-12-34-AB-0F-F0"));
    EXPECT_EQ(IPHelper::MacAddressToText(bytes, 1), QStringLiteral("00"));
    EXPECT_EQ(IPHelper::MacAddressToText(bytes, 0), QStringLiteral("00-00-00-00-00-00"));
}

TEST(IPHelper, AddressTextsHaveThreePlacesPerPart)
{
    EXPECT_EQ(IPHelper::IpAddressToText(ipv4Address(10, 0, 0, 1)), QStringLiteral(" 10.  0.  0.  1"));
    EXPECT_EQ(IPHelper::IpAddressToText(ipv4Address(192, 168, 1, 20)), QStringLiteral("192.168.  1. 20"));
    EXPECT_EQ(IPHelper::IpAddressToText(ipv4Address(255, 255, 255, 255)), QStringLiteral("255.255.255.255"));
}

TEST(IPHelper, AFailedReadLeavesEmptyTables)
{
    SimulatedInterfaceTable table;
    table.addInterface(1, QStringLiteral("lo - Loopback"));
    table.addresses = {{1, ipv4Address(127, 0, 0, 1)}};
    table.failReads = true;
    TMIBIfArray rows(3);
    TMibIPAddrArray addresses(2);
    IPHelper::ReadIfTable(table, rows);
    IPHelper::ReadIpAddrTable(table, addresses);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(addresses.empty());
}

} // namespace
