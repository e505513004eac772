// Helpers of the engine tests: scratch files, whole-file reads, and small tables through the interface.
#pragma once

#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane_test {

// A fresh path in a scratch folder of this test run; the file and its journal are removed at destruction.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    const std::string& Path() const { return path_; }
    const char* c_str() const { return path_.c_str(); }

private:
    std::string path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool Exists(const std::string& path);

// Column definition shorthand.
ColumnDefinition Column(std::uint8_t type, std::uint16_t count, bool indexed = false);
// Adds a table inside its own read-write transaction; its id.
std::int32_t AddTable(DatabaseFile* db, const char* name, std::vector<ColumnDefinition> columns);

// A read-write (or read) transaction for the length of a scope, committed at its end unless told otherwise.
class Transaction {
public:
    explicit Transaction(DatabaseFile* db, std::uint32_t access = TLV_READWRITE);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    std::int32_t Commit();
    std::int32_t Discard();

private:
    DatabaseFile* db_;
    bool ended_ = false;
};

// What EngineConsistent asks of the indexes: their order always; Balanced also exact heights and balance,
// which a tree keeps until a removal (a delete, or a rewrite of an indexed value) touches it.
enum class Indexes { Ordered, Balanced };

// Whether the engine's inside is consistent: the block cache, and every index of every table (looked at in
// a read transaction of its own when none runs). Used as EXPECT_TRUE(EngineConsistent(db)) after each change.
// The interface tests also run against Tolvane.dll, which hides the engine's inside: there nothing is looked
// at, and the same tests in engine_tests, linked with the engine itself, do the checking.
::testing::AssertionResult EngineConsistent(DatabaseFile* db, Indexes indexes = Indexes::Ordered);

std::int32_t LittleI32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::int32_t LittleI16(const std::vector<std::uint8_t>& bytes, std::size_t offset);

} // namespace tolvane_test
