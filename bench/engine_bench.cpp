// Tolvane against SQLite on the same data in one run: rows shaped like a person row (an indexed 40-byte text
// key, an indexed 32-bit key, 100 bytes of other fields). Both compare the text key with the platform's
// locale comparison (SQLite through a collation), both run with the same cache budget and full durability
// (a rollback journal flushed before the database is written).
#include "engine/tolvane.h"
#include "platform/text_compare.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int NameBytes = 40;
constexpr int OtherBytes = 100;

struct PersonRow {
    char name[NameBytes];
    std::int32_t number;
    std::uint8_t other[OtherBytes];
};
static_assert(sizeof(PersonRow) == NameBytes + 4 + OtherBytes);

const char* const Surnames[] = {"Andersson", "Bauer", "Castillo", "Dubois", "Eriksen", "Fischer", "Garc\xED" "a",
                                "Hansen", "Ivanova", "Jensen", "Kowalski", "Larsen", "M\xFCller", "Nielsen",
                                "O'Brien", "Petersen", "Quist", "Rossi", "Schmidt", "Tak\xE1" "cs", "Ulrich",
                                "Vald\xE9" "s", "Weber", "Xavier", "Young", "Zimmermann"};
const char* const Givens[] = {"Anna", "Bertil", "Carl", "Dagny", "\xC9" "mile", "Frida", "Gustav", "Helga", "Ingrid",
                              "Johan", "Karin", "Lars", "Maria", "Nils", "Olga", "Per", "Ragnhild", "Sven"};

// A cheap, well-mixed sequence from a seed (the rows are made on the fly for both engines alike).
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint32_t operator()()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 16);
    }

private:
    std::uint64_t state_;
};

PersonRow MakeRow(std::uint32_t seed)
{
    PersonRow row {};
    SplitMix random(seed);
    std::snprintf(row.name, sizeof row.name, "%s, %s %08u", Surnames[random() % std::size(Surnames)],
                  Givens[random() % std::size(Givens)], static_cast<unsigned>(random() % 100000000));
    row.number = static_cast<std::int32_t>(random() % 200000);
    for (int i = 0; i < OtherBytes; i += 4) {
        std::uint32_t bits = random();
        std::memcpy(row.other + i, &bits, 4);
    }
    return row;
}

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "engine_bench: %s failed\n", what);
        std::exit(1);
    }
}

struct Workload {
    int rows = 1000000;
    int memoryKb = 2048;
    std::vector<std::uint32_t> seeds;         // row i (id i + 1) is MakeRow(seeds[i])
    std::vector<std::int32_t> lookups;        // ids whose name is looked up
    std::vector<std::int32_t> updated;        // ids rewritten with a new row
    std::vector<std::int32_t> deleted;        // ids deleted
};

Workload MakeWorkload(int rows, int memoryKb)
{
    Workload w;
    w.rows = rows;
    w.memoryKb = memoryKb;
    std::mt19937 random(2024);
    for (int i = 0; i < rows; ++i)
        w.seeds.push_back(static_cast<std::uint32_t>(random()));
    std::vector<std::int32_t> ids(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i)
        ids[i] = i + 1;
    for (int i = 0; i < 100000; ++i)
        w.lookups.push_back(ids[random() % ids.size()]);
    std::shuffle(ids.begin(), ids.end(), random);
    std::size_t tenth = ids.size() / 10;
    w.updated.assign(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(tenth));
    w.deleted.assign(ids.begin() + static_cast<std::ptrdiff_t>(tenth), ids.begin() + static_cast<std::ptrdiff_t>(2 * tenth));
    return w;
}

struct Figures {
    std::vector<std::pair<std::string, double>> lines;
    long long checksum = 0;
};

Figures RunTolvane(const Workload& w, const std::string& path)
{
    Figures f;
    DatabaseFile* db = tlvCreateDatabaseEx(path.c_str(), 0);
    Require(db != nullptr, "tlvCreateDatabaseEx");
    tlvSetMemory(w.memoryKb, db);
    ColumnDefinition columns[] = {{TLV_TEXT, 0, NameBytes, 1, 0}, {TLV_INT32, 0, 1, 1, 0}, {TLV_BYTE, 0, OtherBytes, 0, 0}};
    TableDefinition definition {"PERSON", columns, 3, 0};
    tlvStartTransaction(TLV_READWRITE, db);
    std::int32_t table = tlvAddTable(&definition, db);
    Require(table > 0 && tlvEndTransaction(1, db) == 0, "tlvAddTable");

    f.lines.emplace_back("bulk insert (one transaction)", Seconds([&] {
        tlvStartTransaction(TLV_READWRITE, db);
        for (int i = 0; i < w.rows; ++i) {
            PersonRow row = MakeRow(w.seeds[i]);
            std::int32_t id = tlvNewID(table, db);
            tlvWriteRecord(table, id, &row, db);
        }
        Require(tlvEndTransaction(1, db) == 0, "bulk commit");
    }));
    f.lines.emplace_back("100,000 lookups by text key", Seconds([&] {
        tlvStartTransaction(TLV_READ, db);
        for (std::int32_t id : w.lookups) {
            PersonRow wanted = MakeRow(w.seeds[id - 1]);
            PersonRow row;
            std::int32_t found = tlvFindNextRecord(0, table, 1, wanted.name, db);
            if (found > 0 && tlvReadRecord(table, found, &row, db) == 0)
                f.checksum += row.number;
        }
        tlvEndTransaction(1, db);
    }));
    f.lines.emplace_back("walk of the text index in order", Seconds([&] {
        tlvStartTransaction(TLV_READ, db);
        PersonRow row;
        for (std::int32_t id = tlvGetFirstRecord(table, 1, db); id != 0; id = tlvGetNextRecord(table, 1, id, 1, db))
            if (tlvReadRecord(table, id, &row, db) == 0)
                f.checksum += row.name[0];
        tlvEndTransaction(1, db);
    }));
    f.lines.emplace_back("read every record by id", Seconds([&] {
        tlvStartTransaction(TLV_READ, db);
        PersonRow row;
        std::int32_t count = tlvNumberOfRecords(table, db);
        for (std::int32_t id = 1; id <= count; ++id)
            if (tlvReadRecord(table, id, &row, db) == 0)
                f.checksum += row.number;
        tlvEndTransaction(1, db);
    }));
    f.lines.emplace_back("update 10% with re-indexing", Seconds([&] {
        tlvStartTransaction(TLV_READWRITE, db);
        for (std::int32_t id : w.updated) {
            PersonRow row = MakeRow(w.seeds[id - 1] ^ 0x5A5A5A5Au);
            tlvWriteRecord(table, id, &row, db);
        }
        Require(tlvEndTransaction(1, db) == 0, "update commit");
    }));
    f.lines.emplace_back("delete 10%", Seconds([&] {
        tlvStartTransaction(TLV_READWRITE, db);
        for (std::int32_t id : w.deleted)
            tlvDeleteRecord(table, id, db);
        Require(tlvEndTransaction(1, db) == 0, "delete commit");
    }));
    f.lines.emplace_back("memory held at the end (KB)", tlvGetMemoryUsage(db));
    tlvCloseDatabase(db);
    return f;
}

int LocaleCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return platform::CompareLocaleText(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                                       std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) { Require(sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) == SQLITE_OK, sql); }
    ~Statement() { sqlite3_finalize(statement_); }
    sqlite3_stmt* operator*() const { return statement_; }
    bool Step() { return sqlite3_step(statement_) == SQLITE_ROW; }
    void Reset() { sqlite3_reset(statement_); }

private:
    sqlite3_stmt* statement_ = nullptr;
};

void Exec(sqlite3* db, const char* sql)
{
    Require(sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sql);
}

void BindRow(sqlite3_stmt* s, int first, const PersonRow& row)
{
    sqlite3_bind_text(s, first, row.name, -1, SQLITE_STATIC);
    sqlite3_bind_int(s, first + 1, row.number);
    sqlite3_bind_blob(s, first + 2, row.other, OtherBytes, SQLITE_STATIC);
}

Figures RunSqlite(const Workload& w, const std::string& path)
{
    Figures f;
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    Require(sqlite3_open(path.c_str(), &db) == SQLITE_OK, "sqlite3_open");
    Require(sqlite3_create_collation(db, "VLOCALE", SQLITE_UTF8, nullptr, LocaleCollation) == SQLITE_OK, "collation");
    Exec(db, ("PRAGMA cache_size = -" + std::to_string(w.memoryKb)).c_str());
    Exec(db, "PRAGMA journal_mode = DELETE");
    Exec(db, "PRAGMA synchronous = FULL");
    Exec(db, "CREATE TABLE person(id INTEGER PRIMARY KEY, name TEXT COLLATE VLOCALE, number INTEGER, other BLOB)");
    Exec(db, "CREATE INDEX person_name ON person(name)");
    Exec(db, "CREATE INDEX person_number ON person(number)");

    f.lines.emplace_back("bulk insert (one transaction)", Seconds([&] {
        Exec(db, "BEGIN");
        Statement insert(db, "INSERT INTO person(id, name, number, other) VALUES (?, ?, ?, ?)");
        for (int i = 0; i < w.rows; ++i) {
            PersonRow row = MakeRow(w.seeds[i]);
            sqlite3_bind_int(*insert, 1, i + 1);
            BindRow(*insert, 2, row);
            Require(sqlite3_step(*insert) == SQLITE_DONE, "insert");
            insert.Reset();
        }
        Exec(db, "COMMIT");
    }));
    f.lines.emplace_back("100,000 lookups by text key", Seconds([&] {
        Exec(db, "BEGIN");
        Statement select(db, "SELECT id, name, number, other FROM person WHERE name = ? LIMIT 1");
        for (std::int32_t id : w.lookups) {
            PersonRow wanted = MakeRow(w.seeds[id - 1]);
            sqlite3_bind_text(*select, 1, wanted.name, -1, SQLITE_STATIC);
            if (select.Step())
                f.checksum += sqlite3_column_int(*select, 2);
            select.Reset();
        }
        Exec(db, "COMMIT");
    }));
    f.lines.emplace_back("walk of the text index in order", Seconds([&] {
        Exec(db, "BEGIN");
        Statement walk(db, "SELECT id, name, number, other FROM person ORDER BY name");
        while (walk.Step())
            f.checksum += static_cast<const char*>(static_cast<const void*>(sqlite3_column_text(*walk, 1)))[0];
        Exec(db, "COMMIT");
    }));
    f.lines.emplace_back("read every record by id", Seconds([&] {
        Exec(db, "BEGIN");
        Statement read(db, "SELECT id, name, number, other FROM person WHERE id = ?");
        for (int id = 1; id <= w.rows; ++id) {
            sqlite3_bind_int(*read, 1, id);
            if (read.Step())
                f.checksum += sqlite3_column_int(*read, 2);
            read.Reset();
        }
        Exec(db, "COMMIT");
    }));
    f.lines.emplace_back("update 10% with re-indexing", Seconds([&] {
        Exec(db, "BEGIN");
        Statement update(db, "UPDATE person SET name = ?, number = ?, other = ? WHERE id = ?");
        for (std::int32_t id : w.updated) {
            PersonRow row = MakeRow(w.seeds[id - 1] ^ 0x5A5A5A5Au);
            BindRow(*update, 1, row);
            sqlite3_bind_int(*update, 4, id);
            Require(sqlite3_step(*update) == SQLITE_DONE, "update");
            update.Reset();
        }
        Exec(db, "COMMIT");
    }));
    f.lines.emplace_back("delete 10%", Seconds([&] {
        Exec(db, "BEGIN");
        Statement erase(db, "DELETE FROM person WHERE id = ?");
        for (std::int32_t id : w.deleted) {
            sqlite3_bind_int(*erase, 1, id);
            Require(sqlite3_step(*erase) == SQLITE_DONE, "delete");
            erase.Reset();
        }
        Exec(db, "COMMIT");
    }));
    int current = 0;
    int highest = 0;
    sqlite3_status(SQLITE_STATUS_MEMORY_USED, &current, &highest, 0);
    f.lines.emplace_back("memory held at the end (KB)", current / 1024);
    sqlite3_close(db);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    int rows = 1000000;
    int memoryKb = 2048;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--memory=", 0) == 0)
            memoryKb = std::atoi(arg.c_str() + 9);
        else
            rows = std::atoi(arg.c_str());
    }
    if (rows < 10) {
        std::fprintf(stderr, "usage: engine_bench [rows] [--memory=KB]\n");
        return 2;
    }
    Workload w = MakeWorkload(rows, memoryKb);
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tolvane-bench";
    std::filesystem::create_directories(folder);
    std::string tolvanePath = (folder / "bench.vdb").string();
    std::string sqlitePath = (folder / "bench.sqlite").string();

    Figures tolvane = RunTolvane(w, tolvanePath);
    Figures sqlite = RunSqlite(w, sqlitePath);

    std::printf("%d rows, cache budget %d KB for each engine\n", rows, memoryKb);
    std::printf("%-34s %12s %12s %14s\n", "operation", "Tolvane s", "SQLite s", "SQLite/Tolvane");
    for (std::size_t i = 0; i < tolvane.lines.size(); ++i) {
        const auto& [name, mine] = tolvane.lines[i];
        double theirs = sqlite.lines[i].second;
        std::printf("%-34s %12.3f %12.3f %14.2f\n", name.c_str(), mine, theirs, mine > 0 ? theirs / mine : 0.0);
    }
    std::printf("file size: Tolvane %.1f MB, SQLite %.1f MB\n",
                static_cast<double>(std::filesystem::file_size(tolvanePath)) / 1048576.0,
                static_cast<double>(std::filesystem::file_size(sqlitePath)) / 1048576.0);
    std::printf("checksums (equal when both read the same rows): %lld %lld\n", tolvane.checksum, sqlite.checksum);
    std::filesystem::remove(tolvanePath);
    std::filesystem::remove(sqlitePath);
    return 0;
}
