// Friendly byte texts at every step, with the separators of a locale that has both.
#include "common/ByteText.h"

#include <gtest/gtest.h>

using ByteText::BytesToFriendlyString;

TEST(ByteText, StepsOf1024WithTheLocalesSeparators)
{
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(BytesToFriendlyString(0, en), QStringLiteral("0.00 B"));
    EXPECT_EQ(BytesToFriendlyString(1023, en), QStringLiteral("1,023.00 B"));
    EXPECT_EQ(BytesToFriendlyString(1024, en), QStringLiteral("1.00 KB"));
    EXPECT_EQ(BytesToFriendlyString(1536, en), QStringLiteral("1.50 KB"));
    EXPECT_EQ(BytesToFriendlyString(1048575, en), QStringLiteral("1,024.00 KB"));
    EXPECT_EQ(BytesToFriendlyString(1048576, en), QStringLiteral("1.00 MB"));
    EXPECT_EQ(BytesToFriendlyString(1073741823, en), QStringLiteral("1,024.00 MB"));
    EXPECT_EQ(BytesToFriendlyString(1610612736, en), QStringLiteral("1.50 GB"));
    EXPECT_EQ(BytesToFriendlyString(4294967295u, en), QStringLiteral("4.00 GB"));
}

TEST(ByteText, OtherSeparatorsFollowTheLocale)
{
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(BytesToFriendlyString(1023, de), QStringLiteral("1.023,00 B"));
    EXPECT_EQ(BytesToFriendlyString(1536, de), QStringLiteral("1,50 KB"));
}

TEST(ByteText, SumsPastFourGigabytesStayInGigabytes)
{
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ByteText::SumToFriendlyString(1536, en), QStringLiteral("1.50 KB"));
    EXPECT_EQ(ByteText::SumToFriendlyString(4294967295u, en), QStringLiteral("4.00 GB"));
    // A counter of 32 bits would wrap to 0 B here.
    EXPECT_EQ(ByteText::SumToFriendlyString(4294967296ull, en), QStringLiteral("4.00 GB"));
    EXPECT_EQ(ByteText::SumToFriendlyString(11ull << 30, en), QStringLiteral("11.00 GB"));
}
