// The duration rule of one session and its text functions, pinned at the boundaries of the seconds.
#include "report/SessionDuration.h"

#include <gtest/gtest.h>

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

TEST(SessionDurationRule, BoundariesOfTheSeconds)
{
    // A start on the full minute counts S = C = 0: the first counted change only closes the start minute.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:00 am", "2024/03/05, 10:03:00 am", 3), (Duration{2, 0}));
    // The same minute with one counted change still gives the seconds between start and end.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 am", "2024/03/05, 10:00:40 am", 1), (Duration{0, 30}));
    // Across a minute boundary without a counted change only the end seconds count.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:01:20 am", 0), (Duration{0, 20}));
    // End seconds equal to the start seconds, after the one counted change: only C remains.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:30 am", "2024/03/05, 10:01:30 am", 1), (Duration{0, 30}));
    // An end on the full minute with no counted change takes the rest of the start minute instead.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:50 am", "2024/03/05, 10:01:00 am", 0), (Duration{0, 10}));
    // A session that starts and ends at the same second lasts nothing.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:30 am", "2024/03/05, 10:00:30 am", 0), (Duration{0, 0}));
    // Start seconds after the end seconds in the same minute wrap around the minute.
    EXPECT_EQ(fromParts(0, GetStartSeconds("2024/03/05, 10:00:40 am").value(), 10, true), (Duration{0, 30}));
    // Seconds that add up past a minute carry into the minutes.
    EXPECT_EQ(durationOf("2024/03/05, 10:00:10 am", "2024/03/05, 10:05:50 am", 5), (Duration{5, 40}));
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
