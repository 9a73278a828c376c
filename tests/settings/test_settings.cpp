// The settings object: what it writes is what the next start reads, under the names older files use; a write
// that fails is reported and the choice still holds; a change is announced once.
#include "platform/IniSettingsStore.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"
#include "tests/support/MemorySettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString root = QStringLiteral("Ruvela");
const QString phoneBooks = QStringLiteral("Ruvela\\PhoneBooks");
const QString history = QStringLiteral("Ruvela\\HistoryDir");

// A store whose writes fail, as a full disk or a file that cannot be replaced.
class RefusingStore final : public SettingsStore
{
public:
    QString ReadIniFromReg(const QString&, const QString&) const override { return QString(); }
    bool WriteIniToReg(const QString&, const QString&, const QString&) override { return false; }
    QString problem() const override { return QStringLiteral("The settings could not be saved."); }
};

TEST(Settings, WhatIsWrittenIsReadAtTheNextStartUnderTheSameNames)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("QovRuvela.conf"));
    {
        IniSettingsStore store(file);
        // A longer list from before must not come back after the new end.
        store.WriteIniToReg(phoneBooks, QStringLiteral("2"), QStringLiteral("Old"));
        Settings settings(store);
        ASSERT_TRUE(settings.setPersonalAccount(QStringLiteral("alice.rvl")));
        ASSERT_TRUE(settings.setPhoneBookMarks({QStringLiteral("Home"), QStringLiteral("Work, late")}));
        ASSERT_TRUE(settings.setMsgOutPosition(-15, 200));
        ASSERT_TRUE(settings.setLastDirectory(QStringLiteral("/data/backups")));
        ASSERT_TRUE(settings.setDirWidthOfShellTree(180));
        ASSERT_TRUE(settings.setDirHistory({QStringLiteral("/b"), QStringLiteral("/a")}));
        ASSERT_TRUE(settings.setInTray(true));
    }
    IniSettingsStore store(file);
    // The names and formats an existing settings file has.
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("Personal Account")), QStringLiteral("alice.rvl"));
    EXPECT_EQ(store.ReadIniFromReg(phoneBooks, QStringLiteral("1")), QStringLiteral("Work, late"));
    EXPECT_TRUE(store.ReadIniFromReg(phoneBooks, QStringLiteral("2")).isEmpty());
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MsgOutTop")), QStringLiteral("200"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MsgOutLeft")), QStringLiteral("-15"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("Last Directory")), QStringLiteral("/data/backups"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("DirWidthOfShellTree")), QStringLiteral("180"));
    EXPECT_EQ(store.ReadIniFromReg(history, QStringLiteral("0")), QStringLiteral("/b"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("Check In Tray")), QStringLiteral("1"));

    Settings next(store);
    next.load();
    EXPECT_EQ(next.personalAccount(), QStringLiteral("alice.rvl"));
    EXPECT_EQ(next.phoneBookMarks(), (QStringList{QStringLiteral("Home"), QStringLiteral("Work, late")}));
    EXPECT_EQ(next.msgOutTop(), 200);
    EXPECT_EQ(next.msgOutLeft(), -15);
    EXPECT_EQ(next.lastDirectory(), QStringLiteral("/data/backups"));
    EXPECT_EQ(next.dirWidthOfShellTree(), 180);
    EXPECT_EQ(next.dirHistory(), (QStringList{QStringLiteral("/b"), QStringLiteral("/a")}));
    EXPECT_TRUE(next.values().inTray);
}

TEST(Settings, HistoryShrinksInAllTenPlacesAndGapsInOldFilesAreSkipped)
{
    MemorySettings store;
    for (int i = 0; i < 10; ++i)
        store.WriteIniToReg(history, QString::number(i), i == 1 ? QString() : QStringLiteral("/d%1").arg(i));
    Settings settings(store);
    settings.load();
    ASSERT_EQ(settings.dirHistory().size(), 9);
    EXPECT_EQ(settings.dirHistory().value(1), QStringLiteral("/d2"));

    ASSERT_TRUE(settings.setDirHistory({QStringLiteral("/only")}));
    Settings next(store);
    next.load();
    EXPECT_EQ(next.dirHistory(), QStringList{QStringLiteral("/only")});
}

TEST(Settings, AFailedWriteIsReportedAndTheChoiceStillHolds)
{
    RefusingStore store;
    Settings settings(store);
    QStringList reported;
    settings.setProblemReporter([&](const QString& text) { reported.append(text); });
    int changes = 0;
    QObject::connect(&settings, &Settings::changed, [&] { ++changes; });

    EXPECT_FALSE(settings.setInTray(true));
    EXPECT_FALSE(settings.setPhoneBookMarks({QStringLiteral("Home")}));
    EXPECT_EQ(reported.value(0), QStringLiteral("The settings could not be saved."));
    EXPECT_EQ(reported.size(), 3); // each value of the list
    // The program goes on with what the user chose; only the next start loses it.
    EXPECT_TRUE(settings.values().inTray);
    EXPECT_EQ(settings.phoneBookMarks(), QStringList{QStringLiteral("Home")});
    EXPECT_EQ(changes, 0);
}

TEST(Settings, ChangedIsSentOnceForEachRealChange)
{
    MemorySettings store;
    Settings settings(store);
    QStringList names;
    QObject::connect(&settings, &Settings::changed, [&](const QString& name) { names.append(name); });

    settings.setInTray(true);
    settings.setInTray(true);
    EXPECT_EQ(names, QStringList{SettingNames::inTray});

    names.clear();
    settings.setPhoneBookMarks({QStringLiteral("Home"), QStringLiteral("Work")});
    settings.setPhoneBookMarks({QStringLiteral("Home"), QStringLiteral("Work")});
    EXPECT_EQ(names, QStringList{SettingNames::phoneBooksKey});
}

} // namespace
