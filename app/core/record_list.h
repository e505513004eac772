// The growable list in which a record keeps the objects of its linked rows (participant links, excerpt
// references, excerpts of a source). An editing page does not remove an entry: it sets the entry's
// removal mark, and the owner's next save deletes the entry's row while the object stays in the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

inline constexpr std::uint8_t OwnerKindUnset = 255;

template <typename T> class RecordList {
public:
    // The entry array grows by this many entries at a time.
    static constexpr std::size_t Growth = 100;

    RecordList() = default;
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    std::size_t Capacity() const { return entries_.capacity(); }

    // Appends an unmarked entry that takes the object over; answers its position.
    std::size_t Append(std::unique_ptr<T> object)
    {
        if (entries_.size() == entries_.capacity())
            entries_.reserve(entries_.capacity() + Growth);
        entries_.push_back({0, std::move(object)});
        return entries_.size() - 1;
    }

    T& operator[](std::size_t i) { return *entries_[i].object; }
    const T& operator[](std::size_t i) const { return *entries_[i].object; }
    std::int32_t Mark(std::size_t i) const { return entries_[i].mark; }
    bool IsMarked(std::size_t i) const { return entries_[i].mark != 0; }
    void SetMark(std::size_t i, std::int32_t mark) { entries_[i].mark = mark; }
    // Exchanges the objects of two entries; the marks stay at their places.
    void SwapObjects(std::size_t i, std::size_t j) { std::swap(entries_[i].object, entries_[j].object); }

    // Destroys the object of entry `i` and closes the gap: for an entry whose row is gone already, which a
    // mark would have the next save delete once more.
    void Remove(std::size_t i) { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i)); }

    // Destroys every object and empties the list.
    void Clear()
    {
        entries_.clear();
        entries_.shrink_to_fit();
    }

    std::int32_t keyId = 0;
    std::uint8_t ownerKind = OwnerKindUnset;

private:
    struct Entry {
        std::int32_t mark;
        std::unique_ptr<T> object;
    };
    std::vector<Entry> entries_;
};

// Writes a list back in list order: an unmarked entry is saved, a marked one that is stored is deleted and
// then forgets its id. Ids are reused, so an entry that kept a deleted id would delete a newer record of
// that id at the next save. False at the first refusal.
template <typename T> bool SaveListEntries(RecordList<T>& list)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        T& entry = list[i];
        if (!list.IsMarked(i)) {
            if (!entry.Save())
                return false;
        } else if (entry.Id() != 0) {
            if (!entry.Delete())
                return false;
            entry.SetId(0);
        }
    }
    return true;
}
