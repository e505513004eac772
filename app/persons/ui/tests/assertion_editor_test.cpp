// The assertion editor on events over a real database, driven by messages: the event page, the roles
// page and role dialog, the formatting page, and the save that writes everything in one transaction.
#include "persons/ui/assertion_editor.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/notice_sink.h"
#include "core/place_record.h"
#include "core/role.h"
#include "core/write_transaction.h"
#include "persons/assertion_fields.h"
#include "persons/event_assertion.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "persons/sentence_format.h"
#include "persons/ui/roles_page.h"
#include "persons/ui/tests/assertion_editor_driving.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/source_record.h"
#include "res/excerpts_resource.h"
#include "res/assertions_resource.h"
#include "res/core_resource.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/screenshot_pause.h"
#include "tests/support/source_tree.h"

namespace {

using namespace dialog_test;
using namespace assertion_editor_test;
using test_support::Transaction;

constexpr const char* Texts = "EVENT_TITLE=Event\n"
                              "ASSERTION_ROLE_PRINCIPAL=Principal\n"
                              "ASSERTION_NOROLES_TEXT=no participants\n"
                              "ASSERTION_NOROLES_TITLE=Roles\n"
                              "ASSERTION_WRITE_ERROR=not saved\n"
                              "PLACE_PREFIX=in,at\n"
                              "PRIVACY_PUBLIC=Public\nPRIVACY_FAMILY=Family\nPRIVACY_IMMFAMILY=Close\n"
                              "PRIVACY_PRIVATE=Private\nPRIVACY_INFO=Info\n";

class AssertionEditorTest : public EditorTest {
protected:
    AssertionEditorTest() : EditorTest(Texts) {}

    void SetUp() override
    {
        EditorTest::SetUp();
        // Created out of alphabetical order, so that the list's order is not the id order.
        typeC_ = Type("Cc census", 1, "C {d}", "witness of C");
        typeA_ = Type("Aa arrival", 1, "A {d}", "");
        typeB_ = Type("Bb birth", 1, "B {d}", "witness of B");
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] {
            return CreateEventType("Ab attribute", 0, 0, -1, EventTypeKindAttribute, 1, 0, "", "", *database_) != 0;
        }));
        anna_ = AddPerson("Anna/Berg/");
        per_ = AddPerson("Per/Aas/");
    }
    std::int32_t Type(const char* name, int principals, const char* principal, const char* witness)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] {
            id = CreateEventType(name, 0, 0, -1, EventTypeKindEvent, principals, 0, principal, witness, *database_);
            return id != 0;
        }));
        return id;
    }
    AssertionLink NewEventLink(std::int32_t person)
    {
        AssertionLink link(*database_);
        link.row.kind = AssertionEvent;
        link.row.personId = person;
        link.row.roleId = 0;
        link.row.order = 7;
        return link;
    }
    // A stored event of `type` with the given participants (person, role).
    std::int32_t StoredEvent(std::int32_t type, const std::vector<std::pair<std::int32_t, std::int32_t>>& people)
    {
        EventAssertion event(*database_);
        event.LoadLinked();
        event.row.typeId = type;
        for (auto [person, role] : people) {
            auto link = std::make_unique<AssertionLink>(*database_);
            link->row.personId = person;
            link->row.roleId = role;
            event.Links().Append(std::move(link));
        }
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] { return event.Save(); }));
        return event.Id();
    }
    std::int32_t EventCount()
    {
        auto transaction = Transaction(*database_, TLV_READ);
        std::int32_t count = 0;
        EventAssertion event(*database_);
        for (std::int32_t id = 1; id <= tlvNumberOfRecords(database_->TableId(TableEvent2), database_->file); ++id)
            count += tlvReadRecord(database_->TableId(TableEvent2), id, &event.row, database_->file) == 0 ? 1 : 0;
        return count;
    }
    std::int32_t AddRole(const char* name)
    {
        RoleRecord role(*database_);
        role.SetName(name);
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] { return role.Save(); }));
        return role.Id();
    }

    std::int32_t typeA_ = 0, typeB_ = 0, typeC_ = 0;
    std::int32_t anna_ = 0, per_ = 0;
};

TEST_F(AssertionEditorTest, ANewEventIsSavedWithTheSecondTypeAndThePersonAsPrincipal)
{
    AssertionLink link = NewEventLink(anna_);
    std::vector<std::string> types;
    std::string title, selected;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       title = WindowText(editor);
                       HWND page = PageWith(editor, IDC_EVENT_TYPE);
                       for (int i = 0; i < ComboCount(page, IDC_EVENT_TYPE); ++i)
                           types.push_back(ComboText(page, IDC_EVENT_TYPE, i));
                       selected = ComboText(page, IDC_EVENT_TYPE, ComboSelection(page, IDC_EVENT_TYPE));
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(title, "Event");
    // Attribute types are not offered.
    EXPECT_EQ(types, (std::vector<std::string>{"Aa arrival", "Bb birth", "Cc census"}));
    EXPECT_EQ(selected, "Bb birth");

    ASSERT_NE(link.row.assertionId, 0);
    ASSERT_NE(link.Id(), 0);
    EventAssertion event(link.row.assertionId, *database_);
    event.LoadLinked();
    EXPECT_EQ(event.row.typeId, typeB_);
    ASSERT_EQ(event.Links().Count(), 1u);
    EXPECT_EQ(event.Links()[0].Id(), link.Id());
    EXPECT_EQ(event.Links()[0].row.personId, anna_);
    EXPECT_EQ(event.Links()[0].row.roleId, 0);
    EXPECT_EQ(event.Links()[0].row.order, 7);
    // Nothing owned was typed, so no place, address, note or override rows.
    EXPECT_EQ(event.row.placeId, 0);
    EXPECT_EQ(event.row.addressId, 0);
    EXPECT_EQ(event.row.noteId, 0);
    EXPECT_EQ(event.row.principalFormattingId, 0);
    // The link notice was posted once the save was committed.
    ASSERT_EQ(sink_.posted.size(), 1u);
    EXPECT_EQ(sink_.posted[0].notice, NoticeAssertionLinkAdded);
    EXPECT_EQ(sink_.posted[0].wParam, static_cast<std::uint32_t>(anna_));
    EXPECT_EQ(sink_.posted[0].lParam, link.Id());
}

TEST_F(AssertionEditorTest, AnEventCitesAnExcerptChosenOnItsCitationsPage)
{
    // The program's own texts, for the picture of the page.
    test_support::ScopedLanguage english{LanguageTable::LoadFile(test_support::SourceFile("lang/English.lan").c_str())};
    SourceRecord source(*database_);
    source.SetTitle("Parish register");
    ASSERT_TRUE(source.Save());
    ExcerptRecord excerpt(*database_);
    excerpt.row.sourceId = source.Id();
    excerpt.row.quality = ExcerptQualityGood;
    excerpt.SetPage("fol. 12");
    ASSERT_TRUE(excerpt.Save());

    AssertionLink link = NewEventLink(anna_);
    std::vector<std::string> citations;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_EXCERPTS_LIST);
                       ASSERT_NE(page, nullptr);
                       WhenDialogOpens(editor, [&](HWND select) {
                           WhenDialogOpens(select, [](HWND sources) {
                               SelectRow(ShownPage(sources), "Parish register");
                               Click(sources, IDOK);
                           });
                           Click(select, IDC_EXCERPT_SELECT);
                           SelectListViewRow(GetDlgItem(select, IDC_EXCERPT_CHOICES), 0);
                           Click(select, IDOK);
                       });
                       Click(page, IDC_EXCERPTS_NEW);
                       citations = ListViewRows(GetDlgItem(page, IDC_EXCERPTS_LIST), 3);
                       TabCtrl_SetCurSel(GetDlgItem(editor, IDC_ASSERTION_TABS), 1); // after the roles
                       for (HWND child = FindWindowExA(editor, nullptr, "#32770", nullptr); child != nullptr;
                            child = FindWindowExA(editor, child, "#32770", nullptr))
                           if (child != PageWith(editor, IDC_EVENT_TYPE))
                               ShowWindow(child, child == page ? SW_SHOW : SW_HIDE);
                       test_support::PauseForScreenshot("assertion_citations");
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(citations, (std::vector<std::string>{"fol. 12|Good|Parish register"}));
    RecordList<ExcerptRef> stored;
    LoadOwnerExcerptRefs(stored, link.row.assertionId, OwnerEvent, *database_);
    ASSERT_EQ(stored.Count(), 1u);
    EXPECT_EQ(stored[0].row.excerptId, excerpt.Id());
    EXPECT_EQ(stored[0].row.order, 1);
}

TEST_F(AssertionEditorTest, CancelWritesNothingAndLeavesTheLinkAlone)
{
    AssertionLink link = NewEventLink(anna_);
    EXPECT_EQ(Edit(link,
                   [&](HWND editor) {
                       SetDlgItemTextA(PageWith(editor, IDC_EVENT_DATE), IDC_EVENT_DATE, "1900");
                       Click(editor, IDCANCEL);
                   }),
              0);
    EXPECT_EQ(EventCount(), 0);
    EXPECT_EQ(link.row.assertionId, 0);
    EXPECT_EQ(link.Id(), 0);
    EXPECT_TRUE(sink_.posted.empty());
}

TEST_F(AssertionEditorTest, TheEventPageStoresDateTypePrivacyPlaceAndPrefix)
{
    CurrentSettings.dateFormat.InputFormat = 3; // {dd}.{mm}.{yyyy}
    AssertionLink link = NewEventLink(anna_);
    std::vector<std::string> formatted;
    std::string prefixField;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_EVENT_DATE);
                       // The formatted date follows every key.
                       HWND date = GetDlgItem(page, IDC_EVENT_DATE);
                       SendMessageA(date, EM_SETSEL, 0, -1);
                       for (char key : std::string("15.03.1901")) {
                           SendMessageA(date, WM_CHAR, static_cast<unsigned char>(key), 0);
                           formatted.push_back(ItemText(page, IDC_EVENT_DATEFORMATTED));
                       }
                       ChooseComboEntry(page, IDC_EVENT_TYPE, 2);
                       ChooseComboEntry(page, IDC_EVENT_PRIVACY, 3);
                       SetDlgItemTextA(page, IDC_EVENT_PLACE, "Oslo, Akershus , Norway");
                       HWND prefix = GetDlgItem(page, IDC_EVENT_PREFIX);
                       HWND prefixEdit = FindWindowExA(prefix, nullptr, "Edit", nullptr);
                       TypeKeys(prefixEdit, "abcdefghijklmnopqrst");
                       prefixField = WindowText(prefix);
                       Click(editor, IDOK);
                   }),
              1);
    ASSERT_EQ(formatted.size(), 10u);
    EXPECT_EQ(formatted[0], "1");
    EXPECT_EQ(formatted[5], "15.03.");
    // The prefix field takes only what is stored.
    EXPECT_EQ(prefixField, "abcdefghijklmno");

    EventAssertion event(link.row.assertionId, *database_);
    event.LoadLinked();
    EXPECT_EQ(event.row.typeId, typeC_);
    EXPECT_EQ(event.row.privacy, 3);
    EXPECT_EQ(event.Date().type, DateRangeSingle);
    EXPECT_EQ(event.Date().dates.first.Year(), 1901);
    EXPECT_EQ(event.Date().dates.first.month, 3);
    EXPECT_EQ(event.Date().dates.first.day, 15);
    char shown[128];
    WriteDateField(shown, sizeof shown, event.Date(), ScreenDatePicture());
    EXPECT_EQ(formatted[9], shown); // the stored date is the one the page showed
    char place[256];
    EXPECT_STREQ(event.Place()->Format(place, sizeof place), "Oslo, Akershus, Norway");
    EXPECT_STREQ(event.Place()->row.prefix, "abcdefghijklmno");
}

TEST_F(AssertionEditorTest, TheEventsOwnTypeIsSelectedAndATypedPlaceIsReadOnly)
{
    const std::int32_t id = StoredEvent(typeA_, {{anna_, 0}});
    {
        EventAssertion event(id, *database_);
        event.LoadLinked();
        event.Place()->AppendPart(PlacePartTown, "Oslo");
        event.Place()->AppendPart(PlacePartCountry, "Norway");
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return event.Save(); }));
    }
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    std::string selected, place;
    bool placeEnabled = true;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_EVENT_TYPE);
                       selected = ComboText(page, IDC_EVENT_TYPE, ComboSelection(page, IDC_EVENT_TYPE));
                       place = ItemText(page, IDC_EVENT_PLACE);
                       placeEnabled = IsItemEnabled(page, IDC_EVENT_PLACE);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(selected, "Aa arrival");
    EXPECT_EQ(place, "Oslo, Norway");
    EXPECT_FALSE(placeEnabled);
    EventAssertion event(id, *database_);
    event.LoadLinked();
    EXPECT_EQ(event.row.typeId, typeA_);
    EXPECT_EQ(event.Place()->GetPartType(0), PlacePartTown);
    EXPECT_EQ(event.Links().Count(), 1u);
}

TEST_F(AssertionEditorTest, TheDateCalculatorStartsEmptyOnATextDateAndLeavesTheTextAlone)
{
    const std::int32_t id = StoredEvent(typeB_, {{anna_, 0}});
    {
        EventAssertion event(id, *database_);
        event.LoadLinked();
        DateRange text{};
        text.SetText("some time in spring");
        event.SetDate(text);
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return event.Save(); }));
    }
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    std::string year;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_EVENT_DATECALC);
                       WhenDialogOpens(editor, [&](HWND calculator) {
                           year = ItemText(calculator, IDC_CALC_YEAR);
                           Click(calculator, IDCANCEL);
                       });
                       Click(page, IDC_EVENT_DATECALC);
                       Click(editor, IDOK);
                   }),
              1);
    // Not the text's characters read as a date.
    EXPECT_EQ(year, "0");
    EventAssertion event(id, *database_);
    EXPECT_EQ(event.Date().type, 0);
    EXPECT_EQ(event.Date().Text(), "some time in spring");
}

TEST_F(AssertionEditorTest, AFailedSaveIsReportedStoresNothingAndPostsNoNotice)
{
    AssertionLink link = NewEventLink(anna_);
    HANDLE holder = INVALID_HANDLE_VALUE;
    const INT_PTR result = Edit(link, [&](HWND editor) {
        holder = CreateFileA(database_.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Click(editor, IDOK);
    });
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    CloseHandle(holder);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "not saved");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(sink_.posted.empty());
    EXPECT_EQ(EventCount(), 0);
    EXPECT_EQ(link.row.assertionId, 0);
    EXPECT_EQ(link.Id(), 0);
}

TEST_F(AssertionEditorTest, KindsWithoutAnEditorFailCleanly)
{
    for (std::uint8_t kind : {static_cast<AssertionKind>(0), static_cast<AssertionKind>(9)}) {
        AssertionLink link = NewEventLink(anna_);
        link.row.kind = kind;
        EXPECT_EQ(EditAssertion(nullptr, link), 0) << int(kind);
        EXPECT_EQ(link.row.assertionId, 0);
    }
    EXPECT_EQ(EventCount(), 0);
}

TEST_F(AssertionEditorTest, TheFormattingPageFollowsTheTypeUntilTypedAndStoresAtMost63Characters)
{
    AssertionLink link = NewEventLink(anna_);
    std::string before, afterTypeChange, witnessAfterTypeChange, typed;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND kind = PageWith(editor, IDC_EVENT_TYPE);
                       HWND formatting = PageWith(editor, IDC_FORMATTING_PRINCIPAL);
                       before = ItemText(formatting, IDC_FORMATTING_PRINCIPAL);
                       ChooseComboEntry(kind, IDC_EVENT_TYPE, 2); // Cc census
                       MSG message;
                       while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                           DispatchMessageA(&message);
                       afterTypeChange = ItemText(formatting, IDC_FORMATTING_PRINCIPAL);
                       // The witness edit is typed in: it keeps the user's text from now on.
                       HWND witness = GetDlgItem(formatting, IDC_FORMATTING_WITNESS);
                       SendMessageA(witness, EM_SETSEL, 0, -1);
                       TypeKeys(witness, std::string(70, 'w'));
                       typed = WindowText(witness);
                       ChooseComboEntry(kind, IDC_EVENT_TYPE, 1); // Bb birth
                       while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                           DispatchMessageA(&message);
                       witnessAfterTypeChange = WindowText(witness);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(before, "B {d}");
    EXPECT_EQ(afterTypeChange, "C {d}");
    EXPECT_EQ(typed, std::string(63, 'w'));
    EXPECT_EQ(witnessAfterTypeChange, std::string(63, 'w'));

    EventAssertion event(link.row.assertionId, *database_);
    event.LoadLinked();
    EXPECT_EQ(event.row.principalFormattingId, 0); // never touched: no override
    ASSERT_NE(event.row.witnessFormattingId, 0);
    EXPECT_EQ(std::string(event.WitnessFormatting()->Text()), std::string(63, 'w'));
}

TEST_F(AssertionEditorTest, StandardRemovesTheOverride)
{
    const std::int32_t id = StoredEvent(typeB_, {{anna_, 0}});
    {
        EventAssertion event(id, *database_);
        event.LoadLinked();
        event.PrincipalFormatting()->SetText("my own {d}");
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return event.Save(); }));
        ASSERT_NE(event.row.principalFormattingId, 0);
    }
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    std::string shown, standard;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND formatting = PageWith(editor, IDC_FORMATTING_PRINCIPAL);
                       shown = ItemText(formatting, IDC_FORMATTING_PRINCIPAL);
                       Click(formatting, IDC_FORMATTING_PRINCIPAL_STANDARD);
                       standard = ItemText(formatting, IDC_FORMATTING_PRINCIPAL);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(shown, "my own {d}");
    EXPECT_EQ(standard, "B {d}");
    EventAssertion event(id, *database_);
    EXPECT_EQ(event.row.principalFormattingId, 0);
}

TEST_F(AssertionEditorTest, RemovingTheLastParticipantWarnsAndSavesAnEventWithoutParticipants)
{
    const std::int32_t id = StoredEvent(typeB_, {{anna_, 0}});
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    std::vector<std::string> rows;
    bool editEnabledBefore = true;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND roles = PageWith(editor, IDC_ROLESPAGE_LIST);
                       HWND list = GetDlgItem(roles, IDC_ROLESPAGE_LIST);
                       char role[64] = {}, name[128] = {};
                       ListView_GetItemText(list, 0, 0, role, sizeof role);
                       ListView_GetItemText(list, 0, 1, name, sizeof name);
                       rows.push_back(std::string(role) + "|" + name);
                       editEnabledBefore = IsItemEnabled(roles, IDC_ROLESPAGE_EDIT);
                       ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
                       Click(roles, IDC_ROLESPAGE_REMOVE);
                       rows.push_back(std::to_string(ListView_GetItemCount(list)));
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(rows, (std::vector<std::string>{"Principal|Anna Berg", "0"}));
    EXPECT_FALSE(editEnabledBefore);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "no participants");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EventAssertion event(id, *database_);
    event.LoadLinked();
    EXPECT_EQ(event.Id(), id);
    EXPECT_EQ(event.Links().Count(), 0u);
    ASSERT_EQ(sink_.posted.size(), 1u);
    EXPECT_EQ(sink_.posted[0].notice, NoticeAssertionLinkRemoved);
}

TEST_F(AssertionEditorTest, ANewParticipantIsChosenWithTheSelectorAndTheRoleDialog)
{
    const std::int32_t witness = AddRole("Witness");
    const std::int32_t id = StoredEvent(typeB_, {{anna_, 0}});
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    std::vector<std::string> offered, rows;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND roles = PageWith(editor, IDC_ROLESPAGE_LIST);
                       WhenDialogOpens(editor, [&](HWND selector) {
                           SelectRow(ShownPage(selector), "Aas, Per");
                           WhenDialogOpens(editor, [&](HWND role) {
                               for (int i = 0; i < ComboCount(role, IDC_ROLE_ROLE); ++i)
                                   offered.push_back((i == ComboSelection(role, IDC_ROLE_ROLE) ? "*" : "") +
                                                     ComboText(role, IDC_ROLE_ROLE, i));
                               Click(role, IDOK);
                           });
                           Click(selector, IDOK);
                       });
                       Click(roles, IDC_ROLESPAGE_NEW);
                       HWND list = GetDlgItem(roles, IDC_ROLESPAGE_LIST);
                       for (int i = 0; i < ListView_GetItemCount(list); ++i) {
                           char role[64] = {}, name[128] = {};
                           ListView_GetItemText(list, i, 0, role, sizeof role);
                           ListView_GetItemText(list, i, 1, name, sizeof name);
                           rows.push_back(std::string(role) + "|" + name);
                       }
                       Click(editor, IDOK);
                   }),
              1);
    // The birth's one principal is taken: the principal role is not offered, the first role is chosen.
    EXPECT_EQ(offered, (std::vector<std::string>{"*Witness"}));
    EXPECT_EQ(rows, (std::vector<std::string>{"Principal|Anna Berg", "Witness|Per Aas"}));
    EventAssertion event(id, *database_);
    event.LoadLinked();
    ASSERT_EQ(event.Links().Count(), 2u);
    EXPECT_EQ(event.Links()[1].row.personId, per_);
    EXPECT_EQ(event.Links()[1].row.roleId, witness);
    EXPECT_EQ(event.Links()[1].row.kind, AssertionEvent);
    EXPECT_EQ(event.Links()[1].row.assertionId, id);
}

TEST_F(AssertionEditorTest, CancellingThePersonSelectorAddsNobody)
{
    StoredEvent(typeB_, {{anna_, 0}});
    AssertionLink link(*database_);
    { auto t = Transaction(*database_); ASSERT_EQ(link.Read(1), 0); }
    int rows = -1;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND roles = PageWith(editor, IDC_ROLESPAGE_LIST);
                       WhenDialogOpens(editor, [&](HWND selector) { Click(selector, IDCANCEL); });
                       Click(roles, IDC_ROLESPAGE_NEW);
                       rows = ListView_GetItemCount(GetDlgItem(roles, IDC_ROLESPAGE_LIST));
                       Click(editor, IDCANCEL);
                   }),
              0);
    EXPECT_EQ(rows, 1);
}

class RoleDialogTest : public AssertionEditorTest {
protected:
    // The entries the role dialog offers for `choice`, the selected one marked with '*', and whether OK
    // may be pressed; then `answer` (IDOK or IDCANCEL).
    std::vector<std::string> Offered(RoleChoice& choice, int answer, bool* okEnabled = nullptr, INT_PTR* result = nullptr)
    {
        std::vector<std::string> offered;
        WhenDialogOpens(nullptr, [&](HWND dialog) {
            for (int i = 0; i < ComboCount(dialog, IDC_ROLE_ROLE); ++i)
                offered.push_back((i == ComboSelection(dialog, IDC_ROLE_ROLE) ? "*" : "") +
                                  ComboText(dialog, IDC_ROLE_ROLE, i));
            offered.push_back(ItemText(dialog, IDC_ROLE_NAME));
            const bool enabled = IsItemEnabled(dialog, IDOK);
            if (okEnabled)
                *okEnabled = enabled;
            Click(dialog, answer);
            // OK without a choice does nothing: the dialog is closed as the user would, by Cancel.
            if (answer == IDOK && !enabled)
                Click(dialog, IDCANCEL);
        });
        const INT_PTR answered = ChooseRole(nullptr, choice);
        if (result)
            *result = answered;
        return offered;
    }
};

TEST_F(RoleDialogTest, OffersThePrincipalRoleOnlyWhenAllowedOrAlreadyHeld)
{
    const std::int32_t witness = AddRole("Witness");
    AddRole("Godparent");
    AssertionLink link = NewEventLink(per_);
    link.row.roleId = witness;
    RoleChoice choice{&link, false};
    EXPECT_EQ(Offered(choice, IDCANCEL), (std::vector<std::string>{"Godparent", "*Witness", "Per Aas"}));

    choice.principalAllowed = true;
    INT_PTR result = 0;
    EXPECT_EQ(Offered(choice, IDOK, nullptr, &result),
              (std::vector<std::string>{"Godparent", "Principal", "*Witness", "Per Aas"}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(link.row.roleId, witness);

    // The one principal of a one-principal type keeps its role on offer.
    link.row.roleId = 0;
    choice.principalAllowed = false;
    EXPECT_EQ(Offered(choice, IDCANCEL), (std::vector<std::string>{"Godparent", "*Principal", "Witness", "Per Aas"}));
}

TEST_F(RoleDialogTest, NothingToChooseKeepsOkDisabledAndTheRoleUnchanged)
{
    AssertionLink link = NewEventLink(per_);
    link.row.roleId = 5; // a role that is gone
    RoleChoice choice{&link, false};
    bool okEnabled = true;
    INT_PTR result = -1;
    EXPECT_EQ(Offered(choice, IDOK, &okEnabled, &result), (std::vector<std::string>{"Per Aas"}));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(link.row.roleId, 5);

    // One entry on offer is chosen for the user rather than left empty.
    const std::int32_t witness = AddRole("Witness");
    EXPECT_EQ(Offered(choice, IDOK, &okEnabled, &result), (std::vector<std::string>{"*Witness", "Per Aas"}));
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(link.row.roleId, witness);
}

} // namespace
