#include "frame/report_menus.h"

#include "language/language_table.h"
#include "platform/file.h"

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

// Report-type file header: the fields at the same place in every layout the program reads.
constexpr std::size_t MinimumReportTypeFileSize = 2048;
constexpr std::size_t HeadingBytes = 300; // magic, version, name, description
constexpr char ReportTypeMagic[5] = {'%', 'V', 'R', '%', '\0'};
constexpr std::int32_t OldestReportTypeVersion = 95;
constexpr std::int32_t NewestReportTypeVersion = 10403;

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
    platform::File file = platform::File::Open(path, platform::FileOpenOptions{});
    if (!file.IsOpen() || file.Size() < static_cast<std::int64_t>(MinimumReportTypeFileSize))
        return false;
    unsigned char bytes[HeadingBytes];
    if (file.ReadAt(0, bytes, sizeof bytes) != static_cast<std::int64_t>(sizeof bytes))
        return false;
    if (std::memcmp(bytes, ReportTypeMagic, sizeof ReportTypeMagic) != 0)
        return false;
    std::int32_t version = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[8]) | static_cast<std::uint32_t>(bytes[9]) << 8 |
        static_cast<std::uint32_t>(bytes[10]) << 16 | static_cast<std::uint32_t>(bytes[11]) << 24);
    if (version < OldestReportTypeVersion || version > NewestReportTypeVersion)
        return false;
    std::memcpy(heading->name, bytes + 12, ReportTypeNameSize);
    heading->name[ReportTypeNameSize - 1] = '\0';
    std::memcpy(heading->description, bytes + 44, ReportTypeDescriptionSize);
    heading->description[ReportTypeDescriptionSize - 1] = '\0';
    return true;
}
