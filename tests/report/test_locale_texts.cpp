// The report command's own number and date texts against the locale's: the same bytes for every value the
// window would show, in locales with other separators, groupings, roundings and digits.
#include "common/ByteText.h"
#include "report/LocaleTexts.h"
#include "report/ReportOutput.h"

#include <QDate>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

const QList<QLocale> locales = {QLocale::c(),
                                QLocale(QLocale::English, QLocale::UnitedStates),
                                QLocale(QLocale::German, QLocale::Germany),
                                QLocale(QLocale::French, QLocale::Switzerland),
                                QLocale(QLocale::Spanish, QLocale::Spain),
                                QLocale(QLocale::Hindi, QLocale::India),
                                QLocale(QLocale::Arabic, QLocale::Egypt)};

TEST(LocaleTexts, ByteCountsAreTheWindowsTextsAtEveryStepAndHalf)
{
    for (const QLocale& locale : locales) {
        LocaleTexts texts(locale);
        const auto check = [&](quint32 bytes) {
            ASSERT_EQ(texts.bytesText(bytes), utf8(ByteText::BytesToFriendlyString(bytes, locale)))
                << locale.name().toStdString() << " " << bytes;
        };
        for (quint32 bytes = 0; bytes < 5000; ++bytes)
            check(bytes);
        // Around each step, and a spread of values with exact halves of a hundredth among them.
        for (const quint32 step : {1u << 10, 1u << 20, 1u << 30}) {
            for (quint32 d = 0; d < 300; ++d) {
                check(step - d);
                check(step + d);
            }
        }
        for (quint64 bytes = 7; bytes < (quint64(1) << 32); bytes = bytes * 3 + 1152)
            check(static_cast<quint32>(bytes));
        check(4294967295u);
    }
}

TEST(LocaleTexts, LocalesWithOtherDigitsAreAskedAndStillMatch)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    LocaleTexts texts(arabic);
    EXPECT_FALSE(texts.formsNumbers());
    EXPECT_EQ(texts.bytesText(1536), utf8(ByteText::BytesToFriendlyString(1536, arabic)));
    EXPECT_TRUE(LocaleTexts(QLocale(QLocale::German, QLocale::Germany)).formsNumbers());
}

TEST(LocaleTexts, DayBytesAboveFourGigabytes)
{
    for (const QLocale& locale : locales) {
        LocaleTexts texts(locale);
        for (const quint64 bytes : {quint64(4294967296), quint64(5'000'000'000), quint64(1) << 40,
                                    quint64(123'456'789'012'345), quint64(1) << 62}) {
            EXPECT_EQ(texts.dayBytesText(bytes),
                      utf8(locale.toString(double(bytes) / (1024.0 * 1024.0 * 1024.0), 'f', 2) + QStringLiteral(" GB")))
                << locale.name().toStdString() << " " << bytes;
        }
    }
}

TEST(LocaleTexts, EachDayKeepsItsOwnDateText)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    LocaleTexts texts(german);
    // Alternating days, as sessions around midnight give them.
    for (int i = 0; i < 4; ++i) {
        for (const QDate& date : {QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(1999, 12, 31)})
            EXPECT_EQ(texts.shortDate(date), utf8(german.toString(date, QLocale::ShortFormat)));
    }
}

TEST(LocaleTexts, DatesFormedFromTheFormatAreTheLocalesOwn)
{
    // Day names, month names, two-digit years, another script, and a format given as written by a user.
    QList<QLocale> more = locales;
    more << QLocale(QLocale::Japanese, QLocale::Japan) << QLocale(QLocale::Russian, QLocale::Russia)
         << QLocale(QLocale::Greek, QLocale::Greece) << QLocale(QLocale::Chinese, QLocale::China);
    int formed = 0;
    for (const QLocale& locale : more) {
        LocaleTexts texts(locale);
        formed += texts.formsDates();
        for (QDate date(1999, 12, 1); date < QDate(2001, 3, 1); date = date.addDays(1))
            ASSERT_EQ(texts.shortDate(date), utf8(locale.toString(date, QLocale::ShortFormat)))
                << locale.name().toStdString() << " " << date.toString(Qt::ISODate).toStdString();
    }
    EXPECT_GE(formed, 8);
}

TEST(ReportOutput, HandsOnWholeBlocksAndTheRestAtFlush)
{
    std::vector<std::string> blocks;
    {
        ReportOutput out([&blocks](std::string_view block) { blocks.emplace_back(block); }, 16);
        out << "0123456789" << qint64(-42) << ' ' << quint32(4294967295u) << QStringLiteral(" \u00e9\u20ac")
            << QLatin1StringView("\xe9");
    }
    std::string all;
    for (const std::string& block : blocks)
        all += block;
    EXPECT_EQ(all, "0123456789-42 4294967295 \xc3\xa9\xe2\x82\xac\xc3\xa9");
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_GE(blocks.front().size(), 16u);
}

TEST(ReportOutput, NumbersOfEveryLengthAreTheirDigits)
{
    // Each power of ten and the number before it: where the count of digits changes.
    std::vector<quint64> values = {0, std::numeric_limits<quint64>::max()};
    for (quint64 power = 1; power <= 1'000'000'000'000'000'000ull; power *= 10) {
        values.push_back(power - 1);
        values.push_back(power);
    }
    for (const quint64 value : values) {
        char text[32];
        PlacedText placed(text);
        placed << value;
        EXPECT_EQ(std::string(text, placed.end()), std::to_string(value));
    }
    std::string all;
    {
        ReportOutput out([&all](std::string_view block) { all += block; });
        out << std::numeric_limits<qint64>::min() << ' ' << qint32(-7) << ' ' << quint8(255);
    }
    EXPECT_EQ(all, "-9223372036854775808 -7 255");
}

TEST(ReportOutput, RowsFormedOnTwoThreadsComeOutInOrder)
{
    // Enough rows for the second thread, and an odd last block.
    const std::size_t count = ReportOutput::parallelFrom + 5 * ReportOutput::rowBlock + 17;
    std::string all;
    std::vector<int> rowsBy(2, 0);
    {
        ReportOutput out([&all](std::string_view block) { all += block; });
        out << "[";
        out.formRows(count, [&](ReportOutput& part, std::size_t begin, std::size_t end, int worker) {
            rowsBy[std::size_t(worker)] += int(end - begin);
            for (std::size_t i = begin; i < end; ++i)
                part << i << '\n';
        });
        out << "]";
    }
    std::string expected = "[";
    for (std::size_t i = 0; i < count; ++i)
        expected += std::to_string(i) + '\n';
    EXPECT_EQ(all, expected + "]");
    EXPECT_EQ(rowsBy[0] + rowsBy[1], int(count));

    // A block that cannot be formed, on either thread, ends the writing with its error: nothing after it is
    // written, and nothing waits for ever.
    for (const std::size_t bad : {std::size_t(0), 7 * ReportOutput::rowBlock, count - 1}) {
        std::string some;
        ReportOutput out([&some](std::string_view block) { some += block; });
        EXPECT_THROW(out.formRows(count,
                                  [&](ReportOutput& part, std::size_t begin, std::size_t end, int) {
                                      for (std::size_t i = begin; i < end; ++i) {
                                          if (i == bad)
                                              throw std::bad_alloc();
                                          part << i << '\n';
                                      }
                                  }),
                     std::bad_alloc);
        out.flush();
        EXPECT_LE(some.size(), expected.size());
        EXPECT_EQ(some, expected.substr(1, some.size())) << bad;
        EXPECT_EQ(some.find(std::to_string(bad) + '\n'), std::string::npos) << bad;
    }
}

} // namespace
