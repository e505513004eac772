// The merge dialog of persons: the other person is chosen in the person list first; then the user keeps
// the name and the sex of either person.
#include <memory>
#include <string>

#include "core/database.h"
#include "core/name_record.h"
#include "language/language_table.h"
#include "persons/person_merge.h"
#include "persons/person_record.h"
#include "persons/ui/person_list.h"
#include "persons/ui/person_window.h"
#include "res/person_window_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* MergeHelpTopic = "Merge.htm";
constexpr INT_PTR Merged = 1;
constexpr INT_PTR NotMerged = 0;

struct PersonMergeState {
    PersonRecord* kept;
    std::unique_ptr<PersonRecord> other;
};

std::string NameText(const PersonRecord& person)
{
    char name[256] = {};
    if (const NameRecord* primary = person.Name())
        primary->Format(name, sizeof name);
    return name;
}

const char* SexText(std::uint8_t sex)
{
    return GetLanguageText(sex == SexMale ? "PERSON_SEX_MALE" : sex == SexFemale ? "PERSON_SEX_FEMALE"
                                                                                  : "PERSON_SEX_UNKNOWN");
}

void ShowChoice(HWND dialog, int kept, int other, const std::string& keptText, const std::string& otherText)
{
    SetDlgItemTextA(dialog, kept, keptText.c_str());
    SetDlgItemTextA(dialog, other, otherText.c_str());
    CheckRadioButton(dialog, kept, other, kept);
}

INT_PTR InitPersonMerge(HWND dialog, LPARAM parameter)
{
    TranslateDialog(dialog);
    CentreOnOwner(dialog);
    auto* kept = reinterpret_cast<PersonRecord*>(parameter);
    PersonMergeState& merge = AttachDialogState(dialog, std::make_unique<PersonMergeState>(PersonMergeState{kept, nullptr}));
    const std::int32_t otherId =
        kept != nullptr ? SelectPersonTitled(GetWindow(dialog, GW_OWNER), kept->OwnerDatabase(), "PERSON_MERGE_SELECTTITLE")
                        : 0;
    if (otherId == 0 || otherId == kept->Id()) {
        EndDialog(dialog, NotMerged);
        return TRUE;
    }
    merge.other = std::make_unique<PersonRecord>(kept->OwnerDatabase());
    merge.other->ReadAndLoad(otherId);
    if (merge.other->Id() == 0) {
        EndDialog(dialog, NotMerged);
        return TRUE;
    }
    ShowChoice(dialog, IDC_PMERGE_NAME_KEPT, IDC_PMERGE_NAME_OTHER, NameText(*kept), NameText(*merge.other));
    ShowChoice(dialog, IDC_PMERGE_SEX_KEPT, IDC_PMERGE_SEX_OTHER, SexText(kept->row.sex), SexText(merge.other->row.sex));
    return TRUE;
}

void PersonMergeCommand(HWND dialog, PersonMergeState& merge, int command, int)
{
    if (command != IDOK || !merge.other)
        return;
    PersonMergeChoice take;
    take.name = IsDlgButtonChecked(dialog, IDC_PMERGE_NAME_OTHER) == BST_CHECKED;
    take.sex = IsDlgButtonChecked(dialog, IDC_PMERGE_SEX_OTHER) == BST_CHECKED;
    if (MergePersons(*merge.kept, *merge.other, take)) {
        EndDialog(dialog, Merged);
        return;
    }
    ShowWriteFailure(dialog);
    EndDialog(dialog, NotMerged);
}

INT_PTR PersonMergeMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<PersonMergeState>(dialog, message, wParam, lParam, MergeHelpTopic, InitPersonMerge,
                                                  PersonMergeCommand);
}

} // namespace

INT_PTR CALLBACK PersonMergeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PersonMergeMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
