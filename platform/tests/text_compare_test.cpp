// One table of comparisons, run in both builds: the native comparison must agree with CompareStringA under
// Wine wherever the program relies on the order of texts.
#include "platform/text_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Case {
    const char* a;
    const char* b;
    int expected; // sign of the comparison
};

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

const Case kCases[] = {
    // case is ignored
    {"A", "a", 0},
    {"ab", "AB", 0},
    {"aB", "Ab", 0},
    {"a", "B", -1},
    {"Zebra", "apple", 1},
    // accents are ignored
    {"\xE9t\xE9", "ete", 0},
    {"\xC5ngstr\xF6m", "angstrom", 0},
    {"\xD1", "n", 0},
    {"\xF8", "o", 0},
    {"\xF0", "d", 0},
    {"\x83", "f", 0},
    {"\x8A", "s", 0},
    {"\xFF", "y", 0},
    {"\x8E", "z", 0},
    {"M\xFCller", "Muller", 0},
    {"M\xFCller", "Mulm", -1},
    // ligatures sort as their letters
    {"\xE6", "ae", 0},
    {"\xDF", "ss", 0},
    {"\x9C", "oe", 0},
    {"\xFE", "th", 0},
    {"\xE6", "af", -1},
    {"\xDF", "st", -1},
    {"sta",
     "\xDF"
     "a",
     1},
    {"Stra\xDF"
     "e",
     "Strasse", 0},
    // symbols and blanks are ignored
    {"a-b", "ab", 0},
    {"a b", "ab", 0},
    {"O'Brien", "obrien", 0},
    {"van Dyke", "Vandyke", 0},
    {" ", "", 0},
    {"  a", "a", 0},
    {"\x80", "", 0},
    {"\xB5"
     "b",
     "ab", 1},
    {"(John)", "john", 0},
    {"a.b,c;d", "abcd", 0},
    // digits come before letters and compare as characters, not numbers
    {"10", "9", -1},
    {"1", "a", -1},
    {"a1", "a", 1},
    {"1900", "1899", 1},
    {"\xBD", "1", -1},
    {"\xBD", "0", 1},
    {"\xBC", "\xBD", -1},
    {"\xBE", "1", -1},
    // superscripts and ordinals follow their digit or letter
    {"\xB2", "2", 1},
    {"\xB2", "3", -1},
    {"\xB9", "1", 1},
    {"\xAA", "a", 1},
    {"\xAA", "aa", -1},
    {"\xAA"
     "b",
     "ab", 1},
    {"\xBA", "o", 1},
    {"\xBA", "oe", -1},
    // empty texts
    {"", "", 0},
    {"", "a", -1},
    {"a", "", 1},
    {"", "-", 0},
    // ordinary names
    {"Smith", "Smyth", -1},
    {"MacDonald", "McDonald", -1},
    {"Anne", "Anna", 1},
    {"Ann", "Anne", -1},
    {"\x99", "tn", 1},
    {"\x99", "u", -1},
};

TEST(CompareLocaleText, AgreesWithTheTableBothWays)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string("\"") + c.a + "\" vs \"" + c.b + "\"");
        EXPECT_EQ(Sign(platform::CompareLocaleText(c.a, c.b)), c.expected);
        EXPECT_EQ(Sign(platform::CompareLocaleText(c.b, c.a)), -c.expected);
    }
}

using Comparison = int (*)(std::string_view, std::string_view);

// Every way the service may compare: the built-in table, and on Windows the system's comparison too, which
// it falls back to where the user's locale sorts otherwise.
const std::pair<const char*, Comparison> kPaths[] = {
    {"table", platform::text_compare_detail::CompareByTable},
#ifdef _WIN32
    {"system", platform::text_compare_detail::CompareBySystem},
#endif
};

TEST(CompareLocaleText, EveryPathOrdersTheTableOfCasesAlike)
{
    for (const auto& [path, compare] : kPaths) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(path) + ": \"" + c.a + "\" vs \"" + c.b + "\"");
            EXPECT_EQ(Sign(compare(c.a, c.b)), c.expected);
            EXPECT_EQ(Sign(compare(c.b, c.a)), -c.expected);
        }
    }
#ifdef _WIN32
    std::printf("locale comparison through the %s\n", platform::text_compare_detail::TableInUse() ? "table" : "system");
#endif
}

// The table, except that one letter sorts after every other, as a locale with its own alphabet might.
int TableWithAnotherPlaceFor(char moved, std::string_view a, std::string_view b)
{
    bool aMoved = !a.empty() && (a[0] | 0x20) == moved;
    bool bMoved = !b.empty() && (b[0] | 0x20) == moved;
    if (aMoved != bMoved)
        return aMoved ? 1 : -1;
    return platform::text_compare_detail::CompareByTable(a, b);
}

int WithALast(std::string_view a, std::string_view b)
{
    return TableWithAnotherPlaceFor('a', a, b);
}

int ByBytes(std::string_view a, std::string_view b)
{
    return a.compare(b);
}

TEST(CompareLocaleText, TheProbeFindsALocaleThatSortsOtherwise)
{
    using platform::text_compare_detail::FirstDisagreement;
    EXPECT_EQ(FirstDisagreement(platform::text_compare_detail::CompareByTable), "");
    EXPECT_NE(FirstDisagreement(WithALast), "");
    EXPECT_NE(FirstDisagreement(ByBytes).find("equal to"), std::string::npos)
        << "case alone tells texts apart byte by byte: " << FirstDisagreement(ByBytes);
    std::vector<std::string> probes = platform::text_compare_detail::ProbeTexts();
    for (int byte = 1; byte < 256; ++byte)
        EXPECT_NE(std::find(probes.begin(), probes.end(), std::string(1, static_cast<char>(byte))), probes.end())
            << "character " << byte << " is probed";
}

TEST(CompareLocaleText, ComparesOnlyTheGivenLength)
{
    std::string_view withTail("abc\0zzz", 7);
    EXPECT_EQ(Sign(platform::CompareLocaleText(withTail.substr(0, 3), "ABC")), 0);
    EXPECT_EQ(Sign(platform::CompareLocaleText(std::string_view("abd", 2), "ab")), 0);
}

} // namespace
