// The event-type list and its editor over a real database, driven as a user would drive them.
#include "persons/ui/event_type_dialogs.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/event_type.h"
#include "tests/support/dialog_test_support.h"
#include "res/persons_resource.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;
using test_support::TestDatabase;
using test_support::Transaction;

constexpr const char* Texts = "STANDARD_PEVENT_PFORMATTING=P one\n"
                              "STANDARD_PEVENT_WFORMATTING=W one\n"
                              "STANDARD_FEVENT_PFORMATTING=P two\n"
                              "STANDARD_FEVENT_WFORMATTING=W two\n"
                              "STANDARD_ATTR_FORMATTING=A text\n"
                              "EVENTTYPE1=Birth,1,birth,BIRT,was born,saw the birth\n"
                              "EVENTTYPE2=Marriage,2,marriage,MARR,,\n"
                              "ATTRIBUTETYPE1=Age,num,age,,was {v},\n"
                              "EVENTTYPE_EVENT=Event\n"
                              "EVENTTYPE_ATTRIBUTE=Attribute\n"
                              "EVENTTYPE_NEW_NAME=New type\n"
                              "EVENTTYPE_CHANGE_EVENTTYPE=Change event type\n"
                              "EVENTTYPE_CHANGE_ATTRTYPE=Change attribute type\n"
                              "EVENTTYPE_EDIT_GEDCOMNONE=(none)\n"
                              "EVENTTYPE_LIST_HEADING1=Name\n";

class EventTypeDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        CurrentDatabase = database_.get();
    }

    EventTypeRow Stored(std::int32_t id)
    {
        auto transaction = Transaction(*database_, TLV_READ);
        EventType type(id, *database_);
        EXPECT_EQ(type.Id(), id);
        return type.row;
    }
    std::int32_t TypeCount()
    {
        auto transaction = Transaction(*database_, TLV_READ);
        return tlvNumberOfRecords(database_->TableId(TableEventType), database_->file);
    }
    LPARAM SelectedValue(HWND dialog, int item)
    {
        return SendDlgItemMessageA(dialog, item, CB_GETITEMDATA, ComboSelection(dialog, item), 0);
    }
    std::string ListText(HWND list, int item, int column)
    {
        char text[64] = {};
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
        return text;
    }

    // `count` event types more, named "Type 0" and so on.
    void AddTypes(int count)
    {
        auto transaction = Transaction(*database_);
        for (int i = 0; i < count; ++i) {
            EventType type(*database_);
            std::snprintf(type.row.name, sizeof type.row.name, "Type %d", i);
            ASSERT_TRUE(type.Save());
        }
    }

    ScopedLanguage language_{Texts};
    TestDatabase database_{true};
};

TEST_F(EventTypeDialogTest, ListShowsEveryTypeAndEditNeedsASelection)
{
    HWND dialog = Open(EventTypeListResource, EventTypeListDlgProc);
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ListText(list, 0, 0), "Birth");
    EXPECT_EQ(ListText(list, 0, 1), "Event");
    EXPECT_EQ(ListText(list, 0, 2), "birth");
    EXPECT_EQ(ListText(list, 0, 3), "BIRT");
    EXPECT_EQ(ListText(list, 2, 0), "Age");
    EXPECT_EQ(ListText(list, 2, 1), "Attribute");
    EXPECT_EQ(ListText(list, 2, 2), "age");
    EXPECT_EQ(ListText(list, 2, 3), "");
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_EVENTTYPE_EDIT));

    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_EVENTTYPE_EDIT));

    // Edit opens the editor on the selected type; Cancel writes nothing.
    std::string title;
    WhenDialogOpens(dialog, [&title](HWND editor) {
        title = WindowText(editor);
        Click(editor, IDCANCEL);
    });
    Click(dialog, IDC_EVENTTYPE_EDIT);
    EXPECT_EQ(title, "Change event type");
    EXPECT_EQ(TypeCount(), 3);
}

TEST_F(EventTypeDialogTest, NewTypeFromTheListIsWrittenAndListed)
{
    HWND dialog = Open(EventTypeListResource, EventTypeListDlgProc);
    std::string title, principal, witness;
    WhenDialogOpens(dialog, [&](HWND editor) {
        title = WindowText(editor);
        principal = ItemText(editor, IDC_EVENTTYPE_PTEMPLATE);
        witness = ItemText(editor, IDC_EVENTTYPE_WTEMPLATE);
        SetDlgItemTextA(editor, IDC_EVENTTYPE_NAME, "Graduation party");
        Click(editor, IDOK);
    });
    Click(dialog, IDC_EVENTTYPE_NEW);
    EXPECT_EQ(title, "New type");
    EXPECT_EQ(principal, "P one");
    EXPECT_EQ(witness, "W one");

    ASSERT_EQ(TypeCount(), 4);
    EventTypeRow row = Stored(4);
    EXPECT_STREQ(row.name, "Graduation party");
    EXPECT_EQ(row.kind, EventTypeKindEvent);
    EXPECT_EQ(row.classCode, 0);
    EXPECT_EQ(row.gedcomTag, NoGedcomTag);
    EXPECT_EQ(row.principals, 1);
    EXPECT_STREQ(row.principalTemplate, "P one");
    EXPECT_STREQ(row.witnessTemplate, "W one");
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(ListText(list, 3, 0), "Graduation party");
}

TEST_F(EventTypeDialogTest, EditorShowsTheTypeAndOffersTheLanguagesTemplate)
{
    {
        auto transaction = Transaction(*database_);
        EventType birth(1, *database_);
        std::strcpy(birth.row.principalTemplate, "old wording");
        ASSERT_EQ(birth.Write(), 0);
    }
    HWND editor = Open(EventTypeEditResource, EventTypeEditDlgProc, 1);
    EXPECT_EQ(WindowText(editor), "Change event type");
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_NAME), "Birth");
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_KIND));
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_ATTRIBUTEKIND));
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_CLASS), 4);
    EXPECT_EQ(SelectedValue(editor, IDC_EVENTTYPE_GEDCOM), FindGedcomTag("BIRT"));
    EXPECT_EQ(ComboCount(editor, IDC_EVENTTYPE_GEDCOM), 34);
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_PRINCIPALS), 1);
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_EVENTTYPE_PRINT), BST_CHECKED);
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_PTEMPLATE), "old wording");
    EXPECT_TRUE(IsItemEnabled(editor, IDC_EVENTTYPE_PUPDATE));
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_WUPDATE));

    Click(editor, IDC_EVENTTYPE_PUPDATE);
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_PTEMPLATE), "was born");
    ChooseComboEntry(editor, IDC_EVENTTYPE_PRINCIPALS, 0);
    CheckDlgButton(editor, IDC_EVENTTYPE_PRINT, BST_UNCHECKED);
    Click(editor, IDOK);

    EventTypeRow row = Stored(1);
    EXPECT_STREQ(row.principalTemplate, "was born");
    EXPECT_STREQ(row.witnessTemplate, "saw the birth");
    EXPECT_EQ(row.principals, 0);
    EXPECT_EQ(row.print, 0u);
    EXPECT_EQ(row.classCode, 4);
    EXPECT_EQ(row.gedcomTag, FindGedcomTag("BIRT"));
    EXPECT_EQ(TypeCount(), 3);
}

TEST_F(EventTypeDialogTest, NewTypeSwitchesBetweenEventAndAttribute)
{
    HWND editor = Open(EventTypeEditResource, EventTypeEditDlgProc, 0);
    EXPECT_TRUE(IsItemEnabled(editor, IDC_EVENTTYPE_KIND));
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_ATTRIBUTEKIND));
    EXPECT_EQ(ComboCount(editor, IDC_EVENTTYPE_CLASS), 26);

    ChooseComboEntry(editor, IDC_EVENTTYPE_KIND, 1);
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_PTEMPLATE), "A text");
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_WTEMPLATE), "");
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_WTEMPLATE));
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_PRINCIPALS));
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_PRINCIPALS), 1);
    EXPECT_TRUE(IsItemEnabled(editor, IDC_EVENTTYPE_ATTRIBUTEKIND));
    EXPECT_EQ(ComboCount(editor, IDC_EVENTTYPE_CLASS), 12);
    EXPECT_EQ(ComboCount(editor, IDC_EVENTTYPE_GEDCOM), 14);

    ChooseComboEntry(editor, IDC_EVENTTYPE_ATTRIBUTEKIND, AttributeKindFlag);
    ASSERT_EQ(ComboCount(editor, IDC_EVENTTYPE_CLASS), 4);
    EXPECT_EQ(ComboText(editor, IDC_EVENTTYPE_CLASS, 3), "living");

    // Back to an event: text attribute kind and the event templates again.
    ChooseComboEntry(editor, IDC_EVENTTYPE_KIND, 0);
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_ATTRIBUTEKIND), AttributeKindText);
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_PTEMPLATE), "P one");
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_WTEMPLATE), "W one");
    EXPECT_TRUE(IsItemEnabled(editor, IDC_EVENTTYPE_WTEMPLATE));
    EXPECT_EQ(ComboCount(editor, IDC_EVENTTYPE_CLASS), 26);

    ChooseComboEntry(editor, IDC_EVENTTYPE_KIND, 1);
    ChooseComboEntry(editor, IDC_EVENTTYPE_ATTRIBUTEKIND, AttributeKindNumeric);
    ChooseComboEntry(editor, IDC_EVENTTYPE_CLASS, 2);
    SetDlgItemTextA(editor, IDC_EVENTTYPE_NAME, "Children");
    Click(editor, IDOK);

    ASSERT_EQ(TypeCount(), 4);
    EventTypeRow row = Stored(4);
    EXPECT_STREQ(row.name, "Children");
    EXPECT_EQ(row.kind, EventTypeKindAttribute);
    EXPECT_EQ(row.attributeKind, AttributeKindNumeric);
    EXPECT_EQ(row.classCode, 2);
    EXPECT_EQ(row.principals, 1);
    EXPECT_STREQ(row.principalTemplate, "A text");
    EXPECT_STREQ(row.witnessTemplate, "");
}

// A tag the editor does not offer for the kind (an import can set any) is shown and kept, never lost.
TEST_F(EventTypeDialogTest, TagThatIsNotOfferedIsKept)
{
    std::int32_t id = 0;
    {
        auto transaction = Transaction(*database_);
        id = CreateEventType("Odd", 0, 0, FindGedcomTag("OCCU"), EventTypeKindEvent, 1, 1, "p", "w", *database_);
        ASSERT_NE(id, 0);
    }
    HWND editor = Open(EventTypeEditResource, EventTypeEditDlgProc, id);
    EXPECT_EQ(SelectedValue(editor, IDC_EVENTTYPE_GEDCOM), FindGedcomTag("OCCU"));
    Click(editor, IDOK);
    EXPECT_EQ(Stored(id).gedcomTag, FindGedcomTag("OCCU"));
}

TEST_F(EventTypeDialogTest, AttributeTypeEditorShowsItsKind)
{
    HWND editor = Open(EventTypeEditResource, EventTypeEditDlgProc, 3);
    EXPECT_EQ(WindowText(editor), "Change attribute type");
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_KIND), 1);
    EXPECT_EQ(ComboSelection(editor, IDC_EVENTTYPE_ATTRIBUTEKIND), AttributeKindNumeric);
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_ATTRIBUTEKIND));
    EXPECT_EQ(ComboText(editor, IDC_EVENTTYPE_CLASS, ComboSelection(editor, IDC_EVENTTYPE_CLASS)), "age");
    EXPECT_FALSE(IsItemEnabled(editor, IDC_EVENTTYPE_PUPDATE));
}

} // namespace

namespace {

using namespace dialog_test;

TEST_F(EventTypeDialogTest, ListColumnsShareItsWidthWithoutAHorizontalScrollBar)
{
    // Enough types that the list scrolls vertically.
    AddTypes(40);
    HWND dialog = Open(EventTypeListResource, EventTypeListDlgProc);
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 43);
    for (bool refilled : {false, true}) {
        SCOPED_TRACE(refilled ? "refilled" : "opened");
        if (refilled) {
            WhenDialogOpens(dialog, [](HWND editor) {
                SetDlgItemTextA(editor, IDC_EVENTTYPE_NAME, "One more");
                Click(editor, IDOK);
            });
            Click(dialog, IDC_EVENTTYPE_NEW);
            ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 44);
        }
        RECT client{};
        GetClientRect(list, &client);
        int sum = 0;
        for (int column = 0; column < 4; ++column) {
            int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
            EXPECT_GT(width, 30) << column;
            sum += width;
        }
        EXPECT_LE(sum, client.right);
        EXPECT_GE(sum, client.right - GetSystemMetrics(SM_CXVSCROLL) - 4);
        EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0);
    }
}

// A shown list refilled after OK in the editor settles at once: it is drawn once when refilled, not
// once per row as each row comes.
TEST_F(EventTypeDialogTest, ShownListSettlesQuicklyAfterOkInTheEditor)
{
    ScopedLanguage master{ScopedLanguage::Master()};
    AddTypes(100);
    HWND dialog = Open(EventTypeListResource, EventTypeListDlgProc);
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    UpdateWindow(dialog);
    DWORD closed = 0;
    WhenDialogOpens(dialog, [&closed](HWND editor) {
        SetDlgItemTextA(editor, IDC_EVENTTYPE_NAME, "Quick");
        Click(editor, IDOK);
        closed = GetTickCount();
    });
    Click(dialog, IDC_EVENTTYPE_NEW);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    DWORD settled = GetTickCount();
    ASSERT_NE(closed, 0u);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_EVENTTYPE_LIST), LVM_GETITEMCOUNT, 0, 0), 104);
    EXPECT_LT(settled - closed, 1000u);
}

} // namespace

namespace {

TEST_F(EventTypeDialogTest, AFailedWriteSaysSoAndKeepsWhatWasTyped)
{
    ScopedLanguage master{ScopedLanguage::Master()};
    HWND editor = Open(EventTypeEditResource, EventTypeEditDlgProc, 0);
    SetDlgItemTextA(editor, IDC_EVENTTYPE_NAME, "Graduation party");
    WhileFileIsHeld(database_.path().str(), [&] { Click(editor, IDOK); });
    ExpectOnlyWriteFailureBox(boxes_);
    EXPECT_EQ(TypeCount(), 3);
    EXPECT_EQ(ItemText(editor, IDC_EVENTTYPE_NAME), "Graduation party");

    Click(editor, IDOK);
    EXPECT_EQ(boxes_.boxes.size(), 1u);
    ASSERT_EQ(TypeCount(), 4);
    EXPECT_STREQ(Stored(4).name, "Graduation party");
}

} // namespace
