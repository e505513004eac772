// Media files in the real file system: paths relative to the GEDCOM file, what is never read, temporary files
// that replace nothing and go at the end.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gedcom/convert.h"
#include "gedcom/tests/test_host.h"

namespace pendrax::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class MediaFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() /
                  ("pendrax_media_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "ged" / "pics");
        fs::create_directories(folder_ / "tmp");
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Folder(const char* sub) const { return (folder_ / sub).string() + "/"; }

    fs::path folder_;
};

TEST(MediaPathTest, RelativePathsResolveAgainstTheGedcomFolder)
{
    struct Case {
        std::string_view folder, path, resolved;
    };
    const Case cases[] = {
        {"/data/ged/", "pics/a.jpg", "/data/ged/pics/a.jpg"},
        {"/data/ged", "a.jpg", "/data/ged/a.jpg"},
        {"C:\\ged\\", "pics\\a.jpg", "C:\\ged\\pics\\a.jpg"},
        {"C:\\ged", "a.jpg", "C:\\ged\\a.jpg"},
        {"C:\\ged\\", "D:\\pics\\a.jpg", "D:\\pics\\a.jpg"},
        {"C:\\ged\\", "\\\\server\\a.jpg", "\\\\server\\a.jpg"},
        {"/data/ged/", "/dev/zero", "/dev/zero"},
        {"", "a.jpg", "a.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveMediaPath(c.folder, c.path), c.resolved) << c.folder << " " << c.path;
    EXPECT_EQ(FolderOf("C:\\ged\\family.ged"), "C:\\ged\\");
    EXPECT_EQ(FolderOf("/data/family.ged"), "/data/");
    EXPECT_EQ(FolderOf("family.ged"), "");
}

TEST_F(MediaFilesTest, OnlyRegularFilesAreReadAndRelativeOnesBesideTheGedcom)
{
    WriteAll(folder_ / "ged" / "pics" / "a.jpg", "abc");
    WriteAll("a.jpg", "not this one"); // the current folder is not where media are looked for
    std::vector<std::string> notFiles = {folder_.string(), "pics"};
#ifndef _WIN32
    ASSERT_EQ(mkfifo((folder_ / "pipe").c_str(), 0600), 0);
    notFiles.push_back((folder_ / "pipe").string());
    notFiles.push_back("/dev/zero");
#endif
    SystemMediaFiles media(Folder("ged"), Folder("tmp"));

    MediaStatus found = media.Inspect("pics/a.jpg");
    EXPECT_EQ(found.kind, MediaStatus::Regular);
    EXPECT_EQ(found.size, 3u);
    EXPECT_EQ(media.Read("pics/a.jpg"), "abc");
    EXPECT_EQ(media.Inspect("a.jpg").kind, MediaStatus::Missing);
    EXPECT_EQ(media.Read("a.jpg"), std::nullopt);
    fs::remove("a.jpg");

    for (const std::string& path : notFiles) {
        EXPECT_EQ(media.Inspect(path).kind, MediaStatus::NotRegular) << path;
        EXPECT_EQ(media.Read(path), std::nullopt) << path;
        EXPECT_EQ(media.CopyToCurrentFolder(path), std::nullopt) << path;
    }
}

TEST_F(MediaFilesTest, TemporaryFilesReplaceNothingAndGoAtTheEnd)
{
    fs::path existing = folder_ / "tmp" / "OBJ00001.gif";
    WriteAll(existing, "someone else's");
    {
        SystemMediaFiles media(Folder("ged"), Folder("tmp"));
        EXPECT_EQ(media.WriteTemporary("OBJ00001.gif", "new"), std::nullopt);
        auto made = media.WriteTemporary("OBJ00002.gif", "new");
        ASSERT_TRUE(made);
        EXPECT_EQ(ReadAll(*made), "new");
        media.RemoveTemporaries();
        EXPECT_FALSE(fs::exists(*made));
    }
    EXPECT_EQ(ReadAll(existing), "someone else's");
}

// A host whose media are real files beside the GEDCOM file.
class FileHost : public TestHost {
public:
    FileHost(std::string gedcomFolder, std::string temporaryFolder) : files(gedcomFolder, temporaryFolder) {}
    MediaFiles& Media() override { return files; }
    SystemMediaFiles files;
};

TEST_F(MediaFilesTest, ConversionLeavesOutDevicesEmbedsFilesBesideTheGedcomAndRemovesDecodedData)
{
    WriteAll(folder_ / "ged" / "pics" / "a.jpg", "abc");
    FileHost host(Folder("ged"), Folder("tmp"));
#ifdef _WIN32
    const std::string device = "pics"; // a folder stands for what is no file
#else
    const std::string device = "/dev/zero";
#endif
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FILE " + device +
                              "\r\n0 @M2@ OBJE\r\n"
                              "1 FILE pics/a.jpg\r\n0 @M3@ OBJE\r\n1 FORM gif\r\n1 BLOB\r\n2 CONT .HE.0.HE.0\r\n"
                              "0 @I1@ INDI\r\n1 OBJE @M1@\r\n1 OBJE @M2@\r\n1 OBJE @M3@\r\n0 TRLR\r\n",
                          {}, host),
              ConvertOk);
    EXPECT_EQ(host.log, "\r\nError on line 4: Message 18\r\nFILE " + device + "\r\n");
    EXPECT_NE(host.output.find("<object><title></title></object><object><originalfile>pics/a.jpg</originalfile>"
                               "<bin>YWJj</bin>"),
              std::string::npos)
        << host.output;
    EXPECT_NE(host.output.find("<bin>ATQACATQ</bin>"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder_ / "tmp"));
}

} // namespace
} // namespace pendrax::test
