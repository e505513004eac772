// What the record windows (MDI children that host one modeless editor dialog) and their list pages
// share: opening a record in the window that shows it already or in a new one, the caption, the
// activation bookkeeping of the frame, and the list views of the pages whose items carry an index.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

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
    // The page on show, told when the window is activated so that it sets its own commands.
    virtual HWND CurrentPage() const = 0;
    virtual void EnableCommands() = 0;
    virtual void DisableCommands() = 0;
    // Saves the record; false (the user told) when it could not be written.
    virtual bool Save() = 0;
    virtual const char* SaveQuestionKey() const = 0;
    virtual const char* SaveTitleKey() const = 0;
    virtual const char* HelpTopic() const = 0;
};

// The window takes the state over.
void AttachRecordWindow(HWND window, std::unique_ptr<RecordWindow> state);
RecordWindow* RecordWindowOf(HWND window);
// Every message after WM_CREATE, as the record windows answer them alike: size, activation and the
// frame's commands, closing with the save question, the questions of window openers, the deletion of
// its own record (id 0 is no record), the notices for the editor, commands; the rest goes to the MDI
// child's default.
LRESULT AnswerRecordWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks each MDI child in turn whether it shows the record (WM_SHOWSRECORD); true when one answered that
// it does (it has activated itself).
bool ActivateWindowShowing(WPARAM kind, std::int32_t id);
// Creates and shows an MDI child of `className` titled by the language text of `titleKey`, at the
// system's default position with the given size, passing `id` as its creation parameter.
HWND CreateRecordWindow(const char* className, const char* titleKey, int width, int height, std::int32_t id);
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

// The display area of a tab control in its parent's coordinates: where its pages lie.
RECT TabPageArea(HWND tabs);
// Adds a tab of the language text of `key` carrying `data`.
void AddTab(HWND tabs, const char* key, LPARAM data);
// The data of the selected tab, or `none`.
LPARAM SelectedTabData(HWND tabs, LPARAM none);
// Selects the tab carrying `data`; false when there is none.
bool SelectTabByData(HWND tabs, LPARAM data);

// Full-row selection and the columns (language key, width).
void SetUpListColumns(HWND list, std::initializer_list<std::pair<const char*, int>> columns);
// A list view filling its page, at least 100 by 50 pixels.
void FitListToPage(HWND page, int width, int height);
