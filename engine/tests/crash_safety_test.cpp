// Commits are atomic: a write that fails at any point of a commit, or a process that dies there, leaves
// the database as it was before the transaction. The platform file layer's fault seam stops the N-th
// mutating operation, for every N of a commit. Every case runs twice: with the whole transaction held in
// the cache until the commit, and in a cache so small that the transaction writes its changed blocks to
// the file early, several times before its commit.
#include "engine/database_file.h"
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"
#include "platform/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <cstdlib>
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tolvane_test;

namespace {

struct Row {
    char name[40];
    std::int32_t number;
    std::int32_t note;
};

std::int32_t AddPersonTable(DatabaseFile* db)
{
    return AddTable(db, "PERSON", {Column(TLV_TEXT, 40, true), Column(TLV_INT32, 1, true), Column(TLV_LONGTEXT, 1)});
}

void Fill(DatabaseFile* db, std::int32_t table, int count)
{
    Transaction t(db);
    for (int i = 0; i < count; ++i) {
        Row row{};
        std::snprintf(row.name, sizeof row.name, "Person %05d", i);
        row.number = i;
        std::int32_t id = tlvNewID(table, db);
        tlvWriteRecord(table, id, &row, db);
        if (i % 10 == 0) {
            std::string note(700, static_cast<char>('a' + i % 26));
            tlvSetField(table, 3, id, note.data(), static_cast<std::int32_t>(note.size()), db);
        }
    }
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
}

// The transaction whose commit is cut short: rewrites, deletions, new records (the file grows), long
// texts, a new table.
void Change(DatabaseFile* db, std::int32_t table)
{
    for (std::int32_t id = 1; id <= 120; id += 3) {
        Row row{};
        std::snprintf(row.name, sizeof row.name, "Changed %05d", id);
        row.number = -id;
        tlvWriteRecord(table, id, &row, db);
    }
    for (std::int32_t id = 2; id <= 200; id += 7)
        tlvDeleteRecord(table, id, db);
    for (int i = 0; i < 400; ++i) {
        Row row{};
        std::snprintf(row.name, sizeof row.name, "New %05d", i);
        std::int32_t id = tlvNewID(table, db);
        tlvWriteRecord(table, id, &row, db);
    }
    std::string note(2000, 'z');
    tlvSetField(table, 3, 1, note.data(), static_cast<std::int32_t>(note.size()), db);
    TableDefinition extra{"EXTRA", nullptr, 0, 0};
    tlvAddTable(&extra, db);
}

// The handle that makes the change: under a tiny memory limit, with early writes every few changed blocks.
DatabaseFile* OpenForChange(const std::string& path, bool spill)
{
    DatabaseFile* db = tlvOpenDatabaseEx(path.c_str(), 0);
    if (db && spill) {
        tlvSetMemory(16, db);
        db->SetSpillBatch(3);
    }
    return db;
}

// The small first commit of a handle, which leaves its journal cleared beside the file for the next one.
bool CommitAFirstChange(DatabaseFile* db, std::int32_t table)
{
    if (tlvStartTransaction(TLV_READWRITE, db) != 0)
        return false;
    Row row{};
    std::snprintf(row.name, sizeof row.name, "First commit");
    row.number = 7;
    return tlvWriteRecord(table, 7, &row, db) == 0 && tlvEndTransaction(1, db) == 0;
}

// Everything a reader sees: every live record with its long text, in id order. The open puts back what an
// interrupted commit left, so the engine's inside must be consistent at once.
std::string Content(const std::string& path)
{
    DatabaseFile* db = tlvOpenDatabaseEx(path.c_str(), 0);
    if (!db)
        return "cannot open";
    std::string content;
    Transaction t(db, TLV_READ);
    EXPECT_TRUE(EngineConsistent(db)) << "after the open of " << path;
    std::int32_t table = tlvGetTableID("PERSON", db);
    content += "extra:" + std::to_string(tlvGetTableID("EXTRA", db)) + ";";
    std::int32_t count = tlvNumberOfRecords(table, db);
    for (std::int32_t id = 1; id <= count; ++id) {
        Row row{};
        if (tlvReadRecord(table, id, &row, db) != 0)
            continue;
        content += std::to_string(id) + ":" + row.name + ":" + std::to_string(row.number);
        std::int32_t length = tlvGetField(table, 3, id, nullptr, 0, db);
        std::string note(static_cast<std::size_t>(length), '\0');
        tlvGetField(table, 3, id, note.data(), length, db);
        content += ":" + note + ";";
    }
    for (std::int32_t id = tlvGetFirstRecord(table, 1, db); id != 0; id = tlvGetNextRecord(table, 1, id, 1, db))
        content += "i" + std::to_string(id);
    t.Commit();
    tlvCloseDatabase(db);
    return content;
}

class CrashSafetyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        table = AddPersonTable(db);
        Fill(db, table, 300);
        tlvCloseDatabase(db);
        before = ReadWholeFile(file.Path());
        beforeContent = Content(file.Path());

        // A clean run, to count the transaction's mutating operations (early writes and commit) and to know
        // the new content.
        db = OpenForChange(file.Path(), Spill());
        tlvStartTransaction(TLV_READWRITE, db);
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        Change(db, table);
        ASSERT_EQ(db->Spills() >= 2, Spill()) << db->Spills() << " early writes";
        ASSERT_EQ(tlvEndTransaction(1, db), 0);
        operations = platform::MutatingFileOperations();
        tlvCloseDatabase(db);
        afterContent = Content(file.Path());
        ASSERT_NE(afterContent, beforeContent);
        ASSERT_GT(operations, 4);
        EXPECT_FALSE(Exists(file.Path() + "-journal"));
        if (Spill()) {
            // Written early or not, the committed transaction reads back the same.
            WriteWholeFile(file.Path(), before);
            db = OpenForChange(file.Path(), false);
            tlvStartTransaction(TLV_READWRITE, db);
            Change(db, table);
            ASSERT_EQ(tlvEndTransaction(1, db), 0);
            tlvCloseDatabase(db);
            EXPECT_EQ(Content(file.Path()), afterContent);
        }
        WriteWholeFile(file.Path(), before);
    }
    virtual bool Spill() const { return false; }
    void TearDown() override
    {
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        platform::RefuseWritingTo("");
    }

    // The file as a commit cut short leaves it: some new blocks written, the complete journal beside it (every
    // write after the journal fails, and so does the rollback).
    void LeaveATornCommit()
    {
        WriteWholeFile(file.Path(), before);
        DatabaseFile* db = OpenForChange(file.Path(), Spill());
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
        platform::SetFileFault(platform::FileFaultMode::FailFromNth, operations - 2);
        Change(db, table);
        EXPECT_EQ(tlvEndTransaction(1, db), 16);
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        tlvCloseDatabase(db);
    }

    // A handle whose first commit, a small one, has left its journal cleared beside the file (written over by
    // the next commit); the file restored to `before` first. Null when that cannot be made.
    DatabaseFile* OpenAfterAFirstCommit()
    {
        WriteWholeFile(file.Path(), before);
        DatabaseFile* db = OpenForChange(file.Path(), Spill());
        return db != nullptr && CommitAFirstChange(db, table) ? db : nullptr;
    }
    // The content after that first commit and after the change committed over it, and the mutating
    // operations of the second commit.
    void CountACommitOverAClearedJournal()
    {
        DatabaseFile* db = OpenAfterAFirstCommit();
        ASSERT_NE(db, nullptr);
        std::vector<std::uint8_t> journal = ReadWholeFile(file.Path() + "-journal");
        ASSERT_GE(journal.size(), 32u) << "the first commit keeps its journal";
        EXPECT_TRUE(std::all_of(journal.begin(), journal.begin() + 32, [](std::uint8_t b) { return b == 0; }))
            << "and clears its header";
        tlvCloseDatabase(db);
        EXPECT_FALSE(Exists(file.Path() + "-journal")) << "the handle's close deletes the cleared journal";
        firstContent = Content(file.Path());
        ASSERT_NE(firstContent, beforeContent);

        db = OpenAfterAFirstCommit();
        ASSERT_NE(db, nullptr);
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        Change(db, table);
        ASSERT_EQ(tlvEndTransaction(1, db), 0);
        secondOperations = platform::MutatingFileOperations();
        tlvCloseDatabase(db);
        secondContent = Content(file.Path());
        ASSERT_NE(secondContent, firstContent);
        ASSERT_GT(secondOperations, 4);
    }

    // Restores the file to `before`, then makes the change and commits it in a child process (after a first
    // commit of its own, when asked), which dies at the n-th mutating operation from the change's start. The
    // child's exit status: 77 when it died there, 0 when the commit was over first, else a failure.
    int ChangeInAChildDyingAt(int n, bool afterAFirstCommit)
    {
        WriteWholeFile(file.Path(), before);
#ifdef _WIN32
        char program[MAX_PATH] = {};
        if (GetModuleFileNameA(nullptr, program, MAX_PATH) == 0)
            return -1;
        std::string plan = file.Path() + "|" + std::to_string(n) + "|" + (Spill() ? "1" : "0") + "|" +
                           (afterAFirstCommit ? "1" : "0");
        SetEnvironmentVariableA("TOLVANE_CRASH_CHILD", plan.c_str());
        std::string command = std::string("\"") + program + "\" --gtest_filter=CrashChild.*";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        BOOL started =
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        SetEnvironmentVariableA("TOLVANE_CRASH_CHILD", nullptr);
        if (!started)
            return -1;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<int>(status);
#else
        pid_t child = fork();
        if (child == 0) {
            DatabaseFile* db = OpenForChange(file.Path(), Spill());
            if (db == nullptr || (afterAFirstCommit && !CommitAFirstChange(db, table)))
                _exit(1);
            tlvStartTransaction(TLV_READWRITE, db);
            platform::SetFileFault(platform::FileFaultMode::ExitAtNth, n);
            Change(db, table);
            tlvEndTransaction(1, db);
            _exit(0);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
#endif
    }

    ScratchFile file{"crash.vdb"};
    std::int32_t table = 0;
    std::string firstContent;
    std::string secondContent;
    int secondOperations = 0;
    std::vector<std::uint8_t> before;
    std::string beforeContent;
    std::string afterContent;
    int operations = 0;
};

// The cases whose transaction may write early, run both ways.
class CommitTest : public CrashSafetyTest, public ::testing::WithParamInterface<bool> {
protected:
    bool Spill() const override { return GetParam(); }
};

} // namespace

TEST_P(CommitTest, FailedWriteAtAnyPointLeavesTheFileAsBefore)
{
    for (platform::FileFaultMode mode : {platform::FileFaultMode::FailOnlyNth, platform::FileFaultMode::FailFromNth}) {
        for (int n = 1; n <= operations; ++n) {
            SCOPED_TRACE("mode " + std::to_string(static_cast<int>(mode)) + ", operation " + std::to_string(n));
            WriteWholeFile(file.Path(), before);
            DatabaseFile* db = OpenForChange(file.Path(), Spill());
            ASSERT_NE(db, nullptr);
            ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
            platform::SetFileFault(mode, n);
            Change(db, table);
            EXPECT_EQ(tlvEndTransaction(1, db), 16);
            EXPECT_EQ(tlvGetLastError(db), 16);
            platform::SetFileFault(platform::FileFaultMode::Off, 0);
            EXPECT_TRUE(EngineConsistent(db)) << "after the failed commit";

            // The same handle goes on with the old contents.
            ASSERT_EQ(tlvStartTransaction(TLV_READ, db), 0);
            EXPECT_EQ(tlvNumberOfRecords(table, db), 300);
            EXPECT_EQ(tlvGetTableID("EXTRA", db), 0);
            tlvEndTransaction(1, db);
            tlvCloseDatabase(db);
            EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
            EXPECT_FALSE(Exists(file.Path() + "-journal"));
        }
    }
}

// A transaction given up leaves the file as it was, however much of it was written early, and the handle
// goes on with the old contents.
TEST_P(CommitTest, DiscardedTransactionLeavesTheFileAsBefore)
{
    DatabaseFile* db = OpenForChange(file.Path(), Spill());
    ASSERT_NE(db, nullptr);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    Change(db, table);
    EXPECT_EQ(db->Spills() > 0, Spill());
    EXPECT_EQ(Exists(file.Path() + "-journal"), Spill());
    EXPECT_EQ(tlvEndTransaction(0, db), 0);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    EXPECT_FALSE(Exists(file.Path() + "-journal"));
    {
        Transaction t(db, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(table, db), 300);
        Row row{};
        ASSERT_EQ(tlvReadRecord(table, 1, &row, db), 0);
        EXPECT_STREQ(row.name, "Person 00000");
    }
    // And the same transaction made again commits.
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    Change(db, table);
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    tlvCloseDatabase(db);
    EXPECT_EQ(Content(file.Path()), afterContent);
}

// The second commit of a handle writes its journal over the one the first cleared. A failure at any point of
// it leaves the file as the first commit left it.
TEST_P(CommitTest, FailedWriteInACommitOverAClearedJournal)
{
    CountACommitOverAClearedJournal();
    for (platform::FileFaultMode mode : {platform::FileFaultMode::FailOnlyNth, platform::FileFaultMode::FailFromNth}) {
        for (int n = 1; n <= secondOperations; ++n) {
            SCOPED_TRACE("mode " + std::to_string(static_cast<int>(mode)) + ", operation " + std::to_string(n));
            DatabaseFile* db = OpenAfterAFirstCommit();
            ASSERT_NE(db, nullptr);
            ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
            platform::SetFileFault(mode, n);
            Change(db, table);
            EXPECT_EQ(tlvEndTransaction(1, db), 16);
            platform::SetFileFault(platform::FileFaultMode::Off, 0);
            EXPECT_TRUE(EngineConsistent(db)) << "after the failed commit";
            ASSERT_EQ(tlvStartTransaction(TLV_READ, db), 0);
            EXPECT_EQ(tlvGetTableID("EXTRA", db), 0);
            tlvEndTransaction(1, db);
            tlvCloseDatabase(db);
            EXPECT_EQ(Content(file.Path()), firstContent);
            EXPECT_FALSE(Exists(file.Path() + "-journal"));
        }
    }
}

TEST_P(CommitTest, AJournalLeftBehindIsPlayedBackOnOpen)
{
    LeaveATornCommit();
    EXPECT_TRUE(Exists(file.Path() + "-journal"));
    EXPECT_FALSE(ReadWholeFile(file.Path()) == before);
    EXPECT_TRUE(Content(file.Path()) == beforeContent);
    EXPECT_FALSE(Exists(file.Path() + "-journal"));
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
}

// A file left with a complete journal on media that cannot be written: it opens, reads as it was before the
// interrupted commit, refuses to be written, and stays as it was (journal and all) for a later recovery.
TEST_F(CrashSafetyTest, AJournalOnReadOnlyMediaIsReadFromARecoveredCopy)
{
    LeaveATornCommit();
    std::vector<std::uint8_t> torn = ReadWholeFile(file.Path());
    std::vector<std::uint8_t> journal = ReadWholeFile(file.Path() + "-journal");
    ASSERT_FALSE(journal.empty());

    platform::RefuseWritingTo(file.Path());
    EXPECT_EQ(Content(file.Path()), beforeContent);
    DatabaseFile* db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(tlvStartTransaction(TLV_READWRITE, db), 2) << "the recovered copy is never written";
    tlvCloseDatabase(db);
    platform::RefuseWritingTo("");

    EXPECT_TRUE(ReadWholeFile(file.Path()) == torn);
    EXPECT_TRUE(ReadWholeFile(file.Path() + "-journal") == journal);
    EXPECT_EQ(Content(file.Path()), beforeContent) << "where it can be written, the recovery happens in place";
    EXPECT_FALSE(Exists(file.Path() + "-journal"));
}

TEST_F(CrashSafetyTest, AnIncompleteJournalIsIgnored)
{
    WriteWholeFile(file.Path(), before);
    WriteWholeFile(file.Path() + "-journal", std::vector<std::uint8_t>(5000, 0x11));
    EXPECT_TRUE(Content(file.Path()) == beforeContent);
    EXPECT_FALSE(Exists(file.Path() + "-journal"));
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
}

TEST_F(CrashSafetyTest, CreateRemovesAStaleJournal)
{
    WriteWholeFile(file.Path() + "-journal", std::vector<std::uint8_t>(100, 0x22));
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    EXPECT_FALSE(Exists(file.Path() + "-journal"));
    tlvCloseDatabase(db);
}

TEST_F(CrashSafetyTest, FailedReadFailsTheOperation)
{
    // Cut the file short, its block count with it (a file shorter than its count is refused at open):
    // the blocks of the last records are gone.
    std::vector<std::uint8_t> cut(before.begin(), before.end() - 8192 * 3);
    const int blocks = static_cast<int>(cut.size() / 8192);
    cut[10] = static_cast<std::uint8_t>(blocks & 0xFF);
    cut[11] = static_cast<std::uint8_t>(blocks >> 8);
    WriteWholeFile(file.Path(), cut);
    DatabaseFile* db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    int failures = 0;
    Row row{};
    for (std::int32_t id = 1; id <= 300; ++id)
        if (tlvReadRecord(table, id, &row, db) == 16)
            ++failures;
    EXPECT_GT(failures, 0);
    tlvEndTransaction(0, db);
    tlvCloseDatabase(db);
}

// A transaction far larger than the cache holds no more than a batch of changed blocks beyond the limit at
// any time, and reads back whole once committed; given up instead, it leaves the file as it was.
TEST(EarlyWrites, BoundTheMemoryOfALargeTransaction)
{
    ScratchFile file("large.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t table = AddPersonTable(db);
    Fill(db, table, 2000);
    tlvSetMemory(64, db);
    db->SetSpillBatch(48);
    auto row = [](int i) {
        Row r{};
        std::snprintf(r.name, sizeof r.name, "Row %07d", (i * 7919) % 20011);
        r.number = i % 97;
        return r;
    };
    auto insert = [&](int rows, std::int32_t& peakKb) {
        for (int i = 0; i < rows; ++i) {
            Row r = row(i);
            std::int32_t id = tlvNewID(table, db);
            ASSERT_EQ(tlvWriteRecord(table, id, &r, db), 0);
            peakKb = std::max(peakKb, tlvGetMemoryUsage(db));
        }
    };
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());

    std::int32_t peakKb = 0;
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    insert(20000, peakKb);
    EXPECT_GE(db->Spills(), 5);
    ASSERT_EQ(tlvEndTransaction(0, db), 0);
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));

    std::int32_t spillsBefore = db->Spills();
    peakKb = 0;
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    insert(20000, peakKb);
    EXPECT_GE(db->Spills() - spillsBefore, 5);
    ASSERT_EQ(tlvEndTransaction(1, db), 0);
    // The limit, a batch, and what a single write holds or pins (page maps, the header, a few blocks).
    EXPECT_LE(peakKb, (8 + 48 + 24) * 8);
    EXPECT_TRUE(EngineConsistent(db));
    tlvCloseDatabase(db);

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    Transaction t(db, TLV_READ);
    ASSERT_EQ(tlvNumberOfRecords(table, db), 22000);
    for (int i = 0; i < 20000; ++i) {
        Row wanted = row(i);
        Row got{};
        ASSERT_EQ(tlvReadRecord(table, 2001 + i, &got, db), 0);
        ASSERT_STREQ(got.name, wanted.name) << "record " << 2001 + i;
        ASSERT_EQ(got.number, wanted.number);
    }
    int walked = 0;
    for (std::int32_t id = tlvGetFirstRecord(table, 1, db); id != 0; id = tlvGetNextRecord(table, 1, id, 1, db))
        ++walked;
    EXPECT_EQ(walked, 22000);
    EXPECT_TRUE(EngineConsistent(db));
    t.Commit();
    tlvCloseDatabase(db);
}

TEST_P(CommitTest, ProcessDyingAtAnyPointOfTheCommit)
{
    int died = 0;
    for (int n = 1; n <= operations + 1; ++n) {
        SCOPED_TRACE("dies at operation " + std::to_string(n));
        int status = ChangeInAChildDyingAt(n, false);
        ASSERT_TRUE(status == 0 || status == 77) << "exit status " << status;
        std::string content = Content(file.Path());
        if (status == 77) {
            ++died;
            EXPECT_TRUE(content == beforeContent);
        } else {
            EXPECT_TRUE(content == afterContent);
        }
    }
    EXPECT_EQ(died, operations) << "the child died at every operation of the commit and finished after the last";
}

// Dying at any point of a commit over a cleared journal leaves the first commit's content, and the cleared
// header is made durable before anything of the new journal is written (the file system may otherwise keep
// the old header with some of the new entries after a power loss): dying at the second operation finds it
// still cleared.
TEST_P(CommitTest, ProcessDyingInACommitOverAClearedJournal)
{
    CountACommitOverAClearedJournal();
    for (int n = 1; n <= secondOperations + 1; ++n) {
        SCOPED_TRACE("dies at operation " + std::to_string(n));
        int status = ChangeInAChildDyingAt(n, true);
        ASSERT_TRUE(status == 0 || status == 77) << "exit status " << status;
        if (n == 2) {
            std::vector<std::uint8_t> journal = ReadWholeFile(file.Path() + "-journal");
            ASSERT_GE(journal.size(), 32u);
            EXPECT_TRUE(std::all_of(journal.begin(), journal.begin() + 32, [](std::uint8_t b) { return b == 0; }))
                << "the first operation over a cleared journal flushes it";
        }
        std::string content = Content(file.Path());
        if (status == 77)
            EXPECT_EQ(content, firstContent);
        else
            EXPECT_EQ(content, secondContent);
        EXPECT_FALSE(Exists(file.Path() + "-journal"));
    }
}

#ifndef _WIN32

TEST_P(CommitTest, KilledWhileCommittingOverAndOver)
{
    // The child rewrites every record with the same generation number in each transaction; however
    // it is killed, every record must carry one generation.
    for (int attempt = 0; attempt < 6; ++attempt) {
        WriteWholeFile(file.Path(), before);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            DatabaseFile* db = OpenForChange(file.Path(), Spill());
            for (std::int32_t generation = 1;; ++generation) {
                tlvStartTransaction(TLV_READWRITE, db);
                for (std::int32_t id = 1; id <= 300; ++id)
                    tlvSetField(table, 2, id, &generation, 4, db);
                tlvEndTransaction(1, db);
                if (generation == 2)
                    (void)!write(ready[1], "r", 1);
            }
        }
        close(ready[1]);
        char signal = 0;
        ASSERT_EQ(read(ready[0], &signal, 1), 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(3000 + attempt * 7919 % 40000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        DatabaseFile* db = tlvOpenDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        Transaction t(db, TLV_READ);
        EXPECT_TRUE(EngineConsistent(db)) << "after the open of attempt " << attempt;
        std::int32_t first = -1;
        for (std::int32_t id = 1; id <= 300; ++id) {
            std::int32_t generation = 0;
            ASSERT_EQ(tlvGetField(table, 2, id, &generation, 4, db), 4);
            if (first < 0)
                first = generation;
            ASSERT_EQ(generation, first) << "record " << id << " of attempt " << attempt;
        }
        EXPECT_GE(first, 2);
        t.Commit();
        tlvCloseDatabase(db);
    }
}

#endif

#ifdef _WIN32

// The child side of ChangeInAChildDyingAt: run as its own process, it commits the change (after a first
// commit, when asked) and ends itself at the mutating file operation named in the environment.
TEST(CrashChild, CommitsUntilTheFault)
{
    const char* plan = std::getenv("TOLVANE_CRASH_CHILD");
    if (plan == nullptr)
        GTEST_SKIP() << "only as the child of the tests of a dying process";
    std::vector<std::string> fields;
    std::string text(plan);
    for (std::string::size_type start = 0;;) {
        std::string::size_type bar = text.find('|', start);
        fields.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    ASSERT_EQ(fields.size(), 4u);
    DatabaseFile* db = OpenForChange(fields[0], fields[2] == "1");
    ASSERT_NE(db, nullptr);
    tlvStartTransaction(TLV_READ, db);
    std::int32_t person = tlvGetTableID("PERSON", db);
    tlvEndTransaction(1, db);
    ASSERT_GT(person, 0);
    if (fields[3] == "1" && !CommitAFirstChange(db, person))
        std::exit(1);
    tlvStartTransaction(TLV_READWRITE, db);
    platform::SetFileFault(platform::FileFaultMode::ExitAtNth, std::atoi(fields[1].c_str()));
    Change(db, person);
    tlvEndTransaction(1, db);
    std::exit(0);
}

#endif

INSTANTIATE_TEST_SUITE_P(CrashSafety, CommitTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "WrittenEarly" : "HeldUntilTheCommit";
                         });
