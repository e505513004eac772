// The given-names database: a small engine database of its own in the program folder, shared by every
// family-history database, that records which given names are variants of one main name. Its one table
// NAMES (table id 1) has a 40-byte row: the name (indexed), the main name's id (indexed; 0 for a main
// name) and an unused long-text column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/tolvane.h"

inline constexpr char GivenNamesFileName[] = "Vestrada.ndb";
inline constexpr std::int32_t GivenNamesTable = 1;
inline constexpr std::int32_t GivenNameColumn = 1;
inline constexpr std::int32_t GivenNameMainColumn = 2;
inline constexpr std::size_t GivenNameSize = 32; // at most 31 characters

#pragma pack(push, 1)
struct GivenNameRow {
    char name[GivenNameSize];
    std::int32_t mainId; // 0: a main name; otherwise the main name of which this is a variant
    std::int32_t unused; // always 0
};
#pragma pack(pop)
static_assert(sizeof(GivenNameRow) == 40, "a NAMES row is 40 bytes");

// The file's path in `folder` (the program folder).
std::string GivenNamesPath(const std::string& folder);

// Opens the file in `folder`; creates it (with its one table) only when no file of that name exists, so
// a file that is locked or damaged is never written over. Null when it can be neither opened nor created.
DatabaseFile* OpenGivenNamesDatabase(const std::string& folder);
// Creates a new file with the empty NAMES table; null (and no file left) on failure.
DatabaseFile* CreateGivenNamesDatabase(const std::string& path);
void CloseGivenNamesDatabase(DatabaseFile* file);
// Writes a new row (the name cut to 31 characters) in the caller's read-write transaction; its id, or 0.
std::int32_t AddGivenName(DatabaseFile* file, const char* name, std::int32_t mainId);

class GivenNameRecord {
public:
    explicit GivenNameRecord(DatabaseFile* file) : file_(file) {}

    // The first row in index order whose name equals `name`: 1 and the row read, or 0 with the id 0 and
    // the row as it was. In the caller's transaction.
    int FindNext(const char* name);
    // Reads the rows whose main-name id equals the object's id, in collection order, in a read-only
    // transaction; an id of 0 collects every main name. The walk uses the id as its cursor, so the id
    // is 0 afterwards.
    void LoadVariants();

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    const std::vector<GivenNameRow>& Variants() const { return variants_; }

    GivenNameRow row = {};

private:
    DatabaseFile* file_;
    std::int32_t id_ = 0;
    std::vector<GivenNameRow> variants_;
};

// The names that count as variants of `name` for the person search, in a transaction of the caller: a
// main name and every variant of it, found from the main name or from any of its variants. Empty when the
// database does not hold the name.
std::vector<std::string> GivenNameGroup(DatabaseFile* file, const char* name);
