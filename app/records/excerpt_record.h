// An excerpt: one citation detail of a source (the page, a quality grade, the quoted text and a note),
// and the list of the references that cite it. Excerpts belong to their source; assertions and persons
// only refer to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/note_text.h"
#include "core/record_list.h"

class Database;
class ExcerptRef;
class TempTree;

inline constexpr std::size_t ExcerptPageSize = 32; // at most 31 characters
inline constexpr std::size_t CitationPieceSize = 128;
inline constexpr std::int32_t ExcerptSourceColumn = 3; // indexed: the source the excerpt quotes

#pragma pack(push, 1)
struct ExcerptRow {
    char page[ExcerptPageSize];
    std::uint8_t quality; // ExcerptQuality
    std::int32_t sourceId;
    std::int32_t textId; // first NOTE row of the quoted text, 0 none
    std::int32_t noteId; // first NOTE row of the note, 0 none
};
#pragma pack(pop)
static_assert(sizeof(ExcerptRow) == 45, "an EXCERPT row is 45 bytes");

enum ExcerptQuality : std::uint8_t {
    ExcerptQualityUnknown = 0,
    ExcerptQualityPoor = 1,
    ExcerptQualityQuestionable = 2,
    ExcerptQualityGood = 3,
    ExcerptQualityVeryGood = 4,
};

class ExcerptRecord {
public:
    explicit ExcerptRecord(Database& database);
    // Reads the row of `id`; text, note and usage list are not loaded.
    ExcerptRecord(std::int32_t id, Database& database);
    ExcerptRecord(const ExcerptRecord&) = delete;
    ExcerptRecord& operator=(const ExcerptRecord&) = delete;
    ~ExcerptRecord();

    // Reads the row in a transaction of its own; on failure the id becomes 0 and the row keeps what it
    // held. The engine's answer.
    std::int32_t Read(std::int32_t id);
    // Makes the text and note objects when absent, loads their chains, then LoadRefs.
    void LoadDetails();
    // Fills the usage list with every reference of this excerpt, whatever its owner (when the list is
    // empty and the excerpt is stored).
    void LoadRefs();
    void ReadAndLoad(std::int32_t id);
    // Writes the row under the id, in the caller's transaction; the engine's answer.
    std::int32_t Write();
    // Stores the excerpt with its text and note chains in a transaction of its own (nested in the
    // caller's when there is one); the usage list is not saved. True when every write succeeded.
    bool Save();
    // Deletes the text and note chains, every reference to the excerpt and the row, in the caller's
    // transaction; true when every delete succeeded.
    bool Delete();

    // The language text of the quality; unknown for any value outside the list.
    const char* GetQualityText() const;
    // The source's short title (or its title when that is empty), a blank and the page: the citation of
    // the sentence templates. Always terminated, at most size - 1 characters. Returns `buffer`.
    char* FormatCitation(char* buffer, std::size_t size) const;

    // Copies at most 31 characters.
    void SetPage(const char* page);

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    Database& OwnerDatabase() const { return *database_; }
    NoteText* Text() { return text_.get(); }
    NoteText* Note() { return note_.get(); }
    // Makes the text and note objects when absent (for an excerpt that is being written).
    NoteText& EnsureText();
    NoteText& EnsureNote();
    RecordList<ExcerptRef>& Usage() { return *usage_; }

    ExcerptRow row = {};

private:
    std::int32_t id_ = 0;
    Database* database_;
    std::unique_ptr<NoteText> text_;
    std::unique_ptr<NoteText> note_;
    std::unique_ptr<RecordList<ExcerptRef>> usage_;
};

// Reads the excerpt and its source and inserts the source into `tree` under its short title; nothing when
// either cannot be read. Inside the caller's transaction.
void InsertExcerptSource(TempTree& tree, Database& database, std::int32_t excerptId);
