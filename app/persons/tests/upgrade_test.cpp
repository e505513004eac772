// The upgrade of older databases, on files of the old layouts that the tests write row by row.
#include "persons/upgrade.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/open_create.h"
#include "core/place_record.h"
#include "core/schema.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/name_assertion.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_folder.h"

namespace {

constexpr const char* Texts = "DATABASE_ERROR=error\n"
                              "DATABASE_UPGRADE=upgrade?\n"
                              "DATABASE_UPGRADED=upgraded\n"
                              "DATABASE_UPGRADE_FAILED=not upgraded\n";

// Answers the upgrade question with Yes and records what the user was told.
class YesPrompts : public DatabasePrompts {
public:
    void ShowError(void*, const char* text) override { events.push_back(std::string("error: ") + text); }
    bool AskYesNo(void*, const char* text, const char*) override
    {
        events.push_back(std::string("question: ") + text);
        return true;
    }
    void ShowInformation(void*, const char* text) override { events.push_back(std::string("information: ") + text); }
    void ShowWaitCursor(bool) override {}
    void CheckBackupReminder(Database&, void*, std::int32_t*, const char*, const char*) override {}

    std::vector<std::string> events;
};

// Old layouts: EVENT (67 bytes), ATTRIBUTE (71), ALIAS (50) keep a date field of two 7-byte dates; PLACE
// lacks the index text.
constexpr std::uint16_t OldEventSize = 67;
constexpr std::uint16_t OldAttributeSize = 71;
constexpr std::uint16_t OldAliasSize = 50;

using Row = std::vector<unsigned char>;

std::vector<char> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An old date field: single date 2 April 1900 (Julian) with a dual year, no time.
void PutOldDate(Row& row, std::size_t at)
{
    row[at] = DateRangeSingle;
    const unsigned char date[7] = {DateModifierAbout, CalendarJulian, 2, 4, 0x6C, 0x07, 1};
    std::memcpy(&row[at + 1], date, sizeof date);
}

Row OldEvent(std::int32_t type, std::int8_t privacy, std::int32_t placeId)
{
    Row row(OldEventSize, 0);
    std::memcpy(&row[0], &type, 4);
    row[4] = static_cast<unsigned char>(privacy);
    std::memcpy(&row[10], &placeId, 4);
    PutOldDate(row, 26);
    return row;
}

Row OldPlace(std::int32_t eventId, const char* town)
{
    PlaceRow place = {};
    place.eventId = eventId;
    place.parts[0] = PlacePartTown;
    std::strcpy(place.parts + 1, town);
    std::strcpy(place.sortText, town);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&place);
    return Row(bytes, bytes + offsetof(PlaceRow, indexText));
}

class UpgradeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousPrompts_ = SetDatabasePrompts(&prompts);
        previousBackupCheck_ = CurrentSettings.general.BakChkOpen;
        CurrentSettings.general.BakChkOpen = 0;
        folder_ = test_support::ClaimTestFolder("vestrada_core_");
        UseFile("old.vdb");
    }
    void TearDown() override
    {
        CurrentSettings.general.BakChkOpen = previousBackupCheck_;
        SetDatabasePrompts(previousPrompts_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // A file as a version before 10200 left it: the current tables that version already had, the old ones
    // in place of the others, and the header.
    void MakeOldDatabase(std::int16_t version, std::uint16_t aliasSize = OldAliasSize)
    {
        DatabaseFile* file = tlvCreateDatabaseEx(path.c_str(), 0);
        ASSERT_NE(file, nullptr);
        {
            EngineTransaction transaction(file, TLV_READWRITE);
            const bool hasAssertionTables = version >= 10000;
            for (int i = 0; i < SchemaTableCount; ++i) {
                const SchemaTable& table = SchemaTables()[i];
                const bool assertionTable =
                    table.number == TableAlias2 || table.number == TableAttribute2 || table.number == TableEvent2;
                if (table.number == TablePlace2 || (assertionTable && !hasAssertionTables))
                    continue;
                ASSERT_GT(AddSchemaTable(table, file), 0);
            }
            if (!hasAssertionTables) {
                AddBytesTable("ALIAS", aliasSize, file);
                AddBytesTable("ATTRIBUTE", OldAttributeSize, file);
                AddBytesTable("EVENT", OldEventSize, file);
            }
            ColumnDefinition columns[5] = {};
            const std::uint8_t types[5] = {TLV_INT32, TLV_INT32, TLV_TEXT, TLV_TEXT, TLV_TEXT};
            const std::uint16_t counts[5] = {1, 1, 16, 128, 128};
            for (int i = 0; i < 5; ++i) {
                columns[i].type = types[i];
                columns[i].count = counts[i];
            }
            TableDefinition place = {"PLACE", columns, 5, 0};
            ASSERT_GT(tlvAddTable(&place, file), 0);

            DatabaseHeader header = {};
            std::strcpy(header.title, "old");
            header.version = version;
            const std::int32_t main2 = tlvGetTableID("MAIN2", file);
            ASSERT_EQ(tlvNewID(main2, file), 1);
            ASSERT_EQ(tlvWriteRecord(main2, 1, &header, file), 0);
        }
        tlvCloseDatabase(file);
    }

    // Writes the rows under ids 1, 2 ... of a table of the closed file, then deletes the ids in `deleted`.
    void WriteRows(const char* table, const std::vector<Row>& rows, std::initializer_list<std::int32_t> deleted = {})
    {
        DatabaseFile* file = tlvOpenDatabaseEx(path.c_str(), 0);
        ASSERT_NE(file, nullptr);
        {
            EngineTransaction transaction(file, TLV_READWRITE);
            const std::int32_t id = tlvGetTableID(table, file);
            ASSERT_GT(id, 0) << table;
            for (const Row& row : rows) {
                const std::int32_t rowId = tlvNewID(id, file);
                ASSERT_GT(rowId, 0);
                ASSERT_EQ(tlvWriteRecord(id, rowId, row.data(), file), 0);
            }
            for (std::int32_t gone : deleted)
                ASSERT_EQ(tlvDeleteRecord(id, gone, file), 0);
        }
        tlvCloseDatabase(file);
    }

    void UseFile(const char* name) { path = (folder_ / name).string(); }

    static bool RowLives(Database& database, TableNumber table, std::int32_t id)
    {
        EngineTransaction transaction(database.file, TLV_READ);
        std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
        return tlvReadRecord(database.TableId(table), id, row.data(), database.file) == 0;
    }

    static std::int32_t TableIdByName(Database& database, const char* name)
    {
        EngineTransaction transaction(database.file, TLV_READ);
        return tlvGetTableID(name, database.file);
    }

    YesPrompts prompts;
    std::string path;

private:
    static void AddBytesTable(const char* name, std::uint16_t size, DatabaseFile* file)
    {
        ColumnDefinition column = {TLV_BYTE, 0, size, 0, 0};
        TableDefinition definition = {name, &column, 1, 0};
        ASSERT_GT(tlvAddTable(&definition, file), 0) << name;
    }

    test_support::ScopedLanguage language_{Texts};
    DatabasePrompts* previousPrompts_ = nullptr;
    std::int32_t previousBackupCheck_ = 0;
    std::filesystem::path folder_;
};

TEST_F(UpgradeTest, Version9000MovesLiveRowsUnderTheirIds)
{
    MakeOldDatabase(9000);
    WriteRows("EVENT", {OldEvent(5, 1, 1), OldEvent(6, 2, 0), OldEvent(7, 3, 3)}, {2});
    Row attribute(OldAttributeSize, 0);
    attribute[0] = 9;
    PutOldDate(attribute, 25);
    attribute[66] = 180;
    WriteRows("ATTRIBUTE", {attribute});
    Row alias(OldAliasSize, 0);
    alias[5] = 4; // name id
    PutOldDate(alias, 9);
    WriteRows("ALIAS", {alias, alias}, {1});
    WriteRows("PLACE", {OldPlace(1, "Oslo"), OldPlace(0, "Bergen"), OldPlace(3, "Molde")}, {2});

    std::unique_ptr<Database> database(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase));
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>({"question: upgrade?", "information: upgraded"}));
    EXPECT_EQ(database->header.version, 10200);
    for (const char* old : {"ALIAS", "ATTRIBUTE", "EVENT", "PLACE"})
        EXPECT_EQ(TableIdByName(*database, old), 0) << old;
    for (TableNumber old : {TableAliasOld, TableAttributeOld, TableEventOld, TablePlaceOld})
        EXPECT_EQ(database->tableIds[old], 0);
    for (TableNumber current : {TableAlias2, TableAttribute2, TableEvent2, TablePlace2})
        EXPECT_GT(database->TableId(current), 0);

    // Reopened: the upgrade was stored and is not offered again.
    database.reset();
    prompts.events.clear();
    database.reset(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase));
    ASSERT_NE(database, nullptr);
    EXPECT_TRUE(prompts.events.empty());
    EXPECT_EQ(database->header.version, 10200);

    // Events 1 and 3 hold their old rows in today's layout; the deleted id 2 stays free.
    EXPECT_TRUE(RowLives(*database, TableEvent2, 1));
    EXPECT_FALSE(RowLives(*database, TableEvent2, 2));
    EXPECT_TRUE(RowLives(*database, TableEvent2, 3));
    {
        EngineTransaction transaction(database->file, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableEvent2), database->file), 3);
    }
    EventAssertion first(1, *database);
    EXPECT_EQ(+first.row.typeId, 5);
    EXPECT_EQ(+first.row.privacy, 1);
    EXPECT_EQ(+first.row.placeId, 1);
    const DateRange date = first.Date();
    EXPECT_EQ(date.type, DateRangeSingle);
    EXPECT_EQ(date.dates.first.Year(), 1900);
    EXPECT_EQ(date.dates.first.day, 2);
    EXPECT_EQ(date.dates.first.calendar, CalendarJulian);
    EXPECT_EQ(date.dates.first.hour, DateFieldNone);
    EventAssertion third(3, *database);
    EXPECT_EQ(+third.row.typeId, 7);
    EXPECT_EQ(+third.row.privacy, 3);

    AttributeAssertion attributeRow(1, *database);
    EXPECT_EQ(+attributeRow.row.typeId, 9);
    EXPECT_EQ(+attributeRow.row.value, 180);
    EXPECT_EQ(attributeRow.Date().dates.first.month, 4);

    EXPECT_FALSE(RowLives(*database, TableAlias2, 1));
    NameAssertion aliasRow(2, *database);
    EXPECT_EQ(aliasRow.Id(), 2);
    EXPECT_EQ(+aliasRow.row.nameId, 4);

    // Places keep their ids and get the index text the old rows lacked.
    EngineTransaction transaction(database->file, TLV_READ);
    PlaceRecord oslo(1, *database);
    EXPECT_STREQ(oslo.row.sortText, "Oslo");
    EXPECT_STREQ(oslo.row.indexText, "Oslo");
    EXPECT_EQ(+oslo.row.eventId, 1);
    PlaceRecord bergen(*database);
    EXPECT_NE(bergen.Read(2), 0);
    PlaceRecord molde(3, *database);
    EXPECT_STREQ(molde.row.sortText, "Molde");
}

TEST_F(UpgradeTest, Version10100RunsOnlyThePlaceStep)
{
    MakeOldDatabase(10100);
    Row event(66, 0);
    event[0] = 8;
    WriteRows("EVENT2", {event});
    WriteRows("PLACE", {OldPlace(1, "Oslo")});

    std::unique_ptr<Database> database(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase));
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->header.version, 10200);
    EXPECT_EQ(TableIdByName(*database, "PLACE"), 0);
    EventAssertion kept(1, *database);
    EXPECT_EQ(+kept.row.typeId, 8);
    EngineTransaction transaction(database->file, TLV_READ);
    PlaceRecord oslo(1, *database);
    EXPECT_STREQ(oslo.row.indexText, "Oslo");
}

// A step that fails leaves the file exactly as it was, even when an earlier step had succeeded, and the
// database is not opened.
TEST_F(UpgradeTest, AFailedStepChangesNothing)
{
    MakeOldDatabase(9000);
    WriteRows("EVENT", {OldEvent(5, 0, 0)});
    WriteRows("PLACE", {OldPlace(0, "Oslo")});
    {
        // A PLACE2 of unknown contents is already there: the place step cannot fill it.
        DatabaseFile* file = tlvOpenDatabaseEx(path.c_str(), 0);
        ASSERT_NE(file, nullptr);
        {
            EngineTransaction transaction(file, TLV_READWRITE);
            ASSERT_GT(AddSchemaTable(*FindSchemaTable(TablePlace2), file), 0);
        }
        tlvCloseDatabase(file);
    }
    const std::vector<char> before = FileBytes(path);

    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase), nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>({"question: upgrade?", "error: not upgraded"}));
    EXPECT_EQ(FileBytes(path), before);
}

// A damaged file whose old rows are wider than the old layout is refused before any row is read.
TEST_F(UpgradeTest, OldRowsWiderThanTheirLayoutAreRefused)
{
    MakeOldDatabase(9000, OldAliasSize + 10);
    WriteRows("ALIAS", {Row(OldAliasSize + 10, 0x41)});
    const std::vector<char> before = FileBytes(path);

    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase), nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>({"question: upgrade?", "error: not upgraded"}));
    EXPECT_EQ(FileBytes(path), before);
}

// The steps answer for themselves on a Database held open by the caller, inside its transaction.
TEST_F(UpgradeTest, StepsRaiseTheVersionInTheCallersTransaction)
{
    MakeOldDatabase(9000);
    WriteRows("EVENT", {OldEvent(5, 0, 0)});
    Database database;
    database.file = tlvOpenDatabaseEx(path.c_str(), 0);
    ASSERT_NE(database.file, nullptr);
    {
        EngineTransaction transaction(database.file, TLV_READ);
        LookUpTableIds(database);
        ASSERT_EQ(tlvReadRecord(database.TableId(TableMain2), 1, &database.header, database.file), 0);
    }
    {
        EngineTransaction transaction(database.file, TLV_READWRITE);
        ASSERT_TRUE(UpgradeAssertionTables(database));
        EXPECT_EQ(database.header.version, 10000);
        // Run twice, the step finds its tables there and refuses.
        EXPECT_FALSE(UpgradeAssertionTables(database));
        transaction.End(false);
    }
    EngineTransaction transaction(database.file, TLV_READ);
    EXPECT_GT(tlvGetTableID("EVENT", database.file), 0);
    EXPECT_EQ(tlvGetTableID("EVENT2", database.file), 0);
}

} // namespace
