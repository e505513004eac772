#include "exchange/export_data.h"

#include <algorithm>

namespace {

struct FormatEntry {
    const char* key;
    const char* extension;
    const char* defaultExtension;
    const char* filterKey;
};

// By format code 1 to 8.
constexpr FormatEntry Formats[ExportFormatCount] = {
    {"EXPORT_FORMAT_WEXMOR20", ".wmx", "wmx", "EXPORT_FORMAT_WEXMORFILTER"},
    {"EXPORT_FORMAT_GEDML", ".xml", "xml", "EXPORT_FORMAT_XMLFILTER"},
    {"EXPORT_FORMAT_GEDCOM6", ".xml", "xml", "EXPORT_FORMAT_XMLFILTER"},
    {"EXPORT_FORMAT_GEDCOM551", ".ged", "ged", "EXPORT_FORMAT_GEDCOMFILTER"},
    {"EXPORT_FORMAT_GEDCOM55", ".ged", "ged", "EXPORT_FORMAT_GEDCOMFILTER"},
    {"EXPORT_FORMAT_GEDCOM4", ".ged", "ged", "EXPORT_FORMAT_GEDCOMFILTER"},
    {"EXPORT_FORMAT_CSV", ".csv", "csv", "EXPORT_FORMAT_CSVFILTER"},
    {"EXPORT_FORMAT_HTML", ".htm", "htm", "EXPORT_FORMAT_HTMLFILTER"},
};

const FormatEntry* EntryOf(std::uint32_t format)
{
    return format >= 1 && format <= ExportFormatCount ? &Formats[format - 1] : nullptr;
}

} // namespace

const char* ExportFormatKey(std::uint32_t format)
{
    const FormatEntry* entry = EntryOf(format);
    return entry != nullptr ? entry->key : "";
}

const char* ExportFormatExtension(std::uint32_t format)
{
    const FormatEntry* entry = EntryOf(format);
    return entry != nullptr ? entry->extension : "";
}

const char* ExportFormatDefaultExtension(std::uint32_t format)
{
    const FormatEntry* entry = EntryOf(format);
    return entry != nullptr ? entry->defaultExtension : "";
}

const char* ExportFormatFilterKey(std::uint32_t format)
{
    const FormatEntry* entry = EntryOf(format);
    return entry != nullptr ? entry->filterKey : "";
}

bool IsGedcomFormat(std::uint32_t format)
{
    return format == ExportFormatGedcom551 || format == ExportFormatGedcom55 || format == ExportFormatGedcom4;
}

bool ExportFormatAvailable(std::uint32_t format)
{
    return IsGedcomFormat(format);
}

bool ExportIncludeOffered(std::uint32_t format, int include)
{
    switch (format) {
    case ExportFormatGedcom4:
        return false;
    case ExportFormatGedcom6Xml:
        return include != ExportIncludeResearch && include != ExportIncludeObjects;
    case ExportFormatGedcom55:
    case ExportFormatGedml:
        return include != ExportIncludeResearch;
    default:
        return true;
    }
}

void ClearUnofferedIncludes(ExportWizardData& block)
{
    std::uint32_t* flags[ExportIncludeCount] = {&block.includeResearch, &block.includeSources,
                                                &block.includeRepositories, &block.includeObjects};
    for (int include = 0; include < ExportIncludeCount; ++include)
        if (!ExportIncludeOffered(block.format, include))
            *flags[include] = 0;
}

std::string_view ExportFileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string PathWithFormatExtension(std::string_view path, std::uint32_t format)
{
    if (path.empty())
        return std::string();
    const std::size_t nameStart = path.size() - ExportFileNameOf(path).size();
    const std::size_t dot = path.find_last_of('.');
    std::string result(path.substr(0, dot != std::string_view::npos && dot >= nameStart ? dot : path.size()));
    result += ExportFormatExtension(format);
    if (result.size() > ExportPathSize - 1)
        result.resize(ExportPathSize - 1);
    return result;
}

std::string FileDialogFilter(std::string_view text)
{
    if (text.empty())
        return std::string();
    const char separator = text.back();
    std::string filter(text);
    std::replace(filter.begin(), filter.end(), separator, '\0');
    filter.push_back('\0');
    return filter;
}

std::string FormatFinishText(std::string_view format, std::string_view outputPath)
{
    // The language text is a translator's, so it is never handed to printf: only one "%s" is filled.
    constexpr std::size_t Limit = 255;
    const std::string_view name = ExportFileNameOf(outputPath);
    std::string text;
    bool filled = false;
    for (std::size_t i = 0; i < format.size() && text.size() < Limit; ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                text += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && !filled) {
                text += name;
                filled = true;
                ++i;
                continue;
            }
        }
        text += format[i];
    }
    if (text.size() > Limit)
        text.resize(Limit);
    return text;
}

namespace {

bool MoveColumn(std::uint32_t* from, std::int32_t& fromCount, std::uint32_t* to, std::int32_t& toCount, int index)
{
    if (index < 0 || index >= fromCount || toCount >= CsvColumnCapacity)
        return false;
    const std::uint32_t column = from[index];
    std::copy(from + index + 1, from + fromCount, from + index);
    --fromCount;
    to[toCount++] = column;
    return true;
}

} // namespace

bool SelectCsvColumn(ExportWizardData& block, int index)
{
    return MoveColumn(block.csvAvailableColumns, block.csvAvailableCount, block.csvSelectedColumns,
                      block.csvSelectedCount, index);
}

bool UnselectCsvColumn(ExportWizardData& block, int index)
{
    return MoveColumn(block.csvSelectedColumns, block.csvSelectedCount, block.csvAvailableColumns,
                      block.csvAvailableCount, index);
}

bool MoveCsvColumn(ExportWizardData& block, int index, bool up)
{
    const int other = up ? index - 1 : index + 1;
    if (index < 0 || index >= block.csvSelectedCount || other < 0 || other >= block.csvSelectedCount)
        return false;
    std::swap(block.csvSelectedColumns[index], block.csvSelectedColumns[other]);
    return true;
}

void ChooseCsvRecordKind(ExportWizardData& block, std::uint32_t kind)
{
    block.csvRecordKind = kind;
    block.csvAvailableCount = 0;
    block.csvSelectedCount = 0;
}

ExportPage NextExportPage(ExportPage page, std::uint32_t format)
{
    switch (page) {
    case ExportPageFormat:
        return format == ExportFormatCsv ? ExportPageCsvData : ExportPageData;
    case ExportPageCsvData:
        return ExportPageCsvDetails;
    case ExportPageCsvDetails:
        return ExportPageFinish;
    case ExportPageData:
        return IsGedcomFormat(format) ? ExportPageGedcom : ExportPageFinish;
    case ExportPageGedcom:
    case ExportPageFinish:
        return ExportPageFinish;
    }
    return ExportPageFinish;
}

ExportPage PreviousExportPage(ExportPage page, std::uint32_t format)
{
    switch (page) {
    case ExportPageFormat:
    case ExportPageCsvData:
        return ExportPageFormat;
    case ExportPageCsvDetails:
        return ExportPageCsvData;
    case ExportPageData:
        return ExportPageFormat;
    case ExportPageGedcom:
        return ExportPageData;
    case ExportPageFinish:
        if (format == ExportFormatCsv)
            return ExportPageCsvDetails;
        return IsGedcomFormat(format) ? ExportPageGedcom : ExportPageData;
    }
    return ExportPageFormat;
}

void InitExportWizardData(ExportWizardData& block)
{
    block = ExportWizardData {};
}
