#include "records/ui/record_window.h"

#include <commctrl.h>

#include "core/bounded_text.h"
#include "language/language_table.h"
#include "res/sources_resource.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

HWND ActivateWindowShowing(WPARAM kind, std::int32_t id)
{
    if (MdiClient == nullptr)
        return nullptr;
    for (HWND child = GetWindow(MdiClient, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindow(child, GW_OWNER) != nullptr)
            continue;
        if (SendMessageA(child, WM_SHOWSRECORD, kind, static_cast<LPARAM>(id)) != 0)
            return child;
    }
    return nullptr;
}

HWND OpenRecordWindow(WPARAM kind, const char* className, const char* titleKey, int width, int height, std::int32_t id,
                      int showCommand)
{
    if (id != 0)
        if (HWND showing = ActivateWindowShowing(kind, id))
            return showing;
    return CreateRecordWindow(className, titleKey, width, height, id, showCommand);
}

HWND CreateRecordWindow(const char* className, const char* titleKey, int width, int height, std::int32_t id,
                        int showCommand)
{
    if (MdiClient == nullptr)
        return nullptr;
    MDICREATESTRUCTA create = {};
    create.szClass = className;
    create.szTitle = GetLanguageText(titleKey);
    create.hOwner = AppInstance;
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = width;
    create.cy = height;
    create.lParam = static_cast<LPARAM>(id);
    HWND window = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (window != nullptr)
        ShowWindow(window, showCommand);
    return window;
}

std::int32_t CreationRecordId(LPARAM createStruct)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    return mdi != nullptr ? static_cast<std::int32_t>(mdi->lParam) : 0;
}

void DestroyRecordWindow(HWND window)
{
    SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

std::string RecordWindowCaption(const char* titleKey, const char* name, bool isNew, const char* newKey)
{
    char caption[256] = {};
    CopyBounded(caption, sizeof caption, GetLanguageText(titleKey));
    AppendBounded(caption, sizeof caption, " - ");
    AppendBounded(caption, sizeof caption, isNew ? GetLanguageText(newKey) : name);
    return caption;
}

void SetActiveRecordWindow(HWND window, bool active)
{
    if (active) {
        ActiveChild = window;
        ActiveDialogHost = window;
    } else if (ActiveChild == window) {
        ActiveChild = nullptr;
        ActiveDialogHost = nullptr;
    }
}

bool IsInActiveRecordWindow(HWND control)
{
    return ActiveChild != nullptr && (control == ActiveChild || IsChild(ActiveChild, control));
}

ItemPlacement::~ItemPlacement()
{
    if (positions_ != nullptr)
        EndDeferWindowPos(positions_);
}

void ItemPlacement::Place(int item, int x, int y, int width, int height)
{
    // A failed deferral has dropped the whole set; the rest are not placed either.
    if (positions_ != nullptr)
        positions_ = DeferWindowPos(positions_, GetDlgItem(dialog_, item), nullptr, x, y, width, height,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TabPageArea(HWND tabs)
{
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, GetParent(tabs), reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void AddTab(HWND tabs, const char* key, LPARAM data)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(GetLanguageText(key));
    item.lParam = data;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tabs, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item));
}

LPARAM SelectedTabData(HWND tabs, LPARAM none)
{
    const int selected = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    if (selected < 0)
        return none;
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(tabs, TCM_GETITEMA, selected, reinterpret_cast<LPARAM>(&item)))
        return none;
    return item.lParam;
}

bool SelectTabByData(HWND tabs, LPARAM data)
{
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        if (SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)) && item.lParam == data) {
            SendMessageA(tabs, TCM_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}

void RaisePages(std::span<const HWND> pages)
{
    for (HWND page : pages)
        if (page != nullptr)
            SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PlacePages(HWND tabs, std::span<const HWND> pages)
{
    const RECT area = TabPageArea(tabs);
    for (HWND page : pages)
        if (page != nullptr)
            MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void HidePages(std::span<const HWND> pages)
{
    for (HWND page : pages)
        if (page != nullptr)
            ShowWindow(page, SW_HIDE);
}

void FitListToPage(HWND page, int width, int height)
{
    MoveWindow(GetDlgItem(page, IDC_RECORD_PAGE_LIST), 0, 0, width < 100 ? 100 : width, height < 50 ? 50 : height,
               TRUE);
}

void AttachRecordWindow(HWND window, std::unique_ptr<RecordWindow> state)
{
    state->window = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state.release()));
}

RecordWindow* RecordWindowOf(HWND window)
{
    return reinterpret_cast<RecordWindow*>(GetWindowLongPtrA(window, 0));
}

void MarkRecordChanged(RecordWindow& state)
{
    if (state.filling)
        return;
    state.changed = true;
    state.EnableCommands();
}

bool EnsureRecordStored(RecordWindow& state, const char* questionKey, UINT icon)
{
    if (state.RecordId() != 0)
        return true;
    if (ShowMessageBox(state.editor, GetLanguageText(questionKey), GetLanguageText(state.SaveTitleKey()),
                       MB_YESNO | icon) != IDYES)
        return false;
    return state.Save();
}

bool StoreBeforeMerge(RecordWindow& state, const char* newQuestionKey)
{
    if (state.RecordId() == 0)
        return EnsureRecordStored(state, newQuestionKey, MB_ICONEXCLAMATION);
    return !state.changed || state.Save();
}

void CloseAfterDeletion(RecordWindow& state, std::int32_t id)
{
    state.changed = false;
    state.deleted = true;
    PostMessageA(state.window, WM_CLOSE, 0, 0);
    if (id != 0)
        PostNoticeToFrame(state.DeletedNotice(), 0, static_cast<LPARAM>(id));
}

void SwitchToTab(RecordWindow& state, HWND tabs, std::span<const HWND> pages, int tab)
{
    HidePages(pages);
    SelectTabByData(tabs, tab);
    if (HWND page = pages[static_cast<std::size_t>(tab)])
        ShowWindow(page, SW_SHOW);
    state.EnableCommands();
}

void PassCommandToTab(RecordWindow& state, HWND tabs, std::span<const HWND> pages, int tab, UINT command,
                      LPARAM parameter)
{
    HWND page = pages[static_cast<std::size_t>(tab)];
    if (page == nullptr)
        return;
    SwitchToTab(state, tabs, pages, tab);
    SendMessageA(page, WM_COMMAND, command, parameter);
}

void AnswerTabNotice(RecordWindow& state, std::span<const HWND> pages, const NMHDR& header)
{
    if (header.code == TCN_SELCHANGING) {
        HidePages(pages);
    } else if (header.code == TCN_SELCHANGE) {
        if (HWND page = state.CurrentPage())
            ShowWindow(page, SW_SHOW);
        state.EnableCommands();
    }
}

namespace {

// Answers non-zero when the window stays open.
LRESULT CloseRecordWindow(RecordWindow& state)
{
    if (state.changed && !state.deleted) {
        const int answer =
            ShowMessageBox(state.window, GetLanguageText(state.SaveQuestionKey()),
                           GetLanguageText(state.SaveTitleKey()), MB_YESNOCANCEL | state.SaveQuestionIcon());
        if (answer == IDCANCEL)
            return 1;
        // A save that failed keeps the window, and what was typed, open.
        if (answer == IDYES && !state.Save())
            return 1;
    }
    DestroyRecordWindow(state.window);
    return 0;
}

} // namespace

LRESULT AnswerRecordWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordWindow* state = RecordWindowOf(window);
    if (state != nullptr && message == WM_NCDESTROY) {
        if (ActiveChild == window) {
            SetActiveRecordWindow(window, false);
            state->DisableCommands();
        }
        SetWindowLongPtrA(window, 0, 0);
        delete state;
        return DefMDIChildProcA(window, message, wParam, lParam);
    }
    if (state == nullptr || state->editor == nullptr)
        return DefMDIChildProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        MoveWindow(state->editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == window) {
            SetActiveRecordWindow(window, true);
            state->EnableCommands();
            if (HWND page = state->CurrentPage())
                SendMessageA(page, WM_SHOWWINDOW, TRUE, 0);
        } else if (reinterpret_cast<HWND>(wParam) == window) {
            SetActiveRecordWindow(window, false);
            state->DisableCommands();
        }
        break;
    case WM_MOUSEACTIVATE:
        SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
        break;
    case WM_SETFOCUS:
        SetFocus(state->editor);
        return 0;
    case WM_CLOSE:
        return CloseRecordWindow(*state);
    case WM_COMMAND:
        SendMessageA(state->editor, message, wParam, lParam);
        return 0;
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, state->HelpTopic());
        return TRUE;
    default: {
        const std::int32_t id = state->RecordId();
        if (message == WM_QUERYCLOSECHILD)
            return SendMessageA(window, WM_CLOSE, 0, 0);
        if (message == WM_SHOWSRECORD) {
            if (wParam != state->RecordKind() || id == 0 || static_cast<std::int32_t>(lParam) != id)
                return 0;
            SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
            return 1;
        }
        if (message == WM_GETCURRENTRECORD)
            return wParam == state->RecordKind() ? id : 0;
        if (message == state->DeletedNotice() && lParam != 0 && static_cast<std::int32_t>(lParam) == id) {
            state->deleted = true;
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 1;
        }
        if (state->IsEditorNotice(message)) {
            SendMessageA(state->editor, message, wParam, lParam);
            return 1;
        }
        break;
    }
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
