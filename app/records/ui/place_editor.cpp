#include "records/ui/place_editor.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/place_parts.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "res/assertions_resource.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/part_list_editor.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr PartListItems PlacePartItems = {IDC_PLACEEDIT_PARTS,     IDC_PLACEEDIT_TYPE, IDC_PLACEEDIT_TEXT,
                                          IDC_PLACEEDIT_FORMATTED, IDC_PLACEEDIT_NEW,  IDC_PLACEEDIT_DELETE,
                                          IDC_PLACEEDIT_UP,        IDC_PLACEEDIT_DOWN};

std::vector<std::string> PlaceTypeNames()
{
    std::vector<std::string> names;
    for (int type = 1; type <= PlacePartTypeCount; ++type)
        names.emplace_back(GetLanguageText(PlacePartTypeKey(type)));
    return names;
}

struct PlaceEditState {
    explicit PlaceEditState(PlaceRecord& edited)
        : place(&edited), working(edited.row.parts), parts(PlacePartItems, working, PlaceTypeNames())
    {
    }
    PlaceRecord* place;
    PlaceParts working;
    PartListEditor parts;
};

BOOL InitPlaceEdit(HWND dialog, LPARAM parameter)
{
    StartPartListDialog<PlaceEditState, PlaceRecord>(dialog, parameter, {"PLACE_EDIT_PART", "PLACE_EDIT_TYPE"});
    return TRUE;
}

void PlaceEditCommand(HWND dialog, PlaceEditState& state, int command, int notification)
{
    if (state.parts.Command(dialog, command, notification))
        return;
    if (command == IDOK) {
        state.working.CopyTo(state.place->row.parts);
        EndDialog(dialog, 1);
    }
}

INT_PTR PlaceEditMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerPartListDialog<PlaceEditState>(dialog, message, wParam, lParam, "AdvancedPlace.htm", InitPlaceEdit,
                                                PlaceEditCommand);
}

} // namespace

INT_PTR EditPlace(HWND owner, PlaceRecord& place)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PLACE_EDIT), owner, PlaceEditDlgProc,
                           reinterpret_cast<LPARAM>(&place));
}

INT_PTR CALLBACK PlaceEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PlaceEditMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
