// Several writers on one file: handles of this process on threads of their own, and (natively) processes.
// Whatever the interleaving, every committed row survives and every index walk agrees with the records.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tolvane_test;

namespace {

constexpr std::int32_t kTable = 1;

// Opens a handle, waiting while another writer holds the file.
DatabaseFile* OpenWaiting(const char* path, std::uint32_t flags)
{
    for (;;) {
        if (DatabaseFile* db = tlvOpenDatabaseEx(path, flags))
            return db;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// One committed row holding `key` in its indexed column; false when the commit failed.
bool InsertKey(DatabaseFile* db, std::int32_t key)
{
    if (tlvStartTransaction(TLV_READWRITE, db) != 0)
        return false;
    std::int32_t id = tlvNewID(kTable, db);
    bool written = id > 0 && tlvSetField(kTable, 1, id, &key, sizeof key, db) == 0;
    return tlvEndTransaction(written ? 1 : 0, db) == 0 && written;
}

// A writer that opens the file in the default mode for each row, as separate program runs would.
void WriteEachRowInItsOwnRun(const char* path, std::int32_t firstKey, int rows)
{
    for (int i = 0; i < rows; ++i) {
        DatabaseFile* db = OpenWaiting(path, 0);
        EXPECT_TRUE(InsertKey(db, firstKey + i));
        tlvCloseDatabase(db);
    }
}

// A writer that keeps a shared-mode handle and commits row after row through it.
void WriteThroughOneSharedHandle(const char* path, std::int32_t firstKey, int rows)
{
    DatabaseFile* db = OpenWaiting(path, TLV_SHARED);
    for (int i = 0; i < rows; ++i)
        EXPECT_TRUE(InsertKey(db, firstKey + i));
    tlvCloseDatabase(db);
}

class WritersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        ASSERT_EQ(AddTable(db, "T", {Column(TLV_INT32, 1, true)}), kTable);
        tlvCloseDatabase(db);
    }

    // Every key of [0, count) once, in the records and in the index walk.
    void ExpectEveryKey(std::int32_t count)
    {
        DatabaseFile* db = tlvOpenDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        EXPECT_TRUE(EngineConsistent(db));
        {
            Transaction t(db, TLV_READ);
            EXPECT_EQ(tlvNumberOfRecords(kTable, db), count);
            std::set<std::int32_t> walked;
            std::int32_t previous = -1;
            int steps = 0;
            for (std::int32_t id = tlvGetFirstRecord(kTable, 1, db); id != 0 && steps <= count;
                 id = tlvGetNextRecord(kTable, 1, id, 0, db), ++steps) {
                std::int32_t key = -1;
                ASSERT_EQ(tlvGetField(kTable, 1, id, &key, sizeof key, db), static_cast<std::int32_t>(sizeof key)) << "the index names a dead id " << id;
                EXPECT_LT(previous, key) << "the index is out of order";
                previous = key;
                walked.insert(key);
            }
            EXPECT_EQ(steps, count);
            EXPECT_EQ(walked.size(), static_cast<std::size_t>(count));
            if (!walked.empty()) {
                EXPECT_EQ(*walked.begin(), 0);
                EXPECT_EQ(*walked.rbegin(), count - 1);
            }
        }
        tlvCloseDatabase(db);
    }

    ScratchFile file{"writers.vdb"};
};

} // namespace

TEST_F(WritersTest, HandlesOnTwoThreadsLoseNoRow)
{
    constexpr int rows = 60;
    std::thread first(WriteEachRowInItsOwnRun, file.c_str(), 0, rows);
    std::thread second(WriteEachRowInItsOwnRun, file.c_str(), rows, rows);
    std::thread third(WriteThroughOneSharedHandle, file.c_str(), 2 * rows, rows);
    first.join();
    second.join();
    third.join();
    ExpectEveryKey(3 * rows);
}

// One writer process: opens the file row by row, the first writer in the default mode, the other through
// shared-mode handles, so that both kinds of handle meet. True when every row was committed.
bool WriteAsProcess(const char* path, int writer, int rows)
{
    bool ok = true;
    for (int i = 0; i < rows && ok; ++i) {
        DatabaseFile* db = OpenWaiting(path, writer == 0 ? 0 : TLV_SHARED);
        ok = InsertKey(db, writer * rows + i);
        tlvCloseDatabase(db);
    }
    return ok;
}

constexpr int kRowsPerProcess = 150;

#ifdef _WIN32
// The writer processes are this test program again, started with the writer's part in the environment.
constexpr const char* kWriterVariable = "VESTRADA_TEST_WRITER";

TEST(WriterProcess, WritesItsRowsWhenStartedAsOne)
{
    const char* part = std::getenv(kWriterVariable);
    if (part == nullptr)
        GTEST_SKIP() << "runs only as a writer process of TwoProcessesLoseNoRow";
    std::string text = part;
    std::size_t bar = text.find('|');
    ASSERT_NE(bar, std::string::npos);
    EXPECT_TRUE(WriteAsProcess(text.substr(bar + 1).c_str(), std::atoi(text.c_str()), kRowsPerProcess));
}

TEST_F(WritersTest, TwoProcessesLoseNoRow)
{
    char program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    std::vector<PROCESS_INFORMATION> children;
    for (int writer = 0; writer < 2; ++writer) {
        std::string part = std::to_string(writer) + "|" + file.Path();
        SetEnvironmentVariableA(kWriterVariable, part.c_str());
        std::string command =
            std::string("\"") + program + "\" --gtest_filter=WriterProcess.WritesItsRowsWhenStartedAsOne";
        STARTUPINFOA startup {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process {};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        children.push_back(process);
    }
    SetEnvironmentVariableA(kWriterVariable, nullptr);
    for (PROCESS_INFORMATION& process : children) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    ExpectEveryKey(2 * kRowsPerProcess);
}
#else
TEST_F(WritersTest, TwoProcessesLoseNoRow)
{
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(WriteAsProcess(file.c_str(), writer, kRowsPerProcess) ? 0 : 1); // reports by its status only
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectEveryKey(2 * kRowsPerProcess);
}
#endif
