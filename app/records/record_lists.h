// The list states of sources, repositories, research objectives and media: each holds its selection
// entries, tests its records against the search criteria, and lists the records of its table. The
// Database owns one of each (made through the makers InstallRecordListMakers sets).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/database_state.h"
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

class RepositoryListState : public DatabaseState, public RecordListModel {
public:
    enum Field : std::uint32_t {
        FieldNone, FieldName, FieldLine1, FieldLine2, FieldCity, FieldCountry, FieldPhone, FieldFax, FieldEmail, FieldUrl
    };

    explicit RepositoryListState(Database& database);

    void AddOpened(const RepositoryRecord& repository);
    int RemoveOpened(std::int32_t id);
    // The address fields need the repository's linked records loaded (an absent address matches as empty).
    int MatchRepositoryCriterion(int index, RepositoryRecord& repository) const;
    const std::vector<NamedSelectionEntry>& Selection() const { return selection_.Entries(); }

    ListWindowSettings& Settings() const override;
    const char* Section() const override { return "Repository"; }
    int StoredWidthCount() const override { return 1; }
    Database& OwnerDatabase() const override { return database_; }
    // The names, in id order.
    std::vector<ListRow> AllRows() override;
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    void AddChosen(std::int32_t id) override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;

private:
    Database& database_;
    SelectionList<NamedSelectionEntry> selection_;
};

class ResearchListState : public DatabaseState, public RecordListModel {
public:
    enum Field : std::uint32_t { FieldNone, FieldTitle };

    explicit ResearchListState(Database& database);

    void AddOpened(const ObjectiveRecord& objective);
    int RemoveOpened(std::int32_t id);
    int MatchObjectiveCriterion(int index, const ObjectiveRecord& objective) const;
    const std::vector<NamedSelectionEntry>& Selection() const { return selection_.Entries(); }
    // Frees the selection.
    void FreeBuffer() { selection_.Clear(); }

    ListWindowSettings& Settings() const override;
    const char* Section() const override { return "Research"; }
    int StoredWidthCount() const override { return 2; }
    Database& OwnerDatabase() const override { return database_; }
    // The id in decimal and the title, in id order.
    std::vector<ListRow> AllRows() override;
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    void AddChosen(std::int32_t id) override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;

private:
    Database& database_;
    SelectionList<NamedSelectionEntry> selection_;
};

class MediaListState : public DatabaseState, public RecordListModel {
public:
    enum Field : std::uint32_t { FieldNone, FieldDescription, FieldFileName };

    explicit MediaListState(Database& database);

    void AddOpened(const MediaRecord& media);
    int RemoveOpened(std::int32_t id);
    int MatchMediaCriterion(int index, const MediaRecord& media) const;
    const std::vector<NamedSelectionEntry>& Selection() const { return selection_.Entries(); }

    ListWindowSettings& Settings() const override;
    const char* Section() const override { return "Object"; }
    int StoredWidthCount() const override { return 2; }
    Database& OwnerDatabase() const override { return database_; }
    // The descriptions (the file's bytes are not read).
    std::vector<ListRow> AllRows() override;
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    void AddChosen(std::int32_t id) override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;

private:
    Database& database_;
    SelectionList<NamedSelectionEntry> selection_;
};

// The list states of a database; null when the program made it without them.
SourceListState* SourceListOf(Database& database);
RepositoryListState* RepositoryListOf(Database& database);
ResearchListState* ResearchListOf(Database& database);
MediaListState* MediaListOf(Database& database);

// Sets the makers of the four record list states in `makers`.
void AddRecordListMakers(DatabaseStateMakers& makers);
