// Desktop notifications on a private session bus: python-dbusmock's notification daemon receives the
// summary and body the program sends, under the program's name; on a bus without a notification service
// the call returns at once and only the late answer says that nothing was shown.
#include "platform/linux/FreedesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

QDBusConnection bus(const char* variable, const QString& name)
{
    return QDBusConnection::connectToBus(qEnvironmentVariable(variable), name);
}

// Waits, handling events, for the service's answer to one notification.
std::optional<bool> sendAndWait(DesktopNotifications& notifications, const QString& summary, const QString& body,
                                bool* answeredAtOnce)
{
    std::optional<bool> delivered;
    QEventLoop loop;
    notifications.notify(summary, body, [&](bool ok) {
        delivered = ok;
        loop.quit();
    });
    *answeredAtOnce = delivered.has_value();
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!delivered)
        loop.exec();
    return delivered;
}

struct Call
{
    QString method;
    QVariantList args;
};

// The calls the mock daemon received, from its own record of them.
QList<Call> mockCalls(QDBusConnection& connection)
{
    const QDBusMessage reply = connection.call(
        QDBusMessage::createMethodCall(FreedesktopNotifications::service, FreedesktopNotifications::path,
                                       QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls")));
    QList<Call> calls;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return calls;
    const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        Call call;
        quint64 stamp = 0;
        list.beginStructure();
        list >> stamp >> call.method;
        list.beginArray();
        while (!list.atEnd()) {
            QDBusVariant value;
            list >> value;
            call.args.append(value.variant());
        }
        list.endArray();
        list.endStructure();
        calls.append(call);
    }
    list.endArray();
    return calls;
}

TEST(DesktopNotifications, TheDaemonReceivesTheSummaryAndBodyUnderTheProgramsName)
{
    QDBusConnection connection = bus("QOV_NOTIFY_TEST_BUS", QStringLiteral("notify"));
    ASSERT_TRUE(connection.isConnected());
    FreedesktopNotifications notifications(connection, QStringLiteral("Qov Ruvela v2.2.1"));
    const QString summary = QStringLiteral("80 % of the allowance used");
    const QString body = QStringLiteral("Time online: 24:00 h of 30 h used, 6:00 h left\n"
                                        "Time online: 30:00 h at the period's end at this pace");
    bool atOnce = true;
    EXPECT_EQ(sendAndWait(notifications, summary, body, &atOnce), std::optional<bool>(true));
    EXPECT_FALSE(atOnce) << "the answer comes later: sending does not wait for it";

    const QList<Call> calls = mockCalls(connection);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].method, QStringLiteral("Notify"));
    ASSERT_EQ(calls[0].args.size(), 8);
    EXPECT_EQ(calls[0].args[0].toString(), QStringLiteral("Qov Ruvela v2.2.1"));
    EXPECT_EQ(calls[0].args[1].toUInt(), 0u) << "a new notification, replacing none";
    EXPECT_EQ(calls[0].args[3].toString(), summary);
    EXPECT_EQ(calls[0].args[4].toString(), body);
    EXPECT_EQ(calls[0].args[7].toInt(), -1) << "the service decides how long it shows";
}

TEST(DesktopNotifications, WithoutAServiceTheCallReturnsAtOnceAndTheAnswerSaysNothingWasShown)
{
    QDBusConnection connection = bus("QOV_EMPTY_TEST_BUS", QStringLiteral("empty"));
    ASSERT_TRUE(connection.isConnected());
    FreedesktopNotifications notifications(connection, QStringLiteral("Qov Ruvela v2.2.1"));
    bool atOnce = true;
    EXPECT_EQ(sendAndWait(notifications, QStringLiteral("100 % of the allowance used"), QString(), &atOnce),
              std::optional<bool>(false));
    EXPECT_FALSE(atOnce);
    // Sending without a callback is what the program does: nothing comes back and nothing breaks.
    notifications.notify(QStringLiteral("again"), QString());
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QOV_NOTIFY_TEST_BUS") || qEnvironmentVariableIsEmpty("QOV_EMPTY_TEST_BUS")) {
        fprintf(stderr, "run through run_with_dbus_mock.sh\n");
        return 77;
    }
    return RUN_ALL_TESTS();
}
