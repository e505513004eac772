// Database files are read through a mapping of the file. Whatever mix of writes, growth, shrinking and reads
// runs on one handle, a read must answer exactly what the same handle read with system calls would. A handle
// opened for reading also lends out a private view: what is changed there stays out of the file.
#include "platform/file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

using tolvane_test::ScratchFile;

platform::File OpenScratch(const std::string& path, bool mapReads)
{
    return platform::File::Open(path, {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                       platform::FileDisposition::CreateAlways, 0, 0, mapReads});
}

TEST(MappedFileRead, AnswersAsTheFileHoldsThroughWritesGrowthAndTruncation)
{
    ScratchFile scratch("mapped.bin");
    platform::File file = OpenScratch(scratch.Path(), true);
    ASSERT_TRUE(file.IsOpen());
    std::string model;
    std::mt19937 random(11);
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        int kind = static_cast<int>(random() % 10);
        std::uint64_t offset = random() % 70000;
        std::size_t length = random() % 9000;
        if (kind < 3) {
            std::string bytes(length, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random());
            ASSERT_TRUE(file.WriteAt(offset, bytes.data(), bytes.size()));
            if (length > 0) {
                if (model.size() < offset + length)
                    model.resize(offset + length, '\0');
                model.replace(offset, length, bytes);
            }
        } else if (kind == 3) {
            std::uint64_t size = random() % 60000;
            ASSERT_TRUE(file.Truncate(size));
            model.resize(size, '\0');
        } else {
            std::string got(length, '\x5A');
            std::int64_t read = file.ReadAt(offset, got.data(), length);
            std::size_t expected = offset >= model.size() ? 0 : std::min<std::size_t>(length, model.size() - offset);
            ASSERT_EQ(read, static_cast<std::int64_t>(expected));
            ASSERT_EQ(got.substr(0, expected), model.substr(std::min<std::size_t>(offset, model.size()), expected));
        }
    }
}

TEST(MappedFileRead, SurvivesAMoveAndAClose)
{
    ScratchFile scratch("moved.bin");
    platform::File file = OpenScratch(scratch.Path(), true);
    const char text[] = "0123456789";
    ASSERT_TRUE(file.WriteAt(0, text, sizeof text));
    char got[sizeof text] = {};
    ASSERT_EQ(file.ReadAt(0, got, sizeof got), static_cast<std::int64_t>(sizeof got));
    platform::File moved = std::move(file);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.ReadAt(0, got, sizeof got), -1);
    std::fill(std::begin(got), std::end(got), '\0');
    ASSERT_EQ(moved.ReadAt(2, got, 4), 4);
    EXPECT_EQ(std::string(got, 4), "2345");
    moved.Close();
    EXPECT_EQ(moved.ReadAt(0, got, 4), -1);
}

TEST(PrivateView, LendsTheFileInPlaceAndKeepsChangesToItself)
{
    ScratchFile scratch("private.bin");
    {
        platform::File writer = OpenScratch(scratch.Path(), false);
        ASSERT_TRUE(writer.WriteAt(0, "abcdefghij", 10));
    }
    platform::File reader = platform::File::Open(scratch.Path(), {platform::FileAccess::Read, platform::FileShare::None,
                                                                  platform::FileDisposition::OpenExisting, 0, 0, true});
    ASSERT_TRUE(reader.IsOpen());
    std::uint8_t* view = reader.PrivateView(2, 4);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view), 4), "cdef");
    EXPECT_EQ(reader.PrivateView(0, 10), view - 2) << "one view over the whole file";
    view[0] = 'X';
    EXPECT_EQ(reader.PrivateView(2, 1)[0], 'X') << "the change is seen through the view";
    char got[4] = {};
    ASSERT_EQ(reader.ReadAt(2, got, 4), 4);
    EXPECT_EQ(std::string(got, 4), "cdef") << "a read answers the file, not the view";
    EXPECT_EQ(reader.PrivateView(8, 3), nullptr) << "past the end";
    EXPECT_EQ(reader.PrivateView(11, 0), nullptr);
    EXPECT_FALSE(reader.WriteAt(0, "z", 1)) << "a reading handle never writes";
    EXPECT_FALSE(reader.Truncate(0));
    EXPECT_EQ(reader.PrivateView(2, 1)[0], 'X') << "and never drops the view it lent";
    reader.Close();
    EXPECT_EQ(reader.PrivateView(0, 1), nullptr);
    EXPECT_EQ(tolvane_test::ReadWholeFile(scratch.Path()),
              (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'}))
        << "nothing of the private change reached the file";
}

TEST(PrivateView, IsNeverLentByAWritingHandleOrForAnEmptyFile)
{
    ScratchFile scratch("noview.bin");
    platform::File writer = OpenScratch(scratch.Path(), true);
    EXPECT_EQ(writer.PrivateView(0, 0), nullptr) << "empty file";
    ASSERT_TRUE(writer.WriteAt(0, "abc", 3));
    EXPECT_EQ(writer.PrivateView(0, 1), nullptr) << "a handle that writes";
    writer.Close();
    platform::File reader =
        platform::File::Open(scratch.Path(), {platform::FileAccess::Read, platform::FileShare::None});
    ASSERT_NE(reader.PrivateView(0, 3), nullptr) << "a view does not need mapped reads";
}

// The largest database file is 32767 blocks of 8 KB. A file that size is made quickly with a few scattered
// writes (the rest is a hole), then read through the mapping both ways: every marked block answers its own
// bytes, in place too, however far into the file it lies.
TEST(MappedFileRead, ReachesEveryBlockOfTheLargestFile)
{
    constexpr std::uint64_t Block = 8192;
    constexpr std::uint64_t Blocks = 32767;
    const std::uint64_t marked[] = {0, 1023, 1024, 16383, 16384, 20000, 24575, Blocks - 1};
    ScratchFile scratch("large.bin");
    {
        platform::File writer = OpenScratch(scratch.Path(), false);
        std::string block(Block, '\0');
        for (std::uint64_t n : marked) {
            std::snprintf(block.data(), block.size(), "block %llu", static_cast<unsigned long long>(n));
            block.back() = static_cast<char>(n);
            ASSERT_TRUE(writer.WriteAt(n * Block, block.data(), block.size()));
        }
        ASSERT_EQ(writer.Size(), static_cast<std::int64_t>(Blocks * Block));
    }
    auto expectMarked = [&](const std::uint8_t* bytes, std::uint64_t n) {
        ASSERT_NE(bytes, nullptr) << "block " << n << " is not mapped";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes)), "block " + std::to_string(n));
        EXPECT_EQ(bytes[Block - 1], static_cast<std::uint8_t>(n));
    };
    platform::FileOpenOptions options {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                       platform::FileDisposition::OpenExisting, 0, 0, true};
    platform::File file = platform::File::Open(scratch.Path(), options);
    ASSERT_TRUE(file.IsOpen());
    std::vector<std::uint8_t> buffer(Block);
    for (std::uint64_t n : marked) {
        SCOPED_TRACE("block " + std::to_string(n));
        ASSERT_EQ(file.ReadAt(n * Block, buffer.data(), Block), static_cast<std::int64_t>(Block));
        expectMarked(buffer.data(), n);
        expectMarked(file.ReadView(n * Block, Block), n);
    }
    // A range across the 8 MB seams of the views still reads as the file holds it.
    std::vector<std::uint8_t> across(3 * Block);
    ASSERT_EQ(file.ReadAt(1023 * Block, across.data(), across.size()), static_cast<std::int64_t>(across.size()));
    expectMarked(across.data(), 1023);
    expectMarked(across.data() + Block, 1024);
    EXPECT_EQ(across[2 * Block], 0);
    EXPECT_EQ(file.ReadView(Blocks * Block, 1), nullptr) << "past the end";
    file.Close();

    options.access = platform::FileAccess::Read;
    platform::File reader = platform::File::Open(scratch.Path(), options);
    ASSERT_TRUE(reader.IsOpen());
    for (std::uint64_t n : marked) {
        SCOPED_TRACE("block " + std::to_string(n));
        expectMarked(reader.PrivateView(n * Block, Block), n);
    }
}

TEST(ReadView, LendsTheReadMappingUntilAWritePastItsEnd)
{
    ScratchFile scratch("readview.bin");
    platform::File file = OpenScratch(scratch.Path(), true);
    EXPECT_EQ(file.ReadView(0, 1), nullptr) << "empty file";
    ASSERT_TRUE(file.WriteAt(0, "abcdefghij", 10));
    const std::uint8_t* view = file.ReadView(2, 4);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view), 4), "cdef");
    EXPECT_EQ(file.ReadView(0, 10), view - 2) << "one mapping serves every range";
    char got[3] = {};
    ASSERT_EQ(file.ReadAt(7, got, 3), 3);
    EXPECT_EQ(std::string(got, 3), "hij");
    EXPECT_EQ(file.ReadView(8, 3), nullptr) << "past the end";
    EXPECT_EQ(file.ReadView(3, 0), nullptr);
    EXPECT_EQ(file.PrivateView(0, 1), nullptr) << "a handle that writes lends no private view";
    EXPECT_EQ(file.MappedBytes(), 10u);
    ASSERT_TRUE(file.WriteAt(3, "XY", 2));
    EXPECT_EQ(file.MappedBytes(), 10u) << "a write inside the mapping keeps it";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view), 4), "cXYf") << "and the view shows what was written";
    ASSERT_TRUE(file.WriteAt(10, "kl", 2));
    EXPECT_EQ(file.MappedBytes(), 0u) << "a write past its end drops it";
    const std::uint8_t* grown = file.ReadView(10, 2);
    ASSERT_NE(grown, nullptr) << "after a write the file is mapped as it now is";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(grown), 2), "kl");
    ScratchFile plain("plain.bin");
    platform::File unmapped = OpenScratch(plain.Path(), false);
    ASSERT_TRUE(unmapped.WriteAt(0, "abc", 3));
    EXPECT_EQ(unmapped.ReadView(0, 3), nullptr) << "only a handle with mapped reads lends its mapping";
}

} // namespace

// A handle told to map only after some reads answers its first reads through the system and lends no view
// until then; afterwards it reads through the mapping as any other.
TEST(MappedFileRead, MapsOnlyAfterTheReadsItWasToldToMakeFirst)
{
    ScratchFile scratch("late.bin");
    {
        platform::File writer = OpenScratch(scratch.Path(), false);
        std::string bytes(4 * 8192, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7);
        ASSERT_TRUE(writer.WriteAt(0, bytes.data(), bytes.size()));
    }
    platform::File file = platform::File::Open(
        scratch.Path(), {platform::FileAccess::ReadWrite, platform::FileShare::None,
                         platform::FileDisposition::OpenExisting, 0, 0, true, 2});
    ASSERT_TRUE(file.IsOpen());
    char got[16] = {};
    ASSERT_EQ(file.ReadAt(100, got, sizeof got), 16);
    EXPECT_EQ(got[0], static_cast<char>(100 * 7));
    EXPECT_EQ(file.ReadView(8192, 8192), nullptr) << "the second read still goes to the system";
    EXPECT_EQ(file.MappedBytes(), 0u);
    const std::uint8_t* view = file.ReadView(8192, 8192);
    ASSERT_NE(view, nullptr) << "the third is served from the mapping";
    EXPECT_EQ(view[5], static_cast<std::uint8_t>((8192 + 5) * 7));
    EXPECT_GT(file.MappedBytes(), 0u);
    ASSERT_EQ(file.ReadAt(3 * 8192, got, sizeof got), 16);
    EXPECT_EQ(got[1], static_cast<char>((3 * 8192 + 1) * 7));
}
