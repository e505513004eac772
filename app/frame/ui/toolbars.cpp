#include "frame/ui/toolbars.h"

#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "res/frame_resource.h"

#include <iterator>
#include <vector>

namespace {

struct ToolbarButton {
    int command; // 0: a separator
    int image;
    BYTE style = BTNS_BUTTON;
};

struct ToolbarBand {
    int toolbarId;
    UINT menuCommand;
    const char* settingName;
    std::int32_t ToolbarSettings::*setting;
    int bitmap; // 0: the common controls' small standard images
    int imageCount;
    const ToolbarButton* buttons;
    std::size_t buttonCount;
    int width;
    bool newRow;
};

constexpr ToolbarButton StandardButtons[] = {
    {IDM_FILE_NEWDB, STD_FILENEW},
    {IDM_FILE_OPEN, STD_FILEOPEN},
    {IDM_FILE_SAVE, STD_FILESAVE},
    {0, 0},
    {IDM_FILE_PRINT, STD_PRINT},
    {0, 0},
    {IDM_FILE_DBPROPERTIES, STD_PROPERTIES},
};
constexpr ToolbarButton PersonButtons[] = {
    {IDM_VIEW_PEDIGREE, 11},
    {IDM_VIEW_PERSON, 15},
    {0, 0},
    {IDM_VIEW_DATA, 1},
    {IDM_EDIT_DELETE, 3},
    {0, 0},
    {IDM_INSERT_NAME, 14},
    {IDM_INSERT_EVENT, 12},
    {IDM_INSERT_ATTRIBUTE, 13},
    {IDM_INSERT_PARENT, 16},
    {IDM_INSERT_CHILD, 19},
    {IDM_INSERT_INFO, 7},
    {0, 0},
    {IDM_INSERT_ATTACHMENT, 20},
    {0, 0},
    {IDM_INSERT_EXCERPTREF, 18},
    {0, 0},
    {IDM_HELP_BUTTON, 9},
};
constexpr ToolbarButton ReportButtons[] = {
    {IDM_VIEWREPORT_FIRST, 0},     {IDM_VIEWREPORT_LAST, 1},         {0, 0},
    {IDM_VIEWREPORT_PREVIOUS, 2},  {IDM_VIEWREPORT_NEXT, 3},         {0, 0},
    {IDM_VIEWREPORT_PAGESBACK, 4}, {IDM_VIEWREPORT_PAGESFORWARD, 5}, {0, 0},
    {IDM_VIEWREPORT_ZOOMIN, 6},    {IDM_VIEWREPORT_ZOOMOUT, 7},
};
constexpr ToolbarButton ReportTypeButtons[] = {
    {IDM_FILE_NEWRT, 0},
    {IDM_REPORT_RUN, 1},
    {0, 0},
    {IDM_DEBUG_RUN, 2},
    {IDM_DEBUG_STEPOVER, 4},
    {IDM_DEBUG_STEPINTO, 3},
    {IDM_DEBUG_RUNTOCURSOR, 5},
    {IDM_DEBUG_CANCEL, 6},
    {0, 0},
    {IDM_DEBUG_BREAKPOINT, 9},
    {IDM_DEBUG_WATCH, 7, BTNS_CHECK},
    {0, 0},
    {IDM_REPORT_PROPERTIES, 8},
};
constexpr ToolbarButton TimelineButtons[] = {
    {IDM_FILE_NEWTL, 0}, {0, 0}, {IDM_INSERT_EVENT, 1}, {IDM_VIEW_DATA, 2}, {IDM_EDIT_DELETE, 3},
};

const ToolbarBand Bands[ToolbarBandCount] = {
    {IDC_TOOLBAR_STANDARD, IDM_VIEWTOOLBARS_STANDARD, "Standard", &ToolbarSettings::Standard, 0, 0, StandardButtons,
     std::size(StandardButtons), 131, true},
    {IDC_TOOLBAR_PERSON, IDM_VIEWTOOLBARS_PERSON, "Person", &ToolbarSettings::Person, IDB_TOOLBAR_PERSON, 21,
     PersonButtons, std::size(PersonButtons), 339, false},
    {IDC_TOOLBAR_REPORT, IDM_VIEWTOOLBARS_REPORT, "Report", &ToolbarSettings::Report, IDB_TOOLBAR_REPORT, 8,
     ReportButtons, std::size(ReportButtons), 210, false},
    {IDC_TOOLBAR_REPORTTYPE, IDM_VIEWTOOLBARS_REPORTTYPE, "ReportType", &ToolbarSettings::ReportType,
     IDB_TOOLBAR_REPORTTYPE, 10, ReportTypeButtons, std::size(ReportTypeButtons), 252, false},
    {IDC_TOOLBAR_TIMELINE, IDM_VIEWTOOLBARS_TIMELINE, "Timeline", &ToolbarSettings::Timeline, IDB_TOOLBAR_TIMELINE, 4,
     TimelineButtons, std::size(TimelineButtons), 100, false},
};

constexpr COLORREF ToolbarBitmapBackground = RGB(192, 192, 192);
// The image lists of the toolbars, freed with the frame.
std::vector<HIMAGELIST> ToolbarImages;

// Only these start enabled; the child windows enable the others while they are active.
bool StartsEnabled(int command)
{
    return command == IDM_FILE_NEWDB || command == IDM_FILE_OPEN || command == IDM_FILE_NEWRT ||
           command == IDM_FILE_NEWTL;
}

struct TooltipKey {
    UINT command;
    const char* key;
};
const TooltipKey TooltipKeys[] = {
    {IDM_HELP_BUTTON, LanguageKey("TOOLBAR_HELP")},
    {IDM_FILE_DBPROPERTIES, LanguageKey("TOOLBAR_FILE_DBPROPERTIES")},
    {IDM_VIEWREPORT_FIRST, LanguageKey("TOOLBAR_VIEWREPORT_FIRST")},
    {IDM_VIEWREPORT_LAST, LanguageKey("TOOLBAR_VIEWREPORT_LAST")},
    {IDM_VIEWREPORT_PAGESFORWARD, LanguageKey("TOOLBAR_VIEWREPORT_PAGESFORWARD")},
    {IDM_VIEWREPORT_PAGESBACK, LanguageKey("TOOLBAR_VIEWREPORT_PAGESBACK")},
    {IDM_VIEWREPORT_ZOOMIN, LanguageKey("TOOLBAR_VIEWREPORT_ZOOMIN")},
    {IDM_VIEWREPORT_ZOOMOUT, LanguageKey("TOOLBAR_VIEWREPORT_ZOOMOUT")},
    {IDM_EDIT_DELETE, LanguageKey("TOOLBAR_EDIT_DELETE")},
    {IDM_VIEW_PERSON, LanguageKey("TOOLBAR_VIEW_PERSON")},
    {IDM_INSERT_NAME, LanguageKey("TOOLBAR_INSERT_NAME")},
    {IDM_VIEWREPORT_PREVIOUS, LanguageKey("TOOLBAR_VIEWREPORT_PREVIOUS")},
    {IDM_VIEWREPORT_NEXT, LanguageKey("TOOLBAR_VIEWREPORT_NEXT")},
    {IDM_REPORT_RUN, LanguageKey("TOOLBAR_REPORT_RUN")},
    {IDM_REPORT_PROPERTIES, LanguageKey("TOOLBAR_REPORT_PROPERTIES")},
    {IDM_DEBUG_RUNTOCURSOR, LanguageKey("TOOLBAR_DEBUG_RUNTOCURSOR")},
    {IDM_DEBUG_CANCEL, LanguageKey("TOOLBAR_DEBUG_CANCEL")},
    {IDM_DEBUG_BREAKPOINT, LanguageKey("TOOLBAR_DEBUG_BREAKPOINT")},
    {IDM_FILE_NEWTL, LanguageKey("TOOLBAR_FILE_NEWTIMELINE")},
    {IDM_FILE_NEWDB, LanguageKey("TOOLBAR_FILE_NEWDATABASE")},
    {IDM_FILE_NEWRT, LanguageKey("TOOLBAR_FILE_NEWREPORTTYPE")},
    {IDM_FILE_OPEN, LanguageKey("TOOLBAR_FILE_OPEN")},
    {IDM_FILE_SAVE, LanguageKey("TOOLBAR_FILE_SAVE")},
    {IDM_FILE_PRINT, LanguageKey("TOOLBAR_FILE_PRINT")},
    {IDM_VIEW_PEDIGREE, LanguageKey("TOOLBAR_VIEW_PEDIGREE")},
    {IDM_INSERT_EVENT, LanguageKey("TOOLBAR_INSERT_EVENT")},
    {IDM_INSERT_ATTRIBUTE, LanguageKey("TOOLBAR_INSERT_ATTRIBUTE")},
    {IDM_INSERT_CHILD, LanguageKey("TOOLBAR_INSERT_CHILD")},
    {IDM_INSERT_INFO, LanguageKey("TOOLBAR_INSERT_INFO")},
    {IDM_VIEW_DATA, LanguageKey("TOOLBAR_VIEW_DATA")},
    {IDM_INSERT_ATTACHMENT, LanguageKey("TOOLBAR_INSERT_MEDIA")},
    {IDM_INSERT_EXCERPTREF, LanguageKey("TOOLBAR_INSERT_EXCERPTREF")},
    {IDM_INSERT_PARENT, LanguageKey("TOOLBAR_INSERT_PARENT")},
    {IDM_DEBUG_WATCH, LanguageKey("TOOLBAR_DEBUG_WATCH")},
    {IDM_DEBUG_STEPINTO, LanguageKey("TOOLBAR_DEBUG_STEPINTO")},
    {IDM_DEBUG_STEPOVER, LanguageKey("TOOLBAR_DEBUG_STEPOVER")},
    {IDM_DEBUG_RUN, LanguageKey("TOOLBAR_DEBUG_RUN")},
};

HWND CreateBandToolbar(HWND frame, const ToolbarBand& band)
{
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                       CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                   0, 0, 0, 0, RebarWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(band.toolbarId)), AppInstance, nullptr);
    if (!toolbar)
        return nullptr;
    // The tooltips ask the frame for their texts.
    SendMessageA(toolbar, TB_SETPARENT, reinterpret_cast<WPARAM>(frame), 0);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
    if (band.bitmap == 0) {
        SendMessageA(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    } else {
        // A masked list, so that the light grey background shows the button face and greyed buttons
        // show their glyph's outline rather than a filled square.
        HIMAGELIST images = ImageList_LoadImageA(AppInstance, MAKEINTRESOURCEA(band.bitmap), 16, 0,
                                                 ToolbarBitmapBackground, IMAGE_BITMAP, LR_CREATEDIBSECTION);
        if (images) {
            SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
            ToolbarImages.push_back(images);
        }
    }
    for (std::size_t i = 0; i < band.buttonCount; ++i) {
        const ToolbarButton& b = band.buttons[i];
        TBBUTTON button{};
        if (b.command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = b.image;
            button.idCommand = b.command;
            button.fsStyle = b.style;
            button.fsState = StartsEnabled(b.command) ? TBSTATE_ENABLED : 0;
        }
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    return toolbar;
}

void InsertBand(HWND toolbar, const ToolbarBand& band)
{
    DWORD buttonSize = static_cast<DWORD>(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
    REBARBANDINFOA info{};
    info.cbSize = REBARBANDINFOA_V6_SIZE;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    info.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | RBBS_FIXEDBMP | (band.newRow ? RBBS_BREAK : 0);
    info.hwndChild = toolbar;
    info.cxMinChild = static_cast<UINT>(band.width);
    info.cyMinChild = HIWORD(buttonSize);
    info.cx = static_cast<UINT>(band.width);
    info.wID = static_cast<UINT>(band.toolbarId);
    SendMessageA(RebarWindow, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
}

} // namespace

void CreateToolbars(HWND frame)
{
    RECT client;
    GetClientRect(frame, &client);
    RebarWindow =
        CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | RBS_VARHEIGHT |
                            RBS_BANDBORDERS | RBS_DBLCLKTOGGLE | RBS_REGISTERDROP | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                        0, 0, client.right, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FRAME_REBAR)),
                        AppInstance, nullptr);
    if (!RebarWindow)
        return;
    for (int i = 0; i < ToolbarBandCount; ++i) {
        if (HWND toolbar = CreateBandToolbar(frame, Bands[i]))
            InsertBand(toolbar, Bands[i]);
        SendMessageA(RebarWindow, RB_SHOWBAND, static_cast<WPARAM>(i),
                     CurrentSettings.toolbars.*(Bands[i].setting) ? TRUE : FALSE);
    }
    CheckToolbarMenuItems(frame);
}

void CheckToolbarMenuItems(HWND frame)
{
    HMENU menu = GetMenu(frame);
    for (const ToolbarBand& band : Bands)
        CheckMenuItem(menu, band.menuCommand,
                      MF_BYCOMMAND | (CurrentSettings.toolbars.*(band.setting) ? MF_CHECKED : MF_UNCHECKED));
}

const char* ToolbarTooltipKey(UINT command)
{
    for (const TooltipKey& entry : TooltipKeys)
        if (entry.command == command)
            return entry.key;
    return nullptr;
}

void GetToolbarTooltipText(NMHDR* request)
{
    const char* key = ToolbarTooltipKey(static_cast<UINT>(request->idFrom));
    if (!key)
        return;
    const char* text = GetLanguageText(key);
    if (request->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(request);
        info->lpszText = const_cast<char*>(text);
        info->hinst = nullptr;
    } else if (request->code == TTN_NEEDTEXTW) {
        // A Unicode tooltip asks in UTF-16: the text is converted into a buffer that lives on.
        static wchar_t wide[256];
        MultiByteToWideChar(1252, 0, text, -1, wide, static_cast<int>(std::size(wide)));
        wide[std::size(wide) - 1] = L'\0';
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(request);
        info->lpszText = wide;
        info->hinst = nullptr;
    }
}

int ToolbarBandOfCommand(UINT command)
{
    for (int i = 0; i < ToolbarBandCount; ++i)
        if (Bands[i].menuCommand == command)
            return i;
    return -1;
}

void ToggleToolbarBand(HWND frame, int band)
{
    std::int32_t& setting = CurrentSettings.toolbars.*(Bands[band].setting);
    setting = setting ? 0 : 1;
    CheckMenuItem(GetMenu(frame), Bands[band].menuCommand, MF_BYCOMMAND | (setting ? MF_CHECKED : MF_UNCHECKED));
    SendMessageA(RebarWindow, RB_SHOWBAND, static_cast<WPARAM>(band), setting ? TRUE : FALSE);
    Settings::WriteDword("Toolbars", Bands[band].settingName, static_cast<std::uint32_t>(setting));
}

void EnableToolbarButton(int toolbarId, UINT command, bool enable)
{
    if (HWND toolbar = GetDlgItem(RebarWindow, toolbarId))
        SendMessageA(toolbar, TB_ENABLEBUTTON, command, MAKELPARAM(enable ? TRUE : FALSE, 0));
}

void DestroyToolbarImages()
{
    for (HIMAGELIST images : ToolbarImages)
        ImageList_Destroy(images);
    ToolbarImages.clear();
}
