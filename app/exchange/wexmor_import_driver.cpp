// The driver of the Wexmor import: the file, the transaction, the order of the sections and the log.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/notice_sink.h"
#include "exchange/import_log.h"
#include "exchange/wexmor_import.h"
#include "language/language_table.h"
#include "platform/file.h"

namespace {

// Changed blocks the import's transaction holds before it writes them early: 8 MB.
constexpr std::int32_t ImportSpillBlocks = 1024;

// One element of a section: create an empty record, read the next element into it, hand it to the
// importer when it was read, release it. The reader's answer.
template <typename Record>
int ReadElement(WexmorFile* file, Record* (*create)(), int (*import)(WexmorFile*, int, Record*),
                void (*release)(Record*), WexmorImportContext& context, void (WexmorImportContext::*handle)(Record*))
{
    Record* record = create();
    if (record == nullptr)
        return WZ_IMPORT_NO_MEMORY;
    const int result = import(file, WZ_NEXT, record);
    if (result == 0)
        (context.*handle)(record);
    release(record);
    return result;
}

// Whether an element of the record's type stands next (read or malformed): only its end code says no.
template <typename Record>
bool ElementNext(WexmorFile* file, Record* (*create)(), int (*import)(WexmorFile*, int, Record*),
                 void (*release)(Record*), int endCode)
{
    Record* record = create();
    if (record == nullptr)
        return false;
    const int result = import(file, WZ_NEXT, record);
    release(record);
    return result != endCode;
}

struct SectionInfo {
    int endCode;
    const char* countKey; // null: the section writes no count line
};

SectionInfo InfoOf(WexmorSection section)
{
    switch (section) {
    case WexmorSection::Repositories:
        return {WZ_END_REPOSITORY, nullptr};
    case WexmorSection::Sources:
        return {WZ_END_SOURCE, nullptr};
    case WexmorSection::Excerpts:
        return {WZ_END_EXCERPT, nullptr};
    case WexmorSection::EventTypes:
        return {WZ_END_EVENTTYPE, nullptr};
    case WexmorSection::Persons:
        return {WZ_END_PERSON, LanguageKey("IMPORT_MESSAGE_PERSONS")};
    case WexmorSection::Assertions:
        return {WZ_END_ASSERTION, LanguageKey("IMPORT_MESSAGE_ASSERTIONS")};
    case WexmorSection::Objectives:
        return {WZ_END_OBJECTIVE, LanguageKey("IMPORT_MESSAGE_OBJECTIVES")};
    case WexmorSection::Tasks:
        return {WZ_END_TASK, LanguageKey("IMPORT_MESSAGE_TASKS")};
    case WexmorSection::End:
        break;
    }
    return {0, nullptr};
}

// True when the file's last characters, blanks apart, are the root's end tag: a file cut off after its
// last complete element is no whole file.
bool EndsWithRootEndTag(const char* path)
{
    platform::FileOpenOptions options;
    platform::File file = platform::File::Open(path, options);
    if (!file.IsOpen())
        return false;
    const std::int64_t size = file.Size();
    if (size <= 0)
        return false;
    char tail[256] = {};
    const std::uint64_t length = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), sizeof tail);
    if (file.ReadAt(static_cast<std::uint64_t>(size) - length, tail, length) != static_cast<std::int64_t>(length))
        return false;
    std::size_t end = length;
    while (end > 0 && (tail[end - 1] == ' ' || tail[end - 1] == '\r' || tail[end - 1] == '\n' ||
                       tail[end - 1] == '\t' || tail[end - 1] == '\0'))
        --end;
    static constexpr char RootEnd[] = "</wexmor>";
    constexpr std::size_t rootEndLength = sizeof RootEnd - 1;
    if (end < rootEndLength)
        return false;
    for (std::size_t i = 0; i < rootEndLength; ++i) {
        char c = tail[end - rootEndLength + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != RootEnd[i])
            return false;
    }
    return true;
}

} // namespace

void WriteImportLog(ImportWizardData& block, std::string_view text)
{
    if (block.log != nullptr)
        block.log->Write(text);
}

void WriteImportError(ImportWizardData& block, WexmorFile* file, int error)
{
    const std::string key = "IMPORT_ERROR" + std::to_string(error);
    WriteImportLog(block, GetLanguageText(key.c_str()));
    WriteImportLog(block, "\r\n\r\n");
    if (file == nullptr)
        return;
    const int length = GetErrorStructure(nullptr, 0, file);
    if (length <= 0)
        return;
    std::vector<char> context(static_cast<std::size_t>(length) + 1);
    GetErrorStructure(context.data(), length + 1, file);
    WriteImportLog(block, std::string_view(context.data(), std::strlen(context.data())));
    WriteImportLog(block, "\r\n\r\n");
}

WexmorImportDriver::WexmorImportDriver(Database& database, ImportWizardData& block)
    : database_(database), block_(block), context_(database, block)
{
}

WexmorImportDriver::~WexmorImportDriver()
{
    Close();
}

WexmorImportDriver::Opening WexmorImportDriver::Open()
{
    Close();
    status_ = Status::Failed;
    endsProperly_ = EndsWithRootEndTag(block_.inputPath);
    file_ = CreateWZFile(block_.inputPath, WZ_MODE_READ);
    if (file_ == nullptr) {
        block_.failed = 1;
        return Opening::NotOpened;
    }
    closed_ = false;
    savedHeader_ = database_.header;
    // The import's one transaction changes every block it writes: it writes them to the file early in small
    // batches, so that what it holds stays small however large the file.
    tlvSetSpillBatch(ImportSpillBlocks, database_.file);
    transaction_ = std::make_unique<EngineTransaction>(database_.file, TLV_READWRITE);
    WZHeader* header = CreateHeader();
    const int result = transaction_->Running() && header != nullptr ? HeaderImport(file_, WZ_NEXT, header) : -1;
    if (result != 0) {
        ReleaseHeader(header);
        block_.failed = 1;
        Close();
        return Opening::HeaderFailed;
    }
    context_.ImportHeader(header);
    ReleaseHeader(header);
    status_ = Status::Running;
    section_ = WexmorSection::Repositories;
    count_ = 0;
    if (context_.WriteFailed())
        FailWith(WexmorImportDatabaseRefused, false);
    return Opening::Opened;
}

WexmorImportDriver::Status WexmorImportDriver::Step()
{
    if (status_ != Status::Running)
        return status_;
    WexmorImportContext& c = context_;
    int result = 0;
    switch (section_) {
    case WexmorSection::Repositories:
        result = ReadElement(file_, CreateRepository, RepositoryImport, ReleaseRepository, c,
                             &WexmorImportContext::ImportRepository);
        break;
    case WexmorSection::Sources:
        result = ReadElement(file_, CreateSource, SourceImport, ReleaseSource, c, &WexmorImportContext::ImportSource);
        break;
    case WexmorSection::Excerpts:
        result = ReadElement(file_, CreateExcerpt, ExcerptImport, ReleaseExcerpt, c,
                             &WexmorImportContext::ImportExcerpt);
        break;
    case WexmorSection::EventTypes:
        result = ReadElement(file_, CreateEventtype, EventtypeImport, ReleaseEventtype, c,
                             &WexmorImportContext::ImportEventType);
        break;
    case WexmorSection::Persons:
        result = ReadElement(file_, CreatePerson, PersonImport, ReleasePerson, c, &WexmorImportContext::ImportPerson);
        break;
    case WexmorSection::Assertions:
        result = ReadElement(file_, CreateAssertion, AssertionImport, ReleaseAssertion, c,
                             &WexmorImportContext::ImportAssertion);
        break;
    case WexmorSection::Objectives:
        result = ReadElement(file_, CreateObjective, ObjectiveImport, ReleaseObjective, c,
                             &WexmorImportContext::ImportObjective);
        break;
    case WexmorSection::Tasks:
        result = ReadElement(file_, CreateTask, TaskImport, ReleaseTask, c, &WexmorImportContext::ImportTask);
        break;
    case WexmorSection::End:
        if (!AtEndOfFile()) {
            FailWith(WexmorImportNotAtEnd, false);
            return status_;
        }
        status_ = Status::Finished;
        return status_;
    }
    const SectionInfo info = InfoOf(section_);
    if (result == 0) {
        ++count_;
        if (context_.WriteFailed())
            FailWith(WexmorImportDatabaseRefused, info.countKey != nullptr);
        return status_;
    }
    if (result == info.endCode) {
        EndSection(info.countKey != nullptr, count_);
        section_ = static_cast<WexmorSection>(static_cast<int>(section_) + 1);
        count_ = 0;
        return status_;
    }
    FailWith(result, info.countKey != nullptr);
    return status_;
}

WexmorImportDriver::Status WexmorImportDriver::Run()
{
    while (Step() == Status::Running) {
    }
    return status_;
}

void WexmorImportDriver::EndSection(bool counted, int count)
{
    if (!counted)
        return;
    std::string line = SubstituteText(GetLanguageText(InfoOf(section_).countKey), {std::to_string(count)});
    if (line.size() > 123)
        line.resize(123);
    line += "\r\n\r\n";
    WriteImportLog(block_, line);
}

void WexmorImportDriver::FailWith(int error, bool writeCount)
{
    if (writeCount)
        EndSection(true, count_);
    if (error == WexmorImportDatabaseRefused) {
        const std::int32_t code = context_.EngineError();
        const char* key = code == TLV_ERROR_LIMIT ? LanguageKey("IMPORT_DATABASE_FULL")
                                                  : LanguageKey("IMPORT_DATABASE_REFUSED");
        WriteImportLog(block_, SubstituteText(GetLanguageText(key), {std::to_string(code)}));
        WriteImportLog(block_, "\r\n\r\n");
    } else {
        WriteImportError(block_, error == WexmorImportNotAtEnd ? nullptr : file_, error);
    }
    block_.failed = 1;
    status_ = Status::Failed;
}

bool WexmorImportDriver::AtEndOfFile()
{
    const bool elementNext =
        ElementNext(file_, CreateRepository, RepositoryImport, ReleaseRepository, WZ_END_REPOSITORY) ||
        ElementNext(file_, CreateSource, SourceImport, ReleaseSource, WZ_END_SOURCE) ||
        ElementNext(file_, CreateExcerpt, ExcerptImport, ReleaseExcerpt, WZ_END_EXCERPT) ||
        ElementNext(file_, CreateEventtype, EventtypeImport, ReleaseEventtype, WZ_END_EVENTTYPE) ||
        ElementNext(file_, CreatePerson, PersonImport, ReleasePerson, WZ_END_PERSON) ||
        ElementNext(file_, CreateAssertion, AssertionImport, ReleaseAssertion, WZ_END_ASSERTION) ||
        ElementNext(file_, CreateObjective, ObjectiveImport, ReleaseObjective, WZ_END_OBJECTIVE) ||
        ElementNext(file_, CreateTask, TaskImport, ReleaseTask, WZ_END_TASK);
    return !elementNext && endsProperly_;
}

void WexmorImportDriver::Cancel()
{
    if (status_ == Status::Finished || closed_)
        return;
    block_.failed = 1;
    status_ = Status::Failed;
}

int WexmorImportDriver::Progress() const
{
    return file_ != nullptr ? GetProgress(file_) : 0;
}

bool WexmorImportDriver::Close()
{
    if (closed_)
        return false;
    closed_ = true;
    bool stored = false;
    if (transaction_) {
        const bool commit = status_ == Status::Finished;
        stored = transaction_->End(commit) == 0 && commit;
        transaction_.reset();
        tlvSetSpillBatch(0, database_.file);
        if (!stored) {
            database_.header = savedHeader_;
            database_.Places().Clear();
        } else if (CurrentNoticeSink != nullptr) {
            // The windows already showing this database's records read them again.
            CurrentNoticeSink->Post(NoticeRecordsImported, 0, 0);
        }
    }
    if (!stored && status_ == Status::Finished) {
        // The commit itself failed (a full disk, a file grown past what the format holds): nothing of the
        // import is kept, and the log says why.
        const std::int32_t code = database_.LastError();
        const char* key = code == TLV_ERROR_LIMIT ? LanguageKey("IMPORT_DATABASE_FULL")
                                                  : LanguageKey("IMPORT_DATABASE_REFUSED");
        WriteImportLog(block_, SubstituteText(GetLanguageText(key), {std::to_string(code)}));
        WriteImportLog(block_, "\r\n\r\n");
        block_.failed = 1;
        status_ = Status::Failed;
    }
    ReleaseWZFile(file_);
    file_ = nullptr;
    return stored;
}

bool ImportWexmorFile(Database& database, ImportWizardData& block)
{
    WexmorImportDriver driver(database, block);
    if (driver.Open() != WexmorImportDriver::Opening::Opened)
        return false;
    driver.Run();
    return driver.Close();
}
