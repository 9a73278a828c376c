// Building and reading the stored form of a ProfileRecord, byte by byte.
#include "record/ProfileRecord.h"

namespace {

constexpr int tagOffset = 0;
constexpr int createdDateOffset = 18;
constexpr int nextPeriodDateOffset = 29;
constexpr int startingDayOffset = 40;
constexpr int endingDayOffset = 44;
constexpr int startTextOffset = 48;
constexpr int endTextOffset = 74;
constexpr int usedMinutesOffset = 100;

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
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

qint32 takeInt32(const QByteArray& record, int offset)
{
    quint32 bits = 0;
    for (int i = 0; i < 4; ++i)
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
    putCounted(record, tagOffset, TagCapacity, Tag);
    putCounted(record, createdDateOffset, DateCapacity, CreatedDate);
    putCounted(record, nextPeriodDateOffset, DateCapacity, NextPeriodDate);
    putInt32(record, startingDayOffset, StartingDay);
    putInt32(record, endingDayOffset, EndingDay);
    putCounted(record, startTextOffset, TextCapacity, StartText);
    putCounted(record, endTextOffset, TextCapacity, EndText);
    putInt32(record, usedMinutesOffset, UsedMinutes);
    return record;
}

std::optional<ProfileRecord> ProfileRecord::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() < Size)
        return std::nullopt;
    ProfileRecord r;
    r.Tag = takeCounted(bytes, tagOffset, TagCapacity);
    r.CreatedDate = takeCounted(bytes, createdDateOffset, DateCapacity);
    r.NextPeriodDate = takeCounted(bytes, nextPeriodDateOffset, DateCapacity);
    r.StartingDay = takeInt32(bytes, startingDayOffset);
    r.EndingDay = takeInt32(bytes, endingDayOffset);
    r.StartText = takeCounted(bytes, startTextOffset, TextCapacity);
    r.EndText = takeCounted(bytes, endTextOffset, TextCapacity);
    r.UsedMinutes = takeInt32(bytes, usedMinutesOffset);
    return r;
}
