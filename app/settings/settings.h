// The settings block: every user setting of the program, read once at start-up from the settings
// store (the registry key Software\Halmyr\Vestrada\1.4.3 of the current user, one subkey per section)
// into CurrentSettings, which the program reads in place. Code that changes a setting stores the
// block's field first and then writes that one value with Settings::WriteString, WriteDword or
// WriteBinary; nothing is written back in bulk. Store failures are never reported: a value that
// cannot be read takes its default, a write that fails is ignored.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {
class SettingsKey;
}

inline constexpr std::size_t SettingsPathSize = 260;
inline constexpr int RecentDatabaseCount = 4;
inline constexpr int DateFormatCapacity = 32;      // pictures in the date-format list
inline constexpr std::size_t DatePictureSize = 32; // characters of a picture, terminator included
inline constexpr int DefaultDateFormatCount = 13;
inline constexpr int InputFormatCount = 7; // the typed-date orders InputFormat chooses from
inline constexpr int ReportCategoryCount = 6;
inline constexpr std::size_t ReportTypeListSize = 2048;
inline constexpr std::size_t EditorFontSize = 32;
inline constexpr int ReportFontCount = 7;
inline constexpr std::size_t SentenceTemplateSize = 64;
inline constexpr int PlaceTypeCount = 18;
inline constexpr int ListColumnCapacity = 3;

// A Windows LOGFONTA, as the report fonts are stored (REG_BINARY, 60 bytes).
struct LogFont {
    std::int32_t height;
    std::int32_t width;
    std::int32_t escapement;
    std::int32_t orientation;
    std::int32_t weight;
    std::uint8_t italic;
    std::uint8_t underline;
    std::uint8_t strikeOut;
    std::uint8_t charSet;
    std::uint8_t outPrecision;
    std::uint8_t clipPrecision;
    std::uint8_t quality;
    std::uint8_t pitchAndFamily;
    char faceName[32];
};
static_assert(sizeof(LogFont) == 60, "LogFont is stored as 60 bytes");

// A window's place as the list windows keep it (REG_BINARY, 16 bytes).
struct WindowPlacement {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};
static_assert(sizeof(WindowPlacement) == 16, "WindowPlacement is stored as 16 bytes");

struct GeneralSettings {
    char DatabaseDir[SettingsPathSize];
    char CurrentDir[SettingsPathSize];
    char LastDatabase[RecentDatabaseCount][SettingsPathSize]; // LastDatabase1..4, most recent first
    std::int32_t AppMaximized;
    std::int32_t AppPosX;
    std::int32_t AppPosY;
    std::int32_t AppWidth;
    std::int32_t AppHeight;
    std::int32_t BakChkOpen;
    std::int32_t BakChkClose;
    std::int32_t FilenameTitle;
};

struct LanguageSettings {
    char LanguageFile[SettingsPathSize]; // the section's default value
};

struct EditSettings {
    std::int32_t PersonWindowX, PersonWindowY;
    std::int32_t SourceWindowX, SourceWindowY;
    std::int32_t RepositoryWindowX, RepositoryWindowY;
    std::int32_t PedigreeWindowX, PedigreeWindowY;
    std::int32_t ResearchWindowX, ResearchWindowY;
    std::int32_t GivenNamesWindowX, GivenNamesWindowY;
    std::int32_t TimelineWindowX, TimelineWindowY;
    std::int32_t DeletePersonWarning;
    std::int32_t DeleteAssertionWarning;
    std::int32_t DeleteSourceWarning;
    std::int32_t DeleteRepositoryWarning;
    std::int32_t DeleteObjectiveWarning;
    std::int32_t DeleteTaskWarning;
    std::int32_t ReopenDatabase;
    char LastDatabase[SettingsPathSize];
    std::int32_t NewNames; // index of the name standard ADVNAME_STD<n> for new structured names
};

struct DateFormatSettings {
    std::int32_t InputFormat;                          // 0 .. InputFormatCount - 1
    std::int32_t OutputFormat;                         // index into Formats of the picture for the screen
    std::int32_t PrintFormat;                          // index into Formats of the picture for reports
    char Formats[DateFormatCapacity][DatePictureSize]; // Format1, Format2, ... in this order
    std::int32_t FormatCount; // pictures in use; an emptied picture keeps its place until restart
    std::int32_t ShowCalendar;
    std::int32_t ShowTime;
    std::int32_t TimeFormat; // 0 "hh:mm", 1 "hh.mm"
};

struct ExtractSettings {
    std::int32_t AncestorGenerations;
    std::int32_t DescendantGenerations;
};

// The six categories of the Report menu, in the order of their lists.
enum ReportCategory {
    ReportCategoryAncestors,
    ReportCategoryDescendants,
    ReportCategoryFamily,
    ReportCategoryList,
    ReportCategoryStatistic,
    ReportCategoryOther,
};

struct ReportTypeSettings {
    char Lists[ReportCategoryCount][ReportTypeListSize]; // full paths separated by ';', by ReportCategory
};

struct StavicSettings {
    std::int32_t Watch;
    std::int32_t WatchHeight;
    char Font[EditorFontSize];
    std::uint32_t SyntaxColorNormal; // COLORREF: red in the low byte, then green, then blue
    std::uint32_t SyntaxColorComments;
    std::uint32_t SyntaxColorStrings;
    std::uint32_t SyntaxColorKeywords;
    std::uint32_t SyntaxColorOperators;
    std::uint32_t SyntaxColorConstants;
    std::int32_t TabSpaces;
    std::int32_t ShowLineNumbers;
};

enum ReportFont {
    ReportFontNormal,
    ReportFontPicture,
    ReportFontTitle,
    ReportFontHeading1,
    ReportFontHeading2,
    ReportFontHeading3,
    ReportFontHeading4,
};

struct ReportSettings {
    LogFont Fonts[ReportFontCount];          // by ReportFont
    std::int32_t FontSizes[ReportFontCount]; // points
    std::uint32_t FontColors[ReportFontCount];
    std::int32_t LeftMargin, TopMargin, RightMargin, BottomMargin;
    char InfoFormatting[SentenceTemplateSize];
    char AliasFormatting[SentenceTemplateSize];
    char ParentFormatting[SentenceTemplateSize];
    char ChildFormatting[SentenceTemplateSize];
    std::int32_t PageNumbering;
    std::int32_t PageNumberAlignment;
    std::int32_t IncludeTitle;
    std::int32_t Titlepage;
    std::int32_t PersonIndex;
    std::int32_t SourceIndex;
    std::int32_t MulticolumnIndex;
    std::int32_t PrivacyLevel; // 0 public .. 4 information only
    std::int32_t IncludePersons;
    std::int32_t IncludeEvents;
    std::int32_t IncludeAttributes;
    std::int32_t IncludeAlias;
    std::int32_t IncludeRelationships;
    std::int32_t IncludeInfos;
    std::int32_t IncludeObjects;
    std::int32_t IncludePlaces;
    std::int32_t IncludeAddresses;
    std::int32_t IncludeNotes;
    std::int32_t IncludeRepositories;
    std::int32_t IncludeSources;
    std::int32_t IncludeResearch;
};

// The settings of one list window (sections Repository, Source, Research, Object and Name).
struct ListWindowSettings {
    std::int32_t ListSize; // capacity of the list of opened records
    std::int32_t IncludeNew;
    std::int32_t IncludeOpened;
    std::int32_t IncludeSelected;
    WindowPlacement ListWindowProperties;
    std::uint16_t ListAllWidth[ListColumnCapacity];       // column widths of the list of all records
    std::uint16_t ListSelectionWidth[ListColumnCapacity]; // column widths of the selection list
};

struct PlaceSettings {
    WindowPlacement ListWindowProperties;
    std::int32_t PartShown[PlaceTypeCount + 1]; // by place-part type 1 .. 18; [0] is unused
};

struct ToolbarSettings {
    std::int32_t Standard;
    std::int32_t Person;
    std::int32_t Report;
    std::int32_t ReportType;
    std::int32_t Timeline;
};

struct Settings {
    char AppDir[SettingsPathSize]; // the program folder
    GeneralSettings general;
    LanguageSettings language;
    EditSettings edit;
    DateFormatSettings dateFormat;
    ExtractSettings extract;
    ReportTypeSettings reportTypes;
    StavicSettings stavic;
    ReportSettings report;
    ListWindowSettings repository;
    ListWindowSettings source;
    ListWindowSettings research;
    ListWindowSettings object;
    ListWindowSettings name;
    PlaceSettings place;
    ToolbarSettings toolbars;

    // Reads every setting into CurrentSettings, each value that cannot be read taking its default,
    // then puts every index setting that is out of range back to its default. When this version's
    // key has never been used, the settings of the newest older version are copied first. Emptied date
    // pictures take no place in the list: the screen and print indexes follow their pictures (one whose
    // picture was emptied takes the default), and the store is rewritten without the empty pictures.
    // Returns 1.
    static int Load();
    // Reads the four sentence templates of the Report section, whose defaults are language texts of
    // CurrentLanguageTable, and checks NewNames against the language's name standards. Called after
    // every language file is loaded. Returns 1.
    static int LoadReportFormatting();
    // Write one value under Software\Halmyr\Vestrada\1.4.3\<section> of the current user. A null
    // value name writes the key's default value. The block is not touched; failures are ignored.
    static void WriteString(const char* section, const char* valueName, const char* text);
    static void WriteDword(const char* section, const char* valueName, std::uint32_t value);
    static void WriteBinary(const char* section, const char* valueName, const void* data, std::size_t size);
    // Writes the pictures in use of the date-format list as DateFormat\Format1 .. Format<count>.
    static void SaveDateFormats();
    // Copies the key of the newest older version found under `productKey` into `versionKey` and deletes
    // the language file path of the copy, so that the user chooses the language again.
    static void MigrateFromOlderVersion(const platform::SettingsKey& productKey,
                                        const platform::SettingsKey& versionKey);
};

// The one settings block of the program; zero until Settings::Load runs.
extern Settings CurrentSettings;

// The date picture for the screen and for reports, taken from the date-format list.
const char* ScreenDatePicture();
const char* ReportDatePicture();
