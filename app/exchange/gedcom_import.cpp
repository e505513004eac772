#include "exchange/gedcom_import.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/bounded_text.h"
#include "exchange/import_log.h"
#include "exchange/wexmor_import.h"
#include "gedcom/log_codes.h"
#include "language/language_table.h"
#include "platform/bulk_memory.h"
#include "platform/file.h"
#include "platform/temp_file.h"

#ifndef _WIN32
#include "gedcom/convert.h"
#endif

namespace {

// The tags of the type codes 1000 + n.
constexpr const char* TypeTags[] = {
    "BIRT", "CHR",  "DEAT", "BURI", "CREM", "ADOP", "BAPM", "BARM", "BASM", "BLES", "CHRA", "CONF", "FCOM",
    "ORDN", "NATU", "EMIG", "IMMI", "CENS", "PROB", "WILL", "GRAD", "RETI", "RESI", "CAST", "DSCR", "EDUC",
    "IDNO", "NATI", "NCHI", "NMR",  "OCCU", "PROP", "RELI", "SSN",  "TITL", "ANUL", "DIV",  "DIVF", "ENGA",
    "MARR", "MARB", "MARC", "MARL", "MARS", "BAPL", "CONL", "ENDL", "SLGC", "SLGS", "EMAIL", "UID",
};
constexpr std::int32_t FirstTypeCode = 1000;
constexpr std::int32_t TypeCodeCount = static_cast<std::int32_t>(sizeof TypeTags / sizeof TypeTags[0]);
static_assert(TypeCodeCount == 51, "the type codes run from 1000 to 1050");

#ifndef _WIN32
// The portable converter over real files: the input read whole, the output and the log written as the
// converter produces them.
class FileConvertHost : public pendrax::ConvertHost {
public:
    FileConvertHost(const ConvertParams& params, ImportLog* log, const std::function<bool(int)>& progress,
                    const std::string& inputFolder)
        : params_(params), log_(log), progress_(progress), media_(inputFolder)
    {
    }
    std::string Text(std::int32_t code) override
    {
        const char* text = params_.getText != nullptr ? params_.getText(code) : nullptr;
        return text != nullptr ? text : "";
    }
    void WriteLog(std::string_view bytes) override
    {
        if (log_ != nullptr)
            log_->Write(bytes);
    }
    bool Progress(int percent) override { return !progress_ || progress_(percent); }
    bool CreateOutput() override
    {
        platform::FileOpenOptions options;
        options.access = platform::FileAccess::ReadWrite;
        options.disposition = platform::FileDisposition::CreateAlways;
        output_ = platform::File::Open(params_.outputPath, options);
        written_ = 0;
        return output_.IsOpen();
    }
    void WriteOutput(std::string_view bytes) override
    {
        if (output_.IsOpen() && output_.WriteAt(written_, bytes.data(), bytes.size()))
            written_ += bytes.size();
    }
    void DiscardOutput() override { output_.Close(); }
    pendrax::MediaFiles& Media() override { return media_; }
    void Done() { output_.Close(); }
    // The input read so far leaves memory, in steps, when it is a view of the file.
    void InputRead(std::uint64_t offset) override
    {
        constexpr std::uint64_t Step = 4 << 20;
        const std::uint64_t end = std::min<std::uint64_t>(offset, input_.size()) / Step * Step;
        if (!inputIsView_ || end <= released_)
            return;
        platform::File::DropViewPages(input_.data() + released_, static_cast<std::size_t>(end - released_));
        released_ = end;
    }
    void SetInput(std::span<const std::uint8_t> input, bool isView)
    {
        input_ = input;
        inputIsView_ = isView;
    }

private:
    const ConvertParams& params_;
    ImportLog* log_;
    const std::function<bool(int)>& progress_;
    pendrax::SystemMediaFiles media_;
    platform::File output_;
    std::uint64_t written_ = 0;
    std::span<const std::uint8_t> input_;
    bool inputIsView_ = false;
    std::uint64_t released_ = 0;
};
#endif

} // namespace

const char* GedcomTypeCodeTag(std::int32_t code)
{
    if (code < FirstTypeCode || code >= FirstTypeCode + TypeCodeCount)
        return nullptr;
    return TypeTags[code - FirstTypeCode];
}

const char* PENDRAX_CALL GedcomImportMessageText(std::int32_t code)
{
    static char key[32];
    if (const char* tag = GedcomTypeCodeTag(code)) {
        CopyBounded(key, sizeof key, "GEDCOM_");
        AppendBounded(key, sizeof key, tag);
    } else if (code == pendrax::TextFamily) {
        CopyBounded(key, sizeof key, LanguageKey("GEDCOM_FAMILY"));
    } else {
        CopyBounded(key, sizeof key, "GEDCOM_IMPORT_ERROR");
        AppendBounded(key, sizeof key, std::to_string(code).c_str());
    }
    return GetLanguageText(key);
}

GedcomImport::GedcomImport(ImportWizardData& block) : block_(block), converted_(block) {}

GedcomImport::~GedcomImport()
{
    if (!temporary_.empty())
        platform::RemoveFile(temporary_);
}

bool GedcomImport::Prepare()
{
    temporary_ = platform::NewTemporaryPath("VES");
    if (temporary_.empty() || temporary_.size() >= ImportPathSize)
        return false;
    converted_ = block_;
    CopyBounded(converted_.inputPath, sizeof converted_.inputPath, temporary_.c_str());
    params_ = ConvertParams {};
    params_.size = 60;
    params_.inputPath = block_.inputPath;
    params_.outputPath = converted_.inputPath;
#ifdef _WIN32
    params_.logFile = block_.log != nullptr && block_.log->IsOpen() ? block_.log->File().NativeHandle() : nullptr;
#endif
    params_.logLevel = 0;
    params_.getText = GedcomImportMessageText;
    params_.givenNameFirst = block_.gedcomGivenName;
    params_.structuredNames = block_.gedcomStructuredName;
    params_.defaultGregorian = block_.gedcomGregorian;
    // A date the converter cannot read is kept as the text the user wrote, never dropped or guessed.
    params_.keepUnreadDates = 1;
    // An alias name is another name of the person: it is kept as one.
    params_.aliasAsName = 1;
    params_.readExtensions = block_.gedcomUserDefined;
    // Media files are read into the converted file and so into the database: nothing is copied into the
    // current folder, which is no place of the user's choosing.
    params_.copyObjectFiles = 0;
    params_.eventExtras = block_.gedcomEventAdd;
    params_.personNumbers = block_.gedcomPersonAdd;
    return true;
}

std::int32_t GedcomImport::Convert(void* dialog, const std::function<bool(int)>& progress)
{
#ifdef _WIN32
    (void)progress;
    // The converter appends to the log through its handle: what the log holds goes first.
    if (block_.log != nullptr)
        block_.log->Flush();
    return ConvertFile(&params_, dialog);
#else
    (void)dialog;
    FileConvertHost host(params_, block_.log, progress, std::string(ImportFolderOf(block_.inputPath)));
    // Read with others: the file may be open in another program, or read by another import at once.
    platform::FileOpenOptions reading;
    reading.share = platform::FileShare::Read;
    platform::File input = platform::File::Open(block_.inputPath, reading);
    std::vector<std::uint8_t> bytes;
    std::span<const std::uint8_t> view;
    const std::int64_t size = input.IsOpen() ? input.Size() : -1;
    // The input is read in place where the file can be mapped, so that what was read can leave memory;
    // otherwise it is read whole.
    const std::uint8_t* mapped = size > 0 ? input.PrivateView(0, static_cast<std::size_t>(size)) : nullptr;
    if (mapped != nullptr) {
        view = std::span<const std::uint8_t>(mapped, static_cast<std::size_t>(size));
    } else if (size >= 0) {
        bytes.resize(static_cast<std::size_t>(size));
        if (size > 0 && input.ReadAt(0, bytes.data(), bytes.size()) != size)
            return pendrax::ConvertReadFailed;
        view = bytes;
    }
    if (!input.IsOpen() || size < 0) {
        host.WriteLog(host.Text(pendrax::LogInputNotOpened));
        return pendrax::ConvertReadFailed;
    }
    host.SetInput(view, mapped != nullptr);
    const std::int32_t result = pendrax::Convert(view, pendrax::ConvertOptions {params_.logLevel,
                                                                                 params_.givenNameFirst != 0,
                                                                                 params_.structuredNames != 0,
                                                                                 params_.defaultGregorian != 0,
                                                                                 params_.keepUnreadDates != 0,
                                                                                 params_.aliasAsName != 0,
                                                                                 params_.readExtensions != 0,
                                                                                 params_.copyObjectFiles,
                                                                                 params_.eventExtras,
                                                                                 params_.personNumbers},
                                                 host);
    host.Done();
    input.Close();
    // The converter's records are all freed now: their pages go back before the database write begins.
    platform::ReturnFreeHeapMemory();
    return result;
#endif
}

bool ImportGedcomFile(Database& database, ImportWizardData& block)
{
    GedcomImport import(block);
    if (!import.Prepare() || import.Convert(nullptr, {}) != CONVERT_OK) {
        block.failed = 1;
        return false;
    }
    const bool stored = ImportWexmorFile(database, import.ConvertedBlock());
    block.failed = import.ConvertedBlock().failed;
    return stored;
}
