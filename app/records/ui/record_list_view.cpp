#include "records/ui/record_list_view.h"

#include "res/frame_resource.h"
#include "ui_common/frame_command_state.h"

void AppendListRow(HWND list, std::size_t entry, std::initializer_list<std::string> cells)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.lParam = static_cast<LPARAM>(entry);
    int column = 0;
    int at = -1;
    for (const std::string& text : cells) {
        if (column == 0) {
            item.pszText = const_cast<char*>(text.c_str());
            at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            if (at < 0)
                return;
        } else {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>(text.c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&cell));
        }
        ++column;
    }
}

bool PostListPageShortcut(HWND page, const NMHDR* header)
{
    if (header->code == NM_DBLCLK) {
        PostMessageA(page, WM_COMMAND, IDM_VIEW_DATA, 0);
        return true;
    }
    if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) {
        PostMessageA(page, WM_COMMAND, IDM_EDIT_DELETE, 0);
        return true;
    }
    return false;
}

void EnableFrameEditAndDelete(bool selected)
{
    EnableFrameCommand(IDM_EDIT_DELETE, selected);
    EnableFrameCommand(IDM_VIEW_DATA, selected);
}
