// Pendrax.dll through its export: files by path, the caller's log handle, the text callback, and a real
// window that receives the progress messages and answers them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/pendrax.h"

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "pendrax_test_" + name;
}

void WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileText(const std::string& path)
{
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    return text;
}

const char* PENDRAX_CALL MessageText(int32_t code)
{
    static std::string text;
    text = code >= 1000 ? "Type " + std::to_string(code) : "Message " + std::to_string(code);
    return text.c_str();
}

// The progress window: records each percentage and answers with the go-on flag.
std::vector<int> g_progress;
int g_stopAt = -1;

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ConvertProgressMessage) {
        g_progress.push_back(static_cast<int>(lParam));
        return static_cast<int>(g_progress.size()) - 1 == g_stopAt ? 0 : 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class GedcomDllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ProgressWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PendraxTestProgress";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("PendraxTestProgress", "", 0, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
        ASSERT_NE(window_, nullptr);
        g_progress.clear();
        g_stopAt = -1;
        input_ = TempPath("in.ged");
        output_ = TempPath("out.wmx");
        logPath_ = TempPath("convert.log");
        DeleteFileA(output_.c_str());
        log_ = CreateFileA(logPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(log_, INVALID_HANDLE_VALUE);
        params_.size = sizeof(ConvertParams);
        params_.inputPath = input_.c_str();
        params_.outputPath = output_.c_str();
        params_.logFile = log_;
        params_.getText = MessageText;
        params_.defaultGregorian = 1;
        params_.copyObjectFiles = 1;
    }
    void TearDown() override
    {
        CloseHandle(log_);
        DestroyWindow(window_);
        DeleteFileA(input_.c_str());
        DeleteFileA(output_.c_str());
        DeleteFileA(logPath_.c_str());
    }
    std::string Log()
    {
        FlushFileBuffers(log_);
        return ReadFileText(logPath_);
    }

    HWND window_ = nullptr;
    HANDLE log_ = INVALID_HANDLE_VALUE;
    std::string input_, output_, logPath_;
    ConvertParams params_{};
};

const char kGedcom[] = "0 HEAD\r\n1 SOUR Test\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n1 BIRT\r\n"
                       "2 DATE 1 JAN 1850\r\n0 @I2@ INDI\r\n0 TRLR\r\n";

TEST_F(GedcomDllTest, ExportIsUndecoratedAndParameterBlockHasItsSize)
{
    // 60 bytes in the 32-bit program; the 64-bit test build widens the four pointers.
    EXPECT_EQ(sizeof(ConvertParams), sizeof(void*) == 4 ? 60u : 88u);
    HMODULE library = GetModuleHandleA("Pendrax.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetProcAddress(library, "ConvertFile"), nullptr);
}

TEST_F(GedcomDllTest, ConvertsWithProgressSentToTheWindow)
{
    WriteFileText(input_, kGedcom);
    ASSERT_EQ(ConvertFile(&params_, window_), CONVERT_OK);
    EXPECT_EQ(g_progress.size(), 2u);
    for (size_t i = 1; i < g_progress.size(); ++i)
        EXPECT_GT(g_progress[i], g_progress[i - 1]);
    std::string output = ReadFileText(output_);
    EXPECT_NE(output.find("<exportingsystem>Test</exportingsystem>"), std::string::npos);
    EXPECT_NE(output.find("<description>Type 1000</description>"), std::string::npos);
    EXPECT_NE(output.find("<exact cal=\"gregorian\">1850-01-01</exact>"), std::string::npos);
    EXPECT_TRUE(output.ends_with("</wexmor>"));
    EXPECT_EQ(Log(), "");
}

TEST_F(GedcomDllTest, AnswerZeroStopsWithoutOutput)
{
    WriteFileText(input_, kGedcom);
    g_stopAt = 0;
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_READ_FAILED);
    EXPECT_EQ(g_progress.size(), 1u);
    EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Log(), "\r\nError on line 4: Message 11\r\n");
}

TEST_F(GedcomDllTest, NullWindowConvertsWithoutMessages)
{
    WriteFileText(input_, kGedcom);
    EXPECT_EQ(ConvertFile(&params_, nullptr), CONVERT_OK);
    EXPECT_TRUE(g_progress.empty());
}

TEST_F(GedcomDllTest, MissingInputLogsTheBareText)
{
    DeleteFileA(input_.c_str());
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_READ_FAILED);
    EXPECT_EQ(Log(), "Message 7");
    EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GedcomDllTest, OutputThatCannotBeCreatedGivesTwo)
{
    WriteFileText(input_, kGedcom);
    // The output is held open without sharing, so it cannot be created.
    HANDLE locked =
        CreateFileA(output_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_OUTPUT_FAILED);
    EXPECT_EQ(g_progress.size(), 2u);
    CloseHandle(locked);
}

TEST_F(GedcomDllTest, EmptyInputEndsWithEndOfInput)
{
    WriteFileText(input_, "");
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_READ_FAILED);
    EXPECT_EQ(Log().rfind("\r\nError on line 1: Message 1\r\n", 0), 0u);
}

TEST_F(GedcomDllTest, MediaFilesAreCopiedEmbeddedAndDecoded)
{
    std::string media = TempPath("photo.jpg");
    WriteFileText(media, "abc");
    std::string folder = TempPath("current");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string copy = folder + "\\pendrax_test_photo.jpg";
    DeleteFileA(copy.c_str());
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    WriteFileText(input_, "0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FILE " + media +
                              "\r\n0 @M2@ OBJE\r\n1 FORM gif\r\n1 BLOB\r\n2 CONT .HE.0.HE.0\r\n0 @I1@ INDI\r\n"
                              "1 OBJE @M1@\r\n1 OBJE @M2@\r\n0 TRLR\r\n");
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_OK);
    SetCurrentDirectoryA(previous);
    std::string output = ReadFileText(output_);
    EXPECT_EQ(ReadFileText(copy), "abc");
    EXPECT_NE(output.find("</externalfile><originalfile>" + media + "</originalfile><bin>YWJj</bin>"),
              std::string::npos)
        << output;
    // The decoded BLOB is embedded, and its temporary file (OBJnnnnn.gif) is gone once the conversion ends.
    EXPECT_NE(output.find("<bin>ATQACATQ</bin>"), std::string::npos) << output;
    std::string decoded;
    for (size_t start = output.find("<originalfile>"); start != std::string::npos && decoded.empty();
         start = output.find("<originalfile>", start + 1)) {
        size_t end = output.find("</originalfile>", start);
        ASSERT_NE(end, std::string::npos);
        std::string name = output.substr(start + 14, end - start - 14);
        if (name.find("\\OBJ") != std::string::npos)
            decoded = name;
    }
    EXPECT_TRUE(decoded.ends_with(".gif")) << decoded;
    EXPECT_EQ(GetFileAttributesA(decoded.c_str()), INVALID_FILE_ATTRIBUTES) << decoded;
    DeleteFileA(copy.c_str());
    DeleteFileA(media.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(GedcomDllTest, MediaPathsResolveBesideTheGedcomAndFoldersAreLeftOut)
{
    // The input lies in the temporary folder; the picture beside it is named by a relative path, and the
    // current folder is elsewhere.
    std::string media = TempPath("beside.jpg");
    WriteFileText(media, "abc");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    SetCurrentDirectoryA(windows);
    params_.copyObjectFiles = 0;
    WriteFileText(input_, "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 OBJE\r\n2 FILE pendrax_test_beside.jpg\r\n"
                          "1 OBJE\r\n2 FILE C:\\\r\n0 TRLR\r\n");
    EXPECT_EQ(ConvertFile(&params_, window_), CONVERT_OK);
    SetCurrentDirectoryA(previous);
    std::string output = ReadFileText(output_);
    EXPECT_NE(output.find("<originalfile>pendrax_test_beside.jpg</originalfile><bin>YWJj</bin>"), std::string::npos)
        << output;
    EXPECT_NE(output.find("<object><title></title></object>"), std::string::npos) << output;
    EXPECT_EQ(Log(), "\r\nError on line 7: Message 18\r\nFILE C:\\\r\n");
    DeleteFileA(media.c_str());
}

} // namespace
