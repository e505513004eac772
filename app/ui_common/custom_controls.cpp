// The system's bitmaps of combo-box and scroll arrows are named by OEMRESOURCE.
#define OEMRESOURCE
#include "ui_common/custom_controls.h"

#include "core/calendar_date.h"
#include "core/date_format.h"
#include "settings/settings.h"
#include "ui_common/guarded_procedure.h"

#include <commdlg.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <string>

namespace {

using namespace Gdiplus::DllExports;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;

template <typename T> T Slot(HWND window, int slot)
{
    return reinterpret_cast<T>(GetWindowLongPtrA(window, slot * static_cast<int>(sizeof(LONG_PTR))));
}

template <typename T> void SetSlot(HWND window, int slot, T value)
{
    SetWindowLongPtrA(window, slot * static_cast<int>(sizeof(LONG_PTR)), reinterpret_cast<LONG_PTR>(value));
}

HBITMAP SystemBitmap(WORD id)
{
    return LoadBitmapA(nullptr, MAKEINTRESOURCEA(id));
}

void DeleteSlotObject(HWND window, int slot)
{
    if (HGDIOBJ object = Slot<HGDIOBJ>(window, slot))
        DeleteObject(object);
    SetSlot<HGDIOBJ>(window, slot, nullptr);
}

// Paints through `paint` for WM_PAINT and into the given context for WM_PRINTCLIENT.
template <typename Paint> LRESULT PaintMessage(HWND window, UINT message, WPARAM wParam, Paint paint)
{
    if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paint(dc);
    EndPaint(window, &ps);
    return 0;
}

// ---- PREVIEW: the GDI+ image in slot 0 ----

constexpr int PreviewImageSlot = 0;
constexpr int PreviewNameCapacity = 520; // wide characters of a file name, terminator included

void ClearPreviewImage(HWND preview)
{
    if (auto* image = Slot<GpImage*>(preview, PreviewImageSlot))
        GdipDisposeImage(image);
    SetSlot<GpImage*>(preview, PreviewImageSlot, nullptr);
}

// The image of the file, or null when the name does not fit or the file is no image GDI+ reads.
GpImage* LoadPreviewImage(const char* name)
{
    wchar_t wide[PreviewNameCapacity];
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, wide, PreviewNameCapacity) == 0)
        return nullptr;
    GpImage* image = nullptr;
    if (GdipLoadImageFromFile(wide, &image) != Gdiplus::Ok)
        return nullptr;
    GUID format;
    if (!image || GdipGetImageRawFormat(image, &format) != Gdiplus::Ok) {
        if (image)
            GdipDisposeImage(image);
        return nullptr;
    }
    return image;
}

void PaintPreview(HWND preview, HDC dc)
{
    auto* image = Slot<GpImage*>(preview, PreviewImageSlot);
    if (!image)
        return;
    UINT width = 0, height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    RECT client;
    GetClientRect(preview, &client);
    RECT place = PreviewImageRect(static_cast<int>(width), static_cast<int>(height), client.right, client.bottom);
    if (place.right <= place.left || place.bottom <= place.top)
        return;
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok)
        return;
    GdipDrawImageRectI(graphics, image, place.left, place.top, place.right - place.left, place.bottom - place.top);
    GdipDeleteGraphics(graphics);
}

LRESULT PreviewMessage(HWND preview, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetSlot<GpImage*>(preview, PreviewImageSlot, nullptr);
        return 0;
    case WM_DESTROY:
        ClearPreviewImage(preview);
        return 0;
    case ControlSetMessage:
        ClearPreviewImage(preview);
        if (lParam)
            SetSlot(preview, PreviewImageSlot, LoadPreviewImage(reinterpret_cast<const char*>(lParam)));
        InvalidateRect(preview, nullptr, TRUE);
        return 0;
    case WM_SIZE:
        InvalidateRect(preview, nullptr, FALSE);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(preview, message, wParam, [&](HDC dc) { PaintPreview(preview, dc); });
    default:
        return DefWindowProcA(preview, message, wParam, lParam);
    }
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PreviewMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

// ---- COLORVIEW ----

constexpr int DropDownWidth = 16;

// The swatch: from (4, 4) to 20 pixels short of the right edge, 4 above the bottom.
RECT SwatchRect(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    return RECT{4, 4, client.right - 20, client.bottom - 4};
}

void PaintColorView(HWND control, HDC dc)
{
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT swatch = SwatchRect(control);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Slot<LONG_PTR>(control, ColorViewColor)));
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
    if (GetFocus() == control) {
        InflateRect(&swatch, 2, 2);
        DrawFocusRect(dc, &swatch);
    }
}

void ChooseViewColor(HWND control)
{
    static COLORREF customColors[16];
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = control;
    dialog.rgbResult = static_cast<COLORREF>(Slot<LONG_PTR>(control, ColorViewColor));
    dialog.lpCustColors = customColors;
    dialog.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_FULLOPEN;
    if (ChooseColorA(&dialog)) {
        SetSlot(control, ColorViewColor, static_cast<LONG_PTR>(dialog.rgbResult));
        InvalidateRect(control, nullptr, TRUE);
    }
}

LRESULT ColorViewMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        SetSlot<LONG_PTR>(control, ColorViewColor, 0);
        RECT client;
        GetClientRect(control, &client);
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP | BS_CENTER,
                                      client.right - DropDownWidth, 0, DropDownWidth, client.bottom, control,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(DropDownButtonId)),
                                      reinterpret_cast<LPCREATESTRUCTA>(lParam)->hInstance, nullptr);
        HBITMAP arrow = SystemBitmap(OBM_COMBO);
        SetSlot(control, ColorViewArrow, arrow);
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(arrow));
        return 0;
    }
    case WM_DESTROY:
        DeleteSlotObject(control, ColorViewArrow);
        return 0;
    case ControlSetMessage:
        SetSlot(control, ColorViewColor, static_cast<LONG_PTR>(static_cast<COLORREF>(lParam)));
        InvalidateRect(control, nullptr, TRUE);
        return 0;
    case ControlGetMessage:
        return static_cast<LRESULT>(static_cast<COLORREF>(Slot<LONG_PTR>(control, ColorViewColor)));
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(control, message, wParam, [&](HDC dc) { PaintColorView(control, dc); });
    case WM_SIZE: {
        // The button stays at the right edge, as high as the control.
        if (HWND button = GetDlgItem(control, DropDownButtonId))
            MoveWindow(button, LOWORD(lParam) - DropDownWidth, 0, DropDownWidth, HIWORD(lParam), TRUE);
        InvalidateRect(control, nullptr, TRUE);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(control, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(control);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
        if (wParam == VK_DOWN)
            ChooseViewColor(control);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == DropDownButtonId)
            ChooseViewColor(control);
        return 33;
    default:
        return DefWindowProcA(control, message, wParam, lParam);
    }
}

LRESULT CALLBACK ColorViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ColorViewMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

// ---- DATEPICK and its calendar ----

CalendarDate* PickedDate(HWND picker)
{
    return Slot<CalendarDate*>(picker, DatePickDate);
}

HWND PickerCalendar(HWND picker)
{
    return Slot<HWND>(picker, DatePickCalendar);
}

bool CalendarShown(HWND picker)
{
    HWND calendar = PickerCalendar(picker);
    return calendar && IsWindowVisible(calendar);
}

void HideCalendar(HWND picker)
{
    if (CalendarShown(picker)) {
        ShowWindow(PickerCalendar(picker), SW_HIDE);
        InvalidateRect(picker, nullptr, TRUE);
    }
}

// Shows the calendar below the control's right edge without taking the focus, or hides it.
void ToggleCalendar(HWND picker)
{
    HWND calendar = PickerCalendar(picker);
    if (!calendar)
        return;
    if (CalendarShown(picker)) {
        HideCalendar(picker);
        return;
    }
    RECT place;
    GetWindowRect(picker, &place);
    SetWindowPos(calendar, HWND_TOP, place.right - CalendarWidth, place.bottom, CalendarWidth, CalendarHeight,
                 SWP_NOACTIVATE);
    ShowWindow(calendar, SW_SHOWNOACTIVATE);
    InvalidateRect(calendar, nullptr, TRUE);
    InvalidateRect(picker, nullptr, TRUE);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& box)
{
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    int x = box.left + (box.right - box.left - info.bmWidth) / 2;
    int y = box.top + (box.bottom - box.top - info.bmHeight) / 2;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void PaintDatePick(HWND picker, HDC dc)
{
    RECT client;
    GetClientRect(picker, &client);
    RECT button{client.right - DropDownWidth, 0, client.right, client.bottom};
    RECT field{0, 0, button.left, client.bottom};
    FillRect(dc, &field, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (CalendarShown(picker) ? DFCS_PUSHED : 0));
    DrawBitmap(dc, Slot<HBITMAP>(picker, DatePickArrow), button);

    char text[128] = {};
    if (const CalendarDate* date = PickedDate(picker))
        date->Format(text, sizeof text, CurrentSettings.dateFormat.OutputFormat);
    HGDIOBJ previous = SelectObject(dc, Slot<HFONT>(picker, DatePickFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT textBox = field;
    textBox.left += 2;
    DrawTextA(dc, text, -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, previous);
    if (GetFocus() == picker) {
        InflateRect(&field, -1, -1);
        DrawFocusRect(dc, &field);
    }
}

HFONT SmallFont(HWND window)
{
    HDC dc = GetDC(window);
    int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Small Fonts");
}

LRESULT DatePickMessage(HWND picker, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<LPCREATESTRUCTA>(lParam);
        SetSlot(picker, DatePickDate, new CalendarDate());
        SetSlot(picker, DatePickArrow, SystemBitmap(OBM_COMBO));
        SetSlot<LONG_PTR>(picker, DatePickUnused, 0);
        SetSlot(picker, DatePickFont, SmallFont(picker));
        RECT place;
        GetWindowRect(picker, &place);
        HWND calendar = CreateWindowExA(WS_EX_TOOLWINDOW, DatePickCalendarClass, "", WS_POPUP,
                                        place.right - CalendarWidth, place.bottom, CalendarWidth, CalendarHeight,
                                        picker, nullptr, create->hInstance, picker);
        SetSlot(picker, DatePickCalendar, calendar);
        return calendar ? 0 : -1;
    }
    case WM_DESTROY:
        if (HWND calendar = PickerCalendar(picker))
            DestroyWindow(calendar);
        SetSlot<HWND>(picker, DatePickCalendar, nullptr);
        delete PickedDate(picker);
        SetSlot<CalendarDate*>(picker, DatePickDate, nullptr);
        DeleteSlotObject(picker, DatePickArrow);
        DeleteSlotObject(picker, DatePickFont);
        return 0;
    case ControlSetMessage:
        if (CalendarDate* date = PickedDate(picker); date && lParam)
            date->Assign(*reinterpret_cast<const CalendarDate*>(lParam));
        InvalidateRect(picker, nullptr, TRUE);
        if (HWND calendar = PickerCalendar(picker))
            InvalidateRect(calendar, nullptr, TRUE);
        return 0;
    case ControlGetMessage:
        if (CalendarDate* date = PickedDate(picker); date && lParam)
            reinterpret_cast<CalendarDate*>(lParam)->Assign(*date);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(Slot<HFONT>(picker, DatePickFont));
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(picker, message, wParam, [&](HDC dc) { PaintDatePick(picker, dc); });
    case WM_SIZE:
    case WM_SETFOCUS:
        InvalidateRect(picker, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        if (reinterpret_cast<HWND>(wParam) != PickerCalendar(picker))
            HideCalendar(picker);
        InvalidateRect(picker, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(picker);
        ToggleCalendar(picker);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (wParam == VK_DOWN)
            ToggleCalendar(picker);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == DropDownButtonId)
            ToggleCalendar(picker);
        return 0;
    default:
        return DefWindowProcA(picker, message, wParam, lParam);
    }
}

LRESULT CALLBACK DatePickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<DatePickMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

// The calendar's days: the month of the owner's date, laid out by weekday for calendars of seven-day
// weeks (Monday first), one after another for the French decades.
struct CalendarLayout {
    CalendarDate first; // the first of the month
    int days = 0;
    int firstCell = 0; // the cell of day 1 among the 6 x 7 day cells
    bool weekly = true;
};

CalendarLayout LayoutMonth(const CalendarDate& date)
{
    CalendarLayout layout;
    layout.first = CalendarDate(date.Calendar(), 1, date.Month(), date.Year());
    layout.days = DayNumberFromDate(date.Calendar(), 1, date.Month() + 1, date.Year()) - layout.first.DayNumber();
    layout.weekly = layout.first.GetDaysPerWeek() == 7;
    layout.firstCell = layout.weekly ? (layout.first.GetWeekday() + 6) % 7 : 0;
    return layout;
}

constexpr int DayColumns = CalendarColumns - 1;

RECT CalendarCell(int row, int column)
{
    int top = CalendarTitleHeight + 8;
    int cellWidth = CalendarWidth / CalendarColumns;
    int cellHeight = (CalendarHeight - 2 - top) / CalendarRows;
    return RECT{column * cellWidth, top + row * cellHeight, (column + 1) * cellWidth, top + (row + 1) * cellHeight};
}

void PaintCalendar(HWND calendar, HDC dc)
{
    RECT client;
    GetClientRect(calendar, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    DrawBitmap(dc, Slot<HBITMAP>(calendar, CalendarLeftArrow), RECT{0, 0, CalendarArrowWidth, CalendarTitleHeight});
    DrawBitmap(dc, Slot<HBITMAP>(calendar, CalendarRightArrow),
               RECT{CalendarWidth - CalendarArrowWidth, 0, CalendarWidth, CalendarTitleHeight});
    HWND picker = Slot<HWND>(calendar, CalendarOwner);
    const CalendarDate* date = picker ? PickedDate(picker) : nullptr;
    if (!date)
        return;
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    char month[64] = {};
    GetMonthName(date->Calendar(), date->Month(), month, sizeof month);
    std::string title = std::string(month) + " " + std::to_string(date->Year());
    RECT titleBox{CalendarArrowWidth, 0, CalendarWidth - CalendarArrowWidth, CalendarTitleHeight};
    DrawTextA(dc, title.c_str(), -1, &titleBox, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);

    CalendarLayout layout = LayoutMonth(*date);
    int firstWeek = (layout.first.DayNumber() - CalendarDate(date->Calendar(), 1, 1, date->Year()).DayNumber()) / 7;
    for (int day = 1; day <= layout.days; ++day) {
        int cell = layout.firstCell + day - 1;
        int row = cell / DayColumns;
        if (row >= CalendarRows)
            break;
        RECT box = CalendarCell(row, 1 + cell % DayColumns);
        if (day == date->Day()) {
            FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        std::string number = std::to_string(day);
        DrawTextA(dc, number.c_str(), -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        if (layout.weekly && (cell % DayColumns == 0 || day == 1)) {
            std::string week = std::to_string(firstWeek + row + 1);
            RECT weekBox = CalendarCell(row, 0);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            DrawTextA(dc, week.c_str(), -1, &weekBox, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        }
    }
    SelectObject(dc, previous);
}

// The day under a click in the grid, or 0.
int DayAt(const CalendarDate& date, int x, int y)
{
    CalendarLayout layout = LayoutMonth(date);
    for (int day = 1; day <= layout.days; ++day) {
        int cell = layout.firstCell + day - 1;
        RECT box = CalendarCell(cell / DayColumns, 1 + cell % DayColumns);
        if (cell / DayColumns < CalendarRows && x >= box.left && x < box.right && y >= box.top && y < box.bottom)
            return day;
    }
    return 0;
}

void CalendarClick(HWND calendar, int x, int y)
{
    HWND picker = Slot<HWND>(calendar, CalendarOwner);
    CalendarDate* date = picker ? PickedDate(picker) : nullptr;
    if (!date)
        return;
    if (y < CalendarTitleHeight) {
        if (x < CalendarArrowWidth)
            date->AddMonths(-1);
        else if (x > CalendarWidth - CalendarArrowWidth)
            date->AddMonths(1);
        else
            return;
        InvalidateRect(calendar, nullptr, TRUE);
        InvalidateRect(picker, nullptr, TRUE);
        return;
    }
    if (int day = DayAt(*date, x, y)) {
        date->SetDay(day);
        HideCalendar(picker);
        InvalidateRect(picker, nullptr, TRUE);
    }
}

LRESULT CalendarMessage(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetSlot(calendar, CalendarOwner, reinterpret_cast<LPCREATESTRUCTA>(lParam)->lpCreateParams);
        SetSlot(calendar, CalendarLeftArrow, SystemBitmap(OBM_LFARROW));
        SetSlot(calendar, CalendarRightArrow, SystemBitmap(OBM_RGARROW));
        return 0;
    case WM_DESTROY:
        DeleteSlotObject(calendar, CalendarLeftArrow);
        DeleteSlotObject(calendar, CalendarRightArrow);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        CalendarClick(calendar, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(calendar, message, wParam, [&](HDC dc) { PaintCalendar(calendar, dc); });
    default:
        return DefWindowProcA(calendar, message, wParam, lParam);
    }
}

LRESULT CALLBACK CalendarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<CalendarMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure, int slots)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = slots * static_cast<int>(sizeof(LONG_PTR));
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

RECT PreviewImageRect(int width, int height, int clientWidth, int clientHeight)
{
    while (width > clientWidth || height > clientHeight) {
        width /= 2;
        height /= 2;
    }
    int left = (clientWidth - width) / 2;
    int top = (clientHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

bool RegisterCustomControls(HINSTANCE instance)
{
    return Register(instance, PreviewClass, PreviewProc, 1) &&
           Register(instance, ColorViewClass, ColorViewProc, ColorViewSlots) &&
           Register(instance, DatePickClass, DatePickProc, DatePickSlots) &&
           Register(instance, DatePickCalendarClass, CalendarProc, CalendarSlots);
}
