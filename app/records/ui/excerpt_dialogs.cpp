// The excerpt dialog and the excerpt selection dialog.
#include "records/ui/excerpt_pages.h"

#include <commctrl.h>
#include <richedit.h>

#include <iterator>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "persons/excerpt_usage.h"
#include "records/excerpt_record.h"
#include "records/source_record.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/task_dialog.h"
#include "res/excerpts_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* ExcerptHelpTopic = "Window_SourceCitation.htm";
constexpr const char* SelectHelpTopic = "Window_SourceCitationSelect.htm";
constexpr const char* const QualityKeys[] = {"EXCERPT_QUALITY_UNKNOWN", "EXCERPT_QUALITY_POOR",
                                             "EXCERPT_QUALITY_QUESTIONABLE", "EXCERPT_QUALITY_GOOD",
                                             "EXCERPT_QUALITY_VERYGOOD"};
// The selection list shows the beginning of each excerpt's text.
constexpr std::size_t TextPreviewLength = 63;

std::string SourceTitle(std::int32_t sourceId)
{
    return CurrentDatabase != nullptr ? SourceTitleText(sourceId, *CurrentDatabase) : std::string();
}

// The excerpt dialog. The chosen source is kept apart until OK, so that Cancel changes nothing.
struct ExcerptEdit {
    ExcerptRecord* excerpt;
    std::int32_t sourceId;
};

constexpr int SourceBoundItems[] = {IDC_EXCERPT_QUALITY, IDC_EXCERPT_PAGE, IDC_EXCERPT_TEXT, IDC_EXCERPT_NOTE, IDOK};

void EnableSourceBoundItems(HWND dialog, bool enable)
{
    for (int item : SourceBoundItems)
        EnableWindow(GetDlgItem(dialog, item), enable);
}

void FillUsage(HWND dialog, ExcerptRecord& excerpt)
{
    HWND list = GetDlgItem(dialog, IDC_EXCERPT_USAGE);
    AddListViewColumn(list, 0, "EXCERPT_USAGE_HEADING1", 100);
    AddListViewColumn(list, 1, "EXCERPT_USAGE_HEADING2", 240);
    std::size_t row = 0;
    for (const ExcerptUsageRow& usage : ListExcerptUsage(excerpt))
        AppendListRow(list, row++, {GetLanguageText(usage.typeKey), usage.name});
}

INT_PTR InitExcerptDialog(HWND dialog, LPARAM parameter)
{
    auto* excerpt = reinterpret_cast<ExcerptRecord*>(parameter);
    ExcerptEdit& edit = AttachDialogState(dialog, std::make_unique<ExcerptEdit>(ExcerptEdit{excerpt, 0}));
    if (excerpt == nullptr || CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    TranslateDialog(dialog);
    HWND quality = GetDlgItem(dialog, IDC_EXCERPT_QUALITY);
    for (const char* key : QualityKeys)
        SendMessageA(quality, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    const std::uint8_t grade = excerpt->row.quality;
    SendMessageA(quality, CB_SETCURSEL, grade < std::size(QualityKeys) ? grade : std::uint8_t{ExcerptQualityUnknown}, 0);
    edit.sourceId = excerpt->row.sourceId;
    SetDlgItemTextA(dialog, IDC_EXCERPT_SOURCE, SourceTitle(edit.sourceId).c_str());
    EnableSourceBoundItems(dialog, edit.sourceId != 0);
    SendDlgItemMessageA(dialog, IDC_EXCERPT_PAGE, EM_LIMITTEXT, ExcerptPageSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_EXCERPT_PAGE, excerpt->row.page);
    PrepareNoteEdit(GetDlgItem(dialog, IDC_EXCERPT_TEXT), excerpt->Text());
    PrepareNoteEdit(GetDlgItem(dialog, IDC_EXCERPT_NOTE), excerpt->Note());
    FillUsage(dialog, *excerpt);
    CentreOnOwner(dialog);
    // The user starts with the page, or with choosing a source when there is none yet.
    SetFocus(GetDlgItem(dialog, edit.sourceId != 0 ? IDC_EXCERPT_PAGE : IDC_EXCERPT_SELECT));
    return FALSE;
}

void ExcerptDialogCommand(HWND dialog, ExcerptEdit& edit, int command, int)
{
    switch (command) {
    case IDC_EXCERPT_SELECT:
        if (const std::int32_t id = SelectSource(dialog, *CurrentDatabase); id != 0) {
            edit.sourceId = id;
            SetDlgItemTextA(dialog, IDC_EXCERPT_SOURCE, SourceTitle(id).c_str());
            EnableSourceBoundItems(dialog, true);
        }
        return;
    case IDOK: {
        if (edit.sourceId == 0)
            return; // OK waits for a source
        ExcerptRecord& excerpt = *edit.excerpt;
        excerpt.row.sourceId = edit.sourceId;
        char page[ExcerptPageSize] = {};
        GetDlgItemTextA(dialog, IDC_EXCERPT_PAGE, page, sizeof page);
        excerpt.SetPage(page);
        const LRESULT grade = SendDlgItemMessageA(dialog, IDC_EXCERPT_QUALITY, CB_GETCURSEL, 0, 0);
        excerpt.row.quality = static_cast<std::uint8_t>(grade > 0 ? grade : LRESULT{ExcerptQualityUnknown});
        ReadNoteFromEdit(excerpt.EnsureText(), GetDlgItem(dialog, IDC_EXCERPT_TEXT));
        ReadNoteFromEdit(excerpt.EnsureNote(), GetDlgItem(dialog, IDC_EXCERPT_NOTE));
        EndDialog(dialog, 1);
        return;
    }
    default:
        return;
    }
}

INT_PTR ExcerptDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<ExcerptEdit>(dialog, message, wParam, lParam, ExcerptHelpTopic, InitExcerptDialog,
                                             ExcerptDialogCommand);
}

// The selection dialog.

HWND Choices(HWND dialog)
{
    return GetDlgItem(dialog, IDC_EXCERPT_CHOICES);
}

int SelectedChoice(HWND dialog)
{
    return static_cast<int>(SendMessageA(Choices(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void InsertChoice(HWND list, std::int32_t excerptId, std::initializer_list<std::string> cells)
{
    AppendListRow(list, static_cast<std::size_t>(excerptId), cells);
}

// One row per excerpt of the source in its order (the row's data is the excerpt's id), then the row that
// makes a new excerpt (data 0).
void FillChoices(HWND dialog, std::int32_t sourceId)
{
    HWND list = Choices(dialog);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SourceRecord source(sourceId, *CurrentDatabase);
    source.LoadExcerpts();
    RecordList<ExcerptRecord>& excerpts = source.Excerpts();
    for (std::size_t i = 0; i < excerpts.Count(); ++i) {
        ExcerptRecord& excerpt = excerpts[i];
        const char* text = excerpt.Text() != nullptr && excerpt.Text()->Text() != nullptr ? excerpt.Text()->Text() : "";
        InsertChoice(list, excerpt.Id(),
                     {excerpt.row.page, excerpt.GetQualityText(), std::string(text).substr(0, TextPreviewLength)});
    }
    InsertChoice(list, 0, {GetLanguageText("EXCERPT_SELECT_NEW"), "", ""});
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
}

std::int32_t ChoiceExcerptId(HWND dialog, int row)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(Choices(dialog), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::int32_t>(item.lParam);
}

INT_PTR InitSelectDialog(HWND dialog, LPARAM parameter)
{
    auto* scratch = reinterpret_cast<ExcerptRecord*>(parameter);
    SetWindowLongPtrA(dialog, DWLP_USER, parameter);
    if (scratch == nullptr || CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    TranslateDialog(dialog);
    SetUpListColumns(Choices(dialog),
                     {{"EXCERPT_HEADING1", 180}, {"EXCERPT_HEADING2", 100}, {"EXCERPT_HEADING4", 100}});
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    CentreOnOwner(dialog);
    SetFocus(GetDlgItem(dialog, IDC_EXCERPT_SELECT));
    return FALSE;
}

void ConfirmChoice(HWND dialog, ExcerptRecord& scratch)
{
    const int row = SelectedChoice(dialog);
    if (row < 0)
        return;
    if (const std::int32_t id = ChoiceExcerptId(dialog, row); id != 0) {
        scratch.Read(id);
    } else {
        scratch.SetId(0);
    }
    EndDialog(dialog, 1);
}

INT_PTR SelectDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitSelectDialog(dialog, lParam);
    auto* scratch = reinterpret_cast<ExcerptRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EXCERPT_SELECT:
            if (scratch == nullptr || CurrentDatabase == nullptr)
                return TRUE;
            if (const std::int32_t id = SelectSource(dialog, *CurrentDatabase); id != 0) {
                scratch->row.sourceId = id;
                SetDlgItemTextA(dialog, IDC_EXCERPT_SOURCE, SourceTitle(id).c_str());
                FillChoices(dialog, id);
            }
            return TRUE;
        case IDOK:
            if (scratch != nullptr)
                ConfirmChoice(dialog, *scratch);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDHELP:
            ShowHelpTopic(HelpDisplayTopic, SelectHelpTopic);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, SelectHelpTopic);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_EXCERPT_CHOICES || scratch == nullptr)
            return FALSE;
        if (header->code == LVN_ITEMCHANGED && (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE))
            EnableWindow(GetDlgItem(dialog, IDOK), SelectedChoice(dialog) >= 0);
        else if (header->code == NM_DBLCLK)
            ConfirmChoice(dialog, *scratch);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR EditExcerpt(HWND owner, ExcerptRecord& excerpt)
{
    excerpt.EnsureText();
    excerpt.EnsureNote();
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_EXCERPT_EDIT), owner, ExcerptEditDlgProc,
                           reinterpret_cast<LPARAM>(&excerpt));
}

INT_PTR SelectExcerpt(HWND owner, ExcerptRecord& scratch)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_EXCERPT_SELECT), owner, ExcerptSelectDlgProc,
                           reinterpret_cast<LPARAM>(&scratch));
}

INT_PTR CALLBACK ExcerptEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ExcerptDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK ExcerptSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SelectDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
