// The block cache inside: slot growth, which blocks a full cache lets go, commits releasing rarely used
// blocks, blocks in use surviving eviction, and the pool returning emptied arenas.
#include "engine/block_cache.h"
#include "engine/errors.h"
#include "engine/format.h"
#include "engine/record_collection.h"
#include "engine/tests/test_support.h"
#include "platform/file.h"

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace tolvane;
using tolvane_test::ScratchFile;

namespace {

class BlockCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::uint8_t> bytes(200 * BlockSize);
        for (int n = 0; n < 200; ++n)
            bytes[static_cast<std::size_t>(n) * BlockSize] = static_cast<std::uint8_t>(n);
        tolvane_test::WriteWholeFile(path.Path(), bytes);
        file = platform::File::Open(path.Path(), {platform::FileAccess::ReadWrite, platform::FileShare::None});
        ASSERT_TRUE(file.IsOpen());
    }
    void Ask(std::int32_t n, int times)
    {
        for (int i = 0; i < times; ++i)
            cache.GetBlock(file, n, false, false);
    }

    ScratchFile path{"cache.bin"};
    platform::File file;
    BlockCache cache;
};

} // namespace

TEST_F(BlockCacheTest, SlotArrayGrowsByATenth)
{
    EXPECT_EQ(cache.SlotCount(), 100);
    BlockRef block = cache.GetBlock(file, 150, false, false);
    EXPECT_EQ(cache.SlotCount(), 165);
    EXPECT_EQ(block.Data()[0], 150);
    EXPECT_EQ(cache.Check({150}), "");
}

TEST_F(BlockCacheTest, FullCacheReleasesTheLeastAskedForFirst)
{
    cache.SetLimit(2);
    Ask(10, 5);
    Ask(11, 50);
    Ask(12, 500);
    Ask(13, 1);
    EXPECT_FALSE(cache.IsLoaded(10));
    EXPECT_TRUE(cache.IsLoaded(11));
    EXPECT_TRUE(cache.IsLoaded(12));
    EXPECT_TRUE(cache.IsLoaded(13));
    EXPECT_EQ(cache.Check({}), "");
}

TEST_F(BlockCacheTest, PinnedDirtyAndUsedBlocksAreNeverEvicted)
{
    cache.SetLimit(1);
    BlockRef held = cache.GetBlock(file, 20, false, false);
    cache.GetBlock(file, 21, false, true);
    BlockRef dirty = cache.GetBlock(file, 22, false, false);
    dirty.Mutable()[1] = 9;
    dirty.Reset();
    EXPECT_EQ(cache.Check({20}), "");
    for (std::int32_t n = 30; n < 60; ++n)
        Ask(n, 1);
    EXPECT_EQ(cache.Check({20}), "");
    EXPECT_TRUE(cache.IsLoaded(20));
    EXPECT_EQ(held.Data()[0], 20) << "a block in use keeps its buffer";
    EXPECT_TRUE(cache.IsLoaded(21));
    EXPECT_TRUE(cache.IsDirty(22));
    EXPECT_LE(cache.LoadedCount(), 5);
}

TEST_F(BlockCacheTest, NewOnALoadedBlockKeepsItsContents)
{
    BlockRef first = cache.GetBlock(file, 5, false, false);
    BlockRef again = cache.GetBlock(file, 5, true, false);
    EXPECT_EQ(again.Data()[0], 5);
    EXPECT_FALSE(cache.IsDirty(5));
    BlockRef fresh = cache.GetBlock(file, 250, true, false);
    EXPECT_EQ(fresh.Data()[0], 0);
    EXPECT_TRUE(cache.IsDirty(250));
    EXPECT_EQ(cache.Check({5, 5, 250}), "");
}

TEST_F(BlockCacheTest, CommitsReleaseRarelyAskedForBlocks)
{
    Ask(0, 10);
    Ask(1, 10);
    Ask(40, 2);
    for (int commit = 0; commit < 2; ++commit)
        cache.FinishFlush(false);
    EXPECT_TRUE(cache.IsLoaded(40)) << "asked for twice in two commits";
    cache.FinishFlush(false); // the third commit: two asks fall below three
    EXPECT_FALSE(cache.IsLoaded(40));
    EXPECT_TRUE(cache.IsLoaded(0));
    EXPECT_TRUE(cache.IsLoaded(1));
    EXPECT_EQ(cache.UseCount(40), 2u) << "the use count outlives the buffer";
    EXPECT_EQ(cache.Check({}), "");
}

TEST_F(BlockCacheTest, ReloadReadsBackAndDropsBlocksPastTheEnd)
{
    BlockRef block = cache.GetBlock(file, 7, false, false);
    block.Mutable()[0] = 99;
    BlockRef beyond = cache.GetBlock(file, 300, true, false);
    block.Reset();
    beyond.Reset();
    EXPECT_EQ(cache.Check({}), "");
    cache.Reload(file);
    EXPECT_EQ(cache.Check({}), "");
    EXPECT_EQ(cache.GetBlock(file, 7, false, false).Data()[0], 7);
    EXPECT_FALSE(cache.IsDirty(7));
    EXPECT_FALSE(cache.IsLoaded(300));
}

TEST_F(BlockCacheTest, UnreadableBlocksFailTheRequest)
{
    try {
        cache.GetBlock(file, 5000, false, false);
        FAIL() << "a block past the end of the file";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code, InputOutput);
    }
    EXPECT_FALSE(cache.IsLoaded(5000));
    EXPECT_THROW(cache.GetBlock(file, -1, false, false), EngineError);
    EXPECT_THROW(cache.GetBlock(file, MaxBlocks, true, false), EngineError);
    EXPECT_EQ(cache.Check({}), "") << "a failed request leaves nothing behind";
}

TEST_F(BlockCacheTest, AFullCacheServesReadMissesInPlace)
{
    file.Close();
    file = platform::File::Open(path.Path(), {platform::FileAccess::Read, platform::FileShare::None});
    ASSERT_TRUE(file.IsOpen());
    cache.SetLimit(2);
    cache.ServeFromViews(BlockCache::Views::All);
    Ask(3, 1);
    Ask(4, 1);
    EXPECT_EQ(cache.ViewCount(), 0) << "a cache with room copies blocks in";
    BlockRef inPlace = cache.GetBlock(file, 5, false, false);
    EXPECT_EQ(inPlace.Data()[0], 5);
    inPlace.Mutable()[1] = 77;
    for (std::int32_t n = 6; n < 40; ++n)
        Ask(n, 3);
    EXPECT_EQ(cache.LoadedCount(), 2) << "blocks read in place neither count nor push others out";
    EXPECT_EQ(cache.ViewCount(), 35);
    EXPECT_TRUE(cache.IsLoaded(3));
    EXPECT_TRUE(cache.IsDirty(5));
    EXPECT_EQ(inPlace.Data()[1], 77);
    EXPECT_TRUE(cache.DirtyBlocks().empty()) << "nothing read in place is ever written";
    EXPECT_EQ(cache.Check({5}), "");
    inPlace.Reset();
    cache.ReleaseViews();
    EXPECT_EQ(cache.Check({}), "");
    EXPECT_EQ(cache.ViewCount(), 0);
    EXPECT_FALSE(cache.IsLoaded(5));
    EXPECT_TRUE(cache.IsLoaded(4));
    cache.ServeFromViews(BlockCache::Views::None);
    BlockRef copied = cache.GetBlock(file, 5, false, false);
    EXPECT_EQ(copied.Data()[1], 0) << "the change made in place is gone";
    EXPECT_EQ(cache.ViewCount(), 0);
    EXPECT_EQ(cache.Check({5}), "");
}

TEST_F(BlockCacheTest, AWritingCacheReadsInPlaceOnlyWhatItCompares)
{
    file.Close();
    file = platform::File::Open(path.Path(), {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                              platform::FileDisposition::OpenExisting, 0, 0, true});
    ASSERT_TRUE(file.IsOpen());
    cache.SetLimit(2);
    cache.ServeFromViews(BlockCache::Views::ShortReads);
    Ask(3, 1);
    BlockRef changed = cache.GetBlock(file, 4, false, false);
    changed.Mutable()[1] = 44;
    for (std::int32_t n = 10; n < 20; ++n)
        EXPECT_EQ(cache.ReadBlock(file, n, false)[0], n);
    EXPECT_EQ(cache.ViewCount(), 10) << "short reads of a full cache are read in place";
    EXPECT_EQ(cache.LoadedCount(), 2);
    BlockRef held = cache.GetBlock(file, 12, false, false);
    EXPECT_EQ(cache.ViewCount(), 9) << "a block asked for by reference is copied into a buffer";
    EXPECT_EQ(held.Data()[0], 12);
    held.Mutable()[1] = 99;
    BlockRef missed = cache.GetBlock(file, 30, false, false);
    EXPECT_EQ(missed.Data()[0], 30);
    EXPECT_EQ(cache.ViewCount(), 9) << "and so is a miss asked for by reference";
    EXPECT_EQ(cache.DirtyBlocks(), (std::vector<std::int32_t> {4, 12}));
    EXPECT_EQ(cache.Check({4, 12, 30}), "");
    cache.ReleaseViews();
    EXPECT_EQ(cache.ViewCount(), 0);
    EXPECT_EQ(cache.Check({4, 12, 30}), "");
    ASSERT_TRUE(cache.WriteDirtyBlocks(file)) << "the views are gone before the file is written";
    std::uint8_t stored[BlockSize];
    ASSERT_EQ(file.ReadAt(12 * BlockSize, stored, BlockSize), BlockSize);
    EXPECT_EQ(stored[1], 99);
    EXPECT_EQ(stored[0], 12);
}

TEST_F(BlockCacheTest, AShortReadAsksAsGetBlockButHoldsNothing)
{
    cache.SetLimit(1);
    const std::uint8_t* read = cache.ReadBlock(file, 7, false);
    EXPECT_EQ(read[0], 7);
    EXPECT_EQ(cache.UseCount(7), 1u);
    cache.ReadBlock(file, 8, true);
    EXPECT_TRUE(cache.IsLoaded(7)) << "the cache was not yet over its limit";
    cache.ReadBlock(file, 9, false);
    EXPECT_FALSE(cache.IsLoaded(7)) << "nothing held block 7, so it could go";
    EXPECT_TRUE(cache.IsLoaded(8)) << "pinned";
    EXPECT_THROW(cache.ReadBlock(file, 5000, false), EngineError);
    EXPECT_EQ(cache.Check({}), "");
}

TEST_F(BlockCacheTest, CheckCountsTheReferencesAlive)
{
    BlockRef first = cache.GetBlock(file, 3, false, false);
    BlockRef second = first;
    BlockRef other = cache.GetBlock(file, 4, false, true);
    EXPECT_EQ(cache.Check({3, 4, 3}), "");
    const std::pair<std::vector<std::int32_t>, const char*> wrong[] = {
        {{3, 4}, "block 3 counts 2 references, but 1 are alive"},
        {{3, 3, 4, 4}, "block 4 counts 1 references, but 2 are alive"},
        {{3, 3}, "block 4 counts 1 references, but 0 are alive"},
        {{3, 3, 4, 7}, "block 7 counts 0 references, but 1 are alive"},
        {{3, 3, 4, 999}, "beyond the slots"},
    };
    for (const auto& [held, fault] : wrong)
        EXPECT_NE(cache.Check(held).find(fault), std::string::npos) << fault;
    second.Reset();
    other = BlockRef();
    EXPECT_EQ(cache.Check({3}), "");
}

TEST(BlockPool, ArenasAreSharedKeptAndReturnedWhenNoLongerNeeded)
{
    BlockPool pool(4);
    std::vector<std::uint8_t*> buffers;
    for (int i = 0; i < 10; ++i)
        buffers.push_back(pool.Allocate());
    EXPECT_EQ(pool.ArenaCount(), 3);
    for (std::uint8_t* buffer : buffers)
        std::fill(buffer, buffer + BlockSize, 0xEE);
    EXPECT_EQ(pool.Check({buffers.begin(), buffers.end()}), "");
    EXPECT_EQ(pool.BuffersInUse(), 10);
    for (std::uint8_t* buffer : buffers)
        pool.Release(buffer);
    EXPECT_EQ(pool.Check({}), "");
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_TRUE(__asan_address_is_poisoned(buffers.back())) << "a use after release is reported";
#endif
    EXPECT_EQ(pool.ArenaCount(), 3) << "emptied arenas are kept for the next buffers";
    for (std::uint8_t*& buffer : buffers)
        buffer = pool.Allocate();
    EXPECT_EQ(pool.ArenaCount(), 3) << "and serve them";
    EXPECT_EQ(pool.Check({buffers.begin(), buffers.end()}), "");
    for (std::uint8_t* buffer : buffers)
        pool.Release(buffer);
    pool.ReleaseSpareArenas();
    EXPECT_EQ(pool.ArenaCount(), 3) << "ten buffers were in use at once since the start";
    std::uint8_t* again = pool.Allocate();
    ASSERT_NE(again, nullptr);
    pool.ReleaseSpareArenas();
    EXPECT_EQ(pool.ArenaCount(), 1) << "since then one was: the empty arenas beyond it go back";
    EXPECT_EQ(pool.Check({again}), "");
    pool.Release(again);
    pool.ReleaseSpareArenas();
    EXPECT_EQ(pool.ArenaCount(), 1) << "one arena always stays";
    EXPECT_EQ(pool.Check({}), "");
}

TEST(BlockPool, CheckFindsBuffersThatAreNotInUse)
{
    BlockPool pool(4);
    std::vector<const std::uint8_t*> used;
    for (int i = 0; i < 6; ++i)
        used.push_back(pool.Allocate());
    std::uint8_t* released = pool.Allocate();
    pool.Release(released);
    std::uint8_t foreign[16] = {};
    EXPECT_EQ(pool.Check(used), "");
    auto with = [&](const std::uint8_t* extra) {
        std::vector<const std::uint8_t*> buffers = used;
        buffers.push_back(extra);
        return buffers;
    };
    const std::pair<std::vector<const std::uint8_t*>, const char*> wrong[] = {
        {{used.begin() + 1, used.end()}, "6 buffers are handed out, but 5 are in use"},
        {with(used[2]), "twice"},
        {with(released), "also free"},
        {with(foreign), "none of the pool's"},
        {with(used[0] + 1), "none of the pool's"},
    };
    for (const auto& [buffers, fault] : wrong)
        EXPECT_NE(pool.Check(buffers).find(fault), std::string::npos) << fault;
    for (const std::uint8_t* buffer : used)
        pool.Release(const_cast<std::uint8_t*>(buffer));
}

TEST(RecordCollectionGrowth, CapacityGrowsByATenth)
{
    ScratchFile file("growth.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    RecordCollection collection(*db, 1);
    std::vector<std::int32_t> capacities;
    for (int i = 1; i <= 150; ++i) {
        collection.Append(i);
        if (capacities.empty() || capacities.back() != collection.Capacity())
            capacities.push_back(collection.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{100, 110, 121, 133, 146, 160}));
    EXPECT_EQ(collection.Count(), 150);
    EXPECT_EQ(collection.Ids()[149], 150);
    tlvCloseDatabase(db);
}

// Early writing: the callback comes before a block is brought in once a batch more changed blocks are held;
// what it may write are the changed blocks nothing holds or pins, and once written and marked clean they go
// as clean blocks do, their contents in the file, but only once the cache holds more than a batch: from the
// first call on, a batch is what it may hold.
TEST_F(BlockCacheTest, ChangedBlocksAreWrittenEarlyInBatches)
{
    cache.SetLimit(2);
    std::vector<std::vector<std::int32_t>> offered;
    cache.SpillWhenDirty(4, [&] {
        std::vector<std::int32_t> blocks = cache.SpillableBlocks();
        offered.push_back(blocks);
        ASSERT_TRUE(cache.WriteBlocks(file, blocks));
        cache.MarkClean(blocks);
    });
    BlockRef held = cache.GetBlock(file, 30, false, false);
    held.Mutable()[1] = 1;
    BlockRef pinned = cache.GetBlock(file, 31, false, true);
    pinned.Mutable()[1] = 2;
    pinned.Reset();
    for (std::int32_t n : {33, 32}) {
        BlockRef block = cache.GetBlock(file, n, false, false);
        block.Mutable()[1] = static_cast<std::uint8_t>(n);
    }
    EXPECT_TRUE(offered.empty()) << "the fourth changed block came in before the batch was full";
    EXPECT_EQ(cache.DirtyCount(), 4);
    cache.GetBlock(file, 34, false, false);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], (std::vector<std::int32_t>{32, 33})) << "ascending, neither held nor pinned";
    EXPECT_EQ(cache.DirtyCount(), 2);
    EXPECT_FALSE(cache.IsDirty(32));
    EXPECT_FALSE(cache.IsDirty(33));
    EXPECT_EQ(cache.LoadedCount(), 5) << "written, the blocks stay while the cache holds no more than a batch";
    cache.GetBlock(file, 35, false, false);
    EXPECT_LE(cache.LoadedCount(), 5);
    EXPECT_FALSE(cache.IsLoaded(32) && cache.IsLoaded(33)) << "beyond a batch, a clean one goes";
    EXPECT_TRUE(cache.IsDirty(30));
    EXPECT_TRUE(cache.IsDirty(31));
    EXPECT_EQ(cache.Check({30}), "");
    std::uint8_t byte = 0;
    ASSERT_EQ(file.ReadAt(33 * BlockSize + 1, &byte, 1), 1);
    EXPECT_EQ(byte, 33);
    EXPECT_EQ(cache.GetBlock(file, 32, false, false).Data()[1], 32) << "read back as written";

    // The next call waits for a batch more than were left after this one (two); an empty function ends it.
    for (std::int32_t n : {40, 41, 43})
        cache.GetBlock(file, n, true, false);
    cache.GetBlock(file, 42, false, false);
    cache.GetBlock(file, 45, true, false);
    EXPECT_EQ(offered.size(), 1u);
    cache.GetBlock(file, 46, false, false);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], (std::vector<std::int32_t>{40, 41, 43, 45}));
    cache.SpillWhenDirty(0, {});
    for (std::int32_t n = 50; n < 60; ++n)
        cache.GetBlock(file, n, true, false);
    EXPECT_EQ(offered.size(), 2u);
    EXPECT_EQ(cache.Check({30}), "");
}

// A changed block goes to the file in the pieces that differ from what the file holds; a block flagged
// changed but holding the file's bytes needs no write at all.
TEST_F(BlockCacheTest, OnlyTheChangedPiecesOfABlockAreWritten)
{
    static_assert(BlockSize / WritePiece == 2);
    BlockRef firstHalf = cache.GetBlock(file, 5, false, false);
    firstHalf.Mutable()[10] = 0xAB;
    BlockRef secondHalf = cache.GetBlock(file, 6, false, false);
    secondHalf.Mutable()[WritePiece + 10] = 0xCD;
    BlockRef same = cache.GetBlock(file, 7, false, false);
    same.Mutable()[0] = same.Data()[0];
    BlockRef fresh = cache.GetBlock(file, 200, true, false);
    const std::vector<std::int32_t> dirty {5, 6, 7, 200};
    ASSERT_EQ(cache.DirtyBlocks(), dirty);
    BlockCopies fileBytes;
    std::vector<PieceMask> pieces = cache.ChangedPieces(file, dirty, &fileBytes);
    EXPECT_EQ(pieces, (std::vector<PieceMask> {1, 2, 0, 3})) << "a block past the end is written whole";
    // What the file held of each block compared is kept for the journal; nothing of a block past the end.
    for (std::int32_t n : {5, 6, 7}) {
        std::vector<std::uint8_t> held(BlockSize);
        ASSERT_EQ(file.ReadAt(static_cast<std::uint64_t>(n) * BlockSize, held.data(), BlockSize), BlockSize);
        ASSERT_NE(fileBytes.Find(n), nullptr) << n;
        EXPECT_TRUE(std::equal(held.begin(), held.end(), fileBytes.Find(n))) << n;
    }
    EXPECT_EQ(fileBytes.Find(200), nullptr);
    EXPECT_EQ(fileBytes.Find(8), nullptr) << "a block not asked for";

    // Bytes the file holds in the pieces left out stay as they are: nothing of the cache is written there.
    std::uint8_t marker = 0x5E;
    ASSERT_TRUE(file.WriteAt(5 * BlockSize + WritePiece, &marker, 1));
    ASSERT_TRUE(file.WriteAt(6 * BlockSize + 1, &marker, 1));
    ASSERT_TRUE(cache.WriteBlocks(file, dirty, &pieces));
    ASSERT_EQ(file.Size(), 201 * BlockSize);
    std::vector<std::uint8_t> stored(8 * BlockSize);
    ASSERT_EQ(file.ReadAt(0, stored.data(), stored.size()), static_cast<std::int64_t>(stored.size()));
    EXPECT_EQ(stored[5 * BlockSize + 10], 0xAB);
    EXPECT_EQ(stored[5 * BlockSize + WritePiece], marker);
    EXPECT_EQ(stored[6 * BlockSize + WritePiece + 10], 0xCD);
    EXPECT_EQ(stored[6 * BlockSize + 1], marker);
    EXPECT_EQ(stored[7 * BlockSize], 7);
}
