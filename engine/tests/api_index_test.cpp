// Index trees through the interface: balance on insert, chains of equal keys, ordered walks both ways,
// removal, equality search with and without index.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <vector>

using namespace tolvane_test;

namespace {

class IndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        numbers = AddTable(db, "NUMBERS", {Column(TLV_INT32, 1, true), Column(TLV_INT32, 1)});
        names = AddTable(db, "NAMES", {Column(TLV_TEXT, 24, true)});
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    }
    void TearDown() override
    {
        tlvEndTransaction(1, db);
        tlvCloseDatabase(db);
    }

    std::int32_t AddNumber(std::int32_t key, std::int32_t payload = 0)
    {
        std::int32_t id = tlvNewID(numbers, db);
        std::int32_t row[2] = {key, payload};
        EXPECT_EQ(tlvWriteRecord(numbers, id, row, db), 0);
        if (checkEachAdd) {
            EXPECT_TRUE(EngineConsistent(db, indexes)) << "after adding key " << key;
        }
        return id;
    }
    std::int32_t AddName(const char* name)
    {
        char row[24] = {};
        std::strncpy(row, name, sizeof row - 1);
        std::int32_t id = tlvNewID(names, db);
        EXPECT_EQ(tlvWriteRecord(names, id, row, db), 0);
        EXPECT_TRUE(EngineConsistent(db, indexes)) << "after adding " << name;
        return id;
    }
    std::int32_t KeyOf(std::int32_t id)
    {
        std::int32_t row[2] = {};
        EXPECT_EQ(tlvReadRecord(numbers, id, row, db), 0);
        return row[0];
    }
    std::vector<std::int32_t> Walk(std::int32_t table, int mode)
    {
        std::vector<std::int32_t> ids;
        for (std::int32_t id = tlvGetFirstRecord(table, 1, db); id != 0; id = tlvGetNextRecord(table, 1, id, mode, db))
            ids.push_back(id);
        return ids;
    }
    // From `last` (the last record of the forward walk) back to the first.
    std::vector<std::int32_t> WalkBack(std::int32_t table, int mode, std::int32_t last)
    {
        std::vector<std::int32_t> ids;
        for (std::int32_t id = last; id != 0; id = tlvGetPreviousRecord(table, 1, id, mode, db))
            ids.push_back(id);
        return ids;
    }
    std::vector<std::int32_t> FindAll(std::int32_t table, const void* key)
    {
        std::vector<std::int32_t> ids;
        for (std::int32_t id = tlvFindNextRecord(0, table, 1, key, db); id > 0;
             id = tlvFindNextRecord(id, table, 1, key, db))
            ids.push_back(id);
        return ids;
    }

    ScratchFile file{"index.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t numbers = 0;
    std::int32_t names = 0;
    // What the trees keep after each change: their balance too, until a test removes or rewrites a record.
    Indexes indexes = Indexes::Balanced;
    bool checkEachAdd = true;
};

} // namespace

TEST_F(IndexTest, AscendingInsertsRotate)
{
    AddNumber(1);
    AddNumber(2);
    AddNumber(3);
    EXPECT_EQ(Walk(numbers, 1), (std::vector<std::int32_t>{1, 2, 3}));
    // The root is the one node whose previous and next are both in the tree and which both link to.
    EXPECT_EQ(tlvGetNextRecord(numbers, 1, 1, 0, db), 2);
    EXPECT_EQ(tlvGetPreviousRecord(numbers, 1, 3, 0, db), 2);
}

TEST_F(IndexTest, EqualTextsFormOneChainInWriteOrder)
{
    std::int32_t first = AddName("Miller");
    AddName("Adams");
    std::int32_t second = AddName("MILLER");
    std::int32_t third = AddName("miller");
    AddName("Zander");
    EXPECT_EQ(FindAll(names, "MiLLeR"), (std::vector<std::int32_t>{first, second, third}));
    EXPECT_EQ(tlvFindNextRecord(0, names, 1, "Nobody", db), 0);

    // Rewriting the first record of the chain makes it the last.
    char row[24] = "Miller";
    indexes = Indexes::Ordered;
    ASSERT_EQ(tlvWriteRecord(names, first, row, db), 0);
    EXPECT_TRUE(EngineConsistent(db, indexes));
    EXPECT_EQ(FindAll(names, "miller"), (std::vector<std::int32_t>{second, third, first}));
}

TEST_F(IndexTest, WalksVisitEveryRecordOnceAndBackwardsInReverse)
{
    std::mt19937 random(7);
    std::multimap<std::int32_t, std::int32_t> model;
    for (int i = 0; i < 600; ++i) {
        std::int32_t key = static_cast<std::int32_t>(random() % 150) - 75;
        model.emplace(key, AddNumber(key));
    }
    std::vector<std::int32_t> expected;
    for (auto& [key, id] : model)
        expected.push_back(id);
    std::vector<std::int32_t> forward = Walk(numbers, 1);
    EXPECT_EQ(forward, expected) << "key order, equal keys in insertion order";
    std::vector<std::int32_t> backward = WalkBack(numbers, 1, forward.back());
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);

    std::vector<std::int32_t> heads;
    for (auto it = model.begin(); it != model.end(); it = model.upper_bound(it->first))
        heads.push_back(it->second);
    EXPECT_EQ(Walk(numbers, 0), heads) << "without duplicates each key once, at its chain's first";
    // The last record in the tree's order is the first of the greatest key's chain.
    EXPECT_EQ(tlvGetLastRecord(numbers, 1, db), heads.back());
    std::vector<std::int32_t> headsBack = WalkBack(numbers, 0, tlvGetLastRecord(numbers, 1, db));
    std::reverse(headsBack.begin(), headsBack.end());
    EXPECT_EQ(headsBack, heads);
}

TEST_F(IndexTest, RemovalKeepsOrderThroughManyChanges)
{
    std::mt19937 random(11);
    std::map<std::int32_t, std::int32_t> live; // id -> key
    indexes = Indexes::Ordered;
    checkEachAdd = false;
    for (int round = 0; round < 3000; ++round) {
        int action = static_cast<int>(random() % 10);
        if (action < 5 || live.size() < 5) {
            std::int32_t key = static_cast<std::int32_t>(random() % 400);
            live[AddNumber(key)] = key;
        } else if (action < 8) {
            auto it = std::next(live.begin(), static_cast<long>(random() % live.size()));
            ASSERT_EQ(tlvDeleteRecord(numbers, it->first, db), 0);
            live.erase(it);
        } else {
            auto it = std::next(live.begin(), static_cast<long>(random() % live.size()));
            std::int32_t key = static_cast<std::int32_t>(random() % 400);
            ASSERT_EQ(tlvSetField(numbers, 1, it->first, &key, 4, db), 0);
            it->second = key;
        }
        // Damage stays, so a look every tenth change still finds it near where it happened.
        if (round % 10 == 0 || round == 2999) {
            ASSERT_TRUE(EngineConsistent(db)) << "round " << round;
        }
    }
    std::vector<std::int32_t> walk = Walk(numbers, 1);
    ASSERT_EQ(walk.size(), live.size());
    for (std::size_t i = 1; i < walk.size(); ++i)
        ASSERT_LE(KeyOf(walk[i - 1]), KeyOf(walk[i])) << "position " << i;
    std::vector<std::int32_t> back = WalkBack(numbers, 1, walk.back());
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(back, walk);
    for (auto& [id, key] : live) {
        std::vector<std::int32_t> found = FindAll(numbers, &key);
        ASSERT_NE(std::find(found.begin(), found.end(), id), found.end()) << "id " << id;
    }
}

TEST_F(IndexTest, RemovingTheOnlyNodeEmptiesTheTree)
{
    std::int32_t id = AddNumber(5);
    ASSERT_EQ(tlvDeleteRecord(numbers, id, db), 0);
    EXPECT_TRUE(EngineConsistent(db, indexes)) << "an empty tree";
    EXPECT_EQ(tlvGetFirstRecord(numbers, 1, db), 0);
    EXPECT_EQ(tlvGetLastRecord(numbers, 1, db), 0);
    std::int32_t again = AddNumber(6);
    EXPECT_EQ(tlvGetFirstRecord(numbers, 1, db), again);
    EXPECT_EQ(tlvGetNextRecord(numbers, 1, again, 1, db), 0);
}

TEST_F(IndexTest, NewIdsHoldAZeroKey)
{
    AddNumber(3);
    std::int32_t fresh = tlvNewID(numbers, db);
    EXPECT_TRUE(EngineConsistent(db, indexes));
    std::int32_t zero = 0;
    EXPECT_EQ(FindAll(numbers, &zero), (std::vector<std::int32_t>{fresh}));
    EXPECT_TRUE(EngineConsistent(db, indexes)) << "after the search settled the new id";
    EXPECT_EQ(tlvGetFirstRecord(numbers, 1, db), fresh);
}

TEST_F(IndexTest, IssuedButUnwrittenRecordsAreIndexedWithZeroKeys)
{
    std::int32_t a = tlvNewID(numbers, db);
    std::int32_t b = tlvNewID(numbers, db); // a was not written: it keeps its zero key
    EXPECT_TRUE(EngineConsistent(db, indexes));
    std::int32_t row[2] = {5, 0};
    ASSERT_EQ(tlvWriteRecord(numbers, b, row, db), 0);
    EXPECT_TRUE(EngineConsistent(db, indexes));
    std::int32_t c = tlvNewID(numbers, db);
    indexes = Indexes::Ordered;                        // a is in the index already: its write moves it
    ASSERT_EQ(tlvWriteRecord(numbers, a, row, db), 0); // c keeps its zero key too
    EXPECT_TRUE(EngineConsistent(db, indexes));
    std::int32_t d = AddNumber(0);
    std::int32_t zero = 0;
    std::int32_t five = 5;
    EXPECT_EQ(FindAll(numbers, &zero), (std::vector<std::int32_t>{c, d}));
    EXPECT_EQ(FindAll(numbers, &five), (std::vector<std::int32_t>{b, a}));
    std::int32_t e = tlvNewID(numbers, db);
    tlvEndTransaction(1, db);
    EXPECT_TRUE(EngineConsistent(db, indexes)) << "after the commit";
    tlvStartTransaction(TLV_READWRITE, db);
    EXPECT_EQ(FindAll(numbers, &zero), (std::vector<std::int32_t>{c, d, e})) << "committed with its zero key";
}

TEST_F(IndexTest, WalkCallsOnIdsOutsideTheTree)
{
    std::int32_t a = AddNumber(1);
    std::int32_t b = AddNumber(2);
    indexes = Indexes::Ordered;
    tlvDeleteRecord(numbers, a, db);
    EXPECT_TRUE(EngineConsistent(db, indexes));
    EXPECT_EQ(tlvGetNextRecord(numbers, 1, a, 1, db), 0);
    EXPECT_EQ(tlvGetNextRecord(numbers, 1, 99, 1, db), 0);
    EXPECT_EQ(tlvGetPreviousRecord(numbers, 1, b, 1, db), 0);
    EXPECT_EQ(tlvGetNextRecord(numbers, 3, b, 1, db), 0);
    EXPECT_EQ(tlvGetLastError(db), 12);
    EXPECT_EQ(tlvGetFirstRecord(numbers, 2, db), 0) << "a column without index";
    EXPECT_EQ(tlvGetLastError(db), 0);
    EXPECT_EQ(tlvFindNextRecord(0, numbers, 3, &b, db), -1);
    EXPECT_EQ(tlvFindNextRecord(0, 9, 1, &b, db), -1);
    EXPECT_EQ(tlvGetLastError(db), 11);
}

TEST_F(IndexTest, SearchWithoutIndexIsLinearInIdOrder)
{
    for (int i = 0; i < 10; ++i)
        AddNumber(i, i % 3);
    indexes = Indexes::Ordered;
    tlvDeleteRecord(numbers, 4, db);
    EXPECT_TRUE(EngineConsistent(db, indexes));
    std::int32_t key = 0;
    std::vector<std::int32_t> found;
    for (std::int32_t id = tlvFindNextRecord(0, numbers, 2, &key, db); id > 0;
         id = tlvFindNextRecord(id, numbers, 2, &key, db))
        found.push_back(id);
    EXPECT_EQ(found, (std::vector<std::int32_t>{1, 7, 10}));
}

TEST_F(IndexTest, TypedOrders)
{
    struct Case {
        std::uint8_t type;
        std::uint16_t count;
        std::vector<std::vector<std::uint8_t>> ascending;
    };
    auto le = [](std::uint64_t v, int bytes) {
        std::vector<std::uint8_t> out;
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return out;
    };
    auto f32 = [&](float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return le(bits, 4);
    };
    auto f64 = [&](double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        return le(bits, 8);
    };
    std::vector<Case> cases = {
        {TLV_BYTE, 1, {le(1, 1), le(200, 1)}},
        {TLV_UINT16, 1, {le(1, 2), le(0x8000, 2)}},
        {TLV_INT16, 1, {le(0x8000, 2), le(0xFFFF, 2), le(1, 2)}},
        {TLV_UINT32, 1, {le(1, 4), le(0x80000000u, 4)}},
        {TLV_INT32, 1, {le(0x80000000u, 4), le(0xFFFFFFFFu, 4), le(2, 4)}},
        {TLV_UINT64, 1, {le(0xFFFFFFFFull, 8), le(0x100000000ull, 8), le(0x8000000000000000ull, 8)}},
        {TLV_INT64,
         1,
         {le(0x8000000000000000ull, 8), le(0xFFFFFFFF00000000ull, 8), le(0xFFFFFFFFFFFFFFFFull, 8), le(0, 8),
          le(0xFFFFFFFFull, 8)}},
        {TLV_FLOAT, 1, {f32(-2.5f), f32(0.0f), f32(1.25f), f32(1e20f)}},
        {TLV_DOUBLE, 1, {f64(-1e300), f64(-0.5), f64(3.0)}},
        {TLV_INT32, 2, {le(0x0000000100000000ull, 8), le(0x0000000000000002ull, 8), le(0x0000000500000002ull, 8)}},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "TYPED" + std::to_string(n++);
        std::int32_t table = AddTable(db, name.c_str(), {Column(c.type, c.count, true)});
        ASSERT_GT(table, 0);
        // Inserted in reverse; the walk must give them ascending.
        std::vector<std::int32_t> ids(c.ascending.size());
        for (std::size_t i = c.ascending.size(); i-- > 0;) {
            ids[i] = tlvNewID(table, db);
            ASSERT_EQ(tlvWriteRecord(table, ids[i], c.ascending[i].data(), db), 0);
            EXPECT_TRUE(EngineConsistent(db, indexes));
        }
        EXPECT_EQ(Walk(table, 1), ids) << "type " << int(c.type) << " count " << c.count;
    }
}
