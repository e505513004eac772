#include "records/excerpt_record.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/temp_tree.h"
#include "language/language_table.h"
#include "core/bounded_text.h"
#include "records/excerpt_ref.h"
#include "core/linked_saves.h"
#include "core/record_query.h"
#include "core/write_transaction.h"
#include "records/source_record.h"

ExcerptRecord::ExcerptRecord(Database& database)
    : database_(&database), usage_(std::make_unique<RecordList<ExcerptRef>>())
{
}

ExcerptRecord::ExcerptRecord(std::int32_t id, Database& database) : ExcerptRecord(database)
{
    Read(id);
}

ExcerptRecord::~ExcerptRecord() = default;

std::int32_t ExcerptRecord::Read(std::int32_t id)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    ExcerptRow read = {};
    const std::int32_t result = tlvReadRecord(database_->TableId(TableExcerpt), id, &read, database_->file);
    if (result == 0) {
        row = read;
        id_ = id;
    }
    return result;
}

NoteText& ExcerptRecord::EnsureText()
{
    if (!text_)
        text_ = std::make_unique<NoteText>();
    return *text_;
}

NoteText& ExcerptRecord::EnsureNote()
{
    if (!note_)
        note_ = std::make_unique<NoteText>();
    return *note_;
}

void ExcerptRecord::LoadDetails()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    if (!text_) {
        EnsureText();
        if (row.textId != 0)
            text_->Load(row.textId, *database_);
    }
    if (!note_) {
        EnsureNote();
        if (row.noteId != 0)
            note_->Load(row.noteId, *database_);
    }
    LoadRefs();
}

void ExcerptRecord::LoadRefs()
{
    if (id_ == 0 || !usage_->Empty())
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const auto ids = FindRecordIds({TableExcerptRef, ExcerptRefExcerptColumn, id_}, *database_);
    if (!ids)
        return;
    for (std::int32_t refId : *ids)
        usage_->Append(std::make_unique<ExcerptRef>(refId, *database_));
}

void ExcerptRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    LoadDetails();
}

std::int32_t ExcerptRecord::Write()
{
    return tlvWriteRecord(database_->TableId(TableExcerpt), id_, &row, database_->file);
}

bool ExcerptRecord::Save()
{
    return RunWriteTransaction(*database_, [this] {
        if (id_ == 0) {
            const std::int32_t id = tlvNewID(database_->TableId(TableExcerpt), database_->file);
            if (id <= 0)
                return false;
            id_ = id;
        }
        const auto text = SaveNoteChain(text_.get(), id_, OwnerExcerpt, row.textId, *database_);
        if (!text)
            return false;
        row.textId = *text;
        const auto note = SaveNoteChain(note_.get(), id_, OwnerExcerpt, row.noteId, *database_);
        if (!note)
            return false;
        row.noteId = *note;
        return Write() == 0;
    });
}

bool ExcerptRecord::Delete()
{
    // Chain rows already gone are no failure; any other refusal fails the delete, and the caller discards
    // the transaction.
    if (row.textId != 0 && !NoteText::DeleteChain(row.textId, *database_))
        return false;
    if (row.noteId != 0 && !NoteText::DeleteChain(row.noteId, *database_))
        return false;
    if (!DeleteFoundRecords({TableExcerptRef, ExcerptRefExcerptColumn, id_}, *database_))
        return false;
    return tlvDeleteRecord(database_->TableId(TableExcerpt), id_, database_->file) == 0;
}

const char* ExcerptRecord::GetQualityText() const
{
    switch (row.quality) {
    case ExcerptQualityPoor:
        return GetLanguageText("EXCERPT_QUALITY_POOR");
    case ExcerptQualityQuestionable:
        return GetLanguageText("EXCERPT_QUALITY_QUESTIONABLE");
    case ExcerptQualityGood:
        return GetLanguageText("EXCERPT_QUALITY_GOOD");
    case ExcerptQualityVeryGood:
        return GetLanguageText("EXCERPT_QUALITY_VERYGOOD");
    default:
        return GetLanguageText("EXCERPT_QUALITY_UNKNOWN");
    }
}

char* ExcerptRecord::FormatCitation(char* buffer, std::size_t size) const
{
    if (size == 0)
        return buffer;
    SourceRecord source(row.sourceId, *database_);
    CopyBounded(buffer, size, source.ShortTitle()[0] != '\0' ? source.ShortTitle() : source.Title());
    AppendBounded(buffer, size, " ");
    char page[ExcerptPageSize];
    CopyBounded(page, sizeof page, row.page);
    return AppendBounded(buffer, size, page);
}

void ExcerptRecord::SetPage(const char* page)
{
    std::memset(row.page, 0, sizeof row.page);
    CopyBounded(row.page, sizeof row.page, page);
}

void InsertExcerptSource(TempTree& tree, Database& database, std::int32_t excerptId)
{
    // Rows read through buffers of the record's greatest length, whatever a damaged file declares.
    std::vector<unsigned char> buffer(TLV_MAX_RECORD_LENGTH);
    if (tlvReadRecord(database.TableId(TableExcerpt), excerptId, buffer.data(), database.file) != 0)
        return;
    ExcerptRow excerpt;
    std::memcpy(&excerpt, buffer.data(), sizeof excerpt);
    std::fill(buffer.begin(), buffer.end(), 0);
    if (excerpt.sourceId == 0 ||
        tlvReadRecord(database.TableId(TableSource), excerpt.sourceId, buffer.data(), database.file) != 0)
        return;
    char shortTitle[source_row::ShortTitleSize + 1] = {};
    std::memcpy(shortTitle, buffer.data() + source_row::ShortTitleOffset, source_row::ShortTitleSize);
    tree.InsertSource(excerpt.sourceId, shortTitle);
}
