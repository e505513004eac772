// The six Report submenus: which report types each lists and which command runs which entry.
#pragma once

#include "report/output/report_type.h"
#include "settings/settings.h"

#include <cstddef>
#include <string>
#include <vector>

inline constexpr int ReportSubmenuCount = ReportCategoryCount;
inline constexpr int ReportMenuCapacity = 100;  // entries of one submenu
inline constexpr int FirstReportCommand = 7000; // submenu n uses 7000 + 100 n .. 7099 + 100 n

struct ReportSubmenu {
    int firstCommand;
    const char* builtInListKey; // language text: file names in the Report folder, comma-separated
    const char* userListValue;  // settings value of section ReportTypes: full paths, semicolon-separated
};

extern const ReportSubmenu ReportSubmenuTable[ReportSubmenuCount];

// One entry of a submenu: the report-type file and its description (the item's status help).
struct ReportMenuEntry {
    char path[SettingsPathSize];
    char description[ReportTypeDescriptionSize];
};

// The files a submenu lists, in order: each name of the built-in list as <programFolder>\Report\<name>,
// then each path of the user's list; empty pieces are skipped and at most ReportMenuCapacity are taken.
// Paths are cut to what an entry holds.
std::vector<std::string> ReportMenuPaths(const char* programFolder, const char* builtInList, const char* userList);

// The user's list of a category (full paths separated by ';'), as the preferences edit it. Entries are
// counted without the empty pieces, so an entry's index names it whether or not its file can be read.
std::vector<std::string> ReportTypeListEntries(const char* list);
// Appends `path` to the list of `size` characters; false, the list untouched, when it would not fit.
bool AppendReportTypeEntry(char* list, std::size_t size, const char* path);
// Removes the entry `index` (empty pieces dropped on the way); false when there is no such entry.
bool RemoveReportTypeEntry(char* list, std::size_t size, int index);

// Which submenu entry a command runs: false when `command` is no report command.
bool ReportCommandEntry(int command, int* submenu, int* index);

// The name and description of a report-type file, read from its header; false when the file cannot be
// opened or is no report type of a version this program reads.
struct ReportTypeHeading {
    char name[ReportTypeNameSize];
    char description[ReportTypeDescriptionSize];
};
bool ReadReportTypeHeading(const char* path, ReportTypeHeading* heading);
