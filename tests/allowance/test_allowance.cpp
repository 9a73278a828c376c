// The allowance's logic on its own: what the Settings tab refuses and why, the estimate at the period's end
// and what is left per day, the texts, and the figures the report command prints.
#include "allowance/AllowanceForecast.h"
#include "allowance/AllowanceJson.h"
#include "allowance/AllowanceMonitor.h"
#include "allowance/AllowanceText.h"
#include "allowance/AllowanceWarnings.h"
#include "platform/IniSettingsStore.h"
#include "record/ProfileRecord.h"
#include "report/CalculationResult.h"
#include "report/RecordFileCalculator.h"
#include "settings/AllowanceSettings.h"
#include "settings/SettingNames.h"
#include "settings/Settings.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Unit = AllowanceSettings::DataUnit;

TEST(AllowanceSettingsCheck, RefusesWhatCannotBeAnAllowanceAndSaysWhy)
{
    EXPECT_EQ(AllowanceSettings::checkHours(QStringLiteral(" 30 ")).value, 30);
    EXPECT_TRUE(AllowanceSettings::checkHours(QString()).ok()) << "empty: no time allowance";
    EXPECT_FALSE(AllowanceSettings::checkHours(QString()).value);
    EXPECT_EQ(AllowanceSettings::checkHours(QStringLiteral("thirty")).problem,
              QStringLiteral("\"thirty\" is not a whole number of hours."));
    EXPECT_EQ(AllowanceSettings::checkHours(QStringLiteral("2.5")).problem,
              QStringLiteral("\"2.5\" is not a whole number of hours."));
    EXPECT_EQ(AllowanceSettings::checkHours(QStringLiteral("0")).problem,
              QStringLiteral("The time allowance must be at least 1 hour; leave it empty for no time allowance."));
    EXPECT_FALSE(AllowanceSettings::checkHours(QStringLiteral("-3")).ok());
    EXPECT_TRUE(AllowanceSettings::checkHours(QStringLiteral("744")).ok());
    EXPECT_EQ(AllowanceSettings::checkHours(QStringLiteral("745")).problem,
              QStringLiteral("The time allowance cannot be more than 744 hours, the hours of the longest period."));
    EXPECT_FALSE(AllowanceSettings::checkHours(QStringLiteral("99999999999999999999")).ok());
}

TEST(AllowanceSettingsCheck, DataIsAnAmountInMegabytesOrGigabytes)
{
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("2.5"), Unit::GB).value, 2560LL * 1024 * 1024);
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("500"), Unit::MB).value, 500LL * 1024 * 1024);
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("lots"), Unit::GB).problem,
              QStringLiteral("\"lots\" is not an amount of data."));
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("0"), Unit::GB).problem,
              QStringLiteral("The data allowance must be more than 0; leave it empty for no data allowance."));
    EXPECT_FALSE(AllowanceSettings::checkData(QStringLiteral("-1"), Unit::MB).ok());
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("0.5"), Unit::MB).problem,
              QStringLiteral("The data allowance must be at least 1 MB."));
    EXPECT_EQ(AllowanceSettings::checkData(QStringLiteral("1e9"), Unit::GB).problem,
              QStringLiteral("The data allowance cannot be more than 100000 GB."));
    EXPECT_FALSE(AllowanceSettings::checkData(QStringLiteral("inf"), Unit::GB).ok());
    // The window shows a stored amount back in the unit it reads best in.
    EXPECT_EQ(AllowanceSettings::dataForEntry(2560LL * 1024 * 1024), std::make_pair(QStringLiteral("2.5"), Unit::GB));
    EXPECT_EQ(AllowanceSettings::dataForEntry(500LL * 1024 * 1024), std::make_pair(QStringLiteral("500"), Unit::MB));
}

TEST(AllowanceSettingsCheck, ThresholdsArePercentagesInOrderEachOnce)
{
    EXPECT_EQ(AllowanceSettings::checkThresholds(QStringLiteral("100, 80 %, 80")).value, (QList<int>{80, 100}));
    EXPECT_EQ(AllowanceSettings::checkThresholds(QStringLiteral("50 75 90")).value, (QList<int>{50, 75, 90}));
    EXPECT_EQ(AllowanceSettings::checkThresholds(QStringLiteral("  ")).problem,
              QStringLiteral("Give at least one percentage to warn at, such as 80, 100."));
    EXPECT_EQ(AllowanceSettings::checkThresholds(QStringLiteral("80, 0")).problem,
              QStringLiteral("\"0\" is not a percentage from 1 to 100."));
    EXPECT_FALSE(AllowanceSettings::checkThresholds(QStringLiteral("80, 101")).ok());
    EXPECT_FALSE(AllowanceSettings::checkThresholds(QStringLiteral("eighty")).ok());
    EXPECT_EQ(AllowanceSettings::checkThresholds(QStringLiteral("10 20 30 40 50 60")).problem,
              QStringLiteral("Give at most 5 percentages to warn at."));
}

TEST(AllowanceWarningsRecord, NamesItsPeriodAndIsReadBackOnlyForThatPeriod)
{
    AllowanceSettings s;
    s.hours = 10;
    AllowanceWarnings w;
    w.arm(s, QDate(2024, 3, 1), QString());
    QList<AllowanceCrossing> crossed;
    EXPECT_FALSE(w.check(8 * 3600 - 1, 0, &crossed));
    EXPECT_TRUE(w.check(8 * 3600, 0, &crossed));
    EXPECT_EQ(w.record(), QStringLiteral("2024/03/01;time 80 36000"));

    AllowanceWarnings again;
    again.arm(s, QDate(2024, 3, 1), w.record());
    EXPECT_FALSE(again.check(9 * 3600, 0, &crossed));
    AllowanceWarnings nextPeriod;
    nextPeriod.arm(s, QDate(2024, 4, 1), w.record());
    EXPECT_TRUE(nextPeriod.check(9 * 3600, 0, &crossed));
    AllowanceWarnings damaged;
    damaged.arm(s, QDate(2024, 3, 1), QStringLiteral("2024/03/01;time eighty 36000;;x"));
    EXPECT_TRUE(damaged.check(9 * 3600, 0, &crossed)) << "an unreadable entry warns rather than stays silent";
}

TEST(AllowanceWarningsRecord, TheAllowanceAndTheRecordComeBackFromTheSettingsFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QovRuvela.conf"));
    AllowanceSettings s;
    s.hours = 30;
    s.bytes = 3 * AllowanceSettings::bytesPerGB;
    s.thresholds = {50, 80, 100};
    s.notifyDesktop = true;
    const QString record = QStringLiteral("2024/03/01;time 80 108000;data 50 3221225472");
    {
        IniSettingsStore store(path);
        Settings settings(store);
        ASSERT_TRUE(settings.setAllowance(s));
        ASSERT_TRUE(settings.setAllowanceWarned(record));
    }
    IniSettingsStore again(path);
    Settings settings(again);
    settings.load();
    EXPECT_EQ(settings.allowance(), s);
    EXPECT_EQ(settings.allowanceWarned(), record);
    EXPECT_TRUE(settings.values().notes.isEmpty());
}

TEST(AllowanceForecastFigures, EstimateAtThePaceSoFarAndWhatIsLeftPerDay)
{
    // A 30-day period, ten days gone, 10 of 30 hours used: on course for exactly 30 hours.
    const QDate start(2024, 4, 1);
    const QDate next(2024, 5, 1);
    const AllowanceForecast f =
        AllowanceForecast::of(10 * 3600, 30 * 3600, start, next, QDateTime(QDate(2024, 4, 11), QTime(0, 0)));
    EXPECT_EQ(f.estimate, 30 * 3600);
    EXPECT_EQ(f.left, 20 * 3600);
    EXPECT_EQ(f.daysLeft, 20);
    EXPECT_EQ(f.leftPerDay, 3600);
    EXPECT_DOUBLE_EQ(f.share, 1.0 / 3.0);

    // On the last day all that is left is for today; once the period is over there is nothing to share.
    const AllowanceForecast last =
        AllowanceForecast::of(29 * 3600, 30 * 3600, start, next, QDateTime(QDate(2024, 4, 30), QTime(12, 0)));
    EXPECT_EQ(last.daysLeft, 1);
    EXPECT_EQ(last.leftPerDay, 3600);
    const AllowanceForecast over =
        AllowanceForecast::of(31 * 3600, 30 * 3600, start, next, QDateTime(QDate(2024, 5, 3), QTime(12, 0)));
    EXPECT_EQ(over.daysLeft, 0);
    EXPECT_FALSE(over.leftPerDay);
    EXPECT_EQ(over.estimate, 31 * 3600) << "a finished period ends where it ended";
    EXPECT_EQ(over.left, -3600);
}

TEST(AllowanceTexts, TooltipAndMainLineShowTodayThePeriodAndTheShare)
{
    AllowanceSettings s;
    s.hours = 30;
    s.bytes = 10 * AllowanceSettings::bytesPerGB;
    UsageFigures u;
    u.seconds = 24 * 3600 + 5 * 60;
    u.todaySeconds = 83 * 60;
    u.bytesReceived = 7 * AllowanceSettings::bytesPerGB;
    u.bytesSent = AllowanceSettings::bytesPerGB;
    const AllowanceStatus st =
        AllowanceStatus::of(u, s, QDate(2024, 4, 1), QDate(2024, 5, 1), QDateTime(QDate(2024, 4, 25), QTime(12, 0)));
    EXPECT_EQ(AllowanceText::tooltipLines(st),
              (QStringList{QStringLiteral("Today: 1:23 h online"), QStringLiteral("Period: 24:05 h online, 8.00 GB"),
                           QStringLiteral("Allowance: 80 % of 30 h, 80 % of 10.00 GB")}));
    EXPECT_EQ(AllowanceText::mainLine(st),
              QStringLiteral("Today 1:23 h  ·  Period 24:05 h, 8.00 GB  ·  80 % of 30 h, 80 % of 10.00 GB"));
    EXPECT_EQ(st.sharePercent(), 80);
    const QStringList forecast = AllowanceText::forecastLines(st);
    ASSERT_EQ(forecast.size(), 2);
    EXPECT_TRUE(forecast[0].endsWith(QStringLiteral("; 0:59 h a day left for 6 days"))) << qPrintable(forecast[0]);

    AllowanceStatus none = st;
    none.settings = AllowanceSettings();
    none.time.reset();
    none.data.reset();
    EXPECT_EQ(AllowanceText::tooltipLines(none).size(), 2) << "no share without an allowance";
    EXPECT_TRUE(AllowanceText::tooltipLines(AllowanceStatus()).isEmpty()) << "nothing without a personal file";
}

// One rounding rule: the share rounds down, the use rounds down and what is left makes up the allowance, and
// the Main tab, the tooltip and the warning all show the same figures.
TEST(AllowanceTexts, FiguresAgreeEverywhere)
{
    AllowanceSettings s;
    s.hours = 1;
    s.thresholds = {1, 100};
    const QDate start(2024, 4, 1);
    const QDate next(2024, 5, 1);
    const QDateTime now(QDate(2024, 4, 10), QTime(12, 0));

    // A session of 454 s of a one-hour allowance is 12.6 %: the Main tab's share and bar follow it, even
    // though the minutes it shows (0:07 h) stand still from 420 s on.
    AllowanceMonitor monitor;
    monitor.setSettings(s, QString());
    monitor.load(QStringLiteral("/jane.rvl"), start, next, 1, UsageFigures(), now.date());
    monitor.tick(now, true, 420, 0, 0);
    EXPECT_TRUE(monitor.takeDisplayChange());
    EXPECT_EQ(monitor.status(now).sharePercent(), 11);
    monitor.sessionClosed(now, 454, 0, 0);
    monitor.tick(now, false, 0, 0, 0);
    EXPECT_TRUE(monitor.takeDisplayChange()) << "11 % became 12 %";
    EXPECT_EQ(monitor.status(now).sharePercent(), 12);
    EXPECT_TRUE(AllowanceText::mainLine(monitor.status(now)).endsWith(QStringLiteral("12 % of 1 h")));

    // 3:30 used: a warning of the 1 % threshold, reached with 5 % used, says 5 %, and 0:03 h + 0:57 h = 1 h.
    AllowanceWarnings warnings;
    warnings.arm(s, start, QString());
    QList<AllowanceCrossing> crossed;
    ASSERT_TRUE(warnings.check(210, 0, &crossed));
    UsageFigures u;
    u.seconds = 210;
    const AllowanceText::Warning w = AllowanceText::warning(crossed, AllowanceStatus::of(u, s, start, next, now));
    EXPECT_EQ(w.summary, QStringLiteral("5 % of the allowance used"));
    EXPECT_TRUE(w.message.endsWith(QStringLiteral("Time online: 0:03 h of 1 h used, 0:57 h left")))
        << qPrintable(w.message);
    u.seconds = 3600 + 5 * 60 + 30;
    EXPECT_TRUE(AllowanceText::warning(crossed, AllowanceStatus::of(u, s, start, next, now))
                    .body.startsWith(QStringLiteral("Time online: 1:05 h of 1 h used, 0:05 h over")));

    // Data the same way, and a share that binary fractions would put a hair below its percent.
    AllowanceSettings d;
    d.bytes = 8 * AllowanceSettings::bytesPerGB;
    UsageFigures b;
    b.bytesReceived = quint64(1.234 * double(AllowanceSettings::bytesPerGB));
    const AllowanceStatus data = AllowanceStatus::of(b, d, start, next, now);
    EXPECT_TRUE(AllowanceText::warning({{AllowanceKind::Data, 1}}, data)
                    .body.startsWith(QStringLiteral("Data: 1.23 GB of 8.00 GB used, 6.77 GB left")));
    EXPECT_EQ(AllowanceForecast::of(29, 100, start, next, now).percent(), 29);
}

// A personal file built in memory and totalled as the report command totals it.
std::shared_ptr<CalculationResult> totalled(const QList<ProfileRecord>& records)
{
    QByteArray bytes;
    for (const ProfileRecord& r : records)
        bytes += r.toBytes();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return RecordFileCalculator().CalculateRecords(buffer, QStringLiteral("jane.rvl"));
}

ProfileRecord session(const char* start, const char* end, int minutes, qint32 received, qint32 sent)
{
    ProfileRecord r;
    r.Tag = ProfileRecord::UserProfileTag;
    r.StartText = QString::fromLatin1(start);
    r.EndText = QString::fromLatin1(end);
    r.UsedMinutes = minutes;
    r.StartingDay = received;
    r.EndingDay = sent;
    return r;
}

TEST(AllowanceReportJson, FiguresOfTheFilesPeriodWhenTheSettingsHaveAnAllowance)
{
    ProfileRecord header;
    header.Tag = ProfileRecord::UserProfileTag;
    header.CreatedDate = QStringLiteral("2024/04/01");
    header.NextPeriodDate = QStringLiteral("2024/05/01");
    header.StartingDay = 1;
    header.EndingDay = 31;
    // Two sessions: 3 hours and 2 hours, 3 GB down and 1 GB up together; byte sums go past 2^32.
    const auto result =
        totalled({header, session("2024/04/02, 08:00:00 pm", "2024/04/02, 11:00:00 pm", 180, qint32(0xC0000000u), 0),
                  session("2024/04/05, 10:00:00 am", "2024/04/05, 12:00:00 pm", 120, 0, qint32(0x40000000u))});
    ASSERT_EQ(result->outcome, CalculationResult::Outcome::Totalled);
    AllowanceSettings s;
    s.hours = 30;
    s.bytes = 8 * AllowanceSettings::bytesPerGB;
    const QDateTime now(QDate(2024, 4, 11), QTime(0, 0));
    const QString members = AllowanceJson::members(s, *result, now);
    ASSERT_TRUE(members.startsWith(QStringLiteral(",\"allowance\":"))) << qPrintable(members);
    const QJsonObject a = QJsonDocument::fromJson(QStringLiteral("{%1}").arg(members.mid(1)).toUtf8())
                              .object()[QStringLiteral("allowance")]
                              .toObject();
    EXPECT_EQ(a[QStringLiteral("hours")].toInt(), 30);
    EXPECT_EQ(a[QStringLiteral("days_left")].toInt(), 20);
    EXPECT_EQ(a[QStringLiteral("thresholds")].toArray().size(), 2);
    const QJsonObject time = a[QStringLiteral("time")].toObject();
    EXPECT_EQ(time[QStringLiteral("used_seconds")].toInteger(), 5 * 3600);
    EXPECT_EQ(time[QStringLiteral("estimate_seconds")].toInteger(), 15 * 3600) << "ten days of thirty gone";
    EXPECT_EQ(time[QStringLiteral("left_per_day_seconds")].toInteger(), 25 * 3600 / 20);
    const QJsonObject data = a[QStringLiteral("data")].toObject();
    EXPECT_EQ(data[QStringLiteral("used_bytes")].toInteger(), 4LL * AllowanceSettings::bytesPerGB);
    EXPECT_DOUBLE_EQ(data[QStringLiteral("share_percent")].toDouble(), 50.0);

    EXPECT_TRUE(AllowanceJson::members(AllowanceSettings(), *result, now).isEmpty()) << "no allowance, no member";
}

} // namespace
