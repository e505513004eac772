// Helpers of the Wexmor tests: temporary files, whole-file reads, and files opened from given text.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "wexmor.h"

namespace wexmor_test {

inline const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
inline const std::string kRootStart =
    "<wexmor xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"wexmor20.xsd\">";
inline const std::string kEmptyTotals =
    "<total><repositories>0</repositories><sources>0</sources><excerpts>0</excerpts><eventtypes>0</eventtypes>"
    "<persons>0</persons><assertions>0</assertions><objectives>0</objectives><tasks>0</tasks></total></wexmor>";
// A minimal header as the library writes it.
inline const std::string kMinimalHeader =
    "<file><version>200</version><level>0</level></file><header><exportingsystem></exportingsystem>"
    "<version></version><exported></exported></header>";

// A file in the temporary folder, removed when the test ends.
class TempFile {
public:
    TempFile()
    {
        // Unique per test case, since natively each case runs as its own process, perhaps in parallel.
        static std::atomic<int> counter{0};
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("wexmor_") + test->test_suite_name() + "_" + test->name() + "_" +
                           std::to_string(counter++) + ".wmx";
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.')
                c = '_';
        path_ = (std::filesystem::temp_directory_path() / name).string();
    }
    ~TempFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const char* Path() const { return path_.c_str(); }

    std::string Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Write(const std::string& content) const
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << content;
    }

private:
    std::string path_;
};

// Owns a WexmorFile handle.
struct FileHandle {
    WexmorFile* file = nullptr;
    explicit FileHandle(WexmorFile* f) : file(f) {}
    ~FileHandle() { ReleaseWZFile(file); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    void Release()
    {
        ReleaseWZFile(file);
        file = nullptr;
    }
};

// A file opened for reading whose body (after the declaration and root start tag) is given.
class ReadFixture {
public:
    explicit ReadFixture(const std::string& body, bool withProlog = true)
    {
        temp_.Write(withProlog ? kDeclaration + kRootStart + body : body);
        file_ = CreateWZFile(temp_.Path(), WZ_MODE_READ);
    }
    ~ReadFixture() { ReleaseWZFile(file_); }
    WexmorFile* File() const { return file_; }
    std::string Context() const
    {
        int length = GetErrorStructure(nullptr, 0, file_);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        GetErrorStructure(text.data(), length + 1, file_);
        text.resize(static_cast<size_t>(length));
        return text;
    }

private:
    TempFile temp_;
    WexmorFile* file_ = nullptr;
};

// The text written between the root start tag and the totals by the given writer (called after the header
// when withHeader is true).
template <class Writer> std::string WrittenBody(Writer writer, bool withHeader = true)
{
    TempFile temp;
    WexmorFile* file = CreateWZFile(temp.Path(), WZ_MODE_WRITE);
    EXPECT_NE(file, nullptr);
    if (withHeader) {
        WZHeader* header = CreateHeader();
        EXPECT_EQ(HeaderExport(file, header), 0);
        ReleaseHeader(header);
    }
    writer(file);
    ReleaseWZFile(file);
    std::string text = temp.Read();
    std::string start = kDeclaration + kRootStart + (withHeader ? kMinimalHeader : "");
    EXPECT_EQ(text.compare(0, start.size(), start), 0) << text;
    size_t totals = text.find("<total>");
    if (totals == std::string::npos || totals < start.size())
        return text;
    return text.substr(start.size(), totals - start.size());
}

} // namespace wexmor_test

namespace wexmor_test {

// Opens a file holding the minimal header and the body, reads the header and hands the file to the reader.
template <class Reader> void ReadBody(const std::string& body, Reader reader)
{
    ReadFixture fixture(kMinimalHeader + body + kEmptyTotals);
    ASSERT_NE(fixture.File(), nullptr);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    ReleaseHeader(header);
    reader(fixture.File());
}

} // namespace wexmor_test
