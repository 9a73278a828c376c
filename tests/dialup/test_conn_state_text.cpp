// The words for connection states and dial-up errors.
#include "dialup/ConnStateText.h"
#include "platform/sim/SimulatedDialUp.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

// A dial-up system with texts of its own for a few codes.
class ServiceWithTexts final : public SimulatedDialUp
{
public:
    std::optional<QString> errorText(quint32 code) const override
    {
        if (code == 676 || code == 752 || code == 753 || code == 797 || code == 800)
            return QStringLiteral("service text %1").arg(code);
        return std::nullopt;
    }
};

TEST(ConnStateTextTest, StatesHaveTheirFixedTexts)
{
    const std::pair<quint32, QString> cases[] = {
        {0, QStringLiteral("Opening port")},           {1, QStringLiteral("Port opened")},
        {2, QStringLiteral("Connecting device")},      {5, QStringLiteral("Authenticating")},
        {6, QStringLiteral("Authentication: notify")}, {12, QStringLiteral("Authentication acknowledged")},
        {13, QStringLiteral(" Reauthenticating")},     {14, QStringLiteral("Authenticated. Logging on network")},
        {19, QStringLiteral("Authenticating")},        {21, QStringLiteral("Logging on network")},
        {4096, QStringLiteral("Interactive")},         {4097, QStringLiteral("Retry Authentication")},
        {4099, QStringLiteral("Password expired")},    {8192, QStringLiteral("Connected")},
        {8193, QStringLiteral("Disconnected")},
    };
    for (const auto& [state, text] : cases)
        EXPECT_EQ(ConnStateText::ofState(state), text) << state;
}

TEST(ConnStateTextTest, UnknownStatesHaveNoText)
{
    for (const quint32 state : {22u, 4095u, 4100u, 8191u, 8194u, 0xFFFFFFFFu})
        EXPECT_TRUE(ConnStateText::ofState(state).isEmpty()) << state;
}

TEST(ConnStateTextTest, ServiceTextComesFirstUpTo752)
{
    const ServiceWithTexts service;
    EXPECT_EQ(ConnStateText::ofError(676, service), QStringLiteral("service text 676"));
    EXPECT_EQ(ConnStateText::ofError(752, service), QStringLiteral("service text 752"));
    // Where the service has none, ours stands in.
    EXPECT_EQ(ConnStateText::ofError(678, service), QStringLiteral("There was no answer."));
}

TEST(ConnStateTextTest, OurTextsWhenTheServiceHasNone)
{
    const InMemoryDialUp service;
    EXPECT_EQ(ConnStateText::ofError(600, service), QStringLiteral("An operation is still pending."));
    EXPECT_EQ(ConnStateText::ofError(676, service), QStringLiteral("The line is busy."));
    EXPECT_EQ(ConnStateText::ofError(752, service),
              QStringLiteral("A syntax error was found in the connection script."));
    // A code below our table has no text anywhere.
    EXPECT_EQ(ConnStateText::ofError(5, service), QStringLiteral("Error, code = 5"));
}

TEST(ConnStateTextTest, CodesAbove752GetFixedTexts)
{
    const ServiceWithTexts withTexts;
    const InMemoryDialUp without;
    for (const DialUpService* service :
         {static_cast<const DialUpService*>(&withTexts), static_cast<const DialUpService*>(&without)}) {
        EXPECT_EQ(ConnStateText::ofError(797, *service), QStringLiteral("Modem or other connecting device not found"));
        EXPECT_EQ(ConnStateText::ofError(753, *service), QStringLiteral("Error, code = 753"));
        EXPECT_EQ(ConnStateText::ofError(800, *service), QStringLiteral("Error, code = 800"));
        EXPECT_EQ(ConnStateText::ofError(900, *service), QStringLiteral("Error, code = 900"));
    }
}

} // namespace
