#include "persons/name_list_state.h"

#include <cstring>
#include <string>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "persons/person_record.h"
#include "records/given_names.h"
#include "records/record_lists.h"
#include "records/soundex.h"

namespace {

NameListEntry EntryOf(std::int32_t id, const NameRow& row)
{
    NameListEntry entry = {};
    entry.id = id;
    entry.personId = row.number;
    CopyBounded(entry.display, sizeof entry.display, row.display);
    return entry;
}

} // namespace

NameListState::NameListState(Database& database) : database_(database), selection_(Settings().ListSize) {}

ListWindowSettings& NameListState::Settings() const
{
    return CurrentSettings.name;
}

void NameListState::AddToSelection(const NameRecord& name)
{
    selection_.Add(EntryOf(name.Id(), name.row));
}

void NameListState::ReadAllNames(const std::function<void(int percent)>& progress)
{
    allNames_.clear();
    EngineTransaction transaction(database_.file, TLV_READ);
    if (!transaction.Running())
        return;
    const std::int32_t table = database_.TableId(TableName);
    const std::int32_t total = tlvNumberOfRecords(table, database_.file);
    allNames_.reserve(static_cast<std::size_t>(total > 0 ? total : 0));
    NameRow row = {};
    for (std::int32_t id = tlvGetFirstRecord(table, NameDisplayColumn, database_.file);
         id > 0 && static_cast<std::int32_t>(allNames_.size()) < total;
         id = tlvGetNextRecord(table, NameDisplayColumn, id, 1, database_.file)) {
        if (tlvReadRecord(table, id, &row, database_.file) != 0)
            continue;
        allNames_.push_back(EntryOf(id, row));
        if (progress)
            progress(static_cast<int>(static_cast<std::int64_t>(allNames_.size()) * 100 / total));
    }
    allNamesRead_ = true;
}

std::vector<ListRow> NameListState::AllRows()
{
    if (!allNamesRead_)
        ReadAllNames();
    std::vector<ListRow> rows;
    rows.reserve(allNames_.size());
    for (const NameListEntry& entry : allNames_) {
        ListRow row;
        row.id = entry.personId;
        row.texts[0] = entry.display;
        row.texts[1] = std::to_string(entry.personId);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ListRow> NameListState::SelectionRows() const
{
    std::vector<ListRow> rows;
    for (const NameListEntry& entry : selection_.Entries()) {
        ListRow row;
        row.id = entry.personId;
        row.texts[0] = std::to_string(entry.personId);
        row.texts[1] = entry.display;
        rows.push_back(std::move(row));
    }
    return rows;
}

void NameListState::AddChosen(std::int32_t personId)
{
    if (personId == 0)
        return;
    EngineTransaction transaction(database_.file, TLV_READ);
    PersonRow person = {};
    if (tlvReadRecord(database_.TableId(TablePerson), personId, &person, database_.file) != 0 || person.nameId == 0)
        return;
    NameRecord name(person.nameId, database_);
    if (name.Id() != 0)
        AddToSelection(name);
}

bool NameListState::MatchNameCriterion(int index, const NameRecord& name)
{
    const SearchCriterion& criterion = search.criteria[index];
    char text[NamePartsSize] = {};
    switch (criterion.field) {
    case FieldNone:
        return search.combineAnd != 0;
    case FieldName:
        return MatchText(name.Format(text, sizeof text), criterion.text, criterion.mode);
    case FieldFirstName: {
        name.GetGivenNames(text, sizeof text);
        if (MatchText(text, criterion.text, criterion.mode))
            return true;
        for (const std::string& variant : variantNames_[index]) {
            if (MatchText(text, variant.c_str(), criterion.mode))
                return true;
        }
        return false;
    }
    case FieldSurname: {
        name.GetSurname(text, sizeof text);
        if (soundex != 0) {
            char surnameCode[SoundexSize];
            char patternCode[SoundexSize];
            if (std::strcmp(ComputeSoundex(text, surnameCode), ComputeSoundex(criterion.text, patternCode)) == 0)
                return true;
        }
        return MatchText(text, criterion.text, criterion.mode);
    }
    case FieldNote: {
        PersonRow person = {};
        if (tlvReadRecord(database_.TableId(TablePerson), name.row.number, &person, database_.file) != 0 ||
            person.noteId == 0)
            return MatchText("", criterion.text, criterion.mode);
        NoteText note(person.noteId, database_);
        return MatchText(note.Text() != nullptr ? note.Text() : "", criterion.text, criterion.mode);
    }
    case FieldId:
        return MatchText(std::to_string(name.row.number).c_str(), criterion.text, criterion.mode);
    default:
        return false;
    }
}

void NameListState::BeginSearch()
{
    RecordListModel::BeginSearch();
    EndSearch();
    if (variants == 0)
        return;
    // The variants of each given-name criterion are looked up once for the whole search.
    DatabaseFile* givenNames = OpenGivenNamesDatabase(CurrentSettings.AppDir);
    if (givenNames == nullptr)
        return;
    {
        EngineTransaction transaction(givenNames, TLV_READ);
        for (int i = 0; i < SearchCriterionCount; ++i) {
            if (transaction.Running() && search.criteria[i].field == FieldFirstName)
                variantNames_[i] = GivenNameGroup(givenNames, search.criteria[i].text);
        }
    }
    CloseGivenNamesDatabase(givenNames);
}

std::int32_t NameListState::SearchTotal()
{
    EngineTransaction transaction(database_.file, TLV_READWRITE);
    return transaction.Running() ? tlvNumberOfRecords(database_.TableId(TableName), database_.file) : 0;
}

void NameListState::SearchStep(std::int32_t id)
{
    NameRecord name(database_);
    if (tlvReadRecord(database_.TableId(TableName), id, &name.row, database_.file) != 0)
        return;
    name.SetId(id);
    if (search.Matches([&](int i) { return MatchNameCriterion(i, name); }))
        AddToSelection(name);
}

void NameListState::EndSearch()
{
    for (std::vector<std::string>& names : variantNames_)
        names.clear();
}

NameListState* NameListOf(Database& database)
{
    return dynamic_cast<NameListState*>(database.NameList());
}

void AddListStateMakers(DatabaseStateMakers& makers)
{
    AddRecordListMakers(makers);
    makers.names = [](Database& database) -> std::unique_ptr<NameListEvents> {
        return std::make_unique<NameListState>(database);
    };
}

void InstallListStates()
{
    DatabaseStateMakers makers;
    AddListStateMakers(makers);
    SetDatabaseStateMakers(makers);
}
