#include "core/role.h"

#include <cstring>

#include "core/assertion_link.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "platform/little_endian.h"
#include "language/language_table.h"

namespace {

constexpr std::size_t NoteIdOffset = 32;

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
    const std::int32_t result = ReadRow(TableRole, readId, bytes, sizeof bytes);
    if (result == 0)
        DecodeRoleRow(bytes, row);
    return result;
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

bool RoleRecord::Save()
{
    if (id_ == 0 && NewRowId(TableRole) == 0)
        return false;
    if (note_) {
        note_->ownerId = id_;
        note_->ownerType = RoleNoteOwnerType;
        if (!note_->Save(*database_))
            return false;
        row.noteId = note_->GetFirstId();
    }
    std::uint8_t bytes[RoleRowSize];
    EncodeRoleRow(row, bytes);
    return WriteRow(TableRole, bytes) == 0;
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
    if (!role.Save()) {
        if (role.Id() != 0)
            tlvDeleteRecord(database.TableId(TableRole), role.Id(), database.file);
        return 0;
    }
    return role.Id();
}

bool IsRoleInUse(std::int32_t id, Database& database)
{
    const std::int32_t highest = tlvNumberOfRecords(database.TableId(TableAssertionLink), database.file);
    AssertionLink link(database);
    for (std::int32_t linkId = 1; linkId <= highest; ++linkId)
        if (link.Read(linkId) == 0 && link.row.kind == AssertionEvent && link.row.roleId == id)
            return true;
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
