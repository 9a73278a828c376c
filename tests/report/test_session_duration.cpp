// The duration rule of one session and its text functions, pinned at the boundaries of the seconds.
#include "report/SessionDuration.h"

#include <gtest/gtest.h>
#include <limits>

using namespace SessionDuration;

namespace {

// The whole rule on two stored texts, as the totalling pass applies it.
Duration durationOf(std::string_view start, std::string_view end, qint32 usedMinutes)
{
    return fromParts(usedMinutes, GetStartSeconds(start).value(), GetEndSeconds(end).value(),
                     StartAndEnd_DateTime_Records_AreSame(start, end));
}

} // namespace

TEST(SessionDurationRule, WorkedExamples)
{
    // 10:00:50 pm to 10:02:20 pm with two minute changes counted: 1 minute 30 seconds.
    const Duration across = durationOf("2024/03/05, 10:00:50 pm", "2024/03/05, 10:02:20 pm", 2);
    EXPECT_EQ(across, (Duration{1, 30}));
    EXPECT_EQ(timeText(across.minutes, across.seconds), QStringLiteral("00:01:30"));

    // Within one minute and no minute change counted: the seconds between the texts.
    const Duration within = durationOf("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm", 0);
    EXPECT_EQ(within, (Duration{0, 30}));
    EXPECT_EQ(timeText(within.minutes, within.seconds), QStringLiteral("00:00:30"));
}

TEST(SessionDurationRule, SessionsAcrossMinuteBoundariesLastWhatTheClockShows)
{
    // One boundary crossed: the rest of the start minute and the seconds of the end minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:20 am", "2024/03/05, 10:01:34 am", 1), (Duration{1, 14}));
    // A start on second 00 had a whole first minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:02:20 am", 2), (Duration{2, 20}));
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:03:00 am", 3), (Duration{3, 0}));
    // End seconds below the start seconds: less than a minute although a boundary was crossed.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:01:20 am", 1), (Duration{0, 30}));
    // End seconds equal to the start seconds: whole minutes.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:30 am", "2024/03/05, 10:01:30 am", 1), (Duration{1, 0}));
    EXPECT_EQ(durationOf("2024/03/05, 10:00:30 am", "2024/03/05, 10:05:30 am", 5), (Duration{5, 0}));
    // An end on second 00 adds nothing of the end minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:02:00 am", 2), (Duration{1, 10}));
    // Start and end on second 00.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:01:00 am", 1), (Duration{1, 0}));
    // Seconds that add up past a minute carry into the minutes.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 am", "2024/03/05, 10:05:50 am", 5), (Duration{5, 40}));
    // Across midnight and the twelve-hour clock's turn the counter still decides the minutes.
    EXPECT_EQ(durationOf("2024/03/05, 11:59:45 pm", "2024/03/06, 12:00:15 am", 1), (Duration{0, 30}));
    // The largest counter the field holds does not overflow.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:01:59 am", std::numeric_limits<qint32>::max()),
              (Duration{std::numeric_limits<qint32>::max(), 59}));
}

TEST(SessionDurationRule, WithoutACountedBoundaryTheSecondsDecide)
{
    // Across a minute boundary without a counted change only the end seconds count.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:01:20 am", 0), (Duration{0, 20}));
    // An end on the full minute with no counted change takes the rest of the start minute instead.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:01:00 am", 0), (Duration{0, 10}));
    // A session that starts and ends at the same second lasts nothing.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:30 am", "2024/03/05, 10:00:30 am", 0), (Duration{0, 0}));
    // A start on second 00 inside one minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:00:40 am", 0), (Duration{0, 40}));
    // Start seconds after the end seconds in the same minute wrap around the minute.
    EXPECT_EQ(fromParts(0, GetStartSeconds("2024/03/05, 10:00:40 am").value(), 10, true), (Duration{0, 30}));
}

TEST(SessionDurationRule, TextsOfOneMinuteGiveTheSecondsBetweenThemAndANegativeCountNothing)
{
    // A Stop released late, or a clock set back, leaves a count of 1 on a session of one minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm", 1), (Duration{0, 30}));
    // The same time on the next day or in the other half of the day is no longer the same minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 am", "2024/03/05, 10:00:40 pm", 720), (Duration{720, 30}));
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 am", "2024/03/05, 10:05:40 am", -5), (Duration{0, 0}));
}

TEST(SessionDurationText, SecondsAreReadFromTheEndOfTheText)
{
    EXPECT_EQ(GetStartSeconds("2024/03/05, 10:00:01 pm"), 59);
    EXPECT_EQ(GetStartSeconds("2024/03/05, 10:00:59 pm"), 1);
    EXPECT_EQ(GetStartSeconds("2024/03/05, 10:00:00 pm"), 0);
    EXPECT_EQ(GetEndSeconds("2024/03/05, 10:00:59 pm"), 59);
    EXPECT_EQ(GetEndSeconds("2024/03/05, 10:00:00 pm"), 0);
    // A converted date of another length in front does not move the seconds.
    EXPECT_EQ(GetEndSeconds("3/5/24, 10:00:42 pm"), 42);
    // Not a number: the pass has to stop there.
    EXPECT_FALSE(GetStartSeconds("2024/03/05, 10:00:xx pm").has_value());
    EXPECT_FALSE(GetEndSeconds("").has_value());
}

TEST(SessionDurationText, SameMinuteIgnoresOnlyTheSeconds)
{
    EXPECT_TRUE(StartAndEnd_DateTime_Records_AreSame("2024/03/05, 10:00:10 pm", "2024/03/05, 10:00:40 pm"));
    EXPECT_FALSE(StartAndEnd_DateTime_Records_AreSame("2024/03/05, 10:00:10 pm", "2024/03/05, 10:01:10 pm"));
    EXPECT_FALSE(StartAndEnd_DateTime_Records_AreSame("2024/03/05, 10:00:10 pm", "2024/03/06, 10:00:10 pm"));
    EXPECT_FALSE(StartAndEnd_DateTime_Records_AreSame("2024/03/05, 10:00:10 am", "2024/03/05, 10:00:10 pm"));
}

TEST(SessionDurationText, HoursMayHaveMoreThanTwoDigits)
{
    EXPECT_EQ(timeText(0, 5), QStringLiteral("00:00:05"));
    EXPECT_EQ(timeText(61, 0), QStringLiteral("01:01:00"));
    EXPECT_EQ(timeText(100 * 60 + 10, 59), QStringLiteral("100:10:59"));
}
