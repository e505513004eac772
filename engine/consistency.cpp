// Consistency checks of a database handle for the tests and the fuzz target: the block cache with the
// references the handle holds, and every index of every table. Nothing here changes a block.
#include "engine/database_file.h"

#include "engine/index_tree.h"

#include <new>

using namespace tolvane;

std::string DatabaseFile::CheckCache() const
{
    try {
        std::vector<std::int32_t> held;
        if (header_)
            held.push_back(header_.Number());
        if (groups_)
            held.push_back(groups_.Number());
        // By index: this runs after every call of the fuzz target, in unoptimised builds too.
        const BlockRef* maps = pageMaps_.data();
        for (std::size_t i = 0, count = pageMaps_.size(); i < count; ++i)
            if (maps[i])
                held.push_back(maps[i].Number());
        if (depth_ == 0) {
            if (!held.empty())
                return "blocks are held between transactions";
            if (cache_.ViewCount() != 0)
                return "blocks read in place outlived their transaction";
            if (!cache_.DirtyBlocks().empty())
                return "changed blocks outlived their transaction";
        }
        std::string fault = cache_.Check(held);
        if (!fault.empty())
            return fault;
        if (MemoryUsage() != cache_.BufferCount() * (BlockSize / 1024))
            return "the memory figure is " + std::to_string(MemoryUsage()) + " KB, but " +
                   std::to_string(cache_.BufferCount()) + " buffers are in use";
        return "";
    } catch (const std::bad_alloc&) {
        return "out of memory";
    }
}

std::string DatabaseFile::CheckIndexes(TreeCheck rules)
{
    if (depth_ == 0)
        return "no transaction is running";
    if (Broken())
        return "";
    std::string where;
    try {
        std::int32_t slots = TableSlots();
        for (std::int32_t s = 0; s < slots; ++s) {
            {
                BlockRef block = DescriptorBlock(s, false);
                if (!block || block.Data()[(s % DescriptorsPerBlock) * DescriptorSize] == '\0')
                    continue;
            }
            where = "table " + std::to_string(s + 1);
            Table table = LoadTable(s + 1);
            where += " (" + std::string(table.d.name) + ")";
            // Counted by data block, so that a table of many ids but few blocks is quick.
            auto liveRecords = [&] {
                std::int32_t live = 0;
                std::int32_t perBlock = table.d.recordsPerBlock;
                for (std::int32_t chunk = 0; chunk * perBlock < table.d.highestId; ++chunk) {
                    std::int32_t n = ChunkBlock(table.d.group, chunk, false);
                    if (n == 0)
                        continue;
                    const std::uint8_t* data = cache_.ReadBlock(file_, n, false);
                    for (std::int32_t i = 0; i < perBlock && chunk * perBlock + i < table.d.highestId; ++i)
                        if (GetI32(data + i * table.d.recordLength) == LiveSlot)
                            ++live;
                }
                return live;
            };
            int indexed = 0;
            std::int32_t expected = -1;
            for (int c = 1; c <= table.d.columnCount; ++c) {
                if (!table.Column(c).IsIndexed())
                    continue;
                ++indexed;
                std::string column = where + ", index of column " + std::to_string(c) + ": ";
                std::int32_t nodes = 0;
                std::string fault = IndexTree(*this, table, c).Check(rules, &nodes);
                if (!fault.empty())
                    return column + fault;
                // Every live record is in every index of its table, but the one issued last and not written yet.
                if (expected < 0)
                    expected = liveRecords() - (pendingId_ != 0 && pendingTable_ == table.id ? 1 : 0);
                if (nodes != expected)
                    return column + std::to_string(nodes) + " records indexed, " + std::to_string(expected) +
                           " expected";
            }
            if (indexed != table.d.indexCount)
                return where + ": " + std::to_string(indexed) + " indexed columns, but the count says " +
                       std::to_string(table.d.indexCount);
        }
        return "";
    } catch (const EngineError& error) {
        return (where.empty() ? std::string("the catalogue") : where) + " cannot be read (error " +
               std::to_string(error.code) + ")";
    } catch (const std::bad_alloc&) {
        return "out of memory";
    }
}
