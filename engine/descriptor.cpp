#include "engine/descriptor.h"

#include <algorithm>
#include <cstring>

namespace tolvane {

void TableDescriptor::Decode(const std::uint8_t* bytes)
{
    std::memcpy(name, bytes + descriptor::Name, TableNameLength);
    name[TableNameLength] = '\0';
    recordLength = GetI16(bytes + descriptor::RecordLength);
    recordsPerBlock = GetI16(bytes + descriptor::RecordsPerBlock);
    highestId = GetI32(bytes + descriptor::HighestId);
    freeIdHead = GetI32(bytes + descriptor::FreeIdHead);
    group = GetI32(bytes + descriptor::Group);
    columnCount = bytes[descriptor::ColumnCount];
    indexCount = GetU16(bytes + descriptor::IndexCount);
    int decoded = std::min<int>(columnCount, MaxColumns);
    for (int c = 0; c < decoded; ++c) {
        const std::uint8_t* p = bytes + descriptor::Columns + c * column::Size;
        ColumnDescriptor& col = columns[c];
        col.type = p[column::Type];
        col.count = GetU16(p + column::Count);
        col.offset = GetU16(p + column::Offset);
        col.indexGroup = GetI32(p + column::IndexGroup);
        col.indexRoot = GetI32(p + column::IndexRoot);
    }
}

void TableDescriptor::Encode(std::uint8_t* bytes) const
{
    std::memset(bytes + descriptor::Name, 0, TableNameLength + 1);
    std::memcpy(bytes + descriptor::Name, name, std::strlen(name));
    PutI16(bytes + descriptor::RecordLength, recordLength);
    PutI16(bytes + descriptor::RecordsPerBlock, recordsPerBlock);
    PutI32(bytes + descriptor::HighestId, highestId);
    PutI32(bytes + descriptor::FreeIdHead, freeIdHead);
    PutI32(bytes + descriptor::Group, group);
    bytes[descriptor::ColumnCount] = columnCount;
    PutU16(bytes + descriptor::IndexCount, indexCount);
    for (int c = 0; c < columnCount && c < MaxColumns; ++c) {
        std::uint8_t* p = bytes + descriptor::Columns + c * column::Size;
        const ColumnDescriptor& col = columns[c];
        p[column::Type] = col.type;
        PutU16(p + column::Count, col.count);
        PutU16(p + column::Offset, col.offset);
        PutI32(p + column::IndexGroup, col.indexGroup);
        PutI32(p + column::IndexRoot, col.indexRoot);
    }
}

std::int32_t MaxRecordIds(const TableDescriptor& table)
{
    std::int64_t byData = static_cast<std::int64_t>(ChunksPerGroup) * table.recordsPerBlock;
    std::int64_t byNodes = static_cast<std::int64_t>(ChunksPerGroup) * NodesPerBlock;
    std::int64_t most = table.indexCount > 0 ? std::min(byData, byNodes) : byData;
    return static_cast<std::int32_t>(std::min<std::int64_t>(most, 0x7FFFFFFF));
}

bool TableDescriptor::IsSound() const
{
    if (recordLength < SlotWordSize || recordLength > MaxRecordLength || recordsPerBlock != BlockSize / recordLength
        || columnCount > MaxColumns || group < 0 || group >= MaxGroups)
        return false;
    if (highestId < 0 || highestId > MaxRecordIds(*this) || freeIdHead < 0 || freeIdHead > highestId)
        return false;
    // Columns lie end to end and fill the row exactly, as tables are made: a row read is copied at the
    // row's length into the caller's buffer, which is sized by the columns.
    int end = 0;
    for (int c = 0; c < columnCount; ++c) {
        const ColumnDescriptor& col = columns[c];
        if (ElementSize(col.type) < 0 || col.count < 1 || col.offset != end)
            return false;
        end += col.Size();
        if (col.indexGroup < 0 || col.indexGroup >= MaxGroups || col.indexRoot < 0 || col.indexRoot > highestId)
            return false;
    }
    return end == DataLength();
}

} // namespace tolvane
