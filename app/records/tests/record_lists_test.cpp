// The list states of sources, repositories, research objectives and media against real database files:
// the selection's limits and order, the records' own additions and removals, the pages' rows, the source
// hierarchy, the search steps, and the options and geometry kept in the settings.
#include "records/record_lists.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/address_record.h"
#include "core/bounded_text.h"
#include "core/write_transaction.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/test_database.h"

namespace {

using test_support::ScopedListStates;
using test_support::TestDatabase;

std::vector<std::int32_t> Ids(const std::vector<ListRow>& rows)
{
    std::vector<std::int32_t> ids;
    for (const ListRow& row : rows)
        ids.push_back(row.id);
    return ids;
}

class RecordLists : public testing::Test {
protected:
    RecordLists() : states_(AddRecordListMakers)
    {
        CurrentSettings.source.IncludeNew = 0;
        CurrentSettings.object.IncludeNew = 0;
        CurrentSettings.source.ListSize = 200;
        database_ = std::make_unique<TestDatabase>();
    }

    Database& db() { return **database_; }
    SourceListState& sources() { return *SourceListOf(db()); }

    std::int32_t AddSource(const char* title, const char* author = "", std::int32_t superior = 0)
    {
        SourceRecord source(db());
        source.SetTitle(title);
        source.SetAuthor(author);
        source.row.superiorId = superior;
        EXPECT_TRUE(source.Save());
        return source.Id();
    }

    void SetSuperior(std::int32_t id, std::int32_t superior)
    {
        SourceRecord source(id, db());
        source.row.superiorId = superior;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return source.Write() == 0; }));
    }

    std::int32_t AddRepository(const char* name, const char* city)
    {
        RepositoryRecord repository(db());
        repository.LoadLinked();
        repository.SetName(name);
        StoreField(repository.Address()->row.city, sizeof repository.Address()->row.city, city);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return repository.Save(); }));
        return repository.Id();
    }

    std::int32_t AddObjective(const char* title)
    {
        ObjectiveRecord objective(db());
        StoreField(objective.row.title, sizeof objective.row.title, title);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
        return objective.Id();
    }

    std::int32_t AddMedia(const char* description, const char* fileName)
    {
        MediaRecord media(db());
        media.SetDescription(description);
        media.SetFileName(fileName);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return media.Create(); }));
        return media.Id();
    }

    ScopedListStates states_;
    std::unique_ptr<TestDatabase> database_;
};

TEST_F(RecordLists, EveryDatabaseHasItsOwnStates)
{
    ASSERT_NE(SourceListOf(db()), nullptr);
    ASSERT_NE(RepositoryListOf(db()), nullptr);
    ASSERT_NE(ResearchListOf(db()), nullptr);
    ASSERT_NE(MediaListOf(db()), nullptr);
    TestDatabase other(false, "other.vdb");
    EXPECT_NE(SourceListOf(*other), SourceListOf(db()));
}

TEST_F(RecordLists, TheSelectionHoldsOneLessThanListSize)
{
    struct Case {
        std::int32_t listSize;
        std::size_t held;
    };
    // ListSize comes from the store unchecked: below 2 it counts as 200.
    const Case cases[] = {{200, 199}, {5, 4}, {2, 1}, {1, 199}, {0, 199}, {-7, 199}};
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 205; ++i)
        ids.push_back(AddSource(("Source " + std::to_string(i)).c_str()));
    for (const Case& c : cases) {
        CurrentSettings.source.ListSize = c.listSize;
        SourceListState state(db());
        for (std::int32_t id : ids) {
            SourceRecord source(id, db());
            state.AddOpened(source);
        }
        ASSERT_EQ(state.Selection().size(), c.held) << "ListSize " << c.listSize;
        EXPECT_EQ(state.Selection().back().id, ids[c.held - 1]);
    }
}

TEST_F(RecordLists, AnEntryIsHeldOnceWithItsFirstTextsCut)
{
    const std::string longTitle(100, 't');
    const std::int32_t id = AddSource(longTitle.c_str(), "Author");
    SourceRecord source(id, db());
    sources().AddOpened(source);
    source.SetTitle("Changed");
    sources().AddOpened(source);
    ASSERT_EQ(sources().Selection().size(), 1u);
    EXPECT_EQ(std::string(sources().Selection()[0].title), std::string(63, 't'));
    EXPECT_STREQ(sources().Selection()[0].author, "Author");
}

TEST_F(RecordLists, RemovingTheMiddleEntryKeepsTheOthersWhole)
{
    const std::int32_t top = AddSource("Top", "A");
    const std::int32_t middle = AddSource("Middle", "B", top);
    const std::int32_t part = AddSource("Part", "C", top);
    for (std::int32_t id : {top, middle, part}) {
        SourceRecord source(id, db());
        sources().AddOpened(source);
    }
    EXPECT_EQ(sources().RemoveOpened(middle), 1);
    EXPECT_EQ(sources().RemoveOpened(middle), 0);
    const std::vector<ListRow> rows = sources().SelectionRows();
    ASSERT_EQ(Ids(rows), (std::vector<std::int32_t>{top, part}));
    EXPECT_EQ(rows[0].texts[0], "Top");
    EXPECT_EQ(rows[0].texts[2], "*");
    EXPECT_EQ(rows[1].texts[1], "C");
    EXPECT_EQ(rows[1].texts[2], "");
}

TEST_F(RecordLists, ASavedSourceEntersTheSelectionOnlyWithIncludeNew)
{
    const std::int32_t quiet = AddSource("Quiet");
    CurrentSettings.source.IncludeNew = 1;
    const std::int32_t added = AddSource("Added");
    ASSERT_EQ(Ids(sources().SelectionRows()), (std::vector<std::int32_t>{added}));
    EXPECT_NE(quiet, 0);

    SourceRecord source(added, db());
    source.LoadLinked();
    ASSERT_TRUE(source.Delete());
    EXPECT_TRUE(sources().SelectionRows().empty());
}

TEST_F(RecordLists, ADeletedSourceIsOnNoPageAndNeverFound)
{
    const std::int32_t first = AddSource("Census 1801");
    const std::int32_t gone = AddSource("Census 1865");
    const std::int32_t last = AddSource("Census 1900");
    {
        SourceRecord source(gone, db());
        source.LoadLinked();
        ASSERT_TRUE(source.Delete());
    }
    EXPECT_EQ(Ids(sources().AllRows()), (std::vector<std::int32_t>{first, last}));
    sources().search.combineAnd = 1;
    sources().RunSearch();
    EXPECT_EQ(Ids(sources().SelectionRows()), (std::vector<std::int32_t>{first, last}));
    std::vector<std::int32_t> tree;
    for (const SourceTreeItem& item : sources().Hierarchy())
        tree.push_back(item.id);
    EXPECT_EQ(tree, (std::vector<std::int32_t>{first, last}));
}

TEST_F(RecordLists, SourcesInACircleShowWithoutTheTopSignAndOutsideTheHierarchy)
{
    const std::int32_t book = AddSource("Book");
    const std::int32_t chapter = AddSource("Chapter B", "", book);
    const std::int32_t earlier = AddSource("Chapter A", "", book);
    const std::int32_t page = AddSource("Page", "", chapter);
    const std::int32_t self = AddSource("Self");
    const std::int32_t one = AddSource("One");
    const std::int32_t two = AddSource("Two", "", one);
    SetSuperior(self, self);
    SetSuperior(one, two);

    const std::vector<ListRow> all = sources().AllRows();
    ASSERT_EQ(all.size(), 7u);
    for (const ListRow& row : all)
        EXPECT_EQ(row.texts[2], row.id == book ? "*" : "") << row.texts[0];

    const std::vector<SourceTreeItem> roots = sources().Hierarchy();
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].id, book);
    ASSERT_EQ(roots[0].children.size(), 2u);
    EXPECT_EQ(roots[0].children[0].id, earlier); // siblings sorted by title
    EXPECT_EQ(roots[0].children[1].id, chapter);
    ASSERT_EQ(roots[0].children[1].children.size(), 1u);
    EXPECT_EQ(roots[0].children[1].children[0].id, page);
}

TEST_F(RecordLists, SourceSearchesCombineTheirCriteria)
{
    const std::int32_t smith = AddSource("Parish register", "Smithson");
    const std::int32_t census = AddSource("Census", "Smith");
    const std::int32_t diary = AddSource("Diary of a smith", "Jones");
    struct Case {
        std::uint32_t combineAnd;
        SearchCriterion criteria[SearchCriterionCount];
        std::vector<std::int32_t> found;
    };
    const std::vector<Case> cases = {
        {0, {{SourceListState::FieldAuthor, "THS", MatchInclude}, {}, {}}, {smith}},
        {0, {{SourceListState::FieldAuthor, "smi", MatchExact}, {}, {}}, {smith, census}},
        {0, {{SourceListState::FieldAuthor, "son", MatchEnd}, {SourceListState::FieldTitle, "smith", MatchEnd}, {}},
         {smith, diary}},
        {1, {{SourceListState::FieldAuthor, "smi", MatchBegin}, {SourceListState::FieldTitle, "c", MatchBegin}, {}},
         {census}},
        {0, {{}, {}, {}}, {}},
        {1, {{}, {}, {}}, {smith, census, diary}},
    };
    for (const Case& c : cases) {
        sources().ClearSelection();
        sources().search.combineAnd = c.combineAnd;
        for (int i = 0; i < SearchCriterionCount; ++i)
            sources().search.criteria[i] = c.criteria[i];
        sources().RunSearch();
        EXPECT_EQ(Ids(sources().SelectionRows()), c.found) << "first text " << c.criteria[0].text;
    }
}

TEST_F(RecordLists, TheClearFlagEmptiesTheSelectionEvenWhenNothingMatches)
{
    const std::int32_t a = AddSource("Alpha");
    const std::int32_t b = AddSource("Beta");
    SourceRecord source(a, db());
    sources().AddOpened(source);
    sources().search.SetCriterion(0, SourceListState::FieldTitle, "Beta", MatchBegin);
    sources().RunSearch();
    sources().RunSearch(); // found twice, listed once
    EXPECT_EQ(Ids(sources().SelectionRows()), (std::vector<std::int32_t>{a, b}));

    sources().search.clearFirst = 1;
    sources().search.SetCriterion(0, SourceListState::FieldTitle, "Gamma", MatchBegin);
    sources().RunSearch();
    EXPECT_TRUE(sources().SelectionRows().empty());
}

TEST_F(RecordLists, ChoosingARecordAddsItWhenItReads)
{
    const std::int32_t a = AddSource("Alpha");
    sources().AddChosen(0);
    sources().AddChosen(a + 10);
    EXPECT_TRUE(sources().SelectionRows().empty());
    sources().AddChosen(a);
    EXPECT_EQ(Ids(sources().SelectionRows()), (std::vector<std::int32_t>{a}));
}

TEST_F(RecordLists, RepositoriesAreFoundByTheCityOfTheirAddress)
{
    const std::int32_t oslo = AddRepository("State archive", "Oslo");
    const std::int32_t bergen = AddRepository("Regional archive", "Bergen");
    RepositoryListState& list = *RepositoryListOf(db());
    EXPECT_EQ(Ids(list.AllRows()), (std::vector<std::int32_t>{oslo, bergen}));
    EXPECT_EQ(list.AllRows()[1].texts[0], "Regional archive");
    list.search.SetCriterion(0, RepositoryListState::FieldCity, "berg", MatchInclude);
    list.RunSearch();
    list.RunSearch();
    const std::vector<ListRow> rows = list.SelectionRows();
    ASSERT_EQ(Ids(rows), (std::vector<std::int32_t>{bergen}));
    EXPECT_EQ(rows[0].texts[0], "Regional archive");
    EXPECT_EQ(list.RemoveOpened(bergen), 1);
}

TEST_F(RecordLists, ObjectivesAreFoundByTitleAndListedWithTheirIds)
{
    const std::int32_t parents = AddObjective("Parents of Anna");
    const std::int32_t gone = AddObjective("Birth of Anna");
    const std::int32_t emigration = AddObjective("Emigration of Per");
    {
        ObjectiveRecord objective(gone, db());
        ASSERT_TRUE(objective.Delete());
    }
    ResearchListState& list = *ResearchListOf(db());
    const std::vector<ListRow> all = list.AllRows();
    ASSERT_EQ(Ids(all), (std::vector<std::int32_t>{parents, emigration}));
    EXPECT_EQ(all[1].texts[0], std::to_string(emigration));
    EXPECT_EQ(all[1].texts[1], "Emigration of Per");
    list.search.combineAnd = 1;
    list.search.SetCriterion(1, ResearchListState::FieldTitle, "anna", MatchEnd);
    list.RunSearch();
    const std::vector<ListRow> rows = list.SelectionRows();
    ASSERT_EQ(Ids(rows), (std::vector<std::int32_t>{parents}));
    EXPECT_EQ(rows[0].texts[0], std::to_string(parents));
    list.FreeBuffer();
    EXPECT_TRUE(list.SelectionRows().empty());
}

TEST_F(RecordLists, MediaAreFoundByTheirFileNamesEnd)
{
    const std::int32_t photo = AddMedia("Wedding", "C:\\Pictures\\wedding.JPG");
    const std::int32_t scan = AddMedia("Letter", "C:\\Scans\\letter.tif");
    MediaListState& list = *MediaListOf(db());
    EXPECT_EQ(Ids(list.AllRows()), (std::vector<std::int32_t>{photo, scan}));
    list.search.SetCriterion(0, MediaListState::FieldFileName, ".jpg", MatchEnd);
    list.RunSearch();
    const std::vector<ListRow> rows = list.SelectionRows();
    ASSERT_EQ(Ids(rows), (std::vector<std::int32_t>{photo}));
    EXPECT_EQ(rows[0].texts[0], "Wedding");
}

TEST_F(RecordLists, ACreatedMediaEntersTheSelectionOnlyWithIncludeNewAndADeletedOneLeavesIt)
{
    MediaListState& list = *MediaListOf(db());
    const std::int32_t quiet = AddMedia("Quiet", "C:\\Pictures\\quiet.jpg");
    CurrentSettings.object.IncludeNew = 1;
    const std::int32_t added = AddMedia("Added", "C:\\Pictures\\added.jpg");
    const std::vector<ListRow> rows = list.SelectionRows();
    ASSERT_EQ(Ids(rows), (std::vector<std::int32_t>{added}));
    EXPECT_EQ(rows[0].texts[0], "Added");
    EXPECT_NE(quiet, 0);

    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return MediaRecord::DeleteById(added, db()); }));
    EXPECT_TRUE(list.SelectionRows().empty());
    // A delete that fails leaves the selection as it was.
    const std::int32_t kept = AddMedia("Kept", "C:\\Pictures\\kept.jpg");
    EXPECT_FALSE(RunWriteTransaction(db(), [&] { return MediaRecord::DeleteById(kept + 100, db()); }));
    EXPECT_EQ(Ids(list.SelectionRows()), (std::vector<std::int32_t>{kept}));
}

TEST_F(RecordLists, OptionsAndGeometryAreWrittenToTheListsSection)
{
    struct Case {
        RecordListModel* list;
        ListWindowSettings* settings;
        std::uint16_t keptThird; // a width that is never measured again
    };
    const Case cases[] = {
        {SourceListOf(db()), &CurrentSettings.source, 20},
        {RepositoryListOf(db()), &CurrentSettings.repository, 0},
        {ResearchListOf(db()), &CurrentSettings.research, 0},
        {MediaListOf(db()), &CurrentSettings.object, 0},
    };
    CurrentSettings.source.ListAllWidth[2] = 20;
    CurrentSettings.source.ListSelectionWidth[2] = 20;
    const WindowPlacement placement = {11, 22, 333, 444};
    const std::uint16_t all[] = {101, 102, 103};
    const std::uint16_t selection[] = {201, 202, 203};
    for (const Case& c : cases) {
        c.list->StoreOptions(false, true, false);
        c.list->StoreGeometry(placement, all, selection);
    }
    ASSERT_EQ(Settings::Load(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list->Section());
        EXPECT_EQ(c.settings->IncludeNew, 0);
        EXPECT_EQ(c.settings->IncludeOpened, 1);
        EXPECT_EQ(c.settings->IncludeSelected, 0);
        EXPECT_EQ(c.settings->ListWindowProperties.left, 11);
        EXPECT_EQ(c.settings->ListWindowProperties.height, 444);
        EXPECT_EQ(c.settings->ListAllWidth[0], 101);
        EXPECT_EQ(c.settings->ListSelectionWidth[0], 201);
        if (c.list->StoredWidthCount() >= 2) {
            EXPECT_EQ(c.settings->ListAllWidth[1], 102);
            EXPECT_EQ(c.settings->ListSelectionWidth[1], 202);
        }
    }
    EXPECT_EQ(CurrentSettings.source.ListAllWidth[2], 20);
    EXPECT_EQ(CurrentSettings.source.ListSelectionWidth[2], 20);
}

} // namespace
