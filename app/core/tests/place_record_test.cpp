#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/place_record.h"
#include "settings/settings.h"
#include "missing_table.h"
#include "tests/support/test_database.h"

namespace {

std::string Formatted(const PlaceRecord& place)
{
    char out[256];
    return place.Format(out, sizeof out);
}

class PlaceRecordText : public testing::Test {
protected:
    Database database;
};

TEST_F(PlaceRecordText, ParsesCommaSeparatedUnits)
{
    PlaceRecord place(database);
    place.Parse("Oslo, Akershus, Norway");
    ASSERT_EQ(place.CountParts(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(place.GetPartType(i), PlacePartUnknown);
    EXPECT_STREQ(place.GetPartText(1), "Akershus");
    EXPECT_TRUE(place.IsUntyped());
    EXPECT_EQ(Formatted(place), "Oslo, Akershus, Norway");
    place.ComputeSortTexts();
    EXPECT_STREQ(place.row.sortText, "Oslo,Akershus,Norway");
    EXPECT_STREQ(place.row.indexText, "Norway,Akershus,Oslo");
}

TEST_F(PlaceRecordText, ParsingStopsAtAnEmptyPieceOrOneThatDoesNotFit)
{
    struct Case {
        std::string text;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"Oslo,, Norway", {"Oslo"}},
        {" ,Oslo", {}},
        {"Oslo ,Norway,", {"Oslo", "Norway"}},
        {"Oslo\t,Nor\x01way\r\n", {"Oslo", "Nor way"}},
        {std::string(100, 'a') + "," + std::string(30, 'b') + ",c", {std::string(100, 'a')}},
        {std::string(126, 'a'), {std::string(126, 'a')}},
        {std::string(127, 'a'), {}},
    };
    for (const Case& c : cases) {
        PlaceRecord place(database);
        place.Parse(c.text.c_str());
        ASSERT_EQ(place.CountParts(), static_cast<int>(c.parts.size())) << c.text;
        for (int i = 0; i < place.CountParts(); ++i)
            EXPECT_EQ(place.GetPartText(i), c.parts[i]) << c.text;
    }
}

TEST_F(PlaceRecordText, FormatsOnlyThePartTypesSwitchedOn)
{
    PlaceSettings saved = CurrentSettings.place;
    for (int type = 1; type <= PlacePartTypeCount; ++type)
        CurrentSettings.place.PartShown[type] = 1;
    CurrentSettings.place.PartShown[PlacePartCounty] = 0;
    PlaceRecord place(database);
    EXPECT_TRUE(place.AppendPart(PlacePartTown, "Oslo"));
    EXPECT_TRUE(place.AppendPart(PlacePartCounty, "Akershus"));
    EXPECT_TRUE(place.AppendPart(PlacePartCountry, "Norway"));
    char out[64];
    EXPECT_STREQ(place.FormatFiltered(out, sizeof out), "Oslo, Norway");
    EXPECT_STREQ(place.Format(out, sizeof out), "Oslo, Akershus, Norway");
    EXPECT_STREQ(place.Format(out, 7), "Oslo, ");
    EXPECT_FALSE(place.IsUntyped());
    EXPECT_EQ(place.GetPartType(2), PlacePartCountry);
    EXPECT_EQ(place.GetPartType(3), 0);
    CurrentSettings.place.PartShown[PlacePartTown] = 0;
    CurrentSettings.place.PartShown[PlacePartCountry] = 0;
    EXPECT_STREQ(place.FormatFiltered(out, sizeof out), "");
    CurrentSettings.place = saved;
}

TEST_F(PlaceRecordText, TypeBytesAndControlCharacters)
{
    PlaceRecord place(database);
    EXPECT_TRUE(place.AppendPart(PlacePartFarm, "Nord\x12gard")); // 18 would be a cemetery's type byte
    EXPECT_EQ(place.CountParts(), 1);
    EXPECT_STREQ(place.GetPartText(0), "Nord gard");
    EXPECT_FALSE(place.AppendPart(19, "x"));
    EXPECT_STREQ(PlacePartTypeKey(PlacePartMunicipality), "PLACE_TYPE_MUNI");
    EXPECT_STREQ(PlacePartTypeKey(19), "");
}

TEST_F(PlaceRecordText, AnEmptyNameLeavesTheSortTextsAsTheyWere)
{
    PlaceRecord place(database);
    std::strcpy(place.row.sortText, "old");
    std::strcpy(place.row.indexText, "old index");
    place.ComputeSortTexts();
    EXPECT_STREQ(place.row.sortText, "old");
    EXPECT_STREQ(place.row.indexText, "old index");
}

class PlaceRecordStore : public testing::Test {
protected:
    std::int32_t Store(const char* text)
    {
        PlaceRecord place(*db);
        place.Parse(text);
        EXPECT_TRUE(place.SaveOrDelete());
        return place.Id();
    }

    test_support::TestDatabase db;
    EngineTransaction transaction{db.File(), TLV_READWRITE};
};

TEST_F(PlaceRecordStore, WalksBySortAndByIndexText)
{
    const std::int32_t oslo = Store("Oslo, Akershus, Norway");
    const std::int32_t bergen = Store("Bergen, Hordaland, Norway");
    const std::int32_t arhus = Store("Aarhus, Denmark");
    std::vector<std::int32_t> bySort, byIndex, backwards;
    PlaceRecord walk(*db);
    for (walk.ReadFirstBySort(); walk.Id() != 0; walk.ReadNextBySort())
        bySort.push_back(walk.Id());
    for (walk.ReadFirstByIndex(); walk.Id() != 0; walk.ReadNextByIndex())
        byIndex.push_back(walk.Id());
    walk.Read(oslo);
    for (walk.ReadPreviousBySort(); walk.Id() != 0; walk.ReadPreviousBySort())
        backwards.push_back(walk.Id());
    EXPECT_EQ(bySort, (std::vector<std::int32_t>{arhus, bergen, oslo}));
    EXPECT_EQ(byIndex,
              (std::vector<std::int32_t>{arhus, oslo, bergen})); // Denmark.., Norway,Akershus.., Norway,Hordaland..
    EXPECT_EQ(backwards, (std::vector<std::int32_t>{bergen, arhus}));
    walk.ReadNextBySortFrom(arhus);
    EXPECT_EQ(walk.Id(), bergen);
    EXPECT_STREQ(walk.row.indexText, "Norway,Hordaland,Bergen");
}

TEST_F(PlaceRecordStore, APlaceWithoutPartsIsDeletedUnlessItHasAPrefix)
{
    const std::int32_t id = Store("Oslo");
    PlaceRecord place(id, *db);
    ASSERT_EQ(place.Id(), id);
    place.ClearParts();
    std::strcpy(place.row.prefix, "near");
    EXPECT_TRUE(place.SaveOrDelete());
    EXPECT_EQ(place.Id(), id);
    EXPECT_EQ(PlaceRecord(*db).Read(id), 0);

    place.row.prefix[0] = '\0';
    EXPECT_TRUE(place.SaveOrDelete());
    EXPECT_EQ(place.Id(), 0);
    PlaceRecord gone(*db);
    EXPECT_EQ(gone.Read(id), TLV_ERROR_RECORD);
    EXPECT_EQ(gone.Id(), id); // the id is kept; the caller tests the answer

    PlaceRecord empty(*db);
    EXPECT_TRUE(empty.SaveOrDelete());
    EXPECT_EQ(empty.Id(), 0);
}

TEST_F(PlaceRecordStore, AnEditOfAPlaceWhoseRowWasDeletedIsStoredUnderANewId)
{
    const std::int32_t id = Store("Oslo");
    PlaceRecord place(id, *db);
    EXPECT_TRUE(PlaceRecord::DeleteById(id, *db));
    EXPECT_TRUE(PlaceRecord::DeleteById(id, *db)); // gone already: nothing failed
    place.Parse("Oslo, Norway");
    EXPECT_TRUE(place.SaveOrDelete());
    ASSERT_NE(place.Id(), 0);
    PlaceRecord read(place.Id(), *db);
    EXPECT_EQ(Formatted(read), "Oslo, Norway");
    EXPECT_STREQ(read.row.indexText, "Norway,Oslo");
}

TEST_F(PlaceRecordStore, EngineRefusalsAreAnsweredAndKeepThePlace)
{
    const std::int32_t id = Store("Oslo");
    PlaceRecord stored(id, *db);
    {
        MissingTable missing(*db, TablePlace2);
        stored.Parse("Bergen");
        EXPECT_FALSE(stored.SaveOrDelete());
        EXPECT_EQ(stored.Id(), id);
        EXPECT_NE(stored.Write(), 0);
        EXPECT_EQ(stored.Id(), id);
        stored.ClearParts();
        EXPECT_FALSE(stored.SaveOrDelete()); // the emptied place cannot be deleted
        EXPECT_EQ(stored.Id(), id);
        EXPECT_FALSE(PlaceRecord::DeleteById(id, *db));

        PlaceRecord fresh(*db);
        fresh.Parse("Moss");
        EXPECT_FALSE(fresh.SaveOrDelete());
        EXPECT_EQ(fresh.Id(), 0);
    }
    EXPECT_EQ(Formatted(PlaceRecord(id, *db)), "Oslo");
}

TEST_F(PlaceRecordStore, WritesAndDeletesEmptyThePlaceCache)
{
    PlaceCache& cache = db->Places();
    cache.sortedPlaces = std::malloc(16);
    cache.indexedPlaces = std::malloc(16);
    const std::int32_t id = Store("Oslo");
    EXPECT_FALSE(cache.IsLoaded());
    cache.sortedPlaces = std::malloc(16);
    EXPECT_TRUE(PlaceRecord::DeleteById(id, *db));
    EXPECT_EQ(cache.sortedPlaces, nullptr);
    cache.indexedPlaces = std::malloc(16); // freed with the database
}

TEST(PlaceRecordOld, ReadsARowOfTheOldPlaceTable)
{
    test_support::TestDatabase db;
    EngineTransaction transaction(db.File(), TLV_READWRITE);
    ColumnDefinition columns[5] = {};
    const std::uint8_t types[5] = {TLV_INT32, TLV_INT32, TLV_TEXT, TLV_TEXT, TLV_TEXT};
    const std::uint16_t counts[5] = {1, 1, 16, 128, 128};
    for (int i = 0; i < 5; ++i) {
        columns[i].type = types[i];
        columns[i].count = counts[i];
    }
    TableDefinition old = {"PLACE", columns, 5, 0};
    db->tableIds[TablePlaceOld] = tlvAddTable(&old, db.File());
    ASSERT_GT(db->tableIds[TablePlaceOld], 0);
    PlaceRow row = {};
    row.eventId = 12;
    std::strcpy(row.prefix, "near");
    row.parts[0] = PlacePartTown;
    std::strcpy(row.parts + 1, "Oslo");
    std::strcpy(row.sortText, "Oslo");
    const std::int32_t id = tlvNewID(db->tableIds[TablePlaceOld], db.File());
    ASSERT_EQ(tlvWriteRecord(db->tableIds[TablePlaceOld], id, &row, db.File()), 0); // the first 280 bytes

    PlaceRecord place(*db);
    std::strcpy(place.row.indexText, "stale");
    ASSERT_EQ(place.ReadOld(id), 0);
    EXPECT_EQ(place.Id(), id);
    EXPECT_EQ(+place.row.eventId, 12);
    EXPECT_STREQ(place.row.prefix, "near");
    EXPECT_STREQ(place.GetPartText(0), "Oslo");
    EXPECT_EQ(place.GetPartType(0), PlacePartTown);
    EXPECT_STREQ(place.row.indexText, "");
    // Written into the current table, it gets both texts.
    place.SetId(tlvNewID(db.Table(TablePlace2), db.File()));
    ASSERT_EQ(place.Write(), 0);
    EXPECT_STREQ(PlaceRecord(place.Id(), *db).row.indexText, "Oslo");
}

} // namespace
