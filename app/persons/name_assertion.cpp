#include "persons/name_assertion.h"

#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "core/bounded_text.h"
#include "persons/old_assertion_date.h"

namespace {

constexpr std::size_t OldDateOffset = 9; // the old ALIAS row differs only inside the date field

} // namespace

NameAssertion::NameAssertion(Database& database) : CitedAssertion(database, AssertionName, &row, sizeof row) {}

NameAssertion::NameAssertion(std::int32_t id, Database& database)
    : CitedAssertion(database, AssertionName, &row, sizeof row)
{
    Read(id);
}

NameAssertion::~NameAssertion() = default;

bool NameAssertion::Save()
{
    if (!EnsureId())
        return false;
    if (name_) {
        // The name row names its person: the one of the first link that is not being removed. Without such
        // a link the number is left as it was.
        for (std::size_t i = 0; i < links_.Count(); ++i)
            if (!links_.IsMarked(i)) {
                name_->row.number = links_[i].row.personId;
                break;
            }
        if (!name_->Save())
            return false;
        row.nameId = name_->Id();
    }
    if (!SaveLinksAndCitations(0))
        return false;
    const auto note = SaveOwnedNote(note_.get(), row.noteId);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void NameAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    LoadLinksOnce();
    LoadExcerptRefs();
    note_ = LoadNoteChain(row.noteId);
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
        return HasCitationsField();
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
        WriteCitationsField(buffer, size);
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
    return DeleteCitationsLinksAndRow();
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
