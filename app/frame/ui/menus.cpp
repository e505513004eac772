#include "frame/ui/menus.h"

#include "core/bounded_text.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"

#include <commctrl.h>

#include <cstring>
#include <string>

ReportMenuEntry ReportMenuEntries[ReportSubmenuCount][ReportMenuCapacity];

namespace {

constexpr std::size_t MenuKeySize = LanguageKeySize; // 47 characters of a key and its terminator

void SetStatusPart0(const char* text)
{
    if (StatusBarWindow)
        SendMessageA(StatusBarWindow, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(text));
}

void FillReportSubmenu(HMENU submenu, int index)
{
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);

    const ReportSubmenu& table = ReportSubmenuTable[index];
    char builtIn[ReportTypeListSize];
    const char* text = GetLanguageText(table.builtInListKey);
    CopyBounded(builtIn, sizeof builtIn, text == table.builtInListKey ? "" : text);

    std::vector<std::string> paths =
        ReportMenuPaths(CurrentSettings.AppDir, builtIn, CurrentSettings.reportTypes.Lists[index]);
    int items = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ReportMenuEntry& entry = ReportMenuEntries[index][i];
        CopyBounded(entry.path, sizeof entry.path, paths[i].c_str());
        entry.description[0] = '\0';
        ReportTypeHeading heading{};
        if (!ReadReportTypeHeading(entry.path, &heading))
            continue; // the entry keeps its index, so the next file keeps its command
        CopyBounded(entry.description, sizeof entry.description, heading.description);
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE;
        item.fType = MFT_STRING;
        item.wID = static_cast<UINT>(table.firstCommand + static_cast<int>(i));
        item.dwTypeData = heading.name;
        item.dwItemData = reinterpret_cast<ULONG_PTR>(entry.description);
        InsertMenuItemA(submenu, static_cast<UINT>(GetMenuItemCount(submenu)), TRUE, &item);
        ++items;
    }
    for (std::size_t i = paths.size(); i < static_cast<std::size_t>(ReportMenuCapacity); ++i)
        ReportMenuEntries[index][i] = ReportMenuEntry{};
    if (items == 0)
        AppendMenuA(submenu, MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(table.firstCommand),
                    GetLanguageText("REPORT_NONE"));
}

} // namespace

void TranslateMenu(HMENU menu)
{
    for (int position = 0;; ++position) {
        char key[MenuKeySize] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = key;
        item.cch = sizeof key;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            return;
        if (item.fType & (MFT_BITMAP | MFT_SEPARATOR))
            continue;
        HMENU submenu = item.hSubMenu;
        const char* text = GetLanguageText(key);
        std::string helpKey = std::string(key) + "_HELP";
        if (helpKey.size() >= MenuKeySize)
            helpKey.resize(MenuKeySize - 1);
        const char* help = GetLanguageText(helpKey.c_str());

        MENUITEMINFOA update{};
        update.cbSize = sizeof update;
        update.fMask = MIIM_STRING;
        update.dwTypeData = const_cast<char*>(text);
        if (help != helpKey.c_str()) {
            update.fMask |= MIIM_DATA;
            update.dwItemData = reinterpret_cast<ULONG_PTR>(help);
        }
        SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &update);
        if (submenu)
            TranslateMenu(submenu);
    }
}

void ShowMenuHelp(UINT item, UINT flags, HMENU menu)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    BOOL byPosition = (flags & MF_POPUP) ? TRUE : FALSE;
    const char* text = "";
    if (GetMenuItemInfoA(menu, item, byPosition, &info) && info.dwItemData)
        text = reinterpret_cast<const char*>(info.dwItemData);
    SetStatusPart0(text);
}

void ShowStatusReady()
{
    SetStatusPart0(GetLanguageText("STATUSBAR_READY"));
}

void FillReportSubmenus(HWND frame)
{
    HMENU reportMenu = GetSubMenu(GetMenu(frame), ReportMenuPosition);
    if (!reportMenu)
        return;
    for (int i = 0; i < ReportSubmenuCount; ++i) {
        if (HMENU submenu = GetSubMenu(reportMenu, i))
            FillReportSubmenu(submenu, i);
    }
}
