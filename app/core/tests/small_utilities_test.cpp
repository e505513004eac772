#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type_cache.h"
#include "core/event_type_row.h"
#include "core/id_map_file.h"
#include "platform/little_endian.h"
#include "core/pair_stack.h"
#include "core/skip_blanks.h"
#include "settings/settings.h"
#include "tests/support/test_database.h"

namespace {

TEST(IdMapFile, GrowsWithZeroWordsUpToTheIndex)
{
    IdMapFile map;
    ASSERT_TRUE(map.Create());
    EXPECT_EQ(map.Get(1), 0u);
    ASSERT_TRUE(map.Set(5, 77));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(map.Get(i), 0u) << i;
    EXPECT_EQ(map.Get(5), 77u);
    EXPECT_EQ(map.Get(6), 0u);
    ASSERT_TRUE(map.Set(2, 0xFFFFFFFFu));
    EXPECT_EQ(map.Get(2), 0xFFFFFFFFu);
    EXPECT_EQ(map.Get(5), 77u);
    ASSERT_TRUE(map.Set(200000, 9)); // beyond one block of zeros
    EXPECT_EQ(map.Get(199999), 0u);
    EXPECT_EQ(map.Get(200000), 9u);
    map.Close();
    EXPECT_EQ(map.Get(5), 0u);
}

TEST(IdMapFile, RefusesIndexesOutsideItsRange)
{
    IdMapFile map;
    ASSERT_TRUE(map.Create());
    EXPECT_FALSE(map.Set(0, 1));
    EXPECT_FALSE(map.Set(-3, 1));
    EXPECT_FALSE(map.Set(IdMapFile::MaxIndex + 1, 1));
    EXPECT_FALSE(map.Set(0x7FFFFFFFll * 4, 1)); // would need a file of 32 GiB
    EXPECT_EQ(map.Get(0), 0u);
    EXPECT_EQ(map.Get(-1), 0u);
    EXPECT_EQ(map.Get(0x100000000ll), 0u);
}

TEST(PairStack, KeepsEveryPairAndPopsThemInReverse)
{
    PairStack stack;
    EXPECT_EQ(stack.Pop(), 0u);
    for (std::uint32_t i = 1; i <= 2500; ++i)
        stack.Push(i, i * 10);
    EXPECT_EQ(stack.Count(), 2500u);
    for (std::uint32_t i = 2500; i >= 1; --i) {
        ASSERT_EQ(stack.Pop(), i);
        ASSERT_EQ(stack.GetPoppedExtra(), i * 10);
    }
    EXPECT_EQ(stack.Pop(), 0u);
    stack.PushValue(4);
    stack.Clear();
    EXPECT_EQ(stack.Pop(), 0u);
    stack.PushValue(6);
    EXPECT_EQ(stack.Pop(), 6u);
    EXPECT_EQ(stack.GetPoppedExtra(), 0u);
}

TEST(SkipBlanks, SkipsSpacesAndTabs)
{
    const char text[] = "  \t x y";
    EXPECT_EQ(SkipBlanks(text), text + 4);
    std::size_t offset = 5;
    EXPECT_EQ(SkipBlanks(text, &offset), text + 6);
    EXPECT_EQ(offset, 6u);
    const char blanks[] = " \t ";
    EXPECT_EQ(*SkipBlanks(blanks), '\0');
    EXPECT_EQ(SkipBlanks(blanks), blanks + 3);
    const char newline[] = "\nx";
    EXPECT_EQ(SkipBlanks(newline), newline); // only blanks and tabs are skipped
}

class EventTypeCacheTest : public testing::Test {
protected:
    void SetUp() override { saved_ = CurrentSettings.report; }
    void TearDown() override { CurrentSettings.report = saved_; }

    void AddType(std::int32_t print)
    {
        std::uint8_t row[event_type_row::Size] = {};
        platform::PutI32(row + event_type_row::PrintOffset, print);
        EngineTransaction transaction(db.File(), TLV_READWRITE);
        std::int32_t id = tlvNewID(db.Table(TableEventType), db.File());
        ASSERT_EQ(tlvWriteRecord(db.Table(TableEventType), id, row, db.File()), 0);
    }

    test_support::TestDatabase db;
    ReportSettings saved_;
};

TEST_F(EventTypeCacheTest, TakesTheReportSwitchesAndEachTypesPrintSwitch)
{
    std::memset(&CurrentSettings.report, 0, sizeof CurrentSettings.report);
    CurrentSettings.report.IncludePersons = 1;
    CurrentSettings.report.IncludeRelationships = 1;
    CurrentSettings.report.IncludeResearch = 1;
    CurrentSettings.report.PrivacyLevel = 2;
    AddType(1);
    AddType(0);
    AddType(1);
    {
        EngineTransaction transaction(db.File(), TLV_READWRITE);
        ASSERT_EQ(tlvDeleteRecord(db.Table(TableEventType), 3, db.File()), 0);
    }

    EventTypeCache cache;
    cache.Load(*db);
    EXPECT_EQ(cache.switches[IncludePersonsSwitch], 1);
    EXPECT_EQ(cache.switches[IncludeEventsSwitch], 0);
    EXPECT_EQ(cache.switches[IncludeRelationshipsSwitch], 1);
    EXPECT_EQ(cache.switches[IncludeSourcesSwitch], 0);
    EXPECT_EQ(cache.switches[IncludeResearchSwitch], 1);
    EXPECT_EQ(cache.Switch(PrivacyLevelSwitch), 2);
    ASSERT_EQ(cache.TypeCount(), 3u);
    EXPECT_EQ(cache.TypeIncluded(1), 1);
    EXPECT_EQ(cache.TypeIncluded(2), 0);
    EXPECT_EQ(cache.TypeIncluded(3), 0); // cannot be read
    EXPECT_EQ(cache.TypeIncluded(0), 0);
    EXPECT_EQ(cache.TypeIncluded(4), 0);
    // The switches are those of the moment of loading.
    CurrentSettings.report.IncludePersons = 0;
    EXPECT_EQ(cache.switches[IncludePersonsSwitch], 1);
    cache.Free();
    EXPECT_EQ(cache.TypeCount(), 0u);
    EXPECT_EQ(cache.TypeIncluded(1), 0);
}

} // namespace
