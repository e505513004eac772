// The person list over a real database, driven by messages: the All page in display-text order with the
// person ids, OK answering the chosen name's person, and the name search with its Soundex option.
#include "persons/ui/person_list.h"

#include <string>
#include <vector>

#include "core/write_transaction.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "records/ui/list_window.h"
#include "tests/support/list_dialog_test.h"
#include "tests/support/list_window_driving.h"

namespace {

using namespace dialog_test;

constexpr const char* Texts = "NAME_LIST_TITLE=Select a person\n"
                              "NAME_LIST_HEADINGNAME=Name\n"
                              "NAME_SEARCH_SOUNDEX=Soundex\n";

class PersonListTest : public ListDialogTest {
protected:
    PersonListTest() : ListDialogTest(Texts, AddListStateMakers) {}

    void SetUp() override
    {
        ListDialogTest::SetUp();
        CurrentSettings.name.ListSize = 200;
        CurrentSettings.name.IncludeNew = 0;
        CurrentSettings.name.IncludeSelected = 1;
        CurrentSettings.name.ListWindowProperties = {40, 40, 480, 360};
        OpenDatabase();
        berg_ = AddPerson("Anna/Berg/");
        aas_ = AddPerson("Per/Aas/");
        smyth_ = AddPerson("Kari/Smyth/");
    }

    std::int32_t AddPerson(const char* editText)
    {
        PersonRecord person(**database_);
        person.LoadLinked();
        person.Name()->ParseEditText(editText);
        EXPECT_TRUE(RunWriteTransaction(**database_, [&] { return person.Save(); }));
        return person.Id();
    }
    NameListState& names() { return *NameListOf(**database_); }

    std::int32_t berg_ = 0;
    std::int32_t aas_ = 0;
    std::int32_t smyth_ = 0;
};

TEST_F(PersonListTest, TheAllPageListsNamesInOrderAndOkAnswersThePerson)
{
    std::vector<std::string> listed;
    std::string heading;
    EXPECT_FALSE(names().AllNamesRead());
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        HWND page = ShownPage(dialog);
        listed = ListTexts(page);
        char text[32] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        SendDlgItemMessageA(page, IDC_LIST_VIEW, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        heading = text;
        SelectRow(page, "Berg, Anna");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(SelectPerson(nullptr, **database_), berg_);
    EXPECT_TRUE(names().AllNamesRead()); // kept for the next opening
    EXPECT_EQ(listed, (std::vector<std::string>{"Aas, Per", "Berg, Anna", "Smyth, Kari"}));
    EXPECT_EQ(heading, "Name");
    ASSERT_EQ(names().Selection().size(), 1u);
    EXPECT_EQ(names().Selection()[0].personId, berg_);
}

TEST_F(PersonListTest, OkWithNoRowSelectedAnswersZero)
{
    WhenDialogOpens(nullptr, [&](HWND dialog) { Click(dialog, IDOK); });
    EXPECT_EQ(SelectPersonTitled(nullptr, **database_, "NAME_LIST_TITLE"), 0);
    EXPECT_TRUE(names().Selection().empty());
}

TEST_F(PersonListTest, TheSearchFindsSurnamesBySoundexWhenAsked)
{
    std::vector<std::string> found;
    bool soundexShownUnchecked = false;
    WhenDialogOpens(nullptr, [&](HWND dialog) {
        ChooseTab(dialog, 1);
        HWND page = ShownPage(dialog);
        WhenDialogOpens(dialog, [&](HWND search) {
            soundexShownUnchecked = IsWindowVisible(GetDlgItem(search, IDC_SEARCH_SOUNDEX)) &&
                                    IsDlgButtonChecked(search, IDC_SEARCH_SOUNDEX) == BST_UNCHECKED;
            ChooseComboEntry(search, IDC_SEARCH_FIELD1, NameListState::FieldSurname);
            SetDlgItemTextA(search, IDC_SEARCH_TEXT1, "Smith");
            CheckDlgButton(search, IDC_SEARCH_SOUNDEX, BST_CHECKED);
            Click(search, IDOK);
        });
        Click(page, IDC_LIST_SEARCH);
        found = ListTexts(page);
        SelectRow(page, std::to_string(smyth_));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(SelectPerson(nullptr, **database_), smyth_);
    EXPECT_TRUE(soundexShownUnchecked);
    EXPECT_EQ(found, (std::vector<std::string>{std::to_string(smyth_)}));
    EXPECT_EQ(names().activePage, 1u);
    EXPECT_EQ(names().soundex, 1u);
}

} // namespace
