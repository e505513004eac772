// Reordering a record list from a page: the moved object follows its own way past unmarked entries only,
// the removed entries keep their places, and a person's save numbers the entries from their new places.
#include "core/record_list_moves.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/name_record.h"
#include "persons/person_record.h"
#include "persons/tests/person_test_support.h"

namespace {

using namespace person_test;

// "A B* C D": the entries' objects in order, a star marking a removed entry.
void Fill(RecordList<std::string>& list, const std::string& entries)
{
    std::istringstream words(entries);
    for (std::string word; words >> word;) {
        const bool marked = word.back() == '*';
        if (marked)
            word.pop_back();
        const std::size_t at = list.Append(std::make_unique<std::string>(word));
        list.SetMark(at, marked ? 1 : 0);
    }
}

std::string Shown(const RecordList<std::string>& list)
{
    std::string out;
    for (std::size_t i = 0; i < list.Count(); ++i)
        out += (i ? " " : "") + list[i] + (list.IsMarked(i) ? "*" : "");
    return out;
}

struct MoveCase {
    const char* before;
    std::size_t index;
    ListMove move;
    const char* after;
    std::size_t movedTo;
};

class ListMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(ListMoves, MovesTheObjectPastUnmarkedEntriesOnly)
{
    const MoveCase& c = GetParam();
    RecordList<std::string> list;
    Fill(list, c.before);
    EXPECT_EQ(MoveListEntry(list, c.index, c.move), c.movedTo);
    EXPECT_EQ(Shown(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListMoves,
    ::testing::Values(
        // One step jumps over a removed entry, which stays where it is.
        MoveCase{"A B* C D", 2, ListMove::Up, "C B* A D", 0},
        MoveCase{"A B* C D", 0, ListMove::Down, "C B* A D", 2},
        MoveCase{"A B C D", 1, ListMove::Up, "B A C D", 0},
        MoveCase{"A B C D", 1, ListMove::Down, "A C B D", 2},
        // To the end: the moved object travels, the removed entry never comes back into view.
        MoveCase{"A B* C D", 0, ListMove::Bottom, "C B* D A", 3},
        MoveCase{"A B* C D", 3, ListMove::Top, "D B* A C", 0},
        MoveCase{"A B C* D*", 0, ListMove::Bottom, "B A C* D*", 1},
        MoveCase{"A* B* C", 2, ListMove::Top, "A* B* C", 2},
        MoveCase{"A* B C", 2, ListMove::Top, "A* C B", 1},
        // Nothing to pass: no change.
        MoveCase{"A B C", 0, ListMove::Up, "A B C", 0},
        MoveCase{"A B C", 0, ListMove::Top, "A B C", 0},
        MoveCase{"A B C", 2, ListMove::Down, "A B C", 2},
        MoveCase{"A B C*", 1, ListMove::Down, "A B C*", 1},
        MoveCase{"A B C", 7, ListMove::Bottom, "A B C", 7},
        MoveCase{"", 0, ListMove::Up, "", 0}));

class PersonLinkMoves : public PersonTest {};

TEST_F(PersonLinkMoves, SaveNumbersTheMovedLinksAndDeletesTheRemovedOne)
{
    const std::int32_t me = AddPerson(db(), SexFemale, "Ada", "Lind");
    std::int32_t infos[4];
    for (std::int32_t& info : infos)
        info = StoreInfo(me);
    PersonRecord person(db());
    person.ReadAndLoad(me);
    RecordList<AssertionLink>& links = person.Links();
    ASSERT_EQ(links.Count(), 4u);
    const std::int32_t removedLink = links[1].Id();
    links.SetMark(1, 1);

    EXPECT_EQ(MoveListEntry(links, 2, ListMove::Up), 0u);   // [C, B*, A, D]
    EXPECT_EQ(MoveListEntry(links, 2, ListMove::Bottom), 3u); // [C, B*, D, A]
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    Reopen();

    PersonRecord stored(db());
    stored.ReadAndLoad(me);
    ASSERT_EQ(stored.Links().Count(), 3u);
    const std::int32_t expected[][2] = {{infos[2], 1}, {infos[3], 3}, {infos[0], 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(+stored.Links()[i].row.assertionId, expected[i][0]) << "entry " << i;
        EXPECT_EQ(+stored.Links()[i].row.order, expected[i][1]) << "entry " << i;
    }
    EXPECT_FALSE(RowExists(db(), TableAssertionLink, removedLink));
}

} // namespace
