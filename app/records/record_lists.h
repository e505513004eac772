// The list states of sources, repositories, research objectives and media: each holds its selection
// entries, tests its records against the search criteria, and lists the records of its table. The
// Database owns one of each (made through the makers InstallRecordListMakers sets).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/database_state.h"
#include "core/schema.h"
#include "records/record_list_state.h"

class MediaRecord;
class ObjectiveRecord;
class RepositoryRecord;
class SourceRecord;
struct DatabaseStateMakers;

struct SourceSelectionEntry {
    std::int32_t id;
    std::int32_t superiorId;
    char title[ListTextSize];
    char author[ListTextSize];
};

// A source of the hierarchy page and the sources that are part of it.
struct SourceTreeItem {
    std::int32_t id = 0;
    std::string title;
    std::vector<SourceTreeItem> children;
};

class SourceListState : public DatabaseState, public RecordListModel {
public:
    // Search fields, in the order of the search dialog's field list.
    enum Field : std::uint32_t { FieldNone, FieldAuthor, FieldTitle, FieldShortTitle, FieldPublished, FieldSerial };

    explicit SourceListState(Database& database);

    // Adds a source (id, superior, title and author cut to 63 characters) unless the selection is full
    // or holds it already; an entry keeps the texts it was added with.
    void AddOpened(const SourceRecord& source);
    int RemoveOpened(std::int32_t id);
    // 1 when the source matches criterion `index` (a criterion without a field: AND 1, OR 0).
    int MatchSourceCriterion(int index, const SourceRecord& source) const;
    const std::vector<SourceSelectionEntry>& Selection() const { return selection_.Entries(); }

    // The sources without a superior, each with its subordinate sources, siblings sorted by title.
    // Sources whose superior links run in a circle are reached from no top-level source and so left out.
    std::vector<SourceTreeItem> Hierarchy();

    ListWindowSettings& Settings() const override;
    const char* Section() const override { return "Source"; }
    int StoredWidthCount() const override { return 3; }
    Database& OwnerDatabase() const override { return database_; }
    // Title, author, "*" for a top-level source.
    std::vector<ListRow> AllRows() override;
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    void AddChosen(std::int32_t id) override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;

private:
    Database& database_;
    SelectionList<SourceSelectionEntry> selection_;
};

struct NamedSelectionEntry {
    std::int32_t id;
    char text[ListTextSize];
};

// A list whose entries are a record's id and one text of it (repositories, research objectives, media):
// everything but which text it is and how a criterion tests a record.
template <class Record> class NamedListState : public DatabaseState, public RecordListModel {
public:
    // Adds a record (its id and text cut to 63 characters) unless the selection is full or holds it.
    void AddOpened(const Record& record);
    int RemoveOpened(std::int32_t id) { return selection_.Remove(id); }
    const std::vector<NamedSelectionEntry>& Selection() const { return selection_.Entries(); }

    ListWindowSettings& Settings() const override { return settings_; }
    const char* Section() const override { return section_; }
    int StoredWidthCount() const override { return storedWidths_; }
    Database& OwnerDatabase() const override { return database_; }
    // The records' texts in id order (led by the id in decimal where the list shows it).
    std::vector<ListRow> AllRows() override;
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    void AddChosen(std::int32_t id) override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;

protected:
    struct Kind {
        ListWindowSettings& settings;
        const char* section;
        int storedWidths;
        TableNumber table;
        bool idColumn; // the pages show the id before the text
    };
    NamedListState(Database& database, const Kind& kind);

    virtual std::string TextOf(const Record& record) const = 0;
    // What a search step loads of a record that read before its criteria are tested.
    virtual void LoadForSearch(Record& record) {}
    virtual int Match(int index, Record& record) const = 0;

private:
    ListRow RowOf(std::int32_t id, const std::string& text) const;

    Database& database_;
    ListWindowSettings& settings_;
    const char* section_;
    int storedWidths_;
    TableNumber table_;
    bool idColumn_;
    SelectionList<NamedSelectionEntry> selection_;
};

class RepositoryListState : public NamedListState<RepositoryRecord> {
public:
    enum Field : std::uint32_t {
        FieldNone, FieldName, FieldLine1, FieldLine2, FieldCity, FieldCountry, FieldPhone, FieldFax, FieldEmail, FieldUrl
    };

    explicit RepositoryListState(Database& database);
    // The address fields need the repository's linked records loaded (an absent address matches as empty).
    int MatchRepositoryCriterion(int index, RepositoryRecord& repository) const;

protected:
    std::string TextOf(const RepositoryRecord& repository) const override;
    // The address, note and references.
    void LoadForSearch(RepositoryRecord& repository) override;
    int Match(int index, RepositoryRecord& repository) const override
    {
        return MatchRepositoryCriterion(index, repository);
    }
};

class ResearchListState : public NamedListState<ObjectiveRecord> {
public:
    enum Field : std::uint32_t { FieldNone, FieldTitle };

    explicit ResearchListState(Database& database);
    int MatchObjectiveCriterion(int index, const ObjectiveRecord& objective) const;
    // Frees the selection.
    void FreeBuffer() { ClearSelection(); }

protected:
    std::string TextOf(const ObjectiveRecord& objective) const override;
    // The notes and tasks.
    void LoadForSearch(ObjectiveRecord& objective) override;
    int Match(int index, ObjectiveRecord& objective) const override { return MatchObjectiveCriterion(index, objective); }
};

class MediaListState : public NamedListState<MediaRecord> {
public:
    enum Field : std::uint32_t { FieldNone, FieldDescription, FieldFileName };

    explicit MediaListState(Database& database);
    // Tests the row only: the file's bytes are never read.
    int MatchMediaCriterion(int index, const MediaRecord& media) const;

protected:
    std::string TextOf(const MediaRecord& media) const override;
    int Match(int index, MediaRecord& media) const override { return MatchMediaCriterion(index, media); }
};

// The list states of a database; null when the program made it without them.
SourceListState* SourceListOf(Database& database);
RepositoryListState* RepositoryListOf(Database& database);
ResearchListState* ResearchListOf(Database& database);
MediaListState* MediaListOf(Database& database);

// Sets the makers of the four record list states in `makers`.
void AddRecordListMakers(DatabaseStateMakers& makers);
