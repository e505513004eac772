#include "exchange/ui/export_wizard.h"

#include <commctrl.h>
#include <commdlg.h>

#include <chrono>
#include <string>

#include "core/bounded_text.h"
#include "core/database.h"
#include "exchange/gedcom_writer.h"
#include "exchange/ui/wizard_pages.h"
#include "language/language_table.h"
#include "res/export_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

ExportWizardData* BlockOf(HWND page)
{
    return wizard_pages::BlockOf<ExportWizardData>(page);
}

using wizard_pages::StartPage;

using wizard_pages::Answer;

int DialogOfPage(ExportPage page)
{
    return IDD_EXPORT_FORMAT + static_cast<int>(page);
}

const char* HelpTopicOfPage(ExportPage page)
{
    static const char* const topics[ExportPageCount] = {"Export.htm#Format", "Export.htm#CSVData",
                                                        "Export.htm#CSVDetails", "Export.htm#Data",
                                                        "Export.htm#Gedcom", "Export.htm#Finish"};
    return topics[page];
}

using wizard_pages::SetButtons;

// What every page does with the sheet's notices: Help opens the page's topic; Next and Back go where the
// model says for the format. True when the notice was taken.
bool CommonNotice(HWND page, ExportPage which, NMHDR* header)
{
    const ExportWizardData& block = *BlockOf(page);
    if (header->code == static_cast<UINT>(PSN_HELP)) {
        ShowHelpTopic(HelpDisplayTopic, HelpTopicOfPage(which));
        return true;
    }
    if (header->code == static_cast<UINT>(PSN_WIZNEXT)) {
        Answer(page, DialogOfPage(NextExportPage(which, block.format)));
        return true;
    }
    if (header->code == static_cast<UINT>(PSN_WIZBACK)) {
        Answer(page, DialogOfPage(PreviousExportPage(which, block.format)));
        return true;
    }
    return false;
}

// The notices of a page between the first and the last: each time it is shown, `refresh` (when given) sets
// it anew from the block and Back and Next are offered.
INT_PTR MiddlePageNotice(HWND page, ExportPage which, NMHDR* header, void (*refresh)(HWND page))
{
    if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
        if (refresh != nullptr)
            refresh(page);
        SetButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        return Answer(page, 0);
    }
    return CommonNotice(page, which, header);
}

// ---- Format page --------------------------------------------------------------------------------------------

void UpdateFormatPage(HWND page)
{
    const ExportWizardData& block = *BlockOf(page);
    const bool available = ExportFormatAvailable(block.format);
    SetDlgItemTextA(page, IDC_EXPORT_NOTAVAILABLE, available ? "" : GetLanguageText("EXPORT_FORMAT_NOTAVAILABLE"));
    SetButtons(page, available && block.outputPath[0] != '\0' ? PSWIZB_NEXT : 0);
}

void ShowPath(HWND page)
{
    SetDlgItemTextA(page, IDC_EXPORT_PATH, BlockOf(page)->outputPath);
}

void BrowseOutputFile(HWND page)
{
    ExportWizardData& block = *BlockOf(page);
    char filter[64] = {};
    CopyLanguageText(ExportFormatFilterKey(block.format), filter, sizeof filter - 1);
    const std::string pairs = FileDialogFilter(filter);
    char title[128] = {};
    CopyLanguageText(LanguageKey("EXPORT_FORMAT_FILETITLE"), title, sizeof title - 1);
    OPENFILENAMEA dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetParent(page);
    dialog.lpstrFilter = pairs.empty() ? nullptr : pairs.c_str();
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = block.outputPath;
    dialog.nMaxFile = sizeof block.outputPath;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = ExportFormatDefaultExtension(block.format);
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    GetSaveFileNameA(&dialog);
    ShowPath(page);
    UpdateFormatPage(page);
}

INT_PTR FormatPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        HWND list = GetDlgItem(page, IDC_EXPORT_FORMAT);
        for (std::uint32_t format = 1; format <= ExportFormatCount; ++format) {
            const LRESULT index =
                SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(ExportFormatKey(format))));
            SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), format);
            if (format == BlockOf(page)->format)
                SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        SendDlgItemMessageA(page, IDC_EXPORT_PATH, EM_LIMITTEXT, ExportPathSize - 1, 0);
        ShowPath(page);
        return TRUE;
    }
    case WM_COMMAND: {
        ExportWizardData& block = *BlockOf(page);
        if (LOWORD(wParam) == IDC_EXPORT_FORMAT && HIWORD(wParam) == CBN_SELCHANGE) {
            const LRESULT index = SendDlgItemMessageA(page, IDC_EXPORT_FORMAT, CB_GETCURSEL, 0, 0);
            if (index >= 0)
                block.format = static_cast<std::uint32_t>(
                    SendDlgItemMessageA(page, IDC_EXPORT_FORMAT, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
            CopyBounded(block.outputPath, sizeof block.outputPath,
                        PathWithFormatExtension(block.outputPath, block.format).c_str());
            ShowPath(page);
            UpdateFormatPage(page);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_EXPORT_PATH && HIWORD(wParam) == EN_CHANGE) {
            GetDlgItemTextA(page, IDC_EXPORT_PATH, block.outputPath, sizeof block.outputPath);
            UpdateFormatPage(page);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_EXPORT_BROWSE) {
            BrowseOutputFile(page);
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            UpdateFormatPage(page);
            return Answer(page, 0);
        }
        return CommonNotice(page, ExportPageFormat, header);
    }
    }
    return FALSE;
}

// ---- CSV pages ----------------------------------------------------------------------------------------------

struct KindButton {
    int item;
    std::uint32_t kind;
};
constexpr KindButton CsvKinds[] = {{IDC_EXPORT_CSV_PERSON, 1},
                                   {IDC_EXPORT_CSV_SOURCE, 2},
                                   {IDC_EXPORT_CSV_EXCERPT, 5},
                                   {IDC_EXPORT_CSV_REPOSITORY, 3},
                                   {IDC_EXPORT_CSV_OBJECTIVE, 4}};

INT_PTR CsvDataPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        const ExportWizardData& block = *BlockOf(page);
        for (const KindButton& button : CsvKinds)
            CheckDlgButton(page, button.item, button.kind == block.csvRecordKind ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(page, IDC_EXPORT_CSV_HEADER, block.csvHeaderRow ? BST_CHECKED : BST_UNCHECKED);
        SendDlgItemMessageA(page, IDC_EXPORT_CSV_DELIMITER, EM_LIMITTEXT, 1, 0);
        SetItemLanguageText(page, IDC_EXPORT_CSV_DELIMITER, LanguageKey("EXPORT_CSVDATA_STANDARDDELIMITER"));
        return TRUE;
    }
    case WM_COMMAND: {
        ExportWizardData& block = *BlockOf(page);
        for (const KindButton& button : CsvKinds)
            if (LOWORD(wParam) == button.item) {
                ChooseCsvRecordKind(block, button.kind);
                return TRUE;
            }
        if (LOWORD(wParam) == IDC_EXPORT_CSV_HEADER) {
            block.csvHeaderRow = IsDlgButtonChecked(page, IDC_EXPORT_CSV_HEADER) == BST_CHECKED ? 1 : 0;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(PSN_WIZNEXT)) {
            char delimiter[4] = {};
            GetDlgItemTextA(page, IDC_EXPORT_CSV_DELIMITER, delimiter, sizeof delimiter);
            BlockOf(page)->csvDelimiter = delimiter[0];
        }
        return MiddlePageNotice(page, ExportPageCsvData, header, nullptr);
    }
    }
    return FALSE;
}

// The column lists from the block: the available list sorted by heading, each entry carrying its place in
// the available array; the selected list in the block's order.
void FillCsvLists(HWND page)
{
    const ExportWizardData& block = *BlockOf(page);
    HWND available = GetDlgItem(page, IDC_EXPORT_CSV_AVAILABLE);
    HWND selected = GetDlgItem(page, IDC_EXPORT_CSV_SELECTED);
    const LRESULT chosen = SendMessageA(selected, LB_GETCURSEL, 0, 0);
    SendMessageA(available, LB_RESETCONTENT, 0, 0);
    SendMessageA(selected, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < block.csvAvailableCount; ++i) {
        const std::uint32_t column = block.csvAvailableColumns[i];
        if (column >= CsvColumnCapacity)
            continue;
        const LRESULT index = SendMessageA(available, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(block.csvColumnNames[column]));
        SendMessageA(available, LB_SETITEMDATA, static_cast<WPARAM>(index), i);
    }
    for (int i = 0; i < block.csvSelectedCount; ++i) {
        const std::uint32_t column = block.csvSelectedColumns[i];
        if (column < CsvColumnCapacity)
            SendMessageA(selected, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(block.csvColumnNames[column]));
    }
    if (chosen >= 0)
        SendMessageA(selected, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    const bool excerpts = block.csvRecordKind == 5;
    for (const int item : {IDC_EXPORT_CSV_FILTER_LABEL, IDC_EXPORT_CSV_FILTER, IDC_EXPORT_CSV_CHOOSESOURCE,
                           IDC_EXPORT_CSV_CLEARFILTER})
        ShowWindow(GetDlgItem(page, item), excerpts ? SW_SHOW : SW_HIDE);
    // The source chooser belongs to the CSV writer, which this build does not have.
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_CHOOSESOURCE), FALSE);
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_CLEARFILTER), block.csvExcerptSourceFilter != 0);
    const LRESULT availableChoice = SendMessageA(available, LB_GETCURSEL, 0, 0);
    const LRESULT selectedChoice = SendMessageA(selected, LB_GETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_ADD), availableChoice >= 0);
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_REMOVE), selectedChoice >= 0);
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_UP), selectedChoice > 0);
    EnableWindow(GetDlgItem(page, IDC_EXPORT_CSV_DOWN), selectedChoice >= 0 && selectedChoice + 1 < block.csvSelectedCount);
}

INT_PTR CsvDetailsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        return TRUE;
    case WM_COMMAND: {
        ExportWizardData& block = *BlockOf(page);
        const LRESULT available = SendDlgItemMessageA(page, IDC_EXPORT_CSV_AVAILABLE, LB_GETCURSEL, 0, 0);
        const LRESULT selected = SendDlgItemMessageA(page, IDC_EXPORT_CSV_SELECTED, LB_GETCURSEL, 0, 0);
        switch (LOWORD(wParam)) {
        case IDC_EXPORT_CSV_ADD:
            if (available >= 0)
                SelectCsvColumn(block, static_cast<int>(SendDlgItemMessageA(page, IDC_EXPORT_CSV_AVAILABLE, LB_GETITEMDATA,
                                                                             static_cast<WPARAM>(available), 0)));
            break;
        case IDC_EXPORT_CSV_REMOVE:
            UnselectCsvColumn(block, static_cast<int>(selected));
            break;
        case IDC_EXPORT_CSV_UP:
        case IDC_EXPORT_CSV_DOWN: {
            const bool up = LOWORD(wParam) == IDC_EXPORT_CSV_UP;
            if (MoveCsvColumn(block, static_cast<int>(selected), up))
                SendDlgItemMessageA(page, IDC_EXPORT_CSV_SELECTED, LB_SETCURSEL, static_cast<WPARAM>(selected + (up ? -1 : 1)), 0);
            break;
        }
        case IDC_EXPORT_CSV_CLEARFILTER:
            block.csvExcerptSourceFilter = 0;
            SetDlgItemTextA(page, IDC_EXPORT_CSV_FILTER, "");
            break;
        case IDC_EXPORT_CSV_AVAILABLE:
        case IDC_EXPORT_CSV_SELECTED:
            if (HIWORD(wParam) != LBN_SELCHANGE)
                return FALSE;
            break;
        default:
            return FALSE;
        }
        FillCsvLists(page);
        return TRUE;
    }
    case WM_NOTIFY:
        return MiddlePageNotice(page, ExportPageCsvDetails, reinterpret_cast<NMHDR*>(lParam), FillCsvLists);
    }
    return FALSE;
}

// ---- Data page ----------------------------------------------------------------------------------------------

struct IncludeBox {
    int item;
    int include;
    std::uint32_t ExportWizardData::*flag;
};
constexpr IncludeBox IncludeBoxes[] = {
    {IDC_EXPORT_RESEARCH, ExportIncludeResearch, &ExportWizardData::includeResearch},
    {IDC_EXPORT_SOURCE, ExportIncludeSources, &ExportWizardData::includeSources},
    {IDC_EXPORT_REPOSITORY, ExportIncludeRepositories, &ExportWizardData::includeRepositories},
    {IDC_EXPORT_OBJECT, ExportIncludeObjects, &ExportWizardData::includeObjects},
};

// Applied on every visit: the format may have changed on the way back.
void ShowIncludes(HWND page)
{
    ExportWizardData& block = *BlockOf(page);
    ClearUnofferedIncludes(block);
    for (const IncludeBox& box : IncludeBoxes) {
        EnableWindow(GetDlgItem(page, box.item), ExportIncludeOffered(block.format, box.include));
        CheckDlgButton(page, box.item, block.*box.flag ? BST_CHECKED : BST_UNCHECKED);
    }
}

INT_PTR DataPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        ExportWizardData& block = *BlockOf(page);
        for (const IncludeBox& box : IncludeBoxes)
            block.*box.flag = 0;
        return TRUE;
    }
    case WM_COMMAND:
        for (const IncludeBox& box : IncludeBoxes)
            if (LOWORD(wParam) == box.item) {
                BlockOf(page)->*box.flag = IsDlgButtonChecked(page, box.item) == BST_CHECKED ? 1 : 0;
                return TRUE;
            }
        return FALSE;
    case WM_NOTIFY:
        return MiddlePageNotice(page, ExportPageData, reinterpret_cast<NMHDR*>(lParam), ShowIncludes);
    }
    return FALSE;
}

// ---- GEDCOM options page ------------------------------------------------------------------------------------

void FillGedcomOptions(HWND page)
{
    const ExportWizardData& block = *BlockOf(page);
    HWND charset = GetDlgItem(page, IDC_EXPORT_CHARSET);
    SendMessageA(charset, CB_RESETCONTENT, 0, 0);
    for (const char* key : {LanguageKey("EXPORT_GEDCOM_ANSI"), LanguageKey("EXPORT_GEDCOM_ANSEL")})
        SendMessageA(charset, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendMessageA(charset, CB_SETCURSEL, block.gedcomCharacterSet == GedcomCharsetAnsel ? 1 : 0, 0);
    HWND attachments = GetDlgItem(page, IDC_EXPORT_ATTACHMENTS);
    SendMessageA(attachments, CB_RESETCONTENT, 0, 0);
    if (block.format != ExportFormatGedcom4) {
        for (const char* key : {LanguageKey("EXPORT_GEDCOM_ATTINTERNAL"), LanguageKey("EXPORT_GEDCOM_ATTEXTERNAL")})
            SendMessageA(attachments, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
        // GEDCOM 5.5.1 always writes media beside the file; only GEDCOM 5.5 offers the choice.
        const bool choice = block.format == ExportFormatGedcom55;
        SendMessageA(attachments, CB_SETCURSEL,
                     choice && block.gedcomAttachments == GedcomAttachmentsInternal ? 0 : 1, 0);
    }
    EnableWindow(attachments, block.format == ExportFormatGedcom55);
}

INT_PTR GedcomPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        return TRUE;
    case WM_COMMAND: {
        if (HIWORD(wParam) != CBN_SELCHANGE)
            return FALSE;
        ExportWizardData& block = *BlockOf(page);
        const LRESULT index = SendDlgItemMessageA(page, LOWORD(wParam), CB_GETCURSEL, 0, 0);
        if (index < 0 || index > 1)
            return FALSE;
        if (LOWORD(wParam) == IDC_EXPORT_CHARSET)
            block.gedcomCharacterSet = static_cast<std::uint8_t>(index);
        else if (LOWORD(wParam) == IDC_EXPORT_ATTACHMENTS)
            block.gedcomAttachments = static_cast<std::uint32_t>(index);
        return TRUE;
    }
    case WM_NOTIFY:
        return MiddlePageNotice(page, ExportPageGedcom, reinterpret_cast<NMHDR*>(lParam), FillGedcomOptions);
    }
    return FALSE;
}

// ---- Finish page --------------------------------------------------------------------------------------------

INT_PTR FinishPage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        ExportWizardData& block = *BlockOf(page);
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            // Shown anew on every visit, so that the file named is the one chosen last.
            const std::string text = FormatFinishText(GetLanguageText("EXPORT_FINISH_TEXT"), block.outputPath);
            SetDlgItemTextA(page, IDC_EXPORT_FINISHTEXT, text.c_str());
            SetButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
            return Answer(page, 0);
        }
        if (header->code == static_cast<UINT>(PSN_WIZFINISH)) {
            block.finished = 1;
            return Answer(page, 0);
        }
        return CommonNotice(page, ExportPageFinish, header);
    }
    }
    return FALSE;
}

using wizard_pages::GuardedPage;

PROPSHEETPAGEA WizardPage(ExportPage which, const char* titleKey, DLGPROC procedure, ExportWizardData& block)
{
    return wizard_pages::WizardPage(DialogOfPage(which), titleKey, procedure, block);
}

INT_PTR RunWizardSheet(HWND parent, ExportWizardData& block, DWORD extraFlags)
{
    static PROPSHEETPAGEA pages[ExportPageCount];
    pages[0] = WizardPage(ExportPageFormat, LanguageKey("EXPORT_FORMAT_TITLE"), GuardedPage<FormatPage>, block);
    pages[1] = WizardPage(ExportPageCsvData, LanguageKey("EXPORT_CSVDATA_TITLE"), GuardedPage<CsvDataPage>, block);
    pages[2] = WizardPage(ExportPageCsvDetails, LanguageKey("EXPORT_CSVDETAILS_TITLE"), GuardedPage<CsvDetailsPage>, block);
    pages[3] = WizardPage(ExportPageData, LanguageKey("EXPORT_DATA_TITLE"), GuardedPage<DataPage>, block);
    pages[4] = WizardPage(ExportPageGedcom, LanguageKey("EXPORT_GEDCOM_TITLE"), GuardedPage<GedcomPage>, block);
    pages[5] = WizardPage(ExportPageFinish, LanguageKey("EXPORT_FINISH_TITLE"), GuardedPage<FinishPage>, block);
    return wizard_pages::RunWizardSheet(parent, pages, LanguageKey("EXPORT_WIZARD_TITLE"), extraFlags);
}

// ---- The progress dialog ------------------------------------------------------------------------------------

constexpr UINT_PTR StepTimer = 1;
// How long one step of the dialog writes records before it lets the window answer the user again.
constexpr auto StepSlice = std::chrono::milliseconds(40);

INT_PTR GedcomExportMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* run = reinterpret_cast<GedcomExport*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        TranslateDialog(dialog);
        SetWindowTextA(dialog, GetLanguageText("EXPORT_EXECUTE_TITLE"));
        SetItemLanguageText(dialog, IDC_EXPORT_MESSAGE, LanguageKey("EXPORT_EXECUTE_MESSAGE"));
        SetItemLanguageText(dialog, IDCANCEL, LanguageKey("BUTTON_CANCEL"));
        SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        CentreOnOwner(dialog);
        // A timer runs the steps: it comes only when no input waits, so the window always answers.
        SetTimer(dialog, StepTimer, USER_TIMER_MINIMUM, nullptr);
        return TRUE;
    case WM_TIMER: {
        if (wParam != StepTimer || run == nullptr)
            return TRUE;
        const auto until = std::chrono::steady_clock::now() + StepSlice;
        bool more = true;
        while ((more = run->Step()) && std::chrono::steady_clock::now() < until) {
        }
        SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS, PBM_SETPOS, run->Progress(), 0);
        if (!more) {
            KillTimer(dialog, StepTimer);
            EndDialog(dialog, 1);
        }
        return TRUE;
    }
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            KillTimer(dialog, StepTimer);
            EndDialog(dialog, 0);
            return TRUE;
        }
        // Enter must not end a partial export.
        return LOWORD(wParam) == IDOK;
    }
    return FALSE;
}

INT_PTR CALLBACK GedcomExportDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<GedcomExportMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

} // namespace

ExportOutcome RunGedcomExportDialog(HWND owner, Database& database, ExportWizardData& block)
{
    GedcomExport run(database, block);
    if (!run.Start())
        return ExportOutcome::Failed;
    const INT_PTR ended = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_EXPORT_EXECUTE), owner,
                                          GedcomExportDlgProc, reinterpret_cast<LPARAM>(&run));
    if (ended != 1) {
        run.Cancel();
        return ExportOutcome::Cancelled;
    }
    return run.Finish() ? ExportOutcome::Written : ExportOutcome::Failed;
}

int ExportGedcomWithProgress(HWND owner, Database& database, ExportWizardData& block)
{
    return RunGedcomExportDialog(owner, database, block) == ExportOutcome::Written ? 1 : 0;
}

namespace {

int ExportGedcomFormat(ExportWizardData* block, std::uint32_t format)
{
    if (block == nullptr || CurrentDatabase == nullptr)
        return 0;
    block->format = format;
    return ExportGedcomWithProgress(FrameWindow, *CurrentDatabase, *block);
}

} // namespace

int ExportGedcom55(ExportWizardData* block)
{
    return ExportGedcomFormat(block, ExportFormatGedcom55);
}

int ExportGedcom551(ExportWizardData* block)
{
    return ExportGedcomFormat(block, ExportFormatGedcom551);
}

int ExportGedcom4(ExportWizardData* block)
{
    return ExportGedcomFormat(block, ExportFormatGedcom4);
}

HWND OpenExportWizardModeless(HWND parent, ExportWizardData& block)
{
    return reinterpret_cast<HWND>(RunWizardSheet(parent, block, PSH_MODELESS));
}

bool RunExportAfterWizard(HWND parent, Database& database, ExportWizardData& block)
{
    if (!block.finished)
        return false;
    if (!ExportFormatAvailable(block.format)) {
        ShowMessageBox(parent, GetLanguageText("EXPORT_FORMAT_NOTAVAILABLE"), nullptr, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    switch (RunGedcomExportDialog(parent, database, block)) {
    case ExportOutcome::Written:
        ShowMessageBox(parent, GetLanguageText("EXPORT_DONE"), "", MB_OK | MB_ICONINFORMATION);
        return true;
    case ExportOutcome::Failed:
        // A file that could not be created or written is said so; the writer has removed what it wrote.
        ShowMessageBox(parent, GetLanguageText("EXPORT_FAILED"), nullptr, MB_OK | MB_ICONSTOP);
        return false;
    case ExportOutcome::Cancelled:
        break;
    }
    return false;
}

void RunExportWizard(HWND parent)
{
    if (CurrentDatabase == nullptr)
        return;
    ExportWizardData block;
    InitExportWizardData(block);
    if (RunWizardSheet(parent, block, 0) < 0 || !block.finished)
        return;
    RunExportAfterWizard(parent, *CurrentDatabase, block);
}
