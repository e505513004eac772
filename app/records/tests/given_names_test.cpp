// The given-names database file: created on first use with its one table, never written over when it
// cannot be opened, and the lookups of a name and of a main name's variants.
#include "records/given_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/bounded_text.h"
#include "core/engine_transaction.h"
#include "tests/support/test_database.h"

namespace {

using test_support::TempPath;

std::string FolderOf(const TempPath& path)
{
    const std::string& full = path.str();
    return full.substr(0, full.find_last_of("/\\"));
}

std::string Names(const std::vector<GivenNameRow>& rows)
{
    std::string names;
    for (const GivenNameRow& row : rows)
        names += std::string(row.name) + ";";
    return names;
}

TEST(GivenNames, TheFirstOpenCreatesTheFileWithItsOneEmptyTable)
{
    TempPath place(GivenNamesFileName);
    const std::string folder = FolderOf(place);
    ASSERT_EQ(GivenNamesPath(folder), place.str());
    DatabaseFile* file = OpenGivenNamesDatabase(folder);
    ASSERT_NE(file, nullptr);
    {
        EngineTransaction transaction(file, TLV_READWRITE);
        EXPECT_EQ(tlvGetTableID("NAMES", file) & 0xFFFF, GivenNamesTable);
        EXPECT_EQ(tlvNumberOfRecords(GivenNamesTable, file), 0);
        struct Column {
            std::uint8_t type;
            std::uint16_t count;
            std::int32_t indexed;
        };
        const Column expected[] = {{TLV_TEXT, 32, 1}, {TLV_INT32, 1, 1}, {TLV_LONGTEXT, 1, 0}};
        for (int c = 0; c < 3; ++c) {
            ColumnInfo info = {};
            ASSERT_EQ(tlvGetColumn(GivenNamesTable, c + 1, &info, file), 0);
            EXPECT_EQ(info.type, expected[c].type) << c;
            EXPECT_EQ(info.count, expected[c].count) << c;
            EXPECT_EQ(info.indexed, expected[c].indexed) << c;
        }
        const std::int32_t maria = AddGivenName(file, "Maria", 0);
        EXPECT_EQ(maria, 1);
        const std::int32_t longer = AddGivenName(file, "Maximiliana Theodora Konstantina", 0);
        GivenNameRow row = {};
        ASSERT_EQ(tlvReadRecord(GivenNamesTable, longer, &row, file), 0);
        EXPECT_STREQ(row.name, "Maximiliana Theodora Konstantin");
    }
    CloseGivenNamesDatabase(file);

    // Opened again, not created again: the row is still there.
    file = OpenGivenNamesDatabase(folder);
    ASSERT_NE(file, nullptr);
    {
        EngineTransaction transaction(file, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(GivenNamesTable, file), 2);
    }
    CloseGivenNamesDatabase(file);
}

TEST(GivenNames, AFileThatCannotBeOpenedIsLeftAsItIs)
{
    TempPath place(GivenNamesFileName);
    const std::string damaged = "not a database at all";
    std::ofstream(place.str(), std::ios::binary) << damaged;
    EXPECT_EQ(OpenGivenNamesDatabase(FolderOf(place)), nullptr);
    std::ifstream in(place.str(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
}

TEST(GivenNames, NamesAreFoundAndVariantsCollectedByTheirMainName)
{
    TempPath place(GivenNamesFileName);
    DatabaseFile* file = OpenGivenNamesDatabase(FolderOf(place));
    ASSERT_NE(file, nullptr);
    {
        EngineTransaction transaction(file, TLV_READWRITE);
        const std::int32_t john = AddGivenName(file, "John", 0);
        AddGivenName(file, "Johnny", john);
        AddGivenName(file, "Jack", john);
        const std::int32_t maria = AddGivenName(file, "Maria", 0);

        GivenNameRecord record(file);
        ASSERT_EQ(record.FindNext("Jack"), 1);
        EXPECT_STREQ(record.row.name, "Jack");
        EXPECT_EQ(record.row.mainId, john);
        EXPECT_EQ(record.FindNext("Jacob"), 0);
        EXPECT_EQ(record.Id(), 0);
        EXPECT_STREQ(record.row.name, "Jack"); // the row stays as it was

        record.SetId(john);
        record.LoadVariants();
        EXPECT_EQ(Names(record.Variants()), "Johnny;Jack;");
        EXPECT_EQ(record.Id(), 0); // the walk's cursor
        record.SetId(maria);
        record.LoadVariants();
        EXPECT_TRUE(record.Variants().empty());
        record.SetId(0);
        record.LoadVariants();
        EXPECT_EQ(Names(record.Variants()), "John;Maria;");

        struct Case {
            const char* name;
            std::vector<std::string> group;
        };
        const Case cases[] = {
            {"John", {"John", "Johnny", "Jack"}},
            {"Jack", {"John", "Johnny", "Jack"}},
            {"Maria", {"Maria"}},
            {"Zed", {}},
        };
        for (const Case& c : cases)
            EXPECT_EQ(GivenNameGroup(file, c.name), c.group) << c.name;
    }
    CloseGivenNamesDatabase(file);
}

} // namespace
