// Moves in an ordered list with removed entries: every case starts from letters, '-' after a letter
// marking a removed entry, and checks the order, the marks and where the moved entry went.
#include "core/record_list_moves.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Letter {
    char value;
};

// "AB-CD": A, B removed, C, D.
void Fill(RecordList<Letter>& list, const std::string& entries)
{
    for (char c : entries) {
        if (c == '-')
            list.SetMark(list.Count() - 1, 1);
        else
            list.Append(std::make_unique<Letter>(Letter{c}));
    }
}

std::string Describe(const RecordList<Letter>& list)
{
    std::string text;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        text += list[i].value;
        if (list.IsMarked(i))
            text += '-';
    }
    return text;
}

enum class Move { Down, Up, Bottom, Top };

struct MoveCase {
    const char* entries;
    Move move;
    std::size_t from;
    const char* expected;
    std::size_t movedTo;
};

std::size_t Apply(RecordList<Letter>& list, Move move, std::size_t from)
{
    switch (move) {
    case Move::Down:
        return MoveEntryDown(list, from);
    case Move::Up:
        return MoveEntryUp(list, from);
    case Move::Bottom:
        return MoveEntryToBottom(list, from);
    case Move::Top:
        return MoveEntryToTop(list, from);
    }
    return from;
}

class ListMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(ListMoves, SwapWithUnmarkedNeighboursOnly)
{
    const MoveCase& c = GetParam();
    RecordList<Letter> list;
    Fill(list, c.entries);
    EXPECT_EQ(Apply(list, c.move, c.from), c.movedTo);
    EXPECT_EQ(Describe(list), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListMoves,
    ::testing::Values(
        // Up and down step over a removed entry, which keeps its place.
        MoveCase{"AB-CD", Move::Up, 2, "CB-AD", 0}, MoveCase{"AB-CD", Move::Down, 0, "CB-AD", 2},
        MoveCase{"ABC", Move::Down, 1, "ACB", 2}, MoveCase{"ABC", Move::Up, 1, "BAC", 0},
        // At the ends nothing moves, also when only removed entries lie beyond.
        MoveCase{"ABC", Move::Up, 0, "ABC", 0}, MoveCase{"ABC", Move::Down, 2, "ABC", 2},
        MoveCase{"AB-", Move::Down, 0, "AB-", 0}, MoveCase{"A-B", Move::Up, 1, "A-B", 1},
        // Bottom and top follow the moved entry: the removed one never comes back.
        MoveCase{"AB-CD", Move::Bottom, 0, "CB-DA", 3}, MoveCase{"AB-CD", Move::Top, 3, "DB-AC", 0},
        MoveCase{"AB-C-D", Move::Bottom, 0, "DB-C-A", 3}, MoveCase{"AB-C-D", Move::Top, 3, "DB-C-A", 0},
        MoveCase{"ABCD", Move::Bottom, 1, "ACDB", 3}, MoveCase{"ABCD", Move::Top, 2, "CABD", 0},
        MoveCase{"ABC-D", Move::Bottom, 1, "ADC-B", 3}, MoveCase{"A-BC", Move::Top, 2, "A-CB", 1},
        MoveCase{"A", Move::Bottom, 0, "A", 0}, MoveCase{"A", Move::Top, 0, "A", 0}));

TEST(ListRows, RowOfAnEntryCountsTheUnmarkedEntriesBeforeIt)
{
    RecordList<Letter> list;
    Fill(list, "AB-C-DE"); // A, B removed, C removed, D, E
    const std::pair<std::size_t, int> rows[] = {{0, 0}, {3, 1}, {4, 2}};
    for (const auto& [entry, row] : rows)
        EXPECT_EQ(RowOfEntry(list, entry), row) << entry;
}

} // namespace
