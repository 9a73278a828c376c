// A program folder in a temporary directory, a test clock, scripted boxes and a host that records what the
// period logic shows: the common ground of the personal file tests.
#pragma once

#include "platform/SettingsStore.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class RecordingPeriodHost final : public PeriodHost
{
public:
    void showDayPeriod(const QString& text) override { dayPeriod = text; }
    void showStatusLine(const QString& text) override { statusLine = text; }
    void listBackupFiles(const QString& folder) override { listedFolder = folder; }

    QString dayPeriod;
    QString statusLine;
    QString listedFolder;
};

class RecordFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        file.setStatusLine([this](const QString& text) { host.showStatusLine(text); });
        file.setPersonalFileName(QStringLiteral("alice.rvl"));
    }

    void at(int year, int month, int day, int hour = 10, int minute = 0, int second = 0)
    {
        clock.set(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
    }

    static ProfileRecord header(const QString& created, const QString& next, qint32 startingDay, qint32 endingDay)
    {
        ProfileRecord r;
        r.Tag = ProfileRecord::UserProfileTag;
        r.CreatedDate = created;
        r.NextPeriodDate = next;
        r.StartingDay = startingDay;
        r.EndingDay = endingDay;
        return r;
    }

    static ProfileRecord session(const QString& start, const QString& end, qint32 minutes)
    {
        ProfileRecord r;
        r.Tag = ProfileRecord::UserProfileTag;
        r.StartText = start;
        r.EndText = end;
        r.UsedMinutes = minutes;
        return r;
    }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    /// The active file with a header and `sessions` session records.
    QByteArray writeActive(const ProfileRecord& head, int sessions = 0)
    {
        QByteArray bytes = head.toBytes();
        for (int i = 1; i <= sessions; ++i)
            bytes += session(QStringLiteral("2024/03/2%1, 10:00:00 am").arg(i),
                             QStringLiteral("2024/03/2%1, 11:00:00 am").arg(i), 60 * i)
                         .toBytes();
        writeBytes(file.filePath(), bytes);
        return bytes;
    }

    ProfileRecord headerOnDisk(const QString& path) const
    {
        return ProfileRecord::fromBytes(readBytes(path)).value_or(ProfileRecord());
    }

    QString backupDir() const { return programDir + QStringLiteral("alice/"); }

    QTemporaryDir temp;
    QString programDir = temp.path() + QLatin1Char('/');
    TestClock clock;
    ScriptedDialogs dialogs;
    RecordingPeriodHost host;
    MemorySettings settings;
    PersonalFile file{programDir, clock, dialogs};
    AccountingPeriod period{file, clock, dialogs, host};
};
