// What the merge dialogs of the record windows share: the other record is chosen in its list before the
// dialog shows, and the dialog ends at once when there is nothing to merge.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/window_helpers.h"

class Database;

inline constexpr const char* MergeHelpTopic = "Merge.htm";

// What a merge dialog ends with.
inline constexpr INT_PTR Merged = 1;
inline constexpr INT_PTR NotMerged = 0;

// The state of a merge dialog: the record of the window, which is kept, and the one merged into it.
template <class Record> struct RecordMerge {
    Record* kept;
    std::unique_ptr<Record> other;
};

// The WM_INITDIALOG of a merge dialog over the kept record (`parameter`): the dialog is translated and
// centred on its owner, and `selectOther(owner, database, selectTitleKey)` asks the user for the other
// record, which `load(id, database)` reads. The state, once the other record is there; null when the
// dialog has ended, not merged: no record was chosen, the kept one was, or the choice does not read (`load`
// answers it without id).
template <class Record, class Select, class Load>
RecordMerge<Record>* StartMergeDialog(HWND dialog, LPARAM parameter, Select selectOther, const char* selectTitleKey,
                                      Load load)
{
    TranslateDialog(dialog);
    CentreOnOwner(dialog);
    auto* kept = reinterpret_cast<Record*>(parameter);
    RecordMerge<Record>& merge =
        AttachDialogState(dialog, std::make_unique<RecordMerge<Record>>(RecordMerge<Record>{kept, nullptr}));
    const std::int32_t otherId =
        kept != nullptr ? selectOther(GetWindow(dialog, GW_OWNER), kept->OwnerDatabase(), selectTitleKey) : 0;
    if (otherId == 0 || otherId == kept->Id()) {
        EndDialog(dialog, NotMerged);
        return nullptr;
    }
    merge.other = load(otherId, kept->OwnerDatabase());
    if (merge.other->Id() == 0) {
        EndDialog(dialog, NotMerged);
        return nullptr;
    }
    return &merge;
}

// Ends the dialog after the merge the user confirmed; one that could not be written is reported first.
inline void EndMergeDialog(HWND dialog, bool merged)
{
    if (!merged)
        ShowWriteFailure(dialog);
    EndDialog(dialog, merged ? Merged : NotMerged);
}
