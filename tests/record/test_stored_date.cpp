// The stored date texts, their shown form, and the period's day rules.
#include "record/PeriodRules.h"
#include "record/StoredDate.h"

#include <gtest/gtest.h>

namespace {

QDateTime moment(int hour, int minute, int second)
{
    return QDateTime(QDate(2024, 3, 5), QTime(hour, minute, second));
}

TEST(StoredDateTest, TimesUseTheTwelveHourClockWithTwelveForMidnightAndNoon)
{
    EXPECT_EQ(StoredDate::dateTimeText(moment(0, 5, 0)), QStringLiteral("2024/03/05, 12:05:00 am"));
    EXPECT_EQ(StoredDate::dateTimeText(moment(12, 5, 0)), QStringLiteral("2024/03/05, 12:05:00 pm"));
    EXPECT_EQ(StoredDate::dateTimeText(moment(11, 59, 59)), QStringLiteral("2024/03/05, 11:59:59 am"));
    EXPECT_EQ(StoredDate::dateTimeText(moment(21, 7, 41)), QStringLiteral("2024/03/05, 09:07:41 pm"));
    EXPECT_EQ(StoredDate::dateTimeText(moment(23, 59, 59)).size(), 23);
    EXPECT_EQ(StoredDate::timeText(QTime(13, 0, 1)), QStringLiteral("01:00:01 pm"));
}

TEST(StoredDateTest, StoredTextsIgnoreTheUsersRegionalSettings)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(StoredDate::dateText(QDate(987, 1, 9)), QStringLiteral("0987/01/09"));
    EXPECT_EQ(StoredDate::dateTimeText(moment(15, 4, 3)), QStringLiteral("2024/03/05, 03:04:03 pm"));
    QLocale::setDefault(before);
}

TEST(StoredDateTest, ShortDateFollowsTheLocaleAndLeavesUnreadableTextAlone)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString shortDate = german.toString(QDate(2024, 3, 5), QLocale::ShortFormat);
    EXPECT_EQ(StoredDate::YMD_To_ShortDate(QStringLiteral("2024/03/05"), german), shortDate);
    // The separators are not examined.
    EXPECT_EQ(StoredDate::YMD_To_ShortDate(QStringLiteral("2024-03-05"), german), shortDate);
    EXPECT_EQ(StoredDate::displayedForm(QStringLiteral("2024/03/05, 09:07:41 pm"), german),
              shortDate + QStringLiteral(", 09:07:41 pm"));

    for (const QString& bad :
         {QString(), QStringLiteral("2024/3/5"), QStringLiteral("2024/13/05"), QStringLiteral("2023/02/29"),
          QStringLiteral("abcd/ef/gh"), QStringLiteral("2024/+3/05")})
        EXPECT_EQ(StoredDate::YMD_To_ShortDate(bad, german), bad) << bad.toStdString();
    EXPECT_EQ(StoredDate::displayedForm(QStringLiteral("garbled, 10:00:00 am"), german),
              QStringLiteral("garbled, 10:00:00 am"));
}

TEST(PeriodRulesTest, RecordingDaysFollowTheThreeKindsOfPeriod)
{
    struct Case
    {
        int s, e, d;
        bool records;
    };
    const Case cases[] = {
        {1, 31, 1, true},    {1, 31, 30, true},   {1, 31, 31, true},                       // the whole month
        {10, 20, 9, false},  {10, 20, 10, true},  {10, 20, 20, true}, {10, 20, 21, false}, // within the month
        {15, 14, 14, true},  {15, 14, 15, true},  {15, 14, 1, true},  {15, 14, 31, true},  // into the next month
        {20, 10, 11, false}, {20, 10, 19, false}, {20, 10, 10, true}, {7, 7, 7, false},
        {7, 7, 8, false}, // equal days record on no day
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodRules::isRecordingDay(c.s, c.e, c.d), c.records) << c.s << "-" << c.e << " day " << c.d;
}

TEST(PeriodRulesTest, NextPeriodStartsOnTheStartingDayOfTheFollowingMonth)
{
    EXPECT_EQ(PeriodRules::nextPeriodDate(QDate(2024, 3, 20), 1), QStringLiteral("2024/04/01"));
    EXPECT_EQ(PeriodRules::nextPeriodDate(QDate(2024, 12, 3), 15), QStringLiteral("2025/01/15"));
    EXPECT_EQ(PeriodRules::nextPeriodDate(QDate(2024, 1, 31), 28), QStringLiteral("2024/02/28"));
    EXPECT_EQ(PeriodRules::nextPeriodDate(QDate(2024, 11, 30), 10), QStringLiteral("2024/12/10"));
    EXPECT_EQ(PeriodRules::twoDigitDay(5), QStringLiteral("05"));
    EXPECT_EQ(PeriodRules::twoDigitDay(10), QStringLiteral("10"));
}

TEST(PeriodRulesTest, TypedDaysMustBeWholeNumbers)
{
    EXPECT_EQ(PeriodRules::parseDay(QStringLiteral("5")), 5);
    EXPECT_EQ(PeriodRules::parseDay(QStringLiteral("05")), 5);
    EXPECT_EQ(PeriodRules::parseDay(QStringLiteral(" 31 ")), 31);
    for (const char* bad : {"", " ", "5a", "-3", "+3", "1.5", "0x1", "99999"})
        EXPECT_FALSE(PeriodRules::parseDay(QString::fromLatin1(bad))) << bad;
}

} // namespace
