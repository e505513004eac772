// The merge dialogs of sources and repositories: the other record is chosen in its list first; each row
// shows both records' value of a field with a radio button for the value to keep.
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/address_record.h"
#include "core/database.h"
#include "records/record_merge.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/record_merge_dialog.h"
#include "records/ui/repository_window.h"
#include "records/ui/source_window.h"
#include "records/ui/task_dialog.h"
#include "res/sources_resource.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

struct RowItems {
    int kept;
    int other;
    int keptText;
    int otherText;
};

void ShowRow(HWND dialog, const RowItems& row, const std::string& kept, const std::string& other)
{
    CheckRadioButton(dialog, row.kept < row.other ? row.kept : row.other, row.kept < row.other ? row.other : row.kept,
                     row.kept);
    SetDlgItemTextA(dialog, row.keptText, kept.c_str());
    SetDlgItemTextA(dialog, row.otherText, other.c_str());
}

bool TakesOther(HWND dialog, const RowItems& row)
{
    return IsDlgButtonChecked(dialog, row.other) == BST_CHECKED;
}

// The other record of a source or repository merge, read by its id; its linked objects are loaded once it
// is known to read.
template <class Record> std::unique_ptr<Record> LoadOther(std::int32_t id, Database& database)
{
    return std::make_unique<Record>(id, database);
}

// Sources.

using SourceMerge = RecordMerge<SourceRecord>;

struct SourceRowSpec {
    RowItems items;
    bool SourceMergeChoice::*choice;
};

const SourceRowSpec SourceRows[] = {
    {{IDC_SMERGE_AUTHOR_KEPT, IDC_SMERGE_AUTHOR_OTHER, IDC_SMERGE_AUTHOR_KEPTTEXT, IDC_SMERGE_AUTHOR_OTHERTEXT},
     &SourceMergeChoice::author},
    {{IDC_SMERGE_TITLE_KEPT, IDC_SMERGE_TITLE_OTHER, IDC_SMERGE_TITLE_KEPTTEXT, IDC_SMERGE_TITLE_OTHERTEXT},
     &SourceMergeChoice::title},
    {{IDC_SMERGE_SHORT_KEPT, IDC_SMERGE_SHORT_OTHER, IDC_SMERGE_SHORT_KEPTTEXT, IDC_SMERGE_SHORT_OTHERTEXT},
     &SourceMergeChoice::shortTitle},
    {{IDC_SMERGE_PUBLISHED_KEPT, IDC_SMERGE_PUBLISHED_OTHER, IDC_SMERGE_PUBLISHED_KEPTTEXT,
      IDC_SMERGE_PUBLISHED_OTHERTEXT},
     &SourceMergeChoice::published},
    {{IDC_SMERGE_SERIAL_KEPT, IDC_SMERGE_SERIAL_OTHER, IDC_SMERGE_SERIAL_KEPTTEXT, IDC_SMERGE_SERIAL_OTHERTEXT},
     &SourceMergeChoice::serialNumber},
    {{IDC_SMERGE_CLASS_KEPT, IDC_SMERGE_CLASS_OTHER, IDC_SMERGE_CLASS_KEPTTEXT, IDC_SMERGE_CLASS_OTHERTEXT},
     &SourceMergeChoice::sourceClass},
    {{IDC_SMERGE_KIND_KEPT, IDC_SMERGE_KIND_OTHER, IDC_SMERGE_KIND_KEPTTEXT, IDC_SMERGE_KIND_OTHERTEXT},
     &SourceMergeChoice::kind},
    {{IDC_SMERGE_MEDIA_KEPT, IDC_SMERGE_MEDIA_OTHER, IDC_SMERGE_MEDIA_KEPTTEXT, IDC_SMERGE_MEDIA_OTHERTEXT},
     &SourceMergeChoice::media},
    {{IDC_SMERGE_SUPERIOR_KEPT, IDC_SMERGE_SUPERIOR_OTHER, IDC_SMERGE_SUPERIOR_KEPTTEXT, IDC_SMERGE_SUPERIOR_OTHERTEXT},
     &SourceMergeChoice::superior},
};

// The source's value of each row, in the order of SourceRows.
std::vector<std::string> SourceValues(const SourceRecord& source)
{
    const SourceRow& row = source.row;
    return {row.author,
            row.title,
            row.shortTitle,
            row.published,
            SerialNumberText(row),
            source.GetSourceClassText(),
            source.GetSourceKindText(),
            source.GetSourceMediaText(),
            SourceTitleText(row.superiorId, source.OwnerDatabase())};
}

INT_PTR InitSourceMerge(HWND dialog, LPARAM parameter)
{
    SourceMerge* merge = StartMergeDialog<SourceRecord>(dialog, parameter, SelectSourceTitled,
                                                        "SOURCE_MERGE_SELECTTITLE", LoadOther<SourceRecord>);
    if (merge == nullptr)
        return TRUE;
    merge->other->LoadLinked();
    const std::vector<std::string> keptValues = SourceValues(*merge->kept);
    const std::vector<std::string> otherValues = SourceValues(*merge->other);
    for (std::size_t i = 0; i < std::size(SourceRows); ++i)
        ShowRow(dialog, SourceRows[i].items, keptValues[i], otherValues[i]);
    return TRUE;
}

void SourceMergeCommand(HWND dialog, SourceMerge& merge, int command, int)
{
    if (command != IDOK || !merge.other)
        return;
    SourceMergeChoice take;
    for (const SourceRowSpec& row : SourceRows)
        take.*row.choice = TakesOther(dialog, row.items);
    EndMergeDialog(dialog, MergeSources(*merge.kept, *merge.other, take));
}

INT_PTR SourceMergeMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<SourceMerge>(dialog, message, wParam, lParam, MergeHelpTopic, InitSourceMerge,
                                             SourceMergeCommand);
}

// Repositories.

using RepositoryMerge = RecordMerge<RepositoryRecord>;

bool RepositoryMergeChoice::*const RepositoryChoices[] = {
    &RepositoryMergeChoice::name,  &RepositoryMergeChoice::line1, &RepositoryMergeChoice::line2,
    &RepositoryMergeChoice::city,  &RepositoryMergeChoice::country, &RepositoryMergeChoice::phone,
    &RepositoryMergeChoice::fax,   &RepositoryMergeChoice::email, &RepositoryMergeChoice::url,
};

RowItems RepositoryRow(std::size_t index)
{
    const int first = IDC_RMERGE_FIRST + static_cast<int>(index) * IDC_RMERGE_ROW_STRIDE;
    return {first + IDC_RMERGE_KEPT, first + IDC_RMERGE_OTHER, first + IDC_RMERGE_KEPTTEXT, first + IDC_RMERGE_OTHERTEXT};
}

std::vector<std::string> RepositoryValues(RepositoryRecord& repository)
{
    AddressRow address = {};
    if (const AddressRecord* stored = repository.Address())
        address = stored->row;
    return {repository.row.name, address.line1, address.line2, address.city,     address.country,
            address.phone,       address.fax,   repository.row.email, repository.row.url};
}

INT_PTR InitRepositoryMerge(HWND dialog, LPARAM parameter)
{
    RepositoryMerge* merge = StartMergeDialog<RepositoryRecord>(dialog, parameter, SelectRepositoryTitled,
                                                                "REPOS_MERGE_SELECTTITLE", LoadOther<RepositoryRecord>);
    if (merge == nullptr)
        return TRUE;
    merge->other->LoadLinked();
    const std::vector<std::string> keptValues = RepositoryValues(*merge->kept);
    const std::vector<std::string> otherValues = RepositoryValues(*merge->other);
    for (std::size_t i = 0; i < std::size(RepositoryChoices); ++i)
        ShowRow(dialog, RepositoryRow(i), keptValues[i], otherValues[i]);
    return TRUE;
}

void RepositoryMergeCommand(HWND dialog, RepositoryMerge& merge, int command, int)
{
    if (command != IDOK || !merge.other)
        return;
    RepositoryMergeChoice take;
    for (std::size_t i = 0; i < std::size(RepositoryChoices); ++i)
        take.*RepositoryChoices[i] = TakesOther(dialog, RepositoryRow(i));
    EndMergeDialog(dialog, MergeRepositories(*merge.kept, *merge.other, take));
}

INT_PTR RepositoryMergeMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<RepositoryMerge>(dialog, message, wParam, lParam, MergeHelpTopic,
                                                 InitRepositoryMerge, RepositoryMergeCommand);
}

} // namespace

INT_PTR CALLBACK MergeSourcesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SourceMergeMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK RepositoryMergeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RepositoryMergeMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
