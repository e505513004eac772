// The excerpt pages and dialogs over a real database, driven by messages as a user would drive them:
// the citation list with its removal marks and moves, adding a citation of an existing or a new excerpt,
// editing an excerpt through its citation, and the excerpts of a source.
#include "records/ui/excerpt_pages.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/record_lists.h"
#include "records/source_record.h"
#include "res/excerpts_resource.h"
#include "res/frame_resource.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/screenshot_pause.h"
#include "ui_common/private_messages.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;
using test_support::ScopedListStates;
using test_support::TestDatabase;
using Rows = std::vector<std::string>;

constexpr const char* Texts = "EXCERPT_QUALITY_UNKNOWN=unknown\n"
                              "EXCERPT_QUALITY_POOR=poor\n"
                              "EXCERPT_QUALITY_QUESTIONABLE=questionable\n"
                              "EXCERPT_QUALITY_GOOD=good\n"
                              "EXCERPT_QUALITY_VERYGOOD=very good\n"
                              "EXCERPT_SELECT_NEW=(new excerpt)\n"
                              "EXCERPT_TYPE_UNKNOWN=Unknown\n"
                              "STANDARD_SYES=Yes\n"
                              "STANDARD_SNO=No\n"
                              "SOURCE_SELECT_TITLE=Select a source\n"
                              "SOURCE_LIST_ALL=All\n"
                              "BUTTON_OK=OK\n"
                              "BUTTON_CANCEL=Cancel\n"
                              "BUTTON_HELP=Help\n"
                              "BUTTON_SELECT=&Select\n"
                              "EXCERPTREF_HEADING1=Page\n"
                              "EXCERPTREF_HEADING2=Quality\n"
                              "EXCERPTREF_HEADING3=Source\n"
                              "EXCERPT_HEADING1=Page\n"
                              "EXCERPT_HEADING2=Quality\n"
                              "EXCERPT_HEADING4=Text\n"
                              "EXCERPT_TITLE=Excerpt\n"
                              "EXCERPT_SOURCE=Source:\n"
                              "EXCERPT_QUALITY=Quality:\n"
                              "EXCERPT_PAGE=Page:\n"
                              "EXCERPT_TEXT=Text of the excerpt:\n"
                              "EXCERPT_NOTE=Note:\n"
                              "EXCERPT_USAGE=Cited by:\n"
                              "EXCERPT_USAGE_HEADING1=Cited in\n"
                              "EXCERPT_USAGE_HEADING2=Person\n"
                              "EXCERPT_SELECT_TITLE=Select an excerpt\n"
                              "EXCERPT_SELECT_SOURCE=Source:\n";

class ExcerptPages : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        Settings::Load();
        CurrentSettings.source.ListWindowProperties = {40, 40, 480, 360};
        database_ = std::make_unique<TestDatabase>();
        CurrentDatabase = database_->get();
        register_ = AddSource("Parish register");
        census_ = AddSource("Census 1801");
        for (const char* page : {"p. 1", "p. 2", "p. 3", "p. 4"})
            excerpts_.push_back(AddExcerpt(register_, page, ExcerptQualityGood));
    }
    void TearDown() override
    {
        if (page_ != nullptr)
            DestroyWindow(page_);
        DialogTest::TearDown();
        database_.reset();
    }

    Database& db() { return **database_; }

    std::int32_t AddSource(const char* title)
    {
        SourceRecord source(db());
        source.SetTitle(title);
        EXPECT_TRUE(source.Save());
        return source.Id();
    }
    std::int32_t AddExcerpt(std::int32_t sourceId, const char* page, std::uint8_t quality)
    {
        ExcerptRecord excerpt(db());
        excerpt.row.sourceId = sourceId;
        excerpt.row.quality = quality;
        excerpt.SetPage(page);
        excerpt.EnsureText().SetText("Baptised the 3rd of May");
        EXPECT_TRUE(excerpt.Save());
        return excerpt.Id();
    }
    // A list of citations of the excerpts in the fixture's order, each with its excerpt loaded.
    void Cite(RecordList<ExcerptRef>& list, std::uint8_t ownerKind = OwnerKindUnset)
    {
        list.ownerKind = ownerKind;
        for (std::int32_t id : excerpts_) {
            auto reference = std::make_unique<ExcerptRef>(db());
            reference->row.excerptId = id;
            reference->LoadExcerpt();
            list.Append(std::move(reference));
        }
    }
    HWND OpenPage(DLGPROC procedure, void* list)
    {
        page_ = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_EXCERPTREF_PAGE), host_.get(), procedure,
                                   reinterpret_cast<LPARAM>(list));
        EXPECT_NE(page_, nullptr);
        return page_;
    }
    HWND List() const { return GetDlgItem(page_, IDC_EXCERPTS_LIST); }
    Rows PageColumn() const
    {
        Rows pages;
        for (const std::string& row : ListViewRows(List(), 1))
            pages.push_back(row);
        return pages;
    }
    int SelectedRow() const
    {
        return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // Takes the notices of changes the page posted to its host; their number.
    int TakePageChanges()
    {
        int count = 0;
        MSG message;
        while (PeekMessageA(&message, host_.get(), WM_PAGECHANGED, WM_PAGECHANGED, PM_REMOVE))
            ++count;
        return count;
    }
    // Shows the page in its host on the screen for a picture.
    void PictureOfPage(const char* name)
    {
        SetWindowPos(host_.get(), nullptr, 60, 60, 560, 200, SWP_NOZORDER);
        ShowWindow(host_.get(), SW_SHOW);
        RECT client{};
        GetClientRect(host_.get(), &client);
        MoveWindow(page_, 8, 8, client.right - 16, client.bottom - 16, TRUE);
        ShowWindow(page_, SW_SHOW);
        test_support::PauseForScreenshot(name);
        ShowWindow(host_.get(), SW_HIDE);
    }
    // Chooses `title` in the source list dialog that `owner` opens, once it is up.
    void ChooseSourceWhenAsked(HWND owner, const std::string& title)
    {
        WhenDialogOpens(owner, [title](HWND list) {
            SelectRow(ShownPage(list), title);
            Click(list, IDOK);
        });
    }

    ScopedLanguage language_{Texts};
    ScopedListStates states_{AddRecordListMakers};
    std::unique_ptr<TestDatabase> database_;
    OwnerWindow host_;
    HWND page_ = nullptr;
    std::int32_t register_ = 0;
    std::int32_t census_ = 0;
    std::vector<std::int32_t> excerpts_;
};

TEST_F(ExcerptPages, CitationsShowPageQualityAndSourceWithoutRemovedOnes)
{
    RecordList<ExcerptRef> list;
    Cite(list);
    list.SetMark(1, 1);
    OpenPage(ExcerptRefPageDlgProc, &list);
    EXPECT_EQ(ListViewRows(List(), 3), (Rows{"p. 1|good|Parish register", "p. 3|good|Parish register",
                                             "p. 4|good|Parish register"}));
    // Nothing selected: only new is offered.
    EXPECT_TRUE(IsItemEnabled(page_, IDC_EXCERPTS_NEW));
    for (int item : {IDC_EXCERPTS_EDIT, IDC_EXCERPTS_REMOVE, IDC_EXCERPTS_UP, IDC_EXCERPTS_DOWN})
        EXPECT_FALSE(IsItemEnabled(page_, item)) << item;
    SelectListViewRow(List(), 0);
    EXPECT_TRUE(IsItemEnabled(page_, IDC_EXCERPTS_EDIT));
    EXPECT_TRUE(IsItemEnabled(page_, IDC_EXCERPTS_REMOVE));
    EXPECT_FALSE(IsItemEnabled(page_, IDC_EXCERPTS_UP));
    EXPECT_TRUE(IsItemEnabled(page_, IDC_EXCERPTS_DOWN));
    SelectListViewRow(List(), 2);
    EXPECT_TRUE(IsItemEnabled(page_, IDC_EXCERPTS_UP));
    EXPECT_FALSE(IsItemEnabled(page_, IDC_EXCERPTS_DOWN));
    PictureOfPage("excerpt_citations");
}

struct MoveCase {
    int removed;     // list entry marked before the page opens, -1 none
    int row;         // selected row
    int button;
    Rows pages;      // the page column afterwards
    int selectedRow; // afterwards
    int changes;     // WM_PAGECHANGED notices posted
};

class ExcerptMoves : public ExcerptPages, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(ExcerptMoves, MovePastRemovedEntriesWhichStayRemoved)
{
    const MoveCase& c = GetParam();
    RecordList<ExcerptRef> list;
    Cite(list);
    if (c.removed >= 0)
        list.SetMark(static_cast<std::size_t>(c.removed), 1);
    OpenPage(ExcerptRefPageDlgProc, &list);
    SelectListViewRow(List(), c.row);
    TakePageChanges();
    Click(page_, c.button);
    EXPECT_EQ(PageColumn(), c.pages);
    EXPECT_EQ(SelectedRow(), c.selectedRow);
    EXPECT_EQ(TakePageChanges(), c.changes);
    // The removed entry keeps its place and its excerpt.
    if (c.removed >= 0) {
        EXPECT_TRUE(list.IsMarked(static_cast<std::size_t>(c.removed)));
        EXPECT_EQ(list[static_cast<std::size_t>(c.removed)].row.excerptId, excerpts_[c.removed]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExcerptMoves,
    ::testing::Values(MoveCase{1, 1, IDC_EXCERPTS_UP, {"p. 3", "p. 1", "p. 4"}, 0, 1},
                      MoveCase{1, 0, IDC_EXCERPTS_DOWN, {"p. 3", "p. 1", "p. 4"}, 1, 1},
                      MoveCase{1, 0, IDC_EXCERPTS_BOTTOM, {"p. 3", "p. 4", "p. 1"}, 2, 1},
                      MoveCase{1, 2, IDC_EXCERPTS_TOP, {"p. 4", "p. 1", "p. 3"}, 0, 1},
                      MoveCase{-1, 1, IDC_EXCERPTS_BOTTOM, {"p. 1", "p. 3", "p. 4", "p. 2"}, 3, 1},
                      // Up on the first row does nothing at all; down on the last refills and tells.
                      MoveCase{1, 0, IDC_EXCERPTS_UP, {"p. 1", "p. 3", "p. 4"}, 0, 0},
                      MoveCase{1, 0, IDC_EXCERPTS_TOP, {"p. 1", "p. 3", "p. 4"}, 0, 0},
                      MoveCase{1, 2, IDC_EXCERPTS_DOWN, {"p. 1", "p. 3", "p. 4"}, 2, 1}));

TEST_F(ExcerptPages, SavedOrderFollowsTheMovesAndRemovedRowsGo)
{
    RecordList<ExcerptRef> list;
    Cite(list);
    const std::int32_t owner = 5;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(list, owner, OwnerEvent); }));
    const std::int32_t removedRow = list[1].Id();
    OpenPage(ExcerptRefPageDlgProc, &list);
    SelectListViewRow(List(), 1);
    Click(page_, IDC_EXCERPTS_REMOVE);
    EXPECT_EQ(TakePageChanges(), 1);
    EXPECT_EQ(PageColumn(), (Rows{"p. 1", "p. 3", "p. 4"}));
    SelectListViewRow(List(), 1);
    Click(page_, IDC_EXCERPTS_UP);   // [p. 3, removed, p. 1, p. 4]
    SelectListViewRow(List(), 1);
    Click(page_, IDC_EXCERPTS_BOTTOM); // [p. 3, removed, p. 4, p. 1]
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(list, owner, OwnerEvent); }));

    RecordList<ExcerptRef> stored;
    LoadOwnerExcerptRefs(stored, owner, OwnerEvent, db());
    ASSERT_EQ(stored.Count(), 3u);
    const std::pair<std::int32_t, std::int32_t> expected[] = {{excerpts_[2], 1}, {excerpts_[3], 3}, {excerpts_[0], 4}};
    for (std::size_t i = 0; i < stored.Count(); ++i) {
        EXPECT_EQ(stored[i].row.excerptId, expected[i].first) << i;
        EXPECT_EQ(stored[i].row.order, expected[i].second) << i;
    }
    ExcerptRef gone(db());
    EXPECT_NE(gone.Read(removedRow), 0);
}

TEST_F(ExcerptPages, APersonsListLeavesNewEditAndRemoveToTheFrame)
{
    RecordList<ExcerptRef> list;
    Cite(list, OwnerPerson);
    OpenPage(ExcerptRefPageDlgProc, &list);
    for (int item : {IDC_EXCERPTS_NEW, IDC_EXCERPTS_EDIT, IDC_EXCERPTS_REMOVE})
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(page_, item), GWL_STYLE) & WS_VISIBLE) << item;
    for (int item : {IDC_EXCERPTS_TOP, IDC_EXCERPTS_UP, IDC_EXCERPTS_DOWN, IDC_EXCERPTS_BOTTOM})
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(page_, item), GWL_STYLE) & WS_VISIBLE) << item;
    // The frame's delete command serves as the remove button.
    SelectListViewRow(List(), 0);
    SendMessageA(page_, WM_COMMAND, IDM_EDIT_DELETE, 0);
    EXPECT_TRUE(list.IsMarked(0));
    EXPECT_EQ(PageColumn(), (Rows{"p. 2", "p. 3", "p. 4"}));
    EXPECT_EQ(TakePageChanges(), 1);
}

TEST_F(ExcerptPages, AddingACitationOfAnExistingExcerpt)
{
    RecordList<ExcerptRef> list;
    OpenPage(ExcerptRefPageDlgProc, &list);
    Rows choices;
    bool okBeforeSource = true;
    bool okBeforeChoice = true;
    WhenDialogOpens(host_.get(), [&](HWND select) {
        okBeforeSource = IsItemEnabled(select, IDOK);
        EXPECT_EQ(SendDlgItemMessageA(select, IDC_EXCERPT_CHOICES, LVM_GETITEMCOUNT, 0, 0), 0);
        ChooseSourceWhenAsked(select, "Parish register");
        Click(select, IDC_EXCERPT_SELECT);
        EXPECT_EQ(ItemText(select, IDC_EXCERPT_SOURCE), "Parish register");
        HWND choicesList = GetDlgItem(select, IDC_EXCERPT_CHOICES);
        choices = ListViewRows(choicesList, 3);
        okBeforeChoice = IsItemEnabled(select, IDOK);
        SelectListViewRow(choicesList, 2);
        test_support::PauseForScreenshot("excerpt_select");
        Click(select, IDOK);
    });
    Click(page_, IDC_EXCERPTS_NEW);
    EXPECT_FALSE(okBeforeSource);
    EXPECT_FALSE(okBeforeChoice);
    EXPECT_EQ(choices, (Rows{"p. 1|good|Baptised the 3rd of May", "p. 2|good|Baptised the 3rd of May",
                             "p. 3|good|Baptised the 3rd of May", "p. 4|good|Baptised the 3rd of May",
                             "(new excerpt)||"}));
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list[0].row.excerptId, excerpts_[2]);
    ASSERT_NE(list[0].Excerpt(), nullptr);
    EXPECT_STREQ(list[0].Excerpt()->row.page, "p. 3");
    EXPECT_EQ(ListViewRows(List(), 3), (Rows{"p. 3|good|Parish register"}));
    EXPECT_EQ(TakePageChanges(), 1);
}

TEST_F(ExcerptPages, ANewExcerptIsStoredAtOnceAndCited)
{
    RecordList<ExcerptRef> list;
    OpenPage(ExcerptRefPageDlgProc, &list);
    bool sourceShown = false;
    WhenDialogOpens(host_.get(), [&](HWND select) {
        ChooseSourceWhenAsked(select, "Census 1801");
        Click(select, IDC_EXCERPT_SELECT);
        HWND choicesList = GetDlgItem(select, IDC_EXCERPT_CHOICES);
        EXPECT_EQ(ListViewRows(choicesList, 1), (Rows{"(new excerpt)"})); // the census has no excerpts yet
        SelectListViewRow(choicesList, 0);
        Click(select, IDOK);
        WhenDialogOpens(host_.get(), [&](HWND edit) {
            sourceShown = ItemText(edit, IDC_EXCERPT_SOURCE) == "Census 1801" && IsItemEnabled(edit, IDOK);
            SetDlgItemTextA(edit, IDC_EXCERPT_PAGE, std::string(40, 'x').c_str());
            ChooseComboEntry(edit, IDC_EXCERPT_QUALITY, ExcerptQualityPoor);
            SetDlgItemTextA(edit, IDC_EXCERPT_TEXT, "Household of Jakob Holm");
            Click(edit, IDOK);
        });
    });
    Click(page_, IDC_EXCERPTS_NEW);
    EXPECT_TRUE(sourceShown);
    ASSERT_EQ(list.Count(), 1u);
    const std::int32_t id = list[0].row.excerptId;
    ASSERT_NE(id, 0);
    ExcerptRecord stored(db());
    stored.ReadAndLoad(id);
    EXPECT_EQ(stored.row.sourceId, census_);
    EXPECT_EQ(std::string(stored.row.page), std::string(31, 'x'));
    EXPECT_EQ(stored.row.quality, ExcerptQualityPoor);
    ASSERT_NE(stored.Text(), nullptr);
    EXPECT_STREQ(stored.Text()->Text(), "Household of Jakob Holm");
    EXPECT_EQ(ListViewRows(List(), 3), (Rows{std::string(31, 'x') + "|poor|Census 1801"}));
}

TEST_F(ExcerptPages, CancellingTheSelectionOrTheNewExcerptAddsNothing)
{
    RecordList<ExcerptRef> list;
    OpenPage(ExcerptRefPageDlgProc, &list);
    WhenDialogOpens(host_.get(), [](HWND select) { Click(select, IDCANCEL); });
    Click(page_, IDC_EXCERPTS_NEW);
    WhenDialogOpens(host_.get(), [&](HWND select) {
        ChooseSourceWhenAsked(select, "Census 1801");
        Click(select, IDC_EXCERPT_SELECT);
        SelectListViewRow(GetDlgItem(select, IDC_EXCERPT_CHOICES), 0);
        Click(select, IDOK);
        WhenDialogOpens(host_.get(), [](HWND edit) { Click(edit, IDCANCEL); });
    });
    Click(page_, IDC_EXCERPTS_NEW);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(TakePageChanges(), 0);
    EngineTransaction transaction(db().file, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(db().TableId(TableExcerpt), db().file), 4);
}

TEST_F(ExcerptPages, EditingThroughACitationChangesTheExcerptOnlyOnOk)
{
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return CreateExcerptRef(excerpts_[0], 42, 99, db()) != 0; }));
    RecordList<ExcerptRef> list;
    Cite(list);
    OpenPage(ExcerptRefPageDlgProc, &list);
    SelectListViewRow(List(), 0);
    WhenDialogOpens(host_.get(), [](HWND edit) {
        SetDlgItemTextA(edit, IDC_EXCERPT_PAGE, "cancelled");
        Click(edit, IDCANCEL);
    });
    Click(page_, IDC_EXCERPTS_EDIT);
    EXPECT_STREQ(list[0].Excerpt()->row.page, "p. 1");

    Rows usage;
    WhenDialogOpens(host_.get(), [&](HWND edit) {
        usage = ListViewRows(GetDlgItem(edit, IDC_EXCERPT_USAGE), 2);
        EXPECT_EQ(ItemText(edit, IDC_EXCERPT_SOURCE), "Parish register");
        EXPECT_EQ(ComboSelection(edit, IDC_EXCERPT_QUALITY), ExcerptQualityGood);
        EXPECT_EQ(ItemText(edit, IDC_EXCERPT_TEXT), "Baptised the 3rd of May");
        SetDlgItemTextA(edit, IDC_EXCERPT_PAGE, "fol. 7");
        SetDlgItemTextA(edit, IDC_EXCERPT_NOTE, "hard to read");
        test_support::PauseForScreenshot("excerpt_dialog");
        Click(edit, IDOK);
    });
    SendMessageA(page_, WM_COMMAND, IDM_VIEW_DATA, 0);
    EXPECT_EQ(usage, (Rows{"Unknown|"}));
    EXPECT_EQ(PageColumn(), (Rows{"fol. 7", "p. 2", "p. 3", "p. 4"}));
    EXPECT_EQ(TakePageChanges(), 0); // an assertion's list: its editor saves it anyway
    // The owner's save writes the excerpt with its citation.
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return SaveOwnerExcerptRefs(list, 7, OwnerEvent); }));
    ExcerptRecord stored(db());
    stored.ReadAndLoad(excerpts_[0]);
    EXPECT_STREQ(stored.row.page, "fol. 7");
    ASSERT_NE(stored.Note(), nullptr);
    EXPECT_STREQ(stored.Note()->Text(), "hard to read");
}

TEST_F(ExcerptPages, AnExcerptWithoutSourceWaitsForOne)
{
    ExcerptRecord excerpt(db());
    bool disabledAtFirst = false;
    bool enabledAfterChoice = false;
    WhenDialogOpens(host_.get(), [&](HWND edit) {
        test_support::PauseForScreenshot("excerpt_dialog_empty");
        disabledAtFirst = !IsItemEnabled(edit, IDOK) && !IsItemEnabled(edit, IDC_EXCERPT_PAGE) &&
                          !IsItemEnabled(edit, IDC_EXCERPT_QUALITY) && !IsItemEnabled(edit, IDC_EXCERPT_TEXT) &&
                          !IsItemEnabled(edit, IDC_EXCERPT_NOTE) && ItemText(edit, IDC_EXCERPT_SOURCE).empty();
        // A cancelled choice of source changes nothing.
        WhenDialogOpens(edit, [](HWND sources) { Click(sources, IDCANCEL); });
        Click(edit, IDC_EXCERPT_SELECT);
        EXPECT_FALSE(IsItemEnabled(edit, IDOK));
        ChooseSourceWhenAsked(edit, "Census 1801");
        Click(edit, IDC_EXCERPT_SELECT);
        enabledAfterChoice = IsItemEnabled(edit, IDOK) && IsItemEnabled(edit, IDC_EXCERPT_PAGE) &&
                             ItemText(edit, IDC_EXCERPT_SOURCE) == "Census 1801";
        Click(edit, IDCANCEL);
    });
    EXPECT_EQ(EditExcerpt(host_.get(), excerpt), 0);
    EXPECT_TRUE(disabledAtFirst);
    EXPECT_TRUE(enabledAfterChoice);
    EXPECT_EQ(excerpt.row.sourceId, 0); // Cancel keeps the excerpt as it was
}

TEST_F(ExcerptPages, TheExcerptsOfASourceAreAddedEditedAndRemovedInItsList)
{
    SourceRecord source(register_, db());
    source.LoadExcerpts();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return CreateExcerptRef(excerpts_[1], 42, OwnerPerson, db()) != 0; }));
    source.Excerpts().Clear();
    source.LoadExcerpts();
    OpenPage(ExcerptListPageDlgProc, &source.Excerpts());
    for (int item : {IDC_EXCERPTS_TOP, IDC_EXCERPTS_UP, IDC_EXCERPTS_DOWN, IDC_EXCERPTS_BOTTOM})
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(page_, item), GWL_STYLE) & WS_VISIBLE) << item;
    EXPECT_EQ(ListViewRows(List(), 3), (Rows{"p. 1|good|No", "p. 2|good|Yes", "p. 3|good|No", "p. 4|good|No"}));

    WhenDialogOpens(host_.get(), [](HWND edit) {
        EXPECT_EQ(ItemText(edit, IDC_EXCERPT_SOURCE), "Parish register");
        SetDlgItemTextA(edit, IDC_EXCERPT_PAGE, "p. 5");
        Click(edit, IDOK);
    });
    Click(page_, IDC_EXCERPTS_NEW);
    EXPECT_EQ(TakePageChanges(), 1);
    ASSERT_EQ(source.Excerpts().Count(), 5u);
    EXPECT_EQ(source.Excerpts()[4].Id(), 0); // the source's save stores it
    EXPECT_EQ(source.Excerpts()[4].row.sourceId, register_);

    SelectListViewRow(List(), 0);
    SendMessageA(page_, WM_COMMAND, IDM_EDIT_DELETE, 0);
    EXPECT_TRUE(source.Excerpts().IsMarked(0));
    EXPECT_EQ(PageColumn(), (Rows{"p. 2", "p. 3", "p. 4", "p. 5"}));
    EXPECT_EQ(TakePageChanges(), 1);

    ASSERT_TRUE(source.Save());
    SourceRecord reloaded(register_, db());
    reloaded.LoadExcerpts();
    Rows pages;
    for (std::size_t i = 0; i < reloaded.Excerpts().Count(); ++i)
        pages.push_back(reloaded.Excerpts()[i].row.page);
    EXPECT_EQ(pages, (Rows{"p. 2", "p. 3", "p. 4", "p. 5"}));
}

TEST_F(ExcerptPages, TheSourcesExcerptPageShowsItsListAfreshAfterASourceWasDeleted)
{
    SourceRecord source(register_, db());
    source.LoadExcerpts();
    OpenPage(ExcerptListPageDlgProc, &source.Excerpts());
    // The host reloaded the list behind the page's back: fewer excerpts than the page has rows.
    source.Excerpts().Clear();
    source.Excerpts().Append(std::make_unique<ExcerptRecord>(excerpts_[3], db()));
    SendMessageA(page_, WM_SOURCEDELETED, 0, census_);
    EXPECT_EQ(PageColumn(), (Rows{"p. 4"}));
    // A row selected now names an entry the list has: editing it edits that excerpt.
    SelectListViewRow(List(), 0);
    WhenDialogOpens(host_.get(), [](HWND edit) {
        EXPECT_EQ(ItemText(edit, IDC_EXCERPT_PAGE), "p. 4");
        Click(edit, IDCANCEL);
    });
    Click(page_, IDC_EXCERPTS_EDIT);
}

} // namespace
