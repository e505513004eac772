#include "persons/ui/structured_name_dialog.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/name_parts.h"
#include "core/name_record.h"
#include "language/language_table.h"
#include "res/names_resource.h"
#include "settings/settings.h"
#include "ui_common/editing_preferences.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/part_list_editor.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr PartListItems NamePartItems = {
    IDC_ADVNAME_PARTS, IDC_ADVNAME_TYPE,   IDC_ADVNAME_TEXT, IDC_ADVNAME_FORMATTED,
    IDC_ADVNAME_NEW,   IDC_ADVNAME_DELETE, IDC_ADVNAME_UP,   IDC_ADVNAME_DOWN,
};

constexpr const char* HelpTopic = "AdvancedName.htm";

std::vector<std::string> NameTypeNames()
{
    std::vector<std::string> names;
    for (int type = 1; type <= NamePartTypeCount; ++type)
        names.emplace_back(GetLanguageText(NamePartTypeKey(type).c_str()));
    return names;
}

// A name without parts gets the empty parts of the standard structure the settings choose.
NameParts WorkingCopy(const NameRecord& name)
{
    NameParts working(name.row.parts);
    if (working.IsEmpty())
        working.AddStandardStructure(GetLanguageText(NameStandardKey(CurrentSettings.edit.NewNames).c_str()));
    return working;
}

struct StructuredNameState {
    explicit StructuredNameState(NameRecord& edited)
        : name(&edited), working(WorkingCopy(edited)), parts(NamePartItems, working, NameTypeNames())
    {
    }
    NameRecord* name;
    NameParts working;
    PartListEditor parts;
};

BOOL InitStructuredName(HWND dialog, LPARAM parameter)
{
    if (StartPartListDialog<StructuredNameState, NameRecord>(
            dialog, parameter, {"ADVNAME_PART", "ADVNAME_TYPE", LVS_EX_GRIDLINES}) == nullptr)
        return TRUE;
    SetFocus(GetDlgItem(dialog, IDC_ADVNAME_TEXT));
    return FALSE; // the focus is set
}

void StructuredNameCommand(HWND dialog, StructuredNameState& state, int command, int notification)
{
    if (state.parts.Command(dialog, command, notification)) {
        if (command == IDC_ADVNAME_NEW)
            SetFocus(GetDlgItem(dialog, IDC_ADVNAME_TEXT));
        return;
    }
    switch (command) {
    case IDC_ADVNAME_UPDATE:
        state.parts.TakeFields(dialog);
        break;
    case IDC_ADVNAME_OPTIONS:
        if (OpenEditingPreferences != nullptr)
            OpenEditingPreferences(dialog);
        break;
    case IDOK:
        state.working.Normalise();
        state.working.CopyTo(state.name->row.parts);
        EndDialog(dialog, 1);
        break;
    default:
        break;
    }
}

INT_PTR StructuredNameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerPartListDialog<StructuredNameState>(dialog, message, wParam, lParam, HelpTopic, InitStructuredName,
                                                     StructuredNameCommand);
}

} // namespace

INT_PTR EditStructuredName(HWND owner, NameRecord& name)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_STRUCTURED_NAME), owner, StructuredNameDlgProc,
                           reinterpret_cast<LPARAM>(&name));
}

INT_PTR CALLBACK StructuredNameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<StructuredNameMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
