#include "records/timeline.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

void CopyCut(char* target, std::size_t size, const char* text)
{
    std::memset(target, 0, size);
    if (text != nullptr)
        std::strncpy(target, text, size - 1);
}

bool EarlierDate(const DateValue& left, const DateValue& right)
{
    return std::make_tuple(left.Year(), left.month, left.day) < std::make_tuple(right.Year(), right.month, right.day);
}

} // namespace

void Timeline::SetPath(const char* path)
{
    CopyCut(path_, sizeof path_, path);
}

void Timeline::SetTitle(const char* text)
{
    CopyCut(title_, sizeof title_, text);
}

void Timeline::SetAuthor(const char* text)
{
    CopyCut(author_, sizeof author_, text);
}

void Timeline::AddEvent(const TimelineEvent& event)
{
    if (events_.size() == events_.capacity())
        events_.reserve(events_.capacity() + Growth);
    auto at =
        std::upper_bound(events_.begin(), events_.end(), event,
                         [](const TimelineEvent& a, const TimelineEvent& b) { return EarlierDate(a.from, b.from); });
    events_.insert(at, event);
}

DateValue Timeline::GetLatestDate() const
{
    DateValue latest = EmptyDateValue();
    bool found = false;
    for (const TimelineEvent& event : events_) {
        const DateValue& date = event.to.Year() != 0 ? event.to : event.from;
        if (!found || EarlierDate(latest, date)) {
            latest = date;
            found = true;
        }
    }
    return latest;
}
