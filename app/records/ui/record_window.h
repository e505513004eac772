// What the record windows (MDI children that host one modeless editor dialog) and their list pages
// share: opening a record in the window that shows it already or in a new one, the creation and the
// caption, the activation bookkeeping of the frame, saving, merging and deleting as the windows do it
// alike, the tab pages of the editors, and the lists that fill the record windows' pages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/window_helpers.h"

// The state of a record window, kept in its first extra bytes from WM_CREATE to WM_NCDESTROY: the
// editor dialog it hosts, whether the record has unsaved changes, and what sets the kinds apart.
class RecordWindow {
public:
    virtual ~RecordWindow() = default;

    HWND window = nullptr;
    HWND editor = nullptr;
    bool changed = false;
    // The record was deleted (here or elsewhere): the window closes without offering to save it, which
    // would write into a freed id.
    bool deleted = false;
    // The fields are being filled from the record: their change notices are not the user's edits.
    bool filling = false;

    virtual WPARAM RecordKind() const = 0;
    virtual std::int32_t RecordId() const = 0;
    // The notice of a deleted record of this kind; the other notices the editor takes.
    virtual UINT DeletedNotice() const = 0;
    virtual bool IsEditorNotice(UINT message) const = 0;
    // The page on show, told when the window is activated so that it sets its own commands; null for an
    // editor without pages.
    virtual HWND CurrentPage() const = 0;
    virtual void EnableCommands() = 0;
    virtual void DisableCommands() = 0;
    // Saves the record; false (the user told) when it could not be written.
    virtual bool Save() = 0;
    // The question on closing with unsaved changes.
    virtual const char* SaveQuestionKey() const = 0;
    virtual const char* SaveTitleKey() const = 0;
    virtual UINT SaveQuestionIcon() const { return MB_ICONQUESTION; }
    virtual const char* HelpTopic() const = 0;
};

// The window takes the state over.
void AttachRecordWindow(HWND window, std::unique_ptr<RecordWindow> state);
RecordWindow* RecordWindowOf(HWND window);
template <class Window> Window* RecordWindowOf(HWND window)
{
    return static_cast<Window*>(RecordWindowOf(window));
}

// The end of a record window's WM_CREATE, once its record is loaded: the window takes `state` over and
// `showCaption(window, state)` captions it; then the editor dialog `dialogId` is made over the state, whose
// WM_INITDIALOG sets `editor` (see AttachEditor), and shown. -1, which fails the creation, when the editor
// could not be made.
template <class Window, class ShowCaption>
LRESULT StartRecordWindow(HWND window, std::unique_ptr<Window> state, ShowCaption showCaption, int dialogId,
                          DLGPROC editorProcedure)
{
    Window& attached = *state;
    AttachRecordWindow(window, std::move(state));
    showCaption(window, attached);
    CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(dialogId), window, editorProcedure,
                       reinterpret_cast<LPARAM>(&attached));
    if (attached.editor == nullptr)
        return -1;
    ShowWindow(attached.editor, SW_SHOW);
    return 0;
}

// The WM_INITDIALOG of the editor: it keeps the window's state in DWLP_USER (DialogStateOf reads it) and
// its texts are translated.
template <class Window> void AttachEditor(HWND editor, Window& state)
{
    state.editor = editor;
    SetWindowLongPtrA(editor, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    TranslateDialog(editor);
}

// Every message after WM_CREATE, as the record windows answer them alike: size, activation and the
// frame's commands, closing with the save question, the questions of window openers, the deletion of
// its own record (id 0 is no record), the notices for the editor, commands; the rest goes to the MDI
// child's default, as everything does until the editor is there. WM_NCDESTROY deletes the state.
LRESULT AnswerRecordWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Activates the window that shows record `id` of `kind` and answers it when there is one; else
// CreateRecordWindow makes a new one (id 0: a new record).
HWND OpenRecordWindow(WPARAM kind, const char* className, const char* titleKey, int width, int height, std::int32_t id,
                      int showCommand = SW_SHOWNORMAL);
// Asks each MDI child in turn whether it shows the record (WM_SHOWSRECORD); the first that answers that
// it does, which activates itself, or null.
HWND ActivateWindowShowing(WPARAM kind, std::int32_t id);
// Creates an MDI child of `className` titled by the language text of `titleKey`, at the system's default
// position with the given size, passing `id` as its creation parameter, and shows it with `showCommand`.
HWND CreateRecordWindow(const char* className, const char* titleKey, int width, int height, std::int32_t id,
                        int showCommand = SW_SHOWNORMAL);
// The id passed to CreateRecordWindow, from the WM_CREATE of the MDI child.
std::int32_t CreationRecordId(LPARAM createStruct);
// Closes an MDI child at once, asking nothing.
void DestroyRecordWindow(HWND window);

// "<text of titleKey> - <name>", or the text of `newKey` in place of the name for a record without id;
// at most 255 characters.
std::string RecordWindowCaption(const char* titleKey, const char* name, bool isNew, const char* newKey);

// The frame's active document window and the window whose dialog gets the keyboard: set on activation,
// cleared when `window` loses it.
void SetActiveRecordWindow(HWND window, bool active);
// Whether `control` lies in the active document window, so that it may set the frame's commands.
bool IsInActiveRecordWindow(HWND control);

// An edit of the user's (not the filling of the fields): the record has unsaved changes, which the
// window's commands show.
void MarkRecordChanged(RecordWindow& state);
// A record gets children only once it is stored: a new one is saved first when the user agrees to the
// question of `questionKey` (asked with `icon`). False when the record is still not stored.
bool EnsureRecordStored(RecordWindow& state, const char* questionKey, UINT icon);
// A merge works on the record as stored: a new one is saved when the user agrees to the question of
// `newQuestionKey`, a changed one at once. False when the merge cannot go ahead.
bool StoreBeforeMerge(RecordWindow& state, const char* newQuestionKey);
// The record `id` (0: it was never stored) was deleted in this window: the window closes without asking
// to save it, and the other windows are told.
void CloseAfterDeletion(RecordWindow& state, std::int32_t id);

// Moves the items of an editor together, as one change of the screen, keeping their order: each Place
// while the object lives, all of them when it goes.
class ItemPlacement {
public:
    // `count`: how many items are placed, as the system may reserve room for them.
    ItemPlacement(HWND dialog, int count) : dialog_(dialog), positions_(BeginDeferWindowPos(count)) {}
    ~ItemPlacement();
    ItemPlacement(const ItemPlacement&) = delete;
    ItemPlacement& operator=(const ItemPlacement&) = delete;

    void Place(int item, int x, int y, int width, int height);

private:
    HWND dialog_;
    HDWP positions_;
};

// The display area of a tab control in its parent's coordinates: where its pages lie.
RECT TabPageArea(HWND tabs);
// Adds a tab of the language text of `key` carrying `data`.
void AddTab(HWND tabs, const char* key, LPARAM data);
// The data of the selected tab, or `none`.
LPARAM SelectedTabData(HWND tabs, LPARAM none);
// Selects the tab carrying `data`; false when there is none.
bool SelectTabByData(HWND tabs, LPARAM data);

// The pages of a tabbed editor, indexed by the data of their tabs and null where a page could not be
// made: lifted above the tab control so that they show over it, placed in its display area, hidden.
void RaisePages(std::span<const HWND> pages);
void PlacePages(HWND tabs, std::span<const HWND> pages);
void HidePages(std::span<const HWND> pages);
// Shows the page of the tab carrying `tab` as the user's choice of the tab would: the other pages hidden,
// the window's commands set for the page.
void SwitchToTab(RecordWindow& state, HWND tabs, std::span<const HWND> pages, int tab);
// Has the page of the tab carrying `tab` take `command` (with `parameter`) as WM_COMMAND, switching to the
// tab first; nothing when the page could not be made.
void PassCommandToTab(RecordWindow& state, HWND tabs, std::span<const HWND> pages, int tab, UINT command,
                      LPARAM parameter);
// The tab control's notices: the page of the tab being left is hidden, that of the tab chosen shown.
void AnswerTabNotice(RecordWindow& state, std::span<const HWND> pages, const NMHDR& header);

// What sets the editor of a record window with tab pages (a Window with `pages` indexed by the data of
// their tabs) apart from the others.
template <class Window> struct TabbedEditor {
    int tabsItem;
    // WM_INITDIALOG, which starts with AttachEditor.
    void (*init)(HWND editor, Window& state);
    // Places the editor's items for its new size; the pages follow.
    void (*layOut)(const Window& state, int width, int height);
    void (*command)(Window& state, UINT command, UINT notification, LPARAM parameter);
    // Any other message: true when the editor took it.
    bool (*notice)(Window& state, UINT message, WPARAM wParam, LPARAM lParam);
};

// The messages of such an editor, as they all answer them: WM_INITDIALOG over the window's state (its
// creation parameter), the size with the pages placed to it, the commands, the tab control's notices, F1
// with the window's help topic, and the rest for `notice`.
template <class Window>
INT_PTR AnswerTabbedEditorMessage(const TabbedEditor<Window>& kind, HWND editor, UINT message, WPARAM wParam,
                                  LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        kind.init(editor, *reinterpret_cast<Window*>(lParam));
        return FALSE;
    }
    Window* state = DialogStateOf<Window>(editor);
    if (state == nullptr)
        return FALSE;
    switch (message) {
    case WM_SIZE:
        kind.layOut(*state, LOWORD(lParam), HIWORD(lParam));
        PlacePages(GetDlgItem(editor, kind.tabsItem), state->pages);
        return TRUE;
    case WM_COMMAND:
        kind.command(*state, LOWORD(wParam), HIWORD(wParam), lParam);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == static_cast<UINT_PTR>(kind.tabsItem))
            AnswerTabNotice(*state, state->pages, *header);
        return TRUE;
    }
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, state->HelpTopic());
        return TRUE;
    default:
        return kind.notice(*state, message, wParam, lParam) ? TRUE : FALSE;
    }
}

// A list view filling its page, at least 100 by 50 pixels.
void FitListToPage(HWND page, int width, int height);
