// Records: issuing, reading, writing and deleting them, single fields, and long texts kept as chains of
// pieces in the built-in table "@@TEXT".
#include "engine/database_file.h"

#include "engine/index_tree.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace tolvane;

namespace {

const std::uint8_t ZeroRecord[MaxRecordLength] = {};

} // namespace

bool DatabaseFile::IsLive(const Table& table, std::int32_t id)
{
    RecordPlace place = LocateRecord(table, id, false);
    return place && place.SlotWord() == LiveSlot;
}

void DatabaseFile::PutRecord(Table& table, std::int32_t id, const std::uint8_t* data, bool indexed)
{
    RecordPlace place = LocateRecord(table, id, true);
    std::uint8_t* slot = place.block.Mutable() + place.offset;
    PutI32(slot, LiveSlot);
    std::memmove(slot + SlotWordSize, data, static_cast<std::size_t>(table.d.DataLength()));
    for (int c = 1; indexed && c <= table.d.columnCount; ++c) {
        if (!table.Column(c).IsIndexed())
            continue;
        IndexTree tree(*this, table, c);
        tree.Remove(id);
        tree.Insert(slot + SlotWordSize, id);
    }
}

void DatabaseFile::EnsureRoomForBlocks(int blocks)
{
    // Refusing up front keeps a full file from failing an operation half-way.
    std::int32_t count = HeaderField16(header::BlockCount);
    if (count + blocks <= MaxBlocks || GetU16(header_.Data() + header::Version) != FormatVersion)
        return;
    int free = MaxBlocks - count;
    std::int32_t n = GetI32(header_.Data() + header::FreeBlockHead);
    while (n != 0 && free < blocks) {
        CheckBlockNumber(n);
        ++free;
        n = GetI32(Block(n, false).Data());
    }
    if (free < blocks)
        Fail(LimitReached);
}

std::int32_t DatabaseFile::NewId(std::int32_t tableArgument)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    std::int32_t id;
    if (table.d.freeIdHead >= 1) {
        // The id deleted last is issued first.
        id = table.d.freeIdHead;
        RecordPlace place = LocateRecord(table, id, false);
        CheckStored(place && place.SlotWord() != LiveSlot);
        std::int32_t next = place.SlotWord();
        CheckStored(next >= 0 && next <= table.d.highestId);
        table.d.freeIdHead = next;
    } else {
        if (table.d.highestId >= MaxRecordIds(table.d))
            Fail(LimitReached);
        // A record that starts a new block (and maybe a new page map) of data or index nodes needs them.
        std::int32_t index = table.d.highestId;
        int blocks = 0;
        if (index % table.d.recordsPerBlock == 0)
            blocks += (index / table.d.recordsPerBlock) % PageMapEntries == 0 ? 2 : 1;
        if (index % NodesPerBlock == 0)
            blocks += table.d.indexCount * ((index / NodesPerBlock) % PageMapEntries == 0 ? 2 : 1);
        EnsureRoomForBlocks(blocks);
        id = ++table.d.highestId;
    }
    SaveTable(table);
    // The record of zeros enters the indexes only when something looks before it is written (see
    // SettlePendingRecord): a write right after enters it once, with its real key, in the same place.
    bool indexed = table.d.indexCount > 0;
    PutRecord(table, id, ZeroRecord, false);
    if (indexed) {
        pendingTable_ = table.id;
        pendingId_ = id;
    }
    return id;
}

void DatabaseFile::SettlePendingRecord()
{
    std::int32_t tableId = pendingTable_;
    std::int32_t id = pendingId_;
    pendingTable_ = 0;
    pendingId_ = 0;
    Table table = LoadTable(tableId);
    RecordPlace place = LocateRecord(table, id, false);
    CheckStored(place && place.SlotWord() == LiveSlot);
    for (int c = 1; c <= table.d.columnCount; ++c)
        if (table.Column(c).IsIndexed())
            IndexTree(*this, table, c).Insert(place.Data(), id);
    // What settling changed is complete; a failure of the operation after it leaves the transaction sound.
    changesBefore_ = cache_.ChangeCounter();
}

std::int32_t DatabaseFile::ReadRecord(std::int32_t tableArgument, std::int32_t id, void* buffer, bool skip)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    if (id < 1 || id > table.d.highestId)
        Fail(NoSuchRecord);
    for (;; ++id) {
        if (id > table.d.highestId)
            Fail(NoSuchRecord);
        RecordPlace place = LocateRecord(table, id, false);
        if (place && place.SlotWord() == LiveSlot) {
            if (buffer != nullptr)
                std::memcpy(buffer, place.Data(), static_cast<std::size_t>(table.d.DataLength()));
            return id;
        }
        if (!skip)
            Fail(NoSuchRecord);
        // A chunk without a block holds no record: on at its end, so that skipping costs a step per block,
        // not per id (a damaged highest id may lie far beyond the records the file holds).
        if (!place)
            id = ((id - 1) / table.d.recordsPerBlock + 1) * table.d.recordsPerBlock;
    }
}

void DatabaseFile::WriteRecord(std::int32_t tableArgument, std::int32_t id, const void* data)
{
    RequireTransaction(false);
    bool firstWrite = pendingId_ == id && pendingTable_ == static_cast<std::uint16_t>(tableArgument);
    if (!firstWrite)
        RequireTransaction();
    Table table = LoadTable(tableArgument);
    if (id < 1 || id > table.d.highestId || !IsLive(table, id))
        Fail(NoSuchRecord);
    if (data == nullptr)
        Fail(LimitReached);
    if (firstWrite) {
        // Not in the indexes yet: inserting it with its key is what removing the zero key and inserting
        // again would leave.
        pendingTable_ = 0;
        pendingId_ = 0;
        PutRecord(table, id, static_cast<const std::uint8_t*>(data), false);
        RecordPlace place = LocateRecord(table, id, false);
        for (int c = 1; c <= table.d.columnCount; ++c)
            if (table.Column(c).IsIndexed())
                IndexTree(*this, table, c).Insert(place.Data(), id);
        return;
    }
    PutRecord(table, id, static_cast<const std::uint8_t*>(data));
}

void DatabaseFile::DeleteRecord(std::int32_t tableArgument, std::int32_t id)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    if (id < 1 || id > table.d.highestId || !IsLive(table, id))
        Fail(NoSuchRecord);
    for (int c = 1; c <= table.d.columnCount; ++c)
        if (table.Column(c).IsIndexed())
            IndexTree(*this, table, c).Remove(id);
    RecordPlace place = LocateRecord(table, id, false);
    PutI32(place.block.Mutable() + place.offset, table.d.freeIdHead);
    table.d.freeIdHead = id;
    SaveTable(table);
    for (int c = 1; c <= table.d.columnCount; ++c) {
        const ColumnDescriptor& col = table.Column(c);
        if (col.type != TypeLongText)
            continue;
        std::int32_t first = GetI32(place.Data() + col.offset);
        if (first != 0)
            DeleteTextChain(first);
    }
}

std::int32_t DatabaseFile::NumberOfRecords(std::int32_t tableArgument)
{
    RequireTransaction();
    return LoadTable(tableArgument).d.highestId;
}

std::int32_t DatabaseFile::GetField(std::int32_t tableArgument, std::int32_t columnArgument, std::int32_t id,
                                    void* buffer, std::int32_t length)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    const ColumnDescriptor& col = table.Column(ColumnNumber(table, columnArgument));
    if (id < 1 || id > table.d.highestId)
        Fail(NoSuchRecord);
    RecordPlace place = LocateRecord(table, id, false);
    if (!place || place.SlotWord() != LiveSlot)
        Fail(NoSuchRecord);
    const std::uint8_t* field = place.Data() + col.offset;
    if (col.type == TypeLongText) {
        std::int32_t first = GetI32(field);
        if (first == 0 || LongTextTable() == 0)
            return 0;
        return ReadLongText(first, static_cast<std::uint8_t*>(buffer), std::max(length, 0));
    }
    std::int32_t size = col.Size();
    // A buffer too short gets nothing, so a caller can ask for the size first.
    if (buffer != nullptr && length >= size)
        std::memcpy(buffer, field, static_cast<std::size_t>(size));
    return size;
}

void DatabaseFile::SetField(std::int32_t tableArgument, std::int32_t columnArgument, std::int32_t id, const void* data,
                            std::int32_t length)
{
    RequireTransaction();
    Table table = LoadTable(tableArgument);
    int column = ColumnNumber(table, columnArgument);
    const ColumnDescriptor& col = table.Column(column);
    if (id < 1 || id > table.d.highestId || !IsLive(table, id))
        Fail(NoSuchRecord);
    if (col.type == TypeLongText) {
        if (length < 0 || (length > 0 && data == nullptr))
            Fail(LimitReached);
        WriteLongText(table, column, id, static_cast<const std::uint8_t*>(data), length);
        return;
    }
    if (data == nullptr)
        Fail(LimitReached);
    RecordPlace place = LocateRecord(table, id, false);
    std::uint8_t* record = place.block.Mutable() + place.offset + SlotWordSize;
    std::memmove(record + col.offset, data, static_cast<std::size_t>(col.Size()));
    if (col.IsIndexed()) {
        IndexTree tree(*this, table, column);
        tree.Remove(id);
        tree.Insert(record, id);
    }
}

std::int32_t DatabaseFile::LongTextTable()
{
    if (textTableId_ < 0)
        textTableId_ = GetTableId(LongTextTableName);
    return textTableId_;
}

namespace {

// The ids of a chain of text pieces, checked: every piece live, no circle.
std::vector<std::int32_t> ChainOf(DatabaseFile& db, const Table& text, std::int32_t first)
{
    std::vector<std::int32_t> ids;
    for (std::int32_t id = first; id != 0;) {
        CheckStored(id >= 1 && id <= text.d.highestId && ids.size() < static_cast<std::size_t>(text.d.highestId));
        RecordPlace place = db.LocateRecord(text, id, false);
        CheckStored(place && place.SlotWord() == LiveSlot);
        ids.push_back(id);
        id = GetI32(place.Data() + TextPieceNext);
    }
    return ids;
}

Table CheckedTextTable(DatabaseFile& db, std::int32_t id)
{
    Table text = db.LoadTable(id);
    CheckStored(text.d.columnCount >= 1 && text.d.DataLength() >= TextPieceColumnCount);
    return text;
}

} // namespace

std::int32_t DatabaseFile::ReadLongText(std::int32_t first, std::uint8_t* buffer, std::int32_t length)
{
    Table text = CheckedTextTable(*this, LongTextTable());
    std::int32_t total = 0;
    for (std::int32_t id : ChainOf(*this, text, first)) {
        RecordPlace place = LocateRecord(text, id, false);
        std::int32_t pieceLength = GetI32(place.Data() + TextPieceLength);
        CheckStored(pieceLength >= 0 && pieceLength <= TextPieceBytes);
        std::int32_t copied = std::min(pieceLength, std::max(length - total, 0));
        if (buffer != nullptr && copied > 0)
            std::memcpy(buffer + total, place.Data(), static_cast<std::size_t>(copied));
        total += pieceLength;
    }
    return total;
}

void DatabaseFile::DeleteTextChain(std::int32_t first)
{
    std::int32_t textId = LongTextTable();
    if (textId == 0)
        return;
    for (std::int32_t id : ChainOf(*this, CheckedTextTable(*this, textId), first))
        DeleteRecord(textId, id);
}

void DatabaseFile::WriteLongText(Table& table, int column, std::int32_t id, const std::uint8_t* text,
                                 std::int32_t length)
{
    if (LongTextTable() == 0) {
        ColumnDefinition pieces{TypeText, 0, TextPieceColumnCount, 0, 0};
        TableDefinition definition{LongTextTableName, &pieces, 1, 0};
        textTableId_ = AddTable(definition);
    }
    std::int32_t textId = textTableId_;
    const ColumnDescriptor& col = table.Column(column);
    RecordPlace place = LocateRecord(table, id, false);
    std::int32_t first = GetI32(place.Data() + col.offset);
    if (length == 0) {
        PutI32(place.block.Mutable() + place.offset + SlotWordSize + col.offset, 0);
        if (first != 0)
            DeleteTextChain(first);
        return;
    }
    std::vector<std::int32_t> old =
        first != 0 ? ChainOf(*this, CheckedTextTable(*this, textId), first) : std::vector<std::int32_t>();
    std::size_t pieces = (static_cast<std::size_t>(length) + TextPieceBytes - 1) / TextPieceBytes;
    if (pieces > old.size())
        EnsureRoomForBlocks(static_cast<int>(2 + (pieces - old.size()) / TextPiecesPerBlock));
    // The old chain's pieces are reused in order; new ones are issued when it runs out.
    std::vector<std::int32_t> ids(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(std::min(pieces, old.size())));
    while (ids.size() < pieces)
        ids.push_back(NewId(textId));
    Table pieceTable = CheckedTextTable(*this, textId);
    std::uint8_t piece[TextPieceColumnCount] = {};
    for (std::size_t i = 0; i < pieces; ++i) {
        std::int32_t offset = static_cast<std::int32_t>(i) * TextPieceBytes;
        std::int32_t pieceLength = std::min(length - offset, TextPieceBytes);
        std::memset(piece, 0, sizeof piece);
        std::memcpy(piece, text + offset, static_cast<std::size_t>(pieceLength));
        PutI32(piece + TextPieceLength, pieceLength);
        PutI32(piece + TextPieceNext, i + 1 < pieces ? ids[i + 1] : 0);
        PutRecord(pieceTable, ids[i], piece);
    }
    if (first != ids[0])
        PutI32(place.block.Mutable() + place.offset + SlotWordSize + col.offset, ids[0]);
    for (std::size_t i = pieces; i < old.size(); ++i)
        DeleteRecord(textId, old[i]);
}
