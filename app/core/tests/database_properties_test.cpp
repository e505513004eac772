#include "core/database_properties.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

TEST(DatabaseProperties, FrameTitleShowsFileNameOrTitle)
{
    EXPECT_EQ(DatabaseFrameTitle("C:\\data\\family.vdb", "Our family", true), "Vestrada - family.vdb");
    EXPECT_EQ(DatabaseFrameTitle("C:\\data\\family.vdb", "Our family", false), "Vestrada - Our family");
    EXPECT_EQ(DatabaseFrameTitle("family.vdb", "", true), "Vestrada - family.vdb");
    std::string longName(200, 'x');
    EXPECT_EQ(DatabaseFrameTitle(("C:\\" + longName).c_str(), "", true).size(), FrameTitleSize - 1);
}

TEST(DatabaseProperties, PathParts)
{
    EXPECT_EQ(FolderOfPath("C:\\data\\family.vdb"), "C:\\data");
    EXPECT_EQ(FileNameOfPath("C:\\data\\family.vdb"), "family.vdb");
    EXPECT_EQ(FolderOfPath("family.vdb"), "");
}

TEST(DatabaseProperties, Versions)
{
    EXPECT_EQ(FormatDatabaseVersion(10403), "1.4.3");
    EXPECT_EQ(FormatDatabaseVersion(10200), "1.2.0");
    EXPECT_EQ(FormatDatabaseVersion(10000), "1.0.0");
    EXPECT_EQ(FormatDatabaseVersion(9999), "9999");
    EXPECT_EQ(FormatDatabaseVersion(97), "97");
}

TEST(DatabaseProperties, Copyright)
{
    EXPECT_EQ(GeneratedCopyright(2026, "Ada Lind"), "Copyright \xA9 2026 Ada Lind");
    EXPECT_EQ(GeneratedCopyright(2026, ""), "Copyright \xA9 2026 ");
}

// Deleted ids still count in tlvNumberOfRecords; the properties count only the live records.
TEST(DatabaseProperties, CountsLiveRecordsNotHighestIds)
{
    std::string path = (std::filesystem::temp_directory_path() / "frame_count.vdb").string();
    std::remove(path.c_str());
    DatabaseFile* file = tlvCreateDatabaseEx(path.c_str(), 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, file), 0);
    ColumnDefinition column{TLV_INT32, 0, 1, 0, 0};
    TableDefinition table{"PERSON", &column, 1, 0};
    std::int32_t id = tlvAddTable(&table, file);
    ASSERT_GT(id, 0);
    for (std::int32_t i = 1; i <= 10; ++i) {
        std::int32_t record = tlvNewID(id, file);
        ASSERT_EQ(tlvWriteRecord(id, record, &i, file), 0);
    }
    for (std::int32_t deleted : {1, 4, 5, 10})
        ASSERT_EQ(tlvDeleteRecord(id, deleted, file), 0);
    EXPECT_EQ(tlvNumberOfRecords(id, file), 10);
    EXPECT_EQ(CountLiveRecords(file, id), 6);
    EXPECT_EQ(CountLiveRecords(file, 0), 0);
    tlvEndTransaction(1, file);
    tlvCloseDatabase(file);
    std::remove(path.c_str());
}

} // namespace
