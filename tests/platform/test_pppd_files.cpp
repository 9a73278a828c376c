// What pppd leaves behind, read from folders of the test's own: peer files (some that cannot be read),
// pid files (some with garbage), the link name's pid file and a process table; and what its lines and exit
// statuses mean.
#include "../traffic/StringPrinter.h"
#include "platform/DialUpService.h"
#include "platform/linux/PppdCodes.h"
#include "platform/linux/PppdFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class PppdFilesTest : public ::testing::Test
{
protected:
    PppdFilesTest()
    {
        places.pppFolder = dir.filePath(QStringLiteral("ppp"));
        places.runFolder = dir.filePath(QStringLiteral("run"));
        places.procFolder = dir.filePath(QStringLiteral("proc"));
        places.pluginFolder = dir.filePath(QStringLiteral("plugins"));
        for (const char* folder : {"ppp/peers", "run", "proc", "plugins"})
            QDir(dir.path()).mkpath(QLatin1String(folder));
    }

    void write(const QString& relative, const QByteArray& text)
    {
        QFile file(dir.filePath(relative));
        QDir().mkpath(QFileInfo(file).path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    /// A process as /proc shows it: its name and its NUL-separated arguments.
    void process(qint64 pid, const QByteArray& comm, const QList<QByteArray>& arguments)
    {
        write(QStringLiteral("proc/%1/comm").arg(pid), comm + '\n');
        write(QStringLiteral("proc/%1/cmdline").arg(pid), arguments.join('\0') + '\0');
    }

    QTemporaryDir dir;
    PppdPlaces places;
};

TEST_F(PppdFilesTest, ThePhoneBookIsTheReadablePeerFilesByName)
{
    write(QStringLiteral("ppp/peers/provider"), "user alice\n");
    write(QStringLiteral("ppp/peers/Night Rate"), "# cheaper after eight\n");
    write(QStringLiteral("ppp/peers/provider~"), "");
    write(QStringLiteral("ppp/peers/provider.dpkg-old"), "");
    write(QStringLiteral("ppp/peers/.hidden"), "");
    // Peers that cannot be read: a link to nowhere, a folder, and a pipe that would block whoever opens it.
    const QString peers = dir.filePath(QStringLiteral("ppp/peers/"));
    ASSERT_EQ(::symlink("/nonexistent/peer", QFile::encodeName(peers + QStringLiteral("dangling")).constData()), 0);
    ASSERT_TRUE(QDir(peers).mkdir(QStringLiteral("folder")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(peers + QStringLiteral("pipe")).constData(), 0644), 0);

    EXPECT_EQ(PppdFiles::peerNames(places), (QStringList{"Night Rate", "provider"}));

    PppdFiles::PeerOptions options;
    EXPECT_EQ(PppdFiles::readPeer(places, QStringLiteral("provider"), options), PppdFiles::Read::Done);
    EXPECT_EQ(options.user, QStringLiteral("alice"));
    for (const char* name : {"dangling", "folder", "pipe"})
        EXPECT_EQ(PppdFiles::readPeer(places, QLatin1String(name), options), PppdFiles::Read::Unreadable) << name;
    for (const char* name : {"absent", "", "../peers/provider", "..", "provider~"})
        EXPECT_EQ(PppdFiles::readPeer(places, QLatin1String(name), options), PppdFiles::Read::Missing) << name;

    // No peers folder at all: an empty phone book.
    places.pppFolder = dir.filePath(QStringLiteral("nowhere"));
    EXPECT_TRUE(PppdFiles::peerNames(places).isEmpty());
}

TEST_F(PppdFilesTest, OptionsAreReadAsPppdReadsThem)
{
    EXPECT_EQ(PppdFiles::optionWords(QStringLiteral("user \"kim smith\" # user nobody\n"
                                                    "  remotename 'the isp'\tnoauth\n"
                                                    "connect \"/usr/sbin/chat -v -f x\" \\\n"
                                                    "ipparam a\\ b#notacomment\n")),
              (QStringList{"user", "kim smith", "remotename", "the isp", "noauth", "connect", "/usr/sbin/chat -v -f x",
                           "ipparam", "a b#notacomment"}));
    write(QStringLiteral("ppp/peers/dsl"), "user first\nplugin rp-pppoe.so eth0\nuser \"second one\"\n");
    PppdFiles::PeerOptions options;
    ASSERT_EQ(PppdFiles::readPeer(places, QStringLiteral("dsl"), options), PppdFiles::Read::Done);
    EXPECT_EQ(options.user, QStringLiteral("second one")); // the last one counts
    EXPECT_FALSE(options.loadsPasswordFd);

    write(QStringLiteral("ppp/peers/fd"), "# plugin passwordfd.so\nplugin /usr/lib/pppd/2.4.9/passwordfd.so\n");
    ASSERT_EQ(PppdFiles::readPeer(places, QStringLiteral("fd"), options), PppdFiles::Read::Done);
    EXPECT_TRUE(options.loadsPasswordFd);

    EXPECT_FALSE(PppdFiles::systemOptions(places).loadsPasswordFd);
    EXPECT_FALSE(options.noDetach);
    write(QStringLiteral("ppp/options"), "lock\nplugin passwordfd.so\nnodetach\n");
    EXPECT_TRUE(PppdFiles::systemOptions(places).loadsPasswordFd);
    EXPECT_TRUE(PppdFiles::systemOptions(places).noDetach);

    EXPECT_FALSE(PppdFiles::passwordFdInstalled(places));
    write(QStringLiteral("plugins/2.4.9/passwordfd.so"), "");
    EXPECT_TRUE(PppdFiles::passwordFdInstalled(places));
}

TEST_F(PppdFilesTest, PidFilesWithGarbageNameNoProcess)
{
    const QString file = dir.filePath(QStringLiteral("run/ppp0.pid"));
    for (const QByteArray& garbage :
         {QByteArray("hello\n"), QByteArray(""), QByteArray("-5\n"), QByteArray("1\n"), QByteArray("0\n"),
          QByteArray("99999999999999999999\n"), QByteArray("\n4321\n"), QByteArray(100000, '7')}) {
        write(QStringLiteral("run/ppp0.pid"), garbage);
        EXPECT_FALSE(PppdFiles::pidInFile(file)) << garbage.left(30).toStdString();
    }
    write(QStringLiteral("run/ppp0.pid"), " 4321 \nppp0\n");
    EXPECT_EQ(PppdFiles::pidInFile(file), 4321);
    EXPECT_FALSE(PppdFiles::pidInFile(dir.filePath(QStringLiteral("run/ppp9.pid"))));
}

TEST_F(PppdFilesTest, AConnectionIsNamedAfterItsPeerThenItsLinkNameThenItsIpparamThenItsInterface)
{
    // pppd 4321 called for "provider" runs ppp0; its pid file is all it wrote.
    process(4321, "pppd", {"/usr/sbin/pppd", "call", "provider", "ipparam", "ignored"});
    write(QStringLiteral("run/ppp0.pid"), "4321\n");
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp0")), QStringLiteral("provider"));
    EXPECT_EQ(PppdFiles::pppdOf(places, QStringLiteral("ppp0")), 4321);

    // Started without a peer but with a link name: ppp-office.pid names the interface on its second line.
    process(4400, "pppd", {"pppd", "/dev/ttyUSB0", "linkname", "office", "ipparam", "site-b"});
    write(QStringLiteral("run/ppp1.pid"), "4400\n");
    write(QStringLiteral("run/ppp-office.pid"), "4400\nppp1\n");
    write(QStringLiteral("run/ppp-other.pid"), "4500\n"); // a link still dialling has no interface yet
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp1")), QStringLiteral("office"));

    // Only an ipparam.
    process(4600, "pppd", {"pppd", "ttyS0", "ipparam", "site-c"});
    write(QStringLiteral("run/ppp2.pid"), "4600\n");
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp2")), QStringLiteral("site-c"));

    // A pid file whose process is no pppd (a pid used again) tells nothing, and gives nothing to hang up.
    process(4700, "bash", {"bash", "call", "mallory"});
    write(QStringLiteral("run/ppp3.pid"), "4700\n");
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp3")), QStringLiteral("ppp3"));
    EXPECT_FALSE(PppdFiles::pppdOf(places, QStringLiteral("ppp3")));
    // Nothing at all, or garbage.
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp4")), QStringLiteral("ppp4"));
    write(QStringLiteral("run/ppp5.pid"), "\x01\x02garbage");
    EXPECT_EQ(PppdFiles::connectionName(places, QStringLiteral("ppp5")), QStringLiteral("ppp5"));
    EXPECT_FALSE(PppdFiles::pppdOf(places, QStringLiteral("ppp5")));
    EXPECT_FALSE(PppdFiles::pppdOf(places, QStringLiteral("../run/ppp0")));
}

TEST_F(PppdFilesTest, TheProgramIsFoundOnThePathOrNotAtAll)
{
    places.program = dir.filePath(QStringLiteral("bin/pppd"));
    EXPECT_TRUE(PppdFiles::findProgram(places).isEmpty());
    write(QStringLiteral("bin/pppd"), "#!/bin/sh\n");
    EXPECT_TRUE(PppdFiles::findProgram(places).isEmpty()); // not executable
    QFile(places.program).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(PppdFiles::findProgram(places), places.program);
    places.program = QStringLiteral("qovruvela-no-such-pppd");
    EXPECT_TRUE(PppdFiles::findProgram(places).isEmpty());
}

TEST(PppdCodesTest, LinesOfADialBecomeItsStates)
{
    const QList<std::pair<QString, quint32>> lines = {
        {QStringLiteral("Serial connection established."), RasState::DeviceConnected},
        {QStringLiteral("Using interface ppp0"), RasState::AllDevicesConnected},
        {QStringLiteral("Connect: ppp0 <--> /dev/ttyUSB0"), RasState::Authenticate},
        {QStringLiteral("CHAP authentication succeeded"), RasState::Authenticated},
        {QStringLiteral("PAP authentication succeeded"), RasState::Authenticated},
        {QStringLiteral("local  IP address 10.64.64.64"), RasState::Projected},
        {QStringLiteral("remote IP address 10.112.112.112\n"), RasState::Connected},
    };
    for (const auto& [line, state] : lines)
        EXPECT_EQ(PppdCodes::readLine(line).state, state) << line.toStdString();
    EXPECT_EQ(PppdCodes::readLine(QStringLiteral("Using interface wwan-ppp")).interfaceName,
              QStringLiteral("wwan-ppp"));
    EXPECT_FALSE(PppdCodes::readLine(QStringLiteral("Script /etc/ppp/ip-up started (pid 77)")).state);
    EXPECT_FALSE(PppdCodes::readLine(QStringLiteral("")).state);
}

TEST(PppdCodesTest, TheModemsWordsTellWhyTheConnectScriptFailed)
{
    const auto hint = [](const char* line) { return PppdCodes::readLine(QLatin1String(line)).hint; };
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("Failed (BUSY)")), RasError::LineBusy);
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("Failed (NO ANSWER)")), RasError::NoAnswer);
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("alarm")), RasError::NoAnswer);
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("Failed (NO CARRIER)")), 679u);
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("Failed (NO DIALTONE)")), 680u);
    EXPECT_EQ(PppdCodes::errorOfExit(8, 0), 651u);
    // A refused password said in a line does not turn a failed connect script into a refused password.
    EXPECT_EQ(PppdCodes::errorOfExit(8, hint("PAP authentication failed")), 651u);
    EXPECT_EQ(hint("CHAP authentication failed"), 691u);
    EXPECT_EQ(hint("BUSYBOX"), 0u);
}

} // namespace
