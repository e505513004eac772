// Blocks and page-map groups: taking and freeing blocks, handing out and releasing groups, and finding the
// data or node block of a record through its group's page maps.
#include "engine/database_file.h"

#include <cstring>

using namespace tolvane;

BlockRef DatabaseFile::Block(std::int32_t n, bool pin)
{
    return cache_.GetBlock(file_, n, false, pin);
}

std::int32_t DatabaseFile::HeaderField16(int offset) const
{
    return GetI16(header_.Data() + offset);
}

void DatabaseFile::SetHeaderField16(int offset, std::int32_t value)
{
    PutI16(header_.Mutable() + offset, static_cast<std::int16_t>(value));
}

void DatabaseFile::CheckBlockNumber(std::int32_t n) const
{
    CheckStored(n >= 2 && n < HeaderField16(header::BlockCount));
}

namespace {

// Files of versions below 220 have no free-block chain.
bool HasFreeChain(const std::uint8_t* header)
{
    return GetU16(header + header::Version) == FormatVersion;
}

} // namespace

std::int32_t DatabaseFile::TakeBlockNumber()
{
    std::int32_t n = HeaderField16(header::BlockCount);
    if (n >= MaxBlocks)
        Fail(LimitReached);
    SetHeaderField16(header::BlockCount, n + 1);
    return n;
}

BlockRef DatabaseFile::AllocateBlock()
{
    std::int32_t head = HasFreeChain(header_.Data()) ? GetI32(header_.Data() + header::FreeBlockHead) : 0;
    BlockRef block;
    if (head != 0) {
        CheckBlockNumber(head);
        block = Block(head, false);
        std::int32_t next = GetI32(block.Data());
        CheckStored(next == 0 || (next >= 2 && next < HeaderField16(header::BlockCount)));
        PutI32(header_.Mutable() + header::FreeBlockHead, next);
    } else {
        block = cache_.GetBlock(file_, TakeBlockNumber(), true, false);
    }
    std::memset(block.Mutable(), 0, BlockSize);
    return block;
}

void DatabaseFile::FreeBlock(std::int32_t n)
{
    CheckBlockNumber(n);
    if (!HasFreeChain(header_.Data()))
        return;
    // Only the link matters in a free block, so it need not be read first.
    BlockRef block = cache_.GetBlock(file_, n, true, false);
    NoteKind(n, BlockKind::Free);
    PutI32(block.Mutable(), GetI32(header_.Data() + header::FreeBlockHead));
    PutI32(header_.Mutable() + header::FreeBlockHead, n);
}

std::int32_t DatabaseFile::GroupSlot(std::int32_t group, int slot) const
{
    return GetI32(groups_.Data() + group * GroupBytes + slot * BlockNumberBytes);
}

std::int32_t DatabaseFile::AllocateGroup(bool forIndex)
{
    std::int32_t count = HeaderField16(header::GroupCount);
    std::int32_t group = -1;
    // An index never gets group 0: a column's group 0 means "no index".
    for (std::int32_t g = forIndex ? 1 : 0; g < count && group < 0; ++g)
        if (GroupSlot(g, 0) == ReleasedGroupMark)
            group = g;
    if (group < 0) {
        if (count >= MaxGroups || (forIndex && count == 0))
            return -1;
        group = count;
        SetHeaderField16(header::GroupCount, count + 1);
    }
    std::memset(groups_.Mutable() + group * GroupBytes, 0, GroupBytes);
    ForgetPageMaps(group);
    return group;
}

void DatabaseFile::ForgetPageMaps(std::int32_t group)
{
    for (int slot = 0; slot < GroupSlots; ++slot)
        pageMaps_[group * GroupSlots + slot].Reset();
}

void DatabaseFile::ForgetPageMaps()
{
    for (BlockRef& map : pageMaps_)
        map.Reset();
}

ErrorCode DatabaseFile::CheckGroupsFor(int indexes) const
{
    // As AllocateGroup will hand them out: the table first (any released group), then the indexes.
    std::int32_t count = HeaderField16(header::GroupCount);
    int fresh = MaxGroups - count;
    int releasedForIndexes = 0;
    std::int32_t tableGroup = -1;
    for (std::int32_t g = 0; g < count; ++g) {
        if (GroupSlot(g, 0) != ReleasedGroupMark)
            continue;
        if (tableGroup < 0)
            tableGroup = g;
        else if (g != 0)
            ++releasedForIndexes;
    }
    if (tableGroup < 0) {
        if (fresh == 0)
            return NoGroupForTable;
        --fresh;
    }
    return fresh + releasedForIndexes < indexes ? NoGroupForIndex : NoError;
}

void DatabaseFile::ReleaseGroup(std::int32_t group)
{
    CheckStored(group >= 0 && group < MaxGroups);
    for (int slot = 0; slot < GroupSlots; ++slot) {
        std::int32_t pageMap = GroupSlot(group, slot);
        if (pageMap == 0 || pageMap == ReleasedGroupMark)
            continue;
        CheckBlockNumber(pageMap);
        BlockRef map = Block(pageMap, true);
        // Every block the page map names is freed, gaps or not.
        for (int entry = 0; entry < PageMapEntries; ++entry) {
            std::int32_t n = GetI32(map.Data() + entry * BlockNumberBytes);
            if (n != 0)
                FreeBlock(n);
        }
        map.Reset();
        pageMaps_[group * GroupSlots + slot].Reset();
        FreeBlock(pageMap);
    }
    ForgetPageMaps(group);
    std::uint8_t* slots = groups_.Mutable() + group * GroupBytes;
    std::memset(slots, 0, GroupBytes);
    PutI32(slots, ReleasedGroupMark);
}

std::int32_t DatabaseFile::ChunkBlock(std::int32_t group, std::int32_t chunk, bool allocate)
{
    if (chunk < 0 || chunk >= ChunksPerGroup)
        Fail(LimitReached);
    CheckStored(group >= 0 && group < MaxGroups);
    int slot = chunk / PageMapEntries;
    std::int32_t pageMap = GroupSlot(group, slot);
    CheckStored(pageMap != ReleasedGroupMark);
    // Page maps stay at hand for the transaction: every record and node access goes through one.
    BlockRef& map = pageMaps_[group * GroupSlots + slot];
    if (pageMap == 0) {
        if (!allocate)
            return 0;
        // Page maps always come from the end of the file, never from the free chain.
        map = cache_.GetBlock(file_, TakeBlockNumber(), true, true);
        NoteKind(map.Number(), BlockKind::PageMap);
        std::memset(map.Mutable(), 0, BlockSize);
        PutI32(groups_.Mutable() + group * GroupBytes + slot * BlockNumberBytes, map.Number());
    } else if (map.Number() != pageMap) {
        CheckBlockNumber(pageMap);
        map = Block(pageMap, true);
        NoteKind(pageMap, BlockKind::PageMap);
    }
    int entryOffset = (chunk % PageMapEntries) * BlockNumberBytes;
    std::int32_t n = GetI32(map.Data() + entryOffset);
    if (n == 0) {
        if (!allocate)
            return 0;
        n = AllocateBlock().Number();
        PutI32(map.Mutable() + entryOffset, n);
        return n;
    }
    CheckBlockNumber(n);
    return n;
}

BlockRef DatabaseFile::LocateBlock(std::int32_t group, std::int32_t chunk, bool allocate)
{
    std::int32_t n = ChunkBlock(group, chunk, allocate);
    return n == 0 ? BlockRef{} : Block(n, false);
}

BlockRef DatabaseFile::DescriptorBlock(std::int32_t slot, bool allocate)
{
    int entryOffset = directoryOffset_ + (slot / DescriptorsPerBlock) * BlockNumberBytes;
    std::int32_t n = GetI32(header_.Data() + entryOffset);
    if (n == 0) {
        if (!allocate)
            return {};
        BlockRef block = cache_.GetBlock(file_, TakeBlockNumber(), true, true);
        NoteKind(block.Number(), BlockKind::Descriptor);
        std::memset(block.Mutable(), 0, BlockSize);
        PutI32(header_.Mutable() + entryOffset, block.Number());
        return block;
    }
    CheckBlockNumber(n);
    NoteKind(n, BlockKind::Descriptor);
    return Block(n, true);
}

RecordPlace DatabaseFile::LocateRecord(const Table& table, std::int32_t id, bool allocate)
{
    std::int32_t index = id - 1;
    RecordPlace place;
    place.block = LocateBlock(table.d.group, index / table.d.recordsPerBlock, allocate);
    place.offset = (index % table.d.recordsPerBlock) * table.d.recordLength;
    NoteKind(place.block.Number(), BlockKind::Data);
    return place;
}

RecordPlace DatabaseFile::LocateNode(std::int32_t group, std::int32_t id, bool allocate)
{
    std::int32_t index = id - 1;
    RecordPlace place;
    place.block = LocateBlock(group, index / NodesPerBlock, allocate);
    place.offset = (index % NodesPerBlock) * NodeSize;
    NoteKind(place.block.Number(), BlockKind::IndexNode);
    return place;
}

const std::uint8_t* DatabaseFile::RecordForReading(const Table& table, std::int32_t id)
{
    std::int32_t index = id - 1;
    std::int32_t n = ChunkBlock(table.d.group, index / table.d.recordsPerBlock, false);
    return n == 0 ? nullptr
                  : cache_.ReadBlock(file_, n, false) + (index % table.d.recordsPerBlock) * table.d.recordLength;
}

const std::uint8_t* DatabaseFile::NodeForReading(std::int32_t group, std::int32_t id)
{
    std::int32_t index = id - 1;
    std::int32_t n = ChunkBlock(group, index / NodesPerBlock, false);
    return n == 0 ? nullptr : cache_.ReadBlock(file_, n, false) + (index % NodesPerBlock) * NodeSize;
}

const std::uint8_t* DatabaseFile::PeekBlock(std::int32_t group, std::int32_t chunk) const
{
    if (group < 0 || group >= MaxGroups || chunk < 0 || chunk >= ChunksPerGroup)
        return nullptr;
    int slot = chunk / PageMapEntries;
    const BlockRef& map = pageMaps_[group * GroupSlots + slot];
    if (!map || map.Number() != GroupSlot(group, slot))
        return nullptr;
    std::int32_t n = GetI32(map.Data() + (chunk % PageMapEntries) * BlockNumberBytes);
    if (n < 2 || n >= HeaderField16(header::BlockCount))
        return nullptr;
    return cache_.Peek(n);
}

const std::uint8_t* DatabaseFile::PeekRecord(const Table& table, std::int32_t id) const
{
    std::int32_t index = id - 1;
    const std::uint8_t* block = PeekBlock(table.d.group, index / table.d.recordsPerBlock);
    return block ? block + (index % table.d.recordsPerBlock) * table.d.recordLength : nullptr;
}

const std::uint8_t* DatabaseFile::PeekNode(std::int32_t group, std::int32_t id) const
{
    std::int32_t index = id - 1;
    const std::uint8_t* block = PeekBlock(group, index / NodesPerBlock);
    return block ? block + (index % NodesPerBlock) * NodeSize : nullptr;
}
