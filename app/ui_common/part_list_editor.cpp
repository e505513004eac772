#include "ui_common/part_list_editor.h"

#include <cstdint>

#include "core/editable_parts.h"
#include "res/button_bitmaps.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr int PartTextLimit = static_cast<int>(EditableParts::FieldSize) - 1;
constexpr int PartColumnWidth = 235;
constexpr int TypeColumnWidth = 100;

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void SelectRow(HWND list, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

void SetRowText(HWND list, int row, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void SelectType(HWND types, int type)
{
    const int count = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(types, CB_GETITEMDATA, i, 0) == type)
            SendMessageA(types, CB_SETCURSEL, i, 0);
}

} // namespace

const char* PartListEditor::TypeName(int type) const
{
    return type >= 1 && type <= static_cast<int>(typeNames_.size()) ? typeNames_[type - 1].c_str() : "";
}

int PartListEditor::SelectedRow(HWND dialog) const
{
    return static_cast<int>(
        SendDlgItemMessageA(dialog, items_.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void PartListEditor::Start(HWND dialog, const PartListColumns& columns)
{
    const BitmapButton buttons[] = {
        {items_.newPart, IDB_BUTTON_NEW, "TOOLTIP_NEW"},
        {items_.deletePart, IDB_BUTTON_DELETE, "TOOLTIP_DELETE"},
        {items_.up, IDB_BUTTON_UP, "TOOLTIP_UP"},
        {items_.down, IDB_BUTTON_DOWN, "TOOLTIP_DOWN"},
    };
    AttachBitmapButtons(dialog, buttons);
    HWND list = GetDlgItem(dialog, items_.list);
    const DWORD styles = LVS_EX_FULLROWSELECT | columns.extraStyles;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    AddListViewColumn(list, 0, columns.partKey, PartColumnWidth);
    AddListViewColumn(list, 1, columns.typeKey, TypeColumnWidth);
    HWND types = GetDlgItem(dialog, items_.type);
    for (int type = 1; type <= static_cast<int>(typeNames_.size()); ++type) {
        const auto index = SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TypeName(type)));
        SendMessageA(types, CB_SETITEMDATA, index, type);
    }
    SendDlgItemMessageA(dialog, items_.text, EM_LIMITTEXT, PartTextLimit, 0);
    FillRows(dialog);
    ShowSelected(dialog);
}

void PartListEditor::Stop(HWND dialog)
{
    for (int item : {items_.newPart, items_.deletePart, items_.up, items_.down})
        DetachBitmapButton(dialog, {item, 0, nullptr});
}

// The rows' texts set again in place.
void PartListEditor::RefreshRows(HWND dialog)
{
    HWND list = GetDlgItem(dialog, items_.list);
    for (int row = 0; row < parts_->Count() && row < RowCount(list); ++row) {
        SetRowText(list, row, 0, parts_->TextOf(row).c_str());
        SetRowText(list, row, 1, TypeName(parts_->TypeOf(row)));
    }
    SetDlgItemTextA(dialog, items_.formatted, parts_->Format().c_str());
}

void PartListEditor::FillRows(HWND dialog)
{
    HWND list = GetDlgItem(dialog, items_.list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < parts_->Count(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>("");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    RefreshRows(dialog);
    if (parts_->Count() > 0)
        SelectRow(list, 0);
}

void PartListEditor::UpdateButtons(HWND dialog)
{
    const int row = SelectedRow(dialog);
    EnableWindow(GetDlgItem(dialog, items_.deletePart), row >= 0);
    EnableWindow(GetDlgItem(dialog, items_.up), row >= 1);
    EnableWindow(GetDlgItem(dialog, items_.down), row >= 0 && row + 1 < RowCount(GetDlgItem(dialog, items_.list)));
}

// The selected part in the type list and the text field, or both emptied and disabled without one.
void PartListEditor::ShowSelected(HWND dialog)
{
    const int row = SelectedRow(dialog);
    showing_ = true;
    if (row >= 0) {
        SelectType(GetDlgItem(dialog, items_.type), parts_->TypeOf(row));
        SetDlgItemTextA(dialog, items_.text, parts_->TextOf(row).c_str());
    } else {
        SendDlgItemMessageA(dialog, items_.type, CB_SETCURSEL, 0, 0);
        SetDlgItemTextA(dialog, items_.text, "");
    }
    showing_ = false;
    EnableWindow(GetDlgItem(dialog, items_.type), row >= 0);
    EnableWindow(GetDlgItem(dialog, items_.text), row >= 0);
    UpdateButtons(dialog);
}

// A change that does not fit leaves the part as it was.
void PartListEditor::TakeFields(HWND dialog)
{
    const int row = SelectedRow(dialog);
    if (row < 0 || showing_)
        return;
    const int selection = static_cast<int>(SendDlgItemMessageA(dialog, items_.type, CB_GETCURSEL, 0, 0));
    if (selection < 0)
        return;
    const auto type = static_cast<std::uint8_t>(SendDlgItemMessageA(dialog, items_.type, CB_GETITEMDATA, selection, 0));
    char text[PartTextLimit + 1];
    GetDlgItemTextA(dialog, items_.text, text, sizeof text);
    if (parts_->Set(row, type, text))
        RefreshRows(dialog);
}

void PartListEditor::SelectAfterChange(HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, items_.list);
    if (row >= RowCount(list))
        row = RowCount(list) - 1;
    if (row >= 0)
        SelectRow(list, row);
    ShowSelected(dialog);
}

bool PartListEditor::Command(HWND dialog, int command, int notification)
{
    const int row = SelectedRow(dialog);
    if (command == items_.newPart) {
        if (parts_->Append()) {
            FillRows(dialog);
            SelectAfterChange(dialog, parts_->Count() - 1);
        }
    } else if (command == items_.deletePart) {
        if (row >= 0) {
            parts_->Delete(row);
            FillRows(dialog);
            SelectAfterChange(dialog, row);
        }
    } else if (command == items_.down) {
        if (row >= 0 && row + 1 < parts_->Count()) {
            parts_->Swap(row);
            RefreshRows(dialog);
            SelectAfterChange(dialog, row + 1);
        }
    } else if (command == items_.up) {
        if (row >= 1) {
            parts_->Swap(row - 1);
            RefreshRows(dialog);
            SelectAfterChange(dialog, row - 1);
        }
    } else if (command == items_.type) {
        if (notification == CBN_SELCHANGE)
            TakeFields(dialog);
    } else if (command == items_.text) {
        if (notification == EN_CHANGE)
            TakeFields(dialog);
    } else {
        return false;
    }
    return true;
}

bool PartListEditor::Notify(HWND dialog, const NMHDR& header)
{
    if (static_cast<int>(header.idFrom) != items_.list)
        return false;
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0)
            ShowSelected(dialog);
    } else if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
        PostMessageA(dialog, WM_COMMAND, items_.deletePart, 0);
    }
    return true;
}
