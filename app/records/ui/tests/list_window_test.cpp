// The list windows over real databases, driven by messages as a user would drive them: the pages and what
// they list, Select with and without a choice, the search from the Selection page with its progress, the
// options, and the Soundex calculator.
#include "records/ui/list_window.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/soundex_dialog.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/write_transaction.h"
#include "records/record_lists.h"
#include "records/source_record.h"
#include "res/lists_resource.h"
#include "tests/support/list_dialog_test.h"
#include "tests/support/list_window_driving.h"

namespace {

using namespace dialog_test;

constexpr const char* Texts = "SOURCE_SELECT_TITLE=Select a source\n"
                              "SOURCE_MERGE_SELECTTITLE=Merge with\n"
                              "SOURCE_LIST_ALL=All\n"
                              "SOURCE_LIST_HIERARCHY=Hierarchy\n"
                              "SOURCE_LIST_SELECTION=Selection\n"
                              "SOURCE_SEARCH_FIELD_TITLE=Title\n";

std::vector<std::string> TreeTexts(HWND tree, HTREEITEM parent, const std::string& indent = "")
{
    std::vector<std::string> texts;
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, parent == nullptr ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    for (; child != nullptr;
         child = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
        char text[128] = {};
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = child;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        texts.push_back(indent + text);
        for (const std::string& below : TreeTexts(tree, child, indent + "  "))
            texts.push_back(below);
    }
    return texts;
}

class ListWindowTest : public ListDialogTest {
protected:
    ListWindowTest() : ListDialogTest(Texts, AddRecordListMakers) {}

    void SetUp() override
    {
        ListDialogTest::SetUp();
        CurrentSettings.source.ListSize = 200;
        CurrentSettings.source.IncludeNew = 0;
        CurrentSettings.source.IncludeSelected = 1;
        CurrentSettings.source.ListWindowProperties = {40, 40, 480, 360};
        OpenDatabase();
        book_ = AddSource("Parish book", "Church", 0);
        chapter_ = AddSource("Baptisms", "Church", book_);
        census_ = AddSource("Census 1801", "State", 0);
    }

    std::int32_t AddSource(const char* title, const char* author, std::int32_t superior)
    {
        SourceRecord source(**database_);
        source.SetTitle(title);
        source.SetAuthor(author);
        source.row.superiorId = superior;
        EXPECT_TRUE(source.Save());
        return source.Id();
    }
    SourceListState& sources() { return *SourceListOf(**database_); }

    std::int32_t book_ = 0;
    std::int32_t chapter_ = 0;
    std::int32_t census_ = 0;
};

TEST_F(ListWindowTest, TheAllPageListsSortedAndSelectReturnsTheChosenSource)
{
    std::vector<std::string> listed;
    std::string title;
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        title = WindowText(dialog);
        HWND page = ShownPage(dialog);
        listed = ListTexts(page);
        SelectRow(page, "Census 1801");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(SelectSource(nullptr, **database_), census_);
    EXPECT_EQ(title, "Select a source");
    EXPECT_EQ(listed, (std::vector<std::string>{"Baptisms", "Census 1801", "Parish book"}));
    ASSERT_EQ(sources().Selection().size(), 1u);
    EXPECT_EQ(sources().Selection()[0].id, census_);
    EXPECT_EQ(CurrentSettings.source.ListWindowProperties.width, 480);
}

TEST_F(ListWindowTest, SelectWithNothingChosenReturnsZeroAndKeepsThePage)
{
    sources().activePage = 2;
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        ChooseTab(dialog, 0);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(SelectSourceTitled(nullptr, **database_, "SOURCE_MERGE_SELECTTITLE"), 0);
    EXPECT_TRUE(sources().Selection().empty());
    EXPECT_EQ(sources().activePage, 2u);
}

TEST_F(ListWindowTest, TheHierarchyShowsPartsUnderTheirSourceAndAnswersTheCaretItem)
{
    std::vector<std::string> tree;
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        ChooseTab(dialog, 1);
        HWND control = GetDlgItem(ShownPage(dialog), IDC_LIST_VIEW);
        tree = TreeTexts(control, nullptr);
        HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(control, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        HTREEITEM book = reinterpret_cast<HTREEITEM>(
            SendMessageA(control, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
        HTREEITEM part = reinterpret_cast<HTREEITEM>(
            SendMessageA(control, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(book)));
        SendMessageA(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(part));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(SelectSource(nullptr, **database_), chapter_);
    EXPECT_EQ(tree, (std::vector<std::string>{"Census 1801", "Parish book", "  Baptisms"}));
    EXPECT_EQ(sources().activePage, 1u);
}

TEST_F(ListWindowTest, TheSelectionPageSearchesAndShowsWhatWasFound)
{
    SourceRecord held(book_, **database_);
    sources().AddOpened(held);
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::string searchTitle;
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        ChooseTab(dialog, 2);
        HWND page = ShownPage(dialog);
        before = ListTexts(page);
        WhenDialogOpens(dialog, [&](HWND search) {
            searchTitle = WindowText(search);
            ChooseComboEntry(search, IDC_SEARCH_FIELD1, SourceListState::FieldTitle);
            ChooseComboEntry(search, IDC_SEARCH_MODE1, MatchInclude);
            SetDlgItemTextA(search, IDC_SEARCH_TEXT1, "1801");
            Click(search, IDOK);
        });
        Click(page, IDC_LIST_SEARCH);
        after = ListTexts(page);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(SelectSource(nullptr, **database_), 0);
    EXPECT_EQ(before, (std::vector<std::string>{"Parish book"}));
    EXPECT_EQ(after, (std::vector<std::string>{"Parish book", "Census 1801"}));
    EXPECT_EQ(searchTitle, "SOURCE_SEARCH_TITLE");
    EXPECT_EQ(sources().search.criteria[0].field, SourceListState::FieldTitle);
    EXPECT_STREQ(sources().search.criteria[0].text, "1801");
}

TEST_F(ListWindowTest, TheSearchDialogKeeps63CharactersAndCancelKeepsTheCriteria)
{
    sources().search.SetCriterion(1, SourceListState::FieldAuthor, "Church", MatchEnd);
    sources().search.combineAnd = 1;
    std::string shown;
    bool andChecked = false;
    WhenDialogOpens(nullptr, [&](HWND search) {
        shown = ItemText(search, IDC_SEARCH_TEXT2);
        andChecked = IsDlgButtonChecked(search, IDC_SEARCH_AND) == BST_CHECKED;
        EXPECT_EQ(SendDlgItemMessageA(search, IDC_SEARCH_TEXT2, EM_GETLIMITTEXT, 0, 0), 63);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(search, IDC_SEARCH_SOUNDEX)));
        SetDlgItemTextA(search, IDC_SEARCH_TEXT2, "Changed");
        Click(search, IDCANCEL);
    });
    EXPECT_EQ(RunSearchDialog(nullptr, sources(), SourceListKind), 0);
    EXPECT_EQ(shown, "Church");
    EXPECT_TRUE(andChecked);
    EXPECT_STREQ(sources().search.criteria[1].text, "Church");

    WhenDialogOpens(nullptr, [&](HWND search) {
        SetDlgItemTextA(search, IDC_SEARCH_TEXT2, std::string(80, 'x').c_str());
        CheckDlgButton(search, IDC_SEARCH_AND, BST_UNCHECKED);
        CheckDlgButton(search, IDC_SEARCH_OR, BST_CHECKED);
        CheckDlgButton(search, IDC_SEARCH_CLEARLIST, BST_CHECKED);
        Click(search, IDOK);
    });
    EXPECT_EQ(RunSearchDialog(nullptr, sources(), SourceListKind), 1);
    EXPECT_EQ(std::string(sources().search.criteria[1].text), std::string(63, 'x'));
    EXPECT_EQ(sources().search.criteria[1].field, SourceListState::FieldAuthor);
    EXPECT_EQ(sources().search.criteria[1].mode, MatchEnd);
    EXPECT_EQ(sources().search.combineAnd, 0u);
    EXPECT_EQ(sources().search.clearFirst, 1u);
}

TEST_F(ListWindowTest, CancelEndsTheSearchAndKeepsWhatItFound)
{
    {
        // Many sources, written straight to their table, so that the search is still running when the
        // user cancels it.
        auto transaction = test_support::Transaction(**database_);
        SourceRow row = {};
        std::strcpy(row.title, "Register");
        for (int i = 0; i < 2000; ++i) {
            const std::int32_t id = tlvNewID(database_->Table(TableSource), database_->File());
            ASSERT_EQ(tlvWriteRecord(database_->Table(TableSource), id, &row, database_->File()), 0);
        }
    }
    CurrentSettings.source.ListSize = 3000;
    sources().search.combineAnd = 1; // every source is a hit
    std::string title;
    WhenDialogOpens(nullptr, [&](HWND progress) {
        title = WindowText(progress);
        Click(progress, IDCANCEL);
    });
    EXPECT_EQ(RunSearchProgress(nullptr, sources(), SourceListKind), 0);
    EXPECT_EQ(title, "SOURCE_DOSEARCH_TITLE");
    const std::size_t found = sources().Selection().size();
    EXPECT_GT(found, 0u);
    EXPECT_LT(found, 2003u);

    // Run to its end, the search finds the rest: each source once.
    WhenDialogOpens(nullptr, [](HWND) {});
    EXPECT_EQ(RunSearchProgress(nullptr, sources(), SourceListKind), 1);
    EXPECT_EQ(sources().Selection().size(), 2003u);
}

TEST_F(ListWindowTest, TheOptionsAreShownAndStored)
{
    CurrentSettings.source.IncludeNew = 0;
    CurrentSettings.source.IncludeOpened = 1;
    bool shownNew = true;
    WhenDialogOpens(nullptr, [&](HWND options) {
        shownNew = IsDlgButtonChecked(options, IDC_LIST_INCLUDENEW) == BST_CHECKED;
        CheckDlgButton(options, IDC_LIST_INCLUDENEW, BST_CHECKED);
        CheckDlgButton(options, IDC_LIST_INCLUDEOPENED, BST_UNCHECKED);
        Click(options, IDOK);
    });
    EXPECT_EQ(RunOptionsDialog(nullptr, sources(), SourceListKind), 1);
    EXPECT_FALSE(shownNew);
    EXPECT_EQ(CurrentSettings.source.IncludeNew, 1);
    EXPECT_EQ(CurrentSettings.source.IncludeOpened, 0);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.source.IncludeNew, 1);
    EXPECT_EQ(CurrentSettings.source.IncludeOpened, 0);
}

TEST_F(ListWindowTest, TheSoundexCalculatorCodesWhatIsTyped)
{
    HWND dialog = Open(MAKEINTRESOURCEA(IDD_SOUNDEX), SoundexDlgProc);
    struct Case {
        const char* name;
        const char* code;
    };
    const Case cases[] = {{"Robert", "R163"}, {"van Dyke", "V500"}, {" Smith", ""}, {"Tymczak", "T522"}};
    for (const Case& c : cases) {
        SetDlgItemTextA(dialog, IDC_SOUNDEX_NAME, c.name);
        EXPECT_EQ(ItemText(dialog, IDC_SOUNDEX_CODE), c.code) << c.name;
    }
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SOUNDEX_NAME, EM_GETLIMITTEXT, 0, 0), 31);
}

} // namespace
