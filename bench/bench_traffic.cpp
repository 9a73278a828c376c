// Cost of one traffic sampling pass against the kernel's own tables, set against one bare read of the
// interface table (the routing netlink dump, received and walked but not parsed). Target: a pass costs at
// most twice the bare read; the "ratio" counter gives it.
#include "platform/Clock.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "traffic/TrafficMonitor.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <libmnl/libmnl.h>
#include <linux/rtnetlink.h>
#include <vector>

namespace {
// The kernel's interface dump with nothing done to it: the floor any reader of the table stands on.
class BareLinkDump
{
public:
    BareLinkDump() : m_socket(mnl_socket_open(NETLINK_ROUTE)), m_buffer(32768)
    {
        if (m_socket && mnl_socket_bind(m_socket, 0, MNL_SOCKET_AUTOPID) == 0)
            m_portId = mnl_socket_get_portid(m_socket);
    }
    ~BareLinkDump()
    {
        if (m_socket)
            mnl_socket_close(m_socket);
    }
    bool ok() const { return m_portId != 0; }

    bool read()
    {
        nlmsghdr* message = mnl_nlmsg_put_header(m_buffer.data());
        message->nlmsg_type = RTM_GETLINK;
        message->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        message->nlmsg_seq = ++m_sequence;
        static_cast<ifinfomsg*>(mnl_nlmsg_put_extra_header(message, sizeof(ifinfomsg)))->ifi_family = AF_UNSPEC;
        if (mnl_socket_sendto(m_socket, message, message->nlmsg_len) < 0)
            return false;
        for (;;) {
            const ssize_t n = mnl_socket_recvfrom(m_socket, m_buffer.data(), m_buffer.size());
            if (n <= 0)
                return false;
            const int result = mnl_cb_run(m_buffer.data(), std::size_t(n), m_sequence, m_portId, nullptr, nullptr);
            if (result <= MNL_CB_STOP)
                return result == MNL_CB_STOP;
        }
    }

private:
    mnl_socket* m_socket;
    unsigned m_portId = 0;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
};

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}
} // namespace

static void BM_BareInterfaceDump(benchmark::State& state)
{
    BareLinkDump dump;
    for (auto _ : state) {
        if (!dump.read())
            state.SkipWithError("the interface dump failed");
    }
}
BENCHMARK(BM_BareInterfaceDump);

static void BM_ReadIfTable(benchmark::State& state)
{
    NetlinkInterfaceTable table;
    std::vector<InterfaceRow> rows;
    for (auto _ : state) {
        table.readInterfaces(rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["interfaces"] = double(rows.size());
}
BENCHMARK(BM_ReadIfTable);

static void BM_SamplingPass(benchmark::State& state)
{
    NetlinkInterfaceTable table;
    const SystemClock clock;
    TrafficMonitor monitor(table, clock);
    monitor.primeTrafficMonitor();
    for (auto _ : state)
        monitor.UpdateTrafficMonitor();
    state.counters["tabs"] = monitor.tabCount();
}
BENCHMARK(BM_SamplingPass);

// Both in turn, so that they meet the same cache and scheduler: the ratio of a pass to a bare read.
static void BM_PassAgainstBareRead(benchmark::State& state)
{
    BareLinkDump dump;
    NetlinkInterfaceTable table;
    const SystemClock clock;
    TrafficMonitor monitor(table, clock);
    monitor.primeTrafficMonitor();
    std::chrono::steady_clock::duration bare{};
    std::chrono::steady_clock::duration pass{};
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        dump.read();
        const auto t1 = std::chrono::steady_clock::now();
        monitor.UpdateTrafficMonitor();
        const auto t2 = std::chrono::steady_clock::now();
        bare += t1 - t0;
        pass += t2 - t1;
    }
    const double n = double(state.iterations());
    state.counters["bare_us"] = seconds(bare) / n * 1e6;
    state.counters["pass_us"] = seconds(pass) / n * 1e6;
    state.counters["ratio"] = seconds(pass) / seconds(bare);
}
BENCHMARK(BM_PassAgainstBareRead);

// For comparison: the text table of counters the kernel also offers, read whole.
static void BM_ProcNetDevRead(benchmark::State& state)
{
    for (auto _ : state) {
        QFile f(QStringLiteral("/proc/net/dev"));
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("no /proc/net/dev");
        benchmark::DoNotOptimize(f.readAll().size());
    }
}
BENCHMARK(BM_ProcNetDevRead);
