#include "records/source_record.h"

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/linked_saves.h"
#include "core/record_query.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "records/record_lists.h"
#include "settings/settings.h"
#include "records/task_row.h"

namespace {

inline constexpr std::uint8_t SourceOwnerKind = TableSource;

} // namespace

SourceRecord::SourceRecord(Database& database) : EntityRecord(database)
{
    SetOwnerIds(0);
}

SourceRecord::SourceRecord(std::int32_t id, Database& database) : SourceRecord(database)
{
    Read(id);
    SetOwnerIds(id);
}

SourceRecord::~SourceRecord() = default;

void SourceRecord::SetOwnerIds(std::int32_t id)
{
    repositoryRefs_.keyId = excerpts_.keyId = tasks_.keyId = subordinates_.keyId = id;
    repositoryRefs_.ownerKind = excerpts_.ownerKind = tasks_.ownerKind = subordinates_.ownerKind = SourceOwnerKind;
}

std::int32_t SourceRecord::NewId()
{
    const std::int32_t id = NewRowId(TableSource);
    if (id != 0)
        SetOwnerIds(id);
    return id;
}

void SourceRecord::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    LoadRepositoryRefs();
    LoadTasks();
    LoadExcerpts();
    LoadNotes();
}

std::int32_t SourceRecord::Read(std::int32_t id)
{
    const std::int32_t result = ReadRow(TableSource, id, &row, sizeof row);
    // A damaged row may fill a text field to its end; the texts are read as terminated strings.
    row.author[sizeof row.author - 1] = '\0';
    row.title[sizeof row.title - 1] = '\0';
    row.shortTitle[sizeof row.shortTitle - 1] = '\0';
    row.published[sizeof row.published - 1] = '\0';
    row.serialNumber[sizeof row.serialNumber - 1] = '\0';
    return result;
}

void SourceRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    if (id != 0)
        LoadLinked();
    tasks_.keyId = id;
}

std::int32_t SourceRecord::Write()
{
    return WriteRow(TableSource, &row);
}

bool SourceRecord::Save()
{
    const bool saved = RunWriteTransaction(*database_, [this] {
        if (id_ == 0 && NewId() == 0)
            return false;
        const auto text = SaveNoteChain(text_.get(), id_, SourceOwnerKind, row.textId, *database_);
        if (!text)
            return false;
        row.textId = *text;
        const auto note = SaveNoteChain(note_.get(), id_, SourceOwnerKind, row.noteId, *database_);
        if (!note)
            return false;
        row.noteId = *note;
        if (Write() != 0)
            return false;
        for (std::size_t i = 0; i < repositoryRefs_.Count(); ++i)
            repositoryRefs_[i].row.sourceId = id_;
        return SaveListEntries(repositoryRefs_) && SaveListEntries(excerpts_);
    });
    if (saved && CurrentSettings.source.IncludeNew != 0) {
        if (SourceListState* list = SourceListOf(*database_))
            list->AddOpened(*this);
    }
    return saved;
}

void SourceRecord::LoadRepositoryRefs()
{
    LoadOwnedRecords(repositoryRefs_, TableRepRef, RepositoryRefSourceColumn, id_, *database_,
                     [](RepositoryRef& reference, std::int32_t id) { reference.ReadAndLoadNote(id); });
}

void SourceRecord::LoadTasks()
{
    LoadOwnedRecords(tasks_, TableTask, task_row::SourceColumn, id_, *database_,
                     [](TaskRecord& task, std::int32_t id) { task.ReadAndLoad(id); });
}

void SourceRecord::LoadExcerpts()
{
    LoadOwnedRecords(excerpts_, TableExcerpt, ExcerptSourceColumn, id_, *database_,
                     [](ExcerptRecord& excerpt, std::int32_t id) { excerpt.ReadAndLoad(id); });
}

void SourceRecord::LoadSubordinates()
{
    LoadOwnedRecords(subordinates_, TableSource, source_row::SuperiorColumn, id_, *database_,
                     [](SourceRecord& source, std::int32_t id) { source.Read(id); });
}

void SourceRecord::LoadNotes()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    if (!text_) {
        text_ = std::make_unique<NoteText>();
        if (row.textId != 0)
            text_->Load(row.textId, *database_);
    }
    if (!note_) {
        note_ = std::make_unique<NoteText>();
        if (row.noteId != 0)
            note_->Load(row.noteId, *database_);
    }
}

void SourceRecord::ReloadChildren()
{
    repositoryRefs_.Clear();
    excerpts_.Clear();
    tasks_.Clear();
    subordinates_.Clear();
    text_.reset();
    note_.reset();
    LoadLinked();
}

bool SourceRecord::Delete()
{
    return RunWriteTransaction(*database_, [this] {
        for (std::size_t i = 0; i < repositoryRefs_.Count(); ++i)
            if (repositoryRefs_[i].Id() != 0 && !repositoryRefs_[i].Delete())
                return false;
        // An excerpt never saved has id 0, and deleting the references "of excerpt 0" would take rows
        // that belong to no excerpt of this source.
        for (std::size_t i = 0; i < excerpts_.Count(); ++i)
            if (excerpts_[i].Id() != 0 && !excerpts_[i].Delete())
                return false;
        for (std::size_t i = 0; i < tasks_.Count(); ++i) {
            TaskRecord& task = tasks_[i];
            if (task.Id() == 0)
                continue;
            task.row.sourceId = 0;
            if (!task.Save())
                return false;
        }
        if (!DeleteNoteChainIfAny(row.textId, *database_) || !DeleteNoteChainIfAny(row.noteId, *database_))
            return false;
        LoadSubordinates();
        for (std::size_t i = 0; i < subordinates_.Count(); ++i) {
            SourceRecord& subordinate = subordinates_[i];
            subordinate.row.superiorId = 0;
            if (subordinate.Id() != 0 && subordinate.Write() != 0)
                return false;
        }
        return DeleteRow(id_, *database_);
    });
}

bool SourceRecord::DeleteRow(std::int32_t id, Database& database)
{
    if (tlvDeleteRecord(database.TableId(TableSource), id, database.file) != 0)
        return false;
    if (SourceListState* list = SourceListOf(database))
        list->RemoveOpened(id);
    return true;
}

const char* SourceRecord::GetSourceKindText() const
{
    switch (row.kind) {
    case 1:
        return GetLanguageText("SOURCE_KIND_ORIGINAL");
    case 2:
        return GetLanguageText("SOURCE_KIND_REPRINT");
    case 3:
        return GetLanguageText("SOURCE_KIND_COPY");
    default:
        return GetLanguageText("SOURCE_KIND_UNKNOWN");
    }
}

const char* SourceRecord::GetSourceMediaText() const
{
    static const char* const keys[] = {
        "SOURCE_MEDIA_UNKNOWN",     "SOURCE_MEDIA_OTHER",       "SOURCE_MEDIA_AUDIO",     "SOURCE_MEDIA_DIGITAL",
        "SOURCE_MEDIA_FICHE",       "SOURCE_MEDIA_HANDWRITTEN", "SOURCE_MEDIA_INSCRIPTION", "SOURCE_MEDIA_MICROFILM",
        "SOURCE_MEDIA_PHOTO",       "SOURCE_MEDIA_PRINTED",     "SOURCE_MEDIA_VIDEO",
    };
    return GetLanguageText(row.media < std::size(keys) ? keys[row.media] : keys[0]);
}

const char* SourceRecord::GetSourceClassText() const
{
    static const char* const keys[] = {
        "SOURCE_CLASS_BOOK",    "SOURCE_CLASS_SERIES",   "SOURCE_CLASS_ISSUE",   "SOURCE_CLASS_ARTICLE", "SOURCE_CLASS_PART",
        "SOURCE_CLASS_CHAPTER", "SOURCE_CLASS_DOCUMENT", "SOURCE_CLASS_SECTION", "SOURCE_CLASS_EXCERPT",
    };
    return GetLanguageText(row.sourceClass < std::size(keys) ? keys[row.sourceClass] : keys[0]);
}

void SourceRecord::SetTitle(const char* text)
{
    StoreField(row.title, sizeof row.title, text);
}

void SourceRecord::SetShortTitle(const char* text)
{
    StoreField(row.shortTitle, sizeof row.shortTitle, text);
}

void SourceRecord::SetAuthor(const char* text)
{
    StoreField(row.author, sizeof row.author, text);
}
