// The frame's portable decisions: the command line, the status bar and the saved frame position.
#include "frame/command_line.h"
#include "frame/frame_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace std::string_literals;

TEST(CommandLine, KindByExtensionWithoutCase)
{
    struct Case {
        const char* path;
        FileKind kind;
    } cases[] = {
        {"C:\\a.rpt", FileKind::ReportType}, {"C:\\a.VTL", FileKind::Timeline}, {"C:\\a.ged", FileKind::Import},
        {"C:\\a.Wmx", FileKind::Import},     {"C:\\a.vbk", FileKind::Backup},   {"C:\\a.vdb", FileKind::Database},
        {"C:\\a.txt", FileKind::Unknown},    {".vd", FileKind::Unknown},        {"", FileKind::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileKindOf(c.path), c.kind) << c.path;
}

TEST(CommandLine, PathLosesItsQuotes)
{
    EXPECT_EQ(CommandLinePath("\"C:\\My Files\\family.vdb\""), "C:\\My Files\\family.vdb");
    EXPECT_EQ(CommandLinePath("C:\\family.vdb"), "C:\\family.vdb");
    EXPECT_EQ(CommandLinePath("\""), "");
}

TEST(CommandLine, NamesAFileWhenAnythingFollowsTheProgram)
{
    EXPECT_FALSE(CommandLineNamesFile("\"C:\\Program Files\\Vestrada\\Vestrada.exe\""));
    EXPECT_FALSE(CommandLineNamesFile("\"C:\\Program Files\\Vestrada\\Vestrada.exe\"   "));
    EXPECT_TRUE(CommandLineNamesFile("\"C:\\Program Files\\Vestrada\\Vestrada.exe\" x"));
    EXPECT_FALSE(CommandLineNamesFile("Vestrada.exe"));
    EXPECT_TRUE(CommandLineNamesFile("Vestrada.exe C:\\a.vdb"));
    EXPECT_FALSE(CommandLineNamesFile("\"Vestrada.exe"));
}

TEST(FrameLayout, StatusBarParts)
{
    EXPECT_EQ(StatusBarPartEnds(39), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(StatusBarPartEnds(40), (std::array<int, 3>{20, 0, 0}));
    EXPECT_EQ(StatusBarPartEnds(199), (std::array<int, 3>{179, 0, 0}));
    EXPECT_EQ(StatusBarPartEnds(800), (std::array<int, 3>{696, 738, 782}));
}

TEST(FrameLayout, FarOffPositionsComeBack)
{
    FramePosition p = SanitizeFramePosition(5000, 2500);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = SanitizeFramePosition(-20, 2000);
    EXPECT_EQ(p.x, -20);
    EXPECT_EQ(p.y, 2000);
}

} // namespace
