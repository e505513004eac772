// The portable side of the list windows, in which records that stand beside persons (and persons, by
// their names) are found and chosen: the rows of the pages, the selection (a short working list that
// grows as the user saves, opens, chooses and searches records), the search criteria and the search's
// steps, and the options and window geometry kept in the list's settings section. One state of each kind
// lives as long as the open database (Database owns them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/list_search.h"
#include "settings/settings.h"

class Database;

inline constexpr std::size_t ListTextSize = 64;  // texts of selection entries: at most 63 characters
inline constexpr int ListColumnMost = 3;         // columns a page shows
inline constexpr std::int32_t DefaultListSize = 200;

// The capacity of a selection array for the setting ListSize: at most that less one entries are held.
// The setting is read unchecked from the store, so a value below 2 counts as the default.
std::size_t SelectionCapacity(std::int32_t listSize);

// One row of a page: the record id the row stands for and the texts of its columns.
struct ListRow {
    std::int32_t id = 0;
    std::string texts[ListColumnMost];
};

// The selection: entries with an `id`, held in the order they came, each id once; a full list ignores
// further additions. The capacity is taken from ListSize on first use.
template <class Entry> class SelectionList {
public:
    explicit SelectionList(const std::int32_t& listSize) : listSize_(listSize) {}

    // False when the entry was not added (full, or its id is there already).
    bool Add(const Entry& entry)
    {
        if (capacity_ == 0)
            capacity_ = SelectionCapacity(listSize_);
        if (entries_.size() + 1 >= capacity_)
            return false;
        for (const Entry& held : entries_) {
            if (held.id == entry.id)
                return false;
        }
        entries_.push_back(entry);
        return true;
    }
    // Removes the first entry of `id`, later entries moving up; 1 when it was there, 0 otherwise.
    int Remove(std::int32_t id)
    {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->id == id) {
                entries_.erase(it);
                return 1;
            }
        }
        return 0;
    }
    void Clear() { entries_.clear(); }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    const std::int32_t& listSize_;
    std::size_t capacity_ = 0;
    std::vector<Entry> entries_;
};

class RecordListModel {
public:
    virtual ~RecordListModel() = default;

    // The settings of this list and the section they are stored in.
    virtual ListWindowSettings& Settings() const = 0;
    virtual const char* Section() const = 0;
    // How many column widths of each page the section stores (the pages' columns beyond are shown with
    // the stored values and not written again).
    virtual int StoredWidthCount() const = 0;
    virtual Database& OwnerDatabase() const = 0;

    // Every record that reads, in the list's order, in one read-write transaction.
    virtual std::vector<ListRow> AllRows() = 0;
    // The selection, in selection order.
    virtual std::vector<ListRow> SelectionRows() const = 0;
    virtual void ClearSelection() = 0;
    // Adds the record of `id` to the selection when it reads (the dialog's Select when IncludeSelected
    // is on; nothing for 0).
    virtual void AddChosen(std::int32_t id) = 0;

    // The search: BeginSearch empties the selection when asked to; SearchTotal is the highest id of the
    // table; SearchStep tests the record of one id (a free id is skipped) and adds it on a hit. The caller
    // holds a read-write transaction over all steps.
    virtual void BeginSearch();
    virtual std::int32_t SearchTotal() = 0;
    virtual void SearchStep(std::int32_t id) = 0;
    // After the last step (or Cancel): frees what the search held.
    virtual void EndSearch() {}
    // Every step from 1 to the total at once.
    void RunSearch();

    // Stores the options into the settings block and writes each value.
    void StoreOptions(bool includeNew, bool includeOpened, bool includeSelected);
    // Stores and writes the dialog's rectangle and the column widths of both pages (only the first
    // StoredWidthCount widths are taken; the stored values are written whole).
    void StoreGeometry(const WindowPlacement& placement, const std::uint16_t* allWidths,
                       const std::uint16_t* selectionWidths);

    SearchSettings search;
    std::uint32_t activePage = 0; // kept from one opening of the dialog to the next
    const char* title = nullptr;  // for the next opening
};

// Copies `text` into an entry's text field, cut to 63 characters.
void CopyListText(char (&field)[ListTextSize], const char* text);
