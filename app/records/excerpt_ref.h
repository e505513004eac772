// An excerpt reference: one record (a person or an assertion) citing one excerpt, at a position in that
// record's list of citations. The owner is named by its id and by its table number (ExcerptOwnerKind).
#pragma once

#include <cstdint>
#include <memory>

#include "core/record_list.h"
#include "core/schema.h"

class Database;
class ExcerptRecord;

// The owner of an excerpt reference or a note chain, named by its table number.
enum ExcerptOwnerKind : std::uint8_t {
    OwnerExcerpt = TableExcerpt, // an excerpt's own text and note
    OwnerPerson = TablePerson,
    OwnerRelationship = TableRelationship,
    OwnerInfo = TableInfo,
    OwnerNameAssertion = TableAlias2,
    OwnerAttribute = TableAttribute2,
    OwnerEvent = TableEvent2,
};

inline constexpr std::int32_t ExcerptRefExcerptColumn = 1;
inline constexpr std::int32_t ExcerptRefOwnerColumn = 2;
inline constexpr std::int32_t ExcerptRefOwnerKindColumn = 3;
inline constexpr std::int32_t ExcerptRefOrderColumn = 4;

#pragma pack(push, 1)
struct ExcerptRefRow {
    std::int32_t excerptId;
    std::int32_t ownerId;
    std::uint8_t ownerKind; // ExcerptOwnerKind
    std::int32_t order;     // position in the owner's list from 1; 0 when written by CreateExcerptRef
};
#pragma pack(pop)
static_assert(sizeof(ExcerptRefRow) == 13, "an EXCERPTREF row is 13 bytes");

class ExcerptRef {
public:
    explicit ExcerptRef(Database& database);
    // Reads the row of `id`; the excerpt is not loaded.
    ExcerptRef(std::int32_t id, Database& database);
    ExcerptRef(const ExcerptRef&) = delete;
    ExcerptRef& operator=(const ExcerptRef&) = delete;
    ~ExcerptRef();

    // Reads the row in a transaction of its own; the id becomes 0 on failure. The engine's answer.
    std::int32_t Read(std::int32_t id);
    // Loads the cited excerpt with its text, note and usage list (an empty excerpt of id 0 when the row
    // names none).
    void LoadExcerpt();
    void ReadAndLoad(std::int32_t id);
    // Writes the reference in the caller's transaction, under a new id when it has none. The excerpt is
    // written with it only when it was changed through this reference (EditExcerpt, SetExcerpt): an
    // excerpt loaded long ago must not overwrite edits made to it elsewhere since. True on success.
    bool Save();
    // Deletes the row; the id becomes 0, so that a later save cannot delete a row that reuses the id.
    bool Delete();
    static bool DeleteById(std::int32_t id, Database& database);

    // The loaded excerpt, or null.
    const ExcerptRecord* Excerpt() const { return excerpt_.get(); }
    // The loaded excerpt for changing it: the next Save writes it. Null when none is loaded.
    ExcerptRecord* EditExcerpt();
    // Makes this reference cite `excerpt` (a new or changed one), written by the next Save.
    void SetExcerpt(std::unique_ptr<ExcerptRecord> excerpt);

    std::int32_t Id() const { return id_; }
    Database& OwnerDatabase() const { return *database_; }

    ExcerptRefRow row = {};

private:
    Database* database_;
    std::int32_t id_ = 0;
    std::unique_ptr<ExcerptRecord> excerpt_;
    bool excerptChanged_ = false;
};

// Writes a new reference {excerpt, owner, kind, order 0} in the caller's transaction; its id, or 0 when
// the engine refused.
std::int32_t CreateExcerptRef(std::int32_t excerptId, std::int32_t ownerId, std::uint8_t ownerKind, Database& database);

// The one way in which owners keep their references.
// Loads the owner's references, each with its excerpt, in their order (only when the list is empty and
// the owner is stored). In a transaction of its own.
void LoadOwnerExcerptRefs(RecordList<ExcerptRef>& list, std::int32_t ownerId, std::uint8_t ownerKind,
                          Database& database);
// Gives every entry the owner, the kind and order = position + 1, writes the unmarked ones and deletes
// the marked ones that are stored. In the caller's transaction; true when every write succeeded.
bool SaveOwnerExcerptRefs(RecordList<ExcerptRef>& list, std::int32_t ownerId, std::uint8_t ownerKind);
// Deletes every reference row of the owner (the excerpts stay). In the caller's transaction.
bool DeleteOwnerExcerptRefs(std::int32_t ownerId, std::uint8_t ownerKind, Database& database);
// The citations of the references in list order, each a piece of at most 127 characters, joined by
// ", " into `buffer` (at most size - 1 characters, always terminated). Marked entries count as well,
// as the list shows them until saved. Returns `buffer`.
char* FormatCitations(const RecordList<ExcerptRef>& list, char* buffer, std::size_t size);
