#include "frame/report_menus.h"

#include "language/language_table.h"
#include "report/output/report_type.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

const ReportSubmenu ReportSubmenuTable[ReportSubmenuCount] = {
    {7000, LanguageKey("REPORT_ANCESTORS"), "AncestorReports"},
    {7100, LanguageKey("REPORT_DESCENDANTS"), "DescendantReports"},
    {7200, LanguageKey("REPORT_FAMILY"), "FamilyReports"},
    {7300, LanguageKey("REPORT_LIST"), "ListReports"},
    {7400, LanguageKey("REPORT_STATISTIC"), "StatisticReports"},
    {7500, LanguageKey("REPORT_OTHER"), "OtherReports"},
};

namespace {

// Calls `take` with each non-empty piece of `list` between separators until it answers false.
template <typename Take> void ForEachPiece(const char* list, char separator, Take take)
{
    const char* start = list;
    for (const char* p = list;; ++p) {
        if (*p == separator || *p == '\0') {
            if (p > start && !take(std::string(start, p)))
                return;
            if (*p == '\0')
                return;
            start = p + 1;
        }
    }
}

} // namespace

std::vector<std::string> ReportMenuPaths(const char* programFolder, const char* builtInList, const char* userList)
{
    std::vector<std::string> paths;
    auto add = [&](std::string path) {
        if (path.size() > SettingsPathSize - 1)
            path.resize(SettingsPathSize - 1);
        paths.push_back(std::move(path));
        return paths.size() < static_cast<std::size_t>(ReportMenuCapacity);
    };
    ForEachPiece(builtInList, ',',
                 [&](const std::string& name) { return add(std::string(programFolder) + "\\Report\\" + name); });
    if (paths.size() < static_cast<std::size_t>(ReportMenuCapacity))
        ForEachPiece(userList, ';', add);
    return paths;
}

std::vector<std::string> ReportTypeListEntries(const char* list)
{
    std::vector<std::string> entries;
    ForEachPiece(list, ';', [&](std::string path) {
        entries.push_back(std::move(path));
        return true;
    });
    return entries;
}

bool AppendReportTypeEntry(char* list, std::size_t size, const char* path)
{
    std::size_t length = strnlen(list, size);
    std::size_t added = std::strlen(path) + (length > 0 ? 1 : 0);
    if (path[0] == '\0' || length >= size || added > size - 1 - length)
        return false;
    if (length > 0)
        list[length++] = ';';
    std::strcpy(list + length, path);
    return true;
}

bool RemoveReportTypeEntry(char* list, std::size_t size, int index)
{
    std::vector<std::string> entries = ReportTypeListEntries(list);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return false;
    entries.erase(entries.begin() + index);
    std::string joined;
    for (const std::string& entry : entries)
        joined += (joined.empty() ? "" : ";") + entry;
    // Nothing grows, so the rest always fits where the whole list was.
    std::memset(list, 0, size);
    std::memcpy(list, joined.data(), std::min(joined.size(), size - 1));
    return true;
}

bool ReportCommandEntry(int command, int* submenu, int* index)
{
    if (command < FirstReportCommand || command >= FirstReportCommand + ReportSubmenuCount * ReportMenuCapacity)
        return false;
    *submenu = (command - FirstReportCommand) / ReportMenuCapacity;
    *index = (command - FirstReportCommand) % ReportMenuCapacity;
    return true;
}

bool ReadReportTypeHeading(const char* path, ReportTypeHeading* heading)
{
    ReportType type;
    if (type.Open(path) != ReportTypeLoadResult::Loaded)
        return false;
    std::memcpy(heading->name, type.Header().name, ReportTypeNameSize);
    std::memcpy(heading->description, type.Header().description, ReportTypeDescriptionSize);
    return true;
}
