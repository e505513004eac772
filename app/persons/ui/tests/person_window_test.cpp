// The person window under a frame of the test's own, over a real database, driven by messages as the frame
// and a user would drive it: opening from the person list, editing the name and sex, saving, new
// assertions through the assertion editor, deleting and ordering rows, deleting and merging persons, and
// the notices the windows send each other through the frame.
#include "persons/ui/person_window.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/write_transaction.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "persons/ui/pedigree_window.h"
#include "persons/ui/person_list.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/source_record.h"
#include "res/excerpts_resource.h"
#include "res/frame_resource.h"
#include "res/names_resource.h"
#include "res/person_window_resource.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/mdi_test_frame.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/screenshot_pause.h"
#include "ui_common/private_messages.h"

namespace {

using namespace dialog_test;
using test_support::AnsweredBoxes;
using test_support::FrameCommandEnabled;
using test_support::Posted;
using test_support::RelayedNotices;
using test_support::ScopedLanguage;
using test_support::ScopedListStates;
using test_support::TestDatabase;

HWND Editor(HWND window)
{
    return GetWindow(window, GW_CHILD);
}

// The personal-data page: the page with the move buttons (the other pages' lists have the same id).
HWND DataPage(HWND window)
{
    for (HWND child = GetWindow(Editor(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, IDC_PERSON_DATA_TOP) != nullptr)
            return child;
    return nullptr;
}

HWND DataList(HWND window)
{
    return GetDlgItem(DataPage(window), IDC_PERSON_DATA_LIST);
}

// Each row's kind, date and description joined by "|".
std::vector<std::string> DataRows(HWND window)
{
    return ListViewRows(DataList(window), 4);
}

// The excerpt-reference page: the page with the new-citation button.
HWND ExcerptPage(HWND window)
{
    for (HWND child = GetWindow(Editor(window), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, IDC_EXCERPTS_NEW) != nullptr)
            return child;
    return nullptr;
}

class PersonWindowTest : public test_support::RecordWindowTest {
protected:
    static void SetUpTestSuite()
    {
        RecordWindowTest::SetUpTestSuite();
        test_support::RegisterTestWindowClass("PersonWClass", PersonWndProc, 36);
        test_support::RegisterTestWindowClass("PedigreeWClass", PedigreeWndProc, PedigreeWindowExtraBytes);
    }

    void SetUp() override
    {
        CurrentSettings.name.ListSize = 200;
        CurrentSettings.name.IncludeNew = 0;
        CurrentSettings.name.IncludeOpened = 1;
        CurrentSettings.name.IncludeSelected = 1;
        CurrentSettings.name.ListWindowProperties = {40, 40, 480, 360};
        CurrentSettings.edit.PersonWindowX = 630;
        CurrentSettings.edit.PersonWindowY = 360;
        CurrentSettings.edit.DeletePersonWarning = 1;
        CurrentSettings.edit.DeleteAssertionWarning = 1;
        std::strcpy(CurrentSettings.dateFormat.Formats[0], "{dd}.{mm}.{yyyy}");
        CurrentSettings.dateFormat.FormatCount = 1;
        CurrentSettings.dateFormat.OutputFormat = 0;
        CurrentDatabase = database_.get();
        test_support::OpenMdiTestFrame("PersonWindowTestFrame",
                                       {IDM_FILE_SAVE, IDM_EDIT_DELPERSON, IDM_TOOLS_MERGE, IDM_INSERT_EVENT,
                                        IDM_INSERT_TASK, IDM_EDIT_DELETE, IDM_VIEW_DATA, IDM_INSERT_EXCERPTREF});
    }

    Database& db() { return *database_; }

    std::int32_t AddPerson(const char* editText, std::uint8_t sex = SexUnknown, const char* note = "")
    {
        PersonRecord person(db());
        person.LoadLinked();
        person.Name()->ParseEditText(editText);
        person.row.sex = sex;
        person.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
        return person.Id();
    }

    std::int32_t AddInfo(std::int32_t person, const char* text)
    {
        InfoAssertion info(db());
        info.LoadLinked();
        info.Text()->SetText(text);
        auto link = std::make_unique<AssertionLink>(db());
        link->row.kind = AssertionInfo;
        link->row.personId = person;
        link->row.order = ++order_;
        info.Links().Append(std::move(link));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return info.Save(); }));
        return info.Id();
    }

    std::int32_t AddRelationship(std::int32_t parent, std::int32_t child)
    {
        Relationship relationship(db());
        relationship.LoadLinked();
        for (auto [person, role] : {std::pair{parent, RelationshipParentRole}, std::pair{child, RelationshipChildRole}}) {
            auto link = std::make_unique<AssertionLink>(db());
            link->row.kind = AssertionRelationship;
            link->row.personId = person;
            link->row.roleId = role;
            link->row.order = ++order_;
            relationship.Links().Append(std::move(link));
        }
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
        return relationship.Id();
    }

    // An event of `type` on 3 May `year` at `place` with the person as its principal.
    std::int32_t AddEvent(std::int32_t person, std::int32_t type, int year, const char* place)
    {
        EventAssertion event(db());
        event.LoadLinked();
        event.row.typeId = type;
        DateRange date = {};
        date.type = DateRangeSingle;
        date.dates.first = EmptyDateValue();
        date.dates.first.calendar = CalendarGregorian;
        date.dates.first.day = 3;
        date.dates.first.month = 5;
        date.dates.first.SetYear(year);
        date.dates.second = EmptyDateValue();
        event.SetDate(date);
        event.Place()->Parse(place);
        auto link = std::make_unique<AssertionLink>(db());
        link->row.kind = AssertionEvent;
        link->row.personId = person;
        link->row.order = ++order_;
        event.Links().Append(std::move(link));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
        return event.Id();
    }

    std::int32_t AddEventType(const char* name)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, 0, 0, -1, EventTypeKindEvent, 1, 1, nullptr, nullptr, db());
            return id != 0;
        }));
        return id;
    }

    // Opens the person chosen in the person list, as the frame's command does.
    HWND OpenFromPersonList(const std::string& listed)
    {
        WhenDialogOpens(FrameWindow, [&](HWND list) {
            SelectRow(ShownPage(list), listed);
            Click(list, IDOK);
        });
        const std::int32_t id = SelectPerson(FrameWindow, db());
        return id != 0 ? OpenPersonWindow(id) : nullptr;
    }

    std::unique_ptr<PersonRecord> Stored(std::int32_t id)
    {
        auto person = std::make_unique<PersonRecord>(db());
        person->ReadAndLoad(id);
        return person;
    }

    ScopedLanguage language_{ScopedLanguage::Master()};
    ScopedListStates states_{AddListStateMakers};
    TestDatabase database_;
    std::int32_t order_ = 0;
};

TEST_F(PersonWindowTest, APersonOpensFromThePersonListWithItsNameSexAndRows)
{
    const std::int32_t father = AddPerson("Ole/Lind/", SexMale);
    const std::int32_t ada = AddPerson("Ada/Lind/", SexFemale, "born at sea");
    AddEvent(ada, AddEventType("Birth"), 1901, "Bergen, Norway");
    AddRelationship(father, ada);
    AddInfo(ada, "sailed to Bergen\r\nand back");

    HWND window = OpenFromPersonList("Lind, Ada");
    ASSERT_NE(window, nullptr);
    HWND editor = Editor(window);
    EXPECT_EQ(WindowText(window), "Person - Ada Lind [#" + std::to_string(ada) + "]");
    EXPECT_EQ(ItemText(editor, IDC_PERSON_NAME), "Ada/Lind/");
    EXPECT_TRUE(IsItemEnabled(editor, IDC_PERSON_NAME));
    EXPECT_EQ(ComboSelection(editor, IDC_PERSON_SEX), SexFemale);
    EXPECT_EQ(DataRows(window), (std::vector<std::string>{"|Birth|03.05.1901|Bergen, Norway", "|Father||Ole Lind",
                                                          "|Information||sailed to Bergen"}));
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE)) << "nothing changed yet";
    EXPECT_TRUE(FrameCommandEnabled(IDM_TOOLS_MERGE));
    SelectListViewRow(DataList(window), 1);
    EXPECT_TRUE(IsItemEnabled(DataPage(window), IDC_PERSON_DATA_UP));
    EXPECT_TRUE(IsItemEnabled(DataPage(window), IDC_PERSON_DATA_DOWN));
    test_support::PauseForScreenshot("person_full");

    // The pedigree command opens the person's pedigree beside the window.
    SendMessageA(window, WM_COMMAND, IDM_VIEW_PEDIGREE, 0);
    HWND pedigree = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0));
    char className[32] = {};
    GetClassNameA(pedigree, className, sizeof className);
    EXPECT_STREQ(className, "PedigreeWClass");
    EXPECT_EQ(WindowText(pedigree), "Pedigree - Ada Lind [#" + std::to_string(ada) + "]");
    test_support::PauseForScreenshot("pedigree_of_person");
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);

    EXPECT_EQ(OpenPersonWindow(ada), window) << "a person is shown in one window only";
    EXPECT_EQ(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindPerson, 0), ada);
    HWND fatherWindow = OpenPersonWindow(father);
    EXPECT_EQ(DataRows(fatherWindow), (std::vector<std::string>{"|Child||Ada Lind"}));
}

TEST_F(PersonWindowTest, ANewPersonIsTypedSavedAndTitledWithItsId)
{
    HWND window = OpenPersonWindow(0);
    ASSERT_NE(window, nullptr);
    HWND editor = Editor(window);
    EXPECT_EQ(WindowText(window), "Person - (new person)");
    EXPECT_TRUE(DataRows(window).empty());
    test_support::PauseForScreenshot("person_empty");
    SetDlgItemTextA(editor, IDC_PERSON_NAME, "Kari Anne/Berg/ jr.");
    ChooseComboEntry(editor, IDC_PERSON_SEX, SexFemale);
    EXPECT_TRUE(FrameCommandEnabled(IDM_FILE_SAVE));

    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    const auto id = static_cast<std::int32_t>(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindPerson, 0));
    ASSERT_NE(id, 0);
    EXPECT_EQ(WindowText(window), "Person - Kari Anne Berg jr. [#" + std::to_string(id) + "]");
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE));
    auto stored = Stored(id);
    char surname[64];
    EXPECT_STREQ(stored->Name()->GetSurname(surname, sizeof surname), "Berg");
    EXPECT_EQ(stored->row.sex, SexFemale);
    EXPECT_EQ(stored->row.reserved1, PersonReservedByte);
}

TEST_F(PersonWindowTest, ClosingAChangedPersonAsksAndCancelKeepsTheWindow)
{
    const std::int32_t id = AddPerson("Per/Aas/");
    HWND window = OpenPersonWindow(id);
    ChooseComboEntry(Editor(window), IDC_PERSON_SEX, SexMale);
    {
        AnsweredBoxes boxes(IDCANCEL);
        EXPECT_NE(SendMessageA(window, WM_QUERYCLOSECHILD, 0, 0), 0);
        EXPECT_TRUE(IsWindow(window));
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("PERSON_SAVE_QUESTION"));
        EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    }
    AnsweredBoxes boxes(IDYES);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Stored(id)->row.sex, SexMale) << "Yes saved before closing";
}

TEST_F(PersonWindowTest, ANewEventOnANewPersonSavesThePersonFirstAndShowsTheRowOnItsNotice)
{
    AddEventType("Birth");
    HWND window = OpenPersonWindow(0);
    HWND editor = Editor(window);
    SetDlgItemTextA(editor, IDC_PERSON_NAME, "Eva/Moe/");
    {
        AnsweredBoxes boxes(IDNO);
        SendMessageA(window, WM_COMMAND, IDM_INSERT_EVENT, 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("PERSON_ASSERTION_SAVE"));
        EXPECT_EQ(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindPerson, 0), 0) << "No saves nothing";
    }
    AnsweredBoxes boxes(IDYES);
    bool editorOpened = false;
    WhenDialogOpens(FrameWindow, [&](HWND assertionEditor) {
        editorOpened = true;
        Click(assertionEditor, IDOK);
    });
    SendMessageA(window, WM_COMMAND, IDM_INSERT_EVENT, 0);
    EXPECT_TRUE(editorOpened);
    const auto id = static_cast<std::int32_t>(SendMessageA(window, WM_GETCURRENTRECORD, RecordKindPerson, 0));
    ASSERT_NE(id, 0);
    Pump();
    ASSERT_EQ(DataRows(window).size(), 1u);
    EXPECT_EQ(DataRows(window)[0], "|Birth||");
    ASSERT_EQ(RelayedNotices.size(), 1u);
    EXPECT_EQ(RelayedNotices[0].message, WM_ASSERTIONLINKADDED);
    EXPECT_EQ(RelayedNotices[0].wParam, static_cast<WPARAM>(id));
    EXPECT_EQ(Stored(id)->Links().Count(), 1u);
}

TEST_F(PersonWindowTest, DeletingARelationshipDropsItsRowInTheOtherPersonsWindowToo)
{
    const std::int32_t parent = AddPerson("Ole/Lind/", SexMale);
    const std::int32_t child = AddPerson("Tor/Lind/", SexMale);
    const std::int32_t relationship = AddRelationship(parent, child);
    AddInfo(parent, "farmer");
    HWND childWindow = OpenPersonWindow(child);
    HWND parentWindow = OpenPersonWindow(parent);
    ASSERT_EQ(DataRows(childWindow).size(), 1u);

    SelectListViewRow(DataList(parentWindow), 0);
    EXPECT_TRUE(FrameCommandEnabled(IDM_EDIT_DELETE));
    {
        AnsweredBoxes boxes(IDNO);
        SendMessageA(parentWindow, WM_COMMAND, IDM_EDIT_DELETE, 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("PERSON_DELETEASSOCIATION"));
        EXPECT_EQ(DataRows(parentWindow).size(), 2u) << "No deletes nothing";
    }
    AnsweredBoxes boxes(IDYES);
    SendMessageA(parentWindow, WM_COMMAND, IDM_EDIT_DELETE, 0);
    Pump();
    EXPECT_EQ(DataRows(parentWindow), (std::vector<std::string>{"|Information||farmer"}));
    EXPECT_EQ(ListView_GetNextItem(DataList(parentWindow), -1, LVNI_SELECTED), 0) << "the new last row is selected";
    EXPECT_TRUE(DataRows(childWindow).empty());
    EXPECT_EQ(Relationship(relationship, db()).Id(), 0);
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE)) << "the deletion is written at once";
}

TEST_F(PersonWindowTest, MovingRowsFollowsTheRowAndTheSaveWritesTheOrder)
{
    const std::int32_t id = AddPerson("Ada/Lind/");
    const std::int32_t a = AddInfo(id, "A");
    const std::int32_t b = AddInfo(id, "B");
    const std::int32_t c = AddInfo(id, "C");
    HWND window = OpenPersonWindow(id);
    HWND page = DataPage(window);
    HWND list = DataList(window);

    SelectListViewRow(list, 0);
    EXPECT_FALSE(IsItemEnabled(page, IDC_PERSON_DATA_UP));
    EXPECT_FALSE(IsItemEnabled(page, IDC_PERSON_DATA_TOP));
    EXPECT_TRUE(IsItemEnabled(page, IDC_PERSON_DATA_BOTTOM));
    Click(page, IDC_PERSON_DATA_BOTTOM);
    Pump();
    EXPECT_EQ(DataRows(window), (std::vector<std::string>{"|Information||B", "|Information||C", "|Information||A"}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
    EXPECT_FALSE(IsItemEnabled(page, IDC_PERSON_DATA_DOWN));
    EXPECT_TRUE(FrameCommandEnabled(IDM_FILE_SAVE)) << "the order waits for the save";
    Click(page, IDC_PERSON_DATA_UP);
    EXPECT_EQ(DataRows(window), (std::vector<std::string>{"|Information||B", "|Information||A", "|Information||C"}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);

    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    auto stored = Stored(id);
    ASSERT_EQ(stored->Links().Count(), 3u);
    const std::int32_t expected[] = {b, a, c};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(+stored->Links()[i].row.assertionId, expected[i]);
        EXPECT_EQ(+stored->Links()[i].row.order, static_cast<std::int32_t>(i + 1));
    }
}

TEST_F(PersonWindowTest, DeletingAPersonClosesItsWindowAndTellsTheOthers)
{
    const std::int32_t id = AddPerson("Per/Aas/");
    AddInfo(id, "gone");
    HWND window = OpenPersonWindow(id);
    ChooseComboEntry(Editor(window), IDC_PERSON_SEX, SexMale);
    AnsweredBoxes boxes(IDYES);
    SendMessageA(window, WM_COMMAND, IDM_EDIT_DELPERSON, 0);
    Pump();
    ASSERT_EQ(boxes.boxes.size(), 1u) << "only the delete question, no save question";
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("PERSON_DELETEWARNING"));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(PersonRecord(id, db()).Id(), 0);
    EXPECT_EQ(RelayedNotices, (std::vector<Posted>{{WM_PERSONDELETED, 0, id}}));
}

TEST_F(PersonWindowTest, AMergeMovesTheOthersRowsAndClosesItsChangedWindowWithoutWritingItBack)
{
    const std::int32_t kept = AddPerson("Anders/Holm/", SexMale, "A");
    const std::int32_t other = AddPerson("Bernt/Holm/", SexUnknown, "B");
    AddInfo(kept, "kept's info");
    AddInfo(other, "other's info");
    HWND otherWindow = OpenPersonWindow(other);
    // Unsaved changes in the merged-away person's window must not bring it back.
    ChooseComboEntry(Editor(otherWindow), IDC_PERSON_SEX, SexFemale);
    HWND window = OpenPersonWindow(kept);

    std::string mergeTitle, otherNameShown;
    WhenDialogOpens(FrameWindow, [&](HWND list) {
        SelectRow(ShownPage(list), "Holm, Bernt");
        WhenDialogOpens(FrameWindow, [&](HWND merge) {
            mergeTitle = WindowText(merge);
            otherNameShown = ItemText(merge, IDC_PMERGE_NAME_OTHER);
            RedrawWindow(merge, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            test_support::PauseForScreenshot("person_merge");
            Click(merge, IDOK);
        });
        Click(list, IDOK);
    });
    AnsweredBoxes boxes(IDYES);
    SendMessageA(window, WM_COMMAND, IDM_TOOLS_MERGE, 0);
    Pump();

    EXPECT_EQ(mergeTitle, GetLanguageText("PERSON_MERGE_TITLE"));
    EXPECT_EQ(otherNameShown, "Bernt Holm");
    EXPECT_FALSE(IsWindow(otherWindow));
    EXPECT_TRUE(boxes.boxes.empty()) << "the merged-away window closed without a save question";
    EXPECT_EQ(PersonRecord(other, db()).Id(), 0) << "nothing wrote the merged-away person back";
    EXPECT_EQ(DataRows(window), (std::vector<std::string>{"|Information||kept's info", "|Information||other's info"}));
    auto stored = Stored(kept);
    EXPECT_STREQ(stored->Note()->Text(), "A\r\n\r\nB");
    ASSERT_EQ(stored->Links().Count(), 2u);
    EXPECT_EQ(+stored->Links()[1].row.personId, kept);
    EXPECT_EQ(RelayedNotices.back(), (Posted{WM_PERSONDELETED, 0, other}));
}

TEST_F(PersonWindowTest, AMergeWithoutAChoiceChangesNothing)
{
    const std::int32_t kept = AddPerson("Anders/Holm/", SexMale, "A");
    HWND window = OpenPersonWindow(kept);
    WhenDialogOpens(FrameWindow, [&](HWND list) { Click(list, IDCANCEL); });
    SendMessageA(window, WM_COMMAND, IDM_TOOLS_MERGE, 0);
    Pump();
    EXPECT_TRUE(RelayedNotices.empty());
    EXPECT_STREQ(Stored(kept)->Note()->Text(), "A");
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(PersonWindowTest, AdvancedEditsTheNamePartByPartStartingFromTheTypedText)
{
    struct Case {
        const char* typed;  // into the name field before Advanced; none: left as shown
        bool asTitle;       // the first part becomes a title, which the name field cannot hold
        int button;
        const char* formattedInDialog;
        const char* field;
        bool fieldEnabled;
        bool changed;
    };
    const Case cases[] = {
        {nullptr, false, IDCANCEL, "Ada Lind", "Ada/Lind/", true, false},
        {"Eva/Lind/", false, IDOK, "Eva Lind", "Eva/Lind/", true, true},
        {nullptr, true, IDOK, "Ada Lind", "Ada/Lind/", false, true},
    };
    for (const Case& c : cases) {
        const std::int32_t id = AddPerson("Ada/Lind/", SexFemale);
        HWND window = OpenPersonWindow(id);
        ASSERT_NE(window, nullptr);
        HWND editor = Editor(window);
        if (c.typed != nullptr)
            SetDlgItemTextA(editor, IDC_PERSON_NAME, c.typed);
        std::string formatted;
        WhenDialogOpens(FrameWindow, [&](HWND dialog) {
            formatted = ItemText(dialog, IDC_ADVNAME_FORMATTED);
            if (c.asTitle)
                ChooseComboEntry(dialog, IDC_ADVNAME_TYPE, NamePartPrefix - 1);
            Click(dialog, c.button);
        });
        Click(editor, IDC_PERSON_ADVANCED);
        EXPECT_EQ(formatted, c.formattedInDialog) << c.field;
        EXPECT_EQ(ItemText(editor, IDC_PERSON_NAME), c.field);
        EXPECT_EQ(IsItemEnabled(editor, IDC_PERSON_NAME), c.fieldEnabled) << c.field;
        EXPECT_EQ(FrameCommandEnabled(IDM_FILE_SAVE), c.changed) << c.field;

        // The save keeps the name as the dialog left it, even where the field cannot show it.
        SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
        auto stored = Stored(id);
        EXPECT_EQ(stored->Name()->IsSimple(), c.fieldEnabled) << c.field;
        if (c.fieldEnabled) {
            char text[128] = {};
            stored->Name()->FormatEditText(text, sizeof text);
            EXPECT_STREQ(text, c.field);
        }
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
}

TEST_F(PersonWindowTest, TheExcerptsTabListsThePersonsCitationsAndServesTheFrameCommands)
{
    const std::int32_t id = AddPerson("Ada/Lind/", SexFemale);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] {
        SourceRecord source(db());
        source.SetTitle("Parish register");
        if (!source.Save())
            return false;
        ExcerptRecord excerpt(db());
        excerpt.row.sourceId = source.Id();
        excerpt.SetPage("p. 7");
        if (!excerpt.Save())
            return false;
        PersonRecord person(db());
        person.ReadAndLoad(id);
        auto reference = std::make_unique<ExcerptRef>(db());
        reference->row.excerptId = excerpt.Id();
        person.ExcerptRefs().Append(std::move(reference));
        return person.Save();
    }));

    HWND window = OpenPersonWindow(id);
    ASSERT_NE(window, nullptr);
    HWND page = ExcerptPage(window);
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, IDC_EXCERPTS_LIST);
    EXPECT_EQ(ListViewRows(list, 1), (std::vector<std::string>{"p. 7"}));
    // A person's citations are added, edited and removed through the frame's commands only.
    for (int button : {IDC_EXCERPTS_NEW, IDC_EXCERPTS_EDIT, IDC_EXCERPTS_REMOVE})
        EXPECT_EQ(GetWindowLongA(GetDlgItem(page, button), GWL_STYLE) & WS_VISIBLE, 0) << button;
    EXPECT_TRUE(FrameCommandEnabled(IDM_INSERT_EXCERPTREF));

    // The insert command shows the tab and asks for the excerpt to cite; Cancel adds nothing.
    bool asked = false;
    WhenDialogOpens(FrameWindow, [&](HWND dialog) {
        asked = true;
        Click(dialog, IDCANCEL);
    });
    SendMessageA(window, WM_COMMAND, IDM_INSERT_EXCERPTREF, 0);
    EXPECT_TRUE(asked);
    EXPECT_EQ(SendDlgItemMessageA(Editor(window), IDC_PERSON_TABS, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(page));
    test_support::PauseForScreenshot("person_excerpts");
    EXPECT_EQ(ListViewRows(list, 1), (std::vector<std::string>{"p. 7"}));
    EXPECT_FALSE(FrameCommandEnabled(IDM_FILE_SAVE));

    SelectListViewRow(list, 0);
    SendMessageA(window, WM_COMMAND, IDM_EDIT_DELETE, 0);
    Pump();
    EXPECT_TRUE(ListViewRows(list, 1).empty());
    EXPECT_TRUE(FrameCommandEnabled(IDM_FILE_SAVE));
    SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
    EXPECT_EQ(Stored(id)->ExcerptRefs().Count(), 0u);
}

} // namespace
