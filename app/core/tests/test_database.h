// What the persons tests share: a language table of the test's own texts made current for the test's
// length, and a new database file in the temporary folder that is removed again.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/test_folder.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/open_create.h"
#include "language/language_table.h"

namespace persons_test {

// Makes a table of `lines` (KEY=text, one a line) the current language for the object's lifetime.
class ScopedLanguage {
public:
    explicit ScopedLanguage(std::string_view lines)
        : table_(LanguageTable::Load(lines)), previous_(CurrentLanguageTable)
    {
        CurrentLanguageTable = table_.get();
    }
    ~ScopedLanguage() { CurrentLanguageTable = previous_; }

private:
    std::unique_ptr<LanguageTable> table_;
    LanguageTable* previous_;
};

inline std::filesystem::path ClaimTestFolder() { return test_support::ClaimTestFolder("vestrada_persons_"); }

// A path in a folder of the running test's own; the folder and everything in it is removed at the end.
class TempPath {
public:
    explicit TempPath(const char* name) : folder_(ClaimTestFolder()), path_((folder_ / name).string()) {}
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

// A new database, with or without the standard data, closed at the end.
class TestDatabase {
public:
    explicit TestDatabase(bool withStandardData = false, const char* name = "test.vdb") : path_(name)
    {
        database_.reset(CreateDatabase(path_.c_str(), withStandardData));
        EXPECT_NE(database_, nullptr) << "cannot create " << path_.str();
    }
    Database& operator*() { return *database_; }
    Database* get() { return database_.get(); }
    Database* operator->() { return database_.get(); }
    const TempPath& path() const { return path_; }
    // Closes the file, which stays on disk until the object goes.
    void Close() { database_.reset(); }
    // Closes the file and opens it again, to show what was really stored.
    void Reopen()
    {
        database_.reset();
        database_.reset(OpenDatabase(nullptr, path_.c_str(), nullptr));
        ASSERT_NE(database_, nullptr);
    }

private:
    TempPath path_;
    std::unique_ptr<Database> database_;
};

// A transaction on a test database.
inline EngineTransaction Transaction(Database& database, std::uint32_t access = TLV_READWRITE)
{
    return EngineTransaction(database.file, access);
}

} // namespace persons_test
