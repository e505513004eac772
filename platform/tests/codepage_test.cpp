#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

using platform::Cp1252ToUtf16;
using platform::Cp1252ToUtf8;
using platform::Utf16ToCp1252;
using platform::Utf8ToCp1252;

std::string AllBytes()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    return all;
}

TEST(Codepage, EveryByteSurvivesTheRoundTrip)
{
    const std::string all = AllBytes();
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Codepage, HighBytesMapToTheirCharacters)
{
    struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {
        {0x80, 0x20AC}, {0x8A, 0x0160}, {0x92, 0x2019}, {0x99, 0x2122}, {0x9F, 0x0178},
        {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}, {0x81, 0x0081}, {0x9D, 0x009D},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(platform::Cp1252ToCodePoint(c.byte), c.unicode);
        EXPECT_EQ(platform::CodePointToCp1252(c.unicode), c.byte);
    }
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?"); // a CJK character
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98\x80"
                           "b"),
              "a?b");                                 // beyond the BMP
    EXPECT_EQ(Utf16ToCp1252(u"a\U0001F600b"), "a?b"); // one '?' for a surrogate pair
    EXPECT_EQ(Utf16ToCp1252(u"\x0100"), "?");
}

TEST(Codepage, MalformedUtf8BecomesOneQuestionMarkPerBadByte)
{
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?"); // cut short at the end
    EXPECT_EQ(Utf8ToCp1252("\xC3"
                           "a"),
              "?a");                                // a lead byte without its follower
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???"); // an encoded surrogate
    EXPECT_EQ(Utf8ToCp1252("\x80\xBF"), "??");      // stray continuation bytes
    EXPECT_EQ(Utf8ToCp1252(std::string_view("\0x", 2)), std::string("\0x", 2));
}

TEST(Codepage, UpperCaseOfEveryByte)
{
    // Every byte's capital agrees with Unicode's where 1252 holds both forms, and leaves the rest alone.
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        auto byte = static_cast<unsigned char>(b);
        unsigned char upper = platform::UpperCaseCp1252(byte);
        char16_t unicode = platform::Cp1252ToCodePoint(byte);
        bool small = (unicode >= u'a' && unicode <= u'z') || (unicode >= 0xE0 && unicode <= 0xFE && unicode != 0xF7) ||
                     unicode == 0x0161 || unicode == 0x0153 || unicode == 0x017E || unicode == 0x00FF;
        if (small)
            EXPECT_NE(upper, byte);
        else
            EXPECT_EQ(upper, byte);
    }
    EXPECT_EQ(platform::UpperCaseCp1252('q'), 'Q');
    EXPECT_EQ(platform::UpperCaseCp1252(0xE9), 0xC9); // e acute
    EXPECT_EQ(platform::UpperCaseCp1252(0xFF), 0x9F); // y diaeresis
    EXPECT_EQ(platform::UpperCaseCp1252(0xDF), 0xDF); // sharp s has no capital here
    EXPECT_EQ(platform::UpperCaseCp1252(0xF7), 0xF7); // division sign
}

} // namespace
