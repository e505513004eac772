// A damaged or cut database file is opened and walked read-only: every table, column, record, long text
// and index, in both directions, with searches, collections and sorts. Only error answers may come back:
// no crash, no sanitizer report, no endless walk, and the file is never written.
#include "engine/tolvane.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t MaxTables = 40;
constexpr std::int32_t MaxIds = 3000; // walks are capped: a damaged highest id may be huge

std::string ScratchPath()
{
    // Unique to this process: fuzz runs may go side by side.
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("tolvane-fuzz-" + std::to_string(std::random_device{}()) + ".vdb"))
            .string();
    return path;
}

std::vector<std::uint8_t> Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WalkColumn(DatabaseFile* db, std::int32_t table, std::int32_t column, const ColumnInfo& info,
                const std::vector<std::uint8_t>& record)
{
    const std::uint8_t* key = record.data() + info.offset;
    std::int32_t steps = 0;
    for (std::int32_t id = tlvGetFirstRecord(table, column, db); id > 0 && steps < MaxIds; ++steps)
        id = tlvGetNextRecord(table, column, id, steps % 2, db);
    steps = 0;
    for (std::int32_t id = tlvGetLastRecord(table, column, db); id > 0 && steps < MaxIds; ++steps)
        id = tlvGetPreviousRecord(table, column, id, 1, db);
    steps = 0;
    for (std::int32_t id = tlvFindNextRecord(0, table, column, key, db); id > 0 && steps < MaxIds; ++steps)
        id = tlvFindNextRecord(id, table, column, key, db);
    if (RecordCollection* found = tlvFindAll(table, column, key, db)) {
        tlvSortColl(column, found);
        if (RecordCollection* selected = tlvSelectAll(found, column, key)) {
            tlvGetLastCollRecord(selected);
            tlvDeleteColl(selected);
        }
        for (std::int32_t id = tlvGetFirstCollRecord(found); id != 0; id = tlvGetNextCollRecord(found)) {
        }
        for (std::int32_t id = tlvGetLastCollRecord(found); id != 0; id = tlvGetPreviousCollRecord(found)) {
        }
        tlvDeleteColl(found);
    }
}

void WalkTable(DatabaseFile* db, std::int32_t table)
{
    char name[16] = {};
    TableDefinition definition{name, nullptr, 0, 0};
    if (tlvGetTable(table, &definition, db) != 0)
        return;
    tlvGetTableID(name, db);
    std::vector<ColumnInfo> columns;
    std::size_t length = 0;
    for (std::int32_t column = 1; column <= definition.columnCount; ++column) {
        ColumnInfo info{};
        if (tlvGetColumn(table, column, &info, db) != 0)
            return;
        columns.push_back(info);
        std::size_t end = static_cast<std::size_t>(info.offset) + 8u * info.count + 8;
        if (end > length)
            length = end;
    }
    std::vector<std::uint8_t> record(length + 8192, 0);
    std::int32_t highest = tlvNumberOfRecords(table, db);
    std::vector<std::uint8_t> text;
    for (std::int32_t id = 1; id <= highest && id <= MaxIds; ++id) {
        if (tlvReadRecord(table, id, record.data(), db) != 0) {
            tlvReadNextRecord(table, id, 1, record.data(), db);
            continue;
        }
        for (std::int32_t column = 1; column <= definition.columnCount; ++column) {
            std::int32_t size = tlvGetField(table, column, id, nullptr, 0, db);
            if (size > 0 && size <= 1 << 20) {
                text.assign(static_cast<std::size_t>(size), 0);
                tlvGetField(table, column, id, text.data(), size, db);
            }
        }
    }
    for (std::int32_t column = 1; column <= definition.columnCount; ++column)
        WalkColumn(db, table, column, columns[column - 1], record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    DatabaseFile* db = tlvOpenDatabaseEx(path.c_str(), 0);
    if (db) {
        // Two blocks or eight: a full cache reads in place, one with room copies blocks in.
        tlvSetMemory(size % 2 == 0 ? 16 : 64, db);
        if (tlvStartTransaction(TLV_READ, db) == 0) {
            tlvGetTableID("@@TEXT", db);
            for (std::int32_t table = 1; table <= MaxTables; ++table)
                WalkTable(db, table);
            tlvEndTransaction(1, db);
        }
        tlvCloseDatabase(db);
    }
    std::vector<std::uint8_t> after = Read(path);
    if (after.size() != size || (size > 0 && !std::equal(after.begin(), after.end(), data))) {
        std::fprintf(stderr, "engine_fuzz: a read-only walk changed the file (%zu bytes, now %zu)\n", size,
                     after.size());
        std::abort();
    }
    std::filesystem::remove(path);
    return 0;
}
