#include "frame/ui/preferences_sheet.h"

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/date_pictures.h"
#include "core/open_filter.h"
#include "frame/preferences.h"
#include "frame/report_menus.h"
#include "frame/ui/database_display.h"
#include "frame/ui/menus.h"
#include "language/language_table.h"
#include "res/preferences_resource.h"
#include "settings/settings.h"
#include "ui_common/custom_controls.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

// What the pages share for one run of the sheet.
struct PreferencesState {
    bool centred = false;
    ReportTypeSettings reportTypes{}; // the report types page's copy, stored on OK
    int category = 0;
};
PreferencesState State;

void PostNotice(UINT notice)
{
    if (FrameWindow)
        PostMessageA(FrameWindow, notice, 0, 0);
}

// The first page to come up centres the sheet on its owner (on the screen without one).
void CentreSheet(HWND page)
{
    if (State.centred)
        return;
    State.centred = true;
    HWND sheet = GetParent(page);
    RECT own, area;
    GetWindowRect(sheet, &own);
    HWND owner = GetWindow(sheet, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = own.right - own.left, height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(sheet, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ComboSelection(HWND page, int item)
{
    return static_cast<int>(SendDlgItemMessageA(page, item, CB_GETCURSEL, 0, 0));
}

LRESULT ComboItemData(HWND page, int item, int position)
{
    return SendDlgItemMessageA(page, item, CB_GETITEMDATA, static_cast<WPARAM>(position), 0);
}

int AddComboText(HWND page, int item, const char* text, LPARAM data = 0)
{
    auto position = static_cast<int>(SendDlgItemMessageA(page, item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    if (position >= 0)
        SendDlgItemMessageA(page, item, CB_SETITEMDATA, static_cast<WPARAM>(position), data);
    return position;
}

// Selects the entry whose item data is `data`; none when no entry has it.
void SelectComboData(HWND page, int item, LRESULT data)
{
    auto count = static_cast<int>(SendDlgItemMessageA(page, item, CB_GETCOUNT, 0, 0));
    for (int n = 0; n < count; ++n)
        if (ComboItemData(page, item, n) == data) {
            SendDlgItemMessageA(page, item, CB_SETCURSEL, static_cast<WPARAM>(n), 0);
            return;
        }
    SendDlgItemMessageA(page, item, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

bool Checked(HWND page, int item)
{
    return IsDlgButtonChecked(page, item) == BST_CHECKED;
}

// Stores a number setting and writes it when it differs; answers whether it did.
bool StoreChanged(std::int32_t& field, std::int32_t value, const char* section, const char* name)
{
    if (field == value)
        return false;
    field = value;
    Settings::WriteDword(section, name, static_cast<std::uint32_t>(value));
    return true;
}

// The common part of every page's procedure: the help notice, the apply notice's answer.
template <void (*Apply)(HWND), const char* const* Topic>
INT_PTR PageNotice(HWND page, LPARAM lParam)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == static_cast<UINT>(PSN_APPLY)) {
        Apply(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    if (header->code == static_cast<UINT>(PSN_HELP)) {
        ShowHelpTopic(HelpDisplayTopic, *Topic);
        return TRUE;
    }
    return FALSE;
}

template <INT_PTR (*Handler)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<Handler, DialogSafeAnswer>(page, message, wParam, lParam);
}

void BeginPage(HWND page)
{
    TranslateDialog(page);
    CentreSheet(page);
}

// OK stores and notifies through every page, so each is made when the sheet comes up, not when it is
// first looked at; the first page is shown again afterwards.
constexpr UINT WM_MAKEALLPAGES = WM_APP + 1;

void MakeAllPages(HWND sheet)
{
    HWND tabs = PropSheet_GetTabControl(sheet);
    auto count = tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int index = count - 1; index >= 0; --index)
        if (!PropSheet_IndexToHwnd(sheet, index))
            PropSheet_SetCurSel(sheet, nullptr, index);
    PropSheet_SetCurSel(sheet, nullptr, 0);
}

// ---- Editing ----

constexpr const char* EditingTopic = "Options.htm#Editing";

void ApplyEditing(HWND page)
{
    int selection = ComboSelection(page, IDC_PREF_NAMESTANDARD);
    auto count = static_cast<int>(SendDlgItemMessageA(page, IDC_PREF_NAMESTANDARD, CB_GETCOUNT, 0, 0));
    if (IsNewNameStandard(selection, count, CurrentSettings.edit.NewNames))
        StoreChanged(CurrentSettings.edit.NewNames, selection, "Edit", "NewNames");
}

INT_PTR EditingMessage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_MAKEALLPAGES:
        MakeAllPages(GetParent(page));
        return TRUE;
    case WM_INITDIALOG:
        BeginPage(page);
        PostMessageA(page, WM_MAKEALLPAGES, 0, 0);
        for (const std::string& entry : NameStandardEntries())
            SendDlgItemMessageA(page, IDC_PREF_NAMESTANDARD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        SendDlgItemMessageA(page, IDC_PREF_NAMESTANDARD, CB_SETCURSEL,
                            static_cast<WPARAM>(CurrentSettings.edit.NewNames), 0);
        return TRUE;
    case WM_NOTIFY:
        return PageNotice<ApplyEditing, &EditingTopic>(page, lParam);
    default:
        return FALSE;
    }
}

// ---- Dates ----

constexpr const char* DatesTopic = "Options.htm#Dates";

void EnableTimeFormat(HWND page)
{
    EnableWindow(GetDlgItem(page, IDC_PREF_TIMEFORMAT), Checked(page, IDC_PREF_SHOWTIME));
}

void ApplyDates(HWND page)
{
    DateFormatSettings& dates = CurrentSettings.dateFormat;
    bool changed = StoreChanged(dates.ShowCalendar, Checked(page, IDC_PREF_SHOWCALENDAR) ? 1 : 0, "DateFormat",
                                "ShowCalendar");
    changed |= StoreChanged(dates.ShowTime, Checked(page, IDC_PREF_SHOWTIME) ? 1 : 0, "DateFormat", "ShowTime");
    int format = ComboSelection(page, IDC_PREF_TIMEFORMAT);
    if (format >= 0)
        changed |= StoreChanged(dates.TimeFormat, format, "DateFormat", "TimeFormat");
    if (changed)
        PostNotice(WM_DATEFORMATCHANGED);
}

INT_PTR DatesMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        BeginPage(page);
        const DateFormatSettings& dates = CurrentSettings.dateFormat;
        CheckDlgButton(page, IDC_PREF_SHOWCALENDAR, dates.ShowCalendar ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(page, IDC_PREF_SHOWTIME, dates.ShowTime ? BST_CHECKED : BST_UNCHECKED);
        for (const char* format : {"hh:mm", "hh.mm"})
            SendDlgItemMessageA(page, IDC_PREF_TIMEFORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(format));
        SendDlgItemMessageA(page, IDC_PREF_TIMEFORMAT, CB_SETCURSEL, static_cast<WPARAM>(dates.TimeFormat), 0);
        EnableTimeFormat(page);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PREF_SHOWTIME && HIWORD(wParam) == BN_CLICKED)
            EnableTimeFormat(page);
        return TRUE;
    case WM_NOTIFY:
        return PageNotice<ApplyDates, &DatesTopic>(page, lParam);
    default:
        return FALSE;
    }
}

// ---- Date formats ----

constexpr const char* DateFormatsTopic = "Options.htm#Dateformats";

// The item data of a list's chosen entry, or `fallback` without one.
LRESULT ChosenData(HWND page, int item, LRESULT fallback)
{
    int selection = ComboSelection(page, item);
    return selection >= 0 ? ComboItemData(page, item, selection) : fallback;
}

// Fills the screen, report and picture lists from the settings' pictures. The screen and report lists
// keep the entry the user chose while it is still there; `chosenPicture` is selected in the picture list.
void FillPictureLists(HWND page, bool firstTime, LRESULT chosenPicture)
{
    const DateFormatSettings& dates = CurrentSettings.dateFormat;
    LRESULT screen = firstTime ? dates.OutputFormat : ChosenData(page, IDC_PREF_SCREENFORMAT, dates.OutputFormat);
    LRESULT report = firstTime ? dates.PrintFormat : ChosenData(page, IDC_PREF_REPORTFORMAT, dates.PrintFormat);
    for (int item : {IDC_PREF_SCREENFORMAT, IDC_PREF_REPORTFORMAT, IDC_PREF_PICTURELIST})
        SendDlgItemMessageA(page, item, CB_RESETCONTENT, 0, 0);
    // The lists keep the order of the pictures, not an alphabetical one.
    AddComboText(page, IDC_PREF_PICTURELIST, GetLanguageText("PREF_DATE_NEW"), NewDatePicture);
    for (int index : ShownDatePictures(dates)) {
        std::string example = DatePictureExample(dates.Formats[index]);
        AddComboText(page, IDC_PREF_SCREENFORMAT, example.c_str(), index);
        AddComboText(page, IDC_PREF_REPORTFORMAT, example.c_str(), index);
        AddComboText(page, IDC_PREF_PICTURELIST, dates.Formats[index], index);
    }
    SelectComboData(page, IDC_PREF_SCREENFORMAT, screen);
    SelectComboData(page, IDC_PREF_REPORTFORMAT, report);
    SelectComboData(page, IDC_PREF_PICTURELIST, chosenPicture);
    if (ComboSelection(page, IDC_PREF_PICTURELIST) < 0)
        SendDlgItemMessageA(page, IDC_PREF_PICTURELIST, CB_SETCURSEL, 0, 0);
}

// Shows the chosen picture's text and example; the field takes a new picture, or changes one after the
// fixed ones.
void ShowChosenPicture(HWND page)
{
    int position = ComboSelection(page, IDC_PREF_PICTURELIST);
    LRESULT index = position >= 0 ? ComboItemData(page, IDC_PREF_PICTURELIST, position) : NewDatePicture;
    const char* picture = index == NewDatePicture ? "" : CurrentSettings.dateFormat.Formats[index];
    SetDlgItemTextA(page, IDC_PREF_PICTURE, picture);
    SetDlgItemTextA(page, IDC_PREF_EXAMPLE, DatePictureExample(picture).c_str());
    EnableWindow(GetDlgItem(page, IDC_PREF_PICTURE),
                 index == NewDatePicture || IsEditableDatePictureEntry(position));
}

void ApplyPicture(HWND page)
{
    if (!IsWindowEnabled(GetDlgItem(page, IDC_PREF_PICTURE)))
        return; // a fixed picture: viewed, not changed
    int position = ComboSelection(page, IDC_PREF_PICTURELIST);
    LRESULT index = position >= 0 ? ComboItemData(page, IDC_PREF_PICTURELIST, position) : NewDatePicture;
    char text[DatePictureFieldLength + 1] = {};
    GetDlgItemTextA(page, IDC_PREF_PICTURE, text, sizeof text);
    DateFormatSettings& dates = CurrentSettings.dateFormat;
    DatePictureChange change = ChangeDatePicture(dates, static_cast<int>(index), text);
    if (change == DatePictureChange::None)
        return;
    Settings::SaveDateFormats();
    LRESULT chosen = change == DatePictureChange::Appended ? dates.FormatCount - 1
                     : change == DatePictureChange::Replaced ? index
                                                             : NewDatePicture;
    FillPictureLists(page, false, chosen);
    ShowChosenPicture(page);
}

void ApplyDateFormats(HWND page)
{
    DateFormatSettings& dates = CurrentSettings.dateFormat;
    int screen = ComboSelection(page, IDC_PREF_SCREENFORMAT);
    if (screen >= 0 &&
        StoreChanged(dates.OutputFormat, static_cast<std::int32_t>(ComboItemData(page, IDC_PREF_SCREENFORMAT, screen)),
                     "DateFormat", "OutputFormat"))
        PostNotice(WM_DATEFORMATCHANGED);
    int report = ComboSelection(page, IDC_PREF_REPORTFORMAT);
    if (report >= 0)
        StoreChanged(dates.PrintFormat, static_cast<std::int32_t>(ComboItemData(page, IDC_PREF_REPORTFORMAT, report)),
                     "DateFormat", "PrintFormat");
    int input = ComboSelection(page, IDC_PREF_INPUTFORMAT);
    if (input >= 0)
        StoreChanged(dates.InputFormat, input, "DateFormat", "InputFormat");
}

INT_PTR DateFormatsMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        BeginPage(page);
        SendDlgItemMessageA(page, IDC_PREF_PICTURE, EM_LIMITTEXT, DatePictureFieldLength, 0);
        for (int n = 0; n < InputFormatCount; ++n)
            AddComboText(page, IDC_PREF_INPUTFORMAT, InputDatePicture(n), n);
        SendDlgItemMessageA(page, IDC_PREF_INPUTFORMAT, CB_SETCURSEL,
                            static_cast<WPARAM>(CurrentSettings.dateFormat.InputFormat), 0);
        FillPictureLists(page, true, NewDatePicture);
        ShowChosenPicture(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PREF_PICTURELIST && HIWORD(wParam) == CBN_SELCHANGE)
            ShowChosenPicture(page);
        else if (LOWORD(wParam) == IDC_PREF_APPLYPICTURE && HIWORD(wParam) == BN_CLICKED)
            ApplyPicture(page);
        return TRUE;
    case WM_NOTIFY:
        return PageNotice<ApplyDateFormats, &DateFormatsTopic>(page, lParam);
    default:
        return FALSE;
    }
}

// ---- Other ----

constexpr const char* OtherTopic = "Options.htm#Other";

struct OtherBox {
    const char* key;
    const char* section;
    const char* value;
    std::int32_t* field;
};

struct OtherGroup {
    const char* key;
    std::vector<OtherBox> boxes;
};

std::vector<OtherGroup> OtherGroups()
{
    Settings& s = CurrentSettings;
    return {
        {LanguageKey("PREF_OTHER_DATABASE"),
         {{LanguageKey("PREF_OTHER_REOPEN"), "Edit", "ReopenDatabase", &s.edit.ReopenDatabase},
          {LanguageKey("PREF_OTHER_FILENAMETITLE"), "General", "FilenameTitle", &s.general.FilenameTitle}}},
        {LanguageKey("PREF_OTHER_EDITING"),
         {{LanguageKey("PREF_OTHER_DELPERSONWARNING"), "Edit", "DeletePersonWarning", &s.edit.DeletePersonWarning},
          {LanguageKey("PREF_OTHER_DELASSERTIONWARNING"), "Edit", "DeleteAssertionWarning",
           &s.edit.DeleteAssertionWarning},
          {LanguageKey("PREF_OTHER_DELREPOSWARNING"), "Edit", "DeleteRepositoryWarning",
           &s.edit.DeleteRepositoryWarning},
          {LanguageKey("PREF_OTHER_DELSOURCEWARNING"), "Edit", "DeleteSourceWarning", &s.edit.DeleteSourceWarning},
          {LanguageKey("PREF_OTHER_DELOBJECTIVEWARNING"), "Edit", "DeleteObjectiveWarning",
           &s.edit.DeleteObjectiveWarning},
          {LanguageKey("PREF_OTHER_DELTASKWARNING"), "Edit", "DeleteTaskWarning", &s.edit.DeleteTaskWarning}}},
        {LanguageKey("PREF_OTHER_BACKUP"),
         {{LanguageKey("PREF_OTHER_BACKUPOPEN"), "General", "BakChkOpen", &s.general.BakChkOpen},
          {LanguageKey("PREF_OTHER_BACKUPCLOSE"), "General", "BakChkClose", &s.general.BakChkClose}}},
    };
}

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const char* text, LPARAM data)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void SetTreeState(HWND tree, HTREEITEM item, UINT stateImage)
{
    TVITEMA state{};
    state.mask = TVIF_STATE;
    state.hItem = item;
    state.stateMask = TVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(stateImage);
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
}

bool TreeItemChecked(HWND tree, HTREEITEM item)
{
    auto state = static_cast<UINT>(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                                TVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, UINT how)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

void FillOtherTree(HWND page)
{
    HWND tree = GetDlgItem(page, IDC_PREF_OTHERTREE);
    // The check boxes' images are made when the style is set on the control made without it.
    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_CHECKBOXES);
    std::vector<OtherGroup> groups = OtherGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        HTREEITEM group = InsertTreeItem(tree, TVI_ROOT, GetLanguageText(groups[g].key), -1);
        SetTreeState(tree, group, 0); // a heading, without a box
        for (std::size_t b = 0; b < groups[g].boxes.size(); ++b) {
            const OtherBox& box = groups[g].boxes[b];
            HTREEITEM item = InsertTreeItem(tree, group, GetLanguageText(box.key),
                                            static_cast<LPARAM>(g * 100 + b));
            SetTreeState(tree, item, *box.field ? 2 : 1);
        }
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(group));
    }
}

void ApplyOther(HWND page)
{
    HWND tree = GetDlgItem(page, IDC_PREF_OTHERTREE);
    std::vector<OtherGroup> groups = OtherGroups();
    for (HTREEITEM group = NextTreeItem(tree, nullptr, TVGN_ROOT); group; group = NextTreeItem(tree, group, TVGN_NEXT))
        for (HTREEITEM item = NextTreeItem(tree, group, TVGN_CHILD); item; item = NextTreeItem(tree, item, TVGN_NEXT)) {
            TVITEMA data{};
            data.mask = TVIF_PARAM;
            data.hItem = item;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
            std::size_t g = static_cast<std::size_t>(data.lParam) / 100, b = static_cast<std::size_t>(data.lParam) % 100;
            if (g >= groups.size() || b >= groups[g].boxes.size())
                continue;
            const OtherBox& box = groups[g].boxes[b];
            *box.field = TreeItemChecked(tree, item) ? 1 : 0;
            Settings::WriteDword(box.section, box.value, static_cast<std::uint32_t>(*box.field));
        }
}

INT_PTR OtherMessage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        BeginPage(page);
        FillOtherTree(page);
        return TRUE;
    case WM_NOTIFY:
        return PageNotice<ApplyOther, &OtherTopic>(page, lParam);
    default:
        return FALSE;
    }
}

// ---- Report types ----

constexpr const char* ReportTypesTopic = "Options.htm#ReportTypes";
constexpr LPARAM AddRow = -1; // the last row's item data; the others carry their list index

const char* const CategoryKeys[ReportCategoryCount] = {
    LanguageKey("PREF_REPORTTYPES_ANCESTORS"),  LanguageKey("PREF_REPORTTYPES_DESCENDANTS"),
    LanguageKey("PREF_REPORTTYPES_FAMILY"),     LanguageKey("PREF_REPORTTYPES_LISTS"),
    LanguageKey("PREF_REPORTTYPES_STATISTICS"), LanguageKey("PREF_REPORTTYPES_OTHER"),
};

void InsertReportRow(HWND list, int row, const char* name, const char* category, LPARAM data)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(name);
    item.lParam = data;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (!category)
        return;
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(category);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The report types of the chosen category whose files can be read, each row with its list index, and
// the row that adds one.
void FillReportList(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PREF_REPORTLIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const char* category = GetLanguageText(CategoryKeys[State.category]);
    std::vector<std::string> paths = ReportTypeListEntries(State.reportTypes.Lists[State.category]);
    int row = 0;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        ReportTypeHeading heading{};
        if (!ReadReportTypeHeading(paths[index].c_str(), &heading))
            continue;
        InsertReportRow(list, row++, heading.name, category, static_cast<LPARAM>(index));
    }
    InsertReportRow(list, row, GetLanguageText("PREF_REPORTTYPES_ADD"), nullptr, AddRow);
}

LPARAM RowData(HWND list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return AddRow;
    return item.lParam;
}

void AddReportType(HWND page)
{
    std::string filter = BuildOpenFilter({GetLanguageText("REPORTTYPE_FILTER")});
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = CurrentSettings.AppDir;
    dialog.lpstrDefExt = "rpt";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog))
        return;
    char* target = State.reportTypes.Lists[State.category];
    if (!AppendReportTypeEntry(target, ReportTypeListSize, path)) {
        ShowMessageBox(page, GetLanguageText("PREF_REPORTTYPES_FULL"), GetLanguageText("PREF_TITLE"),
                       MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FillReportList(page);
}

void DeleteReportType(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PREF_REPORTLIST);
    auto row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return;
    LPARAM index = RowData(list, row);
    if (index == AddRow)
        return;
    RemoveReportTypeEntry(State.reportTypes.Lists[State.category], ReportTypeListSize, static_cast<int>(index));
    FillReportList(page);
}

void ApplyReportTypes(HWND)
{
    for (int n = 0; n < ReportCategoryCount; ++n) {
        std::memcpy(CurrentSettings.reportTypes.Lists[n], State.reportTypes.Lists[n], ReportTypeListSize);
        Settings::WriteString("ReportTypes", ReportSubmenuTable[n].userListValue, CurrentSettings.reportTypes.Lists[n]);
    }
}

INT_PTR ReportTypesNotice(HWND page, LPARAM lParam)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom == IDC_PREF_REPORTLIST) {
        HWND list = header->hwndFrom;
        if (header->code == static_cast<UINT>(NM_DBLCLK)) {
            int row = reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem;
            if (row >= 0 && RowData(list, row) == AddRow)
                AddReportType(page);
            return TRUE;
        }
        if (header->code == static_cast<UINT>(LVN_KEYDOWN) &&
            reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            DeleteReportType(page);
            return TRUE;
        }
        return FALSE;
    }
    return PageNotice<ApplyReportTypes, &ReportTypesTopic>(page, lParam);
}

INT_PTR ReportTypesMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        BeginPage(page);
        for (const char* key : CategoryKeys)
            SendDlgItemMessageA(page, IDC_PREF_CATEGORY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
        SendDlgItemMessageA(page, IDC_PREF_CATEGORY, CB_SETCURSEL, static_cast<WPARAM>(State.category), 0);
        HWND list = GetDlgItem(page, IDC_PREF_REPORTLIST);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        RECT client;
        GetClientRect(list, &client);
        int nameWidth = client.right * 3 / 5;
        AddListViewColumn(list, 0, LanguageKey("PREF_REPORTTYPES_HEADING1"), nameWidth);
        AddListViewColumn(list, 1, LanguageKey("PREF_REPORTTYPES_HEADING2"), client.right - nameWidth);
        FillReportList(page);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PREF_CATEGORY && HIWORD(wParam) == CBN_SELCHANGE) {
            int category = ComboSelection(page, IDC_PREF_CATEGORY);
            if (category >= 0 && category < ReportCategoryCount) {
                State.category = category;
                FillReportList(page);
            }
        }
        return TRUE;
    case WM_NOTIFY:
        return ReportTypesNotice(page, lParam);
    default:
        return FALSE;
    }
}

// ---- Report-type editor ----

constexpr const char* EditorTopic = "Options.htm#ReportTypeEditor";

struct ColorField {
    int item;
    std::uint32_t* color;
    const char* value;
};

std::vector<ColorField> ColorFields()
{
    StavicSettings& stavic = CurrentSettings.stavic;
    return {
        {IDC_PREF_COLOR_NORMAL, &stavic.SyntaxColorNormal, "SyntaxColorNormal"},
        {IDC_PREF_COLOR_KEYWORDS, &stavic.SyntaxColorKeywords, "SyntaxColorKeywords"},
        {IDC_PREF_COLOR_CONSTANTS, &stavic.SyntaxColorConstants, "SyntaxColorConstants"},
        {IDC_PREF_COLOR_STRINGS, &stavic.SyntaxColorStrings, "SyntaxColorStrings"},
        {IDC_PREF_COLOR_COMMENTS, &stavic.SyntaxColorComments, "SyntaxColorComments"},
    };
}

int CALLBACK AddFontFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto combo = reinterpret_cast<HWND>(lParam);
    const char* face = font->lfFaceName;
    // Vertical fonts ("@name") are no faces for an editor; a face is listed once.
    if (face[0] != '@' && face[0] != '\0' &&
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face)) == CB_ERR)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
    return 1;
}

void FillFonts(HWND page)
{
    HWND combo = GetDlgItem(page, IDC_PREF_FONT);
    LOGFONTA wanted{};
    wanted.lfCharSet = ANSI_CHARSET;
    HDC dc = GetDC(page);
    EnumFontFamiliesExA(dc, &wanted, AddFontFace, reinterpret_cast<LPARAM>(combo), 0);
    ReleaseDC(page, dc);
    LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(CurrentSettings.stavic.Font));
    SendMessageA(combo, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
}

void ApplyEditor(HWND page)
{
    StavicSettings& stavic = CurrentSettings.stavic;
    int font = ComboSelection(page, IDC_PREF_FONT);
    if (font >= 0) {
        char face[LF_FACESIZE + 1] = {};
        if (SendDlgItemMessageA(page, IDC_PREF_FONT, CB_GETLBTEXTLEN, static_cast<WPARAM>(font), 0) < LF_FACESIZE)
            SendDlgItemMessageA(page, IDC_PREF_FONT, CB_GETLBTEXT, static_cast<WPARAM>(font), reinterpret_cast<LPARAM>(face));
        std::memset(stavic.Font, 0, sizeof stavic.Font);
        CopyBounded(stavic.Font, sizeof stavic.Font, face);
    }
    Settings::WriteString("Stavic", "Font", stavic.Font);
    for (const ColorField& field : ColorFields()) {
        *field.color = static_cast<std::uint32_t>(SendDlgItemMessageA(page, field.item, ControlGetMessage, 0, 0));
        Settings::WriteDword("Stavic", field.value, *field.color);
    }
    BOOL read = FALSE;
    auto typed = static_cast<int>(GetDlgItemInt(page, IDC_PREF_TABWIDTH, &read, TRUE));
    stavic.TabSpaces = ClampTabWidth(read ? typed : 0);
    Settings::WriteDword("Stavic", "TabSpaces", static_cast<std::uint32_t>(stavic.TabSpaces));
    stavic.ShowLineNumbers = Checked(page, IDC_PREF_LINENUMBERS) ? 1 : 0;
    Settings::WriteDword("Stavic", "ShowLineNumbers", static_cast<std::uint32_t>(stavic.ShowLineNumbers));
    PostNotice(WM_EDITORSETTINGSCHANGED);
}

INT_PTR EditorMessage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        BeginPage(page);
        FillFonts(page);
        for (const ColorField& field : ColorFields())
            SendDlgItemMessageA(page, field.item, ControlSetMessage, 0, static_cast<LPARAM>(*field.color));
        SendDlgItemMessageA(page, IDC_PREF_TABSPIN, UDM_SETRANGE32, MinimumTabWidth, MaximumTabWidth);
        SendDlgItemMessageA(page, IDC_PREF_TABSPIN, UDM_SETPOS32, 0, ClampTabWidth(CurrentSettings.stavic.TabSpaces));
        CheckDlgButton(page, IDC_PREF_LINENUMBERS, CurrentSettings.stavic.ShowLineNumbers ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    case WM_NOTIFY:
        return PageNotice<ApplyEditor, &EditorTopic>(page, lParam);
    default:
        return FALSE;
    }
}

// ---- the sheet ----

PROPSHEETPAGEA Page(int dialog, const char* titleKey, DLGPROC procedure)
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE | PSP_HASHELP | PSP_PREMATURE;
    page.pszTitle = GetLanguageText(titleKey);
    page.hInstance = AppInstance ? AppInstance : GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(dialog);
    page.pfnDlgProc = procedure;
    return page;
}

INT_PTR RunSheet(HWND owner, int subset, DWORD extraFlags)
{
    State = PreferencesState{};
    State.reportTypes = CurrentSettings.reportTypes;
    static PROPSHEETPAGEA pages[6];
    pages[0] = Page(IDD_PREF_EDITING, LanguageKey("PREF_EDITING_TITLE"), PageProc<EditingMessage>);
    pages[1] = Page(IDD_PREF_DATES, LanguageKey("PREF_DATES_TITLE"), PageProc<DatesMessage>);
    pages[2] = Page(IDD_PREF_DATEFORMATS, LanguageKey("PREF_DATE_TITLE"), PageProc<DateFormatsMessage>);
    pages[3] = Page(IDD_PREF_OTHER, LanguageKey("PREF_OTHER_TITLE"), PageProc<OtherMessage>);
    pages[4] = Page(IDD_PREF_REPORTTYPES, LanguageKey("PREF_REPORTTYPES_TITLE"), PageProc<ReportTypesMessage>);
    pages[5] = Page(IDD_PREF_EDITOR, LanguageKey("PREF_REPORTTYPEEDITOR_TITLE"), PageProc<EditorMessage>);
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_NOCONTEXTHELP | extraFlags;
    sheet.hwndParent = owner;
    sheet.hInstance = pages[0].hInstance;
    sheet.pszCaption = GetLanguageText("PREF_TITLE");
    sheet.nPages = subset == PreferencesEditingPage ? 1 : static_cast<UINT>(std::size(pages));
    sheet.ppsp = pages;
    return PropertySheetA(&sheet);
}

} // namespace

void ShowPreferences(HWND owner, int subset)
{
    RunSheet(owner, subset, 0);
    if (FrameWindow) {
        FillReportSubmenus(FrameWindow);
        if (CurrentDatabase)
            ShowOpenedDatabase(*CurrentDatabase);
    }
}

HWND OpenPreferencesModeless(HWND owner, int subset)
{
    auto sheet = reinterpret_cast<HWND>(RunSheet(owner, subset, PSH_MODELESS));
    if (sheet)
        MakeAllPages(sheet);
    return sheet;
}
