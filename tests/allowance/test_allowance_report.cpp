// The report command's --json with the program's settings: an "allowance" object for each file when the
// settings hold an allowance, counted over the file's whole period whatever sessions are chosen, and none
// when they hold none.
#include "tests/report/ReportFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class AllowanceReport : public ReportFixture
{
protected:
    QJsonObject reportOf(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), temp.filePath(QStringLiteral("config")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QOVRUVELA_REPORT_COMMAND), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(process.readAllStandardOutput()).array()[0].toObject();
    }

    void settings(const QByteArray& lines)
    {
        ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("config/QovRuvela"))));
        QFile file(temp.filePath(QStringLiteral("config/QovRuvela/QovRuvela.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Ruvela]\n" + lines);
    }

    QString twoSessions()
    {
        return writeFile(QStringLiteral("jane.rvl"),
                         {headerRecord(QStringLiteral("2024/03/01"), 1, 31),
                          sessionRecord(QStringLiteral("2024/03/05, 10:00:00 pm"),
                                        QStringLiteral("2024/03/05, 11:00:00 pm"), 60, 3 << 20, 1 << 20),
                          sessionRecord(QStringLiteral("2024/03/06, 10:00:00 am"),
                                        QStringLiteral("2024/03/06, 12:00:00 pm"), 120, 4 << 20, 0)});
    }
};

TEST_F(AllowanceReport, JsonCarriesTheAllowanceFiguresOfTheWholePeriod)
{
    settings("AllowanceHours=10\nAllowanceBytes=16777216\nAllowanceThresholds=50 100\n");
    const QString path = twoSessions();
    const QJsonObject a = reportOf({QStringLiteral("--json"), QStringLiteral("--since"), QStringLiteral("2024-03-06"),
                                    path})[QStringLiteral("allowance")]
                              .toObject();
    EXPECT_EQ(a[QStringLiteral("hours")].toInt(), 10);
    EXPECT_EQ(a[QStringLiteral("bytes")].toInteger(), 16 << 20);
    EXPECT_EQ(a[QStringLiteral("thresholds")].toArray(), (QJsonArray{50, 100}));
    EXPECT_EQ(a[QStringLiteral("days_left")].toInt(), 0) << "the period of March 2024 is over";
    const QJsonObject time = a[QStringLiteral("time")].toObject();
    EXPECT_EQ(time[QStringLiteral("used_seconds")].toInt(), 3 * 3600) << "both sessions, not only the chosen one";
    EXPECT_EQ(time[QStringLiteral("left_seconds")].toInt(), 7 * 3600);
    EXPECT_EQ(time[QStringLiteral("estimate_seconds")].toInt(), 3 * 3600);
    EXPECT_TRUE(time[QStringLiteral("left_per_day_seconds")].isNull());
    const QJsonObject data = a[QStringLiteral("data")].toObject();
    EXPECT_EQ(data[QStringLiteral("used_bytes")].toInteger(), 8 << 20);
    EXPECT_DOUBLE_EQ(data[QStringLiteral("share_percent")].toDouble(), 50.0);
}

TEST_F(AllowanceReport, NoAllowanceNoObjectAndABadStoredValueCountsAsNone)
{
    settings("AllowanceHours=-3\n");
    const QJsonObject file = reportOf({QStringLiteral("--json"), twoSessions()});
    EXPECT_FALSE(file.contains(QStringLiteral("allowance")));
    EXPECT_TRUE(file.contains(QStringLiteral("totals")));
}

} // namespace
