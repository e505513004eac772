// Timelines and their files: the events kept in date order, the latest date, copies, and the .vtl file
// written and read back on disk, with damaged, truncated and over-long files and a failing disk.
#include "records/timeline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/date_format.h"
#include "platform/file.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::ScopedLanguage;
using test_support::TempPath;

DateValue Date(int day, int month, int year, std::uint8_t modifier = DateModifierNone,
               std::uint8_t calendar = CalendarUnknown)
{
    DateValue date = EmptyDateValue();
    date.day = static_cast<std::uint8_t>(day);
    date.month = static_cast<std::uint8_t>(month);
    date.SetYear(year);
    date.modifier = modifier;
    date.calendar = calendar;
    return date;
}

TimelineEvent Event(DateValue from, const char* text, DateValue to = EmptyDateValue())
{
    TimelineEvent event = {};
    event.from = from;
    event.to = to;
    std::strncpy(event.text, text, sizeof event.text - 1);
    return event;
}

std::vector<std::string> Texts(const Timeline& timeline)
{
    std::vector<std::string> texts;
    for (const TimelineEvent& event : timeline.Events())
        texts.emplace_back(event.text);
    return texts;
}

bool SameEvent(const TimelineEvent& left, const TimelineEvent& right)
{
    return std::memcmp(&left, &right, sizeof left) == 0;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FolderEntries(const std::string& path)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    return names;
}

class TimelineFiles : public ::testing::Test {
protected:
    // Modifier words and calendar letters as the user's language writes them.
    ScopedLanguage language_ {ScopedLanguage::Master()};
    TempPath file_ {"history.vtl"};

    // A timeline loaded from `bytes` written as the file.
    Timeline LoadBytes(const std::string& bytes, TimelineLoadResult expected = TimelineLoadResult::Loaded)
    {
        WriteFile(file_.str(), bytes);
        Timeline timeline;
        EXPECT_EQ(timeline.Load(file_.c_str()), expected);
        return timeline;
    }
};

TEST(Timelines, EventsStayInFromDateOrderAndEqualDatesKeepTheirOrder)
{
    Timeline timeline;
    timeline.AddEvent(Event(Date(1, 1, 1900), "c"));
    timeline.AddEvent(Event(Date(5, 3, 1850), "a"));
    timeline.AddEvent(Event(Date(1, 1, 1900), "d", Date(1, 1, 1800))); // the to-date takes no part
    timeline.AddEvent(Event(Date(0, 0, -50), "before the era"));
    timeline.AddEvent(Event(Date(6, 3, 1850, DateModifierAbout, CalendarJulian), "b"));
    EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"before the era", "a", "b", "c", "d"}));

    // An event edited in place moves when the events are sorted again.
    timeline.EventAt(0).from = Date(1, 1, 2000);
    timeline.SortEvents();
    EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"a", "b", "c", "d", "before the era"}));

    timeline.RemoveEvent(1);
    timeline.RemoveEvent(10); // no such event
    EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"a", "c", "d", "before the era"}));
}

TEST(Timelines, TheArrayGrowsByTenAndIsReleased)
{
    Timeline timeline;
    EXPECT_EQ(timeline.Capacity(), 0u);
    const struct {
        int events;
        std::size_t capacity;
    } cases[] = {{1, 10}, {10, 10}, {11, 20}, {25, 30}};
    int added = 0;
    for (const auto& c : cases) {
        for (; added < c.events; ++added)
            timeline.AddEvent(Event(Date(1, 1, 1800 + added), "x"));
        EXPECT_EQ(timeline.Count(), static_cast<std::size_t>(c.events));
        EXPECT_EQ(timeline.Capacity(), c.capacity) << c.events << " events";
    }
    timeline.FreeEvents();
    EXPECT_EQ(timeline.Count(), 0u);
    EXPECT_EQ(timeline.Capacity(), 0u);
    EXPECT_EQ(timeline.GetLatestDate(), nullptr);
}

TEST(Timelines, TextsAreCutToTheirFields)
{
    const std::string long_(400, 'x');
    Timeline timeline;
    timeline.SetTitle(long_.c_str());
    timeline.SetAuthor(long_.c_str());
    timeline.SetDescription(long_.c_str());
    timeline.SetPath(long_.c_str());
    EXPECT_EQ(std::strlen(timeline.Title()), 63u);
    EXPECT_EQ(std::strlen(timeline.Author()), 127u);
    EXPECT_EQ(std::strlen(timeline.Description()), 255u);
    EXPECT_EQ(std::strlen(timeline.Path()), 259u);
    timeline.SetTitle(nullptr);
    EXPECT_STREQ(timeline.Title(), "");
}

TEST(Timelines, TheLatestDateIsTheLatestKeyDate)
{
    // Each event's key date: its to-date when that has a year, else its from-date.
    const struct {
        const char* what;
        std::vector<TimelineEvent> events;
        std::size_t latest; // the event whose key date is the answer
        bool toDate;
    } cases[] = {
        {"one event without a to-date", {Event(Date(1, 2, 1850), "a")}, 0, false},
        {"a to-date beyond every from-date",
         {Event(Date(1, 1, 1800), "a", Date(1, 1, 1900)), Event(Date(1, 1, 1850), "b")},
         0,
         true},
        {"the third of five",
         {Event(Date(1, 1, 1800), "1"), Event(Date(1, 1, 1810), "2", Date(1, 1, 1815)),
          Event(Date(1, 1, 1820), "3", Date(31, 12, 1899)), Event(Date(1, 1, 1830), "4"),
          Event(Date(1, 1, 1840), "5", Date(1, 1, 1841))},
         2,
         true},
        {"equal dates: the earliest event",
         {Event(Date(1, 1, 1800), "a", Date(2, 2, 1900)), Event(Date(2, 2, 1900), "b")},
         0,
         true},
        {"day numbers, not fields: a Julian date lies later",
         {Event(Date(1, 1, 1900, DateModifierNone, CalendarJulian), "a"), Event(Date(5, 1, 1900), "b")},
         0,
         false},
    };
    for (const auto& c : cases) {
        Timeline timeline;
        for (const TimelineEvent& event : c.events)
            timeline.AddEvent(event);
        const DateValue* latest = timeline.GetLatestDate();
        ASSERT_NE(latest, nullptr) << c.what;
        // Events were added in date order, so the array's order is the case's.
        const TimelineEvent& expected = timeline.Events()[c.latest];
        EXPECT_EQ(latest, c.toDate ? &expected.to : &expected.from) << c.what;
    }
}

TEST(Timelines, CopiesAndTheEmptyReportMethods)
{
    Timeline timeline;
    timeline.SetTitle("Title");
    timeline.SetAuthor("Author");
    timeline.SetDescription("Description");
    timeline.SetPath("C:\\Timeline\\wars.vtl");
    timeline.AddEvent(Event(Date(1, 1, 1900), "late"));
    timeline.AddEvent(Event(Date(1, 1, 1800), "early"));

    Timeline copy;
    copy.AddEvent(Event(Date(1, 1, 2000), "replaced"));
    copy.CopyFrom(timeline);
    EXPECT_STREQ(copy.Title(), "Title");
    EXPECT_STREQ(copy.Author(), "Author");
    EXPECT_STREQ(copy.Description(), "Description");
    EXPECT_STREQ(copy.Path(), "C:\\Timeline\\wars.vtl");
    EXPECT_EQ(Texts(copy), (std::vector<std::string> {"early", "late"}));
    copy.CopyFrom(copy);
    EXPECT_EQ(Texts(copy), (std::vector<std::string> {"early", "late"}));
    const Timeline constructed(timeline);
    EXPECT_EQ(Texts(constructed), Texts(timeline));

    copy.SetHighLimit("01-01-1850");
    copy.SetLowLimit("01-01-1700");
    copy.Merge(constructed);
    ASSERT_EQ(copy.Count(), timeline.Count());
    for (std::size_t i = 0; i < copy.Count(); ++i)
        EXPECT_TRUE(SameEvent(copy.Events()[i], timeline.Events()[i]));
    EXPECT_STREQ(copy.Title(), timeline.Title());
}

TEST_F(TimelineFiles, ASavedTimelineReadsBackTheSame)
{
    Timeline timeline;
    timeline.SetTitle("Wars of the north");
    timeline.SetAuthor("Kari Dahl");
    timeline.SetDescription("Battles, treaties and sieges");
    timeline.SetPath(file_.c_str());
    const std::string longText(127, 'w');
    const TimelineEvent events[] = {
        Event(Date(21, 10, 1805), "Trafalgar, off Cape Trafalgar, Spain"),
        Event(Date(0, 6, 1700, DateModifierAbout), "The Great Northern War begins", Date(10, 9, 1721)),
        Event(Date(8, 7, 1709, DateModifierNone, CalendarJulian), "Poltava"),
        Event(Date(0, 0, 1814, DateModifierAfter), "Union"),
        Event(Date(1, 1, 1500, DateModifierBefore), "", Date(0, 0, 1510, DateModifierEstimated)),
        Event(Date(0, 0, -44), longText.c_str()),
    };
    for (const TimelineEvent& event : events)
        timeline.AddEvent(event);

    std::uint32_t error = 1;
    ASSERT_TRUE(timeline.Save(&error));
    EXPECT_EQ(error, 0u);
    // Nothing but the file itself is left in its folder.
    EXPECT_EQ(FolderEntries(file_.str()), (std::vector<std::string> {"history.vtl"}));

    Timeline read;
    ASSERT_EQ(read.Load(file_.c_str()), TimelineLoadResult::Loaded);
    EXPECT_STREQ(read.Title(), "Wars of the north");
    EXPECT_STREQ(read.Author(), "Kari Dahl");
    EXPECT_STREQ(read.Description(), "Battles, treaties and sieges");
    ASSERT_EQ(read.Count(), timeline.Count());
    for (std::size_t i = 0; i < read.Count(); ++i)
        EXPECT_TRUE(SameEvent(read.Events()[i], timeline.Events()[i])) << "event " << i << ": " << read.Events()[i].text;

    // A second save replaces the file.
    timeline.RemoveEvent(0);
    timeline.SetTitle("Shorter");
    ASSERT_TRUE(timeline.Save());
    Timeline again;
    ASSERT_EQ(again.Load(file_.c_str()), TimelineLoadResult::Loaded);
    EXPECT_STREQ(again.Title(), "Shorter");
    EXPECT_EQ(again.Count(), timeline.Count());
}

TEST_F(TimelineFiles, TheFileHoldsOneItemALineEndedByCrLf)
{
    Timeline timeline;
    timeline.SetTitle("T");
    timeline.SetAuthor("A");
    timeline.SetDescription("");
    timeline.SetPath(file_.c_str());
    timeline.AddEvent(Event(Date(2, 3, 1850), "Born, at home", Date(4, 5, 1851)));
    timeline.AddEvent(Event(Date(1, 1, 1849), "x"));
    ASSERT_TRUE(timeline.Save());
    const std::string none = TimelineDateText(EmptyDateValue());
    EXPECT_EQ(ReadFile(file_.str()), "T\r\nA\r\n\r\n01-01-1849," + none + ",x\r\n02-03-1850,04-05-1851,Born, at home\r\n");
}

TEST_F(TimelineFiles, LineBreaksInsideTextsAreWrittenAsBlanks)
{
    // A description typed on several lines must not turn its later lines into events.
    Timeline timeline;
    timeline.SetTitle("Title\nwith a break");
    timeline.SetDescription("First line\r\nsecond line\rthird");
    timeline.SetPath(file_.c_str());
    timeline.AddEvent(Event(Date(1, 1, 1900), "one\r\ntwo"));
    ASSERT_TRUE(timeline.Save());
    Timeline read;
    ASSERT_EQ(read.Load(file_.c_str()), TimelineLoadResult::Loaded);
    EXPECT_STREQ(read.Title(), "Title with a break");
    EXPECT_STREQ(read.Description(), "First line second line third");
    EXPECT_EQ(Texts(read), (std::vector<std::string> {"one two"}));
}

TEST_F(TimelineFiles, EveryKindOfLineEndIsRead)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"CR LF", "T\r\nA\r\nD\r\n01-01-1900,,one\r\n02-01-1900,,two\r\n"},
        {"LF", "T\nA\nD\n01-01-1900,,one\n02-01-1900,,two\n"},
        {"CR", "T\rA\rD\r01-01-1900,,one\r02-01-1900,,two\r"},
        {"mixed, no end on the last line", "T\r\nA\rD\n01-01-1900,,one\r02-01-1900,,two"},
    };
    for (const auto& c : cases) {
        const Timeline timeline = LoadBytes(c.bytes);
        EXPECT_STREQ(timeline.Title(), "T") << c.what;
        EXPECT_STREQ(timeline.Author(), "A") << c.what;
        EXPECT_STREQ(timeline.Description(), "D") << c.what;
        EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"one", "two"})) << c.what;
    }
}

TEST_F(TimelineFiles, DamagedAndTruncatedFilesReadWithoutHarm)
{
    const struct {
        const char* what;
        std::string bytes;
        const char* title;
        const char* description;
        std::vector<std::string> texts;
        int firstYear; // of the first event, when there is one
    } cases[] = {
        {"an empty file", "", "", "", {}, 0},
        {"a title without a line end", "Only a title", "Only a title", "", {}, 0},
        {"three lines", "T\r\nA\r\nD\r\n", "T", "D", {}, 0},
        {"three lines, the last cut short", "T\r\nA\r\nDescr", "T", "Descr", {}, 0},
        {"empty lines after the events", "T\r\nA\r\nD\r\n01-01-1900,,one\r\n\r\n  \r\n\r\n", "T", "D", {"one"}, 1900},
        {"a line with one comma", "T\nA\nD\n01-01-1900,text\n", "T", "D", {""}, 1900},
        {"a line without a comma", "T\nA\nD\n01-01-1900\n", "T", "D", {""}, 1900},
        {"a date that is no date", "T\nA\nD\nsoon,later,text\n", "T", "D", {"text"}, 0},
        {"a line cut in its to-date", "T\nA\nD\n01-01-1900,01-0", "T", "D", {""}, 1900},
        {"a zero byte inside a text", std::string("T\nA\nD\n01-01-1900,,ab\0cd\n", 24), "T", "D", {"ab"}, 1900},
    };
    for (const auto& c : cases) {
        const Timeline timeline = LoadBytes(c.bytes);
        EXPECT_STREQ(timeline.Title(), c.title) << c.what;
        EXPECT_STREQ(timeline.Description(), c.description) << c.what;
        EXPECT_EQ(Texts(timeline), c.texts) << c.what;
        if (!c.texts.empty()) {
            EXPECT_EQ(timeline.Events()[0].from.Year(), c.firstYear) << c.what;
            EXPECT_EQ(timeline.Events()[0].to.Year(), 0) << c.what;
        }
    }
    // A date that does not read is no date at all, not a half-read one.
    const Timeline halfRead = LoadBytes("T\nA\nD\n12-xx-1900,,text\n");
    ASSERT_EQ(halfRead.Count(), 1u);
    EXPECT_TRUE(halfRead.Events()[0].from.IsEmpty());
}

TEST_F(TimelineFiles, OverLongFieldsAreCutAndTheRestOfTheLineStillReads)
{
    const std::string longTitle(100, 't');
    const std::string longAuthor(200, 'a');
    const std::string longDescription(400, 'd');
    const std::string longText(300, 'x');
    const std::string paddedDate = "01-02-1850" + std::string(100, ' ');
    const Timeline timeline = LoadBytes(longTitle + "\r\n" + longAuthor + "\r\n" + longDescription + "\r\n" +
                                        paddedDate + "," + paddedDate + "," + longText + "\r\n" +
                                        "03-04-1860,," + longText + ",after\r\n");
    EXPECT_EQ(timeline.Title(), longTitle.substr(0, 63));
    EXPECT_EQ(timeline.Author(), longAuthor.substr(0, 127));
    EXPECT_EQ(timeline.Description(), longDescription.substr(0, 255));
    ASSERT_EQ(timeline.Count(), 2u);
    EXPECT_EQ(timeline.Events()[0].from.Year(), 1850);
    EXPECT_EQ(timeline.Events()[0].from.month, 2);
    EXPECT_EQ(timeline.Events()[0].to.Year(), 1850);
    EXPECT_EQ(timeline.Events()[0].text, longText.substr(0, 127));
    EXPECT_EQ(timeline.Events()[1].from.Year(), 1860);
    EXPECT_EQ(timeline.Events()[1].text, longText.substr(0, 127));

    // A file of one endless line: the title takes what it holds, the rest is passed over.
    const Timeline endless = LoadBytes(std::string(3 << 20, 'z'));
    EXPECT_EQ(endless.Title(), std::string(63, 'z'));
    EXPECT_EQ(endless.Count(), 0u);
}

TEST_F(TimelineFiles, EventsOfAFileComeOutSortedAndAreAddedToThoseHeld)
{
    Timeline timeline;
    timeline.AddEvent(Event(Date(1, 1, 1855), "held"));
    WriteFile(file_.str(), "T\nA\nD\n01-01-1900,,late\n01-01-1850,,early\n01-01-1900,,late too\n01-01-1855,,read\n");
    ASSERT_EQ(timeline.Load(file_.c_str()), TimelineLoadResult::Loaded);
    EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"early", "held", "read", "late", "late too"}));
    EXPECT_EQ(timeline.Capacity(), 10u);
}

TEST_F(TimelineFiles, AFileThatCannotBeReadLeavesTheTimelineAsItWas)
{
    Timeline timeline;
    timeline.SetTitle("Kept");
    timeline.AddEvent(Event(Date(1, 1, 1900), "kept"));
    EXPECT_EQ(timeline.Load((file_.str() + ".missing").c_str()), TimelineLoadResult::CannotOpen);
    EXPECT_EQ(timeline.Load(nullptr), TimelineLoadResult::CannotOpen);
    // A folder: it cannot be opened as a file, or reading it fails.
    const std::string folder = std::filesystem::path(file_.str()).parent_path().string();
    EXPECT_NE(timeline.Load(folder.c_str()), TimelineLoadResult::Loaded);

    // More event lines than any timeline holds: a damaged file, read no further.
    std::string lines = "Other\nA\nD\n";
    for (std::size_t i = 0; i <= TimelineMaxFileEvents; ++i)
        lines += ",,\n";
    WriteFile(file_.str(), lines);
    EXPECT_EQ(timeline.Load(file_.c_str()), TimelineLoadResult::TooManyEvents);
    EXPECT_STREQ(timeline.Title(), "Kept");
    EXPECT_EQ(Texts(timeline), (std::vector<std::string> {"kept"}));

    // As many as it may hold still read.
    lines.resize(lines.size() - 3);
    const Timeline full = LoadBytes(lines);
    EXPECT_EQ(full.Count(), TimelineMaxFileEvents);
}

TEST_F(TimelineFiles, AFailedSaveLeavesTheOldFileWhole)
{
    const std::string old = "Old\r\nA\r\nD\r\n01-01-1900,,old event\r\n";
    Timeline timeline;
    timeline.SetTitle("New");
    timeline.SetPath(file_.c_str());
    timeline.AddEvent(Event(Date(1, 1, 2000), "new event"));
    // The mutating steps of a save: write, flush, rename.
    const struct {
        const char* what;
        platform::FileFaultMode mode;
        int n;
    } cases[] = {
        {"the write fails", platform::FileFaultMode::FailOnlyNth, 1},
        {"the flush fails", platform::FileFaultMode::FailOnlyNth, 2},
        {"the rename fails", platform::FileFaultMode::FailOnlyNth, 3},
    };
    for (const auto& c : cases) {
        WriteFile(file_.str(), old);
        platform::SetFileFault(c.mode, c.n);
        const bool saved = timeline.Save();
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        EXPECT_FALSE(saved) << c.what;
        EXPECT_EQ(ReadFile(file_.str()), old) << c.what;
        EXPECT_EQ(FolderEntries(file_.str()), (std::vector<std::string> {"history.vtl"})) << c.what;
    }

    // A folder that is not there: the system's reason comes back.
    Timeline nowhere;
    nowhere.SetPath((file_.str() + ".folder/none/x.vtl").c_str());
    std::uint32_t error = 0;
    EXPECT_FALSE(nowhere.Save(&error));
    EXPECT_NE(error, 0u);
    // Without a path there is nothing to write to.
    Timeline unnamed;
    EXPECT_FALSE(unnamed.Save(&error));
}

} // namespace
