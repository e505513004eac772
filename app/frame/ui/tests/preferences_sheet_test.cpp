// The preferences sheet under Wine: each page shows the settings, OK stores and writes what was edited
// and posts the change notices, and the frame's Tools > Preferences command runs the sheet.
#include "frame_fixture.h"

#include "tests/support/dialog_test_support.h"

#include "frame/ui/preferences_sheet.h"
#include "ui_common/custom_controls.h"
#include "ui_common/private_messages.h"
#include "res/frame_resource.h"
#include "res/preferences_resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>

namespace {

using namespace frame_test;
using dialog_test::ChooseComboEntry;
using dialog_test::Click;
using dialog_test::ComboCount;
using dialog_test::ComboSelection;
using dialog_test::ComboText;
using dialog_test::ItemText;

enum PageIndex { EditingPage, DatesPage, DateFormatsPage, OtherPage, ReportTypesPage, EditorPage };

class PreferencesSheet : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        InstallLanguage();
        ASSERT_TRUE(StartFrame());
        PumpMessages();
    }
    void TearDown() override
    {
        if (sheet_)
            DestroyWindow(sheet_);
        FrameFixture::TearDown();
    }

    void Open(int subset = PreferencesAllPages)
    {
        sheet_ = OpenPreferencesModeless(FrameWindow, subset);
        ASSERT_NE(sheet_, nullptr);
    }
    HWND PageWindow(int index) { return PropSheet_IndexToHwnd(sheet_, index); }
    // OK: every page stores what it shows.
    void Apply()
    {
        PropSheet_Apply(sheet_);
        DestroyWindow(sheet_);
        sheet_ = nullptr;
    }

    // How many of `notice` wait for the frame (taken from its queue).
    int Posted(UINT notice)
    {
        int count = 0;
        MSG message;
        while (PeekMessageA(&message, FrameWindow, notice, notice, PM_REMOVE))
            ++count;
        return count;
    }
    void ForgetNotices()
    {
        Posted(WM_DATEFORMATCHANGED);
        Posted(WM_EDITORSETTINGSCHANGED);
    }

    // The check boxes of the other page, by their text.
    static HTREEITEM TreeItem(HWND page, const char* key)
    {
        HWND tree = GetDlgItem(page, IDC_PREF_OTHERTREE);
        std::string wanted = GetLanguageText(key);
        for (auto group = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); group;
             group = reinterpret_cast<HTREEITEM>(
                 SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(group))))
            for (auto item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(group)));
                 item; item = reinterpret_cast<HTREEITEM>(
                           SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
                char text[256] = {};
                TVITEMA data{};
                data.mask = TVIF_TEXT;
                data.hItem = item;
                data.pszText = text;
                data.cchTextMax = sizeof text;
                SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
                if (wanted == text)
                    return item;
            }
        return nullptr;
    }
    static bool BoxTicked(HWND page, const char* key)
    {
        HTREEITEM item = TreeItem(page, key);
        auto state = SendDlgItemMessageA(page, IDC_PREF_OTHERTREE, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                         TVIS_STATEIMAGEMASK);
        return (state >> 12) == 2;
    }
    static void TickBox(HWND page, const char* key, bool ticked)
    {
        TVITEMA state{};
        state.mask = TVIF_STATE;
        state.hItem = TreeItem(page, key);
        state.stateMask = TVIS_STATEIMAGEMASK;
        state.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
        SendDlgItemMessageA(page, IDC_PREF_OTHERTREE, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
    }

    static std::vector<std::string> ReportRows(HWND page)
    {
        HWND list = GetDlgItem(page, IDC_PREF_REPORTLIST);
        std::vector<std::string> rows;
        auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            char name[128] = {}, category[128] = {};
            LVITEMA item{};
            item.pszText = name;
            item.cchTextMax = sizeof name;
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = category;
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            rows.push_back(std::string(name) + (category[0] ? std::string(" | ") + category : ""));
        }
        return rows;
    }
    static void SelectRow(HWND page, int row)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendDlgItemMessageA(page, IDC_PREF_REPORTLIST, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                            reinterpret_cast<LPARAM>(&item));
    }
    static void PressKeyInList(HWND page, WORD key)
    {
        NMLVKEYDOWN notice{};
        notice.hdr.hwndFrom = GetDlgItem(page, IDC_PREF_REPORTLIST);
        notice.hdr.idFrom = IDC_PREF_REPORTLIST;
        notice.hdr.code = static_cast<UINT>(LVN_KEYDOWN);
        notice.wVKey = key;
        SendMessageA(page, WM_NOTIFY, IDC_PREF_REPORTLIST, reinterpret_cast<LPARAM>(&notice));
    }
    static void DoubleClickRow(HWND page, int row)
    {
        NMITEMACTIVATE notice{};
        notice.hdr.hwndFrom = GetDlgItem(page, IDC_PREF_REPORTLIST);
        notice.hdr.idFrom = IDC_PREF_REPORTLIST;
        notice.hdr.code = static_cast<UINT>(NM_DBLCLK);
        notice.iItem = row;
        SendMessageA(page, WM_NOTIFY, IDC_PREF_REPORTLIST, reinterpret_cast<LPARAM>(&notice));
    }

    static std::string StoredString(const char* section, const char* name)
    {
        char text[ReportTypeListSize + 1] = {};
        std::size_t length = 0;
        auto key = platform::SettingsKey::Create(platform::SettingsHive::CurrentUser,
                                                 std::string("Software\\Halmyr\\Vestrada\\1.4.3\\") + section);
        if (!key.Query(name, text, sizeof text - 1, &length))
            return "<missing>";
        return text;
    }
    static std::int64_t StoredDword(const char* section, const char* name)
    {
        std::uint32_t value = 0;
        std::size_t length = 0;
        auto key = platform::SettingsKey::Create(platform::SettingsHive::CurrentUser,
                                                 std::string("Software\\Halmyr\\Vestrada\\1.4.3\\") + section);
        if (!key.Query(name, &value, sizeof value, &length))
            return -1;
        return value;
    }

    HWND sheet_ = nullptr;
};

TEST_F(PreferencesSheet, EveryPageShowsTheSettings)
{
    Settings& s = CurrentSettings;
    s.edit.NewNames = 2;
    s.dateFormat.ShowCalendar = 1;
    s.dateFormat.ShowTime = 0;
    s.dateFormat.TimeFormat = 1;
    s.dateFormat.InputFormat = 3;
    s.dateFormat.PrintFormat = 11;
    s.edit.DeleteSourceWarning = 0;
    s.general.BakChkClose = 1;
    s.stavic.SyntaxColorStrings = RGB(1, 2, 3);
    s.stavic.TabSpaces = 7;
    s.stavic.ShowLineNumbers = 1;
    Open();
    EXPECT_EQ(WindowText(sheet_), GetLanguageText("PREF_TITLE"));
    HWND tabs = PropSheet_GetTabControl(sheet_);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 6);
    char tab[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = sizeof tab;
    SendMessageA(tabs, TCM_GETITEMA, 5, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, GetLanguageText("PREF_REPORTTYPEEDITOR_TITLE"));
    // No Apply button: OK applies.
    HWND apply = GetDlgItem(sheet_, 0x3021);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));

    HWND editing = PageWindow(EditingPage);
    EXPECT_EQ(ComboCount(editing, IDC_PREF_NAMESTANDARD), 5); // ADVNAME_STD0 .. 4
    EXPECT_EQ(ComboSelection(editing, IDC_PREF_NAMESTANDARD), 2);
    EXPECT_EQ(ComboText(editing, IDC_PREF_NAMESTANDARD, 2), "Title or prefix, Given names, Surname, Suffix");

    HWND dates = PageWindow(DatesPage);
    EXPECT_EQ(IsDlgButtonChecked(dates, IDC_PREF_SHOWCALENDAR), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dates, IDC_PREF_SHOWTIME), BST_UNCHECKED);
    EXPECT_EQ(ComboText(dates, IDC_PREF_TIMEFORMAT, ComboSelection(dates, IDC_PREF_TIMEFORMAT)), "hh.mm");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dates, IDC_PREF_TIMEFORMAT)));
    CheckDlgButton(dates, IDC_PREF_SHOWTIME, BST_CHECKED);
    Click(dates, IDC_PREF_SHOWTIME);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dates, IDC_PREF_TIMEFORMAT)));

    HWND formats = PageWindow(DateFormatsPage);
    ASSERT_EQ(ComboCount(formats, IDC_PREF_SCREENFORMAT), 13);
    EXPECT_EQ(ComboText(formats, IDC_PREF_SCREENFORMAT, ComboSelection(formats, IDC_PREF_SCREENFORMAT)), "17.10.2004");
    EXPECT_EQ(ComboText(formats, IDC_PREF_REPORTFORMAT, ComboSelection(formats, IDC_PREF_REPORTFORMAT)), "2004-10-17");
    EXPECT_EQ(ComboText(formats, IDC_PREF_REPORTFORMAT, 12), "20041017");
    ASSERT_EQ(ComboCount(formats, IDC_PREF_INPUTFORMAT), 7);
    EXPECT_EQ(ComboText(formats, IDC_PREF_INPUTFORMAT, ComboSelection(formats, IDC_PREF_INPUTFORMAT)),
              "{dd}.{mm}.{yyyy}");
    ASSERT_EQ(ComboCount(formats, IDC_PREF_PICTURELIST), 14);
    EXPECT_EQ(ComboText(formats, IDC_PREF_PICTURELIST, 0), GetLanguageText("PREF_DATE_NEW"));
    EXPECT_EQ(ComboText(formats, IDC_PREF_PICTURELIST, 11), "[dm?{dd}.{mm}.]{yyy}");
    EXPECT_EQ(SendDlgItemMessageA(formats, IDC_PREF_PICTURE, EM_GETLIMITTEXT, 0, 0), 30);

    HWND other = PageWindow(OtherPage);
    EXPECT_TRUE(BoxTicked(other, "PREF_OTHER_REOPEN"));
    EXPECT_FALSE(BoxTicked(other, "PREF_OTHER_DELSOURCEWARNING"));
    EXPECT_TRUE(BoxTicked(other, "PREF_OTHER_DELTASKWARNING"));
    EXPECT_TRUE(BoxTicked(other, "PREF_OTHER_BACKUPCLOSE"));
    EXPECT_FALSE(BoxTicked(other, "PREF_OTHER_FILENAMETITLE"));

    HWND reports = PageWindow(ReportTypesPage);
    EXPECT_EQ(ComboCount(reports, IDC_PREF_CATEGORY), 6);
    EXPECT_EQ(ComboSelection(reports, IDC_PREF_CATEGORY), 0);
    EXPECT_EQ(ReportRows(reports), std::vector<std::string>{GetLanguageText("PREF_REPORTTYPES_ADD")});

    HWND editor = PageWindow(EditorPage);
    EXPECT_EQ(SendDlgItemMessageA(editor, IDC_PREF_COLOR_STRINGS, ControlGetMessage, 0, 0),
              static_cast<LRESULT>(RGB(1, 2, 3)));
    EXPECT_EQ(SendDlgItemMessageA(editor, IDC_PREF_COLOR_KEYWORDS, ControlGetMessage, 0, 0),
              static_cast<LRESULT>(s.stavic.SyntaxColorKeywords));
    EXPECT_EQ(ItemText(editor, IDC_PREF_TABWIDTH), "7");
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_PREF_LINENUMBERS), BST_CHECKED);
    int fonts = ComboCount(editor, IDC_PREF_FONT);
    EXPECT_GT(fonts, 0);
    for (int n = 0; n < fonts; ++n)
        EXPECT_NE(ComboText(editor, IDC_PREF_FONT, n)[0], '@');
}

TEST_F(PreferencesSheet, OkStoresWhatWasEditedAndPostsTheNotices)
{
    Open();
    ForgetNotices();
    HWND editing = PageWindow(EditingPage);
    ChooseComboEntry(editing, IDC_PREF_NAMESTANDARD, 3);
    HWND dates = PageWindow(DatesPage);
    CheckDlgButton(dates, IDC_PREF_SHOWCALENDAR, BST_CHECKED);
    HWND formats = PageWindow(DateFormatsPage);
    ChooseComboEntry(formats, IDC_PREF_SCREENFORMAT, 12);
    ChooseComboEntry(formats, IDC_PREF_REPORTFORMAT, 0);
    ChooseComboEntry(formats, IDC_PREF_INPUTFORMAT, 6);
    HWND other = PageWindow(OtherPage);
    TickBox(other, "PREF_OTHER_DELPERSONWARNING", false);
    TickBox(other, "PREF_OTHER_FILENAMETITLE", true);
    HWND editor = PageWindow(EditorPage);
    SendDlgItemMessageA(editor, IDC_PREF_COLOR_COMMENTS, ControlSetMessage, 0, RGB(9, 8, 7));
    SetDlgItemTextA(editor, IDC_PREF_TABWIDTH, "8");
    CheckDlgButton(editor, IDC_PREF_LINENUMBERS, BST_CHECKED);
    Apply();

    const Settings& s = CurrentSettings;
    struct Stored {
        const char* section;
        const char* name;
        std::int64_t inBlock, stored;
    } values[] = {
        {"Edit", "NewNames", s.edit.NewNames, 3},
        {"DateFormat", "ShowCalendar", s.dateFormat.ShowCalendar, 1},
        {"DateFormat", "OutputFormat", s.dateFormat.OutputFormat, 12},
        {"DateFormat", "PrintFormat", s.dateFormat.PrintFormat, 0},
        {"DateFormat", "InputFormat", s.dateFormat.InputFormat, 6},
        {"Edit", "DeletePersonWarning", s.edit.DeletePersonWarning, 0},
        {"General", "FilenameTitle", s.general.FilenameTitle, 1},
        {"Edit", "DeleteTaskWarning", s.edit.DeleteTaskWarning, 1}, // written, changed or not
        {"Stavic", "SyntaxColorComments", s.stavic.SyntaxColorComments, RGB(9, 8, 7)},
        {"Stavic", "TabSpaces", s.stavic.TabSpaces, 8},
        {"Stavic", "ShowLineNumbers", s.stavic.ShowLineNumbers, 1},
    };
    for (const Stored& v : values) {
        EXPECT_EQ(v.inBlock, v.stored) << v.name;
        EXPECT_EQ(StoredDword(v.section, v.name), v.stored) << v.name;
    }
    EXPECT_EQ(StoredString("Stavic", "Font"), s.stavic.Font);
    EXPECT_EQ(Posted(WM_DATEFORMATCHANGED), 2); // the dates page and the changed screen format
    EXPECT_EQ(Posted(WM_EDITORSETTINGSCHANGED), 1);
}

TEST_F(PreferencesSheet, OkWithoutChangesPostsOnlyTheEditorNotice)
{
    Open();
    ForgetNotices();
    Apply();
    EXPECT_EQ(Posted(WM_DATEFORMATCHANGED), 0);
    EXPECT_EQ(Posted(WM_EDITORSETTINGSCHANGED), 1);
    EXPECT_EQ(StoredDword("Edit", "NewNames"), -1); // nothing changed, nothing written
    EXPECT_EQ(StoredDword("DateFormat", "OutputFormat"), -1);
}

TEST_F(PreferencesSheet, TheEditingPageStoresOnlyAValidChoice)
{
    CurrentSettings.edit.NewNames = 1;
    Open(PreferencesEditingPage);
    EXPECT_EQ(SendMessageA(PropSheet_GetTabControl(sheet_), TCM_GETITEMCOUNT, 0, 0), 1);
    SendDlgItemMessageA(PageWindow(EditingPage), IDC_PREF_NAMESTANDARD, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Apply();
    EXPECT_EQ(CurrentSettings.edit.NewNames, 1);
    EXPECT_EQ(StoredDword("Edit", "NewNames"), -1);
}

TEST_F(PreferencesSheet, TheTabWidthIsStoredWithinItsRange)
{
    struct Case {
        const char* typed;
        std::int32_t stored;
    } cases[] = {{"0", 1}, {"50", 32}, {"12", 12}, {"", 1}};
    for (const Case& c : cases) {
        Open();
        SetDlgItemTextA(PageWindow(EditorPage), IDC_PREF_TABWIDTH, c.typed);
        Apply();
        EXPECT_EQ(CurrentSettings.stavic.TabSpaces, c.stored) << c.typed;
        EXPECT_EQ(StoredDword("Stavic", "TabSpaces"), c.stored) << c.typed;
    }
}

TEST_F(PreferencesSheet, DatePicturesAreAddedChangedAndEmptied)
{
    Open();
    HWND page = PageWindow(DateFormatsPage);
    // The new-picture entry takes a text; its own Apply button saves the list at once.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_PREF_PICTURE)));
    SetDlgItemTextA(page, IDC_PREF_PICTURE, "{dd}.{mm}.{yyyy}");
    Click(page, IDC_PREF_APPLYPICTURE);
    ASSERT_EQ(CurrentSettings.dateFormat.FormatCount, 14);
    EXPECT_EQ(StoredString("DateFormat", "Format14"), "{dd}.{mm}.{yyyy}");
    ASSERT_EQ(ComboCount(page, IDC_PREF_SCREENFORMAT), 14);
    EXPECT_EQ(ComboText(page, IDC_PREF_SCREENFORMAT, 13), "17.10.2004");
    EXPECT_EQ(ComboSelection(page, IDC_PREF_PICTURELIST), 14);
    EXPECT_EQ(ItemText(page, IDC_PREF_EXAMPLE), "17.10.2004");

    // The thirteen pictures that come with the program are shown, not changed.
    struct Entry {
        int position;
        bool editable;
        const char* example;
    } entries[] = {{1, false, "17. OCT 2004"}, {13, false, "20041017"}, {14, true, "17.10.2004"}, {0, true, ""}};
    for (const Entry& e : entries) {
        ChooseComboEntry(page, IDC_PREF_PICTURELIST, e.position);
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(page, IDC_PREF_PICTURE)) != FALSE, e.editable) << e.position;
        if (e.position != 1) {
            EXPECT_EQ(ItemText(page, IDC_PREF_EXAMPLE), e.example) << e.position;
        }
    }
    ChooseComboEntry(page, IDC_PREF_PICTURELIST, 1);
    SetDlgItemTextA(page, IDC_PREF_PICTURE, "{yyy}");
    Click(page, IDC_PREF_APPLYPICTURE);
    EXPECT_STREQ(CurrentSettings.dateFormat.Formats[0], "[d?{dd}. ][dm?{MMM} ]{yyy}");

    // Changed, then emptied while the screen format names it: the index stays until the next start.
    ChooseComboEntry(page, IDC_PREF_PICTURELIST, 14);
    SetDlgItemTextA(page, IDC_PREF_PICTURE, "{yyyy}/{mm}");
    Click(page, IDC_PREF_APPLYPICTURE);
    EXPECT_STREQ(CurrentSettings.dateFormat.Formats[13], "{yyyy}/{mm}");
    ChooseComboEntry(page, IDC_PREF_SCREENFORMAT, 13);
    Apply();
    ASSERT_EQ(CurrentSettings.dateFormat.OutputFormat, 13);

    Open();
    page = PageWindow(DateFormatsPage);
    ChooseComboEntry(page, IDC_PREF_PICTURELIST, 14);
    SetDlgItemTextA(page, IDC_PREF_PICTURE, "");
    Click(page, IDC_PREF_APPLYPICTURE);
    EXPECT_EQ(CurrentSettings.dateFormat.FormatCount, 14);
    EXPECT_EQ(StoredString("DateFormat", "Format14"), "");
    EXPECT_EQ(ComboCount(page, IDC_PREF_SCREENFORMAT), 13);
    EXPECT_EQ(ComboCount(page, IDC_PREF_PICTURELIST), 14);
    EXPECT_EQ(ComboSelection(page, IDC_PREF_PICTURELIST), 0);
    Apply();
    EXPECT_EQ(CurrentSettings.dateFormat.OutputFormat, 13);
    Settings::Load(); // the next start: the emptied picture is gone and its index takes the default
    EXPECT_EQ(CurrentSettings.dateFormat.FormatCount, 13);
    EXPECT_EQ(CurrentSettings.dateFormat.OutputFormat, 10);
}

TEST_F(PreferencesSheet, ThirtyTwoPicturesTakeNoNewOne)
{
    DateFormatSettings& dates = CurrentSettings.dateFormat;
    for (int n = dates.FormatCount; n < DateFormatCapacity; ++n)
        std::snprintf(dates.Formats[n], DatePictureSize, "{yyy} %d", n);
    dates.FormatCount = DateFormatCapacity;
    Open();
    HWND page = PageWindow(DateFormatsPage);
    ChooseComboEntry(page, IDC_PREF_PICTURELIST, 0);
    SetDlgItemTextA(page, IDC_PREF_PICTURE, "{dd}");
    Click(page, IDC_PREF_APPLYPICTURE);
    EXPECT_EQ(dates.FormatCount, DateFormatCapacity);
    EXPECT_EQ(ComboCount(page, IDC_PREF_PICTURELIST), DateFormatCapacity + 1);
    EXPECT_EQ(StoredString("DateFormat", "Format33"), "<missing>");
}

TEST_F(PreferencesSheet, ReportTypesAreAddedAndDeletedByTheirListIndex)
{
    std::string first = folder_ + "\\first.rpt", second = folder_ + "\\second.rpt", third = folder_ + "\\third.rpt";
    WriteReportType(first, "First report", "");
    WriteReportType(second, "Second report", "");
    WriteReportType(third, "Third report", "");
    std::string missing = folder_ + "\\gone.rpt";
    std::snprintf(CurrentSettings.reportTypes.Lists[ReportCategoryFamily], ReportTypeListSize, "%s;%s;%s",
                  first.c_str(), missing.c_str(), second.c_str());
    Open();
    HWND page = PageWindow(ReportTypesPage);
    ChooseComboEntry(page, IDC_PREF_CATEGORY, ReportCategoryFamily);
    std::string family = GetLanguageText("PREF_REPORTTYPES_FAMILY");
    std::string add = GetLanguageText("PREF_REPORTTYPES_ADD");
    EXPECT_EQ(ReportRows(page), (std::vector<std::string>{"First report | " + family, "Second report | " + family, add}));

    // The second row is the third path: the one that cannot be read stays.
    SelectRow(page, 1);
    PressKeyInList(page, VK_DELETE);
    EXPECT_EQ(ReportRows(page), (std::vector<std::string>{"First report | " + family, add}));
    SelectRow(page, 1); // the add row is not deleted
    PressKeyInList(page, VK_DELETE);
    EXPECT_EQ(ReportRows(page).size(), 2u);

    // A double click on the last row asks for a file and appends it.
    DialogDriver driver([&](HWND dialog) {
        HWND name = GetDlgItem(dialog, 0x47C); // the name box of the Explorer-style dialog
        if (!name)
            name = GetDlgItem(dialog, 0x480);
        SetWindowTextA(name, third.c_str());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    DoubleClickRow(page, 1);
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(ReportRows(page),
              (std::vector<std::string>{"First report | " + family, "Third report | " + family, add}));
    // Cancel leaves the settings alone; OK stores the page's lists.
    EXPECT_EQ(std::string(CurrentSettings.reportTypes.Lists[ReportCategoryFamily]),
              first + ";" + missing + ";" + second);
    Apply();
    std::string expected = first + ";" + missing + ";" + third;
    EXPECT_EQ(std::string(CurrentSettings.reportTypes.Lists[ReportCategoryFamily]), expected);
    EXPECT_EQ(StoredString("ReportTypes", "FamilyReports"), expected);
    EXPECT_EQ(StoredString("ReportTypes", "AncestorReports"), "");
}

TEST_F(PreferencesSheet, AReportTypeThatDoesNotFitIsRefusedWithAMessage)
{
    std::string path = folder_ + "\\extra.rpt";
    WriteReportType(path, "Extra", "");
    std::string list(ReportTypeListSize - 1 - path.size(), 'x'); // one character short of room for ";" + path
    std::memcpy(CurrentSettings.reportTypes.Lists[ReportCategoryOther], list.c_str(), list.size() + 1);
    Open();
    HWND page = PageWindow(ReportTypesPage);
    ChooseComboEntry(page, IDC_PREF_CATEGORY, ReportCategoryOther);
    boxes_.boxes.clear();
    DialogDriver driver([&](HWND dialog) {
        HWND name = GetDlgItem(dialog, 0x47C);
        if (!name)
            name = GetDlgItem(dialog, 0x480);
        SetWindowTextA(name, path.c_str());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    DoubleClickRow(page, 0);
    EXPECT_TRUE(driver.Acted());
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, GetLanguageText("PREF_REPORTTYPES_FULL"));
    Apply();
    EXPECT_EQ(std::string(CurrentSettings.reportTypes.Lists[ReportCategoryOther]), list);
}

TEST_F(PreferencesSheet, ToolsPreferencesRunsTheSheetAndShowsTheDatabaseAgain)
{
    std::string path = MakeDatabase("family.vdb");
    OpenFileByExtension(FrameWindow, path.c_str());
    ASSERT_NE(CurrentDatabase, nullptr);
    std::string before = WindowText(FrameWindow);
    DialogDriver driver([&](HWND sheet) {
        TickBox(PropSheet_IndexToHwnd(sheet, OtherPage), "PREF_OTHER_FILENAMETITLE", true);
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    SendMessageA(FrameWindow, WM_COMMAND, IDM_TOOLS_OPTIONS, 0);
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(CurrentSettings.general.FilenameTitle, 1);
    EXPECT_EQ(WindowText(FrameWindow), "Vestrada - family.vdb");
    EXPECT_NE(before, WindowText(FrameWindow));
}

} // namespace
