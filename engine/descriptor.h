// Table and column descriptors decoded from their 583 and 17 stored bytes. Encoding writes back only the
// fields it knows, so bytes the format keeps zero stay as they were.
#pragma once

#include "engine/format.h"

#include <cstdint>

namespace tolvane {

struct ColumnDescriptor {
    std::uint8_t type = 0;
    std::uint16_t count = 0;
    std::uint16_t offset = 0;
    std::int32_t indexGroup = 0; // 0: no index
    std::int32_t indexRoot = 0;

    int Size() const { return count * ElementSize(type); }
    bool IsIndexed() const { return indexGroup != 0; }
};

struct TableDescriptor {
    char name[TableNameLength + 1] = {};
    std::int16_t recordLength = 0;
    std::int16_t recordsPerBlock = 0;
    std::int32_t highestId = 0;
    std::int32_t freeIdHead = 0;
    std::int32_t group = 0;
    ColumnDescriptor columns[MaxColumns];
    std::uint8_t columnCount = 0;
    std::uint16_t indexCount = 0;

    void Decode(const std::uint8_t* bytes);
    void Encode(std::uint8_t* bytes) const;
    bool IsFree() const { return name[0] == '\0'; }
    int DataLength() const { return recordLength - SlotWordSize; }
    // Whether the stored fields are consistent enough to work with (a damaged file must not lead the
    // engine outside a block or a record).
    bool IsSound() const;
};

// The most records a table of these records per block can hold in its page-map group, and the most
// that an index can hold in its own.
std::int32_t MaxRecordIds(const TableDescriptor& table);

} // namespace tolvane
