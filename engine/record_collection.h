// A list of record ids of one table with a cursor: the answer of a search or a selection. The ids are
// copies and stay valid after the transaction ends; the caller frees the collection.
#pragma once

#include "engine/tolvane.h"

#include <cstdint>
#include <memory>

struct RecordCollection {
public:
    static constexpr std::int32_t InitialCapacity = 100;

    RecordCollection(DatabaseFile& db, std::int32_t table);

    // Appends an id, growing the array by a tenth when it is full (100, 110, 121, ...).
    void Append(std::int32_t id);

    std::int32_t First();
    std::int32_t Last();
    // Past the end the answer is 0 and the cursor goes back to the first id, so the call after answers the second.
    std::int32_t Next();
    std::int32_t Previous();

    DatabaseFile& Database() const { return *db_; }
    std::int32_t Table() const { return table_; }
    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }
    std::int32_t Cursor() const { return cursor_; }
    std::int32_t* Ids() { return ids_.get(); }
    void ResetCursor() { cursor_ = -1; }

private:
    DatabaseFile* db_;
    std::int32_t table_;
    std::int32_t capacity_ = InitialCapacity;
    std::int32_t count_ = 0;
    std::int32_t cursor_ = -1;
    std::unique_ptr<std::int32_t[]> ids_;
};

namespace tolvane {

// Every record of the table whose column equals the key, in index chain order, else in ascending ids.
std::unique_ptr<RecordCollection> FindAll(DatabaseFile& db, std::int32_t table, std::int32_t column, const void* key);
// The members of `from` whose record is live and whose column equals the key, in their order.
std::unique_ptr<RecordCollection> SelectAll(RecordCollection& from, std::int32_t column, const void* key);
// Sorts the ids by the column's value, keeping the order of equal values; the cursor goes before the first.
void SortCollection(RecordCollection& collection, std::int32_t column);

} // namespace tolvane
