#include "settings/settings_descriptors.h"

#include "language/language_table.h"
#include "settings/settings.h"

#include <cstddef>

// The block position and size of a field of Settings.
#define SETTINGS_FIELD(member) offsetof(Settings, member), sizeof(static_cast<Settings*>(nullptr)->member)
// The same for element `index` of an array field.
#define SETTINGS_ELEMENT(array, index)                                                                                 \
    offsetof(Settings, array) + (index) * sizeof(static_cast<Settings*>(nullptr)->array[0]),                           \
        sizeof(static_cast<Settings*>(nullptr)->array[0])

const char* const DefaultDatePictures[13] = {
    "[d?{dd}. ][dm?{MMM} ]{yyy}",  "[d?{dd}. ][dm?{mmm} ]{yyy}", "[d?{dd}. ][dm?{MMMM} ]{yyy}",
    "[d?{dd}. ][dm?{mmmm} ]{yyy}", "[d?{dd} ][dm?{mmmm} ]{yyy}", "[dm?{mmmm} {dd} ]{yyy}",
    "[dm?{dd}/{mm} ]{yyy}",        "[dm?{dd}/{mm}/]{yyy}",       "[dm?{mm}/{dd}/]{yyy}",
    "[dm?{dd}-{mm}-]{yyy}",        "[dm?{dd}.{mm}.]{yyy}",       "{yyy}[dm?-{mm}-{dd}]",
    "{yyy}[dm?{mm}{dd}]",
};
static_assert(sizeof DefaultDatePictures / sizeof *DefaultDatePictures == DefaultDateFormatCount);

namespace {

constexpr std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return red | (green << 8) | (static_cast<std::uint32_t>(blue) << 16);
}

constexpr LogFont ArialFont(std::int32_t weight, std::uint8_t italic)
{
    return LogFont{48, 0, 0, 0, weight, italic, 0, 0, 0, 0, 0, 2, 0x12, "Arial"};
}

constexpr LogFont RegularFont = ArialFont(400, 0);
constexpr LogFont BoldFont = ArialFont(700, 0);
constexpr LogFont BoldItalicFont = ArialFont(700, 1);
constexpr WindowPlacement DefaultListWindow = {50, 50, 460, 350};

SettingDescriptor Dword(const char* section, const char* name, std::size_t offset, std::size_t size, std::int64_t value)
{
    return {section, name, SettingKind::Dword, offset, size, value};
}

SettingDescriptor String(const char* section, const char* name, std::size_t offset, std::size_t size,
                         const char* text = "")
{
    return {section, name, SettingKind::String, offset, size, 0, text};
}

SettingDescriptor Folder(const char* section, const char* name, std::size_t offset, std::size_t size)
{
    return {section, name, SettingKind::Folder, offset, size};
}

SettingDescriptor Binary(const char* section, const char* name, std::size_t offset, std::size_t size, const void* bytes)
{
    return {section, name, SettingKind::Binary, offset, size, 0, bytes};
}

SettingDescriptor Template(const char* name, std::size_t offset, std::size_t size, const char* languageKey)
{
    return {"Report", name, SettingKind::LanguageText, offset, size, 0, nullptr, languageKey};
}

void AddGeneral(std::vector<SettingDescriptor>& table)
{
    const char* s = "General";
    table.push_back(Folder(s, "DatabaseDir", SETTINGS_FIELD(general.DatabaseDir)));
    table.push_back(Folder(s, "CurrentDir", SETTINGS_FIELD(general.CurrentDir)));
    table.push_back(String(s, "LastDatabase1", SETTINGS_FIELD(general.LastDatabase[0])));
    table.push_back(String(s, "LastDatabase2", SETTINGS_FIELD(general.LastDatabase[1])));
    table.push_back(String(s, "LastDatabase3", SETTINGS_FIELD(general.LastDatabase[2])));
    table.push_back(String(s, "LastDatabase4", SETTINGS_FIELD(general.LastDatabase[3])));
    table.push_back(Dword(s, "AppMaximized", SETTINGS_FIELD(general.AppMaximized), 0));
    table.push_back(Dword(s, "AppPosX", SETTINGS_FIELD(general.AppPosX), 0));
    table.push_back(Dword(s, "AppPosY", SETTINGS_FIELD(general.AppPosY), 0));
    table.push_back(Dword(s, "AppWidth", SETTINGS_FIELD(general.AppWidth), 600));
    table.push_back(Dword(s, "AppHeight", SETTINGS_FIELD(general.AppHeight), 400));
    table.push_back(Dword(s, "BakChkOpen", SETTINGS_FIELD(general.BakChkOpen), 1));
    table.push_back(Dword(s, "BakChkClose", SETTINGS_FIELD(general.BakChkClose), 0));
    table.push_back(Dword(s, "FilenameTitle", SETTINGS_FIELD(general.FilenameTitle), 0));
    table.push_back(String("Language", nullptr, SETTINGS_FIELD(language.LanguageFile)));
}

void AddEdit(std::vector<SettingDescriptor>& table)
{
    const char* s = "Edit";
    table.push_back(Dword(s, "PersonWindowX", SETTINGS_FIELD(edit.PersonWindowX), 630));
    table.push_back(Dword(s, "PersonWindowY", SETTINGS_FIELD(edit.PersonWindowY), 300));
    table.push_back(Dword(s, "SourceWindowX", SETTINGS_FIELD(edit.SourceWindowX), 630));
    table.push_back(Dword(s, "SourceWindowY", SETTINGS_FIELD(edit.SourceWindowY), 330));
    table.push_back(Dword(s, "RepositoryWindowX", SETTINGS_FIELD(edit.RepositoryWindowX), 500));
    table.push_back(Dword(s, "RepositoryWindowY", SETTINGS_FIELD(edit.RepositoryWindowY), 440));
    table.push_back(Dword(s, "PedigreeWindowX", SETTINGS_FIELD(edit.PedigreeWindowX), 630));
    table.push_back(Dword(s, "PedigreeWindowY", SETTINGS_FIELD(edit.PedigreeWindowY), 300));
    table.push_back(Dword(s, "ResearchWindowX", SETTINGS_FIELD(edit.ResearchWindowX), 500));
    table.push_back(Dword(s, "ResearchWindowY", SETTINGS_FIELD(edit.ResearchWindowY), 400));
    table.push_back(Dword(s, "GivenNamesWindowX", SETTINGS_FIELD(edit.GivenNamesWindowX), 400));
    table.push_back(Dword(s, "GivenNamesWindowY", SETTINGS_FIELD(edit.GivenNamesWindowY), 350));
    table.push_back(Dword(s, "TimelineWindowX", SETTINGS_FIELD(edit.TimelineWindowX), 580));
    table.push_back(Dword(s, "TimelineWindowY", SETTINGS_FIELD(edit.TimelineWindowY), 400));
    table.push_back(Dword(s, "DeletePersonWarning", SETTINGS_FIELD(edit.DeletePersonWarning), 1));
    table.push_back(Dword(s, "DeleteAssertionWarning", SETTINGS_FIELD(edit.DeleteAssertionWarning), 1));
    table.push_back(Dword(s, "DeleteSourceWarning", SETTINGS_FIELD(edit.DeleteSourceWarning), 1));
    table.push_back(Dword(s, "DeleteRepositoryWarning", SETTINGS_FIELD(edit.DeleteRepositoryWarning), 1));
    table.push_back(Dword(s, "DeleteObjectiveWarning", SETTINGS_FIELD(edit.DeleteObjectiveWarning), 1));
    table.push_back(Dword(s, "DeleteTaskWarning", SETTINGS_FIELD(edit.DeleteTaskWarning), 1));
    table.push_back(Dword(s, "ReopenDatabase", SETTINGS_FIELD(edit.ReopenDatabase), 1));
    table.push_back(String(s, "LastDatabase", SETTINGS_FIELD(edit.LastDatabase)));
    table.push_back(Dword(s, "NewNames", SETTINGS_FIELD(edit.NewNames), 1));
}

void AddDateFormat(std::vector<SettingDescriptor>& table)
{
    const char* s = "DateFormat";
    table.push_back(Dword(s, "InputFormat", SETTINGS_FIELD(dateFormat.InputFormat), 0));
    table.push_back(Dword(s, "OutputFormat", SETTINGS_FIELD(dateFormat.OutputFormat), 10));
    table.push_back(Dword(s, "PrintFormat", SETTINGS_FIELD(dateFormat.PrintFormat), 10));
    table.push_back(Dword(s, "ShowCalendar", SETTINGS_FIELD(dateFormat.ShowCalendar), 0));
    table.push_back(Dword(s, "ShowTime", SETTINGS_FIELD(dateFormat.ShowTime), 1));
    table.push_back(Dword(s, "TimeFormat", SETTINGS_FIELD(dateFormat.TimeFormat), 0));
}

void AddExtractAndReportTypes(std::vector<SettingDescriptor>& table)
{
    table.push_back(Dword("Extract", "AncestorGenerations", SETTINGS_FIELD(extract.AncestorGenerations), 99));
    table.push_back(Dword("Extract", "DescendantGenerations", SETTINGS_FIELD(extract.DescendantGenerations), 99));
    const char* s = "ReportTypes";
    table.push_back(String(s, "AncestorReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryAncestors])));
    table.push_back(String(s, "DescendantReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryDescendants])));
    table.push_back(String(s, "FamilyReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryFamily])));
    table.push_back(String(s, "ListReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryList])));
    table.push_back(String(s, "StatisticReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryStatistic])));
    table.push_back(String(s, "OtherReports", SETTINGS_FIELD(reportTypes.Lists[ReportCategoryOther])));
}

void AddStavic(std::vector<SettingDescriptor>& table)
{
    const char* s = "Stavic";
    table.push_back(Dword(s, "Watch", SETTINGS_FIELD(stavic.Watch), 0));
    table.push_back(Dword(s, "WatchHeight", SETTINGS_FIELD(stavic.WatchHeight), 100));
    table.push_back(String(s, "Font", SETTINGS_FIELD(stavic.Font), "Courier New"));
    table.push_back(Dword(s, "SyntaxColorNormal", SETTINGS_FIELD(stavic.SyntaxColorNormal), Rgb(0, 0, 0)));
    table.push_back(Dword(s, "SyntaxColorComments", SETTINGS_FIELD(stavic.SyntaxColorComments), Rgb(0, 200, 0)));
    table.push_back(Dword(s, "SyntaxColorStrings", SETTINGS_FIELD(stavic.SyntaxColorStrings), Rgb(128, 128, 128)));
    table.push_back(Dword(s, "SyntaxColorKeywords", SETTINGS_FIELD(stavic.SyntaxColorKeywords), Rgb(0, 0, 255)));
    table.push_back(Dword(s, "SyntaxColorOperators", SETTINGS_FIELD(stavic.SyntaxColorOperators), Rgb(0, 0, 192)));
    table.push_back(Dword(s, "SyntaxColorConstants", SETTINGS_FIELD(stavic.SyntaxColorConstants), Rgb(0, 0, 192)));
    table.push_back(Dword(s, "TabSpaces", SETTINGS_FIELD(stavic.TabSpaces), 4));
    table.push_back(Dword(s, "ShowLineNumbers", SETTINGS_FIELD(stavic.ShowLineNumbers), 0));
}

// The seven report fonts, each stored as a font, a size in points and a colour.
struct ReportFontDefaults {
    const char* fontName;
    const char* sizeName;
    const char* colorName;
    const LogFont* face;
    std::int32_t points;
};

const ReportFontDefaults ReportFonts[ReportFontCount] = {
    {"NormalFont", "NormalFontSize", "NormalFontColor", &RegularFont, 12},
    {"PictureFont", "PictureFontSize", "PictureFontColor", &RegularFont, 10},
    {"TitleFont", "TitleFontSize", "TitleFontColor", &BoldFont, 24},
    {"Heading1Font", "Heading1FontSize", "Heading1FontColor", &BoldFont, 24},
    {"Heading2Font", "Heading2FontSize", "Heading2FontColor", &BoldFont, 18},
    {"Heading3Font", "Heading3FontSize", "Heading3FontColor", &BoldItalicFont, 16},
    {"Heading4Font", "Heading4FontSize", "Heading4FontColor", &BoldFont, 14},
};

void AddReport(std::vector<SettingDescriptor>& table)
{
    for (int font = 0; font < ReportFontCount; ++font) {
        const ReportFontDefaults& f = ReportFonts[font];
        table.push_back(Binary("Report", f.fontName, SETTINGS_ELEMENT(report.Fonts, font), f.face));
        table.push_back(Dword("Report", f.sizeName, SETTINGS_ELEMENT(report.FontSizes, font), f.points));
        table.push_back(Dword("Report", f.colorName, SETTINGS_ELEMENT(report.FontColors, font), 0));
    }
    const char* s = "Report";
    table.push_back(Dword(s, "TopMargin", SETTINGS_FIELD(report.TopMargin), 200));
    table.push_back(Dword(s, "BottomMargin", SETTINGS_FIELD(report.BottomMargin), 200));
    table.push_back(Dword(s, "LeftMargin", SETTINGS_FIELD(report.LeftMargin), 200));
    table.push_back(Dword(s, "RightMargin", SETTINGS_FIELD(report.RightMargin), 200));
    table.push_back(Dword(s, "PageNumbering", SETTINGS_FIELD(report.PageNumbering), 0));
    table.push_back(Dword(s, "PageNumberAlignment", SETTINGS_FIELD(report.PageNumberAlignment), 0));
    table.push_back(Dword(s, "IncludeTitle", SETTINGS_FIELD(report.IncludeTitle), 0));
    table.push_back(Dword(s, "Titlepage", SETTINGS_FIELD(report.Titlepage), 0));
    table.push_back(Dword(s, "PersonIndex", SETTINGS_FIELD(report.PersonIndex), 0));
    table.push_back(Dword(s, "SourceIndex", SETTINGS_FIELD(report.SourceIndex), 0));
    table.push_back(Dword(s, "MulticolumnIndex", SETTINGS_FIELD(report.MulticolumnIndex), 0));
    table.push_back(Dword(s, "PrivacyLevel", SETTINGS_FIELD(report.PrivacyLevel), 0));
    table.push_back(Dword(s, "IncludePersons", SETTINGS_FIELD(report.IncludePersons), 1));
    table.push_back(Dword(s, "IncludeEvents", SETTINGS_FIELD(report.IncludeEvents), 1));
    table.push_back(Dword(s, "IncludeAttributes", SETTINGS_FIELD(report.IncludeAttributes), 1));
    table.push_back(Dword(s, "IncludeAlias", SETTINGS_FIELD(report.IncludeAlias), 1));
    table.push_back(Dword(s, "IncludeRelationships", SETTINGS_FIELD(report.IncludeRelationships), 1));
    table.push_back(Dword(s, "IncludeInfos", SETTINGS_FIELD(report.IncludeInfos), 1));
    table.push_back(Dword(s, "IncludeObjects", SETTINGS_FIELD(report.IncludeObjects), 1));
    table.push_back(Dword(s, "IncludePlaces", SETTINGS_FIELD(report.IncludePlaces), 1));
    table.push_back(Dword(s, "IncludeAddresses", SETTINGS_FIELD(report.IncludeAddresses), 1));
    table.push_back(Dword(s, "IncludeNotes", SETTINGS_FIELD(report.IncludeNotes), 1));
    table.push_back(Dword(s, "IncludeRepositories", SETTINGS_FIELD(report.IncludeRepositories), 1));
    table.push_back(Dword(s, "IncludeSources", SETTINGS_FIELD(report.IncludeSources), 1));
    table.push_back(Dword(s, "IncludeResearch", SETTINGS_FIELD(report.IncludeResearch), 1));
}

// The five list windows share their values; only the column defaults differ.
struct ListWindowDefaults {
    const char* section;
    std::size_t offset;
    int columns;
    std::uint16_t allWidths[ListColumnCapacity];
    std::uint16_t selectionWidths[ListColumnCapacity];
};

const ListWindowDefaults ListWindows[] = {
    {"Repository", offsetof(Settings, repository), 1, {390}, {290}},
    {"Source", offsetof(Settings, source), 3, {195, 175, 20}, {140, 130, 20}},
    {"Research", offsetof(Settings, research), 2, {50, 340}, {50, 260}},
    {"Object", offsetof(Settings, object), 2, {370, 0}, {290, 0}},
    {"Name", offsetof(Settings, name), 2, {340, 50}, {50, 260}},
};

void AddListWindows(std::vector<SettingDescriptor>& table)
{
    for (const ListWindowDefaults& w : ListWindows) {
        auto field = [&](std::size_t member) { return w.offset + member; };
        constexpr std::size_t dword = sizeof(std::int32_t);
        table.push_back(Dword(w.section, "IncludeNew", field(offsetof(ListWindowSettings, IncludeNew)), dword, 1));
        table.push_back(
            Dword(w.section, "IncludeOpened", field(offsetof(ListWindowSettings, IncludeOpened)), dword, 1));
        table.push_back(
            Dword(w.section, "IncludeSelected", field(offsetof(ListWindowSettings, IncludeSelected)), dword, 1));
        table.push_back(Dword(w.section, "ListSize", field(offsetof(ListWindowSettings, ListSize)), dword, 200));
        table.push_back(Binary(w.section, "ListWindowProperties",
                               field(offsetof(ListWindowSettings, ListWindowProperties)), sizeof(WindowPlacement),
                               &DefaultListWindow));
        std::size_t widths = w.columns * sizeof(std::uint16_t);
        table.push_back(
            Binary(w.section, "ListAllWidth", field(offsetof(ListWindowSettings, ListAllWidth)), widths, w.allWidths));
        table.push_back(Binary(w.section, "ListSelectionWidth", field(offsetof(ListWindowSettings, ListSelectionWidth)),
                               widths, w.selectionWidths));
    }
}

void AddPlaceAndToolbars(std::vector<SettingDescriptor>& table)
{
    table.push_back(
        Binary("Place", "ListWindowProperties", SETTINGS_FIELD(place.ListWindowProperties), &DefaultListWindow));
    static const char* const partNames[PlaceTypeCount + 1] = {
        nullptr, "Unknown",      "Other",    "Continent", "Country", "State",   "County",
        "Town",  "Municipality", "Citypart", "Building",  "Diocese", "Deanery", "Parish",
        "Farm",  "Ocean",        "Lake",     "Mountain",  "Cemetery"};
    for (int type = 1; type <= PlaceTypeCount; ++type)
        table.push_back(Dword("Place", partNames[type], SETTINGS_ELEMENT(place.PartShown, type), type == 3 ? 0 : 1));
    const char* s = "Toolbars";
    table.push_back(Dword(s, "Standard", SETTINGS_FIELD(toolbars.Standard), 1));
    table.push_back(Dword(s, "Person", SETTINGS_FIELD(toolbars.Person), 1));
    table.push_back(Dword(s, "Report", SETTINGS_FIELD(toolbars.Report), 0));
    table.push_back(Dword(s, "ReportType", SETTINGS_FIELD(toolbars.ReportType), 0));
    table.push_back(Dword(s, "Timeline", SETTINGS_FIELD(toolbars.Timeline), 0));
}

} // namespace

const std::vector<SettingDescriptor>& StoredSettings()
{
    static const std::vector<SettingDescriptor> table = [] {
        std::vector<SettingDescriptor> t;
        AddGeneral(t);
        AddEdit(t);
        AddDateFormat(t);
        AddExtractAndReportTypes(t);
        AddStavic(t);
        AddReport(t);
        AddListWindows(t);
        AddPlaceAndToolbars(t);
        return t;
    }();
    return table;
}

const std::vector<SettingDescriptor>& ReportFormattingSettings()
{
    static const std::vector<SettingDescriptor> table = {
        Template("InfoFormatting", SETTINGS_FIELD(report.InfoFormatting), LanguageKey("STANDARD_INFO_FORMATTING")),
        Template("AliasFormatting", SETTINGS_FIELD(report.AliasFormatting), LanguageKey("STANDARD_ALIAS_FORMATTING")),
        Template("ParentFormatting", SETTINGS_FIELD(report.ParentFormatting),
                 LanguageKey("STANDARD_PARENT_FORMATTING")),
        Template("ChildFormatting", SETTINGS_FIELD(report.ChildFormatting), LanguageKey("STANDARD_CHILD_FORMATTING")),
    };
    return table;
}
