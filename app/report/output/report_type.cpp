#include "report/output/report_type.h"

#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "core/bounded_text.h"
#include "platform/file.h"
#include "platform/little_endian.h"
#include "report/output/text_fields.h"

using platform::GetI32;
using platform::GetU16;
using platform::GetU32;
using platform::PutI32;
using platform::PutU16;
using platform::PutU32;

namespace {

// Offsets of the fields that every layout shares.
constexpr std::size_t VersionAt = 8;
constexpr std::size_t NameAt = 12;
constexpr std::size_t DescriptionAt = 44;

// The current layout.
constexpr std::size_t TitleAt = 300;
constexpr std::size_t HelpAt = 364;
constexpr std::size_t GraphicsAt = 1388;
constexpr std::size_t InputCountAt = 1392;
constexpr std::size_t InputsAt = 1396;
constexpr std::size_t InputSize = 180;
constexpr std::size_t NoMarginsAt = 7156;
constexpr std::size_t PageSizeAt = 7160;
constexpr std::size_t OrientationAt = 7164;
constexpr std::size_t RevisionAt = 7168;
// Within an input record.
constexpr std::size_t InputVariableNameAt = 1;
constexpr std::size_t InputLabelAt = 17;
constexpr std::size_t InputDetailAt = 52; // choices, or flags, initial value, minimum and maximum
static_assert(InputsAt + ReportTypeInputCapacity * InputSize == NoMarginsAt);

// The 3460-byte layout: the current one up to the inputs, then 64-byte input records.
constexpr std::size_t Input3460Size = 64;
constexpr std::size_t Input3460FlagsAt = 50;
constexpr std::size_t NoMargins3460At = 3444;
static_assert(InputsAt + ReportTypeInputCapacity * Input3460Size == NoMargins3460At);

// The 2048-byte layout.
constexpr std::size_t Graphics2048At = 300;
constexpr std::size_t InputCount2048At = 304;
constexpr std::size_t Inputs2048At = 308;
constexpr std::size_t Input2048Size = 49;
constexpr std::size_t NoMargins2048At = 700;
static_assert(Inputs2048At + ReportType2048InputCapacity * Input2048Size == NoMargins2048At);

// The page options that end every layout, at `at`: no-margins flag, page size, orientation, revision.
void ReadPageOptions(const std::uint8_t* at, ReportTypeHeader& header)
{
    header.noMargins = GetU32(at);
    header.pageSize = GetU32(at + 4);
    header.orientation = GetU32(at + 8);
    header.revision = GetU32(at + 12);
}

// The input count as stored, when it fits the layout's capacity.
bool ReadInputCount(const std::uint8_t* at, int capacity, ReportTypeHeader& header)
{
    const std::int32_t count = GetI32(at);
    if (count < 0 || count > capacity)
        return false;
    header.inputCount = count;
    return true;
}

// The kind, variable name and label that begin an input record of every layout.
void ReadInputNames(const std::uint8_t* record, ReportTypeInput& input)
{
    input.kind = record[0];
    GetTextField(record + InputVariableNameAt, input.variableName);
    GetTextField(record + InputLabelAt, input.label);
}

// The fields the 3460-byte layout shares with the current one: title, help text, graphics flag, input count.
bool ReadTitlesAndCount(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadInputCount(bytes + InputCountAt, ReportTypeInputCapacity, header))
        return false;
    GetTextField(bytes + TitleAt, header.reportTitle);
    GetTextField(bytes + HelpAt, header.helpText);
    header.graphics = GetU32(bytes + GraphicsAt);
    return true;
}

bool Read7188(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadTitlesAndCount(bytes, header))
        return false;
    for (int n = 0; n < header.inputCount; ++n) {
        const std::uint8_t* record = bytes + InputsAt + n * InputSize;
        ReportTypeInput& input = header.inputs[n];
        ReadInputNames(record, input);
        const std::uint8_t* detail = record + InputDetailAt;
        if (input.kind == InputSelect) {
            GetTextField(detail, input.choices);
        } else {
            input.flags = GetU16(detail);
            input.initialValue = GetU32(detail + 4);
            input.minimum = GetU32(detail + 8);
            input.maximum = GetU32(detail + 12);
        }
    }
    ReadPageOptions(bytes + NoMarginsAt, header);
    return true;
}

bool Read3460(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadTitlesAndCount(bytes, header))
        return false;
    for (int n = 0; n < header.inputCount; ++n) {
        const std::uint8_t* record = bytes + InputsAt + n * Input3460Size;
        ReportTypeInput& input = header.inputs[n];
        ReadInputNames(record, input);
        input.flags = GetU16(record + Input3460FlagsAt);
        input.initialValue = GetU32(record + Input3460FlagsAt + 2);
        input.minimum = GetU32(record + Input3460FlagsAt + 6);
        input.maximum = GetU32(record + Input3460FlagsAt + 10);
    }
    ReadPageOptions(bytes + NoMargins3460At, header);
    return true;
}

// Every upgraded input is required and starts at 0: the old layout kept no flags nor values.
bool Read2048(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadInputCount(bytes + InputCount2048At, ReportType2048InputCapacity, header))
        return false;
    header.graphics = GetU32(bytes + Graphics2048At);
    for (int n = 0; n < header.inputCount; ++n)
        ReadInputNames(bytes + Inputs2048At + n * Input2048Size, header.inputs[n]);
    ReadPageOptions(bytes + NoMargins2048At, header);
    return true;
}

// The header of the layout its version calls for, into a fresh header (so that nothing of the object's
// earlier header, nor of the script behind a short header, carries over).
bool ReadLayout(const std::uint8_t* bytes, std::size_t layoutSize, ReportTypeHeader& header)
{
    ReportTypeHeader read;
    read.version = GetI32(bytes + VersionAt);
    GetTextField(bytes + NameAt, read.name);
    GetTextField(bytes + DescriptionAt, read.description);
    const bool valid = layoutSize == ReportType2048HeaderSize   ? Read2048(bytes, read)
                       : layoutSize == ReportType3460HeaderSize ? Read3460(bytes, read)
                                                                : Read7188(bytes, read);
    if (valid)
        header = read;
    return valid;
}

} // namespace

const char* ReportTypeLoadMessageKey(ReportTypeLoadResult result)
{
    switch (result) {
    case ReportTypeLoadResult::CannotOpen:
        return "REPORTTYPE_OPENERROR_INVALIDPATH";
    case ReportTypeLoadResult::NotReportType:
        return "REPORTTYPE_OPENERROR_NOREPORT";
    case ReportTypeLoadResult::OlderVersion:
        return "REPORTTYPE_OPENERROR_WRONGVERSION";
    case ReportTypeLoadResult::NewerVersion:
        return "REPORTTYPE_OPENERROR_NEWERVERSION";
    case ReportTypeLoadResult::Loaded:
    case ReportTypeLoadResult::CannotRead:
        break;
    }
    return nullptr;
}

std::size_t ReportTypeHeaderSizeOf(std::int32_t version)
{
    if (version < ReportType3460Version)
        return ReportType2048HeaderSize;
    if (version < ReportType7188Version)
        return ReportType3460HeaderSize;
    return ReportTypeHeaderSize;
}

void EncodeReportTypeHeader(const ReportTypeHeader& header, std::uint8_t* bytes)
{
    std::memset(bytes, 0, ReportTypeHeaderSize);
    std::memcpy(bytes, ReportTypeMagic, sizeof ReportTypeMagic);
    PutI32(bytes + VersionAt, header.version);
    PutTextField(bytes + NameAt, header.name);
    PutTextField(bytes + DescriptionAt, header.description);
    PutTextField(bytes + TitleAt, header.reportTitle);
    PutTextField(bytes + HelpAt, header.helpText);
    PutU32(bytes + GraphicsAt, header.graphics);
    const std::int32_t count =
        header.inputCount < 0 ? 0 : (header.inputCount > ReportTypeInputCapacity ? ReportTypeInputCapacity
                                                                                  : header.inputCount);
    PutI32(bytes + InputCountAt, count);
    for (int n = 0; n < count; ++n) {
        std::uint8_t* record = bytes + InputsAt + n * InputSize;
        const ReportTypeInput& input = header.inputs[n];
        record[0] = input.kind;
        PutTextField(record + InputVariableNameAt, input.variableName);
        PutTextField(record + InputLabelAt, input.label);
        std::uint8_t* detail = record + InputDetailAt;
        if (input.kind == InputSelect) {
            PutTextField(detail, input.choices);
        } else {
            PutU16(detail, input.flags);
            PutU32(detail + 4, input.initialValue);
            PutU32(detail + 8, input.minimum);
            PutU32(detail + 12, input.maximum);
        }
    }
    PutU32(bytes + NoMarginsAt, header.noMargins);
    PutU32(bytes + PageSizeAt, header.pageSize);
    PutU32(bytes + OrientationAt, header.orientation);
    PutU32(bytes + RevisionAt, header.revision);
}

ReportTypeLoadResult DecodeReportTypeHeader(const std::uint8_t* bytes, std::size_t size, ReportTypeHeader& header)
{
    if (size < ReportType2048HeaderSize || std::memcmp(bytes, ReportTypeMagic, sizeof ReportTypeMagic) != 0)
        return ReportTypeLoadResult::NotReportType;
    const std::int32_t version = GetI32(bytes + VersionAt);
    if (version < OldestReportTypeVersion)
        return ReportTypeLoadResult::OlderVersion;
    if (version > ReportTypeVersion)
        return ReportTypeLoadResult::NewerVersion;
    const std::size_t layoutSize = ReportTypeHeaderSizeOf(version);
    // A file shorter than its layout, or with more inputs than the layout holds, is damaged.
    if (size < layoutSize || !ReadLayout(bytes, layoutSize, header))
        return ReportTypeLoadResult::NotReportType;
    return ReportTypeLoadResult::Loaded;
}

ReportType::ReportType() = default;

ReportType::~ReportType() = default;

char* ReportType::SetScriptSize(std::size_t size)
{
    script_.reset();
    script_.reset(new (std::nothrow) char[size == 0 ? 1 : size]());
    return script_.get();
}

bool ReportType::SetScript(const char* text)
{
    const std::size_t length = std::strlen(text);
    char* buffer = SetScriptSize(length + 1);
    if (buffer == nullptr)
        return false;
    std::memcpy(buffer, text, length);
    return true;
}

ReportTypeLoadResult ReportType::Open(const char* path)
{
    CopyBounded(path_, sizeof path_, path);
    return Load();
}

ReportTypeLoadResult ReportType::Load()
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::Read;
    options.share = platform::FileShare::None;
    platform::File file = platform::File::Open(path_, options);
    if (!file.IsOpen())
        return ReportTypeLoadResult::CannotOpen;
    const std::int64_t fileSize = file.Size();
    if (fileSize < static_cast<std::int64_t>(ReportType2048HeaderSize))
        return fileSize < 0 ? ReportTypeLoadResult::CannotRead : ReportTypeLoadResult::NotReportType;

    std::uint8_t bytes[ReportTypeHeaderSize] = {};
    const std::size_t wanted = fileSize < static_cast<std::int64_t>(sizeof bytes) ? static_cast<std::size_t>(fileSize)
                                                                                  : sizeof bytes;
    if (file.ReadAt(0, bytes, wanted) != static_cast<std::int64_t>(wanted))
        return ReportTypeLoadResult::CannotRead;
    ReportTypeHeader header;
    const ReportTypeLoadResult decoded = DecodeReportTypeHeader(bytes, wanted, header);
    if (decoded != ReportTypeLoadResult::Loaded)
        return decoded;

    const std::size_t scriptAt = ReportTypeHeaderSizeOf(header.version);
    const std::uint64_t scriptLength = static_cast<std::uint64_t>(fileSize) - scriptAt;
    if (scriptLength >= std::numeric_limits<std::size_t>::max())
        return ReportTypeLoadResult::CannotRead;
    std::unique_ptr<char[]> script(new (std::nothrow) char[static_cast<std::size_t>(scriptLength) + 1]);
    if (script == nullptr)
        return ReportTypeLoadResult::CannotRead;
    const std::size_t length = static_cast<std::size_t>(scriptLength);
    if (length > 0 && file.ReadAt(scriptAt, script.get(), length) != static_cast<std::int64_t>(length))
        return ReportTypeLoadResult::CannotRead;
    script[length] = '\0';

    header_ = header;
    script_ = std::move(script);
    modified_ = false;
    return ReportTypeLoadResult::Loaded;
}

bool ReportType::Save(std::uint32_t* systemError)
{
    std::uint32_t ignored = 0;
    std::uint32_t& error = systemError != nullptr ? *systemError : ignored;
    error = 0;
    header_.version = ReportTypeVersion;
    ++header_.revision;
    if (path_[0] == '\0')
        return false;

    const char* script = Script();
    const std::size_t scriptLength = std::strlen(script);
    std::string content(ReportTypeHeaderSize + scriptLength, '\0');
    EncodeReportTypeHeader(header_, reinterpret_cast<std::uint8_t*>(content.data()));
    std::memcpy(content.data() + ReportTypeHeaderSize, script, scriptLength);
    if (!platform::ReplaceFileContent(path_, content.data(), content.size(), &error))
        return false;
    modified_ = false;
    return true;
}

void ReportType::SaveAsPath(const char* path)
{
    CopyBounded(path_, sizeof path_, path);
    header_.revision = 1;
}

bool ReportType::UpgradeHeader2048(const std::uint8_t* old)
{
    return ReadLayout(old, ReportType2048HeaderSize, header_);
}

bool ReportType::UpgradeHeader3460(const std::uint8_t* old)
{
    return ReadLayout(old, ReportType3460HeaderSize, header_);
}
