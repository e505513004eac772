// The Soundex code and the text matcher of the list searches, as tables of cases.
#include "records/list_search.h"
#include "records/soundex.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SoundexCase {
    const char* name;
    const char* code;
};

const SoundexCase SoundexCases[] = {
    {"Robert", "R163"},
    {"Rupert", "R163"},
    {"Pfister", "P123"},  // the f is coded although it shares P's group
    {"Lloyd", "L430"},    // equal digits are not merged with the first letter's
    {"Anna", "A550"},     // both n coded
    {"van Dyke", "V500"}, // the first letter upper-cased, the blank ends the name
    {"Ashcraft", "A226"}, // h separates nothing
    {"Tymczak", "T522"},
    {"A", "A000"},
    {"a", "A000"},
    {" Smith", ""},
    {"", ""},
    {"M\xE4kel\xE4", "M240"},   // letters outside A to Z are skipped
    {"\xC4mmerich", "\xC4" "556"}, // a first character from 128 on stays as it is
    {"{x", "[200"},              // characters above Z up to 127 move down by 32
    {"O'Brien", "O165"},
    {"Washington", "W252"},      // stops after three digits
    {"Lee2", "L000"},
};

TEST(Soundex, CodesNamesAsTheTableSays)
{
    for (const SoundexCase& c : SoundexCases) {
        char code[SoundexSize];
        ComputeSoundex(c.name, code);
        EXPECT_STREQ(code, c.code) << c.name;
    }
}

struct MatchCase {
    const char* text;
    const char* pattern;
    std::uint32_t mode;
    bool matches;
};

const MatchCase MatchCases[] = {
    {"Smithson", "THS", MatchInclude, true},
    {"Smithson", "smi", MatchBegin, true},
    {"Smithson", "son", MatchEnd, true},
    {"Smithson", "Smith", MatchEnd, false},
    {"Smithson", "smi", MatchExact, true}, // exact finds longer texts by their start
    {"Smithson", "Smithson", MatchExact, true},
    {"Smith", "Smithson", MatchExact, false},
    {"Smithson", "hso", MatchBegin, false},
    {"Smithson", "xyz", MatchInclude, false},
    {"Smithson", "", MatchInclude, true},
    {"Smithson", "", MatchBegin, true},
    {"Smithson", "", MatchExact, true},
    {"Smithson", "", MatchEnd, true},
    {"", "", MatchEnd, true},
    {"", "", MatchInclude, true},
    {"", "a", MatchInclude, false},
    {"sonson", "SON", MatchEnd, true},
    {"\xC5sgard", "\xE5s", MatchBegin, true}, // accented letters without regard to case
    {"Smithson", "son", 4, false},
    {"Smithson", "Smi", 99, false},
};

TEST(MatchText, MatchesByModeWithoutRegardToCase)
{
    for (const MatchCase& c : MatchCases)
        EXPECT_EQ(MatchText(c.text, c.pattern, c.mode), c.matches)
            << '"' << c.text << "\" / \"" << c.pattern << "\" mode " << c.mode;
}

struct CombineCase {
    std::uint32_t combineAnd;
    std::uint32_t fields[SearchCriterionCount];
    bool holds[SearchCriterionCount];
    bool matches;
};

const CombineCase CombineCases[] = {
    {0, {0, 0, 0}, {true, true, true}, false}, // OR without fields finds nothing
    {1, {0, 0, 0}, {false, false, false}, true}, // AND without fields finds everything
    {1, {1, 0, 0}, {true, false, false}, true},
    {1, {1, 0, 0}, {false, true, true}, false},
    {1, {1, 2, 0}, {true, false, true}, false},
    {0, {1, 2, 0}, {false, true, false}, true},
    {0, {1, 0, 2}, {false, true, false}, false}, // a criterion without a field is never asked
    {0, {1, 2, 3}, {false, false, false}, false},
};

TEST(SearchSettings, CombinesTheCriteriaByAndOrOr)
{
    for (const CombineCase& c : CombineCases) {
        SearchSettings search;
        search.combineAnd = c.combineAnd;
        for (int i = 0; i < SearchCriterionCount; ++i)
            search.criteria[i].field = c.fields[i];
        bool asked[SearchCriterionCount] = {};
        const bool result = search.Matches([&](int i) {
            asked[i] = true;
            return c.holds[i];
        });
        EXPECT_EQ(result, c.matches) << "AND " << c.combineAnd << " fields " << c.fields[0] << c.fields[1]
                                     << c.fields[2];
        for (int i = 0; i < SearchCriterionCount; ++i) {
            if (c.fields[i] == 0) {
                EXPECT_FALSE(asked[i]);
            }
        }
    }
}

TEST(SearchSettings, KeepsAtMost63CharactersOfACriterionText)
{
    SearchSettings search;
    const std::string longText(80, 'x');
    search.SetCriterion(1, 2, longText.c_str(), MatchEnd);
    EXPECT_EQ(std::string(search.criteria[1].text), std::string(63, 'x'));
    EXPECT_EQ(search.criteria[1].field, 2u);
    EXPECT_EQ(search.criteria[1].mode, MatchEnd);
}

} // namespace
