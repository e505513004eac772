// The structured-name dialog driven by messages: a new name starts from the standard structure, parts are
// typed, retyped, moved and deleted on a copy, and OK hands the name the parts split at their blanks.
#include "persons/ui/structured_name_dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/name_record.h"
#include "persons/ui/tests/stored_name_parts.h"
#include "res/names_resource.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/list_window_driving.h"
#include "ui_common/editing_preferences.h"

namespace {

using namespace dialog_test;
using namespace name_test;
using test_support::ScopedLanguage;

constexpr const char* Texts = "ADVNAME_STD0=SURN,GIVN\nADVNAME_STD1=GIVN,SURN\nADVNAME_STD2=PREF,GIVN,NICK,SURN\n"
                              "ADVNAME_TYPE_UNKW=Name\nADVNAME_TYPE_SURN=Surname\nADVNAME_TYPE_PREF=Title\n"
                              "ADVNAME_TYPE_GIVN=Given names\nADVNAME_TYPE_NICK=Nickname\n"
                              "ADVNAME_TITLE=Name parts\nADVNAME_PART=Part\nADVNAME_TYPE=Type\n";

class StructuredNameDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        CurrentSettings.edit.NewNames = 1;
    }
    void TearDown() override
    {
        OpenEditingPreferences = nullptr;
        DialogTest::TearDown();
    }
    HWND OpenDialog()
    {
        return Open(MAKEINTRESOURCEA(IDD_STRUCTURED_NAME), StructuredNameDlgProc, reinterpret_cast<LPARAM>(&name_));
    }
    void Name(const std::vector<Part>& parts)
    {
        name_.ClearParts();
        for (const Part& part : parts)
            name_.AppendPart(part.type, part.text.c_str());
    }
    static HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_ADVNAME_PARTS); }
    static std::vector<std::string> Rows(HWND dialog) { return ListViewRows(List(dialog), 2); }
    static int Selected(HWND dialog)
    {
        return static_cast<int>(SendMessageA(List(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // Which of Delete, Up and Down are enabled, as "DUD" with a dash for a disabled one.
    static std::string MoveButtons(HWND dialog)
    {
        return std::string(IsItemEnabled(dialog, IDC_ADVNAME_DELETE) ? "D" : "-") +
               (IsItemEnabled(dialog, IDC_ADVNAME_UP) ? "U" : "-") +
               (IsItemEnabled(dialog, IDC_ADVNAME_DOWN) ? "D" : "-");
    }

    ScopedLanguage language_{Texts};
    Database database_;
    NameRecord name_{database_};
};

TEST_F(StructuredNameDialogTest, ANewNameOpensWithTheChosenStandardStructure)
{
    struct Case {
        int newNames;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {0, {"|Surname", "|Given names"}},
        {1, {"|Given names", "|Surname"}},
        {2, {"|Title", "|Given names", "|Nickname", "|Surname"}},
        {7, {}}, // no such standard: no parts
    };
    for (const Case& c : cases) {
        CurrentSettings.edit.NewNames = c.newNames;
        HWND dialog = OpenDialog();
        EXPECT_EQ(WindowText(dialog), "Name parts");
        EXPECT_EQ(Rows(dialog), c.rows) << c.newNames;
        EXPECT_EQ(Selected(dialog), c.rows.empty() ? -1 : 0) << c.newNames;
        EXPECT_EQ(IsItemEnabled(dialog, IDC_ADVNAME_TEXT), !c.rows.empty()) << c.newNames;
        EXPECT_EQ(ComboCount(dialog, IDC_ADVNAME_TYPE), NamePartTypeCount);
        DestroyWindow(dialog);
        dialog_ = nullptr;
    }
}

TEST_F(StructuredNameDialogTest, TheFocusStartsInThePartText)
{
    HWND dialog = OpenDialog();
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ADVNAME_TEXT));
}

TEST_F(StructuredNameDialogTest, OkWithTheStandardPartsLeftEmptyGivesAnEmptyName)
{
    HWND dialog = OpenDialog();
    ASSERT_EQ(Rows(dialog).size(), 2u);
    Click(dialog, IDOK);
    EXPECT_EQ(name_.CountParts(), 0);
    EXPECT_EQ(name_.row.parts[0], 0);
}

TEST_F(StructuredNameDialogTest, TypedPartsAreSplitAtTheirBlanksOnOk)
{
    struct Case {
        const char* given;
        const char* surname;
        const char* formatted;
        std::vector<Part> stored;
    };
    const Case cases[] = {
        {"Anna Maria",
         "Berg",
         "Anna Maria Berg",
         {{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}, {NamePartSurname, "Berg"}}},
        {"Anna  Maria",
         "Berg",
         "Anna  Maria Berg",
         {{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}, {NamePartSurname, "Berg"}}},
        {"Anna",
         "von Berg",
         "Anna von Berg",
         {{NamePartGiven, "Anna"}, {NamePartSurname, "von"}, {NamePartSurname, "Berg"}}},
        // Pasted control characters are blanks, never type bytes.
        {"Anna\tMaria\r\n",
         "Berg",
         "Anna Maria   Berg",
         {{NamePartGiven, "Anna"}, {NamePartGiven, "Maria"}, {NamePartSurname, "Berg"}}},
        {" ", "Berg", "  Berg", {{NamePartSurname, "Berg"}}},
    };
    for (const Case& c : cases) {
        name_.ClearParts();
        HWND dialog = OpenDialog();
        SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, c.given);
        SelectListViewRow(List(dialog), 1);
        SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, c.surname);
        // The formatted name follows the typing; the name itself waits for OK.
        EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_FORMATTED), c.formatted) << c.given;
        EXPECT_EQ(name_.CountParts(), 0);
        Click(dialog, IDOK);
        EXPECT_EQ(PartsOf(name_), c.stored) << c.given;
        DestroyWindow(dialog);
        dialog_ = nullptr;
    }
}

TEST_F(StructuredNameDialogTest, AStoredNameOpensWithItsOwnPartsAndCancelKeepsThem)
{
    Name({{NamePartGiven, "Anna"}, {NamePartNickname, "Nan"}, {NamePartSurname, "Berg"}});
    const std::vector<Part> before = PartsOf(name_);
    HWND dialog = OpenDialog();
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Anna|Given names", "Nan|Nickname", "Berg|Surname"}));
    EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_FORMATTED), "Anna Nan Berg");
    EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_TEXT), "Anna");
    EXPECT_EQ(ComboText(dialog, IDC_ADVNAME_TYPE, ComboSelection(dialog, IDC_ADVNAME_TYPE)), "Given names");

    ChooseComboEntry(dialog, IDC_ADVNAME_TYPE, NamePartPrefix - 1);
    SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, "Dr");
    EXPECT_EQ(Rows(dialog)[0], "Dr|Title");
    EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_FORMATTED), "Dr Nan Berg");
    Click(dialog, IDCANCEL);
    EXPECT_EQ(PartsOf(name_), before);
}

TEST_F(StructuredNameDialogTest, UpAndDownFollowTheSelectionAndMoveThePart)
{
    Name({{NamePartGiven, "Anna"}, {NamePartNickname, "Nan"}, {NamePartSurname, "Berg"}});
    HWND dialog = OpenDialog();
    struct Step {
        int select; // -1: keep the selection
        int click;  // 0: none
        int selected;
        std::string buttons;
        std::string formatted;
    };
    const Step steps[] = {
        {0, 0, 0, "D-D", "Anna Nan Berg"},
        {1, 0, 1, "DUD", "Anna Nan Berg"},
        {2, 0, 2, "DU-", "Anna Nan Berg"},
        {-1, IDC_ADVNAME_UP, 1, "DUD", "Anna Berg Nan"},
        {-1, IDC_ADVNAME_UP, 0, "D-D", "Berg Anna Nan"},
        {-1, IDC_ADVNAME_DOWN, 1, "DUD", "Anna Berg Nan"},
        {-1, IDC_ADVNAME_DELETE, 1, "DU-", "Anna Nan"},
        {-1, IDC_ADVNAME_DELETE, 0, "D--", "Anna"},
        {-1, IDC_ADVNAME_DELETE, -1, "---", ""},
    };
    for (const Step& step : steps) {
        if (step.select >= 0)
            SelectListViewRow(List(dialog), step.select);
        if (step.click != 0)
            Click(dialog, step.click);
        EXPECT_EQ(Selected(dialog), step.selected) << step.formatted;
        EXPECT_EQ(MoveButtons(dialog), step.buttons) << step.formatted;
        EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_FORMATTED), step.formatted);
    }
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_ADVNAME_TEXT));
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_ADVNAME_TYPE));
    EXPECT_EQ(ItemText(dialog, IDC_ADVNAME_TEXT), "");
}

TEST_F(StructuredNameDialogTest, NewAppendsAnUnknownPartAndPutsTheFocusIntoItsText)
{
    Name({{NamePartSurname, "Berg"}});
    HWND dialog = OpenDialog();
    SetFocus(List(dialog));
    Click(dialog, IDC_ADVNAME_NEW);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Berg|Surname", "|Name"}));
    EXPECT_EQ(Selected(dialog), 1);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ADVNAME_TEXT));
    SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, "Jr");
    Click(dialog, IDOK);
    EXPECT_EQ(PartsOf(name_), (std::vector<Part>{{NamePartSurname, "Berg"}, {NamePartUnknown, "Jr"}}));
}

TEST_F(StructuredNameDialogTest, APartThatWouldNotFitIsNotChanged)
{
    // 100 + 2 type bytes: room for 25 more characters in the second part.
    Name({{NamePartGiven, std::string(100, 'a')}, {NamePartSurname, "b"}});
    HWND dialog = OpenDialog();
    SelectListViewRow(List(dialog), 1);
    SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, std::string(25, 'c').c_str());
    EXPECT_EQ(Rows(dialog)[1], std::string(25, 'c') + "|Surname");
    SetDlgItemTextA(dialog, IDC_ADVNAME_TEXT, std::string(26, 'd').c_str());
    EXPECT_EQ(Rows(dialog)[1], std::string(25, 'c') + "|Surname");
    // The field is full: New adds nothing.
    Click(dialog, IDC_ADVNAME_NEW);
    EXPECT_EQ(Rows(dialog).size(), 2u);
}

TEST_F(StructuredNameDialogTest, OptionsOpensTheEditingPreferencesOverTheDialog)
{
    static HWND owner = nullptr;
    owner = nullptr;
    OpenEditingPreferences = [](HWND dialog) { owner = dialog; };
    HWND dialog = OpenDialog();
    Click(dialog, IDC_ADVNAME_OPTIONS);
    EXPECT_EQ(owner, dialog);
}

} // namespace
