// Dial-up through the system's network manager over D-Bus: its modem, pppoe and Bluetooth DUN profiles are
// the phone book, its active connections the connections.
#pragma once

#include "platform/DialUpService.h"
#include "platform/linux/NetworkManagerNames.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QSet>
#include <functional>
#include <optional>

class NetworkManagerSecretAgent;

// Entry name = the profile's name (connection.id); user name = the "username" of its gsm, cdma or pppoe
// setting. Handles number the active connections' object paths. A connection's interface is its device's
// IP interface ("ppp0", "wwan0"). Nothing a dial does reaches the disk: the user name goes into the
// service's memory of the profile (UpdateUnsaved), and into ours when the profile may not be changed; the
// password goes to our secret agent for that dial only; a password the system keeps is left alone. Requests
// that may wait for the user's authorisation (changing a profile, activating, deactivating, registering the
// agent) are sent without waiting: their answers arrive through the event loop, like the device's state
// signals that carry a dial's progress. The once-a-second poll asks the service nothing: it answers from
// the active connections and devices the backend keeps, read once without waiting and then followed through
// the service's signals (NetworkManagerState.cpp). Reads for what the user asked for (the phone book) wait,
// but never long. Everything runs on the thread that owns the object. Metered links, when recorded, are
// known from the devices' and profiles' own marks (NetworkManagerMetered.cpp).
class NetworkManagerDialUp final : public QObject, public DialUpService
{
    Q_OBJECT

public:
    /// Works on `bus`: the system bus in the program, a private bus in tests.
    explicit NetworkManagerDialUp(const QDBusConnection& bus, QObject* parent = nullptr);
    ~NetworkManagerDialUp() override;

    /// Whether a network manager runs on `bus`.
    static bool isRunning(const QDBusConnection& bus);

    /// Answers from what the service has told; false until its first answer since it (re)appeared.
    bool enumConnections(QList<RasConnection>& out) override;
    std::optional<QString> errorText(quint32) const override { return std::nullopt; }
    bool enumEntries(QStringList& out) override;
    quint32 getEntryDialParams(DialParams& params) override;
    /// Keeps the user name; a stored password stays as it is.
    quint32 setEntryDialParams(const DialParams& params, bool removePassword) override;
    /// Puts the user name into the profile first, so that the activation uses it, and offers the password
    /// to our secret agent for the time of the dial. A refusal of the service arrives as the dial's error.
    quint32 dial(const DialParams& params, Progress progress, Handle& handle) override;
    /// Asks the service to deactivate without waiting for its answer: false only for a handle never given.
    bool hangUp(Handle handle) override;
    QString systemsInUse() const override
    {
        return m_recordMetered ? QStringLiteral("network manager (metered links too)")
                               : QStringLiteral("network manager");
    }
    /// From now on the metered devices and profiles are read ahead and followed; a metered link that is up
    /// is listed once its marks are known, at the latest the poll after its first sight.
    void setRecordMetered(bool on) override;
    QString meteredUnavailableReason() const override { return QString(); }
    /// The phone book, and while metered links are recorded, the profiles marked metered and those a metered
    /// device offers, in the service's order.
    bool enumRecordable(QStringList& out) override;

private slots:
    void onDeviceStateChanged(uint newState, uint oldState, uint reason, const QDBusMessage& message);
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated,
                             const QDBusMessage& message);
    void onProfileUpdated(const QDBusMessage& message);
    void onInterfacesAdded(const QDBusMessage& message);
    void onInterfacesRemoved(const QDBusMessage& message);

private:
    struct Profile
    {
        QString path;
        QString name;
        QString secretSetting; // gsm, cdma or pppoe: where user name and password live
        NmSettings settings;
    };
    struct DialInProgress
    {
        Progress progress;
        QString profilePath;
        QString devicePath;
        Handle handle = 0;
        QString activePath; // empty until the service has answered the activation
        quint32 lastState = RasState::OpenPort;
        bool started = false;     // the device has begun working on our activation
        bool hangUpAsked = false; // hung up before the service answered the activation
    };
    using Answer = std::function<void(const QDBusMessage& reply)>;
    struct ActiveConnection
    {
        QString profilePath;
        QString type;
        QString id;
        quint32 state = 0;  // NMActiveConnectionState
        QString devicePath; // its first device; empty while it has none
    };
    struct Device
    {
        quint32 state = 0; // NMDeviceState
        QString ipInterface;
        quint32 metered = 0; // NMMetered
    };

    QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args,
                      int timeout) const;
    /// Sends a request that may wait for the user's authorisation; `then` gets its answer, if this object
    /// still exists then.
    void request(const QString& path, const QString& interface, const QString& method, const QVariantList& args,
                 Answer then);
    std::optional<QVariant> property(const QString& path, const QString& interface, const QString& name,
                                     int timeout) const;
    bool profileSettings(const QString& path, NmSettings& out, int timeout) const;
    std::optional<QList<Profile>> dialUpProfiles(QDBusError& error) const;
    quint32 findProfile(const QString& name, Profile& out) const;
    void rememberUserName(const Profile& profile, const QString& userName, std::function<void()> then);
    /// Nothing for a Bluetooth profile not read yet: its read is asked for, and it counts once answered.
    bool isDialUpActive(const QString& type, const QString& profilePath);
    QString ipInterfaceOf(const QString& activePath, const QString& devicePath);
    QString deviceFor(const QString& profilePath) const;
    void registerAgent(std::function<void()> then);
    void activate(Handle handle);
    void deactivate(const QString& activePath);
    bool dialling(Handle handle) const { return m_dial && m_dial->handle == handle; }
    Handle handleOf(const QString& activePath);
    void finishDial(quint32 state, quint32 error);
    void endDial();
    /// A read whose answer `then` gets through the event loop; nothing waits for it.
    void readLater(const QString& path, const QString& interface, const QString& method, const QVariantList& args,
                   Answer then);
    /// Reads a profile's settings without waiting: whether a Bluetooth profile is for dial-up, and while metered
    /// links are recorded, whether it is marked metered.
    void readProfile(const QString& profilePath);
    /// Every profile's metering mark, read ahead.
    void readProfiles();
    /// An active connection that is no dial-up: listed when it is activated and its device or profile is
    /// metered. Marks not known yet are asked for, and the connection waits for them.
    std::optional<RasConnection> meteredConnection(const QString& activePath, const ActiveConnection& active);

    // What the service has told of its active connections and devices (NetworkManagerState.cpp).
    /// Subscribes to the signals that carry its changes, then reads it.
    void followState();
    /// Forgets all of it and, with `ask`, reads it afresh in one request.
    void refetch(bool ask);
    /// Takes in an object's properties, `interface` → (name → value): `whole` when it appears, and only the
    /// changed ones of an object already known.
    void takeProperties(const QString& path, const NmSettings& interfaces, bool whole);
    /// Reads the properties of an object named before it was announced (a service without ObjectManager).
    void readObject(const QString& path, const QString& interface);
    /// Reads the listed connections, and their devices, that nothing has announced.
    void readUnknown();

    QDBusConnection m_bus;
    NetworkManagerSecretAgent* m_agent;
    bool m_agentExported = false;
    bool m_agentRegistered = false;
    QHash<QString, Handle> m_handles;
    Handle m_lastHandle = 0;
    QHash<QString, bool> m_bluetoothDun;    // profile path → whether that Bluetooth profile is DUN
    QHash<QString, QString> m_userNames;    // profile path → the user name of its last dial
    QHash<QString, QString> m_ipInterfaces; // active connection path → its device's IP interface
    std::optional<DialInProgress> m_dial;
    bool m_recordMetered = false;
    QHash<QString, bool> m_meteredProfiles; // profile path → whether its settings mark it metered
    QSet<QString> m_reading;                // objects and profiles whose read is on its way

    bool m_known = false;         // the service's first answer since it (re)appeared has come
    quint64 m_generation = 0;     // counts the service's comings and goings: older answers are dropped
    QList<QString> m_activeOrder; // the service's ActiveConnections, in its order
    QHash<QString, ActiveConnection> m_actives;
    QHash<QString, Device> m_devices;
};
