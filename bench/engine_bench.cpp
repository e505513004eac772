// Tolvane against SQLite on the same data: rows shaped like a person row (an indexed 40-byte text key, an
// indexed 32-bit key, 100 bytes of other fields). Both compare the text key with the platform's locale
// comparison (SQLite through a collation) and run with full durability; SQLite once with its rollback
// journal and once with its write-ahead log.
//
// Each engine runs in a process of its own (this program started again with --engine=NAME), so that the
// peak memory reported is the whole process's, measured alike for every engine. Every call's answer is
// checked: a failure ends the run with a message instead of printing a figure for work not done.
//
// After the table, Tolvane's own count of where the writes of its one-row commits go: blocks changed by kind
// (data, index node, page map, header...), the journal's entries and bytes, the bytes written to the file
// (only the changed 4 KB pieces of each block) and the syncs with the time spent in them.
#include "engine/database_file.h"
#include "engine/tolvane.h"
#include "platform/text_compare.h"
#include "bench/process_memory.h"

#ifdef VESTRADA_BENCH_SQLITE
#include <sqlite3.h>
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int NameBytes = 40;
constexpr int OtherBytes = 100;
constexpr int BatchRows = 50000;
constexpr int LookupCount = 100000;

struct PersonRow {
    char name[NameBytes];
    std::int32_t number;
    std::uint8_t other[OtherBytes];
};
static_assert(sizeof(PersonRow) == NameBytes + 4 + OtherBytes);

const char* const Surnames[] = {"Andersson",
                                "Bauer",
                                "Castillo",
                                "Dubois",
                                "Eriksen",
                                "Fischer",
                                "Garc\xED"
                                "a",
                                "Hansen",
                                "Ivanova",
                                "Jensen",
                                "Kowalski",
                                "Larsen",
                                "M\xFCller",
                                "Nielsen",
                                "O'Brien",
                                "Petersen",
                                "Quist",
                                "Rossi",
                                "Schmidt",
                                "Tak\xE1"
                                "cs",
                                "Ulrich",
                                "Vald\xE9"
                                "s",
                                "Weber",
                                "Xavier",
                                "Young",
                                "Zimmermann"};
const char* const Givens[] = {"Anna",
                              "Bertil",
                              "Carl",
                              "Dagny",
                              "\xC9"
                              "mile",
                              "Frida",
                              "Gustav",
                              "Helga",
                              "Ingrid",
                              "Johan",
                              "Karin",
                              "Lars",
                              "Maria",
                              "Nils",
                              "Olga",
                              "Per",
                              "Ragnhild",
                              "Sven"};

// A cheap, well-mixed sequence from a seed (the rows are made on the fly for every engine alike).
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
    PersonRow row{};
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

[[noreturn]] void Stop(const std::string& what)
{
    std::fprintf(stderr, "engine_bench: %s\n", what.c_str());
    std::fflush(stderr);
    std::exit(1);
}

void Require(bool ok, const std::string& what)
{
    if (!ok)
        Stop(what + " failed");
}

// Bytes this process has handed to the system to write so far, or -1 when the system does not tell (Wine
// answers 0).
long long BytesWritten()
{
#ifdef _WIN32
    IO_COUNTERS counters{};
    if (!GetProcessIoCounters(GetCurrentProcess(), &counters))
        return -1;
    return static_cast<long long>(counters.WriteTransferCount);
#else
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return -1;
#endif
}

struct Workload {
    int rows = 1000000;
    int memoryKb = 2048;
    int commits = 10000;
    std::vector<std::uint32_t> seeds;  // row i (id i + 1) is MakeRow(seeds[i])
    std::vector<std::int32_t> lookups; // ids whose name is looked up
    std::vector<std::int32_t> updated; // ids rewritten with a new row
    std::vector<std::int32_t> deleted; // ids deleted
    std::vector<std::int32_t> touched; // ids rewritten one commit each, none of them deleted
};

Workload MakeWorkload(int rows, int memoryKb, int commits)
{
    Workload w;
    w.rows = rows;
    w.memoryKb = memoryKb;
    w.commits = commits;
    std::mt19937 random(2024);
    for (int i = 0; i < rows + commits; ++i)
        w.seeds.push_back(static_cast<std::uint32_t>(random()));
    std::vector<std::int32_t> ids(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i)
        ids[i] = i + 1;
    for (int i = 0; i < LookupCount; ++i)
        w.lookups.push_back(ids[random() % ids.size()]);
    std::shuffle(ids.begin(), ids.end(), random);
    auto at = [&](std::size_t i) { return ids.begin() + static_cast<std::ptrdiff_t>(i); };
    std::size_t tenth = ids.size() / 10;
    w.updated.assign(at(0), at(tenth));
    w.deleted.assign(at(tenth), at(2 * tenth));
    for (int i = 0; i < commits; ++i)
        w.touched.push_back(ids[2 * tenth + static_cast<std::size_t>(i) % (ids.size() - 2 * tenth)]);
    return w;
}

// A row's replacement in the updates: the same id, another row.
PersonRow UpdatedRow(const Workload& w, std::int32_t id, std::uint32_t round)
{
    return MakeRow(w.seeds[id - 1] ^ (0x5A5A5A5Au * round));
}

// The figures of one engine, in the order of the table; a name the engine does not run is left out.
struct Figures {
    std::vector<std::pair<std::string, double>> lines;
    long long checksum = 0;
    void Add(const std::string& name, double value) { lines.emplace_back(name, value); }
};

const char* const LineBulk = "bulk insert, one transaction";
const char* const LineLookups = "100,000 lookups by text key";
const char* const LineWalk = "walk of the text index in order";
const char* const LineReadAll = "read every record by id";
const char* const LineUpdate = "update 10%, one transaction";
const char* const LineDelete = "delete 10%, one transaction";
const char* const LineOneInsert = "inserts, one commit each";
const char* const LineOneUpdate = "updates, one commit each";
const char* const LineBatched = "batched insert, commit per 50,000";
const char* const LinePerCommit = "KB written per one-row commit";
const char* const LinePeak = "peak memory, all resident (KB)";
const char* const LinePeakPrivate = "peak memory, private (KB)";
const char* const LineSize = "file size (MB)";
// Lines of Tolvane's own, on where the writes of its one-row commits go: printed after the table.
const char* const WritesPrefix = "writes|";

// The writes of a run of one-row commits, per commit, from the engine's statistics before and after.
void AddWritesPerCommit(Figures& f, const std::string& phase, const tolvane::WriteStatistics& before,
                        const tolvane::WriteStatistics& after, int commits)
{
    if (commits <= 0)
        return;
    const double n = commits;
    auto add = [&](const std::string& what, double total) { f.Add(WritesPrefix + phase + ": " + what, total / n); };
    double changed = 0;
    double journaled = 0;
    for (int k = 0; k < tolvane::WriteStatistics::Kinds; ++k) {
        changed += static_cast<double>(after.changed[k] - before.changed[k]);
        journaled += static_cast<double>(after.journaled[k] - before.journaled[k]);
    }
    add("blocks changed", changed);
    for (int k = 0; k < tolvane::WriteStatistics::Kinds; ++k) {
        double blocks = static_cast<double>(after.changed[k] - before.changed[k]);
        double pieces = static_cast<double>(after.pieces[k] - before.pieces[k]);
        if (blocks == 0)
            continue;
        std::string kind = tolvane::BlockKindName(static_cast<tolvane::BlockKind>(k));
        add("  " + kind + " blocks changed", blocks);
        add("  " + kind + " KB written to the file", pieces * tolvane::WritePiece / 1024.0);
    }
    add("blocks flagged changed but unchanged", static_cast<double>(after.unchanged - before.unchanged));
    add("journal entries (8 KB each)", journaled);
    add("KB written to the journal", static_cast<double>(after.journal.bytes - before.journal.bytes) / 1024.0);
    add("KB written to the database file", static_cast<double>(after.databaseBytes - before.databaseBytes) / 1024.0);
    add("syncs of the journal", static_cast<double>(after.journal.fileFlushes - before.journal.fileFlushes));
    add("syncs of the folder", static_cast<double>(after.journal.folderFlushes - before.journal.folderFlushes));
    add("syncs of the database file", static_cast<double>(after.databaseFlushes - before.databaseFlushes));
    add("ms in syncs", 1000.0 * (after.journal.flushSeconds - before.journal.flushSeconds +
                                 after.databaseFlushSeconds - before.databaseFlushSeconds));
}

// ---- Tolvane ----

class Tolvane {
public:
    Tolvane(const std::string& path, int memoryKb)
    {
        db_ = tlvCreateDatabaseEx(path.c_str(), 0);
        Require(db_ != nullptr, "tlvCreateDatabaseEx " + path);
        tlvSetMemory(memoryKb, db_);
        ColumnDefinition columns[] = {
            {TLV_TEXT, 0, NameBytes, 1, 0}, {TLV_INT32, 0, 1, 1, 0}, {TLV_BYTE, 0, OtherBytes, 0, 0}};
        TableDefinition definition{"PERSON", columns, 3, 0};
        Begin(TLV_READWRITE);
        table_ = tlvAddTable(&definition, db_);
        Require(table_ > 0, "tlvAddTable");
        Commit("tlvAddTable");
    }
    ~Tolvane() { tlvCloseDatabase(db_); }
    Tolvane(const Tolvane&) = delete;
    Tolvane& operator=(const Tolvane&) = delete;

    DatabaseFile* operator*() const { return db_; }
    std::int32_t Table() const { return table_; }
    void Begin(std::uint32_t access) { Check(tlvStartTransaction(access, db_), "tlvStartTransaction"); }
    void Commit(const char* what) { Check(tlvEndTransaction(1, db_), std::string("commit after ") + what); }
    void Check(std::int32_t code, const std::string& what)
    {
        if (code != 0)
            Stop(what + " failed with error " + std::to_string(code) + " (last error " +
                 std::to_string(tlvGetLastError(db_)) + ")");
    }
    std::int32_t Insert(const PersonRow& row)
    {
        std::int32_t id = tlvNewID(table_, db_);
        if (id <= 0)
            Check(-1, "tlvNewID");
        Check(tlvWriteRecord(table_, id, &row, db_), "tlvWriteRecord of a new row");
        return id;
    }

private:
    DatabaseFile* db_ = nullptr;
    std::int32_t table_ = 0;
};

bool SameName(const char* a, const char* b)
{
    return platform::CompareLocaleText(a, b) == 0;
}

Figures RunTolvane(const Workload& w, const std::string& path)
{
    Figures f;
    {
        Tolvane db(path, w.memoryKb);
        const std::int32_t table = db.Table();
        f.Add(LineBulk, Seconds([&] {
                  db.Begin(TLV_READWRITE);
                  for (int i = 0; i < w.rows; ++i)
                      db.Insert(MakeRow(w.seeds[i]));
                  db.Commit("the bulk insert");
              }));
        f.Add(LineLookups, Seconds([&] {
                  db.Begin(TLV_READ);
                  for (std::int32_t id : w.lookups) {
                      PersonRow wanted = MakeRow(w.seeds[id - 1]);
                      PersonRow row;
                      std::int32_t found = tlvFindNextRecord(0, table, 1, wanted.name, *db);
                      Require(found > 0, std::string("tlvFindNextRecord of ") + wanted.name);
                      db.Check(tlvReadRecord(table, found, &row, *db), "tlvReadRecord of a row found");
                      Require(SameName(row.name, wanted.name), std::string("the row found for ") + wanted.name);
                      f.checksum += row.number;
                  }
                  db.Commit("the lookups");
              }));
        f.Add(LineWalk, Seconds([&] {
                  db.Begin(TLV_READ);
                  PersonRow row;
                  PersonRow previous{};
                  int count = 0;
                  for (std::int32_t id = tlvGetFirstRecord(table, 1, *db); id != 0;
                       id = tlvGetNextRecord(table, 1, id, 1, *db)) {
                      Require(id > 0, "tlvGetNextRecord");
                      db.Check(tlvReadRecord(table, id, &row, *db), "tlvReadRecord in the walk");
                      Require(count == 0 || platform::CompareLocaleText(previous.name, row.name) <= 0,
                              "the order of the walk");
                      previous = row;
                      f.checksum += static_cast<unsigned char>(row.name[0]);
                      ++count;
                  }
                  Require(count == w.rows, "the walk (" + std::to_string(count) + " rows seen)");
                  db.Commit("the walk");
              }));
        f.Add(LineReadAll, Seconds([&] {
                  db.Begin(TLV_READ);
                  PersonRow row;
                  Require(tlvNumberOfRecords(table, *db) == w.rows, "tlvNumberOfRecords");
                  for (std::int32_t id = 1; id <= w.rows; ++id) {
                      db.Check(tlvReadRecord(table, id, &row, *db), "tlvReadRecord by id");
                      f.checksum += row.number;
                  }
                  db.Commit("the reads");
              }));
        f.Add(LineUpdate, Seconds([&] {
                  db.Begin(TLV_READWRITE);
                  for (std::int32_t id : w.updated) {
                      PersonRow row = UpdatedRow(w, id, 1);
                      db.Check(tlvWriteRecord(table, id, &row, *db), "tlvWriteRecord of an update");
                  }
                  db.Commit("the updates");
              }));
        f.Add(LineDelete, Seconds([&] {
                  db.Begin(TLV_READWRITE);
                  for (std::int32_t id : w.deleted)
                      db.Check(tlvDeleteRecord(table, id, *db), "tlvDeleteRecord");
                  db.Commit("the deletes");
              }));
        long long writtenBefore = BytesWritten();
        std::map<std::int32_t, int> issued; // the id of each one-row insert, and its row
        tolvane::WriteStatistics beforeInserts = (*db)->Statistics();
        f.Add(std::to_string(w.commits) + " " + LineOneInsert, Seconds([&] {
                  for (int i = 0; i < w.commits; ++i) {
                      db.Begin(TLV_READWRITE);
                      issued[db.Insert(MakeRow(w.seeds[w.rows + i]))] = w.rows + i;
                      db.Commit("a one-row insert");
                  }
              }));
        tolvane::WriteStatistics beforeUpdates = (*db)->Statistics();
        f.Add(std::to_string(w.commits) + " " + LineOneUpdate, Seconds([&] {
                  for (std::size_t i = 0; i < w.touched.size(); ++i) {
                      db.Begin(TLV_READWRITE);
                      PersonRow row = UpdatedRow(w, w.touched[i], 2);
                      db.Check(tlvWriteRecord(table, w.touched[i], &row, *db), "tlvWriteRecord of a one-row update");
                      db.Commit("a one-row update");
                  }
              }));
        long long writtenAfter = BytesWritten();
        if (writtenBefore >= 0 && writtenAfter > writtenBefore && w.commits > 0)
            f.Add(LinePerCommit, static_cast<double>(writtenAfter - writtenBefore) / 1024.0 / (2.0 * w.commits));
        tolvane::WriteStatistics afterUpdates = (*db)->Statistics();
        AddWritesPerCommit(f, "one-row insert", beforeInserts, beforeUpdates, w.commits);
        AddWritesPerCommit(f, "one-row update", beforeUpdates, afterUpdates, w.commits);
        // What is left is what was committed: the deleted rows are gone (unless their ids were issued again),
        // the rest answer as written last.
        db.Begin(TLV_READ);
        PersonRow row;
        Require(issued.size() == static_cast<std::size_t>(w.commits), "issuing a new id for every insert");
        for (const auto& [id, seed] : issued) {
            PersonRow wanted = MakeRow(w.seeds[seed]);
            db.Check(tlvReadRecord(table, id, &row, *db), "tlvReadRecord of a one-row insert");
            Require(std::memcmp(&row, &wanted, sizeof row) == 0, "a one-row insert read back");
        }
        for (std::size_t i = 0; i < 1000 && i < w.deleted.size(); ++i)
            Require(issued.count(w.deleted[i]) || tlvReadRecord(table, w.deleted[i], &row, *db) != 0,
                    "a deleted row is still there: the delete");
        for (std::size_t i = 0; i < 1000 && i < w.touched.size(); ++i) {
            PersonRow wanted = UpdatedRow(w, w.touched[i], 2);
            db.Check(tlvReadRecord(table, w.touched[i], &row, *db), "tlvReadRecord after the updates");
            Require(std::memcmp(&row, &wanted, sizeof row) == 0, "a one-row update read back");
        }
        db.Commit("the read-back");
    }
    f.Add(LineSize, static_cast<double>(std::filesystem::file_size(path)) / 1048576.0);
    std::filesystem::remove(path);
    f.Add(LineBatched, Seconds([&] {
              Tolvane db(path, w.memoryKb);
              for (int first = 0; first < w.rows; first += BatchRows) {
                  db.Begin(TLV_READWRITE);
                  for (int i = first; i < w.rows && i < first + BatchRows; ++i)
                      db.Insert(MakeRow(w.seeds[i]));
                  db.Commit("a batch of inserts");
              }
              db.Begin(TLV_READ);
              Require(tlvNumberOfRecords(db.Table(), *db) == w.rows, "tlvNumberOfRecords after the batches");
              db.Commit("the count");
          }));
    std::filesystem::remove(path);
    return f;
}

// ---- SQLite ----

#ifdef VESTRADA_BENCH_SQLITE

int LocaleCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return platform::CompareLocaleText(
        std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
        std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db)
    {
        Require(sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) == SQLITE_OK, sql);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* operator*() const { return statement_; }
    // True for a row, false when done; anything else ends the run.
    bool Step()
    {
        int code = sqlite3_step(statement_);
        if (code != SQLITE_ROW && code != SQLITE_DONE)
            Stop(std::string("sqlite3_step: ") + sqlite3_errmsg(db_));
        return code == SQLITE_ROW;
    }
    // Runs a statement that changes one row.
    void ChangeOne(const char* what)
    {
        Require(!Step() && sqlite3_changes(db_) == 1, what);
        Reset();
    }
    void Reset() { sqlite3_reset(statement_); }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

void Exec(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
        Stop(sql + ": " + (message ? message : "failed"));
}

void BindRow(sqlite3_stmt* s, int first, const PersonRow& row)
{
    sqlite3_bind_text(s, first, row.name, -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(s, first + 1, row.number);
    sqlite3_bind_blob(s, first + 2, row.other, OtherBytes, SQLITE_TRANSIENT);
}

sqlite3* OpenSqlite(const std::string& path, int memoryKb, bool wal)
{
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    Require(sqlite3_open(path.c_str(), &db) == SQLITE_OK, "sqlite3_open");
    Require(sqlite3_create_collation(db, "VLOCALE", SQLITE_UTF8, nullptr, LocaleCollation) == SQLITE_OK, "collation");
    Exec(db, "PRAGMA cache_size = -" + std::to_string(memoryKb));
    Exec(db, wal ? "PRAGMA journal_mode = WAL" : "PRAGMA journal_mode = DELETE");
    Exec(db, "PRAGMA synchronous = FULL");
    Exec(db, "CREATE TABLE person(id INTEGER PRIMARY KEY, name TEXT COLLATE VLOCALE, number INTEGER, other BLOB)");
    Exec(db, "CREATE INDEX person_name ON person(name)");
    Exec(db, "CREATE INDEX person_number ON person(number)");
    return db;
}

void InsertRows(sqlite3* db, const Workload& w, int first, int end)
{
    Statement insert(db, "INSERT INTO person(id, name, number, other) VALUES (?, ?, ?, ?)");
    for (int i = first; i < end; ++i) {
        sqlite3_bind_int(*insert, 1, i + 1);
        BindRow(*insert, 2, MakeRow(w.seeds[i]));
        insert.ChangeOne("insert");
    }
}

Figures RunSqlite(const Workload& w, const std::string& path, bool wal)
{
    Figures f;
    sqlite3* db = OpenSqlite(path, w.memoryKb, wal);
    f.Add(LineBulk, Seconds([&] {
              Exec(db, "BEGIN");
              InsertRows(db, w, 0, w.rows);
              Exec(db, "COMMIT");
          }));
    f.Add(LineLookups, Seconds([&] {
              Exec(db, "BEGIN");
              Statement select(db, "SELECT id, name, number, other FROM person WHERE name = ? LIMIT 1");
              for (std::int32_t id : w.lookups) {
                  PersonRow wanted = MakeRow(w.seeds[id - 1]);
                  sqlite3_bind_text(*select, 1, wanted.name, -1, SQLITE_STATIC);
                  Require(select.Step(), std::string("the lookup of ") + wanted.name);
                  f.checksum += sqlite3_column_int(*select, 2);
                  select.Reset();
              }
              Exec(db, "COMMIT");
          }));
    f.Add(LineWalk, Seconds([&] {
              Exec(db, "BEGIN");
              Statement walk(db, "SELECT id, name, number, other FROM person ORDER BY name");
              int count = 0;
              while (walk.Step()) {
                  f.checksum += sqlite3_column_text(*walk, 1)[0];
                  ++count;
              }
              Require(count == w.rows, "the walk (" + std::to_string(count) + " rows seen)");
              Exec(db, "COMMIT");
          }));
    f.Add(LineReadAll, Seconds([&] {
              Exec(db, "BEGIN");
              Statement read(db, "SELECT id, name, number, other FROM person WHERE id = ?");
              for (int id = 1; id <= w.rows; ++id) {
                  sqlite3_bind_int(*read, 1, id);
                  Require(read.Step(), "the read by id");
                  f.checksum += sqlite3_column_int(*read, 2);
                  read.Reset();
              }
              Exec(db, "COMMIT");
          }));
    {
        Statement update(db, "UPDATE person SET name = ?, number = ?, other = ? WHERE id = ?");
        f.Add(LineUpdate, Seconds([&] {
                  Exec(db, "BEGIN");
                  for (std::int32_t id : w.updated) {
                      BindRow(*update, 1, UpdatedRow(w, id, 1));
                      sqlite3_bind_int(*update, 4, id);
                      update.ChangeOne("update");
                  }
                  Exec(db, "COMMIT");
              }));
        f.Add(LineDelete, Seconds([&] {
                  Exec(db, "BEGIN");
                  Statement erase(db, "DELETE FROM person WHERE id = ?");
                  for (std::int32_t id : w.deleted) {
                      sqlite3_bind_int(*erase, 1, id);
                      erase.ChangeOne("delete");
                  }
                  Exec(db, "COMMIT");
              }));
        long long writtenBefore = BytesWritten();
        f.Add(std::to_string(w.commits) + " " + LineOneInsert, Seconds([&] {
                  Statement insert(db, "INSERT INTO person(name, number, other) VALUES (?, ?, ?)");
                  for (int i = 0; i < w.commits; ++i) {
                      BindRow(*insert, 1, MakeRow(w.seeds[w.rows + i]));
                      insert.ChangeOne("a one-row insert"); // a statement outside BEGIN commits by itself
                  }
              }));
        f.Add(std::to_string(w.commits) + " " + LineOneUpdate, Seconds([&] {
                  for (std::int32_t id : w.touched) {
                      BindRow(*update, 1, UpdatedRow(w, id, 2));
                      sqlite3_bind_int(*update, 4, id);
                      update.ChangeOne("a one-row update");
                  }
              }));
        long long writtenAfter = BytesWritten();
        if (writtenBefore >= 0 && writtenAfter > writtenBefore && w.commits > 0)
            f.Add(LinePerCommit, static_cast<double>(writtenAfter - writtenBefore) / 1024.0 / (2.0 * w.commits));
    }
    Require(sqlite3_close(db) == SQLITE_OK, "sqlite3_close");
    f.Add(LineSize, static_cast<double>(std::filesystem::file_size(path)) / 1048576.0);
    f.Add(LineBatched, Seconds([&] {
              sqlite3* batched = OpenSqlite(path, w.memoryKb, wal);
              for (int first = 0; first < w.rows; first += BatchRows) {
                  Exec(batched, "BEGIN");
                  InsertRows(batched, w, first, std::min(w.rows, first + BatchRows));
                  Exec(batched, "COMMIT");
              }
              Require(sqlite3_close(batched) == SQLITE_OK, "sqlite3_close");
          }));
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-wal");
    std::filesystem::remove(path + "-shm");
    return f;
}

#endif

struct Engine {
    const char* name;
    const char* title;
};

const Engine Engines[] = {
    {"tolvane", "Tolvane"},
#ifdef VESTRADA_BENCH_SQLITE
    {"sqlite", "SQLite journal"},
    {"sqlite-wal", "SQLite WAL"},
#endif
};

// One engine's run, in this process: its figures on standard output, one "name<TAB>value" a line.
int RunOne(const std::string& engine, const Workload& w, const std::filesystem::path& folder)
{
    bench::PeakMemoryMeter meter;
    Figures f;
    if (engine == "tolvane")
        f = RunTolvane(w, (folder / "bench.vdb").string());
#ifdef VESTRADA_BENCH_SQLITE
    else if (engine == "sqlite" || engine == "sqlite-wal")
        f = RunSqlite(w, (folder / (engine + ".sqlite")).string(), engine == "sqlite-wal");
#endif
    else
        Stop("no engine " + engine);
    const bench::PeakMemory peak = meter.Peak();
    f.Add(LinePeak, static_cast<double>(peak.residentKb));
    if (peak.privateKb >= 0)
        f.Add(LinePeakPrivate, static_cast<double>(peak.privateKb));
    for (const auto& [name, value] : f.lines)
        std::printf("%s\t%.6g\n", name.c_str(), value);
    std::printf("checksum\t%lld\n", f.checksum);
    return 0;
}

// Runs this program again for one engine and reads its figures back.
// The names of the lines given in `order`, as they came.
std::map<std::string, double> RunChild(const std::string& self, const std::string& engine, const std::string& arguments,
                                       long long& checksum, std::vector<std::string>& order)
{
    std::string command = "\"" + self + "\" --engine=" + engine + " " + arguments;
#ifdef _WIN32
    FILE* child = _popen(("\"" + command + "\"").c_str(), "r");
#else
    FILE* child = popen(command.c_str(), "r");
#endif
    Require(child != nullptr, "starting " + command);
    std::map<std::string, double> figures;
    char line[256];
    while (std::fgets(line, sizeof line, child)) {
        char* tab = std::strchr(line, '\t');
        if (tab == nullptr)
            continue;
        *tab = '\0';
        if (std::strcmp(line, "checksum") == 0)
            checksum = std::atoll(tab + 1);
        else if (figures.emplace(line, std::atof(tab + 1)).second)
            order.push_back(line);
    }
#ifdef _WIN32
    int status = _pclose(child);
#else
    int status = pclose(child);
#endif
    Require(status == 0, "the " + engine + " run");
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    int rows = 1000000;
    int memoryKb = 2048;
    int commits = 10000;
    std::string engine;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--memory=", 0) == 0)
            memoryKb = std::atoi(arg.c_str() + 9);
        else if (arg.rfind("--commits=", 0) == 0)
            commits = std::atoi(arg.c_str() + 10);
        else if (arg.rfind("--engine=", 0) == 0)
            engine = arg.substr(9);
        else if (arg.rfind("--only=", 0) == 0)
            only = arg.substr(7);
        else
            rows = std::atoi(arg.c_str());
    }
    if (rows < 10 || commits < 0 || memoryKb < 0) {
        std::fprintf(stderr, "usage: engine_bench [rows] [--memory=KB] [--commits=N] [--only=ENGINE]\n"
                             "  engines: tolvane, sqlite (rollback journal), sqlite-wal\n");
        return 2;
    }
#ifdef _WIN32
    unsigned long process = GetCurrentProcessId();
#else
    unsigned long process = static_cast<unsigned long>(getpid());
#endif
    // A folder of this run's own: runs at the same time must not share files.
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tolvane-bench-" + std::to_string(process));
    std::string arguments =
        std::to_string(rows) + " --memory=" + std::to_string(memoryKb) + " --commits=" + std::to_string(commits);
    if (!engine.empty()) {
        std::filesystem::create_directories(folder);
        int status = RunOne(engine, MakeWorkload(rows, memoryKb, commits), folder);
        std::filesystem::remove_all(folder);
        return status;
    }

    std::vector<std::string> titles;
    std::vector<std::map<std::string, double>> results;
    std::vector<long long> checksums;
    std::vector<std::string> tolvaneLines; // in the order the engine gave them
    for (const Engine& e : Engines) {
        if (!only.empty() && only != e.name)
            continue;
        long long checksum = 0;
        std::vector<std::string> lines;
        results.push_back(RunChild(argv[0], e.name, arguments, checksum, lines));
        if (std::string(e.name) == "tolvane")
            tolvaneLines = lines;
        titles.push_back(e.title);
        checksums.push_back(checksum);
    }
    Require(!results.empty(), "choosing an engine");

    std::printf("%d rows, cache budget %d KB for each engine, full durability, each engine in its own process\n", rows,
                memoryKb);
    std::printf("%-38s", "seconds (less is better)");
    for (const std::string& title : titles)
        std::printf(" %15s", title.c_str());
    for (std::size_t i = 1; i < titles.size(); ++i)
        std::printf(" %8s", ("ratio" + std::to_string(i)).c_str());
    std::printf("\n");
    std::vector<std::string> order = {LineBulk,
                                      LineLookups,
                                      LineWalk,
                                      LineReadAll,
                                      LineUpdate,
                                      LineDelete,
                                      std::to_string(commits) + " " + LineOneInsert,
                                      std::to_string(commits) + " " + LineOneUpdate,
                                      LineBatched,
                                      LinePerCommit,
                                      LinePeak,
                                      LinePeakPrivate,
                                      LineSize};
    for (const std::string& name : order) {
        if (name == LinePerCommit)
            std::printf("%-38s\n", "other figures");
        std::printf("%-38s", name.c_str());
        for (const auto& figures : results) {
            auto it = figures.find(name);
            if (it == figures.end())
                std::printf(" %15s", "-");
            else
                std::printf(" %15.3f", it->second);
        }
        // The others' figure over Tolvane's: above 1 where Tolvane takes less.
        for (std::size_t i = 1; i < results.size(); ++i) {
            auto mine = results[0].find(name);
            auto theirs = results[i].find(name);
            if (mine != results[0].end() && theirs != results[i].end() && mine->second > 0)
                std::printf(" %8.2f", theirs->second / mine->second);
            else
                std::printf(" %8s", "-");
        }
        std::printf("\n");
    }
    std::printf("where the writes of Tolvane's one-row commits go, per commit (pieces of %d bytes written)\n",
                tolvane::WritePiece);
    const std::string prefix = WritesPrefix;
    for (const std::string& name : tolvaneLines)
        if (name.compare(0, prefix.size(), prefix) == 0)
            std::printf("  %-50s %10.2f\n", name.c_str() + prefix.size(), results[0].at(name));
    if (titles.size() > 1) {
        std::printf("ratioN: column N+1 over Tolvane (above 1: Tolvane is faster or smaller)\n");
        std::printf("checksums (equal when every engine read the same rows):");
        for (long long checksum : checksums)
            std::printf(" %lld", checksum);
        std::printf("\n");
    }
    return 0;
}
