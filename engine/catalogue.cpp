// The catalogue: adding, dropping, finding and describing tables and columns, adding and dropping indexes.
#include "engine/database_file.h"

#include "engine/index_tree.h"

#include <cstring>

using namespace tolvane;

namespace {

char FoldCase(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualNoCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (FoldCase(*a) != FoldCase(*b))
            return false;
    return *a == *b;
}

} // namespace

Table DatabaseFile::LoadTable(std::int32_t tableArgument)
{
    // Callers may pass anything in the high 16 bits of a table id.
    std::int32_t id = static_cast<std::uint16_t>(tableArgument);
    if (id < 1 || id > TableSlots())
        Fail(NoSuchTable);
    Table table;
    table.id = id;
    table.slot = id - 1;
    BlockRef block = DescriptorBlock(table.slot, false);
    if (!block)
        Fail(NoSuchTable);
    table.d.Decode(block.Data() + (table.slot % DescriptorsPerBlock) * DescriptorSize);
    if (table.d.IsFree())
        Fail(NoSuchTable);
    CheckStored(table.d.IsSound());
    return table;
}

void DatabaseFile::SaveTable(const Table& table)
{
    BlockRef block = DescriptorBlock(table.slot, true);
    table.d.Encode(block.Mutable() + (table.slot % DescriptorsPerBlock) * DescriptorSize);
}

std::int32_t DatabaseFile::ColumnNumber(const Table& table, std::int32_t columnArgument)
{
    std::int32_t column = static_cast<std::uint16_t>(columnArgument);
    if (column < 1 || column > table.d.columnCount)
        Fail(NoSuchColumn);
    return column;
}

std::int32_t DatabaseFile::AddTable(TableDefinition& definition)
{
    RequireTransaction();
    // Everything is checked before anything changes, so a refused table leaves no trace.
    int columnCount = definition.columnCount;
    if (definition.name == nullptr || definition.name[0] == '\0' || columnCount > MaxColumns
        || (columnCount > 0 && definition.columns == nullptr))
        Fail(LimitReached);
    int recordLength = SlotWordSize;
    int indexes = 0;
    for (int c = 0; c < columnCount; ++c) {
        const ColumnDefinition& column = definition.columns[c];
        int elementSize = ElementSize(column.type);
        if (elementSize < 0)
            Fail(LimitReached);
        int count = column.type == TypeLongText || column.count == 0 ? 1 : column.count;
        recordLength += count * elementSize;
        if (recordLength > MaxRecordLength)
            Fail(LimitReached);
        if (column.indexed != 0 && column.type != TypeLongText)
            ++indexes;
    }
    if (ErrorCode groups = CheckGroupsFor(indexes); groups != NoError)
        Fail(groups);

    std::int32_t slot = -1;
    std::int32_t slots = TableSlots();
    for (std::int32_t s = 0; s < slots && slot < 0; ++s) {
        BlockRef block = DescriptorBlock(s, false);
        if (!block || block.Data()[(s % DescriptorsPerBlock) * DescriptorSize] == '\0')
            slot = s;
    }
    if (slot < 0) {
        if (slots >= MaxTableSlots)
            Fail(LimitReached);
        if (slots % DescriptorsPerBlock == 0 && HeaderField16(header::BlockCount) >= MaxBlocks)
            Fail(LimitReached);
        slot = slots;
    }

    Table table;
    table.id = slot + 1;
    table.slot = slot;
    TableDescriptor& d = table.d;
    std::size_t nameLength = strnlen(definition.name, TableNameLength);
    std::memcpy(d.name, definition.name, nameLength);
    d.group = AllocateGroup(false);
    CheckStored(d.group >= 0);
    int offset = 0;
    for (int c = 0; c < columnCount; ++c) {
        ColumnDefinition& column = definition.columns[c];
        // The caller's definition learns the corrections.
        if (column.count == 0)
            column.count = 1;
        if (column.type == TypeLongText) {
            column.count = 1;
            column.indexed = 0;
        }
        ColumnDescriptor& col = d.columns[c];
        col.type = column.type;
        col.count = column.count;
        col.offset = static_cast<std::uint16_t>(offset);
        offset += col.Size();
        if (column.indexed != 0) {
            col.indexGroup = AllocateGroup(true);
            CheckStored(col.indexGroup > 0);
            ++d.indexCount;
        }
    }
    d.columnCount = static_cast<std::uint8_t>(columnCount);
    d.recordLength = static_cast<std::int16_t>(SlotWordSize + offset);
    d.recordsPerBlock = static_cast<std::int16_t>(BlockSize / d.recordLength);
    if (slot == slots)
        SetHeaderField16(header::TableSlots, slots + 1);
    SaveTable(table);
    textTableId_ = -1;
    return table.id;
}

void DatabaseFile::DeleteTable(std::int32_t tableArgument)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    for (int c = 1; c <= table.d.columnCount; ++c)
        if (table.Column(c).IsIndexed())
            ReleaseGroup(table.Column(c).indexGroup);
    ReleaseGroup(table.d.group);
    BlockRef block = DescriptorBlock(table.slot, false);
    std::memset(block.Mutable() + (table.slot % DescriptorsPerBlock) * DescriptorSize, 0, DescriptorSize);
    textTableId_ = -1;
}

std::int32_t DatabaseFile::GetTableId(const char* name)
{
    RequireTransaction();
    if (name == nullptr)
        return 0;
    std::int32_t slots = TableSlots();
    for (std::int32_t s = 0; s < slots; ++s) {
        BlockRef block = DescriptorBlock(s, false);
        if (!block)
            continue;
        char stored[TableNameLength + 1] = {};
        std::memcpy(stored, block.Data() + (s % DescriptorsPerBlock) * DescriptorSize, TableNameLength);
        if (stored[0] != '\0' && EqualNoCase(stored, name))
            return s + 1;
    }
    return 0;
}

void DatabaseFile::GetTable(std::int32_t tableArgument, TableDefinition& definition)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    if (definition.name != nullptr)
        std::memcpy(const_cast<char*>(definition.name), table.d.name, std::strlen(table.d.name) + 1);
    definition.columns = nullptr;
    definition.columnCount = table.d.columnCount;
    definition.highestId = table.d.highestId;
}

void DatabaseFile::GetColumn(std::int32_t tableArgument, std::int32_t columnArgument, ColumnInfo& info)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    const ColumnDescriptor& col = table.Column(ColumnNumber(table, columnArgument));
    info.type = col.type;
    info.count = col.count;
    info.indexed = col.IsIndexed() ? 1 : 0;
    info.offset = col.offset;
}

void DatabaseFile::AddIndex(std::int32_t tableArgument, std::int32_t columnArgument)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    int column = ColumnNumber(table, columnArgument);
    ColumnDescriptor& col = table.Column(column);
    // A long text is never indexed: every value compares equal.
    if (col.IsIndexed() || col.type == TypeLongText)
        return;
    if (static_cast<std::int64_t>(table.d.highestId) > static_cast<std::int64_t>(ChunksPerGroup) * NodesPerBlock)
        Fail(LimitReached);
    std::int32_t group = AllocateGroup(true);
    if (group < 0)
        Fail(NoGroupForIndex);
    col.indexGroup = group;
    col.indexRoot = 0;
    ++table.d.indexCount;
    SaveTable(table);
    FillIndex(table, column);
}

void DatabaseFile::FillIndex(Table& table, int column)
{
    IndexTree tree(*this, table, column);
    for (std::int32_t id = 1; id <= table.d.highestId; ++id) {
        RecordPlace place = LocateRecord(table, id, false);
        if (place && place.SlotWord() == LiveSlot)
            tree.Insert(place.Data(), id);
    }
}

void DatabaseFile::RemoveIndex(std::int32_t tableArgument, std::int32_t columnArgument)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    ColumnDescriptor& col = table.Column(ColumnNumber(table, columnArgument));
    if (!col.IsIndexed())
        return;
    ReleaseGroup(col.indexGroup);
    col.indexGroup = 0;
    col.indexRoot = 0;
    if (table.d.indexCount > 0)
        --table.d.indexCount;
    SaveTable(table);
}
