// The pedigree window under a frame of the test's own, over a real database: what its boxes show,
// moving the chart by double-clicks, the one selection of the chart and the person command, and its
// answer when the database closes.
#include "persons/ui/pedigree_window.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/date_value.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/event_type_row.h"
#include "core/event_type_tables.h"
#include "core/name_record.h"
#include "core/write_transaction.h"
#include "persons/event_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "res/frame_resource.h"
#include "res/pedigree_resource.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/mdi_test_frame.h"
#include "tests/support/screenshot_pause.h"
#include "ui_common/private_messages.h"

namespace {

using namespace dialog_test;
using test_support::RegisterTestWindowClass;
using test_support::ScopedLanguage;
using test_support::TestDatabase;
using Rows = std::vector<std::string>;

constexpr const char* Texts = "PEDIGREE_TITLE=Pedigree\n";

std::vector<std::int32_t> OpenedPersons;

HWND RecordOpenedPerson(std::int32_t id)
{
    OpenedPersons.push_back(id);
    return nullptr;
}

// The boxes in the order children, person, father, mother, then the four grandparents.
constexpr int Boxes[] = {IDC_PEDIGREE_CHILDREN,        IDC_PEDIGREE_PERSON,          IDC_PEDIGREE_FATHER,
                         IDC_PEDIGREE_MOTHER,          IDC_PEDIGREE_GRANDPARENT + 0, IDC_PEDIGREE_GRANDPARENT + 1,
                         IDC_PEDIGREE_GRANDPARENT + 2, IDC_PEDIGREE_GRANDPARENT + 3};

class PedigreeWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        AppInstance = GetModuleHandleA(nullptr);
        RegisterTestWindowClass("PedigreeWClass", PedigreeWndProc, PedigreeWindowExtraBytes);
    }

    void SetUp() override
    {
        CurrentSettings.edit.PedigreeWindowX = 630;
        CurrentSettings.edit.PedigreeWindowY = 300;
        CurrentDatabase = database_.get();
        OpenedPersons.clear();
        SetPedigreePersonOpener(RecordOpenedPerson);
        test_support::OpenMdiTestFrame("PedigreeTestFrame", {IDM_VIEW_PERSON});

        jakob_ = AddPerson(1, "Jakob", "Holm");
        nils_ = AddPerson(1, "Nils", "Holm");
        ida_ = AddPerson(2, "Ida", "Berg");
        per_ = AddPerson(1, "Per", "Holm");
        anna_ = AddPerson(2, "Anna", "Lund");
        ole_ = AddPerson(1, "Ole", "Berg");
        eva_ = AddPerson(2, "Eva", "Holm");
        karl_ = AddPerson(1, "Karl", "Holm");
        Relate(nils_, jakob_);
        Relate(ida_, jakob_);
        Relate(per_, nils_);
        Relate(anna_, nils_);
        Relate(ole_, ida_);
        Relate(eva_, per_);
        Relate(jakob_, karl_);
        const std::int32_t birth = AddEventType("Birth", EventClassBirth);
        const std::int32_t death = AddEventType("Death", EventClassDeath);
        AddEvent(birth, jakob_, 1850);
        AddEvent(death, jakob_, 1910);
        AddEvent(birth, nils_, 1821);
        AddEvent(death, ida_, 1899);
    }

    void TearDown() override
    {
        test_support::CloseMdiTestFrame();
        CurrentDatabase = nullptr;
        SetPedigreePersonOpener(nullptr);
    }

    static void Pump() { test_support::PumpMessages(); }

    Database& db() { return *database_; }

    std::int32_t AddPerson(std::uint8_t sex, const char* given, const char* surname)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            NameRecord name(db());
            name.AppendPart(NamePartGiven, given);
            name.AppendPart(NamePartSurname, surname);
            if (!name.Save())
                return false;
            PersonRecord person(db());
            person.row.nameId = name.Id();
            person.row.sex = sex;
            if (person.NewId() == 0)
                return false;
            id = person.Id();
            return person.Write() == 0;
        }));
        return id;
    }

    std::int32_t AddEventType(const char* name, int classCode)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, 0, classCode, -1, EventTypeKindEvent, 1, 1, nullptr, nullptr, db());
            return id != 0;
        }));
        return id;
    }

    void AddEvent(std::int32_t type, std::int32_t person, int year)
    {
        EventAssertion event(db());
        event.LoadLinked();
        event.row.typeId = type;
        DateRange date = {};
        date.type = DateRangeSingle;
        date.dates.first = EmptyDateValue();
        date.dates.first.calendar = CalendarGregorian;
        date.dates.first.SetYear(year);
        date.dates.second = EmptyDateValue();
        event.SetDate(date);
        auto link = std::make_unique<AssertionLink>(db());
        link->row.kind = AssertionEvent;
        link->row.personId = person;
        link->row.order = ++order_;
        event.Links().Append(std::move(link));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    }

    void Relate(std::int32_t parent, std::int32_t child)
    {
        Relationship relationship(db());
        relationship.LoadLinked();
        relationship.row.relation = RelationBiological;
        for (const auto& [person, role] : {std::pair{parent, RelationshipParentRole}, std::pair{child, RelationshipChildRole}}) {
            auto link = std::make_unique<AssertionLink>(db());
            link->row.kind = AssertionRelationship;
            link->row.personId = person;
            link->row.roleId = role;
            link->row.order = ++order_;
            relationship.Links().Append(std::move(link));
        }
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
    }

    static HWND Chart(HWND window) { return GetWindow(window, GW_CHILD); }

    static Rows Entries(HWND window, int box) { return ListViewRows(GetDlgItem(Chart(window), box), 1); }

    // Every box's entries, one string per box with the entries joined by ";".
    static Rows AllBoxes(HWND window)
    {
        Rows boxes;
        for (int box : Boxes) {
            std::string joined;
            for (const std::string& entry : Entries(window, box))
                joined += (joined.empty() ? "" : ";") + entry;
            boxes.push_back(joined);
        }
        return boxes;
    }

    static bool IndicatorShown(HWND window, int index)
    {
        return (GetWindowLongA(GetDlgItem(Chart(window), IDC_PEDIGREE_ANCESTORS + index), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    static void DoubleClick(HWND window, int box, int row)
    {
        HWND list = GetDlgItem(Chart(window), box);
        NMITEMACTIVATE activation{};
        activation.hdr = {list, static_cast<UINT_PTR>(box), static_cast<UINT>(NM_DBLCLK)};
        activation.iItem = row;
        SendMessageA(Chart(window), WM_NOTIFY, box, reinterpret_cast<LPARAM>(&activation));
    }

    static bool ViewPersonEnabled() { return test_support::FrameCommandEnabled(IDM_VIEW_PERSON); }

    ScopedLanguage language_{Texts};
    TestDatabase database_{false};
    std::int32_t order_ = 0;
    std::int32_t jakob_ = 0, nils_ = 0, ida_ = 0, per_ = 0, anna_ = 0, ole_ = 0, eva_ = 0, karl_ = 0;
};

TEST_F(PedigreeWindowTest, ShowsThreeGenerationsAndTheAncestorIndicators)
{
    HWND window = OpenPedigreeWindow(jakob_);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Pedigree - Jakob Holm [#" + std::to_string(jakob_) + "]");
    EXPECT_EQ(AllBoxes(window), (Rows{"Karl Holm (-)", "Jakob Holm (1850-1910)", "Nils Holm (1821-)",
                                      "Ida Berg (-1899)", "Per Holm (-)", "Anna Lund (-)", "Ole Berg (-)", ""}));
    const bool shown[] = {true, false, false, false};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(IndicatorShown(window, i), shown[i]) << i;
    RECT client{};
    GetClientRect(window, &client);
    RECT person{};
    GetWindowRect(GetDlgItem(Chart(window), IDC_PEDIGREE_PERSON), &person);
    MapWindowPoints(nullptr, Chart(window), reinterpret_cast<POINT*>(&person), 2);
    EXPECT_EQ(person.left, (client.right - 70) / 3 + 30);
    EXPECT_EQ(person.top, client.bottom / 2 - 10);
    test_support::PauseForScreenshot("pedigree");
    EXPECT_EQ(OpenPedigreeWindow(0), nullptr);
}

TEST_F(PedigreeWindowTest, DoubleClickMovesTheChartAndEmptySpaceDoesNothing)
{
    HWND window = OpenPedigreeWindow(jakob_);
    ASSERT_NE(window, nullptr);
    DoubleClick(window, IDC_PEDIGREE_GRANDPARENT + 0, -1);
    EXPECT_EQ(Entries(window, IDC_PEDIGREE_PERSON), (Rows{"Jakob Holm (1850-1910)"}));
    // The father's father to the centre: his son among the children, his mother above.
    DoubleClick(window, IDC_PEDIGREE_GRANDPARENT + 0, 0);
    EXPECT_EQ(AllBoxes(window), (Rows{"Nils Holm (1821-)", "Per Holm (-)", "", "Eva Holm (-)", "", "", "", ""}));
    EXPECT_EQ(WindowText(window), "Pedigree - Per Holm [#" + std::to_string(per_) + "]");
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(IndicatorShown(window, i)) << i;
}

TEST_F(PedigreeWindowTest, OneEntryIsSelectedInTheWholeChartAndOpensInAPersonWindow)
{
    HWND window = OpenPedigreeWindow(jakob_);
    ASSERT_NE(window, nullptr);
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_FALSE(ViewPersonEnabled());
    HWND father = GetDlgItem(Chart(window), IDC_PEDIGREE_FATHER);
    HWND child = GetDlgItem(Chart(window), IDC_PEDIGREE_CHILDREN);
    SelectListViewRow(father, 0);
    EXPECT_TRUE(ViewPersonEnabled());
    SelectListViewRow(child, 0);
    EXPECT_EQ(SendMessageA(father, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(child, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    SendMessageA(window, WM_COMMAND, IDM_VIEW_PERSON, 0);
    EXPECT_EQ(OpenedPersons, (std::vector<std::int32_t>{karl_}));
    // A new centre has no selection.
    DoubleClick(window, IDC_PEDIGREE_CHILDREN, 0);
    EXPECT_FALSE(ViewPersonEnabled());
    SendMessageA(window, WM_COMMAND, IDM_VIEW_PERSON, 0);
    EXPECT_EQ(OpenedPersons.size(), 1u);
}

TEST_F(PedigreeWindowTest, EveryCallMakesAWindowAndAClosingDatabaseClosesThemAll)
{
    HWND first = OpenPedigreeWindow(jakob_);
    HWND second = OpenPedigreeWindow(jakob_);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    SelectListViewRow(GetDlgItem(Chart(first), IDC_PEDIGREE_FATHER), 0);
    EXPECT_TRUE(ViewPersonEnabled());
    EXPECT_EQ(SendMessageA(first, WM_QUERYCLOSECHILD, 0, 0), 0);
    EXPECT_EQ(SendMessageA(second, WM_QUERYCLOSECHILD, 0, 0), 0);
    // From the answer on nothing of the database is used, even before the window is gone.
    EXPECT_FALSE(ViewPersonEnabled());
    SendMessageA(first, WM_COMMAND, IDM_VIEW_PERSON, 0);
    DoubleClick(first, IDC_PEDIGREE_FATHER, 0);
    EXPECT_TRUE(OpenedPersons.empty());
    database_.Close();
    CurrentDatabase = nullptr;
    Pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
}

} // namespace
