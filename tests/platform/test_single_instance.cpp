// The running-copy mark: claimed once, seen by others while held, and gone with a holder that dies.
#include "platform/linux/LockFileInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    QString lockPath() const { return m_dir.filePath(QLatin1String(LockFileInstance::lockName)); }

    // Whether a fresh open of the lock file could take the lock right now.
    bool lockIsFree() const
    {
        const int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return true;
        const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return free;
    }

    // Starts the flock tool holding the lock file; returns once it holds it. With --close only the flock
    // process itself holds the lock, not the command it runs, which reports its process id.
    void startExternalHolder(QProcess& holder, qint64& commandPid)
    {
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("--exclusive"), QStringLiteral("--close"), lockPath(), QStringLiteral("sh"),
                      QStringLiteral("-c"), QStringLiteral("echo $$; exec sleep 100")});
        ASSERT_TRUE(holder.waitForStarted(5000));
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        commandPid = holder.readLine().trimmed().toLongLong();
        ASSERT_GT(commandPid, 0);
        ASSERT_FALSE(lockIsFree());
    }

    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, FirstClaimSucceedsAndCreatesTheMark)
{
    ASSERT_TRUE(m_dir.remove()); // the runtime folder may not exist yet
    LockFileInstance instance(QStringList{m_dir.path()});
    EXPECT_FALSE(instance.IsAlreadyRunning());
    EXPECT_TRUE(QFile::exists(lockPath()));
    EXPECT_FALSE(lockIsFree());
    // Asking again keeps the claim and does not see itself as another copy.
    EXPECT_FALSE(instance.IsAlreadyRunning());
    EXPECT_FALSE(lockIsFree());
}

TEST_F(SingleInstanceTest, SecondClaimOnTheSameFileIsRefusedUntilTheFirstGoes)
{
    auto first = std::make_unique<LockFileInstance>(QStringList{m_dir.path()});
    ASSERT_FALSE(first->IsAlreadyRunning());
    {
        // A lock belongs to its own opening of the file, so even a claim from this process conflicts.
        LockFileInstance second(QStringList{m_dir.path()});
        EXPECT_TRUE(second.IsAlreadyRunning());
        EXPECT_TRUE(second.IsAlreadyRunning());
    }
    // The refused claim must not have taken the lock away from the holder.
    EXPECT_FALSE(lockIsFree());
    first.reset();
    EXPECT_TRUE(lockIsFree());
    LockFileInstance third(QStringList{m_dir.path()});
    EXPECT_FALSE(third.IsAlreadyRunning());
}

TEST_F(SingleInstanceTest, AnotherProcessHoldsTheMarkUntilItIsKilled)
{
    QProcess holder;
    qint64 commandPid = 0;
    startExternalHolder(holder, commandPid);
    {
        LockFileInstance whileHeld(QStringList{m_dir.path()});
        EXPECT_TRUE(whileHeld.IsAlreadyRunning());
    }
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    ASSERT_TRUE(holder.waitForFinished(5000));
    EXPECT_EQ(holder.exitStatus(), QProcess::CrashExit);

    // The lock file stays behind, but the kernel dropped the lock with its holder.
    EXPECT_TRUE(QFile::exists(lockPath()));
    LockFileInstance next(QStringList{m_dir.path()});
    EXPECT_FALSE(next.IsAlreadyRunning());
    EXPECT_FALSE(lockIsFree());
    ::kill(static_cast<pid_t>(commandPid), SIGKILL);
}

TEST_F(SingleInstanceTest, ForkedCopyKilledHardLeavesNoStaleMark)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        LockFileInstance inChild(QStringList{m_dir.path()});
        const char answer = inChild.IsAlreadyRunning() ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1)
            ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(answer, 'n');

    {
        LockFileInstance whileChildRuns(QStringList{m_dir.path()});
        EXPECT_TRUE(whileChildRuns.IsAlreadyRunning());
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));

    LockFileInstance next(QStringList{m_dir.path()});
    EXPECT_FALSE(next.IsAlreadyRunning());
}

TEST_F(SingleInstanceTest, ProgramsStartedByTheHolderDoNotKeepTheMark)
{
    // The program starts other programs (the desktop's opener for help and home page); the mark must go
    // with the program itself, not live on in them.
    auto instance = std::make_unique<LockFileInstance>(QStringList{m_dir.path()});
    ASSERT_FALSE(instance->IsAlreadyRunning());
    QProcess started;
    started.start(QStringLiteral("sleep"), {QStringLiteral("100")});
    ASSERT_TRUE(started.waitForStarted(5000));
    instance.reset();
    EXPECT_TRUE(lockIsFree());
    started.kill();
    started.waitForFinished(5000);
}

TEST_F(SingleInstanceTest, NoPlaceForTheMarkIsSaidSoTheProgramDoesNotStart)
{
    // The folder path runs through a plain file, so the mark cannot be created; an empty folder (no
    // runtime folder) is never taken for "/".
    QFile plain(m_dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    LockFileInstance instance(QStringList{QString(), m_dir.filePath(QStringLiteral("plain/below"))});
    EXPECT_FALSE(instance.IsAlreadyRunning());
    EXPECT_TRUE(instance.problem().contains(QStringLiteral("plain/below"))) << qPrintable(instance.problem());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/") + QLatin1String(LockFileInstance::lockName)));
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderTheCopiesMeetInTheirPrivateFolder)
{
    const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
    const QString own = m_dir.filePath(QStringLiteral("cache/QovRuvela"));
    LockFileInstance withRuntime(QStringList{runtime, own});
    ASSERT_FALSE(withRuntime.IsAlreadyRunning());
    EXPECT_TRUE(withRuntime.problem().isEmpty());
    EXPECT_EQ(QFile::permissions(own) & (QFileDevice::ReadOther | QFileDevice::WriteGroup), QFileDevice::Permissions());
    // Started under su, with no runtime folder: still sees the first copy.
    LockFileInstance underSu(QStringList{QString(), own});
    EXPECT_TRUE(underSu.IsAlreadyRunning());
}

TEST_F(SingleInstanceTest, AFolderOthersMayWriteInOrOwnIsRefused)
{
    const QString shared = m_dir.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(shared));
    ::chmod(QFile::encodeName(shared).constData(), 0777);
    EXPECT_EQ(LockFileInstance::folderProblem(shared), QStringLiteral("others may write in it"));
    if (::geteuid() == 0) {
        const QString theirs = m_dir.filePath(QStringLiteral("theirs"));
        ASSERT_TRUE(QDir().mkdir(theirs));
        ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
        EXPECT_EQ(LockFileInstance::folderProblem(theirs), QStringLiteral("it belongs to someone else"));
    }
    LockFileInstance instance(QStringList{shared});
    EXPECT_FALSE(instance.IsAlreadyRunning());
    EXPECT_FALSE(instance.problem().isEmpty());
    EXPECT_FALSE(QFile::exists(shared + QLatin1Char('/') + QLatin1String(LockFileInstance::lockName)));
}

} // namespace
