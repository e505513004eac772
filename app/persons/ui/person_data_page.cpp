#include "persons/ui/person_data_page.h"

#include <commctrl.h>

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "core/record_list_moves.h"
#include "persons/person_data.h"
#include "persons/ui/assertion_editor.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_window.h"
#include "res/button_bitmaps.h"
#include "res/frame_resource.h"
#include "res/person_window_resource.h"
#include "settings/settings.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"

namespace {

using Links = RecordList<AssertionLink>;

constexpr BitmapButton MoveButtons[] = {
    {IDC_PERSON_DATA_TOP, IDB_BUTTON_TOP, "TOOLTIP_TOP"},
    {IDC_PERSON_DATA_UP, IDB_BUTTON_UP, "TOOLTIP_UP"},
    {IDC_PERSON_DATA_DOWN, IDB_BUTTON_DOWN, "TOOLTIP_DOWN"},
    {IDC_PERSON_DATA_BOTTOM, IDB_BUTTON_BOTTOM, "TOOLTIP_BOTTOM"},
};

constexpr int KindImageSize = 14;
constexpr int ButtonColumn = 16;

Links* PageLinks(HWND page)
{
    return reinterpret_cast<Links*>(GetWindowLongPtrA(page, DWLP_USER));
}

HWND ListOf(HWND page)
{
    return GetDlgItem(page, IDC_PERSON_DATA_LIST);
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

LPARAM RowEntry(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

void SelectRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void AppendRow(HWND list, std::size_t entry, const PersonDataRow& shown)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = RowCount(list);
    item.lParam = static_cast<LPARAM>(entry);
    item.iImage = shown.image;
    item.pszText = const_cast<char*>("");
    const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
        return;
    const std::string* texts[] = {&shown.kind, &shown.date, &shown.description};
    for (int column = 1; column <= 3; ++column) {
        LVITEMA cell = {};
        cell.iSubItem = column;
        cell.pszText = const_cast<char*>(texts[column - 1]->c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&cell));
    }
}

// Sets the move buttons and, while the page is on show in the active window, the frame's edit and delete.
// `showing`: the page is being shown, before it is visible.
void UpdateCommands(HWND page, bool showing = false)
{
    HWND list = ListOf(page);
    const int selected = SelectedRow(list);
    const int rows = RowCount(list);
    EnableWindow(GetDlgItem(page, IDC_PERSON_DATA_TOP), selected > 0);
    EnableWindow(GetDlgItem(page, IDC_PERSON_DATA_UP), selected > 0);
    EnableWindow(GetDlgItem(page, IDC_PERSON_DATA_DOWN), selected >= 0 && selected < rows - 1);
    EnableWindow(GetDlgItem(page, IDC_PERSON_DATA_BOTTOM), selected >= 0 && selected < rows - 1);
    if ((showing || IsWindowVisible(page)) && IsInActiveRecordWindow(page))
        EnableFrameEditAndDelete(selected >= 0);
}

void FillPersonDataList(HWND page)
{
    HWND list = ListOf(page);
    const int selectedBefore = SelectedRow(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    Links* links = PageLinks(page);
    if (links != nullptr && CurrentDatabase != nullptr) {
        EngineTransaction transaction(CurrentDatabase->file, TLV_READWRITE);
        for (std::size_t i = 0; i < links->Count(); ++i)
            if (!links->IsMarked(i))
                AppendRow(list, i, DescribePersonDataLink((*links)[i], *CurrentDatabase));
    }
    if (const int row = RowAfterRefill(selectedBefore, RowCount(list)); row >= 0)
        SelectRow(list, row);
    UpdateCommands(page);
}

// The row that shows the list's entry `entry`, or -1.
int RowOfEntry(HWND list, std::size_t entry)
{
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row)
        if (RowEntry(list, row) == static_cast<LPARAM>(entry))
            return row;
    return -1;
}

// The selected row's entry; -1 without a selection.
int SelectedEntry(HWND page)
{
    Links* links = PageLinks(page);
    return links != nullptr ? SelectedListEntry(ListOf(page), *links) : -1;
}

void TellHostChanged(HWND page)
{
    PostMessageA(GetParent(page), WM_PAGECHANGED, 0, 0);
}

// The kind and the person's role of the link a new-assertion command makes; false for other commands.
bool NewLinkKind(UINT command, std::uint8_t& kind, std::int32_t& role)
{
    role = 0;
    switch (command) {
    case IDM_INSERT_EVENT:
        kind = AssertionEvent;
        return true;
    case IDM_INSERT_ATTRIBUTE:
        kind = AssertionAttribute;
        return true;
    case IDM_INSERT_INFO:
        kind = AssertionInfo;
        return true;
    case IDM_INSERT_NAME:
        kind = AssertionName;
        return true;
    case IDM_INSERT_PARENT: // this person is the child
        kind = AssertionRelationship;
        role = 0;
        return true;
    case IDM_INSERT_CHILD: // this person is the parent
        kind = AssertionRelationship;
        role = 1;
        return true;
    default:
        return false;
    }
}

void NewAssertion(HWND page, UINT command, std::int32_t personId)
{
    Links* links = PageLinks(page);
    std::uint8_t kind = 0;
    std::int32_t role = 0;
    if (links == nullptr || CurrentDatabase == nullptr || !NewLinkKind(command, kind, role))
        return;
    auto link = std::make_unique<AssertionLink>(*CurrentDatabase);
    link->row.kind = kind;
    link->row.personId = personId;
    link->row.roleId = role;
    if (EditAssertion(page, *link) != 1)
        return;
    // An event's or relationship's save announced its links; the notice appends the stored link.
    if (kind == AssertionEvent || kind == AssertionRelationship)
        return;
    if (FindLinkEntry(*links, link->Id()) < 0)
        links->Append(std::move(link));
    FillPersonDataList(page);
    TellHostChanged(page);
}

void EditSelected(HWND page)
{
    const int entry = SelectedEntry(page);
    if (entry < 0)
        return;
    if (EditAssertion(page, (*PageLinks(page))[static_cast<std::size_t>(entry)]) == 1)
        FillPersonDataList(page);
}

const char* DeleteQuestionKey(std::uint8_t kind)
{
    switch (kind) {
    case AssertionName:
        return "PERSON_DELETENAME";
    case AssertionInfo:
        return "PERSON_DELETEINFO";
    case AssertionAttribute:
        return "PERSON_DELETEATTRIBUTE";
    case AssertionRelationship:
        return "PERSON_DELETEASSOCIATION";
    default:
        return "PERSON_DELETEEVENT";
    }
}

void DeleteSelected(HWND page)
{
    const int entry = SelectedEntry(page);
    if (entry < 0 || CurrentDatabase == nullptr)
        return;
    Links& links = *PageLinks(page);
    AssertionLink& link = links[static_cast<std::size_t>(entry)];
    if (CurrentSettings.edit.DeleteAssertionWarning != 0 &&
        AskQuestion(page, GetLanguageText(DeleteQuestionKey(link.row.kind)), GetLanguageText("PERSON_DELETEASSERTION"),
                    IDNO, &CurrentSettings.edit.DeleteAssertionWarning, "Edit", "DeleteAssertionWarning") != IDYES)
        return;
    if (!DeleteAssertion(link, *CurrentDatabase)) {
        ShowWriteFailure(page);
        return;
    }
    // Written already: the person has nothing new to save.
    links.Remove(static_cast<std::size_t>(entry));
    FillPersonDataList(page);
}

void MoveSelected(HWND page, ListMove move)
{
    const int entry = SelectedEntry(page);
    if (entry < 0)
        return;
    const std::size_t movedTo = MoveListEntry(*PageLinks(page), static_cast<std::size_t>(entry), move);
    if (movedTo == static_cast<std::size_t>(entry))
        return;
    FillPersonDataList(page);
    HWND list = ListOf(page);
    if (const int row = RowOfEntry(list, movedTo); row >= 0)
        SelectRow(list, row);
    UpdateCommands(page);
    TellHostChanged(page);
}

void PageCommand(HWND page, UINT command, UINT notification, LPARAM parameter)
{
    switch (command) {
    case IDM_VIEW_DATA:
        EditSelected(page);
        return;
    case IDM_EDIT_DELETE:
        DeleteSelected(page);
        return;
    case IDC_PERSON_DATA_TOP:
    case IDC_PERSON_DATA_UP:
    case IDC_PERSON_DATA_DOWN:
    case IDC_PERSON_DATA_BOTTOM:
        if (notification == BN_CLICKED)
            MoveSelected(page, command == IDC_PERSON_DATA_TOP    ? ListMove::Top
                               : command == IDC_PERSON_DATA_UP   ? ListMove::Up
                               : command == IDC_PERSON_DATA_DOWN ? ListMove::Down
                                                                 : ListMove::Bottom);
        return;
    default:
        NewAssertion(page, command, static_cast<std::int32_t>(parameter));
        return;
    }
}

void LayOutPage(HWND page, int width, int height)
{
    int listWidth = width - ButtonColumn;
    if (listWidth < 100)
        listWidth = 100;
    MoveWindow(ListOf(page), 0, 0, listWidth, height < 50 ? 50 : height, TRUE);
    int y = 0;
    for (const BitmapButton& button : MoveButtons) {
        MoveWindow(GetDlgItem(page, button.item), listWidth, y, ButtonColumn, ButtonColumn, TRUE);
        y += ButtonColumn;
    }
}

void InitPage(HWND page, LPARAM links)
{
    SetWindowLongPtrA(page, DWLP_USER, links);
    HWND list = ListOf(page);
    SetUpListColumns(list, {{"PERSON_EVENTHEADING1", 20},
                            {"PERSON_EVENTHEADING2", 75},
                            {"PERSON_EVENTHEADING3", 130},
                            {"PERSON_EVENTHEADING4", 320}});
    // The list view destroys its image list with itself.
    HIMAGELIST kinds = ImageList_LoadImageA(AppInstance, MAKEINTRESOURCEA(IDB_PERSON_DATA_KINDS), KindImageSize, 0,
                                            RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (kinds != nullptr)
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(kinds));
    AttachBitmapButtons(page, MoveButtons);
    FillPersonDataList(page);
}

// The link notices: (person id, link id) of this page's person, as the person dialog passes them on.
bool LinkNotice(HWND page, UINT message, LPARAM linkId)
{
    Links* links = PageLinks(page);
    if (links == nullptr || CurrentDatabase == nullptr)
        return false;
    const auto id = static_cast<std::int32_t>(linkId);
    if (message == WM_ASSERTIONLINKCHANGED)
        RereadLink(*links, id);
    else if (message == WM_ASSERTIONLINKADDED)
        AppendAddedLink(*links, id, *CurrentDatabase);
    else if (message == WM_ASSERTIONLINKREMOVED)
        DropRemovedLink(*links, id);
    else if (message != WM_DATEFORMATCHANGED && message != WM_PAGEREFRESH)
        return false;
    FillPersonDataList(page);
    return true;
}

INT_PTR PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page, lParam);
        return TRUE;
    case WM_SIZE:
        LayOutPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        PageCommand(page, LOWORD(wParam), HIWORD(wParam), lParam);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_PERSON_DATA_LIST)
            return FALSE;
        if (!PostListPageShortcut(page, header) && header->code == LVN_ITEMCHANGED)
            UpdateCommands(page);
        return TRUE;
    }
    case WM_SHOWWINDOW:
        if (wParam)
            UpdateCommands(page, true);
        else if (IsInActiveRecordWindow(page))
            EnableFrameEditAndDelete(false);
        return FALSE;
    case WM_DESTROY:
        DetachBitmapButtons(page, MoveButtons);
        return FALSE;
    default:
        return LinkNotice(page, message, lParam) ? TRUE : FALSE;
    }
}

} // namespace

HWND CreatePersonDataPage(HWND host, RecordList<AssertionLink>& links)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_PERSON_DATA_PAGE), host, PersonDataPageDlgProc,
                              reinterpret_cast<LPARAM>(&links));
}

INT_PTR CALLBACK PersonDataPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
