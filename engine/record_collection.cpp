#include "engine/record_collection.h"

#include "engine/compare.h"
#include "engine/database_file.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

using namespace tolvane;

RecordCollection::RecordCollection(DatabaseFile& db, std::int32_t table)
    : db_(&db), table_(table), ids_(new std::int32_t[InitialCapacity])
{
}

void RecordCollection::Append(std::int32_t id)
{
    if (count_ == capacity_) {
        std::int32_t grown = capacity_ + capacity_ / 10;
        std::unique_ptr<std::int32_t[]> ids(new std::int32_t[grown]);
        std::copy(ids_.get(), ids_.get() + count_, ids.get());
        ids_ = std::move(ids);
        capacity_ = grown;
    }
    ids_[count_++] = id;
}

std::int32_t RecordCollection::First()
{
    cursor_ = 0;
    return count_ > 0 ? ids_[0] : 0;
}

std::int32_t RecordCollection::Last()
{
    cursor_ = count_ - 1;
    return count_ > 0 ? ids_[cursor_] : 0;
}

std::int32_t RecordCollection::Next()
{
    ++cursor_;
    if (cursor_ < count_)
        return ids_[cursor_];
    cursor_ = 0;
    return 0;
}

std::int32_t RecordCollection::Previous()
{
    if (cursor_ < 1)
        return 0;
    --cursor_;
    return ids_[cursor_];
}

namespace tolvane {

std::unique_ptr<RecordCollection> FindAll(DatabaseFile& db, std::int32_t table, std::int32_t column, const void* key)
{
    db.RequireTransaction();
    std::int32_t id = static_cast<std::uint16_t>(table);
    auto collection = std::make_unique<RecordCollection>(db, id);
    db.FindEveryRecord(id, column, key, [&](std::int32_t found) { collection->Append(found); });
    return collection;
}

std::unique_ptr<RecordCollection> SelectAll(RecordCollection& from, std::int32_t column, const void* key)
{
    DatabaseFile& db = from.Database();
    db.RequireTransaction();
    Table table = db.LoadTable(from.Table());
    const ColumnDescriptor& col = table.Column(DatabaseFile::ColumnNumber(table, column));
    if (key == nullptr)
        Fail(LimitReached);
    auto selection = std::make_unique<RecordCollection>(db, from.Table());
    for (std::int32_t i = 0; i < from.Count(); ++i) {
        std::int32_t id = from.Ids()[i];
        if (id < 1 || id > table.d.highestId)
            continue;
        RecordPlace place = db.LocateRecord(table, id, false);
        if (place && place.SlotWord() == LiveSlot
            && CompareValues(col, place.Data() + col.offset, static_cast<const std::uint8_t*>(key)) == 0)
            selection->Append(id);
    }
    return selection;
}

void SortCollection(RecordCollection& collection, std::int32_t column)
{
    DatabaseFile& db = collection.Database();
    db.RequireTransaction();
    Table table = db.LoadTable(collection.Table());
    const ColumnDescriptor& col = table.Column(DatabaseFile::ColumnNumber(table, column));
    // Each record's value is read once; a stable sort gives what passes of neighbour swaps would.
    std::size_t size = std::max(col.Size(), 1);
    std::vector<std::uint8_t> keys(static_cast<std::size_t>(collection.Count()) * size);
    for (std::int32_t i = 0; i < collection.Count(); ++i) {
        std::int32_t id = collection.Ids()[i];
        if (id < 1 || id > table.d.highestId)
            continue;
        RecordPlace place = db.LocateRecord(table, id, false);
        if (place)
            std::memcpy(keys.data() + i * size, place.Data() + col.offset, static_cast<std::size_t>(col.Size()));
    }
    std::vector<std::int32_t> order(static_cast<std::size_t>(collection.Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return CompareValues(col, keys.data() + a * size, keys.data() + b * size) < 0;
    });
    std::vector<std::int32_t> sorted(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        sorted[i] = collection.Ids()[order[i]];
    std::copy(sorted.begin(), sorted.end(), collection.Ids());
    collection.ResetCursor();
}

} // namespace tolvane
