// The bytes of a database file: block geometry, the header, table and column descriptors and index nodes.
// Everything is little-endian and read and written through the little-endian codecs, never by overlaying structs.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/tolvane.h"
#include "platform/little_endian.h"

namespace tolvane {

constexpr int BlockSize = 8192;
constexpr std::int32_t MaxBlocks = 32767; // the block count is a signed 16-bit counter
constexpr int FormatVersion = 220;
constexpr int OldestFormatVersion = 200;
// Block numbers are stored as i32: in the directory, in the page-map groups and in the page maps.
constexpr int BlockNumberBytes = 4;

// Block 0, the file header.
namespace header {
constexpr int Magic = 0;          // "VDBASE" and a NUL
constexpr int Version = 8;        // u16
constexpr int BlockCount = 10;    // i16: next block number never used
constexpr int TableSlots = 12;    // i16: descriptor slots ever used
constexpr int GroupCount = 14;    // i16: page-map groups handed out
constexpr int FreeBlockHead = 16; // i32
constexpr int Directory = 1024;   // 1792 i32 block numbers of descriptor blocks
constexpr int OldDirectory = 64;  // where versions 200 to 219 keep the directory
constexpr int DirectoryEntries = 1792;
constexpr int DirectoryBytes = DirectoryEntries * BlockNumberBytes;
constexpr char MagicText[] = "VDBASE";
} // namespace header

// Block 1: 128 page-map groups of 16 slots; group 127 is never handed out.
constexpr int GroupSlots = 16;
constexpr int GroupBytes = GroupSlots * BlockNumberBytes;
constexpr int MaxGroups = 127;
constexpr std::int32_t ReleasedGroupMark = -1;
constexpr int PageMapEntries = 2048;
constexpr std::int32_t ChunksPerGroup = GroupSlots * PageMapEntries;

// Table descriptors, 14 to a directory block.
constexpr int DescriptorSize = 583;
constexpr int DescriptorsPerBlock = 14;
constexpr int MaxTableSlots = header::DirectoryEntries * DescriptorsPerBlock;
constexpr int MaxColumns = 32;
constexpr int TableNameLength = 15;
namespace descriptor {
constexpr int Name = 0;             // 16 bytes, NUL-filled
constexpr int RecordLength = 16;    // i16
constexpr int RecordsPerBlock = 18; // i16
constexpr int HighestId = 20;       // i32
constexpr int FreeIdHead = 24;      // i32
constexpr int Group = 28;           // i32
constexpr int Columns = 32;         // 32 column descriptors of 17 bytes
constexpr int ColumnCount = 576;    // u8
constexpr int IndexCount = 577;     // u16
} // namespace descriptor
namespace column {
constexpr int Size = 17;
constexpr int Type = 0;       // u8
constexpr int Count = 1;      // u16
constexpr int Offset = 3;     // u16
constexpr int IndexGroup = 5; // i32, 0 = no index
constexpr int IndexRoot = 13; // i32
} // namespace column

// Records: a slot word and the data.
constexpr int SlotWordSize = 4;
constexpr std::int32_t LiveSlot = -1;
constexpr int MaxRecordLength = TLV_MAX_RECORD_LENGTH;
static_assert(MaxRecordLength == BlockSize, "the longest record fills a block");

// Index nodes, 409 to a block.
constexpr int NodeSize = 20;
constexpr int NodesPerBlock = 409;
namespace indexnode {
constexpr int Parent = 0;         // i32 record id: 0 at the root and for a node not in the tree
constexpr int NextEqual = 4;      // i32: the next record of the same key
constexpr int Less = 8;           // i32: root of the subtree of smaller keys
constexpr int Greater = 12;       // i32: root of the subtree of greater keys
constexpr int LessHeight = 16;    // i16: height of the less subtree, 0 when empty
constexpr int GreaterHeight = 18; // i16
} // namespace indexnode
static_assert(indexnode::GreaterHeight + 2 == NodeSize);

// Long texts: the pieces of the built-in table.
constexpr char LongTextTableName[] = "@@TEXT";
constexpr int TextPieceBytes = 248;
constexpr int TextPieceLength = 248; // offset of the piece's length
constexpr int TextPieceNext = 252;   // offset of the next piece's id
constexpr int TextPieceColumnCount = 256;
constexpr int TextPiecesPerBlock = BlockSize / (SlotWordSize + TextPieceColumnCount);

enum ColumnType : std::uint8_t {
    TypeByte = TLV_BYTE,
    TypeText = TLV_TEXT,
    TypeUInt16 = TLV_UINT16,
    TypeInt16 = TLV_INT16,
    TypeUInt32 = TLV_UINT32,
    TypeInt32 = TLV_INT32,
    TypeUInt64 = TLV_UINT64,
    TypeInt64 = TLV_INT64,
    TypeNothing = TLV_NOTHING,
    TypeLongText = TLV_LONGTEXT,
    TypeFloat = TLV_FLOAT,
    TypeDouble = TLV_DOUBLE,
};

// Bytes one element of a column type takes; -1 for an unknown type. The table is the interface's, which the
// program reads too.
constexpr int ElementSize(int type)
{
    return tlvColumnTypeBytes(type);
}

// Little-endian fields, shared with the rest of the program.
using platform::GetI16;
using platform::GetI32;
using platform::GetU16;
using platform::GetU32;
using platform::GetU64;
using platform::PutI16;
using platform::PutI32;
using platform::PutU16;
using platform::PutU32;
using platform::PutU64;

} // namespace tolvane
