// The converter's output and log for every GEDCOM file of the test data, under several option sets, pinned by
// their digests: the records pass through temporary storage on their way to the output, and any change in what
// is written, or in which order, shows here.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

// FNV-1a, 64 bits, as 16 hexadecimal digits. The numbers of the files decoded from inline data run on from
// one conversion to the next: they are left out.
std::string Digest(std::string bytes)
{
    for (size_t at = 0; (at = bytes.find("OBJ", at)) != std::string::npos; at += 3)
        for (size_t digit = at + 3; digit < bytes.size() && digit < at + 8 && std::isdigit(static_cast<unsigned char>(bytes[digit])); ++digit)
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

TEST(GedcomOutputDigestTest, OutputAndLogAreThoseOfTheWholeFileInMemory)
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
