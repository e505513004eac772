#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "missing_table.h"
#include "tests/support/test_database.h"

namespace {

using test_support::TestDatabase;

class NoteTextTest : public testing::Test {
protected:
    NoteRow Row(std::int32_t id)
    {
        NoteRow row;
        EXPECT_EQ(row.Read(id, *db), 0) << "row " << id;
        return row;
    }
    bool Exists(std::int32_t id)
    {
        NoteRow row;
        return row.Read(id, *db) == 0;
    }
    std::int32_t Save(NoteText& note)
    {
        EXPECT_TRUE(note.Save(*db));
        return note.GetFirstId();
    }

    TestDatabase db;
    EngineTransaction transaction{db.File(), TLV_READWRITE};
};

std::string Letters(std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

TEST_F(NoteTextTest, ALongTextTakesAChainOfRows)
{
    const std::string text = Letters(300);
    NoteText note;
    note.SetText(text.c_str());
    note.ownerId = 7;
    note.ownerType = 26;
    const std::int32_t first = Save(note);
    ASSERT_NE(first, 0);

    NoteRow row1 = Row(first);
    NoteRow row2 = Row(row1.row.nextId);
    NoteRow row3 = Row(row2.row.nextId);
    EXPECT_EQ(+row3.row.nextId, 0);
    EXPECT_EQ(+row1.row.totalLength, 300);
    EXPECT_EQ(+row2.row.totalLength, 0);
    EXPECT_EQ(+row3.row.totalLength, 0);
    EXPECT_EQ(std::string(row1.row.piece, 128), text.substr(0, 128));
    EXPECT_EQ(std::string(row2.row.piece, 128), text.substr(128, 128));
    EXPECT_EQ(std::string(row3.row.piece), text.substr(256));
    for (const NoteRow* row : {&row1, &row2, &row3}) {
        EXPECT_EQ(+row->row.ownerId, 7);
        EXPECT_EQ(+row->row.ownerType, 26);
    }

    NoteText loaded(first, *db);
    ASSERT_NE(loaded.Text(), nullptr);
    EXPECT_EQ(std::string(loaded.Text()), text);
    EXPECT_EQ(loaded.GetFirstId(), first);
    EXPECT_EQ(loaded.Length(), 301u);
}

TEST_F(NoteTextTest, AShorterTextReusesTheFirstRowAndDeletesTheRest)
{
    NoteText note;
    note.SetText(Letters(300).c_str());
    const std::int32_t first = Save(note);
    const std::int32_t second = Row(first).row.nextId;
    const std::int32_t third = Row(second).row.nextId;

    note.SetText(Letters(100).c_str());
    EXPECT_EQ(Save(note), first);
    NoteRow row = Row(first);
    EXPECT_EQ(+row.row.nextId, 0);
    EXPECT_EQ(+row.row.totalLength, 100);
    EXPECT_FALSE(Exists(second));
    EXPECT_FALSE(Exists(third));
    EXPECT_EQ(note.Length(), 100u);
}

TEST_F(NoteTextTest, ALongerTextExtendsTheChain)
{
    NoteText note;
    note.SetText("short");
    const std::int32_t first = Save(note);
    note.SetText(Letters(260).c_str());
    EXPECT_EQ(Save(note), first);
    NoteText loaded(first, *db);
    EXPECT_EQ(std::string(loaded.Text()), Letters(260));
}

TEST_F(NoteTextTest, AnEmptyTextDeletesTheChain)
{
    NoteText note;
    note.SetText(Letters(200).c_str());
    const std::int32_t first = Save(note);
    const std::int32_t second = Row(first).row.nextId;
    note.SetText("");
    EXPECT_EQ(Save(note), 0);
    EXPECT_FALSE(Exists(first));
    EXPECT_FALSE(Exists(second));

    NoteText none;
    EXPECT_EQ(Save(none), 0); // nothing stored, nothing to delete
}

TEST_F(NoteTextTest, AFullPieceHasNoTerminatorAndStillLoadsWhole)
{
    const std::string text = Letters(128);
    const std::int32_t first = NoteText::StoreNew(text.c_str(), 3, 7, *db);
    NoteRow row = Row(first);
    EXPECT_EQ(+row.row.nextId, 0);
    EXPECT_EQ(std::memchr(row.row.piece, 0, sizeof row.row.piece), nullptr);
    NoteText loaded(first, *db);
    EXPECT_EQ(std::string(loaded.Text()), text);
}

TEST_F(NoteTextTest, AChainWhoseFirstRowIsGoneIsAnEmptyNote)
{
    const std::int32_t first = NoteText::StoreNew("gone", 1, 7, *db);
    NoteText kept(first, *db);
    EXPECT_TRUE(NoteText::DeleteChain(first, *db));
    EXPECT_TRUE(NoteText::DeleteChain(first, *db)); // gone already: nothing failed
    NoteText loaded(first, *db);
    EXPECT_EQ(loaded.Text(), nullptr);
    EXPECT_EQ(loaded.GetFirstId(), 0);
    // A copy still naming the dead chain empties it without a failure.
    kept.SetText("");
    EXPECT_EQ(Save(kept), 0);
    // Saving it again stores a fresh chain rather than writing under a dead id.
    loaded.SetText("again");
    EXPECT_TRUE(loaded.Save(*db));
    ASSERT_NE(loaded.GetFirstId(), 0);
    EXPECT_EQ(std::string(NoteText(loaded.GetFirstId(), *db).Text()), "again");
}

TEST_F(NoteTextTest, ADamagedChainCannotRunForeverNorCutTheText)
{
    const std::string text = Letters(300);
    const std::int32_t first = NoteText::StoreNew(text.c_str(), 1, 7, *db);
    // The last row points back to the first, and the first claims a length of 5.
    NoteRow row1 = Row(first);
    NoteRow row3 = Row(Row(row1.row.nextId).row.nextId);
    row3.row.nextId = first;
    ASSERT_EQ(row3.Write(*db), 0);
    row1.row.totalLength = 5;
    ASSERT_EQ(row1.Write(*db), 0);

    NoteText loaded(first, *db);
    EXPECT_EQ(std::string(loaded.Text()), text);
    // A chain broken in the middle keeps what could be read.
    NoteRow row2 = Row(row1.row.nextId);
    ASSERT_EQ(tlvDeleteRecord(db.Table(TableNote), row2.row.nextId, db.File()), 0);
    NoteText cut(first, *db);
    EXPECT_EQ(std::string(cut.Text()), text.substr(0, 256));
    // Saving over the broken chain mends it.
    EXPECT_TRUE(cut.Save(*db));
    EXPECT_EQ(cut.GetFirstId(), first);
    EXPECT_EQ(std::string(NoteText(first, *db).Text()), text.substr(0, 256));
}

TEST_F(NoteTextTest, EngineRefusalsAreAnsweredAndKeepTheChain)
{
    const std::string text = Letters(300);
    const std::int32_t first = NoteText::StoreNew(text.c_str(), 1, 7, *db);
    ASSERT_NE(first, 0);
    NoteText stored(first, *db);
    {
        MissingTable missing(*db, TableNote);
        // Shorter, longer and emptied texts over the stored chain, and a text never stored.
        for (const std::string& edit : {Letters(100), Letters(500), std::string()}) {
            stored.SetText(edit.c_str());
            EXPECT_FALSE(stored.Save(*db)) << edit.size() << " characters";
            EXPECT_EQ(stored.GetFirstId(), first);
        }
        NoteText fresh;
        fresh.SetText("new");
        EXPECT_FALSE(fresh.Save(*db));
        EXPECT_EQ(fresh.GetFirstId(), 0);
        EXPECT_EQ(NoteText::StoreNew("new", 1, 7, *db), 0);
        EXPECT_FALSE(NoteText::DeleteChain(first, *db));
    }
    EXPECT_EQ(std::string(NoteText(first, *db).Text()), text);
    // With the table back the same object saves under its chain.
    stored.SetText("mended");
    EXPECT_EQ(Save(stored), first);
}

TEST_F(NoteTextTest, CopyAndAppendKeepEveryCharacter)
{
    NoteText note;
    note.Append("");
    EXPECT_EQ(note.Text(), nullptr);
    note.Append("one");
    note.Append(nullptr);
    note.Append(", two");
    EXPECT_STREQ(note.Text(), "one, two");
    note.ownerId = 4;
    note.ownerType = 20;
    NoteText copy(note);
    EXPECT_STREQ(copy.Text(), "one, two");
    EXPECT_EQ(copy.ownerId, 4);
    EXPECT_EQ(copy.ownerType, 20);
    copy.Append(Letters(500).c_str());
    EXPECT_EQ(std::strlen(copy.Text()), 508u);
    EXPECT_STREQ(note.Text(), "one, two");

    note.Reserve(10);
    EXPECT_EQ(note.Length(), 11u);
    EXPECT_STREQ(note.Text(), "");
    note.Clear();
    EXPECT_EQ(note.Text(), nullptr);
    EXPECT_EQ(note.Length(), 0u);
}

} // namespace
