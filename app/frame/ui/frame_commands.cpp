// The frame's command handler: the commands that need no document window, and the forwarding of the
// others to the active MDI child.
#include "frame/ui/frame_window.h"

#include "core/database.h"
#include "core/ui/date_calculator.h"
#include "core/ui/open_create_ui.h"
#include "core/date_value.h"
#include "language/language_table.h"
#include "core/open_filter.h"
#include "frame/report_menus.h"
#include "settings/settings.h"
#include "frame/ui/about_box.h"
#include "frame/ui/database_display.h"
#include "ui_common/frame_globals.h"
#include "frame/ui/menus.h"
#include "frame/ui/preferences_sheet.h"
#include "ui_common/private_messages.h"
#include "frame/ui/startup.h"
#include "frame/ui/toolbars.h"
#include "ui_common/window_helpers.h"
#include "persons/ui/event_type_dialogs.h"
#include "persons/ui/roles_dialog.h"
#include "persons/ui/person_list.h"
#include "persons/ui/person_window.h"
#include "records/ui/media_editor.h"
#include "records/ui/objective_window.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/repository_window.h"
#include "records/ui/source_window.h"
#include "records/ui/soundex_dialog.h"
#include "exchange/ui/export_wizard.h"
#include "exchange/ui/import_wizard.h"
#include "res/persons_resource.h"
#include "res/frame_resource.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT ForwardedCommands[] = {
    IDM_HELP_BUTTON,
    IDM_VIEWREPORT_FIRST,
    IDM_VIEWREPORT_LAST,
    IDM_VIEWREPORT_PAGESFORWARD,
    IDM_VIEWREPORT_PAGESBACK,
    IDM_VIEWREPORT_ZOOMIN,
    IDM_VIEWREPORT_ZOOMOUT,
    IDM_EDIT_CUT,
    IDM_EDIT_COPY,
    IDM_EDIT_PASTE,
    IDM_EDIT_DELETE,
    IDM_ALT_N,
    IDM_VIEW_PERSON,
    IDM_ALT_S,
    IDM_FILE_CLOSE,
    IDM_EDIT_DELPERSON,
    IDM_FILE_SAVEAS,
    IDM_INSERT_NAME,
    IDM_VIEWREPORT_PREVIOUS,
    IDM_VIEWREPORT_NEXT,
    IDM_ALT_M,
    IDM_FILE_SAVE,
    IDM_FILE_PRINT,
    IDM_VIEW_PEDIGREE,
    IDM_INSERT_EVENT,
    IDM_INSERT_ATTRIBUTE,
    IDM_INSERT_CHILD,
    IDM_INSERT_INFO,
    IDM_VIEW_DATA,
    IDM_INSERT_ATTACHMENT,
    IDM_INSERT_EXCERPTREF,
    IDM_REPORT_RUN,
    IDM_REPORT_PROPERTIES,
    IDM_DEBUG_RUNTOCURSOR,
    IDM_DEBUG_CANCEL,
    IDM_INSERT_PARENT,
    IDM_FILE_PAGE,
    IDM_INSERT_TASK,
    IDM_INSERT_REPREF,
    IDM_EDIT_DELREPOSITORY,
    IDM_EDIT_DELSOURCE,
    IDM_EDIT_DELRESEARCH,
    IDM_DEBUG_WATCH,
    IDM_DEBUG_STEPINTO,
    IDM_DEBUG_STEPOVER,
    IDM_EDIT_FIND,
    IDM_EDIT_REPLACE,
    IDM_TOOLS_MERGE,
    IDM_DEBUG_BREAKPOINT,
    IDM_DEBUG_RUN,
    IDM_TOOLS_CONVTIMELINE,
};

// Commands that work on the open database. Menus grey them while none is open, but accelerators and
// toolbar buttons reach them as well, so each checks for itself.
constexpr UINT DatabaseOnlyCommands[] = {
    IDM_FILE_DBPROPERTIES, IDM_INSERT_PERSON,     IDM_INSERT_SOURCE,       IDM_VIEW_SOURCELIST, IDM_VIEW_PLACELIST,
    IDM_FILE_CLOSEDB,      IDM_TOOLS_EVENTTYPES,  IDM_VIEW_PERSONLIST,     IDM_TOOLS_EXTRACT,   IDM_REPORT_ALL,
    IDM_FILE_EXPORT,       IDM_INSERT_REPOSITORY, IDM_VIEW_REPOSITORYLIST, IDM_TOOLS_ROLES,     IDM_INSERT_RESEARCH,
    IDM_VIEW_RESEARCHLIST, IDM_FILE_BACKUP,       IDM_VIEW_OBJECTLIST,
};

bool NeedsDatabase(UINT command)
{
    return std::find(std::begin(DatabaseOnlyCommands), std::end(DatabaseOnlyCommands), command) !=
           std::end(DatabaseOnlyCommands);
}

int RecentIndexOf(UINT command)
{
    switch (command) {
    case IDM_LASTDATABASE1:
        return 0;
    case IDM_LASTDATABASE2:
        return 1;
    case IDM_LASTDATABASE3:
        return 2;
    case IDM_LASTDATABASE4:
        return 3;
    default:
        return -1;
    }
}

void ForwardToActiveChild(WPARAM wParam)
{
    HWND child = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0));
    if (child)
        SendMessageA(child, WM_COMMAND, wParam, 0);
}

// Closes the open database first (a child may refuse); true when none is open then.
bool MakeRoomForDatabase(HWND frame)
{
    if (CurrentDatabase)
        SendMessageA(frame, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    return CurrentDatabase == nullptr;
}

void NewDatabaseCommand(HWND frame)
{
    if (!MakeRoomForDatabase(frame))
        return;
    if (Database* database = NewDatabase(true)) {
        CurrentDatabase = database;
        ShowOpenedDatabase(*database);
    }
}

void OpenRecentDatabase(HWND frame, int index)
{
    if (!MakeRoomForDatabase(frame))
        return;
    // A copy: opening rotates the recent list under the path.
    std::string path = CurrentSettings.general.LastDatabase[index];
    if (!path.empty())
        OpenAndShowDatabase(frame, path.c_str());
}

// The open-file dialog over the frame, starting in the current folder; true when a file was chosen.
bool AskFileToOpen(HWND frame, const std::string& filter, DWORD filterIndex, const char* title,
                   const char* defaultExtension, char (&path)[MAX_PATH])
{
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = frame;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = title;
    dialog.lpstrInitialDir = CurrentSettings.general.CurrentDir;
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&dialog) != FALSE;
}

// Asks for a GEDCOM or Wexmor file and runs the import wizard on it.
void ImportFileDialog(HWND frame)
{
    const std::string filter = BuildOpenFilter({GetLanguageText("EXPORT_FORMAT_GEDCOMFILTER"),
                                                GetLanguageText("EXPORT_FORMAT_WEXMORFILTER")});
    char path[MAX_PATH] = {};
    if (AskFileToOpen(frame, filter, 1, GetLanguageText("IMPORT_OPEN_TITLE"), nullptr, path))
        RunImportWizard(frame, path, ShowOpenedDatabase);
}

void OpenFileDialog(HWND frame)
{
    static const char* const filterKeys[] = {
        LanguageKey("IDS_OPEN_FILTER"),
        LanguageKey("IDS_DB_FILTERSTRING"),
        LanguageKey("BACKUP_FILTER"),
        LanguageKey("EXPORT_FORMAT_GEDCOMFILTER"),
        LanguageKey("EXPORT_FORMAT_WEXMORFILTER"),
        LanguageKey("REPORTTYPE_FILTER"),
        LanguageKey("TIMELINE_FILTER"),
    };
    std::vector<std::string> texts;
    for (const char* key : filterKeys)
        texts.emplace_back(GetLanguageText(key));
    std::string filter = BuildOpenFilter(texts);

    char path[MAX_PATH] = {};
    if (AskFileToOpen(frame, filter, 2, GetLanguageText("IDS_OPEN_TITLE"), "vdb", path))
        OpenFileByExtension(frame, path);
}

void ChangeLanguage(HWND frame)
{
    char previousPath[LanguagePathSize];
    lstrcpynA(previousPath, LanguagePath, sizeof previousPath);
    if (!ChooseLanguage(frame))
        return;
    std::unique_ptr<LanguageTable> previous;
    if (!LoadLanguageInto(&previous)) {
        // The user gave up: the language in use stays, and so does its file.
        lstrcpynA(LanguagePath, previousPath, sizeof LanguagePath);
        Settings::WriteString("Language", nullptr, LanguagePath);
        return;
    }
    // The menus still point at texts of the previous table until they are built again.
    HMENU old = GetMenu(frame);
    SetMenu(frame, LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_FRAME_MENU)));
    DestroyMenu(old);
    HMENU menu = GetMenu(frame);
    // The MDI client keeps its Window menu: give it the new one.
    SendMessageA(MdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(GetSubMenu(menu, WindowMenuPosition)));
    TranslateMenu(menu);
    CheckToolbarMenuItems(frame);
    FillReportSubmenus(frame);
    DrawMenuBar(frame);
    RebuildRecentDatabaseMenu();
    if (CurrentDatabase)
        ShowOpenedDatabase(*CurrentDatabase);
    ShowStatusReady();
    previous.reset();
    if (HWND top = GetWindow(MdiClient, GW_CHILD))
        SendMessageA(top, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(top), reinterpret_cast<LPARAM>(top));
}

// For looking up only: today's local date, Gregorian.
void OpenDateCalculatorOnToday(HWND frame)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    DateValue today = EmptyDateValue();
    today.calendar = CalendarGregorian;
    today.day = static_cast<std::uint8_t>(now.wDay);
    today.month = static_cast<std::uint8_t>(now.wMonth);
    today.SetYear(now.wYear);
    OpenDateCalculator(frame, &today, false);
}

void CloseTopChild()
{
    if (HWND top = GetWindow(MdiClient, GW_CHILD))
        SendMessageA(top, WM_CLOSE, 0, 0);
}

void CloseAllChildren()
{
    while (HWND top = GetWindow(MdiClient, GW_CHILD)) {
        if (SendMessageA(top, WM_CLOSE, 0, 0) != 0)
            return;
        if (GetWindow(MdiClient, GW_CHILD) == top)
            return; // it neither refused nor went away: asking again would never end
    }
}

// Runs one of the frame's own commands; false for an id that is not one of them.
bool RunOwnCommand(HWND frame, UINT command)
{
    if (NeedsDatabase(command) && !CurrentDatabase)
        return true;
    if (int recent = RecentIndexOf(command); recent >= 0) {
        OpenRecentDatabase(frame, recent);
        return true;
    }
    if (int band = ToolbarBandOfCommand(command); band >= 0) {
        ToggleToolbarBand(frame, band);
        return true;
    }
    switch (command) {
    case IDM_HELP_ABOUT:
        ShowAboutBox(frame);
        return true;
    case IDM_FILE_DBPROPERTIES:
        ShowDatabaseProperties(*CurrentDatabase, frame);
        return true;
    case IDM_WINDOW_ARRANGE:
        SendMessageA(MdiClient, WM_MDIICONARRANGE, 0, 0);
        return true;
    case IDM_WINDOW_CASCADE:
        SendMessageA(MdiClient, WM_MDICASCADE, 0, 0);
        return true;
    case IDM_WINDOW_TILE:
        SendMessageA(MdiClient, WM_MDITILE, 0, 0);
        return true;
    case IDM_WINDOW_CLOSE:
        CloseTopChild();
        return true;
    case IDM_WINDOW_CLOSEALL:
        CloseAllChildren();
        return true;
    case IDM_FILE_CLOSEDB:
        CloseCurrentDatabase(frame);
        return true;
    case IDM_FILE_NEWDB:
        NewDatabaseCommand(frame);
        return true;
    case IDM_FILE_OPEN:
        OpenFileDialog(frame);
        return true;
    case IDM_FILE_IMPORT:
        ImportFileDialog(frame);
        return true;
    case IDM_FILE_EXIT:
        PostMessageA(frame, WM_CLOSE, 0, 0);
        return true;
    case IDM_HELP_RG:
        ShowHelpTopic(HelpDisplayTopic, "TOC_Stavic.htm");
        return true;
    case IDM_HELP_MAIN:
        ShowHelpTopic(HelpDisplayTopic, "Welcome.htm");
        return true;
    case IDM_HELP_TUTORIAL:
        ShowHelpTopic(HelpDisplayTopic, "Tutorial_Start.htm");
        return true;
    case IDM_TOOLS_LANGUAGE:
        ChangeLanguage(frame);
        return true;
    case IDM_TOOLS_EVENTTYPES:
        DialogBoxParamA(AppInstance, EventTypeListResource, frame, EventTypeListDlgProc, 0);
        return true;
    case IDM_TOOLS_ROLES:
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ROLES), frame, RolesDlgProc, 0);
        return true;
    case IDM_TOOLS_OPTIONS:
        ShowPreferences(frame, PreferencesAllPages);
        return true;
    // The list windows; the record chosen in one is opened in its own window once that window exists.
    case IDM_VIEW_PERSONLIST:
        if (CurrentDatabase != nullptr)
            if (const std::int32_t id = SelectPerson(frame, *CurrentDatabase); id != 0)
                OpenPersonWindow(id);
        return true;
    case IDM_INSERT_PERSON:
        if (CurrentDatabase != nullptr)
            OpenPersonWindow(0);
        return true;
    case IDM_VIEW_SOURCELIST:
        if (const std::int32_t id = SelectSource(frame, *CurrentDatabase); id != 0)
            OpenSourceWindow(id);
        return true;
    case IDM_VIEW_REPOSITORYLIST:
        if (const std::int32_t id = SelectRepository(frame, *CurrentDatabase); id != 0)
            OpenRepositoryWindow(id);
        return true;
    case IDM_INSERT_SOURCE:
        OpenSourceWindow(0);
        return true;
    case IDM_INSERT_REPOSITORY:
        OpenRepositoryWindow(0);
        return true;
    case IDM_VIEW_RESEARCHLIST:
        if (CurrentDatabase != nullptr)
            if (std::int32_t id = ShowResearchList(frame, *CurrentDatabase))
                OpenObjectiveWindow(id);
        return true;
    case IDM_INSERT_RESEARCH:
        if (CurrentDatabase != nullptr)
            OpenObjectiveWindow(0);
        return true;
    case IDM_VIEW_OBJECTLIST:
        if (CurrentDatabase != nullptr)
            if (std::int32_t id = ShowMediaList(frame, *CurrentDatabase))
                OpenMediaDialog(frame, id);
        return true;
    case IDM_TOOLS_SOUNDEX:
        ShowSoundexCalculator(frame);
        return true;
    case IDM_TOOLS_DATECALC:
        OpenDateCalculatorOnToday(frame);
        return true;
    case IDM_FILE_EXPORT:
        RunExportWizard(frame);
        return true;
    // The windows and dialogs of persons, sources, repositories, research, media, places, given names, report
    // types, timelines, extract and backup open these; they are
    // taken here, and do nothing until those exist.
    case IDM_VIEW_PLACELIST:
    case IDM_FILE_NEWRT:
    case IDM_TOOLS_EXTRACT:
    case IDM_REPORT_ALL:
    case IDM_TOOLS_NAMES:
    case IDM_FILE_BACKUP:
    case IDM_FILE_NEWTL:
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsForwardedCommand(UINT command)
{
    return std::find(std::begin(ForwardedCommands), std::end(ForwardedCommands), command) !=
           std::end(ForwardedCommands);
}

bool HandleFrameCommand(HWND frame, WPARAM wParam, LPARAM)
{
    UINT command = LOWORD(wParam);
    int submenu = 0, index = 0;
    if (ReportCommandEntry(static_cast<int>(command), &submenu, &index)) {
        // Report types are run by the report side (RunReportTypeFile) with the entry's path.
        return true;
    }
    if (IsForwardedCommand(command)) {
        ForwardToActiveChild(wParam);
        return true;
    }
    return RunOwnCommand(frame, command);
}

bool CloseCurrentDatabase(HWND frame)
{
    if (!CurrentDatabase)
        return true;
    // Each child may refuse; one that closes itself while answering is stepped over.
    HWND lastSurvivor = nullptr;
    HWND child = GetWindow(MdiClient, GW_CHILD);
    while (child) {
        if (SendMessageA(child, WM_QUERYCLOSECHILD, 0, 0) != 0)
            return false;
        if (IsWindow(child) && GetParent(child) == MdiClient)
            lastSurvivor = child;
        child = lastSurvivor ? GetWindow(lastSurvivor, GW_HWNDNEXT) : GetWindow(MdiClient, GW_CHILD);
    }
    ShowNoDatabase();
    delete CurrentDatabase;
    CurrentDatabase = nullptr;
    PostMessageA(frame, WM_DATABASECLOSED, 0, 0);
    return true;
}
