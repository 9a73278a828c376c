// Which files the Calculation tab lists, and where a listed name is read from.
#include "ReportFixture.h"
#include "report/RecordFileList.h"

#include <QDir>

namespace {

class RecordFileListTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("program")));
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("backups/sub.rvl")));
        programDir = temp.filePath(QStringLiteral("program"));
        backups = temp.filePath(QStringLiteral("backups"));
    }

    void touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(headerRecord().toBytes());
    }

    QString programDir;
    QString backups;
    QString personal = QStringLiteral("me.rvl");
};

} // namespace

TEST_F(RecordFileListTest, ListsOrdinaryRvlFilesAfterTheActiveOne)
{
    touch(programDir + QStringLiteral("/me.rvl"));
    for (const char* name : {"a.rvl", "B.RVL", "c.txt", "rvl", ".hidden.rvl", "readonly.rvl", "me.rvl"})
        touch(backups + QLatin1Char('/') + QLatin1String(name));
    QFile::setPermissions(backups + QStringLiteral("/readonly.rvl"), QFile::ReadOwner | QFile::ReadGroup);
    QFile::link(backups + QStringLiteral("/a.rvl"), backups + QStringLiteral("/link.rvl"));

    RecordFileList list(programDir, [this] { return personal; });
    QStringList names = list.ReadFilesToList(backups);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.takeFirst(), QStringLiteral("me.rvl"));
    names.sort();
    // Not listed: other extensions, hidden, read-only, folders, links, and the active file's name.
    EXPECT_EQ(names, (QStringList{QStringLiteral("B.RVL"), QStringLiteral("a.rvl")}));
    EXPECT_EQ(list.LastListedDir(), backups + QLatin1Char('/'));
}

TEST_F(RecordFileListTest, TheActiveFilesNameAlwaysMeansTheProgramFolder)
{
    touch(programDir + QStringLiteral("/me.rvl"));
    RecordFileList list(programDir + QLatin1Char('/'), [this] { return personal; });
    list.ReadFilesToList(backups + QLatin1Char('/'));
    EXPECT_EQ(list.LastListedDir(), backups + QLatin1Char('/'));
    const RecordFileList::Choice active = list.choiceOf(QStringLiteral("me.rvl"));
    EXPECT_EQ(active.path, programDir + QStringLiteral("/me.rvl"));
    EXPECT_EQ(active.folder, programDir + QLatin1Char('/'));
    const RecordFileList::Choice other = list.choiceOf(QStringLiteral("a.rvl"));
    EXPECT_EQ(other.path, backups + QStringLiteral("/a.rvl"));
    EXPECT_EQ(other.folder, backups + QLatin1Char('/'));
}

TEST_F(RecordFileListTest, NoFolderOrNoActiveFile)
{
    RecordFileList list(programDir, [this] { return personal; });
    // Refresh before any search: nothing to list while the active file does not exist.
    EXPECT_TRUE(list.ReadFilesToList(QString()).isEmpty());
    touch(programDir + QStringLiteral("/me.rvl"));
    EXPECT_EQ(list.ReadFilesToList(QString()), QStringList{QStringLiteral("me.rvl")});
    EXPECT_TRUE(list.LastListedDir().isEmpty());

    list.ReadFilesToList(backups);
    EXPECT_EQ(list.ReadFilesToList(temp.filePath(QStringLiteral("gone"))), QStringList{QStringLiteral("me.rvl")});
    EXPECT_EQ(list.LastListedDir(), backups + QLatin1Char('/'));

    personal.clear();
    EXPECT_TRUE(list.ReadFilesToList(QString()).isEmpty());
}
