// The locale order with case counted, in both builds: where the native comparison and CompareStringA
// without flags must agree for the sorted lists of report scripts.
#include "platform/text_compare_cased.h"

#include <gtest/gtest.h>

namespace {

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

TEST(TextCompareCased, OrdersByLetterThenCase)
{
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"a", "B", -1},    {"B", "a", 1},         {"a", "A", -1},          {"A", "a", 1}, {"abc", "abc", 0},
        {"ab", "abc", -1}, {"Zebra", "apple", 1}, {"apple", "Apple", -1},  {"b", "a", 1}, {"10", "9", -1},
        {"", "a", -1},     {"Smith", "smith", 1}, {"smith", "Smithe", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(platform::CompareLocaleTextCased(c.a, c.b)), c.expected) << c.a << " : " << c.b;
        EXPECT_EQ(Sign(platform::CompareLocaleTextCased(c.b, c.a)), -c.expected) << c.b << " : " << c.a;
    }
}

} // namespace
