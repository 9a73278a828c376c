// The recording filter's "Save" and "Refresh": what is stored is what the next start reads back.
#include "dialup/RecordingFilter.h"
#include "platform/IniSettingsStore.h"
#include "settings/Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString key = QStringLiteral("Ruvela\\PhoneBooks");

TEST(RecordingFilterTest, SavedCheckMarksAreReadBackAtTheNextStart)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("s.conf")));
    // An earlier, longer selection must not come back through the values after the new end.
    store.WriteIniToReg(key, QStringLiteral("0"), QStringLiteral("Old"));
    store.WriteIniToReg(key, QStringLiteral("1"), QStringLiteral("Older"));
    store.WriteIniToReg(key, QStringLiteral("2"), QStringLiteral("Work"));

    RecordingFilter filter;
    filter.setEntries({QStringLiteral("Home"), QStringLiteral("Old"), QStringLiteral("Work")});
    filter.setChecked(0, true);
    ASSERT_TRUE(Settings(store).setPhoneBookMarks(filter.checkedNames()));

    Settings stored(store);
    stored.load();
    RecordingFilter next;
    next.setEntries({QStringLiteral("Home"), QStringLiteral("Old"), QStringLiteral("Work")});
    next.PhoneBookEntries_Are_Checked_OrNot(stored.phoneBookMarks());
    EXPECT_TRUE(next.isChecked(QStringLiteral("Home")));
    EXPECT_FALSE(next.isChecked(QStringLiteral("Old")));
    EXPECT_FALSE(next.isChecked(QStringLiteral("Work")));
}

TEST(RecordingFilterTest, RefreshKeepsTheCheckMarksOfTheEntriesThatStay)
{
    RecordingFilter filter;
    filter.setEntries({QStringLiteral("Home"), QStringLiteral("Gone")});
    filter.setChecked(0, true);
    filter.setChecked(1, true);
    filter.refresh({QStringLiteral("New"), QStringLiteral("Home")});
    ASSERT_EQ(filter.items().size(), 2);
    EXPECT_EQ(filter.items()[0].name, QStringLiteral("New"));
    EXPECT_FALSE(filter.items()[0].checked);
    EXPECT_TRUE(filter.isChecked(QStringLiteral("Home")));
    EXPECT_FALSE(filter.isChecked(QStringLiteral("Gone")));
}
} // namespace
