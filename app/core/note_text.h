// A note of any length attached to a record, kept in memory as one text and stored as a chain of NOTE
// rows of 128 characters each. The owning record keeps only the id of the chain's first row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Database;

inline constexpr std::size_t NotePieceSize = 128;

#pragma pack(push, 1)
struct NoteRowData {
    std::int32_t ownerId;
    std::int32_t totalLength; // the note's length, in the first row of a chain only
    std::uint8_t ownerType;
    char piece[NotePieceSize]; // not NUL-terminated when full
    std::int32_t nextId;       // 0 ends the chain
};
#pragma pack(pop)
static_assert(sizeof(NoteRowData) == 141, "a NOTE row is 141 bytes");

// One NOTE row and its id.
class NoteRow {
public:
    NoteRow() = default;
    // Sets the id and reads the row; the engine's answer (0 on success).
    std::int32_t Read(std::int32_t rowId, Database& database);
    // Writes the row under its id; the engine's answer.
    std::int32_t Write(Database& database) const;

    std::int32_t id = 0;
    NoteRowData row = {};
};

class NoteText {
public:
    NoteText() = default;
    NoteText(std::int32_t firstId, Database& database) { Load(firstId, database); }
    NoteText(const NoteText& other);
    NoteText& operator=(const NoteText&) = delete;
    ~NoteText() = default;

    // Reads the chain from `firstId` and joins its pieces. Inside the caller's transaction. A chain whose
    // first row cannot be read is an empty note that is not stored (first id 0).
    void Load(std::int32_t firstId, Database& database);
    // Writes the text as the chain, reusing its rows from the first, issuing rows as needed and deleting
    // rows left over; an empty text deletes the whole chain. Inside the caller's read-write transaction.
    // False when the engine refused a call: the first id is then left as it was, and the caller discards
    // the transaction.
    bool Save(Database& database);
    // Stores a text as a new chain under the owner; the chain's first row id, 0 for an empty text and when
    // the engine refused a write (so a caller with a text tests for 0).
    static std::int32_t StoreNew(const char* text, std::int32_t ownerId, std::uint8_t ownerType, Database& database);
    // Deletes every row of the chain from `firstId`. Rows that are gone already are no failure; false when
    // the engine refused a read or a delete for any other reason.
    static bool DeleteChain(std::int32_t firstId, Database& database);

    std::int32_t GetFirstId() const { return firstId_; }
    // The text, or null when there is none.
    const char* Text() const { return text_ ? text_.get() : nullptr; }
    // The buffer's size as last reserved (the text's length + 1 after a load or SetText; its length
    // after a save).
    std::size_t Length() const { return length_; }

    // Replaces the buffer by a zeroed one of n + 1 bytes.
    void Reserve(std::size_t n);
    char* Buffer() { return text_.get(); }
    void Clear();
    void SetText(const char* text);
    // Appends; a null or empty text changes nothing.
    void Append(const char* text);

    std::int32_t ownerId = 0;
    std::uint8_t ownerType = 0;

private:
    std::unique_ptr<char[]> text_;
    std::size_t length_ = 0;
    std::int32_t firstId_ = 0;
};

// The row ids of a chain from `firstId`, in chain order: the walk stops at a row that cannot be read and
// never visits a row twice, so a damaged chain cannot make it run forever. `readError` (when given)
// receives the engine's answer to the read that stopped the walk, 0 when the chain simply ended.
std::vector<std::int32_t> NoteChainIds(std::int32_t firstId, Database& database, std::int32_t* readError = nullptr);
