// Where each field of a personal data file's 104-byte record lies: the one table that the record's writer,
// its reader and the whole-file pass all read, so the stored form is spelt out once.
#pragma once

namespace RecordLayout {

inline constexpr int Size = 104;

// Counted strings: a length byte, then up to the field's capacity in single-byte characters.
inline constexpr int TagOffset = 0;
inline constexpr int TagCapacity = 17;
inline constexpr int CreatedDateOffset = 18;
inline constexpr int NextPeriodDateOffset = 29;
inline constexpr int DateCapacity = 10;
inline constexpr int StartTextOffset = 48;
inline constexpr int EndTextOffset = 74;
inline constexpr int TextCapacity = 25;

// Little-endian 32-bit integers.
inline constexpr int StartingDayOffset = 40; ///< the period's starting day, or a session's bytes received
inline constexpr int EndingDayOffset = 44;   ///< the period's ending day, or a session's bytes sent
inline constexpr int UsedMinutesOffset = 100;
inline constexpr int IntSize = 4;

// Each field ends before the next begins (the gaps are the stored form's padding, always zero).
static_assert(TagOffset + 1 + TagCapacity <= CreatedDateOffset);
static_assert(CreatedDateOffset + 1 + DateCapacity <= NextPeriodDateOffset);
static_assert(NextPeriodDateOffset + 1 + DateCapacity <= StartingDayOffset);
static_assert(StartingDayOffset + IntSize <= EndingDayOffset);
static_assert(EndingDayOffset + IntSize <= StartTextOffset);
static_assert(StartTextOffset + 1 + TextCapacity <= EndTextOffset);
static_assert(EndTextOffset + 1 + TextCapacity <= UsedMinutesOffset);
static_assert(UsedMinutesOffset + IntSize == Size);

} // namespace RecordLayout
