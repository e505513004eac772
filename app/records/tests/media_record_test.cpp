// Media objects against a real database file: the packed MEDIA row, the chain of MEDIADATA rows grown,
// shortened and emptied, loading the bytes back, reading a file, and deletion.
#include "records/media_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <vector>

#include "core/write_transaction.h"
#include "platform/little_endian.h"
#include "tests/support/test_database.h"

namespace {

using test_support::CountRows;
using test_support::RawRow;
using test_support::TempPath;
using test_support::TestDatabase;

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

class Media : public ::testing::Test {
protected:
    Database& db() { return *database_; }

    bool Create(MediaRecord& media)
    {
        return RunWriteTransaction(db(), [&] { return media.Create(); });
    }

    std::vector<std::uint8_t> Stored(TableNumber table, std::int32_t id, std::size_t size)
    {
        return RawRow(db(), table, id, size);
    }

    // The ids of the stored chain from the media's first MEDIADATA row.
    std::vector<std::int32_t> Chain(std::int32_t firstId)
    {
        std::vector<std::int32_t> ids;
        for (std::int32_t id = firstId; id != 0 && ids.size() < 100;) {
            ids.push_back(id);
            id = platform::GetI32(Stored(TableMediaData, id, media_data_row::Size).data() + media_data_row::NextOffset);
        }
        return ids;
    }

    TestDatabase database_;
};

TEST_F(Media, ANewMediaStoresItsPackedRowAndNote)
{
    MediaRecord media(db());
    media.SetDescription("Baptism record");
    media.SetFileName("scan.page1.jpg");
    media.SetOwnerId(0x01020304);
    media.SetOwnerKind(MediaOwnerPerson);
    media.SetOrder(0x00ABCDEF);
    media.EnsureNote().SetText("from the archive");
    const auto bytes = Bytes(10, 1);
    media.SetData(bytes.data(), bytes.size());
    ASSERT_TRUE(Create(media));
    database_.Reopen();

    const auto row = Stored(TableMedia, media.Id(), media_row::Size);
    EXPECT_STREQ(reinterpret_cast<const char*>(row.data()), "Baptism record");
    EXPECT_STREQ(reinterpret_cast<const char*>(row.data() + 128), "scan.page1.jpg");
    EXPECT_EQ(platform::GetI32(row.data() + 256), 0x01020304);
    EXPECT_EQ(row[260], MediaOwnerPerson);
    const std::int32_t firstData = platform::GetI32(row.data() + 261);
    EXPECT_NE(firstData, 0) << "the first chunk's id is issued before the row is written";
    EXPECT_EQ(platform::GetU32(row.data() + 265), 10u);
    const std::int32_t noteId = platform::GetI32(row.data() + 269);
    ASSERT_NE(noteId, 0);
    EXPECT_EQ(row[273], 0xEF);
    EXPECT_EQ(row[274], 0xCD);
    EXPECT_EQ(row[275], 0xAB);
    const auto note = Stored(TableNote, noteId, sizeof(NoteRowData));
    EXPECT_EQ(platform::GetI32(note.data()), media.Id());
    EXPECT_EQ(note[8], TableMedia);

    MediaRecord loaded(db());
    loaded.Load(media.Id());
    EXPECT_EQ(loaded.Order(), 0x00ABCDEFu);
    EXPECT_EQ(loaded.GetFileExtension(), "jpg");
    EXPECT_STREQ(loaded.Note()->Text(), "from the archive");
    ASSERT_TRUE(loaded.HasData());
    EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + 10), bytes);
}

TEST_F(Media, TheChainTakesOneRowPer4092Bytes)
{
    const struct {
        std::size_t size;
        std::size_t rows;
    } cases[] = {{1, 1}, {4092, 1}, {4093, 2}, {8184, 2}, {3 * 4092 + 5, 4}};
    for (const auto& c : cases) {
        MediaRecord media(db());
        const auto bytes = Bytes(c.size, static_cast<std::uint8_t>(c.size));
        media.SetData(bytes.data(), bytes.size());
        ASSERT_TRUE(Create(media));
        EXPECT_EQ(Chain(media.FirstDataId()).size(), c.rows) << c.size;

        MediaRecord loaded(db());
        loaded.Load(media.Id());
        ASSERT_EQ(loaded.DataSize(), c.size);
        EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + c.size), bytes) << c.size;
    }
}

TEST_F(Media, ShrinkingKeepsTheFirstRowAndEmptyingDropsTheChain)
{
    MediaRecord media(db());
    const auto big = Bytes(3 * 4092, 3);
    media.SetData(big.data(), big.size());
    ASSERT_TRUE(Create(media));
    const auto before = Chain(media.FirstDataId());
    ASSERT_EQ(before.size(), 3u);

    const auto small = Bytes(100, 9);
    media.SetData(small.data(), small.size());
    ASSERT_TRUE(Create(media));
    EXPECT_EQ(Chain(media.FirstDataId()), std::vector<std::int32_t>{before[0]});
    EXPECT_EQ(CountRows(db(), TableMediaData), 1);

    media.SetData(nullptr, 0);
    ASSERT_TRUE(Create(media));
    EXPECT_EQ(media.FirstDataId(), 0);
    EXPECT_EQ(platform::GetI32(Stored(TableMedia, media.Id(), media_row::Size).data() + 261), 0);
    EXPECT_EQ(CountRows(db(), TableMediaData), 0);
}

TEST_F(Media, LoadDataKeepsBytesAlreadyHeld)
{
    MediaRecord media(db());
    const auto stored = Bytes(50, 1);
    media.SetData(stored.data(), stored.size());
    media.EnsureNote().SetText("n");
    ASSERT_TRUE(Create(media));

    MediaRecord other(db());
    other.Read(media.Id());
    const auto held = Bytes(50, 2);
    other.SetData(held.data(), held.size());
    other.LoadData();
    EXPECT_STREQ(other.Note()->Text(), "n");
    EXPECT_EQ(std::vector<std::uint8_t>(other.Data(), other.Data() + 50), held);
}

TEST_F(Media, BytesNeverLoadedStayAsStored)
{
    MediaRecord media(db());
    const auto bytes = Bytes(5000, 6);
    media.SetData(bytes.data(), bytes.size());
    ASSERT_TRUE(Create(media));

    MediaRecord renamed(db());
    renamed.Read(media.Id());
    ASSERT_FALSE(renamed.HasData());
    renamed.SetDescription("renamed");
    ASSERT_TRUE(Create(renamed));
    EXPECT_EQ(CountRows(db(), TableMediaData), 2);

    MediaRecord loaded(db());
    loaded.Load(media.Id());
    EXPECT_EQ(loaded.Description(), "renamed");
    EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + 5000), bytes);
}

TEST_F(Media, AFileThatCannotBeReadKeepsTheBytesHeld)
{
    TempPath file("picture.png");
    const auto content = Bytes(5000, 4);
    std::ofstream(file.str(), std::ios::binary).write(reinterpret_cast<const char*>(content.data()), content.size());

    MediaRecord media(db());
    ASSERT_TRUE(media.ReadDataFromFile(file.str()));
    EXPECT_EQ(media.DataSize(), 5000u);
    EXPECT_FALSE(media.ReadDataFromFile(file.str() + ".missing"));
    EXPECT_EQ(media.DataSize(), 5000u);
    ASSERT_TRUE(media.HasData());
    ASSERT_TRUE(Create(media));

    MediaRecord loaded(db());
    loaded.Load(media.Id());
    EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + 5000), content);
}

TEST_F(Media, TheBytesAreHeldInARunOfPagesOfTheirOwn)
{
    // Pages of their own, not heap blocks: every buffer starts on a page, whatever its size.
    const struct {
        const char* how;
        std::size_t size;
    } cases[] = {{"one byte", 1}, {"one chunk", 4092}, {"odd", 70001}, {"a large-page run", std::size_t {2} << 20}};
    for (const auto& c : cases) {
        MediaRecord media(db());
        const auto bytes = Bytes(c.size, 8);
        ASSERT_TRUE(media.SetData(bytes.data(), bytes.size())) << c.how;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(media.Data()) % 4096, 0u) << c.how;
        EXPECT_EQ(media.DataSize(), c.size) << c.how;
        EXPECT_EQ(std::vector<std::uint8_t>(media.Data(), media.Data() + c.size), bytes) << c.how;
        ASSERT_TRUE(Create(media)) << c.how;

        MediaRecord loaded(db());
        loaded.Load(media.Id());
        ASSERT_TRUE(loaded.HasData()) << c.how;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(loaded.Data()) % 4096, 0u) << c.how;
        EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + c.size), bytes) << c.how;
    }

    // A file of no bytes is held too, and a new buffer replaces the old one whole.
    MediaRecord media(db());
    EXPECT_NE(media.AllocData(10), nullptr);
    ASSERT_TRUE(media.SetData(nullptr, 0));
    EXPECT_TRUE(media.HasData());
    EXPECT_EQ(media.DataSize(), 0u);
    std::uint8_t* fresh = media.AllocData(5);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(fresh, fresh + 5), std::vector<std::uint8_t>(5, 0));
    EXPECT_EQ(media.DataSize(), 5u);
}

TEST_F(Media, ARowClaimingMoreBytesThanItsChainHoldsLoadsWhatIsStored)
{
    const auto bytes = Bytes(5000, 11); // two rows
    const struct {
        const char* what;
        std::uint32_t claimed;
        bool dropSecond;    // the second row is gone
        bool loop;          // the second row leads back to the first
        bool noChain;       // the row names no first MEDIADATA row
        std::uint32_t held; // the bytes the media holds once loaded
    } cases[] = {
        {"the size the chain holds", 5000, false, false, false, 5000},
        {"a size beyond the chain", 10 * 4092, false, false, false, 2 * 4092},
        {"a chain cut short", 5000, true, false, false, 4092},
        {"a chain that loops", 0xFFFFFFF0u, false, true, false, 2 * 4092},
        {"no chain at all", 5000, false, false, true, 0},
    };
    for (const auto& c : cases) {
        MediaRecord media(db());
        media.SetData(bytes.data(), bytes.size());
        ASSERT_TRUE(Create(media));
        const std::vector<std::int32_t> chain = Chain(media.FirstDataId());
        ASSERT_EQ(chain.size(), 2u);
        {
            auto transaction = test_support::Transaction(db());
            auto row = Stored(TableMedia, media.Id(), media_row::Size);
            platform::PutU32(row.data() + media_row::DataSizeOffset, c.claimed);
            if (c.noChain)
                platform::PutI32(row.data() + media_row::FirstDataOffset, 0);
            ASSERT_EQ(tlvWriteRecord(db().TableId(TableMedia), media.Id(), row.data(), db().file), 0);
            if (c.dropSecond) {
                ASSERT_EQ(tlvDeleteRecord(db().TableId(TableMediaData), chain[1], db().file), 0);
            }
            if (c.loop) {
                auto second = Stored(TableMediaData, chain[1], media_data_row::Size);
                platform::PutI32(second.data() + media_data_row::NextOffset, chain[0]);
                ASSERT_EQ(tlvWriteRecord(db().TableId(TableMediaData), chain[1], second.data(), db().file), 0);
            }
        }
        MediaRecord loaded(db());
        loaded.Load(media.Id());
        ASSERT_TRUE(loaded.HasData()) << c.what;
        EXPECT_EQ(loaded.DataSize(), c.held) << c.what;
        const std::size_t same = std::min<std::size_t>(c.held, bytes.size());
        EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + same),
                  std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + same))
            << c.what;
        // Saved again, the media stores what it holds and no more.
        ASSERT_TRUE(Create(loaded)) << c.what;
        EXPECT_EQ(platform::GetU32(Stored(TableMedia, media.Id(), media_row::Size).data() + media_row::DataSizeOffset),
                  c.held)
            << c.what;
        EXPECT_EQ(Chain(loaded.FirstDataId()).size(), (c.held + 4091) / 4092) << c.what;
        ASSERT_TRUE(loaded.Delete()) << c.what;
    }
    // Only the two rows that the row without a chain no longer names are left.
    EXPECT_EQ(CountRows(db(), TableMediaData), 2);

    // Bytes that outgrow a chain whose rows lead back into it, or on to a row that is gone, take new rows.
    for (const bool loop : {true, false}) {
        MediaRecord media(db());
        media.SetData(bytes.data(), bytes.size());
        ASSERT_TRUE(Create(media));
        const std::vector<std::int32_t> chain = Chain(media.FirstDataId());
        {
            auto transaction = test_support::Transaction(db());
            auto first = Stored(TableMediaData, chain[0], media_data_row::Size);
            platform::PutI32(first.data() + media_data_row::NextOffset, loop ? chain[0] : 9999);
            ASSERT_EQ(tlvWriteRecord(db().TableId(TableMediaData), chain[0], first.data(), db().file), 0);
        }
        const auto grown = Bytes(3 * 4092, 12);
        media.SetData(grown.data(), grown.size());
        ASSERT_TRUE(Create(media)) << loop;
        const std::vector<std::int32_t> stored = Chain(media.FirstDataId());
        EXPECT_EQ(std::set<std::int32_t>(stored.begin(), stored.end()).size(), 3u) << loop;
        MediaRecord loaded(db());
        loaded.Load(media.Id());
        EXPECT_EQ(std::vector<std::uint8_t>(loaded.Data(), loaded.Data() + loaded.DataSize()), grown) << loop;
        ASSERT_TRUE(loaded.Delete());
    }
}

TEST_F(Media, FileExtensions)
{
    const struct {
        const char* name;
        const char* extension;
    } cases[] = {{"photo.jpg", "jpg"}, {"a.b.tiff", "tiff"}, {"README", ""}, {"trailing.", ""}, {"", ""}};
    for (const auto& c : cases) {
        MediaRecord media(db());
        media.SetFileName(c.name);
        EXPECT_EQ(media.GetFileExtension(), c.extension) << c.name;
    }
}

TEST_F(Media, DeleteTakesTheNoteTheChainAndTheRow)
{
    MediaRecord kept(db());
    const auto bytes = Bytes(5000, 5);
    kept.SetData(bytes.data(), bytes.size());
    ASSERT_TRUE(Create(kept));
    MediaRecord media(db());
    media.SetData(bytes.data(), bytes.size());
    media.EnsureNote().SetText("note");
    ASSERT_TRUE(Create(media));

    ASSERT_TRUE(media.Delete());
    EXPECT_EQ(CountRows(db(), TableMedia), 1);
    EXPECT_EQ(CountRows(db(), TableMediaData), 2);
    EXPECT_EQ(CountRows(db(), TableNote), 0);
    MediaRecord gone(db());
    gone.Read(media.Id());
    EXPECT_EQ(gone.Id(), 0);
}

} // namespace
