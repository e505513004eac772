#include "records/ui/place_editor.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "core/place_parts.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "res/assertions_resource.h"
#include "res/button_bitmaps.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr BitmapButton PartButtons[] = {
    {IDC_PLACEEDIT_NEW, IDB_BUTTON_NEW, "TOOLTIP_NEW"},
    {IDC_PLACEEDIT_DELETE, IDB_BUTTON_DELETE, "TOOLTIP_DELETE"},
    {IDC_PLACEEDIT_UP, IDB_BUTTON_UP, "TOOLTIP_UP"},
    {IDC_PLACEEDIT_DOWN, IDB_BUTTON_DOWN, "TOOLTIP_DOWN"},
};

constexpr int PartColumnWidth = 235;
constexpr int TypeColumnWidth = 100;
constexpr int PartTextLimit = static_cast<int>(PlacePartsSize) - 1;

struct PlaceEditState {
    PlaceRecord* place = nullptr;
    PlaceParts working;
    bool showing = false; // set while the dialog itself fills the part's fields
};

HWND PartList(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PLACEEDIT_PARTS);
}

int SelectedRow(HWND dialog)
{
    return static_cast<int>(SendMessageA(PartList(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int RowCount(HWND dialog)
{
    return static_cast<int>(SendMessageA(PartList(dialog), LVM_GETITEMCOUNT, 0, 0));
}

void SelectRow(HWND dialog, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(PartList(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(PartList(dialog), LVM_ENSUREVISIBLE, row, FALSE);
}

void SetRowText(HWND list, int row, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void ShowFormatted(HWND dialog, const PlaceEditState& state)
{
    SetDlgItemTextA(dialog, IDC_PLACEEDIT_FORMATTED, state.working.Format().c_str());
}

// The rows' texts set again in place.
void RefreshPartRows(HWND dialog, const PlaceEditState& state)
{
    HWND list = PartList(dialog);
    for (int row = 0; row < state.working.Count() && row < RowCount(dialog); ++row) {
        SetRowText(list, row, 0, state.working.TextOf(row).c_str());
        SetRowText(list, row, 1, GetLanguageText(PlacePartTypeKey(state.working.TypeOf(row))));
    }
    ShowFormatted(dialog, state);
}

// The list emptied, one row per part, then the first row selected.
void FillPartRows(HWND dialog, const PlaceEditState& state)
{
    HWND list = PartList(dialog);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < state.working.Count(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>("");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    RefreshPartRows(dialog, state);
    if (state.working.Count() > 0)
        SelectRow(dialog, 0);
}

void UpdatePartButtons(HWND dialog)
{
    const int row = SelectedRow(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_PLACEEDIT_DELETE), row >= 0);
    EnableWindow(GetDlgItem(dialog, IDC_PLACEEDIT_UP), row >= 1);
    EnableWindow(GetDlgItem(dialog, IDC_PLACEEDIT_DOWN), row >= 0 && row + 1 < RowCount(dialog));
}

void SelectType(HWND dialog, int type)
{
    HWND types = GetDlgItem(dialog, IDC_PLACEEDIT_TYPE);
    const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(types, CB_GETITEMDATA, i, 0) == type)
            SendMessageA(types, CB_SETCURSEL, i, 0);
}

// The selected part in the type list and the text field, or both emptied and disabled without one.
void ShowSelectedPart(HWND dialog, PlaceEditState& state)
{
    const int row = SelectedRow(dialog);
    state.showing = true;
    if (row >= 0) {
        SelectType(dialog, state.working.TypeOf(row));
        SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, state.working.TextOf(row).c_str());
    } else {
        SendDlgItemMessageA(dialog, IDC_PLACEEDIT_TYPE, CB_SETCURSEL, 0, 0);
        SetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, "");
    }
    state.showing = false;
    EnableWindow(GetDlgItem(dialog, IDC_PLACEEDIT_TYPE), row >= 0);
    EnableWindow(GetDlgItem(dialog, IDC_PLACEEDIT_TEXT), row >= 0);
    UpdatePartButtons(dialog);
}

// The part of the selected row takes the type and text the fields show; a change that does not fit
// leaves the part as it was.
void SetSelectedPart(HWND dialog, PlaceEditState& state)
{
    const int row = SelectedRow(dialog);
    if (row < 0 || state.showing)
        return;
    const int selection = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PLACEEDIT_TYPE, CB_GETCURSEL, 0, 0));
    if (selection < 0)
        return;
    const auto type =
        static_cast<std::uint8_t>(SendDlgItemMessageA(dialog, IDC_PLACEEDIT_TYPE, CB_GETITEMDATA, selection, 0));
    char text[PartTextLimit + 1];
    GetDlgItemTextA(dialog, IDC_PLACEEDIT_TEXT, text, sizeof text);
    if (state.working.Set(row, type, text))
        RefreshPartRows(dialog, state);
}

void SelectAfterChange(HWND dialog, PlaceEditState& state, int row)
{
    if (row >= RowCount(dialog))
        row = RowCount(dialog) - 1;
    if (row >= 0)
        SelectRow(dialog, row);
    ShowSelectedPart(dialog, state);
}

BOOL InitPlaceEdit(HWND dialog, LPARAM parameter)
{
    auto* place = reinterpret_cast<PlaceRecord*>(parameter);
    if (place == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    PlaceEditState& state = AttachDialogState(dialog, std::make_unique<PlaceEditState>());
    state.place = place;
    state.working = PlaceParts(place->row.parts);
    TranslateDialog(dialog);
    AttachBitmapButtons(dialog, PartButtons);

    HWND list = PartList(dialog);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListViewColumn(list, 0, "PLACE_EDIT_PART", PartColumnWidth);
    AddListViewColumn(list, 1, "PLACE_EDIT_TYPE", TypeColumnWidth);

    HWND types = GetDlgItem(dialog, IDC_PLACEEDIT_TYPE);
    for (int type = 1; type <= PlacePartTypeCount; ++type) {
        const auto index = SendMessageA(types, CB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(GetLanguageText(PlacePartTypeKey(type))));
        SendMessageA(types, CB_SETITEMDATA, index, type);
    }
    SendDlgItemMessageA(dialog, IDC_PLACEEDIT_TEXT, EM_LIMITTEXT, PartTextLimit, 0);
    FillPartRows(dialog, state);
    ShowSelectedPart(dialog, state);
    CentreOnOwner(dialog);
    return TRUE;
}

void PlaceEditCommand(HWND dialog, PlaceEditState& state, int command, int notification)
{
    const int row = SelectedRow(dialog);
    switch (command) {
    case IDC_PLACEEDIT_NEW:
        if (state.working.Append()) {
            FillPartRows(dialog, state);
            SelectAfterChange(dialog, state, state.working.Count() - 1);
        }
        break;
    case IDC_PLACEEDIT_DELETE:
        if (row >= 0) {
            state.working.Delete(row);
            FillPartRows(dialog, state);
            SelectAfterChange(dialog, state, row);
        }
        break;
    case IDC_PLACEEDIT_DOWN:
        if (row >= 0 && row + 1 < state.working.Count()) {
            state.working.Swap(row);
            RefreshPartRows(dialog, state);
            SelectAfterChange(dialog, state, row + 1);
        }
        break;
    case IDC_PLACEEDIT_UP:
        if (row >= 1) {
            state.working.Swap(row - 1);
            RefreshPartRows(dialog, state);
            SelectAfterChange(dialog, state, row - 1);
        }
        break;
    case IDC_PLACEEDIT_TYPE:
        if (notification == CBN_SELCHANGE)
            SetSelectedPart(dialog, state);
        break;
    case IDC_PLACEEDIT_TEXT:
        if (notification == EN_CHANGE)
            SetSelectedPart(dialog, state);
        break;
    case IDOK:
        state.working.CopyTo(state.place->row.parts);
        EndDialog(dialog, 1);
        break;
    default:
        break;
    }
}

INT_PTR PlaceEditMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        PlaceEditState* state = DialogStateOf<PlaceEditState>(dialog);
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state == nullptr || header->idFrom != IDC_PLACEEDIT_PARTS)
            return FALSE;
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change->uChanged & LVIF_STATE) != 0 && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0)
                ShowSelectedPart(dialog, *state);
        } else if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            PostMessageA(dialog, WM_COMMAND, IDC_PLACEEDIT_DELETE, 0);
        }
        return TRUE;
    }
    case WM_DESTROY:
        DetachBitmapButtons(dialog, PartButtons);
        return FALSE;
    default:
        return AnswerStatefulDialog<PlaceEditState>(
            dialog, message, wParam, lParam, "AdvancedPlace.htm", InitPlaceEdit,
            [](HWND d, PlaceEditState& s, int command, int notification) { PlaceEditCommand(d, s, command, notification); });
    }
}

} // namespace

INT_PTR EditPlace(HWND owner, PlaceRecord& place)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PLACE_EDIT), owner, PlaceEditDlgProc,
                           reinterpret_cast<LPARAM>(&place));
}

INT_PTR CALLBACK PlaceEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PlaceEditMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
