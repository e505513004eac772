// The person list's state: the names of every person (read in display-text order when the All page needs
// them, dropped whenever a name changes), the selection of names the user collected, and the name search
// with its Soundex and given-name-variant options. One per open database.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/database_state.h"
#include "core/name_record.h"
#include "records/record_list_state.h"

struct DatabaseStateMakers;

struct NameListEntry {
    std::int32_t id;       // the NAME row
    std::int32_t personId; // the person whose name it is
    char display[128];
};

class NameListState : public NameListEvents, public RecordListModel {
public:
    enum Field : std::uint32_t { FieldNone, FieldName, FieldFirstName, FieldSurname, FieldNote, FieldId };

    explicit NameListState(Database& database);

    void DiscardAllNames() override { allNames_.clear(); allNamesRead_ = false; }
    void AddToSelection(const NameRecord& name) override;
    int RemoveFromSelection(std::int32_t nameId) override { return selection_.Remove(nameId); }
    const std::vector<NameListEntry>& Selection() const { return selection_.Entries(); }

    bool AllNamesRead() const { return allNamesRead_; }
    // Reads every name in display-text order in one transaction, at most as many as the highest id;
    // `progress` (may be empty) hears the percentage after each name.
    void ReadAllNames(const std::function<void(int percent)>& progress = {});
    const std::vector<NameListEntry>& AllNames() const { return allNames_; }

    // Whether criterion `index` holds for a name and the PERSON row of its person (read when the
    // criterion needs it).
    bool MatchNameCriterion(int index, const NameRecord& name);

    ListWindowSettings& Settings() const override;
    const char* Section() const override { return "Name"; }
    int StoredWidthCount() const override { return 2; }
    Database& OwnerDatabase() const override { return database_; }
    // The display text and the person id, in display-text order; the row's id is the person's.
    std::vector<ListRow> AllRows() override;
    // The person id and the display text.
    std::vector<ListRow> SelectionRows() const override;
    void ClearSelection() override { selection_.Clear(); }
    // The primary name of the person of `id`.
    void AddChosen(std::int32_t personId) override;
    // When variants are asked for, looks up in the given-names database (in the program folder) the
    // names that count for each given-name criterion: a main name and its variants.
    void BeginSearch() override;
    std::int32_t SearchTotal() override;
    void SearchStep(std::int32_t id) override;
    void EndSearch() override;

    std::uint32_t soundex = 0;  // surnames also match by their Soundex code
    std::uint32_t variants = 0; // given names also match through the given-names database

private:
    Database& database_;
    SelectionList<NameListEntry> selection_;
    std::vector<NameListEntry> allNames_;
    bool allNamesRead_ = false;
    std::vector<std::string> variantNames_[SearchCriterionCount];
};

NameListState* NameListOf(Database& database);

// Sets the makers of every list state (persons, sources, repositories, research, media) for the
// databases made from now on: the program calls it once at start-up.
void InstallListStates();
void AddListStateMakers(DatabaseStateMakers& makers);
