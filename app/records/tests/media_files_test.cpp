// The files the media editor writes outside the database: size texts, the sanitised and unique temporary
// names (a stored name never reaches a path), the export's failure, and the file dialogs' filter lists.
#include "records/media_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "records/media_record.h"
#include "tests/support/test_database.h"

namespace {

using test_support::TempPath;
using test_support::TestDatabase;

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(MediaFiles, SizesAreWholeKilobytesRoundedDown)
{
    EXPECT_EQ(MediaSizeText(0), "0 Kb");
    EXPECT_EQ(MediaSizeText(1023), "0 Kb");
    EXPECT_EQ(MediaSizeText(1024), "1 Kb");
    EXPECT_EQ(MediaSizeText(2048), "2 Kb");
    EXPECT_EQ(MediaSizeText(4294967295u), "4194303 Kb");
}

TEST(MediaFiles, StoredNamesBecomePlainFileNames)
{
    const struct {
        const char* stored;
        const char* sanitised;
    } cases[] = {
        {"portrait.jpg", "portrait.jpg"},
        {"..\\..\\Windows\\win.ini", "win.ini"},
        {"../../etc/passwd", "passwd"},
        {"C:evil.exe", "evil.exe"},
        {"a<b>c|d?e*.png", "a_b_c_d_e_.png"},
        {"tab\there.gif", "tab_here.gif"},
        {"...", "media"},
        {"", "media"},
        {"..\\", "media"},
        {"archive.tar.gz", "archive.tar.gz"},
        {"CON", "_CON"},
        {"nul.txt", "_nul.txt"},
        {"com1.jpg", "_com1.jpg"},
        {"console.jpg", "console.jpg"},
        {"name. ", "name"},
        {" .hidden", "hidden"},
        {"noextension", "noextension"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SanitisedMediaFileName(c.stored), c.sanitised) << c.stored;
    EXPECT_EQ(SanitisedMediaFileName(std::string(200, 'x') + "." + std::string(40, 'y')),
              std::string(64, 'x') + "." + std::string(16, 'y'));
}

TEST(MediaFiles, TemporaryNamesKeepTheExtensionAndCountUp)
{
    EXPECT_EQ(MediaTemporaryName("photo.JPG", 0), "~photo.JPG");
    EXPECT_EQ(MediaTemporaryName("photo.JPG", 3), "~photo-3.JPG");
    EXPECT_EQ(MediaTemporaryName("..\\..\\boot.ini", 0), "~boot.ini");
    EXPECT_EQ(MediaTemporaryName("readme", 1), "~readme-1");
}

class MediaTemporaryFile : public ::testing::Test {
protected:
    std::string Folder() const { return std::filesystem::path(folder_.str()).parent_path().string() + "/"; }

    TestDatabase database_;
    TempPath folder_{"marker", "vestrada_mediafiles_"};
};

TEST_F(MediaTemporaryFile, ANameTakenAlreadyIsNeitherReusedNorOverwritten)
{
    std::ofstream(Folder() + "~photo.jpg") << "someone else's";
    MediaRecord media(*database_);
    media.SetFileName("..\\photo.jpg");
    ASSERT_TRUE(media.SetData("\xFF\xD8 picture", 10));
    const std::string first = WriteMediaTemporaryFile(media, Folder());
    const std::string second = WriteMediaTemporaryFile(media, Folder());
    EXPECT_EQ(first, Folder() + "~photo-1.jpg");
    EXPECT_EQ(second, Folder() + "~photo-2.jpg");
    EXPECT_EQ(FileText(Folder() + "~photo.jpg"), "someone else's");
    EXPECT_EQ(FileText(first), std::string("\xFF\xD8 picture", 10));
}

TEST_F(MediaTemporaryFile, AnEmptyMediaGivesAnEmptyFileAndAFolderThatIsNotThereNone)
{
    MediaRecord media(*database_);
    media.SetFileName("empty.txt");
    ASSERT_TRUE(media.SetData("", 0));
    const std::string path = WriteMediaTemporaryFile(media, Folder());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(WriteMediaTemporaryFile(media, Folder() + "missing/"), "");
    EXPECT_EQ(WriteMediaTemporaryFile(media, ""), "");
}

TEST_F(MediaTemporaryFile, ExportReplacesAFileAndFailsWhereNoneCanBeWritten)
{
    MediaRecord media(*database_);
    media.SetFileName("a.txt");
    ASSERT_TRUE(media.SetData("new bytes", 9));
    const std::string target = Folder() + "export.txt";
    std::ofstream(target) << "old content that is longer";
    EXPECT_TRUE(WriteMediaFile(media, target));
    EXPECT_EQ(FileText(target), "new bytes");
    EXPECT_FALSE(WriteMediaFile(media, Folder() + "missing/export.txt"));
}

TEST(MediaFiles, FilterTextsBecomeNulSeparatedLists)
{
    const std::string filter = FileDialogFilter("Pictures|*.jpg|All|*.*|", 255);
    EXPECT_EQ(filter, std::string("Pictures\0*.jpg\0All\0*.*\0\0", 24));
    EXPECT_EQ(FileDialogFilter("All#*.*#", 255), std::string("All\0*.*\0\0", 9));
    EXPECT_EQ(FileDialogFilter("Pictures|*.jpg|All|*.*|", 15), std::string("Pictures\0*.jpg\0\0", 16));
    EXPECT_EQ(FileDialogFilter("", 63), std::string("\0", 1));
}

} // namespace
