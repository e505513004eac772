#include "report/output/report_type.h"

#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "core/bounded_text.h"
#include "platform/file.h"
#include "platform/little_endian.h"
#include "report/output/record_fields.h"

using platform::GetI32;
using platform::GetU16;
using platform::GetU32;
using platform::PutI32;

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
constexpr std::size_t NoMarginsAt = 7156; // the first of the four 4-byte page options
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

// The fields the encoder writes and the layouts' readers read back, each described once over a codec
// (record_fields.h), a FieldWriter or a FieldReader.

// The version, name and description at the head of every layout.
template <class Codec, class Record> void IdentityFields(const Codec& codec, Record& header)
{
    codec.I32(VersionAt, header.version);
    codec.Text(NameAt, header.name);
    codec.Text(DescriptionAt, header.description);
}

// The title, help text and graphics flag of the current layout and of the 3460-byte one.
template <class Codec, class Record> void TitleFields(const Codec& codec, Record& header)
{
    codec.Text(TitleAt, header.reportTitle);
    codec.Text(HelpAt, header.helpText);
    codec.U32(GraphicsAt, header.graphics);
}

// The kind, variable name and label that begin an input record of every layout.
template <class Codec, class Record> void InputNameFields(const Codec& codec, Record& input)
{
    codec.U8(0, input.kind);
    codec.Text(InputVariableNameAt, input.variableName);
    codec.Text(InputLabelAt, input.label);
}

// The rest of an input record of the current layout: a select input's choices, or the flags, initial value,
// minimum and maximum of any other.
template <class Codec, class Record> void InputDetailFields(const Codec& codec, Record& input)
{
    if (input.kind == InputSelect) {
        codec.Text(0, input.choices);
    } else {
        codec.U16(0, input.flags);
        codec.U32(4, input.initialValue);
        codec.U32(8, input.minimum);
        codec.U32(12, input.maximum);
    }
}

// The page options that end every layout: no-margins flag, page size, orientation, revision.
template <class Codec, class Record> void PageOptionFields(const Codec& codec, Record& header)
{
    codec.U32(0, header.noMargins);
    codec.U32(4, header.pageSize);
    codec.U32(8, header.orientation);
    codec.U32(12, header.revision);
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

// The fields the 3460-byte layout shares with the current one: title, help text, graphics flag, input count.
bool ReadTitlesAndCount(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadInputCount(bytes + InputCountAt, ReportTypeInputCapacity, header))
        return false;
    TitleFields(FieldReader(bytes), header);
    return true;
}

bool Read7188(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadTitlesAndCount(bytes, header))
        return false;
    for (int n = 0; n < header.inputCount; ++n) {
        const FieldReader record(bytes + InputsAt + n * InputSize);
        InputNameFields(record, header.inputs[n]);
        InputDetailFields(record.At(InputDetailAt), header.inputs[n]);
    }
    PageOptionFields(FieldReader(bytes + NoMarginsAt), header);
    return true;
}

bool Read3460(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadTitlesAndCount(bytes, header))
        return false;
    for (int n = 0; n < header.inputCount; ++n) {
        const std::uint8_t* record = bytes + InputsAt + n * Input3460Size;
        ReportTypeInput& input = header.inputs[n];
        InputNameFields(FieldReader(record), input);
        input.flags = GetU16(record + Input3460FlagsAt);
        input.initialValue = GetU32(record + Input3460FlagsAt + 2);
        input.minimum = GetU32(record + Input3460FlagsAt + 6);
        input.maximum = GetU32(record + Input3460FlagsAt + 10);
    }
    PageOptionFields(FieldReader(bytes + NoMargins3460At), header);
    return true;
}

// Every upgraded input is required and starts at 0: the old layout kept no flags nor values.
bool Read2048(const std::uint8_t* bytes, ReportTypeHeader& header)
{
    if (!ReadInputCount(bytes + InputCount2048At, ReportType2048InputCapacity, header))
        return false;
    header.graphics = GetU32(bytes + Graphics2048At);
    for (int n = 0; n < header.inputCount; ++n)
        InputNameFields(FieldReader(bytes + Inputs2048At + n * Input2048Size), header.inputs[n]);
    PageOptionFields(FieldReader(bytes + NoMargins2048At), header);
    return true;
}

// The header of the layout its version calls for, into a fresh header (so that nothing of the object's
// earlier header, nor of the script behind a short header, carries over).
bool ReadLayout(const std::uint8_t* bytes, std::size_t layoutSize, ReportTypeHeader& header)
{
    ReportTypeHeader read;
    IdentityFields(FieldReader(bytes), read);
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
    const FieldWriter writer(bytes);
    IdentityFields(writer, header);
    TitleFields(writer, header);
    const std::int32_t count =
        header.inputCount < 0 ? 0 : (header.inputCount > ReportTypeInputCapacity ? ReportTypeInputCapacity
                                                                                  : header.inputCount);
    PutI32(bytes + InputCountAt, count);
    for (int n = 0; n < count; ++n) {
        const FieldWriter record = writer.At(InputsAt + n * InputSize);
        InputNameFields(record, header.inputs[n]);
        InputDetailFields(record.At(InputDetailAt), header.inputs[n]);
    }
    PageOptionFields(writer.At(NoMarginsAt), header);
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
