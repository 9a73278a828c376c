// The network manager backend against a mock network manager on a private bus (network_manager_dialup_mock.py).
#include "../traffic/KernelNamespace.h"
#include "platform/linux/NetlinkInterfaceTable.h"
#include "platform/linux/NetworkManagerDialUp.h"
#include "tests/support/TestClock.h"
#include "traffic/TrafficMonitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString GsmProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/1");
const QString PppoeProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/2");
const QString DunProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/3");
const QString PanuProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/4");
const QString CdmaProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/6");

struct Step
{
    quint32 state;
    quint32 error;
};

// What a dial reported, in order.
struct ProgressLog
{
    QList<Step> steps;

    DialUpService::Progress recorder()
    {
        return [this](quint32 state, quint32 error) { steps.append({state, error}); };
    }
    bool has(quint32 state) const
    {
        return std::any_of(steps.cbegin(), steps.cend(), [state](const Step& s) { return s.state == state; });
    }
    int count(quint32 state) const
    {
        return int(std::count_if(steps.cbegin(), steps.cend(), [state](const Step& s) { return s.state == state; }));
    }
    std::optional<quint32> error() const
    {
        for (const Step& s : steps) {
            if (s.error != 0)
                return s.error;
        }
        return std::nullopt;
    }
};

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 10000);
}

class NetworkManagerDialUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString address = qEnvironmentVariable("QOV_NM_TEST_BUS");
        if (address.isEmpty())
            GTEST_SKIP() << "needs the mock network manager: run through run_with_dbus_mock.sh";
        registerNmSettingsType();
        static int connections = 0;
        m_name = QStringLiteral("nm-test-%1").arg(++connections);
        m_bus.emplace(QDBusConnection::connectToBus(address, m_name));
        ASSERT_TRUE(m_bus->isConnected());
        ASSERT_EQ(mock(QStringLiteral("Reset")).type(), QDBusMessage::ReplyMessage);
        m_service = std::make_unique<NetworkManagerDialUp>(*m_bus);
        // The backend answers polls from what the service has told it: its first reading, which the
        // program's first poll a second after start finds done.
        ASSERT_TRUE(waitFor([&] {
            QList<RasConnection> listed;
            return m_service->enumConnections(listed);
        }));
    }

    void TearDown() override
    {
        // Whatever a test did, nothing it made the backend do may reach the disk or carry a password.
        if (m_bus) {
            for (const QString& write : settingsWrites()) {
                EXPECT_FALSE(write.startsWith(QLatin1String("disk "))) << write.toStdString();
                EXPECT_FALSE(write.startsWith(QLatin1String("password "))) << write.toStdString();
            }
        }
        m_service.reset();
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_name);
    }

    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
        message.setArguments(args);
        return m_bus->call(message);
    }

    QDBusMessage mock(const QString& method, const QVariantList& args = {})
    {
        return call(QStringLiteral("/org/freedesktop"), QStringLiteral("org.freedesktop.DBus.Mock"), method, args);
    }

    void setDialOutcome(quint32 reason, bool hold)
    {
        ASSERT_EQ(mock(QStringLiteral("SetDialOutcome"), {reason, hold}).type(), QDBusMessage::ReplyMessage);
    }

    NmSettings settingsOf(const QString& profile)
    {
        const QDBusMessage reply = call(profile, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
                                        QStringLiteral("GetSettings"));
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage);
        return reply.arguments().isEmpty() ? NmSettings() : qdbus_cast<NmSettings>(reply.arguments().constFirst());
    }

    QStringList agentAnswers() { return mock(QStringLiteral("GetAgentAnswers")).arguments().value(0).toStringList(); }
    QStringList settingsWrites()
    {
        return mock(QStringLiteral("GetSettingsWrites")).arguments().value(0).toStringList();
    }

    // A round trip to the service puts every signal it sent before in our queue, and handling the queue
    // brings the backend up to date, as the second between two polls of the program does.
    void settle()
    {
        mock(QStringLiteral("CountReads"));
        QCoreApplication::processEvents();
    }

    quint32 reads() { return mock(QStringLiteral("CountReads")).arguments().value(0).toUInt(); }

    QList<RasConnection> connections()
    {
        settle();
        QList<RasConnection> out;
        EXPECT_TRUE(m_service->enumConnections(out));
        return out;
    }

    quint32 dial(const QString& entry, const QString& user, const QString& password, ProgressLog& log,
                 DialUpService::Handle& handle)
    {
        return m_service->dial({entry, user, password, false}, log.recorder(), handle);
    }

    QString m_name;
    std::optional<QDBusConnection> m_bus;
    std::unique_ptr<NetworkManagerDialUp> m_service;
};

TEST_F(NetworkManagerDialUpTest, PhoneBookHoldsOnlyTheDialUpProfilesInTheServicesOrder)
{
    QStringList entries;
    ASSERT_TRUE(m_service->enumEntries(entries));
    // Not the wired, Wi-Fi or Bluetooth network (PANU) profiles.
    EXPECT_EQ(entries, (QStringList{"Mobile Provider", "Home DSL", "Phone over Bluetooth", "CDMA Carrier"}));
}

TEST_F(NetworkManagerDialUpTest, UserNameComesFromTheProfilesDialUpSetting)
{
    DialParams gsm{QStringLiteral("Mobile Provider"), {}, QStringLiteral("left over"), true};
    ASSERT_EQ(m_service->getEntryDialParams(gsm), 0u);
    EXPECT_EQ(gsm.userName, QStringLiteral("olduser"));
    EXPECT_TRUE(gsm.password.isEmpty());
    EXPECT_FALSE(gsm.passwordSaved);

    DialParams pppoe{QStringLiteral("Home DSL"), {}, {}, false};
    ASSERT_EQ(m_service->getEntryDialParams(pppoe), 0u);
    EXPECT_EQ(pppoe.userName, QStringLiteral("dsluser"));

    DialParams cdma{QStringLiteral("CDMA Carrier"), {}, {}, false};
    ASSERT_EQ(m_service->getEntryDialParams(cdma), 0u);
    EXPECT_EQ(cdma.userName, QStringLiteral("cdmauser"));
}

TEST_F(NetworkManagerDialUpTest, EntriesOutsideThePhoneBookAreNotFound)
{
    for (const QString& name : {QStringLiteral("Cafe"), QStringLiteral("Headset network"), QStringLiteral("Nowhere")}) {
        DialParams params{name, QStringLiteral("user"), QStringLiteral("pw"), false};
        EXPECT_EQ(m_service->getEntryDialParams(params), 623u) << name.toStdString();
        EXPECT_EQ(m_service->setEntryDialParams(params, true), 623u) << name.toStdString();
        ProgressLog log;
        DialUpService::Handle handle = 7;
        EXPECT_EQ(m_service->dial(params, log.recorder(), handle), 623u) << name.toStdString();
        EXPECT_EQ(handle, 0u);
    }
}

TEST_F(NetworkManagerDialUpTest, StoringTheUserNameChangesOnlyTheServicesMemoryOfTheProfile)
{
    ASSERT_EQ(m_service->setEntryDialParams({"Mobile Provider", "newuser", "s3cret", false}, true), 0u);
    // Ours at once; the service's once it has answered.
    DialParams params{QStringLiteral("Mobile Provider"), {}, {}, false};
    ASSERT_EQ(m_service->getEntryDialParams(params), 0u);
    EXPECT_EQ(params.userName, QStringLiteral("newuser"));
    ASSERT_TRUE(waitFor([&] { return settingsOf(GsmProfile)["gsm"]["username"].toString() == "newuser"; }));
    const NmSettings stored = settingsOf(GsmProfile);
    EXPECT_FALSE(stored["gsm"].contains("password"));
    EXPECT_FALSE(stored["gsm"].contains("password-flags")); // a password is not our business
    // The profile is written back whole: the rest of it, list values included, must survive.
    EXPECT_EQ(stored["gsm"]["apn"].toString(), QStringLiteral("internet"));
    EXPECT_EQ(stored["connection"]["id"].toString(), QStringLiteral("Mobile Provider"));
    EXPECT_EQ(qdbus_cast<QList<uint>>(stored["ipv4"]["dns"]), QList<uint>{0x08080808u});
    EXPECT_EQ(settingsWrites(), QStringList{"memory Mobile Provider"});

    // The same name again changes nothing; the service refuses an empty user name, so none is no key.
    ASSERT_EQ(m_service->setEntryDialParams({"Mobile Provider", "newuser", "", false}, true), 0u);
    ASSERT_EQ(m_service->setEntryDialParams({"Home DSL", "", "s3cret", false}, true), 0u);
    ASSERT_TRUE(waitFor([&] { return !settingsOf(PppoeProfile)["pppoe"].contains("username"); }));
    EXPECT_EQ(settingsWrites(), (QStringList{"memory Mobile Provider", "memory Home DSL"}));
}

TEST_F(NetworkManagerDialUpTest, AProfileThatMayNotBeChangedKeepsTheUserNameInOurMemory)
{
    ASSERT_EQ(
        mock(QStringLiteral("SetProfileWritable"), {QVariant::fromValue(QDBusObjectPath(GsmProfile)), false}).type(),
        QDBusMessage::ReplyMessage);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "guest", "s3cret", log, handle), 0u);
    // Dialled as it stands.
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::Connected) || log.error(); }));
    EXPECT_FALSE(log.error());
    EXPECT_EQ(settingsOf(GsmProfile)["gsm"]["username"].toString(), QStringLiteral("olduser"));
    DialParams params{QStringLiteral("Mobile Provider"), {}, {}, false};
    ASSERT_EQ(m_service->getEntryDialParams(params), 0u);
    EXPECT_EQ(params.userName, QStringLiteral("guest"));
    EXPECT_TRUE(settingsWrites().isEmpty());
}

TEST_F(NetworkManagerDialUpTest, APasswordTheSystemKeepsIsLeftAlone)
{
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("CDMA Carrier", "cdmauser", "typed", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::Connected) || log.error(); }));
    EXPECT_FALSE(log.error());
    // The service used its own; ours was never asked for, and the profile is as it was.
    EXPECT_EQ(agentAnswers(), QStringList{"kept:cdma.password=kept-by-system"});
    EXPECT_EQ(settingsOf(CdmaProfile)["cdma"]["password-flags"].toUInt(), 0u);
    EXPECT_TRUE(settingsWrites().isEmpty());
}

TEST_F(NetworkManagerDialUpTest, HangingUpBeforeTheServiceHasAnsweredStillEndsTheDial)
{
    setDialOutcome(0, true);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "olduser", "s3cret", log, handle), 0u);
    ASSERT_NE(handle, 0u);
    // No answer of the service has been read yet: the activation is still on its way.
    ASSERT_TRUE(m_service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return log.error().has_value(); }));
    EXPECT_EQ(*log.error(), RasError::UserDisconnection);
    ASSERT_TRUE(waitFor([&] { return connections().isEmpty(); }));
}

TEST_F(NetworkManagerDialUpTest, DialConnectsWithThePasswordGivenForThatDialOnly)
{
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    EXPECT_NE(handle, 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::Connected) || log.error(); }));

    EXPECT_FALSE(log.error());
    ASSERT_FALSE(log.steps.isEmpty());
    EXPECT_EQ(log.steps.first().state, RasState::ConnectDevice);
    EXPECT_TRUE(log.has(RasState::Authenticate));
    EXPECT_EQ(log.steps.last().state, RasState::Connected);
    EXPECT_EQ(log.count(RasState::Connected), 1);

    // The secret agent handed the password over; the service's memory of the profile has the user name,
    // its file nothing new, and no password was written anywhere.
    EXPECT_EQ(agentAnswers(), QStringList{"gsm.password=s3cret"});
    const NmSettings stored = settingsOf(GsmProfile);
    EXPECT_EQ(stored["gsm"]["username"].toString(), QStringLiteral("dialuser"));
    EXPECT_FALSE(stored["gsm"].contains("password"));
    EXPECT_FALSE(stored["gsm"].contains("password-flags"));
    EXPECT_EQ(settingsWrites(), QStringList{"memory Mobile Provider"});

    // Listed under its entry name with the dial's handle; the wired line that is also up is no dial-up.
    const QList<RasConnection> listed = connections();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("Mobile Provider"));
    EXPECT_EQ(listed[0].state, RasState::Connected);
    EXPECT_EQ(listed[0].error, 0u);
    EXPECT_EQ(listed[0].handle, handle);
    // The modem's IP interface, once activated.
    EXPECT_EQ(listed[0].interfaceName, QStringLiteral("ppp0"));
}

TEST_F(NetworkManagerDialUpTest, ActivatingConnectionShowsProgressAndHangingUpEndsIt)
{
    setDialOutcome(0, true); // the modem stays dialling
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::ConnectDevice); }));

    QList<RasConnection> listed = connections();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].entryName, QStringLiteral("Mobile Provider"));
    EXPECT_EQ(listed[0].state, RasState::ConnectDevice);
    EXPECT_EQ(listed[0].handle, handle);

    ASSERT_TRUE(m_service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return log.error().has_value(); }));
    EXPECT_EQ(*log.error(), RasError::UserDisconnection);
    EXPECT_FALSE(log.has(RasState::Connected));
    EXPECT_TRUE(connections().isEmpty());

    EXPECT_FALSE(m_service->hangUp(0));
    EXPECT_FALSE(m_service->hangUp(handle + 100)); // never handed out
}

struct FailureCase
{
    quint32 reason;
    quint32 error;
};

class NetworkManagerDialFailureTest : public NetworkManagerDialUpTest, public ::testing::WithParamInterface<FailureCase>
{};

TEST_P(NetworkManagerDialFailureTest, DeviceReasonBecomesTheDialError)
{
    setDialOutcome(GetParam().reason, false);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.error().has_value() || log.has(RasState::Connected); }));

    EXPECT_EQ(log.error(), GetParam().error);
    EXPECT_FALSE(log.has(RasState::Connected));
    // A round trip to the service puts its later signals in our queue; then none may add a second error,
    // such as the device's way back to rest.
    EXPECT_TRUE(connections().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count_if(log.steps.cbegin(), log.steps.cend(), [](const Step& s) { return s.error != 0; }), 1);
    // The dialer hangs up after an error; with the connection already gone that is no failure.
    EXPECT_TRUE(m_service->hangUp(handle));
}

INSTANTIATE_TEST_SUITE_P(ModemReasons, NetworkManagerDialFailureTest,
                         ::testing::Values(FailureCase{23, RasError::LineBusy}, FailureCase{26, RasError::NoAnswer},
                                           FailureCase{25, 679}, FailureCase{24, 680}));

TEST_F(NetworkManagerDialUpTest, ConnectionsStartedElsewhereCountWhenTheyAreDialUp)
{
    for (const QString& profile : {DunProfile, PanuProfile}) {
        const QDBusMessage reply = call(
            QStringLiteral("/org/freedesktop/NetworkManager"), Service, QStringLiteral("ActivateConnection"),
            {QVariant::fromValue(QDBusObjectPath(profile)), QVariant::fromValue(QDBusObjectPath(QStringLiteral("/"))),
             QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }
    QList<RasConnection> listed;
    ASSERT_TRUE(waitFor([&] {
        listed = connections();
        return listed.size() == 1 && listed[0].state == RasState::Connected;
    }));
    EXPECT_EQ(listed[0].entryName, QStringLiteral("Phone over Bluetooth"));
    EXPECT_NE(listed[0].handle, 0u);
    // The same connection keeps its handle from poll to poll.
    EXPECT_EQ(connections().value(0).handle, listed[0].handle);
}

TEST_F(NetworkManagerDialUpTest, SecretAgentAnswersOnlyForTheDialInProgress)
{
    setDialOutcome(0, true);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::ConnectDevice); }));

    // The service asks our agent as it would during an activation.
    const auto ask = [&](const QString& profile, const QString& setting, uint flags) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(Service, QStringLiteral("/org/freedesktop"),
                                           QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AskAgent"));
        message.setArguments({QVariant::fromValue(QDBusObjectPath(profile)), setting, flags});
        // Not blocking: the agent answers from this very thread's event loop.
        QDBusPendingCall pending = m_bus->asyncCall(message);
        EXPECT_TRUE(waitFor([&] { return pending.isFinished(); }));
        return pending.reply().arguments().value(0).toString();
    };
    const QString refused = QStringLiteral("error:org.freedesktop.NetworkManager.SecretAgent.NoSecrets");

    EXPECT_EQ(ask(GsmProfile, QStringLiteral("gsm"), 0x1), QStringLiteral("gsm.password=s3cret"));
    // A request for new secrets means ours were refused; another profile is not ours to answer for.
    EXPECT_EQ(ask(GsmProfile, QStringLiteral("gsm"), 0x1 | 0x2), refused);
    EXPECT_EQ(ask(PppoeProfile, QStringLiteral("pppoe"), 0x1), refused);

    // Once the dial is over the password is gone.
    ASSERT_TRUE(m_service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return log.error().has_value(); }));
    EXPECT_EQ(ask(GsmProfile, QStringLiteral("gsm"), 0x1), refused);

    // Anyone else on the bus is refused even while the dial runs.
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    const QString name = m_name + QStringLiteral("-other");
    QDBusConnection other = QDBusConnection::connectToBus(qEnvironmentVariable("QOV_NM_TEST_BUS"), name);
    QDBusMessage message = QDBusMessage::createMethodCall(
        m_bus->baseService(), QStringLiteral("/org/freedesktop/NetworkManager/SecretAgent"),
        QStringLiteral("org.freedesktop.NetworkManager.SecretAgent"), QStringLiteral("GetSecrets"));
    message.setArguments({QVariant::fromValue(settingsOf(GsmProfile)), QVariant::fromValue(QDBusObjectPath(GsmProfile)),
                          QStringLiteral("gsm"), QStringList(), 0x1u});
    QDBusPendingCall pending = other.asyncCall(message);
    ASSERT_TRUE(waitFor([&] { return pending.isFinished(); }));
    EXPECT_EQ(pending.reply().errorName(), QStringLiteral("org.freedesktop.NetworkManager.SecretAgent.NoSecrets"));
    QDBusConnection::disconnectFromBus(name);
}

TEST_F(NetworkManagerDialUpTest, ARawIpModemLinkOfAnActiveGsmConnectionFeedsTheByteCounts)
{
    // A QMI or MBIM modem comes up as wwan0, a raw-IP link whose description does not say PPP.
    if (const QString problem = KernelNamespace::make(QStringLiteral("wwan0")); !problem.isEmpty())
        GTEST_SKIP() << problem.toStdString();
    // Another program's PPP link beside it, which the rule of the description alone would take.
    const int other = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, "ppp0", IFNAMSIZ - 1);
    ASSERT_EQ(::ioctl(other, TUNSETIFF, &request), 0);
    ASSERT_TRUE(KernelNamespace::ip(QStringLiteral("link set up dev ppp0")));
    ASSERT_EQ(mock(QStringLiteral("SetIpInterface"), {QStringLiteral("modem0"), QStringLiteral("wwan0")}).type(),
              QDBusMessage::ReplyMessage);

    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::Connected) || log.error(); }));
    ASSERT_FALSE(log.error().has_value()) << "the dial failed: " << *log.error();
    // The service may tell the new state a moment before it lists the connection; the program asks every
    // second anyway.
    QList<RasConnection> listed;
    ASSERT_TRUE(waitFor([&] {
        listed = connections();
        return listed.size() == 1;
    })) << listed.size()
        << " connections listed";
    EXPECT_EQ(listed[0].interfaceName, QStringLiteral("wwan0"));

    NetlinkInterfaceTable table;
    TestClock clock;
    TrafficMonitor traffic(table, clock);
    traffic.setDialUpInterface(listed[0].interfaceName);
    traffic.primeTrafficMonitor();
    const LinkOctets before = KernelNamespace::octets(QStringLiteral("wwan0"));
    const quint64 received = KernelNamespace::receiveIn(6, 900);
    const quint64 sent = KernelNamespace::sendOut(4, 300);
    traffic.UpdateTrafficMonitor();
    const LinkOctets after = KernelNamespace::octets(QStringLiteral("wwan0"));
    EXPECT_GT(received, 0u);
    EXPECT_EQ(traffic.DialUpBytesReceived(), after.received - before.received);
    EXPECT_EQ(traffic.DialUpBytesSent(), after.sent - before.sent);
    EXPECT_EQ(traffic.DialUpBytesReceived(), received);
    EXPECT_EQ(traffic.DialUpBytesSent(), sent);
    ::close(other);
}

// Metered links: a phone tethered over USB (an Ethernet device the service guesses metered) and a Wi-Fi
// hotspot whose profile the user marked metered.
class NetworkManagerMeteredTest : public NetworkManagerDialUpTest
{
protected:
    static QString device(const char* name)
    {
        return QStringLiteral("/org/freedesktop/NetworkManager/Devices/") + name;
    }

    void activate(const QString& profile, const QString& devicePath)
    {
        const QDBusMessage reply =
            call(QStringLiteral("/org/freedesktop/NetworkManager"), Service, QStringLiteral("ActivateConnection"),
                 {QVariant::fromValue(QDBusObjectPath(profile)), QVariant::fromValue(QDBusObjectPath(devicePath)),
                  QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    void setDeviceMetered(const QString& name, uint metered)
    {
        // Answered after the service has signalled the change, so the signal waits in our queue.
        ASSERT_EQ(mock(QStringLiteral("SetDeviceMetered"), {name, metered}).type(), QDBusMessage::ReplyMessage);
        QCoreApplication::processEvents();
    }

    static QStringList names(const QList<RasConnection>& listed)
    {
        QStringList out;
        for (const RasConnection& c : listed)
            out.append(c.entryName + QLatin1Char('@') + c.interfaceName);
        return out;
    }

    const QString TetherProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/7");
    const QString CafeProfile = QStringLiteral("/org/freedesktop/NetworkManager/Settings/5");
};

TEST_F(NetworkManagerMeteredTest, MeteredLinksAreListedOnlyWhileTheyAreRecorded)
{
    activate(TetherProfile, device("usb0"));
    activate(CafeProfile, device("wlan0"));
    m_service->setRecordMetered(true);
    QList<RasConnection> listed;
    ASSERT_TRUE(waitFor([&] {
        listed = connections();
        return listed.size() == 2;
    })) << names(listed).join(' ').toStdString();
    // Named by their profiles, with their own IP interfaces; the wired line, metered by nobody, is not.
    EXPECT_EQ(names(listed), (QStringList{"Phone tether@usb0", "Cafe@wlan0"}));
    for (const RasConnection& c : listed) {
        EXPECT_EQ(c.state, RasState::Connected);
        EXPECT_NE(c.handle, 0u);
    }
    EXPECT_EQ(m_service->systemsInUse(), QStringLiteral("network manager (metered links too)"));

    // A dial-up link beside them comes last: the monitor follows the last one, so it is the one recorded.
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] {
        listed = connections();
        return listed.size() == 3 && listed.last().state == RasState::Connected;
    }));
    EXPECT_EQ(listed.last().entryName, QStringLiteral("Mobile Provider"));

    // Off: dial-up alone, at once.
    m_service->setRecordMetered(false);
    EXPECT_EQ(names(connections()), QStringList{"Mobile Provider@ppp0"});
    EXPECT_EQ(m_service->systemsInUse(), QStringLiteral("network manager"));
}

TEST_F(NetworkManagerMeteredTest, ADeviceWhoseMeteringChangesWhileUpIsListedFromTheNextPoll)
{
    activate(CafeProfile, device("wlan0"));
    m_service->setRecordMetered(true);
    // Once the hotspot is listed with its interface, every device's metering has been read.
    ASSERT_TRUE(waitFor([&] { return names(connections()) == QStringList{"Cafe@wlan0"}; }));

    // The wired line, up all along, is now metered: listed at the very next poll.
    setDeviceMetered(QStringLiteral("eth0"), 1);
    EXPECT_EQ(connections().size(), 2);
    EXPECT_TRUE(names(connections()).contains(QStringLiteral("Wired connection 1@")));
    // A guess of "not metered" ends it again.
    setDeviceMetered(QStringLiteral("eth0"), 4);
    EXPECT_EQ(names(connections()), QStringList{"Cafe@wlan0"});
}

TEST_F(NetworkManagerMeteredTest, TheRecordingFilterIsOfferedMeteredProfilesTheDialerIsNot)
{
    QStringList recordable;
    ASSERT_TRUE(m_service->enumRecordable(recordable));
    const QStringList phoneBook{"Mobile Provider", "Home DSL", "Phone over Bluetooth", "CDMA Carrier"};
    EXPECT_EQ(recordable, phoneBook);

    m_service->setRecordMetered(true);
    ASSERT_TRUE(m_service->enumRecordable(recordable));
    // The hotspot marked metered, and the profile of the device guessed metered, in the service's order.
    EXPECT_EQ(recordable, (QStringList{"Mobile Provider", "Home DSL", "Phone over Bluetooth", "Cafe", "CDMA Carrier",
                                       "Phone tether"}));
    QStringList entries;
    ASSERT_TRUE(m_service->enumEntries(entries));
    EXPECT_EQ(entries, phoneBook);
    DialParams params{QStringLiteral("Cafe"), {}, {}, false};
    EXPECT_EQ(m_service->getEntryDialParams(params), 623u);
}

TEST_F(NetworkManagerMeteredTest, ATetheredPhonesLinkFeedsTheByteCounts)
{
    // USB tethering comes up as an Ethernet-like link whose description does not say PPP.
    if (const QString problem = KernelNamespace::make(QStringLiteral("usb0")); !problem.isEmpty())
        GTEST_SKIP() << problem.toStdString();
    // A test program has one such link: an earlier test may have made it as the modem's.
    const QString link =
        KernelNamespace::ip(QStringLiteral("link show dev usb0")) ? QStringLiteral("usb0") : QStringLiteral("wwan0");
    ASSERT_EQ(mock(QStringLiteral("SetIpInterface"), {QStringLiteral("usb0"), link}).type(),
              QDBusMessage::ReplyMessage);
    // Another program's PPP link beside it, which the rule of the description alone would take.
    const int other = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, "ppp0", IFNAMSIZ - 1);
    ASSERT_EQ(::ioctl(other, TUNSETIFF, &request), 0);
    ASSERT_TRUE(KernelNamespace::ip(QStringLiteral("link set up dev ppp0")));

    m_service->setRecordMetered(true);
    activate(TetherProfile, device("usb0"));
    QList<RasConnection> listed;
    ASSERT_TRUE(waitFor([&] {
        listed = connections();
        return listed.size() == 1 && !listed[0].interfaceName.isEmpty();
    }));
    ASSERT_EQ(listed[0].interfaceName, link);

    NetlinkInterfaceTable table;
    TestClock clock;
    TrafficMonitor traffic(table, clock);
    traffic.setDialUpInterface(listed[0].interfaceName);
    traffic.primeTrafficMonitor();
    const quint64 received = KernelNamespace::receiveIn(5, 700);
    const quint64 sent = KernelNamespace::sendOut(3, 400);
    traffic.UpdateTrafficMonitor();
    EXPECT_GT(received, 0u);
    EXPECT_EQ(traffic.DialUpBytesReceived(), received);
    EXPECT_EQ(traffic.DialUpBytesSent(), sent);
    ::close(other);
}

TEST_F(NetworkManagerDialUpTest, APollWhileTheServiceHangsAnswersAtOnce)
{
    setDialOutcome(0, true);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return log.has(RasState::ConnectDevice); }));
    const QList<RasConnection> before = connections();
    ASSERT_EQ(before.size(), 1);

    // The service stops answering: a request sent now is answered only when it wakes up.
    ASSERT_EQ(mock(QStringLiteral("Freeze"), {1500u}).type(), QDBusMessage::ReplyMessage);
    const QDBusPendingCall pending = m_bus->asyncCall(
        QDBusMessage::createMethodCall(Service, QStringLiteral("/org/freedesktop"),
                                       QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("CountReads")));
    QElapsedTimer timer;
    timer.start();
    QList<RasConnection> listed;
    const bool answered = m_service->enumConnections(listed);
    const qint64 elapsed = timer.nsecsElapsed();
    // The poll came back before the service did, and with the connection as it was.
    EXPECT_FALSE(pending.isFinished());
    EXPECT_TRUE(answered);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].entryName, before[0].entryName);
    EXPECT_EQ(listed[0].state, RasState::ConnectDevice);
    EXPECT_EQ(listed[0].handle, handle);
    std::cout << "poll while the service hangs: " << elapsed / 1000 << " us\n";
    ASSERT_TRUE(waitFor([&] { return pending.isFinished(); }));
    ASSERT_TRUE(m_service->hangUp(handle));
}

TEST_F(NetworkManagerDialUpTest, AConnectionIsFollowedThroughTheServicesSignalsAlone)
{
    setDialOutcome(0, true);
    const quint32 readsBefore = reads();
    const auto state = [&](quint32 device, int active) {
        ASSERT_EQ(mock(QStringLiteral("SetLinkState"), {QStringLiteral("modem0"), device, active}).type(),
                  QDBusMessage::ReplyMessage);
    };
    // Started elsewhere: the modem dials.
    const QDBusMessage reply =
        call(QStringLiteral("/org/freedesktop/NetworkManager"), Service, QStringLiteral("ActivateConnection"),
             {QVariant::fromValue(QDBusObjectPath(GsmProfile)),
              QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/freedesktop/NetworkManager/Devices/modem0"))),
              QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    // Each signal is waited for: on a busy machine it may come after the events handled once.
    QList<RasConnection> listed;
    const auto reaches = [&](quint32 wanted) {
        return waitFor([&] {
            listed = connections();
            return listed.size() == 1 && listed[0].state == wanted;
        });
    };
    ASSERT_TRUE(reaches(RasState::ConnectDevice));
    EXPECT_EQ(listed[0].entryName, QStringLiteral("Mobile Provider"));
    const DialUpService::Handle handle = listed[0].handle;

    state(60, -1); // need-auth
    ASSERT_TRUE(reaches(RasState::Authenticate));
    EXPECT_TRUE(listed[0].interfaceName.isEmpty());

    state(100, 2); // activated
    ASSERT_TRUE(reaches(RasState::Connected));
    EXPECT_EQ(listed[0].interfaceName, QStringLiteral("ppp0"));
    EXPECT_EQ(listed[0].handle, handle);

    ASSERT_TRUE(m_service->hangUp(handle));
    ASSERT_TRUE(waitFor([&] { return connections().isEmpty(); }));
    // Not one property, profile or list was read meanwhile.
    EXPECT_EQ(reads(), readsBefore);
}

TEST_F(NetworkManagerDialUpTest, AServiceThatRestartsIsReadAfresh)
{
    setDialOutcome(0, true);
    ProgressLog log;
    DialUpService::Handle handle = 0;
    ASSERT_EQ(dial("Mobile Provider", "dialuser", "s3cret", log, handle), 0u);
    ASSERT_TRUE(waitFor([&] { return connections().size() == 1; }));

    // It leaves the bus, forgets the dial-up link and comes back.
    ASSERT_EQ(mock(QStringLiteral("Restart"), {400u}).type(), QDBusMessage::ReplyMessage);
    QList<RasConnection> listed;
    // Meanwhile the list cannot be told: an open session goes on rather than ending on a guess.
    ASSERT_TRUE(waitFor([&] { return !m_service->enumConnections(listed); }));
    ASSERT_TRUE(waitFor([&] { return m_service->enumConnections(listed) && listed.isEmpty(); }));
}

TEST_F(NetworkManagerDialUpTest, WithoutTheServiceNothingIsListedAndNothingDials)
{
    EXPECT_TRUE(NetworkManagerDialUp::isRunning(*m_bus));

    const QString name = m_name + QStringLiteral("-empty");
    QDBusConnection empty = QDBusConnection::connectToBus(qEnvironmentVariable("QOV_EMPTY_TEST_BUS"), name);
    ASSERT_TRUE(empty.isConnected());
    {
        EXPECT_FALSE(NetworkManagerDialUp::isRunning(empty));
        NetworkManagerDialUp absent(empty);
        QList<RasConnection> listed;
        EXPECT_FALSE(absent.enumConnections(listed));
        QStringList entries;
        EXPECT_FALSE(absent.enumEntries(entries));
        DialParams params{QStringLiteral("Mobile Provider"), QStringLiteral("user"), QStringLiteral("pw"), false};
        EXPECT_EQ(absent.getEntryDialParams(params), 711u);
        EXPECT_EQ(absent.setEntryDialParams(params, true), 711u);
        ProgressLog log;
        DialUpService::Handle handle = 0;
        EXPECT_EQ(absent.dial(params, log.recorder(), handle), 711u);
        EXPECT_EQ(handle, 0u);
        EXPECT_FALSE(absent.hangUp(1));
    }
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
