// The list of parts with its type list, text field and New, Delete, Up and Down buttons that the dialogs
// editing a structured name or place share: every change of a field goes into the selected part at once,
// and the list and the formatted whole follow.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/window_helpers.h"

class EditableParts;

// The dialog items of the list and its fields.
struct PartListItems {
    int list;
    int type;
    int text;
    int formatted;
    int newPart;
    int deletePart;
    int up;
    int down;
};

// The two columns of the list: the part's characters and the type's name (language keys), and the extended
// list-view styles beyond full-row selection.
struct PartListColumns {
    const char* partKey;
    const char* typeKey;
    DWORD extraStyles = 0;
};

class PartListEditor {
public:
    // `typeNames` names the types 1, 2 ... in order.
    PartListEditor(const PartListItems& items, EditableParts& parts, std::vector<std::string> typeNames)
        : items_(items), parts_(&parts), typeNames_(std::move(typeNames))
    {
    }

    // Gives the buttons their images and tooltips, makes the columns, fills the type list and the rows,
    // selects the first row and shows it.
    void Start(HWND dialog, const PartListColumns& columns);
    // Frees the buttons' images and tooltips (on WM_DESTROY).
    void Stop(HWND dialog);
    // Answers the list's buttons and the fields' changes; false for any other command.
    bool Command(HWND dialog, int command, int notification);
    // Answers the list's notifications (selection, Delete key); false for other items.
    bool Notify(HWND dialog, const NMHDR& header);
    // The fields' type and text go into the selected part, when it fits.
    void TakeFields(HWND dialog);
    // The list emptied, one row per part, then the first row selected.
    void FillRows(HWND dialog);

    int SelectedRow(HWND dialog) const;

private:
    void RefreshRows(HWND dialog);
    void ShowSelected(HWND dialog);
    void UpdateButtons(HWND dialog);
    void SelectAfterChange(HWND dialog, int row);
    const char* TypeName(int type) const;

    PartListItems items_;
    EditableParts* parts_;
    std::vector<std::string> typeNames_;
    bool showing_ = false; // set while the fields are filled from the selected part
};

// The WM_INITDIALOG of a modal dialog that edits the parts of `parameter` (an Edited) in the PartListEditor
// `parts` of its state (DialogStateOf), a State made over the edited object: the texts translated, the list
// started with `columns`, the dialog centred on its owner. The state; null when there is nothing to edit,
// and the dialog has ended with 0.
template <typename State, typename Edited>
State* StartPartListDialog(HWND dialog, LPARAM parameter, const PartListColumns& columns)
{
    auto* edited = reinterpret_cast<Edited*>(parameter);
    if (edited == nullptr) {
        EndDialog(dialog, 0);
        return nullptr;
    }
    State& state = AttachDialogState(dialog, std::make_unique<State>(*edited));
    TranslateDialog(dialog);
    state.parts.Start(dialog, columns);
    CentreOnOwner(dialog);
    return &state;
}

// The answers to WM_NOTIFY and WM_DESTROY of a dialog whose state (DialogStateOf) holds its PartListEditor
// in `parts`; false for other messages.
template <typename State> bool AnswerPartListMessage(HWND dialog, UINT message, LPARAM lParam, INT_PTR& answer)
{
    State* state = DialogStateOf<State>(dialog);
    if (message == WM_NOTIFY) {
        answer = state != nullptr && state->parts.Notify(dialog, *reinterpret_cast<const NMHDR*>(lParam));
        return true;
    }
    if (message == WM_DESTROY && state != nullptr)
        state->parts.Stop(dialog);
    return false;
}

// Every message of such a dialog: the list's, then those a stateful dialog answers (AnswerStatefulDialog).
template <typename State, typename Init, typename Command>
INT_PTR AnswerPartListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const char* helpTopic, Init init,
                             Command command)
{
    if (INT_PTR answer = FALSE; AnswerPartListMessage<State>(dialog, message, lParam, answer))
        return answer;
    return AnswerStatefulDialog<State>(dialog, message, wParam, lParam, helpTopic, init, command);
}
