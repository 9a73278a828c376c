// Building and reading the stored form of a ProfileRecord, byte by byte.
#include "record/ProfileRecord.h"

namespace {

using namespace RecordLayout;

void putCounted(QByteArray& record, int offset, int capacity, const QString& text)
{
    // Characters are single bytes; anything beyond Latin-1 is stored as "?".
    const QByteArray bytes = text.left(capacity).toLatin1();
    record[offset] = static_cast<char>(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        record[offset + 1 + i] = bytes[i];
}

QString takeCounted(const QByteArray& record, int offset, int capacity)
{
    const int length = qMin(static_cast<int>(static_cast<quint8>(record[offset])), capacity);
    return QString::fromLatin1(record.constData() + offset + 1, length);
}

void putInt32(QByteArray& record, int offset, qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    for (int i = 0; i < IntSize; ++i)
        record[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

qint32 takeInt32(const QByteArray& record, int offset)
{
    quint32 bits = 0;
    for (int i = 0; i < IntSize; ++i)
        bits |= static_cast<quint32>(static_cast<quint8>(record[offset + i])) << (8 * i);
    return static_cast<qint32>(bits);
}

} // namespace

bool ProfileRecord::hasUserProfileTag() const
{
    return Tag == UserProfileTag;
}

QByteArray ProfileRecord::toBytes() const
{
    QByteArray record(Size, '\0');
    putCounted(record, TagOffset, TagCapacity, Tag);
    putCounted(record, CreatedDateOffset, DateCapacity, CreatedDate);
    putCounted(record, NextPeriodDateOffset, DateCapacity, NextPeriodDate);
    putInt32(record, StartingDayOffset, StartingDay);
    putInt32(record, EndingDayOffset, EndingDay);
    putCounted(record, StartTextOffset, TextCapacity, StartText);
    putCounted(record, EndTextOffset, TextCapacity, EndText);
    putInt32(record, UsedMinutesOffset, UsedMinutes);
    return record;
}

std::optional<ProfileRecord> ProfileRecord::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() < Size)
        return std::nullopt;
    ProfileRecord r;
    r.Tag = takeCounted(bytes, TagOffset, TagCapacity);
    r.CreatedDate = takeCounted(bytes, CreatedDateOffset, DateCapacity);
    r.NextPeriodDate = takeCounted(bytes, NextPeriodDateOffset, DateCapacity);
    r.StartingDay = takeInt32(bytes, StartingDayOffset);
    r.EndingDay = takeInt32(bytes, EndingDayOffset);
    r.StartText = takeCounted(bytes, StartTextOffset, TextCapacity);
    r.EndText = takeCounted(bytes, EndTextOffset, TextCapacity);
    r.UsedMinutes = takeInt32(bytes, UsedMinutesOffset);
    return r;
}
