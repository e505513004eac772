// Index trees inside: the shapes inserts leave, the rotations and what the balance check owes to them, and
// IndexTree::Check finding each kind of damage without looping or crashing.
#include "engine/database_file.h"
#include "engine/index_tree.h"
#include "engine/tests/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace tolvane_test;
using tolvane::IndexNode;
using tolvane::IndexTree;
using tolvane::TreeCheck;

namespace {

// A database with a table of an indexed INT32 key and a payload, in a read-write transaction that the end
// throws away, so that whatever a test does to the blocks never reaches the file.
class KeyTable {
public:
    KeyTable()
    {
        db = tlvCreateDatabaseEx(file.c_str(), 0);
        if (db != nullptr) {
            table = AddTable(db, "KEYS", {Column(TLV_INT32, 1, true), Column(TLV_INT32, 1)});
            tlvStartTransaction(TLV_READWRITE, db);
        }
    }
    ~KeyTable()
    {
        tlvEndTransaction(0, db);
        tlvCloseDatabase(db);
    }
    KeyTable(const KeyTable&) = delete;
    KeyTable& operator=(const KeyTable&) = delete;

    std::int32_t Add(std::int32_t key)
    {
        std::int32_t id = tlvNewID(table, db);
        std::int32_t row[2] = {key, 0};
        EXPECT_EQ(tlvWriteRecord(table, id, row, db), 0);
        return id;
    }
    std::string Check(TreeCheck rules)
    {
        tolvane::Table t = db->LoadTable(table);
        return IndexTree(*db, t, 1).Check(rules);
    }
    std::int32_t Root() { return db->LoadTable(table).Column(1).indexRoot; }
    IndexNode Node(std::int32_t id)
    {
        tolvane::Table t = db->LoadTable(table);
        return IndexTree(*db, t, 1).ReadNode(id);
    }
    // Changes a node's bytes in the cache, behind the tree's back.
    void ChangeNode(std::int32_t id, int offset, std::int32_t value, bool narrow = false)
    {
        tolvane::Table t = db->LoadTable(table);
        tolvane::RecordPlace place = db->LocateNode(t.Column(1).indexGroup, id, false);
        std::uint8_t* node = place.block.Mutable() + place.offset;
        if (narrow)
            tolvane::PutI16(node + offset, static_cast<std::int16_t>(value));
        else
            tolvane::PutI32(node + offset, value);
    }
    // Stores a record's key without moving it in the index.
    void ChangeKey(std::int32_t id, std::int32_t key)
    {
        tolvane::Table t = db->LoadTable(table);
        std::int32_t row[2] = {key, 0};
        db->PutRecord(t, id, reinterpret_cast<const std::uint8_t*>(row), false);
    }
    void FreeSlot(std::int32_t id)
    {
        tolvane::Table t = db->LoadTable(table);
        tolvane::RecordPlace place = db->LocateRecord(t, id, false);
        tolvane::PutI32(place.block.Mutable() + place.offset, 0);
    }

    ScratchFile file{"tree.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t table = 0;
};

// Turns the rotations off for the length of a scope.
class RotationsOff {
public:
    RotationsOff() { IndexTree::rebalancing = false; }
    ~RotationsOff() { IndexTree::rebalancing = true; }
    RotationsOff(const RotationsOff&) = delete;
    RotationsOff& operator=(const RotationsOff&) = delete;
};

} // namespace

TEST(IndexTreeShape, ThreeOneTwoRotatesTwiceIntoABalancedTree)
{
    KeyTable keys;
    ASSERT_NE(keys.db, nullptr);
    std::int32_t three = keys.Add(3);
    std::int32_t one = keys.Add(1);
    std::int32_t two = keys.Add(2);
    // 2 hangs inside (right of 1, left of 3): turning 1 left, then 3 right, brings 2 to the top.
    EXPECT_EQ(keys.Root(), two);
    IndexNode root = keys.Node(two);
    EXPECT_EQ(root.parent, 0);
    EXPECT_EQ(root.less, one);
    EXPECT_EQ(root.greater, three);
    EXPECT_EQ(root.nextEqual, 0);
    EXPECT_EQ(root.lessHeight, 1);
    EXPECT_EQ(root.greaterHeight, 1);
    for (std::int32_t leaf : {one, three}) {
        IndexNode node = keys.Node(leaf);
        EXPECT_EQ(node.parent, two) << "node " << leaf;
        EXPECT_EQ(node.less, 0) << "node " << leaf;
        EXPECT_EQ(node.greater, 0) << "node " << leaf;
        EXPECT_EQ(node.nextEqual, 0) << "node " << leaf;
        EXPECT_EQ(node.lessHeight, 0) << "node " << leaf;
        EXPECT_EQ(node.greaterHeight, 0) << "node " << leaf;
    }
    EXPECT_EQ(keys.Check(TreeCheck::Balance), "");
}

TEST(IndexTreeShape, InsertsKeepEveryOrderOfKeysBalanced)
{
    std::mt19937 random(5);
    std::vector<std::int32_t> randomKeys;
    for (int i = 0; i < 150; ++i)
        randomKeys.push_back(static_cast<std::int32_t>(random() % 60) - 30);
    std::vector<std::int32_t> zigzag;
    for (std::int32_t low = 0, high = 99; low <= high; ++low, --high) {
        zigzag.push_back(low);
        if (low != high)
            zigzag.push_back(high);
    }
    struct Case {
        const char* what;
        std::vector<std::int32_t> keys;
    };
    std::vector<Case> cases = {
        {"ascending", {}},
        {"descending", {}},
        {"zigzag", zigzag},
        {"random, with equal keys", randomKeys},
        {"all equal", std::vector<std::int32_t>(40, 7)},
    };
    for (std::int32_t k = 0; k < 100; ++k) {
        cases[0].keys.push_back(k);
        cases[1].keys.push_back(-k);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeyTable keys;
        ASSERT_NE(keys.db, nullptr);
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            keys.Add(c.keys[i]);
            ASSERT_EQ(keys.Check(TreeCheck::Balance), "") << "after insert " << i;
        }
        EXPECT_TRUE(EngineConsistent(keys.db, Indexes::Balanced));
    }
}

TEST(IndexTreeShape, WithoutRotationsAscendingKeysFailTheBalanceCheck)
{
    for (bool rotations : {true, false}) {
        SCOPED_TRACE(rotations ? "rotations on" : "rotations off");
        KeyTable keys;
        ASSERT_NE(keys.db, nullptr);
        std::vector<std::int32_t> ids;
        {
            std::unique_ptr<RotationsOff> off(rotations ? nullptr : new RotationsOff);
            for (std::int32_t key = 1; key <= 15; ++key)
                ids.push_back(keys.Add(key));
        }
        EXPECT_EQ(keys.Check(TreeCheck::Order), "") << "rotations or not, the order holds";
        std::string balance = keys.Check(TreeCheck::Balance);
        if (rotations) {
            EXPECT_EQ(balance, "");
            EXPECT_EQ(keys.Root(), ids[7]) << "15 ascending keys make a perfect tree around the 8th";
        } else {
            EXPECT_NE(balance.find("out of balance"), std::string::npos) << balance;
            EXPECT_EQ(keys.Root(), ids[0]) << "a list hanging from the first key";
            EXPECT_EQ(keys.Node(ids[0]).greaterHeight, 14) << "the heights are kept all the same";
        }
    }
}

TEST(IndexTreeCheck, FindsEachKindOfDamage)
{
    // Keys 1 to 7 make a perfect tree with 4 at the root; key 4 is written twice, so its chain has a member.
    struct Damage {
        const char* what;
        std::function<void(KeyTable&, std::int32_t root, std::int32_t member)> apply;
        TreeCheck rules;
        const char* fault;
    };
    using namespace tolvane::indexnode;
    const Damage damages[] = {
        {"a child naming another parent",
         [](KeyTable& t, std::int32_t root, std::int32_t) {
             t.ChangeNode(t.Node(root).less, Parent, t.Node(root).greater);
         },
         TreeCheck::Order, "as its parent"},
        {"one child on both sides",
         [](KeyTable& t, std::int32_t root, std::int32_t) { t.ChangeNode(root, Greater, t.Node(root).less); },
         TreeCheck::Order, "twice"},
        {"a circle back to the root",
         [](KeyTable& t, std::int32_t root, std::int32_t) { t.ChangeNode(t.Node(t.Node(root).less).less, Less, root); },
         TreeCheck::Order, "as its parent"},
        {"a node linking to itself",
         [](KeyTable& t, std::int32_t root, std::int32_t) {
             std::int32_t leaf = t.Node(t.Node(root).greater).greater;
             t.ChangeNode(leaf, Greater, leaf);
         },
         TreeCheck::Order, "itself"},
        {"a link beyond the table's ids",
         [](KeyTable& t, std::int32_t root, std::int32_t) { t.ChangeNode(t.Node(root).less, Less, 1000); },
         TreeCheck::Order, "cannot be read (error 16)"},
        {"keys out of order", [](KeyTable& t, std::int32_t root, std::int32_t) { t.ChangeKey(t.Node(root).less, 5); },
         TreeCheck::Order, "out of order"},
        {"a deleted record left in the tree",
         [](KeyTable& t, std::int32_t root, std::int32_t) { t.FreeSlot(t.Node(root).greater); }, TreeCheck::Order,
         "not a live record"},
        {"a chain member with a subtree",
         [](KeyTable& t, std::int32_t, std::int32_t member) { t.ChangeNode(member, Less, 1); }, TreeCheck::Order,
         "has subtrees"},
        {"a chain member of another key",
         [](KeyTable& t, std::int32_t, std::int32_t member) { t.ChangeKey(member, 3); }, TreeCheck::Order,
         "with another key"},
        {"a stored height one too high",
         [](KeyTable& t, std::int32_t root, std::int32_t) { t.ChangeNode(root, LessHeight, 3, true); },
         TreeCheck::Balance, "stores heights 3/2"},
        {"a chain member with a height",
         [](KeyTable& t, std::int32_t, std::int32_t member) { t.ChangeNode(member, GreaterHeight, 1, true); },
         TreeCheck::Balance, "has heights 0/1"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        KeyTable keys;
        ASSERT_NE(keys.db, nullptr);
        for (std::int32_t key = 1; key <= 7; ++key)
            keys.Add(key);
        std::int32_t member = keys.Add(4);
        std::int32_t root = keys.Root();
        ASSERT_EQ(keys.Node(root).nextEqual, member);
        ASSERT_EQ(keys.Check(TreeCheck::Balance), "");
        damage.apply(keys, root, member);
        std::string fault = keys.Check(damage.rules);
        EXPECT_NE(fault.find(damage.fault), std::string::npos) << fault;
        if (damage.rules == TreeCheck::Balance) {
            EXPECT_EQ(keys.Check(TreeCheck::Order), "") << "heights are no matter of order";
        }
        EXPECT_FALSE(
            EngineConsistent(keys.db, damage.rules == TreeCheck::Balance ? Indexes::Balanced : Indexes::Ordered));
    }
}

TEST(IndexTreeCheck, EveryLiveRecordIsInEveryIndex)
{
    KeyTable keys;
    ASSERT_NE(keys.db, nullptr);
    for (std::int32_t key = 1; key <= 5; ++key)
        keys.Add(key);
    std::int32_t pending = tlvNewID(keys.table, keys.db);
    EXPECT_TRUE(EngineConsistent(keys.db, Indexes::Balanced)) << "an id issued and not yet written is not indexed";
    std::int32_t row[2] = {9, 0};
    ASSERT_EQ(tlvWriteRecord(keys.table, pending, row, keys.db), 0);
    EXPECT_TRUE(EngineConsistent(keys.db, Indexes::Balanced));

    tolvane::Table table = keys.db->LoadTable(keys.table);
    IndexTree(*keys.db, table, 1).Remove(3); // out of the index, while the record stays
    EXPECT_EQ(keys.Check(TreeCheck::Order), "") << "the tree itself is sound";
    std::string fault = keys.db->CheckIndexes(TreeCheck::Order);
    EXPECT_NE(fault.find("5 records indexed, 6 expected"), std::string::npos) << fault;
}

// A chain of equal keys damaged into a loop (one changed link) ends every search along it with the damage
// error instead of going round for ever: the collection of all equal records, the search record by record,
// and the walk that visits duplicates.
TEST(IndexTreeDamage, AnEqualKeyChainThatLoopsEndsTheSearch)
{
    KeyTable keys;
    ASSERT_NE(keys.db, nullptr);
    std::int32_t first = keys.Add(7);
    keys.Add(7);
    std::int32_t last = keys.Add(7);
    keys.ChangeNode(last, tolvane::indexnode::NextEqual, first);

    std::int32_t key = 7;
    EXPECT_EQ(tlvFindAll(keys.table, 1, &key, keys.db), nullptr);
    EXPECT_EQ(tlvGetLastError(keys.db), TLV_ERROR_IO);

    int steps = 0;
    for (std::int32_t id = tlvFindNextRecord(0, keys.table, 1, &key, keys.db); id > 0 && steps < 10;
         id = tlvFindNextRecord(id, keys.table, 1, &key, keys.db))
        ++steps;
    EXPECT_EQ(steps, 3) << "three records, then the damage";
    EXPECT_EQ(tlvGetLastError(keys.db), TLV_ERROR_IO);

    steps = 0;
    for (std::int32_t id = tlvGetFirstRecord(keys.table, 1, keys.db); id != 0 && steps < 10;
         id = tlvGetNextRecord(keys.table, 1, id, 1, keys.db))
        ++steps;
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(tlvGetLastError(keys.db), TLV_ERROR_IO);
}
