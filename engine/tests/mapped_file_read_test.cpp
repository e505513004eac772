// Database files are read through a mapping of the file. Whatever mix of writes, growth, shrinking and reads
// runs on one handle, a read must answer exactly what the same handle read with system calls would.
#include "platform/file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
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

} // namespace
