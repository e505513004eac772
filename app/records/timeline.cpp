#include "records/timeline.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/bounded_text.h"
#include "core/calendar_date.h"
#include "core/date_format.h"
#include "core/date_parser.h"
#include "platform/file.h"

namespace {

bool EarlierDate(const DateValue& left, const DateValue& right)
{
    return std::make_tuple(left.Year(), left.month, left.day) < std::make_tuple(right.Year(), right.month, right.day);
}

bool EarlierEvent(const TimelineEvent& left, const TimelineEvent& right)
{
    return EarlierDate(left.from, right.from);
}

// The room for `count` events: a whole number of the array's growth steps.
std::size_t RoomFor(std::size_t count)
{
    return (count + Timeline::Growth - 1) / Timeline::Growth * Timeline::Growth;
}

// What the reader gets of a file: a block at a time, so that a file of any length reads in bounded memory.
class BlockReader {
public:
    BlockReader(platform::File& file, std::uint64_t size) : file_(file), size_(size) {}

    // The next byte, or -1 at the end of the file (or where it could not be read: then Failed()).
    int Next()
    {
        if (at_ == end_ && !Fill())
            return -1;
        return static_cast<unsigned char>(block_[at_++]);
    }
    int Peek()
    {
        if (at_ == end_ && !Fill())
            return -1;
        return static_cast<unsigned char>(block_[at_]);
    }
    bool Failed() const { return failed_; }

private:
    bool Fill()
    {
        if (failed_ || offset_ >= size_)
            return false;
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block_, size_ - offset_));
        const std::int64_t read = file_.ReadAt(offset_, block_, wanted);
        if (read <= 0) {
            // The file shrank under us, or the disk failed: what was read is all there is.
            failed_ = read < 0;
            size_ = offset_;
            return false;
        }
        offset_ += static_cast<std::uint64_t>(read);
        at_ = 0;
        end_ = static_cast<std::size_t>(read);
        return true;
    }

    platform::File& file_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
    char block_[64 * 1024];
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    bool failed_ = false;
};

// Whether `c` (a byte, or -1 at the end of the file) ends a line; a CR LF pair is taken whole.
bool EndsLine(BlockReader& reader, int c)
{
    if (c == '\r') {
        if (reader.Peek() == '\n')
            reader.Next();
        return true;
    }
    return c == '\n' || c < 0;
}

// One line of the file, of which at most `limit` characters are kept in `kept`. False when the file had
// ended before it.
bool ReadLine(BlockReader& reader, std::string& kept, std::size_t limit)
{
    kept.clear();
    int c = reader.Next();
    if (c < 0)
        return false;
    for (; !EndsLine(reader, c); c = reader.Next())
        if (kept.size() < limit)
            kept += static_cast<char>(c);
    return true;
}

// The three fields of an event line: each date field ends at a comma or at the line's end; the text is the
// rest of the line, commas and all. Each keeps at most its field's length.
struct EventLine {
    std::string from;
    std::string to;
    std::string text;
    int commas = 0; // up to the two that end the date fields
};

bool ReadEventLine(BlockReader& reader, EventLine& line)
{
    line.from.clear();
    line.to.clear();
    line.text.clear();
    line.commas = 0;
    int c = reader.Next();
    if (c < 0)
        return false;
    std::string* field = &line.from;
    std::size_t limit = TimelineDateTextLength;
    for (; !EndsLine(reader, c); c = reader.Next()) {
        if (c == ',' && field != &line.text) {
            ++line.commas;
            field = field == &line.from ? &line.to : &line.text;
            limit = field == &line.text ? TimelineEventTextSize - 1 : TimelineDateTextLength;
            continue;
        }
        if (field->size() < limit)
            *field += static_cast<char>(c);
    }
    return true;
}

bool IsBlankLine(const EventLine& line)
{
    return line.commas == 0 && line.from.find_first_not_of(" \t") == std::string::npos;
}

// A date of the file; one that does not read is no date (not a half-read one).
DateValue ReadDate(const std::string& text)
{
    DateValue date;
    if (ParseDateValue(text.c_str(), date, TimelineDatePicture) < 0)
        date = EmptyDateValue();
    return date;
}

// Appends `text` as one line of the file: a line break inside it becomes one blank.
void AppendLine(std::string& out, const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') {
            out += ' ';
            if (p[0] == '\r' && p[1] == '\n')
                ++p;
        } else {
            out += *p;
        }
    }
    out += "\r\n";
}

} // namespace

std::string TimelineDateText(const DateValue& date)
{
    char text[TimelineDateTextLength + 1] = {};
    FormatDateValue(text, sizeof text, date, TimelineDatePicture, false, true);
    return text;
}

void Timeline::CopyFrom(const Timeline& other)
{
    if (&other == this)
        return;
    SetTitle(other.title_);
    SetAuthor(other.author_);
    SetDescription(other.description_);
    SetPath(other.path_);
    events_.clear();
    events_.reserve(RoomFor(other.events_.size()));
    events_.insert(events_.end(), other.events_.begin(), other.events_.end());
    SortEvents();
}

void Timeline::FreeEvents()
{
    events_.clear();
    events_.shrink_to_fit();
}

void Timeline::SetTitle(const char* text)
{
    StoreField(title_, sizeof title_, text);
}

void Timeline::SetAuthor(const char* text)
{
    StoreField(author_, sizeof author_, text);
}

void Timeline::SetDescription(const char* text)
{
    StoreField(description_, sizeof description_, text);
}

void Timeline::SetPath(const char* text)
{
    StoreField(path_, sizeof path_, text);
}

void Timeline::AddEvent(const TimelineEvent& event)
{
    if (events_.size() == events_.capacity())
        events_.reserve(events_.capacity() + Growth);
    events_.push_back(event);
    SortEvents();
}

void Timeline::SortEvents()
{
    if (!std::is_sorted(events_.begin(), events_.end(), EarlierEvent))
        std::stable_sort(events_.begin(), events_.end(), EarlierEvent);
}

void Timeline::RemoveEvent(std::size_t index)
{
    if (index < events_.size())
        events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(index));
}

const DateValue* Timeline::GetLatestDate() const
{
    const DateValue* latest = nullptr;
    CalendarDate latestDay;
    for (const TimelineEvent& event : events_) {
        const DateValue* key = event.to.Year() != 0 ? &event.to : &event.from;
        CalendarDate day;
        day.SetFromDateValue(*key);
        if (latest == nullptr || day.DaysSince(latestDay) > 0) {
            latest = key;
            latestDay = day;
        }
    }
    return latest;
}

TimelineLoadResult Timeline::Load(const char* path)
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::Read;
    options.share = platform::FileShare::None;
    options.disposition = platform::FileDisposition::OpenExisting;
    platform::File file = platform::File::Open(path != nullptr ? path : "", options);
    if (!file.IsOpen())
        return TimelineLoadResult::CannotOpen;
    const std::int64_t size = file.Size();
    if (size < 0)
        return TimelineLoadResult::UnknownSize;

    BlockReader reader(file, static_cast<std::uint64_t>(size));
    std::string title;
    std::string author;
    std::string description;
    if (ReadLine(reader, title, TimelineTitleSize - 1) && ReadLine(reader, author, TimelineAuthorSize - 1))
        ReadLine(reader, description, TimelineDescriptionSize - 1);
    std::vector<TimelineEvent> read;
    EventLine line;
    while (ReadEventLine(reader, line)) {
        if (IsBlankLine(line))
            continue;
        if (read.size() == TimelineMaxFileEvents)
            return TimelineLoadResult::TooManyEvents;
        TimelineEvent event = {};
        event.from = ReadDate(line.from);
        event.to = ReadDate(line.to);
        CopyBounded(event.text, sizeof event.text, line.text.c_str());
        read.push_back(event);
    }
    if (reader.Failed())
        return TimelineLoadResult::CannotRead;

    SetTitle(title.c_str());
    SetAuthor(author.c_str());
    SetDescription(description.c_str());
    events_.reserve(RoomFor(events_.size() + read.size()));
    events_.insert(events_.end(), read.begin(), read.end());
    SortEvents();
    return TimelineLoadResult::Loaded;
}

bool Timeline::Save(std::uint32_t* systemError) const
{
    std::uint32_t ignored = 0;
    std::uint32_t& error = systemError != nullptr ? *systemError : ignored;
    error = 0;
    const std::string path = path_;
    if (path.empty())
        return false;

    std::string content;
    AppendLine(content, title_);
    AppendLine(content, author_);
    AppendLine(content, description_);
    for (const TimelineEvent& event : events_) {
        content += TimelineDateText(event.from);
        content += ',';
        content += TimelineDateText(event.to);
        content += ',';
        const std::string text(event.text, strnlen(event.text, sizeof event.text));
        AppendLine(content, text.c_str());
    }

    return platform::ReplaceFileContent(path, content.data(), content.size(), &error);
}
