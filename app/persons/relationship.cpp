#include "persons/relationship.h"

#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "core/bounded_text.h"

Relationship::Relationship(Database& database) : CitedAssertion(database, AssertionRelationship, &row, sizeof row) {}

Relationship::Relationship(std::int32_t id, Database& database)
    : CitedAssertion(database, AssertionRelationship, &row, sizeof row)
{
    Read(id);
}

Relationship::~Relationship() = default;

bool Relationship::Save()
{
    if (!EnsureId() || !SaveLinksAndCitations(AssertionRelationship))
        return false;
    const auto note = SaveOwnedNote(note_.get(), row.noteId);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void Relationship::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (id_ != 0) {
        links_.Clear();
        LoadAssertionLinks(links_, AssertionRelationship, id_, *database_);
    }
    LoadExcerptRefs();
    note_ = LoadNoteChain(row.noteId);
}

const char* Relationship::GetSentenceTemplate(int witness)
{
    return witness == 1 ? CurrentSettings.report.ParentFormatting : CurrentSettings.report.ChildFormatting;
}

int Relationship::HasField(char letter, const AssertionLink&)
{
    switch (letter) {
    case 'n':
        return row.noteId != 0;
    case 'o':
        return HasCitationsField();
    case 'r':
        return row.relation > RelationBiological;
    case 'v':
        return 1;
    default:
        return 0;
    }
}

void Relationship::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                                const NameRecord&, bool showIds)
{
    if (size == 0)
        return;
    switch (letter) {
    case 'n':
        WriteNoteField(buffer, size, note_.get());
        break;
    case 'o':
        WriteCitationsField(buffer, size);
        break;
    case 'r': {
        static const char* const keys[] = {
            LanguageKey("RELATIONSHIP_RELATION_BIOLOGICAL"), LanguageKey("RELATIONSHIP_RELATION_ADOPTIVE"),
            LanguageKey("RELATIONSHIP_RELATION_FOSTER"), LanguageKey("RELATIONSHIP_RELATION_OTHER")};
        const int relation = row.relation >= 0 && row.relation <= 3 ? row.relation : static_cast<int>(RelationOther);
        CopyBounded(buffer, size, GetLanguageText(keys[relation]));
        break;
    }
    case 'v': {
        // The other participant as seen from `link`: the first link unless that is the given person, then
        // the second. With no second participant there is nobody to name.
        CopyBounded(buffer, size, "");
        std::vector<std::int32_t> persons;
        for (std::size_t i = 0; i < links_.Count(); ++i)
            if (!links_.IsMarked(i))
                persons.push_back(std::int32_t{links_[i].row.personId});
        std::int32_t other = 0;
        if (!persons.empty() && persons[0] != link.row.personId)
            other = persons[0];
        else if (persons.size() >= 2)
            other = persons[1];
        if (other != 0)
            WritePersonNameField(buffer, size, other, *database_, showIds);
        break;
    }
    default:
        break;
    }
}

bool Relationship::Delete()
{
    if (row.noteId != 0 && !NoteText::DeleteChain(row.noteId, *database_))
        return false;
    return DeleteCitationsLinksAndRow();
}
