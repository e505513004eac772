// The move buttons of the editing pages that keep an ordered list (excerpt references, a person's
// assertions): an entry changes places with unmarked neighbours only. A marked entry keeps its place
// and its mark, so it stays hidden however the entries around it move.
#pragma once

#include <cstddef>
#include <optional>

#include "core/record_list.h"

namespace record_list_moves {

template <typename T> std::optional<std::size_t> NextUnmarked(const RecordList<T>& list, std::size_t from)
{
    for (std::size_t j = from + 1; j < list.Count(); ++j)
        if (!list.IsMarked(j))
            return j;
    return std::nullopt;
}

template <typename T> std::optional<std::size_t> PreviousUnmarked(const RecordList<T>& list, std::size_t from)
{
    for (std::size_t j = from; j-- > 0;)
        if (!list.IsMarked(j))
            return j;
    return std::nullopt;
}

} // namespace record_list_moves

// Each move takes the position of an unmarked entry and answers the position the entry's object has
// afterwards (the same one when it could not move).

template <typename T> std::size_t MoveEntryDown(RecordList<T>& list, std::size_t i)
{
    const auto next = record_list_moves::NextUnmarked(list, i);
    if (!next)
        return i;
    list.SwapObjects(i, *next);
    return *next;
}

template <typename T> std::size_t MoveEntryUp(RecordList<T>& list, std::size_t i)
{
    const auto previous = record_list_moves::PreviousUnmarked(list, i);
    if (!previous)
        return i;
    list.SwapObjects(i, *previous);
    return *previous;
}

// The object is followed as it moves: stepping over list positions instead would swap a marked entry's
// object into an unmarked place and bring a removed entry back.
template <typename T> std::size_t MoveEntryToBottom(RecordList<T>& list, std::size_t i)
{
    std::size_t at = i;
    while (const auto next = record_list_moves::NextUnmarked(list, at)) {
        list.SwapObjects(at, *next);
        at = *next;
    }
    return at;
}

template <typename T> std::size_t MoveEntryToTop(RecordList<T>& list, std::size_t i)
{
    std::size_t at = i;
    while (const auto previous = record_list_moves::PreviousUnmarked(list, at)) {
        list.SwapObjects(at, *previous);
        at = *previous;
    }
    return at;
}

enum class ListMove { Up, Down, Top, Bottom };

// One of the moves above by the button that asks for it; `index` itself when it is no entry.
template <typename T> std::size_t MoveListEntry(RecordList<T>& list, std::size_t index, ListMove move)
{
    if (index >= list.Count())
        return index;
    switch (move) {
    case ListMove::Up:
        return MoveEntryUp(list, index);
    case ListMove::Down:
        return MoveEntryDown(list, index);
    case ListMove::Top:
        return MoveEntryToTop(list, index);
    case ListMove::Bottom:
        return MoveEntryToBottom(list, index);
    }
    return index;
}

// The row a list view shows for the entry at `i`: the number of unmarked entries before it.
template <typename T> int RowOfEntry(const RecordList<T>& list, std::size_t i)
{
    int row = 0;
    for (std::size_t j = 0; j < i && j < list.Count(); ++j)
        row += list.IsMarked(j) ? 0 : 1;
    return row;
}
