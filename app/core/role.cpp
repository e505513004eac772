#include "core/role.h"

#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "platform/little_endian.h"
#include "language/language_table.h"

namespace {

constexpr std::size_t NoteIdOffset = 32;

// The fields of an ASSERTIONLINK row that tell which role an event participant plays.
constexpr std::size_t LinkRowSize = 17;
constexpr std::size_t LinkKindOffset = 0;
constexpr std::size_t LinkRoleOffset = 13;
constexpr std::uint8_t LinkKindEvent = 1;

constexpr std::size_t StandardRolesSize = 256; // at most 255 characters

bool IsTrimmed(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void TrimInPlace(char* text)
{
    std::size_t length = std::strlen(text);
    while (length > 0 && IsTrimmed(text[length - 1]))
        --length;
    std::size_t start = 0;
    while (start < length && IsTrimmed(text[start]))
        ++start;
    std::memmove(text, text + start, length - start);
    text[length - start] = 0;
}

// The first role whose name is `name` as it would be stored (cut to 31 characters), so that a long name
// finds the role it created before instead of making a new one on every call.
std::int32_t FindRoleByName(const char* name, Database& database)
{
    char stored[RoleNameSize] = {};
    std::strncpy(stored, name, RoleNameSize - 1);
    RoleRecord role(database);
    std::int32_t highest = tlvNumberOfRecords(database.TableId(TableRole), database.file);
    for (std::int32_t id = 1; id <= highest; ++id) {
        if (role.Read(id) == 0 && std::strcmp(role.row.name, stored) == 0)
            return id;
    }
    return 0;
}

} // namespace

void EncodeRoleRow(const RoleRow& row, std::uint8_t (&bytes)[RoleRowSize])
{
    std::memset(bytes, 0, sizeof bytes);
    std::memcpy(bytes, row.name, RoleNameSize);
    bytes[RoleNameSize - 1] = 0;
    platform::PutI32(bytes + NoteIdOffset, row.noteId);
}

void DecodeRoleRow(const std::uint8_t (&bytes)[RoleRowSize], RoleRow& row)
{
    std::memcpy(row.name, bytes, RoleNameSize);
    row.name[RoleNameSize - 1] = 0;
    row.noteId = platform::GetI32(bytes + NoteIdOffset);
}

std::int32_t RoleRecord::Read(std::int32_t readId)
{
    std::uint8_t bytes[RoleRowSize];
    std::int32_t result = tlvReadRecord(database_->TableId(TableRole), readId, bytes, database_->file);
    if (result != 0) {
        id = 0;
        return result;
    }
    DecodeRoleRow(bytes, row);
    id = readId;
    return 0;
}

void RoleRecord::LoadNote()
{
    if (!note_)
        note_ = std::make_unique<NoteText>();
    if (row.noteId == 0)
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running())
        note_->Load(row.noteId, *database_);
}

std::int32_t RoleRecord::Save()
{
    std::int32_t table = database_->TableId(TableRole);
    if (id == 0) {
        id = tlvNewID(table, database_->file);
        if (id == 0)
            return tlvGetLastError(database_->file);
    }
    if (note_) {
        note_->ownerId = id;
        note_->ownerType = RoleNoteOwnerType;
        if (!note_->Save(*database_)) {
            // A failed note save stops at the engine call that failed, whose code this answers.
            const std::int32_t error = tlvGetLastError(database_->file);
            return error != 0 ? error : TLV_ERROR_IO;
        }
        row.noteId = note_->GetFirstId();
    }
    std::uint8_t bytes[RoleRowSize];
    EncodeRoleRow(row, bytes);
    return tlvWriteRecord(table, id, bytes, database_->file);
}

void RoleRecord::SetName(const char* name)
{
    std::memset(row.name, 0, sizeof row.name);
    if (name != nullptr)
        std::strncpy(row.name, name, RoleNameSize - 1);
}

std::int32_t CreateRole(const char* name, Database& database)
{
    RoleRecord role(database);
    role.SetName(name);
    std::int32_t table = database.TableId(TableRole);
    role.id = tlvNewID(table, database.file);
    if (role.id == 0)
        return 0;
    std::uint8_t bytes[RoleRowSize];
    EncodeRoleRow(role.row, bytes);
    if (tlvWriteRecord(table, role.id, bytes, database.file) != 0) {
        tlvDeleteRecord(table, role.id, database.file);
        return 0;
    }
    return role.id;
}

bool IsRoleInUse(std::int32_t id, Database& database)
{
    std::int32_t table = database.TableId(TableAssertionLink);
    std::int32_t highest = tlvNumberOfRecords(table, database.file);
    std::uint8_t link[LinkRowSize];
    for (std::int32_t linkId = 1; linkId <= highest; ++linkId) {
        if (tlvReadRecord(table, linkId, link, database.file) != 0)
            continue;
        if (link[LinkKindOffset] == LinkKindEvent && platform::GetI32(link + LinkRoleOffset) == id)
            return true;
    }
    return false;
}

RoleDeletion DeleteRole(std::int32_t id, Database& database)
{
    RoleRecord role(database);
    if (role.Read(id) != 0)
        return RoleDeletion::Failed;
    if (IsRoleInUse(id, database))
        return RoleDeletion::InUse;
    if (role.row.noteId != 0 && !NoteText::DeleteChain(role.row.noteId, database))
        return RoleDeletion::Failed;
    if (tlvDeleteRecord(database.TableId(TableRole), id, database.file) != 0)
        return RoleDeletion::Failed;
    return RoleDeletion::Deleted;
}

std::int32_t FindOrCreateRole(char* name, Database& database)
{
    TrimInPlace(name);
    std::int32_t found = 0;
    {
        EngineTransaction transaction(database.file, TLV_READWRITE);
        if (transaction.Running())
            found = FindRoleByName(name, database);
    }
    return found != 0 ? found : CreateRole(name, database);
}

bool SeedStandardRoles(Database& database)
{
    char roles[StandardRolesSize];
    CopyLanguageText("STANDARD_ROLES", roles, sizeof roles);
    // A language file without the key must not give a role named after the key.
    if (std::strcmp(roles, "STANDARD_ROLES") == 0)
        return true;
    char* piece = roles;
    for (;;) {
        char* comma = std::strchr(piece, ',');
        if (comma != nullptr)
            *comma = 0;
        if (piece[0] != 0 && CreateRole(piece, database) == 0)
            return false;
        if (comma == nullptr)
            return true;
        piece = comma + 1;
    }
}
