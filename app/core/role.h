// Roles: the part a person plays in an event (witness, godparent, officiant ...). Each participant link of
// an event names its role by the id of a ROLE row; a role has a name and an optional note.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/note_text.h"
#include "core/table_row.h"

class Database;

inline constexpr std::size_t RoleRowSize = 36;
inline constexpr std::size_t RoleNameSize = 32; // at most 31 characters
inline constexpr std::uint8_t RoleNoteOwnerType = 3;

struct RoleRow {
    char name[RoleNameSize];
    std::int32_t noteId; // first row of the note chain, 0 when none
};

void EncodeRoleRow(const RoleRow& row, std::uint8_t (&bytes)[RoleRowSize]);
void DecodeRoleRow(const std::uint8_t (&bytes)[RoleRowSize], RoleRow& row);

class RoleRecord : public TableRow {
public:
    explicit RoleRecord(Database& database) : TableRow(database) {}

    // Reads the row of `id`; keeps the id on success, else sets it to 0. The engine's result (0 success).
    // Runs inside the caller's transaction.
    std::int32_t Read(std::int32_t id);
    // Makes the note object when there is none and loads the chain the row names, in a transaction of its own.
    void LoadNote();
    // Takes a new id when the role has none, saves the note (when held) with the role as its owner, writes
    // the row. Runs inside the caller's read-write transaction; true when done (the engine's error in the
    // database's LastError otherwise).
    bool Save();
    // Copies at most 31 characters of `name`.
    void SetName(const char* name);

    NoteText* Note() { return note_.get(); }

    RoleRow row{};

private:
    std::unique_ptr<NoteText> note_;
};

// A new role of that name (cut to 31 characters); its id, or 0 when the engine fails. Runs inside the
// caller's read-write transaction.
std::int32_t CreateRole(const char* name, Database& database);

enum class RoleDeletion {
    Deleted,
    InUse,  // an event's participant link names the role: deleting it would leave that link naming a
            // freed id, which the next new role takes over
    Failed, // the role cannot be read or the engine refused
};
// Deletes the role with its note, unless an event link uses it. Runs inside the caller's read-write
// transaction.
RoleDeletion DeleteRole(std::int32_t id, Database& database);
// True when a participant link of an event names the role. Runs inside the caller's transaction.
bool IsRoleInUse(std::int32_t id, Database& database);

// Trims blanks, tabs, CRs and LFs from both ends of `name` (in place) and answers the id of the first role
// of exactly that name, or creates one (inside the caller's read-write transaction). 0 when creation fails.
std::int32_t FindOrCreateRole(char* name, Database& database);

// Creates a role for each non-empty comma-separated piece of the language text STANDARD_ROLES (at most
// 255 characters), untrimmed and in order. Runs inside the caller's read-write transaction; false when
// the engine fails.
bool SeedStandardRoles(Database& database);
