#include "ui_common/combo_box.h"

int AddComboItem(HWND combo, const char* text, LPARAM value)
{
    int index = static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    SendMessageA(combo, CB_SETITEMDATA, index, value);
    return index;
}

bool SelectComboValue(HWND combo, LPARAM value)
{
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == value) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}

int ComboSelection(HWND dialog, int item)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, item, CB_GETCURSEL, 0, 0));
}

LPARAM SelectedComboValue(HWND dialog, int item, LPARAM none)
{
    int selection = ComboSelection(dialog, item);
    return selection < 0 ? none : SendDlgItemMessageA(dialog, item, CB_GETITEMDATA, selection, 0);
}
