#include "persons/cited_assertion.h"

#include "core/database.h"
#include "core/note_text.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "core/bounded_text.h"
#include "records/excerpt_ref.h"
#include "persons/owned_rows.h"

CitedAssertion::CitedAssertion(Database& database, AssertionKind kind, void* row, std::size_t rowSize)
    : Assertion(database), table_(AssertionKindTable(kind)), ownerKind_(static_cast<std::uint8_t>(table_)), row_(row),
      rowSize_(rowSize)
{
}

CitedAssertion::~CitedAssertion() = default;

std::int32_t CitedAssertion::Read(std::int32_t id)
{
    return ReadRow(table_, id, row_, rowSize_);
}

std::int32_t CitedAssertion::NewId()
{
    return NewRowId(table_);
}

std::int32_t CitedAssertion::Write()
{
    return WriteRow(table_, row_);
}

void CitedAssertion::LoadExcerptRefs()
{
    LoadOwnerExcerptRefs(excerptRefs_, id_, ownerKind_, *database_);
}

void CitedAssertion::LoadLinksOnce()
{
    if (links_.Empty())
        LoadAssertionLinks(links_, Kind(), id_, *database_);
}

std::unique_ptr<NoteText> CitedAssertion::LoadNoteChain(std::int32_t noteId)
{
    auto note = std::make_unique<NoteText>();
    if (noteId != 0)
        note->Load(noteId, *database_);
    return note;
}

bool CitedAssertion::EnsureId()
{
    return id_ != 0 || NewId() != 0;
}

bool CitedAssertion::SaveLinksAndCitations(std::uint8_t linkKind)
{
    return SaveAssertionLinks(links_, linkKind, id_) && SaveOwnerExcerptRefs(excerptRefs_, id_, ownerKind_);
}

std::optional<std::int32_t> CitedAssertion::SaveOwnedNote(NoteText* note, std::int32_t current)
{
    return SaveNoteChain(note, id_, ownerKind_, current, *database_);
}

bool CitedAssertion::DeleteCitationsLinksAndRow()
{
    return DeleteOwnerExcerptRefs(id_, ownerKind_, *database_) && DeleteAssertionLinks(Kind(), id_, *database_) &&
           tlvDeleteRecord(database_->TableId(table_), id_, database_->file) == 0;
}

int CitedAssertion::HasCitationsField()
{
    return ReportIncludes(CurrentSettings.report.IncludeSources) && !excerptRefs_.Empty();
}

void CitedAssertion::WriteCitationsField(char* buffer, std::size_t size)
{
    CopyBounded(buffer, size, "");
    if (ReportIncludes(CurrentSettings.report.IncludeSources))
        FormatCitations(excerptRefs_, buffer, size);
}
