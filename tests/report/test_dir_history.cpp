// The directory chooser's history: order, limit and duplicates. The settings store the list.
#include "ReportFixture.h"
#include "report/DirHistory.h"

TEST(DirHistory, NewestFirst)
{
    DirHistory history;
    EXPECT_TRUE(history.AddToHistory(QStringLiteral("/data/a")));
    EXPECT_TRUE(history.AddToHistory(QStringLiteral("/data/b")));
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/data/b"), QStringLiteral("/data/a")}));
}

TEST(DirHistory, EqualIgnoringCaseChangesNothing)
{
    DirHistory history;
    history.AddToHistory(QStringLiteral("/data/a"));
    history.AddToHistory(QStringLiteral("/data/b"));
    EXPECT_FALSE(history.AddToHistory(QStringLiteral("/DATA/A")));
    // Not added and not moved to the top either.
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/data/b"), QStringLiteral("/data/a")}));
}

TEST(DirHistory, EleventhPushesOutTheOldest)
{
    DirHistory history;
    for (int i = 0; i < 11; ++i)
        history.AddToHistory(QStringLiteral("/d%1").arg(i));
    ASSERT_EQ(history.entries().size(), 10);
    EXPECT_EQ(history.entries().first(), QStringLiteral("/d10"));
    EXPECT_EQ(history.entries().last(), QStringLiteral("/d1"));
}

TEST(DirHistory, LoadSkipsGapsAndRemovingKeepsTheRestInOrder)
{
    DirHistory history;
    history.load({QStringLiteral("/a"), QString(), QStringLiteral("/b"), QStringLiteral("/c")});
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}));
    EXPECT_TRUE(history.removeAt(0));
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/b"), QStringLiteral("/c")}));
    EXPECT_FALSE(history.removeAt(2));
}
