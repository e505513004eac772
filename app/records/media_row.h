// Where the fields of MEDIA and MEDIADATA rows lie. A media object belongs to an owner and keeps the file's
// bytes in a chain of MEDIADATA rows; the fields after the owner id are packed without alignment gaps.
#pragma once

#include <cstddef>
#include <cstdint>

namespace media_row {

inline constexpr std::size_t Size = 276;
inline constexpr std::size_t DescriptionSize = 128;  // char[128] at 0
inline constexpr std::size_t FileNameOffset = 128;   // char[128]: the name of the file it came from
inline constexpr std::int32_t OwnerColumn = 3;       // indexed: the owner id
inline constexpr std::size_t OwnerOffset = 256;      // u32: the owner id
inline constexpr std::size_t OwnerKindOffset = 260;  // u8: the owner kind (a person: OwnerPerson)
inline constexpr std::size_t FirstDataOffset = 261;  // u32: the first MEDIADATA row, 0 none
inline constexpr std::size_t DataSizeOffset = 265;   // u32: the file's size in bytes
inline constexpr std::size_t NoteOffset = 269;       // u32: the first NOTE row, 0 none
inline constexpr std::size_t OrderOffset = 273;      // the three low bytes of the position in the owner's list
inline constexpr std::size_t OrderSize = 3;
// The engine's last 32-bit column lies at 272: the note id's high byte with the order's three bytes above
// it, so that sorting on it sorts by the order.
inline constexpr std::int32_t OrderColumn = 7;
inline constexpr std::size_t FileNameSize = 128;

} // namespace media_row

namespace media_data_row {

inline constexpr std::size_t Size = 4096;
inline constexpr std::size_t DataSize = 4092;   // the file's bytes at 0
inline constexpr std::size_t NextOffset = 4092; // u32: the next row of the chain, 0 at the end

} // namespace media_data_row
