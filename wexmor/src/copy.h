// Deep copies of records, as the Set and Add functions store them.
#pragma once

#include "records.h"

namespace wexmor {

void CopyFields(WZSimpledate& to, const WZSimpledate& from);
void CopyFields(WZDate& to, const WZDate& from);
void CopyFields(WZName& to, const WZName& from);
void CopyFields(WZPlace& to, const WZPlace& from);
void CopyFields(WZAddress& to, const WZAddress& from);
void CopyFields(WZObject& to, const WZObject& from);
void CopyFields(WZRepref& to, const WZRepref& from);
void CopyFields(WZExcerptref& to, const WZExcerptref& from);
void CopyFields(WZSubpersons& to, const WZSubpersons& from);
void CopyFields(WZPersonref& to, const WZPersonref& from);
void CopyFields(WZPersonrefrole& to, const WZPersonrefrole& from);
void CopyFields(WZAlias& to, const WZAlias& from);
void CopyFields(WZAttribute& to, const WZAttribute& from);
void CopyFields(WZEvent& to, const WZEvent& from);
void CopyFields(WZRelationship& to, const WZRelationship& from);
void CopyFields(WZInfo& to, const WZInfo& from);

template <class T> std::unique_ptr<T> CloneOne(const T& from)
{
    std::unique_ptr<T> copy(new (std::nothrow) T);
    if (copy)
        CopyFields(*copy, from);
    return copy;
}

// A copy of the record; for a list element, of the elements chained behind it as well. Null gives null.
template <class T> std::unique_ptr<T> Clone(const T* from)
{
    if constexpr (requires { from->next; }) {
        std::unique_ptr<T> head;
        std::unique_ptr<T>* tail = &head;
        for (; from; from = from->next.get()) {
            *tail = CloneOne(*from);
            if (!*tail)
                break;
            tail = &(*tail)->next;
        }
        return head;
    } else {
        return from ? CloneOne(*from) : nullptr;
    }
}

// The end of a list, where the next element is attached.
template <class T> std::unique_ptr<T>& ChainEnd(std::unique_ptr<T>& head)
{
    std::unique_ptr<T>* tail = &head;
    while (*tail)
        tail = &(*tail)->next;
    return *tail;
}

} // namespace wexmor
