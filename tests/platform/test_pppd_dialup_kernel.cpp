// The pppd backend against the kernel: in a network namespace of the test's own, a stand-in pppd
// (standin/pppd, first on PATH) makes tun links named pppN, writes pppd's pid files, reads the password
// from its descriptor and ends with the status its peer file asks for; the real netlink code sees the links.
// Skips where namespaces cannot be made.
#include "../traffic/KernelNamespace.h"
#include "../traffic/StringPrinter.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/PppdDialUp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct Step
{
    quint32 state;
    quint32 error;
};

struct ProgressLog
{
    QList<Step> steps;
    DialUpService::Progress recorder()
    {
        return [this](quint32 state, quint32 error) { steps.append({state, error}); };
    }
    QList<quint32> states() const
    {
        QList<quint32> out;
        for (const Step& s : steps)
            out.append(s.state);
        return out;
    }
    bool over() const
    {
        return !steps.isEmpty() && (steps.last().error != 0 || steps.last().state == RasState::Connected);
    }
    quint32 error() const { return steps.isEmpty() ? 0 : steps.last().error; }
};

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 15000);
}

QByteArray procFile(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.readAll() : QByteArray();
}

/// A tun link of the test's own, held open by the returned descriptor; -1 when it cannot be made.
int tunLink(const char* name)
{
    const int fd = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    if (fd < 0 || ::ioctl(fd, TUNSETIFF, &request) != 0)
        return -1;
    return fd;
}

class PppdKernelTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { problem = new QString(KernelNamespace::enter()); }
    static void TearDownTestSuite() { delete problem; }

    void SetUp() override
    {
        if (!problem->isEmpty())
            GTEST_SKIP() << problem->toStdString();
        for (const char* folder : {"ppp/peers", "run", "plugins/2.4.9"})
            QDir(dir.path()).mkpath(QLatin1String(folder));
        write(QStringLiteral("plugins/2.4.9/passwordfd.so"), "");
        places.pppFolder = dir.filePath(QStringLiteral("ppp"));
        places.runFolder = dir.filePath(QStringLiteral("run"));
        places.pluginFolder = dir.filePath(QStringLiteral("plugins"));
        places.privileged = true;
        // The stand-in comes first on PATH and finds its folders where the program's factory would.
        qputenv("PATH", QByteArray(QOV_STANDIN_DIR) + ':' + qgetenv("PATH"));
        qputenv("QOVRUVELA_PPP_FOLDER", QFile::encodeName(places.pppFolder));
        qputenv("QOVRUVELA_PPP_RUN_FOLDER", QFile::encodeName(places.runFolder));
        makeService();
    }

    void TearDown() override
    {
        service.reset();
        for (const int fd : tunFds)
            ::close(fd);
        // No stand-in outlives its test: each holds a link open, which the next test would count. They are
        // found by the run folder in their environment, so that one caught between writing its pid files
        // (or before it wrote them) goes too; one that does not end on SIGTERM is killed.
        for (const int sig : {SIGTERM, SIGKILL}) {
            for (const qint64 pid : standIns())
                ::kill(pid_t(pid), sig);
            if (QTest::qWaitFor([this] { return pppLinks().isEmpty(); }, 5000))
                break;
        }
        EXPECT_EQ(pppLinks(), QStringList()) << "a link outlived its test";
    }

    QList<qint64> standIns() const
    {
        const QByteArray mark = "QOVRUVELA_PPP_RUN_FOLDER=" + QFile::encodeName(places.runFolder);
        QList<qint64> pids;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (number && pid != ::getpid() && procFile(pid, "environ").split('\0').contains(mark))
                pids.append(pid);
        }
        return pids;
    }

    void makeService() { service = std::make_unique<PppdDialUp>(std::make_unique<NetlinkInterfaceTable>(), places); }

    void write(const QString& relative, const QByteArray& text)
    {
        QFile file(dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    void peer(const QString& name, const QByteArray& text) { write(QStringLiteral("ppp/peers/") + name, text); }

    QList<RasConnection> connections()
    {
        QList<RasConnection> out;
        EXPECT_TRUE(service->enumConnections(out));
        return out;
    }

    QStringList pppLinks()
    {
        NetlinkInterfaceTable table;
        std::vector<InterfaceRow> rows;
        table.readInterfaces(rows);
        QStringList names;
        for (const InterfaceRow& row : rows) {
            if (row.description.contains(QLatin1String("PPP")))
                names.append(row.name);
        }
        return names;
    }

    quint32 dial(const QString& entry, const QString& user, const QString& password, ProgressLog& log,
                 DialUpService::Handle& handle)
    {
        return service->dial({entry, user, password, false}, log.recorder(), handle);
    }

    static inline QString* problem = nullptr;
    QTemporaryDir dir;
    PppdPlaces places;
    std::unique_ptr<PppdDialUp> service;
    QList<int> tunFds;
};

TEST_F(PppdKernelTest, ADialBringsUpALinkNamedAfterItsPeerAndHangingUpEndsIt)
{
    peer(QStringLiteral("provider"), "user olduser\n#stand-in password s3cret\n");
    peer(QStringLiteral("backup"), "user other\n");
    QStringList entries;
    ASSERT_TRUE(service->enumEntries(entries));
    EXPECT_EQ(entries, (QStringList{"backup", "provider"}));
    DialParams params{QStringLiteral("provider"), {}, {}, false};
    ASSERT_EQ(service->getEntryDialParams(params), 0u);
    EXPECT_EQ(params.userName, QStringLiteral("olduser"));
    EXPECT_TRUE(service->unavailableReason().isEmpty());

    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("provider"), QStringLiteral("kim"), QStringLiteral("s3cret"), log, handle), 0u);
    EXPECT_NE(handle, 0u);
    ASSERT_TRUE(waitFor([&] { return log.over(); }));
    EXPECT_EQ(log.error(), 0u);
    EXPECT_EQ(log.states(), (QList<quint32>{RasState::OpenPort, RasState::ConnectDevice, RasState::DeviceConnected,
                                            RasState::AllDevicesConnected, RasState::Authenticate,
                                            RasState::Authenticated, RasState::Projected, RasState::Connected}));

    const QList<RasConnection> listed = connections();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("provider"));
    EXPECT_EQ(listed[0].interfaceName, QStringLiteral("ppp0"));
    EXPECT_EQ(listed[0].state, RasState::Connected);
    EXPECT_EQ(listed[0].handle, handle);
    EXPECT_EQ(connections().value(0).handle, handle);

    // The daemon that runs the link took the password from a pipe: not from its command line or environment.
    const auto daemon = PppdFiles::pppdOf(places, QStringLiteral("ppp0"));
    ASSERT_TRUE(daemon);
    const QByteArray commandLine = procFile(*daemon, "cmdline");
    EXPECT_TRUE(commandLine.contains("passwordfd"));
    EXPECT_TRUE(commandLine.contains(QByteArray("user\0kim", 8)));
    EXPECT_FALSE(commandLine.contains("s3cret"));
    EXPECT_FALSE(procFile(*daemon, "environ").contains("s3cret"));
    // The user name of the last dial is remembered; no password is.
    ASSERT_EQ(service->getEntryDialParams(params), 0u);
    EXPECT_EQ(params.userName, QStringLiteral("kim"));
    EXPECT_TRUE(params.password.isEmpty());

    ASSERT_TRUE(service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return connections().isEmpty(); }));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("run/ppp0.pid"))));
    // Hanging up what has gone already is no failure.
    EXPECT_TRUE(service->hangUp(handle));
    EXPECT_FALSE(service->hangUp(handle + 100));
}

TEST_F(PppdKernelTest, APluginLoadedByThePeerFileIsUsedAndWithoutOneNoPasswordLeavesTheProgram)
{
    // An unprivileged caller may not load plug-ins; the administrator's peer file may.
    places.privileged = false;
    makeService();
    peer(QStringLiteral("allowed"), "plugin passwordfd.so\n#stand-in password pw1\n");
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("allowed"), QStringLiteral("u"), QStringLiteral("pw1"), log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.over(); }));
    EXPECT_EQ(log.error(), 0u);
    ASSERT_TRUE(service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return connections().isEmpty(); }));

    // Without the plug-in pppd takes the password from its secrets files: ours is not passed at all.
    peer(QStringLiteral("secrets"), "user u\n");
    ProgressLog second;
    ASSERT_EQ(dial(QStringLiteral("secrets"), QStringLiteral("u"), QStringLiteral("typed"), second, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return second.over(); }));
    EXPECT_EQ(second.error(), 0u);
    const auto daemon = PppdFiles::pppdOf(places, QStringLiteral("ppp0"));
    ASSERT_TRUE(daemon);
    EXPECT_FALSE(procFile(*daemon, "cmdline").contains("passwordfd"));
}

TEST_F(PppdKernelTest, ARefusedPasswordIsAccessDeniedAndLeavesNoLink)
{
    peer(QStringLiteral("provider"), "#stand-in password right\n");
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("provider"), QStringLiteral("kim"), QStringLiteral("wrong"), log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.over(); }));
    EXPECT_EQ(log.error(), 691u);
    EXPECT_EQ(log.steps.last().state, RasState::Authenticate);
    EXPECT_TRUE(connections().isEmpty());
    EXPECT_TRUE(service->hangUp(handle)); // the dialer hangs up after an error: nothing is left
}

struct ExitCase
{
    const char* peerText;
    quint32 error;
};

class PppdExitTest : public PppdKernelTest, public ::testing::WithParamInterface<ExitCase>
{};

TEST_P(PppdExitTest, PppdsExitStatusBecomesTheDialError)
{
    peer(QStringLiteral("isp"), GetParam().peerText);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("isp"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.over(); }));
    EXPECT_EQ(log.error(), GetParam().error);
    EXPECT_EQ(log.steps.last().state, RasState::ConnectDevice);
    EXPECT_TRUE(connections().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, PppdExitTest,
    ::testing::Values(ExitCase{"#stand-in say Failed (BUSY)\n#stand-in exit 8\n", RasError::LineBusy},
                      ExitCase{"#stand-in say alarm\n#stand-in say Failed\n#stand-in exit 8\n", RasError::NoAnswer},
                      ExitCase{"#stand-in exit 7\n", 797}));

TEST_F(PppdKernelTest, CancellingADialThatNeverGetsFurtherEndsItsPppd)
{
    peer(QStringLiteral("stuck"), "#stand-in hold\n");
    peer(QStringLiteral("fine"), "\n");
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("stuck"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.states().contains(RasState::ConnectDevice); }));
    ProgressLog other;
    DialUpService::Handle otherHandle = 0;
    EXPECT_EQ(dial(QStringLiteral("fine"), QStringLiteral("kim"), QStringLiteral("pw"), other, otherHandle), 756u);

    ASSERT_TRUE(service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return log.over(); }));
    EXPECT_EQ(log.error(), RasError::UserDisconnection);
    // The next dial may start.
    ASSERT_EQ(dial(QStringLiteral("fine"), QStringLiteral("kim"), QStringLiteral("pw"), other, otherHandle), 0u);
    ASSERT_TRUE(waitFor([&] { return other.over(); }));
    EXPECT_EQ(other.error(), 0u);
}

TEST_F(PppdKernelTest, APppdThatCannotStartIsAClearError)
{
    peer(QStringLiteral("provider"), "\n");
    // Not installed: said at once, and the status line can say there is no dial-up system.
    places.program = dir.filePath(QStringLiteral("bin/pppd"));
    makeService();
    EXPECT_EQ(service->unavailableReason(), PppdDialUp::NoSystemText);
    EXPECT_TRUE(service->systemsInUse().isEmpty()) << "the About window names only what is there";
    ProgressLog log;
    DialUpService::Handle handle = 7;
    EXPECT_EQ(dial(QStringLiteral("provider"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle), 711u);
    EXPECT_EQ(handle, 0u);

    // There, but it cannot run: reported as the dial's error.
    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    write(QStringLiteral("bin/pppd"), "#!/nonexistent/interpreter\n");
    QFile(places.program).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    makeService();
    EXPECT_TRUE(service->unavailableReason().isEmpty());
    const quint32 refused = dial(QStringLiteral("provider"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle);
    if (refused == 0) {
        ASSERT_TRUE(waitFor([&] { return log.over(); }));
    }
    EXPECT_EQ(refused == 0 ? log.error() : refused, 711u);
    EXPECT_TRUE(connections().isEmpty());

    // An entry whose peer file cannot be read, or that is not there.
    ASSERT_EQ(
        ::symlink("/nonexistent/peer", QFile::encodeName(dir.filePath(QStringLiteral("ppp/peers/gone"))).constData()),
        0);
    EXPECT_EQ(dial(QStringLiteral("gone"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle), 621u);
    EXPECT_EQ(dial(QStringLiteral("absent"), QStringLiteral("kim"), QStringLiteral("pw"), log, handle), 623u);
    DialParams params{QStringLiteral("gone"), {}, {}, false};
    EXPECT_EQ(service->getEntryDialParams(params), 621u);
}

TEST_F(PppdKernelTest, LinksMadeElsewhereAreNamedByWhatTheirPppdLeftBehind)
{
    // pppd started by hand, detaching once its link is up.
    for (const char* arguments : {"linkname office updetach", "ipparam site-b updetach"})
        ASSERT_EQ(QProcess::execute(QStringLiteral("pppd"), QString::fromLatin1(arguments).split(QLatin1Char(' '))), 0)
            << arguments;
    // A link without any pid file, and one that is down.
    tunFds.append(tunLink("ppp7"));
    tunFds.append(tunLink("ppp8"));
    ASSERT_TRUE(KernelNamespace::ip(QStringLiteral("link set ppp7 up")));

    QList<RasConnection> listed = connections();
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("office"));
    EXPECT_EQ(listed[0].interfaceName, QStringLiteral("ppp0"));
    EXPECT_EQ(listed[1].entryName, QStringLiteral("site-b"));
    EXPECT_EQ(listed[2].entryName, QStringLiteral("ppp7"));

    // Whoever started it, its pppd ends on hang-up.
    ASSERT_TRUE(service->hangUp(listed[1].handle));
    ASSERT_TRUE(waitFor([&] { return connections().size() == 2; }));

    // A pid file with garbage, or the pid of a process that is not a pppd: nothing to end, and nothing ended.
    const DialUpService::Handle bare = listed[2].handle;
    EXPECT_FALSE(service->hangUp(bare));
    write(QStringLiteral("run/ppp7.pid"), "garbage\n");
    EXPECT_FALSE(service->hangUp(bare));
    write(QStringLiteral("run/ppp7.pid"), QByteArray::number(qint64(::getpid())) + '\n');
    EXPECT_FALSE(service->hangUp(bare));
    EXPECT_EQ(connections().value(1).entryName, QStringLiteral("ppp7"));

    // The link goes between two reads: its handle has nothing left to hang up.
    ::close(tunFds.takeFirst());
    listed = connections();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("office"));
    EXPECT_TRUE(service->hangUp(bare));
}

} // namespace
