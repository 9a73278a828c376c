// Personal data files written record by record into a temporary folder, and settings kept in memory: the
// common ground of the report tests.
#pragma once

#include "platform/SettingsStore.h"
#include "record/ProfileRecord.h"
#include "tests/support/MemorySettings.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline ProfileRecord headerRecord(const QString& created = QStringLiteral("2024/03/01"), qint32 startingDay = 1,
                                  qint32 endingDay = 31)
{
    ProfileRecord r;
    r.Tag = ProfileRecord::UserProfileTag;
    r.CreatedDate = created;
    r.NextPeriodDate = QStringLiteral("2024/04/01");
    r.StartingDay = startingDay;
    r.EndingDay = endingDay;
    return r;
}

inline ProfileRecord sessionRecord(const QString& start, const QString& end, qint32 usedMinutes, quint32 received = 0,
                                   quint32 sent = 0)
{
    ProfileRecord r;
    r.Tag = ProfileRecord::UserProfileTag;
    r.StartText = start;
    r.EndText = end;
    r.UsedMinutes = usedMinutes;
    r.StartingDay = static_cast<qint32>(received);
    r.EndingDay = static_cast<qint32>(sent);
    return r;
}

class ReportFixture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    /// Writes the records, then `tail` as an incomplete record; returns the file's path.
    QString writeFile(const QString& name, const QList<ProfileRecord>& records, const QByteArray& tail = {})
    {
        const QString path = temp.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const ProfileRecord& r : records)
            file.write(r.toBytes());
        file.write(tail);
        return path;
    }

    QTemporaryDir temp;
};
