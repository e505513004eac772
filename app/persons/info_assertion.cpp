#include "persons/info_assertion.h"

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "core/bounded_text.h"

InfoAssertion::InfoAssertion(Database& database) : CitedAssertion(database, AssertionInfo, &row, sizeof row) {}

InfoAssertion::InfoAssertion(std::int32_t id, Database& database)
    : CitedAssertion(database, AssertionInfo, &row, sizeof row)
{
    Read(id);
}

InfoAssertion::~InfoAssertion() = default;

bool InfoAssertion::Save()
{
    if (!EnsureId() || !SaveLinksAndCitations(0))
        return false;
    const auto text = SaveOwnedNote(text_.get(), row.textId);
    if (!text)
        return false;
    row.textId = *text;
    const auto note = SaveOwnedNote(note_.get(), row.noteId);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void InfoAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    LoadLinksOnce();
    LoadExcerptRefs();
    note_ = LoadNoteChain(row.noteId);
    text_ = LoadNoteChain(row.textId);
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
        return HasCitationsField();
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
        WriteCitationsField(buffer, size);
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
    return DeleteCitationsLinksAndRow();
}
