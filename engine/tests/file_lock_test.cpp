// The one-writer lock of the platform layer: one holder at a time, also between handles of one process,
// released with its holder, its companion file gone afterwards, and no lock where none can be made.
#include "engine/tests/test_support.h"
#include "platform/file.h"
#include "platform/file_lock.h"

#include <gtest/gtest.h>

using namespace tolvane_test;
using platform::FileLock;
using platform::FileLockState;

TEST(FileLockTest, OneHolderAtATime)
{
    ScratchFile file("locked.vdb");
    FileLock first = FileLock::Take(file.Path());
    ASSERT_EQ(first.State(), FileLockState::Held);
    EXPECT_TRUE(platform::FileExists(platform::LockPathOf(file.Path())));
    EXPECT_EQ(FileLock::Take(file.Path()).State(), FileLockState::HeldElsewhere);

    FileLock moved = std::move(first);
    EXPECT_FALSE(first.Held());
    EXPECT_EQ(FileLock::Take(file.Path()).State(), FileLockState::HeldElsewhere) << "a move keeps the lock";

    moved.Release();
    EXPECT_FALSE(platform::FileExists(platform::LockPathOf(file.Path()))) << "the companion file goes with it";
    FileLock next = FileLock::Take(file.Path());
    EXPECT_TRUE(next.Held());
}

TEST(FileLockTest, AFolderThatCannotHoldTheCompanionFileGivesNoLock)
{
    ScratchFile file("no-such-folder/locked.vdb");
    EXPECT_EQ(FileLock::Take(file.Path()).State(), FileLockState::Unavailable);
}
