// One 104-byte record of a personal data file: the period header at index 0, a session record after it.
#pragma once

#include "record/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct ProfileRecord
{
    static constexpr int Size = RecordLayout::Size;
    static constexpr int TagCapacity = RecordLayout::TagCapacity;
    static constexpr int DateCapacity = RecordLayout::DateCapacity;
    static constexpr int TextCapacity = RecordLayout::TextCapacity;

    /// The tag every record carries.
    static inline const QString UserProfileTag = QStringLiteral("[UserProfile]");

    QString Tag;
    QString CreatedDate;    ///< header only: "yyyy/mm/dd"
    QString NextPeriodDate; ///< header only: "yyyy/mm/dd"
    qint32 StartingDay = 0; ///< the period's starting day, or a session's BytesReceived
    qint32 EndingDay = 0;   ///< the period's ending day, or a session's BytesSent
    QString StartText;      ///< session only: "yyyy/mm/dd, hh:nn:ss am/pm"
    QString EndText;        ///< session only: same form
    qint32 UsedMinutes = 0;

    quint32 BytesReceived() const { return static_cast<quint32>(StartingDay); }
    quint32 BytesSent() const { return static_cast<quint32>(EndingDay); }

    /// True when the tag is exactly "[UserProfile]" (thirteen characters).
    bool hasUserProfileTag() const;

    /// The record as stored: little-endian integers, counted strings cut to their capacity, unused bytes zero.
    QByteArray toBytes() const;

    /// Reads the first 104 bytes; nothing when fewer are given. A length byte larger than its field's
    /// capacity is read as the capacity, so a damaged record never reaches into the next field.
    static std::optional<ProfileRecord> fromBytes(const QByteArray& bytes);

    bool operator==(const ProfileRecord&) const = default;
};
