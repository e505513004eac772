// The link of one assertion (event, attribute, relationship, information note or name) to one person:
// a row of ASSERTIONLINK with the person's place in the person's list and the person's role. Both ends
// are indexed, so tlvFindAll on AssertionLinkAssertionColumn or AssertionLinkPersonColumn finds the
// links of an assertion or of a person.
#pragma once

#include <cstdint>

class Database;

enum AssertionKind : std::uint8_t {
    AssertionEvent = 1,
    AssertionAttribute = 2,
    AssertionRelationship = 3,
    AssertionInfo = 4,
    AssertionName = 5,
};

// The row's columns, numbered from 1 as the engine numbers them.
inline constexpr std::int32_t AssertionLinkKindColumn = 1;
inline constexpr std::int32_t AssertionLinkAssertionColumn = 2;
inline constexpr std::int32_t AssertionLinkPersonColumn = 3;
inline constexpr std::int32_t AssertionLinkOrderColumn = 4;
inline constexpr std::int32_t NewAssertionLinkOrder = 9999;

#pragma pack(push, 1)
struct AssertionLinkRow {
    std::uint8_t kind;        // AssertionKind
    std::int32_t assertionId; // in the kind's table
    std::int32_t personId;    // PERSON
    std::int32_t order;       // in the person's list of assertions
    std::int32_t roleId;      // ROLE; 0 for a principal (relationships: 1 parent, 0 child)
};
#pragma pack(pop)
static_assert(sizeof(AssertionLinkRow) == 17, "an ASSERTIONLINK row is 17 bytes");

class AssertionLink {
public:
    explicit AssertionLink(Database& database) : database_(&database) { row.order = NewAssertionLinkOrder; }
    AssertionLink(std::int32_t id, Database& database) : database_(&database) { Read(id); }
    ~AssertionLink() = default;

    // Keeps the id and reads the row; the engine's answer (the id stays even when the read fails).
    std::int32_t Read(std::int32_t id);
    // Read, then LoadLinked; the answer of the read.
    std::int32_t ReadAll(std::int32_t id);
    // A link has no linked records.
    void LoadLinked() {}
    // Writes the row under its id; the engine's answer.
    std::int32_t Write();
    // Issues an id when it has none, then writes; true when done (the engine's error in the database's
    // LastError otherwise).
    bool Save();
    bool Delete();
    static bool DeleteById(std::int32_t id, Database& database);

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    Database& OwnerDatabase() const { return *database_; }

    AssertionLinkRow row = {};

private:
    Database* database_;
    std::int32_t id_ = 0;
};
