// The attribute, information and relationship pages of the assertion editor over a real database, driven
// by messages: what each page shows, what its OK stores, and the rows read back after the save.
#include "persons/ui/assertion_editor.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/write_transaction.h"
#include "persons/assertion_fields.h"
#include "persons/attribute_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "persons/ui/relationship_editor.h"
#include "persons/ui/tests/assertion_editor_driving.h"
#include "res/assertions_resource.h"
#include "res/kind_pages_resource.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "tests/support/screenshot_pause.h"
#include "tests/support/scoped_list_states.h"

namespace {

using namespace dialog_test;
using namespace assertion_editor_test;
using test_support::ScopedLanguage;
using test_support::Transaction;

constexpr const char* Texts = "ATTRIBUTE_TITLE=Attribute\nINFO_TITLE=Information\nRELATIONSHIP_TITLE=Relationship\n"
                              "ASSERTION_EXCERPTS=Citations\n"
                              "ATTRIBUTE_MODIFIER_EXACT=exactly\nATTRIBUTE_MODIFIER_GREATER=more than\n"
                              "ATTRIBUTE_MODIFIER_LESS=less than\nATTRIBUTE_FLAG_YES=Yes\nATTRIBUTE_FLAG_NO=No\n"
                              "RELATIONSHIP_RELATION_BIOLOGICAL=biological\nRELATIONSHIP_RELATION_ADOPTIVE=adoptive\n"
                              "RELATIONSHIP_RELATION_FOSTER=foster\nRELATIONSHIP_RELATION_OTHER=other\n"
                              "RELATIONSHIP_PARENTMISSING=no parent\nRELATIONSHIP_CHILDMISSING=no child\n"
                              "RELATIONSHIP_SELECTPARENT=Choose a parent\nRELATIONSHIP_SELECTCHILD=Choose a child\n"
                              "ADDRESS_TITLE=Address\nASSERTION_NOTE=Note\nASSERTION_FORMATTING=Sentences\n"
                              "PLACE_PREFIX=in,at\n"
                              "PRIVACY_PUBLIC=Public\nPRIVACY_FAMILY=Family\nPRIVACY_IMMFAMILY=Close\n"
                              "PRIVACY_PRIVATE=Private\nPRIVACY_INFO=Info\n";

std::vector<std::string> ComboTexts(HWND page, int item)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ComboCount(page, item); ++i)
        texts.push_back(ComboText(page, item, i));
    return texts;
}

std::vector<std::string> TabTexts(HWND editor)
{
    HWND tabs = GetDlgItem(editor, IDC_ASSERTION_TABS);
    std::vector<std::string> texts;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text);
    }
    return texts;
}

bool IsShown(HWND page, int item)
{
    return (GetWindowLongA(GetDlgItem(page, item), GWL_STYLE) & WS_VISIBLE) != 0;
}

// Replaces what a field holds by typing, as a user does.
void Retype(HWND page, int item, const std::string& text)
{
    HWND field = GetDlgItem(page, item);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CHAR, VK_BACK, 0);
    TypeKeys(field, text);
}

BOOL CALLBACK CollectRawKey(HWND child, LPARAM found)
{
    char text[128] = {};
    GetWindowTextA(child, text, sizeof text);
    const std::string shown = text;
    const bool looksLikeKey = shown.size() > 3 && shown.find('_') != std::string::npos &&
                              shown.find_first_of("abcdefghijklmnopqrstuvwxyz ") == std::string::npos;
    if (looksLikeKey)
        reinterpret_cast<std::vector<std::string>*>(found)->push_back(shown);
    return TRUE;
}

// The texts of the editor's controls and of its pages' controls that are language keys left untranslated.
std::vector<std::string> RawKeys(HWND editor)
{
    std::vector<std::string> keys;
    EnumChildWindows(editor, CollectRawKey, reinterpret_cast<LPARAM>(&keys));
    return keys;
}

class KindPagesTest : public EditorTest {
protected:
    KindPagesTest() : EditorTest(Texts) {}

    void SetUp() override
    {
        EditorTest::SetUp();
        // Created out of alphabetical order: the list is sorted by name, a new attribute takes the lowest id.
        height_ = AttributeType("Height", AttributeKindNumeric);
        occupation_ = AttributeType("Occupation", AttributeKindText);
        smoker_ = AttributeType("Smoker", AttributeKindFlag);
        weight_ = AttributeType("Weight", AttributeKindNumeric);
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] {
            birth_ = CreateEventType("Birth", 0, 0, -1, EventTypeKindEvent, 1, 0, "", "", *database_);
            return birth_ != 0;
        }));
        anna_ = AddPerson("Anna/Berg/");
        per_ = AddPerson("Per/Aas/");
        bo_ = AddPerson("Bo/Lind/");
    }

    std::int32_t AttributeType(const char* name, int attributeKind)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] {
            id = CreateEventType(name, attributeKind, 0, -1, EventTypeKindAttribute, 1, 0, "{V}", "", *database_);
            return id != 0;
        }));
        return id;
    }
    AssertionLink NewLink(AssertionKind kind, std::int32_t person, std::int32_t role = 0)
    {
        AssertionLink link(*database_);
        link.row.kind = kind;
        link.row.personId = person;
        link.row.roleId = role;
        return link;
    }
    AssertionLink StoredLink(std::int32_t id)
    {
        AssertionLink link(*database_);
        auto t = Transaction(*database_);
        EXPECT_EQ(link.Read(id), 0);
        return link;
    }
    std::int32_t RowCount(TableNumber table)
    {
        auto transaction = Transaction(*database_, TLV_READ);
        const std::int32_t id = database_->TableId(table);
        unsigned char row[512];
        std::int32_t count = 0;
        for (std::int32_t i = 1; i <= tlvNumberOfRecords(id, database_->file); ++i)
            count += tlvReadRecord(id, i, row, database_->file) == 0 ? 1 : 0;
        return count;
    }
    // The stored attribute of the type, with a value text, privacy and link to Anna.
    std::int32_t StoredAttribute(std::int32_t type, const char* text)
    {
        AttributeAssertion attribute(*database_);
        attribute.LoadLinked();
        attribute.row.typeId = type;
        attribute.ValueText()->SetText(text);
        attribute.Links().Append(std::make_unique<AssertionLink>(NewLink(AssertionAttribute, anna_)));
        EXPECT_TRUE(RunWriteTransaction(*database_, [&] { return attribute.Save(); }));
        return attribute.Id();
    }

    std::int32_t height_ = 0, occupation_ = 0, smoker_ = 0, weight_ = 0, birth_ = 0;
    std::int32_t anna_ = 0, per_ = 0, bo_ = 0;
};

// Attribute page

TEST_F(KindPagesTest, ANewAttributeTakesTheLowestTypeAndStoresANumberWithItsModifier)
{
    AssertionLink link = NewLink(AssertionAttribute, anna_);
    std::string title, selected;
    std::vector<std::string> types, choices, tabs;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       title = WindowText(editor);
                       tabs = TabTexts(editor);
                       HWND page = PageWith(editor, IDC_ATTRIBUTE_TYPE);
                       types = ComboTexts(page, IDC_ATTRIBUTE_TYPE);
                       selected = ComboText(page, IDC_ATTRIBUTE_TYPE, ComboSelection(page, IDC_ATTRIBUTE_TYPE));
                       choices = ComboTexts(page, IDC_ATTRIBUTE_CHOICE);
                       Retype(page, IDC_ATTRIBUTE_NUMBER, "180");
                       ChooseComboEntry(page, IDC_ATTRIBUTE_CHOICE, 1);
                       ChooseComboEntry(page, IDC_ATTRIBUTE_PRIVACY, 4);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(title, "Attribute");
    EXPECT_EQ(tabs, (std::vector<std::string>{"Citations", "Address", "Note", "Sentences"}));
    // Event types are not offered.
    EXPECT_EQ(types, (std::vector<std::string>{"Height", "Occupation", "Smoker", "Weight"}));
    EXPECT_EQ(selected, "Height");
    EXPECT_EQ(choices, (std::vector<std::string>{"exactly", "more than", "less than"}));

    ASSERT_NE(link.row.assertionId, 0);
    {
        auto transaction = Transaction(*database_, TLV_READ);
        unsigned char row[sizeof(AttributeRow)] = {};
        ASSERT_EQ(tlvReadRecord(database_->TableId(TableAttribute2), link.row.assertionId, row, database_->file), 0);
        EXPECT_EQ(std::vector<unsigned char>(row + 66, row + 71),
                  (std::vector<unsigned char>{0xB4, 0x00, 0x00, 0x00, 0x01}));
    }
    AttributeAssertion attribute(link.row.assertionId, *database_);
    attribute.LoadLinked();
    EXPECT_EQ(std::int32_t{attribute.row.typeId}, height_);
    EXPECT_EQ(attribute.row.privacy, 4);
    EXPECT_EQ(std::int32_t{attribute.row.valueTextId}, 0);
    char shown[32] = "";
    NameRecord name(*database_);
    attribute.GetFieldText(shown, sizeof shown, 'v', link, name, false);
    EXPECT_STREQ(shown, ">180");
    ASSERT_EQ(attribute.Links().Count(), 1u);
    EXPECT_EQ(std::int32_t{attribute.Links()[0].row.personId}, anna_);
    EXPECT_EQ(attribute.Links()[0].Id(), link.Id());
}

TEST_F(KindPagesTest, TheValueControlsFollowTheKindOfTheChosenType)
{
    AssertionLink link = NewLink(AssertionAttribute, anna_);
    struct Step {
        int typeIndex; // in the sorted list: Height, Occupation, Smoker, Weight
        std::vector<std::string> choices;
        bool text, choice, number;
    };
    const Step steps[] = {
        {2, {"No", "Yes"}, false, true, false},
        {0, {"exactly", "more than", "less than"}, false, true, true},
        {3, {"exactly", "more than", "less than"}, false, true, true},
        {1, {}, true, false, false},
        {2, {"No", "Yes"}, false, true, false},
    };
    std::vector<std::string> failures;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_ATTRIBUTE_TYPE);
                       for (const Step& step : steps) {
                           ChooseComboEntry(page, IDC_ATTRIBUTE_TYPE, step.typeIndex);
                           if (ComboTexts(page, IDC_ATTRIBUTE_CHOICE) != step.choices ||
                               IsShown(page, IDC_ATTRIBUTE_TEXT) != step.text ||
                               IsShown(page, IDC_ATTRIBUTE_CHOICE) != step.choice ||
                               IsShown(page, IDC_ATTRIBUTE_NUMBER) != step.number)
                               failures.push_back(std::to_string(step.typeIndex));
                       }
                       ChooseComboEntry(page, IDC_ATTRIBUTE_CHOICE, 1);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_TRUE(failures.empty()) << failures.front();
    AttributeAssertion attribute(link.row.assertionId, *database_);
    EXPECT_EQ(std::int32_t{attribute.row.typeId}, smoker_);
    EXPECT_EQ(std::int32_t{attribute.row.value}, 1);
    EXPECT_EQ(attribute.row.modifier, 0);
    EXPECT_EQ(std::int32_t{attribute.row.valueTextId}, 0);
}

TEST_F(KindPagesTest, AValueTextIsStoredOnlyWhenTypedWithItsOwnTypeSelected)
{
    const std::int32_t id = StoredAttribute(occupation_, "weaver");
    std::int32_t textId = 0;
    {
        AttributeAssertion attribute(id, *database_);
        textId = attribute.row.valueTextId;
        ASSERT_NE(textId, 0);
    }
    AssertionLink link = StoredLink(1);
    std::string selected, shown;
    LRESULT mode = 0;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_ATTRIBUTE_TEXT);
                       selected = ComboText(page, IDC_ATTRIBUTE_TYPE, ComboSelection(page, IDC_ATTRIBUTE_TYPE));
                       shown = ItemText(page, IDC_ATTRIBUTE_TEXT);
                       mode = SendDlgItemMessageA(page, IDC_ATTRIBUTE_TEXT, EM_GETTEXTMODE, 0, 0);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(selected, "Occupation");
    EXPECT_EQ(shown, "weaver");
    EXPECT_EQ(mode & TM_PLAINTEXT, TM_PLAINTEXT);
    {
        // Untouched: the chain is the one that was there, with its text.
        AttributeAssertion attribute(id, *database_);
        attribute.LoadLinked();
        EXPECT_EQ(std::int32_t{attribute.row.valueTextId}, textId);
        EXPECT_STREQ(attribute.ValueText()->Text(), "weaver");
    }

    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       Retype(PageWith(editor, IDC_ATTRIBUTE_TEXT), IDC_ATTRIBUTE_TEXT, "smith");
                       Click(editor, IDOK);
                   }),
              1);
    AttributeAssertion attribute(id, *database_);
    attribute.LoadLinked();
    EXPECT_STREQ(attribute.ValueText()->Text(), "smith");
    EXPECT_EQ(std::int32_t{attribute.row.value}, 0);
    EXPECT_EQ(attribute.row.modifier, 0);
}

TEST_F(KindPagesTest, AStoredTypeMissingFromTheListIsKeptWithNothingSelected)
{
    const std::int32_t deleted = 99;
    const std::int32_t cases[] = {deleted, birth_};
    for (std::int32_t type : cases) {
        const std::int32_t id = StoredAttribute(type, "");
        AssertionLink link(*database_);
        {
            AttributeAssertion attribute(id, *database_);
            attribute.LoadLinked();
            link = attribute.Links()[0];
        }
        int selection = 0;
        ASSERT_EQ(Edit(link,
                       [&](HWND editor) {
                           selection = ComboSelection(PageWith(editor, IDC_ATTRIBUTE_TYPE), IDC_ATTRIBUTE_TYPE);
                           Click(editor, IDOK);
                       }),
                  1);
        EXPECT_EQ(selection, -1) << type;
        AttributeAssertion attribute(id, *database_);
        EXPECT_EQ(std::int32_t{attribute.row.typeId}, type);
    }
}

TEST_F(KindPagesTest, TheAttributePageStoresTheTypedDatePlaceAndPrefix)
{
    CurrentSettings.dateFormat.InputFormat = 3; // {dd}.{mm}.{yyyy}
    AssertionLink link = NewLink(AssertionAttribute, anna_);
    std::string shownDate;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       HWND page = PageWith(editor, IDC_ATTRIBUTE_DATE);
                       Retype(page, IDC_ATTRIBUTE_DATE, "15.03.1901");
                       shownDate = ItemText(page, IDC_ATTRIBUTE_DATEFORMATTED);
                       SetDlgItemTextA(page, IDC_ATTRIBUTE_PLACE, "Oslo, Akershus , Norway");
                       HWND prefix = GetDlgItem(page, IDC_ATTRIBUTE_PREFIX);
                       TypeKeys(FindWindowExA(prefix, nullptr, "Edit", nullptr), "near");
                       Click(editor, IDOK);
                   }),
              1);
    AttributeAssertion attribute(link.row.assertionId, *database_);
    attribute.LoadLinked();
    EXPECT_EQ(attribute.Date().type, DateRangeSingle);
    EXPECT_EQ(attribute.Date().dates.first.Year(), 1901);
    EXPECT_EQ(attribute.Date().dates.first.month, 3);
    EXPECT_EQ(attribute.Date().dates.first.day, 15);
    char stored[128];
    WriteDateField(stored, sizeof stored, attribute.Date(), ScreenDatePicture());
    EXPECT_EQ(shownDate, stored);
    char place[256];
    EXPECT_STREQ(attribute.Place()->Format(place, sizeof place), "Oslo, Akershus, Norway");
    EXPECT_STREQ(attribute.Place()->row.prefix, "near");
}

// Information page

TEST_F(KindPagesTest, AnInformationTextKeepsItsLinesAndIsLeftAloneWhenNotTyped)
{
    AssertionLink link = NewLink(AssertionInfo, per_);
    std::string title;
    std::vector<std::string> tabs;
    LRESULT mode = 0;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       title = WindowText(editor);
                       tabs = TabTexts(editor);
                       HWND page = PageWith(editor, IDC_INFO_TEXT);
                       mode = SendDlgItemMessageA(page, IDC_INFO_TEXT, EM_GETTEXTMODE, 0, 0);
                       HWND text = GetDlgItem(page, IDC_INFO_TEXT);
                       TypeKeys(text, "first line");
                       SendMessageA(text, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\nsecond line"));
                       ChooseComboEntry(page, IDC_INFO_PRIVACY, 2);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(title, "Information");
    EXPECT_EQ(tabs, (std::vector<std::string>{"Citations", "Note"}));
    EXPECT_EQ(mode & TM_PLAINTEXT, TM_PLAINTEXT);
    std::int32_t textId = 0;
    {
        InfoAssertion info(link.row.assertionId, *database_);
        info.LoadLinked();
        EXPECT_EQ(info.row.privacy, 2);
        EXPECT_STREQ(info.Text()->Text(), "first line\r\nsecond line");
        EXPECT_EQ(std::int32_t{info.row.noteId}, 0);
        textId = info.row.textId;
    }
    std::string shown;
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       shown = ItemText(PageWith(editor, IDC_INFO_TEXT), IDC_INFO_TEXT);
                       Click(editor, IDOK);
                   }),
              1);
    EXPECT_EQ(shown.substr(0, 10), "first line");
    InfoAssertion info(link.row.assertionId, *database_);
    info.LoadLinked();
    EXPECT_EQ(std::int32_t{info.row.textId}, textId);
    EXPECT_STREQ(info.Text()->Text(), "first line\r\nsecond line");
}

// Relationship page

TEST_F(KindPagesTest, ARelationshipWithoutAChildIsRefusedAndWritesNothing)
{
    AssertionLink link = NewLink(AssertionRelationship, anna_, RelationshipParentRole);
    std::string title, parent, child;
    std::vector<std::string> relations, tabs;
    bool stayedOpen = false;
    EXPECT_EQ(Edit(link,
                   [&](HWND editor) {
                       title = WindowText(editor);
                       tabs = TabTexts(editor);
                       HWND page = PageWith(editor, IDC_RELATIONSHIP_RELATION);
                       relations = ComboTexts(page, IDC_RELATIONSHIP_RELATION);
                       parent = ItemText(page, IDC_RELATIONSHIP_PARENT);
                       child = ItemText(page, IDC_RELATIONSHIP_CHILD);
                       Click(editor, IDOK);
                       stayedOpen = IsWindow(editor) && IsWindowVisible(editor);
                       Click(editor, IDCANCEL);
                   }),
              0);
    EXPECT_EQ(title, "Relationship");
    EXPECT_EQ(tabs, (std::vector<std::string>{"Citations", "Note"}));
    EXPECT_EQ(relations, (std::vector<std::string>{"biological", "adoptive", "foster", "other"}));
    EXPECT_EQ(parent, "Anna Berg [#" + std::to_string(anna_) + "]");
    EXPECT_EQ(child, "");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "no child");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(RowCount(TableRelationship), 0);
    EXPECT_EQ(RowCount(TableAssertionLink), 0);
    EXPECT_TRUE(sink_.posted.empty());
    EXPECT_EQ(link.row.assertionId, 0);
}

TEST_F(KindPagesTest, ANewRelationshipStartsWithACopyOfTheInitiatingLink)
{
    AssertionLink link = NewLink(AssertionRelationship, per_, RelationshipChildRole);
    RelationshipEditor editor(0, *database_);
    editor.initiatingLink = &link;
    HWND host = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, AppInstance, nullptr);
    HWND page = editor.CreateKindPage(host);
    ASSERT_NE(page, nullptr);
    RecordList<AssertionLink>& links = editor.GetLinkList();
    ASSERT_EQ(links.Count(), 1u);
    EXPECT_NE(&links[0], &link); // the caller's link stays the caller's
    EXPECT_EQ(std::int32_t{links[0].row.personId}, per_);
    EXPECT_EQ(std::int32_t{links[0].row.roleId}, RelationshipChildRole);
    EXPECT_EQ(WindowText(host), "Relationship");
    EXPECT_EQ(ItemText(page, IDC_RELATIONSHIP_CHILD), "Per Aas [#" + std::to_string(per_) + "]");
    EXPECT_EQ(ItemText(page, IDC_RELATIONSHIP_PARENT), "");
    DestroyWindow(host);
}

TEST_F(KindPagesTest, ChoosingTheChildTwiceSavesOnlyTheSecondChoice)
{
    AssertionLink link = NewLink(AssertionRelationship, anna_, RelationshipParentRole);
    std::vector<std::string> shown;
    auto choose = [&](HWND editor, const char* row) {
        WhenDialogOpens(editor, [&, row](HWND selector) {
            shown.push_back(WindowText(selector));
            if (row == nullptr) {
                Click(selector, IDCANCEL);
                return;
            }
            SelectRow(ShownPage(selector), row);
            Click(selector, IDOK);
        });
        Click(PageWith(editor, IDC_RELATIONSHIP_SELECTCHILD), IDC_RELATIONSHIP_SELECTCHILD);
        shown.push_back(ItemText(PageWith(editor, IDC_RELATIONSHIP_CHILD), IDC_RELATIONSHIP_CHILD));
    };
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       choose(editor, "Aas, Per");
                       choose(editor, "Lind, Bo");
                       choose(editor, nullptr); // cancelled: Bo stays
                       HWND page = PageWith(editor, IDC_RELATIONSHIP_RELATION);
                       ChooseComboEntry(page, IDC_RELATIONSHIP_RELATION, 2);
                       ChooseComboEntry(page, IDC_RELATIONSHIP_PRIVACY, 3);
                       Click(editor, IDOK);
                   }),
              1);
    const std::string per = "Per Aas [#" + std::to_string(per_) + "]";
    const std::string bo = "Bo Lind [#" + std::to_string(bo_) + "]";
    EXPECT_EQ(shown, (std::vector<std::string>{"Choose a child", per, "Choose a child", bo, "Choose a child", bo}));

    Relationship relationship(link.row.assertionId, *database_);
    relationship.LoadLinked();
    EXPECT_EQ(relationship.row.relation, RelationFoster);
    EXPECT_EQ(relationship.row.privacy, 3);
    ASSERT_EQ(relationship.Links().Count(), 2u);
    EXPECT_EQ(std::int32_t{relationship.Links()[0].row.personId}, anna_);
    EXPECT_EQ(std::int32_t{relationship.Links()[0].row.roleId}, RelationshipParentRole);
    EXPECT_EQ(std::int32_t{relationship.Links()[1].row.personId}, bo_);
    EXPECT_EQ(std::int32_t{relationship.Links()[1].row.roleId}, RelationshipChildRole);
    EXPECT_EQ(RowCount(TableAssertionLink), 2);
    // The first choice never had a row, so no window has anything to remove: it is told of no link.
    using Posted = RecordingSink::Entry;
    EXPECT_EQ(sink_.posted,
              (std::vector<Posted>{
                  {NoticeAssertionLinkAdded, static_cast<std::uint32_t>(anna_), link.Id()},
                  {NoticeAssertionLinkAdded, static_cast<std::uint32_t>(bo_), relationship.Links()[1].Id()},
              }));
}

TEST_F(KindPagesTest, ReplacingAStoredParentDeletesItsLinkAndTellsEachSide)
{
    std::int32_t id = 0, parentLink = 0, childLink = 0;
    {
        Relationship relationship(*database_);
        relationship.LoadLinked();
        relationship.Links().Append(
            std::make_unique<AssertionLink>(NewLink(AssertionRelationship, anna_, RelationshipParentRole)));
        relationship.Links().Append(
            std::make_unique<AssertionLink>(NewLink(AssertionRelationship, per_, RelationshipChildRole)));
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return relationship.Save(); }));
        id = relationship.Id();
        parentLink = relationship.Links()[0].Id();
        childLink = relationship.Links()[1].Id();
    }
    AssertionLink link = StoredLink(childLink);
    ASSERT_EQ(Edit(link,
                   [&](HWND editor) {
                       WhenDialogOpens(editor, [&](HWND selector) {
                           SelectRow(ShownPage(selector), "Lind, Bo");
                           Click(selector, IDOK);
                       });
                       Click(PageWith(editor, IDC_RELATIONSHIP_SELECTPARENT), IDC_RELATIONSHIP_SELECTPARENT);
                       Click(editor, IDOK);
                   }),
              1);
    Relationship relationship(id, *database_);
    relationship.LoadLinked();
    ASSERT_EQ(relationship.Links().Count(), 2u);
    EXPECT_EQ(std::int32_t{relationship.Links()[0].row.personId}, per_);
    EXPECT_EQ(std::int32_t{relationship.Links()[1].row.personId}, bo_);
    EXPECT_EQ(std::int32_t{relationship.Links()[1].row.roleId}, RelationshipParentRole);
    EXPECT_EQ(RowCount(TableAssertionLink), 2);
    {
        AssertionLink old(*database_);
        auto t = Transaction(*database_);
        EXPECT_NE(old.Read(parentLink), 0); // the old parent's row is gone
    }
    using Posted = RecordingSink::Entry;
    EXPECT_EQ(sink_.posted,
              (std::vector<Posted>{
                  {NoticeAssertionLinkRemoved, static_cast<std::uint32_t>(anna_), parentLink},
                  {NoticeAssertionLinkChanged, static_cast<std::uint32_t>(per_), childLink},
                  {NoticeAssertionLinkAdded, static_cast<std::uint32_t>(bo_), relationship.Links()[1].Id()},
              }));
}

// The three pages in the program's own language, empty and with every field full; with VESTRADA_SCREENSHOTS
// set they wait there to be photographed.
TEST_F(KindPagesTest, EveryPageShowsTranslatedTextsEmptyAndFull)
{
    ScopedLanguage english(ScopedLanguage::Master());
    const std::int32_t full = StoredAttribute(occupation_, "Weaver of fine linen cloth for the manor and the church");
    {
        AttributeAssertion attribute(full, *database_);
        attribute.LoadLinked();
        DateRange date{};
        date.SetText("in the spring after the great flood");
        attribute.SetDate(date);
        attribute.Place()->Parse("Oslo, Akershus, Norway");
        attribute.row.privacy = 4;
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return attribute.Save(); }));
    }
    std::int32_t infoLink = 0, relationshipLink = 0;
    {
        InfoAssertion info(*database_);
        info.LoadLinked();
        info.Text()->SetText("Emigrated to America in 1882 with her two brothers.\r\nLater returned to Oslo.");
        info.row.privacy = 2;
        info.Links().Append(std::make_unique<AssertionLink>(NewLink(AssertionInfo, anna_)));
        Relationship relationship(*database_);
        relationship.LoadLinked();
        relationship.row.relation = RelationFoster;
        relationship.row.privacy = 3;
        relationship.Links().Append(
            std::make_unique<AssertionLink>(NewLink(AssertionRelationship, anna_, RelationshipParentRole)));
        relationship.Links().Append(
            std::make_unique<AssertionLink>(NewLink(AssertionRelationship, per_, RelationshipChildRole)));
        ASSERT_TRUE(RunWriteTransaction(*database_, [&] { return info.Save() && relationship.Save(); }));
        infoLink = info.Links()[0].Id();
        relationshipLink = relationship.Links()[0].Id();
    }
    struct Shot {
        const char* name;
        AssertionLink link;
    };
    std::vector<Shot> shots;
    shots.push_back({"attribute_page_empty", NewLink(AssertionAttribute, anna_)});
    shots.push_back({"attribute_page_full", StoredLink(1)});
    shots.push_back({"info_page_empty", NewLink(AssertionInfo, anna_)});
    shots.push_back({"info_page_full", StoredLink(infoLink)});
    shots.push_back({"relationship_page_empty", NewLink(AssertionRelationship, anna_, RelationshipParentRole)});
    shots.push_back({"relationship_page_full", StoredLink(relationshipLink)});
    for (Shot& shot : shots) {
        std::vector<std::string> keys{"not opened"};
        Edit(shot.link, [&](HWND editor) {
            keys = RawKeys(editor);
            test_support::PauseForScreenshot(shot.name);
            Click(editor, IDCANCEL);
        });
        EXPECT_TRUE(keys.empty()) << shot.name << ": " << keys.front();
    }
}

} // namespace
