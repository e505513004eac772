// The frame's Report submenus, question box, language change and database property sheet under Wine.
#include "frame_fixture.h"

#include "core/database_properties.h"
#include "core/engine_transaction.h"
#include "frame/ui/database_display.h"
#include "frame/ui/menus.h"
#include "ui_common/message_box.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"
#include "res/core_resource.h"
#include "res/frame_resource.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

using namespace frame_test;

// Cancels any language dialog that is up.
void CALLBACK CancelLanguageDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowA("#32770", nullptr);
    if (dialog && IsWindowVisible(dialog) && GetDlgItem(dialog, IDC_LANGUAGE_LIST))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

class FrameDialogs : public FrameFixture {
protected:
    HMENU ReportSubmenu(int index) { return GetSubMenu(GetSubMenu(GetMenu(FrameWindow), 4), index); }

    std::string ItemData(HMENU menu, UINT command)
    {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_DATA;
        if (!GetMenuItemInfoA(menu, command, FALSE, &item) || !item.dwItemData)
            return std::string();
        return reinterpret_cast<const char*>(item.dwItemData);
    }
};

TEST_F(FrameDialogs, ReportSubmenusListTheLanguagesAndTheUsersReportTypes)
{
    WriteReportType(folder_ + "\\Report\\anc.rpt", "Ancestor chart", "All ancestors of a person");
    WriteReportType(folder_ + "\\Report\\second.rpt", "Pedigree list", "Ancestors as a list");
    WriteReportType(folder_ + "\\user.rpt", "My report", "Written by the user");
    InstallLanguage("REPORT_ANCESTORS=anc.rpt,,missing.rpt,second.rpt,\r\n"
                    "REPORT_FAMILY=gone.rpt,also gone.rpt\r\n");
    Settings::WriteString("ReportTypes", "AncestorReports", (folder_ + "\\user.rpt;").c_str());
    ASSERT_TRUE(StartFrame());

    // The missing file leaves a gap in the commands; empty pieces of the lists take none.
    HMENU ancestors = ReportSubmenu(0);
    ASSERT_EQ(GetMenuItemCount(ancestors), 3);
    EXPECT_EQ(GetMenuItemID(ancestors, 0), 7000u);
    EXPECT_EQ(GetMenuItemID(ancestors, 1), 7002u);
    EXPECT_EQ(GetMenuItemID(ancestors, 2), 7003u);
    EXPECT_EQ(MenuText(ancestors, 0), "Ancestor chart");
    EXPECT_EQ(MenuText(ancestors, 2), "My report");
    EXPECT_EQ(ItemData(ancestors, 7002), "Ancestors as a list");

    // A submenu without entries, and one whose entries all fail, show one grey "none" item.
    for (int submenu : {1, 2}) {
        HMENU menu = ReportSubmenu(submenu);
        ASSERT_EQ(GetMenuItemCount(menu), 1) << submenu;
        EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(7000 + 100 * submenu));
        EXPECT_EQ(MenuText(menu, 0), GetLanguageText("REPORT_NONE"));
        EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
    }

    // The submenus are grey until a database is open.
    HMENU report = GetSubMenu(GetMenu(FrameWindow), 4);
    EXPECT_TRUE(GetMenuState(report, 0, MF_BYPOSITION) & MF_GRAYED);
    std::string path = MakeDatabase("family.vdb");
    OpenFileByExtension(FrameWindow, path.c_str());
    EXPECT_FALSE(GetMenuState(report, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(report, 5, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(FrameDialogs, QuestionBoxIgnoresEscapeAndSwitchesItselfOff)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    SetMessageBoxAnswerer(nullptr, nullptr); // the real dialog, driven below
    std::int32_t flag = 1;
    bool defaultWasNo = false;
    std::string checkText;
    DialogDriver driver([&](HWND dialog) {
        defaultWasNo = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)) == IDNO;
        char text[64] = {};
        GetDlgItemTextA(dialog, IDC_QUESTION_DONTASK, text, sizeof text);
        checkText = text;
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); // Escape
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(dialog));
        CheckDlgButton(dialog, IDC_QUESTION_DONTASK, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, IDNO, 0);
    });
    int answer = AskQuestion(FrameWindow, "Delete the person?", "Person", IDNO, &flag, "Edit", "DeletePersonWarning");
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(checkText, GetLanguageText("MSGBOX_QUESTION"));
    EXPECT_TRUE(defaultWasNo);
    Settings::Load();
    EXPECT_EQ(CurrentSettings.edit.DeletePersonWarning, 0);
}

TEST_F(FrameDialogs, QuestionBoxLeavesTheFlagWithoutTheTick)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    SetMessageBoxAnswerer(nullptr, nullptr); // the real dialog, driven below
    std::int32_t flag = 1;
    DialogDriver driver([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDYES, 0); });
    EXPECT_EQ(AskQuestion(FrameWindow, "Go on?", "Question", IDYES, &flag, "Edit", "DeleteTaskWarning"), IDYES);
    EXPECT_EQ(flag, 1);
}

TEST_F(FrameDialogs, QuestionBoxIsAnsweredThroughTheMessageBoxSeam)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    boxes_.boxes.clear();
    boxes_.answer = IDNO;
    std::int32_t flag = 1;
    int answer = AskQuestion(FrameWindow, "Delete the task?", "Task", IDNO, &flag, "Edit", "DeleteTaskWarning");

    EXPECT_EQ(answer, IDNO);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "Delete the task?");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(flag, 1); // no tick without the dialog
}

TEST_F(FrameDialogs, ChangingTheLanguageRebuildsTheMenusAndKeepsTheOldOneOnCancel)
{
    std::string english = InstallLanguage();
    InstallLanguage("MENU_FILE=&Datei\r\nSTATUSBAR_READY=Bereit\r\n", "Deutsch.lan", false);
    ASSERT_TRUE(StartFrame());
    std::string path = MakeDatabase("family.vdb");
    OpenFileByExtension(FrameWindow, path.c_str());

    {
        DialogDriver driver([](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
            SendMessageA(list, LB_SETCURSEL,
                         static_cast<WPARAM>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>("Deutsch"))),
                         0);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(FrameWindow, WM_COMMAND, IDM_TOOLS_LANGUAGE, 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(MenuText(GetMenu(FrameWindow), 0), "&Datei");
    EXPECT_EQ(std::string(LanguagePath), folder_ + "\\Deutsch.lan");
    // The open database keeps its items, its title and the recent list at the end of the File menu.
    EXPECT_TRUE(MenuItemEnabled(IDM_FILE_CLOSEDB));
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada - family");
    HMENU file = GetSubMenu(GetMenu(FrameWindow), 0);
    EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 1), static_cast<UINT>(IDM_LASTDATABASE1));
    char ready[32] = {};
    SendDlgItemMessageA(FrameWindow, IDC_FRAME_STATUSBAR, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(ready));
    EXPECT_STREQ(ready, "Bereit");

    // A file that cannot be used, then Cancel: the language in use stays usable.
    WriteWholeFile(folder_ + "\\Broken.lan", "nothing here\r\n");
    int dialogs = 0;
    {
        // The second dialog (after the error box) is cancelled by a timer that starts only once the first
        // dialog was driven, so that it can never cancel the first one.
        UINT_PTR cancelTimer = 0;
        DialogDriver first([&](HWND dialog) {
            ++dialogs;
            HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
            SendMessageA(list, LB_SETCURSEL,
                         static_cast<WPARAM>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>("Broken"))),
                         0);
            cancelTimer = SetTimer(nullptr, 0, 30, CancelLanguageDialog);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(FrameWindow, WM_COMMAND, IDM_TOOLS_LANGUAGE, 0);
        if (cancelTimer != 0)
            KillTimer(nullptr, cancelTimer);
    }
    EXPECT_EQ(dialogs, 1);
    ASSERT_NE(CurrentLanguageTable, nullptr);
    EXPECT_STREQ(GetLanguageText("MENU_FILE"), "&Datei");
    EXPECT_EQ(std::string(LanguagePath), folder_ + "\\Deutsch.lan");
    EXPECT_EQ(MenuText(GetMenu(FrameWindow), 0), "&Datei");
}

TEST_F(FrameDialogs, PropertySheetShowsAndSavesTheDatabaseHeader)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    std::string path = MakeDatabase("family.vdb");
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    Database& database = *CurrentDatabase;
    database.header.version = 10403;

    // Three persons written, one deleted: the records page counts the two that live.
    {
        EngineTransaction transaction(database.file, TLV_READWRITE);
        std::int32_t table = database.TableId(TablePerson);
        unsigned char row[64] = {};
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(tlvWriteRecord(table, tlvNewID(table, database.file), row, database.file), 0);
        ASSERT_EQ(tlvDeleteRecord(table, 2, database.file), 0);
    }

    HWND sheet = OpenDatabasePropertiesModeless(database, FrameWindow);
    ASSERT_NE(sheet, nullptr);
    HWND general = PropSheet_GetCurrentPageHwnd(sheet);
    char text[128] = {};
    GetDlgItemTextA(general, IDC_PROPERTIES_VERSION, text, sizeof text);
    EXPECT_STREQ(text, "1.4.3");
    GetDlgItemTextA(general, IDC_PROPERTIES_BACKUP, text, sizeof text);
    EXPECT_STREQ(text, GetLanguageText("PROPERTIES_NEVER"));
    GetDlgItemTextA(general, IDC_PROPERTIES_FILENAME, text, sizeof text);
    EXPECT_STREQ(text, "family.vdb");
    // The title field holds no more than its stored 39 characters.
    EXPECT_EQ(SendDlgItemMessageA(general, IDC_PROPERTIES_TITLE, EM_GETLIMITTEXT, 0, 0), 39);
    SetDlgItemTextA(general, IDC_PROPERTIES_TITLE, "Lind family");

    PropSheet_SetCurSel(sheet, nullptr, 1);
    HWND records = PropSheet_GetCurrentPageHwnd(sheet);
    HWND list = GetDlgItem(records, IDC_PROPERTIES_RECORDLIST);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 10);
    char count[16] = {};
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = count;
    item.cchTextMax = sizeof count;
    SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(count, "2");

    PropSheet_SetCurSel(sheet, nullptr, 2);
    HWND owner = PropSheet_GetCurrentPageHwnd(sheet);
    SetDlgItemTextA(owner, IDC_PROPERTIES_OWNER, "Ada Lind");
    SendDlgItemMessageA(owner, IDC_PROPERTIES_OWNER, EM_SETMODIFY, TRUE, 0);
    SendMessageA(owner, WM_COMMAND, MAKEWPARAM(IDC_PROPERTIES_GENERATE, BN_CLICKED), 0);
    GetDlgItemTextA(owner, IDC_PROPERTIES_COPYRIGHT, text, sizeof text);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(std::string(text), GeneratedCopyright(now.wYear, "Ada Lind"));

    PropSheet_Apply(sheet);
    DestroyWindow(sheet);

    // Record 1 of MAIN2 now holds the new title and owner.
    DatabaseHeader stored{};
    {
        EngineTransaction transaction(database.file, TLV_READ);
        ASSERT_EQ(tlvReadRecord(database.TableId(TableMain2), 1, &stored, database.file), 0);
    }
    EXPECT_STREQ(stored.title, "Lind family");
    EXPECT_STREQ(stored.ownerName, "Ada Lind");
    EXPECT_EQ(std::string(stored.copyright), GeneratedCopyright(now.wYear, "Ada Lind"));
}

// Apply stays unavailable until a field is edited: opening the sheet and clicking through its tabs fills
// fields but changes nothing.
TEST_F(FrameDialogs, PropertySheetOffersApplyOnlyAfterAnEdit)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    std::string path = MakeDatabase("apply.vdb");
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    HWND sheet = OpenDatabasePropertiesModeless(*CurrentDatabase, FrameWindow);
    ASSERT_NE(sheet, nullptr);
    auto applyEnabled = [sheet] { return IsWindowEnabled(GetDlgItem(sheet, 0x3021 /* Apply */)) != FALSE; };
    EXPECT_FALSE(applyEnabled()) << "opened";
    for (int tab : {1, 2, 0, 2}) {
        PropSheet_SetCurSel(sheet, nullptr, tab);
        EXPECT_FALSE(applyEnabled()) << "tab " << tab;
    }
    // A key typed into the owner's name is an edit.
    HWND owner = PropSheet_GetCurrentPageHwnd(sheet);
    SendDlgItemMessageA(owner, IDC_PROPERTIES_OWNER, WM_CHAR, 'A', 0);
    EXPECT_TRUE(applyEnabled());
    PropSheet_Apply(sheet);
    DestroyWindow(sheet);
    EXPECT_STREQ(CurrentDatabase->header.ownerName, "A");
}

TEST_F(FrameDialogs, DateCalculatorOpensOnTodayForLookingUpOnly)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string calendar, year, resultDay, button;
    int day = -1, month = -1;
    bool cancelShown = true;
    DialogDriver driver([&](HWND dialog) {
        char text[64] = {};
        GetDlgItemTextA(dialog, IDC_CALC_CALENDAR, text, sizeof text);
        calendar = text;
        GetDlgItemTextA(dialog, IDC_CALC_YEAR, text, sizeof text);
        year = text;
        GetDlgItemTextA(dialog, IDC_CALC_RESULT_DAY, text, sizeof text);
        resultDay = text;
        GetDlgItemTextA(dialog, IDOK, text, sizeof text);
        button = text;
        day = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CALC_DAY, CB_GETCURSEL, 0, 0));
        month = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CALC_MONTH, CB_GETCURSEL, 0, 0));
        cancelShown = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(FrameWindow, WM_COMMAND, IDM_TOOLS_DATECALC, 0);
    ASSERT_TRUE(driver.Acted());
    EXPECT_EQ(calendar, GetLanguageText("DATE_CALENDAR_GREGORIAN"));
    EXPECT_EQ(day, now.wDay - 1);
    EXPECT_EQ(month, now.wMonth - 1);
    EXPECT_EQ(year, std::to_string(now.wYear));
    EXPECT_EQ(resultDay, std::to_string(now.wDay));
    EXPECT_EQ(button, GetLanguageText("BUTTON_CLOSE"));
    EXPECT_FALSE(cancelShown);
}

// Every item of the frame's menus, submenus included, shows a help line of its own in the status bar
// while it is selected. The entries of the Report submenus are report types that bring their own.
void CheckMenuHelp(HMENU menu, const std::string& path, bool isReportMenu, int& items)
{
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item));
        if (item.fType & MFT_SEPARATOR)
            continue;
        char name[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), name, sizeof name, MF_BYPOSITION);
        const std::string where = path + " > " + name;
        SetWindowTextA(GetDlgItem(FrameWindow, IDC_FRAME_STATUSBAR), "");
        if (item.hSubMenu != nullptr)
            ShowMenuHelp(static_cast<UINT>(position), MF_POPUP, menu);
        else
            ShowMenuHelp(item.wID, 0, menu);
        char help[256] = {};
        SendDlgItemMessageA(FrameWindow, IDC_FRAME_STATUSBAR, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(help));
        EXPECT_NE(std::string(help), "") << where;
        EXPECT_EQ(std::string(help).find("_HELP"), std::string::npos) << where;
        ++items;
        bool reportSubmenu = isReportMenu && position < ReportSubmenuCount;
        if (item.hSubMenu != nullptr && !reportSubmenu)
            CheckMenuHelp(item.hSubMenu, where, menu == GetMenu(FrameWindow) && position == ReportMenuPosition,
                          items);
    }
}

TEST_F(FrameDialogs, EveryMenuItemHasAStatusBarHelpLine)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    int items = 0;
    CheckMenuHelp(GetMenu(FrameWindow), "menu", false, items);
    EXPECT_GT(items, 100) << "the walk reached the submenus";
}

} // namespace

namespace {

using namespace frame_test;

class FrameHelpers : public FrameFixture {};

TEST_F(FrameHelpers, AboutBoxNamesTheVersionAndTheLanguageFile)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    std::string product, language, ok;
    DialogDriver driver([&](HWND dialog) {
        char text[128] = {};
        GetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, text, sizeof text);
        product = text;
        GetDlgItemTextA(dialog, IDC_ABOUT_LANGUAGEFILE, text, sizeof text);
        language = text;
        GetDlgItemTextA(dialog, IDOK, text, sizeof text);
        ok = text;
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(FrameWindow, WM_COMMAND, IDM_HELP_ABOUT, 0);
    EXPECT_EQ(product, "Vestrada 1.4.3");
    EXPECT_EQ(language, std::string(GetLanguageText("ABOUT_LANGUAGEFILE")) + " English.lan");
    EXPECT_EQ(ok, GetLanguageText("BUTTON_OK"));
}

TEST_F(FrameHelpers, HelpTopicsNameThePageOfTheLanguagesHelpFile)
{
    InstallLanguage("HELPFILE_MAIN=Hilfe.chm\r\n");
    ASSERT_TRUE(StartFrame());
    std::string file = std::string(CurrentSettings.AppDir) + "\\Hilfe.chm";
    EXPECT_EQ(HelpTopicTarget("Import.htm#Start"), file + "::/Import.htm#Start>standard");
    EXPECT_EQ(HelpTopicTarget(nullptr), file);
}

TEST_F(FrameHelpers, EditorCaretPositionInTheStatusBar)
{
    InstallLanguage("STATUSBAR_LINE=Zeile\r\n");
    ASSERT_TRUE(StartFrame());
    HWND editor = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 200, 100, FrameWindow, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    SetWindowTextA(editor, "first\r\nsecond line");
    SendMessageA(editor, EM_SETSEL, 10, 10); // "sec|ond": line 2, column 4
    EditorWindow = editor;
    ShowEditorCaretPosition();
    char line[32] = {}, column[32] = {};
    HWND status = GetDlgItem(FrameWindow, IDC_FRAME_STATUSBAR);
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(line));
    SendMessageA(status, SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(column));
    EXPECT_STREQ(line, "Zeile 2");
    EXPECT_EQ(std::string(column), std::string(GetLanguageText("STATUSBAR_COLUMN")) + " 4");
    ClearEditorCaretPosition();
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, "");
    EditorWindow = nullptr;
    DestroyWindow(editor);
}

TEST_F(FrameHelpers, TooltipsComeAndGo)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    ASSERT_NE(TooltipWindow, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 40, 20, FrameWindow, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    LRESULT before = SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0);
    AddTooltip(button, "Saves the person");
    EXPECT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    RemoveTooltip(button);
    EXPECT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), before);
    DestroyWindow(button);
}

} // namespace
