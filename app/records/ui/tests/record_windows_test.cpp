// The source and repository windows under a frame of the test's own, over a real database, driven by
// messages as the frame and a user would drive them: opening, editing, saving, closing, deleting,
// merging, the repository references, and the notices the windows send each other through the frame.
#include "records/ui/repository_refs_page.h"
#include "records/ui/repository_window.h"
#include "records/ui/source_window.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "records/record_lists.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "res/core_resource.h"
#include "res/frame_resource.h"
#include "res/sources_resource.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/mdi_test_frame.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/screenshot_pause.h"
#include "ui_common/private_messages.h"

namespace {

using namespace dialog_test;
using test_support::AnsweredBoxes;
using test_support::CountRows;
using test_support::FrameCommandEnabled;
using test_support::Posted;
using test_support::RelayedNotices;
using test_support::ScopedLanguage;
using test_support::ScopedListStates;
using test_support::TestDatabase;

std::vector<HWND> DocumentWindows()
{
    std::vector<HWND> windows;
    for (HWND child = GetWindow(MdiClient, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindow(child, GW_OWNER) == nullptr)
            windows.push_back(child);
    return windows;
}

HWND Editor(HWND window)
{
    return GetWindow(window, GW_CHILD);
}

// Chooses the tab of the language text of `key` as a user would.
void ChooseTabOf(HWND dialog, int tabsId, const char* key)
{
    HWND tabs = GetDlgItem(dialog, tabsId);
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (std::string(text) != GetLanguageText(key))
            continue;
        NMHDR header = {tabs, static_cast<UINT_PTR>(tabsId), static_cast<UINT>(TCN_SELCHANGING)};
        SendMessageA(dialog, WM_NOTIFY, tabsId, reinterpret_cast<LPARAM>(&header));
        SendMessageA(tabs, TCM_SETCURSEL, i, 0);
        header.code = TCN_SELCHANGE;
        SendMessageA(dialog, WM_NOTIFY, tabsId, reinterpret_cast<LPARAM>(&header));
        return;
    }
    ADD_FAILURE() << "no tab " << key;
}

std::vector<std::string> ColumnTexts(HWND page, int column)
{
    HWND list = GetDlgItem(page, IDC_RECORD_PAGE_LIST);
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

void SelectFirstRow(HWND page)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageA(page, IDC_RECORD_PAGE_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

// Types into an edit as a user would: the text, and the change notice its dialog gets.
void Type(HWND dialog, int item, const char* text)
{
    SetDlgItemTextA(dialog, item, text);
}

class RecordWindows : public test_support::RecordWindowTest {
protected:
    static void SetUpTestSuite()
    {
        RecordWindowTest::SetUpTestSuite();
        test_support::RegisterTestWindowClass("SourceWClass", SourceWndProc, 40);
        test_support::RegisterTestWindowClass("RepositoryWClass", RepositoryWndProc, 36);
    }

    void SetUp() override
    {
        CurrentSettings.source.IncludeNew = 0;
        CurrentSettings.source.IncludeOpened = 1;
        CurrentSettings.repository.IncludeNew = 1;
        CurrentSettings.repository.IncludeOpened = 1;
        CurrentSettings.edit.SourceWindowX = 630;
        CurrentSettings.edit.SourceWindowY = 330;
        CurrentSettings.edit.RepositoryWindowX = 500;
        CurrentSettings.edit.RepositoryWindowY = 440;
        CurrentSettings.edit.DeleteSourceWarning = 1;
        CurrentSettings.edit.DeleteRepositoryWarning = 1;
        CurrentSettings.source.ListWindowProperties = {40, 40, 480, 360};
        CurrentSettings.repository.ListWindowProperties = {40, 40, 480, 360};
        CurrentDatabase = database_.get();
        test_support::OpenMdiTestFrame("RecordWindowsTestFrame",
                                       {IDM_FILE_SAVE, IDM_EDIT_DELSOURCE, IDM_EDIT_DELREPOSITORY, IDM_INSERT_EXCERPTREF,
                                        IDM_INSERT_TASK, IDM_INSERT_REPREF, IDM_TOOLS_MERGE, IDM_EDIT_DELETE,
                                        IDM_VIEW_DATA});
    }

    Database& db() { return *database_; }

    std::int32_t AddSource(const char* title, const char* author = "", std::int32_t superior = 0)
    {
        SourceRecord source(db());
        source.LoadNotes();
        source.SetTitle(title);
        source.SetAuthor(author);
        source.row.superiorId = superior;
        EXPECT_TRUE(source.Save());
        return source.Id();
    }

    std::int32_t AddRepository(const char* name, const char* note = "")
    {
        RepositoryRecord repository(db());
        repository.LoadLinked();
        repository.SetName(name);
        repository.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return repository.Save(); }));
        return repository.Id();
    }

    std::int32_t AddReference(std::int32_t repositoryId, std::int32_t sourceId, const char* callNumber)
    {
        RepositoryRef reference(db());
        reference.row.repositoryId = repositoryId;
        reference.row.sourceId = sourceId;
        reference.SetCallNumber(callNumber);
        reference.LoadNote();
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return reference.Save(); }));
        return reference.Id();
    }

    SourceRow StoredSource(std::int32_t id)
    {
        return SourceRecord(id, db()).row;
    }

    ScopedLanguage language_{ScopedLanguage::Master()};
    ScopedListStates states_{AddRecordListMakers};
    TestDatabase database_;
};

TEST_F(RecordWindows, ANewSourceIsTypedSavedAndOpenedAgainInTheSameWindow)
{
    HWND window = OpenSourceWindow(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Source - (new source)");
    HWND editor = Editor(window);
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE)) << "nothing to save yet";
    test_support::PauseForScreenshot("source_new_empty");
    Type(editor, IDC_SOURCE_TITLE, "Census of Norway 1801");
    Type(editor, IDC_SOURCE_SHORT, "A short title longer than fifteen");
    Type(editor, IDC_SOURCE_SERIAL, "0029-2001");
    ChooseComboEntry(editor, IDC_SOURCE_SERIAL_TYPE, 1);
    ChooseComboEntry(editor, IDC_SOURCE_CLASS, 6);
    ChooseComboEntry(editor, IDC_SOURCE_MEDIA, 7);
    EXPECT_TRUE(FrameCommandEnabled(IDM_FILE_SAVE));
    EXPECT_EQ(SendDlgItemMessageA(editor, IDC_SOURCE_SHORT, EM_GETLIMITTEXT, 0, 0), 15)
        << "the field takes what the row keeps";
    test_support::PauseForScreenshot("source_new_typed");

    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    const std::int32_t id = static_cast<std::int32_t>(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindSource, 0));
    ASSERT_NE(id, 0);
    EXPECT_EQ(WindowText(window), "Source - Census of Norway 1801");
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE));
    SourceRecord stored(id, db());
    EXPECT_STREQ(stored.row.title, "Census of Norway 1801");
    EXPECT_STREQ(stored.row.shortTitle, "A short title l");
    EXPECT_EQ(stored.row.serialType, SerialIssn);
    EXPECT_EQ(stored.row.sourceClass, 6);
    EXPECT_EQ(stored.row.media, 7);
    Pump();
    EXPECT_EQ(RelayedNotices, (std::vector<Posted>{{WM_SOURCESAVED, 0, id}}));

    EXPECT_EQ(OpenSourceWindow(id), window);
    EXPECT_EQ(DocumentWindows().size(), 1u) << "a source is shown in one window only";
}

TEST_F(RecordWindows, ClosingAsksOnlyAfterChangesAndCancelStopsTheDatabaseClose)
{
    const std::int32_t id = AddSource("Parish register");
    {
        AnsweredBoxes boxes(IDCANCEL);
        HWND window = OpenSourceWindow(id);
        EXPECT_EQ(SendMessageA(window, WM_QUERYCLOSECHILD, 0, 0), 0);
        EXPECT_TRUE(boxes.boxes.empty()) << "an unchanged window closes without a question";
        EXPECT_FALSE(IsWindow(window));
    }
    AnsweredBoxes boxes(IDCANCEL);
    HWND window = OpenSourceWindow(id);
    Type(Editor(window), IDC_SOURCE_AUTHOR, "Vicar");
    EXPECT_NE(SendMessageA(window, WM_QUERYCLOSECHILD, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("SOURCE_SAVE_QUESTION"));
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

    boxes.answer = IDNO;
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_STREQ(StoredSource(id).author, "") << "No closes without saving";
}

TEST_F(RecordWindows, ANewItemOnANewSourceAsksToSaveItFirst)
{
    AnsweredBoxes boxes(IDNO);
    HWND window = OpenSourceWindow(0);
    SendMessageA(window, WM_COMMAND, IDM_INSERT_TASK, 0);
    SendMessageA(window, WM_COMMAND, IDM_INSERT_REPREF, 0);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("SOURCE_TASK_SAVE"));
    EXPECT_EQ(boxes.boxes[1].text, GetLanguageText("SOURCE_REPREF_SAVE"));
    EXPECT_EQ(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindSource, 0), 0) << "No leaves it unsaved";
    EXPECT_EQ(CountRows(db(), TableSource), 0);

    boxes.answer = IDYES;
    std::string opened;
    WhenDialogOpens(FrameWindow, [&](HWND dialog) {
        opened = WindowText(dialog);
        Click(dialog, IDCANCEL);
    });
    SendMessageA(window, WM_COMMAND, IDM_INSERT_REPREF, 0);
    EXPECT_EQ(CountRows(db(), TableSource), 1) << "Yes saved the source";
    EXPECT_EQ(opened, GetLanguageText("SOURCE_REPREF_TITLE")) << "then the page opened its dialog";
    EXPECT_EQ(CountRows(db(), TableRepRef), 0) << "Cancel saved no reference";
}

TEST_F(RecordWindows, ReferencesAreAddedEditedAndDeletedFromThePageAtOnce)
{
    const std::int32_t archive = AddRepository("State archive");
    const std::int32_t library = AddRepository("Library");
    const std::int32_t id = AddSource("Census");
    HWND window = OpenSourceWindow(id);
    HWND editor = Editor(window);
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);

    // New: Select in the repository list, a call number too long for the row, a note; OK.
    bool okBeforeChoice = true;
    WhenDialogOpens(FrameWindow, [&](HWND dialog) {
        okBeforeChoice = IsItemEnabled(dialog, IDOK);
        WhenDialogOpens(dialog, [&](HWND list) {
            SelectRow(ShownPage(list), "State archive");
            Click(list, IDOK);
        });
        Click(dialog, IDC_REPREF_SELECT);
        Type(dialog, IDC_REPREF_CALLNUMBER, "FT-1801/Akershus/3");
        SetDlgItemTextA(dialog, IDC_REPREF_NOTE, "Film 4");
        test_support::PauseForScreenshot("reference_dialog");
        Click(dialog, IDOK);
    });
    SendMessageA(window, WM_COMMAND, IDM_INSERT_REPREF, 0);
    EXPECT_FALSE(okBeforeChoice) << "no reference without a repository";
    Pump();
    HWND page = ShownPage(editor);
    EXPECT_EQ(ColumnTexts(page, 0), (std::vector<std::string>{"State archive"}));
    EXPECT_EQ(ColumnTexts(page, 1), (std::vector<std::string>{"FT-1801/Akershu"}));
    SourceRecord stored(id, db());
    stored.LoadLinked();
    ASSERT_EQ(stored.RepositoryRefs().Count(), 1u);
    const RepositoryRef& saved = stored.RepositoryRefs()[0];
    EXPECT_EQ(saved.row.repositoryId, archive);
    EXPECT_STREQ(saved.row.callNumber, "FT-1801/Akershu") << "15 characters kept";
    ASSERT_FALSE(RelayedNotices.empty());
    EXPECT_EQ(RelayedNotices[0], (Posted{WM_REPREFSCHANGED, static_cast<WPARAM>(archive), id}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_SOURCE_SUPERIOR_SELECT)))
        << "a source held by repositories is part of no other";
    test_support::PauseForScreenshot("source_references");

    // Edit: Select another repository, then Cancel: the reference is as it was.
    SelectFirstRow(page);
    EXPECT_TRUE(FrameCommandEnabled(IDM_VIEW_DATA));
    EXPECT_TRUE(FrameCommandEnabled(IDM_EDIT_DELETE));
    WhenDialogOpens(FrameWindow, [&](HWND dialog) {
        WhenDialogOpens(dialog, [&](HWND list) {
            SelectRow(ShownPage(list), "Library");
            Click(list, IDOK);
        });
        Click(dialog, IDC_REPREF_SELECT);
        Click(dialog, IDCANCEL);
    });
    SendMessageA(window, WM_COMMAND, IDM_VIEW_DATA, 0);
    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    SourceRecord afterCancel(id, db());
    afterCancel.LoadLinked();
    ASSERT_EQ(afterCancel.RepositoryRefs().Count(), 1u);
    EXPECT_EQ(afterCancel.RepositoryRefs()[0].row.repositoryId, archive) << "Cancel undid the choice";
    EXPECT_NE(library, archive);

    // Delete: asks nothing, the row and its note go, the page empties.
    SelectFirstRow(page);
    SendMessageA(window, WM_COMMAND, IDM_EDIT_DELETE, 0);
    Pump();
    EXPECT_EQ(CountRows(db(), TableRepRef), 0);
    EXPECT_EQ(CountRows(db(), TableNote), 0);
    EXPECT_TRUE(ColumnTexts(page, 0).empty());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_SOURCE_SUPERIOR_SELECT)));
}

TEST_F(RecordWindows, ASuperiorSourceExcludesRepositoryReferencesAndItself)
{
    const std::int32_t book = AddSource("Parish book");
    const std::int32_t chapter = AddSource("Baptisms", "", book);
    HWND window = OpenSourceWindow(chapter);
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    HWND editor = Editor(window);
    EXPECT_EQ(ItemText(editor, IDC_SOURCE_SUPERIOR), "Parish book");
    EXPECT_FALSE(FrameCommandEnabled(IDM_INSERT_REPREF)) << "a part of another source has no repositories of its own";

    WhenDialogOpens(FrameWindow, [&](HWND list) {
        SelectRow(ShownPage(list), "Baptisms");
        Click(list, IDOK);
    });
    Click(editor, IDC_SOURCE_SUPERIOR_SELECT);
    EXPECT_EQ(ItemText(editor, IDC_SOURCE_SUPERIOR), "Parish book") << "a source is not its own superior";

    Click(editor, IDC_SOURCE_SUPERIOR_CLEAR);
    EXPECT_TRUE(FrameCommandEnabled(IDM_INSERT_REPREF));
    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    EXPECT_EQ(StoredSource(chapter).superiorId, 0);

    // The book's window lists its parts and refills when a part is saved elsewhere.
    const std::int32_t marriages = AddSource("Marriages", "", book);
    HWND bookWindow = OpenSourceWindow(book);
    ChooseTabOf(Editor(bookWindow), IDC_SOURCE_TABS, "SOURCE_EDIT_SUBORDINATES");
    HWND parts = ShownPage(Editor(bookWindow));
    EXPECT_EQ(ColumnTexts(parts, 0), (std::vector<std::string>{"Marriages"}));
    EXPECT_EQ(ColumnTexts(parts, 2), (std::vector<std::string>{GetLanguageText("SOURCE_CLASS_BOOK")}));
    SourceRecord moved(chapter, db());
    moved.LoadLinked();
    moved.row.superiorId = book;
    ASSERT_TRUE(moved.Save());
    PostMessageA(FrameWindow, WM_SOURCESAVED, 0, chapter);
    Pump();
    EXPECT_EQ(ColumnTexts(parts, 0), (std::vector<std::string>{"Baptisms", "Marriages"}));
    EXPECT_NE(marriages, 0);
}

TEST_F(RecordWindows, DeletingASourceClosesItsWindowsWithoutAskingAndFreesItsParts)
{
    const std::int32_t book = AddSource("Parish book");
    const std::int32_t part = AddSource("Burials", "", book);
    HWND bookWindow = OpenSourceWindow(book);
    HWND partWindow = OpenSourceWindow(part);
    Type(Editor(partWindow), IDC_SOURCE_AUTHOR, "Sexton");

    AnsweredBoxes boxes(IDYES);
    SendMessageA(bookWindow, WM_COMMAND, IDM_EDIT_DELSOURCE, 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("SOURCE_DELETE_MSG"));
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    Pump();
    EXPECT_FALSE(IsWindow(bookWindow));
    EXPECT_EQ(SourceRecord(book, db()).Id(), 0);
    EXPECT_EQ(StoredSource(part).superiorId, 0) << "its part became a top-level source";
    EXPECT_TRUE(IsWindow(partWindow)) << "another source's window stays";
    EXPECT_EQ(boxes.boxes.size(), 1u);

    // The part is deleted elsewhere while its window holds unsaved changes: the window closes at once
    // and writes nothing into the freed id.
    {
        SourceRecord gone(part, db());
        gone.LoadLinked();
        ASSERT_TRUE(gone.Delete());
    }
    PostMessageA(FrameWindow, WM_SOURCEDELETED, 0, part);
    Pump();
    EXPECT_FALSE(IsWindow(partWindow));
    EXPECT_EQ(boxes.boxes.size(), 1u) << "no save question for a deleted source";
    EXPECT_EQ(CountRows(db(), TableSource), 0);
}

TEST_F(RecordWindows, MergingSourcesMovesReferencesAndClosesTheOthersWindow)
{
    const std::int32_t archive = AddRepository("State archive");
    const std::int32_t kept = AddSource("Kirkebok", "Vicar");
    const std::int32_t other = AddSource("Church book", "Parish clerk");
    AddReference(archive, other, "KB-3");
    HWND otherWindow = OpenSourceWindow(other);
    HWND window = OpenSourceWindow(kept);

    std::string mergeTitle;
    std::string otherAuthorShown;
    WhenDialogOpens(FrameWindow, [&](HWND list) {
        SelectRow(ShownPage(list), "Church book");
        WhenDialogOpens(FrameWindow, [&](HWND merge) {
            mergeTitle = WindowText(merge);
            otherAuthorShown = ItemText(merge, IDC_SMERGE_AUTHOR_OTHERTEXT);
            test_support::PauseForScreenshot("source_merge");
            CheckRadioButton(merge, IDC_SMERGE_TITLE_KEPT, IDC_SMERGE_TITLE_OTHER, IDC_SMERGE_TITLE_OTHER);
            Click(merge, IDOK);
        });
        Click(list, IDOK);
    });
    SendMessageA(window, WM_COMMAND, IDM_TOOLS_MERGE, 0);
    EXPECT_EQ(mergeTitle, GetLanguageText("SOURCE_MERGE_TITLE"));
    EXPECT_EQ(otherAuthorShown, "Parish clerk");
    Pump();

    EXPECT_FALSE(IsWindow(otherWindow)) << "the merged-away source's window closed";
    EXPECT_EQ(SourceRecord(other, db()).Id(), 0);
    SourceRecord stored(kept, db());
    stored.LoadLinked();
    EXPECT_STREQ(stored.row.title, "Church book");
    EXPECT_STREQ(stored.row.author, "Vicar");
    ASSERT_EQ(stored.RepositoryRefs().Count(), 1u);
    EXPECT_EQ(WindowText(window), "Source - Church book");
    ChooseTabOf(Editor(window), IDC_SOURCE_TABS, "SOURCE_EDIT_REPOSITORIES");
    EXPECT_EQ(ColumnTexts(ShownPage(Editor(window)), 0), (std::vector<std::string>{"State archive"}));
    const std::vector<Posted> expected = {{WM_REPREFSCHANGED, static_cast<WPARAM>(archive), other},
                                          {WM_SOURCEDELETED, 0, other}};
    EXPECT_EQ(RelayedNotices, expected);
}

TEST_F(RecordWindows, ARepositoryIsTypedSavedAndKeepsOnlyWhatItsRowStores)
{
    HWND window = OpenRepositoryWindow(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Repository - (new repository)");
    HWND dialog = Editor(window);
    test_support::PauseForScreenshot("repository_new_empty");
    Type(dialog, IDC_REPOSITORY_NAME, "Regional State Archives");
    Type(dialog, IDC_REPOSITORY_CITY, "Bergen");
    Type(dialog, IDC_REPOSITORY_PHONE, std::string(40, '5').c_str());
    Type(dialog, IDC_REPOSITORY_URL, "https://arkivverket.no");
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_REPOSITORY_PHONE, EM_GETLIMITTEXT, 0, 0), 31);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_REPOSITORY_CITY, EM_GETLIMITTEXT, 0, 0), 63);
    test_support::PauseForScreenshot("repository_new_typed");

    // Id 0 is no repository: the notice of it leaves the unsaved window alone.
    PostMessageA(FrameWindow, WM_REPOSITORYDELETED, 0, 0);
    Pump();
    ASSERT_TRUE(IsWindow(window));

    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    const std::int32_t id =
        static_cast<std::int32_t>(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindRepository, 0));
    ASSERT_NE(id, 0);
    EXPECT_EQ(WindowText(window), "Repository - Regional State Archives");
    RepositoryRecord stored(id, db());
    stored.LoadLinked();
    EXPECT_STREQ(stored.row.url, "https://arkivverket.no");
    EXPECT_STREQ(stored.Address()->row.city, "Bergen");
    EXPECT_EQ(std::strlen(stored.Address()->row.phone), 31u);
    ASSERT_EQ(RepositoryListOf(db())->Selection().size(), 1u) << "IncludeNew put it in the selection";
    EXPECT_EQ(OpenRepositoryWindow(id), window);
    EXPECT_EQ(DocumentWindows().size(), 1u);

    // Only the note edited: the close asks, Yes saves it.
    AnsweredBoxes boxes(IDYES);
    ChooseTabOf(dialog, IDC_REPOSITORY_TABS, "REPOS_NOTE");
    SetDlgItemTextA(ShownPage(dialog), IDC_NOTE_TEXT, "Reading room closed on Mondays");
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("REPOS_SAVE_QUESTION"));
    EXPECT_FALSE(IsWindow(window));
    RepositoryRecord noted(id, db());
    noted.LoadLinked();
    EXPECT_STREQ(noted.Note()->Text(), "Reading room closed on Mondays");
}

TEST_F(RecordWindows, DeletingARepositoryTakesItsReferencesFromTheSourceWindows)
{
    const std::int32_t archive = AddRepository("State archive");
    const std::int32_t source = AddSource("Census");
    AddReference(archive, source, "FT-1801");
    HWND sourceWindow = OpenSourceWindow(source);
    ChooseTabOf(Editor(sourceWindow), IDC_SOURCE_TABS, "SOURCE_EDIT_REPOSITORIES");
    HWND references = ShownPage(Editor(sourceWindow));
    ASSERT_EQ(ColumnTexts(references, 0).size(), 1u);
    HWND window = OpenRepositoryWindow(archive);
    ChooseTabOf(Editor(window), IDC_REPOSITORY_TABS, "REPOS_SOURCES");
    EXPECT_EQ(ColumnTexts(ShownPage(Editor(window)), 0), (std::vector<std::string>{"Census"}));
    EXPECT_EQ(ColumnTexts(ShownPage(Editor(window)), 2), (std::vector<std::string>{"FT-1801"}));
    test_support::PauseForScreenshot("repository_sources");

    CurrentSettings.edit.DeleteRepositoryWarning = 0;
    AnsweredBoxes boxes(IDNO);
    SendMessageA(window, WM_COMMAND, IDM_EDIT_DELREPOSITORY, 0);
    EXPECT_TRUE(boxes.boxes.empty()) << "with the warning off nothing is asked";
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CountRows(db(), TableRepository), 0);
    EXPECT_EQ(CountRows(db(), TableRepRef), 0);
    EXPECT_TRUE(ColumnTexts(references, 0).empty()) << "the source window reloaded its references";
    EXPECT_EQ(RelayedNotices, (std::vector<Posted>{{WM_REPOSITORYDELETED, 0, archive}}));
}

TEST_F(RecordWindows, MergingRepositoriesJoinsNotesMovesReferencesAndClosesTheOther)
{
    const std::int32_t kept = AddRepository("State archive", "X");
    const std::int32_t other = AddRepository("National archive", "Y");
    const std::int32_t source = AddSource("Census");
    AddReference(other, source, "FT-1801");
    HWND otherWindow = OpenRepositoryWindow(other);
    HWND window = OpenRepositoryWindow(kept);

    WhenDialogOpens(FrameWindow, [&](HWND list) {
        SelectRow(ShownPage(list), "National archive");
        WhenDialogOpens(FrameWindow, [&](HWND merge) {
            test_support::PauseForScreenshot("repository_merge");
            Click(merge, IDOK);
        });
        Click(list, IDOK);
    });
    SendMessageA(window, WM_COMMAND, IDM_TOOLS_MERGE, 0);
    Pump();

    EXPECT_FALSE(IsWindow(otherWindow));
    RepositoryRecord stored(kept, db());
    stored.LoadLinked();
    EXPECT_STREQ(stored.row.name, "State archive");
    EXPECT_STREQ(stored.Note()->Text(), "X\r\n\r\nY");
    ASSERT_EQ(stored.References().Count(), 1u);
    EXPECT_EQ(stored.References()[0].row.sourceId, source);
    EXPECT_EQ(RepositoryRecord(other, db()).Id(), 0);
    const std::vector<Posted> expected = {{WM_REPREFSCHANGED, static_cast<WPARAM>(other), source},
                                          {WM_REPOSITORYDELETED, 0, other}};
    EXPECT_EQ(RelayedNotices, expected);
    ChooseTabOf(Editor(window), IDC_REPOSITORY_TABS, "REPOS_SOURCES");
    EXPECT_EQ(ColumnTexts(ShownPage(Editor(window)), 0), (std::vector<std::string>{"Census"}));
    ChooseTabOf(Editor(window), IDC_REPOSITORY_TABS, "REPOS_NOTE");
    EXPECT_EQ(ItemText(ShownPage(Editor(window)), IDC_NOTE_TEXT), "X\r\n\r\nY");
}

} // namespace
