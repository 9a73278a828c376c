// The session tracker driven tick by tick with a test clock against a real personal file: a double of the
// main window and a fixture with a ticking helper for each case.
#pragma once

#include "record/AccountingPeriod.h"
#include "record/PersonalFile.h"
#include "record/SessionTracker.h"
#include "record/StoredDate.h"
#include "report/SessionDuration.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Stands in for the main window: the connection state and the settings the tracker reads, and what it shows.
class WindowDouble final : public PeriodHost, public TrackerHost
{
public:
    void showDayPeriod(const QString&) override {}
    void showStatusLine(const QString& text) override { statusLine = text; }
    void listBackupFiles(const QString&) override {}

    bool IsConnected() const override { return connected; }
    bool Checked_PhoneBook_IsOn() const override { return checked; }
    bool alwaysRecord() const override { return always; }
    bool TrayIconOn() const override { return trayOn; }
    void ChangeSysTrayIcon(int imageIndex) override { trayImages.append(imageIndex); }
    bool recordingStopped() const override { return stopped; }
    void UpdateTrafficMonitor() override {}
    void ClearTrafficMonitor() override { zeroByteCounters(); }
    void zeroByteCounters() override { received = sent = 0; }
    quint32 DialUpBytesReceived() const override { return received; }
    quint32 DialUpBytesSent() const override { return sent; }
    void CheckHourlyAlert(qint32) override {}
    void resetHourlyAlert() override {}

    SessionTracker* tracker = nullptr;
    bool connected = true;
    bool checked = true;
    bool always = false;
    bool trayOn = false;
    bool stopped = false;
    quint32 received = 0;
    quint32 sent = 0;
    QList<int> trayImages;
    QString statusLine;
};

class SessionTrackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        window.tracker = &tracker;
        file.setStatusLine([this](const QString& text) { window.showStatusLine(text); });
        file.setPersonalFileName(QStringLiteral("alice.rvl"));
    }

    /// A new personal file with the given days, started on the clock's day as "Create Personal File" does.
    void startFile(int startingDay = 1, int endingDay = 31)
    {
        const NewFileOutcome created = period.StartNewFile(startingDay, endingDay);
        ASSERT_TRUE(created);
        tracker.followReload(created.reload);
    }

    void tickAt(const QDateTime& moment)
    {
        clock.set(moment);
        tracker.tick();
    }
    void tickAt(int hour, int minute, int second)
    {
        tickAt(QDateTime(clock.now().date(), QTime(hour, minute, second)));
    }

    /// Ticks once a second up to and including `last`.
    void tickEverySecondUntil(int hour, int minute, int second)
    {
        const QDateTime last(clock.now().date(), QTime(hour, minute, second));
        while (clock.now() < last) {
            clock.advance(1);
            tracker.tick();
        }
    }

    /// Ticks at `moment` with fresh byte counts and tells whether that tick rewrote the session record.
    bool tickSaves(const QDateTime& moment)
    {
        window.received = ++stamp;
        tickAt(moment);
        return record(tracker.NextFilePointer()).BytesReceived() == stamp;
    }

    QList<ProfileRecord> records(const QString& path) const
    {
        return PersonalFile::readRecords(path).value_or(QList<ProfileRecord>());
    }
    QList<ProfileRecord> records() const { return records(file.filePath()); }
    ProfileRecord record(qint64 index) const
    {
        const QList<ProfileRecord> all = records();
        return index < all.size() ? all.at(index) : ProfileRecord();
    }

    static QString stored(int hour, int minute, int second, int day = 20)
    {
        return StoredDate::dateTimeText(QDateTime(QDate(2024, 3, day), QTime(hour, minute, second)));
    }

    QTemporaryDir temp;
    TestClock clock{QDateTime(QDate(2024, 3, 20), QTime(9, 0, 0))};
    ScriptedDialogs dialogs;
    WindowDouble window;
    PersonalFile file{temp.path() + QLatin1Char('/'), clock, dialogs};
    AccountingPeriod period{file, clock, dialogs, window};
    SessionTracker tracker{clock, file, period, window};
    quint32 stamp = 1000;
};
