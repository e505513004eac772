// Event and attribute types: the rows of the table EVENTTYPE. Events and attributes name their type by
// record id. A new database is seeded with the built-in types of the language in use (EVENTTYPE<n> and
// ATTRIBUTETYPE<n>), so type names follow the language in which the database was created.
//
// Reads and writes run inside the caller's engine transaction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/event_type_row.h"
#include "core/event_type_tables.h"
#include "core/table_row.h"

class Database;

inline constexpr std::size_t EventTypeRowSize = event_type_row::Size;
inline constexpr std::size_t EventTypeNameSize = 32;     // at most 31 characters
inline constexpr std::size_t EventTypeTemplateSize = 64; // at most 63 characters

// The fields of one EVENTTYPE row.
struct EventTypeRow {
    char name[EventTypeNameSize];
    std::int16_t classCode;  // index into the class table of the kind
    std::int16_t gedcomTag;  // index into the GEDCOM tag table, -1 none
    std::uint8_t kind;       // EventTypeKindEvent or EventTypeKindAttribute
    std::uint8_t principals; // 0, 1 or 2 (2: a family event)
    char principalTemplate[EventTypeTemplateSize];
    char witnessTemplate[EventTypeTemplateSize];
    std::uint32_t print;        // the edit dialog's print box
    std::uint8_t attributeKind; // attribute types: AttributeKindText, Numeric or Flag
};

// The stored layout of a row: explicit little-endian fields at their column offsets.
void EncodeEventTypeRow(const EventTypeRow& row, std::uint8_t (&bytes)[EventTypeRowSize]);
void DecodeEventTypeRow(const std::uint8_t (&bytes)[EventTypeRowSize], EventTypeRow& row);

class EventType : public TableRow {
public:
    // A new type: id 0, all fields zero but kind 1, principals 1 and no GEDCOM tag.
    explicit EventType(Database& database);
    // The type of `id`, read at once (id 0 when the read fails).
    EventType(std::int32_t id, Database& database);

    // Reads the row of `id`; on failure the id becomes 0. Answers the engine's result (0 success).
    std::int32_t Read(std::int32_t id);
    // Reads the first used row with an id not below `fromId` and takes its id; 0 at the end.
    std::int32_t ReadNext(std::int32_t fromId);
    // Writes the row under the object's id; the engine's result (0 success).
    std::int32_t Write();
    // Takes a new id when the type has none, then writes the row; true when done (the engine's error in
    // the database's LastError otherwise).
    bool Save();

    // Fill the object from the language text EVENTTYPE<n> or ATTRIBUTETYPE<n>; false when the key is missing
    // or the text lacks a required field. The attribute loader leaves the principals, the witness template,
    // the print word and every optional field it does not find as the object holds them.
    bool LoadBuiltInEvent(int n);
    bool LoadBuiltInAttribute(int n);

    // Load the built-in types in key order until one matches every criterion given (null name, -1 class,
    // principals or tag: not compared; the name compared exactly). False when the list ends first.
    bool FindBuiltInEvent(const char* name, int classCode, int principals, int gedcomTag);
    bool FindBuiltInAttribute(const char* name, int attributeKind, int classCode, int gedcomTag);

    bool IsBirth() const;
    bool IsDeath() const;

    EventTypeRow row{};
};

// Writes the built-in event types, then the built-in attribute types, each under a new id, with one object
// for all of them. Runs inside the caller's read-write transaction; false when the engine fails.
bool SeedEventTypes(Database& database);

// A new row; the id, or 0 when the engine fails. Missing templates take the standard templates of the kind.
std::int32_t CreateEventType(const char* name, int attributeKind, int classCode, int gedcomTag, int kind,
                             int principals, std::uint32_t print, const char* principalTemplate,
                             const char* witnessTemplate, Database& database);

// Reads every stored type in id order and hands each to `visit`, stopping at the first for which it answers
// true; that type's id, or 0 when it never did. Inside the caller's transaction.
std::int32_t VisitEventTypes(Database& database,
                             const std::function<bool(std::int32_t id, const EventTypeRow& row)>& visit);

// The first id, in id order, of a row that matches: the name when given, the attribute kind and kind always,
// the class, principals (a row with 0 principals matches any) and tag when not -1. 0 when none.
std::int32_t FindEventTypeId(const char* name, int attributeKind, int classCode, int principals, int gedcomTag,
                             int kind, Database& database);
// The first id with that GEDCOM tag and kind; 0 when none.
std::int32_t FindEventTypeByGedcomTag(int gedcomTag, int kind, Database& database);
