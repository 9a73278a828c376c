// What both halves of the network manager backend share: how long a call may wait, and how to read an answer.
#pragma once

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QList>
#include <QString>
#include <QVariant>

namespace NetworkManagerDBus {

// The poll runs every second on the program's only thread: a service that hangs must not freeze it long.
inline constexpr int PollTimeoutMs = 3000;
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

} // namespace NetworkManagerDBus
