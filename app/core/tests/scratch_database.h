// A database made with the engine in a scratch folder, with the full schema and a header, for the
// tests of the core records. The folder is removed with the object.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"

#include "tests/support/test_folder.h"

namespace core_test {

inline std::filesystem::path ScratchFolder()
{
    return test_support::ClaimTestFolder("vestrada_core_");
}

class ScratchDatabase {
public:
    ScratchDatabase() : folder_(ScratchFolder())
    {
        std::string path = (folder_ / "test.vdb").string();
        database = std::make_unique<Database>();
        database->file = tlvCreateDatabaseEx(path.c_str(), 0);
        database->SetPath(path.c_str());
        EXPECT_NE(database->file, nullptr);
        EngineTransaction transaction(database->file, TLV_READWRITE);
        EXPECT_TRUE(AddSchemaTables(*database));
        database->InitHeader();
        EXPECT_EQ(tlvNewID(database->TableId(TableMain2), database->file), 1);
        EXPECT_EQ(tlvWriteRecord(database->TableId(TableMain2), 1, &database->header, database->file), 0);
    }
    ~ScratchDatabase()
    {
        database.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    Database& operator*() { return *database; }
    Database* operator->() { return database.get(); }
    DatabaseFile* File() { return database->file; }
    std::int32_t Table(TableNumber number) { return database->TableId(number); }

    // Closes the file and opens it again in a new Database, with the table ids looked up by name.
    void Reopen()
    {
        std::string path = database->path;
        database.reset();
        database = std::make_unique<Database>();
        database->file = tlvOpenDatabaseEx(path.c_str(), 0);
        ASSERT_NE(database->file, nullptr);
        database->SetPath(path.c_str());
        EngineTransaction transaction(database->file, TLV_READ);
        LookUpTableIds(*database);
    }

    std::unique_ptr<Database> database;

private:
    std::filesystem::path folder_;
};

} // namespace core_test
