// Record collections: FindAll, SelectAll, the sort and the cursor with its wrap-around after the end.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace tolvane_test;

namespace {

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        // owner (indexed), kind, order
        links = AddTable(db, "LINKS", {Column(TLV_INT32, 1, true), Column(TLV_INT32, 1), Column(TLV_INT16, 1)});
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    }
    void TearDown() override
    {
        tlvEndTransaction(1, db);
        tlvCloseDatabase(db);
    }
    std::int32_t Add(std::int32_t owner, std::int32_t kind, std::int16_t order)
    {
        std::uint8_t row[10];
        std::memcpy(row, &owner, 4);
        std::memcpy(row + 4, &kind, 4);
        std::memcpy(row + 8, &order, 2);
        std::int32_t id = tlvNewID(links, db);
        EXPECT_EQ(tlvWriteRecord(links, id, row, db), 0);
        EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
        return id;
    }
    static std::vector<std::int32_t> Ids(RecordCollection* collection)
    {
        std::vector<std::int32_t> ids;
        for (std::int32_t id = tlvGetFirstCollRecord(collection); id != 0; id = tlvGetNextCollRecord(collection))
            ids.push_back(id);
        return ids;
    }

    ScratchFile file{"collections.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t links = 0;
};

} // namespace

TEST_F(CollectionTest, EmptyFindIsAnEmptyCollection)
{
    Add(1, 1, 1);
    std::int32_t key = 42;
    RecordCollection* found = tlvFindAll(links, 1, &key, db);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(tlvNumberOfCollRecords(found), 0);
    EXPECT_EQ(tlvGetNextCollRecord(found), 0);
    EXPECT_EQ(tlvGetFirstCollRecord(found), 0);
    EXPECT_EQ(tlvGetLastCollRecord(found), 0);
    EXPECT_EQ(tlvGetPreviousCollRecord(found), 0);
    tlvDeleteColl(found);
    EXPECT_EQ(tlvFindAll(0, 1, &key, db), nullptr);
    EXPECT_EQ(tlvGetLastError(db), 11);
    EXPECT_EQ(tlvFindAll(links, 4, &key, db), nullptr);
    EXPECT_EQ(tlvGetLastError(db), 12);
}

TEST_F(CollectionTest, CursorWalksAndWrapsAfterTheEnd)
{
    std::int32_t a = Add(7, 1, 3);
    Add(8, 1, 1);
    std::int32_t b = Add(7, 2, 2);
    std::int32_t c = Add(7, 1, 1);
    std::int32_t key = 7;
    RecordCollection* found = tlvFindAll(links, 1, &key, db);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(tlvGetNextCollRecord(found), a) << "a fresh cursor stands before the first";
    EXPECT_EQ(tlvGetNextCollRecord(found), b);
    EXPECT_EQ(tlvGetNextCollRecord(found), c);
    EXPECT_EQ(tlvGetNextCollRecord(found), 0);
    EXPECT_EQ(tlvGetNextCollRecord(found), b) << "past the end the cursor went back to the first";
    EXPECT_EQ(tlvGetPreviousCollRecord(found), a);
    EXPECT_EQ(tlvGetPreviousCollRecord(found), 0);
    EXPECT_EQ(tlvGetPreviousCollRecord(found), 0);
    EXPECT_EQ(tlvGetLastCollRecord(found), c);
    EXPECT_EQ(tlvGetPreviousCollRecord(found), b);
    EXPECT_EQ(tlvNumberOfCollRecords(found), 3);

    // The ids stay valid after the transaction.
    tlvEndTransaction(1, db);
    EXPECT_EQ(tlvGetFirstCollRecord(found), a);
    EXPECT_EQ(tlvSortColl(3, found), 10);
    EXPECT_EQ(tlvSelectAll(found, 2, &key), nullptr);
    tlvStartTransaction(TLV_READWRITE, db);

    ASSERT_EQ(tlvSortColl(3, found), 0);
    EXPECT_EQ(tlvGetNextCollRecord(found), c) << "after a sort the next call answers the first";
    EXPECT_EQ(Ids(found), (std::vector<std::int32_t>{c, b, a}));
    EXPECT_EQ(tlvSortColl(4, found), 12);

    std::int32_t kind = 1;
    RecordCollection* selected = tlvSelectAll(found, 2, &kind);
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(Ids(selected), (std::vector<std::int32_t>{c, a}));
    EXPECT_EQ(Ids(found), (std::vector<std::int32_t>{c, b, a})) << "the given collection is left alone";
    tlvDeleteRecord(links, c, db);
    EXPECT_TRUE(EngineConsistent(db));
    RecordCollection* again = tlvSelectAll(found, 2, &kind);
    EXPECT_EQ(Ids(again), (std::vector<std::int32_t>{a})) << "deleted members are left out";
    tlvDeleteColl(again);
    tlvDeleteColl(selected);
    tlvDeleteColl(found);
}

TEST_F(CollectionTest, SortIsStable)
{
    std::vector<std::int32_t> ids;
    const std::int16_t orders[] = {3, 1, 2, 1, 3, 2, 1};
    for (std::int16_t order : orders)
        ids.push_back(Add(5, 0, order));
    std::int32_t key = 5;
    RecordCollection* found = tlvFindAll(links, 1, &key, db);
    ASSERT_EQ(tlvSortColl(3, found), 0);
    EXPECT_EQ(Ids(found), (std::vector<std::int32_t>{ids[1], ids[3], ids[6], ids[2], ids[5], ids[0], ids[4]}));
    tlvDeleteColl(found);
}

TEST_F(CollectionTest, LargeCollectionsWithoutIndex)
{
    std::vector<std::int32_t> expected;
    for (int i = 0; i < 300; ++i) {
        std::int32_t id = Add(i, i % 2, 0);
        if (i % 2 == 1)
            expected.push_back(id);
    }
    std::int32_t odd = 1;
    RecordCollection* found = tlvFindAll(links, 2, &odd, db);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(tlvNumberOfCollRecords(found), 150);
    EXPECT_EQ(Ids(found), expected);
    tlvDeleteColl(found);
}
