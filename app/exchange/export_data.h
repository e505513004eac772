// The block the export wizard fills and the writers read: the output path, the format, the CSV choices,
// the kinds of records to include and the GEDCOM options. The wizard's decisions that need no window
// (which page follows which, the extension of a format, the filter list of the file dialog, the finish
// text) are here too, so that the dialog only shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t ExportPathSize = 260;
inline constexpr int CsvColumnCapacity = 15;
inline constexpr std::size_t CsvColumnNameSize = 32;

enum ExportFormat : std::uint32_t {
    ExportFormatWexmor20 = 1,
    ExportFormatGedml = 2,
    ExportFormatGedcom6Xml = 3,
    ExportFormatGedcom551 = 4,
    ExportFormatGedcom55 = 5,
    ExportFormatGedcom4 = 6,
    ExportFormatCsv = 7,
    ExportFormatHtml = 8,
};
inline constexpr std::uint32_t ExportFormatCount = 8;

enum GedcomCharacterSet : std::uint8_t {
    GedcomCharsetAnsi = 0,
    GedcomCharsetAnsel = 1,
};

enum GedcomAttachments : std::uint32_t {
    GedcomAttachmentsInternal = 0, // media data inside the GEDCOM file
    GedcomAttachmentsExternal = 1, // media data in files beside it
};

struct ExportWizardData {
    char outputPath[ExportPathSize] = {}; // for HTML pages: the index page
    std::uint32_t format = ExportFormatWexmor20;
    std::uint32_t finished = 0;      // 1 when the user pressed Finish
    std::uint32_t csvRecordKind = 1; // 1 persons, 2 sources, 3 repositories, 4 research objectives, 5 excerpts
    std::uint32_t csvHeaderRow = 1;
    char csvDelimiter = ',';
    char csvColumnNames[CsvColumnCapacity][CsvColumnNameSize] = {};
    std::uint32_t csvAvailableColumns[CsvColumnCapacity] = {};
    std::uint32_t csvSelectedColumns[CsvColumnCapacity] = {};
    std::int32_t csvAvailableCount = 0;
    std::int32_t csvSelectedCount = 0;
    std::uint32_t csvExcerptSourceFilter = 0; // source id; 0 exports the excerpts of every source
    std::uint8_t gedcomCharacterSet = GedcomCharsetAnsi;
    std::uint32_t gedcomAttachments = GedcomAttachmentsExternal;
    std::uint32_t includeResearch = 0;
    std::uint32_t includeSources = 0;
    std::uint32_t includeRepositories = 0;
    std::uint32_t includeObjects = 0;
};

// The four include flags as the data page offers them.
enum ExportInclude : int {
    ExportIncludeResearch = 0,
    ExportIncludeSources = 1,
    ExportIncludeRepositories = 2,
    ExportIncludeObjects = 3,
};
inline constexpr int ExportIncludeCount = 4;

// The language key of a format's entry in the format list; "" outside 1 to 8.
const char* ExportFormatKey(std::uint32_t format);
// The extension with its dot (".ged", ".wmx", ".xml", ".csv", ".htm"); "" outside 1 to 8.
const char* ExportFormatExtension(std::uint32_t format);
// The default extension of the save-file dialog (without dot) and the language key of its filter.
const char* ExportFormatDefaultExtension(std::uint32_t format);
const char* ExportFormatFilterKey(std::uint32_t format);
bool IsGedcomFormat(std::uint32_t format);
// Whether this build has the writer of the format (the GEDCOM formats so far); the others are listed but
// cannot be chosen.
bool ExportFormatAvailable(std::uint32_t format);

// Whether the data page offers the include flag for the format: GEDCOM 4 none; GEDCOM 6 XML neither
// research nor objects; GEDCOM 5.5 and GEDML no research; the others all.
bool ExportIncludeOffered(std::uint32_t format, int include);
// Clears the include flags that the format does not offer (a flag ticked for another format before the
// user went back must not reach a writer that cannot honour it).
void ClearUnofferedIncludes(ExportWizardData& block);

// Replaces the extension of the file name in `path` (the text from the name's last "." on, never a dot
// of a folder's name) by the format's, or appends it when the name has none; the result is cut to
// ExportPathSize - 1 characters. An empty path stays empty.
std::string PathWithFormatExtension(std::string_view path, std::uint32_t format);

// The description and pattern pairs of a filter text whose last character is the separator
// ("GEDCOM files (*.ged)|*.ged|"), as the file dialog wants them: every separator a NUL, the list ended by
// a further NUL. Empty when the text is empty.
std::string FileDialogFilter(std::string_view text);

// The part of a path after its last "\" or "/".
std::string_view ExportFileNameOf(std::string_view path);

// The finish page's text: `format` with its first "%s" replaced by the output's file name; any other "%"
// stands for itself except "%%", which gives one. At most 255 characters.
std::string FormatFinishText(std::string_view format, std::string_view outputPath);

// The CSV column choice: the available and selected arrays always hold every column of the kind once.
// Each answers false (and changes nothing) for an index outside its array.
// The available column at `index` moves to the end of the selected ones (later available ones move up).
bool SelectCsvColumn(ExportWizardData& block, int index);
// The selected column at `index` moves to the end of the available ones.
bool UnselectCsvColumn(ExportWizardData& block, int index);
// Swaps the selected column at `index` with the one before (up) or after it; false at the first or last.
bool MoveCsvColumn(ExportWizardData& block, int index, bool up);
// A new record kind: both counts 0, so that the details page offers every column of the kind again.
void ChooseCsvRecordKind(ExportWizardData& block, std::uint32_t kind);

// The wizard's pages in sheet order.
enum ExportPage : int {
    ExportPageFormat = 0,
    ExportPageCsvData = 1,
    ExportPageCsvDetails = 2,
    ExportPageData = 3,
    ExportPageGedcom = 4,
    ExportPageFinish = 5,
};
inline constexpr int ExportPageCount = 6;

// The page that Next and Back lead to from `page` for the format.
ExportPage NextExportPage(ExportPage page, std::uint32_t format);
ExportPage PreviousExportPage(ExportPage page, std::uint32_t format);

// The block as every export starts: the initial values.
void InitExportWizardData(ExportWizardData& block);
