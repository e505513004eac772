#include "records/ui/list_window.h"

#include <commctrl.h>

#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "records/record_lists.h"
#include "res/lists_resource.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/dialog_position.h"
#include "ui_common/window_helpers.h"

namespace {

enum PageRole { PageAll, PageHierarchy, PageSelection };

constexpr int PageLeft = 12;
constexpr int PageTop = 30;
constexpr WindowPlacement DefaultPlacement = {50, 50, 460, 350};

struct ListDialog {
    RecordListModel* model;
    const ListWindowKind* kind;
    const char* title;
    HWND pages[3] = {};
    PageRole roles[3] = {};
    int pageCount = 0;
    int shown = 0;
};

struct Page {
    ListDialog* dialog;
    PageRole role;
};

// What the search, progress and options dialogs work on. The search and options dialogs are forms: they
// show the state when they open and store into it on OK.
struct SearchRun {
    RecordListModel* model;
    const ListWindowKind* kind;
    void (*show)(HWND dialog, SearchRun& run) = nullptr;
    void (*store)(HWND dialog, SearchRun& run) = nullptr;
    const char* helpTopic = nullptr;
    std::int32_t total = 0;
    bool ended = false; // the search progress ran out or was cancelled
};

const int FieldLists[SearchCriterionCount] = {IDC_SEARCH_FIELD1, IDC_SEARCH_FIELD2, IDC_SEARCH_FIELD3};
const int TextFields[SearchCriterionCount] = {IDC_SEARCH_TEXT1, IDC_SEARCH_TEXT2, IDC_SEARCH_TEXT3};
const int ModeLists[SearchCriterionCount] = {IDC_SEARCH_MODE1, IDC_SEARCH_MODE2, IDC_SEARCH_MODE3};
const int OptionBoxes[3] = {IDC_LIST_INCLUDENEW, IDC_LIST_INCLUDEOPENED, IDC_LIST_INCLUDESELECTED};

template <class T> T* UserData(HWND dialog)
{
    return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SetCaptionKey(HWND dialog, const char* key)
{
    SetWindowTextA(dialog, GetLanguageText(key));
}

bool IsChecked(HWND dialog, int item)
{
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

void Check(HWND dialog, int item, bool checked)
{
    CheckDlgButton(dialog, item, checked ? BST_CHECKED : BST_UNCHECKED);
}

void AddColumns(HWND list, const ListWindowKind& kind, const char* const* headings, const int* widths)
{
    for (int i = 0; i < kind.columns; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(GetLanguageText(headings[i]));
        column.cx = widths[i];
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void FillList(HWND list, const ListWindowKind& kind, const std::vector<ListRow>& rows)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, rows.size(), 0);
    int index = 0;
    for (const ListRow& row : rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index++;
        item.pszText = const_cast<char*>(row.texts[0].c_str());
        item.lParam = row.id;
        const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < kind.columns; ++column) {
            LVITEMA sub = {};
            sub.iSubItem = column;
            sub.pszText = const_cast<char*>(row.texts[column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void InsertTree(HWND tree, HTREEITEM parent, const std::vector<SourceTreeItem>& items)
{
    for (const SourceTreeItem& item : items) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST; // the items come sorted among their siblings
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(item.title.c_str());
        insert.item.lParam = item.id;
        HTREEITEM inserted =
            reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        InsertTree(tree, inserted, item.children);
    }
}

// The record id of the page's chosen item, 0 when none is selected.
std::int32_t PageChoice(HWND page, PageRole role)
{
    HWND control = GetDlgItem(page, IDC_LIST_VIEW);
    if (role == PageHierarchy) {
        TVITEMA item = {};
        item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(control, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (item.hItem == nullptr)
            return 0;
        item.mask = TVIF_PARAM;
        SendMessageA(control, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return static_cast<std::int32_t>(item.lParam);
    }
    const int selected = static_cast<int>(SendMessageA(control, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    if (selected < 0)
        return 0;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    SendMessageA(control, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::int32_t>(item.lParam);
}

void FillSelectionPage(HWND page, const ListDialog& dialog)
{
    FillList(GetDlgItem(page, IDC_LIST_VIEW), *dialog.kind, dialog.model->SelectionRows());
}

// Reading the list of all records of a list that keeps it: a dialog with the text and a progress bar,
// which does the work once it has painted.
struct Reading {
    RecordListModel* model;
    const ListWindowKind* kind;
};

void PumpPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

INT_PTR ReadingMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    Reading* reading = UserData<Reading>(dialog);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reading = reinterpret_cast<Reading*>(lParam);
        SetDlgItemTextA(dialog, IDC_READ_TEXT, GetLanguageText(reading->kind->readingText));
        SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETRANGE32, 0, 100);
        CentreOnOwner(dialog);
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        PostMessageA(dialog, ReadDataMessage, 0, 0);
        return TRUE;
    case ReadDataMessage: {
        HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
        SetCursor(wait);
        int shown = -1;
        reading->kind->readAll(*reading->model, [&](int percent) {
            if (percent == shown)
                return;
            shown = percent;
            SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETPOS, percent, 0);
            PumpPendingMessages();
            SetCursor(wait);
        });
        SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETPOS, 100, 0);
        EndDialog(dialog, 1);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ReadingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ReadingMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

void ReadAllWhenNeeded(HWND page, RecordListModel& model, const ListWindowKind& kind)
{
    if (kind.allNeedReading == nullptr || !kind.allNeedReading(model))
        return;
    Reading reading = {&model, &kind};
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_READ_DATA), GetParent(page), ReadingProc,
                    reinterpret_cast<LPARAM>(&reading));
}

void InitPage(HWND page, const Page& state)
{
    const ListWindowKind& kind = *state.dialog->kind;
    RecordListModel& model = *state.dialog->model;
    const ListWindowSettings& settings = model.Settings();
    HWND control = GetDlgItem(page, IDC_LIST_VIEW);
    if (state.role == PageHierarchy) {
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        InsertTree(control, TVI_ROOT, kind.hierarchyOf(model));
        SetCursor(previous);
        return;
    }
    SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int widths[ListColumnMost];
    for (int i = 0; i < ListColumnMost; ++i) {
        // The third column of both pages takes the All page's third width.
        const bool selectionWidth = state.role == PageSelection && i < 2;
        widths[i] = selectionWidth ? settings.ListSelectionWidth[i] : settings.ListAllWidth[i];
    }
    if (state.role == PageAll) {
        AddColumns(control, kind, kind.allHeadings, widths);
        ReadAllWhenNeeded(page, model, kind);
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        FillList(control, kind, model.AllRows());
        SetCursor(previous);
    } else {
        AddColumns(control, kind, kind.selectionHeadings, widths);
        TranslateDialog(page);
        FillSelectionPage(page, *state.dialog);
    }
}

void LayoutPage(HWND page, PageRole role, int width, int height)
{
    HWND control = GetDlgItem(page, IDC_LIST_VIEW);
    if (role != PageSelection) {
        MoveWindow(control, 0, 0, width - 10 > 0 ? width - 10 : 0, height, TRUE);
        return;
    }
    RECT button = {};
    GetWindowRect(GetDlgItem(page, IDC_LIST_SEARCH), &button);
    const int buttonWidth = button.right - button.left;
    const int buttonHeight = button.bottom - button.top;
    const int listWidth = width - buttonWidth - 10;
    MoveWindow(control, 0, 0, listWidth > 0 ? listWidth : 0, height, TRUE);
    MoveWindow(GetDlgItem(page, IDC_LIST_SEARCH), width - buttonWidth, 0, buttonWidth, buttonHeight, TRUE);
    MoveWindow(GetDlgItem(page, IDC_LIST_OPTIONS), width - buttonWidth, buttonHeight + 10, buttonWidth, buttonHeight,
               TRUE);
}

INT_PTR PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    Page* state = UserData<Page>(page);
    switch (message) {
    case WM_INITDIALOG: {
        state = new Page(*reinterpret_cast<Page*>(lParam));
        SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        InitPage(page, *state);
        return TRUE;
    }
    case WM_DESTROY:
        delete state;
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    case WM_SIZE:
        if (state != nullptr)
            LayoutPage(page, state->role, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_LIST_VIEW && header->code == NM_DBLCLK)
            PostMessageA(GetParent(page), WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    case WM_COMMAND:
        if (state == nullptr)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_LIST_SEARCH:
            if (RunSearchDialog(page, *state->dialog->model, *state->dialog->kind) == 1) {
                RunSearchProgress(page, *state->dialog->model, *state->dialog->kind);
                FillSelectionPage(page, *state->dialog);
            }
            return TRUE;
        case IDC_LIST_OPTIONS:
            RunOptionsDialog(page, *state->dialog->model, *state->dialog->kind);
            return TRUE;
        default:
            SendMessageA(GetParent(page), WM_COMMAND, wParam, lParam);
            return TRUE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

void ShowPage(ListDialog& dialog, int index)
{
    for (int i = 0; i < dialog.pageCount; ++i)
        ShowWindow(dialog.pages[i], i == index ? SW_SHOW : SW_HIDE);
    dialog.shown = index;
}

void LayoutDialog(HWND window, const ListDialog& dialog, int width, int height)
{
    MoveWindow(GetDlgItem(window, IDC_LIST_TAB), 0, 0, width - 2, height - 44, TRUE);
    for (int i = 0; i < dialog.pageCount; ++i)
        MoveWindow(dialog.pages[i], PageLeft, PageTop, width - 50, height - 84, TRUE);
    RECT button = {};
    GetWindowRect(GetDlgItem(window, IDOK), &button);
    const int buttonWidth = button.right - button.left;
    const int buttonHeight = button.bottom - button.top;
    MoveWindow(GetDlgItem(window, IDOK), 10, height - buttonHeight - 10, buttonWidth, buttonHeight, TRUE);
    GetWindowRect(GetDlgItem(window, IDHELP), &button);
    MoveWindow(GetDlgItem(window, IDHELP), width - (button.right - button.left) - 10, height - buttonHeight - 10,
               button.right - button.left, buttonHeight, TRUE);
}

void InitListDialog(HWND window, ListDialog& dialog)
{
    SetWindowTextA(window, dialog.title);
    TranslateDialog(window);
    SetWindowTextA(window, dialog.title);
    const ListWindowKind& kind = *dialog.kind;
    dialog.pageCount = kind.hierarchy ? 3 : 2;
    dialog.roles[0] = PageAll;
    dialog.roles[1] = kind.hierarchy ? PageHierarchy : PageSelection;
    dialog.roles[2] = PageSelection;
    HWND tabs = GetDlgItem(window, IDC_LIST_TAB);
    for (int i = 0; i < dialog.pageCount; ++i) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(GetLanguageText(kind.tabKeys[i]));
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
    }
    for (int i = 0; i < dialog.pageCount; ++i) {
        const int resource = dialog.roles[i] == PageAll
                                 ? (kind.sortedAll ? IDD_LIST_ALLSORTED : IDD_LIST_ALL)
                                 : (dialog.roles[i] == PageHierarchy ? IDD_LIST_HIERARCHY : IDD_LIST_SELECTION);
        Page page = {&dialog, dialog.roles[i]};
        dialog.pages[i] = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(resource), window, PageProc,
                                             reinterpret_cast<LPARAM>(&page));
        SetWindowPos(dialog.pages[i], nullptr, PageLeft, PageTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    WindowPlacement placement = dialog.model->Settings().ListWindowProperties;
    if (placement.width <= 0 || placement.height <= 0)
        placement = DefaultPlacement;
    MoveWindow(window, placement.left, placement.top, placement.width, placement.height, TRUE);
    RECT client = {};
    GetClientRect(window, &client);
    LayoutDialog(window, dialog, client.right, client.bottom);
    const int active = static_cast<int>(dialog.model->activePage) < dialog.pageCount
                           ? static_cast<int>(dialog.model->activePage)
                           : 0;
    SendMessageA(tabs, TCM_SETCURSEL, active, 0);
    ShowPage(dialog, active);
}

std::uint16_t ColumnWidth(HWND page, int column)
{
    return static_cast<std::uint16_t>(SendDlgItemMessageA(page, IDC_LIST_VIEW, LVM_GETCOLUMNWIDTH, column, 0));
}

void Select(HWND window, ListDialog& dialog)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    const WindowPlacement placement = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    HWND allPage = dialog.pages[0];
    HWND selectionPage = dialog.pages[dialog.pageCount - 1];
    const std::uint16_t allWidths[2] = {ColumnWidth(allPage, 0), ColumnWidth(allPage, 1)};
    const std::uint16_t selectionWidths[2] = {ColumnWidth(selectionPage, 0), ColumnWidth(selectionPage, 1)};
    dialog.model->StoreGeometry(placement, allWidths, selectionWidths);

    const std::int32_t id = PageChoice(dialog.pages[dialog.shown], dialog.roles[dialog.shown]);
    if (id != 0) {
        dialog.model->activePage = static_cast<std::uint32_t>(dialog.shown);
        if (dialog.model->Settings().IncludeSelected != 0) {
            EngineTransaction transaction(dialog.model->OwnerDatabase().file, TLV_READWRITE);
            dialog.model->AddChosen(id);
        }
    }
    EndDialog(window, id);
}

INT_PTR ListDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListDialog* dialog = UserData<ListDialog>(window);
    switch (message) {
    case WM_INITDIALOG:
        dialog = reinterpret_cast<ListDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        InitListDialog(window, *dialog);
        return TRUE;
    case WM_SIZE:
        if (dialog != nullptr && dialog->pageCount > 0)
            LayoutDialog(window, *dialog, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 200;
        info->ptMinTrackSize.y = 300;
        return TRUE;
    }
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (dialog == nullptr || header->idFrom != IDC_LIST_TAB)
            return FALSE;
        if (header->code == TCN_SELCHANGING) {
            ShowPage(*dialog, -1);
        } else if (header->code == TCN_SELCHANGE) {
            ShowPage(*dialog, static_cast<int>(SendDlgItemMessageA(window, IDC_LIST_TAB, TCM_GETCURSEL, 0, 0)));
        }
        return FALSE;
    }
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, dialog->kind->helpTopic);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Select(window, *dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, 0);
            return TRUE;
        case IDHELP:
            ShowHelpTopic(HelpDisplayTopic, dialog->kind->helpTopic);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ListDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ListDialogMessage, DialogSafeAnswer>(window, message, wParam, lParam);
}

// Search dialog.

void FillCombo(HWND dialog, int item, const char* const* keys, int count, std::uint32_t selected)
{
    HWND combo = GetDlgItem(dialog, item);
    for (int i = 0; i < count; ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(keys[i])));
    SendMessageA(combo, CB_SETCURSEL, selected < static_cast<std::uint32_t>(count) ? selected : 0, 0);
}

std::uint32_t ComboChoice(HWND dialog, int item)
{
    const LRESULT index = SendDlgItemMessageA(dialog, item, CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : static_cast<std::uint32_t>(index);
}

// Hides the person list's two check boxes and closes the gap they leave above the buttons.
void DropNameOptions(HWND dialog)
{
    RECT clear = {};
    RECT variants = {};
    GetWindowRect(GetDlgItem(dialog, IDC_SEARCH_CLEARLIST), &clear);
    GetWindowRect(GetDlgItem(dialog, IDC_SEARCH_VARIANTS), &variants);
    const int gap = variants.bottom - clear.bottom;
    ShowWindow(GetDlgItem(dialog, IDC_SEARCH_SOUNDEX), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_SEARCH_VARIANTS), SW_HIDE);
    for (int button : {IDOK, IDCANCEL, IDHELP}) {
        HWND control = GetDlgItem(dialog, button);
        RECT place = {};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(control, nullptr, place.left, place.top - gap, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT whole = {};
    GetWindowRect(dialog, &whole);
    SetWindowPos(dialog, nullptr, 0, 0, whole.right - whole.left, whole.bottom - whole.top - gap,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void ShowSearch(HWND dialog, SearchRun& run)
{
    const ListWindowKind& kind = *run.kind;
    const SearchSettings& search = run.model->search;
    SetCaptionKey(dialog, kind.searchTitle);
    for (int i = 0; i < SearchCriterionCount; ++i) {
        const SearchCriterion& criterion = search.criteria[i];
        FillCombo(dialog, FieldLists[i], kind.fieldKeys, kind.fieldCount, criterion.field);
        FillCombo(dialog, ModeLists[i], kind.modeKeys, 4, criterion.mode);
        // The criterion keeps 63 characters and its terminator.
        SendDlgItemMessageA(dialog, TextFields[i], EM_LIMITTEXT, SearchTextSize - 1, 0);
        SetDlgItemTextA(dialog, TextFields[i], criterion.text);
    }
    SetItemLanguageText(dialog, IDC_SEARCH_CLEARLIST, kind.clearKey);
    SetItemLanguageText(dialog, IDC_SEARCH_AND, kind.andKey);
    SetItemLanguageText(dialog, IDC_SEARCH_OR, kind.orKey);
    Check(dialog, IDC_SEARCH_CLEARLIST, search.clearFirst != 0);
    Check(dialog, search.combineAnd != 0 ? IDC_SEARCH_AND : IDC_SEARCH_OR, true);
    const bool nameOptions = kind.soundexKey != nullptr;
    if (nameOptions) {
        SetItemLanguageText(dialog, IDC_SEARCH_SOUNDEX, kind.soundexKey);
        SetItemLanguageText(dialog, IDC_SEARCH_VARIANTS, kind.variantsKey);
    }
    if (!nameOptions)
        DropNameOptions(dialog);
}

void StoreSearch(HWND dialog, SearchRun& run)
{
    SearchSettings& search = run.model->search;
    for (int i = 0; i < SearchCriterionCount; ++i) {
        char text[SearchTextSize] = {};
        GetDlgItemTextA(dialog, TextFields[i], text, sizeof text);
        search.SetCriterion(i, ComboChoice(dialog, FieldLists[i]), text, ComboChoice(dialog, ModeLists[i]));
    }
    search.clearFirst = IsChecked(dialog, IDC_SEARCH_CLEARLIST) ? 1 : 0;
    search.combineAnd = IsChecked(dialog, IDC_SEARCH_AND) ? 1 : 0;
    if (run.kind->optionFlag != nullptr) {
        *run.kind->optionFlag(*run.model, 0) = IsChecked(dialog, IDC_SEARCH_SOUNDEX) ? 1 : 0;
        *run.kind->optionFlag(*run.model, 1) = IsChecked(dialog, IDC_SEARCH_VARIANTS) ? 1 : 0;
    }
}

// The search and options dialogs.
INT_PTR FormMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    SearchRun* run = UserData<SearchRun>(dialog);
    switch (message) {
    case WM_INITDIALOG:
        run = reinterpret_cast<SearchRun*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        TranslateDialog(dialog);
        run->show(dialog, *run);
        CentreOnOwner(dialog);
        return TRUE;
    case WM_HELP:
        if (run->helpTopic != nullptr)
            ShowHelpTopic(HelpDisplayTopic, run->helpTopic);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            run->store(dialog, *run);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDHELP:
            if (run->helpTopic != nullptr)
                ShowHelpTopic(HelpDisplayTopic, run->helpTopic);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<FormMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

// Search progress: one record per posted step, so that the dialog paints and Cancel is heard between them.

INT_PTR ProgressMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    SearchRun* run = UserData<SearchRun>(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        run = reinterpret_cast<SearchRun*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        TranslateDialog(dialog);
        SetCaptionKey(dialog, run->kind->progressTitle);
        CentreOnOwner(dialog);
        // The steps keep the queue busy, so the dialog manager would never find the moment to show it.
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        run->model->BeginSearch();
        run->total = run->model->SearchTotal();
        SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETRANGE32, 0, run->total);
        SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETPOS, 0, 0);
        PostMessageA(dialog, SearchStepMessage, 1, 0);
        return TRUE;
    }
    case SearchStepMessage: {
        const auto id = static_cast<std::int32_t>(wParam);
        if (run->ended)
            return TRUE;
        if (id > run->total) {
            run->ended = true;
            run->model->EndSearch();
            EndDialog(dialog, 1);
            return TRUE;
        }
        run->model->SearchStep(id);
        SendDlgItemMessageA(dialog, IDC_LIST_PROGRESS, PBM_SETPOS, id, 0);
        // A posted step is always waiting, and posted messages come before the user's input and painting:
        // those that came meanwhile are served before the next step is posted, so that Cancel is heard.
        MSG pending;
        while (!run->ended && PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &pending)) {
                TranslateMessage(&pending);
                DispatchMessageA(&pending);
            }
        }
        if (!run->ended)
            PostMessageA(dialog, SearchStepMessage, static_cast<WPARAM>(id) + 1, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && !run->ended) {
            run->ended = true;
            run->model->EndSearch();
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ProgressMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

// Options.

void ShowOptions(HWND dialog, SearchRun& run)
{
    SetCaptionKey(dialog, run.kind->optionsTitle);
    const ListWindowSettings& settings = run.model->Settings();
    const bool values[3] = {settings.IncludeNew != 0, settings.IncludeOpened != 0, settings.IncludeSelected != 0};
    for (int i = 0; i < 3; ++i) {
        SetItemLanguageText(dialog, OptionBoxes[i], run.kind->optionKeys[i]);
        Check(dialog, OptionBoxes[i], values[i]);
    }
}

void StoreOptions(HWND dialog, SearchRun& run)
{
    run.model->StoreOptions(IsChecked(dialog, IDC_LIST_INCLUDENEW), IsChecked(dialog, IDC_LIST_INCLUDEOPENED),
                            IsChecked(dialog, IDC_LIST_INCLUDESELECTED));
}

INT_PTR RunDialog(HWND owner, int resource, DLGPROC procedure, SearchRun& run)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(resource), owner, procedure, reinterpret_cast<LPARAM>(&run));
}

} // namespace

std::int32_t RunListDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind, const char* title)
{
    model.title = title;
    ListDialog dialog = {&model, &kind, title};
    return static_cast<std::int32_t>(DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_LIST), owner, ListDialogProc,
                                                     reinterpret_cast<LPARAM>(&dialog)));
}

INT_PTR RunSearchDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind)
{
    SearchRun run = {&model, &kind, ShowSearch, StoreSearch, kind.searchHelpTopic};
    return RunDialog(owner, IDD_LIST_SEARCH, FormProc, run);
}

INT_PTR RunSearchProgress(HWND owner, RecordListModel& model, const ListWindowKind& kind)
{
    SearchRun run = {&model, &kind};
    EngineTransaction transaction(model.OwnerDatabase().file, TLV_READWRITE);
    return RunDialog(owner, IDD_LIST_PROGRESS, ProgressProc, run);
}

INT_PTR RunOptionsDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind)
{
    SearchRun run = {&model, &kind, ShowOptions, StoreOptions};
    return RunDialog(owner, IDD_LIST_OPTIONS, FormProc, run);
}
