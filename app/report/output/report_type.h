// A report type: one file (by convention .rpt) holding a fixed header (name, description, report title, help
// text, page options and up to 32 declared inputs) followed by the text of the Stavic script. `ReportType` is
// the file in memory: its header and its script (a run keeps its line and label tables and its context
// apart, in the run).
//
// The current file is a 7188-byte header and the script text to the end of the file, with no terminating
// zero. Files of older releases have a 2048-byte header (versions below 10100, at most 8 inputs, no report
// title nor help text) or a 3460-byte header (versions 10100 to 10199, 64-byte input records); they are
// upgraded when read and saved in the current layout. Every field is read and written byte by byte,
// little-endian, so that both builds agree whatever their structure layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The release that writes report types: major x 10000 + minor x 100 + patch. Files of versions 95 to this
// one are read.
inline constexpr std::int32_t ReportTypeVersion = 10403;
inline constexpr std::int32_t OldestReportTypeVersion = 95;
// The first versions of the 3460-byte and of the current layout.
inline constexpr std::int32_t ReportType3460Version = 10100;
inline constexpr std::int32_t ReportType7188Version = 10200;

inline constexpr std::size_t ReportTypeHeaderSize = 7188;
inline constexpr std::size_t ReportType3460HeaderSize = 3460;
inline constexpr std::size_t ReportType2048HeaderSize = 2048;
inline constexpr char ReportTypeMagic[5] = {'%', 'V', 'R', '%', '\0'};

inline constexpr int ReportTypeInputCapacity = 32;
inline constexpr int ReportType2048InputCapacity = 8;
inline constexpr std::size_t ReportTypePathSize = 260; // at most 259 characters
inline constexpr std::size_t ReportTypeNameSize = 32;
inline constexpr std::size_t ReportTypeDescriptionSize = 256;
inline constexpr std::size_t ReportTypeTitleSize = 64;
inline constexpr std::size_t ReportTypeHelpSize = 1024;
inline constexpr std::size_t ReportTypeVariableNameSize = 16;
inline constexpr std::size_t ReportTypeInputLabelSize = 32;
inline constexpr std::size_t ReportTypeChoicesSize = 128;

// The kinds of inputs, by their stored code. Each input becomes one variable of the run.
enum ReportTypeInputKind : std::uint8_t {
    InputPerson = 1,
    InputSource = 2,
    InputRepository = 3,
    InputResearch = 4,
    InputFlag = 5,
    InputCurrentPerson = 6, // preset to the person an open window shows
    InputCurrentSource = 7,
    InputCurrentRepository = 8,
    InputCurrentResearch = 9,
    InputString = 10,
    InputInteger = 11,
    InputColor = 12,
    InputSmallInteger = 13, // bounded by minimum and maximum
    InputSelect = 14,       // chosen from the entries of the choices text
    InputPlace = 15,
    InputNameType = 16,
    InputPlaceType = 17,
    InputCalendarAll = 18,
    InputCalendarCalculable = 19,
    InputTimeline = 20,
    InputAttachment = 21,
    InputChartType = 22,
};

// Bit 0 of an input's flags: the user may leave the input empty.
inline constexpr std::uint16_t InputOptional = 1;

// One declared input (a 180-byte record of the file). The select kind keeps its choices where every other
// kind keeps its flags and numbers; the fields of the form a kind does not use are 0.
struct ReportTypeInput {
    std::uint8_t kind = 0;
    char variableName[ReportTypeVariableNameSize] = {};
    char label[ReportTypeInputLabelSize] = {};
    std::uint16_t flags = 0;
    std::uint32_t initialValue = 0; // for the colour kind 0x00BBGGRR
    std::uint32_t minimum = 0;      // small-integer kind
    std::uint32_t maximum = 0;
    char choices[ReportTypeChoicesSize] = {}; // select kind: the list as the author typed it

    bool IsOptional() const { return (flags & InputOptional) != 0; }
};

// The header of a report type, the fields of the current layout. Every text is terminated within its field.
struct ReportTypeHeader {
    std::int32_t version = ReportTypeVersion; // of the release that saved the file; kept until the next save
    char name[ReportTypeNameSize] = {};
    char description[ReportTypeDescriptionSize] = {};
    char reportTitle[ReportTypeTitleSize] = {};
    char helpText[ReportTypeHelpSize] = {};
    std::uint32_t graphics = 0; // 1: a graphics report
    std::int32_t inputCount = 0;
    ReportTypeInput inputs[ReportTypeInputCapacity];
    std::uint32_t noMargins = 0;   // 1: pages without margins
    std::uint32_t pageSize = 0;    // 0 selectable, 1 A0 .. 15 Tabloid, 16 unlimited
    std::uint32_t orientation = 0; // 0 portrait, 1 landscape
    std::uint32_t revision = 0;    // raised by every save
};

enum class ReportTypeLoadResult {
    Loaded,
    CannotOpen,    // REPORTTYPE_OPENERROR_INVALIDPATH
    NotReportType, // REPORTTYPE_OPENERROR_NOREPORT: too short, no magic, or a damaged header
    OlderVersion,  // REPORTTYPE_OPENERROR_WRONGVERSION: below 95
    NewerVersion,  // REPORTTYPE_OPENERROR_NEWERVERSION: above 10403
    CannotRead,    // the script could not be read or held: no message
};
// The language key of the message that tells the user why a load failed; null when none is shown.
const char* ReportTypeLoadMessageKey(ReportTypeLoadResult result);

// The header's length in the file for a version: 2048, 3460 or 7188 bytes.
std::size_t ReportTypeHeaderSizeOf(std::int32_t version);
// The current layout of `header`: ReportTypeHeaderSize bytes, the unused and reserved ones zero.
void EncodeReportTypeHeader(const ReportTypeHeader& header, std::uint8_t* bytes);
// Reads the header of the layout its version calls for from the first `size` bytes of a file (of at least
// that many bytes). Anything but Loaded leaves `header` untouched.
ReportTypeLoadResult DecodeReportTypeHeader(const std::uint8_t* bytes, std::size_t size, ReportTypeHeader& header);

class ReportType {
public:
    ReportType();
    ReportType(const ReportType&) = delete;
    ReportType& operator=(const ReportType&) = delete;
    ~ReportType();

    ReportTypeHeader& Header() { return header_; }
    const ReportTypeHeader& Header() const { return header_; }

    // The script text, zero-terminated ("" when there is none).
    const char* Script() const { return script_ ? script_.get() : ""; }
    // Drops the script and makes a zero-filled buffer of `size` bytes for a new one, which it answers (null
    // when the memory cannot be had; the script is then empty).
    char* SetScriptSize(std::size_t size);
    // Replaces the script by a copy of `text`; false when the memory cannot be had.
    bool SetScript(const char* text);

    // The file's full path; "" for a report type never saved.
    const char* Path() const { return path_; }
    // Takes `path` (cut to 259 characters) and loads the file there.
    ReportTypeLoadResult Open(const char* path);
    // Reads the file at the path. On any failure the header and the script are as they were.
    ReportTypeLoadResult Load();
    // Raises the revision and writes the file at the path in the current layout, version 10403. The new file
    // is written beside the old one, every write checked, and then takes its place, so a failing disk leaves
    // the old file whole. False on failure, with the system's error code in `systemError` (0 when there is
    // no path); the version and revision stay raised in memory and the object stays modified.
    bool Save(std::uint32_t* systemError = nullptr);
    // The path the user chose to save under: the next save writes there and starts again at revision 2.
    void SaveAsPath(const char* path);

    // Changed since it was loaded or last saved: the editor sets it; only a successful save clears it.
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // Converts a header of an older layout (its first 2048 or 3460 bytes as read from the file) into the
    // object's header; the fields the old layout lacks become empty and the reserved bytes zero. False,
    // the header untouched, when the stored input count exceeds the old layout's capacity.
    bool UpgradeHeader2048(const std::uint8_t* old);
    bool UpgradeHeader3460(const std::uint8_t* old);

private:
    ReportTypeHeader header_;
    std::unique_ptr<char[]> script_;
    char path_[ReportTypePathSize] = {};
    bool modified_ = false;
};
