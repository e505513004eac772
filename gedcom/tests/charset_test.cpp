// Conversion of ANSEL, IBM PC, UTF-8 and UTF-16 lines into Windows-1252.
#include <gtest/gtest.h>

#include "gedcom/charset.h"
#include "platform/codepage.h"

namespace pendrax {
namespace {

struct Case {
    const char* input;
    const char* expected;
};

TEST(GedcomAnselTest, ConvertsSpacingCharactersAndPrecomposesMarks)
{
    const Case cases[] = {
        {"plain text", "plain text"},
        {"\xE2Y", "\xDD"}, // acute Y
        {"\xE8y", "\xFF"}, // umlaut y
        {"\xE1"
         "A\xE1"
         "a",
         "\xC0\xE0"},      // grave
        {"\xE4n", "\xF1"}, // tilde n
        {"\xEA"
         "A",
         "\xC5"}, // ring
        {"\xF0"
         "c",
         "\xE7"},          // cedilla
        {"\xF6o", "\xBA"}, // underline o
        {"\xE1"
         "B",
         "B"},              // no precomposed letter: the base alone
        {"\xE1\xC3x", "x"}, // base above 0x7F: nothing
        {"\xE0"
         "a",
         "a"}, // mark without pair
        {"\xA2\xB2\xCF\xC3", "\xD8\xF8\xDF\xA9"},
        {"\xA6\xDF", "  "}, // unlisted spacing bytes become blanks
        {"a\x85\xA0"
         "b",
         "ab"}, // 0x80 to 0xA0 dropped
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnselToCp1252(c.input), c.expected) << c.input;
}

TEST(GedcomAnselTest, MarkAtEndOfLineYieldsNothing)
{
    EXPECT_EQ(AnselToCp1252("Jos\xE2"), "Jos");
    EXPECT_EQ(AnselToCp1252(std::string_view("\xE8", 1)), "");
}

TEST(GedcomIbmPcTest, ConvertsByCodePageTable)
{
    EXPECT_EQ(IbmPcToCp1252("M\x81ller"), "M\xFCller");
    EXPECT_EQ(IbmPcToCp1252("\xB3"), " ");
    EXPECT_EQ(IbmPcToCp1252("\x80\x9C\xE1\xF8"), "\xC7\xA3\xDF\xB0");
}

TEST(GedcomUtf8Test, ConvertsToCp1252WithQuestionMarkForTheRest)
{
    EXPECT_EQ(platform::Utf8ToCp1252("Jos\xC3\xA9"), "Jos\xE9");
    EXPECT_EQ(platform::Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5"); // euro sign
    EXPECT_EQ(platform::Utf8ToCp1252("\xC4\x81"), "?");            // a with macron
    EXPECT_EQ(platform::Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");  // beyond the basic plane
    EXPECT_EQ(platform::Utf8ToCp1252("a\xC3"), "a?");              // cut sequence
    EXPECT_EQ(platform::Utf8ToCp1252("\xC0\xAF"), "??");           // overlong
    EXPECT_EQ(platform::Utf8ToCp1252("\xED\xA0\x80"), "???");      // surrogate
}

TEST(GedcomUtf16Test, ConvertsUnitsWithQuestionMarkForTheRest)
{
    const char16_t units[] = {u'J', 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0xDC00, u'x'};
    EXPECT_EQ(platform::Utf16ToCp1252(std::u16string_view(units, 7)), "J\xE9\x80??x");
}

} // namespace
} // namespace pendrax
