#include "frame/ui/startup.h"

#include "core/database.h"
#include "core/notice_sink.h"
#include "core/ui/open_create_ui.h"
#include "frame/command_line.h"
#include "language/language_table.h"
#include "persons/name_list_state.h"
#include "settings/settings.h"
#include "frame/ui/database_display.h"
#include "ui_common/frame_globals.h"
#include "frame/ui/frame_window.h"
#include "frame/ui/language_dialog.h"
#include "frame/ui/menus.h"
#include "ui_common/custom_controls.h"
#include "ui_common/editing_preferences.h"
#include "frame/ui/preferences_sheet.h"
#include "exchange/ui/import_wizard.h"
#include "persons/ui/pedigree_window.h"
#include "persons/ui/person_list.h"
#include "persons/ui/person_window.h"
#include "records/ui/task_dialog.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/splitters.h"
#include "ui_common/window_helpers.h"
#include "res/frame_resource.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t StartupMessageSize = 255;

// Start-up texts are fixed English: no usable language file exists yet when they are shown.
void ShowStartupError(const std::string& text)
{
    std::string bounded = text.substr(0, StartupMessageSize);
    ShowMessageBox(nullptr, bounded.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

} // namespace

bool RequireLibrary(const char* name)
{
    if (LoadLibraryA(name))
        return true;
    std::string text = std::string("The file ") + name + " could not be found. Please reinstall Vestrada";
    ShowMessageBox(nullptr, text.c_str(), "Dll Loading Error", MB_OK | MB_ICONERROR);
    return false;
}

namespace {

// Runs the language dialog and remembers its choice; false on Cancel.
bool AskForLanguage(HWND owner)
{
    return ChooseLanguage(owner) != 0;
}

// The table of the file at LanguagePath; a file that cannot be read gives an empty table, which then
// fails the version check as no language file of the program.
std::unique_ptr<LanguageTable> ReadLanguageFile()
{
    std::unique_ptr<LanguageTable> table = LanguageTable::LoadFile(LanguagePath);
    return table ? std::move(table) : LanguageTable::Load("");
}

} // namespace

int InitApplication(HINSTANCE instance)
{
    if (!RegisterWindowClasses(instance) || !RegisterCustomControls(instance) || !RegisterSplitters(instance))
        return 0;
    // The task dialog lives below the persons' windows and so is handed their person selector.
    SetTaskPersonSelector(SelectPerson);
    // The pedigree's view-person command opens the person windows that live beside it.
    SetPedigreePersonOpener(OpenPersonWindow);
    LoadLibraryA("Riched32.dll");
    LoadLibraryA("Riched20.dll");
    if (!RequireLibrary("SciLexer.dll") || !RequireLibrary("QGRID.dll"))
        return 0;
    return 1;
}

int ChooseLanguage(HWND owner)
{
    char path[LanguagePathSize] = {};
    if (!RunLanguageDialog(owner, path))
        return 0;
    lstrcpynA(LanguagePath, path, sizeof LanguagePath);
    lstrcpynA(CurrentSettings.language.LanguageFile, path, sizeof CurrentSettings.language.LanguageFile);
    Settings::WriteString("Language", nullptr, LanguagePath);
    return 1;
}

int LoadLanguageInto(std::unique_ptr<LanguageTable>* previous)
{
    if (LanguagePath[0] == '\0' && !AskForLanguage(nullptr))
        return 0;
    std::unique_ptr<LanguageTable> table;
    while (!(table = LanguageTable::LoadFile(LanguagePath))) {
        ShowStartupError(std::string("The selected language file, ") + LanguagePath +
                         ", was not found or could not be opened. Please select another language.");
        if (!AskForLanguage(nullptr))
            return 0;
    }
    for (;;) {
        int version = table->Version();
        if (version == LanguageFileVersion)
            break;
        if (version != 0)
            ShowStartupError(std::string("The selected language file, ") + LanguagePath +
                             ", is created for a different version of Vestrada. Please select another language.");
        else
            ShowStartupError(std::string("The selected file, ") + LanguagePath +
                             ", is probably not a Vestrada language file. Please select another language.");
        if (!AskForLanguage(nullptr))
            return 0;
        table = ReadLanguageFile();
    }
    // The new table is complete before the one in use is let go.
    LanguageTable* replaced = CurrentLanguageTable;
    CurrentLanguageTable = table.release();
    if (previous)
        previous->reset(replaced);
    else
        delete replaced;
    Settings::LoadReportFormatting();
    InitMUILanguage(static_cast<LANGID>(std::strtoul(GetLanguageText("LANGUAGE_IDENTIFIER"), nullptr, 10)));
    return 1;
}

int LoadLanguage()
{
    return LoadLanguageInto(nullptr);
}

int InitInstance(HINSTANCE instance, int showCommand)
{
    AppInstance = instance;
    FindReplaceMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_USEREX_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput gdiplus;
    Gdiplus::GdiplusStartup(&GdiplusToken, &gdiplus, nullptr);
    FrameAccelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_FRAME_ACCELERATORS));
    ActiveChild = nullptr;
    ActiveDialogHost = nullptr;
    FindReplaceDialog = nullptr;

    if (!Settings::Load())
        return 0;
    lstrcpynA(LanguagePath, CurrentSettings.language.LanguageFile, sizeof LanguagePath);
    if (!LoadLanguage())
        return 0;
    InstallDatabasePrompts();
    InstallListStates();
    OpenEditingPreferences = [](HWND owner) { ShowPreferences(owner, PreferencesEditingPage); };
    SetCurrentDirectoryA(CurrentSettings.general.CurrentDir);

    if (!CreateFrameWindow())
        return 0;
    HMENU menu = GetMenu(FrameWindow);
    TranslateMenu(menu);
    DrawMenuBar(FrameWindow);
    RebuildRecentDatabaseMenu();
    ShowWindow(FrameWindow, CurrentSettings.general.AppMaximized ? SW_SHOWMAXIMIZED : showCommand);
    UpdateWindow(FrameWindow);

    TooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    return 1;
}

void OpenFileByExtension(HWND owner, const char* path)
{
    switch (FileKindOf(path)) {
    case FileKind::Database:
        if (CurrentDatabase)
            SendMessageA(owner, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
        if (!CurrentDatabase)
            OpenAndShowDatabase(owner, path);
        return;
    case FileKind::Import:
        RunImportWizard(owner, path, ShowOpenedDatabase);
        return;
    case FileKind::ReportType: // the report-type editor
    case FileKind::Timeline:   // a timeline window
    case FileKind::Backup:     // the restore of a backup
        // Opened by their own windows and wizards, which take the path.
        return;
    case FileKind::Unknown:
        return;
    }
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        bool taken = (MdiClient && TranslateMDISysAccel(MdiClient, &message)) ||
                     (FrameAccelerators && TranslateAcceleratorA(FrameWindow, FrameAccelerators, &message)) ||
                     (FindReplaceDialog && IsDialogMessageA(FindReplaceDialog, &message)) ||
                     (ActiveDialogHost && IsDialogMessageA(GetWindow(ActiveDialogHost, GW_CHILD), &message));
        if (!taken) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (EditorWindow && message.hwnd == EditorWindow &&
            (message.message == WM_KEYDOWN || message.message == WM_LBUTTONDOWN))
            ShowEditorCaretPosition();
    }
    return static_cast<int>(message.wParam);
}

void ShutDown(HWND frame)
{
    EditSettings& edit = CurrentSettings.edit;
    if (CurrentDatabase) {
        lstrcpynA(edit.LastDatabase, CurrentDatabase->path, sizeof edit.LastDatabase);
        SendMessageA(frame, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    } else {
        edit.LastDatabase[0] = '\0';
    }
    Settings::WriteString("Edit", "LastDatabase", edit.LastDatabase);
    if (CurrentDatabase)
        return; // a window refused to let the database go

    while (HWND top = GetWindow(MdiClient, GW_CHILD)) {
        if (SendMessageA(top, WM_CLOSE, 0, 0) != 0)
            return;
        // A child that agreed but stayed would be asked for ever.
        if (GetWindow(MdiClient, GW_CHILD) == top && IsWindow(top))
            SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(top), 0);
    }

    GeneralSettings& general = CurrentSettings.general;
    general.AppMaximized = IsZoomed(frame) ? 1 : 0;
    Settings::WriteDword("General", "AppMaximized", static_cast<std::uint32_t>(general.AppMaximized));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(frame, &placement)) {
        const RECT& r = placement.rcNormalPosition;
        general.AppPosX = r.left;
        general.AppPosY = r.top;
        general.AppWidth = r.right - r.left;
        general.AppHeight = r.bottom - r.top;
        Settings::WriteDword("General", "AppPosX", static_cast<std::uint32_t>(general.AppPosX));
        Settings::WriteDword("General", "AppPosY", static_cast<std::uint32_t>(general.AppPosY));
        Settings::WriteDword("General", "AppWidth", static_cast<std::uint32_t>(general.AppWidth));
        Settings::WriteDword("General", "AppHeight", static_cast<std::uint32_t>(general.AppHeight));
    }
    GetCurrentDirectoryA(sizeof general.CurrentDir, general.CurrentDir);
    Settings::WriteString("General", "CurrentDir", general.CurrentDir);

    delete CurrentLanguageTable;
    CurrentLanguageTable = nullptr;
    DestroyWindow(frame);
    ReleaseStartup();
}

void ReleaseStartup()
{
    FrameWindow = nullptr;
    MdiClient = nullptr;
    RebarWindow = nullptr;
    StatusBarWindow = nullptr;
    if (TooltipWindow) {
        DestroyWindow(TooltipWindow);
        TooltipWindow = nullptr;
    }
    if (GdiplusToken) {
        Gdiplus::GdiplusShutdown(GdiplusToken);
        GdiplusToken = 0;
    }
}
