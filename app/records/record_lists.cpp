#include "records/record_lists.h"

#include <algorithm>
#include <set>
#include <string>

#include "core/address_record.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"

namespace {

// Reads the ids 1 to the highest id of `table` inside one read-write transaction, handing each id on.
template <class Visit> void WalkTable(Database& database, TableNumber table, Visit&& visit)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const std::int32_t total = tlvNumberOfRecords(database.TableId(table), database.file);
    for (std::int32_t id = 1; id <= total; ++id)
        visit(id);
}

std::int32_t HighestId(Database& database, TableNumber table)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    return transaction.Running() ? tlvNumberOfRecords(database.TableId(table), database.file) : 0;
}

int Holds(const SearchCriterion& criterion, const char* text)
{
    return MatchText(text, criterion.text, criterion.mode) ? 1 : 0;
}

// A criterion without a field: it holds under AND and fails under OR.
int NoField(const SearchSettings& search)
{
    return search.combineAnd != 0 ? 1 : 0;
}

NamedSelectionEntry NamedEntry(std::int32_t id, const char* text)
{
    NamedSelectionEntry entry = {};
    entry.id = id;
    CopyListText(entry.text, text);
    return entry;
}

template <class State> State* StateOf(DatabaseState* state)
{
    return dynamic_cast<State*>(state);
}

template <class State> std::unique_ptr<DatabaseState> Make(Database& database)
{
    return std::make_unique<State>(database);
}

// Inserts `item` among `siblings` after the last sibling whose title does not sort after it.
void InsertSorted(std::vector<SourceTreeItem>& siblings, SourceTreeItem item)
{
    auto at = std::upper_bound(siblings.begin(), siblings.end(), item,
                               [](const SourceTreeItem& a, const SourceTreeItem& b) { return a.title < b.title; });
    siblings.insert(at, std::move(item));
}

void AddSubordinates(SourceRecord& source, SourceTreeItem& item, std::set<std::int32_t>& placed)
{
    source.LoadSubordinates();
    RecordList<SourceRecord>& subordinates = source.Subordinates();
    for (std::size_t i = 0; i < subordinates.Count(); ++i) {
        SourceRecord& child = subordinates[i];
        if (child.Id() == 0 || !placed.insert(child.Id()).second)
            continue;
        SourceTreeItem childItem;
        childItem.id = child.Id();
        childItem.title = child.row.title;
        AddSubordinates(child, childItem, placed);
        InsertSorted(item.children, std::move(childItem));
    }
}

} // namespace

// Sources.

SourceListState::SourceListState(Database& database) : database_(database), selection_(Settings().ListSize)
{
}

ListWindowSettings& SourceListState::Settings() const
{
    return CurrentSettings.source;
}

void SourceListState::AddOpened(const SourceRecord& source)
{
    SourceSelectionEntry entry = {};
    entry.id = source.Id();
    entry.superiorId = source.row.superiorId;
    CopyListText(entry.title, source.row.title);
    CopyListText(entry.author, source.row.author);
    selection_.Add(entry);
}

int SourceListState::RemoveOpened(std::int32_t id)
{
    return selection_.Remove(id);
}

int SourceListState::MatchSourceCriterion(int index, const SourceRecord& source) const
{
    const SearchCriterion& criterion = search.criteria[index];
    switch (criterion.field) {
    case FieldNone:
        return NoField(search);
    case FieldAuthor:
        return Holds(criterion, source.row.author);
    case FieldTitle:
        return Holds(criterion, source.row.title);
    case FieldShortTitle:
        return Holds(criterion, source.row.shortTitle);
    case FieldPublished:
        return Holds(criterion, source.row.published);
    case FieldSerial:
        return Holds(criterion, source.row.serialNumber);
    default:
        return 0;
    }
}

std::vector<ListRow> SourceListState::AllRows()
{
    std::vector<ListRow> rows;
    WalkTable(database_, TableSource, [&](std::int32_t id) {
        SourceRecord source(database_);
        if (source.Read(id) != 0)
            return;
        ListRow row;
        row.id = id;
        row.texts[0] = source.row.title;
        row.texts[1] = source.row.author;
        row.texts[2] = source.row.superiorId == 0 ? "*" : "";
        rows.push_back(std::move(row));
    });
    return rows;
}

std::vector<ListRow> SourceListState::SelectionRows() const
{
    std::vector<ListRow> rows;
    for (const SourceSelectionEntry& entry : selection_.Entries()) {
        ListRow row;
        row.id = entry.id;
        row.texts[0] = entry.title;
        row.texts[1] = entry.author;
        row.texts[2] = entry.superiorId == 0 ? "*" : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<SourceTreeItem> SourceListState::Hierarchy()
{
    std::vector<SourceTreeItem> roots;
    std::set<std::int32_t> placed;
    WalkTable(database_, TableSource, [&](std::int32_t id) {
        SourceRecord source(database_);
        if (source.Read(id) != 0 || source.row.superiorId != 0 || !placed.insert(id).second)
            return;
        SourceTreeItem item;
        item.id = id;
        item.title = source.row.title;
        AddSubordinates(source, item, placed);
        InsertSorted(roots, std::move(item));
    });
    return roots;
}

void SourceListState::AddChosen(std::int32_t id)
{
    if (id == 0)
        return;
    SourceRecord source(database_);
    if (source.Read(id) == 0)
        AddOpened(source);
}

std::int32_t SourceListState::SearchTotal()
{
    return HighestId(database_, TableSource);
}

void SourceListState::SearchStep(std::int32_t id)
{
    SourceRecord source(database_);
    if (source.Read(id) != 0)
        return;
    if (search.Matches([&](int i) { return MatchSourceCriterion(i, source) != 0; }))
        AddOpened(source);
}

// Lists of an id and a text.

template <class Record>
NamedListState<Record>::NamedListState(Database& database, const Kind& kind)
    : database_(database), settings_(kind.settings), section_(kind.section), storedWidths_(kind.storedWidths),
      table_(kind.table), idColumn_(kind.idColumn), selection_(kind.settings.ListSize)
{
}

template <class Record> void NamedListState<Record>::AddOpened(const Record& record)
{
    selection_.Add(NamedEntry(record.Id(), TextOf(record).c_str()));
}

template <class Record> ListRow NamedListState<Record>::RowOf(std::int32_t id, const std::string& text) const
{
    ListRow row;
    row.id = id;
    if (idColumn_) {
        row.texts[0] = std::to_string(id);
        row.texts[1] = text;
    } else {
        row.texts[0] = text;
    }
    return row;
}

template <class Record> std::vector<ListRow> NamedListState<Record>::AllRows()
{
    std::vector<ListRow> rows;
    WalkTable(database_, table_, [&](std::int32_t id) {
        Record record(database_);
        if (record.Read(id) == 0)
            rows.push_back(RowOf(id, TextOf(record)));
    });
    return rows;
}

template <class Record> std::vector<ListRow> NamedListState<Record>::SelectionRows() const
{
    std::vector<ListRow> rows;
    for (const NamedSelectionEntry& entry : selection_.Entries())
        rows.push_back(RowOf(entry.id, entry.text));
    return rows;
}

template <class Record> void NamedListState<Record>::AddChosen(std::int32_t id)
{
    if (id == 0)
        return;
    Record record(database_);
    if (record.Read(id) == 0)
        AddOpened(record);
}

template <class Record> std::int32_t NamedListState<Record>::SearchTotal()
{
    return HighestId(database_, table_);
}

template <class Record> void NamedListState<Record>::SearchStep(std::int32_t id)
{
    Record record(database_);
    if (record.Read(id) != 0)
        return;
    LoadForSearch(record);
    if (search.Matches([&](int i) { return Match(i, record) != 0; }))
        AddOpened(record);
}

template class NamedListState<RepositoryRecord>;
template class NamedListState<ObjectiveRecord>;
template class NamedListState<MediaRecord>;

// Repositories.

RepositoryListState::RepositoryListState(Database& database)
    : NamedListState(database, {CurrentSettings.repository, "Repository", 1, TableRepository, false})
{
}

std::string RepositoryListState::TextOf(const RepositoryRecord& repository) const
{
    return repository.row.name;
}

void RepositoryListState::LoadForSearch(RepositoryRecord& repository)
{
    repository.LoadLinked();
}

int RepositoryListState::MatchRepositoryCriterion(int index, RepositoryRecord& repository) const
{
    const SearchCriterion& criterion = search.criteria[index];
    static const AddressRow NoAddress = {};
    const AddressRow& address = repository.Address() != nullptr ? repository.Address()->row : NoAddress;
    switch (criterion.field) {
    case FieldNone:
        return NoField(search);
    case FieldName:
        return Holds(criterion, repository.row.name);
    case FieldLine1:
        return Holds(criterion, address.line1);
    case FieldLine2:
        return Holds(criterion, address.line2);
    case FieldCity:
        return Holds(criterion, address.city);
    case FieldCountry:
        return Holds(criterion, address.country);
    case FieldPhone:
        return Holds(criterion, address.phone);
    case FieldFax:
        return Holds(criterion, address.fax);
    case FieldEmail:
        return Holds(criterion, repository.row.email);
    case FieldUrl:
        return Holds(criterion, repository.row.url);
    default:
        return 0;
    }
}

// Research objectives.

ResearchListState::ResearchListState(Database& database)
    : NamedListState(database, {CurrentSettings.research, "Research", 2, TableObjective, true})
{
}

std::string ResearchListState::TextOf(const ObjectiveRecord& objective) const
{
    return objective.row.title;
}

void ResearchListState::LoadForSearch(ObjectiveRecord& objective)
{
    objective.LoadLinked();
}

int ResearchListState::MatchObjectiveCriterion(int index, const ObjectiveRecord& objective) const
{
    const SearchCriterion& criterion = search.criteria[index];
    switch (criterion.field) {
    case FieldNone:
        return NoField(search);
    case FieldTitle:
        return Holds(criterion, objective.row.title);
    default:
        return 0;
    }
}

// Media.

MediaListState::MediaListState(Database& database)
    : NamedListState(database, {CurrentSettings.object, "Object", 2, TableMedia, false})
{
}

std::string MediaListState::TextOf(const MediaRecord& media) const
{
    return media.Description();
}

int MediaListState::MatchMediaCriterion(int index, const MediaRecord& media) const
{
    const SearchCriterion& criterion = search.criteria[index];
    switch (criterion.field) {
    case FieldNone:
        return NoField(search);
    case FieldDescription:
        return Holds(criterion, media.Description().c_str());
    case FieldFileName:
        return Holds(criterion, media.FileName().c_str());
    default:
        return 0;
    }
}

SourceListState* SourceListOf(Database& database)
{
    return StateOf<SourceListState>(database.SourceList());
}

RepositoryListState* RepositoryListOf(Database& database)
{
    return StateOf<RepositoryListState>(database.RepositoryList());
}

ResearchListState* ResearchListOf(Database& database)
{
    return StateOf<ResearchListState>(database.ResearchList());
}

MediaListState* MediaListOf(Database& database)
{
    return StateOf<MediaListState>(database.MediaList());
}

void AddRecordListMakers(DatabaseStateMakers& makers)
{
    makers.sources = Make<SourceListState>;
    makers.repositories = Make<RepositoryListState>;
    makers.research = Make<ResearchListState>;
    makers.media = Make<MediaListState>;
}
