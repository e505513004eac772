// Excerpts and excerpt references against a real database file: rows, chains, citations, the owner's
// load and save of its references, and deletion.
#include "records/excerpt_record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/note_text.h"
#include "core/temp_tree.h"
#include "persons/assertion.h"
#include "records/excerpt_ref.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "records/source_row.h"

namespace {

using namespace assertion_test;

class Excerpts : public AssertionTest {};

std::string Citation(Database& database, std::int32_t excerptId, std::size_t size = 128)
{
    ExcerptRecord excerpt(excerptId, database);
    std::string out(size + 4, '#');
    excerpt.FormatCitation(out.data(), size);
    EXPECT_EQ(out[size], '#');
    return out.c_str();
}

TEST_F(Excerpts, FormatCitationPrefersTheShortTitle)
{
    const std::int32_t kb = AddSource(db(), "Kirkebok for Oslo", "KB");
    const std::int32_t census = AddSource(db(), "Census 1900", "");
    EXPECT_EQ(Citation(db(), AddExcerpt(db(), kb, "p. 12")), "KB p. 12");
    EXPECT_EQ(Citation(db(), AddExcerpt(db(), census, "")), "Census 1900 ");
    EXPECT_EQ(Citation(db(), AddExcerpt(db(), kb, "p. 12"), 5), "KB p");
    EXPECT_EQ(Citation(db(), AddExcerpt(db(), 999, "p. 3")), " p. 3") << "a missing source has empty titles";
}

TEST_F(Excerpts, SaveWritesTheRowAndBothChains)
{
    const std::int32_t source = AddSource(db(), "Title", "T");
    ExcerptRecord excerpt(db());
    excerpt.row.sourceId = source;
    excerpt.row.quality = ExcerptQualityGood;
    excerpt.SetPage(std::string(40, 'x').c_str());
    excerpt.EnsureText().SetText("quoted text");
    excerpt.EnsureNote().SetText("a note");
    ASSERT_TRUE(excerpt.Save());
    Reopen();

    const std::vector<unsigned char> bytes = RawRow(db(), TableExcerpt, excerpt.Id(), 45);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), std::string(31, 'x'));
    EXPECT_EQ(bytes[32], ExcerptQualityGood);
    std::int32_t sourceId, textId, noteId;
    std::memcpy(&sourceId, &bytes[33], 4);
    std::memcpy(&textId, &bytes[37], 4);
    std::memcpy(&noteId, &bytes[41], 4);
    EXPECT_EQ(sourceId, source);

    EngineTransaction transaction(db().file, TLV_READ);
    NoteRow row;
    ASSERT_EQ(row.Read(textId, db()), 0);
    EXPECT_EQ(row.row.ownerId, excerpt.Id());
    EXPECT_EQ(row.row.ownerType, OwnerExcerpt);
    NoteText note(noteId, db());
    EXPECT_STREQ(note.Text(), "a note");
}

TEST_F(Excerpts, QualityOutsideTheListIsUnknown)
{
    ExcerptRecord excerpt(db());
    const std::pair<int, const char*> cases[] = {{0, "unknown"},   {1, "poor"},    {2, "questionable"}, {3, "good"},
                                                 {4, "very good"}, {5, "unknown"}, {255, "unknown"}};
    for (const auto& [quality, text] : cases) {
        excerpt.row.quality = static_cast<std::uint8_t>(quality);
        EXPECT_STREQ(excerpt.GetQualityText(), text) << quality;
    }
}

// An owner's list of three references to three excerpts, saved under (ownerId, kind).
class OwnerRefs : public AssertionTest {
protected:
    void SetUp() override
    {
        const std::int32_t source = AddSource(db(), "Title", "S");
        for (const char* page : {"p1", "p2", "p3"})
            excerpts.push_back(AddExcerpt(db(), source, page));
        for (std::int32_t excerpt : excerpts) {
            auto ref = std::make_unique<ExcerptRef>(db());
            ref->row.excerptId = excerpt;
            list.Append(std::move(ref));
        }
        ASSERT_TRUE(SaveList());
    }
    bool SaveList(std::uint8_t kind = OwnerEvent)
    {
        return RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(list, 42, kind); });
    }
    std::vector<std::string> LoadedPages(std::uint8_t kind = OwnerEvent)
    {
        RecordList<ExcerptRef> loaded;
        LoadOwnerExcerptRefs(loaded, 42, kind, db());
        std::vector<std::string> pages;
        for (std::size_t i = 0; i < loaded.Count(); ++i) {
            EXPECT_NE(loaded[i].Excerpt(), nullptr);
            pages.push_back(loaded[i].Excerpt() ? loaded[i].Excerpt()->row.page : "?");
        }
        return pages;
    }

    std::vector<std::int32_t> excerpts;
    RecordList<ExcerptRef> list;
};

TEST_F(OwnerRefs, MarkedMiddleReferenceIsDeletedAndTheOthersKeepTheirOrder)
{
    const std::int32_t middle = list[1].Id();
    list.SetMark(1, 1);
    ASSERT_TRUE(SaveList());
    EXPECT_FALSE(RowExists(db(), TableExcerptRef, middle));
    EXPECT_EQ(list[1].Id(), 0) << "a deleted entry forgets its id";
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(+list[0].row.order, 1);
    EXPECT_EQ(+list[2].row.order, 3);
    EXPECT_EQ(LoadedPages(), (std::vector<std::string>{"p1", "p3"}));
}

TEST_F(OwnerRefs, LaterSavesDoNotDeleteARowThatReusedAFreedId)
{
    const std::int32_t middle = list[1].Id();
    list.SetMark(1, 1);
    ASSERT_TRUE(SaveList());
    // Someone else's new reference takes the freed id.
    std::int32_t other = 0;
    ASSERT_TRUE(
        RunWriteTransaction(db(), [&] { return (other = CreateExcerptRef(excerpts[0], 7, OwnerPerson, db())) != 0; }));
    EXPECT_EQ(other, middle);
    ASSERT_TRUE(SaveList());
    EXPECT_TRUE(RowExists(db(), TableExcerptRef, other));
}

TEST_F(OwnerRefs, AMarkedEntryNeverStoredIsNeitherWrittenNorDeleted)
{
    auto ref = std::make_unique<ExcerptRef>(db());
    ref->row.excerptId = excerpts[2];
    list.SetMark(list.Append(std::move(ref)), 1);
    const int before = CountRows(db(), TableExcerptRef);
    ASSERT_TRUE(SaveList());
    EXPECT_EQ(CountRows(db(), TableExcerptRef), before);
    EXPECT_EQ(list[3].Id(), 0);
}

TEST_F(OwnerRefs, ReferencesOfAnotherOwnerKindAreNotLoaded)
{
    EXPECT_EQ(LoadedPages(OwnerPerson), std::vector<std::string>{});
    EXPECT_EQ(LoadedPages(OwnerEvent), (std::vector<std::string>{"p1", "p2", "p3"}));
}

TEST_F(OwnerRefs, DeletingAnExcerptRemovesItsReferencesOfEveryOwner)
{
    std::int32_t personRef = 0;
    ASSERT_TRUE(RunWriteTransaction(
        db(), [&] { return (personRef = CreateExcerptRef(excerpts[0], 9, OwnerPerson, db())) != 0; }));
    ExcerptRecord excerpt(db());
    excerpt.ReadAndLoad(excerpts[0]);
    EXPECT_EQ(excerpt.Usage().Count(), 2u);
    const std::int32_t textId = excerpt.row.textId;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return excerpt.Delete(); }));
    EXPECT_FALSE(RowExists(db(), TableExcerptRef, personRef));
    EXPECT_FALSE(RowExists(db(), TableExcerptRef, list[0].Id()));
    EXPECT_FALSE(RowExists(db(), TableExcerpt, excerpts[0]));
    EXPECT_FALSE(RowExists(db(), TableNote, textId));
    EXPECT_TRUE(RowExists(db(), TableExcerptRef, list[1].Id()));
}

TEST_F(OwnerRefs, ReferenceSaveKeepsEditsMadeToTheExcerptElsewhere)
{
    RecordList<ExcerptRef> loaded;
    LoadOwnerExcerptRefs(loaded, 42, OwnerEvent, db());
    ASSERT_EQ(loaded.Count(), 3u);
    // The excerpt dialog of the source changes the first excerpt meanwhile.
    ExcerptRecord elsewhere(excerpts[0], db());
    elsewhere.SetPage("p1 revised");
    ASSERT_TRUE(elsewhere.Save());
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(loaded, 42, OwnerEvent); }));
    EXPECT_STREQ(ExcerptRecord(excerpts[0], db()).row.page, "p1 revised");
    // An edit through the reference is written.
    loaded[1].EditExcerpt()->SetPage("p2 via ref");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(loaded, 42, OwnerEvent); }));
    EXPECT_STREQ(ExcerptRecord(excerpts[1], db()).row.page, "p2 via ref");
}

TEST_F(Excerpts, ReferenceWithoutExcerptLoadsAnEmptyExcerpt)
{
    std::int32_t id = 0;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return (id = CreateExcerptRef(0, 1, OwnerInfo, db())) != 0; }));
    ExcerptRef ref(db());
    ref.ReadAndLoad(id);
    EXPECT_EQ(ref.Id(), id);
    EXPECT_EQ(+ref.row.order, 0);
    ASSERT_NE(ref.Excerpt(), nullptr);
    EXPECT_EQ(ref.Excerpt()->Id(), 0);
    ExcerptRef missing(db());
    EXPECT_NE(missing.Read(id + 100), 0);
    EXPECT_EQ(missing.Id(), 0);
}

TEST_F(Excerpts, AFailedSaveLeavesNothingBehind)
{
    const std::int32_t source = AddSource(db(), "Title", "T");
    const int notesBefore = CountRows(db(), TableNote);
    ExcerptRecord excerpt(db());
    excerpt.row.sourceId = source;
    excerpt.EnsureText().SetText("a text");
    // The excerpt has its new id when its text is written to a table the file lacks.
    const std::int32_t noteTable = db().tableIds[TableNote];
    db().tableIds[TableNote] = 0x7FFF;
    EXPECT_FALSE(excerpt.Save());
    db().tableIds[TableNote] = noteTable;
    EXPECT_EQ(CountRows(db(), TableNote), notesBefore);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 0);
}

// The sources of citations, gathered in short-title order.
class ExcerptSources : public AssertionTest {
protected:
    std::int32_t AddSource(const char* shortTitle)
    {
        std::uint8_t row[source_row::Size] = {};
        std::strncpy(reinterpret_cast<char*>(row + source_row::ShortTitleOffset), shortTitle,
                     source_row::ShortTitleSize - 1);
        const std::int32_t id = tlvNewID(db().TableId(TableSource), db().file);
        EXPECT_EQ(tlvWriteRecord(db().TableId(TableSource), id, row, db().file), 0);
        return id;
    }
    std::int32_t AddExcerpt(std::int32_t sourceId)
    {
        ExcerptRow row{};
        row.sourceId = sourceId;
        const std::int32_t id = tlvNewID(db().TableId(TableExcerpt), db().file);
        EXPECT_EQ(tlvWriteRecord(db().TableId(TableExcerpt), id, &row, db().file), 0);
        return id;
    }
    // Each entry as "short title=source id", in the tree's order.
    static std::vector<std::string> Entries(TempTree& tree)
    {
        std::vector<std::string> entries;
        for (std::uint32_t n = tree.First(); n != 0 && entries.size() <= tree.Count(); n = tree.Next(n))
            entries.push_back(std::string(tree.GetKey(n)) + "=" + std::to_string(tree.GetValue1(n)));
        return entries;
    }
};

TEST_F(ExcerptSources, InsertsTheSourceOfEachCitation)
{
    auto transaction = test_support::Transaction(db());
    const std::int32_t census = AddSource("Census 1900");
    const std::int32_t church = AddSource("Church book");
    const std::int32_t a = AddExcerpt(church);
    const std::int32_t b = AddExcerpt(census);
    TempTree tree;
    InsertExcerptSource(tree, db(), a);
    InsertExcerptSource(tree, db(), b);
    InsertExcerptSource(tree, db(), a); // a second citation inserts again
    const std::string censusEntry = "Census 1900=" + std::to_string(census);
    const std::string churchEntry = "Church book=" + std::to_string(church);
    EXPECT_EQ(Entries(tree), (std::vector<std::string>{censusEntry, churchEntry, churchEntry}));
}

TEST_F(ExcerptSources, SkipsAnExcerptOrSourceThatCannotBeRead)
{
    auto transaction = test_support::Transaction(db());
    const std::int32_t source = AddSource("Gone");
    const std::int32_t orphan = AddExcerpt(source);
    ASSERT_EQ(tlvDeleteRecord(db().TableId(TableSource), source, db().file), 0);
    const std::int32_t noSource = AddExcerpt(0);
    TempTree tree;
    InsertExcerptSource(tree, db(), orphan);
    InsertExcerptSource(tree, db(), noSource);
    InsertExcerptSource(tree, db(), 999);
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.First(), 0u);
}

} // namespace
