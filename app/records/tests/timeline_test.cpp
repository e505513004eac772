// The timeline's model: events kept in date order, copies, and the latest date among the events.
#include "records/timeline.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TimelineEvent Event(int fromYear, int toYear, const char* text)
{
    TimelineEvent event{};
    event.from = EmptyDateValue();
    event.to = EmptyDateValue();
    event.from.SetYear(fromYear);
    event.to.SetYear(toYear);
    std::strncpy(event.text, text, sizeof event.text - 1);
    return event;
}

TEST(Timeline, TheLatestDateTakesToDatesWhereTheyHaveAYear)
{
    const struct {
        std::initializer_list<TimelineEvent> events;
        int year;
    } cases[] = {
        {{}, 0},
        {{Event(1900, 0, "a")}, 1900},
        {{Event(1900, 1950, "a"), Event(1920, 0, "b")}, 1950},
        {{Event(1900, 0, "a"), Event(1880, 1930, "b"), Event(1910, 0, "c")}, 1930},
        {{Event(1700, 0, "a"), Event(1650, 0, "b")}, 1700},
    };
    for (const auto& c : cases) {
        Timeline timeline;
        for (const TimelineEvent& event : c.events)
            timeline.AddEvent(event);
        EXPECT_EQ(timeline.GetLatestDate().Year(), c.year);
    }
}

TEST(Timeline, CopiesAndFreesItsEvents)
{
    Timeline timeline;
    timeline.SetPath("C:\\Timeline\\wars.vtl");
    timeline.SetTitle("Wars");
    timeline.AddEvent(Event(1914, 1918, "war"));
    Timeline copy;
    copy.AddEvent(Event(1, 2, "old"));
    copy.CopyFrom(timeline);
    timeline.FreeEvents();
    EXPECT_TRUE(timeline.Events().empty());
    ASSERT_EQ(copy.Events().size(), 1u);
    EXPECT_STREQ(copy.Events()[0].text, "war");
    EXPECT_STREQ(copy.Title(), "Wars");
    EXPECT_STREQ(copy.Path(), "C:\\Timeline\\wars.vtl");
}

} // namespace
