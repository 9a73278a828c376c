// The simulated dial-up system: its text file, the file-driven service and the in-memory one.
#include "platform/sim/FileDialUp.h"
#include "platform/sim/SimulatedDialUp.h"
#include "platform/sim/SimulationFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool sameConnections(const QList<RasConnection>& a, const QList<RasConnection>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].handle != b[i].handle || a[i].entryName != b[i].entryName || a[i].state != b[i].state ||
            a[i].error != b[i].error || a[i].interfaceName != b[i].interfaceName)
            return false;
    }
    return true;
}

TEST(SimulationFileTest, FormatIsReadBackUnchanged)
{
    SimulatedSystem system;
    system.entries = {QStringLiteral("Home ISP"), QStringLiteral("Work"), QStringLiteral("Night  Rate Line")};
    system.connections = {
        {SimulationFile::handleOf(QStringLiteral("Home ISP")), QStringLiteral("Home ISP"), 8192, 0,
         QStringLiteral("wwan0")},
        {SimulationFile::handleOf(QStringLiteral("Work")), QStringLiteral("Work"), 2, 678, QString()},
    };
    system.unavailable = true;
    system.failDial = 676;

    SimulatedSystem back;
    QString error;
    ASSERT_TRUE(SimulationFile::parse(SimulationFile::format(system), back, error)) << qPrintable(error);
    EXPECT_EQ(back.entries, system.entries);
    EXPECT_TRUE(sameConnections(back.connections, system.connections));
    EXPECT_TRUE(back.unavailable);
    EXPECT_EQ(back.failDial, 676u);
}

TEST(SimulationFileTest, ReadsNamesWithBlanksCommentsAndEmptyLines)
{
    const QString text = QStringLiteral("# set up by hand\n"
                                        "\n"
                                        "   entry   My Provider  \n"
                                        "entry Second One\r\n"
                                        "connection 8192 0 My Provider\n"
                                        "connection 13 0 Second One\n"
                                        "interface  ppp1 \n");
    SimulatedSystem system;
    QString error;
    ASSERT_TRUE(SimulationFile::parse(text, system, error)) << qPrintable(error);
    EXPECT_EQ(system.entries, QStringList({QStringLiteral("My Provider"), QStringLiteral("Second One")}));
    ASSERT_EQ(system.connections.size(), 2);
    EXPECT_EQ(system.connections[0].entryName, QStringLiteral("My Provider"));
    EXPECT_EQ(system.connections[0].state, 8192u);
    EXPECT_EQ(system.connections[1].entryName, QStringLiteral("Second One"));
    EXPECT_EQ(system.connections[1].state, 13u);
    EXPECT_TRUE(system.connections[0].interfaceName.isEmpty());
    EXPECT_EQ(system.connections[1].interfaceName, QStringLiteral("ppp1"));
    EXPECT_FALSE(system.unavailable);
}

TEST(SimulationFileTest, BadLinesAreRefusedWithTheirLineNumber)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("entry A\nentry\n"), QStringLiteral("line 2")},
        {QStringLiteral("# c\n\nconnection 8192 0\n"), QStringLiteral("line 3")},
        {QStringLiteral("connection connected 0 A\n"), QStringLiteral("line 1")},
        {QStringLiteral("entry A\nconnection 8192 -1 A\n"), QStringLiteral("line 2")},
        {QStringLiteral("entry A\nentry B\nentry C\nhangup A\n"), QStringLiteral("line 4")},
        {QStringLiteral("unavailable now\n"), QStringLiteral("line 1")},
        {QStringLiteral("entry A\ninterface ppp0\n"), QStringLiteral("line 2")},
        {QStringLiteral("connection 8192 0 A\ninterface\n"), QStringLiteral("line 2")},
    };
    for (const auto& [text, where] : cases) {
        SimulatedSystem system;
        QString error;
        EXPECT_FALSE(SimulationFile::parse(text, system, error)) << qPrintable(text);
        EXPECT_TRUE(error.startsWith(where + QLatin1Char(':'))) << qPrintable(text) << " -> " << qPrintable(error);
    }
}

class FileDialUpTest : public ::testing::Test
{
protected:
    void write(const QString& text)
    {
        QFile file(m_service.filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    QString read() const
    {
        QFile file(m_service.filePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    FileDialUp m_service{m_dir.path()};
};

TEST_F(FileDialUpTest, MissingFileIsASystemWithNothingInIt)
{
    EXPECT_FALSE(QFile::exists(m_service.filePath()));
    QList<RasConnection> connections{{1, QStringLiteral("stale"), 8192, 0, QString()}};
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_TRUE(connections.isEmpty());
    QStringList entries{QStringLiteral("stale")};
    ASSERT_TRUE(m_service.enumEntries(entries));
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_TRUE(m_service.lastError().isEmpty());
}

TEST_F(FileDialUpTest, MalformedFileCannotBeListed)
{
    write(QStringLiteral("entry A\nconnection 8192 0 A\nnonsense\n"));
    QList<RasConnection> connections;
    EXPECT_FALSE(m_service.enumConnections(connections));
    QStringList entries;
    EXPECT_FALSE(m_service.enumEntries(entries));
    EXPECT_TRUE(m_service.lastError().contains(QStringLiteral("line 3")));

    // Once the file is mended, the next call reads it.
    write(QStringLiteral("entry A\nconnection 8192 0 A\n"));
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_EQ(connections.size(), 1);
    EXPECT_TRUE(m_service.lastError().isEmpty());
}

TEST_F(FileDialUpTest, FileIsReadAgainAtEveryCall)
{
    write(QStringLiteral("entry A\nentry B\nconnection 5 0 A\n"));
    QList<RasConnection> connections;
    ASSERT_TRUE(m_service.enumConnections(connections));
    ASSERT_EQ(connections.size(), 1);
    EXPECT_EQ(connections[0].state, 5u);

    write(QStringLiteral("entry A\nentry B\nconnection 8192 0 A\nconnection 8192 0 B\n"));
    ASSERT_TRUE(m_service.enumConnections(connections));
    ASSERT_EQ(connections.size(), 2);
    EXPECT_EQ(connections[0].state, 8192u);
    EXPECT_EQ(connections[1].entryName, QStringLiteral("B"));

    write(QStringLiteral("entry A\n"));
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_TRUE(connections.isEmpty());

    ASSERT_TRUE(QFile::remove(m_service.filePath()));
    QStringList entries;
    ASSERT_TRUE(m_service.enumEntries(entries));
    EXPECT_TRUE(entries.isEmpty());
}

TEST_F(FileDialUpTest, UnavailableServiceCannotBeListed)
{
    write(QStringLiteral("entry A\nconnection 8192 0 A\nunavailable\n"));
    QList<RasConnection> connections;
    EXPECT_FALSE(m_service.enumConnections(connections));
    QStringList entries;
    EXPECT_FALSE(m_service.enumEntries(entries));
    // Not a fault of the file: nothing to report.
    EXPECT_TRUE(m_service.lastError().isEmpty());
}

TEST_F(FileDialUpTest, HangUpRemovesTheConnectionFromTheFile)
{
    write(QStringLiteral("entry Home ISP\nentry Work\nconnection 8192 0 Home ISP\nconnection 8192 0 Work\n"));
    ASSERT_TRUE(m_service.hangUp(SimulationFile::handleOf(QStringLiteral("Home ISP"))));

    SimulatedSystem onDisk;
    QString error;
    ASSERT_TRUE(SimulationFile::parse(read(), onDisk, error)) << qPrintable(error);
    EXPECT_EQ(onDisk.entries, QStringList({QStringLiteral("Home ISP"), QStringLiteral("Work")}));
    ASSERT_EQ(onDisk.connections.size(), 1);
    EXPECT_EQ(onDisk.connections[0].entryName, QStringLiteral("Work"));

    // Another service on the same file sees the change too.
    FileDialUp other(m_dir.path());
    QList<RasConnection> connections;
    ASSERT_TRUE(other.enumConnections(connections));
    ASSERT_EQ(connections.size(), 1);
    EXPECT_EQ(connections[0].entryName, QStringLiteral("Work"));
}

TEST_F(FileDialUpTest, ABusyLineFailsEachDialAtTheDeviceUntilItIsLetThrough)
{
    // What the dialer sees of a busy line: the dial gets under way and the error comes with the device step,
    // so that it redials; the connection never appears.
    write(QStringLiteral("entry Home ISP\nfail 676\n"));
    DialParams params;
    params.entryName = QStringLiteral("Home ISP");
    DialUpService::Handle handle = 0;
    QList<std::pair<quint32, quint32>> steps;
    const auto progress = [&](quint32 state, quint32 error) { steps.append({state, error}); };
    ASSERT_EQ(m_service.dial(params, progress, handle), 0u);
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.last(), std::make_pair(quint32(RasState::ConnectDevice), 676u));
    EXPECT_FALSE(read().contains(QStringLiteral("connection ")));

    write(QStringLiteral("entry Home ISP\n"));
    ASSERT_EQ(m_service.dial(params, progress, handle), 0u);
    EXPECT_TRUE(read().contains(QStringLiteral("connection 8192 0 Home ISP")));
}

TEST_F(FileDialUpTest, DialWritesTheNewConnectionToTheFile)
{
    write(QStringLiteral("entry Home ISP\n"));
    DialParams params;
    params.entryName = QStringLiteral("Home ISP");
    DialUpService::Handle handle = 0;
    ASSERT_EQ(m_service.dial(params, {}, handle), 0u);
    EXPECT_TRUE(read().contains(QStringLiteral("connection 8192 0 Home ISP")));
}

TEST_F(FileDialUpTest, ALinkPlantedAtTheFileIsReplacedAndWhatItPointsAtIsLeftAlone)
{
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("precious.txt"));
    const QByteArray kept = "entry Home ISP\n";
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kept);
    }
    ASSERT_TRUE(QFile::link(victim, m_service.filePath()));

    DialParams params;
    params.entryName = QStringLiteral("Home ISP");
    DialUpService::Handle handle = 0;
    ASSERT_EQ(m_service.dial(params, {}, handle), 0u);

    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kept);
    EXPECT_FALSE(QFileInfo(m_service.filePath()).isSymLink());
    EXPECT_TRUE(read().contains(QStringLiteral("connection 8192 0 Home ISP")));
    // The write's own temporary file is gone.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QLatin1String(FileDialUp::fileName)});
}

TEST_F(FileDialUpTest, AFolderOthersMayWriteInIsNotUsed)
{
    write(QStringLiteral("entry Home ISP\nconnection 8192 0 Home ISP\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777), 0);

    QList<RasConnection> connections;
    EXPECT_FALSE(m_service.enumConnections(connections));
    EXPECT_TRUE(m_service.lastError().contains(QStringLiteral("others may write in it")))
        << qPrintable(m_service.lastError());
    EXPECT_TRUE(m_service.unavailableReason().contains(m_dir.path())) << qPrintable(m_service.unavailableReason());
    // Nor is anything written into it.
    m_service.hangUp(SimulationFile::handleOf(QStringLiteral("Home ISP")));
    EXPECT_TRUE(read().contains(QStringLiteral("connection 8192 0 Home ISP")));

    // Once the folder is the user's alone again, it is read.
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0700), 0);
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_EQ(connections.size(), 1);
    EXPECT_TRUE(m_service.unavailableReason().isEmpty());
}

TEST_F(FileDialUpTest, AFolderOfSomeoneElsesIsNotUsed)
{
    QString theirs = QStringLiteral("/");
    if (::geteuid() == 0) {
        theirs = m_dir.filePath(QStringLiteral("theirs"));
        ASSERT_TRUE(QDir().mkdir(theirs));
        ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    }
    FileDialUp service(theirs);
    QList<RasConnection> connections;
    EXPECT_FALSE(service.enumConnections(connections));
    EXPECT_TRUE(service.lastError().contains(QStringLiteral("belongs to someone else")))
        << qPrintable(service.lastError());
}

TEST_F(FileDialUpTest, AMissingFolderIsMadeForTheUserAlone)
{
    const QString folder = m_dir.filePath(QStringLiteral("demo"));
    FileDialUp service(folder);
    QList<RasConnection> connections;
    ASSERT_TRUE(service.enumConnections(connections)) << qPrintable(service.lastError());
    EXPECT_TRUE(connections.isEmpty());
    ASSERT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QFile::permissions(folder) & (QFileDevice::WriteGroup | QFileDevice::WriteOther | QFileDevice::ReadOther),
              QFileDevice::Permissions());
}

class InMemoryDialUpTest : public ::testing::Test
{
protected:
    void SetUp() override { m_service.system().entries = {QStringLiteral("Home ISP"), QStringLiteral("Work")}; }

    struct Report
    {
        quint32 state;
        quint32 error;
    };
    quint32 dial(const QString& entry, DialUpService::Handle& handle)
    {
        DialParams params;
        params.entryName = entry;
        return m_service.dial(
            params,
            [this](quint32 state, quint32 error) {
                m_reports.append({state, error});
            },
            handle);
    }

    InMemoryDialUp m_service;
    QList<Report> m_reports;
};

TEST_F(InMemoryDialUpTest, DialWithoutScriptConnects)
{
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("Work"), handle), 0u);
    EXPECT_EQ(handle, SimulationFile::handleOf(QStringLiteral("Work")));
    ASSERT_FALSE(m_reports.isEmpty());
    EXPECT_EQ(m_reports.first().state, quint32(RasState::OpenPort));
    EXPECT_EQ(m_reports.last().state, quint32(RasState::Connected));
    for (const Report& r : std::as_const(m_reports))
        EXPECT_EQ(r.error, 0u);

    QList<RasConnection> connections;
    ASSERT_TRUE(m_service.enumConnections(connections));
    ASSERT_EQ(connections.size(), 1);
    EXPECT_EQ(connections[0].entryName, QStringLiteral("Work"));
    EXPECT_EQ(connections[0].state, quint32(RasState::Connected));
    EXPECT_EQ(connections[0].error, 0u);
    EXPECT_EQ(connections[0].handle, handle);
}

TEST_F(InMemoryDialUpTest, ScriptedOutcomesAreUsedInOrder)
{
    m_service.dialOutcomes = {RasError::LineBusy, 0};
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial(QStringLiteral("Home ISP"), handle), 0u);
    ASSERT_FALSE(m_reports.isEmpty());
    EXPECT_EQ(m_reports.last().error, quint32(RasError::LineBusy));
    for (const Report& r : std::as_const(m_reports))
        EXPECT_NE(r.state, quint32(RasState::Connected));
    QList<RasConnection> connections;
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_TRUE(connections.isEmpty());

    m_reports.clear();
    ASSERT_EQ(dial(QStringLiteral("Home ISP"), handle), 0u);
    EXPECT_EQ(m_reports.last().state, quint32(RasState::Connected));
    ASSERT_TRUE(m_service.enumConnections(connections));
    EXPECT_EQ(connections.size(), 1);
    EXPECT_TRUE(m_service.dialOutcomes.isEmpty());
}

TEST_F(InMemoryDialUpTest, DialParamsKeepTheUserNameAndDropThePasswordOnRequest)
{
    DialParams stored;
    stored.entryName = QStringLiteral("Work");
    stored.userName = QStringLiteral("alice");
    stored.password = QStringLiteral("secret");
    ASSERT_EQ(m_service.setEntryDialParams(stored, false), 0u);

    DialParams read;
    read.entryName = QStringLiteral("Work");
    ASSERT_EQ(m_service.getEntryDialParams(read), 0u);
    EXPECT_EQ(read.userName, QStringLiteral("alice"));
    EXPECT_EQ(read.password, QStringLiteral("secret"));
    EXPECT_TRUE(read.passwordSaved);

    stored.userName = QStringLiteral("bob");
    ASSERT_EQ(m_service.setEntryDialParams(stored, true), 0u);
    read = DialParams();
    read.entryName = QStringLiteral("Work");
    read.password = QStringLiteral("left over");
    ASSERT_EQ(m_service.getEntryDialParams(read), 0u);
    EXPECT_EQ(read.userName, QStringLiteral("bob"));
    EXPECT_TRUE(read.password.isEmpty());
    EXPECT_FALSE(read.passwordSaved);

    // Each entry keeps its own.
    read = DialParams();
    read.entryName = QStringLiteral("Home ISP");
    ASSERT_EQ(m_service.getEntryDialParams(read), 0u);
    EXPECT_TRUE(read.userName.isEmpty());
}

} // namespace
