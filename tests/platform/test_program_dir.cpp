// Choosing the folder for the personal data files.
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A canWrite that answers from a set and records what it was asked.
struct FakeWritable
{
    QSet<QString> writable;
    QStringList asked;
    std::function<bool(const QString&)> fn()
    {
        return [this](const QString& folder) {
            asked.append(folder);
            return writable.contains(folder);
        };
    }
};

const QString exeDir = QStringLiteral("/opt/qovruvela/bin");
const QString dataDir = QStringLiteral("/home/user/.local/share/QovRuvela");

TEST(ProgramDirTest, WritableProgramFolderIsTakenWithATrailingSlash)
{
    FakeWritable w{{exeDir, dataDir}, {}};
    const ProgramDir::Choice choice = ProgramDir::choose(exeDir, dataDir, w.fn());
    EXPECT_EQ(choice.folder, exeDir + QLatin1Char('/'));
    EXPECT_TRUE(choice.problem.isEmpty());
    EXPECT_EQ(w.asked, QStringList{exeDir}); // the data folder is not even created

    FakeWritable slash{{QStringLiteral("/portable/")}, {}};
    EXPECT_EQ(ProgramDir::choose(QStringLiteral("/portable/"), dataDir, slash.fn()).folder,
              QStringLiteral("/portable/"));
}

TEST(ProgramDirTest, UnwritableProgramFolderFallsBackToTheDataFolder)
{
    FakeWritable w{{dataDir}, {}};
    const ProgramDir::Choice choice = ProgramDir::choose(exeDir, dataDir, w.fn());
    EXPECT_EQ(choice.folder, dataDir + QLatin1Char('/'));
    EXPECT_TRUE(choice.problem.isEmpty());
}

TEST(ProgramDirTest, AReadOnlyProgramFolderHoldingThePersonalFileIsKept)
{
    QTemporaryDir temp;
    const QString portable = temp.path();
    QFile named(portable + QStringLiteral("/alice.rvl"));
    ASSERT_TRUE(named.open(QIODevice::WriteOnly));
    named.close();
    FakeWritable onlyData{{dataDir}, {}};
    EXPECT_EQ(ProgramDir::choose(portable, dataDir, onlyData.fn(), QStringLiteral("alice.rvl")).folder,
              portable + QLatin1Char('/'));
    // Another name, or none: the data folder as before.
    EXPECT_EQ(ProgramDir::choose(portable, dataDir, onlyData.fn(), QStringLiteral("bob.rvl")).folder,
              dataDir + QLatin1Char('/'));
    EXPECT_EQ(ProgramDir::choose(portable, dataDir, onlyData.fn()).folder, dataDir + QLatin1Char('/'));
}

TEST(ProgramDirTest, NoWritableFolderGivesAProblemAndNoFolder)
{
    FakeWritable none;
    const ProgramDir::Choice choice = ProgramDir::choose(exeDir, dataDir, none.fn());
    EXPECT_TRUE(choice.folder.isEmpty());
    EXPECT_TRUE(choice.problem.contains(exeDir));
    EXPECT_TRUE(choice.problem.contains(dataDir));

    // Without a data folder at all the problem is reported as well, and an empty folder is never probed.
    const ProgramDir::Choice noData = ProgramDir::choose(exeDir, QString(), none.fn());
    EXPECT_TRUE(noData.folder.isEmpty());
    EXPECT_FALSE(noData.problem.isEmpty());
    EXPECT_FALSE(none.asked.contains(QString()));
}

TEST(ProgramDirTest, InstalledCopyKeepsItsFilesInTheDataFolderEvenWhereItCouldWriteItsOwn)
{
    // An install's layout: bin/ and share/qovruvela/ side by side, as under /usr.
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("share/qovruvela"))));
    EXPECT_TRUE(ProgramDir::isInstalledCopy(bin));

    FakeWritable root{{bin, dataDir}, {}};
    EXPECT_EQ(ProgramDir::choose(bin, dataDir, root.fn()).folder, dataDir + QLatin1Char('/'));
    EXPECT_FALSE(root.asked.contains(bin));

    FakeWritable none{{bin}, {}};
    const ProgramDir::Choice choice = ProgramDir::choose(bin, dataDir, none.fn());
    EXPECT_TRUE(choice.folder.isEmpty());
    EXPECT_TRUE(choice.problem.contains(dataDir));
    EXPECT_FALSE(choice.problem.contains(bin)); // the program folder was never a choice

    // The build tree and a portable copy have their data files beside the program, not in share/.
    QTemporaryDir portable;
    EXPECT_FALSE(ProgramDir::isInstalledCopy(portable.path()));
    ASSERT_TRUE(QDir().mkpath(portable.filePath(QStringLiteral("share/qovruvela"))));
    EXPECT_FALSE(ProgramDir::isInstalledCopy(portable.path()));
}

TEST(ProgramDirTest, CanWriteInCreatesAMissingFolderAndLeavesNoProbe)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/c"));
    EXPECT_TRUE(ProgramDir::canWriteIn(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(ProgramDir::canWriteIn(dir.path()));
}

TEST(ProgramDirTest, CanWriteInRefusesWhatCannotBeAFolder)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(ProgramDir::canWriteIn(plain));
    EXPECT_FALSE(ProgramDir::canWriteIn(plain + QStringLiteral("/below")));
    EXPECT_FALSE(ProgramDir::canWriteIn(QString()));
}

} // namespace
