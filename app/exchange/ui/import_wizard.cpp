#include "exchange/ui/import_wizard.h"

#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <string>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/open_filter.h"
#include "core/open_create.h"
#include "core/ui/open_create_ui.h"
#include "exchange/gedcom_import.h"
#include "exchange/import_log.h"
#include "exchange/wexmor_import.h"
#include "exchange/ui/wizard_pages.h"
#include "language/language_table.h"
#include "res/exchange_resource.h"
#include "res/frame_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/file_dialog.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

// ---- Small helpers ----------------------------------------------------------------------------------------

ImportWizardData* BlockOf(HWND page)
{
    return wizard_pages::BlockOf<ImportWizardData>(page);
}

using wizard_pages::StartPage;

// The part of a path after its last backslash (or slash).
std::string FileNameOf(const char* path)
{
    const std::string text(path != nullptr ? path : "");
    const std::size_t separator = text.find_last_of("\\/");
    return separator == std::string::npos ? text : text.substr(separator + 1);
}

bool IsChecked(HWND dialog, int item)
{
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

using wizard_pages::Answer;

// The help topics of the pages, in page order.
const char* HelpTopicOfPage(int dialog)
{
    switch (dialog) {
    case IDD_IMPORT_FILE:
        return "Import.htm#Start";
    case IDD_IMPORT_DATABASE:
        return "Import.htm#SelectDatabase";
    case IDD_IMPORT_LOGFILE:
        return "Import.htm#ErrorLogging";
    case IDD_IMPORT_DATA:
        return "Import.htm#SelectData";
    case IDD_IMPORT_GEDCOM:
        return "Import.htm#GedcomOptions";
    default:
        return "Import.htm#Finish";
    }
}

using wizard_pages::SetButtons;

// What every page does with the sheet's notices it shares with the others: Help opens the page's topic, and
// a page that becomes active shows its buttons. True when the notice was taken.
bool CommonNotice(HWND page, int dialog, NMHDR* header, DWORD buttons)
{
    if (header->code == static_cast<UINT>(PSN_HELP)) {
        ShowHelpTopic(HelpDisplayTopic, HelpTopicOfPage(dialog));
        return true;
    }
    if (header->code == static_cast<UINT>(PSN_SETACTIVE) && buttons != 0) {
        SetButtons(page, buttons);
        Answer(page, 0);
        return true;
    }
    return false;
}

// ---- The pages -------------------------------------------------------------------------------------------

INT_PTR FilePage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        ImportWizardData& block = *BlockOf(page);
        SetDlgItemTextA(page, IDC_IMPORT_PATH, block.inputPath);
        SetItemLanguageText(page, IDC_IMPORT_FORMAT,
                            block.format == ImportFormatGedcom ? LanguageKey("IMPORT_FILE_GEDCOM")
                                                               : LanguageKey("IMPORT_FILE_WEXMOR20"));
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_FILE, header, PSWIZB_NEXT))
            return TRUE;
        return FALSE;
    }
    }
    return FALSE;
}

void UpdateDatabaseChoice(HWND page)
{
    ImportWizardData& block = *BlockOf(page);
    const bool newChosen = IsChecked(page, IDC_IMPORT_NEW);
    const bool named = block.newDatabasePath[0] != '\0';
    block.createNewDatabase = newChosen && named ? 1 : 0;
    SetButtons(page, !newChosen || named ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

INT_PTR DatabasePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        ImportWizardData& block = *BlockOf(page);
        block.createNewDatabase = 0;
        CheckRadioButton(page, IDC_IMPORT_EXISTING, IDC_IMPORT_NEW, IDC_IMPORT_NEW);
        if (CurrentDatabase == nullptr) {
            // With no database open only a new one can take the import.
            EnableWindow(GetDlgItem(page, IDC_IMPORT_EXISTING), FALSE);
            EnableWindow(GetDlgItem(page, IDC_IMPORT_NEW), FALSE);
        } else {
            SetDlgItemTextA(page, IDC_IMPORT_OPENPATH, CurrentDatabase->path);
        }
        SetDlgItemTextA(page, IDC_IMPORT_NEWPATH, block.newDatabasePath);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_IMPORT_BROWSE: {
            ImportWizardData& block = *BlockOf(page);
            char path[ImportPathSize] = {};
            if (AskNewDatabaseFileName(path)) {
                CopyBounded(block.newDatabasePath, sizeof block.newDatabasePath, path);
                SetDlgItemTextA(page, IDC_IMPORT_NEWPATH, block.newDatabasePath);
            }
            UpdateDatabaseChoice(page);
            return TRUE;
        }
        case IDC_IMPORT_EXISTING:
        case IDC_IMPORT_NEW:
            UpdateDatabaseChoice(page);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_DATABASE, header, 0))
            return TRUE;
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            UpdateDatabaseChoice(page);
            return Answer(page, 0);
        }
        return FALSE;
    }
    }
    return FALSE;
}

// Lets the user choose where the log goes with the save-file dialog, the derived path proposed; the
// chosen path is shown on the page.
void BrowseLogPath(HWND page)
{
    ImportWizardData& block = *BlockOf(page);
    const std::string filter = BuildOpenFilter({GetLanguageText("IMPORT_LOGFILE_FILTER")});
    char path[ImportPathSize] = {};
    CopyBounded(path, sizeof path, block.logPath);
    const std::string folder(ImportFolderOf(block.logPath));
    OPENFILENAMEA dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetParent(page);
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = GetLanguageText("IMPORT_LOGFILE_BROWSE");
    dialog.lpstrDefExt = "log";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST;
    if (ShowSaveFileDialog(dialog) && SetImportLogPath(block, path))
        SetDlgItemTextA(page, IDC_IMPORT_LOGPATH, block.logPath);
}

INT_PTR LogPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        SetDlgItemTextA(page, IDC_IMPORT_LOGPATH, BlockOf(page)->logPath);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_IMPORT_LOGBROWSE) {
            BrowseLogPath(page);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_LOGFILE, header, PSWIZB_BACK | PSWIZB_NEXT))
            return TRUE;
        return FALSE;
    }
    }
    return FALSE;
}

// A check box and the flag of the block it stands for.
struct FlagBox {
    int item;
    std::uint32_t ImportWizardData::*flag;
};
constexpr FlagBox IncludeBoxes[] = {
    {IDC_IMPORT_RESEARCH, &ImportWizardData::importResearch},
    {IDC_IMPORT_SOURCE, &ImportWizardData::importSources},
    {IDC_IMPORT_REPOSITORY, &ImportWizardData::importRepositories},
    {IDC_IMPORT_OBJECT, &ImportWizardData::importObjects},
};

INT_PTR DataPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        for (const FlagBox& box : IncludeBoxes)
            CheckDlgButton(page, box.item, BlockOf(page)->*box.flag ? BST_UNCHECKED : BST_CHECKED);
        return TRUE;
    case WM_COMMAND:
        for (const FlagBox& box : IncludeBoxes)
            if (LOWORD(wParam) == box.item) {
                // The boxes leave out what is ticked; the block's flags say what is imported.
                BlockOf(page)->*box.flag = IsChecked(page, box.item) ? 0 : 1;
                return TRUE;
            }
        return FALSE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_DATA, header, PSWIZB_BACK | PSWIZB_NEXT))
            return TRUE;
        if (header->code == static_cast<UINT>(PSN_WIZNEXT) && BlockOf(page)->format != ImportFormatGedcom)
            return Answer(page, IDD_IMPORT_FINISH);
        return FALSE;
    }
    }
    return FALSE;
}

constexpr FlagBox OptionBoxes[] = {
    {IDC_IMPORT_GIVENNAME, &ImportWizardData::gedcomGivenName},
    {IDC_IMPORT_STRUCTNAME, &ImportWizardData::gedcomStructuredName},
    {IDC_IMPORT_GREGORIAN, &ImportWizardData::gedcomGregorian},
    {IDC_IMPORT_USERDEFINED, &ImportWizardData::gedcomUserDefined},
};

void FillChoices(HWND page, int item, const char* const (&keys)[3], std::uint32_t selected)
{
    for (const char* key : keys)
        SendDlgItemMessageA(page, item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendDlgItemMessageA(page, item, CB_SETCURSEL, selected <= 2 ? selected : 0, 0);
}

INT_PTR GedcomPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        StartPage(page, lParam);
        ImportWizardData& block = *BlockOf(page);
        for (const FlagBox& box : OptionBoxes)
            CheckDlgButton(page, box.item, block.*box.flag ? BST_CHECKED : BST_UNCHECKED);
        static const char* const personKeys[3] = {LanguageKey("IMPORT_GEDCOM_PERSONADD0"),
                                                  LanguageKey("IMPORT_GEDCOM_PERSONADD1"),
                                                  LanguageKey("IMPORT_GEDCOM_PERSONADD2")};
        static const char* const eventKeys[3] = {LanguageKey("IMPORT_GEDCOM_EVENTADD0"),
                                                 LanguageKey("IMPORT_GEDCOM_EVENTADD1"),
                                                 LanguageKey("IMPORT_GEDCOM_EVENTADD2")};
        FillChoices(page, IDC_IMPORT_PERSONADD, personKeys, block.gedcomPersonAdd);
        FillChoices(page, IDC_IMPORT_EVENTADD, eventKeys, block.gedcomEventAdd);
        return TRUE;
    }
    case WM_COMMAND: {
        ImportWizardData& block = *BlockOf(page);
        for (const FlagBox& box : OptionBoxes)
            if (LOWORD(wParam) == box.item) {
                block.*box.flag = IsChecked(page, box.item) ? 1 : 0;
                return TRUE;
            }
        if (HIWORD(wParam) == CBN_SELCHANGE && (LOWORD(wParam) == IDC_IMPORT_PERSONADD || LOWORD(wParam) == IDC_IMPORT_EVENTADD)) {
            const LRESULT index = SendDlgItemMessageA(page, LOWORD(wParam), CB_GETCURSEL, 0, 0);
            if (index >= 0 && index <= 2)
                (LOWORD(wParam) == IDC_IMPORT_PERSONADD ? block.gedcomPersonAdd : block.gedcomEventAdd) =
                    static_cast<std::uint32_t>(index);
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_GEDCOM, header, PSWIZB_BACK | PSWIZB_NEXT))
            return TRUE;
        return FALSE;
    }
    }
    return FALSE;
}

INT_PTR FinishPage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPage(page, lParam);
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (CommonNotice(page, IDD_IMPORT_FINISH, header, 0))
            return TRUE;
        ImportWizardData& block = *BlockOf(page);
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            // Shown anew each time, so that a target changed on the way back is the one named.
            const std::string target = FileNameOf(block.createNewDatabase ? block.newDatabasePath
                                                  : CurrentDatabase       ? CurrentDatabase->path
                                                                          : "");
            std::string text = SubstituteText(GetLanguageText("IMPORT_FINISH_TEXT"),
                                              {FileNameOf(block.inputPath), target});
            if (text.size() > 256)
                text.resize(256);
            SetDlgItemTextA(page, IDC_IMPORT_FINISHTEXT, text.c_str());
            SetButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
            return Answer(page, 0);
        }
        if (header->code == static_cast<UINT>(PSN_WIZBACK) && block.format != ImportFormatGedcom)
            return Answer(page, IDD_IMPORT_DATA);
        if (header->code == static_cast<UINT>(PSN_WIZFINISH)) {
            block.finished = 1;
            return Answer(page, 0);
        }
        return FALSE;
    }
    }
    return FALSE;
}

using wizard_pages::GuardedPage;

using wizard_pages::WizardPage;

INT_PTR RunWizardSheet(HWND parent, ImportWizardData& block, DWORD extraFlags)
{
    static PROPSHEETPAGEA pages[6];
    pages[0] = WizardPage(IDD_IMPORT_FILE, LanguageKey("IMPORT_FILE_TITLE"), GuardedPage<FilePage>, block);
    pages[1] = WizardPage(IDD_IMPORT_DATABASE, LanguageKey("IMPORT_DATABASE_TITLE"), GuardedPage<DatabasePage>, block);
    pages[2] = WizardPage(IDD_IMPORT_LOGFILE, LanguageKey("IMPORT_LOGFILE_TITLE"), GuardedPage<LogPage>, block);
    pages[3] = WizardPage(IDD_IMPORT_DATA, LanguageKey("IMPORT_DATA_TITLE"), GuardedPage<DataPage>, block);
    pages[4] = WizardPage(IDD_IMPORT_GEDCOM, LanguageKey("IMPORT_GEDCOM_TITLE"), GuardedPage<GedcomPage>, block);
    pages[5] = WizardPage(IDD_IMPORT_FINISH, LanguageKey("IMPORT_FINISH_TITLE"), GuardedPage<FinishPage>, block);
    return wizard_pages::RunWizardSheet(parent, pages, LanguageKey("IMPORT_WIZARD_TITLE"), extraFlags);
}

// ---- The progress dialogs ----------------------------------------------------------------------------

constexpr UINT_PTR StepTimer = 1;
// How long one step of the dialog reads elements before it lets the window answer the user again.
constexpr auto StepSlice = std::chrono::milliseconds(40);

struct WexmorProgress {
    WexmorImportDriver* driver;
    bool paused = false; // the Cancel question is open: nothing is read underneath it
};

void PrepareProgressDialog(HWND dialog, const char* messageKey)
{
    TranslateDialog(dialog);
    SetItemLanguageText(dialog, IDCANCEL, LanguageKey("BUTTON_CANCEL"));
    SetWindowTextA(dialog, GetLanguageText("IMPORT_EXECUTE_TITLE"));
    SetItemLanguageText(dialog, IDC_IMPORT_MESSAGE, messageKey);
    SendDlgItemMessageA(dialog, IDC_IMPORT_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    CentreOnOwner(dialog);
}

bool ProgressCursor(HWND dialog)
{
    SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return true;
}

INT_PTR WexmorProgressMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<WexmorProgress*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        PrepareProgressDialog(dialog, LanguageKey("IMPORT_EXECUTE_MESSAGE"));
        // A timer runs the steps: it comes only when no input waits, so the window always answers.
        SetTimer(dialog, StepTimer, USER_TIMER_MINIMUM, nullptr);
        return TRUE;
    case WM_TIMER: {
        if (wParam != StepTimer || state == nullptr || state->paused)
            return TRUE;
        WexmorImportDriver& driver = *state->driver;
        const auto until = std::chrono::steady_clock::now() + StepSlice;
        while (driver.Step() == WexmorImportDriver::Status::Running && std::chrono::steady_clock::now() < until) {
        }
        SendDlgItemMessageA(dialog, IDC_IMPORT_PROGRESS, PBM_SETPOS, driver.Progress(), 0);
        if (driver.CurrentStatus() != WexmorImportDriver::Status::Running) {
            KillTimer(dialog, StepTimer);
            EndDialog(dialog, driver.CurrentStatus() == WexmorImportDriver::Status::Finished ? 1 : 0);
        }
        return TRUE;
    }
    case WM_SETCURSOR:
        return ProgressCursor(dialog);
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            // Enter must not commit a partial import: only the end of the file does.
            return TRUE;
        case IDCANCEL: {
            if (state == nullptr || state->paused)
                return TRUE;
            state->paused = true;
            const int answer = ShowMessageBox(dialog, GetLanguageText("WEXMOR_IMPORT_WARNING"),
                                              GetLanguageText("WEXMOR_IMPORT_WTITLE"),
                                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
            state->paused = false;
            if (answer == IDYES) {
                state->driver->Cancel();
                KillTimer(dialog, StepTimer);
                EndDialog(dialog, 0);
            }
            return TRUE;
        }
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK WexmorProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<WexmorProgressMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

struct ConversionProgress {
    GedcomImport* import;
    int goOn = 1;
    bool asking = false; // the Cancel question is open
};

// Cancel asks first; the converter waits meanwhile, since it runs inside this dialog's handler.
void AskToStopConversion(HWND dialog, ConversionProgress& state)
{
    if (state.asking || state.goOn == 0)
        return;
    state.asking = true;
    const int answer = ShowMessageBox(dialog, GetLanguageText("WEXMOR_IMPORT_WARNING"),
                                      GetLanguageText("WEXMOR_IMPORT_WTITLE"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    state.asking = false;
    if (answer == IDYES)
        state.goOn = 0;
}

INT_PTR ConversionMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<ConversionProgress*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        PrepareProgressDialog(dialog, LanguageKey("GEDCOM_IMPORT_MESSAGE"));
        // The conversion starts before the dialog's loop would show it: it is shown now, or never while
        // the converter runs.
        ShowWindow(dialog, SW_SHOWNORMAL);
        PostMessageA(dialog, StartConversionMessage, 0, lParam);
        return TRUE;
    case StartConversionMessage: {
        const std::int32_t result = state->import->Convert(dialog, [dialog, state](int percent) {
            SendDlgItemMessageA(dialog, IDC_IMPORT_PROGRESS, PBM_SETPOS, percent, 0);
            return state->goOn != 0;
        });
        // A conversion that ran to its end after Cancel still counts as cancelled.
        EndDialog(dialog, result != 0 ? 0 : state->goOn);
        return TRUE;
    }
    case ConvertProgressMessage: {
        // The converter runs inside this dialog's handler: the waiting messages are served here, so that a
        // click on Cancel is seen.
        MSG waiting;
        while (PeekMessageA(&waiting, nullptr, 0, 0, PM_REMOVE)) {
            if (waiting.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(waiting.wParam));
                state->goOn = 0;
                break;
            }
            if (!IsDialogMessageA(dialog, &waiting)) {
                TranslateMessage(&waiting);
                DispatchMessageA(&waiting);
            }
        }
        SendDlgItemMessageA(dialog, IDC_IMPORT_PROGRESS, PBM_SETPOS, lParam, 0);
        return Answer(dialog, state->goOn);
    }
    case WM_SETCURSOR:
        return ProgressCursor(dialog);
    case WM_CLOSE:
    case WM_COMMAND:
        if (message == WM_CLOSE || LOWORD(wParam) == IDCANCEL) {
            AskToStopConversion(dialog, *state);
            return TRUE;
        }
        return LOWORD(wParam) == IDOK;
    }
    return FALSE;
}

INT_PTR CALLBACK ConversionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ConversionMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR ResultMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        TranslateDialog(dialog);
        const auto* block = reinterpret_cast<const ImportWizardData*>(lParam);
        SetItemLanguageText(dialog, IDC_IMPORT_RESULTTEXT,
                            block->failed ? LanguageKey("IMPORT_FAILED") : LanguageKey("IMPORT_OK"));
        CentreOnOwner(dialog);
        MessageBeep(MB_OK);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDC_IMPORT_VIEWLOG: {
            const auto* block = reinterpret_cast<const ImportWizardData*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
            char notepad[MAX_PATH] = {};
            const UINT length = GetWindowsDirectoryA(notepad, sizeof notepad);
            if (length > 0 && length < sizeof notepad) {
                AppendBounded(notepad, sizeof notepad, "\\notepad.exe");
                ShellExecuteA(dialog, "open", notepad, block->logPath, nullptr, SW_SHOWNORMAL);
            }
            return TRUE;
        }
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK ResultDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ResultMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

} // namespace

HWND OpenImportWizardModeless(HWND parent, ImportWizardData& block)
{
    return reinterpret_cast<HWND>(RunWizardSheet(parent, block, PSH_MODELESS));
}

bool RunWexmorImportDialog(HWND owner, Database& database, ImportWizardData& block)
{
    WexmorImportDriver driver(database, block);
    switch (driver.Open()) {
    case WexmorImportDriver::Opening::NotOpened:
        ShowMessageBox(owner, GetLanguageText("WEXMOR_IMPORT_OPENERROR"), nullptr, MB_OK | MB_ICONSTOP);
        return false;
    case WexmorImportDriver::Opening::HeaderFailed:
        ShowMessageBox(owner, GetLanguageText("WEXMOR_IMPORT_ERROR"), nullptr, MB_OK | MB_ICONSTOP);
        return false;
    case WexmorImportDriver::Opening::Opened:
        break;
    }
    WexmorProgress state {&driver};
    const INT_PTR ended = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_IMPORT_PROGRESS), owner,
                                          WexmorProgressDlgProc, reinterpret_cast<LPARAM>(&state));
    if (ended != 1)
        driver.Cancel();
    return driver.Close();
}

bool RunGedcomImportDialogs(HWND owner, Database& database, ImportWizardData& block)
{
    GedcomImport import(block);
    ConversionProgress state {&import};
    const bool converted = import.Prepare() &&
                           DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_IMPORT_PROGRESS), owner, ConversionDlgProc,
                                           reinterpret_cast<LPARAM>(&state)) == 1;
    if (!converted) {
        ShowMessageBox(owner, GetLanguageText("GEDCOM_IMPORT_ABORT"), nullptr, MB_OK | MB_ICONSTOP);
        block.failed = 1;
        return false;
    }
    const bool stored = RunWexmorImportDialog(owner, database, import.ConvertedBlock());
    block.failed = import.ConvertedBlock().failed;
    return stored;
}

void ShowImportResult(HWND owner, ImportWizardData& block)
{
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_IMPORT_RESULT), owner, ResultDlgProc,
                    reinterpret_cast<LPARAM>(&block));
}

bool RunImportAfterWizard(HWND parent, ImportWizardData& block, ShowDatabaseFunction showOpened)
{
    if (!block.finished)
        return false;
    if (block.createNewDatabase) {
        if (CurrentDatabase != nullptr && FrameWindow != nullptr)
            SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
        if (CurrentDatabase != nullptr) {
            // A window kept the open database: the new one would take its place underneath it.
            ShowMessageBox(parent, GetLanguageText("IMPORT_DATABASE_NOTCLOSED"), nullptr, MB_OK | MB_ICONSTOP);
            return false;
        }
        Database* created = CreateDatabase(block.newDatabasePath, true);
        if (created == nullptr)
            return false;
        CurrentDatabase = created;
        if (showOpened != nullptr)
            showOpened(*created);
    }
    if (CurrentDatabase == nullptr)
        return false;
    ImportLog log;
    log.Create(block.logPath);
    block.log = &log;
    if (block.format == ImportFormatGedcom)
        RunGedcomImportDialogs(parent, *CurrentDatabase, block);
    else
        RunWexmorImportDialog(parent, *CurrentDatabase, block);
    block.log = nullptr;
    log.Close();
    ShowImportResult(parent, block);
    return true;
}

void RunImportWizard(HWND parent, const char* path, ShowDatabaseFunction showOpened)
{
    ImportWizardData block;
    if (!InitImportWizardData(block, path))
        return;
    if (RunWizardSheet(parent, block, 0) < 0 || !block.finished)
        return;
    RunImportAfterWizard(parent, block, showOpened);
}
