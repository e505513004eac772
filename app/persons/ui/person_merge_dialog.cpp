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
#include "records/ui/record_merge_dialog.h"
#include "res/person_window_resource.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

using PersonMerge = RecordMerge<PersonRecord>;

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

std::unique_ptr<PersonRecord> LoadPerson(std::int32_t id, Database& database)
{
    auto person = std::make_unique<PersonRecord>(database);
    person->ReadAndLoad(id);
    return person;
}

INT_PTR InitPersonMerge(HWND dialog, LPARAM parameter)
{
    const PersonMerge* merge =
        StartMergeDialog<PersonRecord>(dialog, parameter, SelectPersonTitled, "PERSON_MERGE_SELECTTITLE", LoadPerson);
    if (merge == nullptr)
        return TRUE;
    const PersonRecord& kept = *merge->kept;
    const PersonRecord& other = *merge->other;
    ShowChoice(dialog, IDC_PMERGE_NAME_KEPT, IDC_PMERGE_NAME_OTHER, NameText(kept), NameText(other));
    ShowChoice(dialog, IDC_PMERGE_SEX_KEPT, IDC_PMERGE_SEX_OTHER, SexText(kept.row.sex), SexText(other.row.sex));
    return TRUE;
}

void PersonMergeCommand(HWND dialog, PersonMerge& merge, int command, int)
{
    if (command != IDOK || !merge.other)
        return;
    PersonMergeChoice take;
    take.name = IsDlgButtonChecked(dialog, IDC_PMERGE_NAME_OTHER) == BST_CHECKED;
    take.sex = IsDlgButtonChecked(dialog, IDC_PMERGE_SEX_OTHER) == BST_CHECKED;
    EndMergeDialog(dialog, MergePersons(*merge.kept, *merge.other, take));
}

INT_PTR PersonMergeMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<PersonMerge>(dialog, message, wParam, lParam, MergeHelpTopic, InitPersonMerge,
                                             PersonMergeCommand);
}

} // namespace

INT_PTR CALLBACK PersonMergeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PersonMergeMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
