// The six Report submenus: which report types each lists and which command runs which entry.
#pragma once

#include "settings/settings.h"

#include <cstddef>
#include <string>
#include <vector>

inline constexpr int ReportSubmenuCount = ReportCategoryCount;
inline constexpr int ReportMenuCapacity = 100;  // entries of one submenu
inline constexpr int FirstReportCommand = 7000; // submenu n uses 7000 + 100 n .. 7099 + 100 n
inline constexpr std::size_t ReportTypeNameSize = 32;
inline constexpr std::size_t ReportTypeDescriptionSize = 256;

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

// Which submenu entry a command runs: false when `command` is no report command.
bool ReportCommandEntry(int command, int* submenu, int* index);

// The name and description of a report-type file, read from its header; false when the file cannot be
// opened or is no report type of a version this program reads.
struct ReportTypeHeading {
    char name[ReportTypeNameSize];
    char description[ReportTypeDescriptionSize];
};
bool ReadReportTypeHeading(const char* path, ReportTypeHeading* heading);
