// One totalled session kept compactly, so a file of a million sessions stays small in memory;
// the lines the user reads are formed from it only when they are shown.
#pragma once

#include "record/ProfileRecord.h"
#include "report/SessionDuration.h"
#include "report/StoredMoment.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

/// A stored start or end text as it is in the file: at most the field's 25 single-byte characters.
class StoredText
{
public:
    StoredText() = default;
    explicit StoredText(std::string_view text)
        : m_length(static_cast<quint8>(qMin<std::size_t>(text.size(), ProfileRecord::TextCapacity)))
    {
        text.copy(m_chars.data(), m_length);
    }

    /// The text as the file holds it, in Latin-1.
    static StoredText of(const QString& text)
    {
        const QByteArray bytes = text.toLatin1();
        return StoredText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }

    std::string_view view() const { return {m_chars.data(), m_length}; }
    QString toString() const { return QString::fromLatin1(m_chars.data(), m_length); }

private:
    std::array<char, ProfileRecord::TextCapacity> m_chars{};
    quint8 m_length = 0;
};

/// Packed into 24 bytes: a file of a million sessions keeps 24 MB of rows.
/// Rows are left unwritten until the pass fills them (`SessionRow{}` gives an empty one).
class SessionRow
{
public:
    quint32 BytesReceived;
    quint32 BytesSent;
    qint32 minutes;
    quint8 seconds; ///< 0..59

    /// Both texts in the stored form; a row whose texts are not has them kept in the result instead.
    void setMoments(const StoredMoment& start, const StoredMoment& end)
    {
        put(m_start, start.packed());
        put(m_end, end.packed());
        m_flags &= ~irregularFlag;
    }
    /// The same from StoredMoment::packed() of each.
    void setPackedMoments(quint64 start, quint64 end)
    {
        put(m_start, start);
        put(m_end, end);
        m_flags &= ~irregularFlag;
    }
    /// Every field at once, both texts in the stored form. Written into place field by field: a row put
    /// together elsewhere and copied in would be read back before its last bytes had left the processor.
    void setAll(quint32 received, quint32 sent, SessionDuration::Duration duration, quint64 start, quint64 end,
                bool startIsAfterEnd)
    {
        BytesReceived = received;
        BytesSent = sent;
        minutes = duration.minutes;
        seconds = duration.seconds;
        put(m_start, start);
        put(m_end, end);
        m_flags = startIsAfterEnd ? startAfterEndFlag : 0;
    }
    void setIrregular() { m_flags |= irregularFlag; }
    bool isRegular() const { return !(m_flags & irregularFlag); }
    StoredMoment start() const { return StoredMoment::fromPacked(take(m_start)); }
    StoredMoment end() const { return StoredMoment::fromPacked(take(m_end)); }
    /// StoredMoment::packed() of the start and the end; equal dates give equal StoredMoment::packedDate().
    quint64 startBits() const { return take(m_start); }
    quint64 endBits() const { return take(m_end); }

    /// The start, as date and 24-hour time, sorts after the end.
    bool startAfterEnd() const { return m_flags & startAfterEndFlag; }
    void setStartAfterEnd(bool on) { m_flags = on ? m_flags | startAfterEndFlag : m_flags & ~startAfterEndFlag; }

    /// The record's minute counter is damaged: its time counts as nothing and its lines carry the mark of
    /// a start after its end.
    bool damaged() const { return m_flags & damagedFlag; }
    void setDamaged() { m_flags |= damagedFlag; }
    /// The lines of the row carry the " *" mark.
    bool marked() const { return m_flags & (startAfterEndFlag | damagedFlag); }

    SessionDuration::Duration duration() const { return {minutes, seconds}; }

private:
    static constexpr quint8 startAfterEndFlag = 1;
    static constexpr quint8 irregularFlag = 2;
    static constexpr quint8 damagedFlag = 4;

    // Five bytes, least significant first, whatever the processor's order. Moved as four bytes and one: a
    // five-byte copy through an eight-byte word goes by way of memory, and reading that word back waits for
    // both stores (some 15 cycles a field, half the time of a walk over the rows).
    static void put(std::array<quint8, 5>& into, quint64 bits)
    {
        const quint32 low = qToLittleEndian(static_cast<quint32>(bits));
        std::memcpy(into.data(), &low, 4);
        into[4] = static_cast<quint8>(bits >> 32);
    }
    static quint64 take(const std::array<quint8, 5>& from)
    {
        quint32 low;
        std::memcpy(&low, from.data(), 4);
        return quint64(qFromLittleEndian(low)) | quint64(from[4]) << 32;
    }

    std::array<quint8, 5> m_start;
    std::array<quint8, 5> m_end;
    quint8 m_flags;
};
static_assert(sizeof(SessionRow) == 24);
static_assert(std::is_trivially_default_constructible_v<SessionRow>);
