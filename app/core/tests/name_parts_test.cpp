#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/name_parts.h"

namespace {

struct Part {
    std::uint8_t type;
    std::string text;
    bool operator==(const Part&) const = default;
};

NameParts Make(const std::vector<Part>& parts)
{
    char field[NamePartsSize] = {};
    std::string bytes;
    for (const Part& part : parts)
        bytes += static_cast<char>(part.type) + part.text;
    bytes.copy(field, NamePartsSize - 1);
    return NameParts(field);
}

std::vector<Part> PartsOf(const NameParts& name)
{
    std::vector<Part> parts;
    for (int i = 0; i < name.Count(); ++i)
        parts.push_back({name.TypeOf(i), name.TextOf(i)});
    return parts;
}

TEST(NameParts, NormaliseSplitsAtEveryBlankAndDropsEmptyParts)
{
    struct Case {
        const char* what;
        std::vector<Part> before;
        std::vector<Part> after;
    };
    const Case cases[] = {
        {"two given names in one part",
         {{NamePartGiven, "Anna Maria"}, {NamePartSurname, "Berg"}},
         {{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}, {NamePartSurname, "Berg"}}},
        {"two blanks between", {{NamePartGiven, "Anna  Maria"}}, {{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}}},
        {"leading and trailing blanks",
         {{NamePartSurname, " von Berg "}},
         {{NamePartSurname, "von"}, {NamePartSurname, "Berg"}}},
        {"three words",
         {{NamePartNickname, "Big Old Per"}},
         {{NamePartNickname, "Big"}, {NamePartNickname, "Old"}, {NamePartNickname, "Per"}}},
        {"empty parts and a part of blanks",
         {{NamePartPrefix, ""}, {NamePartGiven, "Anna"}, {NamePartMiddle, "   "}, {NamePartSurname, ""}},
         {{NamePartGiven, "Anna"}}},
        {"nothing but empty parts", {{NamePartGiven, ""}, {NamePartSurname, ""}}, {}},
        {"nothing to do",
         {{NamePartGiven, "Anna"}, {NamePartSurname, "Berg"}},
         {{NamePartGiven, "Anna"}, {NamePartSurname, "Berg"}}},
    };
    for (const Case& c : cases) {
        NameParts name = Make(c.before);
        name.Normalise();
        EXPECT_EQ(PartsOf(name), c.after) << c.what;
    }
}

TEST(NameParts, NormaliseOfAFullFieldStillFits)
{
    // 127 bytes: one type byte and 126 characters, 62 of them blanks.
    std::string words = "ab";
    for (int i = 0; i < 62; ++i)
        words += " a";
    ASSERT_EQ(words.size(), 126u);
    NameParts name = Make({{NamePartGiven, words}});
    name.Normalise();
    ASSERT_EQ(name.Count(), 63);
    EXPECT_EQ(name.TextOf(0), "ab");
    EXPECT_EQ(name.TextOf(62), "a");
    EXPECT_EQ(name.Format(), words);
}

TEST(NameParts, TypedControlCharactersBecomeBlanksAndSoSeparateParts)
{
    NameParts name = Make({{NamePartGiven, ""}});
    ASSERT_TRUE(name.Set(0, NamePartGiven, "Anna\tMaria\r\n"));
    EXPECT_EQ(PartsOf(name), (std::vector<Part>{{NamePartGiven, "Anna Maria  "}}));
    name.Normalise();
    EXPECT_EQ(PartsOf(name), (std::vector<Part>{{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}}));
}

TEST(NameParts, StandardStructuresAddOneEmptyPartPerKnownCode)
{
    struct Case {
        const char* codes;
        std::vector<std::uint8_t> types;
    };
    const Case cases[] = {
        {"GIVN,SURN", {NamePartGiven, NamePartSurname}},
        {"PREF,GIVN,SURN,SUFX", {NamePartPrefix, NamePartGiven, NamePartSurname, NamePartSuffix}},
        {"UNKW,OTH,COGN,RELN,NICK,PATR,MATR,ART,OCCN,LOCN,MIDL,TEKN", {1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 16}},
        // Codes are compared exactly: other spellings and blanks are unknown and skipped.
        {"GIVN,givn, SURN,XYZ,,SURN", {NamePartGiven, NamePartSurname}},
        {"", {}},
    };
    for (const Case& c : cases) {
        NameParts name;
        name.AddStandardStructure(c.codes);
        std::vector<std::uint8_t> types;
        for (int i = 0; i < name.Count(); ++i) {
            types.push_back(name.TypeOf(i));
            EXPECT_EQ(name.TextOf(i), "") << c.codes;
        }
        EXPECT_EQ(types, c.types) << c.codes;
    }
}

TEST(NameParts, AStructureLongerThanTheFieldKeepsThePartsThatFit)
{
    std::string codes = "GIVN";
    for (int i = 0; i < 200; ++i)
        codes += ",SURN";
    NameParts name;
    name.AddStandardStructure(codes);
    EXPECT_EQ(name.Count(), 127);
    EXPECT_EQ(name.TypeOf(0), NamePartGiven);
    EXPECT_FALSE(name.Append());
}

TEST(NameParts, FormatJoinsThePartsBySingleBlanksAndSkipsEmptyOnes)
{
    EXPECT_EQ(Make({{NamePartGiven, "Anna"}, {NamePartMiddle, ""}, {NamePartSurname, "Berg"}}).Format(), "Anna Berg");
    EXPECT_EQ(Make({}).Format(), "");
    EXPECT_TRUE(Make({}).IsEmpty());
    EXPECT_FALSE(Make({{NamePartGiven, ""}}).IsEmpty());
}

TEST(NameParts, CodesAndLanguageKeys)
{
    EXPECT_EQ(NamePartTypeOfCode("GIVN"), NamePartGiven);
    EXPECT_EQ(NamePartTypeOfCode("TEKN"), NamePartTeknonym);
    EXPECT_EQ(NamePartTypeOfCode(""), 0);
    EXPECT_EQ(NamePartTypeOfCode("GIV"), 0);
    EXPECT_EQ(NamePartTypeKey(NamePartSurname), "ADVNAME_TYPE_SURN");
    EXPECT_EQ(NameStandardKey(1), "ADVNAME_STD1");
}

TEST(NameParts, EditingWorksOnTheNamesOwnTypes)
{
    NameParts name = Make({{NamePartGiven, "Anna"}, {NamePartSurname, "Berg"}});
    ASSERT_TRUE(name.Append());
    EXPECT_EQ(name.TypeOf(2), NamePartUnknown);
    EXPECT_TRUE(name.Set(2, NamePartTeknonym, "x"));
    EXPECT_FALSE(name.Set(2, NamePartTypeCount + 1, "y"));
    name.Swap(1);
    EXPECT_EQ(PartsOf(name),
              (std::vector<Part>{{NamePartGiven, "Anna"}, {NamePartTeknonym, "x"}, {NamePartSurname, "Berg"}}));
    char field[NamePartsSize];
    name.CopyTo(field);
    EXPECT_EQ(std::string(field), "\x06"
                                  "Anna"
                                  "\x10"
                                  "x"
                                  "\x04"
                                  "Berg");
}

} // namespace
