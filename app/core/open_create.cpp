#include "core/open_create.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/schema.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "core/event_type.h"
#include "core/role.h"
#include "platform/file.h"
#include "platform/file_lock.h"

namespace {

constexpr std::int32_t EngineMemoryKilobytes = 2048;
constexpr std::uint8_t HeaderColumnCount = 12;
constexpr std::int32_t HeaderRecordId = 1;
constexpr std::size_t TitleSize = sizeof(DatabaseHeader::title);

DatabasePrompts* Prompts = nullptr;

void ShowError(void* owner, const char* key)
{
    if (Prompts != nullptr)
        Prompts->ShowError(owner, GetLanguageText(key));
}

// The part of a path after its last folder separator, or the whole path. Both separators count: Windows
// takes '/' as well, and the native build knows no other.
const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* at = path; *at != 0; ++at) {
        if (*at == '\\' || *at == '/')
            name = at + 1;
    }
    return name;
}

bool HasFolder(const char* path)
{
    return FileNamePart(path) != path;
}

// A file name of 4 to 42 characters without its last four (the extension); otherwise its first 39.
void SetTitleFromFileName(DatabaseHeader& header, const char* path)
{
    const char* name = FileNamePart(path);
    std::size_t length = std::strlen(name);
    std::size_t kept = length >= 4 && length <= 42 ? length - 4 : length;
    if (kept > TitleSize - 1)
        kept = TitleSize - 1;
    std::memset(header.title, 0, TitleSize);
    std::memcpy(header.title, name, kept);
}

// Looks the tables up and reads the header; false when the file is not a database of this program.
bool ReadHeader(Database& database)
{
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return false;
    LookUpTableIds(database);
    // A missing MAIN2 (0) is as fatal as a failed lookup (-1): nothing after this could be trusted.
    if (database.tableIds[TableMain2] <= 0 || !TableRowsFitSchema(database))
        return false;
    TableDefinition definition{};
    if (tlvGetTable(database.TableId(TableMain2), &definition, database.file) != 0 ||
        definition.columnCount != HeaderColumnCount)
        return false;
    // TableRowsFitSchema has made sure the header row fits the header.
    return tlvReadRecord(database.TableId(TableMain2), HeaderRecordId, &database.header, database.file) == 0;
}

// Asks before converting an older database; true when it may be opened.
bool OfferUpgrade(Database& database, void* owner, DatabaseUpgrade upgrade)
{
    if (Prompts == nullptr ||
        !Prompts->AskYesNo(owner, GetLanguageText("DATABASE_UPGRADE"), FileNamePart(database.path)))
        return false;
    Prompts->ShowWaitCursor(true);
    bool upgraded = upgrade(database);
    Prompts->ShowWaitCursor(false);
    if (!upgraded) {
        ShowError(owner, LanguageKey("DATABASE_UPGRADE_FAILED"));
        return false;
    }
    Prompts->ShowInformation(owner, GetLanguageText("DATABASE_UPGRADED"));
    return true;
}

// Fills a new file inside one read-write transaction; false when the engine fails anywhere.
bool FillNewDatabase(Database& database, const char* path, bool withStandardData)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        return false;
    bool filled = AddSchemaTables(database);
    if (filled) {
        database.InitHeader();
        SetTitleFromFileName(database.header, path);
        std::int32_t main2 = database.TableId(TableMain2);
        filled = tlvNewID(main2, database.file) == HeaderRecordId &&
                 tlvWriteRecord(main2, HeaderRecordId, &database.header, database.file) == 0;
    }
    database.SetPath(path);
    if (filled && withStandardData)
        filled = SeedEventTypes(database) && SeedStandardRoles(database);
    if (!filled) {
        transaction.End(false);
        return false;
    }
    return transaction.End(true) == 0;
}

} // namespace

DatabasePrompts* SetDatabasePrompts(DatabasePrompts* prompts)
{
    DatabasePrompts* previous = Prompts;
    Prompts = prompts;
    return previous;
}

Database* OpenDatabase(void* owner, const char* path, DatabaseUpgrade upgrade)
{
    DatabaseFile* file = path != nullptr ? tlvOpenDatabaseEx(path, 0) : nullptr;
    if (file == nullptr) {
        // The engine keeps a second writer out (another copy of the program, say): that is no damaged file.
        bool inUse = path != nullptr && platform::FileExists(path) &&
                     platform::FileLock::Take(path).State() == platform::FileLockState::HeldElsewhere;
        ShowError(owner, LanguageKey(inUse ? "DATABASE_IN_USE" : "DATABASE_ERROR"));
        return nullptr;
    }
    tlvSetMemory(EngineMemoryKilobytes, file);
    auto database = std::make_unique<Database>();
    database->file = file;
    // A journal still beside the file after the open: the engine could not put back an interrupted save
    // here and shows the database as it was before that save, without letting it be changed.
    if (platform::FileExists(std::string(path) + TLV_JOURNAL_SUFFIX) && Prompts != nullptr)
        Prompts->ShowInformation(owner, GetLanguageText("DATABASE_RECOVERY_READ_ONLY"));

    if (!ReadHeader(*database)) {
        ShowError(owner, LanguageKey("DATABASE_ERROR"));
        return nullptr;
    }
    int version = database->header.version;
    if (version > DatabaseVersionNewest) {
        ShowError(owner, LanguageKey("DATABASE_VERSION_NEWER"));
        return nullptr;
    }
    if (version < OldestOpenableDatabaseVersion || (version < DatabaseVersionCreated && upgrade == nullptr)) {
        ShowError(owner, LanguageKey("DATABASE_VERSION_OLDER"));
        return nullptr;
    }
    database->SetPath(path);
    if (version < DatabaseVersionCreated && !OfferUpgrade(*database, owner, upgrade))
        return nullptr;

    if (CurrentSettings.general.BakChkOpen != 0 && Prompts != nullptr)
        Prompts->CheckBackupReminder(*database, owner, &CurrentSettings.general.BakChkOpen, "General", "BakChkOpen");
    return database.release();
}

Database* CreateDatabase(const char* path, bool withStandardData)
{
    if (path == nullptr || !HasFolder(path))
        return nullptr;
    DatabaseFile* file = tlvCreateDatabaseEx(path, 0);
    if (file == nullptr)
        return nullptr;
    tlvSetMemory(EngineMemoryKilobytes, file);
    auto database = std::make_unique<Database>();
    database->file = file;
    if (!FillNewDatabase(*database, path, withStandardData)) {
        // The file was made by this call: leave nothing half-made behind.
        database.reset();
        platform::RemoveFile(path);
        return nullptr;
    }
    return database.release();
}
