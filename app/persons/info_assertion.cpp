#include "persons/info_assertion.h"

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "frame/settings.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/bounded_text.h"
#include "persons/excerpt_ref.h"
#include "persons/owned_rows.h"

InfoAssertion::InfoAssertion(Database& database) : Assertion(database) {}

InfoAssertion::InfoAssertion(std::int32_t id, Database& database) : Assertion(database)
{
    Read(id);
}

InfoAssertion::~InfoAssertion() = default;

std::int32_t InfoAssertion::Read(std::int32_t id)
{
    return ReadRow(TableInfo, id, &row, sizeof row);
}

std::int32_t InfoAssertion::NewId()
{
    return NewRowId(TableInfo);
}

std::int32_t InfoAssertion::Write()
{
    return WriteRow(TableInfo, &row);
}

bool InfoAssertion::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    if (!SaveAssertionLinks(links_, 0, id_) || !SaveOwnerExcerptRefs(excerptRefs_, id_, OwnerInfo))
        return false;
    const auto text = SaveNoteChain(text_.get(), id_, OwnerInfo, row.textId, *database_);
    if (!text)
        return false;
    row.textId = *text;
    const auto note = SaveNoteChain(note_.get(), id_, OwnerInfo, row.noteId, *database_);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void InfoAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (links_.Empty())
        LoadAssertionLinks(links_, AssertionInfo, id_, *database_);
    LoadOwnerExcerptRefs(excerptRefs_, id_, OwnerInfo, *database_);
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0)
        note_->Load(row.noteId, *database_);
    text_ = std::make_unique<NoteText>();
    if (row.textId != 0)
        text_->Load(row.textId, *database_);
}

const char* InfoAssertion::GetSentenceTemplate(int)
{
    return CurrentSettings.report.InfoFormatting;
}

int InfoAssertion::HasField(char letter, const AssertionLink&)
{
    switch (letter) {
    case 'f':
        return 1;
    case 'n':
        return row.noteId != 0;
    case 'o':
        return ReportIncludes(CurrentSettings.report.IncludeSources) && !excerptRefs_.Empty();
    case 'v':
        return row.textId != 0;
    default:
        return 0;
    }
}

void InfoAssertion::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink&,
                                 const NameRecord& name, bool)
{
    if (size == 0)
        return;
    switch (letter) {
    case 'f':
        WriteGivenNamesField(buffer, size, name);
        break;
    case 'n':
        CopyBounded(buffer, size, "");
        if (ReportIncludes(CurrentSettings.report.IncludeNotes))
            WriteNoteField(buffer, size, note_.get());
        break;
    case 'o':
        CopyBounded(buffer, size, "");
        if (ReportIncludes(CurrentSettings.report.IncludeSources))
            FormatCitations(excerptRefs_, buffer, size);
        break;
    case 'v':
        WriteNoteField(buffer, size, text_.get());
        break;
    default:
        break;
    }
}

bool InfoAssertion::Delete()
{
    if (row.textId != 0 && !NoteText::DeleteChain(row.textId, *database_))
        return false;
    if (row.noteId != 0 && !NoteText::DeleteChain(row.noteId, *database_))
        return false;
    return DeleteOwnerExcerptRefs(id_, OwnerInfo, *database_) && DeleteAssertionLinks(AssertionInfo, id_, *database_) &&
           tlvDeleteRecord(database_->TableId(TableInfo), id_, database_->file) == 0;
}
