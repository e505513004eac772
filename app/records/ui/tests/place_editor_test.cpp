// The place editor driven by messages: parts added, typed, moved and deleted on the working copy, which
// reaches the place only with OK.
#include "records/ui/place_editor.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/place_record.h"
#include "res/assertions_resource.h"
#include "tests/support/dialog_test_support.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;

constexpr const char* Texts = "PLACE_TYPE_UNKNOWN=Place\nPLACE_TYPE_COUNTRY=Country\nPLACE_TYPE_COUNTY=County\n"
                              "PLACE_TYPE_TOWN=Town\nPLACE_TYPE_FARM=Farm\n";

class PlaceEditorTest : public DialogTest {
protected:
    HWND OpenEditor()
    {
        HWND dialog = Open(MAKEINTRESOURCEA(IDD_PLACE_EDIT), PlaceEditDlgProc, reinterpret_cast<LPARAM>(&place_));
        return dialog;
    }
    void Oslo()
    {
        place_.AppendPart(PlacePartTown, "Oslo");
        place_.AppendPart(PlacePartCounty, "Akershus");
        place_.AppendPart(PlacePartCountry, "Norway");
    }
    static HWND Parts(HWND dialog) { return GetDlgItem(dialog, IDC_PLACEEDIT_PARTS); }
    static std::vector<std::string> Rows(HWND dialog)
    {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageA(Parts(dialog), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            char part[128] = {};
            char type[64] = {};
            ListView_GetItemText(Parts(dialog), row, 0, part, sizeof part);
            ListView_GetItemText(Parts(dialog), row, 1, type, sizeof type);
            rows.push_back(std::string(part) + "/" + type);
        }
        return rows;
    }
    static int Selected(HWND dialog)
    {
        return static_cast<int>(SendMessageA(Parts(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    static void Select(HWND dialog, int row)
    {
        ListView_SetItemState(Parts(dialog), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static std::string SelectedType(HWND dialog)
    {
        return ComboText(dialog, IDC_PLACEEDIT_TYPE, ComboSelection(dialog, IDC_PLACEEDIT_TYPE));
    }
    std::string Stored()
    {
        char out[256];
        return place_.Format(out, sizeof out);
    }

    ScopedLanguage language_{Texts};
    Database database_;
    PlaceRecord place_{database_};
};

TEST_F(PlaceEditorTest, OpensWithTheFirstPartShown)
{
    Oslo();
    HWND dialog = OpenEditor();
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Oslo/Town", "Akershus/County", "Norway/Country"}));
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_FORMATTED), "Oslo, Akershus, Norway");
    EXPECT_EQ(Selected(dialog), 0);
    EXPECT_EQ(SelectedType(dialog), "Town");
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_TEXT), "Oslo");
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_PLACEEDIT_TEXT));
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_PLACEEDIT_DELETE));
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLACEEDIT_UP));
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_PLACEEDIT_DOWN));
    EXPECT_EQ(ComboCount(dialog, IDC_PLACEEDIT_TYPE), PlacePartTypeCount);

    Select(dialog, 2);
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_PLACEEDIT_UP));
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLACEEDIT_DOWN));
}

TEST_F(PlaceEditorTest, MovesAndDeletesPartsAndOkHandsThemToThePlace)
{
    Oslo();
    HWND dialog = OpenEditor();
    Click(dialog, IDC_PLACEEDIT_DOWN);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Akershus/County", "Oslo/Town", "Norway/Country"}));
    EXPECT_EQ(Selected(dialog), 1);
    Click(dialog, IDC_PLACEEDIT_UP);
    EXPECT_EQ(Selected(dialog), 0);
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_FORMATTED), "Oslo, Akershus, Norway");

    Select(dialog, 1);
    Click(dialog, IDC_PLACEEDIT_DELETE);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Oslo/Town", "Norway/Country"}));
    EXPECT_EQ(Selected(dialog), 1);
    // Deleting the last row selects the new last row.
    Click(dialog, IDC_PLACEEDIT_DELETE);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Oslo/Town"}));
    EXPECT_EQ(Selected(dialog), 0);
    EXPECT_EQ(Stored(), "Oslo, Akershus, Norway"); // nothing reaches the place before OK

    Click(dialog, IDOK);
    EXPECT_EQ(Stored(), "Oslo");
    EXPECT_EQ(place_.GetPartType(0), PlacePartTown);
}

TEST_F(PlaceEditorTest, NewOnAnEmptyPlaceGivesAnUnknownPartThatFollowsTyping)
{
    HWND dialog = OpenEditor();
    EXPECT_TRUE(Rows(dialog).empty());
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLACEEDIT_TEXT));
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLACEEDIT_TYPE));
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_PLACEEDIT_DELETE));

    Click(dialog, IDC_PLACEEDIT_NEW);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"/Place"}));
    EXPECT_EQ(Selected(dialog), 0);
    ASSERT_TRUE(IsItemEnabled(dialog, IDC_PLACEEDIT_TEXT));
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, "B");
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_FORMATTED), "B");
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, "Berg");
    ChooseComboEntry(dialog, IDC_PLACEEDIT_TYPE, PlacePartFarm - 1);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Berg/Farm"}));
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_FORMATTED), "Berg");

    Click(dialog, IDOK);
    ASSERT_EQ(place_.CountParts(), 1);
    EXPECT_EQ(place_.GetPartType(0), PlacePartFarm);
    EXPECT_STREQ(place_.GetPartText(0), "Berg");
}

TEST_F(PlaceEditorTest, TypedControlCharactersAreStoredAsBlanks)
{
    place_.AppendPart(PlacePartTown, "Oslo");
    HWND dialog = OpenEditor();
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, "Old\tOslo");
    Click(dialog, IDOK);
    ASSERT_EQ(place_.CountParts(), 1);
    EXPECT_STREQ(place_.GetPartText(0), "Old Oslo");
    EXPECT_EQ(place_.GetPartType(0), PlacePartTown);
}

TEST_F(PlaceEditorTest, CancelLeavesThePlaceAsItWas)
{
    Oslo();
    const PlaceRow before = place_.row;
    HWND dialog = OpenEditor();
    Click(dialog, IDC_PLACEEDIT_DOWN);
    Click(dialog, IDC_PLACEEDIT_DELETE);
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, "Bergen");
    Click(dialog, IDC_PLACEEDIT_NEW);
    Click(dialog, IDCANCEL);
    EXPECT_EQ(std::memcmp(&before, &place_.row, sizeof before), 0);
}

TEST_F(PlaceEditorTest, AFullNameTakesNoFurtherPart)
{
    place_.AppendPart(PlacePartFarm, std::string(126, 'x').c_str());
    HWND dialog = OpenEditor();
    Click(dialog, IDC_PLACEEDIT_NEW);
    EXPECT_EQ(Rows(dialog).size(), 1u);
    // An over-long text leaves the part as it was while the field keeps what was typed.
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, std::string(127, 'y').c_str());
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_FORMATTED), std::string(126, 'x'));
    EXPECT_EQ(ItemText(dialog, IDC_PLACEEDIT_TEXT), std::string(127, 'y'));
}

} // namespace
