// The directory chooser's history: order, limit, duplicates and what is stored.
#include "ReportFixture.h"
#include "report/DirHistory.h"

namespace {

const QString key = QStringLiteral("Ruvela\\HistoryDir");

QString stored(const MemorySettings& settings, int place)
{
    return settings.ReadIniFromReg(key, QString::number(place));
}

} // namespace

TEST(DirHistory, NewestFirstAndStoredByPlace)
{
    MemorySettings settings;
    DirHistory history(settings, key);
    history.AddToHistory(QStringLiteral("/data/a"));
    history.AddToHistory(QStringLiteral("/data/b"));
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/data/b"), QStringLiteral("/data/a")}));
    EXPECT_EQ(stored(settings, 0), QStringLiteral("/data/b"));
    EXPECT_EQ(stored(settings, 1), QStringLiteral("/data/a"));

    DirHistory again(settings, key);
    again.load();
    EXPECT_EQ(again.entries(), history.entries());
}

TEST(DirHistory, EqualIgnoringCaseChangesNothing)
{
    MemorySettings settings;
    DirHistory history(settings, key);
    history.AddToHistory(QStringLiteral("/data/a"));
    history.AddToHistory(QStringLiteral("/data/b"));
    history.AddToHistory(QStringLiteral("/DATA/A"));
    // Not added and not moved to the top either.
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/data/b"), QStringLiteral("/data/a")}));
}

TEST(DirHistory, EleventhPushesOutTheOldest)
{
    MemorySettings settings;
    DirHistory history(settings, key);
    for (int i = 0; i < 11; ++i)
        history.AddToHistory(QStringLiteral("/d%1").arg(i));
    ASSERT_EQ(history.entries().size(), 10);
    EXPECT_EQ(history.entries().first(), QStringLiteral("/d10"));
    EXPECT_EQ(history.entries().last(), QStringLiteral("/d1"));
    EXPECT_EQ(stored(settings, 9), QStringLiteral("/d1"));
}

TEST(DirHistory, RemovingStoresExactlyTheRest)
{
    MemorySettings settings;
    settings.WriteIniToReg(key, QStringLiteral("0"), QStringLiteral("/a"));
    settings.WriteIniToReg(key, QStringLiteral("1"), QString());
    settings.WriteIniToReg(key, QStringLiteral("2"), QStringLiteral("/b"));
    settings.WriteIniToReg(key, QStringLiteral("3"), QStringLiteral("/c"));
    DirHistory history(settings, key);
    history.load();
    EXPECT_EQ(history.entries(), (QStringList{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}));
    history.removeAt(0);
    EXPECT_EQ(stored(settings, 0), QStringLiteral("/b"));
    EXPECT_EQ(stored(settings, 1), QStringLiteral("/c"));
    EXPECT_TRUE(stored(settings, 2).isEmpty());
    EXPECT_TRUE(stored(settings, 3).isEmpty());
}
