// The recording core without any window: an hour online raises the alert the settings ask for, with the
// session's bytes, and a setting changed mid-session counts from the next alert on; the program's end closes
// the open session; the Traffic Monitor tab moves while it is shown, whether or not a session is recorded.
#include "common/AppInfo.h"
#include "core/Recorder.h"
#include "record/PeriodRules.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "settings/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class RecorderTest : public ::testing::Test
{
protected:
    RecorderTest()
    {
        QFile sound(tp.programDir() + QStringLiteral("alertB.wav"));
        sound.open(QIODevice::WriteOnly);
        sound.write("RIFF");
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount,
                                            QStringLiteral("jane.rvl"));
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        const QDate today = tp.clock->now().date();
        file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(today),
                             PeriodRules::nextPeriodDate(today, 1), 1, 31, QString(), QString(), 0, 0);
        tp.dialUp->system().entries = {home};
        recorder.load();
        recorder.start();
    }

    void online(const QString& interfaceName = QString())
    {
        tp.dialUp->system().connections = {
            {SimulationFile::handleOf(home), home, RasState::Connected, 0, interfaceName}};
        recorder.PollConnections();
    }

    void tickFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            tp.clock->advance(1);
            recorder.MainTimerTimer();
        }
    }

    QList<ProfileRecord> records() const
    {
        return PersonalFile::readRecords(tp.programDir() + QStringLiteral("jane.rvl")).value_or(QList<ProfileRecord>());
    }

    TestPlatform tp;
    Settings settings{*tp.platform.settings};
    Recorder recorder{tp.platform, settings, tp.programDir(), {tp.programDir()}};
};

TEST_F(RecorderTest, TheHourlyAlertFollowsTheSettingsObjectNotTheWindows)
{
    settings.setSixtyMinsToAlert(true);
    settings.setAlertPos(QStringLiteral("Upper Left"));
    QSignalSpy alerts(&recorder, &Recorder::hourlyAlert);
    online();
    tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    tickFor(59 * 60);
    EXPECT_EQ(alerts.count(), 0);
    tp.interfaces->move(6, 3000, 1500);
    tickFor(2 * 60);
    ASSERT_EQ(alerts.count(), 1);
    const QString message = alerts[0][0].toString();
    EXPECT_TRUE(message.startsWith(QStringLiteral("1 hour")));
    EXPECT_TRUE(message.contains(QStringLiteral("Downloaded Bytes: 2.93 KB"))) << qPrintable(message);
    EXPECT_TRUE(message.endsWith(QStringLiteral("Uploaded Bytes: 1.46 KB"))) << qPrintable(message);
    EXPECT_EQ(alerts[0][2].value<AlertCorner>(), AlertCorner::UpperLeft);
    EXPECT_EQ(tp.sound->played.size(), 1);

    // Switched off mid-session: the next hour passes silently, and the choice is kept in the settings file.
    settings.setAlertNoSound(true);
    tickFor(60 * 60);
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_EQ(tp.sound->played.size(), 1);
    EXPECT_EQ(tp.platform.settings->ReadIniFromReg(SettingNames::settingsKeyPath, SettingNames::alertNoSound),
              QStringLiteral("1"));
}

TEST_F(RecorderTest, TheSessionsBytesAreThoseOfTheConnectionsOwnInterfaceWhateverItsType)
{
    // A mobile-broadband modem's raw-IP link beside a PPP link that belongs to something else.
    tp.interfaces->addInterface(3, QStringLiteral("ppp0 - PPP link"), 0, 0);
    tp.interfaces->addInterface(7, QStringLiteral("wwan0 - Raw IP"), 0, 0);
    online(QStringLiteral("wwan0"));
    tickFor(3);
    tp.interfaces->move(3, 111, 11);
    tp.interfaces->move(7, 5000, 700);
    tickFor(1);
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 5000u);
    EXPECT_EQ(recorder.traffic().DialUpBytesSent(), 700u);

    // A system that names no interface: the first PPP link, as before.
    online();
    tp.interfaces->move(3, 100, 10);
    tp.interfaces->move(7, 1, 1);
    tickFor(1);
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 211u);
    EXPECT_EQ(recorder.traffic().DialUpBytesSent(), 21u);

    // A named interface that is not in the table (gone, or not yet there) leaves the PPP link in charge.
    online(QStringLiteral("wwan1"));
    tp.interfaces->move(3, 9, 9);
    tickFor(1);
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 220u);
}

TEST(RecorderStart, SaysOnceInTheStatusLineWhenNoDialUpSystemCanBeReached)
{
    TestPlatform tp;
    tp.dialUp->unreachable = QStringLiteral("No dial-up system was found.");
    Recorder recorder{tp.platform, tp.programDir(), {tp.programDir()}};
    QSignalSpy lines(&recorder, &Recorder::statusLineChanged);
    recorder.load();
    recorder.start();
    EXPECT_EQ(recorder.statusLine(), QStringLiteral("No dial-up system was found."));
    for (int i = 0; i < 3; ++i) {
        recorder.PollConnections();
        recorder.MainTimerTimer();
    }
    const auto said = std::count_if(lines.cbegin(), lines.cend(), [](const QList<QVariant>& line) {
        return line.value(0).toString() == QStringLiteral("No dial-up system was found.");
    });
    EXPECT_EQ(said, 1);
}

TEST(RecorderStart, AStoredNameLeadingOutsideTheFolderIsNotUsed)
{
    TestPlatform tp;
    QDir().mkpath(tp.programDir() + QStringLiteral("../outside"));
    for (const QString& stored : {QStringLiteral("../outside/x.rvl"), QStringLiteral(".."), QStringLiteral("x")}) {
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount, stored);
        Recorder recorder{tp.platform, tp.programDir(), {tp.programDir()}};
        recorder.load();
        recorder.start();
        EXPECT_TRUE(recorder.file().PersonalFileName().isEmpty()) << qPrintable(stored);
        EXPECT_TRUE(recorder.statusLine().contains(QStringLiteral("\"%1\" is not used").arg(stored)))
            << qPrintable(recorder.statusLine());
    }
}

TEST_F(RecorderTest, TheEndOfTheProgramClosesTheOpenSessionWithItsLastBytes)
{
    tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    online();
    tickFor(1); // the session opens
    tickFor(1); // the link's object is made: the counters start here
    tp.interfaces->move(6, 5000, 700);
    tickFor(11);
    ASSERT_TRUE(recorder.tracker().SessionOpen());
    // Bytes that pass after the latest tick are not the session's.
    tp.interfaces->move(6, 9000, 900);

    recorder.finish();
    const QList<ProfileRecord> written = records();
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written[1].StartText, QStringLiteral("2024/03/20, 10:00:01 am"));
    EXPECT_EQ(written[1].EndText, QStringLiteral("2024/03/20, 10:00:13 am"));
    EXPECT_EQ(written[1].StartingDay, 5000); // downloaded
    EXPECT_EQ(written[1].EndingDay, 700);    // uploaded
    EXPECT_FALSE(recorder.tracker().SessionOpen());
    EXPECT_FALSE(recorder.MainTimer->isActive());
    EXPECT_FALSE(recorder.ActiveTimer->isActive());

    // Ending twice, or a tick that was still queued, writes nothing more.
    tp.clock->advance(5);
    recorder.finish();
    EXPECT_EQ(records()[1].EndText, QStringLiteral("2024/03/20, 10:00:13 am"));
}

TEST_F(RecorderTest, TheEndOfTheProgramWithoutASessionWritesNothing)
{
    tickFor(3);
    recorder.finish();
    EXPECT_EQ(records().size(), 1);
}

TEST_F(RecorderTest, TheHiddenTrafficPageIsLeftAloneAndFilledTheMomentItShows)
{
    tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    online();
    tickFor(2);
    tp.interfaces->move(6, 4096, 512);
    tickFor(1);
    // The session's bytes are counted whether or not anyone looks at the page.
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 4096U);
    EXPECT_TRUE(recorder.traffic().page().ledTotalIN.isEmpty());

    recorder.setTrafficShown(true);
    EXPECT_EQ(recorder.traffic().page().ledTotalIN, QStringLiteral("4.00 KB"));
    EXPECT_EQ(recorder.traffic().page().ledTotalOUT, QStringLiteral("512.00 B"));
}

TEST_F(RecorderTest, TheShownTrafficTabMovesEverySecondOutsideASession)
{
    tp.interfaces->addInterface(2, QStringLiteral("eth0 - Ethernet"), 1000, 100);
    QSignalSpy changes(&recorder, &Recorder::trafficChanged);
    EXPECT_FALSE(recorder.TrafficTimer->isActive());
    recorder.TrafficTimerTimer(); // hidden: nothing to do
    EXPECT_EQ(changes.count(), 0);

    recorder.setTrafficShown(true);
    EXPECT_TRUE(recorder.TrafficTimer->isActive());
    EXPECT_EQ(recorder.TrafficTimer->interval(), 1000);
    recorder.TrafficTimerTimer(); // the interface's first pass: its counters are the base
    tp.interfaces->move(2, 2048, 512);
    tickFor(1); // offline: the tracker samples nothing
    recorder.TrafficTimerTimer();
    EXPECT_EQ(changes.count(), 2);
    const TrafficPage& page = recorder.traffic().page();
    EXPECT_EQ(page.ledOctInSec, QStringLiteral("2.00 KB/s"));
    EXPECT_EQ(page.ledOctOUTSec, QStringLiteral("512.00 B/s"));
    EXPECT_EQ(page.ledTotalIN, QStringLiteral("2.00 KB"));

    recorder.setTrafficShown(false);
    EXPECT_FALSE(recorder.TrafficTimer->isActive());
}

TEST_F(RecorderTest, TheTrafficTabLeavesTheRecordedBytesAlone)
{
    tp.interfaces->addInterface(6, QStringLiteral("ppp0 - PPP link"), 0, 0);
    recorder.setTrafficShown(true);
    // Before the session the link moves while the tab samples it: none of this belongs to the session.
    for (int i = 0; i < 3; ++i) {
        tp.interfaces->move(6, 1000, 100);
        recorder.TrafficTimerTimer();
    }
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 0U);
    online();
    tickFor(1); // the session opens and the tab list starts afresh
    EXPECT_EQ(recorder.traffic().tabCount(), 0);
    EXPECT_EQ(records()[1].StartingDay, 0);

    // During the session only its own tick samples: the tab's timer adds no pass of its own.
    tickFor(1);
    tp.interfaces->move(6, 4096, 512);
    recorder.TrafficTimerTimer();
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 0U);
    tickFor(1);
    EXPECT_EQ(recorder.traffic().DialUpBytesReceived(), 4096U);
    EXPECT_EQ(recorder.traffic().DialUpBytesSent(), 512U);
    EXPECT_EQ(recorder.tracker().view().received, QStringLiteral("4.00 KB"));
}

TEST_F(RecorderTest, StartAtLoginIsStoredAsTheEntryThatCouldBeWritten)
{
    EXPECT_TRUE(recorder.setStartAtLogin(true));
    EXPECT_FALSE(tp.platform.startup->readStartupEntry(AppInfo::ProgramTitle).isEmpty());
    EXPECT_TRUE(recorder.settings().values().runWhenWinStarts);
    EXPECT_FALSE(recorder.setStartAtLogin(false));
    EXPECT_TRUE(tp.platform.startup->readStartupEntry(AppInfo::ProgramTitle).isEmpty());

    // A file where the folder of entries belongs: the entry cannot be written, the user is told, and the
    // setting stays off so the box shows the truth.
    QFile blocker(tp.autostartFolder());
    ASSERT_TRUE(QDir(tp.autostartFolder()).removeRecursively() && blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(recorder.setStartAtLogin(true));
    EXPECT_EQ(tp.dialogs->messages.value(0).text, QStringLiteral("The start-up entry could not be written. Qov "
                                                                 "Ruvela will not start when you log in."));
    EXPECT_FALSE(recorder.settings().values().runWhenWinStarts);
}

} // namespace
