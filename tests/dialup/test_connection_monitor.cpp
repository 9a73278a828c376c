// The connection monitor's poll against a scripted dial-up system, and the recording filter's stored selection.
#include "dialup/ConnectionMonitor.h"
#include "dialup/RecordingFilter.h"
#include "platform/IniSettingsStore.h"
#include "platform/sim/SimulatedDialUp.h"
#include "settings/Settings.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString notConnected = QStringLiteral("Not connected");
const QString cannotEnumerate = QStringLiteral("Error : Cannot retrieve connection details");

// Records everything the monitor asks of the windows around it.
class RecordingHost final : public ConnectionMonitorHost
{
public:
    void showStatus(const QString& text) override { statuses.append(text); }
    void showLineInUse() override { ++lineInUse; }
    void showIdle() override { ++idle; }
    void hangUp() override { hungUp.append(monitor ? monitor->handle() : 0); }
    void connectionFirstSeen(const QString& entryName) override { firstSeen.append(entryName); }
    void removeDisconnectItem() override { ++removals; }
    bool recordingStopped() const override { return stopped; }
    void runTrackerTick() override
    {
        ++ticks;
        if (onTick)
            onTick();
    }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last(); }

    const ConnectionMonitor* monitor = nullptr;
    QStringList statuses;
    int lineInUse = 0;
    int idle = 0;
    QList<DialUpService::Handle> hungUp;
    QStringList firstSeen;
    int removals = 0;
    bool stopped = false;
    int ticks = 0;
    std::function<void()> onTick;
};

class ConnectionMonitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host.monitor = &m_monitor;
        m_service.system().entries = {QStringLiteral("Home"), QStringLiteral("Work")};
        m_filter.setEntries(m_service.system().entries);
    }

    static RasConnection connection(const QString& name, quint32 state = RasState::Connected, quint32 error = 0)
    {
        return {SimulationFile::handleOf(name), name, state, error};
    }
    void list(QList<RasConnection> connections) { m_service.system().connections = std::move(connections); }
    void poll(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            m_monitor.PollConnections();
    }

    InMemoryDialUp m_service;
    RecordingFilter m_filter;
    RecordingHost m_host;
    ConnectionMonitor m_monitor{m_service, m_filter, m_host};
};

TEST_F(ConnectionMonitorTest, NoConnectionIsIdleOnEveryPoll)
{
    poll(3);
    EXPECT_EQ(m_host.statuses, QStringList(3, notConnected));
    EXPECT_EQ(m_host.idle, 3);
    EXPECT_EQ(m_host.lineInUse, 0);
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_TRUE(m_monitor.Get_CurEntryName().isEmpty());
    EXPECT_FALSE(m_monitor.Checked_PhoneBook_IsOn());
    EXPECT_TRUE(m_host.firstSeen.isEmpty());
    EXPECT_EQ(m_host.removals, 0);
    EXPECT_TRUE(m_host.hungUp.isEmpty());
}

TEST_F(ConnectionMonitorTest, ConnectionFollowsTheStatesUntilConnected)
{
    list({connection(QStringLiteral("Home"), RasState::ConnectDevice)});
    poll();
    EXPECT_EQ(m_host.lastStatus(), QStringLiteral("Connecting device"));
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_EQ(m_monitor.Get_CurEntryName(), QStringLiteral("Home"));
    EXPECT_EQ(m_host.lineInUse, 1);
    EXPECT_EQ(m_host.idle, 0);

    list({connection(QStringLiteral("Home"), RasState::Authenticated)});
    poll();
    EXPECT_EQ(m_host.lastStatus(), QStringLiteral("Authenticated. Logging on network"));
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_TRUE(m_host.firstSeen.isEmpty());
    EXPECT_EQ(m_host.removals, 0);

    list({connection(QStringLiteral("Home"))});
    poll(4);
    EXPECT_EQ(m_host.lastStatus(), QStringLiteral("Connected"));
    EXPECT_TRUE(m_monitor.IsConnected());
    EXPECT_EQ(m_monitor.Get_CurEntryName(), QStringLiteral("Home"));
    // The first-seen work happens once per connection, however many polls see it.
    EXPECT_EQ(m_host.firstSeen, QStringList{QStringLiteral("Home")});
    EXPECT_EQ(m_host.removals, 0);
    EXPECT_EQ(m_monitor.handle(), SimulationFile::handleOf(QStringLiteral("Home")));
}

TEST_F(ConnectionMonitorTest, DropIsHandledOnceThenIdleOnEveryPoll)
{
    list({connection(QStringLiteral("Home"))});
    poll(2);
    list({});
    poll();
    EXPECT_EQ(m_host.removals, 1);
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_TRUE(m_monitor.Get_CurEntryName().isEmpty());
    EXPECT_EQ(m_host.lastStatus(), notConnected);
    EXPECT_EQ(m_host.idle, 1);

    poll(3);
    EXPECT_EQ(m_host.removals, 1);
    EXPECT_EQ(m_host.idle, 4);
    EXPECT_EQ(m_host.ticks, 0); // recording runs on its own timer

    // The next connection gets its own first-seen work and its own end.
    list({connection(QStringLiteral("Work"))});
    poll(2);
    EXPECT_EQ(m_host.firstSeen, QStringList({QStringLiteral("Home"), QStringLiteral("Work")}));
    list({});
    poll(2);
    EXPECT_EQ(m_host.removals, 2);
}

TEST_F(ConnectionMonitorTest, ConnectionThatNeverConnectedHasNoEndWork)
{
    list({connection(QStringLiteral("Home"), RasState::Authenticate)});
    poll(2);
    list({});
    poll();
    EXPECT_EQ(m_host.removals, 0);
    EXPECT_EQ(m_host.lastStatus(), notConnected);
}

TEST_F(ConnectionMonitorTest, DisconnectedStateWhileStillListedEndsTheConnection)
{
    list({connection(QStringLiteral("Home"))});
    poll();
    list({connection(QStringLiteral("Home"), RasState::Disconnected)});
    poll();
    EXPECT_EQ(m_host.lastStatus(), QStringLiteral("Disconnected"));
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_EQ(m_host.removals, 1);
    poll(2);
    EXPECT_EQ(m_host.removals, 1);
    list({});
    poll();
    EXPECT_EQ(m_host.removals, 1);
    EXPECT_EQ(m_host.lastStatus(), notConnected);
}

TEST_F(ConnectionMonitorTest, LastListedConnectionDecides)
{
    // An earlier connected one is seen afresh on every poll, and the later one that is not connected ends it
    // again on every poll.
    list({connection(QStringLiteral("Home")), connection(QStringLiteral("Work"), RasState::Authenticate)});
    poll(3);
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_EQ(m_monitor.Get_CurEntryName(), QStringLiteral("Work"));
    EXPECT_EQ(m_monitor.handle(), SimulationFile::handleOf(QStringLiteral("Work")));
    EXPECT_EQ(m_host.firstSeen, QStringList(3, QStringLiteral("Home")));
    EXPECT_EQ(m_host.removals, 3);
    EXPECT_EQ(m_host.statuses, QStringList({QStringLiteral("Connected"), QStringLiteral("Authenticating"),
                                            QStringLiteral("Connected"), QStringLiteral("Authenticating"),
                                            QStringLiteral("Connected"), QStringLiteral("Authenticating")}));
    EXPECT_EQ(m_host.lineInUse, 6);

    list({connection(QStringLiteral("Work"), RasState::Authenticate), connection(QStringLiteral("Home"))});
    poll();
    EXPECT_TRUE(m_monitor.IsConnected());
    EXPECT_EQ(m_monitor.Get_CurEntryName(), QStringLiteral("Home"));
    EXPECT_EQ(m_monitor.handle(), SimulationFile::handleOf(QStringLiteral("Home")));
}

TEST_F(ConnectionMonitorTest, PendingErrorIsShownWithoutHangingUp)
{
    list({connection(QStringLiteral("Home"), RasState::ConnectDevice, RasError::Pending)});
    poll(2);
    EXPECT_EQ(m_host.lastStatus(), QStringLiteral("An operation is still pending."));
    EXPECT_TRUE(m_host.hungUp.isEmpty());
    EXPECT_FALSE(m_monitor.IsConnected());
}

TEST_F(ConnectionMonitorTest, OtherErrorsAreShownAndHungUp)
{
    const struct
    {
        quint32 error;
        QString text;
    } cases[] = {
        {RasError::NoAnswer, QStringLiteral("There was no answer.")},
        {RasError::LineBusy, QStringLiteral("The line is busy.")},
        {RasError::ConnectingDeviceNotFound, QStringLiteral("Modem or other connecting device not found")},
        {900, QStringLiteral("Error, code = 900")},
    };
    for (const auto& c : cases) {
        m_host.hungUp.clear();
        list({connection(QStringLiteral("Work"), RasState::ConnectDevice, c.error)});
        poll();
        EXPECT_EQ(m_host.lastStatus(), c.text) << c.error;
        // The dialer's hang-up releases the connection that carries the error.
        EXPECT_EQ(m_host.hungUp, QList<DialUpService::Handle>{SimulationFile::handleOf(QStringLiteral("Work"))})
            << c.error;
        EXPECT_FALSE(m_monitor.IsConnected());
    }
}

TEST_F(ConnectionMonitorTest, ErrorOnAConnectedStateStillEndsTheConnection)
{
    list({connection(QStringLiteral("Home"))});
    poll();
    list({connection(QStringLiteral("Home"), RasState::Connected, 628)});
    poll();
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_EQ(m_host.removals, 1);
    EXPECT_EQ(m_host.hungUp.size(), 1);
}

TEST_F(ConnectionMonitorTest, FailedEnumerationKeepsEveryFlag)
{
    m_filter.setChecked(0, true);
    list({connection(QStringLiteral("Home"))});
    poll();
    ASSERT_TRUE(m_monitor.Checked_PhoneBook_IsOn());
    const int statusesBefore = m_host.statuses.size();

    m_service.system().unavailable = true;
    poll(2);
    EXPECT_EQ(m_host.statuses.size(), statusesBefore + 2);
    EXPECT_EQ(m_host.lastStatus(), cannotEnumerate);
    EXPECT_TRUE(m_monitor.IsConnected());
    EXPECT_EQ(m_monitor.Get_CurEntryName(), QStringLiteral("Home"));
    EXPECT_TRUE(m_monitor.Checked_PhoneBook_IsOn());
    EXPECT_EQ(m_host.idle, 0);
    EXPECT_EQ(m_host.removals, 0);

    // The connection went while it could not be seen: the next good poll still ends it once.
    m_service.system().unavailable = false;
    list({});
    poll(2);
    EXPECT_EQ(m_host.removals, 1);
    EXPECT_FALSE(m_monitor.IsConnected());
    // A connection seen again after the outage is not seen "for the first time".
    EXPECT_EQ(m_host.firstSeen.size(), 1);

    // An outage while offline stays offline, even with a connected one listed behind it.
    m_service.system().unavailable = true;
    list({connection(QStringLiteral("Home"))});
    poll();
    EXPECT_FALSE(m_monitor.IsConnected());
    EXPECT_EQ(m_host.firstSeen.size(), 1);
}

TEST_F(ConnectionMonitorTest, EntryIsMatchedAgainstTheFilterExactlyAtFirstSight)
{
    m_service.system().entries.append(QStringLiteral("home"));
    m_filter.setEntries({QStringLiteral("Home"), QStringLiteral("Work")});
    m_filter.setChecked(0, true);

    list({connection(QStringLiteral("home"))});
    poll();
    EXPECT_TRUE(m_monitor.IsConnected());
    EXPECT_FALSE(m_monitor.Checked_PhoneBook_IsOn());
    list({});
    poll();

    list({connection(QStringLiteral("Home"))});
    poll();
    EXPECT_TRUE(m_monitor.Checked_PhoneBook_IsOn());
    // Unchecking during the connection counts from the next connection on.
    m_filter.setChecked(0, false);
    poll();
    EXPECT_TRUE(m_monitor.Checked_PhoneBook_IsOn());
    list({connection(QStringLiteral("Home"), RasState::Disconnected)});
    poll();
    EXPECT_FALSE(m_monitor.Checked_PhoneBook_IsOn());
    list({connection(QStringLiteral("Home"))});
    poll();
    EXPECT_FALSE(m_monitor.Checked_PhoneBook_IsOn());

    // A listed but unchecked entry is not recorded.
    list({});
    poll();
    list({connection(QStringLiteral("Work"))});
    poll();
    EXPECT_FALSE(m_monitor.Checked_PhoneBook_IsOn());
}

TEST_F(ConnectionMonitorTest, StoppedRecordingGetsOneTrackerTickAtTheEnd)
{
    m_host.stopped = true;
    QList<bool> connectedDuringTick;
    m_host.onTick = [&] { connectedDuringTick.append(m_monitor.IsConnected()); };
    list({connection(QStringLiteral("Home"))});
    poll(3);
    EXPECT_EQ(m_host.ticks, 0);

    list({});
    poll(3);
    EXPECT_EQ(m_host.ticks, 1);
    // The tick must see the connection as gone, or it would not close the session.
    EXPECT_EQ(connectedDuringTick, QList<bool>{false});

    // A connection that ends in the Disconnected state while still listed gets its tick as well.
    list({connection(QStringLiteral("Work"))});
    poll();
    list({connection(QStringLiteral("Work"), RasState::Disconnected)});
    poll(2);
    EXPECT_EQ(m_host.ticks, 2);
    EXPECT_EQ(connectedDuringTick, QList<bool>({false, false}));
}

class RecordingFilterTest : public ::testing::Test
{
protected:
    void store(const QString& name, const QString& value) { ASSERT_TRUE(m_store.WriteIniToReg(m_key, name, value)); }
    /// The start's way: the settings read the marks, the filter puts them on its entries.
    void markFromStore()
    {
        Settings settings(m_store);
        settings.load();
        m_filter.PhoneBookEntries_Are_Checked_OrNot(settings.phoneBookMarks());
    }
    QList<bool> checks() const
    {
        QList<bool> out;
        for (const RecordingFilter::Item& item : m_filter.items())
            out.append(item.checked);
        return out;
    }

    QTemporaryDir m_dir;
    IniSettingsStore m_store{m_dir.filePath(QStringLiteral("settings.conf"))};
    const QString m_key = QStringLiteral("Ruvela\\PhoneBooks");
    RecordingFilter m_filter;
};

TEST_F(RecordingFilterTest, StoredSelectionStopsAtTheFirstGap)
{
    m_filter.setEntries({QStringLiteral("Home"), QStringLiteral("Work"), QStringLiteral("Night")});
    store(QStringLiteral("0"), QStringLiteral("Night"));
    store(QStringLiteral("2"), QStringLiteral("Home"));
    markFromStore();
    EXPECT_EQ(checks(), QList<bool>({false, false, true}));
    EXPECT_TRUE(m_filter.isChecked(QStringLiteral("Night")));
    EXPECT_FALSE(m_filter.isChecked(QStringLiteral("Home")));
}

TEST_F(RecordingFilterTest, StoredNamesMatchExactlyAndUnknownOnesAreSkipped)
{
    m_filter.setEntries({QStringLiteral("Home"), QStringLiteral("Work")});
    store(QStringLiteral("0"), QStringLiteral("home"));
    store(QStringLiteral("1"), QStringLiteral("Gone Away"));
    store(QStringLiteral("2"), QStringLiteral("Work"));
    markFromStore();
    EXPECT_EQ(checks(), QList<bool>({false, true}));
    EXPECT_FALSE(m_filter.isChecked(QStringLiteral("home")));
    EXPECT_FALSE(m_filter.isChecked(QStringLiteral("WORK")));
}

TEST_F(RecordingFilterTest, EmptyListStaysEmpty)
{
    store(QStringLiteral("0"), QStringLiteral("Home"));
    markFromStore();
    EXPECT_TRUE(m_filter.items().isEmpty());
    EXPECT_FALSE(m_filter.isChecked(QStringLiteral("Home")));
}

} // namespace
