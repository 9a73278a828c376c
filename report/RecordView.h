// One stored 104-byte record read in place, without copying: the form a whole-file pass works on.
#pragma once

#include "record/ProfileRecord.h"
#include "record/RecordLayout.h"

#include <QtGlobal>
#include <string_view>

class RecordView
{
public:
    /// `bytes` must hold ProfileRecord::Size bytes for as long as the view is used.
    explicit RecordView(const char* bytes) : m_bytes(bytes) {}

    std::string_view Tag() const { return counted(RecordLayout::TagOffset, RecordLayout::TagCapacity); }
    std::string_view CreatedDate() const
    {
        return counted(RecordLayout::CreatedDateOffset, RecordLayout::DateCapacity);
    }
    std::string_view NextPeriodDate() const
    {
        return counted(RecordLayout::NextPeriodDateOffset, RecordLayout::DateCapacity);
    }
    qint32 StartingDay() const { return int32At(RecordLayout::StartingDayOffset); }
    qint32 EndingDay() const { return int32At(RecordLayout::EndingDayOffset); }
    quint32 BytesReceived() const { return static_cast<quint32>(int32At(RecordLayout::StartingDayOffset)); }
    quint32 BytesSent() const { return static_cast<quint32>(int32At(RecordLayout::EndingDayOffset)); }
    std::string_view StartText() const { return counted(RecordLayout::StartTextOffset, RecordLayout::TextCapacity); }
    std::string_view EndText() const { return counted(RecordLayout::EndTextOffset, RecordLayout::TextCapacity); }
    qint32 UsedMinutes() const { return int32At(RecordLayout::UsedMinutesOffset); }

    bool hasUserProfileTag() const { return Tag() == std::string_view("[UserProfile]"); }

private:
    // A length byte beyond the field's capacity is read as the capacity, as the record reader does.
    std::string_view counted(int offset, int capacity) const
    {
        const int length = qMin(static_cast<int>(static_cast<unsigned char>(m_bytes[offset])), capacity);
        return {m_bytes + offset + 1, static_cast<std::size_t>(length)};
    }

    qint32 int32At(int offset) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(m_bytes + offset);
        const quint32 bits = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
        return static_cast<qint32>(bits);
    }

    const char* m_bytes;
};
