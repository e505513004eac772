// Two runs for every input.
//
// The input as a database file, damaged or cut: opened and walked read-only, every table, column, record, long
// text and index, in both directions, with searches, collections and sorts. Only error answers may come back:
// no crash, no sanitizer report, no endless walk, and the file is never written. After each step of the walk
// (a call, or the reads of one record) the block cache must be consistent, whatever the file holds. The indexes are
// checked as well, but a damaged file may hold a broken index, and the engine meets damage only where a call reads it:
// a broken index is no fault. What must hold is that the read-only walk changes nothing the check finds, and that an
// index the check finds sound is walked exactly, every record once and back in reverse.
//
// The input as a script of changes to a database the engine makes itself: new, rewritten and deleted records,
// fields, long texts, indexes added and removed, tables added and dropped, commits, discards and nested
// transactions. Nothing here is damaged, so after every change the cache and every index must be consistent,
// and an index that no removal has touched since it was built must be balanced.
#include "engine/database_file.h"
#include "engine/index_tree.h"
#include "engine/tolvane.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t MaxTables = 40;
constexpr std::int32_t MaxIds = 3000; // walks are capped: a damaged highest id may be huge

std::string ScratchPath(const char* kind)
{
    // Unique to this process: fuzz runs may go side by side.
    static const std::string stem =
        (std::filesystem::temp_directory_path() / ("tolvane-fuzz-" + std::to_string(std::random_device{}()))).string();
    return stem + kind + ".vdb";
}

std::vector<std::uint8_t> Read(const std::string& path)
{
    // In one read: byte by byte through a stream iterator, this took a good share of the run.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(in ? static_cast<std::size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(in ? bytes.size() : static_cast<std::size_t>(in.gcount()));
    return bytes;
}

[[noreturn]] void Fault(const std::string& what)
{
    std::fprintf(stderr, "engine_fuzz: %s\n", what.c_str());
    std::abort();
}

// After each step of the read-only walk: the cache's bookkeeping never depends on what the file holds.
void CacheSound(DatabaseFile* db)
{
    std::string fault = db->CheckCache();
    if (!fault.empty())
        Fault("block cache: " + fault);
}

// The number of records in a column's index when IndexTree::Check finds it sound, else -1.
std::int32_t SoundIndexSize(DatabaseFile* db, std::int32_t table, std::int32_t column)
{
    try {
        tolvane::Table t = db->LoadTable(table);
        if (column < 1 || column > t.d.columnCount || !t.Column(column).IsIndexed())
            return -1;
        std::int32_t nodes = 0;
        return tolvane::IndexTree(*db, t, column).Check(tolvane::TreeCheck::Order, &nodes).empty() ? nodes : -1;
    } catch (const tolvane::EngineError&) {
        return -1;
    }
}

void WalkColumn(DatabaseFile* db, std::int32_t table, std::int32_t column, const ColumnInfo& info,
                const std::vector<std::uint8_t>& record)
{
    // A sound index must be walked exactly: every record once, and back in reverse.
    std::int32_t size = SoundIndexSize(db, table, column);
    if (size >= 0 && size <= MaxIds) {
        std::vector<std::int32_t> forward;
        for (std::int32_t id = tlvGetFirstRecord(table, column, db);
             id > 0 && forward.size() <= static_cast<std::size_t>(size);
             id = tlvGetNextRecord(table, column, id, 1, db))
            forward.push_back(id);
        CacheSound(db);
        std::vector<std::int32_t> backward;
        for (std::int32_t id = forward.empty() ? 0 : forward.back();
             id > 0 && backward.size() <= static_cast<std::size_t>(size);
             id = tlvGetPreviousRecord(table, column, id, 1, db))
            backward.push_back(id);
        CacheSound(db);
        std::reverse(backward.begin(), backward.end());
        if (forward.size() != static_cast<std::size_t>(size) ||
            std::set<std::int32_t>(forward.begin(), forward.end()).size() != forward.size() || backward != forward)
            Fault("table " + std::to_string(table) + ", column " + std::to_string(column) + ": a sound index of " +
                  std::to_string(size) + " records walks " + std::to_string(forward.size()) + " forward and " +
                  std::to_string(backward.size()) + " back");
    }

    const std::uint8_t* key = record.data() + info.offset;
    std::int32_t steps = 0;
    for (std::int32_t id = tlvGetFirstRecord(table, column, db); id > 0 && steps < MaxIds; ++steps) {
        CacheSound(db);
        id = tlvGetNextRecord(table, column, id, steps % 2, db);
    }
    steps = 0;
    for (std::int32_t id = tlvGetLastRecord(table, column, db); id > 0 && steps < MaxIds; ++steps) {
        CacheSound(db);
        id = tlvGetPreviousRecord(table, column, id, 1, db);
    }
    steps = 0;
    for (std::int32_t id = tlvFindNextRecord(0, table, column, key, db); id > 0 && steps < MaxIds; ++steps) {
        CacheSound(db);
        id = tlvFindNextRecord(id, table, column, key, db);
    }
    CacheSound(db);
    if (RecordCollection* found = tlvFindAll(table, column, key, db)) {
        CacheSound(db);
        tlvSortColl(column, found);
        CacheSound(db);
        if (RecordCollection* selected = tlvSelectAll(found, column, key)) {
            tlvGetLastCollRecord(selected);
            tlvDeleteColl(selected);
        }
        CacheSound(db);
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
    CacheSound(db);
    std::vector<std::uint8_t> record(length + 8192, 0);
    std::int32_t highest = tlvNumberOfRecords(table, db);
    std::vector<std::uint8_t> text;
    for (std::int32_t id = 1; id <= highest && id <= MaxIds; ++id) {
        if (tlvReadRecord(table, id, record.data(), db) != 0) {
            tlvReadNextRecord(table, id, 1, record.data(), db);
            CacheSound(db);
            continue;
        }
        for (std::int32_t column = 1; column <= definition.columnCount; ++column) {
            std::int32_t size = tlvGetField(table, column, id, nullptr, 0, db);
            if (size > 0 && size <= 1 << 20) {
                text.assign(static_cast<std::size_t>(size), 0);
                tlvGetField(table, column, id, text.data(), size, db);
            }
        }
        CacheSound(db);
    }
    for (std::int32_t column = 1; column <= definition.columnCount; ++column)
        WalkColumn(db, table, column, columns[column - 1], record);
}

void WalkFile(const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchPath("-file");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    DatabaseFile* db = tlvOpenDatabaseEx(path.c_str(), 0);
    if (db) {
        CacheSound(db);
        // Two blocks or eight: a full cache reads in place, one with room copies blocks in.
        tlvSetMemory(size % 2 == 0 ? 16 : 64, db);
        if (tlvStartTransaction(TLV_READ, db) == 0) {
            CacheSound(db);
            // Whatever the check finds in the file, reading it must not change that.
            std::string before = db->CheckIndexes(tolvane::TreeCheck::Order);
            CacheSound(db);
            tlvGetTableID("@@TEXT", db);
            for (std::int32_t table = 1; table <= MaxTables; ++table)
                WalkTable(db, table);
            std::string after = db->CheckIndexes(tolvane::TreeCheck::Order);
            if (after != before)
                Fault("a read-only walk changed what the index check finds: \"" + before + "\", then \"" + after +
                      "\"");
            CacheSound(db);
            tlvEndTransaction(1, db);
        }
        CacheSound(db);
        tlvCloseDatabase(db);
    }
    std::vector<std::uint8_t> after = Read(path);
    if (after.size() != size || (size > 0 && !std::equal(after.begin(), after.end(), data))) {
        std::fprintf(stderr, "engine_fuzz: a read-only walk changed the file (%zu bytes, now %zu)\n", size,
                     after.size());
        std::abort();
    }
    std::filesystem::remove(path);
}

// ---- the script of changes ----

constexpr int ScriptBytes = 256;
constexpr int StepBytes = 4;

// The input folded onto a fixed stream of bytes: a seed that is mostly zeros still makes a varied script, and
// every byte of the input changes one step.
std::array<std::uint8_t, ScriptBytes> ScriptOf(const std::uint8_t* data, std::size_t size)
{
    std::array<std::uint8_t, ScriptBytes> script{};
    std::mt19937 stream(20261211);
    for (std::uint8_t& byte : script)
        byte = static_cast<std::uint8_t>(stream());
    for (std::size_t i = 0; i < size; ++i)
        script[i % ScriptBytes] ^= data[i];
    return script;
}

// PERSON: an indexed number, an indexed name, a plain number whose index comes and goes, a long text.
struct Row {
    std::int32_t number;
    char name[12];
    std::int32_t plain;
    std::int32_t note;
};
static_assert(sizeof(Row) == 24);

class Script {
public:
    explicit Script(DatabaseFile* db) : db_(db) {}

    bool Begin()
    {
        ColumnDefinition columns[] = {
            {TLV_INT32, 0, 1, 1, 0}, {TLV_TEXT, 0, 12, 1, 0}, {TLV_INT32, 0, 1, 0, 0}, {TLV_LONGTEXT, 0, 1, 0, 0}};
        TableDefinition person{"PERSON", columns, 4, 0};
        // The table is committed at once, so that no discard takes it away.
        if (tlvStartTransaction(TLV_READWRITE, db_) != 0 || (table_ = tlvAddTable(&person, db_)) <= 0 ||
            tlvEndTransaction(1, db_) != 0 || tlvStartTransaction(TLV_READWRITE, db_) != 0)
            return false;
        depth_ = 1;
        Committed();
        return true;
    }

    void Step(int number, const std::uint8_t* step)
    {
        std::uint8_t kind = step[0] % 16;
        std::int32_t a = step[1];
        std::int32_t b = step[2];
        std::int32_t c = step[3];
        switch (kind) {
        case 0:
        case 1:
        case 2: { // a new record, written at once
            std::int32_t id = tlvNewID(table_, db_);
            Row row = RowOf(a, b, c);
            if (id > 0)
                tlvWriteRecord(table_, id, &row, db_);
            break;
        }
        case 3: // a new id not written yet: it enters the indexes with a zero key when something looks
            tlvNewID(table_, db_);
            break;
        case 4: { // a record written again: removed from every index and inserted again
            Removal(true, true, true);
            Row row = RowOf(b, c, a);
            tlvWriteRecord(table_, IdOf(a), &row, db_);
            break;
        }
        case 5:
            Removal(true, true, true);
            tlvDeleteRecord(table_, IdOf(a), db_);
            break;
        case 6: { // a field: an indexed one moves its record in that index
            std::int32_t column = 1 + b % 3;
            Row row = RowOf(b, c, a);
            const void* field = column == 1   ? static_cast<const void*>(&row.number)
                                : column == 2 ? static_cast<const void*>(row.name)
                                              : &row.plain;
            Removal(column == 1, column == 2, column == 3);
            tlvSetField(table_, column, IdOf(a), field, column == 2 ? 12 : 4, db_);
            break;
        }
        case 7: { // a long text of none to three pieces
            std::string note(static_cast<std::size_t>(b * 3), static_cast<char>('a' + c % 26));
            tlvSetField(table_, 4, IdOf(a), note.data(), static_cast<std::int32_t>(note.size()), db_);
            break;
        }
        case 8: // the plain column's index, built afresh by inserts, or dropped
            if (b % 2 == 0) {
                ColumnInfo info{};
                if (tlvGetColumn(table_, 3, &info, db_) == 0 && info.indexed == 0)
                    balanced_[2] = true;
                tlvAddIndex(table_, 3, db_);
            } else {
                tlvRemoveIndex(table_, 3, db_);
                balanced_[2] = true;
            }
            break;
        case 9: // a second table that only ever grows, or goes
            if (extra_ <= 0) {
                ColumnDefinition column{TLV_INT16, 0, 1, 1, 0};
                TableDefinition definition{"EXTRA", &column, 1, 0};
                extra_ = tlvAddTable(&definition, db_);
            } else if (b % 4 == 0) {
                tlvDeleteTable(extra_, db_);
                extra_ = tlvGetTableID("EXTRA", db_);
            } else {
                std::int32_t id = tlvNewID(extra_, db_);
                std::int16_t value = static_cast<std::int16_t>(b - c);
                if (id > 0)
                    tlvWriteRecord(extra_, id, &value, db_);
            }
            break;
        case 10: // the end of the outermost transaction, committed or not, and the next one
            if (depth_ == 1) {
                bool commit = a % 3 != 0;
                tlvEndTransaction(commit ? 1 : 0, db_);
                depth_ = 0;
                if (commit)
                    Committed();
                else
                    Discarded();
                Check(number, "between transactions");
                if (tlvStartTransaction(TLV_READWRITE, db_) == 0) {
                    depth_ = 1;
                    extra_ = tlvGetTableID("EXTRA", db_);
                }
            }
            break;
        case 11:
        case 12: // a nested transaction: its end decides nothing
            if (depth_ >= 1 && depth_ < 3 && tlvStartTransaction(TLV_READWRITE, db_) == 0)
                ++depth_;
            else if (depth_ > 1 && tlvEndTransaction(a % 2, db_) == 0)
                --depth_;
            break;
        case 13: // a small cache or none
            tlvSetMemory(a % 2 == 0 ? 16 * (1 + b % 4) : 0, db_);
            break;
        default: { // searches and walks settle an issued id, and must change nothing else
            std::int32_t key = a % 16;
            if (RecordCollection* found = tlvFindAll(table_, 1, &key, db_))
                tlvDeleteColl(found);
            for (std::int32_t id = tlvGetFirstRecord(table_, 2, db_), n = 0; id > 0 && n < 300; ++n)
                id = tlvGetNextRecord(table_, 2, id, 1, db_);
            break;
        }
        }
        Check(number, "after the step");
    }

    void End()
    {
        while (depth_ > 0) {
            tlvEndTransaction(1, db_);
            --depth_;
        }
        Committed();
        Check(-1, "at the end");
    }

private:
    static Row RowOf(std::int32_t a, std::int32_t b, std::int32_t c)
    {
        // Few distinct values, so that equal keys form chains; names differ in case and accents only at times.
        static const char* const names[] = {"Adams", "adams", "M\xFCller", "Muller", "Zander", "", "O'Brien", "Brien"};
        Row row{};
        row.number = a % 24 - 8;
        std::snprintf(row.name, sizeof row.name, "%s", names[b % 8]);
        row.plain = c % 5;
        return row;
    }
    std::int32_t IdOf(std::int32_t a) const
    {
        std::int32_t highest = depth_ > 0 ? tlvNumberOfRecords(table_, db_) : 0;
        return highest > 0 ? 1 + a % highest : 1;
    }
    void Removal(bool number, bool name, bool plain)
    {
        balanced_[0] = balanced_[0] && !number;
        balanced_[1] = balanced_[1] && !name;
        balanced_[2] = balanced_[2] && !plain;
    }
    void Committed() { committed_ = balanced_; }
    void Discarded() { balanced_ = committed_; }

    void Check(int number, const char* when)
    {
        auto fail = [&](const std::string& fault) {
            Fault("script step " + std::to_string(number) + ", " + when + ": " + fault);
        };
        bool own = depth_ == 0;
        if (own && tlvStartTransaction(TLV_READ, db_) != 0)
            fail("no transaction can start");
        std::string fault = db_->CheckIndexes(tolvane::TreeCheck::Order);
        if (!fault.empty())
            fail(fault);
        // A transaction broken by a failed change holds nothing to check until its end throws it away.
        if (!db_->Broken()) {
            try {
                tolvane::Table t = db_->LoadTable(table_);
                for (int column = 1; column <= 3; ++column)
                    if (balanced_[column - 1] && t.Column(column).IsIndexed()) {
                        fault = tolvane::IndexTree(*db_, t, column).Check(tolvane::TreeCheck::Balance);
                        if (!fault.empty())
                            fail("column " + std::to_string(column) + " keeps no balance: " + fault);
                    }
            } catch (const tolvane::EngineError& error) {
                fail("the table cannot be read (error " + std::to_string(error.code) + ")");
            }
        }
        fault = db_->CheckCache();
        if (!fault.empty())
            fail("block cache: " + fault);
        if (own) {
            tlvEndTransaction(1, db_);
            fault = db_->CheckCache();
            if (!fault.empty())
                fail("block cache between transactions: " + fault);
        }
    }

    DatabaseFile* db_;
    std::int32_t table_ = 0;
    std::int32_t extra_ = 0;
    int depth_ = 0;
    // Whether each indexed column's tree is still held to its balance, now and at the last commit.
    std::array<bool, 3> balanced_{true, true, true};
    std::array<bool, 3> committed_{true, true, true};
};

void RunScript(const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchPath("-script");
    DatabaseFile* db = tlvCreateDatabaseEx(path.c_str(), 0);
    if (db == nullptr)
        Fault("cannot create " + path);
    Script script(db);
    if (!script.Begin())
        Fault("cannot begin the script");
    std::array<std::uint8_t, ScriptBytes> steps = ScriptOf(data, size);
    for (int i = 0; i < ScriptBytes / StepBytes; ++i)
        script.Step(i, steps.data() + i * StepBytes);
    script.End();
    tlvCloseDatabase(db);
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WalkFile(data, size);
    RunScript(data, size);
    return 0;
}
