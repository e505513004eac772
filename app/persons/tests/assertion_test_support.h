// What the assertion and excerpt tests share: a database file named after the running test (test cases
// run in parallel processes), the report and date settings the sentence fields read, and rows of the
// neighbouring tables (persons, sources, excerpts) written directly.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/date_value.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/notice_sink.h"
#include "engine/tolvane.h"
#include "settings/settings.h"
#include "records/excerpt_record.h"
#include "persons/person_record.h"
#include "records/source_row.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace assertion_test {

// "Suite_Test.vdb" of the running test, with characters unfit for file names replaced.
inline std::string TestFileName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            c = '_';
    return "assertions_" + name + ".vdb";
}

inline const char* const Language = "STANDARD_HE=he\n"
                                    "STANDARD_SHE=she\n"
                                    "STANDARD_HIS=his\n"
                                    "STANDARD_HER=her\n"
                                    "STANDARD_AND=and\n"
                                    "STANDARD_MAINROLE=principal\n"
                                    "ATTRIBUTE_MODIFIER_GREATER=more than\n"
                                    "ATTRIBUTE_MODIFIER_LESS=less than\n"
                                    "ATTRIBUTE_FLAG_YES=yes\n"
                                    "ATTRIBUTE_FLAG_NO=no\n"
                                    "RELATIONSHIP_RELATION_BIOLOGICAL=biological\n"
                                    "RELATIONSHIP_RELATION_ADOPTIVE=adoptive\n"
                                    "RELATIONSHIP_RELATION_FOSTER=foster\n"
                                    "RELATIONSHIP_RELATION_OTHER=other\n"
                                    "EXCERPT_QUALITY_UNKNOWN=unknown\n"
                                    "EXCERPT_QUALITY_POOR=poor\n"
                                    "EXCERPT_QUALITY_QUESTIONABLE=questionable\n"
                                    "EXCERPT_QUALITY_GOOD=good\n"
                                    "EXCERPT_QUALITY_VERYGOOD=very good\n";

// A database of the test's own, the test language, and report settings that include every field; the
// settings are restored afterwards.
class AssertionTest : public ::testing::Test {
protected:
    AssertionTest() : language_(Language), savedSettings_(CurrentSettings), database_(false, TestFileName().c_str())
    {
        ReportSettings& report = CurrentSettings.report;
        report.IncludePlaces = report.IncludeAddresses = report.IncludeNotes = report.IncludeSources = 1;
        std::strcpy(CurrentSettings.dateFormat.Formats[0], "{dd}.{mm}.{yyyy}");
        CurrentSettings.dateFormat.FormatCount = 1;
        CurrentSettings.dateFormat.OutputFormat = 0;
        CurrentSettings.dateFormat.ShowTime = 0;
        for (std::int32_t& shown : CurrentSettings.place.PartShown)
            shown = 1;
    }
    ~AssertionTest() override { CurrentSettings = savedSettings_; }

    Database& db() { return *database_; }
    void Reopen() { database_.Reopen(); }

private:
    test_support::ScopedLanguage language_;
    Settings savedSettings_;

protected:
    test_support::TestDatabase database_;
};

// Writes a NAME row of the given and surname and a PERSON row of that sex; the person's id.
inline std::int32_t AddPerson(Database& database, std::uint8_t sex, const char* given, const char* surname)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    NameRecord name(database);
    name.AppendPart(NamePartGiven, given);
    name.AppendPart(NamePartSurname, surname);
    EXPECT_TRUE(name.Save());
    PersonRow row{};
    row.nameId = name.Id();
    row.sex = sex;
    row.reserved1 = row.reserved2 = 255;
    const std::int32_t table = database.TableId(TablePerson);
    const std::int32_t id = tlvNewID(table, database.file);
    EXPECT_GT(id, 0);
    EXPECT_EQ(tlvWriteRecord(table, id, &row, database.file), 0);
    return id;
}

// Writes a SOURCE row with a title and a short title; its id.
inline std::int32_t AddSource(Database& database, const char* title, const char* shortTitle)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    unsigned char row[source_row::Size] = {};
    std::strncpy(reinterpret_cast<char*>(row + source_row::TitleOffset), title, source_row::TitleSize - 1);
    std::strncpy(reinterpret_cast<char*>(row + source_row::ShortTitleOffset), shortTitle,
                 source_row::ShortTitleSize - 1);
    const std::int32_t table = database.TableId(TableSource);
    const std::int32_t id = tlvNewID(table, database.file);
    EXPECT_GT(id, 0);
    EXPECT_EQ(tlvWriteRecord(table, id, row, database.file), 0);
    return id;
}

// Saves an excerpt of the source with that page (and a text when given); its id.
inline std::int32_t AddExcerpt(Database& database, std::int32_t sourceId, const char* page, const char* text = "")
{
    ExcerptRecord excerpt(database);
    excerpt.row.sourceId = sourceId;
    excerpt.SetPage(page);
    excerpt.EnsureText().SetText(text);
    EXPECT_TRUE(excerpt.Save());
    return excerpt.Id();
}

// Whether the row of `id` can be read (in a transaction of its own).
inline bool RowExists(Database& database, TableNumber table, std::int32_t id)
{
    if (id <= 0)
        return false;
    EngineTransaction transaction(database.file, TLV_READ);
    std::vector<unsigned char> row(TLV_MAX_RECORD_LENGTH);
    return tlvReadRecord(database.TableId(table), id, row.data(), database.file) == 0;
}

using test_support::CountRows;
using test_support::RawRow;

// A date of one day of the Gregorian calendar (day and month 0 when unknown).
inline DateRange SingleDate(int day, int month, int year)
{
    DateRange date = {};
    date.type = DateRangeSingle;
    date.dates.first = EmptyDateValue();
    date.dates.first.calendar = CalendarGregorian;
    date.dates.first.day = static_cast<std::uint8_t>(day);
    date.dates.first.month = static_cast<std::uint8_t>(month);
    date.dates.first.SetYear(year);
    date.dates.second = EmptyDateValue();
    return date;
}

// Adds an old table of files before version 10200 (one byte column of the old row's size) to the test's
// file, under `table`. Call it inside ASSERT_NO_FATAL_FAILURE.
inline void AddOldTable(Database& database, TableNumber table, const char* name, std::uint16_t rowSize)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    ColumnDefinition column = {TLV_BYTE, 0, rowSize, 0, 0};
    TableDefinition definition = {name, &column, 1, 0};
    const std::int32_t id = tlvAddTable(&definition, database.file);
    ASSERT_GT(id, 0);
    database.tableIds[table] = id;
}

// Writes an old row under a new id of `table`; the id.
template <std::size_t Size>
std::int32_t WriteOldRow(Database& database, TableNumber table, const unsigned char (&old)[Size])
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    const std::int32_t tableId = database.TableId(table);
    const std::int32_t id = tlvNewID(tableId, database.file);
    EXPECT_EQ(tlvWriteRecord(tableId, id, old, database.file), 0);
    return id;
}

// A link of `kind` for `personId` with a role, not yet stored.
inline std::unique_ptr<AssertionLink> NewLink(Database& database, std::uint8_t kind, std::int32_t personId,
                                              std::int32_t role = 0)
{
    auto link = std::make_unique<AssertionLink>(database);
    link->row.kind = kind;
    link->row.personId = personId;
    link->row.roleId = role;
    return link;
}

} // namespace assertion_test
