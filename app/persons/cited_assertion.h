// What every stored assertion kind has besides its row: its participants, its citations and its note,
// with their loading, saving and deleting and the citation field of the sentences. The row itself, and
// the objects only some kinds own, stay with each kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "persons/assertion.h"

class NoteText;

class CitedAssertion : public Assertion {
public:
    ~CitedAssertion() override;

    // The row of the kind's table, which the kind holds.
    std::int32_t Read(std::int32_t id) override;
    std::int32_t NewId() override;
    std::int32_t Write() override;

    // Reads the citations of the stored assertion.
    void LoadExcerptRefs();

    NoteText* Note() { return note_.get(); }
    RecordList<ExcerptRef>& ExcerptRefs() { return excerptRefs_; }
    RecordList<AssertionLink>& Links() { return links_; }

protected:
    // `kind` names the table of the row and the owner kind of the citations and note chains; `row` is the
    // kind's row of `rowSize` bytes, a member of the kind's object.
    CitedAssertion(Database& database, AssertionKind kind, void* row, std::size_t rowSize);

    TableNumber Table() const { return table_; }
    std::uint8_t OwnerKind() const { return ownerKind_; }

    // Reads the participants unless some are held already.
    void LoadLinksOnce();
    // A fresh note object, loaded from `noteId` unless that is 0.
    std::unique_ptr<NoteText> LoadNoteChain(std::int32_t noteId);

    // Gives a new assertion its id; false when the engine issues none.
    bool EnsureId();
    // Writes the participants (their kind set to `linkKind` unless it is 0) and the citations.
    bool SaveLinksAndCitations(std::uint8_t linkKind);
    // Saves a note chain owned by the assertion; answers the id its row is to keep, as SaveNoteChain.
    std::optional<std::int32_t> SaveOwnedNote(NoteText* note, std::int32_t current);
    // Deletes the citations, the participants and the row itself (owned rows are the kind's to delete
    // before).
    bool DeleteCitationsLinksAndRow();

    // The citation field 'o' shared by every kind.
    int HasCitationsField();
    void WriteCitationsField(char* buffer, std::size_t size);

    std::unique_ptr<NoteText> note_;
    RecordList<ExcerptRef> excerptRefs_;
    RecordList<AssertionLink> links_;

private:
    TableNumber table_;
    std::uint8_t ownerKind_;
    void* row_;
    std::size_t rowSize_;
};
