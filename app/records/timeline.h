// A timeline: dated events on one axis, with a title, an author and a description. The person dialog makes
// one of a person's dated events and attributes; the timeline window shows and edits it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/date_value.h"

inline constexpr std::size_t TimelineTitleSize = 64;      // at most 63 characters
inline constexpr std::size_t TimelineAuthorSize = 128;    // at most 127 characters
inline constexpr std::size_t TimelineEventTextSize = 128; // at most 127 characters
inline constexpr std::size_t TimelinePathSize = 260;

#pragma pack(push, 1)
// One event of a timeline, as timeline files keep it.
struct TimelineEvent {
    DateValue from;
    DateValue to; // year 0 with modifier, minute, hour and dual year DateFieldNone: no to-date
    char text[TimelineEventTextSize];
};
#pragma pack(pop)
static_assert(sizeof(TimelineEvent) == 146, "a timeline event is 146 bytes");

class Timeline {
public:
    // The event array grows by this many entries at a time.
    static constexpr std::size_t Growth = 10;

    void SetPath(const char* path);
    void SetTitle(const char* text);
    void SetAuthor(const char* text);
    void SetDescription(const char* text) { description_ = text != nullptr ? text : ""; }

    // Adds a copy of the event after every event of an earlier or equal from-date, so that the events
    // stay in date order and events of one date keep the order in which they came.
    void AddEvent(const TimelineEvent& event);

    // Makes this timeline a copy of `other`; drops every event.
    void CopyFrom(const Timeline& other) { *this = other; }
    void FreeEvents() { events_.clear(); }
    // The latest date among the events: of each, its to-date where that has a year, else its from-date;
    // the first of equal dates. The empty date when there are no events.
    DateValue GetLatestDate() const;

    const char* Path() const { return path_; }
    const char* Title() const { return title_; }
    const char* Author() const { return author_; }
    const std::string& Description() const { return description_; }
    const std::vector<TimelineEvent>& Events() const { return events_; }

private:
    char path_[TimelinePathSize] = {};
    char title_[TimelineTitleSize] = {};
    char author_[TimelineAuthorSize] = {};
    std::string description_;
    std::vector<TimelineEvent> events_;
};
