// Another start's request to show the window: it reaches the running copy past a socket a killed copy left
// behind, the socket is the user's alone, and with no window copy listening the asking start gives up at once.
#include "platform/linux/LocalSocketShowRequests.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class ShowRequestsTest : public ::testing::Test
{
protected:
    QString socketPath() const { return m_dir.filePath(QLatin1String(LocalSocketShowRequests::socketName)); }

    // The socket file a copy killed outright leaves: bound once, nobody listening.
    void leaveDeadSocket() const
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath());
        ASSERT_LT(path.size(), static_cast<qsizetype>(sizeof(address.sun_path)));
        std::copy(path.begin(), path.end(), address.sun_path);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    }

    static void runEventsUntil(const std::function<bool()>& done)
    {
        const QDeadlineTimer deadline(3000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    QTemporaryDir m_dir;
};

TEST_F(ShowRequestsTest, RequestReachesTheRunningCopyPastADeadCopysSocket)
{
    leaveDeadSocket();
    LocalSocketShowRequests running(QStringList{m_dir.path()});
    int shown = 0;
    running.listen([&shown] { ++shown; });
    ASSERT_EQ(running.listening(), 1);

    struct stat info
    {};
    ASSERT_EQ(::stat(QFile::encodeName(socketPath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    LocalSocketShowRequests second(QStringList{m_dir.path()});
    EXPECT_TRUE(second.askToShow());
    runEventsUntil([&shown] { return shown > 0; });
    EXPECT_EQ(shown, 1);
}

TEST_F(ShowRequestsTest, NoWindowCopyListeningGivesUpAtOnce)
{
    LocalSocketShowRequests second(QStringList{QString(), m_dir.path()}, 300);
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(second.askToShow());
    leaveDeadSocket();
    EXPECT_FALSE(second.askToShow());
    EXPECT_LT(took.elapsed(), 600);
}

} // namespace
