#include "core/record_query.h"

#include <memory>

#include "core/database.h"

namespace {

struct CollectionDeleter {
    void operator()(RecordCollection* collection) const { tlvDeleteColl(collection); }
};
using Collection = std::unique_ptr<RecordCollection, CollectionDeleter>;

} // namespace

std::optional<std::vector<std::int32_t>> FindRecordIds(const RecordQuery& query, Database& database)
{
    const std::int32_t key = query.key;
    Collection found(tlvFindAll(database.TableId(query.table), query.column, &key, database.file));
    if (!found)
        return std::nullopt;
    Collection selected;
    RecordCollection* walked = found.get();
    if (query.selectColumn != 0) {
        const std::uint8_t value = query.selectValue;
        selected.reset(tlvSelectAll(found.get(), query.selectColumn, &value));
        if (!selected)
            return std::nullopt;
        walked = selected.get();
    }
    if (query.sortColumn != 0 && tlvSortColl(query.sortColumn, walked) != 0)
        return std::nullopt;
    std::vector<std::int32_t> ids;
    for (std::int32_t id = tlvGetFirstCollRecord(walked); id > 0; id = tlvGetNextCollRecord(walked))
        ids.push_back(id);
    return ids;
}

bool DeleteFoundRecords(const RecordQuery& query, Database& database)
{
    std::optional<std::vector<std::int32_t>> ids = FindRecordIds(query, database);
    if (!ids)
        return false;
    bool ok = true;
    for (std::int32_t id : *ids)
        ok = tlvDeleteRecord(database.TableId(query.table), id, database.file) == 0 && ok;
    return ok;
}
