// Every GEDCOM file written by other programs converts, and its output is a well-formed Wexmor document.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gedcom/tests/test_host.h"
#include "tests/support/gedcom_generate.h"

namespace pendrax::test {
namespace {

const std::filesystem::path kFolder = std::filesystem::path(VESTRADA_TESTDATA) / "gedcom";

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> GedcomFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        std::string extension = entry.path().extension().string();
        if (extension == ".ged" || extension == ".GED")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Start and end tags nest; returns the first fault, empty when there is none.
std::string CheckNesting(const std::string& xml)
{
    std::vector<std::string> open;
    size_t at = xml.find("?>");
    while ((at = xml.find('<', at)) != std::string::npos) {
        size_t close = xml.find('>', at);
        if (close == std::string::npos)
            return "unclosed tag";
        std::string tag = xml.substr(at + 1, close - at - 1);
        at = close + 1;
        if (tag.ends_with("/"))
            continue;
        if (tag.starts_with("/")) {
            if (open.empty() || open.back() != tag.substr(1))
                return "unexpected </" + tag.substr(1) + ">";
            open.pop_back();
        } else {
            open.push_back(tag.substr(0, tag.find(' ')));
        }
    }
    return open.empty() ? "" : "unclosed <" + open.back() + ">";
}

TEST(GedcomTestdataTest, EveryFileConvertsIntoAWellFormedDocument)
{
    auto files = GedcomFiles();
    ASSERT_GE(files.size(), 16u);
    for (const auto& path : files) {
        for (bool structured : {false, true}) {
            ConvertOptions options;
            options.structuredNames = structured;
            options.readExtensions = true;
            options.defaultGregorian = true;
            TestHost host;
            std::string input = ReadFile(path);
            ASSERT_EQ(ConvertText(input, options, host), ConvertOk) << path << host.log.substr(0, 2000);
            EXPECT_EQ(CheckNesting(host.output), "") << path;
            EXPECT_TRUE(host.output.ends_with("</total></wexmor>")) << path;
            EXPECT_EQ(host.output.find('\0'), std::string::npos) << path;
        }
    }
}

size_t Count(const std::string& text, std::string_view piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

TEST(GedcomTestdataTest, TortureTestKeepsItsCharactersDatesNotesSourcesObjectsAndFamilies)
{
    for (const char* name : {"TGC55C.ged", "TGC55CLF.ged"}) {
        ConvertOptions options;
        options.defaultGregorian = true;
        TestHost host;
        ASSERT_EQ(ConvertText(ReadFile(kFolder / name), options, host), ConvertOk) << name;
        const std::string& output = host.output;
        EXPECT_NE(output.find("\xC1"
                              "BCD\xC9"
                              "FGH\xCDJKLM\r\nN\xD3PQRST\xDAVWX\xDDZ"),
                  std::string::npos)
            << name;
        EXPECT_NE(output.find("\xC4"
                              "BCD\xCB"
                              "FGH\xCFJKLM"),
                  std::string::npos)
            << name;
        EXPECT_NE(output.find("<info><text>Comments on &quot;Charlie Accented ANSEL&quot; INDIVIDUAL Record."),
                  std::string::npos)
            << name;
        EXPECT_GE(Count(output, "<exact"), 20u) << name;
        EXPECT_GE(Count(output, "<relationship "), 8u) << name;
        EXPECT_NE(output.find("<title>Everything You Every Wanted to Know about GEDCOM Tags"), std::string::npos);
        EXPECT_GE(Count(output, "<excerpt "), 5u) << name;
        EXPECT_GE(Count(output, "<object>"), 10u) << name;
        // The inline picture is decoded into a file of its own and embedded.
        ASSERT_EQ(host.media.temporary.size(), 1u) << name;
        EXPECT_TRUE(host.media.temporary.begin()->first.ends_with(".PICT"));
        EXPECT_EQ(host.media.temporary.begin()->second.size(), 309u); // 414 characters of data
    }
}

TEST(GedcomTestdataTest, EveryCharacterSetGivesTheSameRecords)
{
    const std::filesystem::path ours(PENDRAX_TEST_DATA);
    std::string reference;
    for (const char* name : {"ansi.ged", "ansel.ged", "ibmpc.ged", "utf8.ged", "utf16le.ged", "utf16be.ged"}) {
        ConvertOptions options;
        options.readExtensions = true;
        options.eventExtras = 2;
        TestHost host;
        ASSERT_EQ(ConvertText(ReadFile(ours / name), options, host), ConvertOk) << name;
        EXPECT_NE(host.output.find("<np tp=\"unkw\">J\xE9r\xF4me </np><np tp=\"surn\">M\xFCller</np>"),
                  std::string::npos)
            << name;
        EXPECT_NE(host.output.find("<pnp>Z\xFCrich</pnp>"), std::string::npos) << name;
        std::string body = Body(host.output);
        // The 8-bit files come from one program; the UTF-16 ones from another with its own peculiarities.
        if (std::string_view(name).starts_with("utf16"))
            continue;
        if (reference.empty())
            reference = body;
        EXPECT_EQ(body, reference) << name;
        EXPECT_EQ(host.log, "") << name;
    }
}

// The output and log of every file under several option sets, pinned by their digests: records pass through
// temporary storage on their way to the output, and any change in what is written, or in which order, shows.
// FNV-1a, 64 bits, as 16 hexadecimal digits. The numbers of the files decoded from inline data run on from
// one conversion to the next: they are left out.
std::string Digest(std::string bytes)
{
    for (size_t at = 0; (at = bytes.find("OBJ", at)) != std::string::npos; at += 3)
        for (size_t digit = at + 3;
             digit < bytes.size() && digit < at + 8 && std::isdigit(static_cast<unsigned char>(bytes[digit])); ++digit)
            bytes[digit] = '#';
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

ConvertOptions Plain()
{
    return {};
}

ConvertOptions Everything()
{
    ConvertOptions options;
    options.givenNameFirst = true;
    options.structuredNames = true;
    options.defaultGregorian = true;
    options.keepUnreadDates = true;
    options.aliasAsName = true;
    options.readExtensions = true;
    options.copyObjectFiles = 1;
    options.eventExtras = 2;
    options.personNumbers = 2;
    return options;
}

ConvertOptions Quiet()
{
    ConvertOptions options;
    options.logLevel = 2;
    options.givenNameFirst = true;
    options.readExtensions = true;
    options.copyObjectFiles = 2;
    options.eventExtras = 1;
    options.personNumbers = 1;
    return options;
}

struct DigestCase {
    const char* file; // in the test data, or "generated" for royal92.ged and pres2020.ged copied to 3,000 persons
    ConvertOptions (*options)();
    const char* output;
    const char* log;
};

std::string Input(const std::string& file)
{
    if (file != "generated")
        return ReadFile(kFolder / file);
    return bench::MakeLargeFile(ReadFile(kFolder / "royal92.ged"), ReadFile(kFolder / "pres2020.ged"), 3000);
}

const DigestCase kCases[] = {
#include "gedcom/tests/output_digests.inc"
};

TEST(GedcomTestdataTest, OutputAndLogOfEveryFileKeepTheirDigests)
{
    for (const DigestCase& c : kCases) {
        const std::string input = Input(c.file);
        ASSERT_FALSE(input.empty()) << c.file;
        TestHost host;
        Convert(std::span(reinterpret_cast<const uint8_t*>(input.data()), input.size()), c.options(), host);
        EXPECT_EQ(Digest(host.output), c.output) << c.file;
        EXPECT_EQ(Digest(host.log), c.log) << c.file;
    }
}

} // namespace
} // namespace pendrax::test
