// The preferences' own decisions: the name-standard entries, the date-picture list and its examples,
// the report-type lists of the categories and the tab width.
#include "frame/preferences.h"
#include "frame/report_menus.h"
#include "tests/support/scoped_language.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using test_support::ScopedLanguage;
using Texts = std::vector<std::string>;

constexpr const char* PartNames = "ADVNAME_TYPE_UNKW=Name\r\n"
                                  "ADVNAME_TYPE_SURN=Surname\r\n"
                                  "ADVNAME_TYPE_GIVN=Given names\r\n"
                                  "ADVNAME_TYPE_PATR=Patronymic\r\n"
                                  "ADVNAME_TYPE_TEKN=Teknonym\r\n"
                                  "PREF_EDITING_NAMENONE=(no parts)\r\n";

TEST(NameStandards, EachCodeNamesItsPartType)
{
    const ScopedLanguage language(PartNames);
    struct Case {
        const char* codes;
        const char* entry;
    } cases[] = {
        {"SURN,GIVN", "Surname, Given names"},
        {"GIVN,PATR,SURN", "Given names, Patronymic, Surname"},
        {"TEKN", "Teknonym"},
        {"SURN,XYZ,GIVN", "Surname, , Given names"}, // an unknown code adds nothing but keeps its separator
        {"SURN,surn", "Surname, "},                  // codes are matched exactly
        {"GIVN,", "Given names, "},
        {"", "(no parts)"},
        {"XYZ", "(no parts)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameStandardEntry(c.codes), c.entry) << c.codes;
}

TEST(NameStandards, AnEntryHoldsAtMost127Characters)
{
    std::string codes;
    for (int i = 0; i < 20; ++i)
        codes += "GIVN,";
    const ScopedLanguage language(PartNames);
    std::string entry = NameStandardEntry(codes.c_str());
    EXPECT_EQ(entry.size(), NameStandardEntryLength);
    EXPECT_EQ(entry.substr(0, 26), "Given names, Given names, ");
}

TEST(NameStandards, TheListEndsAtTheFirstMissingStandard)
{
    {
        const ScopedLanguage language(std::string(PartNames) + "ADVNAME_STD0=SURN,GIVN\r\n"
                                                               "ADVNAME_STD1=GIVN,SURN\r\n"
                                                               "ADVNAME_STD3=TEKN\r\n");
        EXPECT_EQ(NameStandardEntries(), (Texts{"Surname, Given names", "Given names, Surname"}));
    }
    {
        const ScopedLanguage language(std::string(PartNames) + "ADVNAME_STD1=GIVN,SURN\r\n");
        EXPECT_TRUE(NameStandardEntries().empty());
    }
    const ScopedLanguage none(nullptr);
    EXPECT_TRUE(NameStandardEntries().empty());
}

TEST(NameStandards, OnlyAValidOtherSelectionIsStored)
{
    struct Case {
        int selection, count, current;
        bool stored;
    } cases[] = {
        {2, 5, 1, true}, {1, 5, 1, false}, {-1, 5, 1, false}, {5, 5, 1, false}, {0, 0, 1, false}, {0, 1, 3, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewNameStandard(c.selection, c.count, c.current), c.stored)
            << c.selection << " of " << c.count << ", now " << c.current;
}

TEST(DatePictures, ExamplesShowTheSeventeenthOfOctober2004)
{
    struct Case {
        const char* picture;
        const char* example;
    } cases[] = {
        {"{dd}.{mm}.{yyyy}", "17.10.2004"},
        {"{yyy}[dm?-{mm}-{dd}]", "2004-10-17"},
        {"{yyy}[dm?{mm}{dd}]", "20041017"},
        {"[dm?{mm}/{dd}/]{yyy}", "10/17/2004"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DatePictureExample(c.picture), c.example) << c.picture;
}

class DatePictureList : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 0; n < 15; ++n)
            std::snprintf(dates.Formats[n], DatePictureSize, "{yyy} %d", n + 1);
        dates.FormatCount = 15;
    }
    DateFormatSettings dates{};
};

TEST_F(DatePictureList, TheListsShowThePicturesThatAreNotEmpty)
{
    dates.Formats[3][0] = '\0';
    std::vector<int> shown = ShownDatePictures(dates);
    ASSERT_EQ(shown.size(), 14u);
    EXPECT_EQ(shown[2], 2);
    EXPECT_EQ(shown[3], 4);
    EXPECT_EQ(shown.back(), 14);
}

TEST_F(DatePictureList, OnlyEntriesAfterTheThirteenthCanBeChanged)
{
    struct Case {
        int position;
        bool editable;
    } cases[] = {{0, false}, {1, false}, {13, false}, {14, true}, {32, true}};
    for (const Case& c : cases)
        EXPECT_EQ(IsEditableDatePictureEntry(c.position), c.editable) << c.position;
}

TEST_F(DatePictureList, ApplyAppendsReplacesAndEmpties)
{
    EXPECT_EQ(ChangeDatePicture(dates, NewDatePicture, "{dd}/{mm}"), DatePictureChange::Appended);
    EXPECT_EQ(dates.FormatCount, 16);
    EXPECT_STREQ(dates.Formats[15], "{dd}/{mm}");

    EXPECT_EQ(ChangeDatePicture(dates, 14, "{mm}-{yyy}"), DatePictureChange::Replaced);
    EXPECT_STREQ(dates.Formats[14], "{mm}-{yyy}");

    // An emptied picture keeps its place, so the pictures after it keep their indexes.
    EXPECT_EQ(ChangeDatePicture(dates, 13, ""), DatePictureChange::Emptied);
    EXPECT_EQ(dates.FormatCount, 16);
    EXPECT_STREQ(dates.Formats[13], "");
    EXPECT_STREQ(dates.Formats[14], "{mm}-{yyy}");

    EXPECT_EQ(ChangeDatePicture(dates, NewDatePicture, ""), DatePictureChange::None);
    EXPECT_EQ(ChangeDatePicture(dates, 16, "{yyy}"), DatePictureChange::None);
    EXPECT_EQ(ChangeDatePicture(dates, -2, "{yyy}"), DatePictureChange::None);
    EXPECT_EQ(dates.FormatCount, 16);
}

TEST_F(DatePictureList, ThirtyTwoPicturesTakeNoMore)
{
    while (dates.FormatCount < DateFormatCapacity)
        ASSERT_EQ(ChangeDatePicture(dates, NewDatePicture, "{yyy}"), DatePictureChange::Appended);
    EXPECT_EQ(ChangeDatePicture(dates, NewDatePicture, "{dd}"), DatePictureChange::None);
    EXPECT_EQ(dates.FormatCount, DateFormatCapacity);
    EXPECT_STREQ(dates.Formats[DateFormatCapacity - 1], "{yyy}");
}

TEST_F(DatePictureList, ATextIsCutToWhatAPictureHolds)
{
    std::string text(40, 'y');
    ASSERT_EQ(ChangeDatePicture(dates, 14, text.c_str()), DatePictureChange::Replaced);
    EXPECT_EQ(std::string(dates.Formats[14]), std::string(DatePictureSize - 1, 'y'));
}

TEST(ReportTypeLists, EntriesAreTheNonEmptyPaths)
{
    EXPECT_EQ(ReportTypeListEntries("C:\\a.rpt;;D:\\b.rpt;"), (Texts{"C:\\a.rpt", "D:\\b.rpt"}));
    EXPECT_TRUE(ReportTypeListEntries("").empty());
}

TEST(ReportTypeLists, AnAdditionThatDoesNotFitIsRefused)
{
    char list[24] = {};
    EXPECT_TRUE(AppendReportTypeEntry(list, sizeof list, "C:\\a.rpt"));
    EXPECT_STREQ(list, "C:\\a.rpt");
    EXPECT_TRUE(AppendReportTypeEntry(list, sizeof list, "D:\\bb.rpt")); // 8 + 1 + 9 = 18
    EXPECT_STREQ(list, "C:\\a.rpt;D:\\bb.rpt");
    EXPECT_FALSE(AppendReportTypeEntry(list, sizeof list, "E:\\c.rpt")); // 18 + 1 + 8 = 27 > 23
    EXPECT_STREQ(list, "C:\\a.rpt;D:\\bb.rpt");
    EXPECT_TRUE(AppendReportTypeEntry(list, sizeof list, "E:\\c"));     // exactly 23
    EXPECT_STREQ(list, "C:\\a.rpt;D:\\bb.rpt;E:\\c");
    EXPECT_FALSE(AppendReportTypeEntry(list, sizeof list, "F"));
    EXPECT_FALSE(AppendReportTypeEntry(list, sizeof list, ""));

    char full[ReportTypeListSize] = {};
    std::string path(ReportTypeListSize, 'p');
    EXPECT_FALSE(AppendReportTypeEntry(full, sizeof full, path.c_str()));
    EXPECT_STREQ(full, "");
}

TEST(ReportTypeLists, DeleteRemovesTheEntryOfTheIndex)
{
    struct Case {
        const char* list;
        int index;
        bool removed;
        const char* after;
    } cases[] = {
        {"A;B;C", 0, true, "B;C"},
        {"A;B;C", 1, true, "A;C"},
        {"A;B;C", 2, true, "A;B"},
        {"A;;B;C;", 1, true, "A;C"},
        {"A", 0, true, ""},
        {"A;B", 2, false, "A;B"},
        {"A;B", -1, false, "A;B"},
    };
    for (const Case& c : cases) {
        char list[ReportTypeListSize] = {};
        std::strcpy(list, c.list);
        EXPECT_EQ(RemoveReportTypeEntry(list, sizeof list, c.index), c.removed) << c.list << " " << c.index;
        EXPECT_STREQ(list, c.after) << c.list << " " << c.index;
    }
}

TEST(EditorSettings, TheTabWidthStaysWithinOneAndThirtyTwo)
{
    struct Case {
        int typed, stored;
    } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {4, 4}, {32, 32}, {50, 32}};
    for (const Case& c : cases)
        EXPECT_EQ(ClampTabWidth(c.typed), c.stored) << c.typed;
}

} // namespace
