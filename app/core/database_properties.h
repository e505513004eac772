// What the frame shows about the open database: its title bar text, its version, its record counts and
// the generated copyright line of the properties sheet.
#pragma once

#include "engine/tolvane.h"

#include <cstdint>
#include <string>

inline constexpr std::size_t FrameTitleSize = 128; // characters of the frame title, terminator included

// "Vestrada - " and either the file name of `path` (when `filenameTitle`) or the database's title.
std::string DatabaseFrameTitle(const char* path, const char* databaseTitle, bool filenameTitle);

// The part of a path after its last backslash (the whole path when it has none).
std::string FileNameOfPath(const std::string& path);
// The part of a path before its last backslash (empty when it has none).
std::string FolderOfPath(const std::string& path);

// 10403 shows as "1.4.3"; versions below 10000 show as their plain number.
std::string FormatDatabaseVersion(int version);

// "Copyright (c) <year> <owner>" with the copyright sign of Windows-1252.
std::string GeneratedCopyright(int year, const char* owner);

// The number of live records of a table (deleted ids are not counted); 0 for a missing table. Runs
// inside the caller's transaction.
std::int32_t CountLiveRecords(DatabaseFile* file, std::int32_t table);
