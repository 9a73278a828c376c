// The kernel's own tables: in a network namespace of the test's own, octets moved through a tun device named
// ppp0 reach the sampler's totals exactly as `ip -s link` counts them, and the session recorded over it
// stores them. Skips where namespaces cannot be made.
#include "KernelNamespace.h"
#include "StringPrinter.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalFile.h"
#include "record/SessionTracker.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestClock.h"
#include "traffic/TrafficMonitor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class KernelTableTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { problem = new QString(KernelNamespace::make()); }
    static void TearDownTestSuite() { delete problem; }
    void SetUp() override
    {
        if (!problem->isEmpty())
            GTEST_SKIP() << problem->toStdString();
    }

    const InterfaceRow* row(const QString& descriptionStart)
    {
        rows.clear();
        EXPECT_TRUE(table.readInterfaces(rows));
        for (const InterfaceRow& r : rows) {
            if (r.description.startsWith(descriptionStart))
                return &r;
        }
        return nullptr;
    }

    static inline QString* problem = nullptr;
    NetlinkInterfaceTable table;
    std::vector<InterfaceRow> rows;
    TestClock clock;
};

TEST_F(KernelTableTest, TheNamespacesLinksAndAddresses)
{
    ASSERT_TRUE(table.available());
    const InterfaceRow* lo = row(QStringLiteral("lo "));
    ASSERT_NE(lo, nullptr);
    EXPECT_EQ(lo->description, QStringLiteral("lo - Loopback"));
    const InterfaceRow* ppp = row(QStringLiteral("ppp0 "));
    ASSERT_NE(ppp, nullptr);
    EXPECT_EQ(ppp->description, QStringLiteral("ppp0 - PPP link (tun)"));
    EXPECT_EQ(ppp->physAddrLen, 0u);
    // Our own end of the point-to-point link, not the peer's.
    EXPECT_EQ(LookupIPAddress(table, ppp->index), QStringLiteral(" 10. 77.  0.  1"));
    EXPECT_EQ(LookupIPAddress(table, lo->index), QStringLiteral("127.  0.  0.  1"));
}

TEST_F(KernelTableTest, AnEthernetPairHasItsDriversSpeedAndNoPppWord)
{
    if (!KernelNamespace::ip(QStringLiteral("link add vethPPP type veth peer name vpeer")))
        GTEST_SKIP() << "no veth pairs in this kernel";
    KernelNamespace::ip(QStringLiteral("link set vpeer up"));
    KernelNamespace::ip(QStringLiteral("link set vethPPP up"));
    const InterfaceRow* veth = row(QStringLiteral("vethppp "));
    ASSERT_NE(veth, nullptr);
    EXPECT_EQ(veth->description, QStringLiteral("vethppp - Ethernet (veth)"));
    EXPECT_EQ(veth->physAddrLen, 6u);
    // The veth driver reports 10 Gbit/s, more than 32 bits hold.
    EXPECT_EQ(veth->speed, 10000000000u);
    // Renamed, the link is described by its new name at the next read.
    KernelNamespace::ip(QStringLiteral("link set vethPPP down"));
    KernelNamespace::ip(QStringLiteral("link set vethPPP name vrenamed"));
    EXPECT_EQ(row(QStringLiteral("vethppp ")), nullptr);
    const InterfaceRow* renamed = row(QStringLiteral("vrenamed "));
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->name, QStringLiteral("vrenamed"));
    EXPECT_EQ(renamed->description, QStringLiteral("vrenamed - Ethernet (veth)"));
    KernelNamespace::ip(QStringLiteral("link del vrenamed"));
}

TEST_F(KernelTableTest, TheSamplersTotalsAreTheKernelsCounterDifference)
{
    TrafficMonitor monitor(table, clock);
    monitor.primeTrafficMonitor();
    ASSERT_TRUE(monitor.TrafficMonitorEnabled());
    const LinkOctets before = KernelNamespace::octets(QStringLiteral("ppp0"));
    const quint64 sent = KernelNamespace::sendOut(10, 1000);
    const quint64 received = KernelNamespace::receiveIn(7, 500);
    monitor.UpdateTrafficMonitor();
    const LinkOctets after = KernelNamespace::octets(QStringLiteral("ppp0"));

    EXPECT_EQ(sent, 10u * 1028u);
    EXPECT_EQ(received, 7u * 528u);
    EXPECT_EQ(after.received - before.received, received);
    EXPECT_EQ(after.sent - before.sent, sent);
    EXPECT_EQ(monitor.DialUpBytesReceived(), received);
    EXPECT_EQ(monitor.DialUpBytesSent(), sent);
}

// Stands in for the main window: forwards the tracker's traffic calls to the monitor.
class Window final : public PeriodHost, public TrackerHost
{
public:
    explicit Window(TrafficMonitor& t) : traffic(t) {}
    void showDayPeriod(const QString&) override {}
    void showStatusLine(const QString&) override {}
    void listBackupFiles(const QString&) override {}
    bool IsConnected() const override { return connected; }
    bool Checked_PhoneBook_IsOn() const override { return true; }
    bool alwaysRecord() const override { return false; }
    bool TrayIconOn() const override { return false; }
    void ChangeSysTrayIcon(int) override {}
    bool recordingStopped() const override { return false; }
    void UpdateTrafficMonitor() override { traffic.UpdateTrafficMonitor(); }
    void ClearTrafficMonitor() override { traffic.ClearTrafficMonitor(); }
    void zeroByteCounters() override { traffic.zeroByteCounters(); }
    quint32 DialUpBytesReceived() const override { return traffic.DialUpBytesReceived(); }
    quint32 DialUpBytesSent() const override { return traffic.DialUpBytesSent(); }
    void CheckHourlyAlert(qint32) override {}
    void resetHourlyAlert() override {}

    TrafficMonitor& traffic;
    SessionTracker* tracker = nullptr;
    bool connected = true;
};

TEST_F(KernelTableTest, TheSessionRecordedOverPpp0CarriesItsOctets)
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    TrafficMonitor traffic(table, clock);
    Window window(traffic);
    PersonalFile file(folder.path() + QLatin1Char('/'), clock, dialogs);
    AccountingPeriod period(file, clock, dialogs, window);
    SessionTracker tracker(clock, file, period, window);
    window.tracker = &tracker;
    file.setPersonalFileName(QStringLiteral("alice.rvl"));
    const NewFileOutcome created = period.StartNewFile(1, 31);
    ASSERT_TRUE(created);
    tracker.followReload(created.reload);
    traffic.primeTrafficMonitor();
    const auto tick = [&] {
        clock.advance(1);
        tracker.tick();
    };
    tick(); // the session opens with the traffic figures cleared
    tick(); // the first pass takes the counters as the base
    const LinkOctets before = KernelNamespace::octets(QStringLiteral("ppp0"));
    const quint64 received = KernelNamespace::receiveIn(3, 1200) + KernelNamespace::receiveIn(2, 100);
    const quint64 sent = KernelNamespace::sendOut(4, 700);
    tick();
    const LinkOctets after = KernelNamespace::octets(QStringLiteral("ppp0"));
    window.connected = false;
    tick(); // the session closes with a final save

    const QList<ProfileRecord> records = PersonalFile::readRecords(file.filePath()).value_or(QList<ProfileRecord>());
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].BytesReceived(), after.received - before.received);
    EXPECT_EQ(records[1].BytesSent(), after.sent - before.sent);
    EXPECT_EQ(records[1].BytesReceived(), received);
    EXPECT_EQ(records[1].BytesSent(), sent);
    EXPECT_GT(received, 0u);
}

} // namespace
