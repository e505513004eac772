// Pendrax: the GEDCOM converter. One export, ConvertFile, that turns a GEDCOM file into a Wexmor 2.0 file.
#pragma once

#include <stdint.h>

#ifdef _WIN32
#define PENDRAX_CALL __cdecl
#else
#define PENDRAX_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The window message by which ConvertFile reports progress: wParam 0, lParam the percentage read (0 to 100).
// The receiver answers non-zero to go on and 0 to stop.
#define ConvertProgressMessage 8024

// The converter's results.
#define CONVERT_OK 0
#define CONVERT_READ_FAILED 1   // input not opened, or reading stopped by an error or by the progress answer 0
#define CONVERT_OUTPUT_FAILED 2 // output file not created

// Returns the text of a log message (code below 1000) or the display name of a built-in event type (1000 + n).
// The text stays valid until the next call.
typedef const char*(PENDRAX_CALL* ConvertTextCallback)(int32_t code);

// The parameter block: fifteen 32-bit words in the 32-bit build, filled by the caller, only read here.
typedef struct ConvertParams {
    uint32_t size;          // 60
    const char* inputPath;  // GEDCOM file to read
    const char* outputPath; // Wexmor file to write (created or replaced)
    void* logFile;          // open, writable file handle; entries are appended, never closed here
    uint32_t logLevel;      // 0 everything; 1 no information entries or date warnings; 2 also fewer tag warnings
    ConvertTextCallback getText;
    uint32_t givenNameFirst;   // NAME value split at slashes: the part before the first slash is a given name
    uint32_t structuredNames;  // names from NPFX, GIVN, NICK, SPFX, SURN, NSFX instead of the NAME value
    uint32_t defaultGregorian; // a date without calendar escape is Gregorian (else unknown)
    uint32_t keepUnreadDates;  // a date with text left over is kept as a date phrase (else logged)
    uint32_t aliasAsName;      // an ALIA name becomes a further name of the person
    uint32_t readExtensions;   // read user-defined tags and honour other programs' peculiarities
    uint32_t copyObjectFiles;  // media files: 1 copies media-record files to the current folder
    uint32_t eventExtras;      // AGE, AGNC, CAUS of an event: 0 logged, 2 into the event's note, else dropped
    uint32_t personNumbers;    // AFN, RFN, REFN, RIN, RESN: 0 logged, 2 into the person's note, else dropped
} ConvertParams;

#if defined(_WIN32) && !defined(_WIN64)
#ifdef __cplusplus
static_assert(sizeof(ConvertParams) == 60, "ConvertParams crosses the DLL boundary as 60 bytes");
#else
_Static_assert(sizeof(ConvertParams) == 60, "ConvertParams crosses the DLL boundary as 60 bytes");
#endif
#endif

// Converts params->inputPath into params->outputPath. dialog (a window handle, may be null) receives
// ConvertProgressMessage before each record. Returns CONVERT_OK, CONVERT_READ_FAILED or CONVERT_OUTPUT_FAILED.
int32_t PENDRAX_CALL ConvertFile(const ConvertParams* params, void* dialog);

#ifdef __cplusplus
}
#endif
