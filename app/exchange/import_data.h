// The block the import wizard fills and the importers read and write: the file to import, the log, the
// target, what to leave out and the GEDCOM converter's options, and whether the import failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class ImportLog;

inline constexpr std::size_t ImportPathSize = 260;

enum ImportFormat : std::uint32_t {
    ImportFormatGedcom = 1,
    ImportFormatWexmor = 2,
};

struct ImportWizardData {
    char inputPath[ImportPathSize] = {};
    char logPath[ImportPathSize] = {};
    char newDatabasePath[ImportPathSize] = {};
    std::uint32_t format = ImportFormatWexmor;
    std::uint32_t createNewDatabase = 0; // 1: the import goes into a new database at newDatabasePath
    std::uint32_t finished = 0;          // 1 when the user pressed Finish
    ImportLog* log = nullptr;            // open while the importers run; they write into it, never close it
    std::uint32_t importResearch = 1;
    std::uint32_t importRepositories = 1;
    std::uint32_t importSources = 1;
    std::uint32_t importObjects = 1;
    std::uint32_t gedcomGivenName = 0;
    std::uint32_t gedcomStructuredName = 0;
    std::uint32_t gedcomGregorian = 0;
    std::uint32_t gedcomUserDefined = 1;
    std::uint32_t gedcomPersonAdd = 0; // 0 to 2
    std::uint32_t gedcomEventAdd = 0;  // 0 to 2
    std::uint32_t failed = 0;          // 1 when the import failed or was cancelled
    // The folder against which relative media paths are resolved, with its last separator: the imported
    // file's folder (for a GEDCOM import the GEDCOM file's, not the converted file's temporary folder).
    char mediaFolder[ImportPathSize] = {};
};

// The text after the last "." of the file name in `path` (not of a folder's name); empty when the name
// has none.
std::string_view ImportFileExtension(std::string_view path);

// Fills a fresh block for the file at `path`: the input path, the format (GEDCOM for the extension "ged"
// in any case, else Wexmor), the log path (the file name's extension replaced by "log"; ".log" appended
// when that would name the input itself) and the media folder. False, with the block left fresh, when the
// file name has no extension or a path would not fit in ImportPathSize - 1 characters: nothing is imported.
bool InitImportWizardData(ImportWizardData& block, const char* path);

// Sets the log path to `path`, or to `path` with ".log" appended when it names the input itself (in any
// case). False, with the log path unchanged, when `path` is empty or would not fit in ImportPathSize - 1
// characters.
bool SetImportLogPath(ImportWizardData& block, std::string_view path);

// The folder part of a path with its last separator ("\" or "/"); empty when there is none.
std::string_view ImportFolderOf(std::string_view path);
