#include "core/record_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Counted {
    explicit Counted(int& alive) : alive(alive) { ++alive; }
    ~Counted() { --alive; }
    int& alive;
};

TEST(RecordList, GrowsByHundredKeepsMarksAndOwnsItsObjects)
{
    int alive = 0;
    {
        RecordList<Counted> list;
        EXPECT_EQ(list.ownerKind, OwnerKindUnset);
        EXPECT_EQ(list.keyId, 0);
        EXPECT_EQ(list.Capacity(), 0u);
        for (int i = 0; i < 101; ++i) {
            EXPECT_EQ(list.Append(std::make_unique<Counted>(alive)), static_cast<std::size_t>(i));
            EXPECT_EQ(list.Capacity(), i < 100 ? 100u : 200u);
            EXPECT_FALSE(list.IsMarked(i)) << "a new entry starts unmarked";
        }
        list.SetMark(5, 1);
        EXPECT_TRUE(list.IsMarked(5));
        EXPECT_EQ(list.Count(), 101u) << "a marked entry stays in the list";
        EXPECT_EQ(alive, 101);
        list.Clear();
        EXPECT_EQ(alive, 0);
        EXPECT_TRUE(list.Empty());
        list.Append(std::make_unique<Counted>(alive));
    }
    EXPECT_EQ(alive, 0) << "the list destroys what it holds";
}

} // namespace
