// What the GEDCOM import and export tests share: the test data's GEDCOM files, a headless import with its
// log, and the stored persons' events, couples and parentage read back for comparison.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/assertion_link.h"
#include "core/event_type.h"
#include "core/place_record.h"
#include "exchange/gedcom_import.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/tests/import_test_support.h"
#include "persons/event_assertion.h"
#include "persons/relationship.h"
#include "tests/support/test_database.h"

namespace import_test {

namespace fs = std::filesystem;

inline fs::path TestDataFolder()
{
    return fs::path(VESTRADA_TESTDATA) / "gedcom";
}

using Pair = std::pair<std::int32_t, std::int32_t>;

inline Pair Couple(std::int32_t a, std::int32_t b)
{
    return a < b ? Pair {a, b} : Pair {b, a};
}

struct GedcomRun {
    ImportWizardData block;
    ImportLog log;
    bool stored = false;
    GedcomRun(Database& database, const std::string& path, const std::string& logPath)
    {
        EXPECT_TRUE(InitImportWizardData(block, path.c_str()));
        CopyLog(logPath);
        log.Create(block.logPath);
        block.log = &log;
        stored = ImportGedcomFile(database, block);
        log.Close();
    }
    void CopyLog(const std::string& logPath)
    {
        // The test data is never written to: the log goes into the test's own folder.
        ASSERT_LT(logPath.size(), sizeof block.logPath);
        std::snprintf(block.logPath, sizeof block.logPath, "%s", logPath.c_str());
    }
    std::string Log() const { return ReadWholeFile(block.logPath); }
};

struct StoredFamilies {
    std::set<Pair> couples;   // the principals of events with two
    std::set<Pair> parentage; // (child, parent) of every relationship
};

inline StoredFamilies ReadFamilies(Database& database)
{
    EngineTransaction transaction(database.file, TLV_READ);
    std::map<std::int32_t, std::vector<std::int32_t>> principals;
    std::map<std::int32_t, Pair> relationships; // relationship id: child, parent
    const std::int32_t table = database.TableId(TableAssertionLink);
    const std::int32_t highest = tlvNumberOfRecords(table, database.file);
    for (std::int32_t id = 1; id <= highest; ++id) {
        AssertionLinkRow row = {};
        if (tlvReadRecord(table, id, &row, database.file) != 0)
            continue;
        const std::int32_t assertion = row.assertionId;
        if (row.kind == AssertionEvent && row.roleId == 0)
            principals[assertion].push_back(std::int32_t {row.personId});
        if (row.kind == AssertionRelationship)
            (row.roleId == RelationshipChildRole ? relationships[assertion].first : relationships[assertion].second) =
                std::int32_t {row.personId};
    }
    StoredFamilies families;
    for (const auto& [event, persons] : principals)
        if (persons.size() == 2)
            families.couples.insert(Couple(persons[0], persons[1]));
    for (const auto& [id, link] : relationships)
        families.parentage.insert(link);
    return families;
}

inline std::vector<std::string> TestDataFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(TestDataFolder())) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".ged")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Each event the person takes part in, in link order: `describe` turns its row and type into a text.
template <class Describe>
std::vector<std::string> DescribeEventsOf(Database& database, std::int32_t person, Describe describe)
{
    std::vector<std::string> events;
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t table = database.TableId(TableAssertionLink);
    const std::int32_t highest = tlvNumberOfRecords(table, database.file);
    for (std::int32_t id = 1; id <= highest; ++id) {
        AssertionLinkRow link = {};
        if (tlvReadRecord(table, id, &link, database.file) != 0 || link.kind != AssertionEvent ||
            link.personId != person)
            continue;
        const auto event = ReadRow<EventRow>(database, TableEvent2, link.assertionId);
        const EventType type(event.typeId, database);
        events.push_back(describe(event, type));
    }
    return events;
}

// "text:<words>" for a date in words, otherwise the first date as "day.month.year".
inline std::string EventDateText(const DateRange& date)
{
    if (date.type == DateRangeText)
        return "text:" + std::string(date.Text());
    return std::to_string(date.dates.first.day) + "." + std::to_string(date.dates.first.month) + "." +
           std::to_string(date.dates.first.Year());
}

// The event's place as the program writes it, "" for none.
inline std::string EventPlaceText(Database& database, std::int32_t placeId)
{
    char place[128] = "";
    if (placeId != 0)
        PlaceRecord(placeId, database).Format(place, sizeof place);
    return place;
}

// The events of a person as "type name|date text|place" in link order.
inline std::vector<std::string> EventsOf(Database& database, std::int32_t person)
{
    return DescribeEventsOf(database, person, [&](const EventRow& event, const EventType& type) {
        return std::string(type.row.name) + "|" + EventDateText(LoadDateRange(event.date)) + "|" +
               EventPlaceText(database, event.placeId);
    });
}

} // namespace import_test
