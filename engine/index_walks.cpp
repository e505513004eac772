// Record-level index calls: ordered walks and equality search, with a linear search for columns without
// an index.
#include "engine/database_file.h"

#include "engine/compare.h"
#include "engine/index_tree.h"

using namespace tolvane;

std::int32_t DatabaseFile::FirstInIndex(std::int32_t tableArgument, std::int32_t columnArgument, bool last)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    int column = ColumnNumber(table, columnArgument);
    if (!table.Column(column).IsIndexed())
        return 0;
    IndexTree tree(*this, table, column);
    return last ? tree.Last() : tree.First();
}

std::int32_t DatabaseFile::NextInIndex(std::int32_t tableArgument, std::int32_t columnArgument, std::int32_t id,
                                       bool withDuplicates, bool backwards)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    int column = ColumnNumber(table, columnArgument);
    if (!table.Column(column).IsIndexed())
        return 0;
    IndexTree tree(*this, table, column);
    if (!tree.Contains(id))
        return 0;
    return backwards ? tree.Previous(id, withDuplicates) : tree.Next(id, withDuplicates);
}

std::int32_t DatabaseFile::FindNextRecord(std::int32_t previous, std::int32_t tableArgument,
                                          std::int32_t columnArgument, const void* keyArgument)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    int column = ColumnNumber(table, columnArgument);
    if (keyArgument == nullptr)
        Fail(LimitReached);
    const auto* key = static_cast<const std::uint8_t*>(keyArgument);
    const ColumnDescriptor& col = table.Column(column);
    if (col.IsIndexed()) {
        IndexTree tree(*this, table, column);
        if (previous == 0)
            return tree.Find(key);
        if (previous < 1 || previous > table.d.highestId)
            return 0;
        return tree.NextEqual(previous);
    }
    for (std::int32_t id = previous < 0 ? 1 : previous + 1; id > 0 && id <= table.d.highestId; ++id) {
        RecordPlace place = LocateRecord(table, id, false);
        if (place && place.SlotWord() == LiveSlot && CompareValues(col, place.Data() + col.offset, key) == 0)
            return id;
    }
    return 0;
}
