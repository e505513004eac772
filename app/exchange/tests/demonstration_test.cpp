// The demonstration database: made once from the shipped GEDCOM file, never over an existing file.
#include "exchange/demonstration.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/tests/import_test_support.h"
#include "tests/support/scoped_language.h"
#include "tests/support/source_tree.h"
#include "tests/support/test_database.h"

namespace {

using namespace import_test;
using test_support::CountRows;
using test_support::ScopedLanguage;
using test_support::TempPath;

TEST(Demonstration, MadeFromTheShippedFileOnce)
{
    ScopedLanguage language(ScopedLanguage::Master());
    const std::string shipped = test_support::SourceFile("demo/Kennedy.ged");
    ASSERT_TRUE(std::filesystem::exists(shipped));
    ASSERT_TRUE(std::filesystem::exists(test_support::SourceFile("demo/LICENSE.txt")));
    TempPath folder("Kennedy.vdb", "vestrada_demonstration_");
    ASSERT_TRUE(CreateDemonstrationDatabase(shipped, folder.str()));
    EXPECT_FALSE(CreateDemonstrationDatabase(shipped, folder.str())) << "an existing file is never replaced";
    {
        std::unique_ptr<Database> database(OpenDatabase(nullptr, folder.c_str(), nullptr));
        ASSERT_NE(database, nullptr);
        EXPECT_EQ(CountRows(*database, TablePerson), 208);
        EXPECT_STREQ(database->header.title, GetLanguageText("DEMO_DATABASE_TITLE"));
    }
    TempPath other("Other.vdb", "vestrada_demonstration_");
    EXPECT_FALSE(CreateDemonstrationDatabase(shipped + ".missing", other.str()));
    EXPECT_FALSE(std::filesystem::exists(other.str()));
    EXPECT_EQ(DemonstrationDatabasePath("C:\\Program"), "C:\\Program\\Demo\\Kennedy.vdb");
    EXPECT_EQ(DemonstrationGedcomPath("C:\\Program"), "C:\\Program\\Demo\\Kennedy.ged");
}

} // namespace
