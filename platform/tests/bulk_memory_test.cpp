// Bulk memory for caches: zero-filled, writable, page-aligned runs; runs of large-page size aligned to it
// where the system backs them with large pages.
#include "platform/bulk_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

TEST(BulkMemory, RunsAreZeroFilledWritableAndAligned)
{
    for (std::size_t bytes :
         {std::size_t {8192}, std::size_t {3} * 8192, platform::LargePageRunBytes, 2 * platform::LargePageRunBytes}) {
        SCOPED_TRACE(bytes);
        auto* run = static_cast<std::uint8_t*>(platform::AllocateBulkMemory(bytes));
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(run) % 4096, 0u);
#ifndef _WIN32
        if (bytes % platform::LargePageRunBytes == 0) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(run) % platform::LargePageRunBytes, 0u);
        }
#endif
        EXPECT_TRUE(std::all_of(run, run + bytes, [](std::uint8_t b) { return b == 0; }));
        std::fill(run, run + bytes, 0x5A);
        EXPECT_EQ(run[bytes - 1], 0x5A);
        platform::FreeBulkMemory(run, bytes);
    }
    EXPECT_EQ(platform::AllocateBulkMemory(0), nullptr);
}
