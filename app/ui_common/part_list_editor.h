// The list of parts with its type list, text field and New, Delete, Up and Down buttons that the dialogs
// editing a structured name or place share: every change of a field goes into the selected part at once,
// and the list and the formatted whole follow.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

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

class PartListEditor {
public:
    // `typeNames` names the types 1, 2 ... in order; the list's columns are the caller's.
    PartListEditor(const PartListItems& items, EditableParts& parts, std::vector<std::string> typeNames)
        : items_(items), parts_(&parts), typeNames_(std::move(typeNames))
    {
    }

    // Fills the type list and the rows, selects the first row and shows it.
    void Start(HWND dialog);
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
