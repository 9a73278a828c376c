// Dial-up through the system's network manager over D-Bus: its modem, pppoe and Bluetooth DUN profiles are
// the phone book, its active connections the connections.
#pragma once

#include "platform/DialUpService.h"
#include "platform/linux/NetworkManagerNames.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <optional>

class NetworkManagerSecretAgent;

// Entry name = the profile's name (connection.id); user name = the "username" of its gsm, cdma or pppoe
// setting. Handles number the active connections' object paths. Everything runs on the thread that owns
// the object, progress included: it arrives with the device's state signals through the event loop.
class NetworkManagerDialUp final : public QObject, public DialUpService
{
    Q_OBJECT

public:
    /// Works on `bus`: the system bus in the program, a private bus in tests.
    explicit NetworkManagerDialUp(const QDBusConnection& bus, QObject* parent = nullptr);
    ~NetworkManagerDialUp() override;

    /// Whether a network manager runs on `bus`.
    static bool isRunning(const QDBusConnection& bus);

    bool enumConnections(QList<RasConnection>& out) override;
    std::optional<QString> errorText(quint32) const override { return std::nullopt; }
    bool enumEntries(QStringList& out) override;
    quint32 getEntryDialParams(DialParams& params) override;
    quint32 setEntryDialParams(const DialParams& params, bool removePassword) override;
    /// Also stores the user name and drops any stored password before activating, so that the activation
    /// uses this user name and asks our secret agent for this password.
    quint32 dial(const DialParams& params, Progress progress, Handle& handle) override;
    bool hangUp(Handle handle) override;
    QString systemsInUse() const override { return QStringLiteral("network manager"); }

private slots:
    void onDeviceStateChanged(uint newState, uint oldState, uint reason, const QDBusMessage& message);

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
        quint32 lastState = RasState::OpenPort;
        bool started = false; // the device has begun working on our activation
    };

    QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args,
                      int timeout, bool mayAskUser = false) const;
    std::optional<QVariant> property(const QString& path, const QString& interface, const QString& name,
                                     int timeout) const;
    bool profileSettings(const QString& path, NmSettings& out, int timeout) const;
    std::optional<QList<Profile>> dialUpProfiles(QDBusError& error) const;
    quint32 findProfile(const QString& name, Profile& out) const;
    quint32 writeUserName(const Profile& profile, const QString& userName, bool dropPassword) const;
    bool isDialUpActive(const QString& type, const QString& profilePath);
    QString deviceFor(const QString& profilePath) const;
    void registerAgent();
    Handle handleOf(const QString& activePath);
    void finishDial(quint32 state, quint32 error);
    void endDial();

    QDBusConnection m_bus;
    NetworkManagerSecretAgent* m_agent;
    bool m_agentExported = false;
    bool m_agentRegistered = false;
    QHash<QString, Handle> m_handles;
    Handle m_lastHandle = 0;
    QHash<QString, bool> m_bluetoothDun; // profile path → whether that Bluetooth profile is DUN
    std::optional<DialInProgress> m_dial;
};
