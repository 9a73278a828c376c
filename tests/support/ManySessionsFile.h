// A personal data file of many sessions, written the way the recorder writes its records: the file the
// report tests, the benchmarks and bench/compare.sh total. The same count always gives the same bytes.
#pragma once

#include "record/ProfileRecord.h"
#include "record/StoredDate.h"

#include <QDateTime>
#include <QFile>

/// Sessions of 1..90 minutes with changing seconds, one every 2 minutes 13 seconds from 2024/03/01
/// 00:00:07, with byte counts that run through every unit and wrap at 2^32.
inline bool writeManySessionsFile(const QString& path, qint64 sessions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    ProfileRecord header;
    header.Tag = ProfileRecord::UserProfileTag;
    header.CreatedDate = QStringLiteral("2024/03/01");
    header.NextPeriodDate = QStringLiteral("2024/04/01");
    header.StartingDay = 1;
    header.EndingDay = 31;
    file.write(header.toBytes());
    QByteArray block;
    const QDateTime first(QDate(2024, 3, 1), QTime(0, 0, 7), Qt::UTC);
    for (qint64 i = 0; i < sessions; ++i) {
        const QDateTime start = first.addSecs(i * 133);
        const QDateTime end = start.addSecs(60 + (i * 37) % 5400);
        ProfileRecord r;
        r.Tag = ProfileRecord::UserProfileTag;
        r.StartText = StoredDate::dateTimeText(start);
        r.EndText = StoredDate::dateTimeText(end);
        r.UsedMinutes = static_cast<qint32>(end.secsTo(start) / -60);
        r.StartingDay = static_cast<qint32>(i * 7919);
        r.EndingDay = static_cast<qint32>(i * 131);
        block += r.toBytes();
        if (block.size() >= (1 << 20)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
    return file.error() == QFile::NoError;
}
