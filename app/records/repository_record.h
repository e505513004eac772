// A repository: an archive, a library, a collection that holds sources, with its postal address and
// note, and the references of the sources it holds. A reference belongs to its source, which creates,
// saves and deletes it; the repository only lists the references that point at it.
#pragma once

#include <cstdint>
#include <memory>

#include "core/entity_record.h"
#include "core/note_text.h"
#include "core/record_list.h"
#include "records/repository_row.h"

class AddressRecord;

class RepositoryRef : public TableRow {
public:
    explicit RepositoryRef(Database& database) : TableRow(database) {}
    // Reads the row of `id` in the caller's transaction; the note is not loaded.
    RepositoryRef(std::int32_t id, Database& database) : TableRow(database) { Read(id); }
    ~RepositoryRef() = default;

    // Inside the caller's transaction; on failure the id becomes 0 and the row keeps what it held.
    std::int32_t Read(std::int32_t id);
    // A new note object, loaded from the row's chain when it has one.
    void LoadNote();
    // Read, then LoadNote unless `id` is 0.
    void ReadAndLoadNote(std::int32_t id);
    // Inside the caller's read-write transaction: an id when it has none, the note under the reference,
    // then the row. True when every write succeeded.
    bool Save();
    // Writes the row alone under the id, inside the caller's transaction; the engine's answer.
    std::int32_t Write();
    // Inside the caller's read-write transaction: the note chain and the row; the object keeps its id.
    bool Delete();

    NoteText* Note() { return note_.get(); }
    // The note object, made empty when absent.
    NoteText& EnsureNote();
    // Copies at most 15 characters.
    void SetCallNumber(const char* text);

    RepositoryRefRow row = {};

private:
    std::unique_ptr<NoteText> note_;
};

class RepositoryRecord : public EntityRecord {
public:
    explicit RepositoryRecord(Database& database);
    // Reads the row of `id`; nothing linked is loaded.
    RepositoryRecord(std::int32_t id, Database& database);
    ~RepositoryRecord() override;

    std::int32_t NewId() override;
    // In one transaction: the address (empty when the row has none), the note, the references.
    void LoadLinked() override;
    // On failure the row is cleared and the id becomes 0.
    std::int32_t Read(std::int32_t id) override;
    // Read, then LoadLinked even when the read failed.
    void ReadAndLoad(std::int32_t id) override;
    std::int32_t Write() override;
    // Inside the caller's read-write transaction: an id when it has none, the address (deleted when
    // emptied), the note, then the row. The references are saved where they are edited.
    bool Save() override;

    // Fills the list with every reference to this repository, when it is stored and the list is empty.
    void LoadReferences();
    // Destroys the address, the note and the references, then LoadLinked again.
    void ReloadChildren();
    // In a read-write transaction of its own: every listed reference with its note, the note chain, the
    // address and the row. False (and nothing kept) when the engine refused a delete.
    bool Delete();

    void SetName(const char* text);
    void SetEmail(const char* text);
    void SetUrl(const char* text);

    AddressRecord* Address() { return address_.get(); }
    NoteText* Note() { return note_.get(); }
    RecordList<RepositoryRef>& References() { return references_; }

    RepositoryRow row = {};

private:
    std::unique_ptr<AddressRecord> address_;
    std::unique_ptr<NoteText> note_;
    RecordList<RepositoryRef> references_;
};
