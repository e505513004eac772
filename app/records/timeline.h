// A timeline: dated events on one axis, with a title, an author and a description, kept in a text file of
// its own outside the database (.vtl). The person dialog builds one of a person's dated events and
// attributes; the timeline window shows and edits it; reports read it.
//
// A timeline file, in the program's 8-bit character set, one item a line: the title, the author, the
// description, then one event a line: from-date "," to-date "," text. The text runs to the end of the line
// and may hold commas; a date never does. Dates are written and read with TimelineDatePicture in their
// input form. Lines are written with CR LF and read with CR LF, CR or LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/date_value.h"

inline constexpr std::size_t TimelinePathSize = 260;        // at most 259 characters
inline constexpr std::size_t TimelineTitleSize = 64;        // at most 63 characters
inline constexpr std::size_t TimelineAuthorSize = 128;      // at most 127 characters
inline constexpr std::size_t TimelineDescriptionSize = 256; // at most 255 characters
inline constexpr std::size_t TimelineEventTextSize = 128;   // at most 127 characters
// The longest date text the reader keeps of an event line's date field.
inline constexpr std::size_t TimelineDateTextLength = 63;
// The most events a file may hold: a longer one is damaged, and reading it would take memory without end.
inline constexpr std::size_t TimelineMaxFileEvents = 100000;

inline constexpr char TimelineDatePicture[] = "{dd}-{mm}-{yyyy}";
inline constexpr char TimelineFileExtension[] = "vtl";

#pragma pack(push, 1)
// One event of a timeline, as timeline files keep it.
struct TimelineEvent {
    DateValue from;
    DateValue to; // year 0: no to-date
    char text[TimelineEventTextSize];
};
#pragma pack(pop)
static_assert(sizeof(TimelineEvent) == 146, "a timeline event is 146 bytes");

enum class TimelineLoadResult {
    Loaded,
    CannotOpen,    // the file cannot be opened: the user is told
    CannotRead,    // reading it failed part way: the user is told as for one that cannot be opened
    UnknownSize,   // its size cannot be told: no message
    TooManyEvents, // more than TimelineMaxFileEvents event lines: no timeline file
};

class Timeline {
public:
    // The event array grows by this many entries at a time.
    static constexpr std::size_t Growth = 10;

    Timeline() = default;
    Timeline(const Timeline& other) { CopyFrom(other); }
    Timeline& operator=(const Timeline& other)
    {
        CopyFrom(other);
        return *this;
    }

    // Title, author, description and path of `other`, and copies of its events in place of these.
    void CopyFrom(const Timeline& other);
    // Releases the event array: no events, no room.
    void FreeEvents();

    // Each copies the text cut to its field (63, 127, 255 and 259 characters).
    void SetTitle(const char* text);
    void SetAuthor(const char* text);
    void SetDescription(const char* text);
    void SetPath(const char* text);

    // Appends a copy of the event and puts the events in date order again (SortEvents).
    void AddEvent(const TimelineEvent& event);
    // Orders the events by from-date (year, then month, then day); modifiers, calendars and to-dates take
    // no part, and events of equal from-dates keep their order.
    void SortEvents();
    // Removes the event at `index` (nothing when there is none); the later ones move down one place.
    void RemoveEvent(std::size_t index);

    // The latest date among the events, each counted by its to-date when that has a year, else by its
    // from-date; among equal dates the earliest event's. Points into the event array; null without events.
    const DateValue* GetLatestDate() const;

    // The report language's TIMELINE methods HIGHLIMIT, LOWLIMIT and MERGE: they change nothing.
    void SetHighLimit(const char*) {}
    void SetLowLimit(const char*) {}
    void Merge(const Timeline&) {}

    // Reads the timeline file at `path` and adds its events to those held (a caller loads into a new
    // object); title, author and description become the file's. Reads the file a block at a time and keeps
    // of every line only what its field holds, so a damaged or huge file costs no more memory than its
    // events; an event line longer than its fields is cut, a line with fewer than two commas leaves the
    // missing fields empty, and blank lines are skipped. On any failure the object is as it was.
    TimelineLoadResult Load(const char* path);
    // Writes the timeline to its path. The file is written beside it under a passing name and then put in
    // the old one's place, so a failing disk leaves the file as it was. Line breaks inside a text would
    // start a new line of the file: each is written as one blank. False on failure, with the system's
    // error code in `systemError` (0 when the timeline has no path).
    bool Save(std::uint32_t* systemError = nullptr) const;

    const char* Path() const { return path_; }
    const char* Title() const { return title_; }
    const char* Author() const { return author_; }
    const char* Description() const { return description_; }
    std::size_t Count() const { return events_.size(); }
    std::size_t Capacity() const { return events_.capacity(); }
    const std::vector<TimelineEvent>& Events() const { return events_; }
    TimelineEvent& EventAt(std::size_t index) { return events_[index]; }

private:
    char path_[TimelinePathSize] = {};
    char title_[TimelineTitleSize] = {};
    char author_[TimelineAuthorSize] = {};
    char description_[TimelineDescriptionSize] = {};
    std::vector<TimelineEvent> events_;
};

// The file's text of a date of a timeline event: the input form of TimelineDatePicture, without time.
std::string TimelineDateText(const DateValue& date);
