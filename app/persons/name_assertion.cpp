#include "persons/name_assertion.h"

#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "frame/settings.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/bounded_text.h"
#include "persons/excerpt_ref.h"
#include "persons/old_assertion_date.h"
#include "persons/owned_rows.h"

namespace {

constexpr std::size_t OldDateOffset = 9; // the old ALIAS row differs only inside the date field

} // namespace

NameAssertion::NameAssertion(Database& database) : Assertion(database) {}

NameAssertion::NameAssertion(std::int32_t id, Database& database) : Assertion(database)
{
    Read(id);
}

NameAssertion::~NameAssertion() = default;

std::int32_t NameAssertion::Read(std::int32_t id)
{
    return ReadRow(TableAlias2, id, &row, sizeof row);
}

std::int32_t NameAssertion::NewId()
{
    return NewRowId(TableAlias2);
}

std::int32_t NameAssertion::Write()
{
    return WriteRow(TableAlias2, &row);
}

bool NameAssertion::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    if (name_) {
        // The name row names its person: the one of the first link that is not being removed. Without such
        // a link the number is left as it was.
        for (std::size_t i = 0; i < links_.Count(); ++i)
            if (!links_.IsMarked(i)) {
                name_->row.number = links_[i].row.personId;
                break;
            }
        if (name_->Save() != 0)
            return false;
        row.nameId = name_->Id();
    }
    if (!SaveAssertionLinks(links_, 0, id_) || !SaveOwnerExcerptRefs(excerptRefs_, id_, OwnerNameAssertion))
        return false;
    const auto note = SaveNoteChain(note_.get(), id_, OwnerNameAssertion, row.noteId, *database_);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void NameAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (links_.Empty())
        LoadAssertionLinks(links_, AssertionName, id_, *database_);
    LoadOwnerExcerptRefs(excerptRefs_, id_, OwnerNameAssertion, *database_);
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0)
        note_->Load(row.noteId, *database_);
    name_ = std::make_unique<NameRecord>(*database_);
    if (row.nameId != 0)
        name_->Read(row.nameId);
}

const char* NameAssertion::GetSentenceTemplate(int)
{
    return CurrentSettings.report.AliasFormatting;
}

int NameAssertion::HasField(char letter, const AssertionLink&)
{
    switch (letter) {
    case 'f':
        return 1;
    case 'n':
        return row.noteId != 0;
    case 'o':
        return ReportIncludes(CurrentSettings.report.IncludeSources) && !excerptRefs_.Empty();
    case 'v':
        return row.nameId != 0;
    default:
        return 0;
    }
}

void NameAssertion::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink&,
                                 const NameRecord& name, bool)
{
    if (size == 0)
        return;
    switch (letter) {
    case 'f':
        WriteGivenNamesField(buffer, size, name);
        break;
    case 'n':
        WriteNoteField(buffer, size, note_.get());
        break;
    case 'o':
        CopyBounded(buffer, size, "");
        if (ReportIncludes(CurrentSettings.report.IncludeSources))
            FormatCitations(excerptRefs_, buffer, size);
        break;
    case 'v':
        CopyBounded(buffer, size, "");
        if (name_)
            name_->Format(buffer, size);
        break;
    default:
        break;
    }
}

bool NameAssertion::Delete()
{
    if (row.nameId != 0)
        NameRecord::DeleteById(row.nameId, *database_);
    if (row.noteId != 0 && !NoteText::DeleteChain(row.noteId, *database_))
        return false;
    return DeleteOwnerExcerptRefs(id_, OwnerNameAssertion, *database_) &&
           DeleteAssertionLinks(AssertionName, id_, *database_) &&
           tlvDeleteRecord(database_->TableId(TableAlias2), id_, database_->file) == 0;
}

std::int32_t NameAssertion::ReadOldRecord(std::int32_t id)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    unsigned char old[sizeof(NameAssertionRow)] = {};
    const std::int32_t result = tlvReadRecord(database_->TableId(TableAliasOld), id, old, database_->file);
    if (result != 0)
        return result;
    id_ = id;
    std::memcpy(&row, old, OldDateOffset);
    ConvertOldDateField(old + OldDateOffset, sizeof old - OldDateOffset, row.date);
    return 0;
}
