// What the program does with the file named on its command line or chosen in File/Open.
#pragma once

#include <string>

enum class FileKind {
    Unknown,
    ReportType, // .rpt
    Timeline,   // .vtl
    Import,     // .ged, .wmx
    Backup,     // .vbk
    Database,   // .vdb
};

// The kind of a file by the last four characters of its path, without regard to case.
FileKind FileKindOf(const std::string& path);

// The path that the command line (without the program name) names: a final double quote cut, a leading
// one skipped.
std::string CommandLinePath(const char* arguments);

// Whether a whole process command line (program name first) names anything after the program: the text
// after a quoted program name and its blanks, or any blank after an unquoted one.
bool CommandLineNamesFile(const char* processCommandLine);
