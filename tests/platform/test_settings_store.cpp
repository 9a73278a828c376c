// The INI settings store and the reading of the settings table at start-up.
#include "platform/IniSettingsStore.h"
#include "settings/SettingNames.h"
#include "settings/StoredSettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString root = QStringLiteral("Ruvela");
const QString phoneBooks = QStringLiteral("Ruvela\\PhoneBooks");

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString file() const { return m_dir.filePath(QStringLiteral("conf/QovRuvela.conf")); }
    QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, KeepsValuesApartByKeyPathAndName)
{
    IniSettingsStore store(file());
    EXPECT_TRUE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("120")));
    EXPECT_TRUE(store.WriteIniToReg(root, QStringLiteral("Check In Tray"), QStringLiteral("1")));
    EXPECT_TRUE(store.WriteIniToReg(phoneBooks, QStringLiteral("0"), QStringLiteral("My ISP")));
    EXPECT_TRUE(store.WriteIniToReg(root, QStringLiteral("0"), QStringLiteral("not a phone book")));

    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainTop")), QStringLiteral("120"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("Check In Tray")), QStringLiteral("1"));
    EXPECT_EQ(store.ReadIniFromReg(phoneBooks, QStringLiteral("0")), QStringLiteral("My ISP"));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("0")), QStringLiteral("not a phone book"));
    // The sub-key's values are not seen under the parent key's name, nor the other way round.
    EXPECT_EQ(store.ReadIniFromReg(phoneBooks, QStringLiteral("MainTop")), QString());
    EXPECT_TRUE(store.problem().isEmpty());
}

TEST_F(SettingsStoreTest, OverwritesAValueAndKeepsTextAsWritten)
{
    IniSettingsStore store(file());
    ASSERT_TRUE(store.WriteIniToReg(root, QStringLiteral("edBasicFee"), QStringLiteral("1.5")));
    ASSERT_TRUE(store.WriteIniToReg(root, QStringLiteral("edBasicFee"), QStringLiteral(" 2, 3 = x ")));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("edBasicFee")), QStringLiteral(" 2, 3 = x "));
    ASSERT_TRUE(store.WriteIniToReg(root, QStringLiteral("Personal Account"), QString()));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("Personal Account")), QString());
}

TEST_F(SettingsStoreTest, MissingValueOrKeyReadsAsEmpty)
{
    IniSettingsStore store(file());
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainTop")), QString());
    ASSERT_TRUE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("5")));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainLeft")), QString());
    EXPECT_EQ(store.ReadIniFromReg(QStringLiteral("Ruvela\\HistoryDir"), QStringLiteral("Last Directory")), QString());
}

TEST_F(SettingsStoreTest, WriteIsDurableForANewStoreOnTheSameFile)
{
    auto first = std::make_unique<IniSettingsStore>(file());
    ASSERT_TRUE(first->WriteIniToReg(root, QStringLiteral("MainLeft"), QStringLiteral("227")));
    ASSERT_TRUE(first->WriteIniToReg(phoneBooks, QStringLiteral("1"), QStringLiteral("Work Line")));
    // Stores in one process share what they have read, so only the file itself shows that the value is on
    // disk before the writer goes (a killed program loses nothing).
    QFile onDisk(file());
    ASSERT_TRUE(onDisk.open(QIODevice::ReadOnly));
    const QByteArray text = onDisk.readAll();
    EXPECT_TRUE(text.contains("MainLeft=227")) << text.constData();
    EXPECT_TRUE(text.contains("Work Line")) << text.constData();

    first.reset();
    const IniSettingsStore second(file());
    EXPECT_EQ(second.ReadIniFromReg(root, QStringLiteral("MainLeft")), QStringLiteral("227"));
    EXPECT_EQ(second.ReadIniFromReg(phoneBooks, QStringLiteral("1")), QStringLiteral("Work Line"));
}

TEST_F(SettingsStoreTest, PathThatIsAFolderIsReportedAndNeverWritten)
{
    ASSERT_TRUE(QDir().mkpath(file()));
    IniSettingsStore store(file());
    EXPECT_FALSE(store.problem().isEmpty());
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainTop")), QString());
    EXPECT_FALSE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("1")));
    EXPECT_FALSE(store.problem().isEmpty());
    EXPECT_TRUE(QFileInfo(file()).isDir());
}

TEST_F(SettingsStoreTest, ALockLeftBehindNeverHoldsAWriteAndTheChangeIsSavedOnceItGoes)
{
    IniSettingsStore store(file());
    ASSERT_TRUE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("1")));
    // An empty lock, as a crash leaves it: the write returns at once instead of waiting for it to go stale.
    QFile lock(file() + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    EXPECT_FALSE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("2")));
    EXPECT_TRUE(store.hasPendingWrites());
    EXPECT_TRUE(store.problem().contains(QStringLiteral("locked")));
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainTop")), QStringLiteral("2"));
    EXPECT_FALSE(store.retryPendingWrites());

    // Once the lock is old enough to be taken for left behind, the waiting change is written.
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    lock.close();
    EXPECT_TRUE(store.retryPendingWrites());
    EXPECT_FALSE(store.hasPendingWrites());
    EXPECT_TRUE(store.problem().isEmpty());
    EXPECT_EQ(IniSettingsStore(file()).ReadIniFromReg(root, QStringLiteral("MainTop")), QStringLiteral("2"));

    // A lock that cannot be removed at all keeps the change waiting, and nothing waits on it.
    ASSERT_TRUE(QDir().mkpath(file() + QStringLiteral(".lock/held")));
    EXPECT_FALSE(store.WriteIniToReg(root, QStringLiteral("MainTop"), QStringLiteral("3")));
    EXPECT_FALSE(store.retryPendingWrites());
    EXPECT_EQ(store.ReadIniFromReg(root, QStringLiteral("MainTop")), QStringLiteral("3"));
    // Nor does the event loop, where QSettings would write the change itself and wait on the lock for ever.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(store.hasPendingWrites());
}

class LoadSettingsTest : public SettingsStoreTest
{
protected:
    void put(const QString& name, const QString& value)
    {
        ASSERT_TRUE(m_store.WriteIniToReg(SettingNames::settingsKeyPath, name, value));
    }
    StoredSettings load() const { return StoredSettings::LoadSettings(m_store, SettingNames::settingsKeyPath); }

    IniSettingsStore m_store{file()};
};

TEST_F(LoadSettingsTest, CleanStoreGivesTheDesignState)
{
    const StoredSettings s = load();
    EXPECT_FALSE(s.mainTop.has_value());
    EXPECT_FALSE(s.mainLeft.has_value());
    EXPECT_TRUE(s.alwaysRecord);
    EXPECT_FALSE(s.runWhenWinStarts);
    EXPECT_FALSE(s.keepAlertSet);
    EXPECT_FALSE(s.alertMin.has_value());
    EXPECT_FALSE(s.sixtyMinsToAlert);
    EXPECT_FALSE(s.autoClose60MinsForm);
    EXPECT_FALSE(s.afterDisconnection);
    EXPECT_FALSE(s.alertPos.has_value());
    EXPECT_FALSE(s.alertNoSound);
    EXPECT_FALSE(s.basicFee.has_value());
    EXPECT_FALSE(s.aMinFee.has_value());
    EXPECT_TRUE(s.personalAccount.isEmpty());
    EXPECT_FALSE(s.inTray);
    EXPECT_FALSE(s.startsInTray());
}

TEST_F(LoadSettingsTest, BoxesAreOnOnlyForExactlyOne)
{
    put(SettingNames::sixtyMinsToAlert, QStringLiteral("1"));
    put(SettingNames::autoClose60MinsForm, QStringLiteral("true"));
    put(SettingNames::alertNoSound, QStringLiteral("2"));
    put(SettingNames::afterDisconnection, QStringLiteral("1"));
    const StoredSettings s = load();
    EXPECT_TRUE(s.sixtyMinsToAlert);
    EXPECT_FALSE(s.autoClose60MinsForm);
    EXPECT_FALSE(s.alertNoSound);
    EXPECT_TRUE(s.afterDisconnection);
}

TEST_F(LoadSettingsTest, AlwaysRecordIsOffOnlyForZero)
{
    put(SettingNames::alwaysRecord, QStringLiteral("0"));
    EXPECT_FALSE(load().alwaysRecord);
    put(SettingNames::alwaysRecord, QStringLiteral("no"));
    EXPECT_TRUE(load().alwaysRecord);
    put(SettingNames::alwaysRecord, QStringLiteral("1"));
    EXPECT_TRUE(load().alwaysRecord);
}

TEST_F(LoadSettingsTest, EitherStartUpBoxStartsInTheTray)
{
    put(SettingNames::runWhenWinStarts, QStringLiteral("1"));
    put(SettingNames::inTray, QStringLiteral("0"));
    StoredSettings s = load();
    EXPECT_TRUE(s.runWhenWinStarts);
    EXPECT_FALSE(s.inTray);
    EXPECT_TRUE(s.startsInTray());

    put(SettingNames::runWhenWinStarts, QStringLiteral("0"));
    put(SettingNames::inTray, QStringLiteral("1"));
    s = load();
    EXPECT_TRUE(s.inTray);
    EXPECT_TRUE(s.startsInTray());
}

TEST_F(LoadSettingsTest, WindowPositionMustBeADecimalNumber)
{
    put(SettingNames::mainTop, QStringLiteral("abc"));
    put(SettingNames::mainLeft, QStringLiteral("-15"));
    StoredSettings s = load();
    EXPECT_FALSE(s.mainTop.has_value());
    ASSERT_TRUE(s.mainLeft.has_value());
    EXPECT_EQ(*s.mainLeft, -15);

    put(SettingNames::mainTop, QStringLiteral("0x10"));
    EXPECT_FALSE(load().mainTop.has_value());
    put(SettingNames::mainTop, QStringLiteral("300"));
    EXPECT_EQ(load().mainTop, 300);
}

TEST_F(LoadSettingsTest, AlertMinutesAreReadOnlyWhenKeptSet)
{
    put(SettingNames::alertMin, QStringLiteral("25"));
    EXPECT_FALSE(load().alertMin.has_value());

    put(SettingNames::keepAlertSet, QStringLiteral("0"));
    EXPECT_FALSE(load().alertMin.has_value());

    put(SettingNames::keepAlertSet, QStringLiteral("1"));
    StoredSettings s = load();
    EXPECT_TRUE(s.keepAlertSet);
    EXPECT_EQ(s.alertMin, 25);

    put(SettingNames::alertMin, QStringLiteral("many"));
    s = load();
    EXPECT_TRUE(s.keepAlertSet);
    EXPECT_FALSE(s.alertMin.has_value());
}

} // namespace
