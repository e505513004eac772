// Reordering the entries of a record list from an editing page. A move follows the chosen object: it
// changes places with unmarked entries only, so a removed entry never comes back into view and keeps its
// place, and the owner's next save gives every entry its order from its new position.
#pragma once

#include <cstddef>

#include "core/record_list.h"

enum class ListMove { Up, Down, Top, Bottom };

namespace list_moves_detail {

// The nearest unmarked entry before (after) `from`; `from` itself when there is none.
template <typename T> std::size_t PreviousUnmarked(const RecordList<T>& list, std::size_t from)
{
    for (std::size_t k = from; k > 0; --k)
        if (!list.IsMarked(k - 1))
            return k - 1;
    return from;
}

template <typename T> std::size_t NextUnmarked(const RecordList<T>& list, std::size_t from)
{
    for (std::size_t k = from + 1; k < list.Count(); ++k)
        if (!list.IsMarked(k))
            return k;
    return from;
}

} // namespace list_moves_detail

// Moves the object of entry `index` one unmarked place up or down, or as far as it goes; answers the
// entry that holds it afterwards (`index` when it could not move, or when `index` is no entry).
template <typename T> std::size_t MoveListEntry(RecordList<T>& list, std::size_t index, ListMove move)
{
    using namespace list_moves_detail;
    if (index >= list.Count())
        return index;
    const bool towardsFront = move == ListMove::Up || move == ListMove::Top;
    const bool repeat = move == ListMove::Top || move == ListMove::Bottom;
    std::size_t at = index;
    for (;;) {
        const std::size_t next = towardsFront ? PreviousUnmarked(list, at) : NextUnmarked(list, at);
        if (next == at)
            break;
        list.SwapObjects(at, next);
        at = next;
        if (!repeat)
            break;
    }
    return at;
}
