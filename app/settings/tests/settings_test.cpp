// The settings block over the settings store: natively in memory, under Wine in the real registry
// (inside a sandbox key, so that no real settings are touched).
#include "language/language_table.h"
#include "settings/settings.h"
#include "platform/file.h"
#include "platform/settings_store.h"
#include "tests/support/scoped_language.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using platform::SettingsHive;
using platform::SettingsKey;

const char* const VersionPath = "Software\\Halmyr\\Vestrada\\1.4.3";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CurrentSettings = Settings{};
    }
    void TearDown() override
    {
        CurrentSettings = Settings{};
    }

    static SettingsKey Section(const char* section)
    {
        return SettingsKey::Create(SettingsHive::CurrentUser, std::string(VersionPath) + "\\" + section);
    }
    static std::string ReadString(const SettingsKey& key, const char* name)
    {
        char buffer[4096] = {};
        std::size_t length = 0;
        if (!key.Query(name, buffer, sizeof buffer - 1, &length))
            return "<missing>";
        return buffer;
    }
    static std::uint32_t ReadDword(const SettingsKey& key, const char* name)
    {
        std::uint32_t value = 0xDEADBEEF;
        std::size_t length = 0;
        key.Query(name, &value, sizeof value, &length);
        return value;
    }
    static void WritePictures(const SettingsKey& key, int first, int last)
    {
        for (int n = first; n <= last; ++n)
            key.SetString(("Format" + std::to_string(n)).c_str(), "{yyy} " + std::to_string(n));
    }

    platform::SettingsSandbox sandbox_;
    test_support::ScopedLanguage noLanguage_{nullptr};
};

TEST_F(SettingsTest, AFirstStartGivesTheDefaults)
{
    ASSERT_EQ(Settings::Load(), 1);
    const Settings& s = CurrentSettings;
    std::string here = platform::CurrentDirectory();

    EXPECT_EQ(s.AppDir, here);
    EXPECT_EQ(s.general.DatabaseDir, here);
    EXPECT_EQ(s.general.CurrentDir, here);
    for (const auto& recent : s.general.LastDatabase)
        EXPECT_STREQ(recent, "");
    struct Number {
        const char* name;
        std::int64_t actual, expected;
    } numbers[] = {
        {"AppMaximized", s.general.AppMaximized, 0},
        {"AppPosX", s.general.AppPosX, 0},
        {"AppWidth", s.general.AppWidth, 600},
        {"AppHeight", s.general.AppHeight, 400},
        {"BakChkOpen", s.general.BakChkOpen, 1},
        {"BakChkClose", s.general.BakChkClose, 0},
        {"FilenameTitle", s.general.FilenameTitle, 0},
        {"PersonWindowX", s.edit.PersonWindowX, 630},
        {"SourceWindowY", s.edit.SourceWindowY, 330},
        {"RepositoryWindowY", s.edit.RepositoryWindowY, 440},
        {"GivenNamesWindowX", s.edit.GivenNamesWindowX, 400},
        {"TimelineWindowX", s.edit.TimelineWindowX, 580},
        {"DeleteTaskWarning", s.edit.DeleteTaskWarning, 1},
        {"ReopenDatabase", s.edit.ReopenDatabase, 1},
        {"NewNames", s.edit.NewNames, 1},
        {"InputFormat", s.dateFormat.InputFormat, 0},
        {"OutputFormat", s.dateFormat.OutputFormat, 10},
        {"PrintFormat", s.dateFormat.PrintFormat, 10},
        {"ShowCalendar", s.dateFormat.ShowCalendar, 0},
        {"ShowTime", s.dateFormat.ShowTime, 1},
        {"TimeFormat", s.dateFormat.TimeFormat, 0},
        {"AncestorGenerations", s.extract.AncestorGenerations, 99},
        {"WatchHeight", s.stavic.WatchHeight, 100},
        {"SyntaxColorComments", s.stavic.SyntaxColorComments, 0x00C800},
        {"SyntaxColorStrings", s.stavic.SyntaxColorStrings, 0x808080},
        {"SyntaxColorKeywords", s.stavic.SyntaxColorKeywords, 0xFF0000},
        {"SyntaxColorOperators", s.stavic.SyntaxColorOperators, 0xC00000},
        {"TabSpaces", s.stavic.TabSpaces, 4},
        {"NormalFontSize", s.report.FontSizes[ReportFontNormal], 12},
        {"PictureFontSize", s.report.FontSizes[ReportFontPicture], 10},
        {"Heading2FontSize", s.report.FontSizes[ReportFontHeading2], 18},
        {"Heading4FontSize", s.report.FontSizes[ReportFontHeading4], 14},
        {"LeftMargin", s.report.LeftMargin, 200},
        {"BottomMargin", s.report.BottomMargin, 200},
        {"PageNumbering", s.report.PageNumbering, 0},
        {"IncludeResearch", s.report.IncludeResearch, 1},
        {"Source ListSize", s.source.ListSize, 200},
        {"Name IncludeSelected", s.name.IncludeSelected, 1},
        {"Place Unknown", s.place.PartShown[1], 1},
        {"Place Continent", s.place.PartShown[3], 0},
        {"Place Cemetery", s.place.PartShown[18], 1},
        {"Toolbar Standard", s.toolbars.Standard, 1},
        {"Toolbar Person", s.toolbars.Person, 1},
        {"Toolbar Report", s.toolbars.Report, 0},
        {"Toolbar ReportType", s.toolbars.ReportType, 0},
        {"Toolbar Timeline", s.toolbars.Timeline, 0},
    };
    for (const Number& n : numbers)
        EXPECT_EQ(n.actual, n.expected) << n.name;

    EXPECT_STREQ(s.stavic.Font, "Courier New");
    EXPECT_STREQ(s.reportTypes.Lists[ReportCategoryOther], "");
    EXPECT_STREQ(s.report.Fonts[ReportFontTitle].faceName, "Arial");
    EXPECT_EQ(s.report.Fonts[ReportFontTitle].height, 48);
    EXPECT_EQ(s.report.Fonts[ReportFontTitle].weight, 700);
    EXPECT_EQ(s.report.Fonts[ReportFontNormal].weight, 400);
    EXPECT_EQ(s.report.Fonts[ReportFontHeading3].italic, 1);
    EXPECT_EQ(s.report.Fonts[ReportFontHeading2].italic, 0);
    EXPECT_EQ(s.report.Fonts[ReportFontNormal].quality, 2);
    EXPECT_EQ(s.report.Fonts[ReportFontNormal].pitchAndFamily, 0x12);
    EXPECT_EQ(s.research.ListWindowProperties.left, 50);
    EXPECT_EQ(s.research.ListWindowProperties.height, 350);
    EXPECT_EQ(s.repository.ListAllWidth[0], 390);
    EXPECT_EQ(s.source.ListAllWidth[1], 175);
    EXPECT_EQ(s.source.ListSelectionWidth[2], 20);
    EXPECT_EQ(s.name.ListSelectionWidth[1], 260);
    EXPECT_EQ(s.place.ListWindowProperties.width, 460);

    const char* pictures[] = {
        "[d?{dd}. ][dm?{MMM} ]{yyy}",  "[d?{dd}. ][dm?{mmm} ]{yyy}", "[d?{dd}. ][dm?{MMMM} ]{yyy}",
        "[d?{dd}. ][dm?{mmmm} ]{yyy}", "[d?{dd} ][dm?{mmmm} ]{yyy}", "[dm?{mmmm} {dd} ]{yyy}",
        "[dm?{dd}/{mm} ]{yyy}",        "[dm?{dd}/{mm}/]{yyy}",       "[dm?{mm}/{dd}/]{yyy}",
        "[dm?{dd}-{mm}-]{yyy}",        "[dm?{dd}.{mm}.]{yyy}",       "{yyy}[dm?-{mm}-{dd}]",
        "{yyy}[dm?{mm}{dd}]"};
    ASSERT_EQ(s.dateFormat.FormatCount, 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_STREQ(s.dateFormat.Formats[i], pictures[i]) << i;
    EXPECT_STREQ(s.dateFormat.Formats[13], "");
    EXPECT_STREQ(ScreenDatePicture(), "[dm?{dd}.{mm}.]{yyy}");
    EXPECT_STREQ(ReportDatePicture(), "[dm?{dd}.{mm}.]{yyy}");

    // The defaults of the date list were written, and every section key exists.
    SettingsKey dates = Section("DateFormat");
    EXPECT_EQ(ReadString(dates, "Format1"), pictures[0]);
    EXPECT_EQ(ReadString(dates, "Format13"), pictures[12]);
    EXPECT_EQ(ReadString(dates, "Format14"), "<missing>");
    for (const char* section : {"General", "Language", "Edit", "DateFormat", "Extract", "ReportTypes", "Stavic",
                                "Report", "Repository", "Source", "Research", "Object", "Name", "Place", "Toolbars"})
        EXPECT_TRUE(
            SettingsKey::OpenForReading(SettingsHive::CurrentUser, std::string(VersionPath) + "\\" + section).IsOpen())
            << section;
}

TEST_F(SettingsTest, ReadsStoredValues)
{
    SettingsKey::Create(SettingsHive::LocalMachine, "SOFTWARE\\Halmyr\\Vestrada\\1.4.3")
        .SetString("AppDir", "C:\\Program Files\\Vestrada");
    Settings::WriteDword("General", "AppWidth", 1024);
    Settings::WriteString("General", "LastDatabase2", "C:\\Family\\Smith.vdb");
    Settings::WriteString("Language", nullptr, "C:\\Vestrada\\English.lan");
    Settings::WriteString("ReportTypes", "ListReports", "C:\\a.rpt;C:\\b.rpt");
    Settings::WriteDword("Toolbars", "Timeline", 1);
    LogFont font = {-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman"};
    Settings::WriteBinary("Report", "Heading1Font", &font, sizeof font);
    WindowPlacement placement = {10, 20, 300, 200};
    Settings::WriteBinary("Source", "ListWindowProperties", &placement, sizeof placement);
    std::uint16_t widths[3] = {100, 110, 30};
    Settings::WriteBinary("Source", "ListAllWidth", widths, sizeof widths);

    Settings::Load();
    const Settings& s = CurrentSettings;
    EXPECT_STREQ(s.AppDir, "C:\\Program Files\\Vestrada");
    EXPECT_EQ(s.general.AppWidth, 1024);
    EXPECT_STREQ(s.general.LastDatabase[1], "C:\\Family\\Smith.vdb");
    EXPECT_STREQ(s.language.LanguageFile, "C:\\Vestrada\\English.lan");
    EXPECT_STREQ(s.reportTypes.Lists[ReportCategoryList], "C:\\a.rpt;C:\\b.rpt");
    EXPECT_EQ(s.toolbars.Timeline, 1);
    EXPECT_EQ(std::memcmp(&s.report.Fonts[ReportFontHeading1], &font, sizeof font), 0);
    EXPECT_EQ(s.source.ListWindowProperties.top, 20);
    EXPECT_EQ(s.source.ListWindowProperties.width, 300);
    EXPECT_EQ(s.source.ListAllWidth[2], 30);
}

TEST_F(SettingsTest, WritersWriteOneValueOfTheirType)
{
    Settings::WriteDword("Edit", "NewNames", 3);
    Settings::WriteString("Stavic", "Font", "Consolas");
    const unsigned char bytes[] = {9, 8, 7};
    Settings::WriteBinary("Place", "ListWindowProperties", bytes, sizeof bytes);
    EXPECT_EQ(CurrentSettings.edit.NewNames, 0); // the block is the caller's to change
    EXPECT_EQ(ReadDword(Section("Edit"), "NewNames"), 3u);
    EXPECT_EQ(ReadString(Section("Stavic"), "Font"), "Consolas");
    unsigned char read[16] = {};
    std::size_t length = 0;
    ASSERT_TRUE(Section("Place").Query("ListWindowProperties", read, sizeof read, &length));
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(read[2], 7);
    Settings::WriteString("Stavic", "Font", nullptr);
    EXPECT_EQ(ReadString(Section("Stavic"), "Font"), "");
}

TEST_F(SettingsTest, AStringLongerThanItsFieldTakesTheDefault)
{
    Settings::WriteString("General", "CurrentDir", std::string(300, 'x').c_str());
    Settings::WriteString("Stavic", "Font", std::string(40, 'F').c_str());
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.CurrentDir, platform::CurrentDirectory());
    EXPECT_STREQ(CurrentSettings.stavic.Font, "Courier New");
}

TEST_F(SettingsTest, AStringThatFillsItsFieldIsTerminated)
{
    std::string full(32, 'F'); // no terminator among the stored bytes
    Settings::WriteBinary("Stavic", "Font", full.data(), full.size());
    std::string exact(31, 'E'); // 31 characters and the terminator fit exactly
    Settings::WriteString("DateFormat", "Format1", exact.c_str());
    Settings::Load();
    EXPECT_EQ(std::string(CurrentSettings.stavic.Font), std::string(31, 'F'));
    EXPECT_EQ(std::string(CurrentSettings.dateFormat.Formats[0]), exact);
}

TEST_F(SettingsTest, DatePicturesSkipEmptyOnesAndStopAtAGap)
{
    SettingsKey dates = Section("DateFormat");
    dates.SetString("Format1", "{yyy}");
    dates.SetString("Format2", "");
    dates.SetString("Format3", "{dd}.{mm}.{yyy}");
    dates.SetString("Format5", "{mm}/{yyy}");
    Settings::Load();
    const DateFormatSettings& d = CurrentSettings.dateFormat;
    ASSERT_EQ(d.FormatCount, 2);
    EXPECT_STREQ(d.Formats[0], "{yyy}");
    EXPECT_STREQ(d.Formats[1], "{dd}.{mm}.{yyy}");
    EXPECT_STREQ(d.Formats[2], "");
    EXPECT_EQ(ReadString(dates, "Format4"), "<missing>"); // the defaults were not written over the list
}

TEST_F(SettingsTest, DatePicturesHoldAtMostThirtyTwo)
{
    WritePictures(Section("DateFormat"), 1, 40);
    Settings::Load();
    ASSERT_EQ(CurrentSettings.dateFormat.FormatCount, DateFormatCapacity);
    EXPECT_STREQ(CurrentSettings.dateFormat.Formats[31], "{yyy} 32");
}

TEST_F(SettingsTest, AListWithNoPictureKeepsTheDefaultsInMemory)
{
    Section("DateFormat").SetString("Format1", "");
    Settings::Load();
    ASSERT_EQ(CurrentSettings.dateFormat.FormatCount, DefaultDateFormatCount);
    EXPECT_STREQ(CurrentSettings.dateFormat.Formats[10], "[dm?{dd}.{mm}.]{yyy}");
    EXPECT_STREQ(ScreenDatePicture(), "[dm?{dd}.{mm}.]{yyy}");
}

TEST_F(SettingsTest, IndexSettingsOutOfRangeTakeTheirDefault)
{
    Settings::WriteDword("DateFormat", "InputFormat", 7);
    Settings::WriteDword("DateFormat", "OutputFormat", 13);
    Settings::WriteDword("DateFormat", "PrintFormat", static_cast<std::uint32_t>(-1));
    Settings::WriteDword("DateFormat", "TimeFormat", 2);
    Settings::WriteDword("Report", "PrivacyLevel", 5);
    Settings::WriteDword("Stavic", "TabSpaces", 0);
    Settings::WriteDword("Edit", "NewNames", static_cast<std::uint32_t>(-3));
    Settings::WriteDword("Object", "ListSize", 0);
    Settings::Load();
    const Settings& s = CurrentSettings;
    EXPECT_EQ(s.dateFormat.InputFormat, 0);
    EXPECT_EQ(s.dateFormat.OutputFormat, 10);
    EXPECT_EQ(s.dateFormat.PrintFormat, 10);
    EXPECT_EQ(s.dateFormat.TimeFormat, 0);
    EXPECT_EQ(s.report.PrivacyLevel, 0);
    EXPECT_EQ(s.stavic.TabSpaces, 4);
    EXPECT_EQ(s.edit.NewNames, 1);
    EXPECT_EQ(s.object.ListSize, 200);
}

TEST_F(SettingsTest, IndexesInRangeAreKept)
{
    Settings::WriteDword("DateFormat", "InputFormat", 6);
    Settings::WriteDword("DateFormat", "OutputFormat", 12);
    Settings::WriteDword("DateFormat", "PrintFormat", 0);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.dateFormat.InputFormat, 6);
    EXPECT_STREQ(ScreenDatePicture(), "{yyy}[dm?{mm}{dd}]");
    EXPECT_STREQ(ReportDatePicture(), "[d?{dd}. ][dm?{MMM} ]{yyy}");
}

TEST_F(SettingsTest, APictureIndexPastAShortListFallsBackToTheFirst)
{
    WritePictures(Section("DateFormat"), 1, 2);
    Settings::Load(); // the default 10 is past the two pictures
    EXPECT_EQ(CurrentSettings.dateFormat.OutputFormat, 0);
    EXPECT_STREQ(ScreenDatePicture(), "{yyy} 1");
}

TEST_F(SettingsTest, SaveDateFormatsWritesThePicturesInUse)
{
    WritePictures(Section("DateFormat"), 1, 16);
    Settings::Load();
    DateFormatSettings& d = CurrentSettings.dateFormat;
    ASSERT_EQ(d.FormatCount, 16);
    std::strcpy(d.Formats[13], ""); // emptied in the preferences
    std::strcpy(d.Formats[14], "{dd} {MMMM} {yyy}");
    d.FormatCount = 15; // the last one dropped from the block only
    Settings::SaveDateFormats();
    SettingsKey dates = Section("DateFormat");
    EXPECT_EQ(ReadString(dates, "Format1"), "{yyy} 1");
    EXPECT_EQ(ReadString(dates, "Format14"), "");
    EXPECT_EQ(ReadString(dates, "Format15"), "{dd} {MMMM} {yyy}");
    EXPECT_EQ(ReadString(dates, "Format16"), "{yyy} 16"); // higher numbers are left as they are

    Settings::Load(); // the emptied picture takes no place at the next start
    ASSERT_EQ(d.FormatCount, 15);
    EXPECT_STREQ(d.Formats[13], "{dd} {MMMM} {yyy}");
}

TEST_F(SettingsTest, AnEmptiedPictureLeavesTheIndexesNamingTheirPictures)
{
    SettingsKey dates = Section("DateFormat");
    WritePictures(dates, 1, 16);
    dates.SetString("Format6", ""); // emptied in the preferences before the last shut-down
    struct Case {
        std::uint32_t stored;
        std::int32_t loaded;
        const char* picture;
    } cases[] = {
        {4, 4, "{yyy} 5"},   // before the emptied picture: unchanged
        {5, 10, "{yyy} 12"}, // the emptied picture itself: the default
        {6, 5, "{yyy} 7"},   // after it: one place down, the same picture
        {15, 14, "{yyy} 16"},
        {16, 10, "{yyy} 12"}, // past the stored list: the default
    };
    for (const Case& c : cases) {
        dates.SetString("Format6", "");
        WritePictures(dates, 7, 16);
        Settings::WriteDword("DateFormat", "OutputFormat", c.stored);
        Settings::WriteDword("DateFormat", "PrintFormat", 0);
        Settings::Load();
        ASSERT_EQ(CurrentSettings.dateFormat.FormatCount, 15) << c.stored;
        EXPECT_EQ(CurrentSettings.dateFormat.OutputFormat, c.loaded) << c.stored;
        EXPECT_STREQ(ScreenDatePicture(), c.picture) << c.stored;
        EXPECT_STREQ(ReportDatePicture(), "{yyy} 1") << c.stored;

        // The store now holds the list without the gap, so the next start reads the same.
        EXPECT_EQ(ReadString(dates, "Format6"), "{yyy} 7") << c.stored;
        EXPECT_EQ(ReadString(dates, "Format16"), "<missing>") << c.stored;
        EXPECT_EQ(ReadDword(dates, "OutputFormat"), static_cast<std::uint32_t>(c.loaded)) << c.stored;
        Settings::Load();
        EXPECT_EQ(CurrentSettings.dateFormat.FormatCount, 15) << c.stored;
        EXPECT_STREQ(ScreenDatePicture(), c.picture) << c.stored;
    }
}

TEST_F(SettingsTest, ReportSentenceTemplatesFollowTheLanguage)
{
    const test_support::ScopedLanguage language("STANDARD_INFO_FORMATTING=[P] [I]\r\n"
                                                "STANDARD_ALIAS_FORMATTING=[P] was also known as [N]\r\n"
                                                "STANDARD_PARENT_FORMATTING=" +
                                                std::string(70, 'p') +
                                                "\r\n"
                                                "ADVNAME_STD0=GIVN,SURN\r\nADVNAME_STD1=SURN,GIVN\r\n");
    Settings::WriteString("Report", "ChildFormatting", "[C] is a child of [P]");
    Settings::Load();
    EXPECT_STREQ(CurrentSettings.report.InfoFormatting, ""); // not read before a language is loaded
    Settings::LoadReportFormatting();
    const ReportSettings& r = CurrentSettings.report;
    EXPECT_STREQ(r.InfoFormatting, "[P] [I]");
    EXPECT_STREQ(r.AliasFormatting, "[P] was also known as [N]");
    EXPECT_EQ(std::string(r.ParentFormatting), std::string(63, 'p')); // cut to the field
    EXPECT_STREQ(r.ChildFormatting, "[C] is a child of [P]");         // a stored value wins
    EXPECT_EQ(CurrentSettings.edit.NewNames, 1);
}

TEST_F(SettingsTest, ANameStandardMissingFromTheLanguageTakesTheDefault)
{
    const test_support::ScopedLanguage language("ADVNAME_STD0=GIVN,SURN\r\nADVNAME_STD1=SURN,GIVN\r\n");
    Settings::WriteDword("Edit", "NewNames", 5);
    Settings::Load();
    Settings::LoadReportFormatting();
    EXPECT_EQ(CurrentSettings.edit.NewNames, 1);

    const test_support::ScopedLanguage single("ADVNAME_STD0=GIVN,SURN\r\n");
    Settings::LoadReportFormatting();
    EXPECT_EQ(CurrentSettings.edit.NewNames, 0);
}

class MigrationTest : public SettingsTest {
protected:
    static SettingsKey Older(const char* version)
    {
        return SettingsKey::Create(SettingsHive::CurrentUser, std::string("Software\\Halmyr\\Vestrada\\") + version);
    }
    static void MakeOlder(const char* version, std::uint32_t width)
    {
        SettingsKey key = Older(version);
        key.CreateSubkey("General").SetDword("AppWidth", width);
        key.CreateSubkey("Language").SetString(nullptr, "C:\\Old\\Deutsch.lan");
        key.CreateSubkey("DateFormat").SetString("Format1", "{yyy}");
    }
};

TEST_F(MigrationTest, CopiesTheNewestOlderVersionAndForgetsItsLanguage)
{
    MakeOlder("1.3.2", 700);
    MakeOlder("1.4.0", 800);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.AppWidth, 800);
    EXPECT_STREQ(CurrentSettings.language.LanguageFile, ""); // the language is chosen again
    EXPECT_EQ(CurrentSettings.dateFormat.FormatCount, 1);
    EXPECT_EQ(ReadDword(Section("General"), "AppWidth"), 800u);
    // The older keys stay as they were.
    EXPECT_EQ(ReadString(Older("1.4.0").OpenSubkey("Language"), nullptr), "C:\\Old\\Deutsch.lan");
}

TEST_F(MigrationTest, FindsTheKeyWrittenWithCommas)
{
    MakeOlder("1.3.0", 700);
    MakeOlder("1,4,1", 900);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.AppWidth, 900);
}

TEST_F(MigrationTest, IgnoresAKeyNotInTheTable)
{
    MakeOlder("1.4.1", 900); // dots where the table has commas
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.AppWidth, 600);
}

TEST_F(MigrationTest, RunsOnlyWhileThisVersionHasNoLanguageKey)
{
    Settings::WriteString("Language", nullptr, "C:\\Vestrada\\English.lan");
    MakeOlder("1.4.2", 900);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.AppWidth, 600);
    EXPECT_STREQ(CurrentSettings.language.LanguageFile, "C:\\Vestrada\\English.lan");
}

TEST_F(MigrationTest, AFirstStartCreatesTheLanguageKeySoTheNextStartDoesNotMigrate)
{
    Settings::Load();
    MakeOlder("1.4.2", 900);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.general.AppWidth, 600);
}

} // namespace
