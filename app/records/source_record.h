// A source: a document that evidence is drawn from. Besides its row it holds, once loaded, its source
// text and note, the references of the repositories that hold it, its excerpts, the research tasks that
// concern it and the sources that are part of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/entity_record.h"
#include "core/note_text.h"
#include "core/record_list.h"
#include "records/excerpt_record.h"
#include "records/repository_record.h"
#include "records/source_row.h"
#include "records/task_record.h"

inline constexpr std::size_t SourceRowSize = source_row::Size;
inline constexpr std::size_t SourceTitleSize = source_row::TitleSize;           // at most 127 characters
inline constexpr std::size_t SourceShortTitleSize = source_row::ShortTitleSize; // at most 15; may be empty

class SourceRecord : public EntityRecord {
public:
    // A new source: id 0, an empty row, empty lists.
    explicit SourceRecord(Database& database);
    // The source of `id`, its row read at once; nothing linked is loaded.
    SourceRecord(std::int32_t id, Database& database);
    ~SourceRecord() override;

    // A new id, which the lists take as their owner's.
    std::int32_t NewId() override;
    // In one transaction: the repository references, the tasks, the excerpts, then the notes. The
    // subordinate sources are loaded only when asked for.
    void LoadLinked() override;
    // On failure the id becomes 0.
    std::int32_t Read(std::int32_t id) override;
    // Read, then LoadLinked when `id` is not 0.
    void ReadAndLoad(std::int32_t id) override;
    std::int32_t Write() override;
    // In a read-write transaction of its own (nested in the caller's): an id when it has none, the two
    // notes that were loaded, the row, then the repository references and the excerpts (unmarked ones
    // saved, stored marked ones deleted). Tasks and subordinate sources are saved where they are edited.
    // Once saved, the source enters the source list's selection when Source/IncludeNew is on.
    bool Save() override;

    // Each fills its list when the source is stored and the list is still empty.
    void LoadRepositoryRefs();
    void LoadTasks();
    void LoadExcerpts();
    // The rows of the sources whose superior this one is; their own children are not loaded.
    void LoadSubordinates();
    // Makes the two note objects when absent and loads their chains.
    void LoadNotes();
    // Destroys every loaded child and both notes, then LoadLinked again.
    void ReloadChildren();
    // In a read-write transaction of its own: the stored repository references and excerpts, the two
    // note chains and the row go; the tasks stay without a source and the subordinate sources become
    // top-level sources. The children must be loaded. False (and nothing kept) when the engine refused.
    bool Delete();
    // Deletes the row and takes the id out of the source list's selection.
    static bool DeleteRow(std::int32_t id, Database& database);

    const char* GetSourceKindText() const;
    const char* GetSourceMediaText() const;
    const char* GetSourceClassText() const;

    const char* Title() const { return row.title; }
    const char* ShortTitle() const { return row.shortTitle; }
    void SetTitle(const char* text);
    void SetShortTitle(const char* text);
    void SetAuthor(const char* text);

    NoteText* Text() { return text_.get(); }
    NoteText* Note() { return note_.get(); }
    RecordList<RepositoryRef>& RepositoryRefs() { return repositoryRefs_; }
    RecordList<ExcerptRecord>& Excerpts() { return excerpts_; }
    RecordList<TaskRecord>& Tasks() { return tasks_; }
    RecordList<SourceRecord>& Subordinates() { return subordinates_; }

    SourceRow row = {};

private:
    void SetOwnerIds(std::int32_t id);

    std::unique_ptr<NoteText> text_;
    std::unique_ptr<NoteText> note_;
    RecordList<RepositoryRef> repositoryRefs_;
    RecordList<ExcerptRecord> excerpts_;
    RecordList<TaskRecord> tasks_;
    RecordList<SourceRecord> subordinates_;
};
