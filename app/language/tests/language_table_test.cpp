#include "language/language_table.h"
#include "tests/support/scoped_language.h"

#include <gtest/gtest.h>

#include "platform/file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::unique_ptr<LanguageTable> TableOf(const std::string& bytes)
{
    return LanguageTable::Load(bytes);
}

TEST(LanguageTable, ReadsTheLinesOfAFile)
{
    auto table = TableOf("LVERSION=10403\r\n"
                         "MENU_FILE_OPEN=&Open\r\n"
                         "#MENU_FILE=x\r\n"
                         "EMPTY=\r\n"
                         "FMT=a=b\r\n"
                         "NO EQUALS SIGN\r\n"
                         "A B=c\r\n"
                         "SPACED = text \r\n"
                         "MENU_FILE_OPEN=Other\r\n"
                         "LAST=no line end");
    struct Case {
        const char* key;
        const char* text;
    } cases[] = {
        {"MENU_FILE_OPEN", "&Open"}, // the first of two occurrences counts
        {"EMPTY", ""},               // an empty text is found, not the key
        {"FMT", "a=b"},              // only the first '=' separates
        {"A B", "c"},                // blanks belong to the key
        {"SPACED ", " text "},       // ... and to the text
        {"LAST", "no line end"},     // a last line without CR LF ends at the end of the file
        {"LVERSION", "10403"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetLanguageText(table.get(), c.key), c.text) << c.key;

    // A comment, a line without '=' and a key never written give the key back, the same pointer.
    for (const char* key : {"#MENU_FILE", "MENU_FILE", "NO EQUALS SIGN", "MISSING_KEY", "SPACED"})
        EXPECT_EQ(GetLanguageText(table.get(), key), key) << key;
}

TEST(LanguageTable, AcceptsBareLineFeedsAndCarriageReturns)
{
    auto table = TableOf("A=1\nB=2\rC=3\r\n\r\nD=4");
    EXPECT_STREQ(GetLanguageText(table.get(), "A"), "1");
    EXPECT_STREQ(GetLanguageText(table.get(), "B"), "2");
    EXPECT_STREQ(GetLanguageText(table.get(), "C"), "3");
    EXPECT_STREQ(GetLanguageText(table.get(), "D"), "4");
}

TEST(LanguageTable, FindsEveryKeyWhateverTheOrderOfTheFile)
{
    std::string ascending, descending;
    for (int i = 0; i < 500; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "KEY_%03d=text %d\r\n", i, i);
        ascending += line;
        std::snprintf(line, sizeof line, "KEY_%03d=text %d\r\n", 499 - i, 499 - i);
        descending += line;
    }
    for (const std::string& file : {ascending, descending}) {
        auto table = TableOf(file);
        EXPECT_EQ(table->Height(), 9) << "500 keys in order still make a balanced tree";
        for (int i = 0; i < 500; ++i) {
            std::string key = "KEY_" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i);
            EXPECT_EQ(std::string(GetLanguageText(table.get(), key.c_str())), "text " + std::to_string(i));
        }
    }
}

TEST(LanguageTable, HoldsAFileOfVeryShortLines)
{
    // Twice the file's size would not hold these entries; the store must take them all.
    std::string file;
    for (char c = 'A'; c <= 'Z'; ++c)
        file += std::string(1, c) + "=\n";
    auto table = TableOf(file);
    for (char c = 'A'; c <= 'Z'; ++c) {
        char key[2] = {c, 0};
        EXPECT_NE(GetLanguageText(table.get(), key), key) << key;
    }
}

TEST(LanguageTable, CutsAKeyLongerThanItsField)
{
    std::string longKey(60, 'K');
    auto table = TableOf(longKey + "=long\r\nSHORT=short\r\n");
    std::string cut(LanguageKeySize - 1, 'K');
    EXPECT_STREQ(GetLanguageText(table.get(), cut.c_str()), "long");
    EXPECT_EQ(GetLanguageText(table.get(), longKey.c_str()), longKey.c_str());
    EXPECT_STREQ(GetLanguageText(table.get(), "SHORT"), "short");
}

TEST(LanguageTable, AnEmptyFileGivesAnEmptyTable)
{
    for (const char* file : {"", "# only a comment\r\n", "no entries here\r\n\r\n"}) {
        auto table = TableOf(file);
        ASSERT_NE(table, nullptr);
        const char* key = "BUTTON_OK";
        EXPECT_EQ(GetLanguageText(table.get(), key), key);
        EXPECT_EQ(table->Version(), 0);
    }
}

TEST(LanguageTable, NoTableGivesTheKey)
{
    const char* key = "BUTTON_OK";
    EXPECT_EQ(GetLanguageText(nullptr, key), key);
}

TEST(LanguageTable, ReadsTheVersion)
{
    struct Case {
        const char* file;
        int version;
    } cases[] = {
        {"LVERSION=10403\r\n", 10403},      {"LVERSION=10402\r\n", 10402}, {"LVERSION=abc\r\n", 0}, {"OTHER=1\r\n", 0},
        {"LVERSION=99999999999999\r\n", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableOf(c.file)->Version(), c.version) << c.file;
}

TEST(LanguageTable, FreeForgetsEveryEntry)
{
    auto table = TableOf("A=1\r\n");
    table->Free();
    EXPECT_STREQ(GetLanguageText(table.get(), "A"), "A");
}

TEST(CopyLanguageText, AlwaysTerminates)
{
    auto table = TableOf("FILTER=Databases\r\nEMPTY=\r\n");
    struct Case {
        const char* key;
        std::size_t size;
        const char* expected;
    } cases[] = {
        {"FILTER", 32, "Databases"}, {"FILTER", 10, "Databases"}, // exactly fits with its terminator
        {"FILTER", 9, "Database"},                                // the text fills the buffer: cut, still terminated
        {"FILTER", 1, ""},           {"EMPTY", 8, ""},
        {"MISSING", 5, "MISS"}, // a missing key copies the key
    };
    for (const Case& c : cases) {
        char buffer[40];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(CopyLanguageText(table.get(), c.key, buffer, c.size), buffer);
        EXPECT_STREQ(buffer, c.expected) << c.key << " " << c.size;
        for (std::size_t i = std::strlen(c.expected); i < c.size; ++i)
            EXPECT_EQ(buffer[i], 0) << "byte " << i;
        EXPECT_EQ(buffer[c.size], 'x') << "wrote past the buffer";
    }
    char untouched = 'x';
    CopyLanguageText(table.get(), "FILTER", &untouched, 0);
    EXPECT_EQ(untouched, 'x');
}

TEST(CurrentLanguageTable, TheOneArgumentFormsUseIt)
{
    {
        const test_support::ScopedLanguage language(TableOf("BUTTON_OK=OK\r\n"));
        EXPECT_STREQ(GetLanguageText("BUTTON_OK"), "OK");
        char buffer[8];
        EXPECT_STREQ(CopyLanguageText("BUTTON_OK", buffer, sizeof buffer), "OK");
    }
    const test_support::ScopedLanguage none(nullptr);
    const char* key = "BUTTON_OK";
    EXPECT_EQ(GetLanguageText(key), key);
}

class LanguageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ =
            std::filesystem::temp_directory_path() /
            ("vestrada-lang-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".lan");
    }
    void TearDown() override { std::filesystem::remove(path_); }
    void Write(const std::string& bytes)
    {
        std::FILE* file = std::fopen(path_.string().c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::filesystem::path path_;
};

TEST_F(LanguageFile, LoadsAFileFromDisk)
{
    Write("LVERSION=10403\r\nBUTTON_OK=OK\r\n");
    auto table = LanguageTable::LoadFile(path_.string().c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Version(), LanguageFileVersion);
    EXPECT_STREQ(GetLanguageText(table.get(), "BUTTON_OK"), "OK");
}

TEST_F(LanguageFile, LoadsWhileAnotherReaderHasTheFileOpen)
{
    Write("BUTTON_OK=OK\r\n");
    platform::File other =
        platform::File::Open(path_.string(), {platform::FileAccess::Read, platform::FileShare::Read});
    ASSERT_TRUE(other.IsOpen());
    auto table = LanguageTable::LoadFile(path_.string().c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(GetLanguageText(table.get(), "BUTTON_OK"), "OK");
}

TEST_F(LanguageFile, AnEmptyFileLoadsAsAnEmptyTable)
{
    Write("");
    auto table = LanguageTable::LoadFile(path_.string().c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Version(), 0);
}

TEST_F(LanguageFile, AFileThatCannotBeOpenedIsNotFound)
{
    EXPECT_EQ(LanguageTable::LoadFile(path_.string().c_str()), nullptr);
    std::filesystem::create_directories(path_);
    EXPECT_EQ(LanguageTable::LoadFile(path_.string().c_str()), nullptr);
    std::filesystem::remove(path_);
}

} // namespace
