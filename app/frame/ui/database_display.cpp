#include "frame/ui/database_display.h"

#include "core/database.h"
#include "core/database_properties.h"
#include "frame/recent_databases.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "frame/ui/menus.h"
#include "ui_common/private_messages.h"
#include "frame/ui/toolbars.h"
#include "res/frame_resource.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <iterator>

namespace {

// The menu items that need an open database.
constexpr UINT DatabaseCommands[] = {
    IDM_FILE_DBPROPERTIES, IDM_INSERT_PERSON,     IDM_INSERT_SOURCE,       IDM_VIEW_SOURCELIST, IDM_VIEW_PLACELIST,
    IDM_FILE_CLOSEDB,      IDM_TOOLS_EVENTTYPES,  IDM_VIEW_PERSONLIST,     IDM_TOOLS_EXTRACT,   IDM_REPORT_ALL,
    IDM_FILE_EXPORT,       IDM_INSERT_REPOSITORY, IDM_VIEW_REPOSITORYLIST, IDM_TOOLS_ROLES,     IDM_INSERT_RESEARCH,
    IDM_VIEW_RESEARCHLIST, IDM_FILE_BACKUP,       IDM_VIEW_OBJECTLIST,
};
constexpr int ReportSubmenusEnabled = 6;

// The recent items' commands, LastDatabase1 .. 4.
constexpr UINT RecentCommands[RecentDatabaseCount] = {IDM_LASTDATABASE1, IDM_LASTDATABASE2, IDM_LASTDATABASE3,
                                                      IDM_LASTDATABASE4};
constexpr std::size_t RecentMenuWidth = 34;

void EnableDatabaseCommands(bool enable)
{
    HMENU menu = GetMenu(FrameWindow);
    UINT state = enable ? MF_ENABLED : MF_GRAYED;
    for (UINT command : DatabaseCommands)
        EnableMenuItem(menu, command, MF_BYCOMMAND | state);
    EnableToolbarButton(IDC_TOOLBAR_STANDARD, IDM_FILE_DBPROPERTIES, enable);
    HMENU reportMenu = GetSubMenu(menu, ReportMenuPosition);
    for (int i = 0; i < ReportSubmenusEnabled; ++i)
        EnableMenuItem(reportMenu, static_cast<UINT>(i), MF_BYPOSITION | state);
}

void WriteRecentDatabases()
{
    static const char* const names[RecentDatabaseCount] = {"LastDatabase1", "LastDatabase2", "LastDatabase3",
                                                           "LastDatabase4"};
    for (int i = 0; i < RecentDatabaseCount; ++i)
        Settings::WriteString("General", names[i], CurrentSettings.general.LastDatabase[i]);
}

} // namespace

void ShowOpenedDatabase(Database& database)
{
    EnableDatabaseCommands(true);
    PromoteRecentDatabase(CurrentSettings.general.LastDatabase, database.path);
    WriteRecentDatabases();
    SHAddToRecentDocs(SHARD_PATHA, database.path);
    RebuildRecentDatabaseMenu();
    std::string title =
        DatabaseFrameTitle(database.path, database.header.title, CurrentSettings.general.FilenameTitle != 0);
    SetWindowTextA(FrameWindow, title.c_str());
    PostMessageA(FrameWindow, WM_DATABASEOPENED, 0, 0);
}

void ShowNoDatabase()
{
    EnableDatabaseCommands(false);
    SetWindowTextA(FrameWindow, ProductName);
}

void RebuildRecentDatabaseMenu()
{
    HMENU fileMenu = GetSubMenu(GetMenu(FrameWindow), FileMenuPosition);
    if (!fileMenu)
        return;
    // The items are met from the bottom in the order 4, 3, 2, 1.
    bool removed = false;
    for (int i = RecentDatabaseCount - 1; i >= 0; --i) {
        int last = GetMenuItemCount(fileMenu) - 1;
        if (last >= 0 && GetMenuItemID(fileMenu, last) == RecentCommands[i]) {
            DeleteMenu(fileMenu, static_cast<UINT>(last), MF_BYPOSITION);
            removed = true;
        }
    }
    if (removed)
        DeleteMenu(fileMenu, static_cast<UINT>(GetMenuItemCount(fileMenu) - 1), MF_BYPOSITION);

    // A separator only above items: one left alone would never be removed again.
    bool anyShown = false;
    for (const char* path : CurrentSettings.general.LastDatabase)
        anyShown = anyShown || IsShownAsRecentDatabase(path);
    if (anyShown) {
        AppendMenuA(fileMenu, MF_SEPARATOR, 0, nullptr);
        for (int i = 0; i < RecentDatabaseCount; ++i) {
            char* path = CurrentSettings.general.LastDatabase[i];
            if (!IsShownAsRecentDatabase(path))
                continue;
            char shortened[MAX_PATH];
            if (!PathCompactPathExA(shortened, path, RecentMenuWidth, 0))
                lstrcpynA(shortened, path, sizeof shortened);
            std::string text = RecentDatabaseMenuText(shortened);
            MENUITEMINFOA item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE;
            item.fType = MFT_STRING;
            item.wID = RecentCommands[i];
            item.dwTypeData = text.data();
            item.dwItemData = reinterpret_cast<ULONG_PTR>(path);
            InsertMenuItemA(fileMenu, static_cast<UINT>(GetMenuItemCount(fileMenu)), TRUE, &item);
        }
    }
    DrawMenuBar(FrameWindow);
}
