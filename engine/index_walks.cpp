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

tolvane::Table DatabaseFile::LoadForSearch(std::int32_t tableArgument, std::int32_t columnArgument, const void* key,
                                          int& column)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    column = ColumnNumber(table, columnArgument);
    if (key == nullptr)
        Fail(LimitReached);
    return table;
}

std::int32_t DatabaseFile::NextEqualRecord(tolvane::Table& table, int column, const std::uint8_t* key,
                                           std::int32_t previous)
{
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

std::int32_t DatabaseFile::FindNextRecord(std::int32_t previous, std::int32_t tableArgument,
                                          std::int32_t columnArgument, const void* key)
{
    int column = 0;
    Table table = LoadForSearch(tableArgument, columnArgument, key, column);
    return NextEqualRecord(table, column, static_cast<const std::uint8_t*>(key), previous);
}

void DatabaseFile::FindEveryRecord(std::int32_t tableArgument, std::int32_t columnArgument, const void* keyArgument,
                                   const std::function<void(std::int32_t)>& take)
{
    int column = 0;
    Table table = LoadForSearch(tableArgument, columnArgument, keyArgument, column);
    const auto* key = static_cast<const std::uint8_t*>(keyArgument);
    // No table holds more records than ids were issued: more found means a damaged index (NextEqual also
    // catches a chain that turns back on itself).
    std::int64_t found = 0;
    for (std::int32_t id = NextEqualRecord(table, column, key, 0); id > 0;
         id = NextEqualRecord(table, column, key, id)) {
        CheckStored(++found <= table.d.highestId);
        take(id);
    }
}
