// The real frame under Wine: start-up, menus, toolbars, status bar, databases from the command line, the
// menus and the recent list, the relay of notices, and shut-down with children that refuse or linger.
#include "frame_fixture.h"

#include "core/notice_sink.h"
#include "frame/command_line.h"
#include "frame/recent_databases.h"
#include "frame/ui/frame_window.h"
#include "frame/ui/menus.h"
#include "frame/report_menus.h"
#include "ui_common/private_messages.h"
#include "res/frame_resource.h"
#include "res/pedigree_resource.h"
#include "tests/support/list_window_driving.h"

#include <commctrl.h>

#include <deque>
#include <map>

namespace {

using namespace frame_test;

// An MDI child whose answers a test chooses, recording the private messages it receives.
struct ChildBehaviour {
    LRESULT queryCloseAnswer = 0;
    bool closeSelfOnQuery = false;
    enum { Close, Refuse, AgreeButStay } onClose = Close;
    LRESULT currentPerson = 0; // the person id it answers WM_GETCURRENTRECORD with
    std::vector<UINT> notices;
    std::vector<LPARAM> noticeParameters;
};
std::map<HWND, ChildBehaviour*> Behaviours;

LRESULT CALLBACK TestChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto found = Behaviours.find(window);
    ChildBehaviour* behaviour = found == Behaviours.end() ? nullptr : found->second;
    if (behaviour) {
        if (message == WM_QUERYCLOSECHILD) {
            if (behaviour->closeSelfOnQuery) {
                SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
                return 0;
            }
            return behaviour->queryCloseAnswer;
        }
        if (message == WM_CLOSE) {
            if (behaviour->onClose == ChildBehaviour::Refuse)
                return 1;
            if (behaviour->onClose == ChildBehaviour::AgreeButStay)
                return 0;
        }
        if (message == WM_GETCURRENTRECORD)
            return wParam == RecordKindPerson ? behaviour->currentPerson : 0;
        if (IsRelayedNotice(message)) {
            behaviour->notices.push_back(message);
            behaviour->noticeParameters.push_back(lParam);
            return 0;
        }
    }
    if (message == WM_NCDESTROY)
        Behaviours.erase(window);
    return DefMDIChildProcA(window, message, wParam, lParam);
}

HWND OpenTestChild(ChildBehaviour& behaviour)
{
    static bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TestChildProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FrameTestChild";
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND child = CreateMDIWindowA("FrameTestChild", "child", 0, CW_USEDEFAULT, CW_USEDEFAULT, 200, 150, MdiClient,
                                  GetModuleHandleA(nullptr), 0);
    EXPECT_NE(child, nullptr);
    Behaviours[child] = &behaviour;
    return child;
}

int ChildCount()
{
    int count = 0;
    for (HWND child = GetWindow(MdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

class Frame : public FrameFixture {
protected:
    void TearDown() override
    {
        FrameFixture::TearDown();
        Behaviours.clear();
    }
    // Lives as long as the fixture, so that children closed by the tear-down still find it.
    ChildBehaviour& NewBehaviour() { return behaviours_.emplace_back(); }

    std::deque<ChildBehaviour> behaviours_;
};

TEST_F(Frame, StartsWithTheLanguageSet)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame(SW_SHOWNORMAL));
    ASSERT_NE(FrameWindow, nullptr);
    char className[32] = {};
    GetClassNameA(FrameWindow, className, sizeof className);
    EXPECT_STREQ(className, "MoravikWClass");
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada");
    EXPECT_TRUE(IsWindowVisible(FrameWindow));

    // The menu bar carries language texts, not keys.
    HMENU bar = GetMenu(FrameWindow);
    ASSERT_EQ(GetMenuItemCount(bar), 8);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    EXPECT_EQ(MenuText(bar, 7), "&Help");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 1), "&Open...\tCtrl+O");
    EXPECT_FALSE(MenuItemEnabled(IDM_FILE_CLOSEDB));
    EXPECT_TRUE(MenuItemEnabled(IDM_FILE_OPEN));

    // Five bands in the rebar, toolbars with their ids, buttons enabled as they start.
    ASSERT_NE(RebarWindow, nullptr);
    EXPECT_EQ(SendMessageA(RebarWindow, RB_GETBANDCOUNT, 0, 0), 5);
    HWND standard = GetDlgItem(RebarWindow, IDC_TOOLBAR_STANDARD);
    ASSERT_NE(standard, nullptr);
    EXPECT_TRUE(SendMessageA(standard, TB_ISBUTTONENABLED, IDM_FILE_OPEN, 0));
    EXPECT_FALSE(SendMessageA(standard, TB_ISBUTTONENABLED, IDM_FILE_DBPROPERTIES, 0));
    for (int id : {IDC_TOOLBAR_PERSON, IDC_TOOLBAR_REPORT, IDC_TOOLBAR_REPORTTYPE, IDC_TOOLBAR_TIMELINE})
        EXPECT_NE(GetDlgItem(RebarWindow, id), nullptr) << id;
    EXPECT_TRUE(SendMessageA(GetDlgItem(RebarWindow, IDC_TOOLBAR_TIMELINE), TB_ISBUTTONENABLED, IDM_FILE_NEWTL, 0));

    // The status bar reads "Ready"; the MDI client lies between rebar and status bar.
    HWND status = GetDlgItem(FrameWindow, IDC_FRAME_STATUSBAR);
    ASSERT_NE(status, nullptr);
    char text[64] = {};
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready");
    ASSERT_NE(MdiClient, nullptr);
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(Frame, StatusBarPartsFollowTheWidth)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    HWND status = GetDlgItem(FrameWindow, IDC_FRAME_STATUSBAR);
    struct Case {
        int width;
        int ends[3];
    } cases[] = {{800, {696, 738, 782}}, {150, {130, 0, 0}}, {30, {0, 0, 0}}};
    for (const Case& c : cases) {
        SendMessageA(FrameWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.width, 300));
        int ends[3] = {-1, -1, -1};
        ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(ends)), 3);
        EXPECT_EQ(ends[0], c.ends[0]) << c.width;
        EXPECT_EQ(ends[1], c.ends[1]) << c.width;
        EXPECT_EQ(ends[2], c.ends[2]) << c.width;
    }
}

TEST_F(Frame, StartsWithoutALanguageThroughTheLanguageDialog)
{
    InstallLanguage("", "English.lan", false);
    bool offered = false;
    DialogDriver driver([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
        offered = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>("English")) != LB_ERR;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(StartFrame());
    EXPECT_TRUE(driver.Acted());
    EXPECT_TRUE(offered);
    EXPECT_EQ(std::string(LanguagePath), folder_ + "\\English.lan");
    // The choice is kept: the next start reads it.
    Settings::Load();
    EXPECT_EQ(std::string(CurrentSettings.language.LanguageFile), folder_ + "\\English.lan");
}

TEST_F(Frame, CancelInTheLanguageDialogEndsStartUp)
{
    InstallLanguage("", "English.lan", false);
    DialogDriver driver([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(StartFrame());
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(FrameWindow, nullptr);
}

TEST_F(Frame, LanguageFilesOfAnotherVersionOrNoneAreRefused)
{
    struct Case {
        const char* front;
        const char* message;
    } cases[] = {
        {"LVERSION=10402\r\n", "is created for a different version of Vestrada"},
        {"", "is probably not a Vestrada language file"},
    };
    for (const Case& c : cases) {
        std::string bad = folder_ + "\\Bad.lan";
        if (c.front[0])
            InstallLanguage(c.front, "Bad.lan");
        else {
            WriteWholeFile(bad, "GREETING=hello\r\n");
            Settings::WriteString("Language", nullptr, bad.c_str());
        }
        boxes_.boxes.clear();
        DialogDriver driver([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(StartFrame());
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_NE(boxes_.boxes[0].text.find(c.message), std::string::npos) << boxes_.boxes[0].text;
        EXPECT_NE(boxes_.boxes[0].text.find(bad), std::string::npos);
        EXPECT_TRUE(boxes_.boxes[0].type & MB_ICONERROR);
        EXPECT_TRUE(driver.Acted());
    }
}

TEST_F(Frame, AMissingLanguageFileIsReportedAndAnotherOneChosen)
{
    InstallLanguage();
    Settings::WriteString("Language", nullptr, (folder_ + "\\Gone.lan").c_str());
    DialogDriver driver([](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_LANGUAGE_LIST, LB_SETCURSEL, 0, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(StartFrame());
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_NE(boxes_.boxes[0].text.find("was not found or could not be opened"), std::string::npos);
    EXPECT_EQ(std::string(LanguagePath), folder_ + "\\English.lan");
}

TEST(FrameLibraries, AMissingLibraryIsReportedAsADllLoadingError)
{
    test_support::AnsweredBoxes boxes;
    EXPECT_FALSE(RequireLibrary("NoSuchLibrary.dll"));
    EXPECT_TRUE(RequireLibrary("QGRID.dll"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Dll Loading Error");
    EXPECT_EQ(boxes.boxes[0].text, "The file NoSuchLibrary.dll could not be found. Please reinstall Vestrada");
    EXPECT_TRUE(boxes.boxes[0].type & MB_ICONERROR);
}

TEST_F(Frame, OpensADatabaseNamedOnTheCommandLineAndClosesItFromTheMenu)
{
    InstallLanguage();
    std::string path = MakeDatabase("family.vdb");
    ASSERT_TRUE(StartFrame());
    ChildBehaviour& watcher = NewBehaviour();
    OpenTestChild(watcher);

    OpenFileByExtension(FrameWindow, CommandLinePath(("\"" + path + "\"").c_str()).c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    EXPECT_EQ(std::string(CurrentDatabase->path), path);
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada - family");
    EXPECT_TRUE(MenuItemEnabled(IDM_FILE_CLOSEDB));
    EXPECT_TRUE(MenuItemEnabled(IDM_VIEW_PERSONLIST));
    EXPECT_TRUE(
        SendMessageA(GetDlgItem(RebarWindow, IDC_TOOLBAR_STANDARD), TB_ISBUTTONENABLED, IDM_FILE_DBPROPERTIES, 0));
    EXPECT_EQ(std::string(CurrentSettings.general.LastDatabase[0]), path);
    PumpMessages();
    ASSERT_EQ(watcher.notices, std::vector<UINT>{WM_DATABASEOPENED});

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada");
    EXPECT_FALSE(MenuItemEnabled(IDM_FILE_CLOSEDB));
    PumpMessages();
    EXPECT_EQ(watcher.notices, (std::vector<UINT>{WM_DATABASEOPENED, WM_DATABASECLOSED}));
}

TEST_F(Frame, ShowsTheFileNameAsTitleWhenTheSettingSaysSo)
{
    InstallLanguage();
    std::string path = MakeDatabase("family.vdb");
    Settings::WriteDword("General", "FilenameTitle", 1);
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada - family.vdb");
}

TEST_F(Frame, OtherFilesOnTheCommandLineOpenNoDatabase)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    for (const char* path : {"C:\\notes.txt", "db", "C:\\missing.vdb"})
        OpenFileByExtension(FrameWindow, path);
    EXPECT_EQ(CurrentDatabase, nullptr);
    // Only the missing database had anything to say.
    ASSERT_EQ(boxes_.boxes.size(), 1u);
}

TEST_F(Frame, RecentDatabasesRotateAndReopenFromTheMenu)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb"), b = MakeDatabase("b.vdb"), c = MakeDatabase("c.vdb");
    ASSERT_TRUE(StartFrame());
    for (const std::string& path : {a, b, c})
        OpenFileByExtension(FrameWindow, path.c_str());
    const auto& recent = CurrentSettings.general.LastDatabase;
    EXPECT_EQ(std::string(recent[0]), c);
    EXPECT_EQ(std::string(recent[1]), b);
    EXPECT_EQ(std::string(recent[2]), a);

    // The File menu ends in a separator and the three items, LastDatabase1 with command 138.
    HMENU file = GetSubMenu(GetMenu(FrameWindow), 0);
    int count = GetMenuItemCount(file);
    EXPECT_EQ(GetMenuItemID(file, count - 4), 0u); // the separator
    EXPECT_EQ(GetMenuItemID(file, count - 3), static_cast<UINT>(IDM_LASTDATABASE1));
    EXPECT_EQ(GetMenuItemID(file, count - 2), static_cast<UINT>(IDM_LASTDATABASE2));
    EXPECT_EQ(GetMenuItemID(file, count - 1), static_cast<UINT>(IDM_LASTDATABASE3));
    EXPECT_NE(MenuText(file, count - 3).find("c"), std::string::npos);
    EXPECT_EQ(MenuText(file, count - 3).find(".vdb"), std::string::npos);

    // The third entry reopens a: order a, c, b; the menu is rebuilt, not grown.
    SendMessageA(FrameWindow, WM_COMMAND, IDM_LASTDATABASE3, 0);
    ASSERT_NE(CurrentDatabase, nullptr);
    EXPECT_EQ(std::string(CurrentDatabase->path), a);
    EXPECT_EQ(std::string(recent[0]), a);
    EXPECT_EQ(std::string(recent[1]), c);
    EXPECT_EQ(std::string(recent[2]), b);
    EXPECT_EQ(GetMenuItemCount(file), count);

    // Windows paths: the same file in other letters is not a new entry.
    std::string upper = a;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    OpenFileByExtension(FrameWindow, upper.c_str());
    EXPECT_EQ(std::string(recent[1]), c);
    EXPECT_EQ(std::string(recent[2]), b);
    EXPECT_EQ(recent[3][0], '\0');

    // The list is in the settings.
    Settings::Load();
    EXPECT_EQ(std::string(CurrentSettings.general.LastDatabase[1]), c);
}

TEST_F(Frame, AChildThatRefusesKeepsTheDatabaseOpen)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb"), b = MakeDatabase("b.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, a.c_str());
    ChildBehaviour& refusing = NewBehaviour();
    refusing.queryCloseAnswer = 1;
    OpenTestChild(refusing);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    ASSERT_NE(CurrentDatabase, nullptr);
    // Opening another database first closes this one: refused, so nothing else happens.
    OpenFileByExtension(FrameWindow, b.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    EXPECT_EQ(std::string(CurrentDatabase->path), a);
    SendMessageA(FrameWindow, WM_COMMAND, IDM_LASTDATABASE2, 0);
    EXPECT_EQ(std::string(CurrentDatabase->path), a);

    refusing.queryCloseAnswer = 0;
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
}

TEST_F(Frame, ChildrenThatCloseThemselvesAreSteppedOver)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, a.c_str());
    ChildBehaviour& first = NewBehaviour();
    ChildBehaviour& second = NewBehaviour();
    ChildBehaviour& staying = NewBehaviour();
    first.closeSelfOnQuery = true;
    second.closeSelfOnQuery = true;
    OpenTestChild(staying);
    OpenTestChild(second);
    OpenTestChild(first); // topmost
    ASSERT_EQ(ChildCount(), 3);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_EQ(ChildCount(), 1);
}

TEST_F(Frame, ShutDownStopsAtAChildThatRefusesAndEndsDespiteOneThatLingers)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, a.c_str());
    ChildBehaviour& lingering = NewBehaviour();
    ChildBehaviour& refusing = NewBehaviour();
    lingering.onClose = ChildBehaviour::AgreeButStay;
    refusing.onClose = ChildBehaviour::Refuse;
    OpenTestChild(lingering);
    HWND refuser = OpenTestChild(refusing);

    SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
    ASSERT_NE(FrameWindow, nullptr);
    EXPECT_TRUE(IsWindow(refuser));
    // The database was closed first and recorded as the last one.
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_EQ(std::string(CurrentSettings.edit.LastDatabase), a);

    // The next close meets the lingering child, which said yes but stays: it must not hang.
    refusing.onClose = ChildBehaviour::Close;
    SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(FrameWindow, nullptr);
    EXPECT_EQ(CurrentLanguageTable, nullptr);
    // Closing with no database open records an empty last database.
    Settings::Load();
    EXPECT_EQ(CurrentSettings.edit.LastDatabase[0], '\0');
}

TEST_F(Frame, ShutDownSavesThePlacementAndTheLastDatabase)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb");
    Settings::WriteDword("General", "AppPosX", 5000); // off every screen: back to 0
    Settings::WriteDword("General", "AppPosY", 30);
    Settings::WriteDword("General", "AppWidth", 640);
    Settings::WriteDword("General", "AppHeight", 480);
    ASSERT_TRUE(StartFrame());
    RECT frame;
    GetWindowRect(FrameWindow, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 640);
    EXPECT_EQ(frame.bottom - frame.top, 480);
    OpenFileByExtension(FrameWindow, a.c_str());
    MoveWindow(FrameWindow, 40, 50, 700, 500, TRUE);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_EXIT, 0);
    PumpMessages();
    EXPECT_EQ(FrameWindow, nullptr);
    Settings::Load();
    EXPECT_EQ(std::string(CurrentSettings.edit.LastDatabase), a);
    EXPECT_EQ(CurrentSettings.general.AppPosX, 40);
    EXPECT_EQ(CurrentSettings.general.AppPosY, 50);
    EXPECT_EQ(CurrentSettings.general.AppWidth, 700);
    EXPECT_EQ(CurrentSettings.general.AppHeight, 500);
    EXPECT_EQ(CurrentSettings.general.AppMaximized, 0);
}

TEST_F(Frame, ReopensTheLastDatabaseOnlyWhenAskedAndNoneIsOpen)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb"), b = MakeDatabase("b.vdb");
    Settings::WriteDword("Edit", "ReopenDatabase", 1);
    Settings::WriteString("Edit", "LastDatabase", a.c_str());
    ASSERT_TRUE(StartFrame());
    PumpMessages(); // the frame's own WM_REOPENDATABASE
    ASSERT_NE(CurrentDatabase, nullptr);
    EXPECT_EQ(std::string(CurrentDatabase->path), a);

    // Never over an open database.
    OpenFileByExtension(FrameWindow, b.c_str());
    SendMessageA(FrameWindow, WM_REOPENDATABASE, 0, 0);
    EXPECT_EQ(std::string(CurrentDatabase->path), b);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    CurrentSettings.edit.ReopenDatabase = 0;
    SendMessageA(FrameWindow, WM_REOPENDATABASE, 0, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
}

TEST_F(Frame, DatabaseCommandsDoNothingWithoutADatabase)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    // Accelerators reach these even while their menu items are grey.
    for (UINT command : {IDM_FILE_DBPROPERTIES, IDM_FILE_CLOSEDB, IDM_VIEW_PERSONLIST, IDM_FILE_BACKUP,
                         IDM_TOOLS_EXTRACT, IDM_VIEW_OBJECTLIST, IDM_TOOLS_EVENTTYPES, IDM_TOOLS_ROLES})
        SendMessageA(FrameWindow, WM_COMMAND, command, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(Frame, ToolsOpenTheEventTypeListAndTheRoles)
{
    InstallLanguage();
    std::string path = MakeDatabase("family.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    for (UINT command : {IDM_TOOLS_EVENTTYPES, IDM_TOOLS_ROLES}) {
        SCOPED_TRACE(command);
        HWND shown = nullptr;
        DialogDriver driver([&](HWND dialog) {
            shown = dialog;
            EndDialog(dialog, IDCANCEL);
        });
        SendMessageA(FrameWindow, WM_COMMAND, command, 0);
        EXPECT_TRUE(driver.Acted());
        EXPECT_NE(shown, nullptr);
    }
}

TEST_F(Frame, TheViewListsAndTheSoundexCalculatorOpenTheirDialogs)
{
    InstallLanguage();
    std::string path = MakeDatabase("family.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    struct Case {
        UINT command;
        const char* titleKey;
    };
    const Case cases[] = {
        {IDM_VIEW_PERSONLIST, "NAME_LIST_TITLE"},       {IDM_VIEW_SOURCELIST, "SOURCE_SELECT_TITLE"},
        {IDM_VIEW_REPOSITORYLIST, "REPOS_SELECT_TITLE"}, {IDM_VIEW_RESEARCHLIST, "RESEARCH_LIST_TITLE"},
        {IDM_VIEW_OBJECTLIST, "MEDIA_LIST_TITLE"},       {IDM_TOOLS_SOUNDEX, "SOUNDEX_TITLE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.titleKey);
        std::string title;
        DialogDriver driver([&](HWND dialog) {
            title = WindowText(dialog);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(FrameWindow, WM_COMMAND, c.command, 0);
        EXPECT_TRUE(driver.Acted());
        EXPECT_EQ(title, GetLanguageText(c.titleKey));
    }
}

TEST_F(Frame, ForwardsDocumentCommandsToTheActiveChild)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    // Without a child a forwarded command is dropped.
    SendMessageA(FrameWindow, WM_COMMAND, IDM_REPORT_RUN, 0);
    EXPECT_TRUE(IsForwardedCommand(IDM_REPORT_RUN));
    EXPECT_TRUE(IsForwardedCommand(IDM_HELP_BUTTON));
    EXPECT_FALSE(IsForwardedCommand(IDM_FILE_NEWDB));
    EXPECT_FALSE(IsForwardedCommand(IDM_LASTDATABASE1));
}

TEST_F(Frame, RelaysNoticesToEveryChildWithTheirParameters)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    ChildBehaviour& one = NewBehaviour();
    ChildBehaviour& two = NewBehaviour();
    HWND minimised = OpenTestChild(one);
    OpenTestChild(two);
    ShowWindow(minimised, SW_MINIMIZE);
    PostMessageA(FrameWindow, WM_PERSONDELETED, 0, 42);
    SendMessageA(FrameWindow, WM_SOURCESAVED, 0, 7);
    PumpMessages();
    for (ChildBehaviour* child : {&one, &two}) {
        EXPECT_EQ(child->notices, (std::vector<UINT>{WM_SOURCESAVED, WM_PERSONDELETED}));
        EXPECT_EQ(child->noticeParameters, (std::vector<LPARAM>{7, 42}));
    }
}

// The model's notices (an import committed, say) reach the frame through the program's sink and every child
// from there.
TEST_F(Frame, TheModelsNoticesReachEveryChildThroughTheFrame)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    ChildBehaviour& one = NewBehaviour();
    ChildBehaviour& two = NewBehaviour();
    OpenTestChild(one);
    OpenTestChild(two);
    FrameNoticeSink().Post(NoticeRecordsImported, 0, 0);
    FrameNoticeSink().Post(NoticePersonDeleted, 0, 9);
    PumpMessages();
    for (ChildBehaviour* child : {&one, &two}) {
        EXPECT_EQ(child->notices, (std::vector<UINT>{WM_RECORDSIMPORTED, WM_PERSONDELETED}));
        EXPECT_EQ(child->noticeParameters, (std::vector<LPARAM>{0, 9}));
    }
}

TEST_F(Frame, TheCurrentRecordComesFromTheTopmostChildThatShowsOne)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    EXPECT_EQ(SendMessageA(FrameWindow, WM_GETCURRENTRECORD, RecordKindPerson, 0), 0);
    ChildBehaviour& lower = NewBehaviour();
    ChildBehaviour& middle = NewBehaviour();
    ChildBehaviour& top = NewBehaviour();
    lower.currentPerson = 12;
    middle.currentPerson = 55;
    OpenTestChild(lower);
    OpenTestChild(middle);
    OpenTestChild(top); // shows no person
    EXPECT_EQ(SendMessageA(FrameWindow, WM_GETCURRENTRECORD, RecordKindPerson, 0), 55);
    EXPECT_EQ(SendMessageA(FrameWindow, WM_GETCURRENTRECORD, RecordKindSource, 0), 0);
}

TEST_F(Frame, WindowMenuItemsAreGreyExactlyWithoutChildren)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    HMENU window = GetSubMenu(GetMenu(FrameWindow), 6);
    SendMessageA(FrameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(window), 6);
    EXPECT_FALSE(MenuItemEnabled(IDM_WINDOW_CASCADE));
    ChildBehaviour& child = NewBehaviour();
    OpenTestChild(child);
    SendMessageA(FrameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(window), 6);
    EXPECT_TRUE(MenuItemEnabled(IDM_WINDOW_CASCADE));
    EXPECT_TRUE(MenuItemEnabled(IDM_WINDOW_CLOSEALL));
    SendMessageA(FrameWindow, WM_COMMAND, IDM_WINDOW_CLOSEALL, 0);
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(Frame, MenuHelpAndTooltipsComeFromTheLanguage)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    HWND status = GetDlgItem(FrameWindow, IDC_FRAME_STATUSBAR);
    HMENU file = GetSubMenu(GetMenu(FrameWindow), 0);
    SendMessageA(FrameWindow, WM_MENUSELECT, MAKEWPARAM(IDM_FILE_OPEN, MF_STRING), reinterpret_cast<LPARAM>(file));
    char text[128] = {};
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, GetLanguageText("MENU_FILE_OPEN_HELP"));
    SendMessageA(FrameWindow, WM_MENUSELECT, MAKEWPARAM(IDM_EDIT_CUT, MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(FrameWindow), 1)));
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, GetLanguageText("MENU_EDIT_CUT_HELP"));
    // An item without help (the entry of a Report submenu that has no report types) shows nothing; a
    // closing menu shows Ready again.
    HMENU ancestors = GetSubMenu(GetSubMenu(GetMenu(FrameWindow), ReportMenuPosition), 0);
    SendMessageA(FrameWindow, WM_MENUSELECT, MAKEWPARAM(ReportSubmenuTable[0].firstCommand, MF_STRING),
                 reinterpret_cast<LPARAM>(ancestors));
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "");
    SendMessageA(FrameWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready");

    NMTTDISPINFOA request{};
    request.hdr.hwndFrom = nullptr;
    request.hdr.idFrom = IDM_FILE_OPEN;
    request.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(FrameWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, "Open");
}

TEST_F(Frame, AKeyMissingFromTheLanguageShowsTheKeyAndNoHelp)
{
    // A language file without MENU_FILE_EXIT: the first occurrence counts, so blank it out by renaming.
    std::string master = ReadWholeFile(test_support::MasterLanguageFile());
    for (std::size_t at; (at = master.find("\nMENU_FILE_EXIT")) != std::string::npos;)
        master.replace(at, 15, "\nXMENU_FILE_EXIT");
    WriteWholeFile(folder_ + "\\English.lan", master);
    Settings::WriteString("Language", nullptr, (folder_ + "\\English.lan").c_str());
    ASSERT_TRUE(StartFrame());
    HMENU file = GetSubMenu(GetMenu(FrameWindow), 0);
    int exitPosition = -1;
    for (int i = 0; i < GetMenuItemCount(file); ++i)
        if (GetMenuItemID(file, i) == static_cast<UINT>(IDM_FILE_EXIT))
            exitPosition = i;
    ASSERT_GE(exitPosition, 0);
    EXPECT_EQ(MenuText(file, exitPosition), "MENU_FILE_EXIT");
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_DATA;
    GetMenuItemInfoA(file, IDM_FILE_EXIT, FALSE, &item);
    EXPECT_EQ(item.dwItemData, 0u);
}

TEST_F(Frame, ARebarThatWrapsMovesTheMdiClientAtOnce)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    auto clientTop = [] {
        RECT client;
        GetWindowRect(MdiClient, &client);
        MapWindowPoints(nullptr, FrameWindow, reinterpret_cast<POINT*>(&client), 2);
        return client.top;
    };
    auto rebarHeight = [] {
        RECT rebar;
        GetWindowRect(RebarWindow, &rebar);
        return static_cast<int>(rebar.bottom - rebar.top);
    };
    int oneRow = rebarHeight();
    EXPECT_EQ(clientTop(), oneRow + 4);
    // The Person band (shown by default) starts a row of its own: the rebar grows, and the client follows
    // without a WM_SIZE.
    REBARBANDINFOA band{};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_STYLE;
    SendMessageA(RebarWindow, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&band));
    ASSERT_FALSE(band.fStyle & RBBS_HIDDEN);
    band.fStyle |= RBBS_BREAK;
    SendMessageA(RebarWindow, RB_SETBANDINFOA, 1, reinterpret_cast<LPARAM>(&band));
    ASSERT_GT(rebarHeight(), oneRow);
    EXPECT_EQ(clientTop(), rebarHeight() + 4);
}

TEST_F(Frame, HidingABandIsKeptAcrossARestart)
{
    InstallLanguage();
    ASSERT_TRUE(StartFrame());
    SendMessageA(FrameWindow, WM_COMMAND, IDM_VIEWTOOLBARS_PERSON, 0);
    EXPECT_EQ(CurrentSettings.toolbars.Person, 0);
    EXPECT_FALSE(GetMenuState(GetMenu(FrameWindow), IDM_VIEWTOOLBARS_PERSON, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(FrameWindow, nullptr);
    PumpMessages();

    ASSERT_TRUE(StartFrame());
    EXPECT_EQ(CurrentSettings.toolbars.Person, 0);
    EXPECT_FALSE(GetMenuState(GetMenu(FrameWindow), IDM_VIEWTOOLBARS_PERSON, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(GetMenu(FrameWindow), IDM_VIEWTOOLBARS_STANDARD, MF_BYCOMMAND) & MF_CHECKED);
    REBARBANDINFOA band{};
    band.cbSize = REBARBANDINFOA_V6_SIZE;
    band.fMask = RBBIM_STYLE;
    SendMessageA(RebarWindow, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&band));
    EXPECT_TRUE(band.fStyle & RBBS_HIDDEN);
}

} // namespace

namespace {

// The Insert menu opens a research objective window; Save reaches it through the frame, and the close of
// the database closes it, asking nothing once it is saved.
TEST_F(Frame, InsertResearchOpensAnObjectiveWindowThatTheFrameServes)
{
    InstallLanguage();
    std::string path = MakeDatabase("family.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    SendMessageA(FrameWindow, WM_COMMAND, IDM_INSERT_RESEARCH, 0);
    ASSERT_EQ(ChildCount(), 1);
    HWND window = GetWindow(MdiClient, GW_CHILD);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "ObjectiveWClass");
    EXPECT_TRUE(MenuItemEnabled(IDM_EDIT_DELRESEARCH));
    SetDlgItemTextA(GetWindow(window, GW_CHILD), 1114, "Parents of Anna");
    EXPECT_TRUE(MenuItemEnabled(IDM_FILE_SAVE));
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_SAVE, 0);
    EXPECT_FALSE(MenuItemEnabled(IDM_FILE_SAVE));
    EXPECT_NE(WindowText(window).find("Parents of Anna [#1]"), std::string::npos);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_EQ(ChildCount(), 0);
    EXPECT_TRUE(boxes_.boxes.empty());
}

std::vector<std::string> DocumentWindowClasses()
{
    std::vector<std::string> classes;
    for (HWND child = GetWindow(MdiClient, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        classes.push_back(name);
    }
    return classes;
}

} // namespace

TEST_F(Frame, NewSourceAndNewRepositoryOpenTheirWindowsWhichCloseWithTheDatabase)
{
    InstallLanguage();
    std::string a = MakeDatabase("a.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, a.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_INSERT_SOURCE, 0);
    SendMessageA(FrameWindow, WM_COMMAND, IDM_INSERT_REPOSITORY, 0);
    EXPECT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"RepositoryWClass", "SourceWClass"}));
    HWND active = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDIGETACTIVE, 0, 0));
    EXPECT_EQ(ActiveChild, active) << "the new window is the frame's active document";

    // Unchanged, both close with the database without a question.
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_TRUE(DocumentWindowClasses().empty());
}

TEST_F(Frame, ANewPersonIsSavedFromTheMenuAndItsWindowClosesWithTheDatabase)
{
    InstallLanguage();
    std::string path = MakeDatabase("persons.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);

    SendMessageA(FrameWindow, WM_COMMAND, IDM_INSERT_PERSON, 0);
    ASSERT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"PersonWClass"}));
    HWND window = GetWindow(MdiClient, GW_CHILD);
    EXPECT_TRUE(MenuItemEnabled(IDM_INSERT_EVENT));
    EXPECT_FALSE(MenuItemEnabled(IDM_FILE_SAVE));
    SetDlgItemTextA(GetWindow(window, GW_CHILD), 102, "Siri/Dahl/");
    EXPECT_TRUE(MenuItemEnabled(IDM_FILE_SAVE));
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_SAVE, 0);
    EXPECT_EQ(WindowText(window), std::string(GetLanguageText("PERSON_TITLE")) + " - Siri Dahl [#1]");
    EXPECT_FALSE(MenuItemEnabled(IDM_FILE_SAVE));

    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    EXPECT_EQ(CurrentDatabase, nullptr);
    EXPECT_TRUE(DocumentWindowClasses().empty());
    EXPECT_FALSE(MenuItemEnabled(IDM_INSERT_EVENT)) << "no person window is active";
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(Frame, APersonWindowOpensItsPedigreeWhichOpensThePersonAgain)
{
    InstallLanguage();
    std::string path = MakeDatabase("pedigree.vdb");
    ASSERT_TRUE(StartFrame());
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);

    // Unsaved, the person has no pedigree yet.
    SendMessageA(FrameWindow, WM_COMMAND, IDM_INSERT_PERSON, 0);
    HWND person = GetWindow(MdiClient, GW_CHILD);
    EXPECT_TRUE(MenuItemEnabled(IDM_VIEW_PEDIGREE));
    SendMessageA(FrameWindow, WM_COMMAND, IDM_VIEW_PEDIGREE, 0);
    EXPECT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"PersonWClass"}));

    SetDlgItemTextA(GetWindow(person, GW_CHILD), 102, "Siri/Dahl/");
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_SAVE, 0);
    SendMessageA(FrameWindow, WM_COMMAND, IDM_VIEW_PEDIGREE, 0);
    ASSERT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"PedigreeWClass", "PersonWClass"}));
    HWND pedigree = GetWindow(MdiClient, GW_CHILD);
    EXPECT_NE(WindowText(pedigree).find("Siri Dahl [#1]"), std::string::npos) << WindowText(pedigree);

    // With the person's window closed, the pedigree's view-person command opens it again.
    SendMessageA(MdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(person), 0);
    ASSERT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"PedigreeWClass"}));
    SendMessageA(MdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pedigree), 0);
    dialog_test::SelectListViewRow(GetDlgItem(GetWindow(pedigree, GW_CHILD), IDC_PEDIGREE_PERSON), 0);
    SendMessageA(FrameWindow, WM_COMMAND, IDM_VIEW_PERSON, 0);
    ASSERT_EQ(DocumentWindowClasses(), (std::vector<std::string>{"PersonWClass", "PedigreeWClass"}));
    EXPECT_EQ(WindowText(GetWindow(MdiClient, GW_CHILD)),
              std::string(GetLanguageText("PERSON_TITLE")) + " - Siri Dahl [#1]");

    // The pedigree goes once the close is done.
    SendMessageA(FrameWindow, WM_COMMAND, IDM_FILE_CLOSEDB, 0);
    PumpMessages();
    EXPECT_TRUE(DocumentWindowClasses().empty());
    EXPECT_TRUE(boxes_.boxes.empty());
}
