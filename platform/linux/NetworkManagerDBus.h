// What the parts of the network manager backend share: how long a call may wait, how to read an answer.
#pragma once

#include "platform/linux/NetworkManagerNames.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace NetworkManagerDBus {

// Reads for what the user asked for: the service answers them itself, without asking anyone.
inline constexpr int ReadTimeoutMs = 5000;
// Requests that may wait while the user answers an authorisation prompt; nothing waits for them.
inline constexpr int RequestTimeoutMs = 5 * 60 * 1000;

inline constexpr quint32 EntryNotFound = 623;

inline const QString AgentIdentifier = QStringLiteral("qovruvela.dialup");
inline const QString UserNameKey = QStringLiteral("username");

inline bool answered(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

inline bool succeeded(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

inline QList<QDBusObjectPath> pathsOf(const QVariant& value)
{
    return qdbus_cast<QList<QDBusObjectPath>>(value);
}

// The setting holding user name and password, for a dial-up profile; nothing for any other profile.
inline std::optional<QString> secretSettingOf(const NmSettings& settings)
{
    const QString type = settings.value(QStringLiteral("connection")).value(QStringLiteral("type")).toString();
    if (type == QLatin1String("gsm") || type == QLatin1String("cdma") || type == QLatin1String("pppoe"))
        return type;
    if (type == QLatin1String("bluetooth") &&
        settings.value(QStringLiteral("bluetooth")).value(QStringLiteral("type")).toString() == QLatin1String("dun"))
        return settings.contains(QStringLiteral("cdma")) ? QStringLiteral("cdma") : QStringLiteral("gsm");
    return std::nullopt;
}

} // namespace NetworkManagerDBus
