// A new database in a folder of the running test's own, closed and removed again at the end, and the
// small helpers the record tests use with it: a path in such a folder and a transaction.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <system_error>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/open_create.h"
#include "core/schema.h"
#include "tests/support/test_folder.h"

namespace test_support {

// A path in a folder of the running test's own; the folder and everything in it is removed at the end.
class TempPath {
public:
    explicit TempPath(const char* name, const char* prefix = "vestrada_")
        : folder_(ClaimTestFolder(prefix)), path_((folder_ / name).string())
    {
    }
    ~TempPath()
    {
        std::error_code ignored;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ignored);
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;
    const std::string& str() const { return path_; }
    const char* c_str() const { return path_.c_str(); }

private:
    std::filesystem::path folder_;
    std::string path_;
};

// A transaction on a test database.
inline EngineTransaction Transaction(Database& database, std::uint32_t access = TLV_READWRITE)
{
    return EngineTransaction(database.file, access);
}

// A new database as the program creates one, with or without the standard data, closed at the end.
class TestDatabase {
public:
    explicit TestDatabase(bool withStandardData = false, const char* name = "test.vdb") : path_(name)
    {
        database_.reset(CreateDatabase(path_.c_str(), withStandardData));
        EXPECT_NE(database_, nullptr) << "cannot create " << path_.str();
    }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Database& operator*() { return *database_; }
    Database* operator->() { return database_.get(); }
    Database* get() { return database_.get(); }
    DatabaseFile* File() { return database_->file; }
    std::int32_t Table(TableNumber number) { return database_->TableId(number); }
    const TempPath& path() const { return path_; }

    // Closes the file, which stays on disk until the object goes.
    void Close() { database_.reset(); }
    // Closes the file and opens it again in a new Database, with the table ids looked up by name and the
    // header read: what was really stored, without the checks and questions of opening a user's file.
    void Reopen()
    {
        database_.reset();
        database_ = std::make_unique<Database>();
        database_->file = tlvOpenDatabaseEx(path_.c_str(), 0);
        ASSERT_NE(database_->file, nullptr) << "cannot open " << path_.str();
        database_->SetPath(path_.c_str());
        EngineTransaction transaction(database_->file, TLV_READ);
        LookUpTableIds(*database_);
        ASSERT_EQ(tlvReadRecord(Table(TableMain2), 1, &database_->header, database_->file), 0);
    }

private:
    TempPath path_;
    std::unique_ptr<Database> database_;
};

// The stored bytes of a row.
inline std::vector<unsigned char> RawRow(Database& database, TableNumber table, std::int32_t id, std::size_t size)
{
    EngineTransaction transaction(database.file, TLV_READ);
    std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
    EXPECT_EQ(tlvReadRecord(database.TableId(table), id, row.data(), database.file), 0);
    row.resize(size);
    return row;
}

// The number of live rows of a table.
inline int CountRows(Database& database, TableNumber table)
{
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t highest = tlvNumberOfRecords(database.TableId(table), database.file);
    std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
    int count = 0;
    for (std::int32_t id = 1; id <= highest; ++id)
        count += tlvReadRecord(database.TableId(table), id, row.data(), database.file) == 0;
    return count;
}

} // namespace test_support
