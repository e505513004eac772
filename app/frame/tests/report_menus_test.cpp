#include "frame/report_menus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(ReportMenus, BuiltInNamesComeFirstThenTheUsersPaths)
{
    EXPECT_EQ(ReportMenuPaths("C:\\V", "a.rpt,b.rpt", "D:\\x.rpt;E:\\y.rpt"),
              (Paths{"C:\\V\\Report\\a.rpt", "C:\\V\\Report\\b.rpt", "D:\\x.rpt", "E:\\y.rpt"}));
}

TEST(ReportMenus, EmptyPiecesAreSkipped)
{
    EXPECT_EQ(ReportMenuPaths("C:\\V", ",a.rpt,,b.rpt,", ";;D:\\x.rpt;"),
              (Paths{"C:\\V\\Report\\a.rpt", "C:\\V\\Report\\b.rpt", "D:\\x.rpt"}));
    EXPECT_TRUE(ReportMenuPaths("C:\\V", "", "").empty());
}

TEST(ReportMenus, AtMostOneHundredEntries)
{
    std::string builtIn, user;
    for (int i = 0; i < 70; ++i) {
        builtIn += "b" + std::to_string(i) + ".rpt,";
        user += "U:\\u" + std::to_string(i) + ".rpt;";
    }
    Paths paths = ReportMenuPaths("C:\\V", builtIn.c_str(), user.c_str());
    ASSERT_EQ(paths.size(), 100u);
    EXPECT_EQ(paths[69], "C:\\V\\Report\\b69.rpt");
    EXPECT_EQ(paths[70], "U:\\u0.rpt");
    EXPECT_EQ(paths[99], "U:\\u29.rpt");
}

TEST(ReportMenus, OverlongPathsAreCutToAnEntry)
{
    std::string user(400, 'x');
    Paths paths = ReportMenuPaths("C:\\V", "", user.c_str());
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].size(), SettingsPathSize - 1);
}

TEST(ReportMenus, CommandsMapToSubmenuEntries)
{
    int submenu = -1, index = -1;
    EXPECT_TRUE(ReportCommandEntry(7000, &submenu, &index));
    EXPECT_EQ(submenu, 0);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(ReportCommandEntry(7599, &submenu, &index));
    EXPECT_EQ(submenu, 5);
    EXPECT_EQ(index, 99);
    EXPECT_TRUE(ReportCommandEntry(7342, &submenu, &index));
    EXPECT_EQ(submenu, 3);
    EXPECT_EQ(index, 42);
    EXPECT_FALSE(ReportCommandEntry(6999, &submenu, &index));
    EXPECT_FALSE(ReportCommandEntry(7600, &submenu, &index));
}

// Writes a report-type file of `size` bytes with the given magic, version, name and description.
std::string WriteReportType(const std::string& name, const char* magic, int version, const std::string& title,
                            const std::string& description, std::size_t size = 7188)
{
    std::string bytes(size, '\0');
    bytes.replace(0, 5, magic, 5);
    for (int i = 0; i < 4; ++i)
        bytes[8 + i] = static_cast<char>(static_cast<unsigned>(version) >> (8 * i));
    bytes.replace(12, title.size(), title);
    bytes.replace(44, description.size(), description);
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(ReportMenus, ReadsTheNameAndDescriptionOfAReportType)
{
    std::string path = WriteReportType("frame_heading.rpt", "%VR%", 10403, "Ancestors", "All ancestors of a person");
    ReportTypeHeading heading{};
    ASSERT_TRUE(ReadReportTypeHeading(path.c_str(), &heading));
    EXPECT_STREQ(heading.name, "Ancestors");
    EXPECT_STREQ(heading.description, "All ancestors of a person");
    std::remove(path.c_str());
}

TEST(ReportMenus, AFullLengthNameIsTerminated)
{
    std::string path = WriteReportType("frame_long.rpt", "%VR%", 10200, std::string(40, 'N'), std::string(300, 'D'));
    ReportTypeHeading heading{};
    ASSERT_TRUE(ReadReportTypeHeading(path.c_str(), &heading));
    EXPECT_EQ(std::string(heading.name), std::string(31, 'N'));
    EXPECT_EQ(std::string(heading.description), std::string(255, 'D'));
    std::remove(path.c_str());
}

TEST(ReportMenus, RefusesWhatIsNoReportType)
{
    struct Case {
        const char* magic;
        int version;
        std::size_t size;
    } cases[] = {{"%VX%", 10403, 7188}, {"%VR%", 94, 7188}, {"%VR%", 10404, 7188}, {"%VR%", 10403, 2047}};
    for (const Case& c : cases) {
        std::string path = WriteReportType("frame_bad.rpt", c.magic, c.version, "Bad", "", c.size);
        ReportTypeHeading heading{};
        EXPECT_FALSE(ReadReportTypeHeading(path.c_str(), &heading)) << c.magic << " " << c.version << " " << c.size;
        std::remove(path.c_str());
    }
    ReportTypeHeading heading{};
    EXPECT_FALSE(ReadReportTypeHeading("no such file.rpt", &heading));
}

} // namespace
